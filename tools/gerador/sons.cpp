// Shot and explosion effects: each is a few layers (a falling tone for the
// weight, filtered noise for the blast, short bursts for the crack) summed
// and shaped by exponential envelopes.
#include "sons.h"

#include "acaso.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

const float PI = 3.14159265358979f;

float Decai(float t, float tempo) {
  return std::exp(-t / tempo);
}

// Soft start and end so that no effect begins or stops with a click.
float Bordas(size_t i, size_t n) {
  float ataque = std::min(1.0f, i / (0.002f * TAXA));
  float fim = std::min(1.0f, (n - 1 - i) / (0.02f * TAXA));
  return ataque * fim;
}

// A sine whose pitch falls exponentially from `de` to `ate` hertz.
class Queda {
public:
  Queda(float de, float ate, float tempo) : de_(de), ate_(ate), tempo_(tempo) {}
  float toca(float t) {
    float f = ate_ + (de_ - ate_) * Decai(t, tempo_);
    fase_ += 2 * PI * f / TAXA;
    return std::sin(fase_);
  }

private:
  float de_, ate_, tempo_, fase_ = 0;
};

// One explosion layer set: boom, blast and crackle, starting at `inicio`.
struct Estouro {
  float inicio, forca, duracao;
};

void SomaEstouro(Amostras &a, const Estouro &e, uint32_t semente) {
  Sorteio s(semente);
  Queda boom(110, 32, 0.18f * e.duracao);
  PassaBaixa sopro(3000), ronco(180), ronco2(180);
  size_t i0 = size_t(e.inicio * TAXA);
  for (size_t i = i0; i < a.size(); i++) {
    float t = float(i - i0) / TAXA;
    float ruido = s.entre(-1, 1);
    sopro.ajusta(250 + 3200 * Decai(t, 0.12f * e.duracao));
    float estrondo = 0.9f * boom.toca(t) * Decai(t, 0.28f * e.duracao);
    float rajada = 2.2f * sopro.filtra(ruido) * Decai(t, 0.3f * e.duracao);
    float cauda = 9 * ronco2.filtra(ronco.filtra(ruido)) * Decai(t, e.duracao);
    float estalo = 0;
    if (t < 0.8f * e.duracao && s.unitario() < 0.0016f * Decai(t, 0.4f))
      estalo = s.entre(-1, 1);
    a[i] += e.forca * (estrondo + rajada + cauda + 0.7f * estalo);
  }
}

void Acabamento(Amostras &a) {
  for (size_t i = 0; i < a.size(); i++)
    a[i] = std::tanh(1.4f * a[i]) * Bordas(i, a.size());
  Normaliza(a, 0.85f);
}

void Poe(std::vector<uint8_t> &b, uint32_t v, int n) {
  for (int i = 0; i < n; i++) b.push_back(uint8_t(v >> (8 * i)));
}
void Poe(std::vector<uint8_t> &b, const char *id) {
  b.insert(b.end(), id, id + 4);
}

} // namespace

void PassaBaixa::ajusta(float corte) {
  k_ = 1 - std::exp(-2 * PI * corte / TAXA);
}

Amostras SomDoTiro() {
  Amostras a(size_t(0.75f * TAXA));
  Sorteio s(211);
  Queda baque(160, 42, 0.05f);
  PassaBaixa corpo(700), cauda(220), grave(2400);
  for (size_t i = 0; i < a.size(); i++) {
    float t = float(i) / TAXA, ruido = s.entre(-1, 1);
    float agudo = ruido - grave.filtra(ruido);
    float estalo = 1.1f * agudo * Decai(t, 0.011f);
    float soco = 1.0f * baque.toca(t) * Decai(t, 0.11f);
    float sopro = 1.8f * corpo.filtra(ruido) * Decai(t, 0.07f);
    float rolo = 2.4f * cauda.filtra(ruido) * Decai(t, 0.28f);
    a[i] = estalo + soco + sopro + rolo;
  }
  Acabamento(a);
  return a;
}

Amostras SomDaExplosao() {
  Amostras a(size_t(1.5f * TAXA), 0);
  SomaEstouro(a, Estouro{0, 1, 0.45f}, 223);
  Acabamento(a);
  return a;
}

Amostras SomDaExplosaoFinal() {
  Amostras a(size_t(3.4f * TAXA), 0);
  SomaEstouro(a, Estouro{0, 1, 0.9f}, 227);
  SomaEstouro(a, Estouro{0.21f, 0.75f, 0.7f}, 229);
  SomaEstouro(a, Estouro{0.52f, 0.6f, 0.95f}, 233);
  Acabamento(a);
  return a;
}

void Normaliza(Amostras &a, float pico) {
  float maior = 0;
  for (float v : a) maior = std::max(maior, std::fabs(v));
  if (maior <= 0) return;
  for (float &v : a) v *= pico / maior;
}

bool GravaWav(const Amostras &a, int canais, const std::string &arquivo) {
  uint32_t dados = uint32_t(a.size() * 2);
  std::vector<uint8_t> b;
  Poe(b, "RIFF");
  Poe(b, 36 + dados, 4);
  Poe(b, "WAVE");
  Poe(b, "fmt ");
  Poe(b, 16, 4);
  Poe(b, 1, 2);
  Poe(b, uint32_t(canais), 2);
  Poe(b, TAXA, 4);
  Poe(b, uint32_t(TAXA * 2 * canais), 4);
  Poe(b, uint32_t(2 * canais), 2);
  Poe(b, 16, 2);
  Poe(b, "data");
  Poe(b, dados, 4);
  for (float v : a)
    Poe(b, uint32_t(uint16_t(int16_t(std::lround(v * 32767)))), 2);
  FILE *f = std::fopen(arquivo.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
  return std::fclose(f) == 0 && ok;
}
