// The background tune, composed and synthesised here, and its two
// encodings: Ogg Vorbis, and MP3 for the browsers that cannot decode Vorbis.
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

// MP3 (LAME, variable bit rate) with its LAME tag, which tells a decoder the
// encoder's delay and padding, so the loop's seam stays tight. Equal input
// gives equal bytes.
bool GravaMp3(const Estereo &som, const std::string &arquivo);

#endif
