// Draws the examples' resources into the folder named on the command line:
// ola.png (two 32x32 frames of a ball on magenta, the library's transparent
// colour), ola_fonte.png (a 16x16 sheet of 16-pixel cells with a 5x7 font drawn
// at double size, which both examples write with), ola.wav (a short bell),
// cesta_frutas.png (three 32x32 fruits), cesta_cesto.png (two 64x32 frames of
// a basket, plain and lit) and cesta.wav (a higher bell). Exit status 1 when a
// file cannot be written.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Glifo {
  char letra;
  std::uint8_t linhas[7]; // five columns a row, leftmost in bit 4
};

// Capitals, digits and a little punctuation; small letters reuse the capitals.
const Glifo glifos[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}},
    {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {',', {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
};

constexpr int celula = 16, escala = 2;

void desenhaGlifo(std::vector<std::uint8_t> &rgba, int lado, unsigned char c,
                  const Glifo &g) {
  const int x0 = (c % 16) * celula + 2, y0 = (c / 16) * celula + 1;
  for (int linha = 0; linha < 7 * escala; ++linha)
    for (int coluna = 0; coluna < 5 * escala; ++coluna) {
      if (!(g.linhas[linha / escala] & (0x10 >> (coluna / escala)))) continue;
      std::uint8_t *p = &rgba[4 * ((y0 + linha) * lado + x0 + coluna)];
      p[0] = p[1] = p[2] = p[3] = 255;
    }
}

bool escreveFonte(const std::string &pasta) {
  const int lado = 16 * celula;
  std::vector<std::uint8_t> rgba(4 * lado * lado, 0); // alpha 0: background
  for (const Glifo &g : glifos) {
    desenhaGlifo(rgba, lado, g.letra, g);
    if (g.letra >= 'A' && g.letra <= 'Z')
      desenhaGlifo(rgba, lado, g.letra - 'A' + 'a', g);
  }
  return stbi_write_png((pasta + "/ola_fonte.png").c_str(), lado, lado, 4,
                        rgba.data(), 4 * lado) != 0;
}

using Cor = std::array<std::uint8_t, 3>;
const Cor MAGENTA = {255, 0, 255}, BORDA = {40, 30, 20};

// An RGB picture; opaque magenta is the library's transparent colour.
struct Imagem {
  int largura, altura;
  std::vector<std::uint8_t> rgb;
};

// A largura x altura picture whose pixel (x, y) is cor(x, y).
template <class Pintura> Imagem desenha(int largura, int altura, Pintura cor) {
  Imagem img{largura, altura, std::vector<std::uint8_t>(3 * largura * altura)};
  for (int y = 0; y < altura; ++y)
    for (int x = 0; x < largura; ++x) {
      const Cor c = cor(x, y);
      std::copy(c.begin(), c.end(), &img.rgb[3 * (y * largura + x)]);
    }
  return img;
}

bool grava(const std::string &caminho, const Imagem &img) {
  return stbi_write_png(caminho.c_str(), img.largura, img.altura, 3,
                        img.rgb.data(), 3 * img.largura) != 0;
}

// Frame k of a row of quadro-wide frames, pasted with its top-left at (x, y)
// as the library draws it: magenta left out.
void cola(Imagem &destino, const Imagem &fita, int quadro, int k, int x,
          int y) {
  for (int fy = 0; fy < fita.altura; ++fy)
    for (int fx = 0; fx < quadro; ++fx) {
      const std::uint8_t *c =
          &fita.rgb[3 * (fy * fita.largura + k * quadro + fx)];
      const int dx = x + fx, dy = y + fy;
      if (Cor{c[0], c[1], c[2]} == MAGENTA || dx < 0 || dy < 0 ||
          dx >= destino.largura || dy >= destino.altura)
        continue;
      std::copy(c, c + 3, &destino.rgb[3 * (dy * destino.largura + dx)]);
    }
}

// Frame 0 a yellow ball, frame 1 a red one, each with a dark rim.
Imagem bolas() {
  const Cor cores[2] = {{250, 210, 40}, {230, 60, 50}};
  return desenha(64, 32, [&](int x, int y) {
    const double d = std::hypot(x % 32 - 15.5, y - 15.5);
    return d > 15 ? MAGENTA : d > 13 ? BORDA : cores[x / 32];
  });
}

// How far inside fruit k the point (x, y) of its 32x32 frame lies; below 0
// outside. Apple and orange are discs, the grapes six small ones.
double profundidade(int k, double x, double y) {
  if (k < 2) return 13 - std::hypot(x - 15.5, y - 17.5);
  const double uvas[6][2] = {{10, 10}, {22, 10}, {16, 15},
                             {10, 20}, {22, 20}, {16, 26}};
  double maior = -1e9;
  for (const auto &u : uvas)
    maior = std::max(maior, 5.5 - std::hypot(x - u[0], y - u[1]));
  return maior;
}

// Three 32x32 frames on magenta: a red apple, an orange and a bunch of
// grapes, each with a dark rim, the round ones with a stalk.
Imagem frutas() {
  const Cor cores[3] = {{220, 30, 40}, {250, 150, 20}, {130, 50, 170}};
  const Cor verde = {40, 140, 40};
  return desenha(96, 32, [&](int x, int y) {
    const int k = x / 32, cx = x % 32;
    const double p = profundidade(k, cx, y);
    return k < 2 && cx >= 15 && cx <= 16 && y < 6 ? verde
           : p < 0                                ? MAGENTA
           : p < 1.5                              ? BORDA
                                                  : cores[k];
  });
}

// Two 64x32 frames on magenta: a woven basket, then the same one lit up.
Imagem cesto() {
  return desenha(128, 32, [](int x, int y) {
    const int k = x / 64, cx = x % 64;
    // A trapezium, wider at the top, with a rim along the top.
    const int margem = y / 4;
    if (y < 8 || cx < margem || cx >= 64 - margem) return MAGENTA;
    if (y < 12) return Cor{60, 60, 60};
    const bool trama = (cx / 4 + y / 4) % 2 == 0;
    return k ? Cor{250, 220, 90} : trama ? Cor{150, 90, 40} : Cor{120, 70, 30};
  });
}

// Pulo's eight 32x32 tiles on magenta: ground with grass, ground below it,
// bricks, spikes, a coin and the same coin turned edgeways, the flag, a
// cloud.
Cor ladrilho(int k, int x, int y) {
  const Cor terra = {150, 100, 50}, escura = {110, 70, 35};
  const bool pinta = (x * 7 + y * 13) % 11 == 0;
  switch (k) {
  case 0:
    return y < 8 - (x / 4 % 2) ? Cor{60, 170, 60} : pinta ? escura : terra;
  case 1:
    return pinta ? escura : terra;
  case 2:
    return y % 8 == 0 || (x + y / 8 % 2 * 8) % 16 == 0 ? Cor{200, 190, 170}
                                                       : Cor{180, 80, 50};
  case 3: // four spikes on the tile's floor
    return std::abs(x % 8 - 3.5) * 4 < y - 14 ? Cor{170, 170, 180} : MAGENTA;
  case 4:
  case 5: { // the turned coin is a narrow ellipse
    const double d = std::hypot((x - 15.5) / (k == 4 ? 1 : 0.35), y - 15.5);
    return d > 10 ? MAGENTA : d > 8 ? Cor{180, 130, 20} : Cor{250, 200, 40};
  }
  case 6: // the pole, and a green pennant at its top
    if (x >= 6 && x < 9) return Cor{120, 120, 130};
    return x >= 9 && y >= 2 && y < 18 && x - 9 < 20 - 2 * std::abs(y - 10)
               ? Cor{40, 160, 60}
               : MAGENTA;
  default: {
    const double d =
        std::min({std::hypot(x - 10, y - 20), std::hypot(x - 22, y - 20),
                  std::hypot(x - 16, y - 13)});
    return d < 9 ? Cor{250, 250, 250} : MAGENTA;
  }
  }
}

// Pulo's runner in three 32x32 frames facing right, on magenta: standing,
// mid-stride and jumping. The red shirt is the only red in Pulo's pictures.
Cor corredor(int k, int x, int y) {
  if (std::hypot(x - 16, y - 8) < 6.5)
    return x == 19 && y == 7 ? BORDA : Cor{240, 190, 150};
  if (y >= 14 && y < 24 && x >= 10 && x < 22) return Cor{200, 30, 30};
  const int abertura = k == 1 ? 3 : 0, fim = k == 2 ? 29 : 32;
  const bool perna = (x >= 11 - abertura && x < 15 - abertura) ||
                     (x >= 17 + abertura && x < 21 + abertura);
  return y >= 24 && y < fim && perna ? Cor{40, 60, 160} : MAGENTA;
}

// The gallery's picture of each example: a 320x240 scene of its own
// sprites, on its own background.
Imagem cena(Cor fundo, int chao, Cor grama) {
  return desenha(320, 240,
                 [=](int, int y) { return y < chao ? fundo : grama; });
}

bool escreveCapas(const std::string &pasta, const Imagem &bola,
                  const Imagem &fruta, const Imagem &cesta,
                  const Imagem &ladrilhos, const Imagem &heroi) {
  Imagem ola = cena({0, 0, 0}, 200, {40, 120, 60});
  cola(ola, bola, 32, 0, 100, 150);
  cola(ola, bola, 32, 1, 190, 120);
  Imagem cestaCapa = cena({40, 60, 110}, 226, {60, 130, 50});
  for (int k = 0; k < 3; ++k)
    cola(cestaCapa, fruta, 32, k, 60 + 90 * k, 40 + 50 * k);
  cola(cestaCapa, cesta, 64, 1, 128, 194);
  Imagem pulo = cena({120, 180, 240}, 240, {});
  for (int x = 0; x < 320; x += 32) {
    cola(pulo, ladrilhos, 32, 0, x, 176);
    cola(pulo, ladrilhos, 32, 1, x, 208);
  }
  for (int x = 160; x < 256; x += 32) cola(pulo, ladrilhos, 32, 2, x, 80);
  cola(pulo, ladrilhos, 32, 4, 192, 40);
  cola(pulo, ladrilhos, 32, 3, 256, 144);
  cola(pulo, ladrilhos, 32, 7, 40, 30);
  cola(pulo, heroi, 32, 2, 90, 110);
  return grava(pasta + "/ola_capa.png", ola) &&
         grava(pasta + "/cesta_capa.png", cestaCapa) &&
         grava(pasta + "/pulo_capa.png", pulo);
}

void escreve32(std::FILE *f, std::uint32_t v) {
  const unsigned char b[4] = {
      static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
      static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  std::fwrite(b, 1, 4, f);
}

void escreve16(std::FILE *f, std::uint16_t v) {
  const unsigned char b[2] = {static_cast<unsigned char>(v),
                              static_cast<unsigned char>(v >> 8)};
  std::fwrite(b, 1, 2, f);
}

// A bell of the given pitch that dies away in a fifth of a second: 16-bit
// mono PCM.
bool escreveSom(const std::string &caminho, double hertz) {
  const std::uint32_t taxa = 22050, amostras = taxa / 5;
  std::FILE *f = std::fopen(caminho.c_str(), "wb");
  if (!f) return false;
  std::fwrite("RIFF", 1, 4, f);
  escreve32(f, 36 + 2 * amostras);
  std::fwrite("WAVEfmt ", 1, 8, f);
  escreve32(f, 16);
  escreve16(f, 1); // PCM
  escreve16(f, 1); // mono
  escreve32(f, taxa);
  escreve32(f, 2 * taxa);
  escreve16(f, 2);
  escreve16(f, 16);
  std::fwrite("data", 1, 4, f);
  escreve32(f, 2 * amostras);
  for (std::uint32_t i = 0; i < amostras; ++i) {
    const double t = static_cast<double>(i) / taxa;
    const double v = std::sin(2 * M_PI * hertz * t) * std::exp(-t * 20);
    escreve16(f, static_cast<std::uint16_t>(
                     static_cast<std::int16_t>(std::lround(v * 20000))));
  }
  return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: %s pasta\n", argv[0]);
    return 1;
  }
  const std::string pasta = argv[1];
  const Imagem bola = bolas(), fruta = frutas(), cesta = cesto();
  const Imagem ladrilhos = desenha(
      8 * 32, 32, [](int x, int y) { return ladrilho(x / 32, x % 32, y); });
  const Imagem heroi = desenha(
      3 * 32, 32, [](int x, int y) { return corredor(x / 32, x % 32, y); });
  if (!grava(pasta + "/ola.png", bola) || !escreveFonte(pasta) ||
      !escreveSom(pasta + "/ola.wav", 880) ||
      !grava(pasta + "/cesta_frutas.png", fruta) ||
      !grava(pasta + "/cesta_cesto.png", cesta) ||
      !escreveSom(pasta + "/cesta.wav", 1320) ||
      !grava(pasta + "/pulo_ladrilhos.png", ladrilhos) ||
      !grava(pasta + "/pulo_heroi.png", heroi) ||
      !escreveSom(pasta + "/pulo.wav", 660) ||
      !escreveSom(pasta + "/pulo_moeda.wav", 1760) ||
      !escreveCapas(pasta, bola, fruta, cesta, ladrilhos, heroi)) {
    std::fprintf(stderr, "%s: nao conseguiu escrever em %s\n", argv[0],
                 pasta.c_str());
    return 1;
  }
  return 0;
}
