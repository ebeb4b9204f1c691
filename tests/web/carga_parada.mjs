// A download that stalls without failing, in headless Chromium: the server
// sends half of the data package under its full length and then nothing,
// and the page says it could not load the game 15 s after the last byte, as
// it does for an error. Beside it, in a browser of its own, a download as
// slow as a phone's that keeps moving (the phone network profile, and the
// package sent in four parts 5.5 s apart, 16.5 s in all) never shows that
// message.
//
//   node carga_parada.mjs <build-web/web>
import fs from 'node:fs';
import path from 'node:path';
import {abrePagina, esperaValor, falha, paginaPuppeteer, pausa, roda} from './apoio.mjs';

const [pastaWeb] = process.argv.slice(2);
const MSG = 'Não foi possível carregar o jogo.';
const SEM_PROGRESSO = 15;
const dados = fs.readFileSync(path.join(pastaWeb, 'trovasco.data'));

// Every text the notice showed, and its button, from the page's first line.
function anotaAvisos() {
  window.avisos = [];
  const anota = () => {
    const m = document.getElementById('mensagem'), b = document.getElementById('botao');
    avisos.push(`${m.textContent}|${b.hidden ? '' : b.textContent}`);
  };
  addEventListener('DOMContentLoaded', () => {
    new MutationObserver(anota).observe(document.getElementById('aviso'),
      {subtree: true, childList: true, characterData: true, attributes: true});
  });
}

// The page opened with its data package answered by resposta. The window's
// load event waits for the package too, so the opening waits only for the
// document.
async function abre(aoFim, resposta, antes = async () => {}) {
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 800, 600, 'chromium',
    {respostas: {'/trovasco.data': resposta}});
  const pagina = paginaPuppeteer(navegador);
  await pagina.evaluateOnNewDocument(anotaAvisos);
  await antes(pagina);
  await pagina.goto(url, {waitUntil: 'domcontentloaded'});
  return navegador;
}

const avisos = (navegador) => navegador.avalia(() => window.avisos || []);

async function parada(aoFim) {
  let ultimoByte = 0;
  const navegador = await abre(aoFim, (req, res) => {
    res.writeHead(200, {'Content-Type': 'application/octet-stream',
      'Content-Length': dados.length});
    res.write(dados.subarray(0, dados.length >> 1), () => { ultimoByte = Date.now(); });
  });
  const visto = await esperaValor('o aviso de falha', SEM_PROGRESSO + 15,
    () => avisos(navegador), (v) => v.includes(`${MSG}|Tentar de novo`), JSON.stringify);
  const segundos = (Date.now() - ultimoByte) / 1000;
  if (!ultimoByte || segundos < SEM_PROGRESSO - 0.5 || segundos > SEM_PROGRESSO + 3)
    falha(`o aviso veio ${segundos.toFixed(1)} s depois do último byte: ${JSON.stringify(visto)}`);
  return segundos;
}

async function lenta(aoFim) {
  const PARTES = 4, ENTRE = 5500;
  const navegador = await abre(aoFim, async (req, res) => {
    res.writeHead(200, {'Content-Type': 'application/octet-stream',
      'Content-Length': dados.length});
    for (let k = 0; k < PARTES && !res.destroyed; k++) {
      if (k) await pausa(ENTRE);
      res.write(dados.subarray(Math.floor((k * dados.length) / PARTES),
        Math.floor(((k + 1) * dados.length) / PARTES)));
    }
    res.end();
  }, async (pagina) => {
    const cdp = await pagina.createCDPSession();
    await cdp.send('Network.emulateNetworkConditions', {offline: false, latency: 60,
      downloadThroughput: 9e6 / 8, uploadThroughput: 1.5e6 / 8});
  });
  const visto = await esperaValor('o botão de jogar', (PARTES * ENTRE) / 1000 + 30,
    () => avisos(navegador), (v) => v.some((a) => a.endsWith('|Clique para jogar')),
    JSON.stringify);
  if (visto.some((a) => a.startsWith(MSG)))
    falha(`uma carga lenta foi dada por perdida: ${JSON.stringify([...new Set(visto)])}`);
}

await roda(async (aoFim) => {
  const [p, l] = await Promise.allSettled([parada(aoFim), lenta(aoFim)]);
  for (const r of [p, l]) if (r.status === 'rejected') throw r.reason;
  console.log(`carga parada: aviso ${p.value.toFixed(1)} s depois do último byte`);
});
