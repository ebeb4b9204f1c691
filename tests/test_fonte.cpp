// Bitmap fonts on the OpenGL back-end: the measuring of every cell, the
// registry with its reference count and refusals, and text read back as
// pixels for each alignment.
#include "apoio_fonte.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const Cor BRANCO{255, 255, 255, 255};
const Cor PRETO{0, 0, 0, 255};

// The glyphs of the 32-pixel test sheet.
bool tintaPadrao(int k, int x, int y) {
  switch (k) {
  case 'A':
    return Colunas(x, 5, 20); // the worked example
  case 'C':
    return Colunas(x, 10, 31); // reaches the right edge
  case 'D':
    return Colunas(x, 3, 30); // first blank column 31
  case 'E':
    return Colunas(x, 2, 5) || Colunas(x, 9, 12); // two strokes
  case 'F':
    return x == 7 && y == 31; // one pixel, bottom row
  case 'G':
    return Colunas(x, 0, 14); // advance 17
  case 'H':
    return Colunas(x, 4, 18); // advance 17, offset 4
  case 'I':
    return x == 8; // on a magenta cell
  case ' ':
    return true; // the blank, inked
  case 0xe9:
    return Colunas(x, 1, 3); // a byte above 127
  default:
    return false;
  }
}

const char MSG_DIMENSOES_320[] =
    "As dimens\xf5"
    "es da fonte s\xe3"
    "o inv\xe1"
    "lidas. utilize um arquivo "
    "de 320x320 pixels, com as fontes numa matriz 16x16.\n";
const char MSG_NAO_QUADRADA_320x160[] =
    "A imagem tem 320x160 pixels: uma fonte precisa de uma imagem quadrada, "
    "de lado m\xfa"
    "ltiplo de 16.\n";
const char MSG_CELULA_512[] = "A imagem tem 512x512 pixels: o tamanho de c\xe9"
                              "lula que serve \xe9 32.\n";

class Fonte : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(IniciaGLSilencioso()); }
  void TearDown() override { EncerraSilencioso(); }

  unsigned int carrega(const std::string &arquivo, int t) {
    CapturaSaida c;
    unsigned int id = T2D2_CarregaFonte(arquivo.c_str(), t);
    saida = c.texto();
    return id;
  }
  unsigned int carregaPadrao() {
    return carrega(EscreveFolha("padrao.png", 32, tintaPadrao, 16, 'I'), 32);
  }
  int largura(unsigned int id, const char *texto) {
    int l = -1;
    EXPECT_TRUE(T2D2_DimensoesTexto(id, texto, &l, nullptr));
    return l;
  }
  // Whether columns de..ate of row y are white with black on either side.
  void esperaTinta(int de, int ate, int y) {
    EXPECT_EQ(LePixelGL(de - 1, y), PRETO) << "column " << de - 1;
    EXPECT_EQ(LePixelGL(de, y), BRANCO) << "column " << de;
    EXPECT_EQ(LePixelGL(ate, y), BRANCO) << "column " << ate;
    EXPECT_EQ(LePixelGL(ate + 1, y), PRETO) << "column " << ate + 1;
  }
  std::string saida;
};

} // namespace

TEST_F(Fonte, MedeCadaCelula) {
  unsigned int id = carregaPadrao();
  ASSERT_EQ(id, 1u);
  EXPECT_EQ(saida, "");
  const T2D2_Fonte &f = fontes[0];
  EXPECT_EQ(f.tamanhoFonte, 32);
  EXPECT_EQ(f.usuarios, 1);
  struct {
    int k, deslocamento, largura;
  } casos[] = {
      {'A', 5, 18}, {'B', 0, 32}, {'C', 10, 22}, {'D', 3, 29}, {'E', 2, 6},
      {'F', 7, 3},  {'G', 0, 17}, {'H', 4, 17},  {'I', 8, 3},  {' ', 0, 16},
      {0xe9, 1, 5}, {0, 0, 32},   {255, 0, 32},
  };
  for (const auto &c : casos) {
    EXPECT_EQ(f.deslocamentos[c.k], c.deslocamento) << "byte " << c.k;
    EXPECT_EQ(f.larguras[c.k], c.largura) << "byte " << c.k;
  }
}

TEST_F(Fonte, EspacamentoDe64) {
  unsigned int id = carrega(
      EscreveFolha("f64.png", 64,
                   [](int k, int x, int) { return k == 'a' && x <= 9; }),
      64);
  ASSERT_NE(id, 0u);
  EXPECT_EQ(fontes[id - 1].larguras['a'], 13);
  EXPECT_EQ(fontes[id - 1].larguras[' '], 32);
  EXPECT_EQ(fontes[id - 1].larguras['b'], 64);
}

TEST_F(Fonte, DimensoesDoTexto) {
  unsigned int id = carregaPadrao();
  ASSERT_NE(id, 0u);
  int l = -1, a = -1;
  EXPECT_TRUE(T2D2_DimensoesTexto(id, "", &l, &a));
  EXPECT_EQ(l, 0);
  EXPECT_EQ(a, 32);
  EXPECT_EQ(largura(id, "A\nA"), 18 + 32 + 18) << "control bytes are glyphs";
  EXPECT_EQ(largura(id, "\xe9 \xff"), 5 + 16 + 32);
  EXPECT_TRUE(T2D2_DimensoesTexto(id, "AB", nullptr, nullptr));
  a = -1;
  EXPECT_TRUE(T2D2_DimensoesTexto(id, "AB", nullptr, &a));
  EXPECT_EQ(a, 32);

  l = a = 12345;
  CapturaSaida c;
  EXPECT_FALSE(T2D2_DimensoesTexto(0, "A", &l, &a));
  EXPECT_FALSE(T2D2_DimensoesTexto(2, "A", &l, &a)) << "a free slot";
  EXPECT_FALSE(T2D2_DimensoesTexto(T2D2_MAXFONTES + 1, "A", &l, &a));
  EXPECT_EQ(c.texto(), "");
  EXPECT_EQ(l, 12345);
  EXPECT_EQ(a, 12345);
}

TEST_F(Fonte, MesmoCaminhoContaUsuarios) {
  std::string arquivo = EscreveFolha("rc.png", 32, tintaPadrao);
  ASSERT_EQ(carrega(arquivo, 32), 1u);
  EXPECT_EQ(carrega(arquivo, 16), 1u) << "the cell size is not compared";
  EXPECT_EQ(fontes[0].usuarios, 2);
  EXPECT_EQ(fontes[0].tamanhoFonte, 32);
  unsigned int conjunto = fontes[0].idSpriteSet;
  EXPECT_EQ(sprites[conjunto - 1].usuarios, 1) << "one set behind both holds";
  T2D2_RemoveFonte(1);
  EXPECT_EQ(T2D2_ProcuraFonte(arquivo.c_str()), 1u);
  EXPECT_EQ(largura(1, "A"), 18);
  T2D2_RemoveFonte(1);
  EXPECT_EQ(T2D2_ProcuraFonte(arquivo.c_str()), 0u);
  EXPECT_EQ(fontes[0].idSpriteSet, 0u);
  EXPECT_EQ(fontes[0].usuarios, 0);
  EXPECT_EQ(T2D2_ProcuraSpriteSet(arquivo.c_str()), 0u);
  EXPECT_EQ(sprites[conjunto - 1].imagem, nullptr);
  T2D2_RemoveFonte(1);
  T2D2_RemoveFonte(0);
  T2D2_RemoveFonte(T2D2_MAXFONTES + 1);
  EXPECT_EQ(carrega(arquivo, 32), 1u) << "the freed slot is taken again";
}

TEST_F(Fonte, FolhaQueNaoEhPotenciaDeDoisEhRecusada) {
  std::string arquivo = EscreveFolha("f20.png", 20, tintaPadrao);
  EXPECT_EQ(carrega(arquivo, 20), 0u);
  EXPECT_EQ(saida, std::string(MSG_DIMENSOES_320) +
                       "A imagem tem 320x320 pixels, mas o desenho em OpenGL "
                       "precisa de um lado pot\xea"
                       "ncia de dois: use uma folha de 512x512 com c\xe9"
                       "lulas de 32.\n");
  EXPECT_EQ(fontes[0].idSpriteSet, 0u);
  EXPECT_EQ(fontes[0].apelido[0], '\0');
  EXPECT_EQ(T2D2_ProcuraFonte(arquivo.c_str()), 0u);
  EXPECT_EQ(T2D2_ProcuraSpriteSet(arquivo.c_str()), 0u);
  EXPECT_EQ(sprites[0].imagem, nullptr);
}

TEST_F(Fonte, MeiaFolhaEhRecusadaESeuConjuntoRemovido) {
  std::string arquivo = EscreveFolha("meia20.png", 20, tintaPadrao, 8);
  EXPECT_EQ(carrega(arquivo, 20), 0u);
  EXPECT_EQ(saida, std::string(MSG_DIMENSOES_320) + MSG_NAO_QUADRADA_320x160);
  EXPECT_EQ(T2D2_ProcuraSpriteSet(arquivo.c_str()), 0u);
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(sprites[0].bmask, nullptr);
  EXPECT_EQ(sprites[0].textura, 0u);
  EXPECT_EQ(fontes[0].idSpriteSet, 0u);
}

TEST_F(Fonte, MensagensDeFalhaNoCarregamento) {
  EXPECT_EQ(carrega("nao_ha.png", 32), 0u);
  const std::string prefixo = "A fun\xe7\xe3"
                              "o T2D2_CarregaSPriteset falhou ao "
                              "carregar o arquivo nao_ha.png. Erro: ";
  const std::string fim = "N\xe3"
                          "o conseguir abrir a fonte do arquivo "
                          "nao_ha.png.\n";
  EXPECT_EQ(saida.compare(0, prefixo.size(), prefixo), 0) << saida;
  ASSERT_GE(saida.size(), fim.size());
  EXPECT_EQ(saida.substr(saida.size() - fim.size()), fim);
  EXPECT_EQ(fontes[0].apelido[0], '\0');

  std::string folha = EscreveFolha("zero.png", 32, tintaPadrao);
  EXPECT_EQ(carrega(folha, 0), 0u);
  EXPECT_EQ(saida, "As dimens\xf5"
                   "es da fonte s\xe3"
                   "o inv\xe1"
                   "lidas. "
                   "utilize um arquivo de 0x0 pixels, com as fontes numa "
                   "matriz 16x16.\n" +
                       std::string(MSG_CELULA_512));
  EXPECT_EQ(T2D2_ProcuraSpriteSet(folha.c_str()), 0u);

  EXPECT_EQ(carrega(folha, 33), 0u) << "cells that do not divide the image";
  const std::string quadros = "A imagem tem 512x512 pixels e n\xe3"
                              "o se divide em quadros de 33x33; o quadro mais "
                              "pr\xf3"
                              "ximo que a divide \xe9 32x32.\n";
  EXPECT_NE(saida.find(".\n" + quadros +
                       "N\xe3"
                       "o conseguir abrir a fonte do arquivo " +
                       folha + ".\n" + MSG_CELULA_512),
            std::string::npos)
      << saida;
  EXPECT_EQ(T2D2_ProcuraSpriteSet(folha.c_str()), 0u);
  EXPECT_EQ(fontes[0].idSpriteSet, 0u);
}

TEST_F(Fonte, CaminhoLongoDemaisEhRecusadoSemTransbordar) {
  std::string longo(T2D2_MAXAPELIDO, 'a');
  EXPECT_EQ(carrega(longo, 32), 0u);
  EXPECT_EQ(saida, "O caminho do arquivo " + std::string(48, 'a') +
                       "... tem mais de 2047 bytes e foi recusado.\n");
  EXPECT_EQ(fontes[0].apelido[0], '\0');
  EXPECT_EQ(sprites[0].apelido[0], '\0') << "no sprite set was tried";

  std::string noLimite(T2D2_MAXAPELIDO - 1, 'b');
  EXPECT_EQ(carrega(noLimite, 32), 0u) << "fits, but there is no such file";
  EXPECT_EQ(fontes[0].apelido[0], '\0');
  EXPECT_EQ(fontes[0].idSpriteSet, 0u);
}

// A free slot's name is empty; an empty path must not find it.
TEST_F(Fonte, CaminhoVazioNaoAchaUmaVagaLivre) {
  EXPECT_EQ(T2D2_ProcuraFonte(""), 0u);
  EXPECT_EQ(carrega("", 32), 0u);
  const std::string linha = "N\xe3"
                            "o conseguir abrir a fonte do arquivo .\n";
  ASSERT_GE(saida.size(), linha.size());
  EXPECT_EQ(saida.substr(saida.size() - linha.size()), linha)
      << "after the loader's own line";
  EXPECT_EQ(saida.rfind("A fun\xe7\xe3"
                        "o T2D2_CarregaSPriteset",
                        0),
            0u);
  EXPECT_EQ(sprites[0].usuarios, 0);
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(fontes[0].usuarios, 0);
  EXPECT_EQ(fontes[0].idSpriteSet, 0u);
  CapturaSaida c;
  EXPECT_EQ(T2D2_CarregaFonte(nullptr, 32), 0u);
  EXPECT_EQ(T2D2_ProcuraFonte(nullptr), 0u);
  c.texto();
  ASSERT_NE(carregaPadrao(), 0u);
  EXPECT_EQ(T2D2_ProcuraFonte(""), 0u);
}

TEST_F(Fonte, TabelaCheiaRecusaEmSilencio) {
  auto pixel = [](int k, int, int) { return k == 'x'; };
  std::string setima;
  for (int i = 1; i <= T2D2_MAXFONTES; i++) {
    std::string folha =
        EscreveFolha("t" + std::to_string(i) + ".png", 1, pixel);
    if (i == 7) setima = folha;
    ASSERT_EQ(carrega(folha, 1), unsigned(i));
  }
  std::string extra = EscreveFolha("extra.png", 1, pixel);
  EXPECT_EQ(carrega(extra, 1), 0u);
  EXPECT_EQ(saida, "");
  EXPECT_EQ(T2D2_ProcuraSpriteSet(extra.c_str()), 0u);
  EXPECT_EQ(carrega(setima, 1), 7u) << "a loaded name is still found";
}

TEST_F(Fonte, TextoEmSlotLivreAvisa) {
  CapturaSaida c;
  EXPECT_FALSE(T2D2_DesenhaTexto(3, 10, 10, "abc", T2D2_ALINHA_ESQUERDA));
  EXPECT_FALSE(T2D2_DesenhaTexto(0, 10, 10, "abc", T2D2_ALINHA_ESQUERDA));
  EXPECT_FALSE(T2D2_DesenhaTexto(T2D2_MAXFONTES + 1, 10, 10, "abc", 0));
  EXPECT_EQ(c.texto(), "Falhou ao procurar as dimens\xf5"
                       "es do texto abc "
                       "com a fonte .\n"
                       "A fonte 3 n\xe3"
                       "o est\xe1 carregada: carregue-a com T2D2_CarregaFonte "
                       "antes de desenhar.\n");
}

TEST_F(Fonte, PosicaoDosGlifosEmCadaAlinhamento) {
  unsigned int id = carregaPadrao();
  ASSERT_NE(id, 0u);
  T2D2_LimpaTela();
  // "HG" is 34 wide; H's ink starts 4 columns into its cell, G's at 0.
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 200, 100, "HG", T2D2_ALINHA_ESQUERDA));
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 300, 150, "HG", T2D2_ALINHA_DIREITA));
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 400, 200, "HG", T2D2_ALINHA_CENTRO));
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 500, 250, "HG", 7));
  esperaTinta(200, 214, 110);
  esperaTinta(217, 231, 110);
  esperaTinta(266, 280, 160);
  esperaTinta(283, 297, 160);
  esperaTinta(383, 397, 210);
  esperaTinta(400, 414, 210);
  esperaTinta(500, 514, 260);
  esperaTinta(517, 531, 260);
  EXPECT_EQ(LePixelGL(205, 100 + 31), BRANCO) << "the cell's last row";
  EXPECT_EQ(LePixelGL(205, 100 + 32), PRETO);
  EXPECT_EQ(LePixelGL(205, 99), PRETO);
}

TEST_F(Fonte, CentroDeLarguraImparArredondaParaZero) {
  unsigned int id = carregaPadrao();
  ASSERT_NE(id, 0u);
  ASSERT_EQ(largura(id, "H"), 17);
  T2D2_LimpaTela();
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 100, 50, "H", T2D2_ALINHA_CENTRO));
  esperaTinta(92, 106, 60);
  // Past the left edge: the pen at -3 puts H's sprite at -7.
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 5, 300, "H", T2D2_ALINHA_CENTRO));
  EXPECT_EQ(LePixelGL(0, 310), BRANCO);
  EXPECT_EQ(LePixelGL(11, 310), BRANCO);
  EXPECT_EQ(LePixelGL(12, 310), PRETO);
}

TEST_F(Fonte, TextoVazioNaoDesenhaNada) {
  unsigned int id = carregaPadrao();
  ASSERT_NE(id, 0u);
  T2D2_LimpaTela();
  CapturaSaida c;
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 100, 100, "", T2D2_ALINHA_CENTRO));
  EXPECT_TRUE(T2D2_DesenhaTexto(id, 100, 100, nullptr, T2D2_ALINHA_DIREITA));
  EXPECT_EQ(c.texto(), "");
  for (int x = 60; x < 140; x += 3) EXPECT_EQ(LePixelGL(x, 110), PRETO);
}

TEST_F(Fonte, EncerramentoLiberaConjuntoCompartilhadoComAAplicacao) {
  std::string arquivo = EscreveFolha("comum.png", 32, tintaPadrao);
  unsigned int conjunto;
  {
    CapturaSaida c;
    conjunto = T2D2_CarregaSpriteSet(arquivo.c_str(), 32, 32);
  }
  ASSERT_NE(conjunto, 0u);
  ASSERT_EQ(carrega(arquivo, 32), 1u);
  ASSERT_EQ(carrega(arquivo, 32), 1u);
  EXPECT_EQ(fontes[0].idSpriteSet, conjunto);
  EXPECT_EQ(sprites[conjunto - 1].usuarios, 2);
  EXPECT_EQ(largura(1, "A"), 18);
  EncerraSilencioso();
  EXPECT_EQ(fontes[0].idSpriteSet, 0u);
  EXPECT_EQ(fontes[0].usuarios, 0);
  EXPECT_EQ(fontes[0].apelido[0], '\0');
  EXPECT_EQ(sprites[conjunto - 1].imagem, nullptr);
  EXPECT_EQ(sprites[conjunto - 1].bmask, nullptr);
  EXPECT_EQ(sprites[conjunto - 1].usuarios, 0);
}

TEST_F(Fonte, RemoverAFonteDeixaOConjuntoDaAplicacao) {
  std::string arquivo = EscreveFolha("app.png", 32, tintaPadrao);
  unsigned int conjunto;
  {
    CapturaSaida c;
    conjunto = T2D2_CarregaSpriteSet(arquivo.c_str(), 32, 32);
  }
  ASSERT_EQ(carrega(arquivo, 32), 1u);
  T2D2_RemoveFonte(1);
  EXPECT_EQ(sprites[conjunto - 1].usuarios, 1);
  ASSERT_NE(sprites[conjunto - 1].imagem, nullptr);
  EXPECT_TRUE(T2D2_DesenhaSprite(conjunto, 'A', 0, 0));
}

// 64x32 pixels are 16 x 8 cells of 4 pixels: half a sheet. The OpenGL
// working image pads it to a 64x64 square, which must not pass for a whole
// sheet; both back-ends refuse it and say why.
TEST(FonteNosDoisBackEnds, MeiaFolhaEhRecusadaMesmoQuadradaNoOpenGL) {
  const std::string arquivo = EscreveFolha("meia4.png", 4, tintaPadrao, 8);
  for (int tipo : {T2D2_DESENHO_OPENGL, T2D2_DESENHO_PADRAO}) {
    ASSERT_TRUE(IniciaSilencioso(tipo, 320, 240));
    CapturaSaida c;
    EXPECT_EQ(T2D2_CarregaFonte(arquivo.c_str(), 4), 0u) << tipo;
    EXPECT_EQ(c.texto(), "As dimens\xf5"
                         "es da fonte s\xe3"
                         "o inv\xe1"
                         "lidas. utilize um arquivo de 64x64 pixels, com as "
                         "fontes numa matriz 16x16.\n"
                         "A imagem tem 64x32 pixels: uma fonte precisa de uma "
                         "imagem quadrada, de lado m\xfa"
                         "ltiplo de 16.\n")
        << tipo;
    EXPECT_EQ(T2D2_ProcuraSpriteSet(arquivo.c_str()), 0u) << tipo;
    EncerraSilencioso();
  }
}
