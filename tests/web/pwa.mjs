// The browser build as an installed app: its manifest and icons; a first
// visit that leaves the whole build in the service worker's cache; a second
// visit with the host off the network that still reaches the splash; and a
// new build copied over the old one, which the next visit runs, leaving only
// its own cache.
//
//   node pwa.mjs <build-web/web> <web/ of the sources> <cmake> <desktop screenshots>
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {compara, espera, esperaValor, falha, lePng, roda} from './apoio.mjs';
import {abreCelular, serve} from './celular.mjs';

const [pastaWeb, fontesWeb, cmake, pastaNativa] = process.argv.slice(2);
const splashNativo = lePng(fs.readFileSync(path.join(pastaNativa, '1-splash.png')));
const versaoDe = (pasta) =>
  /var VERSAO = '([0-9a-f]+)'/.exec(fs.readFileSync(path.join(pasta, 'sw.js'), 'utf8'))[1];

// Every icon the manifest names is a PNG of the size it declares.
function confereManifesto(pasta) {
  const m = JSON.parse(fs.readFileSync(path.join(pasta, 'manifest.webmanifest'), 'utf8'));
  const icones = m.icons.map((i) => {
    const img = lePng(fs.readFileSync(path.join(pasta, i.src)));
    return {...i, lido: `${img.largura}x${img.altura}`};
  });
  const lados = icones.filter((i) => i.lido === i.sizes).map((i) => i.sizes + (i.purpose || ''));
  if (m.name !== 'Trovasco' || !m.short_name || !['fullscreen', 'standalone'].includes(m.display) ||
      !m.theme_color || !m.background_color || lados.length !== icones.length ||
      !['192x192', '512x512', '512x512maskable'].every((l) => lados.includes(l)))
    falha(`manifesto: ${JSON.stringify({...m, icons: icones})}`);
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
  return {
    controlada: Boolean(navigator.serviceWorker.controller),
    caches: nomes.map((n, i) => `${n} (${itens[i]})`),
    buildNova: Boolean(window.buildNova),
    botao: !document.getElementById('botao').hidden,
  };
});

async function jogaAteOSplash(pagina) {
  await pagina.waitForSelector('#botao:not([hidden])', {timeout: 60000});
  await pagina.tap('#botao');
  await espera(pagina, 'splash', 30, (img) => compara(img, splashNativo, 0).diferentes === 0,
    (img) => `${compara(img, splashNativo, 0).diferentes} pixels diferentes da captura nativa`);
}

await roda(async (aoFim) => {
  confereManifesto(pastaWeb);
  const nova = novaBuild(pastaWeb);
  aoFim(() => fs.rmSync(nova, {recursive: true, force: true}));
  const velha = versaoDe(pastaWeb), versaoNova = versaoDe(nova);
  if (velha === versaoNova) falha(`a build mudada manteve a identidade ${velha}`);
  const arquivos = fs.readdirSync(pastaWeb, {recursive: true, withFileTypes: true})
    .filter((a) => a.isFile() && a.name !== 'sw.js').length;

  const {servidor, url, desliga} = await serve(pastaWeb);
  aoFim(desliga);
  const {pagina, linhas} = await abreCelular(aoFim, 400, 860);

  // First visit: every file of the build in one cache named after it.
  await pagina.goto(url);
  const cacheVelho = (e) => e.caches.length === 1 && e.caches[0].endsWith(` ${velha} (${arquivos})`);
  await esperaValor('o cache da primeira visita', 30, () => estado(pagina), cacheVelho,
    JSON.stringify);

  // Second visit with the host off the network.
  servidor.foraDoAr = true;
  await pagina.goto(url);
  await jogaAteOSplash(pagina);

  // Back on the network with a new build: the next visit ends up running
  // it, and the old build's cache is gone.
  servidor.foraDoAr = false;
  servidor.pasta = nova;
  await pagina.goto(url);
  const cacheNovo = (e) => e.buildNova && e.botao && e.caches.length === 1 &&
    e.caches[0].endsWith(` ${versaoNova} (${arquivos})`);
  await esperaValor('a build nova no lugar da velha', 60, () => estado(pagina).catch((e) => e.message),
    cacheNovo, JSON.stringify);
  await jogaAteOSplash(pagina);
  const erros = linhas.filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
