// Start-up of the browser build as a player meets it: navigation to the start
// button, to the game's first splash frame, and the tap on the button to that
// frame, on a first visit (fresh profile) and a repeat visit (same profile,
// second navigation), with a phone profile (412x915, touch, CPU 4x slower,
// 9 Mbit/s down, 1.5 Mbit/s up, 60 ms) and unthrottled. Each folder given is
// served as a plain static host would (no compression, Last-Modified and
// 304s, no Cache-Control), and the folders take turns run by run, so that a
// baseline and a candidate share the machine's noise. Prints medians.
//
//   node bench/inicio_navegador.mjs [--vezes N] [--perfil] <web folder>...
//
// --vezes 0 skips the table and the frame interval. --perfil adds, per
// folder, the functions with the most self time on the phone profile, from
// the tap to the splash on a first visit and from navigation to the splash
// on the repeat visit, and when each file arrived. Phone-profile runs per
// folder then play on for the frame interval in the aiming view.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {createRequire} from 'node:module';
import {ARGUMENTOS_CHROMIUM} from '../tests/web/apoio.mjs';

// The tests' Chromium, but compositing on its (SwiftShader) GPU as a phone
// composites on its own: with --disable-gpu every frame of the WebGL canvas
// is read back for a software compositor, a cost no phone pays, and that
// alone puts about 15 ms on the p95 of a frame at 4x.
const ARGUMENTOS = ARGUMENTOS_CHROMIUM.filter((a) => a !== '--disable-gpu');

const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const TIPOS = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
};

const PERFIS = {
  celular: {cpu: 4, rede: {latency: 60, downloadThroughput: 9e6 / 8,
    uploadThroughput: 1.5e6 / 8}},
  livre: {cpu: 1, rede: null},
};

// ---------------------------------------------------------------------------
// A plain static host that counts the bytes it writes
// ---------------------------------------------------------------------------

async function serve(pasta) {
  pasta = path.resolve(pasta);
  const soquetes = new Set();
  let fechados = 0;
  const servidor = http.createServer((req, res) => {
    const nome = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const arquivo = path.join(pasta, nome.endsWith('/') ? nome + 'index.html' : nome);
    if (!arquivo.startsWith(pasta) || !fs.existsSync(arquivo)) {
      res.writeHead(404).end();
      return;
    }
    const modificado = fs.statSync(arquivo).mtime;
    modificado.setMilliseconds(0);
    const desde = Date.parse(req.headers['if-modified-since'] || '');
    if (desde >= modificado.getTime()) {
      res.writeHead(304).end();
      return;
    }
    res.writeHead(200, {
      'Content-Type': TIPOS[path.extname(arquivo)] || 'application/octet-stream',
      'Content-Length': fs.statSync(arquivo).size,
      'Last-Modified': modificado.toUTCString(),
    });
    fs.createReadStream(arquivo).pipe(res);
  });
  servidor.on('connection', (s) => {
    soquetes.add(s);
    s.on('close', () => {
      fechados += s.bytesWritten;
      soquetes.delete(s);
    });
  });
  await new Promise((pronto) => servidor.listen(0, '127.0.0.1', pronto));
  return {
    url: `http://127.0.0.1:${servidor.address().port}/`,
    bytes: () => [...soquetes].reduce((t, s) => t + s.bytesWritten, fechados),
    fecha: () => {
      for (const s of soquetes) s.destroy();
      servidor.close();
    },
  };
}

// ---------------------------------------------------------------------------
// One browser, one fresh profile
// ---------------------------------------------------------------------------

async function abreNavegador() {
  const perfil = fs.mkdtempSync(path.join(os.tmpdir(), 'inicio-chromium-'));
  const navegador = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: perfil,
    args: ARGUMENTOS,
  });
  return {
    navegador,
    fecha: async () => {
      await navegador.close();
      fs.rmSync(perfil, {recursive: true, force: true});
    },
  };
}

// Marks by the page's clock (ms since navigation): the button shown, the
// tap on it, every frame the game presents, and each display frame that
// shows a new picture (the frame time of the first refresh after a present,
// with the number of presents by then).
function instalaMarcas() {
  window.marcas = {quadros: [], exibidos: []};
  const m = window.marcas;
  new MutationObserver(() => {
    const b = document.getElementById('botao');
    if (!m.botao && b && !b.hidden) m.botao = performance.now();
  }).observe(document, {subtree: true, childList: true, attributes: true});
  // The tap's own time: the click comes after the finger lifts.
  for (const tipo of ['touchstart', 'mousedown'])
    document.addEventListener(tipo, (e) => {
      if (!m.toque && m.botao) m.toque = e.timeStamp;
    }, true);
  addEventListener('DOMContentLoaded', () => {
    const troca = Browser.doSwapBuffers;
    let aExibir = false;
    Browser.doSwapBuffers = function () {
      m.quadros.push(performance.now());
      if (!aExibir) {
        aExibir = true;
        requestAnimationFrame((t) => {
          aExibir = false;
          m.exibidos.push([t, m.quadros.length]);
        });
      }
      if (troca) return troca.apply(this, arguments);
    };
  });
}

async function abrePagina(navegador, perfil) {
  const pagina = await navegador.newPage();
  await pagina.setViewport({width: 412, height: 915, isMobile: true, hasTouch: true});
  const cdp = await pagina.createCDPSession();
  await cdp.send('Emulation.setCPUThrottlingRate', {rate: PERFIS[perfil].cpu});
  if (PERFIS[perfil].rede) {
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions',
      {offline: false, ...PERFIS[perfil].rede});
  }
  const erros = [];
  pagina.on('pageerror', (e) => erros.push(e.message));
  await pagina.evaluateOnNewDocument(instalaMarcas);
  // A fresh browser's first WebGL context starts its GPU process: a phone's
  // browser has that running already.
  await pagina.evaluate(() => document.createElement('canvas').getContext('webgl'));
  return {pagina, cdp, erros};
}

// One visit: navigation, a tap on the button as soon as it shows, the first
// splash frame (the game's second present: the first is the cleared
// screen at start-up).
async function visita(pagina, url, servidor, erros, antesDoToque = async () => {}) {
  const antes = servidor.bytes();
  await pagina.goto('about:blank');
  await pagina.goto(url);
  // One round trip from the button showing to the tap: the page answers
  // with the button's centre as soon as it shows.
  const centro = await (await pagina.waitForFunction(() => {
    const b = document.getElementById('botao');
    if (!b || b.hidden) return null;
    const r = b.getBoundingClientRect();
    return {x: r.x + r.width / 2, y: r.y + r.height / 2};
  }, {timeout: 60000, polling: 'mutation'})).jsonValue();
  await antesDoToque();
  await pagina.touchscreen.tap(centro.x, centro.y);
  await pagina.waitForFunction(() => marcas.quadros.length >= 2,
    {timeout: 60000, polling: 50}).catch(() => {
    throw new Error(`sem o splash: ${erros.join('; ')}`);
  });
  const m = await pagina.evaluate(() => ({
    ...marcas,
    arquivos: performance.getEntriesByType('resource').map((r) =>
      [r.name.replace(/.*\//, ''), Math.round(r.responseEnd)]),
  }));
  return {
    botao: m.botao, splash: m.quadros[1], clique: m.quadros[1] - m.toque,
    bytes: servidor.bytes() - antes, arquivos: m.arquivos,
  };
}

async function rodada(pasta, perfil) {
  const servidor = await serve(pasta);
  const {navegador, fecha} = await abreNavegador();
  try {
    const {pagina, erros} = await abrePagina(navegador, perfil);
    const primeira = await visita(pagina, servidor.url, servidor, erros);
    // A player stays on the page: whatever it still fetches arrives.
    await pagina.waitForNetworkIdle({idleTime: 500, timeout: 60000});
    const repetida = await visita(pagina, servidor.url, servidor, erros);
    return {primeira, repetida};
  } finally {
    await fecha();
    servidor.fecha();
  }
}

// ---------------------------------------------------------------------------
// Where the time goes: the CPU profile of a first visit
// ---------------------------------------------------------------------------

async function perfilDeCpu(pasta) {
  const servidor = await serve(pasta);
  const {navegador, fecha} = await abreNavegador();
  try {
    const {pagina, cdp, erros} = await abrePagina(navegador, 'celular');
    await cdp.send('Profiler.enable');
    await cdp.send('Profiler.setSamplingInterval', {interval: 200});
    const v = await visita(pagina, servidor.url, servidor, erros,
      () => cdp.send('Profiler.start'));
    const toque = tempoProprio((await cdp.send('Profiler.stop')).profile);
    await pagina.waitForNetworkIdle({idleTime: 500, timeout: 60000});
    await cdp.send('Profiler.start');
    const r = await visita(pagina, servidor.url, servidor, erros);
    const repetida = tempoProprio((await cdp.send('Profiler.stop')).profile);
    return {visita: v, toque, repetida: r, perfilRepetida: repetida};
  } finally {
    await fecha();
    servidor.fecha();
  }
}

function tempoProprio(profile) {
  const porNo = new Map(profile.nodes.map((n) => [n.id, n]));
  const soma = new Map();
  profile.samples.forEach((id, i) => {
    const f = porNo.get(id).callFrame;
    const nome = `${f.functionName || '(anônima)'} ${f.url.replace(/.*\//, '')}`.trim();
    soma.set(nome, (soma.get(nome) || 0) + (profile.timeDeltas[i] || 0) / 1000);
  });
  return [...soma].filter(([n]) => !n.startsWith('(idle)'))
    .sort((a, b) => b[1] - a[1]).slice(0, 18);
}

// ---------------------------------------------------------------------------
// Frame interval while aiming, phone profile
// ---------------------------------------------------------------------------

// Measured where the player sees it, between the display frames that show a
// new picture: a refresh with no new picture makes a gap of two refreshes.
// The gaps between the game's presents, by the page's clock, are given too:
// the CPU slow-down suspends the page's thread at random, so that even a bare
// animation-frame loop measures a p95 of about 20 ms by that clock.
async function intervaloDeQuadros(pasta) {
  const servidor = await serve(pasta);
  const {navegador, fecha} = await abreNavegador();
  try {
    const {pagina, erros} = await abrePagina(navegador, 'celular');
    await visita(pagina, servidor.url, servidor, erros);
    await pagina.keyboard.down('Enter');
    const n0 = await pagina.evaluate(() => marcas.quadros.length);
    await pagina.waitForFunction((n) => marcas.quadros.length > n + 5,
      {timeout: 30000, polling: 100}, n0);
    await pagina.keyboard.up('Enter');
    const n1 = await pagina.evaluate(() => marcas.exibidos.length);
    await pagina.waitForFunction((n) => marcas.exibidos.length >= n + 361,
      {timeout: 60000, polling: 500}, n1);
    const m = await pagina.evaluate((n) => {
      const exibidos = marcas.exibidos.slice(n, n + 361);
      return {exibidos, quadros: marcas.quadros.slice(exibidos[0][1] - 1, exibidos[360][1])};
    }, n1);
    const t = m.exibidos.map(([x]) => x);
    const d = t.slice(1).map((x, i) => x - t[i]);
    const a = m.quadros.slice(1).map((x, i) => x - m.quadros[i]);
    return {
      mediana: quantil(d, 0.5), p95: quantil(d, 0.95),
      repetidos: d.filter((x) => x > 1.5 * quantil(d, 0.5)).length,
      perdidos: a.length - d.length,
      apresentacaoP95: quantil(a, 0.95),
    };
  } finally {
    await fecha();
    servidor.fecha();
  }
}

// ---------------------------------------------------------------------------
// Table
// ---------------------------------------------------------------------------

function quantil(v, q) {
  const o = [...v].sort((a, b) => a - b);
  return o[Math.min(o.length - 1, Math.floor(q * o.length))];
}

const mediana = (v) => {
  const o = [...v].sort((a, b) => a - b);
  const m = o.length >> 1;
  return o.length % 2 ? o[m] : (o[m - 1] + o[m]) / 2;
};

const s = (ms) => (ms / 1000).toFixed(2).padStart(6) + ' s';
const kb = (b) => (b / 1024).toFixed(0).padStart(6) + ' KiB';

const args = process.argv.slice(2);
let vezes = 5, comPerfil = false;
const pastas = [];
for (let i = 0; i < args.length; i++) {
  if (args[i] === '--vezes') vezes = Number(args[++i]);
  else if (args[i] === '--perfil') comPerfil = true;
  else pastas.push(args[i]);
}
if (!pastas.length || !(vezes >= 0)) {
  console.error('uso: node bench/inicio_navegador.mjs [--vezes N] [--perfil] <pasta web>...');
  process.exit(2);
}

const resultados = new Map();
for (let r = 0; r < vezes; r++)
  for (const perfil of Object.keys(PERFIS))
    for (const pasta of pastas) {
      const chave = `${pasta}|${perfil}`;
      if (!resultados.has(chave)) resultados.set(chave, []);
      resultados.get(chave).push(await rodada(pasta, perfil));
      process.stderr.write('.');
    }
process.stderr.write('\n');

if (vezes) console.log(`Medianas de ${vezes} (em cada linha: navegação -> botão, ` +
  'navegação -> primeiro quadro do splash, toque -> splash, bytes recebidos)');
for (const pasta of vezes ? pastas : []) {
  console.log(`\n${pasta}`);
  for (const perfil of Object.keys(PERFIS))
    for (const vis of ['primeira', 'repetida']) {
      const v = resultados.get(`${pasta}|${perfil}`).map((x) => x[vis]);
      console.log(`  ${perfil.padEnd(8)} ${vis.padEnd(9)}` +
        ` botão ${s(mediana(v.map((x) => x.botao)))}` +
        `  splash ${s(mediana(v.map((x) => x.splash)))}` +
        `  toque->splash ${s(mediana(v.map((x) => x.clique)))}` +
        `  ${kb(mediana(v.map((x) => x.bytes)))}`);
    }
  const ultima = resultados.get(`${pasta}|celular`).at(-1).primeira;
  console.log(`  chegada dos arquivos (celular, primeira, última rodada): ` +
    ultima.arquivos.map(([n, t]) => `${n} ${s(t).trim()}`).join(', '));
}

const quadros = new Map(pastas.map((p) => [p, []]));
for (let r = 0; r < vezes; r++)
  for (const pasta of pastas) quadros.get(pasta).push(await intervaloDeQuadros(pasta));
for (const pasta of vezes ? pastas : []) {
  const q = quadros.get(pasta);
  const med = (campo, casas = 1) => mediana(q.map((x) => x[campo])).toFixed(casas);
  console.log(`\n${pasta}: mirando no celular, 360 quadros exibidos, medianas de ` +
    `${vezes} rodadas: intervalo mediano ${med('mediana')} ms, p95 ${med('p95')} ms; ` +
    `refrescos sem quadro novo ${med('repetidos', 0)}, quadros nunca exibidos ` +
    `${med('perdidos', 0)}; p95 entre apresentações pelo relógio da página ` +
    `${med('apresentacaoP95')} ms (por rodada: ` +
    `${q.map((x) => `${x.p95.toFixed(1)}/${x.repetidos}/${x.apresentacaoP95.toFixed(1)}`).join(' ')})`);
}

if (comPerfil)
  for (const pasta of pastas) {
    const p = await perfilDeCpu(pasta);
    const mostra = (titulo, v, funcoes) => {
      console.log(`\n${pasta}: ${titulo} (botão ${s(v.botao)}, splash ${s(v.splash)}, ` +
        `toque->splash ${s(v.clique)})`);
      console.log(`  arquivos: ${v.arquivos.map(([n, t]) => `${n} ${s(t).trim()}`).join(', ')}`);
      for (const [nome, ms] of funcoes)
        console.log(`  ${ms.toFixed(0).padStart(6)} ms  ${nome}`);
    };
    mostra('perfil de CPU do toque ao splash, celular, primeira visita', p.visita, p.toque);
    mostra('perfil de CPU da navegação ao splash, celular, visita repetida',
      p.repetida, p.perfilRepetida);
  }
