// Contact sheet of the generated pictures, for a person to look at.
#include "previa.h"

#include "figuras.h"

#include <string>

namespace {

void Retangulo(Imagem &img, int x0, int y0, int x1, int y1, Cor c) {
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) Compoe(img, x, y, c);
}

void Moldura(Imagem &img, int x0, int y0, int x1, int y1, Cor c) {
  Retangulo(img, x0, y0, x1, y0, c);
  Retangulo(img, x0, y1, x1, y1, c);
  Retangulo(img, x0, y0, x0, y1, c);
  Retangulo(img, x1, y0, x1, y1, c);
}

void Xadrez(Imagem &img, int x0, int y0, int l, int a) {
  for (int y = 0; y < a; y++)
    for (int x = 0; x < l; x++) {
      bool claro = ((x / 8) + (y / 8)) % 2 == 0;
      Compoe(img, x0 + x, y0 + y,
             claro ? Rgb(206, 206, 206) : Rgb(168, 168, 168));
    }
}

void NoXadrez(Imagem &tela, const Imagem &img, int x, int y) {
  Xadrez(tela, x, y, img.largura, img.altura);
  Cola(tela, img, x, y);
}

void Inventario(Imagem &tela, const Acervo &a, int selecionado) {
  const Cor branco = Rgb(255, 255, 255), preto = Rgb(0, 0, 0);
  for (int k = 0; k < 3; k++) {
    int x = 200 + 150 * k;
    Retangulo(tela, x, 10, x + 100, 100, branco);
    Retangulo(tela, x + 2, 12, x + 98, 98, preto);
    Cola(tela, a.balaGrande[k], 194 + 150 * k, 0);
  }
  int d = 150 * selecionado;
  for (int j = 1; j <= 5; j++)
    Moldura(tela, 200 - j + d, 10 - j, 300 + j + d, 100 + j, Rgb(255, 0, 0));
}

void Vida(Imagem &tela, int rx, int ry, int vida) {
  Retangulo(tela, rx - 30, ry - 68, rx + vida - 30, ry - 58, Rgb(0, 255, 0));
  Retangulo(tela, rx + vida - 30, ry - 68, rx + 70, ry - 58, Rgb(255, 0, 0));
}

} // namespace

Imagem QuadroDoJogo(const Acervo &a, int jogador) {
  Imagem tela(800, 600, Rgb(0, 0, 0));
  Cola(tela, a.fundo, -1700 * jogador, 0);
  Cola(tela, a.grama, -2200 * jogador, 540);
  EscreveComFolha(tela, a.folha, a.medidas, 400, 120,
                  jogador ? "Vento: <<<" : "Vento: >  ");
  EscreveComFolha(tela, a.folha, a.medidas, 400, 400,
                  jogador ? "PLAYER  2" : "PLAYER  1");
  Inventario(tela, a, jogador ? 2 : 0);
  PoeCanhao(tela, a.canhao, a.base, 400, 568, jogador ? 140 : 30);
  Vida(tela, 400, 568, jogador ? 40 : 100);
  int tipo = jogador ? 2 : 0;
  Cola(tela, a.bala[tipo], jogador ? 250 : 540, jogador ? 330 : 300);
  return tela;
}

Imagem FolhaDeContato(const Acervo &a, const Imagem icones[3]) {
  Imagem tela(1640, 2000, Rgb(60, 62, 68));
  Cola(tela, QuadroDoJogo(a, 0), 10, 10);
  Cola(tela, QuadroDoJogo(a, 1), 830, 10);
  Cola(tela, Reduz(a.fundo, 1620, 237), 10, 622);
  Cola(tela, Reduz(a.grama, 1620, 24), 10, 862);
  // Both ends of the grass strip side by side: the seam must not show.
  Imagem emenda(1620, 60);
  Cola(emenda, a.grama, 810 - a.grama.largura, 0);
  Cola(emenda, a.grama, 810, 0);
  NoXadrez(tela, emenda, 10, 894);

  int x = 10, y = 970;
  for (const Imagem &b : a.bala) {
    NoXadrez(tela, Reduz(b, 56, 56), x, y);
    x += 66;
  }
  for (const Imagem &b : a.balaGrande) {
    NoXadrez(tela, b, x, y);
    x += 122;
  }
  NoXadrez(tela, a.canhao, x, y);
  x += 170;
  NoXadrez(tela, a.base, x, y);
  x += 66;
  NoXadrez(tela, a.circulo, x, y);
  x += 170;
  for (int k = 0; k < 3; k++) {
    NoXadrez(tela, icones[k], x, y);
    x += icones[k].largura + 10;
  }
  Cola(tela, a.splash, 10, 1240);
  NoXadrez(tela, a.folha, 830, 1240);
  Imagem ceu = Recorta(a.fundo, 100, 60, 790, 44);
  Cola(tela, ceu, 830, 1770);
  const std::string linha = "Vento: >>  PLAYER  1  Fim do jogo";
  EscreveComFolha(tela, a.folha, a.medidas, 830 + 395, 1776, linha);
  Retangulo(tela, 830, 1820, 1619, 1863, Rgb(0, 0, 0));
  EscreveComFolha(tela, a.folha, a.medidas, 830 + 395, 1826, linha);
  Cola(tela, Recorta(a.grama, 0, 0, 790, 60), 830, 1880);
  EscreveComFolha(tela, a.folha, a.medidas, 830 + 395, 1894,
                  "\xc0 \xe7\xe3o \xe9 f\xe1"
                  "cil! \xabW\xbb i @ #");
  return tela;
}
