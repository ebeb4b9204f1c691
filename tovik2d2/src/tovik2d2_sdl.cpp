// Tovik2D 2 SDL software back-end: every sprite set is one surface in the
// display format with alpha, a frame is one blit onto the double-buffered
// screen surface, and the drawing area is the screen's clip rectangle.
#include "tovik2d2_interno.h"

#include <cstdint>
#include <cstdio>

// ---------------------------------------------------------------------------
// Back-end state
// ---------------------------------------------------------------------------

// A pixel of the screen's format; kept across starts on purpose.
static Uint32 clearColor = 0;

static const char MSG_ANUNCIO[] = "Iniciando o modo de v\xed"
                                  "deo: %ix%ix32bpp\n";
static const char MSG_DESPEDIDA[] = "Encerrou a SDL.";
static const char MSG_QUADROS[] =
    "Erro ao carregar a imagem %s. A altura e largura da imagem deve ser "
    "m\xfa"
    "ltiplos do tamanho do sprite.\n";
static const char MSG_IMAGEM_TEMPORARIA[] =
    "N\xe3"
    "o conseguiu criar a imagem tempor\xe1"
    "ria ao carregar os "
    "sprites do arquivo %s. Erro: %s.\n";
static const char MSG_LIMITE_SUPERFICIE[] =
    "A imagem excede o limite de %ix%i para uma superf\xed"
    "cie SDL no sistema.\n";
static const char MSG_INDICE_INVALIDO[] =
    "Erro ao tentar desenhar o spriteset %i. Este \xed"
    "ndice \xe9 "
    "inv\xe1"
    "lido.\n";

// ---------------------------------------------------------------------------
// Start-up, shut-down and frame
// ---------------------------------------------------------------------------

static void ligaOperacoesSDL();

static const T2D2_Plataforma plataformaSDL = {
    MSG_ANUNCIO,   SDL_HWSURFACE | SDL_DOUBLEBUF,
    nullptr,       nullptr,
    nullptr,       ligaOperacoesSDL,
    MSG_DESPEDIDA,
};

bool T2D2SDL_Inicia(unsigned int largura, unsigned int altura, int modoVideo,
                    const char *tituloJanela) {
  return T2D2_IniciaVideo(&plataformaSDL, largura, altura, modoVideo,
                          tituloJanela);
}

static void T2D2SDL_Encerra() {
  T2D2_EncerraVideo(&plataformaSDL);
}

static void apresenta() {
  SDL_Flip(screen);
}

static void T2D2SDL_Sincroniza(Uint8 fps) {
  static Uint32 tempoAnterior = 0;
  T2D2_SincronizaVideo(fps, &tempoAnterior, apresenta);
}

// The screen surface has 32 bits a pixel in the display's own order.
static void T2D2SDL_CopiaTela(Uint8 *rgba) {
  T2D2_TravaPixels(screen);
  for (int y = 0; y < screen->h; y++) {
    const Uint32 *linha = reinterpret_cast<const Uint32 *>(
        static_cast<const Uint8 *>(screen->pixels) + y * screen->pitch);
    for (int x = 0; x < screen->w; x++, rgba += 4) {
      SDL_GetRGB(linha[x], screen->format, &rgba[0], &rgba[1], &rgba[2]);
      rgba[3] = 255;
    }
  }
  T2D2_SoltaPixels(screen);
}

// ---------------------------------------------------------------------------
// Clearing and the drawing area
// ---------------------------------------------------------------------------

static void T2D2SDL_LimpaTela() {
  SDL_FillRect(screen, nullptr, clearColor);
}

static void T2D2SDL_TrocaCorLimpezaTela(Uint8 r, Uint8 g, Uint8 b) {
  clearColor = SDL_MapRGB(screen->format, r, g, b);
}

// The part of [inicio, inicio + tamanho) that lies in [0, limite).
static void recortaIntervalo(int64_t inicio, int64_t tamanho, int limite,
                             int *pos, int *tam) {
  if (tamanho < 0) { // the same area the OpenGL quad covers
    inicio += tamanho;
    tamanho = -tamanho;
  }
  int64_t a = inicio < 0 ? 0 : inicio;
  int64_t b = inicio + tamanho > limite ? limite : inicio + tamanho;
  if (b <= a) {
    *pos = 0;
    *tam = 0;
    return;
  }
  *pos = int(a);
  *tam = int(b - a);
}

SDL_Rect T2D2SDL_RetanguloNaSuperficie(int64_t x, int64_t y, int64_t largura,
                                       int64_t altura, const SDL_Surface *s) {
  int rx, ry, rw, rh;
  recortaIntervalo(x, largura, s->w, &rx, &rw);
  recortaIntervalo(y, altura, s->h, &ry, &rh);
  // The fields' own types differ between SDLs (16-bit or int); the values
  // lie within the surface and fit either.
  SDL_Rect r;
  r.x = rx;
  r.y = ry;
  r.w = rw;
  r.h = rh;
  return r;
}

static void T2D2SDL_LimitaAreaDesenho(int x, int y, int largura, int altura) {
  SDL_Surface *video = SDL_GetVideoSurface();
  SDL_Rect r = T2D2SDL_RetanguloNaSuperficie(x, y, largura, altura, video);
  SDL_SetClipRect(video, &r);
}

static void T2D2SDL_LiberaAreaDesenho() {
  SDL_SetClipRect(SDL_GetVideoSurface(), nullptr);
}

// ---------------------------------------------------------------------------
// Loading and release
// ---------------------------------------------------------------------------

// SDL 1.2 keeps a surface's pitch in 16 bits and a blit's source position in
// signed 16 bits: a 32-bit working image can be at most 65535 / 4 pixels wide,
// and its frames must start within 32767 rows.
enum { MAX_LARGURA_SUPERFICIE = 16383, MAX_ALTURA_SUPERFICIE = 32767 };

// Whether a working surface can hold the image; the limit's message when not.
static bool cabeNaSuperficie(int largura, int altura) {
  if (largura <= MAX_LARGURA_SUPERFICIE && altura <= MAX_ALTURA_SUPERFICIE)
    return true;
  printf(MSG_LIMITE_SUPERFICIE, int(MAX_LARGURA_SUPERFICIE),
         int(MAX_ALTURA_SUPERFICIE));
  return false;
}

// Magenta becomes the colour key, which the conversion to the display format
// with alpha turns into fully transparent pixels. On failure the image is
// freed and the name emptied.
static bool converteImagem(T2D2_SpriteSet *s, const char *arquivo) {
  SDL_Surface *img = s->imagem;
  if (!cabeNaSuperficie(img->w, img->h)) {
    T2D2_DescartaSpriteSet(s);
    return false;
  }
  // A surface can hold one colour key. An image that comes with its own (a
  // PNG palette with one transparent entry) has it turned into alpha first,
  // or magenta would take its place and its background would show.
  if (img->flags & SDL_SRCCOLORKEY) {
    SDL_Surface *comAlfa = SDL_DisplayFormatAlpha(img);
    if (!comAlfa) {
      printf(MSG_IMAGEM_TEMPORARIA, arquivo, SDL_GetError());
      T2D2_DescartaSpriteSet(s);
      return false;
    }
    SDL_FreeSurface(img);
    s->imagem = img = comAlfa;
  }
  T2D2_ChaveMagenta(img);
  SDL_Surface *convertida = SDL_DisplayFormatAlpha(img);
  if (!convertida) {
    printf(MSG_IMAGEM_TEMPORARIA, arquivo, SDL_GetError());
    T2D2_DescartaSpriteSet(s);
    return false;
  }
  SDL_FreeSurface(img);
  s->imagem = convertida;
  return true;
}

static unsigned int T2D2SDL_CarregaSpriteSet(const char *arquivo, int largura,
                                             int altura) {
  unsigned int id;
  T2D2_SpriteSet *s = T2D2_ReservaSpriteSet(arquivo, &id);
  if (!s) return id;
  if (!T2D2_CarregaImagem(s, arquivo, cabeNaSuperficie)) return 0;
  if (!T2D2_DefineQuadros(s, largura, altura)) {
    printf(MSG_QUADROS, arquivo);
    T2D2_ExplicaQuadros(s, largura, altura);
    return T2D2_DescartaSpriteSet(s);
  }
  if (!converteImagem(s, arquivo)) return 0;
  if (!T2D2_ConstroiMascaras(s, arquivo)) return T2D2_DescartaSpriteSet(s);
  s->usuarios = 1;
  return id;
}

static void T2D2SDL_RemoveSpriteSet(unsigned int id) {
  T2D2_LiberaSpriteSet(id, nullptr);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

// The frame's source rectangle and its destination; false when no pixel of
// it can land on the screen. A frame past the last one lies below the image;
// leaving it out here keeps its 16-bit position from wrapping back onto the
// image.
static bool posicionaQuadro(const T2D2_SpriteSet *s, unsigned int indice, int x,
                            int y, SDL_Rect *origem, SDL_Rect *destino) {
  unsigned int colunas = unsigned(s->matrizX);
  if (indice / colunas >= unsigned(s->matrizY)) return false;
  if (x >= screen->w || y >= screen->h) return false;
  if (int64_t(x) + s->spLargura <= 0 || int64_t(y) + s->spAltura <= 0)
    return false;
  origem->x = Sint16(int(indice % colunas) * s->spLargura);
  origem->y = Sint16(int(indice / colunas) * s->spAltura);
  origem->w = Uint16(s->spLargura);
  origem->h = Uint16(s->spAltura);
  destino->x = Sint16(x);
  destino->y = Sint16(y);
  return true;
}

// Cuts a blit to the screen's clip rectangle, moving its source along, before
// SDL sees it, and gives the destination the blit's size. SDL 1.2 does the
// same itself; the browser's emulation cuts only the destination, by its
// size, and would draw the wrong part of the frame.
static bool recortaNoClip(SDL_Rect *origem, SDL_Rect *destino) {
  SDL_Rect c;
  SDL_GetClipRect(screen, &c);
  int x0 = destino->x > c.x ? destino->x : c.x;
  int y0 = destino->y > c.y ? destino->y : c.y;
  int x1 = destino->x + origem->w, y1 = destino->y + origem->h;
  if (x1 > c.x + c.w) x1 = c.x + c.w;
  if (y1 > c.y + c.h) y1 = c.y + c.h;
  if (x1 <= x0 || y1 <= y0) return false;
  origem->x += x0 - destino->x;
  origem->y += y0 - destino->y;
  origem->w = x1 - x0;
  origem->h = y1 - y0;
  destino->x = x0;
  destino->y = y0;
  destino->w = origem->w;
  destino->h = origem->h;
  return true;
}

static bool T2D2SDL_DesenhaSprite(unsigned int identificador,
                                  unsigned int indice, int x, int y) {
  const T2D2_SpriteSet *s = T2D2_SpriteSetDe(identificador);
  if (!s) {
    printf(MSG_INDICE_INVALIDO, int(identificador));
    return false;
  }
  if (!s->imagem) return false;
  SDL_Rect origem, destino;
  if (posicionaQuadro(s, indice, x, y, &origem, &destino) &&
      recortaNoClip(&origem, &destino))
    SDL_BlitSurface(s->imagem, &origem, screen, &destino);
  return true;
}

// Surfaces cannot be rotated or tinted by a blit.
static bool T2D2SDL_DesenhaSpriteEfeito(unsigned int, unsigned int, int *,
                                        int *, Uint8, Uint8, Uint8, Uint8) {
  return false;
}

static void ligaOperacoesSDL() {
  T2D2_Encerra = T2D2SDL_Encerra;
  T2D2_Sincroniza = T2D2SDL_Sincroniza;
  T2D2_LimpaTela = T2D2SDL_LimpaTela;
  T2D2_TrocaCorLimpezaTela = T2D2SDL_TrocaCorLimpezaTela;
  T2D2_LimitaAreaDesenho = T2D2SDL_LimitaAreaDesenho;
  T2D2_LiberaAreaDesenho = T2D2SDL_LiberaAreaDesenho;
  T2D2_CarregaSpriteSet = T2D2SDL_CarregaSpriteSet;
  T2D2_RemoveSpriteSet = T2D2SDL_RemoveSpriteSet;
  T2D2_DesenhaSprite = T2D2SDL_DesenhaSprite;
  T2D2_DesenhaSpriteEfeito = T2D2SDL_DesenhaSpriteEfeito;
  T2D2_CopiaTela = T2D2SDL_CopiaTela;
}
