// Plays the browser build of Trovasco as a person would, in one browser
// engine (headless Chromium, Firefox or WebKitGTK), reading only what the
// canvas shows: the splash, Enter, a right
// click that changes the cannonball, charging, firing, the flight, player 2's
// view, Escape and "Fim do jogo". The splash and player 1's first aiming view
// are compared with the desktop game's screenshots under Xvfb. The music
// must start after the start click on a context whose clock runs, and stop
// when the game ends.
//
//   node jogo.mjs <chromium|firefox|webkit> <build-web/web> <desktop screenshots> <folder for ours>
import fs from 'node:fs';
import path from 'node:path';
import {
  abrePagina, compara, espera, esperaValor, falha, lePng, mesmaCor, pixel,
  recorta, roda,
} from './apoio.mjs';

const [motor, pastaWeb, pastaNativa, pastaSaida] = process.argv.slice(2);
const VERMELHO = [255, 0, 0], VERDE = [0, 255, 0], BRANCO = [255, 255, 255];

function capturaNativa(nome) {
  const arquivo = path.join(pastaNativa, `${nome}.png`);
  if (!fs.existsSync(arquivo))
    falha(`sem ${arquivo}: o teste trovasco_xvfb da build nativa o grava`);
  return recorta(lePng(fs.readFileSync(arquivo)), 800, 600);
}

const cores = (img, pontos) =>
  pontos.map(([x, y]) => `(${x},${y})=${pixel(img, x, y)}`).join(' ');
// The red frame around the chosen cannonball's slot (slot 0, 1 or 2).
const destaque = (img, tipo) => mesmaCor(pixel(img, 197 + 150 * tipo, 55), VERMELHO);
// Ink of the white font in the band of the centred line at y 300.
function tintaNoCentro(img) {
  let n = 0;
  for (let y = 300; y < 332; y++)
    for (let x = 300; x < 500; x++) if (mesmaCor(pixel(img, x, y), BRANCO)) n++;
  return n;
}

// The music as the emulation plays it on the page's Web Audio context: its
// source node, how far it has played, the context's clock and its state,
// which a browser keeps suspended without a user gesture (or a sound device).
const estadoDaMusica = (navegador) => navegador.avalia(() => {
  const m = typeof SDL !== 'undefined' && SDL.music.audio;
  const c = typeof SDL !== 'undefined' && SDL.audioContext;
  return {
    tocando: Boolean(m && m.webAudioNode && !m.paused),
    tempo: m && c ? c.currentTime - m.startTime : 0,
    relogio: c ? c.currentTime : 0,
    contexto: c ? c.state : 'nenhum',
  };
});

// Installed once the page has loaded, before the start click: every frame
// the game presents, by the page's clock; the click's time; and when the
// sound's context first ran.
function instrumenta() {
  window.quadros = [];
  Browser.doSwapBuffers = () => quadros.push(performance.now());
  document.getElementById('botao').addEventListener('click', () => {
    window.clique = performance.now();
    const vigia = () => {
      const c = SDL.audioContext;
      if (c && c.state === 'running') window.somRodando = performance.now();
      else setTimeout(vigia, 5);
    };
    vigia();
  }, {once: true});
}

function quantil(v, q) {
  const o = [...v].sort((a, b) => a - b);
  return o[Math.min(o.length - 1, Math.floor(q * o.length))];
}

await roda(async (aoFim, aoFalhar) => {
  fs.mkdirSync(pastaSaida, {recursive: true});
  const splashNativo = capturaNativa('1-splash');
  const miraNativa = capturaNativa('2-mira');
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 800, 600, motor);
  const foto = (nome, img) => fs.writeFileSync(path.join(pastaSaida, `${nome}.png`), img.png);
  aoFalhar(async () => foto('falha', await navegador.tela()));
  const ve = (nome, segundos, teste, descreve) =>
    espera(navegador, nome, segundos, teste, descreve, pastaSaida);
  const vePagina = (nome, segundos, ler, teste) =>
    esperaValor(nome, segundos, () => navegador.avalia(ler), teste, JSON.stringify);

  await navegador.vai(url);
  await vePagina('o botão de jogar', 60,
    () => ({botao: !document.getElementById('botao').hidden, aviso: document.body.innerText}),
    (v) => v.botao);
  await navegador.avalia(instrumenta);
  if ((await estadoDaMusica(navegador)).tocando) falha('a música tocava antes do clique');
  await navegador.clica('#botao');

  // Splash, identical to the desktop's.
  const splash = await ve('splash', 30, (img) => compara(img, splashNativo, 0).diferentes === 0,
    (img) => `${compara(img, splashNativo, 0).diferentes} pixels diferentes da captura nativa`);
  foto('1-splash', splash);
  const musica = await esperaValor('música tocando', 10, () => estadoDaMusica(navegador),
    (m) => m.tocando && m.contexto === 'running' && m.tempo > 0.2, JSON.stringify);
  const inicio = await navegador.avalia(() => ({
    splash: quadros[1], clique, somRodando, heap: HEAPU8.length,
  }));

  // Enter, held until the game has seen it; then the pointer where the
  // desktop test put it, over player 1's first (calm) aim.
  await navegador.tecla('Enter', true);
  await ve('fim do splash', 10, (img) => compara(img, splashNativo, 0).diferentes > 0, () => 'o splash');
  await navegador.tecla('Enter', false);
  await navegador.move(500, 468);
  const limiteMira = (c) => c.alem <= 0.01 * c.total;
  const mira = await ve('mira do jogador 1', 10, (img) => limiteMira(compara(img, miraNativa, 25)),
    (img) => JSON.stringify(compara(img, miraNativa, 25)));
  const diferencaMira = compara(mira, miraNativa, 25);
  foto('2-mira', mira);
  if (!destaque(mira, 0)) falha(`destaque do tipo 1: ${cores(mira, [[197, 55]])}`);

  // 360 frames of aiming with nobody reading the canvas, for the frame
  // interval: every screenshot costs the page time.
  const primeiro = await navegador.avalia(() => quadros.length);
  await esperaValor('360 quadros de mira', 30, () => navegador.avalia(() => quadros.length),
    (n) => n >= primeiro + 361, (n) => `${n - primeiro} quadros`);
  const mirando = await navegador.avalia((n) => quadros.slice(n, n + 361), primeiro);

  // A right click moves the highlight to the second cannonball.
  await navegador.botao(true, 'right');
  const tipo2 = await ve('troca de bala', 10, (img) => destaque(img, 1) && !destaque(img, 0),
    (img) => cores(img, [[197, 55], [347, 55]]));
  await navegador.botao(false, 'right');
  foto('3-tipo2', tipo2);

  // The browser suspends the sound (a tab sent to the background, a phone
  // locked); the next gesture, the press that starts the charge, resumes it.
  const suspenso = await navegador.avalia(
    () => SDL.audioContext.suspend().then(() => SDL.audioContext.state));
  if (suspenso !== 'suspended') falha(`o som não foi suspenso: ${suspenso}`);

  // Charging shows the force bar; letting go fires and the flight hides the
  // inventory. The bar's first frame is the first to draw its shapes and may
  // wait over a second for the GPU (SwiftShader builds their pipelines): the
  // deadline is a first drawing's, as for the splash.
  await navegador.botao(true);
  foto('4-carga', await ve('barra de força', 30, (img) => mesmaCor(pixel(img, 11, 300), BRANCO),
    (img) => cores(img, [[11, 300]])));
  await navegador.botao(false);
  foto('5-voo', await ve('voo', 10, (img) => !destaque(img, 1),
    (img) => cores(img, [[347, 55]])));

  // The flight ends below the window; player 2 then aims, its cannon's life
  // bar under the centre. The music's context runs again (Firefox takes as
  // long to resume it as to start it), its clock ahead.
  await navegador.move(300, 468);
  const jogador2 = await ve('mira do jogador 2', 40,
    (img) => destaque(img, 0) && mesmaCor(pixel(img, 371, 505), VERDE),
    (img) => cores(img, [[197, 55], [371, 505]]));
  foto('6-jogador2', jogador2);
  await esperaValor('o som de volta', 10, () => estadoDaMusica(navegador),
    (m) => m.tocando && m.contexto === 'running' && m.relogio > musica.relogio, JSON.stringify);

  // Escape: "Fim do jogo" over player 2's field, without the inventory.
  await navegador.tecla('Escape', true);
  const fim = await ve('Fim do jogo', 10,
    (img) => !destaque(img, 0) && mesmaCor(pixel(img, 371, 505), VERDE) &&
      tintaNoCentro(img) > 200 + tintaNoCentro(jogador2),
    (img) => `${cores(img, [[197, 55], [371, 505]])} tinta=${tintaNoCentro(img)}`);
  await navegador.tecla('Escape', false);
  foto('7-fim', fim);

  // Two seconds later the game returns: the page ends it, the music stops and
  // the page offers another game.
  await vePagina('a oferta de outra partida', 15, () => ({
    oferta: !document.getElementById('aviso').hidden &&
      document.getElementById('botao').textContent === 'Jogar de novo',
    aviso: document.getElementById('aviso').innerText,
  }), (v) => v.oferta);
  const parada = await estadoDaMusica(navegador);
  if (parada.tocando) falha(`a música seguiu depois do fim: ${JSON.stringify(parada)}`);

  const linhas = await navegador.linhas();
  const linha = `Carregou a música ./files/WhatYouWantv2.ogg.`;
  if (!linhas.includes(linha))
    falha(`sem a linha "${linha}" no console: ${JSON.stringify(linhas.slice(0, 40))}`);
  const erros = linhas.filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));

  const intervalos = mirando.slice(1).map((t, i) => t - mirando[i]);
  const tamanhos = ['js', 'wasm', 'data'].map((ext) =>
    `${ext} ${fs.statSync(path.join(pastaWeb, `trovasco.${ext}`)).size}`);
  const figuras = [
    `${motor}: navegação até o splash: ${Math.round(inicio.splash)} ms ` +
      `(${Math.round(inicio.splash - inicio.clique)} ms depois do clique)`,
    `quadros medidos: ${intervalos.length}; intervalo mediano ` +
      `${quantil(intervalos, 0.5).toFixed(1)} ms, p95 ${quantil(intervalos, 0.95).toFixed(1)} ms`,
    `contexto de som rodando ${Math.round(inicio.somRodando - inicio.clique)} ms depois do clique`,
    `heap do wasm após o início: ${(inicio.heap / 1048576).toFixed(0)} MiB`,
    `mira contra a nativa: ${diferencaMira.diferentes} pixels diferentes, ` +
      `${diferencaMira.alem} além de 10% (de ${diferencaMira.total})`,
    `música: ${JSON.stringify(musica)} -> ${JSON.stringify(parada)}`,
    `arquivos (bytes): ${tamanhos.join(', ')}`,
  ].join('\n');
  console.log(figuras);
  fs.writeFileSync(path.join(pastaSaida, 'figuras.txt'), figuras + '\n');
});
