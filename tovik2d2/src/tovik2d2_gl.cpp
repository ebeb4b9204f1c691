// Tovik2D 2 OpenGL back-end: fixed-function OpenGL 1.x in an SDL window.
// Every sprite set becomes one power-of-two square texture; a frame is one
// textured quad. A small state cache keeps redundant GL calls out of frames.
#include "tovik2d2_interno.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// ---------------------------------------------------------------------------
// Back-end state
// ---------------------------------------------------------------------------

static const GLenum NENHUM = 0xFFFFFFFF; // matches no request

static GLubyte limpaR, limpaG, limpaB;
static bool areaAtiva; // a drawing area's stencil test is on
// Sets whose image is opaque all over are drawn without blending, which gives
// the same pixels for less work. By slot, decided once at load.
static bool opaco[T2D2_MAXSPRITESETS];
static bool faz_blend, texturiza;
static GLuint textura;
static GLenum blendOrigem, blendDestino;
static GLenum wrapTexturaS, wrapTexturaT;
static GLenum filtroMax, filtroMin;
GLint maxtexsize;

// WebGL has no GL_CLAMP, no unpack row length and no swap control. There the
// edge clamp stands in, rows are uploaded as long as the image (the pitch of
// every 32-bit surface), and the browser paces the frames.
#ifdef __EMSCRIPTEN__
static const GLenum BORDA = GL_CLAMP_TO_EDGE;
static void pedeSincroniaVertical() {}
static void linhasDoUpload(GLint) {}
#else
static const GLenum BORDA = GL_CLAMP;
static void pedeSincroniaVertical() {
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
}
static void linhasDoUpload(GLint pixels) {
  glPixelStorei(GL_UNPACK_ROW_LENGTH, pixels);
}
#endif

// Working images keep their bytes in memory as R, G, B, A.
static const Uint32 rmask = 0x000000FF, gmask = 0x0000FF00, bmask = 0x00FF0000,
                    amask = 0xFF000000;
static const Uint32 MASCARAS_RGBA[4] = {rmask, gmask, bmask, amask};

static const char MSG_ANUNCIO[] = "Iniciando o modo de v\xed"
                                  "deo (OpenGL): %ix%ix32bpp\n";
static const char MSG_DOUBLE_BUFFER[] =
    "A aplica\xe7\xe3"
    "o est\xe1 utilizando double buffer como esperado.";
static const char MSG_SEM_DOUBLE_BUFFER[] =
    "ATEN\xc7\xc3"
    "O: a aplica\xe7\xe3"
    "o n\xe3"
    "o est\xe1 usando double "
    "buffer. Para melhores resultados, utilize um hardware que o suporte.";
static const char MSG_MAX_TEXTURA[] =
    "O tamanho m\xe1"
    "ximo de textura suportado \xe9 de %ix%i pixels.\n";
static const char MSG_DESPEDIDA[] = "Encerrou a SDL+OpenGL";
static const char MSG_QUADROS[] =
    "A imagem %s n\xe3"
    "o pode ser usada como fonte de sprites de tamanho "
    "%ix%i\n.";
static const char MSG_LIMITE_TEXTURA[] =
    "A imagem excede o limite de %ix%i para uma textura OpenGL no sistema.\n";
static const char MSG_IMAGEM_TEMPORARIA[] =
    "N\xe3"
    "o conseguiu criar a imagem tempor\xe1"
    "ria ao carregar o sprite "
    "set. Arquivo: %s. Erro: %s.\n";

// ---------------------------------------------------------------------------
// State cache
// ---------------------------------------------------------------------------

void resetaGL() {
  glDisable(GL_BLEND);
  faz_blend = false;
  glDisable(GL_TEXTURE_2D);
  texturiza = false;
  textura = 0;
  blendOrigem = blendDestino = NENHUM;
  wrapTexturaS = wrapTexturaT = NENHUM;
  filtroMax = filtroMin = NENHUM;
}

static void alteraBlend(bool estado) {
  if (estado == faz_blend) return;
  if (estado)
    glEnable(GL_BLEND);
  else
    glDisable(GL_BLEND);
  faz_blend = estado;
}

void setaTexturizacao(bool estado) {
  if (estado == texturiza) return;
  if (estado)
    glEnable(GL_TEXTURE_2D);
  else
    glDisable(GL_TEXTURE_2D);
  texturiza = estado;
}

static void setaTextura(GLuint text) {
  if (text == textura) return;
  glBindTexture(GL_TEXTURE_2D, text);
  textura = text;
}

static void modoBlend(GLenum origem, GLenum destino) {
  if (origem == blendOrigem && destino == blendDestino) return;
  glBlendFunc(origem, destino);
  blendOrigem = origem;
  blendDestino = destino;
}

static void modoWrapTextura(GLenum wTexturaS, GLenum wTexturaT) {
  if (wTexturaS == wrapTexturaS && wTexturaT == wrapTexturaT) return;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLint(wTexturaS));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLint(wTexturaT));
  wrapTexturaS = wTexturaS;
  wrapTexturaT = wTexturaT;
}

static void modoFiltragem(GLenum fMax, GLenum fMin) {
  if (fMax == filtroMax && fMin == filtroMin) return;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(fMin));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLint(fMax));
  filtroMax = fMax;
  filtroMin = fMin;
}

// ---------------------------------------------------------------------------
// Start-up, shut-down and frame
// ---------------------------------------------------------------------------

static void pedeAtributos() {
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  // Without stencil bits the drawing area would silently do nothing.
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  pedeSincroniaVertical();
}

static void informaDoubleBuffer() {
  int db = 0;
  SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &db);
  puts(db ? MSG_DOUBLE_BUFFER : MSG_SEM_DOUBLE_BUFFER);
}

static void preparaGL(unsigned int largura, unsigned int altura) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glViewport(0, 0, GLsizei(largura), GLsizei(altura));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, largura, altura, 0, -1, 1);
  glClearColor(0, 0, 0, 0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  resetaGL();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glLoadIdentity();
  SDL_GL_SwapBuffers();
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxtexsize);
  printf(MSG_MAX_TEXTURA, int(maxtexsize), int(maxtexsize));
  limpaR = limpaG = limpaB = 0;
  areaAtiva = false;
}

static void ligaOperacoesGL();

static const T2D2_Plataforma plataformaGL = {
    MSG_ANUNCIO, SDL_OPENGL,      pedeAtributos, informaDoubleBuffer,
    preparaGL,   ligaOperacoesGL, MSG_DESPEDIDA,
};

// sdl12-compat draws OpenGL into a framebuffer of its own and scales that to
// the window at every swap. The library's frame always has the size of the
// mode it asks for, so the copy is pure cost in a window, and in full screen
// its scaling shows the frame distorted. It reads the setting when video
// starts; a user's own value stands, and the environment is left as found.
static const char ESCALA_DO_SDL12COMPAT[] = "SDL12COMPAT_OPENGL_SCALING";

bool T2D2GL_Inicia(unsigned int largura, unsigned int altura, int modoVideo,
                   const char *tituloJanela) {
  const bool semEscala = !getenv(ESCALA_DO_SDL12COMPAT);
  if (semEscala) setenv(ESCALA_DO_SDL12COMPAT, "0", 1);
  const bool ok =
      T2D2_IniciaVideo(&plataformaGL, largura, altura, modoVideo, tituloJanela);
  if (semEscala) unsetenv(ESCALA_DO_SDL12COMPAT);
  return ok;
}

static void T2D2GL_Encerra() {
  T2D2_EncerraVideo(&plataformaGL);
}

static void T2D2GL_Sincroniza(Uint8 fps) {
  static Uint32 tempoAnterior = 0;
  T2D2_SincronizaVideo(fps, &tempoAnterior, SDL_GL_SwapBuffers);
}

// OpenGL's rows run from the bottom up; the caller's from the top down. The
// frame is what the screen showed, so it is opaque whatever alpha the
// blending left in the buffer.
static void poeDePe(Uint8 *rgba, int largura, int altura) {
  const size_t linha = size_t(largura) * 4;
  for (int y = 0; y < altura / 2; y++) {
    Uint8 *cima = rgba + size_t(y) * linha;
    std::swap_ranges(cima, cima + linha, rgba + size_t(altura - 1 - y) * linha);
  }
  for (size_t i = 3; i < linha * size_t(altura); i += 4) rgba[i] = 255;
}

// Reads the buffer being drawn, before the swap leaves it undefined. Rows
// come packed whatever alignment the program had set, which is put back.
static void T2D2GL_CopiaTela(Uint8 *rgba) {
  GLint alinhamento;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alinhamento);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, screen->w, screen->h, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glPixelStorei(GL_PACK_ALIGNMENT, alinhamento);
  poeDePe(rgba, screen->w, screen->h);
}

// ---------------------------------------------------------------------------
// Clearing and the drawing area
// ---------------------------------------------------------------------------

static void quadrado(double x0, double y0, double x1, double y1) {
  glBegin(GL_QUADS);
  glVertex2f(GLfloat(x0), GLfloat(y0));
  glVertex2f(GLfloat(x1), GLfloat(y0));
  glVertex2f(GLfloat(x1), GLfloat(y1));
  glVertex2f(GLfloat(x0), GLfloat(y1));
  glEnd();
}

// Without a drawing area the clear itself paints the clear colour. With one,
// the stencil is cleared as well and the colour goes on as a quad through it,
// which hides it until the area is set again.
static void T2D2GL_LimpaTela() {
  if (areaAtiva)
    glClearColor(0, 0, 0, 0);
  else
    glClearColor(limpaR / 255.0f, limpaG / 255.0f, limpaB / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  resetaGL();
  glLoadIdentity();
  setaTexturizacao(false);
  if (!areaAtiva) return;
  glColor4ub(limpaR, limpaG, limpaB, 255);
  quadrado(0, 0, screen->w, screen->h);
}

static void T2D2GL_TrocaCorLimpezaTela(Uint8 r, Uint8 g, Uint8 b) {
  limpaR = r;
  limpaG = g;
  limpaB = b;
}

static void T2D2GL_LimitaAreaDesenho(int x, int y, int largura, int altura) {
  glEnable(GL_STENCIL_TEST);
  areaAtiva = true;
  glClear(GL_STENCIL_BUFFER_BIT);
  glStencilFunc(GL_ALWAYS, 1, 1);
  glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
  setaTexturizacao(false);
  alteraBlend(false);
  glColor4ub(255, 255, 255, 255);
  quadrado(x, y, double(x) + largura, double(y) + altura);
  glStencilFunc(GL_EQUAL, 1, 1);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

static void T2D2GL_LiberaAreaDesenho() {
  glDisable(GL_STENCIL_TEST);
  areaAtiva = false;
}

// ---------------------------------------------------------------------------
// Loading and release
// ---------------------------------------------------------------------------

static bool ehPotenciaDeDois(int lado) {
  for (int p = 16; p <= 1024; p *= 2)
    if (lado == p) return true;
  return false;
}

static bool temBytesRGBA(const SDL_Surface *img) {
  const SDL_PixelFormat *f = img->format;
  return f->BytesPerPixel == 4 && f->Rmask == rmask && f->Gmask == gmask &&
         f->Bmask == bmask && f->Amask == amask;
}

static int ladoDaTextura(int maior) {
  int lado = 4;
  while (lado < maior) lado *= 2;
  return lado;
}

static void copiaPixels(SDL_Surface *origem, SDL_Surface *destino) {
  if (temBytesRGBA(origem)) {
    T2D2_TravaPixels(origem);
    for (int y = 0; y < origem->h; y++)
      memcpy(static_cast<Uint8 *>(destino->pixels) + y * destino->pitch,
             static_cast<Uint8 *>(origem->pixels) + y * origem->pitch,
             size_t(origem->w) * 4);
    T2D2_SoltaPixels(origem);
    return;
  }
  // A plain copy, alpha included: blending onto the blank square would keep
  // its zero alpha.
  SDL_SetAlpha(origem, 0, SDL_ALPHA_OPAQUE);
  SDL_BlitSurface(origem, nullptr, destino, nullptr);
}

// Whether a texture can hold the image; the limit's message when not.
static bool cabeNaTextura(int largura, int altura) {
  int maior = largura > altura ? largura : altura;
  if (maior <= maxtexsize) return true;
  printf(MSG_LIMITE_TEXTURA, int(maxtexsize), int(maxtexsize));
  return false;
}

// Replaces the loaded image with a square power-of-two RGBA copy, unless it
// already is one. On failure the image is freed and the name emptied.
static bool converteImagem(T2D2_SpriteSet *s, const char *arquivo) {
  SDL_Surface *img = s->imagem;
  if (img->w == img->h && ehPotenciaDeDois(img->w) && temBytesRGBA(img))
    return true;
  if (!cabeNaTextura(img->w, img->h)) {
    T2D2_DescartaSpriteSet(s);
    return false;
  }
  int maior = img->w > img->h ? img->w : img->h;
  int lado = ladoDaTextura(maior);
  // The image's rows and the cleared row under them, as the upload sends.
  int linhas = img->h < lado ? img->h + 1 : lado;
  SDL_Surface *quadro =
      T2D2_CriaImagemZerada(s, lado, lado, linhas, MASCARAS_RGBA);
  if (!quadro) {
    printf(MSG_IMAGEM_TEMPORARIA, arquivo, SDL_GetError());
    T2D2_DescartaSpriteSet(s);
    return false;
  }
  copiaPixels(img, quadro);
  SDL_FreeSurface(img);
  s->imagem = quadro;
  return true;
}

bool T2D2GL_PreparaImagem(T2D2_SpriteSet *s, const char *arquivo) {
  if (!converteImagem(s, arquivo)) return false;
  s->larguraTextura = s->imagem->w;
  s->alturaTextura = s->imagem->h;
  // Only the image's own corner is ever drawn, so only it is searched.
  opaco[s - sprites] =
      T2D2_MagentaParaTransparente(s->imagem, s->largura, s->altura);
  return true;
}

// Every texture gets its parameters at upload, directly: the cache holds one
// value for all textures and may already match.
static void criaTextura(T2D2_SpriteSet *s) {
  glGenTextures(1, &s->textura);
  setaTextura(s->textura);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, BORDA);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, BORDA);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  SDL_Surface *img = s->imagem;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  linhasDoUpload(img->pitch / 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, img->w, img->h, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, nullptr);
  // Only the image's rows, with their cleared padding, and the cleared row
  // under them are sent: linear filtering reads one texel past a frame's
  // edge and never further, and the rest of the square would cost a
  // 4096-wide layer 64 MiB of copying.
  const int linhas = s->altura < img->h ? s->altura + 1 : img->h;
  T2D2_TravaPixels(img);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, img->w, linhas, GL_RGBA,
                  GL_UNSIGNED_BYTE, img->pixels);
  T2D2_SoltaPixels(img);
  linhasDoUpload(0);
  s->texturaLigada = true;
}

static unsigned int T2D2GL_CarregaSpriteSet(const char *arquivo, int largura,
                                            int altura) {
  unsigned int id;
  T2D2_SpriteSet *s = T2D2_ReservaSpriteSet(arquivo, &id);
  if (!s) return id;
  if (!T2D2_CarregaImagem(s, arquivo, cabeNaTextura)) return 0;
  if (!T2D2_DefineQuadros(s, largura, altura)) {
    printf(MSG_QUADROS, arquivo, largura, altura);
    // The message leaves its last period on a line of its own; the line is
    // closed before the next one starts.
    putchar('\n');
    T2D2_ExplicaQuadros(s, largura, altura);
    return T2D2_DescartaSpriteSet(s);
  }
  if (!T2D2GL_PreparaImagem(s, arquivo)) return 0;
  if (!T2D2_ConstroiMascaras(s, arquivo)) return T2D2_DescartaSpriteSet(s);
  s->usuarios = 1;
  criaTextura(s);
  return id;
}

static void liberaTextura(T2D2_SpriteSet *s) {
  opaco[s - sprites] = false;
  if (s->texturaLigada) {
    if (s->textura != 0) {
      glDeleteTextures(1, &s->textura);
      if (textura == s->textura) textura = 0;
    }
    s->textura = 0;
    s->texturaLigada = false;
  }
}

static void T2D2GL_RemoveSpriteSet(unsigned int id) {
  T2D2_LiberaSpriteSet(id, liberaTextura);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

struct Recorte {
  float s0, t0, ds, dt;
};

// Binds the frame's texture with the sprite state and gives its texture
// rectangle; null when there is nothing to draw. An effect's quad may be
// transformed, and then samples the transparent padding along its edges, or
// faded by its tint: effects always blend.
static const T2D2_SpriteSet *preparaQuadro(unsigned int id, unsigned int indice,
                                           Recorte *r, bool efeito) {
  const T2D2_SpriteSet *s = T2D2_SpriteSetDe(id);
  if (!s || s->textura == 0) return nullptr;
  if (indice >= unsigned(s->matrizX) * unsigned(s->matrizY)) return nullptr;
  int x0 = int(indice % unsigned(s->matrizX)) * s->spLargura;
  int y0 = int(indice / unsigned(s->matrizX)) * s->spAltura;
  r->s0 = float(double(x0) / s->larguraTextura);
  r->t0 = float(double(y0) / s->alturaTextura);
  r->ds = float(double(s->spLargura) / s->larguraTextura);
  r->dt = float(double(s->spAltura) / s->alturaTextura);
  setaTexturizacao(true);
  setaTextura(s->textura);
  const bool mistura = efeito || !opaco[s - sprites];
  alteraBlend(mistura);
  if (mistura) modoBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  modoWrapTextura(BORDA, BORDA);
  modoFiltragem(GL_LINEAR, GL_LINEAR);
  return s;
}

// Corners in the frame's order: top-left, top-right, bottom-right,
// bottom-left.
static void quadroTexturizado(const Recorte &r, const double *x,
                              const double *y) {
  glBegin(GL_QUADS);
  glTexCoord2f(r.s0, r.t0);
  glVertex2f(GLfloat(x[0]), GLfloat(y[0]));
  glTexCoord2f(r.s0 + r.ds, r.t0);
  glVertex2f(GLfloat(x[1]), GLfloat(y[1]));
  glTexCoord2f(r.s0 + r.ds, r.t0 + r.dt);
  glVertex2f(GLfloat(x[2]), GLfloat(y[2]));
  glTexCoord2f(r.s0, r.t0 + r.dt);
  glVertex2f(GLfloat(x[3]), GLfloat(y[3]));
  glEnd();
}

static bool T2D2GL_DesenhaSprite(unsigned int id, unsigned int indice, int x,
                                 int y) {
  Recorte r;
  const T2D2_SpriteSet *s = preparaQuadro(id, indice, &r, false);
  if (!s) return false;
  double x1 = double(x) + s->spLargura, y1 = double(y) + s->spAltura;
  const double xs[4] = {double(x), x1, x1, double(x)};
  const double ys[4] = {double(y), double(y), y1, y1};
  glColor4ub(255, 255, 255, 255);
  quadroTexturizado(r, xs, ys);
  return true;
}

static bool T2D2GL_DesenhaSpriteEfeito(unsigned int id, unsigned int indice,
                                       int *x, int *y, Uint8 r, Uint8 g,
                                       Uint8 b, Uint8 a) {
  if (!x || !y) return false;
  Recorte rec;
  if (!preparaQuadro(id, indice, &rec, true)) return false;
  const double xs[4] = {double(x[0]), double(x[1]), double(x[2]), double(x[3])};
  const double ys[4] = {double(y[0]), double(y[1]), double(y[2]), double(y[3])};
  glColor4ub(r, g, b, a);
  quadroTexturizado(rec, xs, ys);
  return true;
}

static void ligaOperacoesGL() {
  T2D2_Encerra = T2D2GL_Encerra;
  T2D2_Sincroniza = T2D2GL_Sincroniza;
  T2D2_LimpaTela = T2D2GL_LimpaTela;
  T2D2_TrocaCorLimpezaTela = T2D2GL_TrocaCorLimpezaTela;
  T2D2_LimitaAreaDesenho = T2D2GL_LimitaAreaDesenho;
  T2D2_LiberaAreaDesenho = T2D2GL_LiberaAreaDesenho;
  T2D2_CarregaSpriteSet = T2D2GL_CarregaSpriteSet;
  T2D2_RemoveSpriteSet = T2D2GL_RemoveSpriteSet;
  T2D2_DesenhaSprite = T2D2GL_DesenhaSprite;
  T2D2_DesenhaSpriteEfeito = T2D2GL_DesenhaSpriteEfeito;
  T2D2_CopiaTela = T2D2GL_CopiaTela;
}
