// Whole games on the offscreen OpenGL back-end, played through real SDL
// events and checked on the frames the game presents, its output and its
// return value.
#include "includes.h"
#include "partida.h"

#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>

using math::Vector2D;

// Every wind is calm: the generator answers 0, and a magnitude of 0 is calm
// whatever the sign.
extern "C" int rand() noexcept {
  return 0;
}

namespace {

// Aimed below the horizontal by about 37 degrees: the ball starts below the
// window and the turn passes without a flight frame.
Roteiro TiroParaBaixo() {
  return Atira(440, 598, 1);
}
Roteiro TiroParaBaixoDoJogador2() {
  return Atira(360, 598, 1);
}

// What a back buffer holds after a swap is undefined: a browser's is
// cleared, Mesa's keeps the last frame. Painted magenta once each frame is
// read, whatever a frame leaves undrawn shows up in it.
void SujaOQuadroApresentado() {
  GLfloat cor[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, cor);
  glClearColor(1, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(cor[0], cor[1], cor[2], cor[3]);
}

// Consecutive repeats removed.
std::vector<int> SemRepeticao(const std::vector<int> &v) {
  std::vector<int> r;
  for (int x : v)
    if (r.empty() || r.back() != x) r.push_back(x);
  return r;
}

// Index in p.quadros of the first frame of a kind after frame de.
int Seguinte(const Partida &p, Fase fase, int de) {
  for (size_t i = size_t(de + 1); i < p.quadros.size(); i++)
    if (p.quadros[i].fase == fase) return int(i);
  return -1;
}

} // namespace

TEST(Jogo, escNoSplashMostraOFimSobreOCampoDoJogador1) {
  PRECISA_DOS_ARQUIVOS();
  Partida p;
  Tela splash;
  p.observa = [&](const Quadro &q, const Tela &t) {
    if (q.numero == 0) splash = t;
  };
  p.roteiro = Proximo(3) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  EXPECT_TRUE(p.De(Fase::MIRA).empty()) << "play is skipped";
  ASSERT_GE(p.quadros.size(), 5u);
  EXPECT_GE(p.duracaoFinal, 2000u);
  const std::string linha = "\nIniciou a Tovik2D 2 com sucesso\n";
  const size_t onde = p.saida.find(linha);
  ASSERT_NE(onde, std::string::npos) << p.saida;
  EXPECT_EQ(p.saida.find(linha, onde + 1), std::string::npos);
  EXPECT_EQ(p.saida.find("Falhou"), std::string::npos);
  const size_t efeito = p.saida.find("./files/shoot.wav");
  ASSERT_NE(efeito, std::string::npos);
  EXPECT_GT(efeito, onde) << "assets load after the line";
  const Quadro fim = p.quadros.back();
  EXPECT_EQ(fim.inicioVida, 370) << "cannon 0 at the centre";
  EXPECT_EQ(fim.verdes, 100);
  EXPECT_GT(p.Mostra(p.ultima, 400, 300, "Fim do jogo", ""), 0.95);
  EXPECT_LT(p.Mostra(splash, 400, 300, "Fim do jogo", ""), 0.5)
      << "the splash does not pass for the end text";
}

TEST(Jogo, enterComecaComJogador1VentoCalmoETipo1) {
  PRECISA_DOS_ARQUIVOS();
  Partida p;
  Tela primeira;
  p.observa = [&](const Quadro &q, const Tela &t) {
    if (q.fase == Fase::MIRA && primeira.rgba.empty()) primeira = t;
  };
  p.roteiro = ENTER + Ate(Fase::MIRA) + Proximo(2) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  const auto mira = p.De(Fase::MIRA);
  ASSERT_FALSE(mira.empty());
  EXPECT_EQ(mira[0].tipo, 1);
  EXPECT_EQ(mira[0].inicioVida, 370);
  EXPECT_EQ(mira[0].verdes, 100);
  EXPECT_GT(p.Mostra(primeira, 400, 120, "Vento: >  ", "Vento: >> "), 0.95);
  EXPECT_GT(p.Mostra(primeira, 400, 120, "Vento: >  ", "Vento: <  "), 0.95);
  EXPECT_GT(p.Mostra(primeira, 400, 400, "PLAYER  1", "PLAYER  2"), 0.95);
  EXPECT_LT(p.Mostra(primeira, 400, 400, "PLAYER  2", "PLAYER  1"), 0.5);
  EXPECT_TRUE(p.De(Fase::CARGA).empty());
  EXPECT_GT(p.Mostra(p.ultima, 400, 300, "Fim do jogo", ""), 0.95);
}

TEST(Jogo, cliqueDireitoTrocaOTipoQueFicaComCadaJogador) {
  PRECISA_DOS_ARQUIVOS();
  Partida p;
  const Roteiro clique = Ate(Fase::MIRA) + Direito(500, 300) + Proximo(1);
  p.roteiro = ENTER + clique + clique + clique + clique + TiroParaBaixo() +
              clique + clique + TiroParaBaixoDoJogador2() + TiroParaBaixo() +
              Ate(Fase::MIRA) + Proximo(1) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  std::vector<int> tipos;
  for (const Quadro &q : p.De(Fase::MIRA)) tipos.push_back(q.tipo);
  // Player 0 goes round to 1 and on to 2; player 1 starts at 1 and picks 3;
  // each finds its own choice at its next turn.
  EXPECT_EQ(SemRepeticao(tipos),
            (std::vector<int>{1, 2, 3, 1, 2, 1, 2, 3, 2, 3}));
  EXPECT_TRUE(p.De(Fase::VOO).empty()) << "downward shots never fly";
  // Each shot's sound plays into the next aiming frame, the other player's.
  int tiros = 0;
  for (size_t i = 1; i < p.quadros.size(); i++)
    if (p.quadros[i - 1].fase == Fase::CARGA &&
        p.quadros[i].fase == Fase::MIRA) {
      tiros++;
      EXPECT_TRUE(p.quadros[i].somTocando) << "frame " << i;
      EXPECT_EQ(p.quadros[i].inicioVida, 370) << "frame " << i;
    }
  EXPECT_EQ(tiros, 3);
  // Runs of charging frames, by the side of their bar.
  int barras[2] = {0, 0};
  for (size_t i = 0; i < p.quadros.size(); i++)
    if (p.quadros[i].fase == Fase::CARGA &&
        (i == 0 || p.quadros[i - 1].fase != Fase::CARGA))
      barras[p.quadros[i].barra == 760]++;
  EXPECT_EQ(barras[0], 2);
  EXPECT_EQ(barras[1], 1);
}

TEST(Jogo, barraDeForcaEnchePorAtualizacaoEVaiDoVerdeAoVermelho) {
  PRECISA_DOS_ARQUIVOS();
  Partida p;
  p.roteiro = ENTER + Atira(500, 468, 1) + Ate(Fase::MIRA) +
              Atira(440, 568, 121) + Ate(Fase::MIRA) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  const auto carga = p.De(Fase::CARGA);
  ASSERT_EQ(carga.size(), 122u);
  // Released at the first refresh: the flight shows one update's force.
  const int voo1 = Seguinte(p, Fase::VOO, carga[0].numero);
  ASSERT_GT(voo1, 0);
  EXPECT_EQ(p.quadros[voo1].topoBarra, 583);
  EXPECT_EQ(p.quadros[voo1].corBarra, (Cor{2, 252, 0, 255}));
  EXPECT_EQ(p.quadros[voo1].barra, 0);
  // Player 1's turn: the k-th charging frame shows k - 1 updates.
  const auto &c = carga;
  EXPECT_EQ(c[1].barra, 760);
  EXPECT_EQ(c[1].topoBarra, -1) << "force 0 fills nothing";
  EXPECT_EQ(c[2].topoBarra, 583);
  EXPECT_EQ(c[61].topoBarra, 300);
  EXPECT_EQ(c[121].topoBarra, 13);
  EXPECT_EQ(c[2].corBarra, (Cor{2, 252, 0, 255}));
  EXPECT_EQ(c[121].corBarra, (Cor{255, 0, 0, 255}));
  for (size_t i = 3; i < c.size(); i++)
    EXPECT_GT(c[i].corBarra.r, c[i - 1].corBarra.r) << "charging frame " << i;
  const int voo2 = Seguinte(p, Fase::VOO, c.back().numero);
  ASSERT_GT(voo2, 0);
  EXPECT_EQ(p.quadros[voo2].topoBarra, 13) << "the force bounced at 13";
  EXPECT_EQ(p.quadros[voo2].corBarra, (Cor{252, 2, 0, 255}));
}

TEST(Jogo, acertoTiraVinteECameraPassaAoJogador2) {
  PRECISA_DOS_ARQUIVOS();
  const int n = CargasParaAcertar(0.02f);
  Partida p;
  Tela vez2;
  p.observa = [&](const Quadro &q, const Tela &t) {
    if (q.fase == Fase::MIRA && vez2.rgba.empty() && !p.De(Fase::VOO).empty())
      vez2 = t;
  };
  // Player 1 then presses Escape while charging and while flying: neither
  // ends the game; the one in its next aiming frame does.
  p.roteiro = ENTER + Atira(500, 468, n) + Ate(Fase::MIRA) + Move(300, 468) +
              Proximo(1) + Ate(Fase::MIRA) + Aperta(300, 468) +
              Ate(Fase::CARGA) + Proximo(3) + ESC + SoltaNaCarga(30, 300, 468) +
              Ate(Fase::VOO) + Proximo(3) + ESC + Ate(Fase::MIRA) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  const auto mira = p.De(Fase::MIRA);
  ASSERT_FALSE(mira.empty());
  const int inicial = mira[0].verdes;
  ASSERT_FALSE(vez2.rgba.empty()) << "no aiming frame after the first flight";
  const Quadro q2 = Classifica(vez2, 0);
  EXPECT_EQ(q2.inicioVida, 370) << "player 1's cannon shown at (400, 568)";
  EXPECT_EQ(inicial - q2.verdes, 20) << "charged " << n << " frames";
  EXPECT_GT(p.Mostra(vez2, 400, 400, "PLAYER  2", "PLAYER  1"), 0.95);
  const auto carga = p.De(Fase::CARGA);
  ASSERT_FALSE(carga.empty());
  EXPECT_EQ(carga.back().barra, 760) << "player 1's bar on the right";
  // After the last Escape, pushed in an aiming frame, only the end screen.
  const Quadro &antes = p.quadros[p.quadros.size() - 2];
  EXPECT_EQ(antes.fase, Fase::MIRA);
  EXPECT_GE(p.De(Fase::VOO).size(), 4u);
  EXPECT_GT(p.Mostra(p.ultima, 400, 300, "Fim do jogo", ""), 0.95);
}

TEST(Jogo, partidaAteADestruicaoComBalasDoTipo2) {
  PRECISA_DOS_ARQUIVOS();
  const int n = CargasParaAcertar(0.03f);
  Partida p;
  std::vector<int> vidas, incompletos;
  p.depoisDoQuadro = SujaOQuadroApresentado;
  p.observa = [&](const Quadro &q, const Tela &t) {
    const size_t i = p.quadros.size() - 1;
    if (q.fase == Fase::MIRA && i > 0 && p.quadros[i - 1].fase == Fase::VOO)
      vidas.push_back(q.verdes);
    // Every frame draws its whole field, turn changes included.
    for (int x : {60, 400, 740})
      if (t.e(x, 20, 255, 0, 255) || t.e(x, 590, 255, 0, 255)) {
        incompletos.push_back(q.numero);
        break;
      }
  };
  const Roteiro vez = Atira(500, 468, n) + TiroParaBaixoDoJogador2();
  p.roteiro = ENTER + Ate(Fase::MIRA) + Direito(500, 300) + Proximo(1) + vez +
              vez + vez + Atira(500, 468, n) + Proximo(400) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  // The last is the destroying shot's own closing frame.
  EXPECT_EQ(vidas, (std::vector<int>{70, 40, 10, 0})) << "charged " << n;
  EXPECT_EQ(incompletos, std::vector<int>{}) << "frames not drawn whole";
  const Quadro &fim = p.quadros.back();
  EXPECT_EQ(fim.inicioVida, 370) << "the destroyed cannon at the centre";
  EXPECT_EQ(fim.verdes, 0);
  EXPECT_EQ(fim.vermelhos, 100);
  EXPECT_GT(p.Mostra(p.ultima, 400, 300, "Fim do jogo", ""), 0.95);
  // The hit that destroys ends play after its own iteration's aiming frame,
  // which shows the field.
  EXPECT_EQ(p.De(Fase::VOO).back().numero + 2, fim.numero);
  EXPECT_EQ(p.quadros[p.quadros.size() - 2].fase, Fase::MIRA);
}

TEST(Jogo, alvoNoPivoDaUmTiroVerticalEAVezRestauraTudo) {
  PRECISA_DOS_ARQUIVOS();
  Partida p;
  p.roteiro = ENTER + Atira(300, 568, 20) + TiroParaBaixoDoJogador2() +
              Ate(Fase::MIRA) + Proximo(1) + ESC;
  p.Joga();
  EXPECT_EQ(p.retorno, 0);
  const auto voo = p.De(Fase::VOO);
  ASSERT_GE(voo.size(), 40u) << "up and down again, not a lost frame";
  for (const Quadro &q : voo) {
    EXPECT_EQ(q.inicioVida, 370) << "frame " << q.numero;
    EXPECT_EQ(q.vermelhos, 0) << "its own ball never hits cannon 0";
  }
  const auto mira = p.De(Fase::MIRA);
  ASSERT_GE(mira.size(), 3u);
  for (const Quadro &q : mira) EXPECT_EQ(q.inicioVida, 370);
  EXPECT_EQ(mira.back().verdes, 100);
}

class JogoSemArquivos : public ::testing::TestWithParam<Arquivos> {};

TEST_P(JogoSemArquivos, esperaNoSplashEmBrancoEJoga) {
  Partida p;
  bool splashVazio = true;
  p.observa = [&](const Quadro &q, const Tela &t) {
    if (q.numero < 5)
      for (int y = 0; y < 600; y += 50)
        for (int x = 0; x < 800; x += 50) splashVazio &= t.e(x, y, 0, 0, 0);
  };
  p.roteiro =
      Proximo(5) + ENTER + TiroParaBaixo() + Ate(Fase::MIRA) + Proximo(1) + ESC;
  p.Joga(GetParam());
  EXPECT_EQ(p.retorno, 0);
  EXPECT_TRUE(splashVazio);
  EXPECT_GE(p.quadros.size(), 8u);
  EXPECT_FALSE(p.De(Fase::CARGA).empty());
  const auto mira = p.De(Fase::MIRA);
  ASSERT_FALSE(mira.empty());
  EXPECT_EQ(mira.back().inicioVida, 370);
  EXPECT_NE(p.saida.find("falhou ao carregar o arquivo ./files/splash.png."),
            std::string::npos);
  EXPECT_NE(
      p.saida.find("Erro ao carregar o arquivo ./files/WhatYouWantv2.ogg."),
      std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Pasta, JogoSemArquivos,
                         ::testing::Values(Arquivos::AUSENTES,
                                           Arquivos::VAZIOS));

TEST(Jogo, pngCorrompidoEOggTruncadoSaoRelatadosEOJogoSegue) {
  PRECISA_DOS_ARQUIVOS();
  Partida p;
  p.roteiro = ENTER + Ate(Fase::MIRA) + Proximo(2) + ESC;
  p.Joga(Arquivos::CORROMPIDOS);
  EXPECT_EQ(p.retorno, 0);
  EXPECT_NE(p.saida.find("falhou ao carregar o arquivo ./files/bala1g.png."),
            std::string::npos)
      << p.saida;
  EXPECT_NE(
      p.saida.find("Erro ao carregar o arquivo ./files/WhatYouWantv2.ogg."),
      std::string::npos)
      << p.saida;
  EXPECT_EQ(p.saida.find("falhou ao carregar o arquivo ./files/bala2g.png."),
            std::string::npos);
  EXPECT_FALSE(p.De(Fase::MIRA).empty());
  EXPECT_GT(p.Mostra(p.ultima, 400, 300, "Fim do jogo", ""), 0.95);
}
