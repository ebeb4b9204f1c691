// Tovik2D 2 in a browser, on Emscripten's emulation of SDL 1.2. The
// emulation keeps surfaces in canvases, starts everything at once and runs on
// the page's only thread, which has to get control back every frame.
#include "tovik2d2_interno.h"

#include <emscripten.h>

#include <cstdint>
#include <cstring>

// SDL_Init is what starts the emulation's clock and key listeners; its
// SDL_WasInit answers yes to everything and SDL_InitSubSystem starts nothing.
// A second SDL_Init would set the clock back to 0, so only the first runs.
T2D2_Partida T2D2_IniciaSubsistema(Uint32 subsistema) {
  static bool iniciado = false;
  if (!iniciado && SDL_Init(subsistema) < 0) return T2D2_FALHOU;
  iniciado = true;
  return T2D2_PARTIU;
}

// The emulation's SDL_SetVideoMode hands back a screen even when the browser
// refused the canvas a context; every GL call would then fail on null.
bool T2D2_TelaDesenhavel() {
  return EM_ASM_INT({ return Module.ctx ? 1 : 0; }) != 0;
}

// Waits in step with the display (web/tovik2d2_navegador.js). A late frame
// yields too: until it does, the page neither shows the frame nor delivers
// the player's input.
extern "C" void t2d2_espera_quadro(int espera);

void T2D2_EsperaQuadro(Sint32 espera) {
  if (espera > 0)
    t2d2_espera_quadro(espera);
  else
    emscripten_sleep(0);
}

// Once an OpenGL window is open the pixels live only in memory: the
// emulation drops the canvases of loaded images and aborts on an unlock.
// Before that, locking copies a surface's canvas into its memory and
// unlocking copies it back, and both are needed.
static bool pixelsSoEmMemoria() {
  SDL_Surface *tela = SDL_GetVideoSurface();
  return tela && (tela->flags & SDL_OPENGL);
}

void T2D2_TravaPixels(SDL_Surface *s) {
  if (!pixelsSoEmMemoria()) SDL_LockSurface(s);
}

void T2D2_SoltaPixels(SDL_Surface *s) {
  if (!pixelsSoEmMemoria()) SDL_UnlockSurface(s);
}

// The emulation's colour key does nothing, and its surfaces always hold
// 32-bit pixels: magenta is made transparent in the pixels themselves.
void T2D2_ChaveMagenta(SDL_Surface *img) {
  T2D2_MagentaParaTransparente(img, img->w, img->h);
}

// The emulation copies a surface made from caller's pixels through a canvas,
// row by row, and leaves a new surface's memory as malloc gave it. Only the
// rows in use are cleared: a 4096-wide square is 64 MiB, most of it never
// touched.
SDL_Surface *T2D2_CriaSuperficieZerada(int largura, int altura, int linhas,
                                       const Uint32 mascaras[4],
                                       void **pixels) {
  *pixels = nullptr;
  SDL_Surface *s =
      SDL_CreateRGBSurface(SDL_SWSURFACE, largura, altura, 32, mascaras[0],
                           mascaras[1], mascaras[2], mascaras[3]);
  if (!s) return nullptr;
  const int zeradas = linhas < 0 ? 0 : linhas < altura ? linhas : altura;
  memset(s->pixels, 0, size_t(s->pitch) * size_t(zeradas));
  return s;
}

// The page's sounds arrive after the program has started (web/tovik2d2_
// navegador.js): a sound loaded before its file gets a handle the emulation's
// mixer plays once the file has arrived and been decoded. The handle is the
// emulation's own kind, an index in its table of sounds.
extern "C" int t2d2_som_a_chegar(const char *arquivo);

Mix_Chunk *T2D2_EfeitoAChegar(const char *arquivo) {
  return reinterpret_cast<Mix_Chunk *>(intptr_t(t2d2_som_a_chegar(arquivo)));
}

Mix_Music *T2D2_MusicaAChegar(const char *arquivo) {
  return reinterpret_cast<Mix_Music *>(intptr_t(t2d2_som_a_chegar(arquivo)));
}

extern "C" void t2d2_anuncia(const char *estado);
extern "C" void t2d2_anuncia_valor(float valor);

void T2D2_AnunciaAPlataforma(const char *estado) {
  t2d2_anuncia(estado);
}

void T2D2_AnunciaValorAPlataforma(float valor) {
  t2d2_anuncia_valor(valor);
}
