// What the game-level hardening runs add to the whole-game harness: a clock
// that runs as fast as the frames are drawn, the game's start redirected to
// the SDL software back-end, and quit requests injected where no script step
// can reach (while assets load, inside the end pause).
#ifndef TROVASCO_TESTES_JOGO_RAPIDO_H
#define TROVASCO_TESTES_JOGO_RAPIDO_H

#include "partida.h"

// When true, the game's T2D2_Inicia call asks for the SDL back-end instead of
// the OpenGL one it hard-codes.
extern bool jogoNoSDL;
// Called inside the game's T2D2_Inicia call, in the folder it plays in.
extern std::function<void()> inicioDoJogo;
// When true, a quit request is queued as the game loads its font.
extern bool saiAoCarregarAFonte;
// When true, a quit request is queued inside the first wait of at least one
// second: the end screen's pause.
extern bool saiNaPausaFinal;

// Fake milliseconds handed out so far; every SDL_Delay adds its argument.
Uint32 RelogioFalso();

// Pushes a quit request (the window's close button), done in the same frame.
Roteiro Sai();
// Waits for the frame of that number.
Roteiro AteOQuadro(int numero);

#endif
