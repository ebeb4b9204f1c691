// Tovik2D 2 on a desktop: the platform steps on SDL 1.2 as the system ships
// it.
#include "tovik2d2_interno.h"

#include <cstdlib>

T2D2_Partida T2D2_IniciaSubsistema(Uint32 subsistema) {
  if (SDL_WasInit(subsistema)) return T2D2_JA_INICIADO;
  return SDL_InitSubSystem(subsistema) < 0 ? T2D2_FALHOU : T2D2_PARTIU;
}

// SDL_SetVideoMode fails outright when it cannot give the mode a context.
bool T2D2_TelaDesenhavel() {
  return true;
}

void T2D2_EsperaQuadro(Sint32 espera) {
  if (espera > 0) SDL_Delay(Uint32(espera));
}

void T2D2_TravaPixels(SDL_Surface *s) {
  SDL_LockSurface(s);
}

void T2D2_SoltaPixels(SDL_Surface *s) {
  SDL_UnlockSurface(s);
}

void T2D2_ChaveMagenta(SDL_Surface *img) {
  SDL_SetColorKey(img, SDL_SRCCOLORKEY | SDL_RLEACCEL | SDL_SRCALPHA,
                  SDL_MapRGB(img->format, 255, 0, 255));
}

// calloc hands a large block over as fresh zero pages, so rows nobody writes
// cost neither time nor memory; SDL would write every byte itself.
SDL_Surface *T2D2_CriaSuperficieZerada(int largura, int altura, int,
                                       const Uint32 mascaras[4],
                                       void **pixels) {
  *pixels = calloc(size_t(largura) * size_t(altura), 4);
  if (!*pixels) {
    SDL_SetError("Out of memory");
    return nullptr;
  }
  SDL_Surface *s = SDL_CreateRGBSurfaceFrom(
      *pixels, largura, altura, 32, largura * 4, mascaras[0], mascaras[1],
      mascaras[2], mascaras[3]);
  if (!s) {
    free(*pixels);
    *pixels = nullptr;
  }
  return s;
}

Mix_Chunk *T2D2_EfeitoAChegar(const char *) {
  return nullptr;
}

Mix_Music *T2D2_MusicaAChegar(const char *) {
  return nullptr;
}

void T2D2_AnunciaAPlataforma(const char *) {}

void T2D2_AnunciaValorAPlataforma(float) {}
