// Plays a game on an emulated phone by touch alone, as a stranger meets it,
// finding the controls by their accessible names: which controls show in
// each phase of the game, "Atirar" teaching itself and showing its charge,
// "Sair" asking first, and "Jogar de novo" going straight to the title
// screen's choices. Checks the layout of each phase upright, turned and on a
// tablet (without a reload), keeping a screenshot of each. The title screen
// is the touch one, which speaks of the buttons. A desktop page has no
// control. A page that declares no controls (the example "ola") has no
// button, and a tap on its picture is a click there.
//
//   node toque.mjs <build-web/web> <desktop screenshots> <folder for ours> <splash_toque.png>
//                  [<build-web/ola>]
import fs from 'node:fs';
import path from 'node:path';
import {
  abrePagina, acompanhaEstados, compara, espera, esperaEstado, esperaValor, falha, lePng,
  mesmaCor, paginaPuppeteer, pixel, roda,
} from './apoio.mjs';

const [pastaWeb, pastaNativa, pastaSaida, splashDeToque, pastaOla] = process.argv.slice(2);
const NA_SPLASH = ['Computador: difícil', 'Computador: fácil', 'Computador: médio',
  'Dois jogadores', 'Tela cheia'];
const NA_VEZ = ['Atirar', 'Sair', 'Tela cheia', 'Trocar bala'];
const NO_VOO = ['Sair', 'Tela cheia'];
// Chromium's phone emulation: touch only, real touch events (CDP). At
// 400 x 860, upright, the 4:3 picture is 400 CSS pixels wide, so at twice
// the density its screenshot is the game's 800 x 600, pixel for pixel.
const celular = (largura, altura) => ({
  width: largura, height: altura, deviceScaleFactor: 2, isMobile: true, hasTouch: true,
});
// Upright, turned, on a tablet, and turned on a small phone, whose bands
// beside the picture are narrowest.
const TELAS = {'em-pe': [412, 915], deitado: [915, 412], tablet: [1180, 820],
  pequeno: [667, 375]};

const nativa = (nome) => lePng(fs.readFileSync(path.join(pastaNativa, `${nome}.png`)));
const cor = (img, x, y, c) => mesmaCor(pixel(img, x, y), c);
const destaque = (img, tipo) => cor(img, 197 + 150 * tipo, 55, [255, 0, 0]);
const barra = (img) => cor(img, 11, 300, [255, 255, 255]);
const cores = (img) => [[197, 55], [347, 55], [11, 300], [371, 505]]
  .map(([x, y]) => `(${x},${y})=${pixel(img, x, y)}`).join(' ');
const caixa = async (pagina, nome) => {
  const el = await pagina.$(`::-p-aria([name="${nome}"][role="button"])`);
  return el ? el.boundingBox() : falha(`sem o botão "${nome}"`);
};
const centro = (c) => [c.x + c.width / 2, c.y + c.height / 2];
const toca = async (pagina, nome) => pagina.touchscreen.tap(...centro(await caixa(pagina, nome)));

// Every target on the page the finger can reach: its name, box, and how
// many lines each of its texts takes and whether it overflows.
function alvos() {
  return [...document.querySelectorAll('button')].filter((b) => b.getClientRects().length)
    .map((b) => {
      const r = b.getBoundingClientRect();
      const linhas = [...b.children].filter((s) => s.textContent).map((s) => {
        const faixa = document.createRange();
        faixa.selectNodeContents(s);
        return new Set([...faixa.getClientRects()].map((q) => Math.round(q.top))).size;
      });
      return {nome: b.getAttribute('aria-label') || b.textContent, x: r.x, y: r.y, w: r.width,
        h: r.height, linhas, transborda: b.scrollWidth > b.clientWidth};
    });
}
const nomesVisiveis = async (pagina) => (await pagina.evaluate(alvos))
  .filter((a) => a.nome !== '').map((a) => a.nome).sort().join();
const aguardaControles = (pagina, fase, nomes) => esperaValor(`controles ${fase}`, 10,
  () => nomesVisiveis(pagina), (v) => v === nomes.join(), String);

const separacao = (a, b) => Math.max(b.x - a.x - a.w, a.x - b.x - b.w, b.y - a.y - a.h,
  a.y - b.y - b.h);

// Each target at least 48 x 48, inside the window, 12 pixels or more from
// any other; the controls off the picture (under it upright, beside it
// turned), their labels on one line each and within them;
// "Sair" at least a button's height from "Atirar". Upright, the picture
// and the controls share the height with no empty band over 48 pixels. The
// picture 4:3, and the page neither scrolled nor zoomed.
async function confereLeiaute(pagina, nome) {
  const t = await (await pagina.$('canvas')).boundingBox();
  const v = await pagina.evaluate(() => ({
    w: innerWidth, h: innerHeight, rolagem: scrollX + scrollY, escala: visualViewport.scale,
    conteudo: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
  }));
  const deitado = v.w > v.h, botoes = await pagina.evaluate(alvos), erros = [];
  if (v.rolagem || v.escala !== 1 || v.conteudo[0] > v.w || v.conteudo[1] > v.h) erros.push('rola');
  if (Math.abs(t.width * 3 - t.height * 4) > 4) erros.push('tela');
  const lados = new Set();
  for (const b of botoes) {
    const lado = b.x + b.w <= t.x ? 'esquerda' : b.x >= t.x + t.width ? 'direita'
      : b.y >= t.y + t.height ? 'abaixo' : 'sobre';
    lados.add(lado);
    if (b.w < 48 || b.h < 48 || b.x < 0 || b.y < 0 || b.x + b.w > v.w || b.y + b.h > v.h ||
        lado === 'sobre' || b.linhas.some((n) => n !== 1) || b.transborda)
      erros.push(JSON.stringify(b));
    for (const o of botoes) if (o !== b && separacao(b, o) < 11.5) erros.push(`${b.nome}~${o.nome}`);
  }
  const [sair, atirar] = ['Sair', 'Atirar'].map((n) => botoes.find((b) => b.nome === n));
  if (sair && atirar && separacao(sair, atirar) < sair.h) erros.push('Sair perto de Atirar');
  const permitidos = deitado ? ['direita', 'esquerda'] : ['abaixo'];
  if ([...lados].some((l) => !permitidos.includes(l))) erros.push([...lados]);
  if (!deitado) {
    let coberto = 0, vao = 0;
    for (const f of [{y: t.y, h: t.height}, ...botoes].sort((a, b) => a.y - b.y)) {
      vao = Math.max(vao, f.y - coberto);
      coberto = Math.max(coberto, f.y + f.h);
    }
    if (Math.max(vao, v.h - coberto) > 48) erros.push(`faixa vazia de ${Math.max(vao, v.h - coberto)}`);
  }
  if (erros.length) falha(`leiaute ${nome}: ${erros.join('; ')} ` + JSON.stringify({t, v}));
}

// The page's layout in each screen of TELAS (checked where the game shows
// controls), in the same document, each kept as <fase>-<tela>.png; then
// back upright at 400 x 860.
async function confereTelas(pagina, fase, comControles = true) {
  for (const [tela, [w, h]] of Object.entries(TELAS)) {
    await pagina.setViewport(celular(w, h));
    await esperaValor(`a janela ${tela}`, 10, () => pagina.evaluate(() =>
      `${innerWidth}x${innerHeight}`), (v) => v === `${w}x${h}`, String);
    // The page re-fits on the resize, before the next frame is drawn.
    await pagina.evaluate(() => new Promise((r) => requestAnimationFrame(() =>
      requestAnimationFrame(r))));
    if (comControles) await confereLeiaute(pagina, `${fase} ${tela}`);
    await pagina.screenshot({path: path.join(pastaSaida, `${fase}-${tela}.png`)});
  }
  await pagina.setViewport(celular(400, 860));
  await esperaValor('leiaute 400 x 860', 10,
    () => pagina.evaluate(() => document.getElementById('tela').clientWidth), (w) => w === 400,
    String);
}

// The texts of "Atirar" and the height of its fill, in a hundredth of the
// button's.
const atirar = (pagina) => pagina.evaluate(() => {
  const b = document.querySelector('[aria-label="Atirar"]');
  const medida = b.querySelector('.medida');
  return {dica: b.querySelector('.dica').textContent,
    medida: medida.hidden ? null : Math.round(100 * medida.offsetHeight / b.clientHeight)};
});

await roda(async (aoFim) => {
  fs.mkdirSync(pastaSaida, {recursive: true});
  const splashToque = lePng(fs.readFileSync(splashDeToque)), miraNativa = nativa('2-mira');
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 400, 860);
  const pagina = paginaPuppeteer(navegador), linhas = await navegador.linhas();
  await pagina.setViewport(celular(400, 860));
  const ve = (nome, segundos, teste) =>
    espera(navegador, nome, segundos, teste, cores, pastaSaida);
  const foto = (nome) => pagina.screenshot({path: path.join(pastaSaida, `${nome}.png`)});
  const musica = () => pagina.evaluate(() => (SDL.audioContext && SDL.music.audio
    ? SDL.audioContext.currentTime - SDL.music.audio.startTime : 0));

  const mesa = await pagina.browser().newPage();
  await mesa.goto(url);
  await mesa.waitForSelector('#botao:not([hidden])', {timeout: 60000});
  const naMesa = await mesa.evaluate(() =>
    `${document.getElementById('botao').textContent}, ${document.querySelectorAll('.controle').length}`);
  if (naMesa !== 'Clique para jogar, 0') falha(`página de mesa: ${naMesa}`);
  await mesa.close();

  // The start screen: its button alone.
  await pagina.goto(url);
  const inicio = await pagina.waitForSelector(
    '::-p-aria([name="Toque para jogar"][role="button"])', {visible: true, timeout: 60000});
  await aguardaControles(pagina, 'no início', ['Toque para jogar']);
  await confereTelas(pagina, 'inicio', false);
  await acompanhaEstados(navegador);
  await pagina.touchscreen.tap(...centro(await inicio.boundingBox()));
  await ve('splash', 30, (img) => compara(img, splashToque, 0).diferentes === 0);
  // The tap was the gesture that lets sound play: the music's clock runs.
  await esperaValor('música tocando', 10, musica, (s) => s > 0.2, String);
  await aguardaControles(pagina, 'no splash', NA_SPLASH);
  await confereTelas(pagina, 'splash');

  // A tap goes down and up at once: the page holds it for the game. The
  // click that ends it does not reach the button that takes its place.
  await toca(pagina, 'Dois jogadores');
  await ve('fim do splash', 10, (img) => compara(img, splashToque, 0).diferentes > 0);
  await aguardaControles(pagina, 'na vez', NA_VEZ);

  // A finger dragged to where the desktop test aimed, (500, 468) of the
  // game's 800 x 600: the same view, with no charge and no shot.
  const t = await (await pagina.$('canvas')).boundingBox();
  const naTela = (x, y) => [t.x + x * t.width / 800, t.y + y * t.height / 600];
  const dedo = await pagina.touchscreen.touchStart(...naTela(700, 200));
  await dedo.move(...naTela(600, 350));
  await dedo.move(...naTela(500, 468));
  await dedo.end();
  await ve('mira pelo dedo', 10, (img) => destaque(img, 0) && !barra(img) &&
    compara(img, miraNativa, 25).alem <= 0.01 * 480000);

  await toca(pagina, 'Trocar bala');
  await ve('troca de bala', 10, (img) => destaque(img, 1) && !destaque(img, 0));

  // Turned and back, in the same document.
  await pagina.evaluate(() => { window.semRecarga = true; });
  await confereTelas(pagina, 'vez');
  if (!await pagina.evaluate(() => window.semRecarga)) falha('a página recarregou ao girar');

  // "Atirar" says what to do; held, it says how to fire and fills with the
  // force the game announces; letting go fires.
  const antes = await atirar(pagina);
  if (antes.dica !== 'Segure para carregar' || antes.medida !== null)
    falha(`"Atirar" antes: ${JSON.stringify(antes)}`);
  const segura = await pagina.touchscreen.touchStart(...centro(await caixa(pagina, 'Atirar')));
  await ve('barra de força', 10, barra);
  const vistas = new Set();
  await esperaValor('a carga no botão', 10, async () => {
    const a = await atirar(pagina);
    vistas.add(a.medida);
    return {...a, vistas: [...vistas]};
  }, (a) => a.dica === 'Solte para atirar' && a.vistas.length >= 3, JSON.stringify);
  await aguardaControles(pagina, 'na carga', NA_VEZ);
  await foto('carga-celular');
  await segura.end();
  await ve('voo', 10, (img) => !destaque(img, 1));
  await aguardaControles(pagina, 'no voo', NO_VOO);
  await confereTelas(pagina, 'voo');
  await pagina.touchscreen.tap(...naTela(300, 468));
  await ve('mira do jogador 2', 40, (img) => destaque(img, 0) && cor(img, 371, 505, [0, 255, 0]));
  const vez2 = await atirar(pagina);
  if (vez2.dica !== 'Segure para carregar' || vez2.medida !== null)
    falha(`"Atirar" na vez seguinte: ${JSON.stringify(vez2)}`);

  // "Sair" asks; "Continuar" keeps the game, which goes on meanwhile;
  // "Sair" ends it, and the page offers another.
  const quadros = () => pagina.evaluate(() => new Promise((r) => {
    let n = 0;
    const conta = () => (++n === 10 ? r(Module.estadoDoJogo) : requestAnimationFrame(conta));
    requestAnimationFrame(conta);
  }));
  await toca(pagina, 'Sair');
  await aguardaControles(pagina, 'na pergunta', ['Continuar', 'Sair']);
  await esperaValor('a pergunta', 5, () => pagina.evaluate(() =>
    document.querySelector('[role="dialog"]').textContent), (v) => v.startsWith('Sair da partida?'),
  String);
  await foto('pergunta-celular');
  const naPergunta = await quadros();
  await toca(pagina, 'Continuar');
  await aguardaControles(pagina, 'depois de continuar', NA_VEZ);
  const depois = await quadros();
  if (naPergunta !== 'pessoa' || depois !== 'pessoa') falha(`o jogo mudou: ${naPergunta}, ${depois}`);
  await ve('a partida segue', 10, (img) => destaque(img, 0) && cor(img, 371, 505, [0, 255, 0]));
  await toca(pagina, 'Sair');
  await toca(pagina, 'Sair');
  await esperaValor('fim da partida', 15, () => pagina.evaluate(() =>
    document.getElementById('aviso').hidden ? '' : document.getElementById('mensagem').textContent),
  (m) => m === 'Partida encerrada.', String);
  await aguardaControles(pagina, 'no fim', ['Jogar de novo']);
  await confereTelas(pagina, 'fim', false);
  const erros = linhas.filter((l) => l.startsWith('ERRO DA PAGINA'));

  // One tap from the end to the title screen's choices, with no start
  // screen between; the same tap lets the music play.
  await pagina.evaluateOnNewDocument(() => {
    window.telaDeInicio = false;
    addEventListener('DOMContentLoaded', () => {
      const b = document.getElementById('botao');
      new MutationObserver(() => {
        if (!b.hidden && b.textContent === 'Toque para jogar') telaDeInicio = true;
      }).observe(b, {attributes: true, childList: true});
    });
  });
  await toca(pagina, 'Jogar de novo');
  // Read across the reload: a read the navigation cuts answers its error.
  await esperaValor('o splash de novo', 60, () => pagina.evaluate(() =>
    `${window.Module && Module.estadoDoJogo}, início ${window.telaDeInicio}`)
    .catch((e) => e.message), (v) => v === 'splash, início false', String);
  await aguardaControles(pagina, 'no splash de novo', NA_SPLASH);
  await ve('splash de novo', 30, (img) => compara(img, splashToque, 0).diferentes === 0);
  await esperaValor('música de novo', 10, musica, (s) => s > 0.2, String);

  // The page's own "Tela cheia" says how to leave.
  await toca(pagina, 'Tela cheia');
  await aguardaControles(pagina, 'em tela cheia', [...NA_SPLASH.slice(0, 4), 'Sair da tela cheia']);
  await toca(pagina, 'Sair da tela cheia');
  await aguardaControles(pagina, 'fora da tela cheia', NA_SPLASH);
  erros.push(...linhas.filter((l) => l.startsWith('ERRO DA PAGINA')));
  if (erros.length) falha(erros.join('; '));
  if (pastaOla) await semControles(aoFim);
});

// "ola" on a phone: no button but its start; a tap away from its ball (at
// 304, 300 of its 640 x 480, 32 pixels wide) clicks there: the ring it
// draws under the pointer comes, and the ball shows its other frame.
async function semControles(aoFim) {
  const {navegador, url} = await abrePagina(aoFim, pastaOla, 400, 860);
  const pagina = paginaPuppeteer(navegador);
  await pagina.setViewport(celular(400, 860));
  await pagina.goto(url);
  const inicio = await pagina.waitForSelector(
    '::-p-aria([name="Toque para jogar"][role="button"])', {visible: true, timeout: 60000});
  await pagina.touchscreen.tap(...centro(await inicio.boundingBox()));
  const t = await (await pagina.$('canvas')).boundingBox();
  // A canvas pixel of "ola" in the screenshot, at twice the density.
  const px = (img, x, y) => pixel(img, Math.floor(x * t.width / 320), Math.floor(y * t.width / 320));
  const bola = (img) => [0, 1, 2, 3].map((k) => px(img, 306 + 7 * k, 316).join()).join(' ');
  // The ring, a thin white line on black, blended by the scaling: any
  // light screenshot pixel within 15 canvas pixels of (500, 150).
  const anel = (img) => {
    const k = t.width / 320;
    for (let y = Math.floor(135 * k); y <= 165 * k; y++)
      for (let x = Math.floor(485 * k); x <= 515 * k; x++)
        if (pixel(img, x, y).slice(0, 3).every((c) => c > 120)) return true;
    return false;
  };
  const ve = (nome, teste, descreve) => esperaValor(nome, 30, () => navegador.tela(), teste,
    descreve);
  const antes = bola(await ve('o desenho', (img) => mesmaCor(px(img, 320, 440), [40, 120, 60]),
    (img) => px(img, 320, 440).join()));
  await aguardaControles(pagina, 'sem declaração', []);
  await pagina.touchscreen.tap(t.x + 500 * t.width / 640, t.y + 150 * t.width / 640);
  await ve('o clique do toque', (img) => anel(img) && bola(img) !== antes,
    (img) => `anel ${anel(img)}, bola ${bola(img)} (antes ${antes})`);
}
