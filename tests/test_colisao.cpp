// Collision queries: the rectangle rule, sprite frames through their masks,
// and the word-wise mask overlap checked against a per-pixel reference.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

const char MSG_INVALIDO[] = "Tentou colidir com um sprite invalido (0)\n";

Cor tinta() {
  return Cor{200, 40, 40, 255};
}
Cor fundo() {
  return Cor{0, 0, 0, 0};
}

// A mask with every bit clear, spare bits of each row included.
T2D2_BitMask *mascaraVazia(int largura, int altura) {
  T2D2_BitMask *m = T2D2_CriaBitMask(largura, altura);
  if (m) memset(m->mask, 0, size_t(altura) * m->ldwords * 4);
  return m;
}

struct Mascaras {
  T2D2_BitMask *a, *b;
  Mascaras(int la, int aa, int lb, int ab)
      : a(mascaraVazia(la, aa)), b(mascaraVazia(lb, ab)) {}
  ~Mascaras() {
    T2D2_RemoveBitMask(a);
    T2D2_RemoveBitMask(b);
  }
};

class Colisao : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(IniciaGLSilencioso()); }
  void TearDown() override { EncerraSilencioso(); }

  unsigned int carrega(const std::string &nome, int w, int h,
                       const std::function<Cor(int, int)> &cor, int l = 0,
                       int a = 0) {
    std::string arquivo = EscreveImagem(nome, w, h, 4, cor);
    CapturaSaida c;
    return T2D2_CarregaSpriteSet(arquivo.c_str(), l, a);
  }
};

// Whether some pixel is set in both masks, b placed at (offx, offy) in a.
bool sobrepoePorPixel(T2D2_BitMask *a, T2D2_BitMask *b, int offx, int offy) {
  for (int y = 0; y < a->altura; y++) {
    long long yb = (long long)y - offy;
    if (yb < 0 || yb >= b->altura) continue;
    for (int x = 0; x < a->largura; x++) {
      long long xb = (long long)x - offx;
      if (xb < 0 || xb >= b->largura) continue;
      if (T2D2_GetBit(a, x, y) && T2D2_GetBit(b, int(xb), int(yb))) return true;
    }
  }
  return false;
}

} // namespace

TEST(Quadrados, BordasContam) {
  EXPECT_TRUE(T2D2_ColidiuQuadrados(0, 0, 10, 10, 10, 0, 10, 10));
  EXPECT_FALSE(T2D2_ColidiuQuadrados(0, 0, 10, 10, 11, 0, 10, 10));
  EXPECT_TRUE(T2D2_ColidiuQuadrados(0, 0, 10, 10, -10, 0, 10, 10));
  EXPECT_FALSE(T2D2_ColidiuQuadrados(0, 0, 10, 10, -11, 0, 10, 10));
  EXPECT_TRUE(T2D2_ColidiuQuadrados(0, 0, 10, 10, 0, 10, 10, 10));
  EXPECT_FALSE(T2D2_ColidiuQuadrados(0, 0, 10, 10, 0, 11, 10, 10));
  EXPECT_TRUE(T2D2_ColidiuQuadrados(0, 0, 10, 10, 0, -10, 10, 10));
  EXPECT_FALSE(T2D2_ColidiuQuadrados(0, 0, 10, 10, 0, -11, 10, 10));
  // Each side is judged by the width of the rectangle on the left.
  EXPECT_TRUE(T2D2_ColidiuQuadrados(0, 0, 30, 5, 25, 0, 2, 5));
  EXPECT_FALSE(T2D2_ColidiuQuadrados(25, 0, 2, 5, 0, 0, 24, 5));
}

TEST(Quadrados, DistanciasQueNaoCabemEmInt) {
  EXPECT_FALSE(T2D2_ColidiuQuadrados(INT_MIN, 0, 10, 10, INT_MAX, 0, 10, 10));
  EXPECT_FALSE(T2D2_ColidiuQuadrados(INT_MAX, 0, 10, 10, INT_MIN, 0, 10, 10));
  EXPECT_FALSE(T2D2_ColidiuQuadrados(0, INT_MIN, 10, 10, 0, INT_MAX, 10, 10));
  EXPECT_TRUE(T2D2_ColidiuQuadrados(INT_MAX - 5, INT_MIN, 10, 10, INT_MAX,
                                    INT_MIN + 3, 10, 10));
}

TEST_F(Colisao, QuadrosOpacosSoColidemComPixelComum) {
  unsigned int id =
      carrega("opaco10.png", 10, 10, [](int, int) { return tinta(); });
  ASSERT_NE(id, 0u);
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, id, 0, 10, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, id, 0, -10, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, id, 0, 0, 10));
  EXPECT_TRUE(T2D2_ColidiuSprites(id, 0, 0, 0, id, 0, 9, 9));
  EXPECT_TRUE(T2D2_ColidiuSprites(id, 0, 0, 0, id, 0, -9, -9));
  EXPECT_TRUE(T2D2_ColidiuSprites(id, 0, 500, 300, id, 0, 509, 291));
}

TEST_F(Colisao, TintaEmPartesDiferentesDaSobreposicao) {
  unsigned int esq = carrega(
      "esq.png", 10, 10, [](int x, int) { return x < 5 ? tinta() : fundo(); });
  unsigned int dir = carrega("dir.png", 10, 10, [](int x, int) {
    return x >= 5 ? tinta() : Cor{255, 0, 255, 255};
  });
  ASSERT_NE(esq, 0u);
  ASSERT_NE(dir, 0u);
  EXPECT_FALSE(T2D2_ColidiuSprites(esq, 0, 0, 0, dir, 0, 0, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(esq, 0, 0, 0, dir, 0, 0, 7));
  EXPECT_TRUE(T2D2_ColidiuSprites(esq, 0, 0, 0, dir, 0, -1, 0));
  EXPECT_TRUE(T2D2_ColidiuSprites(dir, 0, -1, 0, esq, 0, 0, 0));
}

TEST_F(Colisao, QuadrosTransparentesNuncaColidem) {
  unsigned int id = carrega("vazio.png", 12, 12, [](int x, int y) {
    return (x + y) % 2 ? fundo() : Cor{255, 0, 255, 255};
  });
  ASSERT_NE(id, 0u);
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, id, 0, 0, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, id, 0, 3, -2));
}

TEST_F(Colisao, IdentificadorZeroAvisaUmaVezPorChamada) {
  unsigned int id = carrega("um.png", 4, 4, [](int, int) { return tinta(); });
  CapturaSaida c;
  EXPECT_FALSE(T2D2_ColidiuSprites(0, 0, 0, 0, id, 0, 0, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, 0, 0, 0, 0));
  EXPECT_FALSE(
      T2D2_ColidiuSprites(0, 0, 0, 0, 0, 0, 0, 0, id, 0, 0, 0, 0, 0, 4, 4));
  EXPECT_EQ(c.texto(), std::string(MSG_INVALIDO) + MSG_INVALIDO + MSG_INVALIDO);
}

TEST_F(Colisao, QuadroAlemDoUltimoOuConjuntoSemMascarasCalam) {
  unsigned int id = carrega(
      "dois.png", 20, 10, [](int, int) { return tinta(); }, 10, 10);
  ASSERT_NE(id, 0u);
  CapturaSaida c;
  EXPECT_TRUE(T2D2_ColidiuSprites(id, 1, 0, 0, id, 0, 0, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 2, 0, 0, id, 0, 0, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, id, 2, 0, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, id, UINT_MAX, 0, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 2, 0, 0, 0, 0, 10, 10, id, 0, 0, 0, 0, 0,
                                   10, 10));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, 7, 0, 0, 0));
  EXPECT_FALSE(
      T2D2_ColidiuSprites(id, 0, 0, 0, T2D2_MAXSPRITESETS + 1, 0, 0, 0));
  EXPECT_EQ(c.texto(), "");
}

TEST_F(Colisao, FormaLongaExigeQueAsCaixasSeToquem) {
  unsigned int id =
      carrega("caixa.png", 10, 10, [](int, int) { return tinta(); });
  ASSERT_NE(id, 0u);
  // The frames share pixels; the boxes sit 2 pixels apart.
  EXPECT_FALSE(
      T2D2_ColidiuSprites(id, 0, 0, 0, 0, 0, 3, 3, id, 0, 2, 0, 5, 0, 3, 3));
  // Boxes that touch hand the answer to the frames at their own positions.
  EXPECT_TRUE(
      T2D2_ColidiuSprites(id, 0, 0, 0, 0, 0, 3, 3, id, 0, 2, 0, 1, 0, 3, 3));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, 0, 0, 0, 20, 20, id, 0, 10, 0, 0,
                                   0, 20, 20));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, INT_MIN, 0, 0, 0, 10, 10, id, 0,
                                   INT_MAX, 0, 0, 0, 10, 10));
}

TEST_F(Colisao, PosicoesNosExtremosDeIntNaoColidem) {
  unsigned int id =
      carrega("ext.png", 10, 10, [](int, int) { return tinta(); });
  ASSERT_NE(id, 0u);
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, INT_MIN, 0, id, 0, INT_MAX, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, INT_MAX, 0, id, 0, INT_MIN, 0));
  EXPECT_FALSE(T2D2_ColidiuSprites(id, 0, 0, INT_MAX, id, 0, 0, INT_MIN));
  EXPECT_TRUE(T2D2_ColidiuSprites(id, 0, INT_MAX - 3, INT_MIN, id, 0, INT_MAX,
                                  INT_MIN + 9));
}

TEST(SobrepoeBitMasks, PrimeiraEUltimaColunaDaSobreposicaoDe55) {
  // b 45 pixels right of a: a's columns 45..99 meet b's columns 0..54.
  for (int colunaB : {0, 54}) {
    Mascaras m(100, 3, 100, 3);
    T2D2_SetBit(m.a, 45 + colunaB, 1, 1);
    T2D2_SetBit(m.b, colunaB, 1, 1);
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, m.b, 45, 0), -1) << colunaB;
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.b, m.a, -45, 0), -1) << colunaB;
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, m.b, 44, 0), 0) << colunaB;
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, m.b, 45, 1), 0) << colunaB;
  }
  Mascaras m(100, 1, 100, 1);
  T2D2_SetBit(m.a, 44, 0, 1);
  for (int x = 55; x < 100; x++) T2D2_SetBit(m.b, x, 0, 1);
  EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, m.b, 45, 0), 0)
      << "ink outside the overlap never meets";
}

TEST(SobrepoeBitMasks, DeslocamentosExtremosENulos) {
  Mascaras m(40, 40, 40, 40);
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 40; x++) {
      T2D2_SetBit(m.a, x, y, 1);
      T2D2_SetBit(m.b, x, y, 1);
    }
  for (int off : {INT_MIN, INT_MIN + 1, -40, 40, INT_MAX - 1, INT_MAX}) {
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, m.b, off, 0), 0) << off;
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, m.b, 0, off), 0) << off;
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, m.b, off, off), 0) << off;
  }
  EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, m.b, 39, -39), -1);
  EXPECT_EQ(T2D2_SobrepoeBitMasks(nullptr, m.b, 0, 0), 0);
  EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, nullptr, 0, 0), 0);
  // Records with sizes no loader makes: the overlap goes negative, and the
  // one word behind them is never read as more.
  Uint32 cheia[1] = {0xffffffffu};
  T2D2_BitMask negativa{-5, 3, 1, cheia}, baixa{8, -1, 1, cheia};
  for (int off : {INT_MIN, -3, 0, 3, INT_MAX}) {
    EXPECT_EQ(T2D2_SobrepoeBitMasks(&negativa, m.b, off, 0), 0) << off;
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, &negativa, off, 0), 0) << off;
    EXPECT_EQ(T2D2_SobrepoeBitMasks(&baixa, m.b, 0, off), 0) << off;
    EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, &baixa, 0, off), 0) << off;
  }
  Mascaras vazias(0, 5, 7, 0);
  EXPECT_EQ(T2D2_SobrepoeBitMasks(vazias.a, m.b, 0, 0), 0);
  EXPECT_EQ(T2D2_SobrepoeBitMasks(m.a, vazias.b, 0, 0), 0);
}

// Widths that put the overlap on and around word edges come up often.
int larguraAleatoria(std::mt19937 &g) {
  static const int bordas[] = {1, 2, 31, 32, 33, 63, 64, 65, 95, 96, 97, 200};
  if (g() % 3 == 0) return bordas[g() % (sizeof bordas / sizeof *bordas)];
  return 1 + int(g() % 200);
}

int deslocamentoAleatorio(std::mt19937 &g, int tamA, int tamB) {
  switch (g() % 20) {
  case 0:
    return INT_MIN + int(g() % 300);
  case 1:
    return INT_MAX - int(g() % 300);
  case 2:
    return int(g() % 2 ? tamA + g() % 1000 : -tamB - int(g() % 1000));
  default:
    return -tamB - 2 + int(g() % unsigned(tamA + tamB + 4));
  }
}

// Sets each pixel with the given chance; with sujo the spare bits at the end
// of every row are set too, which no answer may depend on.
void preenche(std::mt19937 &g, T2D2_BitMask *m, unsigned milesimos, bool sujo) {
  for (int y = 0; y < m->altura; y++) {
    Uint32 *linha = m->mask + size_t(y) * m->ldwords;
    for (int w = 0; w < m->ldwords; w++) linha[w] = sujo ? 0xffffffffu : 0;
    for (int x = 0; x < m->largura; x++)
      T2D2_SetBit(m, x, y, g() % 1000 < milesimos);
  }
}

TEST(SobrepoeBitMasks, ConfereComAReferenciaPorPixel) {
  std::mt19937 g(20261208);
  static const unsigned densidades[] = {0, 2, 20, 300, 900};
  int colisoes = 0, casos = 0;
  for (int n = 0; n < 10000; n++) {
    int la = larguraAleatoria(g), lb = larguraAleatoria(g);
    int aa = 1 + int(g() % 12), ab = 1 + int(g() % 12);
    Mascaras m(la, aa, lb, ab);
    ASSERT_TRUE(m.a && m.b);
    int offx = deslocamentoAleatorio(g, la, lb);
    int offy = deslocamentoAleatorio(g, aa, ab);
    bool sujo = g() % 2;
    if (n % 4 == 0) {
      // One pixel of the overlap in common, everything else disjoint.
      preenche(g, m.a, 0, sujo);
      preenche(g, m.b, 0, sujo);
      int x0 = offx > 0 ? offx : 0, y0 = offy > 0 ? offy : 0;
      long long x1 = std::min<long long>(la, (long long)offx + lb);
      long long y1 = std::min<long long>(aa, (long long)offy + ab);
      if (x1 > x0 && y1 > y0) {
        int x = x0 + int(g() % unsigned(x1 - x0));
        int y = y0 + int(g() % unsigned(y1 - y0));
        T2D2_SetBit(m.a, x, y, 1);
        T2D2_SetBit(m.b, x - offx, y - offy, 1);
        if (x + 1 < la) T2D2_SetBit(m.a, x + 1, y, 1);
        if (x - offx > 0) T2D2_SetBit(m.b, x - offx - 1, y - offy, 1);
      }
    } else {
      preenche(g, m.a, densidades[g() % 5], sujo);
      preenche(g, m.b, densidades[g() % 5], sujo);
    }
    bool esperado = sobrepoePorPixel(m.a, m.b, offx, offy);
    int obtido = T2D2_SobrepoeBitMasks(m.a, m.b, offx, offy);
    ASSERT_EQ(obtido, esperado ? -1 : 0)
        << "a " << la << "x" << aa << ", b " << lb << "x" << ab << " at ("
        << offx << ", " << offy << ")";
    colisoes += esperado;
    casos++;
  }
  // Both answers must have come up often for the check to mean anything.
  EXPECT_GT(colisoes, casos / 5);
  EXPECT_LT(colisoes, casos * 4 / 5);
}
