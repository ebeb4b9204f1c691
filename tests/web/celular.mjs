// What the phone tests share: Debian's Chromium as a phone (its mobile
// emulation, touch only), and a loopback server whose folder can change
// under it, as a host does when a new build is copied over the old one, and
// which can be taken off the network.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const TIPOS = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
};

// Serves servidor.pasta on 127.0.0.1, and drops every request while
// servidor.foraDoAr is set; desliga() closes it.
export async function serve(pasta) {
  const servidor = http.createServer((req, res) => {
    if (servidor.foraDoAr) {
      req.socket.destroy();
      return;
    }
    const nome = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const raiz = path.resolve(servidor.pasta);
    const arquivo = path.join(raiz, nome.endsWith('/') ? nome + 'index.html' : nome);
    if (!arquivo.startsWith(raiz) || !fs.existsSync(arquivo)) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, {
      'Content-Type': TIPOS[path.extname(arquivo)] || 'application/octet-stream',
    });
    fs.createReadStream(arquivo).pipe(res);
  });
  servidor.pasta = pasta;
  await new Promise((pronto) => servidor.listen(0, '127.0.0.1', pronto));
  const url = `http://127.0.0.1:${servidor.address().port}/`;
  const desliga = () => {
    servidor.close();
    servidor.closeAllConnections();
  };
  return {servidor, url, desliga};
}

// Headless Chromium with a fresh profile, and one page in it emulating a
// phone of largura x altura CSS pixels at twice the density: touch only, its
// input real touch events from the browser (CDP). The page's console lines
// and errors are gathered in linhas. aoFim (from roda) closes the browser.
export async function abreCelular(aoFim, largura, altura) {
  const perfil = fs.mkdtempSync(path.join(os.tmpdir(), 'trovasco-celular-'));
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
  aoFim(async () => {
    await navegador.close();
    fs.rmSync(perfil, {recursive: true, force: true});
  });
  const pagina = await navegador.newPage();
  const linhas = [];
  pagina.on('console', (m) => linhas.push(m.text()));
  pagina.on('pageerror', (e) => linhas.push(`ERRO DA PAGINA: ${e.message}`));
  await pagina.setViewport({
    width: largura, height: altura, deviceScaleFactor: 2, isMobile: true, hasTouch: true,
  });
  return {navegador, pagina, linhas};
}
