// The sound effects, synthesised from noise and swept tones, and the WAV
// writer. Samples are floats in [-1, 1] at 44100 Hz.
#ifndef TROVASCO_GERADOR_SONS_H
#define TROVASCO_GERADOR_SONS_H

#include <string>
#include <vector>

using Amostras = std::vector<float>;
const int TAXA = 44100;

// Cannon shot: a short thump with a crack on top. Mono.
Amostras SomDoTiro();
// A hit that leaves the cannon standing. Mono.
Amostras SomDaExplosao();
// The hit that ends the game: bigger and longer. Mono.
Amostras SomDaExplosaoFinal();

// Scales the samples so that the largest magnitude is `pico`.
void Normaliza(Amostras &a, float pico);
// 16-bit PCM WAV of interleaved samples.
bool GravaWav(const Amostras &a, int canais, const std::string &arquivo);

// One-pole low-pass filter; `corte` in hertz.
class PassaBaixa {
public:
  explicit PassaBaixa(float corte) { ajusta(corte); }
  void ajusta(float corte);
  float filtra(float x) { return y_ += k_ * (x - y_); }

private:
  float k_ = 0, y_ = 0;
};

#endif
