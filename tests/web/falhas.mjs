// What the page says when the game cannot run, in headless Chromium: the
// data file answering 404 (a message and a button that loads the page
// again), a browser without WebGL (its own message, the library's failed
// start, nothing thrown), a sound the browser cannot decode (one line naming
// it, and the game goes on); and a full load that asks for nothing the
// server lacks.
//
//   node falhas.mjs <build-web/web>
import fs from 'node:fs';
import path from 'node:path';
import {abrePagina, esperaValor, falha, roda} from './apoio.mjs';

const [pastaWeb] = process.argv.slice(2);

// What the page's notice shows: its text and its button, if shown.
const aviso = (navegador) => navegador.avalia(() => {
  const botao = document.getElementById('botao');
  return {
    texto: document.getElementById('mensagem').textContent,
    botao: botao.hidden ? null : botao.textContent,
  };
});

async function comOPedido(pedido, passos) {
  await roda(async (aoFim) => {
    console.log(`-- ${pedido.nome}`);
    const {navegador, servidor, url} =
      await abrePagina(aoFim, pastaWeb, 800, 600, 'chromium', pedido);
    await navegador.vai(url);
    await passos(navegador, servidor);
  });
}

const esperaAviso = (navegador, texto, segundos) => esperaValor(`o aviso "${texto}"`,
  segundos, () => aviso(navegador), (v) => v.texto === texto, JSON.stringify);

function semErros(linhas) {
  const erros = linhas.filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
}

await comOPedido({
  nome: 'o arquivo de dados responde 404',
  respostas: {'/trovasco.data': (req, res) => res.writeHead(404).end()},
}, async (navegador) => {
  const visto = await esperaAviso(navegador, 'Não foi possível carregar o jogo.', 10);
  if (visto.botao !== 'Tentar de novo') falha(`botão: ${JSON.stringify(visto)}`);
  // The button loads the page again: the notice is back at "Carregando...".
  await navegador.avalia(() => { window.antes = true; });
  await navegador.clica('#botao');
  await esperaValor('a página recarregada', 10,
    () => navegador.avalia(() => window.antes === undefined).catch((e) => e.message),
    (v) => v === true, String);
});

await comOPedido({nome: 'sem WebGL', semWebGL: true}, async (navegador) => {
  await esperaValor('o botão de jogar', 60, () => aviso(navegador), (v) => v.botao !== null,
    JSON.stringify);
  await navegador.clica('#botao');
  const visto = await esperaAviso(navegador,
    'Este navegador não consegue mostrar o jogo: falta WebGL.', 10);
  if (visto.botao !== null) falha(`um botão que não pode ajudar: ${JSON.stringify(visto)}`);
  const linhas = await navegador.linhas();
  if (linhas.includes('Modo de vídeo iniciado com sucesso!') ||
      !linhas.includes('Falhou ao iniciar a Tovik2D 2. Encerrando o programa.'))
    falha(`a biblioteca não recusou o início: ${JSON.stringify(linhas)}`);
  semErros(linhas);
});

// The music's bytes zeroed, as the browser fetches them once the program
// has started: every other file intact.
const musica = path.join(pastaWeb, 'files', 'WhatYouWantv2.ogg');
if (!fs.existsSync(musica)) falha(`sem ${musica}: a música não vem mais à parte`);
const zerada = Buffer.alloc(fs.statSync(musica).size);

await comOPedido({
  nome: 'uma música que não decodifica; nada falta numa carga inteira',
  respostas: {'/files/WhatYouWantv2.ogg': (req, res) => res.writeHead(200).end(zerada)},
}, async (navegador, servidor) => {
  await esperaValor('o botão de jogar', 60, () => aviso(navegador), (v) => v.botao !== null,
    JSON.stringify);
  await navegador.clica('#botao');
  const linha = 'Não conseguiu decodificar o som /files/WhatYouWantv2.ogg. O jogo segue sem ele.';
  const linhas = await esperaValor('a linha da música', 10, () => navegador.linhas(),
    (l) => l.includes(linha), (l) => JSON.stringify(l.slice(-10)));
  // The game goes on: the splash is up and frames keep coming.
  await esperaValor('o jogo seguindo', 10, () => navegador.avalia(
    () => ({aviso: document.getElementById('aviso').hidden, som: SDL.audioContext.state,
      musica: Boolean(SDL.music.audio && SDL.music.audio.webAudioNode)})),
  (v) => v.aviso && v.musica, JSON.stringify);
  semErros(linhas);
  if (servidor.falhas.length) falha(`pedidos que falharam: ${servidor.falhas.join(', ')}`);
});
