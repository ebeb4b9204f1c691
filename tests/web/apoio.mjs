// What the browser tests share: a loopback server for a build's page; the
// three engines (Chromium, Firefox, WebKitGTK) behind one small interface,
// each with a fresh profile and the private X server and sound server it
// needs; the canvas read back as RGBA pixels, PNG files read, and waiting by
// the clock for what the canvas shows and for the game's state words.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const TIPOS = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
};

export function falha(texto) {
  throw new Error(texto);
}

// Runs a test's steps with what they open, closes all of it (newest first)
// whatever happens, and ends with status 1 and the reason on a failure.
// aoFim(f) registers a closing step; aoFalhar(f) one that runs first, only
// on a failure, to keep what the browser showed.
export async function roda(passos) {
  const fechar = [], naFalha = [];
  try {
    await passos((f) => fechar.push(f), (f) => naFalha.push(f));
    console.log('ok');
  } catch (e) {
    console.log(`FALHOU: ${e.message}`);
    process.exitCode = 1;
    for (const f of naFalha) await f().catch((x) => console.log(`(captura final: ${x.message})`));
  } finally {
    for (const f of fechar.reverse()) {
      try {
        await f();
      } catch (e) {
        console.log(`(ao fechar: ${e.message})`);
      }
    }
  }
}

// Serves a folder on 127.0.0.1, on a port the system picks. respostas maps a
// path to a handler of its own (req, res); segura(nome) may answer a
// promise, and that file is held back until it settles; falhas lists every
// request answered with an error.
async function serve(pasta, respostas = {}, segura = () => null) {
  pasta = path.resolve(pasta);
  const falhas = [];
  const servidor = http.createServer(async (req, res) => {
    const nome = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    await segura(nome);
    res.on('finish', () => {
      if (res.statusCode >= 400) falhas.push(`${res.statusCode} ${nome}`);
    });
    if (respostas[nome]) {
      respostas[nome](req, res);
      return;
    }
    const arquivo = path.join(pasta, nome.endsWith('/') ? nome + 'index.html' : nome);
    if (!arquivo.startsWith(pasta) || !fs.existsSync(arquivo)) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, {
      'Content-Type': TIPOS[path.extname(arquivo)] || 'application/octet-stream',
    });
    fs.createReadStream(arquivo).pipe(res);
  });
  await new Promise((pronto) => servidor.listen(0, '127.0.0.1', pronto));
  return {
    url: `http://127.0.0.1:${servidor.address().port}/`,
    falhas,
    fecha: () => {
      servidor.closeAllConnections();
      servidor.close();
    },
  };
}

// ---------------------------------------------------------------------------
// Processes the tests start: each one stopped by its own pid, and waited for
// ---------------------------------------------------------------------------

// A stimulus's own length (a stall, a sleep), never a wait for a state.
export const pausa = (ms) => new Promise((r) => setTimeout(r, ms));

// Starts a program and answers a function that stops it (SIGTERM, then
// SIGKILL after 10 s) and waits until it is gone.
function inicia(programa, args, opcoes) {
  const filho = spawn(programa, args, opcoes);
  const fim = new Promise((r) => filho.once('exit', r));
  filho.once('error', () => {});
  const para = async () => {
    if (filho.exitCode !== null || filho.signalCode !== null) return;
    filho.kill('SIGTERM');
    const morto = await Promise.race([fim.then(() => true), pausa(10000)]);
    if (!morto) filho.kill('SIGKILL');
    await fim;
  };
  return {filho, para};
}

// A private X server, which picks a free display number itself and writes
// it only once it accepts connections. Answers ":N".
async function iniciaXvfb(aoFim) {
  const {filho, para} = inicia('Xvfb',
    ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  aoFim(para);
  let lido = '';
  filho.stdio[3].on('data', (d) => { lido += d; });
  const numero = await esperaValor('o Xvfb pronto', 60, () => lido, (l) => /\n/.test(l),
    (l) => `"${l}", código de saída ${filho.exitCode}`);
  return `:${numero.trim()}`;
}

// A PulseAudio of the test's own with only a null sink, on a socket in a
// private folder: without a sound device Firefox keeps every audio context
// suspended. Answers the PULSE_SERVER value that reaches it.
async function iniciaPulse(aoFim) {
  const pasta = fs.mkdtempSync(path.join(os.tmpdir(), 'trovasco-pulse-'));
  aoFim(() => fs.rmSync(pasta, {recursive: true, force: true}));
  const soquete = path.join(pasta, 'soquete');
  const {filho, para} = inicia('pulseaudio', [
    '-n', '--daemonize=no', '--exit-idle-time=-1', '--use-pid-file=no',
    '-L', 'module-null-sink sink_name=nula',
    '-L', `module-native-protocol-unix auth-anonymous=1 socket=${soquete}`,
    '-L', 'module-always-sink',
  ], {stdio: 'ignore', env: {...process.env, HOME: pasta, XDG_RUNTIME_DIR: pasta}});
  aoFim(para);
  await esperaValor('o PulseAudio pronto', 30, () => fs.existsSync(soquete), (v) => v,
    () => `sem ${soquete}, código de saída ${filho.exitCode}`);
  return `unix:${soquete}`;
}

// A free TCP port on the loopback, for a driver that takes one as argument.
async function portaLivre() {
  const s = net.createServer();
  await new Promise((r) => s.listen(0, '127.0.0.1', r));
  const porta = s.address().port;
  await new Promise((r) => s.close(r));
  return porta;
}

// ---------------------------------------------------------------------------
// The browser, as the tests see it: open a page, click an element, press
// keys and mouse buttons, move the pointer, read the canvas, run a script,
// read the console. One adapter per protocol.
// ---------------------------------------------------------------------------

// What the page shows in the canvas's box, as the player sees it; png keeps
// the screenshot's own bytes.
function imagemDoPng(png) {
  return {...lePng(png), png};
}

// The puppeteer page behind each adapter that has one.
const paginasPuppeteer = new WeakMap();

// For the tests of what only Chromium's protocol reaches (its phone
// emulation with real touch, installability, service workers): the
// puppeteer page behind a browser that abrePagina opened in Chromium (or
// Firefox).
export function paginaPuppeteer(navegador) {
  return paginasPuppeteer.get(navegador) || falha('este navegador não tem página do puppeteer');
}

// Chromium (CDP) and Firefox (WebDriver BiDi) through puppeteer-core.
async function adaptadorPuppeteer(navegador, largura, altura) {
  const pagina = (await navegador.pages())[0] || await navegador.newPage();
  const linhas = [];
  pagina.on('console', (m) => linhas.push(m.text()));
  pagina.on('pageerror', (e) => linhas.push(`ERRO DA PAGINA: ${e.message}`));
  await pagina.setViewport({width: largura, height: altura});
  const adaptador = {
    vai: (url) => pagina.goto(url),
    clica: (seletor) => pagina.click(seletor),
    tecla: (nome, desce) => (desce ? pagina.keyboard.down(nome) : pagina.keyboard.up(nome)),
    move: (x, y) => pagina.mouse.move(x, y),
    botao: (desce, botao = 'left') =>
      (desce ? pagina.mouse.down({button: botao}) : pagina.mouse.up({button: botao})),
    avalia: (f, ...args) => pagina.evaluate(f, ...args),
    linhas: async () => linhas,
    tela: async () => {
      const caixa = await (await pagina.$('canvas')).boundingBox();
      return imagemDoPng(Buffer.from(await pagina.screenshot({
        type: 'png',
        clip: {x: caixa.x, y: caixa.y, width: caixa.width, height: caixa.height},
        // Capturing beyond the viewport resizes it for a moment, and a page
        // that re-fits its picture on resize would then read its input
        // against a picture of no size.
        captureBeyondViewport: false,
      })));
    },
  };
  paginasPuppeteer.set(adaptador, pagina);
  return adaptador;
}

// Debian's Chromium with WebGL on SwiftShader, offline and with nothing of
// its own running in the background.
export const ARGUMENTOS_CHROMIUM = [
  '--no-sandbox', '--disable-gpu', '--use-angle=swiftshader',
  '--enable-unsafe-swiftshader', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update',
  '--disable-sync',
];

// Debian's Chromium, headless, as above (without WebGL when semWebGL). No
// autoplay flag: sound needs the page's start click, as it does for a player.
async function abreChromium(aoFim, largura, altura, {semWebGL = false} = {}) {
  const perfil = fs.mkdtempSync(path.join(os.tmpdir(), 'trovasco-chromium-'));
  aoFim(() => fs.rmSync(perfil, {recursive: true, force: true}));
  const navegador = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: perfil,
    args: [...ARGUMENTOS_CHROMIUM, ...(semWebGL ? ['--disable-webgl'] : [])],
  });
  aoFim(() => navegador.close());
  return adaptadorPuppeteer(navegador, largura, altura);
}

// Firefox ESR over WebDriver BiDi, in a window on a private Xvfb (headless
// Firefox has no WebGL here), its sound on a private null sink.
async function abreFirefox(aoFim, largura, altura) {
  const tela = await iniciaXvfb(aoFim);
  const som = await iniciaPulse(aoFim);
  const navegador = await puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: false,
    env: {...process.env, DISPLAY: tela, PULSE_SERVER: som},
  });
  aoFim(() => navegador.close());
  return adaptadorPuppeteer(navegador, largura, altura);
}

// Classic WebDriver over fetch: the calls this test needs, nothing more.
function clienteWebDriver(base) {
  return async (metodo, caminho, corpo) => {
    const resposta = await fetch(base + caminho, {
      method: metodo,
      headers: {'Content-Type': 'application/json'},
      body: corpo === undefined ? undefined : JSON.stringify(corpo),
    });
    const {value} = await resposta.json();
    if (!resposta.ok) falha(`WebDriver ${metodo} ${caminho}: ${value.error}: ${value.message}`);
    return value;
  };
}

const TECLAS = {Enter: '\uE007', Escape: '\uE00C'};
const BOTOES = {left: 0, right: 2};
const ELEMENTO = 'element-6066-11e4-a52e-4f735466cecf';

// WebKit has no console endpoint: this collector, run after each navigation,
// keeps the page's lines and errors for linhas().
function coletaConsole() {
  window.linhasColetadas = [];
  for (const nivel of ['log', 'info', 'warn', 'error']) {
    const original = console[nivel];
    console[nivel] = (...partes) => {
      linhasColetadas.push(partes.join(' '));
      original.apply(console, partes);
    };
  }
  addEventListener('error', (e) => linhasColetadas.push(`ERRO DA PAGINA: ${e.message}`));
  addEventListener('unhandledrejection',
    (e) => linhasColetadas.push(`ERRO DA PAGINA: ${e.reason}`));
}

// WebKitGTK's MiniBrowser through WebKitWebDriver, on a private Xvfb.
async function abreWebKit(aoFim, largura, altura) {
  const tela = await iniciaXvfb(aoFim);
  const porta = await portaLivre();
  const {filho, para} = inicia('WebKitWebDriver', [`--port=${porta}`, '--host=local'],
    {stdio: 'ignore', env: {...process.env, DISPLAY: tela}});
  aoFim(para);
  const driver = clienteWebDriver(`http://127.0.0.1:${porta}`);
  await esperaValor('o WebKitWebDriver pronto', 30,
    () => driver('GET', '/status').then((v) => v.ready, (e) => e.message), (v) => v === true,
    (v) => `${v}, código de saída ${filho.exitCode}`);
  const {sessionId} = await driver('POST', '/session', {capabilities: {alwaysMatch: {
    'webkitgtk:browserOptions': {
      binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
      args: ['--automation'],
    },
  }}});
  aoFim(() => driver('DELETE', `/session/${sessionId}`));
  const sessao = (metodo, caminho, corpo) =>
    driver(metodo, `/session/${sessionId}${caminho}`, corpo);
  const avalia = (f, ...args) => sessao('POST', '/execute/sync',
    {script: `return (${f}).apply(null, arguments)`, args});
  const elemento = async (seletor) =>
    (await sessao('POST', '/element', {using: 'css selector', value: seletor}))[ELEMENTO];
  const acao = (fonte) => sessao('POST', '/actions', {actions: [fonte]});
  const ponteiro = (acoes) =>
    acao({type: 'pointer', id: 'mouse', parameters: {pointerType: 'mouse'}, actions: acoes});

  // The window's frame around the viewport is only known once it is shown:
  // grow the window by what the viewport still lacks.
  let janela = {width: largura, height: altura};
  await esperaValor('a área da página no tamanho pedido', 10, async () => {
    await sessao('POST', '/window/rect', janela);
    const v = await avalia(() => [innerWidth, innerHeight]);
    janela = {width: janela.width + largura - v[0], height: janela.height + altura - v[1]};
    return v;
  }, ([l, a]) => l === largura && a === altura, (v) => v.join('x'));

  return {
    vai: async (url) => {
      await sessao('POST', '/url', {url});
      await avalia(coletaConsole);
    },
    clica: async (seletor) => sessao('POST', `/element/${await elemento(seletor)}/click`, {}),
    tecla: (nome, desce) => acao({type: 'key', id: 'teclado',
      actions: [{type: desce ? 'keyDown' : 'keyUp', value: TECLAS[nome]}]}),
    move: (x, y) => ponteiro([{type: 'pointerMove', x, y, origin: 'viewport', duration: 0}]),
    botao: (desce, botao = 'left') =>
      ponteiro([{type: desce ? 'pointerDown' : 'pointerUp', button: BOTOES[botao]}]),
    avalia,
    linhas: () => avalia(() => window.linhasColetadas || []),
    tela: async () => imagemDoPng(Buffer.from(
      await sessao('GET', `/element/${await elemento('canvas')}/screenshot`), 'base64')),
  };
}

const MOTORES = {chromium: abreChromium, firefox: abreFirefox, webkit: abreWebKit};

// The build in pasta served on the loopback and opened in motor (chromium,
// firefox or webkit) at largura x altura: the browser (as above) and the
// address to open. aoFim (from roda) stops everything the opening started.
// opcoes go to the server (respostas, segura) and to Chromium (semWebGL).
export async function abrePagina(aoFim, pasta, largura, altura, motor = 'chromium',
                                 opcoes = {}) {
  if (!MOTORES[motor]) falha(`motor desconhecido: ${motor}`);
  const servidor = await serve(pasta, opcoes.respostas, opcoes.segura);
  aoFim(servidor.fecha);
  const navegador = await MOTORES[motor](aoFim, largura, altura, opcoes);
  return {navegador, servidor, url: servidor.url};
}

// ---------------------------------------------------------------------------
// Images: {largura, altura, rgba}
// ---------------------------------------------------------------------------

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// 8-bit PNGs, not interlaced: grey, RGB, palette, grey with alpha, RGBA.
export function lePng(bytes) {
  let pos = 8, largura, altura, tipo, profundidade, paleta;
  const dados = [];
  while (pos < bytes.length) {
    const n = bytes.readUInt32BE(pos), nome = bytes.toString('latin1', pos + 4, pos + 8);
    const corpo = bytes.subarray(pos + 8, pos + 8 + n);
    if (nome === 'IHDR') {
      largura = corpo.readUInt32BE(0);
      altura = corpo.readUInt32BE(4);
      profundidade = corpo[8];
      tipo = corpo[9];
      if (corpo[12] !== 0) throw new Error('PNG entrelaçado');
    } else if (nome === 'PLTE') {
      paleta = corpo;
    } else if (nome === 'IDAT') {
      dados.push(corpo);
    }
    pos += 12 + n;
  }
  if (profundidade !== 8) throw new Error(`PNG de ${profundidade} bits`);
  const canais = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[tipo];
  const cru = zlib.inflateSync(Buffer.concat(dados));
  const passo = largura * canais;
  const linhas = Buffer.alloc(passo * altura);
  for (let y = 0; y < altura; y++) {
    const filtro = cru[y * (passo + 1)];
    for (let i = 0; i < passo; i++) {
      const x = cru[y * (passo + 1) + 1 + i];
      const a = i >= canais ? linhas[y * passo + i - canais] : 0;
      const b = y > 0 ? linhas[(y - 1) * passo + i] : 0;
      const c = i >= canais && y > 0 ? linhas[(y - 1) * passo + i - canais] : 0;
      const preditor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filtro];
      linhas[y * passo + i] = (x + preditor) & 255;
    }
  }
  const rgba = Buffer.alloc(largura * altura * 4);
  for (let p = 0; p < largura * altura; p++) {
    const s = linhas.subarray(p * canais, p * canais + canais);
    const cor = tipo === 3 ? [...paleta.subarray(s[0] * 3, s[0] * 3 + 3), 255]
      : tipo === 0 ? [s[0], s[0], s[0], 255]
      : tipo === 4 ? [s[0], s[0], s[0], s[1]]
      : tipo === 2 ? [s[0], s[1], s[2], 255] : [...s];
    rgba.set(cor, p * 4);
  }
  return {largura, altura, rgba};
}

// The top-left largura x altura of an image.
export function recorta(img, largura, altura) {
  const rgba = Buffer.alloc(largura * altura * 4);
  for (let y = 0; y < altura; y++)
    img.rgba.copy(rgba, y * largura * 4, y * img.largura * 4,
                  y * img.largura * 4 + largura * 4);
  return {largura, altura, rgba};
}

export function pixel(img, x, y) {
  const i = (y * img.largura + x) * 4;
  return [img.rgba[i], img.rgba[i + 1], img.rgba[i + 2]];
}

export const mesmaCor = (a, b) => a.every((v, k) => v === b[k]);

// How many pixels differ at all, and by more than limite in some channel.
export function compara(a, b, limite) {
  let diferentes = 0, alem = 0;
  for (let i = 0; i < a.rgba.length; i += 4) {
    let maior = 0;
    for (let k = 0; k < 3; k++)
      maior = Math.max(maior, Math.abs(a.rgba[i + k] - b.rgba[i + k]));
    if (maior > 0) diferentes++;
    if (maior > limite) alem++;
  }
  return {diferentes, alem, total: a.rgba.length / 4};
}

// Calls ler() until teste(valor) answers true, for at most segundos by the
// clock, and gives that value; otherwise fails, saying what it last saw
// (descreve(valor)).
export async function esperaValor(nome, segundos, ler, teste, descreve) {
  const fim = Date.now() + segundos * 1000;
  for (;;) {
    const visto = await ler();
    if (teste(visto)) return visto;
    if (Date.now() > fim)
      falha(`${nome} em ${segundos} s; visto por último: ${descreve(visto)}`);
    await pausa(50);
  }
}

// The game's state words (T2D2_AnunciaEstado) as the page receives them.
// acompanhaEstados, run once the page has loaded, keeps them in order;
// esperaEstado waits by the clock for the word announced after the first
// `desde` of them, and answers how many had been announced up to it.
export function acompanhaEstados(navegador) {
  return navegador.avalia(() => {
    window.estadosVistos = [];
    addEventListener('t2d2estado', (e) => estadosVistos.push(e.detail));
  });
}

export async function esperaEstado(navegador, estado, segundos, desde = 0) {
  const vistos = await esperaValor(`o estado "${estado}"`, segundos,
    () => navegador.avalia(() => window.estadosVistos),
    (v) => v.indexOf(estado, desde) >= 0, (v) => v.slice(desde).join(' ') || 'nenhum novo');
  return vistos.indexOf(estado, desde) + 1;
}

// Reads the canvas until teste(img) answers true, as esperaValor; a failure
// keeps the picture last seen as ultima-<nome>.png in pasta (when given).
export function espera(navegador, nome, segundos, teste, descreve, pasta) {
  return esperaValor(nome, segundos, () => navegador.tela(), teste, (img) => {
    if (pasta) fs.writeFileSync(path.join(pasta, `ultima-${nome}.png`), img.png);
    return descreve(img);
  });
}
