// A whole game on the SDL software back-end: the game asks for OpenGL, and
// this executable hands its start to the SDL back-end at link time. The
// barrel is not drawn there; the font, the display and the life bars are.
#include "partida.h"
#include "tovik2d2_interno.h"

#include "t2d2/tovik2d2.h"

#include <gtest/gtest.h>

// Calm wind for every turn.
extern "C" int rand() noexcept {
  return 0;
}

// Linked with --wrap for T2D2_Inicia: the game's call lands here.
extern "C" bool __real__Z11T2D2_IniciajjiiPKc(unsigned int, unsigned int, int,
                                              int, const char *);
extern "C" bool __wrap__Z11T2D2_IniciajjiiPKc(unsigned int largura,
                                              unsigned int altura, int modo,
                                              int, const char *titulo) {
  return __real__Z11T2D2_IniciajjiiPKc(largura, altura, modo,
                                       T2D2_DESENHO_PADRAO, titulo);
}

TEST(JogoSDL, tiroCertoComTextosPainelEVidas) {
  PRECISA_DOS_ARQUIVOS();
  const int n = CargasParaAcertar(0.02f);
  Partida p;
  p.leTela = LeTelaSDL;
  Tela primeira, vez2;
  p.observa = [&](const Quadro &q, const Tela &t) {
    if (q.fase != Fase::MIRA) return;
    if (primeira.rgba.empty()) primeira = t;
    if (vez2.rgba.empty() && !p.De(Fase::VOO).empty()) vez2 = t;
  };
  p.roteiro = Tecla(SDLK_RETURN) + Atira(500, 468, n) + Ate(Fase::MIRA) +
              Proximo(1) + Tecla(SDLK_ESCAPE);
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  EXPECT_EQ(render, 0) << "the game ran on the SDL back-end";
  ASSERT_FALSE(primeira.rgba.empty());
  ASSERT_FALSE(vez2.rgba.empty());
  const Quadro q1 = Classifica(primeira, 0), q2 = Classifica(vez2, 0);
  EXPECT_EQ(q1.tipo, 1);
  EXPECT_EQ(q1.inicioVida, 370);
  EXPECT_EQ(q2.inicioVida, 370);
  EXPECT_EQ(q1.verdes - q2.verdes, 20) << "charged " << n << " frames";
  EXPECT_FALSE(p.De(Fase::CARGA).empty());
  EXPECT_GE(p.De(Fase::VOO).size(), 10u);
  EXPECT_GT(p.Mostra(primeira, 400, 400, "PLAYER  1", "PLAYER  2"), 0.95);
  EXPECT_GT(p.Mostra(vez2, 400, 400, "PLAYER  2", "PLAYER  1"), 0.95);
  EXPECT_GT(p.Mostra(primeira, 400, 120, "Vento: >  ", "Vento: >> "), 0.95);
  EXPECT_GT(p.Mostra(p.ultima, 400, 300, "Fim do jogo", ""), 0.95);
}
