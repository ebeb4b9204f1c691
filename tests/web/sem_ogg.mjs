// The browser build of Trovasco in Chromium made into a browser without Ogg
// Vorbis (an iPhone before iOS 18.4): it says it cannot play Ogg and fails
// to decode it. The music still plays, whole, from its MP3, with no failure
// line, and the page's worker keeps the MP3 in the Ogg's place.
//
//   node sem_ogg.mjs <build-web/web>
import {abrePagina, esperaValor, falha, paginaPuppeteer, roda} from './apoio.mjs';

const [pastaWeb] = process.argv.slice(2);
// The tune: 24 bars of 4 beats at 112 a minute.
const DURACAO = (24 * 4 * 60) / 112;

function semOgg() {
  const pode = HTMLMediaElement.prototype.canPlayType;
  HTMLMediaElement.prototype.canPlayType = function (tipo) {
    return /ogg|vorbis/i.test(tipo) ? '' : pode.call(this, tipo);
  };
  const decodifica = BaseAudioContext.prototype.decodeAudioData;
  BaseAudioContext.prototype.decodeAudioData = function (dados, pronto, falhou) {
    const inicio = new Uint8Array(dados, 0, 4);
    if (String.fromCharCode(...inicio) !== 'OggS') return decodifica.apply(this, arguments);
    const erro = new DOMException('Ogg Vorbis não decodificado', 'EncodingError');
    if (falhou) setTimeout(() => falhou(erro));
    return Promise.reject(erro);
  };
}

await roda(async (aoFim) => {
  const pedidos = [];
  const segura = (nome) => {
    pedidos.push(nome);
    return null;
  };
  const {navegador, url} = await abrePagina(aoFim, pastaWeb, 800, 600, 'chromium', {segura});
  await paginaPuppeteer(navegador).evaluateOnNewDocument(semOgg);
  await navegador.vai(url);
  await esperaValor('o botão de jogar', 60,
    () => navegador.avalia(() => !document.getElementById('botao').hidden), (v) => v, String);
  await navegador.clica('#botao');

  const musica = await esperaValor('a música tocando', 15, () => navegador.avalia(() => {
    const m = SDL.music.audio, c = SDL.audioContext;
    const buffer = m && m.webAudioNode && m.webAudioNode.buffer;
    return {
      tocando: Boolean(m && m.webAudioNode && !m.paused),
      tempo: m && m.webAudioNode ? c.currentTime - m.startTime : 0,
      duracao: buffer ? buffer.duration : 0,
      contexto: c.state,
    };
  }), (m) => m.tocando && m.contexto === 'running' && m.tempo > 0.3, JSON.stringify);
  // The encoder's delay and padding left out (the LAME tag), so the loop
  // keeps its length: a frame of 1152 samples is 26 ms.
  if (Math.abs(musica.duracao - DURACAO) > 0.026)
    falha(`a música decodificada dura ${musica.duracao} s, e não ${DURACAO.toFixed(3)} s`);
  if (!pedidos.includes('/files/WhatYouWantv2.mp3') || pedidos.includes('/files/WhatYouWantv2.ogg'))
    falha(`a página pediu: ${JSON.stringify(pedidos.filter((p) => p.startsWith('/files/')))}`);

  // The worker, once installed, holds the MP3 and not the Ogg.
  await esperaValor('o MP3 no cache do trabalhador', 30, () => navegador.avalia(async () => {
    const nomes = [];
    for (const n of await caches.keys())
      for (const r of await (await caches.open(n)).keys()) nomes.push(new URL(r.url).pathname);
    return nomes.filter((n) => n.startsWith('/files/WhatYouWantv2'));
  }), (v) => v.join() === '/files/WhatYouWantv2.mp3', JSON.stringify);

  const linhas = await navegador.linhas();
  const falhas = linhas.filter((l) => /ERRO DA PAGINA|decodificar|não chegou|não pôde/.test(l));
  if (falhas.length) falha(falhas.join('; '));
  console.log(`música em MP3: ${JSON.stringify(musica)}`);
});
