// What the core and the back-ends share behind the public header: the
// library's globals, the start/stop/frame skeleton every back-end runs
// through, the sprite-set loading steps, and the OpenGL state cache.
#ifndef T2D2_TOVIK2D2_INTERNO_H
#define T2D2_TOVIK2D2_INTERNO_H

#include "t2d2/tovik2d2.h"

#include <SDL_mixer.h>

#include <cstdint>

// ---------------------------------------------------------------------------
// Library globals
// ---------------------------------------------------------------------------

extern bool inicializado;
extern SDL_Surface *screen;
extern int render; // 1 on OpenGL, 0 on the SDL back-end
extern bool c_shutdown;
extern void (*T2D2_SincronizaUsuario)();
extern T2D2_SpriteSet sprites[T2D2_MAXSPRITESETS];
extern T2D2_Fonte fontes[T2D2_MAXFONTES];
extern T2D2_Botao teclas[T2D2_MAXTECLAS];
extern T2D2_Mouse mouse;

// Empties both registries without freeing anything: only safe on tables
// that hold nothing.
void reset();

// ---------------------------------------------------------------------------
// Back-end skeleton
// ---------------------------------------------------------------------------

// The steps a back-end adds to the common start, shut-down and frame.
struct T2D2_Plataforma {
  const char *anuncio;    // format with width and height
  Uint32 flagsBase;       // video flags before the window/full-screen choice
  void (*antesDoModo)();  // may be null
  void (*depoisDoModo)(); // may be null
  void (*depoisDoTitulo)(unsigned int largura,
                         unsigned int altura); // may be null
  void (*ligaOperacoes)(); // assigns the ten operation pointers
  const char *despedida;   // the closing line
};

bool T2D2_IniciaVideo(const T2D2_Plataforma *p, unsigned int largura,
                      unsigned int altura, int modoVideo,
                      const char *tituloJanela);
void T2D2_EncerraVideo(const T2D2_Plataforma *p);
void T2D2_SincronizaVideo(Uint8 fps, Uint32 *tempoAnterior,
                          void (*apresenta)());
// Milliseconds to sleep before presenting; 0 or less means no sleep.
Sint32 T2D2_CalculaEspera(Uint8 fps, Uint32 tempoAnterior, Uint32 agora);
// Copies the frame as drawn so far into w x h pixels of red, green, blue
// and 255, top row first. The frame shown is kept with it, taken just before
// it is shown (see T2D2_LeTela). The back-end's ligaOperacoes sets it with
// the ten public operations.
extern void (*T2D2_CopiaTela)(Uint8 *rgba);

bool T2D2GL_Inicia(unsigned int largura, unsigned int altura, int modoVideo,
                   const char *tituloJanela);
bool T2D2SDL_Inicia(unsigned int largura, unsigned int altura, int modoVideo,
                    const char *tituloJanela);
// The part of the rectangle at (x, y), largura by altura, that lies on s; a
// negative size reaches left or up, and w or h is 0 when no part does.
// Worked out wide: SDL 1.2 keeps rectangles in 16-bit fields, which would
// wrap a far-away rectangle back onto the surface.
SDL_Rect T2D2SDL_RetanguloNaSuperficie(int64_t x, int64_t y, int64_t largura,
                                       int64_t altura, const SDL_Surface *s);

// ---------------------------------------------------------------------------
// Platform: what a desktop and a browser do differently, defined once each in
// tovik2d2_desktop.cpp and tovik2d2_navegador.cpp (the build compiles one)
// ---------------------------------------------------------------------------

enum T2D2_Partida { T2D2_PARTIU, T2D2_JA_INICIADO, T2D2_FALHOU };

// Starts one SDL subsystem (video or audio) for the library: T2D2_JA_INICIADO
// when someone else had started it, T2D2_FALHOU with SDL's error text set.
T2D2_Partida T2D2_IniciaSubsistema(Uint32 subsistema);
// Whether the mode just opened has something to draw with. A browser without
// WebGL still opens an OpenGL mode, on a canvas with no context behind it.
bool T2D2_TelaDesenhavel();
// The rest of a frame's wait, in milliseconds (nothing at 0 or less). In a
// browser every frame also gives control back to the page.
void T2D2_EsperaQuadro(Sint32 espera);
// Brackets direct reads and writes of a surface's pixels.
void T2D2_TravaPixels(SDL_Surface *s);
void T2D2_SoltaPixels(SDL_Surface *s);
// Opaque magenta becomes the image's transparent colour for blits.
void T2D2_ChaveMagenta(SDL_Surface *img);
// A 32-bit surface with the red, green, blue and alpha masks given whose top
// linhas rows are zeros; rows below them may hold anything and are neither
// read nor written by the caller. Null with SDL's error set on failure.
// *pixels receives memory to free with the surface, or null when the surface
// owns its pixels.
SDL_Surface *T2D2_CriaSuperficieZerada(int largura, int altura, int linhas,
                                       const Uint32 mascaras[4], void **pixels);
// The mixer's handle for a sound file the platform is still fetching (a
// browser fetches sounds while the program shows its first frames): it plays
// once the file has arrived and been decoded. Null when the file is not on
// its way, which on a desktop is always.
Mix_Chunk *T2D2_EfeitoAChegar(const char *arquivo);
Mix_Music *T2D2_MusicaAChegar(const char *arquivo);
// Hands the game's state to whatever shows controls around the window: the
// page in a browser, no one on a desktop.
void T2D2_AnunciaAPlataforma(const char *estado);
void T2D2_AnunciaValorAPlataforma(float valor);

// ---------------------------------------------------------------------------
// Input transitions
// ---------------------------------------------------------------------------

void T2D2_PressionaBotao(T2D2_Botao *botao);
void T2D2_LiberaBotao(T2D2_Botao *botao);
// evento is the platform's event type, which need not fit in a byte.
void T2D2_ProcessaTecla(T2D2_Botao *tecla, Uint32 evento);
// Index into teclas for a platform key, or -1 when the key is not tracked.
int T2D2_IndiceTecla(SDLKey sym);

// ---------------------------------------------------------------------------
// Bitmasks and sprite-set loading steps shared by the back-ends
// ---------------------------------------------------------------------------

// Opaque magenta in the surface's format, or a zero alpha byte. Outside the
// surface counts as opaque. Only for 32-bit surfaces; the caller locks.
bool PontoTransparente(SDL_Surface *surface, int x, int y);

// Copies a path into a name field; false, with a line printed and the field
// left empty, when it does not fit.
bool T2D2_CopiaApelido(char *apelido, const char *arquivo);

// First step of every load. Returns the set to fill (its name already taken)
// and its identifier in *id, or null with *id the existing set's identifier
// (one holder more) or 0 when nothing can be loaded.
T2D2_SpriteSet *T2D2_ReservaSpriteSet(const char *arquivo, unsigned int *id);
// Width and height from a PNG or JPEG header, read without decoding; false
// for other formats and for headers cut short or out of range.
bool T2D2_DimensoesDoArquivo(const char *arquivo, int *largura, int *altura);
// IMG_Load into the reserved set, with the library's message on failure.
// When the header tells the size and cabe (may be null) refuses it, nothing
// is decoded; cabe prints the back-end's own message.
SDL_Surface *T2D2_CarregaImagem(T2D2_SpriteSet *s, const char *arquivo,
                                bool (*cabe)(int largura, int altura));
// After a back-end's refusal of a frame size: the line with the image's size
// and the nearest frame size that divides it.
void T2D2_ExplicaQuadros(const T2D2_SpriteSet *s, int largura, int altura);
// Sets the frame grid; false when the image is not a whole number of frames.
bool T2D2_DefineQuadros(T2D2_SpriteSet *s, int largura, int altura);
// Builds and fills the masks from s->imagem, with the message on failure.
bool T2D2_ConstroiMascaras(T2D2_SpriteSet *s, const char *arquivo);
// A 32-bit working image for the set with the red, green, blue and alpha
// masks given, whose pixels are freed with it, zeroed in its top linhas rows
// (the only ones the caller may use); null, with SDL's error set, when it
// cannot be made.
SDL_Surface *T2D2_CriaImagemZerada(T2D2_SpriteSet *s, int largura, int altura,
                                   int linhas, const Uint32 mascaras[4]);
// Opaque magenta in the top-left largura x altura of a 32-bit surface becomes
// clear black; answers whether every pixel there is opaque afterwards.
bool T2D2_MagentaParaTransparente(SDL_Surface *s, int largura, int altura);
// Gives the slot back after a failed load; frees imagem when set. Returns 0.
unsigned int T2D2_DescartaSpriteSet(T2D2_SpriteSet *s);
// The OpenGL back-end's working image: the loaded image in s->imagem becomes
// the square 32-bit RGBA copy with magenta cleared (no GL call is made).
// False, with the message printed and the slot given back, on failure.
bool T2D2GL_PreparaImagem(T2D2_SpriteSet *s, const char *arquivo);
// The OpenGL back-end's texture side limit, read at its start.
extern GLint maxtexsize;
// Release rules common to both back-ends; liberaTextura may be null.
void T2D2_LiberaSpriteSet(unsigned int id,
                          void (*liberaTextura)(T2D2_SpriteSet *s));
// The set behind an identifier, or null for 0 and ids above the table.
T2D2_SpriteSet *T2D2_SpriteSetDe(unsigned int id);

// ---------------------------------------------------------------------------
// OpenGL state cache, shared by the OpenGL back-end and its primitives
// ---------------------------------------------------------------------------

void resetaGL();
void setaTexturizacao(bool estado);

// ---------------------------------------------------------------------------
// Primitives
// ---------------------------------------------------------------------------

// Angle step in whole degrees for a curve of the given size (radius or the
// larger semi-axis): numerador / tamanho, capped at limite, and never below 3.
int T2D2PGL_Passo(int numerador, int tamanho, int limite);

#endif
