// A surface made from fuzz bytes, for the harnesses: its size and layout come
// from the first bytes and its pixels from the rest (cycled when too few).
#ifndef T2D2_FUZZ_SUPERFICIE_H
#define T2D2_FUZZ_SUPERFICIE_H

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

// Takes bytes from the front of the input; 0 once it is used up.
struct Leitor {
  const uint8_t *p;
  size_t n;
  uint8_t byte() {
    if (!n) return 0;
    n--;
    return *p++;
  }
  int entre(int minimo, int maximo) { // inclusive
    int v = byte() | byte() << 8;
    return minimo + v % (maximo - minimo + 1);
  }
};

// Layouts the decoder hands over: 8-bit palette, 16, 24 and 32 bits, with or
// without alpha, in either channel order, optionally colour-keyed.
inline SDL_Surface *SuperficieDosBytes(Leitor &l, int maxLado) {
  int w = l.entre(1, maxLado), h = l.entre(1, maxLado);
  int layout = l.byte() % 7;
  static const struct {
    int bits;
    Uint32 r, g, b, a;
  } formatos[7] = {
      {8, 0, 0, 0, 0},
      {16, 0xf800, 0x07e0, 0x001f, 0},
      {24, 0xff0000, 0x00ff00, 0x0000ff, 0},
      {24, 0x0000ff, 0x00ff00, 0xff0000, 0},
      {32, 0x000000ff, 0x0000ff00, 0x00ff0000, 0xff000000},
      {32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000},
      {32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0},
  };
  const auto &f = formatos[layout];
  SDL_Surface *s =
      SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f.bits, f.r, f.g, f.b, f.a);
  if (!s) return nullptr;
  if (f.bits == 8) {
    SDL_Color cores[256];
    for (int i = 0; i < 256; i++)
      cores[i] = SDL_Color{l.byte(), l.byte(), l.byte(), 0};
    SDL_SetColors(s, cores, 0, 256);
  }
  if (l.byte() & 1) SDL_SetColorKey(s, SDL_SRCCOLORKEY, l.byte());
  const uint8_t *resto = l.p;
  size_t n = l.n;
  SDL_LockSurface(s);
  Uint8 *px = static_cast<Uint8 *>(s->pixels);
  size_t linha = size_t(w) * s->format->BytesPerPixel;
  for (int y = 0; y < h; y++)
    for (size_t x = 0; x < linha; x++)
      px[size_t(y) * s->pitch + x] =
          n ? resto[(size_t(y) * linha + x) % n] : Uint8(x * 37 + y);
  SDL_UnlockSurface(s);
  return s;
}

#endif
