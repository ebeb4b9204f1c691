// A program on phones and tablets: the on-screen buttons its page declares
// (T2D2_TOQUE, written into the page by the build), a finger on the picture
// that moves its pointer, the fit of the picture and the buttons to the
// screen, and a title screen that speaks of those buttons. A program that
// declares none gets no buttons, and a tap on its picture is a left click
// there. None of it exists until the device shows it has touch (a coarse
// pointer, or a first touch).
'use strict';
var toque = (function () {
  var TECLAS = {Enter: 13, Escape: 27, Space: 32, ArrowLeft: 37, ArrowUp: 38,
                ArrowRight: 39, ArrowDown: 40, Shift: 16, Control: 17, Tab: 9,
                Backspace: 8};
  var BOTOES = {esquerdo: 0, meio: 1, direito: 2};
  var LADOS = {esquerda: 0, direita: 1};
  // In CSS pixels: the space around each button, its most width, and its
  // most height beside the picture.
  var MARGEM = 12, LADO_MAXIMO = 200, ALTURA_MAXIMA = 96;
  var LETRA_MINIMA = 9;
  // Room kept for the buttons beside the picture (landscape, at least BANDA
  // and at most a share of the width) or under it (portrait), in CSS
  // pixels: every button stays at least 48 x 48.
  var BANDA = 112, PARTE_DA_BANDA = 2 / 9, FAIXA = 216;

  var declaracao = leDeclaracao(window.T2D2_TOQUE);
  var ativo = false, colunas = [[], []], mira = {x: 0.5, y: 0.5};
  var refrescos = -1, estado = null, pergunta = null, telaCheia = null;
  var rodando = false;

  // ---------------------------------------------------------------------------
  // The declaration: bad entries are said in the console and left out
  // ---------------------------------------------------------------------------

  // A word's entry in one of the tables above, or undefined.
  function daTabela(tabela, nome) {
    return Object.prototype.hasOwnProperty.call(tabela, nome) ? tabela[nome] : undefined;
  }

  // The DOM keyCode the emulation reads for a key's name, or 0.
  function codigoDaTecla(nome) {
    if (/^[a-z0-9]$/.test(nome)) return nome.toUpperCase().charCodeAt(0);
    return daTabela(TECLAS, nome) || 0;
  }

  // Exactly one of a key and a mouse button, a name and a side.
  function leControle(c) {
    if (!c || typeof c !== 'object') c = {};
    var tecla = typeof c.tecla === 'string' ? codigoDaTecla(c.tecla) : 0;
    var botao = daTabela(BOTOES, c.botao);
    var lado = daTabela(LADOS, c.lado);
    if (!c.nome || !tecla === (botao === undefined) || lado === undefined) {
      console.warn('Controle de toque ignorado (nome, tecla ou botão, lado): ' +
                   JSON.stringify(c));
      return null;
    }
    return {nome: String(c.nome), tecla: tecla, botao: botao, lado: lado,
            estados: Array.isArray(c.estados) ? c.estados : null,
            dica: c.dica, dicaApertado: c.dicaApertado, medida: c.medida === true,
            confirma: c.confirma};
  }

  function leDeclaracao(d) {
    if (d === null || d === undefined) return {controles: [], trocas: {}};
    if (typeof d !== 'object' || !Array.isArray(d.controles)) {
      console.warn('Declaração de toque sem a lista "controles": a página segue sem botões.');
      return {controles: [], trocas: {}};
    }
    var trocas = d.trocasNoToque;
    if (trocas !== undefined && (typeof trocas !== 'object' || Array.isArray(trocas))) {
      console.warn('"trocasNoToque" não é um objeto: o jogo lê os seus próprios arquivos.');
      trocas = {};
    }
    return {controles: d.controles.map(leControle).filter(Boolean), trocas: trocas || {}};
  }

  var comBotoes = declaracao.controles.length > 0;

  // ---------------------------------------------------------------------------
  // Input to the game, through the emulation
  // ---------------------------------------------------------------------------

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

  // ---------------------------------------------------------------------------
  // The buttons
  // ---------------------------------------------------------------------------

  function linha(b, classe) {
    var s = document.createElement('span');
    s.className = classe;
    b.appendChild(s);
    return s;
  }

  function criaBotao(nome, lado) {
    var b = document.createElement('button');
    b.type = 'button';
    b.className = 'controle';
    b.setAttribute('aria-label', nome);
    linha(b, 'nome').textContent = nome;
    b.hidden = true;
    document.body.appendChild(b);
    colunas[lado].push(b);
    return b;
  }

  // A button that acts on its click acts only if the press began on it: the
  // click that ends a tap is aimed where the finger was, and a button that
  // has just taken that place (the layout follows the game) must not take
  // it. A click with no pointer behind it (a keyboard) acts.
  function aoTocar(b, acao) {
    var desceuAqui = false;
    b.addEventListener('pointerdown', function () { desceuAqui = true; });
    b.addEventListener('click', function (e) {
      var valido = desceuAqui || e.detail === 0;
      desceuAqui = false;
      if (valido && !b.hidden) acao();
    });
  }

  // The second line teaches the control: what to do before a press, and
  // while held. A control that shows a measure fills from the bottom with
  // the latest value the game announces, from empty at each press.
  function mostraApertado(controle, apertado) {
    var b = controle.el;
    b.classList.toggle('apertado', apertado);
    if (controle.dicaEl)
      controle.dicaEl.textContent = (apertado ? controle.dicaApertado : controle.dica) || '';
    if (controle.medidaEl) {
      controle.medidaEl.hidden = !apertado;
      controle.medidaEl.style.height = '0%';
    }
  }

  function mostraValor(valor) {
    declaracao.controles.forEach(function (c) {
      if (!c.medidaEl || c.medidaEl.hidden) return;
      var v = Math.max(0, Math.min(1, Number(valor) || 0));
      c.medidaEl.style.height = (100 * v) + '%';
    });
  }

  // Held while a finger (or the mouse) stays down on it. A click with no
  // pointer behind it (a keyboard, a screen reader) is a whole press. A
  // control hidden takes no press, and one that shows under a finger
  // already down stays up: only a new press acts.
  function ligaControle(controle) {
    var b = criaBotao(controle.nome, controle.lado), solta = null;
    controle.el = b;
    if (controle.dica || controle.dicaApertado) controle.dicaEl = linha(b, 'dica');
    if (controle.medida) controle.medidaEl = linha(b, 'medida');
    mostraApertado(controle, false);
    if (controle.confirma) {
      b.dataset.confirma = '1';
      aoTocar(b, function () { pergunta.abre(controle); });
      controle.largou = function () {};
      return;
    }
    b.addEventListener('pointerdown', function (e) {
      e.preventDefault();
      if (solta || b.hidden) return;
      solta = pressiona(controle);
      mostraApertado(controle, true);
    });
    function largou() {
      if (!solta) return;
      solta();
      solta = null;
      mostraApertado(controle, false);
    }
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (t) {
      b.addEventListener(t, largou);
    });
    b.addEventListener('click', function (e) {
      if (e.detail === 0 && !b.hidden) pressiona(controle)();
    });
    controle.largou = largou;
  }

  // A control that asks first: its question over the picture, with the
  // control's own name, which confirms (a whole press), and "Continuar",
  // which does nothing. The game runs on meanwhile; the other controls hide.
  function criaPergunta() {
    var caixa = document.createElement('div');
    caixa.id = 'pergunta';
    caixa.setAttribute('role', 'dialog');
    caixa.hidden = true;
    var texto = linha(caixa, 'texto');
    var escolhas = linha(caixa, 'escolhas');
    var sim = document.createElement('button'), nao = document.createElement('button');
    sim.type = nao.type = 'button';
    nao.textContent = 'Continuar';
    escolhas.appendChild(sim);
    escolhas.appendChild(nao);
    document.getElementById('quadro').appendChild(caixa);
    var aberta = null;
    function fecha() {
      aberta = null;
      caixa.hidden = true;
      mostraEstado(estado);
    }
    aoTocar(sim, function () {
      var controle = aberta;
      fecha();
      pressiona(controle)();
    });
    aoTocar(nao, fecha);
    return {
      abre: function (controle) {
        aberta = controle;
        texto.textContent = controle.confirma;
        sim.textContent = controle.nome;
        caixa.setAttribute('aria-label', controle.confirma);
        caixa.hidden = false;
        mostraEstado(estado);
      },
      // Answers whether it is still open: the state it was asked in may
      // have no place for its control any more.
      segue: function () {
        if (aberta && !mostra(aberta, estado)) fecha();
        return Boolean(aberta);
      },
    };
  }

  // Before the program runs (loading, the start screen) no control shows,
  // and none once it has returned; in between, those of the game's state.
  function mostra(controle, e) {
    return rodando && (!controle.estados || controle.estados.indexOf(e) >= 0);
  }

  // A control hidden while held is let go: its own release may never come.
  function mostraEstado(e) {
    estado = e;
    var perguntando = pergunta.segue();
    declaracao.controles.forEach(function (c) {
      var oculto = perguntando || !mostra(c, e);
      if (oculto) c.largou();
      c.el.hidden = oculto;
    });
    // The page's own button keeps the game's controls company.
    if (telaCheia)
      telaCheia.hidden = !declaracao.controles.some(function (c) { return !c.el.hidden; });
    encaixa();
  }

  // The page's own button: full screen, and back.
  function emTelaCheia() {
    return Boolean(document.fullscreenElement || document.webkitFullscreenElement);
  }

  function alternaTelaCheia() {
    var d = document, raiz = d.documentElement;
    var pedido = emTelaCheia()
      ? (d.exitFullscreen || d.webkitExitFullscreen).call(d)
      : (raiz.requestFullscreen || raiz.webkitRequestFullscreen).call(raiz);
    if (pedido && pedido.catch) pedido.catch(function () {});
  }

  function nomeiaTelaCheia() {
    var nome = emTelaCheia() ? 'Sair da tela cheia' : 'Tela cheia';
    telaCheia.setAttribute('aria-label', nome);
    telaCheia.firstChild.textContent = nome;
    encaixa();
  }

  function criaTelaCheia() {
    var d = document;
    if (!comBotoes || !(d.fullscreenEnabled || d.webkitFullscreenEnabled)) return;
    telaCheia = criaBotao('Tela cheia', 0);
    aoTocar(telaCheia, alternaTelaCheia);
    ['fullscreenchange', 'webkitfullscreenchange'].forEach(function (t) {
      d.addEventListener(t, nomeiaTelaCheia);
    });
  }

  function emJogo(sim) {
    rodando = sim;
    if (ativo && comBotoes) mostraEstado(estado);
  }

  // On a touch device the game reads, in place of some of its files, the
  // ones its page names for touch (a title screen that speaks of these
  // buttons, not of Enter and the mouse): both the file and the pixels
  // decoded from it while the page loaded, before the game starts.
  function trocaArquivos() {
    if (!ativo) return;
    var imagens = Module.preloadedImages || {};
    Object.keys(declaracao.trocas).forEach(function (de) {
      var para = declaracao.trocas[de];
      try {
        FS.writeFile(de, FS.readFile(para));
      } catch (e) {
        console.warn('Sem o arquivo de toque ' + para + ': o jogo lê ' + de + '.');
        return;
      }
      if (imagens[para]) imagens[de] = imagens[para];
    });
  }

  // ---------------------------------------------------------------------------
  // The finger on the picture
  // ---------------------------------------------------------------------------

  function miraNoToque(t, tela) {
    var r = tela.getBoundingClientRect();
    mira = {x: (t.clientX - r.left) / r.width, y: (t.clientY - r.top) / r.height};
    envia('mousemove', {pageX: t.pageX, pageY: t.pageY});
  }

  // With no buttons, a finger on the picture is the left button where it
  // touches, held as long as the finger stays (and at least two refreshes).
  var dedo = null;
  function clica(e, t) {
    if (e.type === 'touchstart' && !dedo && envia('mousedown', {button: 0, pageX: t.pageX,
                                                                pageY: t.pageY})) {
      dedo = {id: t.identifier, inicio: refrescos};
    } else if ((e.type === 'touchend' || e.type === 'touchcancel') && dedo &&
               dedo.id === t.identifier) {
      var solto = dedo, onde = {button: 0, pageX: t.pageX, pageY: t.pageY};
      dedo = null;
      depoisDeDoisRefrescos(solto.inicio, function () { envia('mouseup', onde); });
    }
  }

  // A finger on the picture aims (or clicks, with no buttons): no scroll, no
  // zoom, and none of the emulation's own touch handling. Runs before the
  // canvas's listeners, at the window.
  function aponta(e) {
    var tela = document.getElementById('tela');
    if (e.target !== tela) return;
    e.preventDefault();
    e.stopPropagation();
    var t = e.changedTouches[0];
    if (e.type !== 'touchend' && e.type !== 'touchcancel') miraNoToque(t, tela);
    if (!comBotoes) clica(e, t);
  }

  // ---------------------------------------------------------------------------
  // Layout
  // ---------------------------------------------------------------------------

  function posiciona(el, r) {
    el.style.left = r.x + 'px';
    el.style.top = r.y + 'px';
    el.style.width = r.w + 'px';
    el.style.height = r.h + 'px';
  }

  // The stylesheet's letter, or a smaller one with which every line of the
  // button fits across it: labels never wrap.
  function ajustaLetra(b) {
    b.style.fontSize = '';
    var tamanho = parseFloat(getComputedStyle(b).fontSize);
    while (b.scrollWidth > b.clientWidth && tamanho > LETRA_MINIMA)
      b.style.fontSize = --tamanho + 'px';
  }

  function visiveis(coluna) {
    return coluna.filter(function (b) { return !b.hidden; });
  }

  function perguntaAntes(b) { return Boolean(b.dataset.confirma); }

  // The rows of a column and of its neighbour: a control that asks first
  // keeps a row between itself and the neighbour's bottom row, where the
  // thumbs press.
  function filasDe(coluna, vizinha) {
    var botoes = visiveis(coluna), topo = botoes.filter(perguntaAntes).length;
    return topo && visiveis(vizinha).length ? Math.max(botoes.length, topo + 2) : botoes.length;
  }

  // A column in its region, in n rows of the same height: the controls
  // that ask first at the top, the others at the bottom, within the
  // thumbs' reach. Beside the picture the rows have a most height; under it
  // (emPe) they share the whole height, the others under a control that
  // asks first taking the rest of its column.
  function empilha(coluna, n, r, emPe) {
    var botoes = visiveis(coluna);
    var topo = botoes.filter(perguntaAntes);
    var resto = botoes.filter(function (b) { return !perguntaAntes(b); });
    var w = Math.min(r.w - 2 * MARGEM, LADO_MAXIMO);
    var h = (r.h - (n + 1) * MARGEM) / n;
    if (!emPe) h = Math.min(h, ALTURA_MAXIMA);
    var hr = h;
    var x = r.x + (r.w - w) / 2;
    topo.forEach(function (b, i) {
      posiciona(b, {x: x, y: r.y + MARGEM + i * (h + MARGEM), w: w, h: h});
    });
    if (emPe && topo.length && resto.length)
      hr = (r.h - topo.length * (h + MARGEM) - MARGEM) / resto.length - MARGEM;
    resto.forEach(function (b, i) {
      posiciona(b, {x: x, y: r.y + r.h - (resto.length - i) * (hr + MARGEM), w: w, h: hr});
    });
    botoes.forEach(ajustaLetra);
  }

  // The width a band needs for its widest line at the stylesheet's letter.
  var regua = document.createElement('canvas').getContext('2d');
  function larguraNatural(b) {
    var maior = 0;
    [].forEach.call(b.children, function (s) {
      var estilo = getComputedStyle(s);
      regua.font = estilo.fontWeight + ' ' + estilo.fontSize + ' ' + estilo.fontFamily;
      maior = Math.max(maior, regua.measureText(s.textContent).width);
    });
    return maior + 16;
  }

  function banda(W) {
    var maior = 0;
    colunas.forEach(function (c) {
      visiveis(c).forEach(function (b) {
        b.style.fontSize = '';
        maior = Math.max(maior, larguraNatural(b));
      });
    });
    return Math.ceil(Math.min(Math.max(BANDA, maior + 2 * MARGEM), W * PARTE_DA_BANDA));
  }

  // Landscape: the largest 4:3 picture that leaves a band on each side wide
  // enough for the labels, a column of buttons in each band. Portrait: the
  // picture across the width at the top, the two columns under it sharing
  // the rest of the height. With no buttons, the largest 4:3 picture. The
  // picture's width is a multiple of 4, so its box is whole pixels.
  function encaixa() {
    if (!ativo) return;
    var W = innerWidth, H = innerHeight, q, regioes, emPe = W <= H;
    if (!comBotoes) {
      var m = 4 * Math.floor(Math.min(W, H * 4 / 3) / 4);
      q = {x: Math.floor((W - m) / 2), y: Math.floor((H - m * 3 / 4) / 2), w: m, h: m * 3 / 4};
      regioes = null;
    } else if (W > H) {
      var lado = banda(W);
      var w = 4 * Math.floor(Math.min(W - 2 * lado, H * 4 / 3) / 4);
      q = {x: Math.floor((W - w) / 2), y: Math.floor((H - w * 3 / 4) / 2), w: w, h: w * 3 / 4};
      regioes = [{x: 0, y: 0, w: q.x, h: H}, {x: q.x + w, y: 0, w: W - q.x - w, h: H}];
    } else {
      var l = 4 * Math.floor(Math.min(W, (H - FAIXA) * 4 / 3) / 4);
      q = {x: Math.floor((W - l) / 2), y: 0, w: l, h: l * 3 / 4};
      regioes = [{x: 0, y: q.h, w: W / 2, h: H - q.h}, {x: W / 2, y: q.h, w: W / 2, h: H - q.h}];
    }
    posiciona(document.getElementById('quadro'), q);
    if (!regioes) return;
    var n = Math.max(1, filasDe(colunas[0], colunas[1]), filasDe(colunas[1], colunas[0]));
    empilha(colunas[0], n, regioes[0], emPe);
    empilha(colunas[1], n, regioes[1], emPe);
  }

  // ---------------------------------------------------------------------------
  // Start
  // ---------------------------------------------------------------------------

  function ativa() {
    if (ativo || !document.body) return;
    ativo = true;
    var d = document;
    d.body.classList.add('toque');
    if (comBotoes) {
      pergunta = criaPergunta();
      criaTelaCheia();
      declaracao.controles.forEach(ligaControle);
      addEventListener('t2d2estado', function (e) { mostraEstado(e.detail); });
      addEventListener('t2d2valor', function (e) { mostraValor(e.detail); });
    }
    addEventListener('resize', encaixa);
    d.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    d.addEventListener('gesturestart', function (e) { e.preventDefault(); });
    if (comBotoes) mostraEstado(window.Module && Module.estadoDoJogo);
    else encaixa();
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
  if (document.readyState === 'loading') {
    addEventListener('DOMContentLoaded', function () {
      if (matchMedia('(pointer: coarse)').matches) ativa();
    });
  } else if (matchMedia('(pointer: coarse)').matches) {
    ativa();
  }

  return {
    // The start button's text for this device.
    rotuloDoInicio: function () {
      return ativo || matchMedia('(pointer: coarse)').matches
        ? 'Toque para jogar' : 'Clique para jogar';
    },
    // Called just before the program starts, and once it has returned.
    antesDoJogo: function () {
      trocaArquivos();
      emJogo(true);
    },
    depoisDoJogo: function () { emJogo(false); },
  };
})();
