// Start-up, shut-down, frame pacing and the user hook of the library.
#include "apoio.h"
#include "tovik2d2_interno.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

static std::string mensagensDeInicio(const char *linhaModo) {
  int db = 0;
  SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &db);
  GLint max = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max);
  std::string m = "Iniciando o modo de v\xed"
                  "deo (OpenGL): 800x600x32bpp\n";
  m += linhaModo;
  m += "\nA Tovik2DLite vai verificar a disponibilidade do modo de v\xed"
       "deo requisitado.\n"
       "O sistema indica que o modo \xe9 suportado. Tenta iniciar.\n";
  m += db ? "A aplica\xe7\xe3"
            "o est\xe1 utilizando double buffer como "
            "esperado.\n"
          : "ATEN\xc7\xc3"
            "O: a aplica\xe7\xe3"
            "o n\xe3"
            "o est\xe1 usando "
            "double buffer. Para melhores resultados, utilize um hardware "
            "que o suporte.\n";
  m += "Modo de v\xed"
       "deo iniciado com sucesso!\n";
  m += "O tamanho m\xe1"
       "ximo de textura suportado \xe9 de " +
       std::to_string(max) + "x" + std::to_string(max) + " pixels.\n";
  return m;
}

static const char JANELA[] = "A aplica\xe7\xe3"
                             "o requisitou um modo de v\xed"
                             "deo em janela.";
static const char ENCERRAMENTO[] =
    "Apagando os spritesets e fontes do sistema.\n"
    "Encerrando a SDL.\n"
    "Encerrou a SDL+OpenGL\n";

TEST(Ciclo, InicioEEncerramentoImprimemSuasLinhasEmOrdem) {
  CapturaSaida c;
  ASSERT_TRUE(T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "T"));
  std::string inicio = c.texto();
  EXPECT_EQ(inicio, mensagensDeInicio(JANELA));
  EXPECT_EQ(render, 1);
  EXPECT_TRUE(inicializado);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->w, 800);
  EXPECT_EQ(screen->h, 600);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

  CapturaSaida f;
  T2D2_Encerra();
  EXPECT_EQ(f.texto(), ENCERRAMENTO);
  EXPECT_FALSE(inicializado);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST(Ciclo, OperacoesApontamParaOBackEndEPermanecemAposEncerrar) {
  EXPECT_EQ(T2D2_Sincroniza, nullptr);
  ASSERT_TRUE(IniciaGLSilencioso());
  void (*const sincroniza)(Uint8) = T2D2_Sincroniza;
  EXPECT_NE(T2D2_Encerra, nullptr);
  EXPECT_NE(sincroniza, nullptr);
  EXPECT_NE(T2D2_LimpaTela, nullptr);
  EXPECT_NE(T2D2_TrocaCorLimpezaTela, nullptr);
  EXPECT_NE(T2D2_LimitaAreaDesenho, nullptr);
  EXPECT_NE(T2D2_LiberaAreaDesenho, nullptr);
  EXPECT_NE(T2D2_CarregaSpriteSet, nullptr);
  EXPECT_NE(T2D2_RemoveSpriteSet, nullptr);
  EXPECT_NE(T2D2_DesenhaSprite, nullptr);
  EXPECT_NE(T2D2_DesenhaSpriteEfeito, nullptr);
  EncerraSilencioso();
  EXPECT_EQ(T2D2_Sincroniza, sincroniza);
  EXPECT_EQ(render, 1);
}

TEST(Ciclo, ModoInvalidoAvisaEAbreJanela) {
  CapturaSaida c;
  ASSERT_TRUE(T2D2_Inicia(800, 600, 7, T2D2_DESENHO_OPENGL, "T"));
  std::string saida = c.texto();
  EXPECT_EQ(saida, mensagensDeInicio("A aplica\xe7\xe3"
                                     "o requisitou um modo de v\xed"
                                     "deo inv\xe1"
                                     "lido. Por seguran\xe7"
                                     "a, ser\xe1 "
                                     "utilizado um modo em janela."));
  EXPECT_EQ(screen->flags & SDL_FULLSCREEN, 0u);
  EncerraSilencioso();
}

TEST(Ciclo, SegundoInicioFalhaEmSilencioEMantemAsTabelas) {
  ASSERT_TRUE(IniciaGLSilencioso());
  std::string img = EscreveImagem("ciclo.png", 8, 8, 4, [](int, int) {
    return Cor{10, 20, 30, 255};
  });
  unsigned int id;
  {
    CapturaSaida c;
    id = T2D2_CarregaSpriteSet(img.c_str(), 0, 0);
  }
  ASSERT_EQ(id, 1u);
  CapturaSaida c;
  EXPECT_FALSE(T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "T"));
  EXPECT_EQ(c.texto(), "");
  EXPECT_EQ(T2D2_ProcuraSpriteSet(img.c_str()), id);
  EXPECT_NE(sprites[0].imagem, nullptr);
  EncerraSilencioso();
}

TEST(Ciclo, EncerrarParadoNaoImprimeNada) {
  ASSERT_TRUE(IniciaGLSilencioso());
  EncerraSilencioso();
  CapturaSaida c;
  T2D2_Encerra();
  EXPECT_EQ(c.texto(), "");
}

TEST(Ciclo, ValorNaoFinitoEAvisadoEIgnorado) {
  CapturaSaida c;
  T2D2_AnunciaValor(0.5f);
  T2D2_AnunciaValor(std::nanf(""));
  EXPECT_EQ(c.texto(), "T2D2_AnunciaValor recebeu um valor que n\xe3"
                       "o \xe9 finito e o ignorou.\n");
}

TEST(Ciclo, ReiniciaDepoisDeEncerrarComTabelasVazias) {
  std::string img = EscreveImagem("reinicio.png", 8, 8, 4, [](int, int) {
    return Cor{200, 0, 0, 255};
  });
  ASSERT_TRUE(IniciaGLSilencioso());
  {
    CapturaSaida c;
    ASSERT_EQ(T2D2_CarregaSpriteSet(img.c_str(), 0, 0), 1u);
    ASSERT_EQ(T2D2_CarregaSpriteSet(img.c_str(), 0, 0), 1u);
  }
  EncerraSilencioso();
  EXPECT_EQ(sprites[0].imagem, nullptr);
  EXPECT_EQ(sprites[0].usuarios, 0u);

  ASSERT_TRUE(IniciaGLSilencioso());
  EXPECT_EQ(T2D2_ProcuraSpriteSet(img.c_str()), 0u);
  {
    CapturaSaida c;
    EXPECT_EQ(T2D2_CarregaSpriteSet(img.c_str(), 0, 0), 1u);
  }
  EXPECT_EQ(sprites[0].usuarios, 1u);
  EncerraSilencioso();
}

TEST(Ciclo, VideoIniciadoPorOutroFazOInicioFalharEmSilencio) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
  CapturaSaida c;
  EXPECT_FALSE(T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "T"));
  EXPECT_EQ(c.texto(), "");
  EXPECT_FALSE(inicializado);
  EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(Ciclo, ModoRecusadoAvisaEDesligaOVideo) {
  CapturaSaida c;
  EXPECT_FALSE(
      T2D2_Inicia(0x80000000u, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, "T"));
  std::string saida = c.texto();
  EXPECT_NE(saida.find("O modo de v\xed"
                       "deo n\xe3"
                       "o \xe9 suportado pelo "
                       "hardware. Encerrando.\n"),
            std::string::npos)
      << saida;
  EXPECT_FALSE(inicializado);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

static int chamadasDoGancho = 0;
static void gancho() {
  chamadasDoGancho++;
}

TEST(Ciclo, GanchoDoUsuarioRodaUmaVezPorQuadro) {
  ASSERT_TRUE(IniciaGLSilencioso());
  T2D2_DefineSincronizaUsuario(gancho);
  for (int i = 0; i < 3; i++) T2D2_Sincroniza(255);
  EXPECT_EQ(chamadasDoGancho, 3);
  T2D2_DefineSincronizaUsuario(nullptr);
  T2D2_Sincroniza(255);
  EXPECT_EQ(chamadasDoGancho, 3);
  T2D2_DefineSincronizaUsuario(gancho);
  EncerraSilencioso();
  EXPECT_EQ(T2D2_SincronizaUsuario, gancho);
  T2D2_DefineSincronizaUsuario(nullptr);
}

TEST(Ciclo, EsperaContaMilissegundosInteirosDesdeAEsperaAnterior) {
  EXPECT_EQ(T2D2_CalculaEspera(60, 4990, 5000), 6);
  EXPECT_LE(T2D2_CalculaEspera(60, 4900, 5000), 0);
  EXPECT_EQ(T2D2_CalculaEspera(0, 5000, 5000), 1000);
  EXPECT_EQ(T2D2_CalculaEspera(1, 5000, 5000), 1000);
  EXPECT_EQ(T2D2_CalculaEspera(255, 5000, 5000), 3);
  EXPECT_EQ(T2D2_CalculaEspera(30, 5000, 5000), 33);
  // Across the 32-bit wrap of the clock the wait is still right.
  EXPECT_EQ(T2D2_CalculaEspera(60, 0xFFFFFFFAu, 4), 6);
}

TEST(Ciclo, PausaNaoLeEntrada) {
  ASSERT_TRUE(IniciaGLSilencioso());
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = SDLK_SPACE;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
  T2D2_Pausa(5);
  EXPECT_FALSE(T2D2_PegaTeclas()[T2D2_ESPACO].ativo);
  T2D2_Sincroniza(255);
  EXPECT_TRUE(T2D2_PegaTeclas()[T2D2_ESPACO].pressionado);
  EncerraSilencioso();
}
