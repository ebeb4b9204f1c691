// Primitives on the OpenGL back-end: the curve step rules, the vertices
// OpenGL receives (read back through GL feedback mode) and the pixels it
// rasterises from them (read from the back buffer before any swap).
#include "apoio.h"
#include "t2d2/tovik2d2primitivas.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace {

const int ALTURA = 600;
const Cor PRETO{0, 0, 0, 255};
const Cor VERMELHO{255, 0, 0, 255};
const Cor VERDE{0, 255, 0, 255};

typedef std::pair<int, int> Pixel; // x, y in screen pixels, top-left origin

// One primitive as OpenGL's feedback reports it, vertices back in the
// library's screen coordinates.
struct Registro {
  GLfloat token;
  std::vector<Pixel> v;
  std::vector<std::pair<GLfloat, GLfloat>> janela; // as reported, y upwards
};

// Runs a drawing in feedback mode: nothing is rasterised, every primitive
// that reaches the rasteriser is reported with its window coordinates.
std::vector<Registro> Registra(void (*desenho)()) {
  static GLfloat buf[1 << 16];
  glFeedbackBuffer(GLsizei(sizeof buf / sizeof buf[0]), GL_2D, buf);
  glRenderMode(GL_FEEDBACK);
  desenho();
  GLint n = glRenderMode(GL_RENDER);
  EXPECT_GE(n, 0) << "feedback buffer overflowed";
  std::vector<Registro> regs;
  auto vertice = [&](GLint i) {
    return Pixel(int(std::lround(buf[i])),
                 ALTURA - int(std::lround(buf[i + 1])));
  };
  for (GLint i = 0; i < n;) {
    Registro r{buf[i++], {}, {}};
    int nv = 0;
    if (r.token == GL_POLYGON_TOKEN)
      nv = int(buf[i++]);
    else if (r.token == GL_LINE_TOKEN || r.token == GL_LINE_RESET_TOKEN)
      nv = 2;
    else if (r.token == GL_POINT_TOKEN)
      nv = 1;
    for (int k = 0; k < nv; k++, i += 2) {
      r.v.push_back(vertice(i));
      r.janela.emplace_back(buf[i], buf[i + 1]);
    }
    regs.push_back(r);
  }
  return regs;
}

bool EhLinha(const Registro &r) {
  return r.token == GL_LINE_TOKEN || r.token == GL_LINE_RESET_TOKEN;
}

// The vertices of a line loop, in drawing order, from its segments; checks
// that every segment starts where the previous one ended and that it closes.
std::vector<Pixel> Laco(const std::vector<Registro> &regs) {
  std::vector<Pixel> v;
  for (const Registro &r : regs) {
    EXPECT_TRUE(EhLinha(r));
    if (!EhLinha(r)) return {};
    if (!v.empty()) {
      EXPECT_EQ(r.v[0], regs[v.size() - 1].v[1]);
    }
    v.push_back(r.v[0]);
  }
  if (!regs.empty()) {
    EXPECT_EQ(regs.back().v[1], v.front());
  }
  return v;
}

// The distinct corners of a filled polygon, whatever triangles OpenGL cut it
// into, and the number of those triangles.
std::set<Pixel> Cantos(const std::vector<Registro> &regs, size_t *triangulos) {
  std::set<Pixel> cantos;
  *triangulos = 0;
  for (const Registro &r : regs) {
    EXPECT_EQ(r.token, GL_POLYGON_TOKEN);
    if (r.v.size() == 3) ++*triangulos;
    cantos.insert(r.v.begin(), r.v.end());
  }
  return cantos;
}

bool Aceso(int x, int y) {
  return LePixelGL(x, y) == VERMELHO;
}

class Primitivas : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(IniciaGLSilencioso());
    ASSERT_TRUE(T2D2P_Inicia());
    T2D2_LimpaTela();
  }
  void TearDown() override { EncerraSilencioso(); }
};

} // namespace

// ---------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------

static bool NenhumPonteiro() {
  return !T2D2P_Pontos && !T2D2P_Linha && !T2D2P_Retangulo &&
         !T2D2P_RetanguloPintado && !T2D2P_Circulo && !T2D2P_CirculoPintado &&
         !T2D2P_Elipse && !T2D2P_ElipsePintada;
}

TEST(PrimitivasInicio, BackEndDesconhecidoNaoInstalaNada) {
  ASSERT_TRUE(IniciaGLSilencioso());
  for (int valor : {2, -1, 7, INT_MAX}) {
    render = valor;
    EXPECT_FALSE(T2D2P_Inicia()) << valor;
    EXPECT_TRUE(NenhumPonteiro()) << valor;
  }
  render = T2D2_DESENHO_OPENGL;
  EncerraSilencioso();
}

TEST(PrimitivasInicio, OpenGLInstalaTodasEPontoDeUmPixel) {
  ASSERT_TRUE(IniciaGLSilencioso());
  glPointSize(4.0f);
  EXPECT_TRUE(T2D2P_Inicia());
  EXPECT_TRUE(T2D2P_Pontos && T2D2P_Linha && T2D2P_Retangulo &&
              T2D2P_RetanguloPintado && T2D2P_Circulo && T2D2P_CirculoPintado &&
              T2D2P_Elipse && T2D2P_ElipsePintada);
  GLfloat tamanho = 0;
  glGetFloatv(GL_POINT_SIZE, &tamanho);
  EXPECT_EQ(tamanho, 1.0f);
  EncerraSilencioso();
}

// ---------------------------------------------------------------------------
// Curve steps
// ---------------------------------------------------------------------------

TEST(PrimitivasPasso, ExemplosEFronteiras) {
  // Outline circles: 500 / radius, at most 30 degrees.
  EXPECT_EQ(T2D2PGL_Passo(500, 1, 30), 30);
  EXPECT_EQ(T2D2PGL_Passo(500, 16, 30), 30); // 31 capped
  EXPECT_EQ(T2D2PGL_Passo(500, 17, 30), 29);
  EXPECT_EQ(T2D2PGL_Passo(500, 100, 30), 5);
  EXPECT_EQ(T2D2PGL_Passo(500, 166, 30), 3);
  EXPECT_EQ(T2D2PGL_Passo(500, 200, 30), 3); // 2 raised to 3
  // Filled circles and ellipses: 250 / size, at most 90 degrees.
  EXPECT_EQ(T2D2PGL_Passo(250, 1, 90), 90);
  EXPECT_EQ(T2D2PGL_Passo(250, 2, 90), 90); // 125 capped
  EXPECT_EQ(T2D2PGL_Passo(250, 3, 90), 83);
  EXPECT_EQ(T2D2PGL_Passo(250, 83, 90), 3);
  EXPECT_EQ(T2D2PGL_Passo(250, 84, 90), 3);  // 2 raised to 3
  EXPECT_EQ(T2D2PGL_Passo(250, 250, 90), 3); // 1 raised to 3
  EXPECT_EQ(T2D2PGL_Passo(250, INT_MAX, 90), 3);
  // No curve has a size of 0; the division must still not happen.
  EXPECT_EQ(T2D2PGL_Passo(250, 0, 90), 90);
  EXPECT_EQ(T2D2PGL_Passo(500, -4, 30), 30);
}

// ---------------------------------------------------------------------------
// Vertices handed to OpenGL
// ---------------------------------------------------------------------------

TEST_F(Primitivas, CirculosTemOsVerticesDoPasso) {
  struct Caso {
    void (*desenho)();
    size_t vertices;
  } casos[] = {
      {[] { T2D2P_Circulo(400, 300, 1, 255, 0, 0); }, 12},       // 30 degrees
      {[] { T2D2P_Circulo(400, 300, 100, 255, 0, 0); }, 72},     // 5
      {[] { T2D2P_Circulo(400, 300, 200, 255, 0, 0); }, 120},    // 3
      {[] { T2D2P_Elipse(400, 300, 20, 200, 255, 0, 0); }, 120}, // 3
      {[] { T2D2P_Elipse(400, 300, 125, 10, 255, 0, 0); }, 120}, // 2 -> 3
      {[] { T2D2P_Elipse(400, 300, 10, 3, 255, 0, 0); }, 15},    // 25
  };
  for (const Caso &c : casos) {
    std::vector<Pixel> v = Laco(Registra(c.desenho));
    EXPECT_EQ(v.size(), c.vertices);
  }
}

TEST_F(Primitivas, CirculoPintadoDeRaioUmEhOQuadradoDeQuatroVertices) {
  size_t triangulos;
  std::set<Pixel> cantos =
      Cantos(Registra([] { T2D2P_CirculoPintado(100, 50, 1, 255, 0, 0); }),
             &triangulos);
  std::set<Pixel> esperado = {{101, 50}, {100, 49}, {99, 50}, {100, 51}};
  EXPECT_EQ(cantos, esperado);
  EXPECT_EQ(triangulos, 2u); // a convex polygon of 4 corners, nothing more
}

TEST_F(Primitivas, CurvasComecamADireitaESobemNaTela) {
  // Whole-degree anchors of an ellipse with step 3: 0, 90, 180 and 270
  // degrees are vertices 0, 30, 60 and 90.
  std::vector<Pixel> v =
      Laco(Registra([] { T2D2P_Elipse(400, 300, 100, 40, 255, 0, 0); }));
  ASSERT_EQ(v.size(), 120u);
  EXPECT_EQ(v[0], Pixel(500, 300));
  EXPECT_EQ(v[30], Pixel(400, 260)); // counter-clockwise: up the screen first
  EXPECT_EQ(v[60], Pixel(300, 300));
  EXPECT_EQ(v[90], Pixel(400, 340));
  // Truncation toward zero pulls every vertex inward, by less than a pixel
  // on each axis.
  for (const Pixel &p : v) {
    double dx = p.first - 400, dy = p.second - 300;
    EXPECT_LE(dx * dx / (100 * 100) + dy * dy / (40 * 40), 1.0 + 1e-9);
    double ax = std::fabs(dx) + 1, ay = std::fabs(dy) + 1;
    EXPECT_GT(ax * ax / (100 * 100) + ay * ay / (40 * 40), 1.0);
  }
  for (size_t i = 1; i <= 30; i++) { // first quadrant: leftwards and upwards
    EXPECT_LE(v[i].first, v[i - 1].first);
    EXPECT_LE(v[i].second, v[i - 1].second);
  }

  size_t triangulos;
  std::set<Pixel> cantos = Cantos(
      Registra([] { T2D2P_ElipsePintada(400, 300, 100, 40, 255, 0, 0); }),
      &triangulos);
  EXPECT_EQ(cantos, std::set<Pixel>(v.begin(), v.end()));
}

TEST_F(Primitivas, GuardasNaoDesenhamNemTrocamACor) {
  glColor3ub(1, 2, 3);
  std::vector<Registro> regs = Registra([] {
    T2D2P_Elipse(400, 300, 50, 0, 255, 0, 0);
    T2D2P_Elipse(400, 300, 0, 50, 255, 0, 0);
    T2D2P_Elipse(400, 300, -5, 50, 255, 0, 0);
    T2D2P_ElipsePintada(400, 300, 50, 0, 255, 0, 0);
    T2D2P_ElipsePintada(400, 300, 50, -1, 255, 0, 0);
    T2D2P_Circulo(400, 300, 0, 255, 0, 0);
    T2D2P_Circulo(400, 300, -10, 255, 0, 0);
    T2D2P_CirculoPintado(400, 300, 0, 255, 0, 0);
    T2D2P_CirculoPintado(400, 300, INT_MIN, 255, 0, 0);
  });
  EXPECT_TRUE(regs.empty());
  GLfloat cor[4];
  glGetFloatv(GL_CURRENT_COLOR, cor);
  EXPECT_NEAR(cor[0] * 255, 1, 0.01);
  EXPECT_NEAR(cor[1] * 255, 2, 0.01);
  EXPECT_NEAR(cor[2] * 255, 3, 0.01);
  EXPECT_EQ(LePixelGL(400, 300), PRETO);
}

TEST_F(Primitivas, PontosNaOrdemENenhumComListaVazia) {
  std::vector<Registro> regs = Registra([] {
    T2D2P_Ponto p[3] = {{10, 20}, {30, 40}, {5, 599}};
    T2D2P_Pontos(p, 3, 255, 0, 0);
    T2D2P_Pontos(p, 0, 255, 0, 0);
  });
  ASSERT_EQ(regs.size(), 3u);
  // Each point is sent at its pixel's centre.
  const float centros[3][2] = {{10.5f, 20.5f}, {30.5f, 40.5f}, {5.5f, 599.5f}};
  for (int i = 0; i < 3; i++) {
    EXPECT_NEAR(regs[i].janela[0].first, centros[i][0], 0.01) << i;
    EXPECT_NEAR(ALTURA - regs[i].janela[0].second, centros[i][1], 0.01) << i;
  }
}

TEST_F(Primitivas, PontosDeListaNulaAvisamENaoDesenham) {
  CapturaSaida saida;
  T2D2P_Pontos(nullptr, 5, 255, 0, 0);
  T2D2P_Pontos(nullptr, 0, 255, 0, 0);
  EXPECT_EQ(saida.texto(), "Tentou desenhar 5 pontos de uma lista nula.\n");
}

// ---------------------------------------------------------------------------
// Pixels
//
// The projection puts integer coordinates on pixel corners: pixel (x, y) has
// its centre at (x + 0.5, y + 0.5). A quad with integer corners therefore
// covers exactly the pixels from its smaller corner up to, not including,
// its larger one: no pixel centre lies on its edges.
// ---------------------------------------------------------------------------

TEST_F(Primitivas, RetanguloPintadoCobreDoMenorCantoAteAntesDoMaior) {
  const int cantos[4][4] = {
      {20, 10, 30, 16}, {30, 10, 20, 16}, {20, 16, 30, 10}, {30, 16, 20, 10}};
  for (const auto &c : cantos) {
    T2D2_LimpaTela();
    T2D2P_RetanguloPintado(c[0], c[1], c[2], c[3], 255, 0, 0);
    for (int y = 8; y < 19; y++)
      for (int x = 18; x < 33; x++)
        EXPECT_EQ(Aceso(x, y), x >= 20 && x < 30 && y >= 10 && y < 16)
            << x << "," << y << " corners " << c[0] << "," << c[1] << " "
            << c[2] << "," << c[3];
  }
}

// A line loop with integer corners runs exactly along pixel borders, where
// the diamond-exit rule leaves it to the rasteriser which of the two
// neighbouring rows (or columns) an edge lights. The test allows either, but
// demands one of them lit all along the edge and the other dark; the four
// pixels around each corner, where the edges meet, are not checked.
TEST_F(Primitivas, RetanguloContornoSegueAsBordas) {
  const int X1 = 40, Y1 = 20, X2 = 60, Y2 = 32;
  const int cantos[4][4] = {
      {X1, Y1, X2, Y2}, {X2, Y1, X1, Y2}, {X1, Y2, X2, Y1}, {X2, Y2, X1, Y1}};
  std::vector<bool> primeiro;
  for (const auto &c : cantos) {
    T2D2_LimpaTela();
    T2D2P_Retangulo(c[0], c[1], c[2], c[3], 255, 0, 0);
    // Which side each edge took, from its middle pixel.
    int linhaY[2], colunaX[2];
    for (int i = 0; i < 2; i++) {
      int Y = i ? Y2 : Y1, X = i ? X2 : X1;
      ASSERT_NE(Aceso(50, Y - 1), Aceso(50, Y)) << "edge y=" << Y;
      linhaY[i] = Aceso(50, Y) ? Y : Y - 1;
      ASSERT_NE(Aceso(X - 1, 26), Aceso(X, 26)) << "edge x=" << X;
      colunaX[i] = Aceso(X, 26) ? X : X - 1;
    }
    auto perto = [](int a, int b) { return a == b - 1 || a == b; };
    std::vector<bool> imagem;
    for (int y = Y1 - 3; y < Y2 + 3; y++)
      for (int x = X1 - 3; x < X2 + 3; x++) {
        bool canto =
            (perto(x, X1) || perto(x, X2)) && (perto(y, Y1) || perto(y, Y2));
        if (canto) continue;
        bool dentroX = x > X1 && x<X2 - 1, dentroY = y> Y1 && y < Y2 - 1;
        bool esperado = (dentroX && (y == linhaY[0] || y == linhaY[1])) ||
                        (dentroY && (x == colunaX[0] || x == colunaX[1]));
        EXPECT_EQ(Aceso(x, y), esperado) << x << "," << y;
        imagem.push_back(Aceso(x, y));
      }
    // Swapped corners only reorder the vertices: the same pixels light up.
    if (primeiro.empty())
      primeiro = imagem;
    else
      EXPECT_EQ(imagem, primeiro) << "corners " << c[0] << "," << c[1];
  }
}

// Lines run between pixel centres and light their last pixel too: one
// pixel per step, both ends included, in either direction.
TEST_F(Primitivas, LinhaDiagonalAcendeUmPixelPorPasso) {
  T2D2P_Linha(100, 50, 106, 56, 255, 0, 0);
  T2D2P_Linha(206, 50, 200, 56, 255, 0, 0);
  for (int y = 48; y < 59; y++)
    for (int x = 98; x < 109; x++) {
      EXPECT_EQ(Aceso(x, y), y >= 50 && y <= 56 && x - 100 == y - 50)
          << x << "," << y;
      // The second line runs down-left from (206, 50): its pixels are the
      // mirror image, x from 206 down to 200.
      EXPECT_EQ(Aceso(x + 100, y),
                y >= 50 && y <= 56 && 206 - (x + 100) == y - 50)
          << x + 100 << "," << y;
    }
}

// A horizontal line lights its own row, from one end to the other.
TEST_F(Primitivas, LinhaHorizontalAcendeOComprimentoNumaFileira) {
  T2D2P_Linha(300, 80, 310, 80, 255, 0, 0);
  for (int y = 77; y < 83; y++)
    for (int x = 297; x < 314; x++)
      EXPECT_EQ(Aceso(x, y), y == 80 && x >= 300 && x <= 310) << x << "," << y;
}

// A point lights exactly its own pixel.
TEST_F(Primitivas, PontoAcendeUmSoPixel) {
  T2D2P_Ponto p[2] = {{120, 90}, {130, 95}};
  T2D2P_Pontos(p, 2, 255, 0, 0);
  for (int y = 86; y < 99; y++)
    for (int x = 116; x < 134; x++)
      EXPECT_EQ(Aceso(x, y), (x == 120 && y == 90) || (x == 130 && y == 95))
          << x << "," << y;
}

TEST_F(Primitivas, ElipsePintadaUsaOsSemieixosCertos) {
  T2D2P_ElipsePintada(400, 300, 60, 20, 255, 0, 0);
  EXPECT_TRUE(Aceso(400, 300));
  EXPECT_TRUE(Aceso(455, 300));
  EXPECT_TRUE(Aceso(344, 300));
  EXPECT_TRUE(Aceso(400, 282));
  EXPECT_TRUE(Aceso(400, 317));
  EXPECT_FALSE(Aceso(462, 300));
  EXPECT_FALSE(Aceso(337, 300));
  EXPECT_FALSE(Aceso(400, 277));
  EXPECT_FALSE(Aceso(400, 322));
}

// Centres and radii near the int range must neither overflow nor wrap: a
// centre at the right end of the range stays off screen, and a huge filled
// circle on screen covers all of it.
TEST_F(Primitivas, CoordenadasExtremasNaoTransbordam) {
  T2D2P_Circulo(INT_MAX - 50, 300, 100, 255, 0, 0);
  T2D2P_Elipse(INT_MIN + 10, INT_MAX, INT_MAX, INT_MAX, 255, 0, 0);
  T2D2P_CirculoPintado(INT_MAX, INT_MIN, INT_MAX, 255, 0, 0);
  for (int x : {0, 399, 799})
    for (int y : {0, 299, 599}) EXPECT_EQ(LePixelGL(x, y), PRETO);
  T2D2P_ElipsePintada(400, 300, INT_MAX, INT_MAX, 0, 255, 0);
  for (int x : {0, 399, 799})
    for (int y : {0, 299, 599}) EXPECT_EQ(LePixelGL(x, y), VERDE);
}

// ---------------------------------------------------------------------------
// Sharing the state cache with sprites
// ---------------------------------------------------------------------------

// A sprite leaves texturing and blending on. A primitive right after must
// switch texturing off (a green texture would otherwise turn red into
// black), leave blending alone, and keep the cache truthful so the next
// sprite is textured again.
TEST_F(Primitivas, PrimitivaDepoisDeSpriteTemCorLisa) {
  // One clear corner keeps the set blending, as most sprites do.
  std::string arquivo =
      EscreveImagem("verde16.png", 16, 16, 4, [](int x, int y) {
        return x + y == 0 ? Cor{0, 0, 0, 0} : VERDE;
      });
  unsigned int id;
  {
    CapturaSaida silencio;
    id = T2D2_CarregaSpriteSet(arquivo.c_str(), 16, 16);
  }
  ASSERT_NE(id, 0u);
  ASSERT_TRUE(T2D2_DesenhaSprite(id, 0, 100, 100));
  T2D2P_RetanguloPintado(200, 100, 216, 116, 255, 0, 0);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  T2D2P_Circulo(300, 108, 6, 255, 0, 0);
  T2D2P_Linha(400, 100, 410, 110, 255, 0, 0);
  ASSERT_TRUE(T2D2_DesenhaSprite(id, 0, 500, 100));

  EXPECT_EQ(LePixelGL(108, 108), VERDE);
  EXPECT_EQ(LePixelGL(208, 108), VERMELHO);
  EXPECT_EQ(LePixelGL(305, 108), VERMELHO); // rightmost vertex column
  EXPECT_EQ(LePixelGL(405, 105), VERMELHO);
  EXPECT_EQ(LePixelGL(508, 108), VERDE);
  T2D2_RemoveSpriteSet(id);
}
