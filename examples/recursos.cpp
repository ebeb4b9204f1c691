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

// Frame 0 a yellow ball, frame 1 a red one, each with a dark rim.
bool escreveSprite(const std::string &pasta) {
  const int lado = 32, largura = 2 * lado;
  const std::uint8_t cores[2][3] = {{250, 210, 40}, {230, 60, 50}};
  std::vector<std::uint8_t> rgb(3 * largura * lado);
  for (int y = 0; y < lado; ++y)
    for (int x = 0; x < largura; ++x) {
      const double dx = x % lado - 15.5, dy = y - 15.5;
      const double d = std::sqrt(dx * dx + dy * dy);
      const std::uint8_t magenta[3] = {255, 0, 255}, borda[3] = {40, 30, 20};
      const std::uint8_t *cor = d > 15   ? magenta
                                : d > 13 ? borda
                                         : cores[x / lado];
      for (int k = 0; k < 3; ++k) rgb[3 * (y * largura + x) + k] = cor[k];
    }
  return stbi_write_png((pasta + "/ola.png").c_str(), largura, lado, 3,
                        rgb.data(), 3 * largura) != 0;
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
bool escreveFrutas(const std::string &pasta) {
  const int lado = 32, largura = 3 * lado;
  const std::uint8_t cores[3][3] = {
      {220, 30, 40}, {250, 150, 20}, {130, 50, 170}};
  const std::uint8_t magenta[3] = {255, 0, 255}, borda[3] = {40, 30, 20},
                     verde[3] = {40, 140, 40};
  std::vector<std::uint8_t> rgb(3 * largura * lado);
  for (int y = 0; y < lado; ++y)
    for (int x = 0; x < largura; ++x) {
      const int k = x / lado, cx = x % lado;
      const double p = profundidade(k, cx, y);
      const std::uint8_t *cor = k < 2 && cx >= 15 && cx <= 16 && y < 6 ? verde
                                : p < 0                                ? magenta
                                : p < 1.5                              ? borda
                                          : cores[k];
      for (int c = 0; c < 3; ++c) rgb[3 * (y * largura + x) + c] = cor[c];
    }
  return stbi_write_png((pasta + "/cesta_frutas.png").c_str(), largura, lado, 3,
                        rgb.data(), 3 * largura) != 0;
}

// Two 64x32 frames on magenta: a woven basket, then the same one lit up.
bool escreveCesto(const std::string &pasta) {
  const int l = 64, a = 32, largura = 2 * l;
  std::vector<std::uint8_t> rgb(3 * largura * a);
  for (int y = 0; y < a; ++y)
    for (int x = 0; x < largura; ++x) {
      const int k = x / l, cx = x % l;
      // A trapezium, wider at the top, with a rim along the top.
      const int margem = y / 4;
      const bool dentro = y >= 8 && cx >= margem && cx < l - margem;
      std::uint8_t cor[3] = {255, 0, 255};
      if (dentro) {
        const bool trama = (cx / 4 + y / 4) % 2 == 0;
        cor[0] = std::uint8_t(k ? 250 : trama ? 150 : 120);
        cor[1] = std::uint8_t(k ? 220 : trama ? 90 : 70);
        cor[2] = std::uint8_t(k ? 90 : trama ? 40 : 30);
        if (y < 12) cor[0] = cor[1] = cor[2] = 60;
      }
      for (int c = 0; c < 3; ++c) rgb[3 * (y * largura + x) + c] = cor[c];
    }
  return stbi_write_png((pasta + "/cesta_cesto.png").c_str(), largura, a, 3,
                        rgb.data(), 3 * largura) != 0;
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
  if (!escreveSprite(pasta) || !escreveFonte(pasta) ||
      !escreveSom(pasta + "/ola.wav", 880) || !escreveFrutas(pasta) ||
      !escreveCesto(pasta) || !escreveSom(pasta + "/cesta.wav", 1320)) {
    std::fprintf(stderr, "%s: nao conseguiu escrever em %s\n", argv[0],
                 pasta.c_str());
    return 1;
  }
  return 0;
}
