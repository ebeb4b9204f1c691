// The browser build of Trovasco with its sounds held back by the server: the
// start click still reaches the splash, the game's load of its music is
// accepted while the file is on its way, and once the sounds are let through
// the music plays.
//
//   node sons_depois.mjs <build-web/web>
import {abrePagina, esperaValor, falha, roda} from './apoio.mjs';

const [pastaWeb] = process.argv.slice(2);

await roda(async (aoFim) => {
  let solta;
  const soltos = new Promise((r) => { solta = r; });
  const pedidos = [];
  const segura = (nome) => {
    if (!/\.(wav|ogg|mp3)$/.test(nome)) return null;
    pedidos.push(nome);
    return soltos;
  };
  const {navegador, url} =
    await abrePagina(aoFim, pastaWeb, 800, 600, 'chromium', {segura});
  aoFim(solta);

  await navegador.vai(url);
  await esperaValor('o botão de jogar', 60,
    () => navegador.avalia(() => !document.getElementById('botao').hidden), (v) => v, String);
  await navegador.avalia(() => {
    window.quadros = 0;
    Browser.doSwapBuffers = () => window.quadros++;
  });
  await navegador.clica('#botao');

  const musica = async () => ({
    ...await navegador.avalia(() => {
      const m = SDL.music.audio;
      return {
        quadros,
        tocando: Boolean(m && m.webAudioNode && !m.paused),
        tempo: m && m.webAudioNode ? SDL.audioContext.currentTime - m.startTime : 0,
      };
    }),
    carregou: (await navegador.linhas()).includes('Carregou a música ./files/WhatYouWantv2.ogg.'),
  });
  const splash = await esperaValor('o splash sem os sons', 20, musica,
    (m) => m.quadros >= 3 && m.carregou, JSON.stringify);
  if (splash.tocando) falha('a música tocava antes de seu arquivo chegar');
  // Chromium plays Ogg: the music's MP3 is never downloaded.
  if (!pedidos.includes('/files/WhatYouWantv2.ogg') || pedidos.some((p) => p.endsWith('.mp3')))
    falha(`a página pediu: ${JSON.stringify(pedidos)}`);

  solta();
  await esperaValor('a música depois de chegar', 15, musica,
    (m) => m.tocando && m.tempo > 0.2, JSON.stringify);
  const erros = (await navegador.linhas()).filter((l) => l.startsWith('ERRO DA PAGINA'));
  if (erros.length) falha(erros.join('; '));
});
