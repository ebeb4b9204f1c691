// Font sheets made by code for the font suites: 16 x 16 cells (or fewer rows)
// whose ink is given per cell, on a transparent background.
#ifndef T2D2_TESTES_APOIO_FONTE_H
#define T2D2_TESTES_APOIO_FONTE_H

#include "apoio.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

// tinta(k, x, y): whether pixel (x, y) of cell k is ink. Ink is opaque
// white, everything else alpha 0; cells listed in magenta get an opaque
// magenta background instead.
// The file is named after the running test as well: the suites' tests run
// in parallel in one folder, and two writing one name would read each
// other's half-written sheet.
inline std::string EscreveFolha(const std::string &nome, int t,
                                const std::function<bool(int, int, int)> &tinta,
                                int linhas = 16, int magenta = -1) {
  const std::string teste =
      ::testing::UnitTest::GetInstance()->current_test_info()->name();
  return EscreveImagem(
      teste + "_" + nome, 16 * t, linhas * t, 4, [&](int x, int y) {
        int k = (y / t) * 16 + x / t;
        if (tinta(k, x % t, y % t)) return Cor{255, 255, 255, 255};
        return k == magenta ? Cor{255, 0, 255, 255} : Cor{0, 0, 0, 0};
      });
}

// Ink in the cell columns from..to (inclusive), every row.
inline bool Colunas(int x, int de, int ate) {
  return x >= de && x <= ate;
}

#endif
