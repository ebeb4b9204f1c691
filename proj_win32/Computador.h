// Trovasco's computer opponent, in the right-hand seat. The planner knows
// what a person at the controls knows (where both cannons stand, the turn's
// wind, how the force bar will swing, its own balls) and searches its shot by
// flying candidates through the game's own firing and flight steps. The hands
// carry the plan out through a mouse of their own, one frame at a time, so
// its turn looks and sounds like a person's. Its levels differ only in how
// far it errs and how it corrects.
#ifndef TROVASCO_COMPUTADOR_H
#define TROVASCO_COMPUTADOR_H

#include "Objeto.h"
#include "Vector2D.h"

#include "t2d2/tovik2d2.h"

#include <cstdint>

namespace ia {

enum Nivel { NINGUEM, FACIL, MEDIO, DIFICIL };

// The level whose key, 1, 2 or 3, went down in the last input refresh;
// NINGUEM when none did.
Nivel NivelDasTeclas(const T2D2_Botao *teclas);

// What the player whose turn it is may know as the turn starts: both
// cannons and balls as shown, gravity plus the turn's wind, the direction the
// bar will swing first, the kind of ball loaded and the pictures of kinds
// 1 to 3 (voando[1..3]).
struct Situacao {
  Situacao();
  Situacao(int p, const obj::Canhao *armas, const obj::Bala *balas,
           const math::Vector2D &aceleracao, double forca_delta, int tipo,
           const unsigned int *voando);
  int p;
  obj::Canhao armas[2];
  obj::Bala balas[2];
  math::Vector2D aceleracao;
  double forca_delta;
  int tipo;
  unsigned int voando[4];
};

// A shot as a person's hands make it: the ball, where the pointer stands when
// the left button goes down, and for how many charging frames it is held.
struct Tiro {
  int tipo = 1;
  int mx = 0, my = 0;
  int cargas = 1;
};

// What a shot does. queda is where the ball comes down to the other cannon's
// pivot, were that cannon not there: its centre's distance from the pivot,
// positive beyond it.
struct Resultado {
  bool acerta = false;
  int quadros = 0; // flight frames up to the hit, or to the fall
  float queda = 0;
};

// The force after that many charging frames of a bar that starts at rest;
// *forca_delta ends as the game's does.
double ForcaDepois(int cargas, double *forca_delta);

// Flies the shot through the game's own steps from the situation.
Resultado Simula(const Situacao &s, const Tiro &tiro);

// A random stream of its own, so that the wind stays rand()'s alone and a
// seed replays a computer's play.
class Aleatorio {
public:
  explicit Aleatorio(std::uint32_t semente);
  // In [a, b).
  double Entre(double a, double b);
  // -1 or +1.
  int Sinal();

private:
  std::uint64_t estado;
};

// One computer's plans, turn after turn. It remembers where its last ball
// fell and corrects from there, as a person does.
class Planejador {
public:
  Planejador(Nivel nivel, std::uint32_t semente);
  // A new turn from this situation.
  void Comeca(const Situacao &s);
  // Flies up to voos more candidates; true once the plan is ready.
  bool Avanca(int voos);
  const Tiro &Plano() const { return plano; }
  const Resultado &Previsto() const { return previsto; }

private:
  void ComecaTipo();
  bool Voa(int cargas, Resultado *r);
  void FechaTipo();
  void Escolhe();

  Nivel nivel;
  Aleatorio sorte;
  Situacao s;
  bool jogou = false;
  float ultimaQueda = 0;
  float alvo = 0; // where this turn's ball is meant to fall

  int tipos[3] = {0, 0, 0}, nTipos = 0, iTipo = 0;
  int elevacoes[4] = {0, 0, 0, 0}, iElevacao = 0;
  int mx = 0, my = 0, baixo = 1, alto = 1, final = 0;
  Tiro melhorDoTipo[4];
  Resultado previstoDoTipo[4];
  bool pronto = false;
  Tiro plano;
  Resultado previsto;
};

// The hands: they point, click, hold and let go through a mouse of their own,
// which the game reads in the computer's turns instead of the person's.
class Computador {
public:
  Computador(Nivel nivel, std::uint32_t semente);
  // Whether player's seat is the computer's.
  bool Joga(int player) const { return nivel != NINGUEM && player == 1; }
  // The mouse the game reads for player: the person's, or these hands'.
  const T2D2_Mouse *Maos(int player, const T2D2_Mouse *pessoa) const;
  // Every aiming frame of its turn; the first starts the turn's plan.
  void Observa(const Situacao &s);
  // After every input refresh: the hands take their next place.
  void Quadro();
  // The plan of the turn under way, or of the last one.
  const Planejador &Plano() const { return planejador; }
  // Frames from the start of the last turn to its release.
  int QuadrosAteODisparo() const { return quadrosNaVez; }

private:
  enum Etapa { ESPERA, PENSA, GIRA, TROCA, MIRA, CARREGA };
  void Aponta(double graus);
  void Muda(Etapa nova);
  void Pensa();
  void Gira();
  void Troca();

  Nivel nivel;
  Planejador planejador;
  T2D2_Mouse mouse;
  Etapa etapa = ESPERA;
  int quadros = 0, quadrosNaVez = 0, cliques = 0, tipoNaMao = 1;
  math::Vector2D pivo;
  double de = 0, para = 0;
};

} // namespace ia

#endif
