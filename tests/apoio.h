// Helpers shared by the test suites: capture of the library's stdout, pixels
// read back from the OpenGL frame, and small test images made by code.
#ifndef T2D2_TESTES_APOIO_H
#define T2D2_TESTES_APOIO_H

#include <SDL.h>
#include <cstdint>
#include <functional>
#include <string>

// Redirects file descriptor 1 into a temporary file from construction until
// texto() is called (or the object dies), so messages compare byte for byte.
class CapturaSaida {
public:
  CapturaSaida();
  ~CapturaSaida();
  // Stops capturing and returns everything written meanwhile.
  std::string texto();

private:
  int salvo_;
  FILE *arquivo_;
  bool ativo_;
};

// Loads a sprite set through the operation table with its messages captured
// into saida.
unsigned int CarregaCapturando(const std::string &arquivo, int l, int a,
                               std::string &saida);

struct Cor {
  Uint8 r, g, b, a;
  bool operator==(const Cor &o) const {
    return r == o.r && g == o.g && b == o.b && a == o.a;
  }
};
std::ostream &operator<<(std::ostream &os, const Cor &c);

// The pixel at window coordinates (x, y), origin at the top-left, read from
// the OpenGL back buffer.
Cor LePixelGL(int x, int y);
// The same from an SDL surface of 32 bits per pixel.
Cor LePixelSuperficie(SDL_Surface *s, int x, int y);

enum class Formato { PNG, JPEG };

// Writes a w x h image whose pixel (x, y) is cor(x, y). canais 4 keeps alpha,
// 3 writes RGB (24-bit). Returns the path, inside the test's working folder.
std::string EscreveImagem(const std::string &nome, int w, int h, int canais,
                          const std::function<Cor(int, int)> &cor,
                          Formato formato = Formato::PNG);

// Starts the library on a back-end with its messages swallowed.
bool IniciaSilencioso(int tipoRender, unsigned int largura,
                      unsigned int altura);
// Starts the library on the OpenGL back-end with its messages swallowed.
bool IniciaGLSilencioso(unsigned int largura = 800, unsigned int altura = 600);
// Runs a start of the library made by code under test (which cannot go
// through IniciaSilencioso) with the same records of SDL's left out of the
// leak check.
bool SemRegistrarVazamentos(const std::function<bool()> &inicio);
// Shuts it down with its messages swallowed.
void EncerraSilencioso();

#endif
