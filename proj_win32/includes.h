// Trovasco's helpers around the main routine: starting the library, the force
// and colour bounces, the steps of one shot, the heads-up display and the two
// fixed-width number formatters. Nothing here keeps state of its own: every
// value lives in the main routine and is passed in.
#ifndef TROVASCO_INCLUDES_H
#define TROVASCO_INCLUDES_H

#include "Objeto.h"
#include "Vector2D.h"

// The game's entry, reached from the platform's main. Returns 0 in every case.
extern "C" int SDL_main(int argc, char *argv[]);

// ---------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------

// Opens the 800 x 600 OpenGL window, then the primitives and the audio. 1 on
// success; 0, after its failure line, when the window cannot be opened.
int Tovik2D_Start();

// ---------------------------------------------------------------------------
// Force and colour of the charging bar
// ---------------------------------------------------------------------------

// Bounce g (already moved by *color_delta) inside 0..255 and forca inside
// 0..13: at or past an end the value is held there and the delta turns.
double gRecalcula(double g, double *color_delta);
double forcaRecalcula(double forca, double *forca_delta);
// How full the bar is, 0 to 1, for a page that shows the charge elsewhere.
double FracaoDaForca(double forca);

// ---------------------------------------------------------------------------
// One shot
// ---------------------------------------------------------------------------

// Top-left of the ball at the muzzle of a cannon, raio pixels along its
// barrel from the pivot.
math::Vector2D PosicaoNaBoca(const obj::Canhao &arma);
// Launch angle in radians of player p's shot at (mx, my) seen from the pivot:
// up (or level) and forward at the target's elevation. A target straight
// above, below or on the pivot gives a vertical shot.
double AnguloDoTiro(int p, int mx, int my, const math::Vector2D &pivo);
// Launch impulse of length 3 x forca in the direction angrad.
math::Vector2D ImpulsoInicial(double forca, double angrad);
// Velocity and its change per frame for a ball of this mass pushed by f0.
void Lancamento(const math::Vector2D &f0, float massa,
                const math::Vector2D &aceleracao, math::Vector2D *v,
                math::Vector2D *accelSecs);
// The camera step of a flight: the horizontal launch speed, without wind.
math::Vector2D PassoDaCamera(const math::Vector2D &f0, float massa);
// One frame of flight: the ball moves, then its velocity changes.
void MoveBala(math::Vector2D *posicao, math::Vector2D *v,
              const math::Vector2D &accelSecs);
// Whether player p's flying ball is 140 pixels or more beyond the other
// player's resting ball, which stands at the other cannon's column.
bool CameraParou(int p, const obj::Bala *balas);
// Takes the damage of a ball of kind tipo (1, 2 or 3: 20, 30 or 40 points)
// off the cannon. 1 when that leaves it without life, else 0.
int AplicaDano(obj::Canhao *alvo, int tipo);
// Random wind, a multiple of 0.1 from -1 to 1: magnitude drawn first.
math::Vector2D NovoVento();

// Mass of a cannonball of kind tipo (1, 2 or 3).
float MassaDaBala(int tipo);
// Loads a ball of kind tipo: its mass and the picture it flies as, one of
// voando[1..3].
void CarregaBala(obj::Bala *bala, int tipo, const unsigned int *voando);
// Brings the camera to player's cannon, shown at metadeDaTela, with every
// object back in the field; returns the displacement applied.
math::Vector2D CentraNoJogador(int player, obj::Canhao *armas, obj::Bala *balas,
                               const math::Vector2D &metadeDaTela);

// A ball in flight: its velocity, the velocity's change per frame, and the
// camera's step while it follows the ball.
struct Voo {
  math::Vector2D v, accelSecs, passo;
};
// Releases player p's ball at the muzzle towards the target (mx, my) with
// this force, under gravity and wind.
Voo Dispara(int p, double forca, int mx, int my,
            const math::Vector2D &aceleracao, const obj::Canhao *armas,
            obj::Bala *balas);
// One flight frame between the ball's two drawings: the ball moves, and the
// camera follows it until it is past the other cannon. False when the camera
// stood still in this frame. The game and the computer's planner both fly
// their balls through here, so a planned flight is the flight.
bool AvancaVoo(int p, Voo *voo, obj::Canhao *armas, obj::Bala *balas);

// ---------------------------------------------------------------------------
// Heads-up display
// ---------------------------------------------------------------------------

// "Vento: " and three arrows for the wind, into 20 bytes.
void MontaTextoVento(char *textoVento, float ventoX);
// "PLAYER " and the player's number (player + 1), into 100 and 3 bytes.
void MontaTextoJogador(char *textoJogador, char *jogador, int player);
// "COMPUTADOR" in place of the player's text, into 100 bytes, so that a
// person never takes the computer's turn for their own.
void MontaTextoComputador(char *textoJogador);
// The three slots with their pictures and the red border around kind tipo.
void DesenhaInventario(const unsigned int *figuras, int bordaInventario,
                       int tipo);
// The vertical bar, filled from the bottom by forca, green to red as g falls.
void DesenhaBarraForca(int offsetBarra, double forca, double g);
// Both background layers where they rest for player's turn.
void DesenhaFundos(int player, unsigned int fundo, unsigned int fundoTras);
// Both layers scrolled by deltaFundo during a flight.
void DesenhaFundosRolados(int player, unsigned int fundo,
                          unsigned int fundoTras, float deltaFundo);

// A whole charging frame but its texts and inventory: clear, backgrounds,
// both cannons, the force bar. balas, mx and my are not used.
void draw(int player, unsigned int fundo, unsigned int fundoTras,
          obj::Canhao *armas, obj::Bala *balas, int offsetBarra, double forca,
          double g, int mx, int my);

// ---------------------------------------------------------------------------
// Number formatting
// ---------------------------------------------------------------------------

// Two characters and a zero: a blank and the digit below 10, "99" above 99.
void itoa(char *dest, int numero);
// Six characters and a zero: sign, two digits, '.', two truncated decimals.
void ftoa(char *dest, float numero);

#endif
