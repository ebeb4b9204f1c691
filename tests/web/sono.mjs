// A phone that sleeps mid-game, in headless Chromium: the page is frozen
// (Page lifecycle "frozen", which hides it first) in the middle of a charge
// and in the middle of the flight, and its sound suspended, as a locked
// phone does. The finger leaves the screen while it sleeps, and no release
// reaches the page. Woken, the game goes on where it stopped: the charge is
// fired with the force it had, the flight is still under way, and the music
// plays again with no gesture.
//
//   node sono.mjs <build-web/web>
import {
  abrePagina, espera, esperaValor, falha, mesmaCor, paginaPuppeteer, pixel, roda,
} from './apoio.mjs';

const [pastaWeb] = process.argv.slice(2);
const VERMELHO = [255, 0, 0];
const destaque = (img, tipo) => mesmaCor(pixel(img, 197 + 150 * tipo, 55), VERMELHO);
const cores = (img, pontos) =>
  pontos.map(([x, y]) => `(${x},${y})=${pixel(img, x, y)}`).join(' ');
// How long the phone sleeps each time.
const SONO_MS = 1000;

// Installed once the page has loaded: the frames the game draws, and the
// top of the force bar's coloured column (x 20) in the last one: 588 when
// it is empty, null when there is no bar (no white frame at x 11). Read as
// the game hands the page its turn, before the page shows the frame and the
// browser clears it.
function vigiaBarra() {
  window.quadros = 0;
  window.barra = null;
  const faixa = new Uint8Array(10 * 600 * 4);
  const cor = (x, y) => faixa.subarray(((599 - y) * 10 + x - 11) * 4).subarray(0, 3);
  const cede = Asyncify.handleSleep;
  Asyncify.handleSleep = (inicia) => {
    if (Asyncify.state === Asyncify.State.Normal) {
      quadros++;
      GLctx.readPixels(11, 0, 10, 600, GLctx.RGBA, GLctx.UNSIGNED_BYTE, faixa);
      let y = 588;
      while (y > 12 && !cor(20, y - 1).every((v) => v === 0)) y--;
      barra = cor(11, 300).every((v) => v === 255) ? y : null;
    }
    return cede(inicia);
  };
}

await roda(async (aoFim, aoFalhar) => {
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 800, 600);
  const cdp = await paginaPuppeteer(navegador).createCDPSession();
  const ve = (nome, segundos, teste, descreve) => espera(navegador, nome, segundos, teste, descreve);
  const musica = () => navegador.avalia(() => ({
    contexto: SDL.audioContext.state,
    relogio: SDL.audioContext.currentTime,
    tocando: Boolean(SDL.music.audio && SDL.music.audio.webAudioNode),
    quadros,
    barra,
  }));
  aoFalhar(async () => console.log(`por último: ${JSON.stringify(await musica())}`));

  // The phone locks: its sound is suspended and the page frozen; it sleeps,
  // and wakes.
  // Answers the force bar's top as the page fell asleep.
  async function dorme() {
    const barra = await navegador.avalia(() => {
      SDL.audioContext.suspend();
      return window.barra;
    });
    await cdp.send('Page.setWebLifecycleState', {state: 'frozen'});
    const acorda = Date.now() + SONO_MS;
    while (Date.now() < acorda) await new Promise((r) => setTimeout(r, acorda - Date.now()));
    await cdp.send('Page.setWebLifecycleState', {state: 'active'});
    return barra;
  }

  await navegador.vai(url);
  await esperaValor('o botão de jogar', 60,
    () => navegador.avalia(() => !document.getElementById('botao').hidden), (v) => v, String);
  await navegador.avalia(vigiaBarra);
  await navegador.clica('#botao');
  await esperaValor('a música', 15, musica, (m) => m.tocando && m.contexto === 'running',
    JSON.stringify);
  await navegador.tecla('Enter', true);
  await ve('mira', 15, (img) => destaque(img, 0), (img) => cores(img, [[197, 55]]));
  await navegador.tecla('Enter', false);
  await navegador.move(500, 468);

  // Mid-charge, the bar a third up (a shot that flies for seconds): the phone
  // sleeps, and the finger it held down is gone when it wakes.
  await navegador.botao(true);
  await esperaValor('a barra de força um terço acima', 10, musica,
    (m) => m.barra !== null && m.barra < 420, JSON.stringify);
  const antes = await dorme();
  await ve('o tiro depois do sono', 10, (img) => !destaque(img, 0),
    (img) => cores(img, [[197, 55], [11, 300]]));
  // Mid-flight, at once: woken, the flight is still under way.
  const tiro = await dorme();
  const voo = await ve('o voo depois do sono', 2, (img) => !destaque(img, 0),
    (img) => cores(img, [[197, 55]]));
  // The shot keeps the force of the charge that fell asleep: a frame or two
  // may run between reading it and the sleep, each moving the bar 4.8
  // pixels.
  if (Math.abs(tiro - antes) > 4 * 4.8)
    falha(`a força mudou no sono: barra de ${antes} para ${tiro}`);
  const acordado = await musica();
  await esperaValor('a música de volta sem gesto', 10, musica,
    (m) => m.contexto === 'running' && m.tocando && m.relogio > acordado.relogio + 0.2,
    JSON.stringify);
  await navegador.botao(false);
  const erros = (await navegador.linhas()).filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
  console.log(`força antes e depois do sono: barra em ${antes} e ${tiro}; ` +
    `voo seguindo: ${cores(voo, [[197, 55]])}`);
});
