// A game against the computer at level "médio", one turn of each side, as a
// person plays it: on the desktop page with the keyboard and the mouse, then
// on an emulated phone by touch, where the title screen's buttons must give
// way to the play controls and "Atirar" and "Trocar bala" must hide, and
// their places take no press, whenever it is not the person's turn. A
// control held as the turn ends is let go for the game; a finger already
// down where "Atirar" shows again does not charge: only a new press does. Follows the game's state words; keeps the phone's view of the
// computer's turn.
//
//   node computador.mjs <build-web/web> <folder for screenshots>
import fs from 'node:fs';
import path from 'node:path';
import {
  abrePagina, acompanhaEstados, esperaEstado, esperaValor, falha, paginaPuppeteer, roda,
} from './apoio.mjs';

const [pastaWeb, pastaSaida] = process.argv.slice(2);
const celular = {width: 400, height: 860, deviceScaleFactor: 2, isMobile: true, hasTouch: true};
const NA_VEZ = ['Trocar bala', 'Atirar'];

// The person aims at (500, 468) of the game's 800 x 600 and fires with the
// least force; the computer then plays its turn, up to its shot. maos:
// mira(x, y), and atira(), which presses and answers the release. Answers
// how many state words had come by the computer's shot.
async function umaVezDeCada(navegador, maos, naVezDoComputador) {
  let n = await esperaEstado(navegador, 'pessoa', 10);
  await maos.mira(500, 468);
  const solta = await maos.atira();
  n = await esperaEstado(navegador, 'carga', 10, n);
  await solta();
  n = await esperaEstado(navegador, 'voo', 10, n);
  n = await esperaEstado(navegador, 'computador', 30, n);
  await naVezDoComputador();
  return esperaEstado(navegador, 'voo', 15, n);
}

async function abreJogo(navegador, entra) {
  await esperaValor('o botão de jogar', 60,
    () => navegador.avalia(() => !document.getElementById('botao').hidden), (v) => v, String);
  await acompanhaEstados(navegador);
  await entra();
  await esperaEstado(navegador, 'splash', 30);
}

// Every state word the page announced, with whether each control that
// acts only in the person's turn was shown when it came.
function anotaControles(nomes) {
  window.controlesVistos = [];
  const botoes = nomes.map((n) => document.querySelector(`.controle[aria-label="${n}"]`));
  addEventListener('t2d2estado', (e) => controlesVistos.push(
    `${e.detail}:${botoes.map((b) => (b.hidden ? 'oculto' : 'ativo')).join(',')}`));
}

await roda(async (aoFim) => {
  fs.mkdirSync(pastaSaida, {recursive: true});
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 800, 600);
  const pagina = paginaPuppeteer(navegador);

  // The desktop page: key 2 held until the game has left the title screen.
  await navegador.vai(url);
  await abreJogo(navegador, () => navegador.clica('#botao'));
  await navegador.tecla('2', true);
  await esperaEstado(navegador, 'pessoa', 10);
  await navegador.tecla('2', false);
  await umaVezDeCada(navegador, {
    mira: (x, y) => navegador.move(x, y),
    atira: async () => {
      await navegador.botao(true);
      return () => navegador.botao(false);
    },
  }, async () => {});

  // The phone: the title screen's choices by touch.
  await pagina.setViewport(celular);
  await pagina.goto(url);
  const botao = (nome) => pagina.$(`::-p-aria([name="${nome}"][role="button"])`);
  const centro = async (nome) => {
    const c = await (await botao(nome) || falha(`sem o botão "${nome}"`)).boundingBox();
    return [c.x + c.width / 2, c.y + c.height / 2];
  };
  await abreJogo(navegador, async () => pagina.touchscreen.tap(...await centro('Toque para jogar')));
  await pagina.evaluate(anotaControles, NA_VEZ);
  await pagina.touchscreen.tap(...await centro('Computador: médio'));
  await esperaEstado(navegador, 'pessoa', 10);
  for (const nome of ['Dois jogadores', 'Computador: fácil', 'Computador: médio',
    'Computador: difícil']) if (await botao(nome)) falha(`"${nome}" segue na partida`);
  const lugares = {};
  for (const nome of [...NA_VEZ, 'Sair']) lugares[nome] = await centro(nome);

  const t = await (await pagina.$('canvas')).boundingBox();
  const pressoes = () => pagina.evaluate(() => window.pressoesNoJogo);
  let trocando = null;
  const n = await umaVezDeCada(navegador, {
    mira: (x, y) => pagina.touchscreen.tap(t.x + x * t.width / 800, t.y + y * t.height / 600),
    // A second finger holds "Trocar bala" through the shot.
    atira: async () => {
      trocando = await pagina.touchscreen.touchStart(...await centro('Trocar bala'));
      const dedo = await pagina.touchscreen.touchStart(...await centro('Atirar'));
      return () => dedo.end();
    },
  }, async () => {
    await pagina.screenshot({path: path.join(pastaSaida, 'celular-computador.png')});
    // Hidden with the turn, "Trocar bala" was let go for the game, the
    // finger still down.
    await esperaValor('o botão direito solto', 5, () => pagina.evaluate(() =>
      Boolean(SDL.DOMButtons[2])), (v) => !v, String);
    await trocando.end();
    // Taps where the hidden controls were reach no input of the game while
    // the person's turn has not come back.
    await pagina.evaluate(() => {
      window.pressoesNoJogo = 0;
      const recebe = SDL.receiveEvent;
      SDL.receiveEvent = function (e) {
        if (e.type === 'mousedown' && !['pessoa', 'carga'].includes(Module.estadoDoJogo))
          pressoesNoJogo++;
        return recebe.apply(this, arguments);
      };
    });
    for (const nome of NA_VEZ) await pagina.touchscreen.tap(...lugares[nome]);
    if (await pressoes()) falha(`${await pressoes()} toques chegaram ao jogo fora da vez da pessoa`);
  });

  // A finger put down where "Atirar" was, in the computer's turn, and held
  // until "Atirar" shows under it again, for ten frames: no charge. Lifted
  // and put down again: the charge.
  const dedo = await pagina.touchscreen.touchStart(...lugares.Atirar);
  const m = await esperaEstado(navegador, 'pessoa', 30, n);
  await centro('Atirar');
  const depois = await pagina.evaluate(() => new Promise((r) => {
    let quadros = 0;
    const conta = () => (++quadros === 10 ? r(Module.estadoDoJogo) : requestAnimationFrame(conta));
    requestAnimationFrame(conta);
  }));
  const semCarga = (await navegador.avalia(() => estadosVistos)).slice(m);
  if (depois !== 'pessoa' || semCarga.length) falha(`um dedo da vez anterior: ${depois} ${semCarga}`);
  await dedo.end();
  const outro = await pagina.touchscreen.touchStart(...lugares.Atirar);
  await esperaEstado(navegador, 'carga', 10, m);
  await outro.end();

  // Usable in the person's turns only, and again in the next one.
  const vistos = await pagina.evaluate(() => controlesVistos);
  const errados = vistos.filter((v) =>
    !v.endsWith(/^(pessoa|carga):/.test(v) ? 'ativo,ativo' : 'oculto,oculto'));
  const volta = vistos.indexOf('pessoa:ativo,ativo', vistos.indexOf('computador:oculto,oculto'));
  if (errados.length || volta < 0) falha(`controles fora do estado: ${vistos.join(' ')}`);
  const erros = (await navegador.linhas()).filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
