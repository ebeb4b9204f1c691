// Presses that end before the game reads its input again, in headless
// Chromium: a key, a right click and a left click, each pressed and let go
// while the page is frozen, so that both reach the page together on waking,
// as a quick tap does while a frame runs long. Each must do what a held one
// does: Enter leaves the splash, the right click changes the cannonball, and
// the left click fires.
//
//   node pressao_curta.mjs <build-web/web>
import {
  abrePagina, espera, esperaValor, falha, mesmaCor, paginaPuppeteer, pixel, roda,
} from './apoio.mjs';

const [pastaWeb] = process.argv.slice(2);
const VERMELHO = [255, 0, 0];
const destaque = (img, tipo) => mesmaCor(pixel(img, 197 + 150 * tipo, 55), VERMELHO);
const cores = (img) => [[197, 55], [347, 55]].map(([x, y]) => `(${x},${y})=${pixel(img, x, y)}`)
  .join(' ');

await roda(async (aoFim) => {
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 800, 600);
  const cdp = await paginaPuppeteer(navegador).createCDPSession();
  const ve = (nome, teste) => espera(navegador, nome, 10, teste, cores);

  // The input sent while the page is frozen reaches it on waking, all at
  // once; each call is awaited only then.
  async function deUmaVez(...entradas) {
    await cdp.send('Page.setWebLifecycleState', {state: 'frozen'});
    const enviadas = entradas.map((f) => f());
    await cdp.send('Page.setWebLifecycleState', {state: 'active'});
    await Promise.all(enviadas);
  }

  await navegador.vai(url);
  await esperaValor('o botão de jogar', 60,
    () => navegador.avalia(() => !document.getElementById('botao').hidden), (v) => v, String);
  await navegador.clica('#botao');
  await esperaValor('o splash', 15, () => navegador.avalia(() => Boolean(SDL.screen)),
    (v) => v, String);

  await deUmaVez(() => navegador.tecla('Enter', true), () => navegador.tecla('Enter', false));
  await ve('a mira depois de um Enter curto', (img) => destaque(img, 0));
  await navegador.move(500, 468);
  await deUmaVez(() => navegador.botao(true, 'right'), () => navegador.botao(false, 'right'));
  await ve('a bala trocada por um clique curto', (img) => destaque(img, 1));
  await deUmaVez(() => navegador.botao(true), () => navegador.botao(false));
  await ve('o tiro de um clique curto', (img) => !destaque(img, 0) && !destaque(img, 1));

  const erros = (await navegador.linhas()).filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
