// Hashed lattice noise for the textures of the landscape.
#include "acaso.h"

#include <cmath>

uint32_t Espalha(int32_t x, int32_t y, uint32_t semente) {
  uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^
               semente * 0xcb1ab31fu;
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  h *= 0x846ca68bu;
  h ^= h >> 16;
  return h;
}

static float valorDaGrade(int32_t x, int32_t y, int periodo, uint32_t semente) {
  if (periodo > 0) x = ((x % periodo) + periodo) % periodo;
  return float(Espalha(x, y, semente) >> 8) / 16777215.0f;
}

static float suaviza(float t) {
  return t * t * (3 - 2 * t);
}

float Ruido(float x, float y, int periodo, uint32_t semente) {
  float fx = std::floor(x), fy = std::floor(y);
  int32_t ix = int32_t(fx), iy = int32_t(fy);
  float tx = suaviza(x - fx), ty = suaviza(y - fy);
  float a = valorDaGrade(ix, iy, periodo, semente);
  float b = valorDaGrade(ix + 1, iy, periodo, semente);
  float c = valorDaGrade(ix, iy + 1, periodo, semente);
  float d = valorDaGrade(ix + 1, iy + 1, periodo, semente);
  float cima = a + (b - a) * tx, baixo = c + (d - c) * tx;
  return cima + (baixo - cima) * ty;
}

float Fractal(float x, float y, int oitavas, int periodo, uint32_t semente) {
  float soma = 0, peso = 1, total = 0;
  for (int i = 0; i < oitavas; i++) {
    soma += peso * Ruido(x, y, periodo, semente + uint32_t(i) * 101u);
    total += peso;
    peso *= 0.5f;
    x *= 2;
    y *= 2;
    periodo *= 2;
  }
  return soma / total;
}

float Fractal1(float x, int oitavas, int periodo, uint32_t semente) {
  return Fractal(x, 0.5f, oitavas, periodo, semente);
}
