// Text through FreeType: glyph coverage, outlined text on pictures, and the
// game's bitmap font sheet with the same glyph measuring the library does.
#ifndef TROVASCO_GERADOR_FONTE_H
#define TROVASCO_GERADOR_FONTE_H

#include "imagem.h"

#include <cstdint>
#include <string>

// One typeface at one pixel size. Holds its FreeType handles.
class Letras {
public:
  Letras(const std::string &arquivo, int pixels);
  ~Letras();
  Letras(const Letras &) = delete;
  Letras &operator=(const Letras &) = delete;
  bool valida() const { return face_ != nullptr; }

  struct Glifo {
    int largura = 0, altura = 0;
    int esquerda = 0, topo = 0; // bitmap offset from the pen on the baseline
    float avanco = 0;
    std::vector<float> cobertura;
  };
  Glifo glifo(uint32_t codigo) const;
  // Width of a UTF-8 text as laid by `Escreve`, in pixels.
  float mede(const std::string &texto) const;
  int pixels() const { return pixels_; }

private:
  void *biblioteca_ = nullptr;
  void *face_ = nullptr;
  int pixels_;
};

enum class Alinha { ESQUERDA, CENTRO };

// A fill running from `cima` at the top of the capitals to `baixo` at the
// baseline, a dark rim of `espessura` pixels and an optional drop shadow.
struct Estilo {
  Cor cima, baixo, contorno;
  float espessura;
  float sombra = 0; // offset of the shadow in pixels, 0 for none
};

// Writes UTF-8 `texto` with its baseline on row `linha`.
void Escreve(Imagem &img, const Letras &letras, const std::string &texto,
             float x, float linha, const Estilo &estilo, Alinha alinha);

// A sheet's cells: side in pixels, width of the dark rim around each glyph,
// and the row of the baseline counted from the cell's top.
struct Celulas {
  int lado;
  float rima;
  int linhaBase;
};
Celulas CelulasDaFolha(const Letras &letras, int lado, float rima);

// A 16 x 16 sheet of such cells, Latin-1 byte c in row c / 16 and column
// c % 16, white glyphs with a dark rim on transparency. The game's is 512 x
// 512 (32-pixel cells), the starter sheet for library users 256 x 256.
Imagem FolhaDaFonte(const Letras &letras, const Celulas &celulas);

// Per-byte blank lead and pen advance, measured as the library measures a
// sheet loaded with cells of `t` pixels.
struct Medidas {
  int deslocamentos[256];
  int larguras[256];
};
Medidas MedeFolha(const Imagem &folha, int t);
// Draws Latin-1 `texto` with the sheet the way the library lays it out,
// centred on x, cells' top on row y. Returns the text's width.
int EscreveComFolha(Imagem &img, const Imagem &folha, const Medidas &m, int x,
                    int y, const std::string &texto);

#endif
