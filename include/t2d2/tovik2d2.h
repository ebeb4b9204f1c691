/// \file
/// Tovik2D 2: a small 2-D game library on SDL 1.2, with an OpenGL and an SDL
/// software back-end chosen once at start-up.
///
/// How to use:
/// \code
///   if (!T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "Meu jogo"))
///     return 1;                     // nothing may load or draw before
///   unsigned int heroi = T2D2_CarregaSpriteSet("heroi.png", 32, 32);
///   T2D2_Botao* teclas = T2D2_PegaTeclas();
///   while (!teclas[T2D2_ESC].liberado) { // a quick tap shows only this
///     T2D2_LimpaTela();
///     T2D2_DesenhaSprite(heroi, 0, 100, 100);
///     T2D2_Sincroniza(60);          // waits, presents, reads input
///   }
///   T2D2_Encerra();
/// \endcode
///
/// Every resource lives in a fixed table owned by the library and is named by
/// an identifier (slot + 1); 0 means none and is what every failed load
/// returns. Loading a name that is already loaded counts one more holder and
/// returns the same identifier; each Remove gives one hold back. Failures are
/// reported by the result and by one Portuguese line (Latin-1) on stdout;
/// nothing throws. Every call runs on the thread that opened the window. Names
/// are file paths of at most 2047 bytes, compared byte for byte; a longer or
/// null path is refused with a message. The caller keeps its strings: the
/// library copies what it keeps.
///
/// The ten operations of the back-end (T2D2_Encerra to
/// T2D2_DesenhaSpriteEfeito) are null pointers until T2D2_Inicia succeeds:
/// calling one earlier crashes the program.
#ifndef T2D2_TOVIK2D2_H
#define T2D2_TOVIK2D2_H

#include <SDL.h>
#include <SDL_opengl.h>

// ---------------------------------------------------------------------------
// Start-up, back-ends and frame pacing
// ---------------------------------------------------------------------------

/// Video modes for T2D2_Inicia.
enum {
  T2D2_JANELA = 0,    ///< a window
  T2D2_TELA_CHEIA = 1 ///< the whole screen
};
/// Back-ends for T2D2_Inicia.
enum {
  T2D2_DESENHO_PADRAO = 0, ///< SDL's software surfaces
  T2D2_DESENHO_OPENGL = 1  ///< OpenGL 1.x fixed function
};

/// Opens a largura x altura window or screen at 32 bpp on the chosen back-end,
/// empties the sprite set and font tables and fills the operation pointers.
/// \param largura width in pixels.
/// \param altura height in pixels.
/// \param modoVideo T2D2_JANELA or T2D2_TELA_CHEIA; any other value is
///        reported and opens a window.
/// \param tipoRender T2D2_DESENHO_OPENGL, else the SDL software back-end.
/// \param tituloJanela the window's caption, UTF-8.
/// \return true when the library runs. False when already running (silently,
/// tables untouched), when SDL video was started by someone else (silently),
/// or when SDL or the mode fails (with a message); the library is then left
/// stopped with the video subsystem closed.
///
/// Prints its progress. There is no fall-back to the other back-end. Hides
/// the mouse pointer. Until it succeeds the ten operations (T2D2_Encerra,
/// T2D2_Sincroniza, T2D2_LimpaTela, T2D2_TrocaCorLimpezaTela,
/// T2D2_LimitaAreaDesenho, T2D2_LiberaAreaDesenho, T2D2_CarregaSpriteSet,
/// T2D2_RemoveSpriteSet, T2D2_DesenhaSprite, T2D2_DesenhaSpriteEfeito) are
/// null pointers: calling one earlier crashes the program.
/// \sa T2D2_Encerra, T2D2P_Inicia, TA2_Inicia
bool T2D2_Inicia(unsigned int largura, unsigned int altura, int modoVideo,
                 int tipoRender, const char *tituloJanela);

/// Milliseconds since SDL started (SDL_GetTicks); wraps after 49 days.
/// \return the count of milliseconds.
unsigned long T2D2_TempoSistema();

/// Blocks for pausa milliseconds without presenting or reading input.
/// \param pausa milliseconds to wait.
///
/// Key and mouse edges that happen meanwhile show at the next
/// T2D2_Sincroniza.
void T2D2_Pausa(Uint32 pausa);

/// Installs a hook that every T2D2_Sincroniza calls before it waits, also when
/// no wait follows.
/// \param funcao the hook; null removes it.
///
/// The hook survives start-ups and shut-downs.
/// \sa T2D2_Sincroniza
void T2D2_DefineSincronizaUsuario(void (*funcao)());

/// Copies the frame that the last T2D2_Sincroniza showed into memory of the
/// caller's, as four bytes a pixel (red, green, blue, then 255), row by row
/// from the top-left, rows packed.
/// \param pixels where the frame goes; the caller owns it and the library
///        keeps nothing of it.
/// \param tamanho bytes at pixels: at least largura x altura x 4 of the
///        window, as given to T2D2_Inicia.
/// \return true when the frame was copied. False, with a message and the
/// memory untouched, when the library is stopped, pixels is null, tamanho is
/// too small, or no frame has been kept yet.
///
/// A frame leaves nothing certain to read once shown (after an OpenGL swap
/// the back buffer is undefined; a browser clears WebGL's), so the library
/// keeps a copy of each frame as T2D2_Sincroniza shows it, from the first
/// call on: that call answers false and takes largura x altura x 4 bytes,
/// once, which T2D2_Encerra frees with the rest. From then on every frame
/// costs a read-back of the screen and allocates nothing. Any later call,
/// also from the frame hook or in the middle of a frame, answers the frame
/// shown last. Works on both back-ends, in a browser too.
/// \sa T2D2_Sincroniza, T2D2_Inicia
bool T2D2_LeTela(Uint8 *pixels, size_t tamanho);

/// Tells the platform what the game is doing, for controls that live outside
/// the window: a browser page's touch buttons show only what works in that
/// state. A short word of the game's own, such as "splash" or "voo".
/// \param estado the state; null is ignored.
///
/// On a desktop it does nothing. In a browser the page receives each change
/// as a `t2d2estado` event on `window`, the word in its `detail`, and finds
/// the latest in `Module.estadoDoJogo`.
void T2D2_AnunciaEstado(const char *estado);

/// Tells the platform a number that goes with the game's state, such as how
/// full a charging bar is (0 to 1), so that a control outside the window can
/// show it too.
/// \param valor the number; one that is not finite is refused with a line.
///
/// On a desktop it does nothing. In a browser the page receives each change
/// as a `t2d2valor` event on `window`, the number in its `detail`, and finds
/// the latest in `Module.valorDoJogo`.
void T2D2_AnunciaValor(float valor);

/// \name Operations of the back-end in use
/// The operation table. All ten are null until a start succeeds and then point
/// at the chosen back-end; they keep pointing there after T2D2_Encerra.
/// Calling one before the first successful start is calling a null pointer.
///@{

/// Frees every font and sprite set whatever its count of holders, closes the
/// video subsystem (not the audio: see TA2_Encerra) and leaves the library
/// stopped, ready to start again.
///
/// Every identifier held is then stale. Does nothing when the library is
/// stopped.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_Inicia, TA2_Encerra
extern void (*T2D2_Encerra)();
/// Ends a frame: runs the user hook, waits, presents the frame, then refreshes
/// the key and mouse tables.
/// \param fps frames per second: the wait lasts until 1000/fps whole
///        milliseconds have passed since the previous wait (0 counts as 1).
///
/// A frame that took longer is not delayed and nothing carries over. Sleeps;
/// never busy-waits. In a browser the wait ends at the display's refresh
/// when one falls within a millisecond of that time, so that each frame is
/// shown at a refresh of its own; otherwise, as on the desktop, on time.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_DefineSincronizaUsuario, T2D2_Entrada
extern void (*T2D2_Sincroniza)(Uint8 fps);
/// Fills the whole screen with the clear colour (black until changed).
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_TrocaCorLimpezaTela
extern void (*T2D2_LimpaTela)();
/// Changes the clear colour; the new colour shows at the next T2D2_LimpaTela.
/// \param r red.
/// \param g green.
/// \param b blue.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
extern void (*T2D2_TrocaCorLimpezaTela)(Uint8 r, Uint8 g, Uint8 b);
/// Limits every later drawing to a rectangle until released (on OpenGL, also
/// until the next T2D2_LimpaTela).
/// \param x left column.
/// \param y top row.
/// \param largura width.
/// \param altura height.
///
/// On the SDL back-end the primitives other than the filled rectangle ignore
/// the limit.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_LiberaAreaDesenho
extern void (*T2D2_LimitaAreaDesenho)(int x, int y, int largura, int altura);
/// Lets drawing reach the whole screen again.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_LimitaAreaDesenho
extern void (*T2D2_LiberaAreaDesenho)();
/// Loads an image file cut into frames and builds one collision mask per
/// frame.
/// \param arquivo the file: any format SDL_image reads; opaque magenta and
///        alpha 0 are transparent.
/// \param largura width of a frame.
/// \param altura height of a frame. Frames are numbered row by row from the
///        top-left; 0 or less in either size makes the whole image one frame.
/// \return the set's identifier; 0 on failure: a full table (silently), an
/// unreadable file, an image that is not a whole number of frames, or one
/// past the OpenGL texture limit (with a message); the slot is left free.
///
/// Loading a loaded name adds a holder and returns the same identifier,
/// keeping the first frame size. The library owns the pixels until the last
/// release.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_RemoveSpriteSet, T2D2_DesenhaSprite, T2D2_ProcuraSpriteSet
extern unsigned int (*T2D2_CarregaSpriteSet)(const char *arquivo, int largura,
                                             int altura);
/// Gives up one hold; the last one frees the set, its texture and its masks,
/// and the identifier may later name another set.
/// \param id the set; 0 and ids above 1024 are ignored.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_CarregaSpriteSet
extern void (*T2D2_RemoveSpriteSet)(unsigned int id);
/// Draws a frame with its top-left at (x, y).
/// \param id the set.
/// \param indice the frame.
/// \param x left column.
/// \param y top row.
/// \return false, drawing nothing, for an id outside 1..1024 (the SDL
/// back-end prints a line) or a free slot; on OpenGL also for a frame past
/// the last, which the SDL back-end instead cuts away while answering true.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_DesenhaSpriteEfeito
extern bool (*T2D2_DesenhaSprite)(unsigned int id, unsigned int indice, int x,
                                  int y);
/// Draws a frame onto a quadrilateral, which rotates, scales or mirrors it,
/// modulated by a colour.
/// \param id the set.
/// \param indice the frame.
/// \param x columns of the corners x[0..3]: top-left, top-right,
///        bottom-right, bottom-left of the frame. Only read.
/// \param y rows of the same corners. Only read.
/// \param r red modulation.
/// \param g green modulation.
/// \param b blue modulation.
/// \param a alpha modulation: (255, 255, 255, 255) draws the frame
///        unchanged; lower a fades it.
/// \return false for a bad id or frame, and always on the SDL back-end,
/// which cannot do it.
/// \warning Null until T2D2_Inicia succeeds: calling it earlier crashes.
/// \sa T2D2_DesenhaSprite
extern bool (*T2D2_DesenhaSpriteEfeito)(unsigned int id, unsigned int indice,
                                        int *x, int *y, Uint8 r, Uint8 g,
                                        Uint8 b, Uint8 a);
///@}

// ---------------------------------------------------------------------------
// Bitmasks: one bit per pixel, 1 where opaque; leftmost pixel in the top bit
// ---------------------------------------------------------------------------

/// A collision mask: one bit per pixel, 1 where opaque; the leftmost pixel of
/// each 32-bit word is its top bit.
struct T2D2_BitMask {
  int largura;  ///< width in pixels
  int altura;   ///< height in pixels
  int ldwords;  ///< 32-bit words per row
  Uint32 *mask; ///< altura * ldwords words, owned by the record
};

/// Makes a mask of largura x altura bits whose words are not cleared.
/// \param largura width in pixels.
/// \param altura height in pixels.
/// \return the mask, which the caller owns and frees with
/// T2D2_RemoveBitMask; null when out of memory or for a negative size.
/// \sa T2D2_RemoveBitMask, T2D2_SetBit
T2D2_BitMask *T2D2_CriaBitMask(int largura, int altura);
/// Frees the words and the record.
/// \param bmask the mask; null is ignored.
void T2D2_RemoveBitMask(T2D2_BitMask *bmask);
/// Makes one uncleared spx x spy mask per whole frame of a limagem x aimagem
/// image.
/// \param imagem not read.
/// \param spx width of a frame.
/// \param spy height of a frame.
/// \param limagem width of the image.
/// \param aimagem height of the image.
/// \return an array of (limagem / spx) * (aimagem / spy) masks in frame
/// order; null on failure, with nothing left allocated.
///
/// The caller owns the array and every mask (a sprite set frees its own).
/// \sa T2D2_PreencheVetorBitMasks
T2D2_BitMask **T2D2_CriaVetorBitMasks(SDL_Surface *imagem, int spx, int spy,
                                      int limagem, int aimagem);
/// Writes every bit of every mask from a 32-bit image: 0 where the pixel is
/// opaque magenta or has alpha 0, 1 elsewhere.
/// \param imagem the image; locked and unlocked here.
/// \param spx width of a frame.
/// \param spy height of a frame.
/// \param limagem width of the image.
/// \param aimagem height of the image.
/// \param bmask the masks made by T2D2_CriaVetorBitMasks for the same sizes.
///
/// Null arguments are ignored.
void T2D2_PreencheVetorBitMasks(SDL_Surface *imagem, int spx, int spy,
                                int limagem, int aimagem, T2D2_BitMask **bmask);
/// Sets or clears the bit of pixel (x, y).
/// \param bmask the mask.
/// \param x column.
/// \param y row.
/// \param val non-zero sets the bit, 0 clears it.
///
/// Coordinates outside the mask and a null mask are ignored.
void T2D2_SetBit(T2D2_BitMask *bmask, int x, int y, int val);
/// Whether the bit of pixel (x, y) is set.
/// \param bmask the mask.
/// \param x column.
/// \param y row.
/// \return the bit; false outside the mask or for null.
bool T2D2_GetBit(T2D2_BitMask *bmask, int x, int y);

// ---------------------------------------------------------------------------
// Sprite sets
// ---------------------------------------------------------------------------

/// Table sizes.
enum {
  T2D2_MAXSPRITESETS = 1024, ///< sprite sets loaded at once
  T2D2_MAXAPELIDO = 2048     ///< bytes of a name, with its final zero
};

/// One entry of the library's sprite set table, which the library alone
/// reads and writes; programs see sets only through their identifiers.
struct T2D2_SpriteSet {
  unsigned int usuarios;         ///< holders
  char apelido[T2D2_MAXAPELIDO]; ///< the path given at load; empty when free
  int largura;                   ///< width of the image as loaded
  int altura;                    ///< height of the image as loaded
  int spLargura;                 ///< width of one frame
  int spAltura;                  ///< height of one frame
  int matrizX;                   ///< frames per row
  int matrizY;                   ///< rows of frames
  SDL_Surface *imagem;           ///< working pixels; null marks a free slot
  GLuint textura;                ///< the OpenGL texture, 0 on the SDL back-end
  bool texturaLigada;   ///< whether textura is to be deleted with the set
  int larguraTextura;   ///< width of the OpenGL working image
  int alturaTextura;    ///< height of the OpenGL working image
  T2D2_BitMask **bmask; ///< matrizX * matrizY masks in frame order
};

/// Finds a loaded sprite set by its name.
/// \param apelido the path it was loaded under, compared byte for byte.
/// \return its identifier, or 0 (also for null).
///
/// Adds no holder.
unsigned int T2D2_ProcuraSpriteSet(const char *apelido);

// ---------------------------------------------------------------------------
// Keyboard and mouse, refreshed once per frame by T2D2_Sincroniza
// ---------------------------------------------------------------------------

/// The state of one key or mouse button.
///
/// A press and a release within the same refresh leave only the release:
/// pressionado and ativo false, liberado true. Touchpads and on-screen
/// buttons produce such taps.
struct T2D2_Botao {
  bool pressionado; ///< went down during the last refresh
  bool ativo;       ///< is held
  bool liberado;    ///< went up during the last refresh
};

/// Mouse buttons: indices into T2D2_Mouse::botoes.
enum {
  T2D2_MESQUERDO = 0, ///< left button
  T2D2_MDIREITO = 1,  ///< right button
  T2D2_MMEIO = 2,     ///< middle button
  T2D2_MMAX = 3       ///< count of buttons
};

/// The mouse: pointer position and buttons.
struct T2D2_Mouse {
  Sint32 x;                     ///< pointer column in window pixels
  Sint32 y;                     ///< pointer row in window pixels
  T2D2_Botao botoes[T2D2_MMAX]; ///< indexed by T2D2_MESQUERDO and the others
};

/// Keys: indices into the table of T2D2_PegaTeclas.
enum {
  T2D2_CIMA = 0, ///< up arrow
  T2D2_BAIXO,    ///< down arrow
  T2D2_DIREITA,  ///< right arrow
  T2D2_ESQUERDA, ///< left arrow
  T2D2_ESC,      ///< Escape
  T2D2_F1,       ///< function key F1
  T2D2_F2,       ///< function key F2
  T2D2_F3,       ///< function key F3
  T2D2_F4,       ///< function key F4
  T2D2_A,        ///< letter A
  T2D2_B,        ///< letter B
  T2D2_C,        ///< letter C
  T2D2_D,        ///< letter D
  T2D2_E,        ///< letter E
  T2D2_F,        ///< letter F
  T2D2_G,        ///< letter G
  T2D2_H,        ///< letter H
  T2D2_I,        ///< letter I
  T2D2_J,        ///< letter J
  T2D2_K,        ///< letter K
  T2D2_L,        ///< letter L
  T2D2_M,        ///< letter M
  T2D2_N,        ///< letter N
  T2D2_O,        ///< letter O
  T2D2_P,        ///< letter P
  T2D2_Q,        ///< letter Q
  T2D2_R,        ///< letter R
  T2D2_S,        ///< letter S
  T2D2_T,        ///< letter T
  T2D2_U,        ///< letter U
  T2D2_V,        ///< letter V
  T2D2_W,        ///< letter W
  T2D2_X,        ///< letter X
  T2D2_Y,        ///< letter Y
  T2D2_Z,        ///< letter Z
  T2D2_0,        ///< digit 0 of the main rows
  T2D2_1,        ///< digit 1 of the main rows
  T2D2_2,        ///< digit 2 of the main rows
  T2D2_3,        ///< digit 3 of the main rows
  T2D2_4,        ///< digit 4 of the main rows
  T2D2_5,        ///< digit 5 of the main rows
  T2D2_6,        ///< digit 6 of the main rows
  T2D2_7,        ///< digit 7 of the main rows
  T2D2_8,        ///< digit 8 of the main rows
  T2D2_9,        ///< digit 9 of the main rows
  T2D2_ENTER,    ///< Enter (Return)
  T2D2_ESPACO,   ///< space bar
  T2D2_LALT,     ///< left Alt
  T2D2_RALT,     ///< right Alt
  T2D2_LCTRL,    ///< left Ctrl
  T2D2_RCTRL,    ///< right Ctrl
  T2D2_LSHIFT,   ///< left Shift
  T2D2_RSHIFT,   ///< right Shift
  T2D2_ENCERRA,  ///< the window's close request; stays held once seen
  T2D2_MAXTECLAS ///< count of keys
};

/// Clears the press and release edges, then polls every pending event into the
/// tables; unmapped keys and other events are dropped.
///
/// T2D2_Sincroniza calls it, so a program does not need to.
/// \sa T2D2_PegaTeclas, T2D2_PegaMouse
void T2D2_Entrada();
/// The key table.
/// \return its stable address, never null: T2D2_MAXTECLAS entries, indexed by
/// the key constants (T2D2_CIMA and the others).
///
/// Owned by the library for the whole run: take it once and read it every
/// frame.
/// \sa T2D2_Botao, T2D2_Entrada
T2D2_Botao *T2D2_PegaTeclas();
/// The mouse record: the pointer position in window pixels and the three
/// buttons.
/// \return its stable address, never null.
/// \sa T2D2_Mouse, T2D2_Entrada
T2D2_Mouse *T2D2_PegaMouse();

// ---------------------------------------------------------------------------
// Bitmap fonts: a square sheet of 16 x 16 cells, the glyph of byte c in cell c
// ---------------------------------------------------------------------------

/// Table size.
enum {
  T2D2_MAXFONTES = 64 ///< fonts loaded at once
};

/// One entry of the library's font table, which the library alone reads and
/// writes; programs see fonts only through their identifiers.
struct T2D2_Fonte {
  Sint32 usuarios;               ///< holders
  char apelido[T2D2_MAXAPELIDO]; ///< the path given at load
  Sint32 tamanhoFonte;           ///< side of one cell
  Uint32 idSpriteSet;            ///< 0 marks a free slot
  Sint32 deslocamentos[256];     ///< blank columns left of each glyph
  Sint32 larguras[256];          ///< pen advance after each glyph
};

/// Alignments for T2D2_DesenhaTexto.
enum {
  T2D2_ALINHA_CENTRO = 0,  ///< x is the middle of the text
  T2D2_ALINHA_DIREITA = 1, ///< x is the right end of the text
  T2D2_ALINHA_ESQUERDA = 2 ///< x is the left end of the text
};

/// Loads a font sheet as a sprite set and measures every glyph once.
/// \param arquivo a square sheet of 16 x 16 cells, the glyph of byte c in
///        row c / 16 and column c % 16.
/// \param dimensao side of one cell: the sheet is 16*dimensao square, and on
///        OpenGL a power of two.
/// \return the font's identifier; 0 on failure (a full table silently, an
/// unreadable file or a sheet of the wrong size with a message), with the
/// slot and its sprite set left free.
///
/// Transparent pixels are background; a glyph reaches from its first column
/// with ink to its first blank column after it; the blank gets half a cell.
/// A loaded name adds a holder and returns the same identifier.
/// \warning Loads through T2D2_CarregaSpriteSet: calling it before
/// T2D2_Inicia succeeds crashes.
/// \sa T2D2_DesenhaTexto, T2D2_RemoveFonte
unsigned int T2D2_CarregaFonte(const char *arquivo, int dimensao);
/// Gives up one hold; the last one frees the font and its sprite set.
/// \param id the font; 0 and ids above 64 are ignored.
/// \sa T2D2_CarregaFonte
void T2D2_RemoveFonte(unsigned int id);
/// Finds a loaded font by its name.
/// \param apelido the path it was loaded under, compared byte for byte.
/// \return its identifier, or 0 (also for null).
///
/// Adds no holder.
unsigned int T2D2_ProcuraFonte(const char *apelido);
/// Draws a text with its cells' top on row y.
/// \param identificador the font.
/// \param x where the text is aligned.
/// \param y the row of the cells' top.
/// \param texto bytes, one glyph each (Latin-1 for the sheets the generator
///        draws); no byte is special. Null draws nothing.
/// \param alinhamento T2D2_ALINHA_CENTRO, T2D2_ALINHA_DIREITA or
///        T2D2_ALINHA_ESQUERDA; other values align left.
/// \return false for an id outside 1..64 (silently) or a free slot (with a
/// message); true otherwise.
/// \sa T2D2_DimensoesTexto
bool T2D2_DesenhaTexto(unsigned int identificador, int x, int y,
                       const char *texto, unsigned int alinhamento);
/// Measures a text.
/// \param idFonte the font.
/// \param texto the bytes to measure.
/// \param largura receives the width in pixels; may be null.
/// \param altura receives the cell height; may be null.
/// \return false, with the outputs untouched, for an id that holds no font.
bool T2D2_DimensoesTexto(unsigned int idFonte, const char *texto, int *largura,
                         int *altura);

// ---------------------------------------------------------------------------
// Collision
// ---------------------------------------------------------------------------

/// Whether two rectangles touch or overlap; edges count: one that starts
/// exactly where the other ends collides.
/// \param x1b left column of the first.
/// \param y1b top row of the first.
/// \param l1b width of the first.
/// \param a1b height of the first.
/// \param x2b left column of the second.
/// \param y2b top row of the second.
/// \param l2b width of the second.
/// \param a2b height of the second.
/// \return true when they touch or overlap.
bool T2D2_ColidiuQuadrados(int x1b, int y1b, int l1b, int a1b, int x2b, int y2b,
                           int l2b, int a2b);
/// Whether two frames at the given top-left positions share an opaque pixel.
/// \param id1 the first sprite set.
/// \param indice1 its frame.
/// \param x1 its left column.
/// \param y1 its top row.
/// \param id2 the second sprite set.
/// \param indice2 its frame.
/// \param x2 its left column.
/// \param y2 its top row.
/// \return true when an opaque pixel is shared. Identifier 0 prints a line
/// and answers false; a frame past the last, or a set that holds no masks,
/// answers false silently.
///
/// Reads only.
bool T2D2_ColidiuSprites(unsigned int id1, unsigned int indice1, int x1, int y1,
                         unsigned int id2, unsigned int indice2, int x2,
                         int y2);
/// The same, but false at once unless the two boxes touch.
/// \param id1 the first sprite set.
/// \param indice1 its frame.
/// \param x1 its left column.
/// \param y1 its top row.
/// \param x1b left of its box, from the sprite's top-left.
/// \param y1b top of its box, from the sprite's top-left.
/// \param l1b width of its box.
/// \param a1b height of its box.
/// \param id2 the second sprite set.
/// \param indice2 its frame.
/// \param x2 its left column.
/// \param y2 its top row.
/// \param x2b left of its box, from the sprite's top-left.
/// \param y2b top of its box, from the sprite's top-left.
/// \param l2b width of its box.
/// \param a2b height of its box.
/// \return true when the boxes touch and an opaque pixel is shared.
bool T2D2_ColidiuSprites(unsigned int id1, unsigned int indice1, int x1, int y1,
                         int x1b, int y1b, int l1b, int a1b, unsigned int id2,
                         unsigned int indice2, int x2, int y2, int x2b, int y2b,
                         int l2b, int a2b);
/// Whether two masks share a set bit.
/// \param a the first mask.
/// \param b the second mask.
/// \param offx column of b's top-left from a's.
/// \param offy row of b's top-left from a's.
/// \return -1 when they share a set bit; 0 otherwise, also for a null mask or
/// masks that do not overlap.
int T2D2_SobrepoeBitMasks(T2D2_BitMask *a, T2D2_BitMask *b, int offx, int offy);

#endif
