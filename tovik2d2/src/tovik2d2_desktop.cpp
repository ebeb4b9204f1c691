// Tovik2D 2 on a desktop: the platform steps on SDL 1.2 as the system ships
// it.
#include "tovik2d2_interno.h"

T2D2_Partida T2D2_IniciaSubsistema(Uint32 subsistema) {
  if (SDL_WasInit(subsistema)) return T2D2_JA_INICIADO;
  return SDL_InitSubSystem(subsistema) < 0 ? T2D2_FALHOU : T2D2_PARTIU;
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
