// The game on phones and tablets: on-screen buttons for the keys and mouse
// buttons it reads, a finger on the picture that moves its pointer, the fit
// of the picture and the buttons to the screen, and a title screen that
// speaks of those buttons. None of it exists until the device shows it has
// touch (a coarse pointer, or a first touch).
'use strict';
var toque = (function () {
  // Each control, the input it stands for, the side it sits on (0 the left
  // band or column, 1 the right), and when it shows: on the title screen,
  // in play, or in play and usable only in a person's own turn.
  var CONTROLES = [
    {nome: 'Dois jogadores', lado: 0, tecla: 13, quando: 'splash'}, // Enter
    {nome: 'Computador: fácil', lado: 0, tecla: 49, quando: 'splash'}, // 1
    {nome: 'Computador: médio', lado: 1, tecla: 50, quando: 'splash'}, // 2
    {nome: 'Computador: difícil', lado: 1, tecla: 51, quando: 'splash'}, // 3
    {nome: 'Trocar bala', lado: 0, botao: 2, quando: 'vez'}, // right button
    {nome: 'Sair', lado: 1, tecla: 27, quando: 'jogo'}, // Esc
    {nome: 'Atirar', lado: 1, botao: 0, quando: 'vez'}, // left button, held
  ];
  // A page whose build declared its controls (T2D2_TOQUE) has those
  // instead, each shown once the game runs, in the states it names or in
  // all of them.
  var TECLAS = {Enter: 13, Escape: 27, Space: 32, ArrowLeft: 37, ArrowUp: 38,
    ArrowRight: 39, ArrowDown: 40, Shift: 16, Control: 17, Tab: 9, Backspace: 8};
  var BOTOES = {esquerdo: 0, meio: 1, direito: 2};
  function declarado(c) {
    return {nome: c.nome, lado: c.lado === 'direita' ? 1 : 0, quando: 'declarado',
            tecla: c.tecla && (TECLAS[c.tecla] || c.tecla.toUpperCase().charCodeAt(0)),
            botao: BOTOES[c.botao], estados: c.estados || null};
  }
  if (window.T2D2_TOQUE) CONTROLES = (T2D2_TOQUE.controles || []).map(declarado);
  var rodando = false;
  // The game's states (T2D2_AnunciaEstado) in which a person aims or charges.
  var VEZ_DA_PESSOA = ['pessoa', 'carga'];
  var SPLASH = '/files/splash.png', SPLASH_TOQUE = '/files/splash_toque.png';
  var MARGEM = 12, LADO_MAXIMO = 160, ALTURA_MAXIMA = 96, LETRA_MINIMA = 10;
  // Room kept for the buttons beside the picture (landscape) or under it
  // (portrait), in CSS pixels: every button stays at least 48 x 48.
  var BANDA = 112, FAIXA = 216;

  var ativo = false, colunas = [[], []], mira = {x: 0.5, y: 0.5};
  var refrescos = -1;

  // The game's input refreshes, counted where it reads the emulation's
  // queue: each refresh reads events until none is left.
  function contaRefrescos() {
    var le = SDL.pollEvent;
    refrescos = 0;
    SDL.pollEvent = function (ptr) {
      var lido = le.call(SDL, ptr);
      if (!lido) refrescos++;
      return lido;
    };
  }

  // The emulation's own entry for the browser's events. The page hands it
  // events of its own making, which it queues for the game's next input
  // refresh; before the game opens its window there is no one to read them.
  function envia(tipo, campos) {
    if (typeof SDL === 'undefined' || !SDL.screen) return false;
    if (refrescos < 0) contaRefrescos();
    var evento = {type: tipo, preventDefault: function () {}};
    for (var k in campos) evento[k] = campos[k];
    SDL.receiveEvent(evento);
    return true;
  }

  // The game sees a press only if it spans one of its input refreshes. A
  // release waits until two refreshes have read the control as down.
  function depoisDeDoisRefrescos(inicio, acao) {
    if (refrescos >= inicio + 2) acao();
    else requestAnimationFrame(function () { depoisDeDoisRefrescos(inicio, acao); });
  }

  // The mouse buttons press where the finger last aimed, kept as a fraction
  // of the picture so that it stays put when the picture is re-fitted.
  function entrada(controle) {
    if (controle.tecla) return {keyCode: controle.tecla};
    var r = document.getElementById('tela').getBoundingClientRect();
    return {button: controle.botao, pageX: r.left + mira.x * r.width,
            pageY: r.top + mira.y * r.height};
  }

  // Presses the control's input and gives the function that lets it go.
  function pressiona(controle) {
    var teclado = Boolean(controle.tecla);
    if (!envia(teclado ? 'keydown' : 'mousedown', entrada(controle)))
      return function () {};
    var inicio = refrescos;
    return function () {
      depoisDeDoisRefrescos(inicio, function () {
        envia(teclado ? 'keyup' : 'mouseup', entrada(controle));
      });
    };
  }

  function criaBotao(nome, lado) {
    var b = document.createElement('button');
    b.type = 'button';
    b.className = 'controle';
    b.textContent = nome;
    document.body.appendChild(b);
    colunas[lado].push(b);
    return b;
  }

  // Held while a finger (or the mouse) stays down on it. A click with no
  // pointer behind it (a keyboard, a screen reader) is a whole press. A
  // disabled control takes no press.
  function ligaControle(controle) {
    var b = criaBotao(controle.nome, controle.lado), solta = null;
    b.addEventListener('pointerdown', function (e) {
      e.preventDefault();
      if (solta || b.disabled) return;
      solta = pressiona(controle);
      b.classList.add('apertado');
    });
    function largou() {
      if (!solta) return;
      solta();
      solta = null;
      b.classList.remove('apertado');
    }
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (t) {
      b.addEventListener(t, largou);
    });
    b.addEventListener('click', function (e) {
      if (e.detail === 0 && !b.disabled) pressiona(controle)();
    });
    controle.el = b;
    controle.largou = largou;
  }

  // The title screen's choices, or the play controls, these usable only
  // while a person aims or charges. Before the game runs it is the title
  // screen's turn. A control hidden or disabled while held is let go: its
  // own release may never come.
  function mostraEstado(estado) {
    var naSplash = !estado || estado === 'splash';
    var naVez = VEZ_DA_PESSOA.indexOf(estado) >= 0;
    CONTROLES.forEach(function (c) {
      var oculto = c.quando === 'declarado'
        ? !rodando || Boolean(c.estados && c.estados.indexOf(estado) < 0)
        : naSplash !== (c.quando === 'splash');
      var inerte = c.quando === 'vez' && !naVez;
      if (oculto || inerte) c.largou();
      c.el.hidden = oculto;
      c.el.disabled = inerte;
    });
    encaixa();
  }

  // The game's title screen on a touch device is the one that speaks of
  // these buttons, not of Enter and the mouse: the page puts it where the
  // game reads its splash, both the file and the pixels decoded from it
  // while the page loaded, before the game starts.
  function trocaSplash() {
    var imagens = Module.preloadedImages;
    if (!ativo || !imagens[SPLASH_TOQUE]) return;
    imagens[SPLASH] = imagens[SPLASH_TOQUE];
    FS.writeFile(SPLASH, FS.readFile(SPLASH_TOQUE));
  }

  function telaCheia() {
    var d = document, raiz = d.documentElement;
    var pedido = d.fullscreenElement || d.webkitFullscreenElement
      ? (d.exitFullscreen || d.webkitExitFullscreen).call(d)
      : (raiz.requestFullscreen || raiz.webkitRequestFullscreen).call(raiz);
    if (pedido && pedido.catch) pedido.catch(function () {});
  }

  // A finger on the picture only aims: no press, no scroll, no zoom, and
  // none of the emulation's own touch handling, which presses the left
  // button. Runs before the canvas's listeners, at the window.
  function aponta(e) {
    var tela = document.getElementById('tela');
    if (e.target !== tela) return;
    e.preventDefault();
    e.stopPropagation();
    if (e.type !== 'touchstart' && e.type !== 'touchmove') return;
    var t = e.changedTouches[0], r = tela.getBoundingClientRect();
    mira = {x: (t.clientX - r.left) / r.width, y: (t.clientY - r.top) / r.height};
    envia('mousemove', {pageX: t.pageX, pageY: t.pageY});
  }

  function posiciona(el, r) {
    el.style.left = r.x + 'px';
    el.style.top = r.y + 'px';
    el.style.width = r.w + 'px';
    el.style.height = r.h + 'px';
  }

  // The stylesheet's letter, or a smaller one with which every word of the
  // label fits across its button: the bands beside a picture turned
  // sideways may leave a button less than 90 pixels wide.
  function ajustaLetra(b) {
    b.style.fontSize = '';
    var tamanho = parseFloat(getComputedStyle(b).fontSize);
    while (b.scrollWidth > b.clientWidth && tamanho > LETRA_MINIMA)
      b.style.fontSize = --tamanho + 'px';
  }

  // A column of the buttons shown, centred in its region.
  function empilha(todos, r) {
    var botoes = todos.filter(function (b) { return !b.hidden; });
    var n = botoes.length;
    var w = Math.min(r.w - 2 * MARGEM, LADO_MAXIMO);
    var h = Math.min((r.h - (n + 1) * MARGEM) / n, ALTURA_MAXIMA);
    var y = r.y + (r.h - n * h - (n - 1) * MARGEM) / 2;
    botoes.forEach(function (b, i) {
      posiciona(b, {x: r.x + (r.w - w) / 2, y: y + i * (h + MARGEM), w: w, h: h});
      ajustaLetra(b);
    });
  }

  // Landscape: the largest 4:3 picture that leaves a band on each side, a
  // column of buttons in each band. Portrait: the picture across the width
  // at the top, the two columns under it. The picture's width is a multiple
  // of 4, so its box is whole pixels.
  function encaixa() {
    var W = innerWidth, H = innerHeight, q, regioes;
    if (W > H) {
      var w = 4 * Math.floor(Math.min(W - 2 * BANDA, H * 4 / 3) / 4);
      q = {x: Math.floor((W - w) / 2), y: Math.floor((H - w * 3 / 4) / 2), w: w, h: w * 3 / 4};
      regioes = [{x: 0, y: 0, w: q.x, h: H}, {x: q.x + w, y: 0, w: W - q.x - w, h: H}];
    } else {
      var l = 4 * Math.floor(Math.min(W, (H - FAIXA) * 4 / 3) / 4);
      q = {x: Math.floor((W - l) / 2), y: 0, w: l, h: l * 3 / 4};
      regioes = [{x: 0, y: q.h, w: W / 2, h: H - q.h}, {x: W / 2, y: q.h, w: W / 2, h: H - q.h}];
    }
    posiciona(document.getElementById('quadro'), q);
    empilha(colunas[0], regioes[0]);
    empilha(colunas[1], regioes[1]);
  }

  function ativa() {
    if (ativo || !document.body) return;
    ativo = true;
    document.body.classList.add('toque');
    var d = document;
    if (d.fullscreenEnabled || d.webkitFullscreenEnabled)
      criaBotao('Tela cheia', 0).addEventListener('click', telaCheia);
    CONTROLES.forEach(ligaControle);
    addEventListener('resize', encaixa);
    addEventListener('t2d2estado', function (e) { mostraEstado(e.detail); });
    d.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    d.addEventListener('gesturestart', function (e) { e.preventDefault(); });
    mostraEstado(window.Module && Module.estadoDoJogo);
  }

  // WebKit lets sound begin only in the handler of a touch's end: the start
  // button acts there, and the click that would follow is cancelled.
  function comecaNoFimDoToque(e) {
    var b = document.getElementById('botao');
    if (e.target !== b || !b.onclick) return;
    e.preventDefault();
    b.onclick(e);
  }

  var opcoes = {capture: true, passive: false};
  ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function (t) {
    addEventListener(t, aponta, opcoes);
  });
  addEventListener('touchstart', ativa, opcoes);
  addEventListener('touchend', comecaNoFimDoToque, opcoes);
  addEventListener('DOMContentLoaded', function () {
    if (matchMedia('(pointer: coarse)').matches) ativa();
  });

  return {
    // The start button's text for this device.
    rotuloDoInicio: function () {
      return ativo || matchMedia('(pointer: coarse)').matches
        ? 'Toque para jogar' : 'Clique para jogar';
    },
    // Called just before the game starts.
    antesDoJogo: function () {
      trocaSplash();
      rodando = true;
      if (ativo) mostraEstado(Module.estadoDoJogo);
    },
  };
})();
