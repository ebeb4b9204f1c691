// Plays a turn of the browser build on an emulated phone by touch alone,
// finding the controls by their accessible names: the start button, the
// splash, "Começar", a finger dragged over the picture that aims without
// firing, "Trocar bala", "Atirar" held and let go, the flight, player 2 and
// "Sair". The layout is checked upright and turned, without a reload, and
// each orientation's screenshot is kept. A desktop page shows no control.
//
//   node toque.mjs <build-web/web> <desktop screenshots> <folder for ours>
import fs from 'node:fs';
import path from 'node:path';
import {
  compara, espera, esperaValor, falha, lePng, mesmaCor, pixel, roda,
} from './apoio.mjs';
import {abreCelular, serve} from './celular.mjs';

const [pastaWeb, pastaNativa, pastaSaida] = process.argv.slice(2);
const NOMES = ['Começar', 'Trocar bala', 'Atirar', 'Sair'];
const VERMELHO = [255, 0, 0], VERDE = [0, 255, 0], BRANCO = [255, 255, 255];
// Upright, the 4:3 picture takes the width of 400 CSS pixels, so at twice
// the density its screenshot is the game's 800 x 600, pixel for pixel.
const [LARGURA, ALTURA] = [400, 860];

const nativa = (nome) => lePng(fs.readFileSync(path.join(pastaNativa, `${nome}.png`)));
const destaque = (img, tipo) => mesmaCor(pixel(img, 197 + 150 * tipo, 55), VERMELHO);
const barra = (img) => mesmaCor(pixel(img, 11, 300), BRANCO);
const cores = (img, pontos) =>
  pontos.map(([x, y]) => `(${x},${y})=${pixel(img, x, y)}`).join(' ');
function tintaNoCentro(img) {
  let n = 0;
  for (let y = 300; y < 332; y++)
    for (let x = 300; x < 500; x++) if (mesmaCor(pixel(img, x, y), BRANCO)) n++;
  return n;
}

const controle = (pagina, nome) => pagina.$(`::-p-aria([name="${nome}"][role="button"])`);
async function centro(pagina, nome) {
  const el = await controle(pagina, nome);
  if (!el) falha(`sem o botão "${nome}"`);
  const c = await el.boundingBox();
  return [c.x + c.width / 2, c.y + c.height / 2];
}
const toca = async (pagina, nome) => pagina.touchscreen.tap(...await centro(pagina, nome));

// Every control at least 48 x 48, inside the screen and off the picture; the
// page neither scrolled nor zoomed. Upright the picture takes the width with
// the controls under it; turned, it takes the height with the controls on
// both sides of it.
async function confereLeiaute(pagina, deitado) {
  const tela = await (await pagina.$('canvas')).boundingBox();
  const vista = await pagina.evaluate(() => ({
    w: innerWidth, h: innerHeight, rolaX: scrollX, rolaY: scrollY,
    escala: visualViewport.scale,
    conteudo: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
  }));
  const visto = {tela, vista, botoes: {}};
  const erros = [];
  if (vista.rolaX || vista.rolaY || vista.escala !== 1 ||
      vista.conteudo[0] > vista.w || vista.conteudo[1] > vista.h) erros.push('rolagem ou zoom');
  if (Math.abs(tela.width * 3 - tela.height * 4) > 4) erros.push('a tela não é 4:3');
  if (deitado ? tela.height < vista.h - 2 : tela.width !== vista.w)
    erros.push('a tela não ocupa o que pode');
  const lados = new Set();
  for (const nome of NOMES) {
    const b = await (await controle(pagina, nome)).boundingBox();
    visto.botoes[nome] = b;
    const fora = b.x + b.width <= tela.x || b.x >= tela.x + tela.width ||
      b.y + b.height <= tela.y || b.y >= tela.y + tela.height;
    if (b.width < 48 || b.height < 48) erros.push(`"${nome}" pequeno`);
    if (!fora) erros.push(`"${nome}" sobre a tela`);
    if (b.x < 0 || b.y < 0 || b.x + b.width > vista.w || b.y + b.height > vista.h)
      erros.push(`"${nome}" fora da janela`);
    if (!deitado && b.y < tela.y + tela.height) erros.push(`"${nome}" não está abaixo`);
    lados.add(b.x + b.width <= tela.x ? 'esquerda' : b.x >= tela.x + tela.width ? 'direita' : 'meio');
  }
  if (deitado && (lados.size !== 2 || lados.has('meio'))) erros.push('botões fora das faixas');
  if (erros.length) falha(`leiaute ${deitado ? 'deitado' : 'em pé'}: ${erros.join(', ')}: ` +
    JSON.stringify(visto));
}

await roda(async (aoFim) => {
  fs.mkdirSync(pastaSaida, {recursive: true});
  const splashNativo = nativa('1-splash'), miraNativa = nativa('2-mira');
  const {url, desliga} = await serve(pastaWeb);
  aoFim(desliga);
  const {navegador, pagina, linhas} = await abreCelular(aoFim, LARGURA, ALTURA);
  const ve = (nome, segundos, teste, descreve) =>
    espera(pagina, nome, segundos, teste, descreve, pastaSaida);
  const foto = (nome) => pagina.screenshot({path: path.join(pastaSaida, `${nome}.png`)});

  // A desktop page: no touch control, and the start button says click.
  const mesa = await navegador.newPage();
  await mesa.setViewport({width: 800, height: 600});
  await mesa.goto(url);
  await mesa.waitForSelector('#botao:not([hidden])', {timeout: 60000});
  const naMesa = await mesa.evaluate(() => ({
    rotulo: document.getElementById('botao').textContent,
    controles: document.querySelectorAll('.controle').length,
  }));
  if (naMesa.rotulo !== 'Clique para jogar' || naMesa.controles || await controle(mesa, 'Atirar'))
    falha(`a página de mesa mostra controles de toque: ${JSON.stringify(naMesa)}`);
  await mesa.close();

  await pagina.goto(url);
  const inicio = await pagina.waitForSelector('::-p-aria([name="Toque para jogar"][role="button"])',
    {visible: true, timeout: 60000});
  await confereLeiaute(pagina, false);
  const c = await inicio.boundingBox();
  await pagina.touchscreen.tap(c.x + c.width / 2, c.y + c.height / 2);
  await ve('splash', 30, (img) => compara(img, splashNativo, 0).diferentes === 0,
    (img) => `${compara(img, splashNativo, 0).diferentes} pixels diferentes da captura nativa`);
  // The tap was the gesture that lets sound play: the music's clock runs.
  const musica = () => pagina.evaluate(() => ({
    contexto: SDL.audioContext ? SDL.audioContext.state : 'nenhum',
    tempo: SDL.music.audio ? SDL.audioContext.currentTime - SDL.music.audio.startTime : 0,
  }));
  await esperaValor('música tocando', 10, musica,
    (m) => m.contexto === 'running' && m.tempo > 0.2, JSON.stringify);

  // A tap is a press and a release at once: the page holds it for the game.
  await toca(pagina, 'Começar');
  await ve('fim do splash', 10, (img) => compara(img, splashNativo, 0).diferentes > 0,
    () => 'o splash');

  // A finger dragged over the picture to where the desktop test aimed, (500,
  // 468) of the game's 800 x 600: the same view, with no charge and no shot.
  const tela = await (await pagina.$('canvas')).boundingBox();
  const naTela = (x, y) => [tela.x + x * tela.width / 800, tela.y + y * tela.height / 600];
  const dedo = await pagina.touchscreen.touchStart(...naTela(700, 200));
  await dedo.move(...naTela(600, 350));
  await dedo.move(...naTela(500, 468));
  await dedo.end();
  const limiteMira = (d) => d.alem <= 0.01 * d.total;
  await ve('mira pelo dedo', 10,
    (img) => limiteMira(compara(img, miraNativa, 25)) && destaque(img, 0) && !barra(img),
    (img) => `${JSON.stringify(compara(img, miraNativa, 25))} ${cores(img, [[197, 55], [11, 300]])}`);
  await foto('celular-em-pe');

  await toca(pagina, 'Trocar bala');
  await ve('troca de bala', 10, (img) => destaque(img, 1) && !destaque(img, 0),
    (img) => cores(img, [[197, 55], [347, 55]]));

  // Turned and back, in the same document: the layout follows each time.
  await pagina.evaluate(() => { window.semRecarga = true; });
  await pagina.setViewport({width: ALTURA, height: LARGURA, deviceScaleFactor: 2,
    isMobile: true, hasTouch: true});
  await esperaValor('leiaute deitado', 10, () => pagina.evaluate(() =>
    document.getElementById('tela').getBoundingClientRect().height), (h) => h > 300, String);
  await confereLeiaute(pagina, true);
  await foto('celular-deitado');
  await pagina.setViewport({width: LARGURA, height: ALTURA, deviceScaleFactor: 2,
    isMobile: true, hasTouch: true});
  await esperaValor('leiaute em pé de novo', 10, () => pagina.evaluate(() =>
    document.getElementById('tela').getBoundingClientRect().width), (w) => w === LARGURA, String);
  await confereLeiaute(pagina, false);
  if (!await pagina.evaluate(() => window.semRecarga)) falha('a página recarregou ao girar');

  // "Atirar" held swings the force bar; letting go fires.
  const atirar = await pagina.touchscreen.touchStart(...await centro(pagina, 'Atirar'));
  await ve('barra de força', 10, barra, (img) => cores(img, [[11, 300]]));
  await atirar.end();
  await ve('voo', 10, (img) => !destaque(img, 1), (img) => cores(img, [[347, 55]]));

  // The flight ends; player 2 aims, its cannon's life bar under the centre.
  const dedo2 = await pagina.touchscreen.touchStart(...naTela(300, 468));
  await dedo2.end();
  const jogador2 = await ve('mira do jogador 2', 40,
    (img) => destaque(img, 0) && mesmaCor(pixel(img, 371, 505), VERDE),
    (img) => cores(img, [[197, 55], [371, 505]]));

  await toca(pagina, 'Sair');
  await ve('Fim do jogo', 10,
    (img) => !destaque(img, 0) && tintaNoCentro(img) > 200 + tintaNoCentro(jogador2),
    (img) => `${cores(img, [[197, 55]])} tinta=${tintaNoCentro(img)}`);
  const erros = linhas.filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
