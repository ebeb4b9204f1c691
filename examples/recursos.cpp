// Draws the example's resources into the folder named on the command line:
// ola.png (two 32x32 frames of a ball on magenta, the library's transparent
// colour), ola_fonte.png (a 16x16 sheet of 16-pixel cells with a 5x7 font drawn
// at double size) and ola.wav (a short bell). Exit status 1 when a file cannot
// be written.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

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

// A 880 Hz bell that dies away in a fifth of a second: 16-bit mono PCM.
bool escreveSom(const std::string &pasta) {
  const std::uint32_t taxa = 22050, amostras = taxa / 5;
  std::FILE *f = std::fopen((pasta + "/ola.wav").c_str(), "wb");
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
    const double v = std::sin(2 * M_PI * 880 * t) * std::exp(-t * 20);
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
  if (!escreveSprite(pasta) || !escreveFonte(pasta) || !escreveSom(pasta)) {
    std::fprintf(stderr, "%s: nao conseguiu escrever em %s\n", argv[0],
                 pasta.c_str());
    return 1;
  }
  return 0;
}
