// Tests of the SDL software back-end: start-up and shut-down messages,
// loading through the colour key, blits, the clip-rectangle drawing area.
// Pixels are read straight from the screen surface.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

// Full stacks, so that the leak suppressions can name the platform call that
// keeps memory across a video restart (see lsan.supp). Read only by the
// sanitizer runtime.
extern "C" const char *__asan_default_options() {
  return "fast_unwind_on_malloc=0";
}

namespace {

const Cor FUNDO{0, 0, 255, 255};
const Cor MAGENTA{255, 0, 255, 255};

std::string anuncioCompleto(const char *modo) {
  return std::string("Iniciando o modo de v\xed"
                     "deo: 640x480x32bpp\n") +
         modo +
         "\nA Tovik2DLite vai verificar a disponibilidade do modo de v\xed"
         "deo requisitado.\n"
         "O sistema indica que o modo \xe9 suportado. Tenta iniciar.\n"
         "Modo de v\xed"
         "deo iniciado com sucesso!\n";
}

const char JANELA[] = "A aplica\xe7\xe3o requisitou um modo de v\xed"
                      "deo em janela.";

bool IniciaSDLSilencioso(unsigned int largura = 640,
                         unsigned int altura = 480) {
  CapturaSaida c;
  return T2D2_Inicia(largura, altura, T2D2_JANELA, T2D2_DESENHO_PADRAO,
                     "Teste SDL");
}

void LimpaCom(Cor c) {
  T2D2_TrocaCorLimpezaTela(c.r, c.g, c.b);
  T2D2_LimpaTela();
}

// Whether every pixel of the screen inside [x0, x1) x [y0, y1) is c.
::testing::AssertionResult AreaE(int x0, int y0, int x1, int y1, Cor c) {
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      Cor p = LePixelSuperficie(screen, x, y);
      if (!(p == c))
        return ::testing::AssertionFailure()
               << "(" << x << "," << y << ") is " << p << ", not " << c;
    }
  return ::testing::AssertionSuccess();
}

// 128x128, 4x4 frames of 32x32, frame k filled with a colour of its own.
Cor corDoQuadro(int k) {
  return Cor{Uint8(20 + 14 * k), Uint8(200 - 10 * k), Uint8(60 + 3 * k), 255};
}

std::string GradeDeQuadros() {
  return EscreveImagem("sdl_grade.png", 128, 128, 4, [](int x, int y) {
    return corDoQuadro((y / 32) * 4 + x / 32);
  });
}

} // namespace

// ---------------------------------------------------------------------------
// Start-up and shut-down
// ---------------------------------------------------------------------------

TEST(SDLInicio, TipoZeroECincoIniciamEsteBackEndComSuasMensagens) {
  for (int tipo : {0, 5}) {
    CapturaSaida c;
    render = 9;
    bool ok = T2D2_Inicia(640, 480, T2D2_JANELA, tipo, "Teste SDL");
    std::string saida = c.texto();
    ASSERT_TRUE(ok) << tipo;
    EXPECT_EQ(render, 0) << tipo;
    EXPECT_EQ(saida, anuncioCompleto(JANELA)) << tipo;
    EXPECT_FALSE(screen->flags & SDL_OPENGL);
    EXPECT_EQ(screen->w, 640);
    EXPECT_EQ(screen->format->BitsPerPixel, 32);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EncerraSilencioso();
  }
}

TEST(SDLInicio, ModoInvalidoAbreJanelaEEncerraComTresLinhas) {
  CapturaSaida c;
  ASSERT_TRUE(T2D2_Inicia(640, 480, 7, T2D2_DESENHO_PADRAO, "Teste"));
  EXPECT_EQ(c.texto(),
            anuncioCompleto("A aplica\xe7\xe3o requisitou um modo de v\xed"
                            "deo inv\xe1lido. Por seguran\xe7"
                            "a, ser\xe1 utilizado um modo em janela."));
  CapturaSaida fim;
  T2D2_Encerra();
  EXPECT_EQ(fim.texto(), "Apagando os spritesets e fontes do sistema.\n"
                         "Encerrando a SDL.\nEncerrou a SDL.\n");
  EXPECT_FALSE(inicializado);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
  CapturaSaida nada;
  T2D2_Encerra();
  EXPECT_EQ(nada.texto(), "");
}

TEST(SDLInicio, SegundoInicioFalhaCaladoEDepoisDoFimReinicia) {
  std::string grade = GradeDeQuadros();
  ASSERT_TRUE(IniciaSDLSilencioso());
  ASSERT_EQ(T2D2_CarregaSpriteSet(grade.c_str(), 32, 32), 1u);
  CapturaSaida c;
  EXPECT_FALSE(T2D2_Inicia(640, 480, 0, T2D2_DESENHO_PADRAO, "x"));
  EXPECT_EQ(c.texto(), "");
  EXPECT_NE(sprites[0].imagem, nullptr);
  EncerraSilencioso();
  EXPECT_EQ(sprites[0].imagem, nullptr);
  ASSERT_TRUE(IniciaSDLSilencioso(320, 200));
  EXPECT_EQ(screen->w, 320);
  EXPECT_EQ(T2D2_CarregaSpriteSet(grade.c_str(), 32, 32), 1u);
  EncerraSilencioso();
}

TEST(SDLQuadro, SincronizaApresentaELeEventos) {
  ASSERT_TRUE(IniciaSDLSilencioso());
  static int chamadas = 0;
  T2D2_DefineSincronizaUsuario([] { chamadas++; });
  SDL_Event e{};
  e.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
  T2D2_Sincroniza(60);
  EXPECT_EQ(chamadas, 1);
  EXPECT_TRUE(teclas[T2D2_ENCERRA].ativo);
  T2D2_DefineSincronizaUsuario(nullptr);
  EncerraSilencioso();
}

// ---------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------

TEST(SDLCarga, MagentaEAlfaZeroViramTransparentesNaSuperficieEMascara) {
  std::string img = EscreveImagem("sdl_chave.png", 8, 4, 4, [](int x, int) {
    if (x < 2) return MAGENTA;
    if (x < 4) return Cor{10, 20, 30, 0};
    return Cor{200, 100, 50, 255};
  });
  ASSERT_TRUE(IniciaSDLSilencioso());
  unsigned int id = T2D2_CarregaSpriteSet(img.c_str(), 0, 0);
  ASSERT_EQ(id, 1u);
  const T2D2_SpriteSet &s = sprites[0];
  EXPECT_EQ(s.usuarios, 1u);
  EXPECT_EQ(s.matrizX, 1);
  EXPECT_EQ(s.spLargura, 8);
  EXPECT_EQ(s.textura, 0u);
  EXPECT_FALSE(s.texturaLigada);
  EXPECT_EQ(s.imagem->format->BytesPerPixel, 4);
  EXPECT_NE(s.imagem->format->Amask, 0u);
  EXPECT_EQ(LePixelSuperficie(s.imagem, 0, 0).a, 0);
  EXPECT_EQ(LePixelSuperficie(s.imagem, 3, 2).a, 0);
  EXPECT_EQ(LePixelSuperficie(s.imagem, 5, 1), (Cor{200, 100, 50, 255}));
  for (int x = 0; x < 8; x++)
    EXPECT_EQ(T2D2_GetBit(s.bmask[0], x, 1), x >= 4) << x;
  T2D2_RemoveSpriteSet(id);
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(T2D2_ProcuraSpriteSet(img.c_str()), 0u);
  EncerraSilencioso();
}

TEST(SDLCarga, ImagemQueNaoDivideEmQuadrosTemMensagemPropria) {
  std::string torta = EscreveImagem("sdl_100x64.png", 100, 64, 4, [](int, int) {
    return Cor{1, 2, 3, 255};
  });
  std::string certa = EscreveImagem("sdl_96x64.png", 96, 64, 3, [](int, int) {
    return Cor{1, 2, 3, 255};
  });
  ASSERT_TRUE(IniciaSDLSilencioso());
  CapturaSaida c;
  EXPECT_EQ(T2D2_CarregaSpriteSet(torta.c_str(), 32, 32), 0u);
  EXPECT_EQ(c.texto(),
            "Erro ao carregar a imagem " + torta +
                ". A altura e largura da imagem deve ser m\xfaltiplos "
                "do tamanho do sprite.\n"
                "A imagem tem 100x64 pixels e n\xe3o se divide em quadros de "
                "32x32; o quadro mais pr\xf3ximo que a divide \xe9 25x32.\n");
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(sprites[0].apelido[0], '\0');
  // The freed slot is the next one taken; a 24-bit image comes out opaque.
  EXPECT_EQ(T2D2_CarregaSpriteSet(certa.c_str(), 32, 32), 1u);
  EXPECT_EQ(sprites[0].matrizX * sprites[0].matrizY, 6);
  EXPECT_EQ(LePixelSuperficie(sprites[0].imagem, 50, 50), (Cor{1, 2, 3, 255}));
  EncerraSilencioso();
  EXPECT_EQ(sprites[0].imagem, nullptr);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

TEST(SDLDesenho, IdentificadorInvalidoTemMensagemEEspacoLivreNao) {
  ASSERT_TRUE(IniciaSDLSilencioso());
  for (unsigned int id : {0u, 1025u}) {
    CapturaSaida c;
    EXPECT_FALSE(T2D2_DesenhaSprite(id, 0, 10, 10));
    EXPECT_EQ(c.texto(), "Erro ao tentar desenhar o spriteset " +
                             std::to_string(id) +
                             ". Este \xedndice \xe9 inv\xe1lido.\n");
  }
  CapturaSaida c;
  EXPECT_FALSE(T2D2_DesenhaSprite(7, 0, 10, 10));
  EXPECT_EQ(c.texto(), "");
  EncerraSilencioso();
}

TEST(SDLDesenho, QuadroCertoNoLugarCertoEQuadroAlemDoFimNada) {
  std::string grade = GradeDeQuadros();
  ASSERT_TRUE(IniciaSDLSilencioso());
  unsigned int id = T2D2_CarregaSpriteSet(grade.c_str(), 32, 32);
  ASSERT_NE(id, 0u);
  LimpaCom(FUNDO);
  EXPECT_TRUE(T2D2_DesenhaSprite(id, 9, 100, 50));
  EXPECT_TRUE(AreaE(100, 50, 132, 82, corDoQuadro(9)));
  EXPECT_TRUE(AreaE(132, 50, 140, 82, FUNDO));
  EXPECT_TRUE(AreaE(100, 82, 132, 90, FUNDO));
  LimpaCom(FUNDO);
  // 20 lies below the image; 8192 is row 2048, whose 16-bit position would
  // wrap back to row 0 if it were handed to SDL.
  for (unsigned int quadro : {16u, 20u, 8192u, UINT_MAX}) {
    EXPECT_TRUE(T2D2_DesenhaSprite(id, quadro, 0, 0)) << quadro;
    EXPECT_TRUE(AreaE(0, 0, 64, 64, FUNDO)) << quadro;
  }
  EncerraSilencioso();
}

TEST(SDLDesenho, PosicoesForaDoAlcanceDe16BitsNaoVoltamParaATela) {
  std::string grade = GradeDeQuadros();
  ASSERT_TRUE(IniciaSDLSilencioso());
  unsigned int id = T2D2_CarregaSpriteSet(grade.c_str(), 32, 32);
  LimpaCom(FUNDO);
  for (int x : {65536 + 10, -65536 + 10, INT_MAX, INT_MIN}) {
    EXPECT_TRUE(T2D2_DesenhaSprite(id, 0, x, 10));
    EXPECT_TRUE(T2D2_DesenhaSprite(id, 0, 10, x));
  }
  EXPECT_TRUE(AreaE(0, 0, 64, 64, FUNDO));
  // Partly off the screen, the visible part still shows.
  EXPECT_TRUE(T2D2_DesenhaSprite(id, 5, -20, -30));
  EXPECT_TRUE(AreaE(0, 0, 12, 2, corDoQuadro(5)));
  EXPECT_TRUE(AreaE(12, 0, 20, 2, FUNDO));
  EncerraSilencioso();
}

TEST(SDLDesenho, MagentaNaoApareceEAlfaEMisturado) {
  std::string img = EscreveImagem("sdl_alfa.png", 4, 1, 4, [](int x, int) {
    switch (x) {
    case 0:
      return MAGENTA;
    case 1:
      return Cor{255, 0, 0, 0};
    case 2:
      return Cor{255, 0, 0, 128};
    default:
      return Cor{0, 255, 0, 255};
    }
  });
  ASSERT_TRUE(IniciaSDLSilencioso());
  unsigned int id = T2D2_CarregaSpriteSet(img.c_str(), 0, 0);
  LimpaCom(FUNDO);
  ASSERT_TRUE(T2D2_DesenhaSprite(id, 0, 10, 10));
  EXPECT_EQ(LePixelSuperficie(screen, 10, 10), FUNDO);
  EXPECT_EQ(LePixelSuperficie(screen, 11, 10), FUNDO);
  Cor meio = LePixelSuperficie(screen, 12, 10);
  EXPECT_NEAR(meio.r, 128, 2);
  EXPECT_EQ(meio.g, 0);
  EXPECT_NEAR(meio.b, 127, 2);
  EXPECT_EQ(LePixelSuperficie(screen, 13, 10), (Cor{0, 255, 0, 255}));
  EncerraSilencioso();
}

TEST(SDLDesenho, EfeitoNaoDesenhaERespondeFalso) {
  std::string grade = GradeDeQuadros();
  ASSERT_TRUE(IniciaSDLSilencioso());
  unsigned int id = T2D2_CarregaSpriteSet(grade.c_str(), 32, 32);
  LimpaCom(FUNDO);
  int xs[4] = {0, 32, 32, 0}, ys[4] = {0, 0, 32, 32};
  CapturaSaida c;
  EXPECT_FALSE(T2D2_DesenhaSpriteEfeito(id, 0, xs, ys, 255, 255, 255, 255));
  EXPECT_FALSE(T2D2_DesenhaSpriteEfeito(0, 99, nullptr, nullptr, 0, 0, 0, 0));
  EXPECT_FALSE(T2D2_DesenhaSpriteEfeito(1025, 0, xs, ys, 1, 2, 3, 4));
  EXPECT_EQ(c.texto(), "");
  EXPECT_TRUE(AreaE(0, 0, 40, 40, FUNDO));
  EncerraSilencioso();
}

TEST(SDLArea, LimpaSoORetanguloESpriteECortadoNaBorda) {
  std::string grade = GradeDeQuadros();
  ASSERT_TRUE(IniciaSDLSilencioso());
  unsigned int id = T2D2_CarregaSpriteSet(grade.c_str(), 32, 32);
  LimpaCom(FUNDO);
  const Cor verde{0, 255, 0, 255};
  T2D2_TrocaCorLimpezaTela(0, 255, 0);
  EXPECT_TRUE(AreaE(0, 0, 640, 480, FUNDO)); // shows at the next clear only
  T2D2_LimitaAreaDesenho(100, 100, 200, 150);
  T2D2_LimpaTela();
  EXPECT_TRUE(AreaE(100, 100, 300, 250, verde));
  EXPECT_TRUE(AreaE(90, 90, 100, 260, FUNDO));
  EXPECT_TRUE(AreaE(300, 90, 310, 260, FUNDO));
  EXPECT_TRUE(AreaE(100, 90, 300, 100, FUNDO));
  EXPECT_TRUE(AreaE(100, 250, 300, 260, FUNDO));
  EXPECT_TRUE(T2D2_DesenhaSprite(id, 3, 284, 90));
  EXPECT_TRUE(AreaE(284, 100, 300, 122, corDoQuadro(3)));
  EXPECT_TRUE(AreaE(284, 90, 316, 100, FUNDO));
  EXPECT_TRUE(AreaE(300, 100, 316, 122, FUNDO));
  T2D2_LiberaAreaDesenho();
  T2D2_LimpaTela();
  EXPECT_TRUE(AreaE(0, 0, 640, 480, verde));
  EncerraSilencioso();
}

TEST(SDLArea, TamanhoNegativoCobreOMesmoRetanguloQueNoOpenGL) {
  ASSERT_TRUE(IniciaSDLSilencioso());
  LimpaCom(FUNDO);
  T2D2_TrocaCorLimpezaTela(255, 255, 255);
  T2D2_LimitaAreaDesenho(60, 50, -20, -10);
  T2D2_LimpaTela();
  EXPECT_TRUE(AreaE(40, 40, 60, 50, (Cor{255, 255, 255, 255})));
  EXPECT_TRUE(AreaE(60, 40, 70, 50, FUNDO));
  EXPECT_TRUE(AreaE(40, 50, 60, 60, FUNDO));
  // An area wholly beyond 16-bit positions leaves nothing to draw in.
  LimpaCom(FUNDO);
  T2D2_TrocaCorLimpezaTela(255, 255, 255);
  T2D2_LimitaAreaDesenho(65536, 65536, 100, 100);
  T2D2_LimpaTela();
  EXPECT_TRUE(AreaE(0, 0, 200, 200, FUNDO));
  T2D2_LimitaAreaDesenho(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  T2D2_LimpaTela();
  EXPECT_TRUE(AreaE(0, 0, 640, 480, FUNDO));
  EncerraSilencioso();
}
