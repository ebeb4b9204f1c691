// Bitmasks: the bit layout, the transparent-pixel test and filling masks from
// 32-bit images.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>

namespace {

// A 32-bit surface laid out like the OpenGL working images (R, G, B, A bytes).
SDL_Surface *superficieRGBA(int w, int h) {
  return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x000000FF, 0x0000FF00,
                              0x00FF0000, 0xFF000000);
}

void pinta(SDL_Surface *s, int x, int y, Cor c) {
  Uint32 *p = reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(s->pixels) +
                                         y * s->pitch) +
              x;
  *p = SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a);
}

struct Mascara {
  T2D2_BitMask *m;
  explicit Mascara(T2D2_BitMask *p) : m(p) {}
  ~Mascara() { T2D2_RemoveBitMask(m); }
};

} // namespace

TEST(BitMask, PalavrasPorLinha) {
  const int larguras[][2] = {{1, 1},  {31, 1}, {32, 1}, {33, 2},
                             {64, 2}, {65, 3}, {160, 5}};
  for (auto &l : larguras) {
    Mascara m(T2D2_CriaBitMask(l[0], 3));
    ASSERT_NE(m.m, nullptr);
    EXPECT_EQ(m.m->ldwords, l[1]) << "largura " << l[0];
    EXPECT_EQ(m.m->largura, l[0]);
    EXPECT_EQ(m.m->altura, 3);
  }
  EXPECT_EQ(T2D2_CriaBitMask(-1, 3), nullptr);
  EXPECT_EQ(T2D2_CriaBitMask(3, -1), nullptr);
  T2D2_RemoveBitMask(nullptr);
}

TEST(BitMask, PixelEsquerdoEhOBitMaisAltoDaPalavra) {
  Mascara m(T2D2_CriaBitMask(40, 2));
  for (int i = 0; i < 2 * m.m->ldwords; i++) m.m->mask[i] = 0;
  T2D2_SetBit(m.m, 0, 0, 1);
  EXPECT_EQ(m.m->mask[0], 0x80000000u);
  T2D2_SetBit(m.m, 31, 0, 1);
  EXPECT_EQ(m.m->mask[0], 0x80000001u);
  T2D2_SetBit(m.m, 32, 0, 1);
  EXPECT_EQ(m.m->mask[1], 0x80000000u);
  T2D2_SetBit(m.m, 0, 1, 7);
  EXPECT_EQ(m.m->mask[m.m->ldwords], 0x80000000u);
  T2D2_SetBit(m.m, 31, 0, 0);
  EXPECT_EQ(m.m->mask[0], 0x80000000u);
  EXPECT_TRUE(T2D2_GetBit(m.m, 32, 0));
  EXPECT_FALSE(T2D2_GetBit(m.m, 33, 0));
}

TEST(BitMask, ForaDaMascaraEhIgnoradoELidoComoLimpo) {
  Mascara m(T2D2_CriaBitMask(8, 8));
  for (int i = 0; i < 8; i++) m.m->mask[i] = 0xffffffffu;
  EXPECT_TRUE(T2D2_GetBit(m.m, 7, 7));
  EXPECT_FALSE(T2D2_GetBit(m.m, 8, 0));
  EXPECT_FALSE(T2D2_GetBit(m.m, -1, 0));
  EXPECT_FALSE(T2D2_GetBit(m.m, 0, 8));
  EXPECT_FALSE(T2D2_GetBit(m.m, 0, -1));
  EXPECT_FALSE(T2D2_GetBit(nullptr, 0, 0));
  T2D2_SetBit(m.m, 8, 0, 0);
  T2D2_SetBit(m.m, 0, 8, 0);
  T2D2_SetBit(m.m, -1, -1, 0);
  for (int i = 0; i < 8; i++) EXPECT_EQ(m.m->mask[i], 0xffffffffu);
}

TEST(BitMask, MagentaEAlfaZeroSaoTransparentesAlfaUmNao) {
  SDL_Surface *s = superficieRGBA(5, 1);
  pinta(s, 0, 0, {255, 0, 255, 255});
  pinta(s, 1, 0, {10, 20, 30, 0});
  pinta(s, 2, 0, {10, 20, 30, 1});
  pinta(s, 3, 0, {255, 0, 255, 254});
  pinta(s, 4, 0, {0, 0, 0, 255});
  EXPECT_TRUE(PontoTransparente(s, 0, 0));
  EXPECT_TRUE(PontoTransparente(s, 1, 0));
  EXPECT_FALSE(PontoTransparente(s, 2, 0));
  EXPECT_FALSE(PontoTransparente(s, 3, 0));
  EXPECT_FALSE(PontoTransparente(s, 4, 0));
  EXPECT_FALSE(PontoTransparente(s, -1, 0));
  EXPECT_FALSE(PontoTransparente(s, 5, 0));
  EXPECT_FALSE(PontoTransparente(s, 0, 1));

  T2D2_BitMask **v = T2D2_CriaVetorBitMasks(s, 5, 1, 5, 1);
  ASSERT_NE(v, nullptr);
  T2D2_PreencheVetorBitMasks(s, 5, 1, 5, 1, v);
  const bool esperado[] = {false, false, true, true, true};
  for (int x = 0; x < 5; x++) EXPECT_EQ(T2D2_GetBit(v[0], x, 0), esperado[x]);
  T2D2_RemoveBitMask(v[0]);
  free(v);
  SDL_FreeSurface(s);
}

TEST(BitMask, SuperficieDe24BitsEhJulgadaPelaCor) {
  SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 1, 24, 0x0000FF,
                                        0x00FF00, 0xFF0000, 0);
  ASSERT_NE(s, nullptr);
  ASSERT_EQ(s->format->BytesPerPixel, 3);
  Uint8 *p = static_cast<Uint8 *>(s->pixels);
  p[0] = 255, p[1] = 0, p[2] = 255; // magenta
  p[3] = 1, p[4] = 2, p[5] = 3;
  EXPECT_TRUE(PontoTransparente(s, 0, 0));
  EXPECT_FALSE(PontoTransparente(s, 1, 0));
  SDL_FreeSurface(s);
}

TEST(BitMask, ImagemDe100Por64EmQuadrosDe32) {
  SDL_Surface *s = superficieRGBA(100, 64);
  // Opaque exactly where x + y is odd, so every frame has its own pattern.
  for (int y = 0; y < 64; y++)
    for (int x = 0; x < 100; x++)
      pinta(s, x, y, (x + y) % 2 ? Cor{1, 2, 3, 255} : Cor{0, 0, 0, 0});
  pinta(s, 40, 35, {255, 0, 255, 255}); // would be opaque: made magenta
  T2D2_BitMask **v = T2D2_CriaVetorBitMasks(s, 32, 32, 100, 64);
  ASSERT_NE(v, nullptr);
  T2D2_PreencheVetorBitMasks(s, 32, 32, 100, 64, v);
  for (int n = 0; n < 6; n++) {
    ASSERT_NE(v[n], nullptr);
    EXPECT_EQ(v[n]->largura, 32);
    EXPECT_EQ(v[n]->altura, 32);
  }
  // Mask 4 is column 1 of row 1: image columns 32..63, rows 32..63.
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) {
      bool opaco = (x + 32 + y + 32) % 2 == 1 && !(x == 8 && y == 3);
      ASSERT_EQ(T2D2_GetBit(v[4], x, y), opaco) << x << "," << y;
    }
  for (int n = 0; n < 6; n++) T2D2_RemoveBitMask(v[n]);
  free(v);
  SDL_FreeSurface(s);
}

TEST(BitMask, VetorRecusaQuadrosSemTamanho) {
  EXPECT_EQ(T2D2_CriaVetorBitMasks(nullptr, 0, 32, 64, 64), nullptr);
  EXPECT_EQ(T2D2_CriaVetorBitMasks(nullptr, 32, -1, 64, 64), nullptr);
}
