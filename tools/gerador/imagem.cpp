// Raster helpers: straight-alpha composition, shapes from signed distances,
// turned and reduced copies, and the writers, through stb_image_write.
#include "imagem.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

Cor Rgb(int r, int g, int b, float a) {
  return Cor{r / 255.0f, g / 255.0f, b / 255.0f, a};
}

Cor Mistura(Cor a, Cor b, float t) {
  return Cor{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t,
             a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Cor Escurece(Cor c, float fator) {
  return Cor{Limita(c.r * fator), Limita(c.g * fator), Limita(c.b * fator),
             c.a};
}

Cor ComAlfa(Cor c, float a) {
  return Cor{c.r, c.g, c.b, a};
}

float Limita(float v, float lo, float hi) {
  return std::clamp(v, lo, hi);
}

float Degrau(float a, float b, float x) {
  float t = Limita((x - a) / (b - a));
  return t * t * (3 - 2 * t);
}

Imagem::Imagem(int l, int a, Cor fundo)
    : largura(l), altura(a), px(size_t(l) * a, fundo) {}

void Compoe(Imagem &img, int x, int y, Cor c, float cobertura) {
  if (x < 0 || y < 0 || x >= img.largura || y >= img.altura) return;
  float as = Limita(c.a * cobertura);
  if (as <= 0) return;
  Cor &d = img.em(x, y);
  float ad = d.a * (1 - as), a = as + ad;
  d = Cor{(c.r * as + d.r * ad) / a, (c.g * as + d.g * ad) / a,
          (c.b * as + d.b * ad) / a, a};
}

void Pinta(Imagem &img, Caixa caixa, const Distancia &forma, const Pintura &cor,
           float escala, int periodoX) {
  int px0 = int(std::floor(caixa.x0 * escala)) - 1;
  int px1 = int(std::ceil(caixa.x1 * escala)) + 1;
  int py0 = std::max(0, int(std::floor(caixa.y0 * escala)) - 1);
  int py1 = std::min(img.altura - 1, int(std::ceil(caixa.y1 * escala)) + 1);
  if (periodoX <= 0) {
    px0 = std::max(0, px0);
    px1 = std::min(img.largura - 1, px1);
  }
  for (int py = py0; py <= py1; py++) {
    float v = (py + 0.5f) / escala;
    for (int px = px0; px <= px1; px++) {
      float u = (px + 0.5f) / escala;
      float cobertura = Limita(0.5f - forma(u, v) * escala);
      if (cobertura <= 0) continue;
      int x = periodoX > 0 ? ((px % periodoX) + periodoX) % periodoX : px;
      Compoe(img, x, py, cor(u, v), cobertura);
    }
  }
}

float DistDisco(float x, float y, float cx, float cy, float r) {
  return std::hypot(x - cx, y - cy) - r;
}

float DistElipse(float x, float y, float cx, float cy, float rx, float ry) {
  // Scaled-circle approximation, exact on the axes: enough for soft shapes.
  float dx = (x - cx) / rx, dy = (y - cy) / ry;
  float k = std::hypot(dx, dy);
  return (k - 1) * std::min(rx, ry);
}

float DistCapsula(float x, float y, float ax, float ay, float bx, float by,
                  float r) {
  float vx = bx - ax, vy = by - ay, wx = x - ax, wy = y - ay;
  float l2 = vx * vx + vy * vy;
  float t = l2 > 0 ? Limita((wx * vx + wy * vy) / l2) : 0;
  return std::hypot(wx - vx * t, wy - vy * t) - r;
}

float DistRetangulo(float x, float y, float x0, float y0, float x1, float y1,
                    float r) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  float qx = std::fabs(x - cx) - ((x1 - x0) / 2 - r);
  float qy = std::fabs(y - cy) - ((y1 - y0) / 2 - r);
  float fora = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return fora + std::min(std::max(qx, qy), 0.0f) - r;
}

float DistPoligono(float x, float y, const std::vector<Ponto> &pts) {
  float d2 = 1e30f;
  bool dentro = false;
  for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
    Ponto a = pts[j], b = pts[i];
    float vx = b.x - a.x, vy = b.y - a.y, wx = x - a.x, wy = y - a.y;
    float l2 = vx * vx + vy * vy;
    float t = l2 > 0 ? Limita((wx * vx + wy * vy) / l2) : 0;
    float ex = wx - vx * t, ey = wy - vy * t;
    d2 = std::min(d2, ex * ex + ey * ey);
    if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * vx / vy)
      dentro = !dentro;
  }
  float d = std::sqrt(d2);
  return dentro ? -d : d;
}

void Cola(Imagem &destino, const Imagem &fonte, int x, int y) {
  for (int j = 0; j < fonte.altura; j++)
    for (int i = 0; i < fonte.largura; i++)
      Compoe(destino, x + i, y + j, fonte.em(i, j));
}

// Premultiplied bilinear sample; outside the picture is transparent.
static Cor amostraBilinear(const Imagem &img, float x, float y) {
  x -= 0.5f;
  y -= 0.5f;
  int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  float tx = x - x0, ty = y - y0;
  Cor soma{0, 0, 0, 0};
  for (int j = 0; j < 2; j++)
    for (int i = 0; i < 2; i++) {
      int xi = x0 + i, yj = y0 + j;
      if (xi < 0 || yj < 0 || xi >= img.largura || yj >= img.altura) continue;
      float w = (i ? tx : 1 - tx) * (j ? ty : 1 - ty);
      const Cor &c = img.em(xi, yj);
      float wa = w * c.a;
      soma = Cor{soma.r + c.r * wa, soma.g + c.g * wa, soma.b + c.b * wa,
                 soma.a + wa};
    }
  return soma;
}

void ColaGirada(Imagem &destino, const Imagem &fonte, float px, float py,
                float dx, float dy, float graus, float escala, int amostras) {
  float rad = graus * 3.14159265358979f / 180.0f;
  float c = std::cos(rad), s = std::sin(rad);
  float raio = std::hypot(float(fonte.largura), float(fonte.altura)) * escala;
  int x0 = std::max(0, int(dx - raio)),
      x1 = std::min(destino.largura - 1, int(dx + raio));
  int y0 = std::max(0, int(dy - raio)),
      y1 = std::min(destino.altura - 1, int(dy + raio));
  float passo = 1.0f / amostras;
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      Cor soma{0, 0, 0, 0};
      for (int j = 0; j < amostras; j++)
        for (int i = 0; i < amostras; i++) {
          float ox = x + (i + 0.5f) * passo - dx;
          float oy = y + (j + 0.5f) * passo - dy;
          float sx = (c * ox - s * oy) / escala + px;
          float sy = (s * ox + c * oy) / escala + py;
          Cor a = amostraBilinear(fonte, sx, sy);
          soma = Cor{soma.r + a.r, soma.g + a.g, soma.b + a.b, soma.a + a.a};
        }
      float n = float(amostras * amostras);
      if (soma.a <= 0) continue;
      Compoe(
          destino, x, y,
          Cor{soma.r / soma.a, soma.g / soma.a, soma.b / soma.a, soma.a / n});
    }
}

Imagem Recorta(const Imagem &img, int x, int y, int l, int a) {
  Imagem r(l, a);
  for (int j = 0; j < a; j++)
    for (int i = 0; i < l; i++) {
      int xi = x + i, yj = y + j;
      if (xi >= 0 && yj >= 0 && xi < img.largura && yj < img.altura)
        r.em(i, j) = img.em(xi, yj);
    }
  return r;
}

// Weights of the source pixels that output pixel i covers, for one axis.
struct Peso {
  int indice;
  float peso;
};
static std::vector<std::vector<Peso>> pesosDoEixo(int origem, int destino) {
  std::vector<std::vector<Peso>> pesos(destino);
  float razao = float(origem) / destino;
  for (int i = 0; i < destino; i++) {
    float a = i * razao, b = (i + 1) * razao;
    for (int k = int(a); k < origem && k < b; k++) {
      float w = std::min(b, k + 1.0f) - std::max(a, float(k));
      if (w > 0) pesos[i].push_back({k, w / razao});
    }
  }
  return pesos;
}

Imagem Reduz(const Imagem &img, int largura, int altura) {
  auto px = pesosDoEixo(img.largura, largura);
  auto py = pesosDoEixo(img.altura, altura);
  Imagem r(largura, altura);
  for (int y = 0; y < altura; y++)
    for (int x = 0; x < largura; x++) {
      Cor soma{0, 0, 0, 0};
      for (const Peso &wy : py[y])
        for (const Peso &wx : px[x]) {
          const Cor &c = img.em(wx.indice, wy.indice);
          float w = wx.peso * wy.peso * c.a;
          soma = Cor{soma.r + c.r * w, soma.g + c.g * w, soma.b + c.b * w,
                     soma.a + w};
        }
      if (soma.a > 0)
        r.em(x, y) =
            Cor{soma.r / soma.a, soma.g / soma.a, soma.b / soma.a, soma.a};
    }
  return r;
}

static uint8_t byte(float v) {
  return uint8_t(std::lround(Limita(v) * 255));
}

static std::vector<uint8_t> bytes(const Imagem &img, int canais) {
  std::vector<uint8_t> b;
  b.reserve(img.px.size() * canais);
  for (const Cor &c : img.px) {
    uint8_t a = byte(c.a);
    bool vazio = canais == 4 && a == 0;
    b.push_back(vazio ? 0 : byte(c.r));
    b.push_back(vazio ? 0 : byte(c.g));
    b.push_back(vazio ? 0 : byte(c.b));
    if (canais == 4) b.push_back(a);
  }
  return b;
}

bool GravaPng(const Imagem &img, const std::string &arquivo) {
  std::vector<uint8_t> b = bytes(img, 4);
  return stbi_write_png(arquivo.c_str(), img.largura, img.altura, 4, b.data(),
                        img.largura * 4) != 0;
}

bool GravaJpeg(const Imagem &img, const std::string &arquivo, int qualidade) {
  std::vector<uint8_t> b = bytes(img, 3);
  return stbi_write_jpg(arquivo.c_str(), img.largura, img.altura, 3, b.data(),
                        qualidade) != 0;
}
