// The background tune, composed and synthesised here, and its Ogg Vorbis
// encoding.
#ifndef TROVASCO_GERADOR_MUSICA_H
#define TROVASCO_GERADOR_MUSICA_H

#include "sons.h"

#include <string>

// A stereo loop at 44100 Hz, left and right apart. Every note's tail wraps
// to the start, so the end runs into the beginning without a seam.
struct Estereo {
  Amostras esquerda, direita;
};
Estereo ComporMusica();

// Ogg Vorbis file with a fixed stream serial, so equal input gives equal
// bytes.
bool GravaOgg(const Estereo &som, const std::string &arquivo);

#endif
