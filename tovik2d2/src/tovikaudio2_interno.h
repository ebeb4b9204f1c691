// Tovik Audio 2 state behind its public header: the sound tables, the
// volumes and the screen width the panning is measured against.
#ifndef T2D2_TOVIKAUDIO2_INTERNO_H
#define T2D2_TOVIKAUDIO2_INTERNO_H

#include "t2d2/tovikaudio2.h"

extern TA2_Efeito efeitos[TA2_MAXEFEITOS];
extern TA2_Musica musicas[TA2_MAXMUSICAS];
extern bool TA2_inicializado;
extern Uint32 volMusica;  // percent, 0..100
extern Uint32 volEfeitos; // percent, 0..100
extern Sint32 lTela;      // screen width at TA2_Inicia; -1 without a screen

#endif
