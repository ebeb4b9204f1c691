// The computer opponent: its shots searched through the game's own flight,
// its errors and corrections by level, and its hands, frame by frame.
#include "Computador.h"
#include "MathUtil.h"
#include "includes.h"

#include <cmath>

using math::Vector2D;

namespace ia {

// ---------------------------------------------------------------------------
// Levels
// ---------------------------------------------------------------------------

// How far a level's first ball falls from the other cannon (either side),
// how much of its last miss it keeps when it corrects, how much it wavers,
// the elevation it likes, and whether it changes balls with sense.
struct Perfil {
  float primeiroMinimo, primeiroMaximo;
  float mantem, oscila;
  int elevacao, variacao;
  bool escolheBala;
};

static const Perfil PERFIS[4] = {
    {0, 0, 0, 0, 45, 0, false},           // no computer
    {420, 720, 0.72f, 70, 45, 12, false}, // FACIL: wide misses, slow fixes
    {170, 300, 0.45f, 35, 45, 6, true},   // MEDIO: misses, then closes in
    {0, 100, 0.2f, 20, 45, 0, true},      // DIFICIL: allows for the wind
};

Nivel NivelDasTeclas(const T2D2_Botao *teclas) {
  if (teclas[T2D2_1].pressionado) return FACIL;
  if (teclas[T2D2_2].pressionado) return MEDIO;
  if (teclas[T2D2_3].pressionado) return DIFICIL;
  return NINGUEM;
}

// ---------------------------------------------------------------------------
// The flight of a shot
// ---------------------------------------------------------------------------

Situacao::Situacao()
    : p(0), armas{obj::Canhao(0, 0, 0, 0, 0, 0), obj::Canhao(0, 0, 0, 0, 0, 0)},
      balas{obj::Bala(0, 0, 0, 0), obj::Bala(0, 0, 0, 0)}, aceleracao(0, 0),
      forca_delta(0), tipo(1), voando{0, 0, 0, 0} {}

Situacao::Situacao(int p, const obj::Canhao *armas, const obj::Bala *balas,
                   const Vector2D &aceleracao, double forca_delta, int tipo,
                   const unsigned int *voando)
    : p(p), armas{armas[0], armas[1]}, balas{balas[0], balas[1]},
      aceleracao(aceleracao), forca_delta(forca_delta),
      tipo(tipo), voando{0, voando[1], voando[2], voando[3]} {}

double ForcaDepois(int cargas, double *forca_delta) {
  double forca = 0;
  for (int i = 0; i < cargas; i++) {
    forca += *forca_delta;
    forca = forcaRecalcula(forca, forca_delta);
  }
  return forca;
}

// From the ball's top-left, where it is placed, to its centre.
static const float RAIO_DA_BALA = 28;

// How far the ball's centre is beyond the other cannon's pivot, seen from
// the shooter.
static float Alem(int p, const obj::Bala &bala, const obj::Canhao &alvo) {
  const float alem = bala.resultante.x + RAIO_DA_BALA - alvo.resultante.x;
  return p == 0 ? alem : -alem;
}

Resultado Simula(const Situacao &s, const Tiro &tiro) {
  obj::Canhao armas[2] = {s.armas[0], s.armas[1]};
  obj::Bala balas[2] = {s.balas[0], s.balas[1]};
  const int p = s.p, q = 1 - s.p;
  CarregaBala(&balas[p], tiro.tipo, s.voando);
  armas[p].CalculaRotacao(tiro.mx, tiro.my);
  double forca_delta = s.forca_delta;
  const double forca = ForcaDepois(tiro.cargas, &forca_delta);
  Voo voo = Dispara(p, forca, tiro.mx, tiro.my, s.aceleracao, armas, balas);
  // The flight goes on past a hit, so that every shot says where it comes
  // down to the other cannon's height.
  Resultado r;
  const float altura = armas[q].resultante.y;
  bool desceu = false;
  while (balas[p].resultante.y <= 600) {
    AvancaVoo(p, &voo, armas, balas);
    if (!desceu && balas[p].resultante.y + RAIO_DA_BALA >= altura) {
      desceu = true;
      r.queda = Alem(p, balas[p], armas[q]);
    }
    if (r.acerta) continue;
    r.quadros++;
    r.acerta = balas[p].colidiu(armas[q]) != 0;
  }
  if (!desceu) r.queda = Alem(p, balas[p], armas[q]);
  return r;
}

Aleatorio::Aleatorio(std::uint32_t semente) : estado(semente) {}

double Aleatorio::Entre(double a, double b) {
  // Knuth's 64-bit linear congruential step; its top 32 bits are the draw.
  estado = estado * 6364136223846793005ull + 1442695040888963407ull;
  return a + (b - a) * double(estado >> 32) / 4294967296.0;
}

int Aleatorio::Sinal() {
  return Entre(0, 1) < 0.5 ? -1 : 1;
}

// ---------------------------------------------------------------------------
// The planner
// ---------------------------------------------------------------------------

// A shot that falls this close to where it was meant is good enough; the
// heaviest ball's force steps are about 27 pixels apart at long range.
static const float TOLERANCIA = 20;
// The bar needs 120 frames to fill; a bar that starts falling spends one
// more at 0.
static const int CARGAS_MAXIMAS = 121;
// How far from the pivot the hand points: whole pixels there give the
// elevation in steps of about a third of a degree.
static const double RAIO_DA_MAO = 160;

static int Dano(int tipo) {
  return 10 * (tipo + 1);
}

Planejador::Planejador(Nivel nivel, std::uint32_t semente)
    : nivel(nivel), sorte(semente * 2654435761u + unsigned(nivel)) {}

void Planejador::Comeca(const Situacao &situacao) {
  s = situacao;
  const Perfil &perfil = PERFIS[nivel];
  if (jogou)
    alvo = float(ultimaQueda * perfil.mantem +
                 sorte.Entre(-perfil.oscila, perfil.oscila));
  else
    alvo = float(sorte.Sinal() *
                 sorte.Entre(perfil.primeiroMinimo, perfil.primeiroMaximo));
  nTipos = 0;
  if (perfil.escolheBala) {
    for (int tipo = 3; tipo >= 1; tipo--) tipos[nTipos++] = tipo;
  } else {
    tipos[nTipos++] = s.tipo;
  }
  const int base =
      perfil.elevacao +
      int(std::lround(sorte.Entre(-perfil.variacao, perfil.variacao)));
  const int ordem[4] = {0, -10, 10, -20};
  for (int i = 0; i < 4; i++) elevacoes[i] = base + ordem[i];
  for (int tipo = 0; tipo < 4; tipo++) {
    melhorDoTipo[tipo] = Tiro();
    previstoDoTipo[tipo] = Resultado();
    previstoDoTipo[tipo].queda = HUGE_VALF;
  }
  iTipo = 0;
  iElevacao = 0;
  pronto = false;
  ComecaTipo();
}

// The hand's place for the elevation, in front of the cannon, and the
// search over the charging frames from scratch.
void Planejador::ComecaTipo() {
  const Vector2D &pivo = s.armas[s.p].resultante;
  const double graus = elevacoes[iElevacao] * math::PI / 180;
  const double frente = s.p == 0 ? 1 : -1;
  mx = int(std::lround(pivo.x + frente * RAIO_DA_MAO * std::cos(graus)));
  my = int(std::lround(pivo.y - RAIO_DA_MAO * std::sin(graus)));
  baixo = 1;
  alto = CARGAS_MAXIMAS;
  final = 0;
}

bool Planejador::Voa(int cargas, Resultado *r) {
  Tiro tiro;
  tiro.tipo = tipos[iTipo];
  tiro.mx = mx;
  tiro.my = my;
  tiro.cargas = cargas;
  *r = Simula(s, tiro);
  Resultado &melhor = previstoDoTipo[tiro.tipo];
  if (std::fabs(r->queda - alvo) < std::fabs(melhor.queda - alvo)) {
    melhor = *r;
    melhorDoTipo[tiro.tipo] = tiro;
  }
  return r->queda >= alvo;
}

// A longer charge throws further at these elevations, so the charge that
// lands nearest the aim lies next to the first one that reaches it: a
// bisection finds that one, then its neighbour below is flown too.
bool Planejador::Avanca(int voos) {
  Resultado r;
  for (; voos > 0 && !pronto; voos--) {
    if (baixo < alto) {
      const int meio = (baixo + alto) / 2;
      if (Voa(meio, &r))
        alto = meio;
      else
        baixo = meio + 1;
    } else if (final == 0) {
      Voa(baixo, &r);
      final = 1;
      if (baixo == 1) FechaTipo();
    } else {
      Voa(baixo - 1, &r);
      FechaTipo();
    }
  }
  return pronto;
}

// Another elevation while this ball falls too far from the aim; then the
// next ball, and once all are searched, the choice.
void Planejador::FechaTipo() {
  const int tipo = tipos[iTipo];
  const bool bom = std::fabs(previstoDoTipo[tipo].queda - alvo) <= TOLERANCIA;
  if (!bom && iElevacao + 1 < 4) {
    iElevacao++;
    ComecaTipo();
    return;
  }
  iElevacao = 0;
  if (++iTipo < nTipos) {
    ComecaTipo();
    return;
  }
  Escolhe();
}

// Of the balls that fall where meant, the one that destroys the other cannon
// most surely, else the heaviest, for the most damage; when none falls where
// meant, the nearest. The balls are searched heaviest first.
void Planejador::Escolhe() {
  const int vida = s.armas[1 - s.p].vida;
  int escolhido = tipos[0], melhorClasse = -1;
  float melhorErro = HUGE_VALF;
  for (int i = 0; i < nTipos; i++) {
    const int tipo = tipos[i];
    const float erro = std::fabs(previstoDoTipo[tipo].queda - alvo);
    const int classe = erro > TOLERANCIA ? 0 : Dano(tipo) >= vida ? 2 : 1;
    const bool maisPerto = classe != 1 && erro < melhorErro;
    if (classe < melhorClasse || (classe == melhorClasse && !maisPerto))
      continue;
    escolhido = tipo;
    melhorClasse = classe;
    melhorErro = erro;
  }
  plano = melhorDoTipo[escolhido];
  previsto = previstoDoTipo[escolhido];
  ultimaQueda = previsto.queda;
  jogou = true;
  pronto = true;
}

// ---------------------------------------------------------------------------
// The hands
// ---------------------------------------------------------------------------

// Frames at 60 a second: the barrel turns in about half a second, a click
// is seen, the hand rests on its aim before it presses, and a whole turn
// lasts at least about 1.6 s.
static const int VOOS_POR_QUADRO = 6;
static const int QUADROS_DE_GIRO = 30;
static const int QUADROS_ENTRE_CLIQUES = 10;
static const int QUADROS_DE_CLIQUE = 6;
static const int QUADROS_NA_MIRA = 12;
static const int QUADROS_MINIMOS = 100;

Computador::Computador(Nivel nivel, std::uint32_t semente)
    : nivel(nivel), planejador(nivel, semente), mouse() {
  // Along the right-hand cannon's barrel as the game starts, from where its
  // pivot is shown in its turns.
  mouse.x = 400 - int(RAIO_DA_MAO);
  mouse.y = 568;
}

const T2D2_Mouse *Computador::Maos(int player, const T2D2_Mouse *pessoa) const {
  return Joga(player) ? &mouse : pessoa;
}

void Computador::Observa(const Situacao &s) {
  if (etapa != ESPERA) return;
  planejador.Comeca(s);
  pivo = s.armas[s.p].resultante;
  tipoNaMao = s.tipo;
  quadrosNaVez = 0;
  Muda(PENSA);
}

void Computador::Muda(Etapa nova) {
  etapa = nova;
  quadros = 0;
}

// As the library's input refresh does, the edges last one frame.
void Computador::Quadro() {
  for (T2D2_Botao &b : mouse.botoes) b.pressionado = b.liberado = false;
  if (etapa == ESPERA) return;
  quadros++;
  quadrosNaVez++;
  T2D2_Botao &esquerdo = mouse.botoes[T2D2_MESQUERDO];
  switch (etapa) {
  case PENSA:
    Pensa();
    break;
  case GIRA:
    Gira();
    break;
  case TROCA:
    Troca();
    break;
  case MIRA:
    if (quadros < QUADROS_NA_MIRA) break;
    esquerdo.pressionado = esquerdo.ativo = true;
    Muda(CARREGA);
    break;
  case CARREGA:
    if (quadros < planejador.Plano().cargas) break;
    esquerdo.ativo = false;
    esquerdo.liberado = true;
    Muda(ESPERA);
    break;
  case ESPERA:
    break;
  }
}

static double GrausDoPonto(const Vector2D &pivo, int x, int y) {
  return std::atan2(double(pivo.y) - y, x - double(pivo.x)) * 180 / math::PI;
}

// Once the plan is ready the barrel turns, unless the turn would then be
// over too soon for a person to follow.
void Computador::Pensa() {
  if (!planejador.Avanca(VOOS_POR_QUADRO)) return;
  const Tiro &plano = planejador.Plano();
  cliques = (plano.tipo - tipoNaMao + 3) % 3;
  const int resto = QUADROS_DE_GIRO +
                    cliques * (QUADROS_ENTRE_CLIQUES + QUADROS_DE_CLIQUE) +
                    QUADROS_NA_MIRA + plano.cargas;
  if (quadrosNaVez + resto < QUADROS_MINIMOS) return;
  de = GrausDoPonto(pivo, mouse.x, mouse.y);
  para = GrausDoPonto(pivo, plano.mx, plano.my);
  Muda(GIRA);
}

void Computador::Aponta(double graus) {
  const double r = graus * math::PI / 180;
  mouse.x = int(std::lround(pivo.x + RAIO_DA_MAO * std::cos(r)));
  mouse.y = int(std::lround(pivo.y - RAIO_DA_MAO * std::sin(r)));
}

void Computador::Gira() {
  if (quadros < QUADROS_DE_GIRO) {
    Aponta(de + (para - de) * quadros / QUADROS_DE_GIRO);
    return;
  }
  mouse.x = planejador.Plano().mx;
  mouse.y = planejador.Plano().my;
  Muda(TROCA);
}

// Each right-click cycles the ball: down, then up a few frames later.
void Computador::Troca() {
  T2D2_Botao &direito = mouse.botoes[T2D2_MDIREITO];
  if (cliques == 0) {
    Muda(MIRA);
  } else if (quadros == QUADROS_ENTRE_CLIQUES) {
    direito.pressionado = direito.ativo = true;
  } else if (quadros == QUADROS_ENTRE_CLIQUES + QUADROS_DE_CLIQUE) {
    direito.ativo = false;
    direito.liberado = true;
    cliques--;
    quadros = 0;
  }
}

} // namespace ia
