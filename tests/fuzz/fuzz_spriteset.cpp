// The sprite-set loading steps after the decoder, on surfaces of any layout:
// the frame grid, the OpenGL back-end's working image (no GL call is made),
// the masks, and the release. Every mask bit must agree with the transparency
// test on the working image, which must be 32-bit.
#include "superficie.h"
#include "tovik2d2_interno.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  reset();
  maxtexsize = 256;
  // The library prints a line for every refusal; they would drown the log.
  if (!freopen("/dev/null", "w", stdout)) abort();
  return 0;
}

static void confereMascaras(const T2D2_SpriteSet *s) {
  if (s->imagem->format->BytesPerPixel != 4) abort();
  if (s->matrizX * s->spLargura != s->largura ||
      s->matrizY * s->spAltura != s->altura)
    abort();
  SDL_LockSurface(s->imagem);
  for (int n = 0; n < s->matrizX * s->matrizY; n++) {
    int x0 = (n % s->matrizX) * s->spLargura,
        y0 = (n / s->matrizX) * s->spAltura;
    for (int y = 0; y < s->spAltura; y++)
      for (int x = 0; x < s->spLargura; x++)
        if (T2D2_GetBit(s->bmask[n], x, y) ==
            PontoTransparente(s->imagem, x0 + x, y0 + y))
          abort();
  }
  SDL_UnlockSurface(s->imagem);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho) {
  Leitor l{dados, tamanho};
  int quadroL = l.entre(-4, 70), quadroA = l.entre(-4, 70);
  unsigned int id;
  T2D2_SpriteSet *s = T2D2_ReservaSpriteSet("fuzz", &id);
  if (!s) abort(); // the previous input left its slot taken
  SDL_Surface *img = SuperficieDosBytes(l, 300);
  if (!img) {
    s->apelido[0] = '\0';
    return 0;
  }
  s->imagem = img;
  s->largura = img->w;
  s->altura = img->h;
  if (!T2D2_DefineQuadros(s, quadroL, quadroA)) {
    T2D2_DescartaSpriteSet(s);
  } else if (T2D2GL_PreparaImagem(s, "fuzz")) {
    if (!T2D2_ConstroiMascaras(s, "fuzz")) abort();
    s->usuarios = 1;
    confereMascaras(s);
    T2D2_LiberaSpriteSet(id, nullptr);
  }
  if (s->imagem || s->bmask || s->apelido[0]) abort();
  return 0;
}
