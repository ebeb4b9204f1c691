// Pseudo-random numbers and hashed noise with fixed seeds: every run of the
// generator draws the same values, so its files come out byte for byte equal.
#ifndef TROVASCO_GERADOR_ACASO_H
#define TROVASCO_GERADOR_ACASO_H

#include <cstdint>

// xorshift32: small, fast and the same on every machine.
class Sorteio {
public:
  explicit Sorteio(uint32_t semente) : estado_(semente ? semente : 1) {}
  uint32_t proximo() {
    estado_ ^= estado_ << 13;
    estado_ ^= estado_ >> 17;
    estado_ ^= estado_ << 5;
    return estado_;
  }
  // Uniform in [0, 1).
  float unitario() { return float(proximo() >> 8) / 16777216.0f; }
  // Uniform in [a, b).
  float entre(float a, float b) { return a + (b - a) * unitario(); }

private:
  uint32_t estado_;
};

// A well-mixed 32-bit hash of a lattice point and a seed.
uint32_t Espalha(int32_t x, int32_t y, uint32_t semente);
// Value noise in [0, 1] that repeats every `periodo` units along x (0 means
// no repetition), smooth between lattice points.
float Ruido(float x, float y, int periodo, uint32_t semente);
// Sum of `oitavas` layers of noise, each of double frequency and half weight,
// normalised to [0, 1]. The period applies to the first layer.
float Fractal(float x, float y, int oitavas, int periodo, uint32_t semente);
// The same along one axis only.
float Fractal1(float x, int oitavas, int periodo, uint32_t semente);

#endif
