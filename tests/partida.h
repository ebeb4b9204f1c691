// Whole games of Trovasco played in the test process: SDL_main runs as it
// would for a person, while a hook inside every T2D2_Sincroniza reads the
// frame just drawn and pushes the next real SDL events from a script.
#ifndef TROVASCO_TESTES_PARTIDA_H
#define TROVASCO_TESTES_PARTIDA_H

#include "apoio.h"

#include <SDL.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A whole frame, top row first, as RGBA bytes.
struct Tela {
  int largura = 0, altura = 0;
  std::vector<Uint8> rgba;
  Cor em(int x, int y) const;
  bool e(int x, int y, Uint8 r, Uint8 g, Uint8 b) const;
};

// Reads the frame about to be presented: from the OpenGL back buffer, or
// from the SDL back-end's screen surface.
Tela LeTelaGL();
Tela LeTelaSDL();

// What kind of frame the game drew, told apart by what the display shows:
// aiming frames have the inventory and no force bar, charging frames both,
// flight frames only the bar.
enum class Fase { OUTRA, MIRA, CARGA, VOO };

struct Quadro {
  int numero = 0;
  Fase fase = Fase::OUTRA;
  int tipo = 0;        // kind framed in red, 1 to 3, or 0
  int barra = -1;      // x offset of the force bar, 0 or 760, or -1
  int topoBarra = -1;  // first filled row of the bar, -1 when empty
  Cor corBarra{};      // colour of its fill near the bottom
  int inicioVida = -1; // first column of the life bar on row 505, or -1
  int verdes = 0;      // green and red pixels of that bar on row 505
  int vermelhos = 0;
  bool somTocando = false; // some mixer channel is playing
  Uint32 ticks = 0;
};

Quadro Classifica(const Tela &t, int numero);

// Real SDL events, as the queue would get them from a person.
SDL_Event Botao(Uint8 tipo, Uint8 botao, int x, int y);
SDL_Event EventoDeTecla(SDLKey tecla, Uint8 tipo);
SDL_Event Movimento(int x, int y);
// True when the queue took the event.
bool Empurra(SDL_Event e);

// One step of a script: true once done, so that the next step may act in the
// same frame; false to be asked again at the next frame.
using Passo = std::function<bool(const Quadro &)>;
using Roteiro = std::vector<Passo>;

Roteiro Ate(Fase fase);
// Done at the next frame, or that many frames after it.
Roteiro Proximo(int quadros = 0);
Roteiro Tecla(SDLKey tecla);
Roteiro Move(int x, int y);
// Right-click: down in one frame, up in the next, so the game sees the edge.
Roteiro Direito(int x, int y);
// Left button down at (x, y); up at the n-th charging frame from now on.
Roteiro Aperta(int x, int y);
Roteiro SoltaNaCarga(int n, int x, int y);
// Points at (x, y) in an aiming frame, presses the left button in the next
// and lets it go in the n-th charging frame: the shot fires with the force of
// n updates.
Roteiro Atira(int x, int y, int n);
Roteiro operator+(Roteiro a, const Roteiro &b);

// Charging frames for which player 0's ball of this mass, aimed at (500, 468)
// at 45 degrees with calm wind, passes closest to the other cannon's pivot,
// following the game's own flight and camera steps.
int CargasParaAcertar(float massa);

enum class Arquivos { GERADOS, AUSENTES, VAZIOS, CORROMPIDOS };

// The folder holding the generated files/, or empty when there is none.
std::string PastaDosArquivos();
// Skips a test that needs the generated files when they were not built.
#define PRECISA_DOS_ARQUIVOS()                                                 \
  if (PastaDosArquivos().empty())                                              \
  GTEST_SKIP() << "no generated files/ at " TROVASCO_ARQUIVOS

inline const Roteiro ESC = Tecla(SDLK_ESCAPE);
inline const Roteiro ENTER = Tecla(SDLK_RETURN);

struct Partida {
  Roteiro roteiro;
  // Called for every frame, with its whole picture, after it is classified.
  std::function<void(const Quadro &, const Tela &)> observa;
  // Called first in every frame's hook, before anything is read back.
  std::function<void()> antesDoQuadro;
  // Called last in every frame's hook, once the script has acted.
  std::function<void()> depoisDoQuadro;
  Tela (*leTela)() = LeTelaGL;

  std::vector<Quadro> quadros;
  Tela ultima; // the last frame presented: the end screen
  std::string saida;
  int retorno = -1;
  Uint32 duracaoFinal = 0; // from the last frame to the return of SDL_main

  // Plays in a new folder under the working one, with files/ as asked.
  void Joga(Arquivos arquivos = Arquivos::GERADOS);
  // Share of the pixels where texto drawn at (x, y) differs from alternativa
  // that the given frame shows in texto's colours; 1 means texto is there.
  double Mostra(const Tela &t, int x, int y, const char *texto,
                const char *alternativa) const;

  // Frames of one kind, in order.
  std::vector<Quadro> De(Fase fase) const;
};

#endif
