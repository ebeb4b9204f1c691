// A game maker's own game from the installed library (pacote.sh), served as
// the guide says and opened on an emulated phone: its first frame shows,
// and a tap on the one control its build declared reaches the game.
//
//   node pacote.mjs <page folder> <its address> <folder for screenshots>
import {abrePagina, espera, falha, mesmaCor, paginaPuppeteer, pixel, roda} from './apoio.mjs';

const [pasta, url, pastaSaida] = process.argv.slice(2);
const VERMELHO = [220, 0, 0], VERDE = [0, 200, 0];
const meio = (img) => pixel(img, img.largura >> 1, img.altura >> 1);
const centro = (c) => [c.x + c.width / 2, c.y + c.height / 2];

await roda(async (aoFim) => {
  const {navegador} = await abrePagina(aoFim, pasta, 400, 860);
  const pagina = paginaPuppeteer(navegador), linhas = await navegador.linhas();
  await pagina.setViewport({
    width: 400, height: 860, deviceScaleFactor: 2, isMobile: true, hasTouch: true,
  });
  await pagina.goto(url);
  const inicio = await pagina.waitForSelector('#botao:not([hidden])',
    {visible: true, timeout: 60000});
  await pagina.touchscreen.tap(...centro(await inicio.boundingBox()));
  const ve = (nome, segundos, cor) => espera(navegador, nome, segundos,
    (img) => mesmaCor(meio(img), cor), (img) => `meio=${meio(img)}`, pastaSaida);
  await ve('primeiro quadro', 30, VERMELHO);

  const controle = await pagina.waitForSelector(
    '::-p-aria([name="Trocar cor"][role="button"])', {visible: true, timeout: 10000});
  await pagina.touchscreen.tap(...centro(await controle.boundingBox()));
  await ve('cor trocada pelo toque', 10, VERDE);
  const erros = linhas.filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
