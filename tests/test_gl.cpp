// The OpenGL back-end: texture sizing, the size limit, magenta, and what
// reaches the frame, read back pixel by pixel.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

class GL : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(IniciaGLSilencioso());
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximo);
    T2D2_LimpaTela();
  }
  void TearDown() override { EncerraSilencioso(); }

  unsigned int carrega(const std::string &arquivo, int l = 0, int a = 0) {
    return CarregaCapturando(arquivo, l, a, saida);
  }
  std::string saida;
  GLint maximo = 0;
};

// Colour channels within tol of the expectation; alpha is not compared
// because the window's alpha depends on blending history.
::testing::AssertionResult corPerto(Cor c, Uint8 r, Uint8 g, Uint8 b,
                                    int tol = 2) {
  if (std::abs(c.r - r) <= tol && std::abs(c.g - g) <= tol &&
      std::abs(c.b - b) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << c << " is not near (" << int(r) << ","
                                       << int(g) << "," << int(b) << ")";
}

Cor vermelho(int, int) {
  return Cor{255, 0, 0, 255};
}

} // namespace

TEST_F(GL, LadoDaTexturaEhPotenciaDeDoisQuadrada) {
  struct Caso {
    int w, h, canais, lado;
  };
  const Caso casos[] = {{64, 64, 4, 64}, {100, 40, 4, 128},    {5, 3, 4, 8},
                        {1, 1, 4, 4},    {8, 8, 4, 8},         {32, 32, 3, 32},
                        {17, 16, 4, 32}, {1024, 1024, 4, 1024}};
  unsigned int esperado = 1;
  for (const Caso &k : casos) {
    std::string nome = "lado" + std::to_string(k.w) + "x" +
                       std::to_string(k.h) + "c" + std::to_string(k.canais) +
                       ".png";
    EscreveImagem(nome, k.w, k.h, k.canais, vermelho);
    ASSERT_EQ(carrega(nome), esperado++) << nome << ": " << saida;
    const T2D2_SpriteSet &s = sprites[esperado - 2];
    EXPECT_EQ(s.larguraTextura, k.lado) << nome;
    EXPECT_EQ(s.alturaTextura, k.lado) << nome;
    EXPECT_EQ(s.imagem->w, k.lado) << nome;
    EXPECT_EQ(s.imagem->format->BytesPerPixel, 4) << nome;
    EXPECT_EQ(s.largura, k.w);
    EXPECT_EQ(s.altura, k.h);
    EXPECT_TRUE(s.texturaLigada);
    EXPECT_NE(s.textura, 0u);
  }
}

TEST_F(GL, ImagemDe24BitsFicaOpacaEMagentaTransparente) {
  std::string img = EscreveImagem("rgb.png", 32, 32, 3, [](int x, int y) {
    return x == 3 && y == 4 ? Cor{255, 0, 255, 255} : Cor{0, 200, 0, 255};
  });
  ASSERT_EQ(carrega(img), 1u);
  T2D2_BitMask *m = sprites[0].bmask[0];
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++)
      ASSERT_EQ(T2D2_GetBit(m, x, y), !(x == 3 && y == 4)) << x << "," << y;
  T2D2_TrocaCorLimpezaTela(0, 0, 255);
  T2D2_LimpaTela();
  ASSERT_TRUE(T2D2_DesenhaSprite(1, 0, 10, 10));
  EXPECT_TRUE(corPerto(LePixelGL(13, 14), 0, 0, 255));
  EXPECT_TRUE(corPerto(LePixelGL(14, 14), 0, 200, 0));
}

TEST_F(GL, ImagensAlemDoLimiteSaoRecusadas) {
  const std::string limite =
      "A imagem excede o limite de " + std::to_string(maximo) + "x" +
      std::to_string(maximo) + " para uma textura OpenGL no sistema.\n";
  // SDL cannot even decode images wider than 16383 pixels, so only tall ones
  // reach the limit.
  const int tamanhos[][3] = {{1, maximo + 1, 3}, {2, maximo + 1, 4}};
  for (auto &t : tamanhos) {
    std::string nome =
        "enorme" + std::to_string(t[0]) + "x" + std::to_string(t[1]) + ".png";
    EscreveImagem(nome, t[0], t[1], t[2], vermelho);
    EXPECT_EQ(carrega(nome), 0u);
    EXPECT_EQ(saida, limite);
    EXPECT_EQ(sprites[0].imagem, nullptr);
    EXPECT_EQ(T2D2_ProcuraSpriteSet(nome.c_str()), 0u);
  }
}

TEST_F(GL, ImagensAbsurdasSaoRecusadasComOSlotLivre) {
  const int tamanhos[][2] = {{1, 100000}, {100000, 1}};
  for (auto &t : tamanhos) {
    std::string nome = "absurda" + std::to_string(t[0]) + ".png";
    EscreveImagem(nome, t[0], t[1], 4, vermelho);
    EXPECT_EQ(carrega(nome), 0u);
    EXPECT_NE(saida, "");
    EXPECT_EQ(sprites[0].imagem, nullptr);
    EXPECT_EQ(sprites[0].apelido[0], '\0');
  }
}

TEST_F(GL, QuadroCaiNaPosicaoEmSeuTamanho) {
  std::string img = EscreveImagem("borda.png", 16, 16, 4, [](int x, int y) {
    bool borda = x == 0 || y == 0 || x == 15 || y == 15;
    return borda ? Cor{0, 0, 255, 255} : Cor{255, 0, 0, 255};
  });
  ASSERT_EQ(carrega(img), 1u);
  ASSERT_TRUE(T2D2_DesenhaSprite(1, 0, 100, 50));
  EXPECT_TRUE(corPerto(LePixelGL(100, 50), 0, 0, 255));
  EXPECT_TRUE(corPerto(LePixelGL(115, 65), 0, 0, 255));
  EXPECT_TRUE(corPerto(LePixelGL(108, 58), 255, 0, 0));
  EXPECT_TRUE(corPerto(LePixelGL(99, 50), 0, 0, 0));
  EXPECT_TRUE(corPerto(LePixelGL(116, 65), 0, 0, 0));
  EXPECT_TRUE(corPerto(LePixelGL(115, 66), 0, 0, 0));
}

TEST_F(GL, DesenhaACelulaCertaDaGrade) {
  // 4 x 4 cells of 32 pixels, each of its own colour.
  auto corDaCelula = [](int n) {
    return Cor{Uint8(n * 15), Uint8(255 - n * 15), 100, 255};
  };
  std::string img =
      EscreveImagem("celulas.png", 128, 128, 4, [&](int x, int y) {
        return corDaCelula((y / 32) * 4 + x / 32);
      });
  ASSERT_EQ(carrega(img, 32, 32), 1u);
  for (unsigned int n : {0u, 5u, 9u, 15u}) {
    T2D2_LimpaTela();
    ASSERT_TRUE(T2D2_DesenhaSprite(1, n, 200, 200));
    Cor esperada = corDaCelula(int(n));
    EXPECT_TRUE(corPerto(LePixelGL(200, 200), esperada.r, esperada.g, 100));
    EXPECT_TRUE(corPerto(LePixelGL(231, 231), esperada.r, esperada.g, 100));
    EXPECT_TRUE(corPerto(LePixelGL(232, 215), 0, 0, 0));
  }
  EXPECT_FALSE(T2D2_DesenhaSprite(1, 16, 0, 0));
  EXPECT_FALSE(T2D2_DesenhaSprite(0, 0, 0, 0));
  EXPECT_FALSE(T2D2_DesenhaSprite(1025, 0, 0, 0));
  EXPECT_FALSE(T2D2_DesenhaSprite(2, 0, 0, 0)) << "a free slot";
}

TEST_F(GL, EfeitoComCantosTrocadosEspelhaEDesbota) {
  std::string img = EscreveImagem("metades.png", 32, 32, 4, [](int x, int) {
    return x < 16 ? Cor{255, 0, 0, 255} : Cor{0, 255, 0, 255};
  });
  ASSERT_EQ(carrega(img), 1u);
  int x[4] = {132, 100, 100, 132}, y[4] = {100, 100, 132, 132};
  ASSERT_TRUE(T2D2_DesenhaSpriteEfeito(1, 0, x, y, 255, 255, 255, 255));
  EXPECT_TRUE(corPerto(LePixelGL(104, 116), 0, 255, 0));
  EXPECT_TRUE(corPerto(LePixelGL(128, 116), 255, 0, 0));

  int x2[4] = {300, 332, 332, 300}, y2[4] = {100, 100, 132, 132};
  ASSERT_TRUE(T2D2_DesenhaSpriteEfeito(1, 0, x2, y2, 255, 255, 255, 128));
  EXPECT_TRUE(corPerto(LePixelGL(304, 116), 128, 0, 0, 3));
  EXPECT_FALSE(T2D2_DesenhaSpriteEfeito(1, 1, x, y, 255, 255, 255, 255));
  EXPECT_FALSE(T2D2_DesenhaSpriteEfeito(1, 0, nullptr, y, 255, 255, 255, 255));
}

TEST_F(GL, CorDeLimpezaApareceNaProximaLimpeza) {
  T2D2_TrocaCorLimpezaTela(12, 200, 77);
  EXPECT_TRUE(corPerto(LePixelGL(400, 300), 0, 0, 0));
  T2D2_LimpaTela();
  // Exactly the colour, opaque, as a painted quad would leave it.
  EXPECT_EQ(LePixelGL(0, 0), (Cor{12, 200, 77, 255}));
  EXPECT_EQ(LePixelGL(799, 599), (Cor{12, 200, 77, 255}));
}

TEST_F(GL, MagentaOpacoNaoEhDesenhado) {
  std::string img = EscreveImagem("magenta.png", 16, 16, 4, [](int x, int) {
    return x < 8 ? Cor{255, 0, 255, 255} : Cor{255, 0, 255, 128};
  });
  ASSERT_EQ(carrega(img), 1u);
  T2D2_TrocaCorLimpezaTela(0, 100, 0);
  T2D2_LimpaTela();
  ASSERT_TRUE(T2D2_DesenhaSprite(1, 0, 0, 0));
  EXPECT_TRUE(corPerto(LePixelGL(3, 3), 0, 100, 0));
  EXPECT_FALSE(corPerto(LePixelGL(12, 3), 0, 100, 0))
      << "magenta with alpha below 255 is kept";
}

TEST_F(GL, AreaDeDesenhoCortaSpritesNaBorda) {
  std::string img = EscreveImagem("area.png", 64, 64, 4, vermelho);
  ASSERT_EQ(carrega(img), 1u);
  T2D2_LimitaAreaDesenho(100, 100, 200, 150);
  EXPECT_TRUE(corPerto(LePixelGL(250, 200), 255, 255, 255));
  EXPECT_TRUE(corPerto(LePixelGL(99, 100), 0, 0, 0));
  ASSERT_TRUE(T2D2_DesenhaSprite(1, 0, 80, 80));
  EXPECT_TRUE(corPerto(LePixelGL(90, 110), 0, 0, 0));
  EXPECT_TRUE(corPerto(LePixelGL(110, 90), 0, 0, 0));
  EXPECT_TRUE(corPerto(LePixelGL(100, 100), 255, 0, 0));
  EXPECT_TRUE(corPerto(LePixelGL(143, 143), 255, 0, 0));
  T2D2_LiberaAreaDesenho();
  ASSERT_TRUE(T2D2_DesenhaSprite(1, 0, 0, 0));
  EXPECT_TRUE(corPerto(LePixelGL(10, 10), 255, 0, 0));
}

TEST_F(GL, LimpezaZeraOStencilDaAreaDeDesenho) {
  std::string img = EscreveImagem("stencil.png", 64, 64, 4, vermelho);
  ASSERT_EQ(carrega(img), 1u);
  T2D2_TrocaCorLimpezaTela(0, 0, 255);
  T2D2_LimitaAreaDesenho(0, 0, 800, 600);
  T2D2_LimpaTela();
  EXPECT_TRUE(corPerto(LePixelGL(400, 300), 0, 0, 0));
  T2D2_DesenhaSprite(1, 0, 0, 0);
  EXPECT_TRUE(corPerto(LePixelGL(10, 10), 0, 0, 0));
  T2D2_LiberaAreaDesenho();
  T2D2_DesenhaSprite(1, 0, 0, 0);
  EXPECT_TRUE(corPerto(LePixelGL(10, 10), 255, 0, 0));
}

TEST_F(GL, DoisConjuntosNoMesmoQuadroMostramSuasTexturas) {
  std::string a = EscreveImagem("tex-a.png", 16, 16, 4, vermelho);
  std::string b = EscreveImagem("tex-b.png", 20, 20, 4, [](int, int) {
    return Cor{0, 0, 255, 255};
  });
  ASSERT_EQ(carrega(a), 1u);
  T2D2_DesenhaSprite(1, 0, 0, 0);
  ASSERT_EQ(carrega(b), 2u);
  for (int i = 0; i < 2; i++) {
    T2D2_LimpaTela();
    T2D2_DesenhaSprite(1, 0, 0, 0);
    T2D2_DesenhaSprite(2, 0, 50, 0);
    T2D2_DesenhaSprite(1, 0, 100, 0);
    EXPECT_TRUE(corPerto(LePixelGL(8, 8), 255, 0, 0));
    EXPECT_TRUE(corPerto(LePixelGL(60, 10), 0, 0, 255));
    EXPECT_TRUE(corPerto(LePixelGL(108, 8), 255, 0, 0));
  }
  T2D2_RemoveSpriteSet(1);
  EXPECT_FALSE(T2D2_DesenhaSprite(1, 0, 0, 0));
  EXPECT_TRUE(T2D2_DesenhaSprite(2, 0, 0, 0));
}

// An opaque set is drawn without blending, and one clear pixel is enough to
// keep it: both show exactly their own pixels, edges included.
TEST_F(GL, SoConjuntosOpacosDispensamAMistura) {
  auto pinta = [](int x, int y) {
    return Cor{Uint8(x * 7), Uint8(y * 13), 90, 255};
  };
  auto comFuro = [&](int x, int y) {
    return x == 32 && y == 16 ? Cor{0, 0, 0, 0} : pinta(x, y);
  };
  ASSERT_EQ(carrega(EscreveImagem("opaca.png", 33, 17, 4, pinta)), 1u);
  ASSERT_EQ(carrega(EscreveImagem("furada.png", 33, 17, 4, comFuro)), 2u);
  T2D2_TrocaCorLimpezaTela(0, 0, 255);
  T2D2_LimpaTela();
  ASSERT_TRUE(T2D2_DesenhaSprite(1, 0, 10, 10));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  ASSERT_TRUE(T2D2_DesenhaSprite(2, 0, 100, 10));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  for (int y = 0; y < 17; y++)
    for (int x = 0; x < 33; x++) {
      ASSERT_EQ(LePixelGL(10 + x, 10 + y), pinta(x, y)) << x << "," << y;
      ASSERT_EQ(LePixelGL(100 + x, 10 + y),
                comFuro(x, y).a ? pinta(x, y) : (Cor{0, 0, 255, 255}))
          << x << "," << y;
    }
  EXPECT_EQ(LePixelGL(43, 10), (Cor{0, 0, 255, 255}));
  EXPECT_EQ(LePixelGL(10, 27), (Cor{0, 0, 255, 255}));
}

TEST_F(GL, JpegCarregaComoUmQuadroOpaco) {
  std::string img = EscreveImagem(
      "foto.jpg", 40, 24, 3,
      [](int x, int) {
        return Cor{Uint8(x * 6), 80, 160, 255};
      },
      Formato::JPEG);
  ASSERT_EQ(carrega(img), 1u) << saida;
  EXPECT_EQ(sprites[0].larguraTextura, 64);
  T2D2_BitMask *m = sprites[0].bmask[0];
  for (int y = 0; y < 24; y++)
    for (int x = 0; x < 40; x++) ASSERT_TRUE(T2D2_GetBit(m, x, y));
}

// A window is drawn straight into, with no scaling framebuffer between the
// frame and the window; a user's own choice of scaling stands, and the
// environment is left as it was found.
TEST(GLJanela, SemEscalaSalvoSeOUsuarioPedir) {
  const char *const escala = "SDL12COMPAT_OPENGL_SCALING";
  for (const char *doUsuario : {static_cast<const char *>(nullptr), "1"}) {
    SCOPED_TRACE(doUsuario ? doUsuario : "unset");
    if (doUsuario) setenv(escala, doUsuario, 1);
    ASSERT_TRUE(IniciaGLSilencioso());
    GLint quadro = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &quadro);
    EXPECT_EQ(quadro != 0, doUsuario != nullptr);
    EXPECT_STREQ(getenv(escala), doUsuario);
    EncerraSilencioso();
  }
  unsetenv(escala);
}
