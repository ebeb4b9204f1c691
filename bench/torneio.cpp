// The computer's levels against a person who only fires straight up, and
// against each other: whole games played by the planner over the game's own
// flights and random winds, without drawing or frame pacing. The right-hand
// seat is played by the computer's hands, frame by frame, so their turns
// last as long as in the game.
//
//   torneio [--json] [--partidas N]   (N games per level and per pair, 300)
//
// Prints, per level, from the games against the person: the share of first
// shots that hit and the mean shots to the first hit and to a destroyed
// cannon; from the games between levels: the win rate against each other
// level; from all: the longest planning work in one frame and the turn's
// length from its start to the shot.
#include "Computador.h"
#include "includes.h"

#include "t2d2/tovik2d2.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using math::Vector2D;
using obj::Bala;
using obj::Canhao;
using Relogio = std::chrono::steady_clock;

namespace {

const char *const NOMES[4] = {"",
                              "f\xc3\xa1"
                              "cil",
                              "m\xc3\xa9"
                              "dio",
                              "dif\xc3\xad"
                              "cil"};
const int LIMITE_DE_TIROS = 400;

struct Figuras {
  int partidas = 0, acertosNoPrimeiro = 0;
  long tirosAteAcertar = 0, comAcerto = 0;
  long tirosAteDestruir = 0, destruicoes = 0;
  int vitorias[4] = {0, 0, 0, 0}, jogos[4] = {0, 0, 0, 0};
  // Each frame's planning work: its longest, and a high quantile that a
  // busy machine's preemptions do not move.
  std::vector<double> planos;
  long quadrosDaVez = 0, vezes = 0;
  int vezMaisCurta = 1 << 30, vezMaisLonga = 0;
};

struct Lado {
  ia::Nivel nivel; // NINGUEM: the person who fires straight up
  int tiros = 0, primeiroAcerto = 0;
};

// The person's shot: straight up, half a second of charge.
ia::Tiro ParaCima(const ia::Situacao &s) {
  ia::Tiro t;
  t.tipo = s.tipo;
  t.mx = int(s.armas[s.p].resultante.x);
  t.my = 100;
  t.cargas = 30;
  return t;
}

unsigned int voando[4];
unsigned int forma;
Figuras figuras[4];

double Ms(Relogio::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// The left seat's turn: the planner alone, a frame's worth of flights at a
// time.
ia::Tiro PlanejaAEsquerda(ia::Planejador *p, const ia::Situacao &s,
                          Figuras *f) {
  p->Comeca(s);
  for (bool pronto = false; !pronto;) {
    const auto t0 = Relogio::now();
    pronto = p->Avanca(6);
    f->planos.push_back(Ms(Relogio::now() - t0));
  }
  return p->Plano();
}

// The right seat's turn: the hands from the turn's first aiming frame to the
// release, every frame's work timed.
ia::Tiro JogaADireita(ia::Computador *c, const ia::Situacao &s, Figuras *f) {
  c->Observa(s);
  const T2D2_Mouse *mao = c->Maos(1, nullptr);
  do {
    const auto t0 = Relogio::now();
    c->Quadro();
    f->planos.push_back(Ms(Relogio::now() - t0));
  } while (!mao->botoes[T2D2_MESQUERDO].liberado);
  const int n = c->QuadrosAteODisparo();
  f->quadrosDaVez += n;
  f->vezes++;
  f->vezMaisCurta = std::min(f->vezMaisCurta, n);
  f->vezMaisLonga = std::max(f->vezMaisLonga, n);
  return c->Plano().Plano();
}

void ContraAPessoa(Figuras *f, const Lado &l, bool destruiu) {
  f->partidas++;
  f->acertosNoPrimeiro += l.primeiroAcerto == 1;
  if (l.primeiroAcerto) {
    f->tirosAteAcertar += l.primeiroAcerto;
    f->comAcerto++;
  }
  if (destruiu) {
    f->tirosAteDestruir += l.tiros;
    f->destruicoes++;
  }
}

void ContraOutro(Figuras *f, ia::Nivel outro, bool venceu) {
  f->jogos[outro]++;
  f->vitorias[outro] += venceu;
}

// One game as the game plays it: player 0 starts with calm wind, every turn
// after draws a new one, each shot's kind stays with its player.
void Partida(ia::Nivel esquerda, ia::Nivel direita, unsigned semente) {
  Canhao armas[2] = {Canhao(100, 540, 0, 0, forma, 100),
                     Canhao(1670, 540, 0, 0, forma, 100)};
  armas[1].setAngulo(180);
  Bala balas[2] = {Bala(100, 540, voando[1], 0.02f),
                   Bala(1670, 540, voando[1], 0.02f)};
  const Vector2D grvt(0, 9.787603f), metade(400, 568);
  Vector2D vento(0, 0);
  double forca_delta = 0.10833333333333334;
  int massaAtiva[2] = {1, 1};
  ia::Planejador planejador(esquerda, semente);
  ia::Computador computador(direita, semente + 1);
  Lado lados[2] = {{esquerda}, {direita}};
  int player = 0;
  for (int tiro = 0; tiro < LIMITE_DE_TIROS; tiro++) {
    CentraNoJogador(player, armas, balas, metade);
    const ia::Situacao s(player, armas, balas, grvt + vento, forca_delta,
                         massaAtiva[player], voando);
    Lado &lado = lados[player];
    Figuras &f = figuras[lado.nivel];
    const ia::Tiro t = lado.nivel == ia::NINGUEM ? ParaCima(s)
                       : player == 0 ? PlanejaAEsquerda(&planejador, s, &f)
                                     : JogaADireita(&computador, s, &f);
    massaAtiva[player] = t.tipo;
    CarregaBala(&balas[player], t.tipo, voando);
    ia::ForcaDepois(t.cargas, &forca_delta);
    lado.tiros++;
    if (ia::Simula(s, t).acerta) {
      if (!lado.primeiroAcerto) lado.primeiroAcerto = lado.tiros;
      if (AplicaDano(&armas[1 - player], t.tipo)) break;
    }
    player = 1 - player;
    vento = NovoVento();
  }
  for (int i = 0; i < 2; i++) {
    const ia::Nivel outro = lados[1 - i].nivel;
    if (outro == ia::NINGUEM)
      ContraAPessoa(&figuras[lados[i].nivel], lados[i], armas[1 - i].vida == 0);
    else if (lados[i].nivel != ia::NINGUEM)
      ContraOutro(&figuras[lados[i].nivel], outro, armas[1 - i].vida == 0);
  }
}

double Divide(double a, double b) {
  return b > 0 ? a / b : 0;
}

// Frames whose planning took longer than the 2 ms a frame may grow by.
long AcimaDe2ms(const std::vector<double> &v) {
  return std::count_if(v.begin(), v.end(), [](double ms) { return ms > 2; });
}

double Quantil(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, size_t(q * double(v.size())))];
}

void ImprimeJson() {
  printf("{");
  for (int n = 1; n <= 3; n++) {
    const Figuras &f = figuras[n];
    printf("%s\"%s\": {\"acerto_primeiro_tiro\": %.3f, \"tiros_ate_acertar\": "
           "%.2f, \"tiros_ate_destruir\": %.2f, \"vitorias\": {",
           n > 1 ? ", " : "", NOMES[n], Divide(f.acertosNoPrimeiro, f.partidas),
           Divide(f.tirosAteAcertar, f.comAcerto),
           Divide(f.tirosAteDestruir, f.destruicoes));
    const char *separa = "";
    for (int o = 1; o <= 3; o++) {
      if (o == n) continue;
      printf("%s\"%s\": %.3f", separa, NOMES[o],
             Divide(f.vitorias[o], f.jogos[o]));
      separa = ", ";
    }
    printf("}, \"plano_mais_longo_ms\": %.3f, \"plano_p999_ms\": %.3f, "
           "\"quadros_de_plano\": %zu, \"acima_de_2ms\": %ld, "
           "\"vez_media_s\": %.2f}",
           Quantil(f.planos, 1), Quantil(f.planos, 0.999), f.planos.size(),
           AcimaDe2ms(f.planos), Divide(f.quadrosDaVez, f.vezes) * 0.016);
  }
  printf("}\n");
}

void ImprimeTabela(int partidas) {
  printf("%d games per level against a person who fires straight up, and per "
         "pair of levels; the game's random winds\n\n",
         partidas);
  printf("level    first shot hits  shots to 1st hit  shots to destroy  "
         "wins vs f/m/d     plan/frame: longest, p99.9, over 2 ms  "
         "turn to shot (s)\n");
  for (int n = 1; n <= 3; n++) {
    const Figuras &f = figuras[n];
    char vitorias[3][8];
    for (int o = 1; o <= 3; o++)
      snprintf(vitorias[o - 1], sizeof vitorias[0],
               o == n ? "  -  " : "%4.0f%%",
               100 * Divide(f.vitorias[o], f.jogos[o]));
    printf("%-8s %14.0f%% %17.2f %17.2f  %s %s %s %13.2f, %.2f ms, %ld of "
           "%zu  %.2f (%.2f-%.2f)\n",
           NOMES[n], 100 * Divide(f.acertosNoPrimeiro, f.partidas),
           Divide(f.tirosAteAcertar, f.comAcerto),
           Divide(f.tirosAteDestruir, f.destruicoes), vitorias[0], vitorias[1],
           vitorias[2], Quantil(f.planos, 1), Quantil(f.planos, 0.999),
           AcimaDe2ms(f.planos), f.planos.size(),
           Divide(f.quadrosDaVez, f.vezes) * 0.016, f.vezMaisCurta * 0.016,
           f.vezMaisLonga * 0.016);
  }
}

bool CarregaAsBalas() {
  const std::string pasta = TROVASCO_ARQUIVOS;
  const char *nomes[4] = {"", "/bala1.png", "/bala2.png", "/bala3.png"};
  for (int i = 1; i <= 3; i++)
    voando[i] = T2D2_CarregaSpriteSet((pasta + nomes[i]).c_str(), 0, 0);
  forma = T2D2_CarregaSpriteSet((pasta + "/boundingcircle.png").c_str(), 0, 0);
  return voando[1] && voando[2] && voando[3] && forma;
}

} // namespace

int main(int argc, char **argv) {
  bool json = false;
  int partidas = 300;
  for (int i = 1; i < argc; i++) {
    if (!strcmp(argv[i], "--json"))
      json = true;
    else if (!strcmp(argv[i], "--partidas") && i + 1 < argc)
      partidas = std::max(2, atoi(argv[++i]));
  }
  // Only the collision shapes are needed: no window is ever shown, and the
  // library's start-up lines stay out of the figures.
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  fflush(stdout);
  const int saida = dup(1), nada = open("/dev/null", O_WRONLY);
  dup2(nada, 1);
  const bool iniciou =
      T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_PADRAO, "torneio") &&
      CarregaAsBalas();
  fflush(stdout);
  dup2(saida, 1);
  close(nada);
  close(saida);
  if (!iniciou) {
    fprintf(stderr, "torneio: no generated files/ at %s\n", TROVASCO_ARQUIVOS);
    return 1;
  }
  srand(1);
  unsigned semente = 1;
  for (int n = 1; n <= 3; n++)
    for (int k = 0; k < partidas; k++, semente += 2)
      Partida(ia::NINGUEM, ia::Nivel(n), semente);
  for (int a = 1; a <= 3; a++)
    for (int b = a + 1; b <= 3; b++)
      for (int k = 0; k < partidas; k++, semente += 2) {
        const bool troca = k % 2 == 1;
        Partida(ia::Nivel(troca ? b : a), ia::Nivel(troca ? a : b), semente);
      }
  if (json)
    ImprimeJson();
  else
    ImprimeTabela(partidas);
  return 0;
}
