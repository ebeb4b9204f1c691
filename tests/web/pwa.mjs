// The browser build as an installed app: its manifest, which Chromium
// accepts for installing; a first visit that leaves the whole build in the
// service worker's cache; a second one with the host off the network that
// reaches the splash; and a new build copied over the old, which the next
// visit runs, leaving only its own cache.
//
//   node pwa.mjs <build-web/web> <web/ of the sources> <cmake> <desktop screenshots>
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {
  abrePagina, compara, espera, esperaValor, falha, lePng, paginaPuppeteer, roda,
} from './apoio.mjs';

const [pastaWeb, fontesWeb, cmake, pastaNativa] = process.argv.slice(2);
const splashNativo = lePng(fs.readFileSync(path.join(pastaNativa, '1-splash.png')));
const versaoDe = (pasta) =>
  /var VERSAO = '([0-9a-f]+)'/.exec(fs.readFileSync(path.join(pasta, 'sw.js'), 'utf8'))[1];

// A host whose folder changes under it, as when a new build is copied over
// the old, and that drops every request while foraDoAr is set.
async function hospeda(pasta) {
  const servidor = http.createServer((req, res) => {
    const arquivo = path.join(servidor.pasta, new URL(req.url, 'http://x').pathname);
    if (servidor.foraDoAr) return req.socket.destroy();
    if (!fs.existsSync(arquivo)) return res.writeHead(404).end();
    const tipo = {'.js': 'text/javascript', '.wasm': 'application/wasm'}[path.extname(arquivo)];
    res.writeHead(200, tipo ? {'Content-Type': tipo} : {});
    fs.createReadStream(fs.statSync(arquivo).isDirectory()
      ? path.join(arquivo, 'index.html') : arquivo).pipe(res);
  });
  servidor.pasta = pasta;
  await new Promise((pronto) => servidor.listen(0, '127.0.0.1', pronto));
  return servidor;
}

// The manifest's names and display, and every icon it names a PNG of the
// size it declares: 192, 512 and a maskable one.
function confereManifesto(pasta) {
  const m = JSON.parse(fs.readFileSync(path.join(pasta, 'manifest.webmanifest'), 'utf8'));
  const icones = m.icons.map((i) => {
    const img = lePng(fs.readFileSync(path.join(pasta, i.src)));
    return `${img.largura}x${img.altura}${i.sizes === `${img.largura}x${img.altura}` ? '' : '!'}` +
      (i.purpose || '');
  }).sort().join();
  if (`${m.name} ${m.short_name} ${m.display} ${icones}` !==
      'Trovasco Trovasco fullscreen 192x192,512x512,512x512maskable')
    falha(`manifesto: ${JSON.stringify(m)} ${icones}`);
}

// A new build of the same game: one changed file, then the build's own
// step that names the build and lists its files.
function novaBuild(origem) {
  const pasta = fs.mkdtempSync(path.join(os.tmpdir(), 'trovasco-nova-'));
  fs.cpSync(origem, pasta, {recursive: true});
  fs.appendFileSync(path.join(pasta, 'trovasco.js'), '\nvar buildNova = true;\n');
  execFileSync(cmake, [`-DPASTA=${pasta}`, `-DMODELO=${path.join(fontesWeb, 'sw.js')}`,
    '-P', path.join(fontesWeb, 'identidade.cmake')]);
  return pasta;
}

// The page's service worker, the caches of this origin and what they hold.
const estado = (pagina) => pagina.evaluate(async () => {
  const nomes = await caches.keys();
  const itens = await Promise.all(nomes.map(async (n) => (await (await caches.open(n)).keys()).length));
  const registro = await navigator.serviceWorker.getRegistration();
  return {
    caches: nomes.map((n, i) => `${n} (${itens[i]})`),
    trabalhador: registro && registro.active ? registro.active.state : 'nenhum',
    buildNova: Boolean(window.buildNova),
    botao: !document.getElementById('botao').hidden,
  };
});

async function jogaAteOSplash(navegador) {
  const pagina = paginaPuppeteer(navegador);
  await pagina.waitForSelector('#botao:not([hidden])', {timeout: 60000});
  await pagina.click('#botao');
  const diferentes = (img) => compara(img, splashNativo, 0).diferentes;
  await espera(navegador, 'splash', 30, (img) => diferentes(img) === 0, diferentes);
}

await roda(async (aoFim) => {
  confereManifesto(pastaWeb);
  const nova = novaBuild(pastaWeb);
  aoFim(() => fs.rmSync(nova, {recursive: true, force: true}));
  const velha = versaoDe(pastaWeb), versaoNova = versaoDe(nova);
  if (velha === versaoNova) falha(`a build mudada manteve a identidade ${velha}`);
  // Chromium plays Ogg: the music's MP3 stays out of its cache.
  const arquivos = fs.readdirSync(pastaWeb, {recursive: true, withFileTypes: true})
    .filter((a) => a.isFile() && a.name !== 'sw.js' && !a.name.endsWith('.mp3')).length;

  const servidor = await hospeda(pastaWeb);
  aoFim(() => {
    servidor.closeAllConnections();
    servidor.close();
  });
  const url = `http://127.0.0.1:${servidor.address().port}/`;
  const {navegador} = await abrePagina(aoFim, pastaWeb, 800, 600);
  const pagina = paginaPuppeteer(navegador), linhas = await navegador.linhas();

  // First visit: every file of the build in one cache named after it.
  await pagina.goto(url);
  // Its worker active too: until then a navigation still goes to the host.
  const cacheVelho = (e) => e.trabalhador === 'activated' && e.caches.length === 1 &&
    e.caches[0].endsWith(` ${velha} (${arquivos})`);
  await esperaValor('o cache da primeira visita', 30, () => estado(pagina), cacheVelho,
    JSON.stringify);
  const {installabilityErrors: motivos} =
    await (await pagina.createCDPSession()).send('Page.getInstallabilityErrors');
  if (motivos.length) falha(`o Chromium não a instalaria: ${JSON.stringify(motivos)}`);

  // Second visit with the host off the network.
  servidor.foraDoAr = true;
  await pagina.goto(url);
  await jogaAteOSplash(navegador);

  // Back on the network with a new build: the next visit ends up running
  // it, and the old build's cache is gone.
  servidor.foraDoAr = false;
  servidor.pasta = nova;
  await pagina.goto(url);
  const cacheNovo = (e) => e.buildNova && e.botao && e.caches.length === 1 &&
    e.caches[0].endsWith(` ${versaoNova} (${arquivos})`);
  await esperaValor('a build nova no lugar da velha', 60, () => estado(pagina).catch((e) => e.message),
    cacheNovo, JSON.stringify);
  await jogaAteOSplash(navegador);
  const erros = linhas.filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
