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
// Loading a name that is already loaded counts one more holder and returns
// the same identifier; each Remove gives one hold back. Failures are reported
// by the result and by one Portuguese line (Latin-1) on stdout; nothing
// throws. Every call runs on the thread that opened the window. Names are
// file paths of at most 2047 bytes, compared byte for byte; a longer or null
// path is refused with a message. The caller keeps its strings: the library
// copies what it keeps.
#ifndef T2D2_TOVIK2D2_H
#define T2D2_TOVIK2D2_H

#include <SDL.h>
#include <SDL_opengl.h>

// ---------------------------------------------------------------------------
// Start-up, back-ends and frame pacing
// ---------------------------------------------------------------------------

enum { T2D2_JANELA = 0, T2D2_TELA_CHEIA = 1 };
enum { T2D2_DESENHO_PADRAO = 0, T2D2_DESENHO_OPENGL = 1 };

// Opens a largura x altura window (modoVideo T2D2_JANELA) or screen
// (T2D2_TELA_CHEIA; any other value is reported and opens a window) at 32 bpp
// with the UTF-8 caption tituloJanela, on the back-end tipoRender selects
// (T2D2_DESENHO_OPENGL, else the SDL software one), empties the sprite set
// and font tables and fills the operation pointers below. Prints its progress.
// False when already running (silently, tables untouched), when SDL video was
// started by someone else (silently), or when SDL or the mode fails (with a
// message); the library is then left stopped with the video subsystem closed.
// There is no fall-back to the other back-end.
bool T2D2_Inicia(unsigned int largura, unsigned int altura, int modoVideo,
                 int tipoRender, const char *tituloJanela);

// Milliseconds since SDL started (SDL_GetTicks); wraps after 49 days.
unsigned long T2D2_TempoSistema();

// Blocks for pausa milliseconds without presenting or reading input, so
// key and mouse edges that happen meanwhile show at the next T2D2_Sincroniza.
void T2D2_Pausa(Uint32 pausa);

// Installs a hook that every T2D2_Sincroniza calls before it waits, also when
// no wait follows; null removes it. The hook survives start-ups and
// shut-downs.
void T2D2_DefineSincronizaUsuario(void (*funcao)());

// The operation table. All ten are null until a start succeeds and then point
// at the chosen back-end; they keep pointing there after T2D2_Encerra.
// Calling one before the first successful start is calling a null pointer.

// Frees every font and sprite set whatever its count of holders, closes the
// video subsystem (not the audio: see TA2_Encerra) and leaves the library
// stopped, ready to start again. Every identifier held is then stale. Does
// nothing when the library is stopped.
extern void (*T2D2_Encerra)();
// Ends a frame: runs the user hook, waits until 1000/fps whole milliseconds
// (fps 0 counts as 1) have passed since the previous wait, presents the
// frame, then refreshes the key and mouse tables. A frame that took longer is
// not delayed and nothing carries over. Sleeps; never busy-waits.
extern void (*T2D2_Sincroniza)(Uint8 fps);
// Fills the whole screen with the clear colour (black until changed).
extern void (*T2D2_LimpaTela)();
// The new colour shows at the next T2D2_LimpaTela.
extern void (*T2D2_TrocaCorLimpezaTela)(Uint8 r, Uint8 g, Uint8 b);
// Limits every later drawing to the rectangle with its top-left at (x, y)
// until released (on OpenGL, also until the next T2D2_LimpaTela). On the SDL
// back-end the primitives other than the filled rectangle ignore the limit.
extern void (*T2D2_LimitaAreaDesenho)(int x, int y, int largura, int altura);
// Lets drawing reach the whole screen again.
extern void (*T2D2_LiberaAreaDesenho)();
// Loads the image file arquivo (any format SDL_image reads; opaque magenta and
// alpha 0 are transparent) cut into largura x altura frames, numbered row by
// row from the top-left (0 or less in either: the whole image is one frame),
// and builds one collision mask per frame. Loading a loaded name adds a holder
// and returns the same identifier, keeping the first frame size. 0 on failure:
// a full table (silently), an unreadable file, an image that is not a whole
// number of frames, or one past the OpenGL texture limit (with a message); the
// slot is left free. The library owns the pixels until the last release.
extern unsigned int (*T2D2_CarregaSpriteSet)(const char *arquivo, int largura,
                                             int altura);
// Gives up one hold; the last one frees the set, its texture and its masks,
// and the identifier may later name another set. 0 and ids above 1024 are
// ignored.
extern void (*T2D2_RemoveSpriteSet)(unsigned int id);
// Draws frame indice with its top-left at (x, y). False, drawing nothing, for
// an id outside 1..1024 (the SDL back-end prints a line) or a free slot; on
// OpenGL also for a frame past the last, which the SDL back-end instead cuts
// away while answering true.
extern bool (*T2D2_DesenhaSprite)(unsigned int id, unsigned int indice, int x,
                                  int y);
// Draws frame indice onto the quadrilateral x[0..3], y[0..3] (top-left,
// top-right, bottom-right, bottom-left of the frame), which rotates, scales or
// mirrors it, modulated by r, g, b, a ((255, 255, 255, 255) draws it
// unchanged; lower a fades it). The arrays are only read. False for a bad id
// or frame, and always on the SDL back-end, which cannot do it.
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

// A mask of largura x altura bits whose words are not cleared; the caller owns
// it and frees it with T2D2_RemoveBitMask. Null when out of memory or for a
// negative size.
T2D2_BitMask *T2D2_CriaBitMask(int largura, int altura);
// Frees the words and the record; null is ignored.
void T2D2_RemoveBitMask(T2D2_BitMask *bmask);
// One uncleared spx x spy mask per whole frame of a limagem x aimagem image,
// (limagem / spx) * (aimagem / spy) of them in frame order. The caller owns
// the array and every mask (a sprite set frees its own). Null on failure, with
// nothing left allocated. imagem is not read.
T2D2_BitMask **T2D2_CriaVetorBitMasks(SDL_Surface *imagem, int spx, int spy,
                                      int limagem, int aimagem);
// Writes every bit of every mask from the 32-bit image: 0 where the pixel is
// opaque magenta or has alpha 0, 1 elsewhere. Locks and unlocks the surface.
// Null arguments are ignored.
void T2D2_PreencheVetorBitMasks(SDL_Surface *imagem, int spx, int spy,
                                int limagem, int aimagem, T2D2_BitMask **bmask);
// Sets the bit of pixel (x, y) when val is non-zero, clears it otherwise.
// Coordinates outside the mask and a null mask are ignored.
void T2D2_SetBit(T2D2_BitMask *bmask, int x, int y, int val);
// Whether the bit of pixel (x, y) is set; false outside the mask or for null.
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

// Identifier of the set loaded under exactly this name, or 0 (also for null).
// Adds no holder.
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

// Clears the press and release edges, then polls every pending event into the
// tables; unmapped keys and other events are dropped. T2D2_Sincroniza calls
// it, so a program does not need to.
void T2D2_Entrada();
// Stable address of the key table (T2D2_MAXTECLAS entries, indexed by the
// constants above), owned by the library for the whole run: take it once and
// read it every frame. Never null.
T2D2_Botao *T2D2_PegaTeclas();
// Stable address of the mouse record: the pointer position in window pixels
// and the three buttons. Never null.
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

// Loads a sheet of 16 x 16 cells of dimensao pixels (16*dimensao square; on
// OpenGL a power of two) as a sprite set and measures every glyph once:
// transparent pixels are background, the blank gets half a cell. A loaded
// name adds a holder and returns the same identifier. 0 on failure (a full
// table silently, an unreadable file or a sheet of the wrong size with a
// message), with the slot and its sprite set left free.
unsigned int T2D2_CarregaFonte(const char *arquivo, int dimensao);
// Gives up one hold; the last one frees the font and its sprite set. 0 and
// ids above 64 are ignored.
void T2D2_RemoveFonte(unsigned int id);
// Identifier of the font loaded under exactly this name, or 0 (also for
// null). Adds no holder.
unsigned int T2D2_ProcuraFonte(const char *apelido);
// Draws texto (bytes, one glyph each; no byte is special) with its cells' top
// on row y, aligned on x by alinhamento (T2D2_ALINHA_*; other values align
// left). Null draws nothing. False for an id outside 1..64 (silently) or a
// free slot (with a message); true otherwise.
bool T2D2_DesenhaTexto(unsigned int identificador, int x, int y,
                       const char *texto, unsigned int alinhamento);
// Width of texto in pixels and the cell height; either pointer may be null.
// False, with the outputs untouched, for an id that holds no font.
bool T2D2_DimensoesTexto(unsigned int idFonte, const char *texto, int *largura,
                         int *altura);

// ---------------------------------------------------------------------------
// Collision
// ---------------------------------------------------------------------------

// Whether two rectangles (top-left, width, height) touch or overlap; edges
// count: one that starts exactly where the other ends collides.
bool T2D2_ColidiuQuadrados(int x1b, int y1b, int l1b, int a1b, int x2b, int y2b,
                           int l2b, int a2b);
// Whether two frames at the given top-left positions share an opaque pixel.
// Identifier 0 prints a line and answers false; a frame past the last, or a
// set that holds no masks, answers false silently. Reads only.
bool T2D2_ColidiuSprites(unsigned int id1, unsigned int indice1, int x1, int y1,
                         unsigned int id2, unsigned int indice2, int x2,
                         int y2);
// The same, but false at once unless the two boxes (offsets from each
// sprite's top-left and sizes) touch.
bool T2D2_ColidiuSprites(unsigned int id1, unsigned int indice1, int x1, int y1,
                         int x1b, int y1b, int l1b, int a1b, unsigned int id2,
                         unsigned int indice2, int x2, int y2, int x2b, int y2b,
                         int l2b, int a2b);
// -1 when b, with its top-left at (offx, offy) from a's, shares a set bit
// with a; 0 otherwise, also for a null mask or masks that do not overlap.
int T2D2_SobrepoeBitMasks(T2D2_BitMask *a, T2D2_BitMask *b, int offx, int offy);

#endif
