// The SDL software back-end on the browser's 2-D canvas: the frame that
// desenho_sdl.cpp draws, read from the page shown twice its size (so the
// page's scaling is in play, for the mouse too), checked pixel by pixel; the
// frame wait never ends early, even where the display refreshes three times
// a frame; and the page keeps the context menu off the canvas.
//
//   node desenho_sdl.mjs <build-web/testes>
import {abrePagina, espera, esperaValor, mesmaCor, pixel, roda} from './apoio.mjs';

const [pasta] = process.argv.slice(2);
const FUNDO = [0, 0, 128];
// A point of the program's 320x240 frame and the colour it must have.
const ESPERADO = [
  [[5, 5], FUNDO],                // cleared
  [[30, 20], [0, 255, 0]],        // filled rectangle
  [[116, 116], [250, 210, 40]],   // yellow ball, frame 0
  [[101, 101], FUNDO],            // its magenta corner is not drawn
  [[156, 116], [230, 60, 50]],    // red ball, frame 1
  [[195, 116], FUNDO],            // the third ball, left of the drawing area
  [[201, 116], [250, 210, 40]],   // ... inside it: the ball's middle, not its rim
  [[220, 116], FUNDO],            // ... right of it
];

await roda(async (aoFim) => {
  const {navegador, url} = await abrePagina(aoFim, pasta, 640, 480);
  await navegador.vai(url);
  await esperaValor('o botão de jogar', 60,
    () => navegador.avalia(() => !document.getElementById('botao').hidden), (v) => v, String);
  await navegador.clica('#botao');
  // The middle of each canvas pixel in the doubled picture.
  const cor = (img, [x, y]) => pixel(img, 2 * x + 1, 2 * y + 1);
  // Text: white ink in the first letter's cell.
  const temTexto = (img) => {
    for (let y = 200; y < 216; y++)
      for (let x = 10; x < 26; x++) if (mesmaCor(cor(img, [x, y]), [255, 255, 255])) return true;
    return false;
  };
  await espera(navegador, 'desenho', 30,
    (img) => ESPERADO.every(([p, c]) => mesmaCor(cor(img, p), c)) && temTexto(img),
    (img) => ESPERADO.map(([p]) => `(${p})=${cor(img, p)}`).join(' ') + ` texto=${temTexto(img)}`);
  // The pointer over canvas pixel (260, 60) of the doubled page.
  await navegador.move(2 * 260 + 1, 2 * 60 + 1);
  await espera(navegador, 'quadrado sob o mouse', 10,
    (img) => mesmaCor(cor(img, [260, 60]), [255, 128, 0]) &&
      mesmaCor(cor(img, [266, 60]), FUNDO),
    (img) => `(260,60)=${cor(img, [260, 60])} (266,60)=${cor(img, [266, 60])}`);
  // 20 frames by the page's clock, from one frame wait to the next: a load
  // can only stretch them, and a wait that ended at any refresh would take a
  // third of the time. Each may end a millisecond early, and the library's
  // clock has whole ones.
  await navegador.avalia(() => {
    window.esperas = [];
    const espera = T2D2Quadro.espera;
    T2D2Quadro.espera = function () {
      esperas.push(performance.now());
      return espera.apply(this, arguments);
    };
  });
  const t = await esperaValor('21 esperas de quadro', 10,
    () => navegador.avalia(() => esperas), (v) => v.length >= 21, (v) => `${v.length}`);
  if (t[20] - t[0] < 20 * 48)
    throw new Error(`20 quadros em ${(t[20] - t[0]).toFixed(0)} ms: o programa pede 20 por ` +
      'segundo, que levam pelo menos 960 ms');
  const menu = await navegador.avalia(() => document.querySelector('canvas').dispatchEvent(
    new MouseEvent('contextmenu', {bubbles: true, cancelable: true})));
  if (menu) throw new Error('o menu de contexto não foi suprimido sobre a tela');
  const linhas = await navegador.linhas();
  if (!linhas.includes('Desenho SDL pronto.'))
    throw new Error(`sem a linha de pronto: ${JSON.stringify(linhas)}`);
});
