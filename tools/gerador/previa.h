// The contact sheet: every picture on a checkerboard, the font sheet with a
// line of the game's texts, and mock frames of the game to judge the whole.
#ifndef TROVASCO_GERADOR_PREVIA_H
#define TROVASCO_GERADOR_PREVIA_H

#include "fonte.h"
#include "imagem.h"

struct Acervo {
  Imagem bala[3], balaGrande[3];
  Imagem canhao, base, grama, fundo, splash, circulo, folha;
  Medidas medidas;
};

// A frame as the game composes it at rest for `jogador` 0 or 1.
Imagem QuadroDoJogo(const Acervo &a, int jogador);
Imagem FolhaDeContato(const Acervo &a, const Imagem icones[3]);

#endif
