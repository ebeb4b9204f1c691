// A phone that sleeps mid-game, in headless Chromium, its page frozen
// (Page lifecycle "frozen", which hides it first) and its sound suspended,
// as a locked phone does.
//
// Taps made while it sleeps reach the page all at once on waking, each
// press with its release, as a quick tap does while a frame runs long: a
// key, a right click and a left click must each do what a held one does
// (Enter leaves the splash, the right click changes player 1's cannonball,
// the left click fires).
//
// Then player 2 holds a charge and the phone sleeps; the finger leaves the
// screen meanwhile and no release reaches the page. Woken, the game goes on
// where it stopped: the shot keeps the force it had, and a sleep in the
// middle of the flight finds it still under way. The music plays again
// with no gesture.
//
//   node sono.mjs <build-web/web>
import {
  abrePagina, espera, esperaValor, falha, mesmaCor, paginaPuppeteer, pausa, pixel, roda,
} from './apoio.mjs';

const [pastaWeb] = process.argv.slice(2);
const VERMELHO = [255, 0, 0], VERDE = [0, 255, 0];
const destaque = (img, tipo) => mesmaCor(pixel(img, 197 + 150 * tipo, 55), VERMELHO);
const cores = (img, pontos = [[197, 55], [347, 55], [371, 505]]) =>
  pontos.map(([x, y]) => `(${x},${y})=${pixel(img, x, y)}`).join(' ');
// How long the phone sleeps each time.
const SONO_MS = 500;

// Installed once the page has loaded: the top of player 2's force bar's
// coloured column (x 780) in the last frame the game drew: 588 when it is
// empty, null when there is no bar (no white frame at x 771). Read as the
// game hands the page its turn, before the page shows the frame and the
// browser clears it.
function vigiaBarra() {
  window.barra = null;
  const faixa = new Uint8Array(10 * 600 * 4);
  const cor = (x, y) => faixa.subarray(((599 - y) * 10 + x - 771) * 4).subarray(0, 3);
  const cede = Asyncify.handleSleep;
  Asyncify.handleSleep = (inicia) => {
    if (Asyncify.state === Asyncify.State.Normal) {
      GLctx.readPixels(771, 0, 10, 600, GLctx.RGBA, GLctx.UNSIGNED_BYTE, faixa);
      let y = 588;
      while (y > 12 && !cor(780, y - 1).every((v) => v === 0)) y--;
      barra = cor(771, 300).every((v) => v === 255) ? y : null;
    }
    return cede(inicia);
  };
}

await roda(async (aoFim, aoFalhar) => {
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 800, 600);
  const cdp = await paginaPuppeteer(navegador).createCDPSession();
  const ve = (nome, segundos, teste) => espera(navegador, nome, segundos, teste, cores);
  const estado = () => navegador.avalia(() => ({
    contexto: SDL.audioContext.state,
    relogio: SDL.audioContext.currentTime,
    tocando: Boolean(SDL.music.audio && SDL.music.audio.webAudioNode),
    barra,
  }));
  aoFalhar(async () => console.log(`por último: ${JSON.stringify(await estado())}`));

  // The phone locks: its sound is suspended and the page frozen. What is
  // sent meanwhile reaches the page on waking, and is awaited only then.
  // Answers the force bar's top as the page fell asleep.
  async function dorme(...entradas) {
    const barra = await navegador.avalia(() => {
      SDL.audioContext.suspend();
      return window.barra;
    });
    await cdp.send('Page.setWebLifecycleState', {state: 'frozen'});
    const enviadas = entradas.map((f) => f());
    await pausa(SONO_MS);
    await cdp.send('Page.setWebLifecycleState', {state: 'active'});
    await Promise.all(enviadas);
    return barra;
  }

  await navegador.vai(url);
  await esperaValor('o botão de jogar', 60,
    () => navegador.avalia(() => !document.getElementById('botao').hidden), (v) => v, String);
  await navegador.avalia(vigiaBarra);
  await navegador.clica('#botao');
  await esperaValor('a música', 15, estado, (m) => m.tocando && m.contexto === 'running',
    JSON.stringify);

  // Taps made while asleep.
  await dorme(() => navegador.tecla('Enter', true), () => navegador.tecla('Enter', false));
  await ve('a mira depois de um Enter curto', 15, (img) => destaque(img, 0));
  await navegador.move(500, 468);
  await dorme(() => navegador.botao(true, 'right'), () => navegador.botao(false, 'right'));
  await ve('a bala trocada por um clique curto', 10, (img) => destaque(img, 1));
  await dorme(() => navegador.botao(true), () => navegador.botao(false));
  await ve('o tiro de um clique curto', 10, (img) => !destaque(img, 0) && !destaque(img, 1));

  // Player 2's charge, the bar a third up (a shot that flies for seconds),
  // and the finger gone when the phone wakes.
  await navegador.move(300, 468);
  await ve('a mira do jogador 2', 30,
    (img) => destaque(img, 0) && mesmaCor(pixel(img, 371, 505), VERDE));
  await navegador.botao(true);
  await esperaValor('a barra de força um terço acima', 10, estado,
    (m) => m.barra !== null && m.barra < 420, JSON.stringify);
  const antes = await dorme();
  await ve('o tiro depois do sono', 10, (img) => !destaque(img, 0));
  // At once, mid-flight: woken, the flight is still under way.
  const tiro = await dorme();
  await ve('o voo depois do sono', 2, (img) => !destaque(img, 0));
  // The shot keeps the force of the charge that fell asleep: a frame or two
  // may run between reading it and the sleep, each moving the bar 4.8
  // pixels.
  if (antes === null || tiro === null || Math.abs(tiro - antes) > 4 * 4.8)
    falha(`a força mudou no sono: barra de ${antes} para ${tiro}`);
  const acordado = await estado();
  await esperaValor('a música de volta sem gesto', 10, estado,
    (m) => m.contexto === 'running' && m.tocando && m.relogio > acordado.relogio + 0.2,
    JSON.stringify);
  await navegador.botao(false);

  const erros = (await navegador.linhas()).filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
  console.log(`força antes e depois do sono: barra em ${antes} e ${tiro}`);
});
