// Tests of the primitives on the SDL back-end, pixel for pixel on the screen
// surface: Bresenham lines, rectangles, midpoint circles and ellipses, their
// clipping, locking, and the ellipse's wide arithmetic.
#include "apoio.h"
#include "t2d2/tovik2d2primitivas.h"
#include "tovik2d2_interno.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

typedef std::set<std::pair<int, int>> Pixels;

const int L = 640, A = 480;

class PrimitivasSDL : public ::testing::Test {
protected:
  void SetUp() override {
    CapturaSaida c;
    ASSERT_TRUE(T2D2_Inicia(L, A, T2D2_JANELA, T2D2_DESENHO_PADRAO, "Teste"));
    ASSERT_EQ(render, 0);
    ASSERT_TRUE(T2D2P_Inicia());
    Apaga();
  }
  void TearDown() override { EncerraSilencioso(); }

  static void Apaga() { SDL_FillRect(screen, nullptr, 0); }

  // The pixels that are not black inside [x0, x1) x [y0, y1).
  static Pixels Acesos(int x0 = 0, int y0 = 0, int x1 = L, int y1 = A) {
    Pixels p;
    SDL_LockSurface(screen);
    for (int y = y0; y < y1; y++) {
      const Uint32 *linha = reinterpret_cast<const Uint32 *>(
          static_cast<const Uint8 *>(screen->pixels) + y * screen->pitch);
      for (int x = x0; x < x1; x++)
        if (linha[x] != 0) p.insert({x, y});
    }
    SDL_UnlockSurface(screen);
    return p;
  }

  static Pixels Desloca(const Pixels &p, int dx, int dy) {
    Pixels q;
    for (auto &e : p) q.insert({e.first + dx, e.second + dy});
    return q;
  }
};

// The rows an image occupies, each with its leftmost and rightmost column.
std::map<int, std::pair<int, int>> Extremos(const Pixels &p) {
  std::map<int, std::pair<int, int>> m;
  for (auto &e : p) {
    auto it = m.find(e.second);
    if (it == m.end())
      m[e.second] = {e.first, e.first};
    else
      it->second = {std::min(it->second.first, e.first),
                    std::max(it->second.second, e.first)};
  }
  return m;
}

// Whether the filled image covers, in every row of the outline, exactly the
// columns from the outline's leftmost to the one before its rightmost, and
// nothing in other rows.
::testing::AssertionResult PreencheOInterior(const Pixels &contorno,
                                             const Pixels &cheio) {
  Pixels esperado;
  for (auto &l : Extremos(contorno))
    for (int x = l.second.first; x < l.second.second; x++)
      esperado.insert({x, l.first});
  if (esperado == cheio) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << esperado.size() << " pixels expected, " << cheio.size()
         << " filled";
}

// The ellipse stepping with the 32-bit integer products it was first written
// with; within their range the library must match it pixel for pixel.
Pixels Elipse32(int xc, int yc, int va, int vb) {
  Pixels p;
  auto quatro = [&](int x, int y) {
    for (auto q :
         {std::make_pair(xc + x, yc + y), std::make_pair(xc - x, yc + y),
          std::make_pair(xc - x, yc - y), std::make_pair(xc + x, yc - y)})
      if (q.first >= 0 && q.first < L && q.second >= 0 && q.second < A)
        p.insert(q);
  };
  int a2 = va * va, b2 = vb * vb, x = 0, y = vb;
  double d1 = b2 - a2 * vb + 0.25 * a2;
  quatro(x, y);
  while (a2 * (y - 0.5) > b2 * (x + 1)) {
    if (d1 < 0) {
      d1 = d1 + b2 * (2 * x + 3);
    } else {
      d1 = d1 + b2 * (2 * x + 3) + a2 * (2 - 2 * y);
      y--;
    }
    x++;
    quatro(x, y);
  }
  double d2 = b2 * (x + 0.5) * (x + 0.5) + a2 * (y - 1) * (y - 1) - a2 * b2;
  while (y > 0) {
    if (d2 >= 0) {
      d2 = d2 + a2 * (3 - 2 * y);
    } else {
      d2 = d2 + 2 * b2 * (x + 1) + a2 * (3 - 2 * y);
      x++;
    }
    y--;
    quatro(x, y);
  }
  return p;
}

// Bresenham walked step by step from end to end, every pixel tested against
// the surface: what the library's clipped walk must reproduce.
Pixels LinhaPassoAPasso(long long x1, long long y1, long long x2,
                        long long y2) {
  Pixels p;
  auto ponto = [&](long long x, long long y) {
    if (x >= 0 && x < L && y >= 0 && y < A) p.insert({int(x), int(y)});
  };
  long long dx = std::llabs(x2 - x1), dy = std::llabs(y2 - y1);
  bool horizontal = dx >= dy;
  long long dM = horizontal ? dx : dy, dm = horizontal ? dy : dx;
  long long a = horizontal ? x1 : y1, b = horizontal ? x2 : y2;
  long long qa = horizontal ? y1 : x1, qb = horizontal ? y2 : x2;
  long long maior = a < b ? a : b, fim = a < b ? b : a;
  long long menor = a < b ? qa : qb;
  long long soma = a < b ? (qa > qb ? -1 : 1) : (qa > qb ? 1 : -1);
  long long d = 2 * dm - dM;
  auto escreve = [&] {
    if (horizontal)
      ponto(maior, menor);
    else
      ponto(menor, maior);
  };
  escreve();
  while (maior < fim) {
    maior++;
    if (d <= 0) {
      d += 2 * dm;
    } else {
      menor += soma;
      d += 2 * (dm - dM);
    }
    escreve();
  }
  return p;
}

} // namespace

TEST_F(PrimitivasSDL, IniciaInstalaAsOitoNaTela) {
  EXPECT_TRUE(T2D2P_Pontos && T2D2P_Linha && T2D2P_Retangulo &&
              T2D2P_RetanguloPintado && T2D2P_Circulo && T2D2P_CirculoPintado &&
              T2D2P_Elipse && T2D2P_ElipsePintada);
  T2D2P_Ponto pts[3] = {{1, 2}, {-1, 5}, {639, 479}};
  T2D2P_Pontos(pts, 3, 10, 20, 30);
  EXPECT_EQ(Acesos(), (Pixels{{1, 2}, {639, 479}}));
  EXPECT_EQ(LePixelSuperficie(screen, 1, 2), (Cor{10, 20, 30, 255}));
  T2D2P_Pontos(nullptr, 5, 1, 1, 1);
  EXPECT_EQ(Acesos().size(), 2u);
}

// ---------------------------------------------------------------------------
// Lines
// ---------------------------------------------------------------------------

TEST_F(PrimitivasSDL, LinhaDeUmPontoEDeOnzePixels) {
  T2D2P_Linha(5, 5, 5, 5, 255, 255, 255);
  EXPECT_EQ(Acesos(), (Pixels{{5, 5}}));
  Apaga();
  T2D2P_Linha(0, 0, 3, 10, 255, 255, 255);
  Pixels p = Acesos();
  ASSERT_EQ(p.size(), 11u);
  EXPECT_TRUE(p.count({0, 0}));
  EXPECT_TRUE(p.count({3, 10}));
  auto linhas = Extremos(p);
  EXPECT_EQ(linhas.size(), 11u); // one pixel on every row
  int anterior = 0;
  for (auto &l : linhas) {
    EXPECT_EQ(l.second.first, l.second.second);
    EXPECT_GE(l.second.first, anterior); // never steps back
    anterior = l.second.first;
  }
}

TEST_F(PrimitivasSDL, LinhaInvertidaDaOsMesmosPixels) {
  T2D2P_Linha(10, 0, 0, 4, 255, 255, 255);
  Pixels ida = Acesos();
  Apaga();
  T2D2P_Linha(0, 4, 10, 0, 255, 255, 255);
  EXPECT_EQ(Acesos(), ida);
  EXPECT_EQ(ida.size(), 11u);
  EXPECT_TRUE(ida.count({0, 4}) && ida.count({10, 0}));
  // Mostly vertical, both directions, both ends included.
  Apaga();
  T2D2P_Linha(20, 30, 17, 10, 255, 255, 255);
  Pixels v = Acesos();
  EXPECT_EQ(v.size(), 21u);
  EXPECT_TRUE(v.count({20, 30}) && v.count({17, 10}));
}

TEST_F(PrimitivasSDL, LinhaCortadaPixelAPixelEDistanteNaoTrava) {
  T2D2P_Linha(-10, 5, 10, 5, 255, 255, 255);
  Pixels esperado;
  for (int x = 0; x <= 10; x++) esperado.insert({x, 5});
  EXPECT_EQ(Acesos(), esperado);
  Apaga();
  T2D2P_Linha(INT_MIN, INT_MIN, INT_MAX, INT_MIN, 255, 255, 255);
  T2D2P_Linha(INT_MAX, 0, INT_MAX, INT_MAX, 255, 255, 255);
  T2D2P_Linha(INT_MIN, -1, INT_MAX, -1, 255, 255, 255);
  EXPECT_TRUE(Acesos().empty());
  EXPECT_EQ(screen->locked, 0u);
}

TEST_F(PrimitivasSDL, LinhaQueVemDeLongeEIgualAoPassoAPasso) {
  unsigned int semente = 12345;
  auto sorteia = [&](int de, int ate) {
    semente = semente * 1103515245u + 12345u;
    return de + int((semente >> 8) % unsigned(ate - de + 1));
  };
  // Short lines just off the corner hit the exact ties of the decision value
  // where the walk starts on the surface.
  for (int i = 0; i < 600; i++) {
    int de = i < 300 ? -2000 : -8, ate = i < 300 ? 2400 : 20;
    int x1 = sorteia(de, ate), y1 = sorteia(de, ate);
    int x2 = sorteia(de, ate), y2 = sorteia(de, ate);
    Apaga();
    T2D2P_Linha(x1, y1, x2, y2, 255, 255, 255);
    ASSERT_EQ(Acesos(), LinhaPassoAPasso(x1, y1, x2, y2))
        << x1 << "," << y1 << " " << x2 << "," << y2;
  }
}

TEST_F(PrimitivasSDL, LinhaDeTodoOAlcanceDoIntSoPercorreATela) {
  // 2^32 steps end to end; only the 640 on the surface are walked.
  T2D2P_Linha(INT_MIN, 10, INT_MAX, 12, 255, 255, 255);
  Pixels p = Acesos();
  ASSERT_EQ(p.size(), size_t(L));
  for (auto &e : p) {
    double ideal =
        10.0 + 2.0 * (double(e.first) - INT_MIN) / (double(INT_MAX) - INT_MIN);
    EXPECT_LE(std::fabs(e.second - ideal), 0.5) << e.first;
  }
  Apaga();
  T2D2P_Linha(300, INT_MAX, 301, INT_MIN, 255, 255, 255);
  EXPECT_EQ(Acesos().size(), size_t(A));
  EXPECT_EQ(Extremos(Acesos()).size(), size_t(A));
}

// ---------------------------------------------------------------------------
// Rectangles
// ---------------------------------------------------------------------------

TEST_F(PrimitivasSDL, RetanguloContornoEPintadoEmQualquerOrdemDosCantos) {
  Pixels contorno;
  for (int x = 2; x < 8; x++) contorno.insert({x, 3}), contorno.insert({x, 7});
  for (int y = 3; y < 7; y++) contorno.insert({2, y}), contorno.insert({8, y});
  Pixels pintado;
  for (int y = 3; y < 7; y++)
    for (int x = 2; x < 8; x++) pintado.insert({x, y});
  for (auto c : {std::make_pair(0, 0), std::make_pair(1, 0),
                 std::make_pair(0, 1), std::make_pair(1, 1)}) {
    int x1 = c.first ? 8 : 2, x2 = c.first ? 2 : 8;
    int y1 = c.second ? 7 : 3, y2 = c.second ? 3 : 7;
    Apaga();
    T2D2P_Retangulo(x1, y1, x2, y2, 255, 0, 0);
    EXPECT_EQ(Acesos(0, 0, 20, 20), contorno);
    Apaga();
    T2D2P_RetanguloPintado(x1, y1, x2, y2, 0, 255, 0);
    EXPECT_EQ(Acesos(0, 0, 20, 20), pintado);
  }
  EXPECT_EQ(LePixelSuperficie(screen, 2, 3), (Cor{0, 255, 0, 255}));
}

TEST_F(PrimitivasSDL, RetanguloSemLarguraSoTemAColuna) {
  T2D2P_RetanguloPintado(10, 10, 10, 50, 255, 255, 255);
  EXPECT_TRUE(Acesos().empty());
  T2D2P_Retangulo(10, 10, 10, 50, 255, 255, 255);
  Pixels coluna;
  for (int y = 10; y < 50; y++) coluna.insert({10, y});
  EXPECT_EQ(Acesos(), coluna);
}

TEST_F(PrimitivasSDL, RetanguloPintadoDistanteNaoDaVoltaEm16Bits) {
  T2D2P_RetanguloPintado(66000, 0, 66100, 10, 255, 255, 255);
  T2D2P_RetanguloPintado(0, -65536 + 5, 50, -65536 + 20, 255, 255, 255);
  T2D2P_Retangulo(66000, 0, 66100, 10, 255, 255, 255);
  EXPECT_TRUE(Acesos().empty());
  T2D2P_RetanguloPintado(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 255, 255, 255);
  EXPECT_EQ(Acesos().size(), size_t(L) * A);
}

TEST_F(PrimitivasSDL, AreaLimitadaCortaOPintadoMasNaoALinha) {
  T2D2_LimitaAreaDesenho(20, 20, 30, 30);
  T2D2P_RetanguloPintado(0, 0, 100, 100, 255, 255, 255);
  Pixels dentro;
  for (int y = 20; y < 50; y++)
    for (int x = 20; x < 50; x++) dentro.insert({x, y});
  EXPECT_EQ(Acesos(0, 0, 120, 120), dentro);
  Apaga();
  T2D2P_Linha(0, 60, 99, 60, 255, 255, 255);
  T2D2P_Circulo(10, 10, 5, 255, 255, 255);
  EXPECT_EQ(Acesos(0, 60, 120, 61).size(), 100u);
  EXPECT_FALSE(Acesos(0, 0, 20, 20).empty());
  T2D2_LiberaAreaDesenho();
}

// ---------------------------------------------------------------------------
// Circles and ellipses
// ---------------------------------------------------------------------------

TEST_F(PrimitivasSDL, CirculoDeRaioUmSaoQuatroPixels) {
  T2D2P_Circulo(50, 40, 1, 255, 255, 255);
  EXPECT_EQ(Acesos(), (Pixels{{50, 39}, {50, 41}, {49, 40}, {51, 40}}));
}

TEST_F(PrimitivasSDL, CirculoNoCantoDesenhaSoOQuartoVisivel) {
  for (int raio : {1, 7, 30}) {
    Apaga();
    T2D2P_Circulo(100, 100, raio, 255, 255, 255);
    Pixels quarto;
    for (auto &e : Acesos(100, 100, 200, 200))
      quarto.insert({e.first - 100, e.second - 100});
    Apaga();
    T2D2P_Circulo(0, 0, raio, 255, 255, 255);
    EXPECT_EQ(Acesos(), quarto) << raio;
    Apaga();
    T2D2P_Circulo(L - 1, A - 1, raio, 255, 255, 255);
    Pixels oposto = Desloca(Acesos(), -(L - 1), -(A - 1));
    Apaga();
    T2D2P_Circulo(100, 100, raio, 255, 255, 255);
    EXPECT_EQ(oposto, Desloca(Acesos(0, 0, 101, 101), -100, -100)) << raio;
  }
}

TEST_F(PrimitivasSDL, TamanhosNulosENegativosNaoDesenhamNemTravam) {
  for (int v : {0, -1, -50, INT_MIN}) {
    T2D2P_Circulo(50, 50, v, 255, 255, 255);
    T2D2P_CirculoPintado(50, 50, v, 255, 255, 255);
    T2D2P_Elipse(50, 50, v, 10, 255, 255, 255);
    T2D2P_Elipse(50, 50, 10, v, 255, 255, 255);
    T2D2P_ElipsePintada(50, 50, v, 10, 255, 255, 255);
    T2D2P_ElipsePintada(50, 50, 10, v, 255, 255, 255);
    EXPECT_EQ(screen->locked, 0u) << v;
  }
  T2D2P_Elipse(50, 50, 50, 0, 255, 255, 255);
  EXPECT_TRUE(Acesos().empty());
  // Every drawing call leaves the surface as unlocked as it found it.
  T2D2P_Linha(0, 0, 30, 9, 1, 1, 1);
  T2D2P_Retangulo(0, 0, 30, 9, 1, 1, 1);
  T2D2P_RetanguloPintado(0, 0, 30, 9, 1, 1, 1);
  T2D2P_Circulo(20, 20, 9, 1, 1, 1);
  T2D2P_CirculoPintado(20, 20, 9, 1, 1, 1);
  T2D2P_Elipse(20, 20, 9, 4, 1, 1, 1);
  T2D2P_ElipsePintada(20, 20, 9, 4, 1, 1, 1);
  EXPECT_EQ(screen->locked, 0u);
}

TEST_F(PrimitivasSDL, FiguraPintadaCobreOInteriorDoContorno) {
  for (int raio = 1; raio <= 40; raio++) {
    Apaga();
    T2D2P_Circulo(100, 100, raio, 255, 255, 255);
    Pixels contorno = Acesos(0, 0, 200, 200);
    Apaga();
    T2D2P_CirculoPintado(100, 100, raio, 255, 255, 255);
    EXPECT_TRUE(PreencheOInterior(contorno, Acesos(0, 0, 200, 200))) << raio;
  }
  for (auto e :
       {std::make_pair(1, 1), std::make_pair(3, 2), std::make_pair(40, 9),
        std::make_pair(9, 40), std::make_pair(25, 25), std::make_pair(60, 1)}) {
    Apaga();
    T2D2P_Elipse(100, 100, e.first, e.second, 255, 255, 255);
    Pixels contorno = Acesos(0, 0, 200, 200);
    Apaga();
    T2D2P_ElipsePintada(100, 100, e.first, e.second, 255, 255, 255);
    EXPECT_TRUE(PreencheOInterior(contorno, Acesos(0, 0, 200, 200)))
        << e.first << "x" << e.second;
  }
}

TEST_F(PrimitivasSDL, ElipseIgualAAritmeticaDe32BitsDentroDoLimite) {
  for (int va = 1; va <= 40; va += 3)
    for (int vb = 1; vb <= 40; vb += 2) {
      Apaga();
      T2D2P_Elipse(100, 100, va, vb, 255, 255, 255);
      ASSERT_EQ(Acesos(0, 0, 200, 200), Elipse32(100, 100, va, vb))
          << va << "x" << vb;
    }
  // Large terms that still fit 32 bits, partly off the surface.
  for (auto e : {std::make_pair(1000, 40), std::make_pair(40, 1000),
                 std::make_pair(200, 200), std::make_pair(46340, 1)}) {
    Apaga();
    T2D2P_Elipse(300, 200, e.first, e.second, 255, 255, 255);
    EXPECT_EQ(Acesos(), Elipse32(300, 200, e.first, e.second))
        << e.first << "x" << e.second;
  }
}

TEST_F(PrimitivasSDL, ElipseAlemDoLimiteDe32BitsContinuaNaCurva) {
  // va * vb far beyond 46340: every pixel still lies on the ellipse.
  const int va = 30000, vb = 20000, xc = 320 - va, yc = 240;
  T2D2P_Elipse(xc, yc, va, vb, 255, 255, 255);
  Pixels p = Acesos();
  ASSERT_FALSE(p.empty());
  for (auto &e : p) {
    double u = double(e.first - xc) / va, v = double(e.second - yc) / vb;
    double raio = std::sqrt(u * u + v * v);
    EXPECT_NEAR(raio, 1.0, 1.5 / vb) << e.first << "," << e.second;
  }
  EXPECT_TRUE(p.count({320, 240}));
  // A very flat one is two full rows, and filled it covers the rows between.
  Apaga();
  T2D2P_Elipse(50, 40, 100000, 3, 255, 255, 255);
  Pixels esperado;
  for (int x = 0; x < L; x++)
    esperado.insert({x, 37}), esperado.insert({x, 43});
  EXPECT_EQ(Acesos(), esperado);
  Apaga();
  T2D2P_ElipsePintada(50, 40, 100000, 3, 255, 255, 255);
  EXPECT_EQ(Acesos(), Acesos(0, 37, L, 44));
  EXPECT_EQ(Acesos().size(), size_t(L) * 7);
}

TEST_F(PrimitivasSDL, FigurasEnormesForaDaTelaNaoTransbordam) {
  T2D2P_Circulo(INT_MIN, INT_MIN, INT_MAX, 255, 255, 255);
  T2D2P_CirculoPintado(INT_MAX, INT_MAX, INT_MAX - 1000, 255, 255, 255);
  T2D2P_Elipse(INT_MIN, 0, INT_MAX - 2, INT_MAX, 255, 255, 255);
  T2D2P_ElipsePintada(0, INT_MAX, INT_MAX, INT_MAX - 1000, 255, 255, 255);
  T2D2P_Circulo(INT_MAX - 5, 10, 20, 255, 255, 255);
  T2D2P_CirculoPintado(10, INT_MIN + 5, 20, 255, 255, 255);
  EXPECT_TRUE(Acesos().empty());
  // A circle reaching just onto the surface from far away still shows: its
  // rightmost pixels, around column 3 on row 100.
  T2D2P_Circulo(-1000, 100, 1003, 255, 255, 255);
  Pixels p = Acesos();
  ASSERT_FALSE(p.empty());
  EXPECT_TRUE(p.count({3, 100}));
  for (auto &e : p) EXPECT_LE(e.first, 3);
}

// ---------------------------------------------------------------------------
// Huge shapes: only the part on the surface is walked
// ---------------------------------------------------------------------------

namespace {

// The midpoint walks exactly as first written, every step taken and every
// pixel or span tested against the surface: the oracle for the clipped walks.
// The surface as one byte per pixel, 1 where it is not black.
typedef std::vector<Uint8> Mapa;

Mapa MapaDaTela() {
  Mapa m(size_t(L) * A);
  SDL_LockSurface(screen);
  for (int y = 0; y < A; y++) {
    const Uint32 *linha = reinterpret_cast<const Uint32 *>(
        static_cast<const Uint8 *>(screen->pixels) + y * screen->pitch);
    for (int x = 0; x < L; x++) m[size_t(y) * L + x] = linha[x] != 0;
  }
  SDL_UnlockSurface(screen);
  return m;
}

struct Referencia {
  Mapa p = Mapa(size_t(L) * A);
  void ponto(long long x, long long y) {
    if (x >= 0 && x < L && y >= 0 && y < A) p[size_t(y) * L + size_t(x)] = 1;
  }
  void span(long long x, long long y, long long n) {
    if (y < 0 || y >= A) return;
    for (long long i = x < 0 ? 0 : x; i < x + n && i < L; i++) ponto(i, y);
  }
  void circulo(long long xc, long long yc, long long r, bool cheio) {
    long long x = 0, y = r, d = 1 - r, da = 3, db = 5 - 2 * r;
    auto passo = [&] {
      if (cheio) {
        span(xc - x, yc + y, 2 * x), span(xc - y, yc + x, 2 * y);
        span(xc - y, yc - x, 2 * y), span(xc - x, yc - y, 2 * x);
        return;
      }
      for (auto q : {std::make_pair(x, y), std::make_pair(y, x)})
        for (int sx : {-1, 1})
          for (int sy : {-1, 1}) ponto(xc + sx * q.first, yc + sy * q.second);
    };
    passo();
    while (y > x) {
      if (d < 0) {
        d += da, da += 2, db += 2;
      } else {
        d += db, da += 2, db += 4, y--;
      }
      x++;
      passo();
    }
  }
  void elipse(long long xc, long long yc, long long va, long long vb,
              bool cheio) {
    long long a2 = va * va, b2 = vb * vb, x = 0, y = vb;
    auto passo = [&] {
      if (cheio) {
        span(xc - x, yc + y, 2 * x), span(xc - x, yc - y, 2 * x);
        return;
      }
      ponto(xc + x, yc + y), ponto(xc - x, yc + y);
      ponto(xc - x, yc - y), ponto(xc + x, yc - y);
    };
    double d1 = double(b2 - a2 * vb) + 0.25 * double(a2);
    passo();
    while (double(a2) * (double(y) - 0.5) > double(b2 * (x + 1))) {
      if (d1 < 0) {
        d1 += double(b2 * (2 * x + 3));
      } else {
        d1 += double(b2 * (2 * x + 3)) + double(a2 * (2 - 2 * y));
        y--;
      }
      x++;
      passo();
    }
    double d2 = double(b2) * (x + 0.5) * (x + 0.5) +
                double(a2 * (y - 1) * (y - 1)) - double(a2 * b2);
    while (y > 0) {
      if (d2 >= 0) {
        d2 += double(a2 * (3 - 2 * y));
      } else {
        d2 += double(2 * b2 * (x + 1)) + double(a2 * (3 - 2 * y));
        x++;
      }
      y--;
      passo();
    }
  }
};

// Centres on the surface, at its edges and beyond them.
const int CENTROS[][2] = {{320, 240},  {0, 0},      {-50, 240}, {700, 500},
                          {320, -300}, {-900, 800}, {639, 479}, {1500, 100}};

} // namespace

TEST_F(PrimitivasSDL, CirculosCortadosSaoOsDoPassoAPasso) {
  for (auto &c : CENTROS)
    for (int r : {1, 2, 3, 7, 31, 100, 239, 240, 241, 500, 999, 1777, 4000}) {
      for (bool cheio : {false, true}) {
        Apaga();
        if (cheio)
          T2D2P_CirculoPintado(c[0], c[1], r, 255, 255, 255);
        else
          T2D2P_Circulo(c[0], c[1], r, 255, 255, 255);
        Referencia ref;
        ref.circulo(c[0], c[1], r, cheio);
        ASSERT_TRUE(MapaDaTela() == ref.p)
            << (cheio ? "filled " : "") << "r " << r << " at " << c[0] << ","
            << c[1];
      }
    }
}

TEST_F(PrimitivasSDL, ElipsesCortadasSaoAsDoPassoAPasso) {
  const int eixos[][2] = {{1, 1},      {5, 2},     {2, 5},     {40, 39},
                          {300, 100},  {100, 300}, {641, 17},  {17, 481},
                          {1000, 999}, {3000, 70}, {70, 3000}, {2500, 2600},
                          {60, 1},     {16, 3},    {200, 2},   {1, 300}};
  for (auto &c : CENTROS)
    for (auto &e : eixos)
      for (bool cheio : {false, true}) {
        Apaga();
        if (cheio)
          T2D2P_ElipsePintada(c[0], c[1], e[0], e[1], 255, 255, 255);
        else
          T2D2P_Elipse(c[0], c[1], e[0], e[1], 255, 255, 255);
        Referencia ref;
        ref.elipse(c[0], c[1], e[0], e[1], cheio);
        ASSERT_TRUE(MapaDaTela() == ref.p)
            << (cheio ? "filled " : "") << e[0] << "x" << e[1] << " at " << c[0]
            << "," << c[1];
      }
}

// Sizes and centres drawn at random (fixed seed) against the same oracle.
TEST_F(PrimitivasSDL, FigurasAoAcasoSaoAsDoPassoAPasso) {
  unsigned semente = 12345;
  auto sorteia = [&](int n) {
    semente = semente * 1103515245u + 12345u;
    return int((semente >> 8) % unsigned(n));
  };
  for (int i = 0; i < 150; i++) {
    int xc = sorteia(3000) - 1200, yc = sorteia(2400) - 960;
    int va = 1 + sorteia(i % 3 ? 600 : 5000),
        vb = 1 + sorteia(i % 2 ? 600 : 5000);
    bool cheio = i % 2;
    Apaga();
    Referencia ref;
    if (i % 4 < 2) {
      (cheio ? T2D2P_CirculoPintado : T2D2P_Circulo)(xc, yc, va, 255, 255, 255);
      ref.circulo(xc, yc, va, cheio);
    } else {
      (cheio ? T2D2P_ElipsePintada : T2D2P_Elipse)(xc, yc, va, vb, 255, 255,
                                                   255);
      ref.elipse(xc, yc, va, vb, cheio);
    }
    ASSERT_TRUE(MapaDaTela() == ref.p)
        << i << ": " << va << "x" << vb << " at " << xc << "," << yc;
  }
}

// A billion-pixel radius whose edge crosses the surface: the pixels that show
// lie on the curve, and the filled one covers everything inside it.
TEST_F(PrimitivasSDL, BordaDeFiguraGiganteCruzaATela) {
  const long long R = 1000000000;
  T2D2P_Circulo(320, int(240 + R), int(R), 255, 255, 255);
  Pixels p = Acesos();
  ASSERT_FALSE(p.empty());
  EXPECT_TRUE(p.count({320, 240}));
  for (auto &e : p) {
    double dx = e.first - 320.0, dy = e.second - (240.0 + R);
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), double(R), 1.0);
  }
  Apaga();
  T2D2P_CirculoPintado(320, int(240 + R), int(R), 255, 255, 255);
  Pixels cheio = Acesos();
  EXPECT_EQ(cheio.size(),
            size_t(L) * (A - 241) + Acesos(0, 240, L, 241).size());
  EXPECT_FALSE(cheio.count({320, 239}));
  Apaga();
  T2D2P_ElipsePintada(320, 240, INT_MAX, INT_MAX, 255, 255, 255);
  EXPECT_EQ(Acesos().size(), size_t(L) * A) << "the surface lies inside";
  Apaga();
  T2D2P_Circulo(320, 240, INT_MAX, 255, 255, 255);
  T2D2P_Elipse(320, 240, INT_MAX, INT_MAX - 7, 255, 255, 255);
  EXPECT_TRUE(Acesos().empty()) << "the outlines pass far outside";
  Apaga();
  T2D2P_Elipse(320, 240, INT_MAX, 100, 255, 255, 255);
  Pixels plana = Acesos();
  EXPECT_TRUE(plana.count({0, 140}) && plana.count({639, 340}));
}
