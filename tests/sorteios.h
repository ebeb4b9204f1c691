// The wind is drawn from rand(); a test executable that links sorteios.cpp
// answers from this script instead, and 0 once it runs out. Each wind is two
// draws: its magnitude k (k / 10), then its sign (s - 1).
#ifndef TROVASCO_TESTES_SORTEIOS_H
#define TROVASCO_TESTES_SORTEIOS_H

#include <deque>

extern std::deque<int> sorteios;

#endif
