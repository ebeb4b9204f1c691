// The gallery in Chromium: its index lists every program, each with its
// picture loaded and its line, and fits a desktop and a phone without
// sideways scrolling; each card's link leads to the program's page, which
// reaches its first frame after one click on the start button (by touch on
// the phone, for Pulo). The screenshots go to the captures folder.
//
//   node galeria.mjs <build-web/galeria> <folder for the screenshots>
import fs from 'node:fs';
import path from 'node:path';
import {
  abrePagina, compara, espera, esperaValor, falha, lePng, paginaPuppeteer, roda,
} from './apoio.mjs';

const [pasta, pastaSaida] = process.argv.slice(2);
const PROGRAMAS = ['trovasco', 'ola', 'cesta', 'pulo'];
// Each example's first frame: its clear colour or its ground, covering a
// good part of the picture at any scale.
const COR = {ola: [40, 120, 60], cesta: [40, 60, 110], pulo: [120, 180, 240]};
// Trovasco's is its splash, which at 800 x 600 is the canvas pixel for pixel.
const splash = lePng(fs.readFileSync(path.join(pasta, 'trovasco.png')));

function parteDaCor(img, cor) {
  let n = 0;
  for (let i = 0; i < img.rgba.length; i += 4)
    if (cor.every((v, k) => Math.abs(img.rgba[i + k] - v) <= 6)) n++;
  return n / (img.largura * img.altura);
}

const primeiroQuadro = (nome) => nome === 'trovasco'
  ? [(img) => img.largura === 800 && compara(img, splash, 8).alem < 800 * 6,
     (img) => `${img.largura}x${img.altura}, ${compara(img, splash, 8).alem} pixels fora do splash`]
  : [(img) => parteDaCor(img, COR[nome]) >= 0.1,
     (img) => `${(100 * parteDaCor(img, COR[nome])).toFixed(1)}% da cor ${COR[nome]}`];

// What the index shows: each card's program, link, line and whether its
// picture loaded; and whether the page is wider than the window.
const indice = (navegador) => navegador.avalia(() => ({
  cartoes: [...document.querySelectorAll('a[data-programa]')].map((a) => ({
    nome: a.dataset.programa, href: a.getAttribute('href'),
    imagem: a.querySelector('img').complete && a.querySelector('img').naturalWidth > 0,
    linha: a.querySelector('.linha').textContent.trim() !== '',
  })),
  largo: document.documentElement.scrollWidth > innerWidth,
}));

async function confereIndice(navegador, onde) {
  const visto = await esperaValor(`as imagens da galeria (${onde})`, 20,
    () => indice(navegador), (v) => v.cartoes.every((c) => c.imagem), JSON.stringify);
  const nomes = visto.cartoes.map((c) => c.nome);
  if (nomes.join() !== PROGRAMAS.join() ||
      visto.cartoes.some((c) => c.href !== `${c.nome}/` || !c.linha) || visto.largo)
    falha(`galeria (${onde}): ${JSON.stringify(visto)}`);
}

// From the index, through the card's link, to the program's running page.
async function joga(navegador, url, nome, aperta) {
  await navegador.vai(url);
  const cartao = `a[data-programa="${nome}"]`;
  await esperaValor(`o cartão de ${nome}`, 20, () => navegador.avalia((s) =>
    document.querySelector(s)?.getBoundingClientRect().width || 0, cartao), (v) => v > 0, String);
  await aperta(cartao).catch((e) => falha(`o cartão de ${nome}: ${e.message}`));
  // The start screen: the page's title over the start button, laid out.
  await esperaValor(`o botão de jogar de ${nome}`, 60,
    () => navegador.avalia(() => {
      const botao = document.getElementById('botao');
      return [location.pathname, document.getElementById('mensagem')?.textContent ===
        document.title && botao.getBoundingClientRect().width > 0, botao?.textContent];
    }).catch((e) => [e.message]),
    (v) => v[0] === `/${nome}/` && v[1], JSON.stringify);
  await aperta('#botao').catch((e) => falha(`o botão de jogar de ${nome}: ${e.message}`));
  await espera(navegador, `primeiro quadro de ${nome}`, 30, ...primeiroQuadro(nome), pastaSaida);
}

await roda(async (aoFim) => {
  fs.mkdirSync(pastaSaida, {recursive: true});
  const {navegador, url} = await abrePagina(aoFim, pasta, 1280, 800);
  const pagina = paginaPuppeteer(navegador);
  const foto = (nome) =>
    pagina.screenshot({path: path.join(pastaSaida, `${nome}.png`), fullPage: true});
  await navegador.vai(url);
  await confereIndice(navegador, 'computador');
  await foto('galeria-computador');
  await pagina.setViewport({width: 800, height: 600});
  for (const nome of PROGRAMAS) await joga(navegador, url, nome, (s) => navegador.clica(s));

  await pagina.setViewport({width: 412, height: 915, deviceScaleFactor: 2, isMobile: true,
    hasTouch: true});
  await navegador.vai(url);
  await confereIndice(navegador, 'celular');
  await foto('galeria-celular');
  await joga(navegador, url, 'pulo', (s) => pagina.tap(s));
  await foto('pulo-celular');
  const erros = (await navegador.linhas()).filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
