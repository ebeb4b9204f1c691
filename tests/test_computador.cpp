// The computer opponent in whole games: its planned shots fly in the game as
// planned, and at its strongest it beats a person who only fires straight up.
// The clock runs as fast as frames are drawn; the wind and the calendar time,
// which seeds the computer, are scripted here.
#include "Computador.h"
#include "includes.h"
#include "jogo_rapido.h"
#include "sorteios.h"

#include "t2d2/tovik2d2.h"

#include <gtest/gtest.h>

#include <ctime>

using math::Vector2D;

extern "C" time_t time(time_t *t) noexcept {
  if (t) *t = 1356998400;
  return 1356998400;
}

namespace {

// The length of the next run of flight frames from frame de on, with the
// side of their force bar; -1 when there is none. The frame that closes the
// shot's iteration, with the next player's cannon drawn at the centre over
// the flight's last picture, is not one of them.
int QuadrosDeVoo(const Partida &p, int barra, size_t *de) {
  const auto voando = [&](size_t i) {
    const Quadro &q = p.quadros[i];
    return q.fase == Fase::VOO && q.barra == barra && q.inicioVida != 370;
  };
  while (*de < p.quadros.size() && !voando(*de)) ++*de;
  if (*de == p.quadros.size()) return -1;
  int n = 0;
  for (; *de < p.quadros.size() && voando(*de); ++*de) n++;
  return n;
}

struct Previsto {
  int tipo;
  float vento;
  ia::Tiro tiro;
  ia::Resultado resultado;
};

// Player 0's shots planned in a session of the library of their own, from
// the field as the game shows it at the start of player 0's turns: a hit
// with each of balls 1 and 3, and a miss with ball 2 a little short of one.
std::vector<Previsto> PlanejaOsTiros() {
  std::vector<Previsto> tiros = {
      {1, 0, {}, {}}, {2, -0.7f, {}, {}}, {3, 1.0f, {}, {}}};
  if (!IniciaGLSilencioso()) return {};
  const std::string pasta = PastaDosArquivos() + "/";
  unsigned int voando[4] = {0};
  for (int k = 1; k <= 3; k++)
    voando[k] = T2D2_CarregaSpriteSet(
        (pasta + "bala" + std::to_string(k) + ".png").c_str(), 0, 0);
  const unsigned int forma =
      T2D2_CarregaSpriteSet((pasta + "boundingcircle.png").c_str(), 0, 0);
  obj::Canhao armas[2] = {obj::Canhao(100, 540, 0, 0, forma, 100),
                          obj::Canhao(1670, 540, 0, 0, forma, 100)};
  obj::Bala balas[2] = {obj::Bala(100, 540, voando[1], 0.02f),
                        obj::Bala(1670, 540, voando[1], 0.02f)};
  CentraNoJogador(0, armas, balas, Vector2D(400, 568));
  for (Previsto &t : tiros) {
    const ia::Situacao s(0, armas, balas,
                         Vector2D(0, 9.787603f) + Vector2D(t.vento, 0),
                         0.10833333333333334, t.tipo, voando);
    t.tiro = {t.tipo, 513, 455, 0};
    for (int n = 1; n <= 121 && !t.resultado.acerta; n++) {
      t.tiro.cargas = n;
      t.resultado = ia::Simula(s, t.tiro);
    }
    if (t.tipo == 2) {
      t.tiro.cargas -= 4;
      t.resultado = ia::Simula(s, t.tiro);
    }
  }
  T2D2_Encerra();
  return tiros;
}

// Player 2 loses its turns by aiming below the horizontal: no flight.
Roteiro PerdeAVez() {
  return Atira(360, 598, 1);
}

// A person's shot straight up: the pointer above the pivot.
Roteiro ParaCima() {
  return Atira(400, 200, 30);
}

} // namespace

TEST(Computador, tiroPlanejadoVoaNoJogoComoPrevisto) {
  PRECISA_DOS_ARQUIVOS();
  const std::vector<Previsto> tiros = PlanejaOsTiros();
  ASSERT_EQ(tiros.size(), 3u);
  EXPECT_TRUE(tiros[0].resultado.acerta);
  EXPECT_FALSE(tiros[1].resultado.acerta);
  EXPECT_TRUE(tiros[2].resultado.acerta);

  // Calm for player 2's turns, then -0.7 and +1.0 for player 1's.
  sorteios = {0, 1, 7, 0, 0, 1, 10, 2};
  Partida p;
  p.roteiro = ENTER;
  int tipo = 1;
  for (const Previsto &t : tiros) {
    p.roteiro = p.roteiro + Ate(Fase::MIRA);
    for (; tipo != t.tipo; tipo = tipo % 3 + 1)
      p.roteiro = p.roteiro + Direito(600, 300) + Proximo(0);
    p.roteiro =
        p.roteiro + Atira(t.tiro.mx, t.tiro.my, t.tiro.cargas) + PerdeAVez();
  }
  p.roteiro = p.roteiro + Ate(Fase::MIRA) + ESC;
  p.Joga();

  size_t de = 0;
  int vida = 100;
  for (const Previsto &t : tiros) {
    // A hit ends the flight in the frame it happens, before it is shown.
    const int esperados = t.resultado.quadros - (t.resultado.acerta ? 1 : 0);
    EXPECT_EQ(QuadrosDeVoo(p, 0, &de), esperados) << "ball " << t.tipo;
    if (t.resultado.acerta) vida -= 10 * (t.tipo + 1);
    while (de < p.quadros.size() && p.quadros[de].fase != Fase::MIRA) de++;
    ASSERT_LT(de, p.quadros.size());
    EXPECT_EQ(p.quadros[de].verdes, vida)
        << "player 2's life after ball " << t.tipo;
  }
}

TEST(Computador, dificilVenceQuemSoAtiraParaCimaNoTempoDeUmaPessoa) {
  PRECISA_DOS_ARQUIVOS();
  sorteios.clear();
  Partida p;
  Tela vezDoComputador;
  // Frames from the first one of each of the computer's turns to its shot.
  std::vector<int> vezes;
  int inicio = -1;
  p.observa = [&](const Quadro &q, const Tela &t) {
    const Quadro &antes =
        p.quadros[p.quadros.size() > 1 ? p.quadros.size() - 2 : 0];
    if (q.fase == Fase::MIRA && antes.fase == Fase::VOO && antes.barra == 0) {
      inicio = q.numero;
      vezDoComputador = t;
    }
    if (q.fase == Fase::VOO && antes.fase == Fase::CARGA && q.barra == 760)
      vezes.push_back(q.numero - inicio);
  };
  p.roteiro = Tecla(SDLK_3);
  for (int vez = 0; vez < 8; vez++) p.roteiro = p.roteiro + ParaCima();
  p.Joga();

  EXPECT_EQ(p.retorno, 0);
  ASSERT_FALSE(p.quadros.empty());
  EXPECT_EQ(p.quadros.back().verdes, 0) << "the person's cannon is destroyed";
  EXPECT_EQ(p.quadros.back().vermelhos, 100);
  EXPECT_GT(p.Mostra(p.ultima, 400, 300, "Fim do jogo", ""), 0.99);
  EXPECT_GT(p.Mostra(vezDoComputador, 400, 400, "COMPUTADOR", "PLAYER  2"),
            0.99);
  ASSERT_FALSE(vezes.empty());
  EXPECT_LE(vezes.size(), 5u) << "shots the computer needed";
  for (int quadros : vezes) {
    EXPECT_GE(quadros * 16, 1500) << "a turn too quick to follow";
    EXPECT_LE(quadros * 16, 4000) << "a turn that keeps the person waiting";
  }
}
