// Tovik Audio 2: sound effects and music for Tovik2D 2 games, on SDL_mixer.
//
// How to use: after T2D2_Inicia (the screen width is read for panning),
//   TA2_Inicia();
//   unsigned int tiro = TA2_CarregaEfeito("tiro.wav");
//   unsigned int tema = TA2_CarregaMusica("tema.ogg");
//   TA2_TocaMusica(tema, -1);        // loop for ever
//   TA2_TocaEfeito(tiro, 0);         // centred; -100 left .. 100 right
//   ...
//   TA2_Encerra();
// Sounds live in fixed tables owned by the library and are named by an
// identifier (slot + 1); 0 means none and is what every failed load returns.
#ifndef T2D2_TOVIKAUDIO2_H
#define T2D2_TOVIKAUDIO2_H

#include <SDL.h>
#include <SDL_mixer.h>

enum { TA2_MAXEFEITOS = 512, TA2_MAXMUSICAS = 8, TA2_MAXAPELIDO = 2048 };

struct TA2_Efeito {
  Sint32 usuarios;
  char apelido[TA2_MAXAPELIDO];
  Sint32 tempo;      // reserved
  Mix_Chunk *efeito; // null marks a free slot
};

struct TA2_Musica {
  Sint32 usuarios;
  char apelido[TA2_MAXAPELIDO];
  Sint32 tempo;      // reserved
  Mix_Music *musica; // null marks a free slot
};

// Opens the device at 44100 Hz, 16-bit stereo. True when open (also when it
// already was); false when SDL audio was started by someone else or fails.
bool TA2_Inicia();
// Stops all sound, frees every effect and track and closes the device.
void TA2_Encerra();
// Per-frame hook; does nothing.
void TA2_Sincroniza();
// Percentages, clamped to 100. False, with a warning, before TA2_Inicia.
bool TA2_AjustaVolume(unsigned int musica, unsigned int efeitos);

// A loaded name adds a holder and returns the same identifier; 0 on failure.
unsigned int TA2_CarregaEfeito(const char *arquivo);
// Gives up one hold; the last one frees the sound.
void TA2_RemoveEfeito(unsigned int id);
unsigned int TA2_ProcuraEfeito(const char *apelido);
// Plays once at pan position -100..100; returns the mixer channel, -1 when
// none is free, 0 for an id that holds no effect.
int TA2_TocaEfeito(unsigned int id, int posicao);
// The same, with the pan taken from a screen column.
int TA2_TocaEfeitoTela(unsigned int id, int posicao);
void TA2_PausaEfeitos();
void TA2_ContinuaEfeitos();

unsigned int TA2_CarregaMusica(const char *arquivo);
void TA2_RemoveMusica(unsigned int id);
unsigned int TA2_ProcuraMusica(const char *apelido);
// vezes -1 (or less) loops for ever. True when the mixer started the track.
bool TA2_TocaMusica(unsigned int id, int vezes);
void TA2_PausaMusica();
void TA2_ContinuaMusica();
// Fades the playing track out over tempo milliseconds, then stops it.
void TA2_FadeMusica(unsigned int tempo);

#endif
