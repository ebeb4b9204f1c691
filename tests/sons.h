// Sounds for the audio tests and benchmarks, made in memory.
#ifndef T2D2_TESTES_SONS_H
#define T2D2_TESTES_SONS_H

#include <vector>

using SonsBytes = std::vector<unsigned char>;

// A 44100 Hz 16-bit stereo tone as a complete WAV file.
SonsBytes SomWav(double segundos);
// A 44100 Hz stereo tone as a complete Ogg Vorbis file.
SonsBytes SomOgg(double segundos);

#endif
