// The font loader's measuring on arbitrary sheets. The sprite-set loader
// behind it hands over a surface made from the fuzz bytes, through the same
// registry steps the back-ends use, so every cell size and pixel layout
// reaches the measurer. Each measure must lie within its cell.
#include "superficie.h"
#include "tovik2d2_interno.h"

#include <cstdio>
#include <cstdlib>

static Leitor leitor;

static unsigned int carregaDosBytes(const char *arquivo, int l, int a) {
  unsigned int id;
  T2D2_SpriteSet *s = T2D2_ReservaSpriteSet(arquivo, &id);
  if (!s) return id;
  SDL_Surface *img = SuperficieDosBytes(leitor, 16 * 40);
  if (!img) {
    s->apelido[0] = '\0';
    return 0;
  }
  s->imagem = img;
  s->largura = img->w;
  s->altura = img->h;
  if (!T2D2_DefineQuadros(s, l, a) || !T2D2_ConstroiMascaras(s, arquivo))
    return T2D2_DescartaSpriteSet(s);
  s->usuarios = 1;
  return id;
}

static void removeDosBytes(unsigned int id) {
  T2D2_LiberaSpriteSet(id, nullptr);
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  reset();
  T2D2_CarregaSpriteSet = carregaDosBytes;
  T2D2_RemoveSpriteSet = removeDosBytes;
  if (!freopen("/dev/null", "w", stdout)) abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho) {
  leitor = Leitor{dados, tamanho};
  // Mostly sheets of 16 x 16 whole cells, with a side of the input's choice.
  int celula = leitor.entre(-2, 40);
  bool folhaCerta = leitor.byte() & 1;
  if (folhaCerta && celula > 0) {
    // Size bytes that make SuperficieDosBytes cut a 16c x 16c sheet.
    static uint8_t copia[1 << 16];
    int v = 16 * celula - 1;
    const uint8_t lados[4] = {Uint8(v), Uint8(v >> 8), Uint8(v), Uint8(v >> 8)};
    size_t n = leitor.n < sizeof copia - 4 ? leitor.n : sizeof copia - 4;
    memcpy(copia, lados, 4);
    memcpy(copia + 4, leitor.p, n);
    leitor = Leitor{copia, n + 4};
  }
  unsigned int id = T2D2_CarregaFonte("fuzz", celula);
  if (id) {
    const T2D2_Fonte &f = fontes[id - 1];
    if (f.larguras[' '] != celula / 2 || f.deslocamentos[' '] != 0) abort();
    for (int k = 0; k < 256; k++) {
      if (k == ' ') continue;
      if (f.deslocamentos[k] < 0 || f.deslocamentos[k] >= celula) abort();
      if (f.larguras[k] < 1 || f.deslocamentos[k] + f.larguras[k] > celula)
        abort();
    }
    int largura = -1, altura = -1;
    if (!T2D2_DimensoesTexto(id, "Fim do jogo", &largura, &altura)) abort();
    if (altura != celula || largura < 0) abort();
    T2D2_RemoveFonte(id);
  }
  if (fontes[0].idSpriteSet || sprites[0].imagem || sprites[0].bmask) abort();
  return 0;
}
