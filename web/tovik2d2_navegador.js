// Tovik2D 2's browser platform, the part written in JavaScript: pictures
// turned into pixels while the page loads, so that a program's image loads
// are copies into its memory, and sounds fetched after the program has
// started, so that the page waits only for what the first frames show.
mergeInto(LibraryManager.library, {
  // The emulation keeps each preloaded picture in a canvas and, at every
  // load, draws it into a new canvas and reads that back: two canvases and a
  // read-back per picture, in the player's click. Here the picture is read
  // once, while the page loads, from a canvas made for reading.
  $T2D2Imagens__deps: ['$Browser'],
  $T2D2Imagens__postset: 'T2D2Imagens.registra();',
  $T2D2Imagens: {
    registra: function() {
      // Browser.init adds the emulation's own plugins after this one.
      if (!Module['preloadPlugins']) Module['preloadPlugins'] = [];
      Module['preloadPlugins'].unshift({
        'canHandle': function(nome) {
          return !Module.noImageDecoding && /\.(jpg|jpeg|png|bmp)$/i.test(nome);
        },
        'handle': T2D2Imagens.decodifica,
      });
    },

    decodifica: function(bytes, nome, pronto, falhou) {
      var arquivo = new Blob([bytes], {type: Browser.getMimetype(nome)});
      createImageBitmap(arquivo).then(function(figura) {
        var tela = document.createElement('canvas');
        tela.width = figura.width;
        tela.height = figura.height;
        var ctx = tela.getContext('2d', {willReadFrequently: true});
        ctx.drawImage(figura, 0, 0);
        figura.close();
        Module['preloadedImages'][nome] =
            ctx.getImageData(0, 0, tela.width, tela.height);
        if (pronto) pronto(bytes);
      }, function() {
        out('Image ' + nome + ' could not be decoded');
        if (falhou) falhou();
      });
    },
  },

  // The emulation's image load, from the pixels read above. A surface keeps
  // its canvas only for the SDL back-end, which draws with it; on OpenGL the
  // emulation drops it, as its own load does.
  IMG_Load_RW__deps: ['$T2D2Imagens', '$SDL', '$PATH_FS', 'SDL_FreeRW'],
  IMG_Load_RW: function(rwopsID, freeSrc) {
    var rwops = SDL.rwops[rwopsID];
    if (rwops && freeSrc) _SDL_FreeRW(rwopsID);
    if (!rwops || rwops.filename === undefined) return 0;
    var nome = PATH_FS.resolve(rwops.filename);
    var pixels = Module['preloadedImages'][nome];
    if (!pixels) {
      warnOnce('Cannot find preloaded image ' + nome);
      return 0;
    }
    var surf = SDL.makeSurface(pixels.width, pixels.height, 0, false, 'load:' + nome);
    var dados = SDL.surfaces[surf];
    HEAPU8.set(pixels.data, dados.buffer);
    if (SDL.GL) dados.canvas = dados.ctx = null;
    else dados.ctx.putImageData(pixels, 0, 0);
    return surf;
  },

  // Files the build left out of the data package (Module.t2d2Depois, their
  // paths in the file system) are fetched once the program can start, from
  // beside the page, and written into the file system as they arrive. A
  // sound loaded before its file arrives is a Web Audio sound of the
  // emulation's kind whose decoding has not finished: the emulation's mixer
  // already holds back playing it until then. A sound with a second
  // encoding (Module.t2d2Segundas, path -> the second's path) comes in that
  // encoding when the browser says it cannot play the first; the program
  // still finds it under the first's name, since Web Audio decodes by
  // content.
  $T2D2Chegada__deps: ['$FS', '$PATH', '$SDL'],
  $T2D2Chegada__postset: 'T2D2Chegada.agenda();',
  $T2D2Chegada: {
    // path -> the sounds waiting for that file
    esperando: {},
    // path -> the file fetched for it
    origens: {},
    TIPOS: {'.ogg': 'audio/ogg; codecs="vorbis"', '.mp3': 'audio/mpeg', '.wav': 'audio/wav'},

    tocaria: function(caminho) {
      var tipo = T2D2Chegada.TIPOS[PATH.extname(caminho).toLowerCase()];
      return !tipo || document.createElement('audio').canPlayType(tipo) !== '';
    },

    agenda: function() {
      var segundas = Module['t2d2Segundas'] || {};
      Module['t2d2UsaSegundas'] = false;
      (Module['t2d2Depois'] || []).forEach(function(caminho) {
        T2D2Chegada.esperando[caminho] = [];
        var troca = segundas[caminho] && !T2D2Chegada.tocaria(caminho);
        T2D2Chegada.origens[caminho] = troca ? segundas[caminho] : caminho;
        if (troca) Module['t2d2UsaSegundas'] = true;
      });
      addOnPostRun(function() {
        Object.keys(T2D2Chegada.esperando).forEach(T2D2Chegada.busca);
      });
    },

    busca: function(caminho) {
      var origem = T2D2Chegada.origens[caminho];
      fetch(locateFile(origem.replace(/^\//, ''))).then(function(resposta) {
        if (!resposta.ok) throw new Error(resposta.status + ' ' + resposta.statusText);
        return resposta.arrayBuffer();
      }).then(function(dados) {
        T2D2Chegada.chegou(caminho, new Uint8Array(dados));
      }).catch(function(e) {
        delete T2D2Chegada.esperando[caminho];
        err('O arquivo ' + caminho + ' n\u00e3o chegou: ' + e.message);
      });
    },

    chegou: function(caminho, bytes) {
      var sons = T2D2Chegada.esperando[caminho];
      delete T2D2Chegada.esperando[caminho];
      FS.mkdirTree(PATH.dirname(caminho));
      FS.writeFile(caminho, bytes);
      var contexto = SDL.audioContext;
      if (!sons.length || !contexto || contexto.state === 'closed') return;
      // Asked just before the decode, as the emulation asks it before its
      // own: the page may watch this decode too.
      if (Module['SDL_canPlayWithWebAudio']) Module['SDL_canPlayWithWebAudio'](caminho, bytes);
      contexto.decodeAudioData(bytes.buffer, function(decodificado) {
        sons.forEach(function(som) {
          som.decodedBuffer = decodificado;
          var esperas = som.onDecodeComplete;
          som.onDecodeComplete = undefined;
          esperas.forEach(function(toca) { toca(); });
        });
      }, function() {
        err('O som ' + caminho + ' chegou, mas n\u00e3o p\u00f4de ser decodificado.');
      });
    },

    // 0 when the file is not on its way.
    som: function(caminho) {
      var sons = T2D2Chegada.esperando[caminho];
      if (!sons) return 0;
      var som = {onDecodeComplete: []};
      sons.push(som);
      SDL.audios.push({source: caminho, audio: undefined, webAudio: som});
      return SDL.audios.length - 1;
    },
  },

  t2d2_som_a_chegar__deps: ['$T2D2Chegada', '$PATH_FS'],
  t2d2_som_a_chegar: function(arquivo) {
    return T2D2Chegada.som(PATH_FS.resolve(UTF8ToString(arquivo)));
  },

  // The program reads its input once a frame, calling SDL_PollEvent until
  // the queue is empty, and sees a button or key as held only if a read
  // finds it down: a press and its release that arrive between two reads (a
  // quick click, tap or key while a frame runs long, or input queued while
  // the page was frozen) would reach it as nothing at all. A read ends just
  // before the release of a button or key it has itself read pressed, and
  // the next read, a frame later, begins with that release. The rule wraps
  // the emulation's own read, so that whatever else watches that read (the
  // page's touch controls count the program's reads there) sees where each
  // one ends.
  $T2D2Entrada__deps: ['$SDL'],
  $T2D2Entrada__postset: 'T2D2Entrada.instala();',
  $T2D2Entrada: {
    // The buttons and keys read pressed since the queue was last left.
    lidos: {},

    // 'b0' for a mouse button, 'k13' for a key; null for any other event.
    chave: function(evento) {
      if (!evento || typeof evento !== 'object') return null;
      if (/^mouse(down|up)$/.test(evento.type)) return 'b' + evento.button;
      if (/^key(down|up)$/.test(evento.type)) return 'k' + evento.keyCode;
      return null;
    },

    instala: function() {
      var le = SDL.pollEvent, e = T2D2Entrada;
      SDL.pollEvent = function(ptr) {
        if (!ptr) return le.call(SDL, ptr);
        var evento = SDL.events[0], chave = e.chave(evento);
        var soltura = chave !== null && /up$/.test(evento.type);
        if (soltura && e.lidos[chave]) {
          e.lidos = {};
          return 0;
        }
        var lido = le.call(SDL, ptr);
        if (!lido) e.lidos = {};
        else if (chave !== null && !soltura) e.lidos[chave] = true;
        return lido;
      };
    },
  },

  // The emulation's own read, through the method T2D2Entrada wraps.
  SDL_PollEvent__deps: ['$SDL', '$T2D2Entrada'],
  SDL_PollEvent: function(ptr) {
    return SDL.pollEvent(ptr);
  },

  // The frame wait. A frame drawn between two refreshes of the display is
  // shown at the next one, so the game is best woken by the refresh itself
  // (an animation frame), and then draws in step with it. Woken by a timer,
  // its 16 ms frames beat against a 16.7 ms display and land behind the
  // page's rendering: some refreshes show no new picture and some pictures
  // are never shown. The wait ends at the first refresh from a millisecond
  // before its deadline (the library's clock counts whole milliseconds).
  // When the display's next refresh is due more than a millisecond after the
  // deadline (a rate the display does not share), or the page is not
  // refreshing in a steady rhythm (hidden, or a display without a screen
  // behind it), a timer ends it at the deadline, so that the game keeps its
  // own rate. A refresh the wait counted on may still not come (the page
  // hidden just then, a display that stops); a timer then ends the wait a
  // refresh late, so that the program never stops reading its input.
  $T2D2Quadro__deps: ['$safeSetTimeout', '$callUserCallback'],
  $T2D2Quadro: {
    // How far, in milliseconds, a refresh may fall from where it is
    // expected: from a wait's deadline, or off the display's rhythm.
    FOLGA: 1,
    // The display: its last refresh's frame time and the gaps before it, in
    // a ring.
    refresco: 0,
    intervalos: null,
    vistos: 0,
    // The wait under way: its deadline by the page's clock, its number, the
    // program's wake-up (null once called) and the timer kept in reserve
    // while it counts on a refresh.
    prazo: 0,
    vez: 0,
    acorda: null,
    reserva: 0,

    observa: function(t) {
      var q = T2D2Quadro;
      if (runtimeExited || ABORT) return;
      if (q.refresco) q.intervalos[q.vistos++ % q.intervalos.length] = t - q.refresco;
      q.refresco = t;
      requestAnimationFrame(q.observa);
    },

    // When the display's next refresh is due: a busy page skips refreshes
    // but never adds any, so the display's interval is the shortest recent
    // gap, and every gap a whole number of intervals. Infinity when the
    // page is not refreshing, or not in that rhythm.
    proximoRefresco: function(agora) {
      var q = T2D2Quadro, intervalo = Math.min.apply(null, q.intervalos);
      if (q.vistos < q.intervalos.length || agora - q.refresco > 4 * intervalo)
        return Infinity;
      for (var i = 0; i < q.intervalos.length; i++) {
        var g = q.intervalos[i];
        if (Math.abs(g - intervalo * Math.round(g / intervalo)) > q.FOLGA) return Infinity;
      }
      return q.refresco + intervalo * Math.ceil((agora - q.refresco) / intervalo);
    },

    // Wakes the program once per wait: a refresh or a timer left over from
    // an earlier wait, or coming after the other, finds nothing to do.
    termina: function(vez) {
      var q = T2D2Quadro, acorda = q.acorda;
      if (vez !== q.vez || !acorda) return;
      q.acorda = null;
      clearTimeout(q.reserva);
      acorda();
    },

    decide: function(vez) {
      var q = T2D2Quadro, agora = performance.now(), refresco = q.proximoRefresco(agora);
      if (refresco > q.prazo + q.FOLGA) {
        safeSetTimeout(function() { q.termina(vez); }, q.prazo - agora);
        return;
      }
      var intervalo = Math.min.apply(null, q.intervalos);
      clearTimeout(q.reserva);
      q.reserva = setTimeout(function() {
        callUserCallback(function() { q.termina(vez); });
      }, refresco + intervalo - agora);
      // The program's sleep keeps the runtime alive meanwhile.
      requestAnimationFrame(function() {
        callUserCallback(function() { q.noRefresco(vez); });
      });
    },

    noRefresco: function(vez) {
      var q = T2D2Quadro;
      if (vez !== q.vez || !q.acorda) return;
      if (performance.now() >= q.prazo - q.FOLGA) q.termina(vez);
      else q.decide(vez);
    },

    espera: function(ms, acorda) {
      var q = T2D2Quadro;
      if (!q.intervalos) {
        q.intervalos = new Float64Array(8).fill(Infinity);
        requestAnimationFrame(q.observa);
      }
      q.prazo = performance.now() + ms;
      q.acorda = acorda;
      q.decide(++q.vez);
    },
  },

  // The game's state for the page's controls: only a change is announced.
  t2d2_anuncia: function(ptr) {
    var estado = UTF8ToString(ptr);
    if (Module.estadoDoJogo === estado) return;
    Module.estadoDoJogo = estado;
    window.dispatchEvent(new CustomEvent('t2d2estado', {detail: estado}));
  },

  t2d2_anuncia_valor: function(valor) {
    if (Module.valorDoJogo === valor) return;
    Module.valorDoJogo = valor;
    window.dispatchEvent(new CustomEvent('t2d2valor', {detail: valor}));
  },

  t2d2_espera_quadro__deps: ['$T2D2Quadro'],
  t2d2_espera_quadro: function(ms) {
    Asyncify.handleSleep(function(acorda) {
      T2D2Quadro.espera(ms, acorda);
    });
  },
});
