// The library's start for the game, the shot's arithmetic step by step, the
// heads-up display and the number formatters. Vectors are single precision
// operation by operation; the scalar formulas are double precision.
#include "includes.h"
#include "MathUtil.h"

#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"
#include "t2d2/tovikaudio2.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using math::truncateToInt;
using math::Vector2D;

// The caption is UTF-8: the copyright sign and an em dash.
static const char TITULO[] = "Trovasco \xc2\xa9"
                             " 2012 \xe2\x80\x94"
                             " feito com a Tovik2D 2";
static const char MSG_INICIOU[] = "Iniciou a Tovik2D 2 com sucesso";
static const char MSG_FALHOU[] =
    "Falhou ao iniciar a Tovik2D 2. Encerrando o programa.";

static const double FORCA_MAXIMA = 13;
static const double COR_MAXIMA = 255;
static const int RAIO_DA_BALA = 28;
static const float DISTANCIA_DE_PARADA = 140;

int Tovik2D_Start() {
  if (!T2D2_Inicia(800, 600, T2D2_JANELA, T2D2_DESENHO_OPENGL, TITULO)) {
    puts(MSG_FALHOU);
    return 0;
  }
  puts(MSG_INICIOU);
  T2D2P_Inicia();
  TA2_Inicia();
  return 1;
}

static double quica(double valor, double *delta, double maximo) {
  if (valor <= 0 || valor >= maximo) *delta = -*delta;
  if (valor <= 0) valor = 0;
  if (valor >= maximo) valor = maximo;
  return valor;
}

double gRecalcula(double g, double *color_delta) {
  return quica(g, color_delta, COR_MAXIMA);
}

double forcaRecalcula(double forca, double *forca_delta) {
  return quica(forca, forca_delta, FORCA_MAXIMA);
}

double FracaoDaForca(double forca) {
  return forca / FORCA_MAXIMA;
}

// ---------------------------------------------------------------------------
// One shot
// ---------------------------------------------------------------------------

Vector2D PosicaoNaBoca(const obj::Canhao &arma) {
  const Vector2D &r = arma.resultante;
  const double a = arma.angulo;
  return Vector2D(
      float(r.x + arma.raio * std::cos(a * math::PI / 180) - RAIO_DA_BALA),
      float(r.y + arma.raio * std::sin(a * math::PI / -180) - RAIO_DA_BALA));
}

double AnguloDoTiro(int p, int mx, int my, const Vector2D &pivo) {
  const int co = truncateToInt(std::fabs(float(my) - pivo.y));
  const int ca = truncateToInt(std::fabs(float(mx) - pivo.x));
  // Straight above or below the pivot the quotient is infinite; on the pivot
  // itself it would be 0/0. Both are taken as the vertical shot.
  const double elevacao =
      ca == 0 ? math::PI / 2 : std::atan(double(co) / double(ca));
  return p == 0 ? -elevacao : elevacao - math::PI;
}

Vector2D ImpulsoInicial(double forca, double angrad) {
  return Vector2D::newBySizeAngle(float(forca * 3.0), float(angrad));
}

void Lancamento(const Vector2D &f0, float massa, const Vector2D &aceleracao,
                Vector2D *v, Vector2D *accelSecs) {
  *v = Vector2D(0, 0);
  *accelSecs = Vector2D(0, 0);
  *accelSecs += aceleracao * 1.0f / 60.0f;
  *v += (f0 / massa + aceleracao) * 1.0f / 60.0f;
}

Vector2D PassoDaCamera(const Vector2D &f0, float massa) {
  return Vector2D(float(double(f0.x) / double(massa) / 60.0), 0);
}

void MoveBala(Vector2D *posicao, Vector2D *v, const Vector2D &accelSecs) {
  *posicao += *v + (accelSecs / 2.0f) * 1.0f / 60.0f;
  *v += accelSecs;
}

bool CameraParou(int p, const obj::Bala *balas) {
  if (p == 0)
    return balas[0].resultante.x - balas[1].resultante.x >= DISTANCIA_DE_PARADA;
  return balas[1].resultante.x - balas[0].resultante.x <= -DISTANCIA_DE_PARADA;
}

int AplicaDano(obj::Canhao *alvo, int tipo) {
  // The damage is counted in whole points, not from the single-precision
  // mass, so a hit that takes the last points destroys the cannon.
  const int restante = alvo->vida - 10 * (tipo + 1);
  if (restante > 0) {
    alvo->vida = restante;
    return 0;
  }
  alvo->vida = 0;
  return 1;
}

static const float MASSAS[4] = {0, 0.02f, 0.03f, 0.04f};

float MassaDaBala(int tipo) {
  return MASSAS[tipo];
}

void CarregaBala(obj::Bala *bala, int tipo, const unsigned int *voando) {
  bala->massa = MASSAS[tipo];
  bala->setSprite(voando[tipo]);
}

Vector2D CentraNoJogador(int player, obj::Canhao *armas, obj::Bala *balas,
                         const Vector2D &metadeDaTela) {
  const Vector2D offset = armas[player].origem - metadeDaTela;
  for (int i = 0; i < 2; i++) {
    balas[i].reset();
    armas[i].reset();
    balas[i].aplicaOffset(-offset);
    armas[i].aplicaOffset(-offset);
  }
  return offset;
}

Voo Dispara(int p, double forca, int mx, int my, const Vector2D &aceleracao,
            const obj::Canhao *armas, obj::Bala *balas) {
  balas[p].resultante = PosicaoNaBoca(armas[p]);
  const double angrad = AnguloDoTiro(p, mx, my, armas[p].resultante);
  const Vector2D f0 = ImpulsoInicial(forca, angrad);
  Voo voo;
  Lancamento(f0, balas[p].massa, aceleracao, &voo.v, &voo.accelSecs);
  voo.passo = PassoDaCamera(f0, balas[p].massa);
  return voo;
}

bool AvancaVoo(int p, Voo *voo, obj::Canhao *armas, obj::Bala *balas) {
  MoveBala(&balas[p].resultante, &voo->v, voo->accelSecs);
  if (CameraParou(p, balas)) return false;
  armas[0].aplicaOffset(-voo->passo);
  balas[0].aplicaOffset(-voo->passo);
  armas[1].aplicaOffset(-voo->passo);
  balas[1].aplicaOffset(-voo->passo);
  return true;
}

Vector2D NovoVento() {
  const int k = rand() % 11;
  const int s = rand() % 3 - 1;
  return Vector2D(float((k / 10.0) * s), 0);
}

// ---------------------------------------------------------------------------
// Heads-up display
// ---------------------------------------------------------------------------

static const char *setasDoVento(float x) {
  if (x < -0.7) return "<<<";
  if (x < -0.3) return "<< ";
  if (x < 0) return "<  ";
  if (x < 0.3) return ">  ";
  if (x < 0.7) return ">> ";
  return ">>>";
}

void MontaTextoVento(char *textoVento, float ventoX) {
  memset(textoVento, 0, 20);
  memcpy(textoVento, "Vento: ", 7);
  memcpy(textoVento + 7, setasDoVento(ventoX), 3);
}

void MontaTextoJogador(char *textoJogador, char *jogador, int player) {
  memset(textoJogador, 0, 100);
  memcpy(textoJogador, "PLAYER ", 7);
  memset(jogador, 0, 3);
  itoa(jogador, player + 1);
  strcat(textoJogador, jogador);
}

void MontaTextoComputador(char *textoJogador) {
  memset(textoJogador, 0, 100);
  memcpy(textoJogador, "COMPUTADOR", 10);
}

static void pintado(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g, Uint8 b) {
  if (T2D2P_RetanguloPintado) T2D2P_RetanguloPintado(x1, y1, x2, y2, r, g, b);
}

static void sprite(unsigned int id, int x, int y) {
  if (T2D2_DesenhaSprite) T2D2_DesenhaSprite(id, 0, x, y);
}

void DesenhaInventario(const unsigned int *figuras, int bordaInventario,
                       int tipo) {
  for (int k = 0; k < 3; k++) {
    const int x = 200 + 150 * k, b = bordaInventario;
    pintado(x, 10, x + 100, 100, 255, 255, 255);
    pintado(x + b, 10 + b, x + 100 - b, 100 - b, 0, 0, 0);
    sprite(figuras[k], 194 + 150 * k, 0);
  }
  const int offsetInvetario = 150 * (tipo - 1);
  if (!T2D2P_Retangulo) return;
  for (int j = 1; j <= 5; j++)
    T2D2P_Retangulo(200 - j + offsetInvetario, 10 - j,
                    300 + j + offsetInvetario, 100 + j, 255, 0, 0);
}

void DesenhaBarraForca(int offsetBarra, double forca, double g) {
  pintado(offsetBarra + 10, 10, offsetBarra + 30, 590, 255, 255, 255);
  pintado(offsetBarra + 12, 12, offsetBarra + 28, 588, 0, 0, 0);
  const int topo = truncateToInt(forca * -44.2 + 588);
  pintado(offsetBarra + 12, 588, offsetBarra + 28, topo,
          Uint8(truncateToInt(255 - g)), Uint8(truncateToInt(g)), 0);
}

void DesenhaFundos(int player, unsigned int fundo, unsigned int fundoTras) {
  DesenhaFundosRolados(player, fundo, fundoTras, 0);
}

void DesenhaFundosRolados(int player, unsigned int fundo,
                          unsigned int fundoTras, float deltaFundo) {
  if (player != 0) {
    sprite(fundoTras, truncateToInt(deltaFundo / -1.2 - 1700), 0);
    sprite(fundo, truncateToInt(-2200 - deltaFundo), 540);
    return;
  }
  sprite(fundoTras, truncateToInt(deltaFundo / -1.2), 0);
  sprite(fundo, truncateToInt(-deltaFundo), 540);
}

void draw(int player, unsigned int fundo, unsigned int fundoTras,
          obj::Canhao *armas, obj::Bala *, int offsetBarra, double forca,
          double g, int, int) {
  if (T2D2_LimpaTela) T2D2_LimpaTela();
  DesenhaFundos(player, fundo, fundoTras);
  armas[0].desenha();
  armas[1].desenha();
  DesenhaBarraForca(offsetBarra, forca, g);
}

// ---------------------------------------------------------------------------
// Number formatting
// ---------------------------------------------------------------------------

void itoa(char *dest, int numero) {
  if (numero > 99) {
    memcpy(dest, "99", 3);
    return;
  }
  dest[0] = numero >= -9 && numero <= 9 ? ' ' : char('0' + numero / 10);
  dest[1] = char('0' + numero % 10);
  dest[2] = 0;
}

void ftoa(char *dest, float numero) {
  char sinal = '-';
  if (numero > 0)
    sinal = '+';
  else if (numero == 0)
    sinal = ' ';
  else
    numero = -numero;
  const int inteiro = truncateToInt(numero);
  numero = numero - float(inteiro);
  numero = numero * 100;
  const int decimal = truncateToInt(numero);
  dest[0] = sinal;
  dest[1] = char('0' + inteiro / 10);
  dest[2] = char('0' + inteiro % 10);
  dest[3] = '.';
  dest[4] = char('0' + decimal / 10);
  dest[5] = char('0' + decimal % 10);
  dest[6] = 0;
}
