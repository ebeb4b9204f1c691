// The page's behaviour for a Tovik2D 2 program: shows the download, waits
// for the player's click (the gesture a browser needs before it plays sound),
// runs the program and, when it returns, ends it as a desktop's C runtime
// does, with exit(), so that its exit handlers stop the sound. Another game
// is a fresh page that starts at once. Whatever keeps the program from
// running is said on the page, in words.
'use strict';
var tela = document.getElementById('tela');
var aviso = document.getElementById('aviso');
var mensagem = document.getElementById('mensagem');
var carga = document.getElementById('carga');
var botao = document.getElementById('botao');

var MSG_SEM_CARGA = 'Não foi possível carregar o jogo.';
var MSG_SEM_WEBGL = 'Este navegador não consegue mostrar o jogo: falta WebGL.';

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

function pergunta(texto, rotulo, acao) {
  mensagem.textContent = texto;
  carga.hidden = true;
  botao.textContent = rotulo || '';
  botao.onclick = acao || null;
  botao.hidden = !rotulo;
  aviso.hidden = false;
}

function recarrega() {
  location.reload();
}

// A file that did not arrive (an HTTP error, a dropped connection) leaves
// the loader waiting for ever: before the program is ready, any error means
// the page cannot start it.
var pronto = false;
function naoCarregou() {
  clearTimeout(parada);
  if (!pronto) pergunta(MSG_SEM_CARGA, 'Tentar de novo', recarrega);
}

// A connection that stalls without dropping raises no error at all. The
// load is given up after this long without progress: a byte of the data
// package, a file finished, a step of the start. A slow download that keeps
// moving is never given up.
var SEM_PROGRESSO_MS = 15000;
var parada = setTimeout(naoCarregou, SEM_PROGRESSO_MS);
function progrediu() {
  clearTimeout(parada);
  if (!pronto) parada = setTimeout(naoCarregou, SEM_PROGRESSO_MS);
}
if (window.PerformanceObserver)
  new PerformanceObserver(progrediu).observe({entryTypes: ['resource']});

// Asked on a canvas of its own: the program's canvas may hold a 2-D context,
// which makes it refuse a WebGL one.
function temWebGL() {
  try {
    return Boolean(document.createElement('canvas').getContext('webgl'));
  } catch (e) {
    return false;
  }
}

// Emscripten reports the download as "... (loaded/total)".
function mostraCarga(texto) {
  progrediu();
  var m = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(texto || '');
  if (m) carga.value = Number(m[1]) / Number(m[2]);
}

// The program's lines are Latin-1 bytes: each byte is its own character.
// They arrive one at a time, and may arrive signed. console is looked up at
// each line, so that a tool watching the console sees them.
function linhasLatin1(nivel) {
  var linha = '';
  return function (byte) {
    if (byte === null || byte === 10) {
      console[nivel](linha);
      linha = '';
    } else {
      linha += String.fromCharCode(byte & 255);
    }
  };
}

// ---------------------------------------------------------------------------
// Start and end
// ---------------------------------------------------------------------------

// Called directly, not through ccall, which would keep the runtime alive
// for the length of the call and so keep its exit handlers from running.
function termina(estado) {
  try {
    Module._exit(estado);
  } catch (e) {
    if (!e || e.name !== 'ExitStatus') throw e;
  }
}

function joga() {
  aviso.hidden = true;
  tela.focus();
  retomaSom();
  if (window.toque) toque.antesDoJogo();
  Module.ccall('main', 'number', ['number', 'number'], [0, 0], {async: true})
      .then(termina);
}

// A program that drew nothing because the browser gave it no context had
// asked for WebGL; the library has already said so in the console.
function encerrou() {
  if (window.toque) toque.depoisDoJogo();
  if (!Module.ctx && !temWebGL()) {
    pergunta(MSG_SEM_WEBGL);
    return;
  }
  pergunta('Partida encerrada.', 'Jogar de novo', jogaDeNovo);
}

// The program's C state does not outlive exit(), and its library starts
// once per run: another game is the page loaded afresh, told to skip its
// start screen. The tap that asked for it lets the new page's sound play
// where the browser carries a gesture across a reload of the same page
// (Chromium); elsewhere the next tap does (retomaSom).
var DE_NOVO = 't2d2.jogaDeNovo';
function jogaDeNovo() {
  try {
    sessionStorage.setItem(DE_NOVO, '1');
  } catch (e) {
    // No storage (a private window): the new page shows its start screen.
  }
  recarrega();
}

function pediuDeNovo() {
  try {
    var pediu = sessionStorage.getItem(DE_NOVO) !== null;
    sessionStorage.removeItem(DE_NOVO);
    return pediu;
  } catch (e) {
    return false;
  }
}

// ---------------------------------------------------------------------------
// Sound
// ---------------------------------------------------------------------------

// A browser suspends the sound's context again later (a tab sent to the
// background, a phone locked, a call: WebKit calls that "interrupted"), and
// the emulation's own listeners resume it once only. Resumed when the page
// comes back and at each gesture: away from a gesture the browser may
// refuse, and the next gesture tries again.
function retomaSom() {
  var contexto = typeof SDL !== 'undefined' && SDL.audioContext;
  if (!contexto || contexto.state === 'running' || contexto.state === 'closed') return;
  var pedido = contexto.resume();
  if (pedido) pedido.catch(function () {});
}

// Making the sound's context costs a phone about a tenth of a second. It is
// made while the page waits for the player, suspended, and the start
// gesture resumes it (retomaSom): the emulation takes a context it finds.
function preparaSom() {
  var Contexto = window.AudioContext || window.webkitAudioContext;
  if (Contexto && typeof SDL !== 'undefined' && !SDL.audioContext)
    SDL.audioContext = new Contexto();
}

// The emulation decodes a sound with no error callback, so a sound the
// browser cannot decode (Ogg Vorbis on older iPhones) would hold its players
// for ever. The failure gets one line and a silent sound in its place.
function decodificaComAviso(contexto, arquivo) {
  var decodifica = contexto.decodeAudioData;
  contexto.decodeAudioData = function (dados, decodificado) {
    contexto.decodeAudioData = decodifica;
    var promessa = decodifica.call(contexto, dados, decodificado, function () {
      console.warn('N\u00e3o conseguiu decodificar o som ' + arquivo +
                   '. O jogo segue sem ele.');
      decodificado(contexto.createBuffer(1, 1, contexto.sampleRate));
    });
    // The same failure also rejects the promise, which nobody else holds.
    if (promessa) promessa.catch(function () {});
  };
}

// ---------------------------------------------------------------------------
// A page sent away and back (a locked phone, another tab)
// ---------------------------------------------------------------------------

// A finger or a button let go while the page is away sends it no release,
// so a held charge would go on charging after its return. Every button the
// emulation holds is let go as the page leaves, through the emulation's own
// entry, where the pointer last was; the emulation already does so with
// keys.
function soltaBotoes() {
  if (typeof SDL === 'undefined' || !SDL.DOMButtons) return;
  var r = tela.getBoundingClientRect();
  var onde = {
    pageX: scrollX + r.left + Browser.mouseX * r.width / tela.width,
    pageY: scrollY + r.top + Browser.mouseY * r.height / tela.height,
  };
  SDL.DOMButtons.forEach(function (apertado, botao) {
    if (apertado) SDL.receiveEvent({type: 'mouseup', button: botao, pageX: onde.pageX,
                                    pageY: onde.pageY, preventDefault: function () {}});
  });
}

function mudouVisibilidade() {
  if (document.hidden) soltaBotoes();
  else retomaSom();
}

// ---------------------------------------------------------------------------
// Page events to the program: the one place that maps them
// ---------------------------------------------------------------------------

addEventListener('error', naoCarregou, true);
tela.addEventListener('contextmenu', function (e) { e.preventDefault(); });
tela.addEventListener('mousedown', function () { tela.focus(); });
// mousedown, not pointerdown: after a right click (whose menu the page
// cancels) WebKit sends no pointerup, counts the right button as still held,
// and a later press of another button then fires no pointerdown.
['mousedown', 'touchend', 'keydown'].forEach(function (evento) {
  document.addEventListener(evento, retomaSom, true);
});
document.addEventListener('visibilitychange', mudouVisibilidade);
document.addEventListener('freeze', soltaBotoes);
addEventListener('pagehide', soltaBotoes);
addEventListener('pageshow', retomaSom);
document.addEventListener('resume', retomaSom);

var Module = {
  canvas: tela,
  // Sounds are decoded by Web Audio when the program loads them, not made
  // into <audio> elements while the page downloads: the emulation pans only
  // the former, and the preloader of the latter keeps a ten-second timer
  // that holds the runtime alive, and with it the exit handlers, after a
  // quick game.
  noAudioDecoding: true,
  // Asked just before each sound is decoded.
  SDL_canPlayWithWebAudio: function (arquivo, dados) {
    if (dados && SDL.audioContext) decodificaComAviso(SDL.audioContext, arquivo);
    return true;
  },
  stdout: linhasLatin1('log'),
  stderr: linhasLatin1('warn'),
  setStatus: mostraCarga,
  monitorRunDependencies: progrediu,
  onRuntimeInitialized: function () {
    pronto = true;
    clearTimeout(parada);
    preparaSom();
    if (pediuDeNovo()) joga();
    else pergunta(document.title, window.toque ? toque.rotuloDoInicio() : 'Clique para jogar', joga);
    if (window.registraTrabalhador) registraTrabalhador();
  },
  onExit: encerrou,
  onAbort: function (motivo) {
    if (window.toque) toque.depoisDoJogo();
    if (!pronto) {
      naoCarregou();
      return;
    }
    pergunta('O jogo parou: ' + motivo, 'Recarregar', recarrega);
  },
};
