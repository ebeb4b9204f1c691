// What the two primitive back-ends share: the walk of a line, so that both
// light the same pixels for it, each writing them its own way.
#ifndef T2D2_TOVIK2D2PRIMITIVAS_INTERNO_H
#define T2D2_TOVIK2D2PRIMITIVAS_INTERNO_H

#include <cstdint>
#include <utility>

// Moves a Bresenham walk k steps on at once. After k steps the minor
// coordinate has moved m = (2·dMenor·k + dMaior - 1) / (2·dMaior) times and the
// decision value is 2·dMenor·(k + 1) - dMaior - 2·m·dMaior: exactly where the
// step-by-step walk would be.
inline void T2D2P_SaltaPassos(int64_t k, int64_t dMaior, int64_t dMenor,
                              int64_t soma, int64_t *q, int64_t *d) {
  const __int128 m =
      (2 * __int128(dMenor) * k + dMaior - 1) / (2 * __int128(dMaior));
  *q += soma * int64_t(m);
  *d = int64_t(2 * __int128(dMenor) * (k + 1) - dMaior - 2 * m * dMaior);
}

// Bresenham along the major axis from (p, q) up to p == fim; the minor
// coordinate moves by soma. trocado writes (q, p) for mostly vertical lines.
// Only the steps whose major coordinate lies in [0, limite) are walked, so a
// line from far away costs no more than one across the screen; the minor
// coordinate may still lie off it, which escreve must allow for.
template <class Escreve>
void T2D2P_Bresenham(int64_t p, int64_t q, int64_t fim, int64_t dMaior,
                     int64_t dMenor, int64_t soma, bool trocado, int64_t limite,
                     Escreve escreve) {
  int64_t d = 2 * dMenor - dMaior;
  const int64_t incra = 2 * (dMenor - dMaior), incrb = 2 * dMenor;
  if (fim > limite - 1) fim = limite - 1;
  if (p < 0 && fim >= 0) {
    T2D2P_SaltaPassos(-p, dMaior, dMenor, soma, &q, &d);
    p = 0;
  }
  if (p > fim) return;
  auto ponto = [&] {
    if (trocado)
      escreve(q, p);
    else
      escreve(p, q);
  };
  ponto();
  while (p < fim) {
    p++;
    if (d <= 0) {
      d += incrb;
    } else {
      q += soma;
      d += incra;
    }
    ponto();
  }
}

// The pixels of the line from (x1, y1) to (x2, y2), both ends included, on a
// largura x altura screen: escreve(x, y) for each, walked from the end with
// the smaller coordinate along the longer axis. A segment lies between its
// end points on both axes, so when both ends are beyond the same edge
// nothing is walked.
template <class Escreve>
void T2D2P_TracaLinha(int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                      int64_t largura, int64_t altura, Escreve escreve) {
  if ((x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) ||
      (x1 >= largura && x2 >= largura) || (y1 >= altura && y2 >= altura))
    return;
  const int64_t dx = x2 > x1 ? x2 - x1 : x1 - x2;
  const int64_t dy = y2 > y1 ? y2 - y1 : y1 - y2;
  if (dx >= dy) {
    if (x1 > x2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    T2D2P_Bresenham(x1, y1, x2, dx, dy, y1 > y2 ? -1 : 1, false, largura,
                    escreve);
  } else {
    if (y1 > y2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    T2D2P_Bresenham(y1, x1, y2, dy, dx, x1 > x2 ? -1 : 1, true, altura,
                    escreve);
  }
}

#endif
