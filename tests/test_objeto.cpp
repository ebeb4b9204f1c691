// The game objects: corner tables, turning, moving, collision queries through
// the library and the cannon's drawing read back from the OpenGL frame.
#include "Objeto.h"
#include "apoio.h"

#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

using math::Vector2D;
using obj::Bala;
using obj::Canhao;
using obj::Objeto;

static_assert(!std::is_polymorphic<Objeto>::value, "no virtual functions");
static_assert(!std::is_polymorphic<Canhao>::value, "no virtual functions");
static_assert(!std::is_polymorphic<Bala>::value, "no virtual functions");

namespace {

void EsperaCantos(const Objeto &o, const int (&x)[4], const int (&y)[4]) {
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(o.x[i], x[i]) << "canto " << i;
    EXPECT_EQ(o.y[i], y[i]) << "canto " << i;
  }
}

const Cor OPACO{255, 255, 255, 255};
const Cor VAZIO{0, 0, 0, 0};
const Cor AZUL{0, 0, 255, 255};
const Cor AMARELO{255, 255, 0, 255};

// Loads a generated w x h image whose pixel (x, y) is cor(x, y), cut into
// frames of ql x qa.
unsigned int Carrega(const std::string &nome, int w, int h, int ql, int qa,
                     const std::function<Cor(int, int)> &cor) {
  std::string caminho = EscreveImagem(nome, w, h, 4, cor);
  CapturaSaida silencio;
  return T2D2_CarregaSpriteSet(caminho.c_str(), ql, qa);
}

unsigned int CarregaCheio(const std::string &nome, int w, int h) {
  return Carrega(nome, w, h, w, h, [](int, int) { return OPACO; });
}

// Colour components only: the frame's alpha depends on the visual.
bool MesmaCor(const Cor &a, const Cor &b) {
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

} // namespace

TEST(ObjetoCantos, construcaoERotacaoPorAngulo) {
  Objeto o(100, 540, 7, 8);
  EXPECT_EQ(o.raio, 113.0);
  EXPECT_EQ(o.angulo, 0.0);
  EXPECT_EQ(o.origem, Vector2D(100, 540));
  EXPECT_EQ(o.resultante, Vector2D(100, 540));
  EXPECT_EQ(o.centro.x, 0.0f);
  EXPECT_EQ(o.centro.y, 0.0f);
  EsperaCantos(o, {20, 179, 179, 20}, {460, 460, 619, 619});

  // The frame's top edge now runs along the left side; angulo is kept.
  o.CalculaRotacao(90.0);
  EsperaCantos(o, {20, 20, 179, 179}, {619, 460, 460, 619});
  EXPECT_EQ(o.angulo, 0.0);
}

TEST(ObjetoCantos, canhaoVoltadoParaAEsquerda) {
  Canhao c(1670, 540, 1, 2, 3, 100);
  EXPECT_EQ(c.vida, 100);
  EXPECT_EQ(c.base, 2u);
  c.setAngulo(180);
  EXPECT_EQ(c.angulo, 180.0);
  EsperaCantos(c, {1749, 1590, 1590, 1749}, {619, 619, 460, 460});
}

TEST(ObjetoCantos, truncamEmDirecaoAZero) {
  // -129.9 becomes -129 and -79.9 becomes -79, never -130 or -80.
  Objeto o(-50, 0, 0, 0);
  EsperaCantos(o, {-129, 29, 29, -129}, {-79, -79, 79, 79});
}

TEST(ObjetoCantos, posicoesSemInteiroDaoCantosDefinidos) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  Objeto perdido(nan, inf, 0, 0);
  EsperaCantos(perdido, {0, 0, 0, 0}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX});
  Objeto longe(1e20f, -1e20f, 0, 0);
  EsperaCantos(longe, {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
               {INT_MIN, INT_MIN, INT_MIN, INT_MIN});
  longe.aplicaOffset(Vector2D(-1e20f, 1e20f));
  EsperaCantos(longe, {-79, 79, 79, -79}, {-79, -79, 79, 79});
  // Turning towards a point from nowhere leaves a defined angle.
  perdido.CalculaRotacao(10, 10);
  EXPECT_TRUE(std::isnan(perdido.angulo));
  EsperaCantos(perdido, {0, 0, 0, 0}, {0, 0, 0, 0});
}

TEST(ObjetoRotacao, voltaSeParaUmPonto) {
  Objeto o(100, 540, 0, 0);
  o.CalculaRotacao(110, 530);
  EXPECT_DOUBLE_EQ(o.angulo, 45.0);
  Objeto esperado(100, 540, 0, 0);
  esperado.CalculaRotacao(45.0);
  EsperaCantos(o, esperado.x, esperado.y);

  o.CalculaRotacao(100, 540);
  EXPECT_EQ(o.angulo, 0.0);
  EsperaCantos(o, {20, 179, 179, 20}, {460, 460, 619, 619});
  o.CalculaRotacao(100, 400);
  EXPECT_DOUBLE_EQ(o.angulo, 90.0);
  o.CalculaRotacao(0, 540);
  EXPECT_DOUBLE_EQ(o.angulo, 180.0);
  o.CalculaRotacao(100, 600);
  EXPECT_DOUBLE_EQ(o.angulo, -90.0);
}

TEST(ObjetoRotacao, medidaAPartirDaPosicaoNaoDoCentro) {
  Objeto o(100, 540, 0, 0);
  o.aplicaOffset(Vector2D(0, 0)); // centro is now (180, 620)
  o.CalculaRotacao(200, 540);
  EXPECT_EQ(o.angulo, 0.0);
}

TEST(ObjetoMovimento, aplicaOffsetEReset) {
  Objeto o(100, 540, 0, 0);
  o.aplicaOffset(Vector2D(5, -3));
  EXPECT_EQ(o.resultante, Vector2D(105, 537));
  EXPECT_EQ(o.centro, Vector2D(185, 617));
  EXPECT_EQ(o.origem, Vector2D(100, 540));
  EsperaCantos(o, {25, 184, 184, 25}, {457, 457, 616, 616});

  o.reset();
  EXPECT_EQ(o.resultante, Vector2D(100, 540));
  EXPECT_EQ(o.centro, Vector2D(185, 617));
  EsperaCantos(o, {25, 184, 184, 25}, {457, 457, 616, 616});
}

TEST(ObjetoMovimento, offsetMantemOAngulo) {
  Canhao c(100, 540, 0, 0, 0, 100);
  c.setAngulo(90);
  c.aplicaOffset(Vector2D(0, 0));
  EsperaCantos(c, {20, 20, 179, 179}, {619, 460, 460, 619});
}

class ObjetosNaTela : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(IniciaGLSilencioso());
    ASSERT_TRUE(T2D2P_Inicia());
  }
  void TearDown() override { EncerraSilencioso(); }
};

TEST_F(ObjetosNaTela, formaDeColisaoFica80PixelsAcimaEAEsquerda) {
  unsigned int ponto = CarregaCheio("objeto_ponto.png", 1, 1);
  unsigned int grande = CarregaCheio("objeto_grande.png", 300, 300);
  unsigned int forma10 = CarregaCheio("objeto_forma10.png", 10, 10);
  unsigned int forma30 = CarregaCheio("objeto_forma30.png", 30, 30);
  ASSERT_TRUE(ponto && grande && forma10 && forma30);
  Objeto alvo(200.7f, 200.7f, ponto, 0); // its one pixel is (200, 200)

  // The shape spans [p - 80, p - 80 + size) on each axis.
  struct Caso {
    unsigned int forma;
    float px, py;
    int esperado;
  } casos[] = {
      {forma10, 280, 280, 1},
      {forma10, 281, 280, 0},
      {forma10, 280, 281, 0},
      {forma10, 271, 271, 1},
      {forma10, 270, 275, 0},
      {forma10, 275, 270, 0},
      {forma30, 280, 280, 1},
      {forma30, 251, 251, 1},
      {forma30, 250, 260, 0},
      {forma10, 280.9f, 271, 1},
      // The other's own sprite covers the pixel, its shape does not.
      {forma10, 150, 150, 0},
  };
  for (const Caso &c : casos) {
    Objeto outro(c.px, c.py, grande, c.forma);
    EXPECT_EQ(alvo.colidiu(outro), c.esperado)
        << "forma " << c.forma << " em " << outro.resultante;
  }
}

TEST_F(ObjetosNaTela, colisaoEntreQuadrosDosSprites) {
  // Two 10 x 10 frames: 0 transparent, 1 opaque.
  unsigned int dois =
      Carrega("objeto_dois.png", 20, 10, 10, 10,
              [](int x, int) { return x < 10 ? VAZIO : OPACO; });
  unsigned int unico = CarregaCheio("objeto_unico.png", 10, 10);
  ASSERT_TRUE(dois && unico);

  Objeto quadros(0, 0, dois, 0), cheio(5, 5, unico, 0);
  EXPECT_EQ(quadros.colidiu(1, cheio, 0), 1);
  EXPECT_EQ(quadros.colidiu(0, cheio, 0), 0);
  EXPECT_EQ(cheio.colidiu(quadros, 1), 1);
  EXPECT_EQ(cheio.colidiu(quadros, 0), 0);
  EXPECT_EQ(cheio.colidiu(0, quadros, 1), 1);

  // Positions are truncated: 9.9 shares pixel (9, 9), 10 touches nothing.
  Objeto a(0, 0, unico, 0), quase(9.9f, 9.9f, unico, 0),
      junto(10, 10, unico, 0);
  EXPECT_EQ(a.colidiu(quase, 0), 1);
  EXPECT_EQ(a.colidiu(junto, 0), 0);
}

TEST_F(ObjetosNaTela, balaPerguntaPorObjetoSemForma) {
  unsigned int ponto = CarregaCheio("objeto_ponto.png", 1, 1);
  unsigned int outro = CarregaCheio("objeto_outro.png", 4, 4);
  ASSERT_TRUE(ponto && outro);
  Bala bala(200, 200, ponto, 2.5f);
  EXPECT_EQ(bala.massa, 2.5f);
  Objeto semForma(280, 280, ponto, 0);

  CapturaSaida saida;
  EXPECT_EQ(bala.colidiu(semForma), 0);
  // A cannonball has no shape of its own either.
  EXPECT_EQ(semForma.colidiu(bala), 0);
  EXPECT_EQ(saida.texto(), "Tentou colidir com um sprite invalido (0)\n"
                           "Tentou colidir com um sprite invalido (0)\n");

  // setSprite changes what the ball collides with.
  Objeto forma(280, 280, ponto, outro);
  EXPECT_EQ(bala.colidiu(forma), 1);
  bala.setSprite(0);
  CapturaSaida depois;
  EXPECT_EQ(bala.colidiu(forma), 0);
  EXPECT_EQ(depois.texto(), "Tentou colidir com um sprite invalido (0)\n");
}

TEST_F(ObjetosNaTela, objetoDesenhaPeloCantoSuperiorEsquerdo) {
  unsigned int amarelo =
      Carrega("objeto_amarelo.png", 112, 36, 56, 36,
              [](int x, int) { return x < 56 ? AMARELO : AZUL; });
  ASSERT_TRUE(amarelo);
  T2D2_LimpaTela();
  // -0.9 truncates to 0, so the frame ends at column 55, not 54.
  Objeto o(-0.9f, -0.9f, amarelo, 0);
  o.desenha();
  EXPECT_TRUE(MesmaCor(LePixelGL(55, 35), AMARELO)) << LePixelGL(55, 35);
  EXPECT_TRUE(MesmaCor(LePixelGL(56, 20), VAZIO)) << LePixelGL(56, 20);
  Objeto segundo(200.5f, 100, amarelo, 0);
  segundo.desenha(1);
  EXPECT_TRUE(MesmaCor(LePixelGL(200, 100), AZUL)) << LePixelGL(200, 100);
  EXPECT_TRUE(MesmaCor(LePixelGL(255, 135), AZUL)) << LePixelGL(255, 135);
  EXPECT_TRUE(MesmaCor(LePixelGL(199, 100), VAZIO)) << LePixelGL(199, 100);
}

class CanhaoNaTela : public ObjetosNaTela {
protected:
  void SetUp() override {
    ObjetosNaTela::SetUp();
    // A barrel pointing right from the frame's centre, on a clear frame.
    cano = Carrega("objeto_cano.png", 160, 160, 160, 160, [](int x, int y) {
      return (y >= 75 && y < 85 && x >= 85) ? AZUL : VAZIO;
    });
    base = Carrega("objeto_base.png", 56, 36, 56, 36,
                   [](int, int) { return AMARELO; });
    ASSERT_TRUE(cano && base);
  }
  Cor Desenha(Canhao &c, int x, int y) {
    T2D2_LimpaTela();
    c.desenha();
    return LePixelGL(x, y);
  }
  unsigned int cano = 0, base = 0;
};

const Cor VERDE{0, 255, 0, 255};
const Cor VERMELHO{255, 0, 0, 255};

TEST_F(CanhaoNaTela, barraDeVidaVerdeEVermelha) {
  // Position (300, 300): the bar spans columns 270..369 on rows 232..241.
  Canhao c(300, 300, cano, base, 0, 100);
  T2D2_LimpaTela();
  c.desenha();
  for (int x : {270, 300, 369})
    EXPECT_TRUE(MesmaCor(LePixelGL(x, 237), VERDE)) << x << LePixelGL(x, 237);
  for (int y : {232, 241})
    EXPECT_TRUE(MesmaCor(LePixelGL(300, y), VERDE)) << y << LePixelGL(300, y);
  for (int x : {269, 370, 372}) // the red part has no width
    EXPECT_TRUE(MesmaCor(LePixelGL(x, 237), VAZIO)) << x << LePixelGL(x, 237);
  for (int y : {231, 242})
    EXPECT_TRUE(MesmaCor(LePixelGL(300, y), VAZIO)) << y << LePixelGL(300, y);

  c.vida = 40;
  T2D2_LimpaTela();
  c.desenha();
  for (int x : {270, 290, 309})
    EXPECT_TRUE(MesmaCor(LePixelGL(x, 237), VERDE)) << x << LePixelGL(x, 237);
  for (int x : {310, 340, 369})
    EXPECT_TRUE(MesmaCor(LePixelGL(x, 237), VERMELHO))
        << x << LePixelGL(x, 237);
  EXPECT_TRUE(MesmaCor(LePixelGL(370, 237), VAZIO)) << LePixelGL(370, 237);
}

TEST_F(CanhaoNaTela, canoGiraComOAnguloEABaseNao) {
  Canhao c(300, 300, cano, base, 0, 100);
  // Angle 0: the barrel points right, and the base covers its root.
  EXPECT_TRUE(MesmaCor(Desenha(c, 350, 300), AZUL));
  EXPECT_TRUE(MesmaCor(LePixelGL(320, 300), AMARELO)) << LePixelGL(320, 300);
  EXPECT_TRUE(MesmaCor(LePixelGL(300, 250), VAZIO)) << LePixelGL(300, 250);

  // 90 degrees: up on the screen, under the life bar; the base stays put.
  c.setAngulo(90);
  EXPECT_TRUE(MesmaCor(Desenha(c, 300, 260), AZUL)) << LePixelGL(300, 260);
  EXPECT_TRUE(MesmaCor(LePixelGL(300, 225), AZUL)) << LePixelGL(300, 225);
  EXPECT_TRUE(MesmaCor(LePixelGL(300, 237), VERDE)) << LePixelGL(300, 237);
  EXPECT_TRUE(MesmaCor(LePixelGL(350, 300), VAZIO)) << LePixelGL(350, 300);
  EXPECT_TRUE(MesmaCor(LePixelGL(300, 340), VAZIO)) << LePixelGL(300, 340);
  EXPECT_TRUE(MesmaCor(LePixelGL(273, 283), AMARELO)) << LePixelGL(273, 283);
  EXPECT_TRUE(MesmaCor(LePixelGL(327, 317), AMARELO)) << LePixelGL(327, 317);

  c.setAngulo(180);
  EXPECT_TRUE(MesmaCor(Desenha(c, 250, 300), AZUL)) << LePixelGL(250, 300);
  EXPECT_TRUE(MesmaCor(LePixelGL(350, 300), VAZIO)) << LePixelGL(350, 300);
}

TEST_F(CanhaoNaTela, posicaoSemInteiroNaoQuebraODesenho) {
  Canhao c(std::nanf(""), std::numeric_limits<float>::infinity(), cano, base, 0,
           100);
  T2D2_LimpaTela();
  c.desenha();
  c.setAngulo(45);
  c.desenha();
  EXPECT_TRUE(MesmaCor(LePixelGL(400, 300), VAZIO)) << LePixelGL(400, 300);
}
