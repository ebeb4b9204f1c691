// The game's helpers one by one: the force and colour bounces, the steps of a
// shot, damage, wind, the texts, the number formatters and the heads-up
// display read back from the OpenGL frame.
#include "includes.h"
#include "MathUtil.h"
#include "apoio.h"
#include "sorteios.h"

#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

using math::Vector2D;
using obj::Bala;
using obj::Canhao;

namespace {

// A cannon whose pivot is shown at (400, 568), as at the start of its turn.
Canhao CanhaoNoCentro(double angulo) {
  Canhao c(100, 540, 0, 0, 0, 100);
  c.aplicaOffset(Vector2D(300, 28));
  c.setAngulo(angulo);
  return c;
}

double ForcaApos(int atualizacoes, double *delta) {
  double forca = 0;
  for (int i = 0; i < atualizacoes; i++) {
    forca += *delta;
    forca = forcaRecalcula(forca, delta);
  }
  return forca;
}

} // namespace

TEST(Quique, forcaSobeDesceEViraUmQuadroDepoisDaCor) {
  double df = 0.10833333333333334, dg = -2.125, g = 255;
  EXPECT_DOUBLE_EQ(ForcaApos(1, &df), 0.10833333333333334);
  df = 0.10833333333333334;
  EXPECT_EQ(ForcaApos(60, &df), 6.500000000000003);
  df = 0.10833333333333334;
  double forca = ForcaApos(120, &df);
  EXPECT_EQ(forca, 12.999999999999964);
  EXPECT_GT(df, 0) << "below 13 the force keeps rising";
  for (int i = 0; i < 120; i++) {
    g += dg;
    g = gRecalcula(g, &dg);
  }
  EXPECT_EQ(g, 0);
  EXPECT_GT(dg, 0) << "the colour turns at its 120th update";
  forca += df;
  EXPECT_EQ(forcaRecalcula(forca, &df), 13);
  EXPECT_LT(df, 0);
  forca = forcaRecalcula(-0.05, &df);
  EXPECT_EQ(forca, 0);
  EXPECT_GT(df, 0);
  EXPECT_EQ(gRecalcula(256.5, &dg), 255);
  EXPECT_LT(dg, 0);
  EXPECT_EQ(gRecalcula(100, &dg), 100);
  EXPECT_LT(dg, 0) << "inside the range nothing turns";
}

TEST(Tiro, exemploDoTiroA45GrausComForcaDe60Atualizacoes) {
  const Canhao c = CanhaoNoCentro(45);
  const Vector2D boca = PosicaoNaBoca(c);
  EXPECT_NEAR(boca.x, 451.903, 1e-3);
  EXPECT_NEAR(boca.y, 460.097, 1e-3);
  const double angrad = AnguloDoTiro(0, 500, 468, c.resultante);
  EXPECT_DOUBLE_EQ(angrad, -math::PI / 4);
  const Vector2D f0 = ImpulsoInicial(6.500000000000003, angrad);
  EXPECT_NEAR(f0.x, 13.78858, 1e-4);
  EXPECT_NEAR(f0.y, -13.78858, 1e-4);
  Vector2D v(99, 99), accelSecs(99, 99);
  Lancamento(f0, 0.02f, Vector2D(0, 9.787603f), &v, &accelSecs);
  EXPECT_NEAR(v.x, 11.49049, 1e-4);
  EXPECT_NEAR(v.y, -11.32736, 1e-4);
  EXPECT_EQ(accelSecs.x, 0);
  EXPECT_NEAR(accelSecs.y, 0.1631267, 1e-6);
  const Vector2D passo = PassoDaCamera(f0, 0.02f);
  EXPECT_NEAR(passo.x, 11.49049, 1e-4);
  EXPECT_EQ(passo.y, 0);
  Vector2D bola = boca;
  const float vy = v.y;
  MoveBala(&bola, &v, accelSecs);
  EXPECT_NEAR(bola.x, 463.394, 1e-3);
  EXPECT_NEAR(bola.y, 448.771, 1e-3);
  EXPECT_FLOAT_EQ(v.y, vy + accelSecs.y);
  bola += -passo;
  EXPECT_NEAR(bola.x, boca.x, 1e-3) << "without wind the ball keeps its column";
}

TEST(Tiro, direcaoPorJogadorEAlvosVerticais) {
  const Vector2D pivo(400, 568);
  EXPECT_DOUBLE_EQ(AnguloDoTiro(1, 300, 468, pivo), -3 * math::PI / 4);
  EXPECT_DOUBLE_EQ(AnguloDoTiro(0, 500, 668, pivo), -math::PI / 4)
      << "below the pivot counts as its mirror image above";
  EXPECT_DOUBLE_EQ(AnguloDoTiro(0, 600, 568, pivo), 0);
  EXPECT_DOUBLE_EQ(AnguloDoTiro(1, 200, 568, pivo), -math::PI);
  // Straight above, and on the pivot itself where the quotient would be 0/0.
  for (int p = 0; p < 2; p++) {
    EXPECT_DOUBLE_EQ(AnguloDoTiro(p, 400, 300, pivo), -math::PI / 2);
    EXPECT_DOUBLE_EQ(AnguloDoTiro(p, 400, 568, pivo), -math::PI / 2);
  }
  const Vector2D f0 = ImpulsoInicial(5, AnguloDoTiro(0, 400, 568, pivo));
  EXPECT_TRUE(std::isfinite(f0.x));
  EXPECT_NEAR(f0.y, -15, 1e-5);
  EXPECT_LT(std::fabs(PassoDaCamera(f0, 0.02f).x), 1e-3);
}

TEST(Tiro, forcaZeroEVelocidadesMaximasPorTipo) {
  const Vector2D f0 = ImpulsoInicial(0, -0.5);
  EXPECT_EQ(f0, Vector2D(0, 0));
  EXPECT_EQ(PassoDaCamera(f0, 0.02f).x, 0);
  const Vector2D cheio = ImpulsoInicial(13, 0);
  EXPECT_NEAR(PassoDaCamera(cheio, 0.02f).x, 32.5, 1e-4);
  EXPECT_NEAR(PassoDaCamera(cheio, 0.03f).x, 21.6667, 1e-4);
  EXPECT_NEAR(PassoDaCamera(cheio, 0.04f).x, 16.25, 1e-4);
  Vector2D v, a;
  Lancamento(f0, 0.04f, Vector2D(-0.5f, 9.787603f), &v, &a);
  EXPECT_FLOAT_EQ(v.x, -0.5f / 60);
  EXPECT_FLOAT_EQ(a.y, 9.787603f / 60);
}

TEST(Tiro, bocaComCanoParaBaixoComecaAbaixoDaJanela) {
  Canhao c = CanhaoNoCentro(0);
  c.CalculaRotacao(440, 598);
  EXPECT_GT(PosicaoNaBoca(c).y, 600) << "a barrel 37 degrees down";
  Canhao esquerdo = CanhaoNoCentro(180);
  const Vector2D boca = PosicaoNaBoca(esquerdo);
  EXPECT_NEAR(boca.x, 400 - 113 - 28, 1e-3);
  EXPECT_NEAR(boca.y, 568 - 28, 1e-3);
}

TEST(Camera, paraA140PixelsDaOutraColuna) {
  Bala balas[2] = {Bala(0, 0, 0, 0.02f), Bala(0, 0, 0, 0.02f)};
  balas[1].resultante.x = 1000;
  balas[0].resultante.x = 1139.9f;
  EXPECT_FALSE(CameraParou(0, balas));
  balas[0].resultante.x = 1140;
  EXPECT_TRUE(CameraParou(0, balas));
  balas[0].resultante.x = 400;
  balas[1].resultante.x = 260.1f;
  EXPECT_FALSE(CameraParou(1, balas));
  balas[1].resultante.x = 260;
  EXPECT_TRUE(CameraParou(1, balas));
}

TEST(Dano, pontosInteirosPorTipoEDestruicaoNoZeroExato) {
  Canhao alvo(0, 0, 0, 0, 0, 100);
  EXPECT_EQ(AplicaDano(&alvo, 2), 0);
  EXPECT_EQ(alvo.vida, 70);
  EXPECT_EQ(AplicaDano(&alvo, 2), 0);
  EXPECT_EQ(AplicaDano(&alvo, 2), 0);
  EXPECT_EQ(alvo.vida, 10);
  EXPECT_EQ(AplicaDano(&alvo, 1), 1);
  EXPECT_EQ(alvo.vida, 0);
  for (int tipo = 1; tipo <= 3; tipo++) {
    Canhao c(0, 0, 0, 0, 0, 10 * (tipo + 1));
    EXPECT_EQ(AplicaDano(&c, tipo), 1) << "kind " << tipo;
    EXPECT_EQ(c.vida, 0);
    Canhao quase(0, 0, 0, 0, 0, 10 * (tipo + 1) + 1);
    EXPECT_EQ(AplicaDano(&quase, tipo), 0);
    EXPECT_EQ(quase.vida, 1);
  }
}

TEST(Vento, magnitudePrimeiroDepoisSinal) {
  sorteios = {7, 2, 3 + 11, 0, 10, 2, 22, 1};
  EXPECT_EQ(NovoVento(), Vector2D(0.7f, 0));
  EXPECT_FLOAT_EQ(NovoVento().x, -0.3f);
  EXPECT_FLOAT_EQ(NovoVento().x, 1.0f);
  EXPECT_EQ(NovoVento().x, 0) << "sign 0 is calm";
  EXPECT_TRUE(sorteios.empty());
}

TEST(Textos, ventoComSetasParaOs21Ventos) {
  const char *esperado[21] = {"<<<", "<<<", "<<<", "<< ", "<< ", "<< ", "<< ",
                              "<< ", "<  ", "<  ", ">  ", ">  ", ">  ", ">> ",
                              ">> ", ">> ", ">> ", ">> ", ">>>", ">>>", ">>>"};
  for (int i = 0; i < 21; i++) {
    const float vento =
        float(((i < 10 ? 10 - i : i - 10) / 10.0) * (i < 10 ? -1 : 1));
    char texto[20];
    memset(texto, 'x', sizeof texto);
    MontaTextoVento(texto, vento);
    EXPECT_EQ(std::string(texto), std::string("Vento: ") + esperado[i])
        << "wind " << vento;
    for (int j = 10; j < 20; j++) EXPECT_EQ(texto[j], 0);
  }
}

TEST(Textos, jogadorComDoisBrancos) {
  char texto[100], jogador[3];
  memset(texto, 'x', sizeof texto);
  MontaTextoJogador(texto, jogador, 0);
  EXPECT_STREQ(texto, "PLAYER  1");
  for (int j = 9; j < 100; j++) ASSERT_EQ(texto[j], 0);
  MontaTextoJogador(texto, jogador, 1);
  EXPECT_STREQ(texto, "PLAYER  2");
  EXPECT_STREQ(jogador, " 2");
}

TEST(Formatos, itoaDoisCaracteres) {
  const struct {
    int n;
    const char *texto;
  } casos[] = {{0, " 0"},  {1, " 1"},  {7, " 7"},   {9, " 9"},    {10, "10"},
               {42, "42"}, {99, "99"}, {100, "99"}, {12345, "99"}};
  for (const auto &c : casos) {
    char d[3] = {'x', 'x', 'x'};
    itoa(d, c.n);
    EXPECT_EQ(std::string(d, 3), std::string(c.texto, 3)) << c.n;
  }
}

TEST(Formatos, ftoaDecimaisTruncadosEmPrecisaoSimples) {
  const struct {
    float n;
    const char *texto;
  } casos[] = {{3.14159f, "+03.14"}, {-0.5f, "-00.50"}, {0.0f, " 00.00"},
               {12.345f, "+12.34"},  {2.3f, "+02.29"},  {45.6f, "+45.59"},
               {-7.25f, "-07.25"},   {0.07f, "+00.07"}, {99.999f, "+99.99"}};
  for (const auto &c : casos) {
    char d[7];
    memset(d, 'x', sizeof d);
    ftoa(d, c.n);
    EXPECT_EQ(std::string(d, 7), std::string(c.texto, 7)) << c.n;
  }
}

// ---------------------------------------------------------------------------
// The display on the OpenGL back-end
// ---------------------------------------------------------------------------

class Painel : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(IniciaGLSilencioso());
    CapturaSaida silencio;
    T2D2P_Inicia();
    T2D2_LimpaTela();
  }
  void TearDown() override { EncerraSilencioso(); }

  // Quads cover their corners' pixel grid half-open: a rectangle from x1 to
  // x2 paints columns x1 to x2 - 1.
  // The first row from the top, between 12 and 588, that the bar fills.
  static int TopoDaBarra(int x) {
    for (int y = 12; y <= 588; y++)
      if (!(LePixelGL(x, y) == PRETO)) return y;
    return -1;
  }

  static constexpr Cor PRETO{0, 0, 0, 255};
  static constexpr Cor BRANCO{255, 255, 255, 255};
  static constexpr Cor VERMELHO{255, 0, 0, 255};
};

static bool MesmaCor(const Cor &a, const Cor &b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

TEST_F(Painel, barraEnchePelaForcaECorPelaFase) {
  DesenhaBarraForca(0, 6.500000000000003, 255);
  EXPECT_EQ(TopoDaBarra(20), 300);
  EXPECT_TRUE(MesmaCor(LePixelGL(20, 400), Cor{0, 255, 0, 255}));
  EXPECT_TRUE(MesmaCor(LePixelGL(10, 10), BRANCO));
  EXPECT_TRUE(MesmaCor(LePixelGL(29, 589), BRANCO));
  EXPECT_TRUE(MesmaCor(LePixelGL(9, 300), PRETO)) << "nothing left of x 10";
  DesenhaBarraForca(760, 12.999999999999964, 0);
  EXPECT_EQ(TopoDaBarra(780), 13);
  EXPECT_TRUE(MesmaCor(LePixelGL(780, 100), VERMELHO));
  EXPECT_TRUE(MesmaCor(LePixelGL(770, 300), BRANCO));
  EXPECT_TRUE(MesmaCor(LePixelGL(789, 300), BRANCO));
  EXPECT_TRUE(MesmaCor(LePixelGL(790, 300), PRETO));
  DesenhaBarraForca(0, 0.10833333333333334, 252.875);
  EXPECT_EQ(TopoDaBarra(20), 583);
  EXPECT_TRUE(MesmaCor(LePixelGL(20, 586), Cor{2, 252, 0, 255}));
}

TEST_F(Painel, inventarioComMolduraBrancaEBordaVermelhaDoTipo) {
  const unsigned int semFiguras[3] = {0, 0, 0};
  DesenhaInventario(semFiguras, 2, 3);
  for (int k = 0; k < 3; k++) {
    const int x = 200 + 150 * k;
    EXPECT_TRUE(MesmaCor(LePixelGL(x, 50), BRANCO)) << k;
    EXPECT_TRUE(MesmaCor(LePixelGL(x + 1, 50), BRANCO)) << k;
    EXPECT_TRUE(MesmaCor(LePixelGL(x + 2, 50), PRETO)) << k;
    EXPECT_TRUE(MesmaCor(LePixelGL(x + 50, 99), BRANCO)) << k;
    EXPECT_TRUE(MesmaCor(LePixelGL(x + 50, 97), PRETO)) << k;
  }
  // Five red columns on either side of the slot, five red rows above and
  // below it; the library's outlines sit one column left on the left side.
  int esquerda = 0, direita = 0;
  for (int x = 490; x < 500; x++)
    esquerda += MesmaCor(LePixelGL(x, 50), VERMELHO);
  for (int x = 600; x < 610; x++)
    direita += MesmaCor(LePixelGL(x, 50), VERMELHO);
  EXPECT_EQ(esquerda, 5);
  EXPECT_EQ(direita, 5);
  for (int d = 1; d <= 5; d++) {
    EXPECT_TRUE(MesmaCor(LePixelGL(550, 10 - d), VERMELHO)) << d;
    EXPECT_TRUE(MesmaCor(LePixelGL(550, 100 + d), VERMELHO)) << d;
  }
  EXPECT_TRUE(MesmaCor(LePixelGL(197, 50), PRETO)) << "only kind 3 is framed";
}

TEST_F(Painel, drawLimpaEDesenhaCanhoesEBarra) {
  T2D2P_RetanguloPintado(600, 300, 700, 400, 0, 0, 255);
  // Player 1's turn: its cannon, drawn second, shows at (400, 568).
  Canhao armas[2] = {CanhaoNoCentro(0), Canhao(1670, 540, 0, 0, 0, 60)};
  armas[1].aplicaOffset(Vector2D(-1270, 28));
  draw(1, 0, 0, armas, nullptr, 760, 13, 0, 0, 0);
  EXPECT_TRUE(MesmaCor(LePixelGL(650, 350), PRETO)) << "cleared first";
  EXPECT_TRUE(MesmaCor(LePixelGL(371, 505), Cor{0, 255, 0, 255}));
  EXPECT_TRUE(MesmaCor(LePixelGL(429, 505), Cor{0, 255, 0, 255}));
  EXPECT_TRUE(MesmaCor(LePixelGL(430, 505), VERMELHO));
  EXPECT_TRUE(MesmaCor(LePixelGL(469, 505), VERMELHO));
  EXPECT_EQ(TopoDaBarra(780), 13);
  EXPECT_TRUE(MesmaCor(LePixelGL(20, 300), PRETO));
}

TEST(Inicio, abreAJanelaEAnunciaOuFalhaComAFrase) {
  std::string saida;
  int ok;
  {
    CapturaSaida c;
    ok = SemRegistrarVazamentos([] { return Tovik2D_Start() == 1; });
    saida = c.texto();
  }
  ASSERT_TRUE(ok);
  EXPECT_NE(saida.find("\nIniciou a Tovik2D 2 com sucesso\n"),
            std::string::npos);
  char *titulo = nullptr;
  SDL_WM_GetCaption(&titulo, nullptr);
  ASSERT_NE(titulo, nullptr);
  EXPECT_EQ(std::string(titulo).rfind("Trovasco", 0), 0u);
  EXPECT_NE(std::string(titulo).find("2012"), std::string::npos);
  EXPECT_NE(T2D2P_RetanguloPintado, nullptr);
  {
    CapturaSaida c;
    ok = Tovik2D_Start();
    saida = c.texto();
  }
  EXPECT_EQ(ok, 0) << "already running";
  EXPECT_EQ(saida, "Falhou ao iniciar a Tovik2D 2. Encerrando o programa.\n");
  EncerraSilencioso();
}
