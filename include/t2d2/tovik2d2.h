// Tovik2D 2: a small 2-D game library on SDL 1.2, with an OpenGL and an SDL
// software back-end chosen once at start-up.
//
// How to use:
//   T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "Meu jogo");
//   unsigned int heroi = T2D2_CarregaSpriteSet("heroi.png", 32, 32);
//   T2D2_Botao* teclas = T2D2_PegaTeclas();
//   while (!teclas[T2D2_ESC].pressionado) {
//     T2D2_LimpaTela();
//     T2D2_DesenhaSprite(heroi, 0, 100, 100);
//     T2D2_Sincroniza(60);          // waits, presents, reads input
//   }
//   T2D2_Encerra();
//
// Every resource lives in a fixed table owned by the library and is named by
// an identifier (slot + 1); 0 means none and is what every failed load returns.
// Failures are reported by the result and by one Portuguese line on stdout.
#ifndef T2D2_TOVIK2D2_H
#define T2D2_TOVIK2D2_H

#include <SDL.h>
#include <SDL_opengl.h>

// ---------------------------------------------------------------------------
// Start-up, back-ends and frame pacing
// ---------------------------------------------------------------------------

enum { T2D2_JANELA = 0, T2D2_TELA_CHEIA = 1 };
enum { T2D2_DESENHO_PADRAO = 0, T2D2_DESENHO_OPENGL = 1 };

// Opens a largura x altura window (or screen) at 32 bpp with the given caption
// on the back-end tipoRender selects, and fills the operation pointers below.
// False when already running, when SDL video was started by someone else, or
// when the mode cannot be set; the library is then left stopped.
bool T2D2_Inicia(unsigned int largura, unsigned int altura, int modoVideo,
                 int tipoRender, const char *tituloJanela);

// Milliseconds since SDL started (SDL_GetTicks).
unsigned long T2D2_TempoSistema();

// Blocks for pausa milliseconds without presenting or reading input.
void T2D2_Pausa(Uint32 pausa);

// Installs a hook that every T2D2_Sincroniza calls before it waits; null
// removes it. The hook survives start-ups and shut-downs.
void T2D2_DefineSincronizaUsuario(void (*funcao)());

// The operation table. All ten are null until a start succeeds and then point
// at the chosen back-end; they keep pointing there after T2D2_Encerra.

// Frees every font and sprite set and closes the video subsystem. Does nothing
// when the library is stopped.
extern void (*T2D2_Encerra)();
// Ends a frame: runs the user hook, waits until 1000/fps whole milliseconds
// have passed since the previous wait, presents, then refreshes the input.
extern void (*T2D2_Sincroniza)(Uint8 fps);
extern void (*T2D2_LimpaTela)();
// The new colour shows at the next T2D2_LimpaTela.
extern void (*T2D2_TrocaCorLimpezaTela)(Uint8 r, Uint8 g, Uint8 b);
// Limits every later drawing to the rectangle until released (on OpenGL, also
// until the next T2D2_LimpaTela).
extern void (*T2D2_LimitaAreaDesenho)(int x, int y, int largura, int altura);
extern void (*T2D2_LiberaAreaDesenho)();
// Loads an image cut into largura x altura frames (0 or less in either: one
// frame). Loading a loaded name adds a holder and returns the same identifier.
// 0 on failure; the library owns the pixels until the last release.
extern unsigned int (*T2D2_CarregaSpriteSet)(const char *arquivo, int largura,
                                             int altura);
// Gives up one hold; the last one frees the set. 0 and ids above 1024 are
// ignored.
extern void (*T2D2_RemoveSpriteSet)(unsigned int id);
// Draws frame indice with its top-left at (x, y). False for a bad id or frame.
extern bool (*T2D2_DesenhaSprite)(unsigned int id, unsigned int indice, int x,
                                  int y);
// Draws frame indice onto the quadrilateral x[0..3], y[0..3] (top-left,
// top-right, bottom-right, bottom-left of the frame), modulated by r, g, b, a.
// False on the SDL back-end, which cannot do it.
extern bool (*T2D2_DesenhaSpriteEfeito)(unsigned int id, unsigned int indice,
                                        int *x, int *y, Uint8 r, Uint8 g,
                                        Uint8 b, Uint8 a);

// ---------------------------------------------------------------------------
// Bitmasks: one bit per pixel, 1 where opaque; leftmost pixel in the top bit
// ---------------------------------------------------------------------------

struct T2D2_BitMask {
  int largura;
  int altura;
  int ldwords;  // 32-bit words per row
  Uint32 *mask; // altura * ldwords words, owned by the record
};

// An uninitialised mask; null when out of memory or for a negative size.
T2D2_BitMask *T2D2_CriaBitMask(int largura, int altura);
// Frees the words and the record; null is ignored.
void T2D2_RemoveBitMask(T2D2_BitMask *bmask);
// One empty spx x spy mask per frame of a limagem x aimagem image, in frame
// order; null on failure, with nothing left allocated. imagem is not read.
T2D2_BitMask **T2D2_CriaVetorBitMasks(SDL_Surface *imagem, int spx, int spy,
                                      int limagem, int aimagem);
// Writes every bit of every mask from the 32-bit image.
void T2D2_PreencheVetorBitMasks(SDL_Surface *imagem, int spx, int spy,
                                int limagem, int aimagem, T2D2_BitMask **bmask);
// Coordinates outside the mask are ignored by SetBit and read as clear.
void T2D2_SetBit(T2D2_BitMask *bmask, int x, int y, int val);
bool T2D2_GetBit(T2D2_BitMask *bmask, int x, int y);

// ---------------------------------------------------------------------------
// Sprite sets
// ---------------------------------------------------------------------------

enum { T2D2_MAXSPRITESETS = 1024, T2D2_MAXAPELIDO = 2048 };

struct T2D2_SpriteSet {
  unsigned int usuarios;
  char apelido[T2D2_MAXAPELIDO]; // the path given at load; empty when free
  int largura, altura;           // of the image as loaded
  int spLargura, spAltura;       // of one frame
  int matrizX, matrizY;          // frames per row, rows
  SDL_Surface *imagem;           // working pixels; null marks a free slot
  GLuint textura;
  bool texturaLigada;
  int larguraTextura, alturaTextura;
  T2D2_BitMask **bmask; // matrizX * matrizY masks in frame order
};

// Identifier of the set loaded under exactly this name, or 0.
unsigned int T2D2_ProcuraSpriteSet(const char *apelido);

// ---------------------------------------------------------------------------
// Keyboard and mouse, refreshed once per frame by T2D2_Sincroniza
// ---------------------------------------------------------------------------

struct T2D2_Botao {
  bool pressionado; // went down during the last refresh
  bool ativo;       // is held
  bool liberado;    // went up during the last refresh
};

enum { T2D2_MESQUERDO = 0, T2D2_MDIREITO = 1, T2D2_MMEIO = 2, T2D2_MMAX = 3 };

struct T2D2_Mouse {
  Sint32 x;
  Sint32 y;
  T2D2_Botao botoes[T2D2_MMAX];
};

enum {
  T2D2_CIMA = 0,
  T2D2_BAIXO,
  T2D2_DIREITA,
  T2D2_ESQUERDA,
  T2D2_ESC,
  T2D2_F1,
  T2D2_F2,
  T2D2_F3,
  T2D2_F4,
  T2D2_A,
  T2D2_B,
  T2D2_C,
  T2D2_D,
  T2D2_E,
  T2D2_F,
  T2D2_G,
  T2D2_H,
  T2D2_I,
  T2D2_J,
  T2D2_K,
  T2D2_L,
  T2D2_M,
  T2D2_N,
  T2D2_O,
  T2D2_P,
  T2D2_Q,
  T2D2_R,
  T2D2_S,
  T2D2_T,
  T2D2_U,
  T2D2_V,
  T2D2_W,
  T2D2_X,
  T2D2_Y,
  T2D2_Z,
  T2D2_0,
  T2D2_1,
  T2D2_2,
  T2D2_3,
  T2D2_4,
  T2D2_5,
  T2D2_6,
  T2D2_7,
  T2D2_8,
  T2D2_9,
  T2D2_ENTER,
  T2D2_ESPACO,
  T2D2_LALT,
  T2D2_RALT,
  T2D2_LCTRL,
  T2D2_RCTRL,
  T2D2_LSHIFT,
  T2D2_RSHIFT,
  T2D2_ENCERRA, // the window's close request; stays held once seen
  T2D2_MAXTECLAS
};

// Polls every pending event into the tables. T2D2_Sincroniza calls it.
void T2D2_Entrada();
// Stable addresses of the key table (T2D2_MAXTECLAS entries) and the mouse.
T2D2_Botao *T2D2_PegaTeclas();
T2D2_Mouse *T2D2_PegaMouse();

// ---------------------------------------------------------------------------
// Bitmap fonts: a square sheet of 16 x 16 cells, the glyph of byte c in cell c
// ---------------------------------------------------------------------------

enum { T2D2_MAXFONTES = 64 };

struct T2D2_Fonte {
  Sint32 usuarios;
  char apelido[T2D2_MAXAPELIDO];
  Sint32 tamanhoFonte;       // side of one cell
  Uint32 idSpriteSet;        // 0 marks a free slot
  Sint32 deslocamentos[256]; // blank columns left of each glyph
  Sint32 larguras[256];      // pen advance after each glyph
};

enum {
  T2D2_ALINHA_CENTRO = 0,
  T2D2_ALINHA_DIREITA = 1,
  T2D2_ALINHA_ESQUERDA = 2
};

// Loads a 16*dimensao square sheet and measures every glyph. A loaded name
// adds a holder. 0 on failure, with the slot and its sprite set left free.
unsigned int T2D2_CarregaFonte(const char *arquivo, int dimensao);
// Gives up one hold; the last one frees the font and its sprite set.
void T2D2_RemoveFonte(unsigned int id);
unsigned int T2D2_ProcuraFonte(const char *apelido);
// Draws texto with its cells' top on row y, aligned on x. False for a bad id.
bool T2D2_DesenhaTexto(unsigned int identificador, int x, int y,
                       const char *texto, unsigned int alinhamento);
// Width of texto and the cell height; either pointer may be null. False, with
// the outputs untouched, for an id that holds no font.
bool T2D2_DimensoesTexto(unsigned int idFonte, const char *texto, int *largura,
                         int *altura);

// ---------------------------------------------------------------------------
// Collision
// ---------------------------------------------------------------------------

// Whether two rectangles touch or overlap; edges count.
bool T2D2_ColidiuQuadrados(int x1b, int y1b, int l1b, int a1b, int x2b, int y2b,
                           int l2b, int a2b);
// Whether two frames at the given top-left positions share an opaque pixel.
// Identifier 0 prints a line and answers false.
bool T2D2_ColidiuSprites(unsigned int id1, unsigned int indice1, int x1, int y1,
                         unsigned int id2, unsigned int indice2, int x2,
                         int y2);
// The same, but only once the two boxes (offsets from each sprite's top-left
// and sizes) touch.
bool T2D2_ColidiuSprites(unsigned int id1, unsigned int indice1, int x1, int y1,
                         int x1b, int y1b, int l1b, int a1b, unsigned int id2,
                         unsigned int indice2, int x2, int y2, int x2b, int y2b,
                         int l2b, int a2b);
// -1 when b, with its top-left at (offx, offy) from a's, shares a set bit
// with a; 0 otherwise.
int T2D2_SobrepoeBitMasks(T2D2_BitMask *a, T2D2_BitMask *b, int offx, int offy);

#endif
