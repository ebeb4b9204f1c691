// Bitmap fonts on the SDL back-end, where sheets of any cell size load as
// they are: the spacing per cell size, sheets that only OpenGL refuses, a
// sheet of too few cells, and text blitted onto the screen.
#include "apoio_fonte.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class FonteSDL : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(IniciaSilencioso(T2D2_DESENHO_PADRAO, 800, 600));
  }
  void TearDown() override { EncerraSilencioso(); }

  unsigned int carrega(const std::string &arquivo, int t) {
    CapturaSaida c;
    unsigned int id = T2D2_CarregaFonte(arquivo.c_str(), t);
    saida = c.texto();
    return id;
  }
  bool branco(int x, int y) {
    Cor c = LePixelSuperficie(screen, x, y);
    return c.r == 255 && c.g == 255 && c.b == 255;
  }
  std::string saida;
};

// Ink in columns 0..9 of 'a': the first blank column is 10 in every size.
bool dezColunas(int k, int x, int) {
  return k == 'a' && x <= 9;
}

} // namespace

TEST_F(FonteSDL, EspacamentoPorTamanhoDeCelula) {
  struct {
    int t, largura;
  } casos[] = {{31, 11}, {32, 12}, {63, 12}, {64, 13}};
  for (const auto &c : casos) {
    std::string nome = "esp" + std::to_string(c.t) + ".png";
    unsigned int id = carrega(EscreveFolha(nome, c.t, dezColunas), c.t);
    ASSERT_NE(id, 0u) << saida;
    EXPECT_EQ(fontes[id - 1].larguras['a'], c.largura) << "cell " << c.t;
    EXPECT_EQ(fontes[id - 1].deslocamentos['a'], 0);
    EXPECT_EQ(fontes[id - 1].larguras[' '], c.t / 2) << "cell " << c.t;
    EXPECT_EQ(fontes[id - 1].larguras['b'], c.t) << "cell " << c.t;
  }
}

TEST_F(FonteSDL, FolhaDe320Serve) {
  auto tinta = [](int k, int x, int) { return k == 'Q' && x >= 2 && x <= 6; };
  unsigned int id = carrega(EscreveFolha("f20.png", 20, tinta), 20);
  ASSERT_EQ(id, 1u);
  EXPECT_EQ(saida, "");
  EXPECT_EQ(fontes[0].deslocamentos['Q'], 2);
  EXPECT_EQ(fontes[0].larguras['Q'], 7 + 1 - 2);
  EXPECT_EQ(fontes[0].larguras[' '], 10);
}

TEST_F(FonteSDL, MeiaFolhaEhRecusadaESeuConjuntoRemovido) {
  std::string arquivo = EscreveFolha("meia.png", 32, dezColunas, 8);
  EXPECT_EQ(carrega(arquivo, 32), 0u);
  EXPECT_EQ(saida, "As dimens\xf5"
                   "es da fonte s\xe3"
                   "o inv\xe1"
                   "lidas. "
                   "utilize um arquivo de 512x512 pixels, com as fontes numa "
                   "matriz 16x16.\n"
                   "A imagem tem 512x256 pixels: uma fonte precisa de uma "
                   "imagem quadrada, de lado m\xfa"
                   "ltiplo de 16.\n");
  EXPECT_EQ(T2D2_ProcuraSpriteSet(arquivo.c_str()), 0u);
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(sprites[0].bmask, nullptr);
  EXPECT_EQ(sprites[0].usuarios, 0);
  EXPECT_EQ(fontes[0].idSpriteSet, 0u);
  EXPECT_EQ(T2D2_ProcuraFonte(arquivo.c_str()), 0u);
}

TEST_F(FonteSDL, TextoNaTela) {
  // 'a' has ink 0..9 and advance 12 in 32-pixel cells.
  unsigned int id = carrega(EscreveFolha("tela.png", 32, dezColunas), 32);
  ASSERT_NE(id, 0u);
  T2D2_LimpaTela();
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 101, 40, "aa", T2D2_ALINHA_CENTRO));
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 300, 100, "aa", T2D2_ALINHA_DIREITA));
  int colunas[][2] = {{89, 98}, {101, 110}};
  for (auto &c : colunas) {
    EXPECT_FALSE(branco(c[0] - 1, 50)) << c[0] - 1;
    EXPECT_TRUE(branco(c[0], 50)) << c[0];
    EXPECT_TRUE(branco(c[1], 50)) << c[1];
    EXPECT_FALSE(branco(c[1] + 1, 50)) << c[1] + 1;
  }
  EXPECT_FALSE(branco(275, 110));
  EXPECT_TRUE(branco(276, 110));
  EXPECT_TRUE(branco(297, 110));
  EXPECT_FALSE(branco(298, 110));
}
