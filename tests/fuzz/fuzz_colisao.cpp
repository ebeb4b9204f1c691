// Mask overlap against the pixel-by-pixel answer: two masks of sizes and bits
// from the input, placed at an offset from the input (the whole int range),
// must collide exactly when some pixel is set in both.
#include "tovik2d2_interno.h"

#include <climits>
#include <cstdlib>
#include <cstring>

static bool porPixel(T2D2_BitMask *a, T2D2_BitMask *b, int offx, int offy) {
  for (int y = 0; y < b->altura; y++)
    for (int x = 0; x < b->largura; x++) {
      long long xa = (long long)offx + x, ya = (long long)offy + y;
      if (xa < 0 || ya < 0 || xa >= a->largura || ya >= a->altura) continue;
      if (T2D2_GetBit(b, x, y) && T2D2_GetBit(a, int(xa), int(ya))) return true;
    }
  return false;
}

static T2D2_BitMask *mascara(const uint8_t *&p, size_t &n) {
  int l = n ? *p % 100 : 1, a = n > 1 ? p[1] % 70 : 1;
  size_t usados = n < 2 ? n : 2;
  p += usados, n -= usados;
  T2D2_BitMask *m = T2D2_CriaBitMask(l, a);
  if (!m) abort();
  // Whole words of the input; spare bits keep whatever they get.
  size_t palavras = size_t(m->ldwords) * size_t(a);
  for (size_t i = 0; i < palavras; i++) {
    Uint32 w = 0;
    for (int k = 0; k < 4; k++) w = w << 8 | (n ? (n--, *p++) : 0x5a);
    m->mask[i] = w;
  }
  return m;
}

static int deslocamento(const uint8_t *&p, size_t &n) {
  if (n < 5) return n ? int(*p) - 128 : 0;
  Sint32 v;
  memcpy(&v, p + 1, 4);
  int modo = p[0] % 4;
  p += 5, n -= 5;
  if (modo == 0) return v; // anywhere in the int range
  return v % 200;          // mostly near the other mask
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho) {
  const uint8_t *p = dados;
  size_t n = tamanho;
  int offx = deslocamento(p, n), offy = deslocamento(p, n);
  T2D2_BitMask *a = mascara(p, n), *b = mascara(p, n);
  bool esperado = porPixel(a, b, offx, offy);
  if ((T2D2_SobrepoeBitMasks(a, b, offx, offy) != 0) != esperado) abort();
  T2D2_RemoveBitMask(a);
  T2D2_RemoveBitMask(b);
  return 0;
}
