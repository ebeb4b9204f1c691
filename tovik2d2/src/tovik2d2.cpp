// Tovik2D 2 core: start-up and back-end dispatch, frame pacing, the frame
// shown read back, input, bitmasks, the sprite-set registry, bitmap fonts
// and collision queries.
// The back-ends (tovik2d2_gl.cpp, tovik2d2_sdl.cpp) plug in through the
// skeleton declared in tovik2d2_interno.h.
#include "tovik2d2_interno.h"

#include <SDL_image.h>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// ---------------------------------------------------------------------------
// Globals
// ---------------------------------------------------------------------------

bool inicializado = false;
SDL_Surface *screen = nullptr;
int render = 0;
bool c_shutdown = false;
void (*T2D2_SincronizaUsuario)() = nullptr;
T2D2_SpriteSet sprites[T2D2_MAXSPRITESETS];
T2D2_Fonte fontes[T2D2_MAXFONTES];
T2D2_Botao teclas[T2D2_MAXTECLAS];
T2D2_Mouse mouse;

void (*T2D2_Encerra)() = nullptr;
void (*T2D2_Sincroniza)(Uint8 fps) = nullptr;
void (*T2D2_LimpaTela)() = nullptr;
void (*T2D2_TrocaCorLimpezaTela)(Uint8 r, Uint8 g, Uint8 b) = nullptr;
void (*T2D2_LimitaAreaDesenho)(int x, int y, int largura, int altura) = nullptr;
void (*T2D2_LiberaAreaDesenho)() = nullptr;
unsigned int (*T2D2_CarregaSpriteSet)(const char *arquivo, int largura,
                                      int altura) = nullptr;
void (*T2D2_RemoveSpriteSet)(unsigned int id) = nullptr;
bool (*T2D2_DesenhaSprite)(unsigned int id, unsigned int indice, int x,
                           int y) = nullptr;
bool (*T2D2_DesenhaSpriteEfeito)(unsigned int id, unsigned int indice, int *x,
                                 int *y, Uint8 r, Uint8 g, Uint8 b,
                                 Uint8 a) = nullptr;
void (*T2D2_CopiaTela)(Uint8 *rgba) = nullptr;

// ---------------------------------------------------------------------------
// Messages (Latin-1)
// ---------------------------------------------------------------------------

static const char MSG_FALHA_SDL[] =
    "A Tovik2D 2 n\xe3"
    "o conseguiu iniciar a SDL. Mensagem do sistema: %s\n";
static const char MSG_JANELA[] = "A aplica\xe7\xe3"
                                 "o requisitou um modo de v\xed"
                                 "deo em janela.";
static const char MSG_TELA_CHEIA[] = "A aplica\xe7\xe3"
                                     "o requisitou um modo de v\xed"
                                     "deo em tela cheia.";
static const char MSG_MODO_INVALIDO[] =
    "A aplica\xe7\xe3"
    "o requisitou um modo de v\xed"
    "deo inv\xe1"
    "lido. "
    "Por seguran\xe7"
    "a, ser\xe1 utilizado um modo em janela.";
static const char MSG_VERIFICA[] =
    "A Tovik2DLite vai verificar a disponibilidade do modo de v\xed"
    "deo "
    "requisitado.";
static const char MSG_NAO_SUPORTADO[] =
    "O modo de v\xed"
    "deo n\xe3"
    "o \xe9 suportado pelo hardware. Encerrando.";
static const char MSG_SUPORTADO[] =
    "O sistema indica que o modo \xe9 suportado. Tenta iniciar.";
static const char MSG_FALHA_MODO[] = "N\xe3"
                                     "o foi poss\xed"
                                     "vel iniciar o modo de v\xed"
                                     "deo requisitado. "
                                     "Encerrando.";
static const char MSG_SEM_DESENHO[] =
    "O modo de v\xed"
    "deo foi aberto sem um contexto de desenho (no navegador, falta WebGL). "
    "Encerrando.";
static const char MSG_MODO_INICIADO[] = "Modo de v\xed"
                                        "deo iniciado com sucesso!";
static const char MSG_APAGANDO[] =
    "Apagando os spritesets e fontes do sistema.";
static const char MSG_ENCERRANDO[] = "Encerrando a SDL.";
static const char MSG_CAMINHO_LONGO[] =
    "O caminho do arquivo %.48s... tem mais de %i bytes e foi recusado.\n";
static const char MSG_SEM_ARQUIVO[] =
    "Um carregamento recebeu um nome de arquivo nulo e foi recusado.";
static const char MSG_FALHA_IMAGEM[] =
    "A fun\xe7\xe3"
    "o T2D2_CarregaSPriteset falhou ao carregar o arquivo %s. "
    "Erro: %s.\n";
static const char MSG_FALHA_MASCARAS[] =
    "N\xe3"
    "o conseguiu criar o vetor de bitmasks ao carregar os sprites do "
    "arquivo %s.\n";
static const char MSG_FALHA_FONTE[] =
    "N\xe3"
    "o conseguir abrir a fonte do arquivo %s.\n";
static const char MSG_DIMENSOES_FONTE[] =
    "As dimens\xf5"
    "es da fonte s\xe3"
    "o inv\xe1"
    "lidas. utilize um arquivo "
    "de %ix%i pixels, com as fontes numa matriz 16x16.\n";
static const char MSG_FALHA_TEXTO[] = "Falhou ao procurar as dimens\xf5"
                                      "es do texto %s com a fonte %s.\n";
static const char MSG_SPRITE_INVALIDO[] =
    "Tentou colidir com um sprite invalido (0)";
// Lines that say what to do, printed after the messages above.
static const char MSG_QUADRO_QUE_SERVE[] =
    "A imagem tem %ix%i pixels e n\xe3"
    "o se divide em quadros de %ix%i; o quadro mais pr\xf3"
    "ximo que a divide \xe9 %ix%i.\n";
static const char MSG_CELULA_QUE_SERVE[] =
    "A imagem tem %ix%i pixels: o tamanho de c\xe9"
    "lula que serve \xe9 %i.\n";
static const char MSG_FONTE_NAO_QUADRADA[] =
    "A imagem tem %ix%i pixels: uma fonte precisa de uma imagem quadrada, de "
    "lado m\xfa"
    "ltiplo de 16.\n";
static const char MSG_FONTE_POTENCIA_DE_DOIS[] =
    "A imagem tem %ix%i pixels, mas o desenho em OpenGL precisa de um lado "
    "pot\xea"
    "ncia de dois: use uma folha de %ix%i com c\xe9"
    "lulas de %i.\n";
static const char MSG_FONTE_LIVRE[] =
    "A fonte %u n\xe3"
    "o est\xe1 carregada: carregue-a com T2D2_CarregaFonte antes de "
    "desenhar.\n";
static const char MSG_LE_TELA_PARADA[] =
    "T2D2_LeTela n\xe3"
    "o tem quadro para ler: a Tovik2D 2 n\xe3"
    "o est\xe1 iniciada. Chame T2D2_Inicia antes.";
static const char MSG_LE_TELA_NULA[] =
    "T2D2_LeTela recebeu um ponteiro nulo e foi recusada.";
static const char MSG_LE_TELA_PEQUENA[] =
    "T2D2_LeTela recebeu %zu bytes, mas a tela de %ix%i precisa de %zu "
    "(largura x altura x 4); nada foi copiado.\n";
static const char MSG_LE_TELA_GUARDANDO[] =
    "T2D2_LeTela ainda n\xe3"
    "o tem quadro: a Tovik2D 2 passa a guardar cada quadro mostrado, e o "
    "primeiro fica pronto no pr\xf3"
    "ximo T2D2_Sincroniza.";
static const char MSG_VALOR_INVALIDO[] =
    "T2D2_AnunciaValor recebeu um valor que n\xe3"
    "o \xe9 finito e o ignorou.";
static const char MSG_LE_TELA_SEM_MEMORIA[] =
    "T2D2_LeTela n\xe3"
    "o conseguiu mem\xf3"
    "ria para guardar os quadros mostrados (%zu bytes).\n";

// ---------------------------------------------------------------------------
// The frame shown, read back
// ---------------------------------------------------------------------------
// Once a frame is shown nothing of it is certain to stay readable: after an
// OpenGL swap the back buffer is undefined, a browser clears WebGL's buffer
// once the page has shown it, and the SDL screen is drawn over by the next
// frame. So each frame is copied as T2D2_Sincroniza finishes it, before the
// wait in which a browser shows it; a copy costs a read-back, so frames are
// kept only from the first request on, into memory taken once.

static Uint8 *quadroGuardado = nullptr;
static bool guardouQuadro = false;

static size_t bytesDaTela() {
  return size_t(screen->w) * size_t(screen->h) * 4;
}

static void guardaQuadro() {
  if (!quadroGuardado) return;
  T2D2_CopiaTela(quadroGuardado);
  guardouQuadro = true;
}

static void esqueceQuadros() {
  free(quadroGuardado);
  quadroGuardado = nullptr;
  guardouQuadro = false;
}

static bool recusaLeitura(const char *mensagem) {
  puts(mensagem);
  return false;
}

static bool comecaAGuardar() {
  if (!quadroGuardado)
    quadroGuardado = static_cast<Uint8 *>(malloc(bytesDaTela()));
  if (quadroGuardado) return recusaLeitura(MSG_LE_TELA_GUARDANDO);
  printf(MSG_LE_TELA_SEM_MEMORIA, bytesDaTela());
  return false;
}

bool T2D2_LeTela(Uint8 *pixels, size_t tamanho) {
  if (!inicializado) return recusaLeitura(MSG_LE_TELA_PARADA);
  if (!pixels) return recusaLeitura(MSG_LE_TELA_NULA);
  if (tamanho < bytesDaTela()) {
    printf(MSG_LE_TELA_PEQUENA, tamanho, screen->w, screen->h, bytesDaTela());
    return false;
  }
  if (!guardouQuadro) return comecaAGuardar();
  memcpy(pixels, quadroGuardado, bytesDaTela());
  return true;
}

// ---------------------------------------------------------------------------
// Start-up, shut-down and frame pacing
// ---------------------------------------------------------------------------

bool T2D2_Inicia(unsigned int largura, unsigned int altura, int modoVideo,
                 int tipoRender, const char *tituloJanela) {
  if (tipoRender == T2D2_DESENHO_OPENGL) {
    if (!T2D2GL_Inicia(largura, altura, modoVideo, tituloJanela)) return false;
    render = 1;
    return true;
  }
  if (!T2D2SDL_Inicia(largura, altura, modoVideo, tituloJanela)) return false;
  render = 0;
  return true;
}

void reset() {
  for (T2D2_SpriteSet &s : sprites) {
    s.apelido[0] = '\0';
    s.imagem = nullptr;
    s.usuarios = 0;
    s.bmask = nullptr;
    s.textura = 0;
    s.texturaLigada = false;
  }
  for (T2D2_Fonte &f : fontes) {
    f.apelido[0] = '\0';
    f.idSpriteSet = 0;
    f.usuarios = 0;
  }
}

static Uint32 flagsDoModo(Uint32 base, int modoVideo) {
  if (modoVideo == T2D2_JANELA) {
    puts(MSG_JANELA);
    return base;
  }
  if (modoVideo == T2D2_TELA_CHEIA) {
    puts(MSG_TELA_CHEIA);
    return base | SDL_FULLSCREEN;
  }
  puts(MSG_MODO_INVALIDO);
  return base;
}

static bool desisteDoVideo(const char *mensagem) {
  puts(mensagem);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return false;
}

bool T2D2_IniciaVideo(const T2D2_Plataforma *p, unsigned int largura,
                      unsigned int altura, int modoVideo,
                      const char *tituloJanela) {
  if (inicializado) return false;
  reset();
  c_shutdown = false;
  T2D2_Partida partida = T2D2_IniciaSubsistema(SDL_INIT_VIDEO);
  if (partida == T2D2_JA_INICIADO) return false;
  if (partida == T2D2_FALHOU) {
    printf(MSG_FALHA_SDL, SDL_GetError());
    return false;
  }
  printf(p->anuncio, int(largura), int(altura));
  Uint32 flags = flagsDoModo(p->flagsBase, modoVideo);
  puts(MSG_VERIFICA);
  // SDL takes the size as int; anything beyond that cannot be a mode.
  if (largura > INT_MAX || altura > INT_MAX ||
      !SDL_VideoModeOK(int(largura), int(altura), 32, flags))
    return desisteDoVideo(MSG_NAO_SUPORTADO);
  puts(MSG_SUPORTADO);
  if (p->antesDoModo) p->antesDoModo();
  screen = SDL_SetVideoMode(int(largura), int(altura), 32, flags);
  if (!screen) return desisteDoVideo(MSG_FALHA_MODO);
  if (!T2D2_TelaDesenhavel()) {
    SDL_FreeSurface(screen);
    screen = nullptr;
    return desisteDoVideo(MSG_SEM_DESENHO);
  }
  if (p->depoisDoModo) p->depoisDoModo();
  puts(MSG_MODO_INICIADO);
  SDL_WM_SetCaption(tituloJanela ? tituloJanela : "", nullptr);
  if (p->depoisDoTitulo) p->depoisDoTitulo(largura, altura);
  SDL_ShowCursor(SDL_DISABLE);
  p->ligaOperacoes();
  inicializado = true;
  return true;
}

void T2D2_EncerraVideo(const T2D2_Plataforma *p) {
  if (!inicializado) return;
  c_shutdown = true;
  puts(MSG_APAGANDO);
  for (unsigned int id = 1; id <= T2D2_MAXFONTES; id++) T2D2_RemoveFonte(id);
  for (unsigned int id = 1; id <= T2D2_MAXSPRITESETS; id++)
    T2D2_RemoveSpriteSet(id);
  puts(MSG_ENCERRANDO);
  esqueceQuadros();
  if (screen) SDL_FreeSurface(screen);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  puts(p->despedida);
  inicializado = false;
}

Sint32 T2D2_CalculaEspera(Uint8 fps, Uint32 tempoAnterior, Uint32 agora) {
  Uint32 duracao = 1000u / (fps ? fps : 1);
  // Unsigned wrap-around, read back as signed: a late frame gives <= 0.
  return Sint32(duracao + tempoAnterior - agora);
}

void T2D2_SincronizaVideo(Uint8 fps, Uint32 *tempoAnterior,
                          void (*apresenta)()) {
  if (T2D2_SincronizaUsuario) T2D2_SincronizaUsuario();
  guardaQuadro();
  T2D2_EsperaQuadro(T2D2_CalculaEspera(fps, *tempoAnterior, SDL_GetTicks()));
  *tempoAnterior = SDL_GetTicks();
  apresenta();
  T2D2_Entrada();
}

unsigned long T2D2_TempoSistema() {
  return SDL_GetTicks();
}

void T2D2_Pausa(Uint32 pausa) {
  SDL_Delay(pausa);
}

void T2D2_DefineSincronizaUsuario(void (*funcao)()) {
  T2D2_SincronizaUsuario = funcao;
}

void T2D2_AnunciaEstado(const char *estado) {
  if (estado) T2D2_AnunciaAPlataforma(estado);
}

void T2D2_AnunciaValor(float valor) {
  if (std::isfinite(valor))
    T2D2_AnunciaValorAPlataforma(valor);
  else
    puts(MSG_VALOR_INVALIDO);
}

// ---------------------------------------------------------------------------
// Keyboard and mouse
// ---------------------------------------------------------------------------

void T2D2_PressionaBotao(T2D2_Botao *botao) {
  botao->pressionado = true;
  botao->ativo = true;
  botao->liberado = false;
}

void T2D2_LiberaBotao(T2D2_Botao *botao) {
  botao->pressionado = false;
  botao->ativo = false;
  botao->liberado = true;
}

void T2D2_ProcessaTecla(T2D2_Botao *tecla, Uint32 evento) {
  if (evento == SDL_KEYDOWN)
    T2D2_PressionaBotao(tecla);
  else if (evento == SDL_KEYUP)
    T2D2_LiberaBotao(tecla);
}

int T2D2_IndiceTecla(SDLKey sym) {
  switch (sym) {
  case SDLK_UP:
    return T2D2_CIMA;
  case SDLK_DOWN:
    return T2D2_BAIXO;
  case SDLK_RIGHT:
    return T2D2_DIREITA;
  case SDLK_LEFT:
    return T2D2_ESQUERDA;
  case SDLK_ESCAPE:
    return T2D2_ESC;
  case SDLK_F1:
    return T2D2_F1;
  case SDLK_F2:
    return T2D2_F2;
  case SDLK_F3:
    return T2D2_F3;
  case SDLK_F4:
    return T2D2_F4;
  case SDLK_RETURN:
    return T2D2_ENTER;
  case SDLK_SPACE:
    return T2D2_ESPACO;
  case SDLK_LALT:
    return T2D2_LALT;
  case SDLK_RALT:
    return T2D2_RALT;
  case SDLK_LCTRL:
    return T2D2_LCTRL;
  case SDLK_RCTRL:
    return T2D2_RCTRL;
  case SDLK_LSHIFT:
    return T2D2_LSHIFT;
  case SDLK_RSHIFT:
    return T2D2_RSHIFT;
  default:
    break;
  }
  if (sym >= SDLK_a && sym <= SDLK_z) return T2D2_A + (sym - SDLK_a);
  if (sym >= SDLK_0 && sym <= SDLK_9) return T2D2_0 + (sym - SDLK_0);
  return -1;
}

static void limpaBordas(T2D2_Botao *botoes, int n) {
  for (int i = 0; i < n; i++) botoes[i].pressionado = false;
  for (int i = 0; i < n; i++) botoes[i].liberado = false;
}

// Platform buttons 1, 3 and 2 are left, right and middle; others (the wheel)
// only move the pointer.
static T2D2_Botao *botaoDoMouse(Uint8 numero) {
  switch (numero) {
  case SDL_BUTTON_LEFT:
    return &mouse.botoes[T2D2_MESQUERDO];
  case SDL_BUTTON_RIGHT:
    return &mouse.botoes[T2D2_MDIREITO];
  case SDL_BUTTON_MIDDLE:
    return &mouse.botoes[T2D2_MMEIO];
  default:
    return nullptr;
  }
}

static void trataEvento(const SDL_Event &e) {
  switch (e.type) {
  case SDL_KEYDOWN:
  case SDL_KEYUP: {
    int i = T2D2_IndiceTecla(e.key.keysym.sym);
    if (i >= 0) T2D2_ProcessaTecla(&teclas[i], e.type);
    break;
  }
  case SDL_MOUSEMOTION:
    mouse.x = e.motion.x;
    mouse.y = e.motion.y;
    break;
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP: {
    mouse.x = e.button.x;
    mouse.y = e.button.y;
    T2D2_Botao *b = botaoDoMouse(e.button.button);
    if (b && e.type == SDL_MOUSEBUTTONDOWN) T2D2_PressionaBotao(b);
    if (b && e.type == SDL_MOUSEBUTTONUP) T2D2_LiberaBotao(b);
    break;
  }
  case SDL_QUIT:
    T2D2_PressionaBotao(&teclas[T2D2_ENCERRA]);
    break;
  default:
    break;
  }
}

void T2D2_Entrada() {
  limpaBordas(teclas, T2D2_MAXTECLAS);
  limpaBordas(mouse.botoes, T2D2_MMAX);
  SDL_Event e;
  while (SDL_PollEvent(&e)) trataEvento(e);
}

T2D2_Botao *T2D2_PegaTeclas() {
  return teclas;
}

T2D2_Mouse *T2D2_PegaMouse() {
  return &mouse;
}

// ---------------------------------------------------------------------------
// Bitmasks
// ---------------------------------------------------------------------------

static Uint32 magentaOpaco(SDL_Surface *s) {
  return SDL_MapRGBA(s->format, 255, 0, 255, 255);
}

bool T2D2_MagentaParaTransparente(SDL_Surface *s, int largura, int altura) {
  T2D2_TravaPixels(s);
  const Uint32 magenta = magentaOpaco(s);
  const Uint32 a = s->format->Amask;
  bool opaca = true;
  for (int y = 0; y < altura; y++) {
    Uint32 *linha = reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(s->pixels) +
                                               y * s->pitch);
    for (int x = 0; x < largura; x++) {
      if (linha[x] == magenta) linha[x] = 0;
      opaca = opaca && (linha[x] & a) == a;
    }
  }
  T2D2_SoltaPixels(s);
  return opaca;
}

static Uint32 lePixel(SDL_Surface *s, int x, int y) {
  const Uint8 *p = static_cast<const Uint8 *>(s->pixels) + y * s->pitch +
                   x * s->format->BytesPerPixel;
  switch (s->format->BytesPerPixel) {
  case 1:
    return *p;
  case 2:
    return *reinterpret_cast<const Uint16 *>(p);
  case 3:
    return SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16
                                           : p[2] | p[1] << 8 | p[0] << 16;
  default:
    return *reinterpret_cast<const Uint32 *>(p);
  }
}

static bool transparente32(Uint32 v, Uint32 magenta) {
  return v == magenta || (v & 0xff000000u) == 0;
}

bool PontoTransparente(SDL_Surface *surface, int x, int y) {
  if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h)
    return false;
  Uint32 v = lePixel(surface, x, y);
  if (surface->format->BytesPerPixel == 4)
    return transparente32(v, magentaOpaco(surface));
  // Narrower surfaces are judged by their colour, never read as 32-bit.
  Uint8 r, g, b, a;
  SDL_GetRGBA(v, surface->format, &r, &g, &b, &a);
  return a == 0 || (r == 255 && g == 0 && b == 255 && a == 255);
}

T2D2_BitMask *T2D2_CriaBitMask(int largura, int altura) {
  if (largura < 0 || altura < 0) return nullptr;
  T2D2_BitMask *m =
      static_cast<T2D2_BitMask *>(std::malloc(sizeof(T2D2_BitMask)));
  if (!m) return nullptr;
  m->largura = largura;
  m->altura = altura;
  m->ldwords = largura / 32 + (largura % 32 ? 1 : 0);
  size_t palavras = size_t(altura) * size_t(m->ldwords);
  m->mask = static_cast<Uint32 *>(std::malloc(palavras ? palavras * 4 : 1));
  if (!m->mask) {
    std::free(m);
    return nullptr;
  }
  return m;
}

void T2D2_RemoveBitMask(T2D2_BitMask *bmask) {
  if (!bmask) return;
  std::free(bmask->mask);
  std::free(bmask);
}

static void removeMascaras(T2D2_BitMask **v, size_t n) {
  for (size_t i = 0; i < n; i++) T2D2_RemoveBitMask(v[i]);
  std::free(v);
}

T2D2_BitMask **T2D2_CriaVetorBitMasks(SDL_Surface *, int spx, int spy,
                                      int limagem, int aimagem) {
  if (spx <= 0 || spy <= 0 || limagem < 0 || aimagem < 0) return nullptr;
  size_t n = size_t(limagem / spx) * size_t(aimagem / spy);
  T2D2_BitMask **v = static_cast<T2D2_BitMask **>(
      std::calloc(n ? n : 1, sizeof(T2D2_BitMask *)));
  if (!v) return nullptr;
  for (size_t i = 0; i < n; i++) {
    v[i] = T2D2_CriaBitMask(spx, spy);
    if (!v[i]) {
      removeMascaras(v, i);
      return nullptr;
    }
  }
  return v;
}

// Packs one frame row word by word; the spare bits of the last word end up 0.
static void preencheLinha(SDL_Surface *img, Uint32 magenta, int x0, int y,
                          int largura, Uint32 *palavras) {
  bool trinta_e_dois = img->format->BytesPerPixel == 4;
  for (int base = 0; base < largura; base += 32) {
    Uint32 w = 0;
    int fim = largura - base < 32 ? largura - base : 32;
    for (int i = 0; i < fim; i++) {
      int x = x0 + base + i;
      bool t = trinta_e_dois ? transparente32(lePixel(img, x, y), magenta)
                             : PontoTransparente(img, x, y);
      if (!t) w |= 0x80000000u >> i;
    }
    palavras[base / 32] = w;
  }
}

void T2D2_PreencheVetorBitMasks(SDL_Surface *imagem, int spx, int spy,
                                int limagem, int aimagem,
                                T2D2_BitMask **bmask) {
  if (!imagem || !bmask || spx <= 0 || spy <= 0) return;
  int colunas = limagem / spx, linhas = aimagem / spy;
  // Frames beyond the surface would be read out of its pixels.
  if (colunas * spx > imagem->w) colunas = imagem->w / spx;
  if (linhas * spy > imagem->h) linhas = imagem->h / spy;
  T2D2_TravaPixels(imagem);
  Uint32 magenta = magentaOpaco(imagem);
  for (int l = 0; l < linhas; l++)
    for (int c = 0; c < colunas; c++) {
      T2D2_BitMask *m = bmask[l * (limagem / spx) + c];
      for (int y = 0; y < spy; y++)
        preencheLinha(imagem, magenta, c * spx, l * spy + y, spx,
                      m->mask + size_t(y) * m->ldwords);
    }
  T2D2_SoltaPixels(imagem);
}

void T2D2_SetBit(T2D2_BitMask *bmask, int x, int y, int val) {
  if (!bmask || x < 0 || y < 0 || x >= bmask->largura || y >= bmask->altura)
    return;
  Uint32 &w = bmask->mask[size_t(y) * bmask->ldwords + unsigned(x) / 32];
  Uint32 bit = 0x80000000u >> (unsigned(x) % 32);
  if (val)
    w |= bit;
  else
    w &= ~bit;
}

bool T2D2_GetBit(T2D2_BitMask *bmask, int x, int y) {
  if (!bmask || x < 0 || y < 0 || x >= bmask->largura || y >= bmask->altura)
    return false;
  Uint32 w = bmask->mask[size_t(y) * bmask->ldwords + unsigned(x) / 32];
  return (w & (0x80000000u >> (unsigned(x) % 32))) != 0;
}

// ---------------------------------------------------------------------------
// Sprite sets: the registry and the loading steps both back-ends share
// ---------------------------------------------------------------------------

bool T2D2_CopiaApelido(char *apelido, const char *arquivo) {
  size_t n = strlen(arquivo);
  if (n >= T2D2_MAXAPELIDO) {
    printf(MSG_CAMINHO_LONGO, arquivo, T2D2_MAXAPELIDO - 1);
    apelido[0] = '\0';
    return false;
  }
  memcpy(apelido, arquivo, n + 1);
  return true;
}

unsigned int T2D2_ProcuraSpriteSet(const char *apelido) {
  if (!apelido) return 0;
  // A free slot's name is empty too; it names no set.
  for (unsigned int i = 0; i < T2D2_MAXSPRITESETS; i++)
    if (sprites[i].imagem && strcmp(sprites[i].apelido, apelido) == 0)
      return i + 1;
  return 0;
}

T2D2_SpriteSet *T2D2_SpriteSetDe(unsigned int id) {
  if (id == 0 || id > T2D2_MAXSPRITESETS) return nullptr;
  return &sprites[id - 1];
}

T2D2_SpriteSet *T2D2_ReservaSpriteSet(const char *arquivo, unsigned int *id) {
  *id = 0;
  if (!arquivo) {
    puts(MSG_SEM_ARQUIVO);
    return nullptr;
  }
  unsigned int existente = T2D2_ProcuraSpriteSet(arquivo);
  if (existente) {
    sprites[existente - 1].usuarios++;
    *id = existente;
    return nullptr;
  }
  for (unsigned int i = 0; i < T2D2_MAXSPRITESETS; i++) {
    T2D2_SpriteSet *s = &sprites[i];
    if (s->imagem) continue;
    if (!T2D2_CopiaApelido(s->apelido, arquivo)) return nullptr;
    *id = i + 1;
    return s;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// Image sizes from file headers, read before anything is decoded
// ---------------------------------------------------------------------------

// Read through the C library: not every SDL hands out a real SDL_RWops (the
// browser's emulation returns a number), and these are a few plain bytes.
static bool leBytes(FILE *f, Uint8 *destino, size_t n) {
  return fread(destino, 1, n, f) == n;
}

static int le16(const Uint8 *p) {
  return p[0] << 8 | p[1];
}

static Uint32 le32(const Uint8 *p) {
  return Uint32(p[0]) << 24 | Uint32(p[1]) << 16 | Uint32(p[2]) << 8 | p[3];
}

// PNG: the signature, then IHDR as the first chunk with width and height.
static bool dimensoesPNG(FILE *f, const Uint8 *inicio, int *largura,
                         int *altura) {
  static const Uint8 assinatura[8] = {0x89, 'P',  'N',  'G',
                                      '\r', '\n', 0x1a, '\n'};
  if (memcmp(inicio, assinatura, 8) != 0) return false;
  Uint8 c[16];
  if (!leBytes(f, c, 16)) return false;
  if (le32(c) != 13 || memcmp(c + 4, "IHDR", 4) != 0) return false;
  Uint32 l = le32(c + 8), a = le32(c + 12);
  if (l == 0 || a == 0 || l > INT_MAX || a > INT_MAX) return false;
  *largura = int(l);
  *altura = int(a);
  return true;
}

// Markers that stand alone, without a length: TEM, RST0..7, SOI and EOI.
static bool marcadorSemTamanho(Uint8 m) {
  return m == 0x01 || (m >= 0xd0 && m <= 0xd9);
}

// Start-of-frame markers: every C0..CF except DHT (C4), JPG (C8) and DAC (CC).
static bool inicioDeQuadro(Uint8 m) {
  return m >= 0xc0 && m <= 0xcf && m != 0xc4 && m != 0xc8 && m != 0xcc;
}

enum { MAX_SEGMENTOS_JPEG = 4096 };

// JPEG: walks the segments up to the first start of frame; its height and
// width follow the sample precision.
static bool dimensoesJPEG(FILE *f, const Uint8 *inicio, int *largura,
                          int *altura) {
  if (inicio[0] != 0xff || inicio[1] != 0xd8) return false;
  Sint64 pos = 2;
  for (int i = 0; i < MAX_SEGMENTOS_JPEG; i++) {
    Uint8 m[2];
    if (fseek(f, long(pos), SEEK_SET) != 0 || !leBytes(f, m, 2) || m[0] != 0xff)
      return false;
    pos += 2;
    if (m[1] == 0xff) { // fill byte before the marker
      pos--;
      continue;
    }
    if (marcadorSemTamanho(m[1])) continue;
    Uint8 c[7];
    if (!leBytes(f, c, 2)) return false;
    int tamanho = le16(c);
    if (tamanho < 2) return false;
    if (inicioDeQuadro(m[1])) {
      if (tamanho < 7 || !leBytes(f, c + 2, 5)) return false;
      *altura = le16(c + 3);
      *largura = le16(c + 5);
      return *largura > 0 && *altura > 0;
    }
    pos += tamanho;
    if (pos > INT_MAX) return false;
  }
  return false;
}

bool T2D2_DimensoesDoArquivo(const char *arquivo, int *largura, int *altura) {
  FILE *f = fopen(arquivo, "rb");
  if (!f) return false;
  Uint8 inicio[8];
  bool ok =
      leBytes(f, inicio, 8) && (dimensoesPNG(f, inicio, largura, altura) ||
                                dimensoesJPEG(f, inicio, largura, altura));
  fclose(f);
  return ok;
}

SDL_Surface *T2D2_CarregaImagem(T2D2_SpriteSet *s, const char *arquivo,
                                bool (*cabe)(int largura, int altura)) {
  // An image whose header already tells it is too large is refused before
  // its pixels are decoded: they could take gigabytes.
  int l, a;
  if (cabe && T2D2_DimensoesDoArquivo(arquivo, &l, &a) && !cabe(l, a)) {
    s->apelido[0] = '\0';
    return nullptr;
  }
  SDL_Surface *img = IMG_Load(arquivo);
  if (!img) {
    printf(MSG_FALHA_IMAGEM, arquivo, SDL_GetError());
    s->apelido[0] = '\0';
    return nullptr;
  }
  s->largura = img->w;
  s->altura = img->h;
  s->imagem = img;
  return img;
}

// The size of the last image refused for its frame size, so that the font
// loader, which asks for its cells as frames, can name the cell that fits.
static int recusadaLargura, recusadaAltura;

// The divisor of total nearest to pedido, the smaller one on a tie.
static int divisorMaisProximo(int total, int pedido) {
  if (pedido >= total || pedido < 1) return total;
  for (int d = 0;; d++) {
    if (pedido - d >= 1 && total % (pedido - d) == 0) return pedido - d;
    if (total % (pedido + d) == 0) return pedido + d;
  }
}

void T2D2_ExplicaQuadros(const T2D2_SpriteSet *s, int largura, int altura) {
  printf(MSG_QUADRO_QUE_SERVE, s->largura, s->altura, largura, altura,
         divisorMaisProximo(s->largura, largura),
         divisorMaisProximo(s->altura, altura));
  recusadaLargura = s->largura;
  recusadaAltura = s->altura;
}

bool T2D2_DefineQuadros(T2D2_SpriteSet *s, int largura, int altura) {
  if (largura > 0 && altura > 0) {
    if (s->largura % largura != 0 || s->altura % altura != 0) return false;
    s->spLargura = largura;
    s->spAltura = altura;
  } else {
    s->spLargura = s->largura;
    s->spAltura = s->altura;
  }
  if (s->spLargura <= 0 || s->spAltura <= 0) return false;
  s->matrizX = s->largura / s->spLargura;
  s->matrizY = s->altura / s->spAltura;
  return true;
}

bool T2D2_ConstroiMascaras(T2D2_SpriteSet *s, const char *arquivo) {
  s->bmask = T2D2_CriaVetorBitMasks(s->imagem, s->spLargura, s->spAltura,
                                    s->largura, s->altura);
  if (!s->bmask) {
    printf(MSG_FALHA_MASCARAS, arquivo);
    return false;
  }
  T2D2_PreencheVetorBitMasks(s->imagem, s->spLargura, s->spAltura, s->largura,
                             s->altura, s->bmask);
  return true;
}

static void liberaMascaras(T2D2_SpriteSet *s) {
  if (!s->bmask) return;
  removeMascaras(s->bmask, size_t(s->matrizX) * size_t(s->matrizY));
  s->bmask = nullptr;
}

// Pixels of the working images made by T2D2_CriaImagemZerada that SDL does
// not own, by slot: they go with the surface.
static void *pixelsProprios[T2D2_MAXSPRITESETS];

SDL_Surface *T2D2_CriaImagemZerada(T2D2_SpriteSet *s, int largura, int altura,
                                   int linhas, const Uint32 mascaras[4]) {
  return T2D2_CriaSuperficieZerada(largura, altura, linhas, mascaras,
                                   &pixelsProprios[s - sprites]);
}

static void liberaImagem(T2D2_SpriteSet *s) {
  if (s->imagem) SDL_FreeSurface(s->imagem);
  s->imagem = nullptr;
  free(pixelsProprios[s - sprites]);
  pixelsProprios[s - sprites] = nullptr;
}

unsigned int T2D2_DescartaSpriteSet(T2D2_SpriteSet *s) {
  liberaImagem(s);
  liberaMascaras(s);
  s->apelido[0] = '\0';
  s->usuarios = 0;
  return 0;
}

void T2D2_LiberaSpriteSet(unsigned int id,
                          void (*liberaTextura)(T2D2_SpriteSet *s)) {
  T2D2_SpriteSet *s = T2D2_SpriteSetDe(id);
  if (!s) return;
  if (s->usuarios > 1 && !c_shutdown) {
    s->usuarios--;
    return;
  }
  s->usuarios = 0;
  if (liberaTextura) liberaTextura(s);
  if (s->imagem) {
    liberaImagem(s);
    s->apelido[0] = '\0';
  }
  liberaMascaras(s);
}

// ---------------------------------------------------------------------------
// Bitmap fonts
// ---------------------------------------------------------------------------

static T2D2_Fonte *fonteDe(unsigned int id) {
  if (id == 0 || id > T2D2_MAXFONTES) return nullptr;
  return &fontes[id - 1];
}

unsigned int T2D2_ProcuraFonte(const char *apelido) {
  if (!apelido) return 0;
  // A free slot's name is empty too; it names no font.
  for (unsigned int i = 0; i < T2D2_MAXFONTES; i++)
    if (fontes[i].idSpriteSet != 0 && strcmp(fontes[i].apelido, apelido) == 0)
      return i + 1;
  return 0;
}

// Whether the cell column holds any ink, rows scanned from the top.
static bool colunaTemTinta(SDL_Surface *img, int x, int y0, int t) {
  for (int y = y0; y < y0 + t; y++)
    if (!PontoTransparente(img, x, y)) return true;
  return false;
}

static int espacamento(int t) {
  return t <= 31 ? 1 : t <= 63 ? 2 : 3;
}

static void medeCelula(T2D2_Fonte *f, SDL_Surface *img, int k) {
  int t = f->tamanhoFonte, x0 = (k % 16) * t, y0 = (k / 16) * t;
  int primeira = -1;
  for (int x = 0; x < t && primeira < 0; x++)
    if (colunaTemTinta(img, x0 + x, y0, t)) primeira = x;
  if (primeira < 0) {
    f->larguras[k] = t;
    f->deslocamentos[k] = 0;
    return;
  }
  f->deslocamentos[k] = primeira;
  int ultima = -1;
  for (int x = primeira + 1; x < t && ultima < 0; x++)
    if (!colunaTemTinta(img, x0 + x, y0, t)) ultima = x;
  int soma = ultima + espacamento(t);
  f->larguras[k] = (ultima >= 0 && soma <= t) ? soma - primeira : t - primeira;
}

static void medeFonte(T2D2_Fonte *f, SDL_Surface *img) {
  T2D2_TravaPixels(img);
  for (int k = 0; k < 256; k++) medeCelula(f, img, k);
  T2D2_SoltaPixels(img);
  const unsigned char espaco = ' ';
  f->larguras[espaco] = f->tamanhoFonte / 2;
  f->deslocamentos[espaco] = 0;
}

// The cell size that fits a sheet of largura x altura pixels, whose working
// image is lado pixels wide: wider means the back-end padded it to a power
// of two, and the cells would not cover it.
static void aconselhaCelula(int largura, int altura, int lado) {
  if (largura != altura || largura % 16 != 0)
    printf(MSG_FONTE_NAO_QUADRADA, largura, altura);
  else if (lado != largura)
    printf(MSG_FONTE_POTENCIA_DE_DOIS, largura, altura, lado, lado, lado / 16);
  else
    printf(MSG_CELULA_QUE_SERVE, largura, altura, largura / 16);
}

// A sheet that is not a whole number of cells never became a sprite set;
// the size the sprite-set loader refused tells the cell that fits.
static unsigned int recusaFonte(T2D2_Fonte *f, const char *arquivo) {
  printf(MSG_FALHA_FONTE, arquivo);
  if (recusadaLargura > 0)
    aconselhaCelula(recusadaLargura, recusadaAltura, recusadaLargura);
  f->apelido[0] = '\0';
  return 0;
}

unsigned int T2D2_CarregaFonte(const char *arquivo, int dimensao) {
  if (!arquivo) {
    puts(MSG_SEM_ARQUIVO);
    return 0;
  }
  unsigned int existente = T2D2_ProcuraFonte(arquivo);
  if (existente) {
    fontes[existente - 1].usuarios++;
    return existente;
  }
  unsigned int i = 0;
  while (i < T2D2_MAXFONTES && fontes[i].idSpriteSet != 0) i++;
  if (i == T2D2_MAXFONTES) return 0;
  T2D2_Fonte *f = &fontes[i];
  if (!T2D2_CopiaApelido(f->apelido, arquivo)) return 0;
  f->tamanhoFonte = dimensao;
  recusadaLargura = recusadaAltura = 0;
  f->idSpriteSet = T2D2_CarregaSpriteSet(arquivo, dimensao, dimensao);
  if (!f->idSpriteSet) return recusaFonte(f, arquivo);
  const T2D2_SpriteSet &s = sprites[f->idSpriteSet - 1];
  SDL_Surface *img = s.imagem;
  long long lado = 16LL * dimensao;
  // The image as loaded must be the sheet, and so must the working image the
  // glyphs are measured in: on OpenGL that one is padded to a power of two.
  if (dimensao <= 0 || s.largura != lado || s.altura != lado ||
      img->w != lado || img->h != lado) {
    int mostrado = lado > INT_MAX || lado < INT_MIN ? 0 : int(lado);
    printf(MSG_DIMENSOES_FONTE, mostrado, mostrado);
    aconselhaCelula(s.largura, s.altura, img->w);
    f->apelido[0] = '\0';
    T2D2_RemoveSpriteSet(f->idSpriteSet);
    f->idSpriteSet = 0;
    return 0;
  }
  medeFonte(f, img);
  f->usuarios = 1;
  return i + 1;
}

void T2D2_RemoveFonte(unsigned int id) {
  T2D2_Fonte *f = fonteDe(id);
  if (!f) return;
  if (f->usuarios > 1 && !c_shutdown) {
    f->usuarios--;
    return;
  }
  if (f->idSpriteSet != 0) {
    T2D2_RemoveSpriteSet(f->idSpriteSet);
    f->idSpriteSet = 0;
    f->apelido[0] = '\0';
  }
  f->usuarios = 0;
}

// Sum of the advances, kept within int however long the text.
static int larguraTexto(const T2D2_Fonte *f, const char *texto) {
  long long soma = 0;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(texto);
       *p && soma < INT_MAX; p++)
    soma += f->larguras[*p];
  return soma > INT_MAX ? INT_MAX : int(soma);
}

bool T2D2_DimensoesTexto(unsigned int idFonte, const char *texto, int *largura,
                         int *altura) {
  T2D2_Fonte *f = fonteDe(idFonte);
  if (!f || f->idSpriteSet == 0) return false;
  if (altura) *altura = f->tamanhoFonte;
  if (largura) *largura = larguraTexto(f, texto ? texto : "");
  return true;
}

bool T2D2_DesenhaTexto(unsigned int identificador, int x, int y,
                       const char *texto, unsigned int alinhamento) {
  T2D2_Fonte *f = fonteDe(identificador);
  if (!f) return false;
  if (!texto) texto = "";
  int largura;
  if (!T2D2_DimensoesTexto(identificador, texto, &largura, nullptr)) {
    printf(MSG_FALHA_TEXTO, texto, f->apelido);
    printf(MSG_FONTE_LIVRE, identificador);
    return false;
  }
  long long pena = x;
  if (alinhamento == T2D2_ALINHA_CENTRO)
    pena -= largura / 2;
  else if (alinhamento == T2D2_ALINHA_DIREITA)
    pena -= largura;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(texto);
       *p; p++) {
    long long gx = pena - f->deslocamentos[*p];
    if (gx >= INT_MIN && gx <= INT_MAX)
      T2D2_DesenhaSprite(f->idSpriteSet, *p, int(gx), y);
    pena += f->larguras[*p];
  }
  return true;
}

// ---------------------------------------------------------------------------
// Collision
// ---------------------------------------------------------------------------

// The rectangle rule on 64-bit offsets, so no subtraction can overflow.
static bool retangulosSeTocam(long long offx, long long offy, long long l1,
                              long long a1, long long l2, long long a2) {
  if (offx >= 0 ? offx > l1 : -offx > l2) return false;
  if (offy >= 0 ? offy > a1 : -offy > a2) return false;
  return true;
}

bool T2D2_ColidiuQuadrados(int x1b, int y1b, int l1b, int a1b, int x2b, int y2b,
                           int l2b, int a2b) {
  return retangulosSeTocam((long long)x2b - x1b, (long long)y2b - y1b, l1b, a1b,
                           l2b, a2b);
}

// The mask of a frame, or null for a set without masks or a frame beyond it.
static T2D2_BitMask *mascaraDe(unsigned int id, unsigned int indice) {
  T2D2_SpriteSet *s = T2D2_SpriteSetDe(id);
  if (!s || !s->bmask) return nullptr;
  if (indice >= unsigned(s->matrizX) * unsigned(s->matrizY)) return nullptr;
  return s->bmask[indice];
}

bool T2D2_ColidiuSprites(unsigned int id1, unsigned int indice1, int x1, int y1,
                         unsigned int id2, unsigned int indice2, int x2,
                         int y2) {
  if (id1 == 0 || id2 == 0) {
    puts(MSG_SPRITE_INVALIDO);
    return false;
  }
  T2D2_BitMask *m1 = mascaraDe(id1, indice1), *m2 = mascaraDe(id2, indice2);
  if (!m1 || !m2) return false;
  long long offx = (long long)x2 - x1, offy = (long long)y2 - y1;
  const T2D2_SpriteSet &s1 = sprites[id1 - 1], &s2 = sprites[id2 - 1];
  if (!retangulosSeTocam(offx, offy, s1.spLargura, s1.spAltura, s2.spLargura,
                         s2.spAltura))
    return false;
  return T2D2_SobrepoeBitMasks(m1, m2, int(offx), int(offy)) != 0;
}

bool T2D2_ColidiuSprites(unsigned int id1, unsigned int indice1, int x1, int y1,
                         int x1b, int y1b, int l1b, int a1b, unsigned int id2,
                         unsigned int indice2, int x2, int y2, int x2b, int y2b,
                         int l2b, int a2b) {
  if (id1 == 0 || id2 == 0) {
    puts(MSG_SPRITE_INVALIDO);
    return false;
  }
  if (!mascaraDe(id1, indice1) || !mascaraDe(id2, indice2)) return false;
  long long offx = ((long long)x2 + x2b) - ((long long)x1 + x1b);
  long long offy = ((long long)y2 + y2b) - ((long long)y1 + y1b);
  if (!retangulosSeTocam(offx, offy, l1b, a1b, l2b, a2b)) return false;
  return T2D2_ColidiuSprites(id1, indice1, x1, y1, id2, indice2, x2, y2);
}

// The overlap along one axis: where it starts in a and in b, and its length
// (0 or less when the masks do not meet).
static long long sobreposicao(long long off, long long tamA, long long tamB,
                              int *ia, int *ib) {
  long long n;
  if (off >= 0) {
    *ia = off < tamA ? int(off) : 0;
    *ib = 0;
    n = tamA - off;
    if (tamB < n) n = tamB;
  } else {
    *ia = 0;
    *ib = -off < tamB ? int(-off) : 0;
    n = tamB + off;
    if (tamA < n) n = tamA;
  }
  return n;
}

// Where the overlap starts in one mask: its first word and the bit of the
// overlap's first pixel inside it.
struct Corrida {
  const Uint32 *palavra;
  int ldwords, bit;
};

// The run of 32 pixels of one row starting at chunk c, left-aligned. With
// DESLOCADO false the overlap starts on a word edge and a chunk is one word;
// otherwise *anterior holds word c, already read, and word c + 1 is read and
// kept for the next chunk.
template <bool DESLOCADO>
static inline Uint32 pedaco(const Uint32 *linha, int c, int bit,
                            Uint32 *anterior) {
  if (!DESLOCADO) return linha[c];
  Uint32 seguinte = linha[c + 1];
  Uint32 v = *anterior << bit | seguinte >> (32 - bit);
  *anterior = seguinte;
  return v;
}

// The r leftover pixels of a row after its whole chunks; the word after is
// read only when the run goes on into it.
static inline Uint32 sobra(const Uint32 *linha, int quads, int bit, int r,
                           Uint32 atual) {
  Uint32 v = atual << bit;
  if (bit > 0 && 32 - bit < r) v |= linha[quads + 1] >> (32 - bit);
  return v;
}

// The whole chunks of one row; false at the first one shared. Aligned words
// go two chunks per test, one branch for 64 pixels (a chunk read past the
// first shared one still lies inside the overlap); shifted runs gain nothing
// from it.
template <bool DA, bool DB>
static inline bool pedacos(const Uint32 *la, const Uint32 *lb, int bita,
                           int bitb, int quads, Uint32 *wa, Uint32 *wb) {
  if constexpr (!DA && !DB) {
    int c = 0;
    for (; c + 1 < quads; c += 2)
      if ((la[c] & lb[c]) | (la[c + 1] & lb[c + 1])) return false;
    return c == quads || !(la[c] & lb[c]);
  } else {
    for (int c = 0; c < quads; c++)
      if (pedaco<DA>(la, c, bita, wa) & pedaco<DB>(lb, c, bitb, wb))
        return false;
    return true;
  }
}

// The scan with the alignment of each mask fixed at compile time, so the
// inner loop carries neither the shift test nor a second read per word.
template <bool DA, bool DB>
static int varre(const Corrida &a, const Corrida &b, long long altura,
                 int quads, int r) {
  Uint32 resto = r ? 0xffffffffu << (32 - r) : 0;
  for (long long l = 0; l < altura; l++) {
    const Uint32 *la = a.palavra + size_t(l) * size_t(a.ldwords);
    const Uint32 *lb = b.palavra + size_t(l) * size_t(b.ldwords);
    // Word 0 of the row always lies in the overlap: it starts there.
    Uint32 wa = la[0], wb = lb[0];
    if (!pedacos<DA, DB>(la, lb, a.bit, b.bit, quads, &wa, &wb)) return -1;
    if (!r) continue;
    if (!DA) wa = la[quads];
    if (!DB) wb = lb[quads];
    if (sobra(la, quads, a.bit, r, wa) & sobra(lb, quads, b.bit, r, wb) & resto)
      return -1;
  }
  return 0;
}

int T2D2_SobrepoeBitMasks(T2D2_BitMask *a, T2D2_BitMask *b, int offx,
                          int offy) {
  if (!a || !b || !a->mask || !b->mask) return 0;
  int xa, xb, ya, yb;
  long long largura = sobreposicao(offx, a->largura, b->largura, &xa, &xb);
  if (largura <= 0) return 0;
  long long altura = sobreposicao(offy, a->altura, b->altura, &ya, &yb);
  if (altura <= 0) return 0;
  int quads = int(largura / 32), r = int(largura % 32);
  Corrida ca{a->mask + size_t(ya) * a->ldwords + xa / 32, a->ldwords, xa % 32};
  Corrida cb{b->mask + size_t(yb) * b->ldwords + xb / 32, b->ldwords, xb % 32};
  if (ca.bit == 0)
    return cb.bit == 0 ? varre<false, false>(ca, cb, altura, quads, r)
                       : varre<false, true>(ca, cb, altura, quads, r);
  return cb.bit == 0 ? varre<true, false>(ca, cb, altura, quads, r)
                     : varre<true, true>(ca, cb, altura, quads, r);
}
