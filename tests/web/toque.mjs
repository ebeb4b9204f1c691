// Plays a turn on an emulated phone by touch alone, finding the controls by
// their accessible names, and checks the layout of the title screen's
// controls and of the play controls upright and turned (without a reload),
// keeping a screenshot of each. The title screen is the touch one, which
// speaks of the buttons. A desktop page has no control.
//
//   node toque.mjs <build-web/web> <desktop screenshots> <folder for ours> <splash_toque.png>
import fs from 'node:fs';
import path from 'node:path';
import {
  abrePagina, compara, espera, esperaValor, falha, lePng, mesmaCor, paginaPuppeteer, pixel,
  roda,
} from './apoio.mjs';

const [pastaWeb, pastaNativa, pastaSaida, splashDeToque] = process.argv.slice(2);
const NA_SPLASH = ['Dois jogadores', 'Computador: fácil', 'Computador: médio',
  'Computador: difícil'];
const NO_JOGO = ['Trocar bala', 'Atirar', 'Sair'];
// Chromium's phone emulation: touch only, real touch events (CDP). Upright,
// the 4:3 picture is 400 CSS pixels wide, so at twice the density its
// screenshot is the game's 800 x 600, pixel for pixel.
const celular = (largura, altura) => ({
  width: largura, height: altura, deviceScaleFactor: 2, isMobile: true, hasTouch: true,
});

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
const transborda = async (pagina, nome) => (await pagina.$(
  `::-p-aria([name="${nome}"][role="button"])`)).evaluate((b) => b.scrollWidth > b.clientWidth);
const centro = (c) => [c.x + c.width / 2, c.y + c.height / 2];
const toca = async (pagina, nome) => pagina.touchscreen.tap(...centro(await caixa(pagina, nome)));

// Each control at least 48 x 48, inside the window, off the picture: under
// it upright, beside it on both sides turned; its label within it. The
// picture 4:3 and as large as fits, and the page neither scrolled nor zoomed.
async function confereLeiaute(pagina, deitado, nomes) {
  const t = await (await pagina.$('canvas')).boundingBox();
  const v = await pagina.evaluate(() => ({
    w: innerWidth, h: innerHeight, rolagem: scrollX + scrollY, escala: visualViewport.scale,
    conteudo: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
  }));
  const erros = [];
  if (v.rolagem || v.escala !== 1 || v.conteudo[0] > v.w || v.conteudo[1] > v.h) erros.push('rola');
  // Turned, it fills the height, or the width less the two bands' 112
  // pixels, but for its rounding to a multiple of 4.
  const folga = deitado ? Math.min(v.h - t.height, v.w - 224 - t.width) : v.w - t.width;
  if (Math.abs(t.width * 3 - t.height * 4) > 4 || folga > (deitado ? 4 : 0)) erros.push('tela');
  const lados = new Set();
  for (const nome of nomes) {
    const b = await caixa(pagina, nome);
    const lado = b.y >= t.y + t.height ? 'abaixo'
      : b.x + b.width <= t.x ? 'esquerda' : b.x >= t.x + t.width ? 'direita' : 'sobre';
    lados.add(lado);
    if (b.width < 48 || b.height < 48 || b.x < 0 || b.y < 0 || b.x + b.width > v.w ||
        b.y + b.height > v.h || lado === 'sobre') erros.push(`${nome} ${JSON.stringify(b)}`);
    if (await transborda(pagina, nome)) erros.push(`${nome} não cabe no botão`);
  }
  if ([...lados].sort().join() !== (deitado ? 'direita,esquerda' : 'abaixo')) erros.push([...lados]);
  if (erros.length) falha(`leiaute ${deitado ? 'deitado' : 'em pé'}: ${erros.join('; ')} ` +
    JSON.stringify({t, v}));
}

await roda(async (aoFim) => {
  fs.mkdirSync(pastaSaida, {recursive: true});
  const splashToque = lePng(fs.readFileSync(splashDeToque)), miraNativa = nativa('2-mira');
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 400, 860);
  const pagina = paginaPuppeteer(navegador), linhas = await navegador.linhas();
  await pagina.setViewport(celular(400, 860));
  const ve = (nome, segundos, teste) =>
    espera(navegador, nome, segundos, teste, cores, pastaSaida);
  const foto = (nome) => pagina.screenshot({path: path.join(pastaSaida, `${nome}.png`)});
  const larguraDaTela = () => pagina.evaluate(() => document.getElementById('tela').clientWidth);
  const gira = async (deitado, largura = 860, altura = 400) => {
    await pagina.setViewport(deitado ? celular(largura, altura) : celular(400, 860));
    await esperaValor(`leiaute ${deitado ? 'deitado' : 'em pé'}`, 10, larguraDaTela,
      (w) => (deitado ? w > 400 : w === 400), String);
  };

  const mesa = await pagina.browser().newPage();
  await mesa.goto(url);
  await mesa.waitForSelector('#botao:not([hidden])', {timeout: 60000});
  const naMesa = await mesa.evaluate(() =>
    `${document.getElementById('botao').textContent}, ${document.querySelectorAll('.controle').length}`);
  if (naMesa !== 'Clique para jogar, 0') falha(`página de mesa: ${naMesa}`);
  await mesa.close();

  await pagina.goto(url);
  const inicio = await pagina.waitForSelector(
    '::-p-aria([name="Toque para jogar"][role="button"])', {visible: true, timeout: 60000});
  await confereLeiaute(pagina, false, NA_SPLASH);
  // Turned on a small phone, whose bands beside the picture are narrowest.
  await gira(true, 667, 375);
  await confereLeiaute(pagina, true, NA_SPLASH);
  await gira(false);
  await pagina.touchscreen.tap(...centro(await inicio.boundingBox()));
  await ve('splash', 30, (img) => compara(img, splashToque, 0).diferentes === 0);
  await foto('celular-splash');
  // The tap was the gesture that lets sound play: the music's clock runs.
  await esperaValor('música tocando', 10, () => pagina.evaluate(() =>
    SDL.audioContext && SDL.music.audio
      ? SDL.audioContext.currentTime - SDL.music.audio.startTime : 0), (s) => s > 0.2, String);

  // A tap goes down and up at once: the page holds it for the game.
  await toca(pagina, 'Dois jogadores');
  await ve('fim do splash', 10, (img) => compara(img, splashToque, 0).diferentes > 0);

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
  await foto('celular-em-pe');

  await toca(pagina, 'Trocar bala');
  await ve('troca de bala', 10, (img) => destaque(img, 1) && !destaque(img, 0));

  // Turned and back, in the same document.
  await pagina.evaluate(() => { window.semRecarga = true; });
  await gira(true);
  await confereLeiaute(pagina, true, NO_JOGO);
  await foto('celular-deitado');
  await gira(false);
  await confereLeiaute(pagina, false, NO_JOGO);
  if (!await pagina.evaluate(() => window.semRecarga)) falha('a página recarregou ao girar');

  // "Atirar" held swings the force bar; letting go fires.
  const atirar = await pagina.touchscreen.touchStart(...centro(await caixa(pagina, 'Atirar')));
  await ve('barra de força', 10, barra);
  await atirar.end();
  await ve('voo', 10, (img) => !destaque(img, 1));
  await pagina.touchscreen.tap(...naTela(300, 468));
  await ve('mira do jogador 2', 40, (img) => destaque(img, 0) && cor(img, 371, 505, [0, 255, 0]));

  // "Sair": the game ends and the page offers another.
  await toca(pagina, 'Sair');
  await esperaValor('fim da partida', 15, () => pagina.evaluate(() =>
    document.getElementById('aviso').hidden ? '' : document.getElementById('mensagem').textContent),
  (m) => m === 'Partida encerrada.', String);
  const erros = linhas.filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
