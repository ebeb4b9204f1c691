// Raster pictures in floating point with anti-aliased shapes drawn from
// signed distances, composition, resampling and PNG/JPEG output.
#ifndef TROVASCO_GERADOR_IMAGEM_H
#define TROVASCO_GERADOR_IMAGEM_H

#include <functional>
#include <string>
#include <vector>

// Straight (not premultiplied) colour, every component in [0, 1].
struct Cor {
  float r, g, b, a;
};

// An 8-bit colour written the usual way.
Cor Rgb(int r, int g, int b, float a = 1);
Cor Mistura(Cor a, Cor b, float t);
// Multiplies the colour components, keeps alpha.
Cor Escurece(Cor c, float fator);
Cor ComAlfa(Cor c, float a);

float Limita(float v, float lo = 0, float hi = 1);
// Hermite step from 0 at `a` to 1 at `b`.
float Degrau(float a, float b, float x);

struct Imagem {
  int largura = 0, altura = 0;
  std::vector<Cor> px;

  Imagem() = default;
  Imagem(int l, int a, Cor fundo = Cor{0, 0, 0, 0});
  Cor &em(int x, int y) { return px[size_t(y) * largura + x]; }
  const Cor &em(int x, int y) const { return px[size_t(y) * largura + x]; }
};

// Lays colour `c` over pixel (x, y) with the given coverage, "source over".
// Pixels outside the picture are ignored.
void Compoe(Imagem &img, int x, int y, Cor c, float cobertura = 1);

// A shape known by its signed distance in picture units (negative inside).
using Distancia = std::function<float(float, float)>;
// The colour of the shape at a point in picture units.
using Pintura = std::function<Cor(float, float)>;

// Box of picture units to visit, inclusive of its bounds.
struct Caixa {
  float x0, y0, x1, y1;
};

// Fills the shape over the box. Picture units are pixels divided by
// `escala`, so one drawing serves every size; edges are anti-aliased over
// one pixel. `periodoX` > 0 wraps x around that width, for seamless strips.
void Pinta(Imagem &img, Caixa caixa, const Distancia &forma, const Pintura &cor,
           float escala = 1, int periodoX = 0);

float DistDisco(float x, float y, float cx, float cy, float r);
float DistElipse(float x, float y, float cx, float cy, float rx, float ry);
// Distance to the segment (ax, ay)-(bx, by) less `r`: a capsule.
float DistCapsula(float x, float y, float ax, float ay, float bx, float by,
                  float r);
// Rectangle with rounded corners of radius `r`.
float DistRetangulo(float x, float y, float x0, float y0, float x1, float y1,
                    float r = 0);
struct Ponto {
  float x, y;
};
// Any simple polygon, by the even-odd rule.
float DistPoligono(float x, float y, const std::vector<Ponto> &pts);

// Lays `fonte` over `destino` with its top-left at (x, y).
void Cola(Imagem &destino, const Imagem &fonte, int x, int y);
// Lays `fonte` turned by `graus` counter-clockwise on the screen and scaled
// by `escala`, its point (px, py) landing on (dx, dy). Each pixel averages
// `amostras` x `amostras` bilinear samples.
void ColaGirada(Imagem &destino, const Imagem &fonte, float px, float py,
                float dx, float dy, float graus, float escala = 1,
                int amostras = 3);
// The region from (x, y), `l` x `a` pixels, of a picture.
Imagem Recorta(const Imagem &img, int x, int y, int l, int a);
// Area-weighted reduction to the given size.
Imagem Reduz(const Imagem &img, int largura, int altura);

// 8-bit output. Fully transparent pixels are written as transparent black.
bool GravaPng(const Imagem &img, const std::string &arquivo);
bool GravaJpeg(const Imagem &img, const std::string &arquivo, int qualidade);

#endif
