// What the browser tests share: a loopback server for a build's page,
// headless Chromium from Debian with a fresh profile, the canvas read back
// as RGBA pixels, PNG files read, and waiting by the clock for what the
// canvas shows.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const TIPOS = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
};

export function falha(texto) {
  throw new Error(texto);
}

// Runs a test's steps with the browser and the server it opens, closes both
// whatever happens, and ends with status 1 and the reason on a failure.
export async function roda(passos) {
  const fechar = [];
  try {
    await passos((f) => fechar.push(f));
    console.log('ok');
  } catch (e) {
    console.log(`FALHOU: ${e.message}`);
    process.exitCode = 1;
  } finally {
    for (const f of fechar.reverse()) await f();
  }
}

// Serves a folder on 127.0.0.1, on a port the system picks. segura(nome),
// when given, may answer a promise: that file is held back until it settles.
async function serve(pasta, segura = () => null) {
  pasta = path.resolve(pasta);
  const servidor = http.createServer(async (req, res) => {
    const nome = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    await segura(nome);
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
    fecha: () => servidor.close(),
  };
}

// Debian's Chromium, headless, with WebGL on SwiftShader, offline and with
// nothing of its own running in the background. No autoplay flag: sound
// needs the page's start click, as it does for a player.
async function abreNavegador() {
  const perfil = fs.mkdtempSync(path.join(os.tmpdir(), 'trovasco-chromium-'));
  const navegador = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: perfil,
    args: [
      '--no-sandbox', '--disable-gpu', '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update',
      '--disable-sync',
    ],
  });
  const fecha = navegador.close.bind(navegador);
  navegador.close = async () => {
    await fecha();
    fs.rmSync(perfil, {recursive: true, force: true});
  };
  return navegador;
}

// The lines the page writes to the console, and its errors.
function registraConsole(pagina) {
  const linhas = [];
  pagina.on('console', (m) => linhas.push(m.text()));
  pagina.on('pageerror', (e) => linhas.push(`ERRO DA PAGINA: ${e.message}`));
  return linhas;
}

// A page of the browser, largura x altura, for the build in pasta: the page,
// the lines it writes (registraConsole) and the address to open. aoFim (from
// roda) closes the browser and the server; segura is serve's.
export async function abrePagina(aoFim, pasta, largura, altura, segura) {
  const servidor = await serve(pasta, segura);
  aoFim(servidor.fecha);
  const navegador = await abreNavegador();
  aoFim(() => navegador.close());
  const pagina = await navegador.newPage();
  const linhas = registraConsole(pagina);
  await pagina.setViewport({width: largura, height: altura});
  return {pagina, linhas, url: servidor.url};
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

// What the page shows in the canvas's box, as the player sees it; png keeps
// the screenshot's own bytes.
export async function leTela(pagina) {
  const caixa = await (await pagina.$('canvas')).boundingBox();
  const png = Buffer.from(await pagina.screenshot({
    type: 'png',
    clip: {x: caixa.x, y: caixa.y, width: caixa.width, height: caixa.height},
  }));
  return {...lePng(png), png};
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
    await new Promise((r) => setTimeout(r, 50));
  }
}

// Reads the canvas until teste(img) answers true, as esperaValor; a failure
// keeps the picture last seen as ultima-<nome>.png in pasta (when given).
export function espera(pagina, nome, segundos, teste, descreve, pasta) {
  return esperaValor(nome, segundos, () => leTela(pagina), teste, (img) => {
    if (pasta) fs.writeFileSync(path.join(pasta, `ultima-${nome}.png`), img.png);
    return descreve(img);
  });
}
