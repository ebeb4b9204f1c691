// The sprite-set registry: identifiers, reference counting, frame grids,
// failures and lookup, on the OpenGL back-end.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>
#include <string>

namespace {

Cor opaco(int, int) {
  return Cor{90, 120, 150, 255};
}

class SpriteSet : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(IniciaGLSilencioso()); }
  void TearDown() override { EncerraSilencioso(); }

  // Loads with the messages captured into ultimaSaida.
  unsigned int carrega(const std::string &arquivo, int l = 0, int a = 0) {
    return CarregaCapturando(arquivo, l, a, ultimaSaida);
  }
  std::string ultimaSaida;
};

} // namespace

TEST_F(SpriteSet, MesmoNomeDaMesmoIdentificadorEContaUsuarios) {
  std::string a = EscreveImagem("a.png", 16, 16, 4, opaco);
  std::string b = EscreveImagem("b.png", 16, 16, 4, opaco);
  EXPECT_EQ(carrega(a), 1u);
  EXPECT_EQ(carrega(b), 2u);
  EXPECT_EQ(carrega(a, 8, 8), 1u);
  EXPECT_EQ(sprites[0].usuarios, 2u);
  EXPECT_EQ(sprites[0].spLargura, 16) << "a second load keeps the frames";
  EXPECT_EQ(ultimaSaida, "");
  T2D2_RemoveSpriteSet(1);
  EXPECT_EQ(T2D2_ProcuraSpriteSet(a.c_str()), 1u);
  EXPECT_EQ(sprites[0].usuarios, 1u);
  T2D2_RemoveSpriteSet(1);
  EXPECT_EQ(T2D2_ProcuraSpriteSet(a.c_str()), 0u);
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(sprites[0].bmask, nullptr);
  EXPECT_EQ(sprites[0].textura, 0u);
  EXPECT_FALSE(sprites[0].texturaLigada);
  EXPECT_EQ(carrega(b), 2u) << "the other set is untouched";
}

TEST_F(SpriteSet, GradeDeQuadros) {
  std::string img = EscreveImagem("grade.png", 256, 64, 4, opaco);
  ASSERT_EQ(carrega(img, 32, 32), 1u);
  const T2D2_SpriteSet &s = sprites[0];
  EXPECT_EQ(s.largura, 256);
  EXPECT_EQ(s.altura, 64);
  EXPECT_EQ(s.matrizX, 8);
  EXPECT_EQ(s.matrizY, 2);
  ASSERT_NE(s.bmask, nullptr);
  for (int n = 0; n < 16; n++) EXPECT_EQ(s.bmask[n]->largura, 32);

  std::string inteira = EscreveImagem("inteira.png", 96, 64, 4, opaco);
  ASSERT_EQ(carrega(inteira, 0, 0), 2u);
  EXPECT_EQ(sprites[1].matrizX * sprites[1].matrizY, 1);
  EXPECT_EQ(sprites[1].spLargura, 96);
  std::string neg = EscreveImagem("neg.png", 96, 64, 4, opaco);
  ASSERT_EQ(carrega(neg, -5, 10), 3u);
  EXPECT_EQ(sprites[2].spAltura, 64);
  std::string multiplo = EscreveImagem("multiplo.png", 96, 64, 4, opaco);
  EXPECT_EQ(carrega(multiplo, 32, 32), 4u);
}

TEST_F(SpriteSet, ImagemQueNaoEhMultiploDoQuadroEhRecusada) {
  std::string larga = EscreveImagem("larga.png", 100, 64, 4, opaco);
  EXPECT_EQ(carrega(larga, 32, 32), 0u);
  EXPECT_EQ(ultimaSaida, "A imagem larga.png n\xe3"
                         "o pode ser usada como "
                         "fonte de sprites de tamanho 32x32\n.\n"
                         "A imagem tem 100x64 pixels e n\xe3"
                         "o se divide em quadros de 32x32; o quadro mais "
                         "pr\xf3"
                         "ximo que a divide \xe9 25x32.\n");
  std::string alta = EscreveImagem("alta.png", 96, 70, 4, opaco);
  EXPECT_EQ(carrega(alta, 32, 32), 0u);
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(sprites[0].apelido[0], '\0');
  EXPECT_EQ(T2D2_ProcuraSpriteSet(larga.c_str()), 0u);
}

TEST_F(SpriteSet, FalhaDeCarregamentoLiberaOSlot) {
  EXPECT_EQ(carrega("nao-existe.png"), 0u);
  EXPECT_EQ(ultimaSaida, "A fun\xe7\xe3"
                         "o T2D2_CarregaSPriteset falhou ao "
                         "carregar o arquivo nao-existe.png. Erro: " +
                             std::string(SDL_GetError()) + ".\n");
  EXPECT_EQ(T2D2_ProcuraSpriteSet("nao-existe.png"), 0u);
  std::string img = EscreveImagem("depois.png", 16, 16, 4, opaco);
  EXPECT_EQ(carrega(img), 1u) << "the failed load's slot is taken again";
}

TEST_F(SpriteSet, TabelaCheiaRespondeZeroEmSilencioMasRecarregaNomes) {
  for (int i = 0; i < T2D2_MAXSPRITESETS; i++) {
    std::string nome = "cheia" + std::to_string(i) + ".png";
    EscreveImagem(nome, 1, 1, 4, opaco);
    ASSERT_EQ(carrega(nome), unsigned(i + 1)) << nome;
  }
  std::string outro = EscreveImagem("sobra.png", 1, 1, 4, opaco);
  EXPECT_EQ(carrega(outro), 0u);
  EXPECT_EQ(ultimaSaida, "");
  EXPECT_EQ(carrega("cheia0.png"), 1u);
  EXPECT_EQ(sprites[0].usuarios, 2u);
}

TEST_F(SpriteSet, CaminhoLongoDemaisEhRecusadoSemTransbordar) {
  std::string longo(2048, 'x');
  EXPECT_EQ(carrega(longo), 0u);
  EXPECT_EQ(ultimaSaida, "O caminho do arquivo " + std::string(48, 'x') +
                             "... tem mais de 2047 bytes e foi recusado.\n");
  EXPECT_EQ(sprites[0].apelido[0], '\0');
  EXPECT_EQ(T2D2_ProcuraSpriteSet(longo.c_str()), 0u);
  EXPECT_EQ(carrega(std::string(2047, 'y')), 0u) << "fits, but no such file";
  EXPECT_EQ(ultimaSaida.find("tem mais de"), std::string::npos);
}

TEST_F(SpriteSet, ProcuraERemocaoComIdentificadoresForaDaTabela) {
  EXPECT_EQ(T2D2_ProcuraSpriteSet("nunca.png"), 0u);
  EXPECT_EQ(T2D2_ProcuraSpriteSet(nullptr), 0u);
  std::string img = EscreveImagem("fica.png", 16, 16, 4, opaco);
  ASSERT_EQ(carrega(img), 1u);
  T2D2_RemoveSpriteSet(0);
  T2D2_RemoveSpriteSet(1025);
  EXPECT_EQ(T2D2_ProcuraSpriteSet(img.c_str()), 1u);
  EXPECT_EQ(sprites[0].usuarios, 1u);
  CapturaSaida c;
  EXPECT_EQ(T2D2_CarregaSpriteSet(nullptr, 0, 0), 0u);
  EXPECT_NE(c.texto(), "");
}

TEST_F(SpriteSet, EncerrarLiberaConjuntosComVariosUsuarios) {
  std::string img = EscreveImagem("varios.png", 16, 16, 4, opaco);
  for (int i = 0; i < 3; i++) ASSERT_EQ(carrega(img), 1u);
  EncerraSilencioso();
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(sprites[0].usuarios, 0u);
  EXPECT_EQ(sprites[0].bmask, nullptr);
  ASSERT_TRUE(IniciaGLSilencioso());
}

TEST_F(SpriteSet, NomeVazioNaoAchaUmaVagaLivre) {
  EXPECT_EQ(T2D2_ProcuraSpriteSet(""), 0u);
  EXPECT_EQ(carrega(""), 0u);
  EXPECT_NE(ultimaSaida, "") << "the loader reports the failed open";
  EXPECT_EQ(sprites[0].usuarios, 0u);
  EXPECT_EQ(sprites[0].imagem, nullptr);
}
