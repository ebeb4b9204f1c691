// The pictures of the game. Shapes are given in picture units, so the cannon
// drawn for the icon is the same drawing at a larger scale.
#include "figuras.h"

#include "acaso.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const float PI = 3.14159265358979f;
const int LARGURA_CAMPO = 4096;

// The palette the whole game shares.
const Cor CONTORNO = Rgb(22, 20, 28);
const Cor FERRO = Rgb(72, 76, 88);
const Cor FERRO_BRILHO = Rgb(226, 230, 240);
const Cor MADEIRA = Rgb(146, 92, 50);
const Cor MADEIRA_ESCURA = Rgb(92, 56, 30);
const Cor GRAMA_CLARA = Rgb(132, 182, 66);
const Cor GRAMA_ESCURA = Rgb(58, 118, 38);
const Cor TERRA = Rgb(112, 74, 44);
const Cor TERRA_ESCURA = Rgb(66, 42, 26);
const Cor CEU_ALTO = Rgb(40, 88, 168);
const Cor CEU_MEIO = Rgb(104, 160, 218);
const Cor HORIZONTE = Rgb(206, 224, 234);
const Cor DOURADO = Rgb(255, 226, 112);
const Cor LARANJA = Rgb(232, 138, 30);

Pintura So(Cor c) {
  return [c](float, float) { return c; };
}
Distancia Cresce(Distancia d, float quanto) {
  return [d, quanto](float x, float y) { return d(x, y) - quanto; };
}

// --------------------------------------------------------------------------
// Metal shading

// A lit sphere: light from the upper left, a sharp highlight, dark rim.
Cor Esfera(float x, float y, float cx, float cy, float r, Cor base,
           float poros) {
  float nx = (x - cx) / r, ny = (y - cy) / r;
  float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
  const float lx = -0.45f, ly = -0.6f, lz = 0.66f;
  float difusa = std::max(0.0f, nx * lx + ny * ly + nz * lz);
  float hx = lx, hy = ly, hz = lz + 1, hn = std::hypot(hx, std::hypot(hy, hz));
  float especular =
      std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hn), 36.0f);
  float textura = 1 + poros * (Ruido(x * 0.9f, y * 0.9f, 0, 17) - 0.5f);
  Cor c = Escurece(base, (0.22f + 0.95f * difusa) * textura);
  c = Mistura(c, Escurece(base, 0.35f), Degrau(0.75f, 1.0f, 1 - nz) * 0.6f);
  return Mistura(c, FERRO_BRILHO, especular * 0.9f);
}

// A lit cylinder lying along x: `v` is the offset from the axis, `r` the
// local radius. Light from above.
Cor Cilindro(float v, float r, Cor base) {
  float n = Limita(v / r, -1, 1);
  float nz = std::sqrt(1 - n * n);
  float difusa = std::max(0.0f, -0.62f * n + 0.78f * nz);
  float especular = std::pow(std::max(0.0f, -0.35f * n + 0.94f * nz), 40.0f);
  Cor c = Escurece(base, 0.28f + 0.9f * difusa);
  return Mistura(c, FERRO_BRILHO, especular * 0.75f);
}

// --------------------------------------------------------------------------
// Cannonballs

const float RAIO_BALA[3] = {8.5f, 11.5f, 14.5f};
const Cor COR_BALA[3] = {Rgb(150, 152, 162), Rgb(100, 100, 110),
                         Rgb(58, 56, 64)};

void PintaBala(Imagem &img, float cx, float cy, float r, int tipo,
               float escala) {
  Cor base = COR_BALA[tipo - 1];
  Caixa caixa{cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2};
  Pinta(
      img, caixa, [=](float x, float y) { return DistDisco(x, y, cx, cy, r); },
      So(CONTORNO), escala);
  Pinta(
      img, caixa,
      [=](float x, float y) { return DistDisco(x, y, cx, cy, r - 0.9f); },
      [=](float x, float y) {
        return Esfera(x, y, cx, cy, r - 0.9f, base, 0.12f);
      },
      escala);
}

// --------------------------------------------------------------------------
// Barrel

// One turned piece of the barrel: from x0 to x1 its radius goes r0 to r1.
struct Peca {
  float x0, x1, r0, r1;
  float raio(float x) const {
    return r0 + (r1 - r0) * Limita((x - x0) / (x1 - x0));
  }
  float distancia(float x, float y) const {
    float d = std::fabs(y - 80) - raio(x);
    return std::max({d, x0 - x, x - x1});
  }
};

const Peca CORPO[] = {{70, 110, 12.6f, 11.2f}, {110, 149, 10.4f, 8.8f}};
const Peca ANEIS[] = {{68.5f, 73.5f, 13.6f, 13.6f},
                      {106, 111, 12.2f, 12.2f},
                      {145, 149, 10.0f, 10.0f},
                      {149, 158, 10.0f, 11.6f}};

float DistCorpo(float x, float y) {
  float d = std::min(CORPO[0].distancia(x, y), CORPO[1].distancia(x, y));
  for (const Peca &p : ANEIS) d = std::min(d, p.distancia(x, y));
  d = std::min(d, DistCapsula(x, y, 62, 80, 70, 80, 3.6f));
  return std::min(d, DistDisco(x, y, 61.5f, 80, 5.6f));
}

Cor CorCorpo(float x, float y) {
  float r = 12;
  for (const Peca &p : CORPO)
    if (x >= p.x0 && x <= p.x1) r = p.raio(x);
  if (x < 68.5f) r = x < 66 ? 5.6f : 3.6f;
  return Cilindro(y - 80, r + 0.5f, FERRO);
}

void PintaAnel(Imagem &img, const Peca &p, float escala) {
  Caixa caixa{p.x0 - 2, 80 - p.r1 - 3, p.x1 + 2, 80 + std::max(p.r0, p.r1) + 3};
  auto d = [p](float x, float y) { return p.distancia(x, y); };
  Pinta(img, caixa, Cresce(d, 0.7f), So(Escurece(FERRO, 0.45f)), escala);
  Pinta(
      img, caixa, d,
      [p](float x, float y) {
        return Cilindro(y - 80, p.raio(x) + 0.5f, Escurece(FERRO, 1.12f));
      },
      escala);
}

// --------------------------------------------------------------------------
// Carriage

const float RODAS[2] = {15, 41};

float DistCaixote(float x, float y) {
  static const std::vector<Ponto> lados = {{7, 35},  {49, 35}, {46, 23},
                                           {39, 23}, {37, 12}, {19, 12},
                                           {17, 23}, {10, 23}};
  return DistPoligono(x, y, lados) - 0.6f;
}

Cor CorMadeira(float x, float y) {
  float veio = Ruido(x * 0.25f, y * 1.6f, 0, 5);
  Cor c = Mistura(MADEIRA, MADEIRA_ESCURA, 0.15f + 0.5f * veio);
  float borda = -DistCaixote(x, y);
  float luz = y < 24 ? 1.18f : 1.0f;
  return Escurece(c, Degrau(0, 2.2f, borda) * 0.35f * luz + 0.7f);
}

void PintaRoda(Imagem &img, float cx, float cy, float escala) {
  Caixa caixa{cx - 9, cy - 9, cx + 9, cy + 9};
  auto disco = [=](float r) {
    return [=](float x, float y) { return DistDisco(x, y, cx, cy, r); };
  };
  Pinta(img, caixa, disco(7.6f), So(CONTORNO), escala);
  Pinta(
      img, caixa, disco(6.7f),
      [=](float x, float y) { return Esfera(x, y, cx, cy, 9, FERRO, 0); },
      escala);
  Pinta(img, caixa, disco(5.1f), So(MADEIRA_ESCURA), escala);
  for (int k = 0; k < 4; k++) {
    float a = k * PI / 4 + 0.3f, dx = std::cos(a) * 5, dy = std::sin(a) * 5;
    Pinta(
        img, caixa,
        [=](float x, float y) {
          return DistCapsula(x, y, cx - dx, cy - dy, cx + dx, cy + dy, 0.8f);
        },
        So(MADEIRA), escala);
  }
  Pinta(
      img, caixa, disco(2.3f),
      [=](float x, float y) { return Esfera(x, y, cx, cy, 2.3f, FERRO, 0); },
      escala);
}

void PintaMunhao(Imagem &img, float escala) {
  Caixa caixa{19, 9, 37, 27};
  auto d = [](float x, float y) { return DistDisco(x, y, 28, 18, 5.8f); };
  Pinta(img, caixa, Cresce(d, 0.9f), So(CONTORNO), escala);
  Pinta(
      img, caixa, d,
      [](float x, float y) { return Esfera(x, y, 28, 18, 5.8f, FERRO, 0); },
      escala);
  auto cinta = [](float x, float y) {
    return std::max(std::fabs(DistDisco(x, y, 28, 18, 7.2f)) - 1.0f, y - 19);
  };
  Pinta(img, caixa, cinta, So(Escurece(FERRO, 0.8f)), escala);
}

// --------------------------------------------------------------------------
// Landscape

float Altura01(float x, float escala, int oitavas, uint32_t semente) {
  int periodo = int(LARGURA_CAMPO / escala);
  return Fractal1(x / escala, oitavas, periodo, semente);
}

// Sharp peaks from noise: 1 at a ridge, 0 in a valley.
float Cristas(float x, float escala, uint32_t semente) {
  float n = Altura01(x, escala, 5, semente);
  return 1 - std::fabs(2 * n - 1);
}

Cor CorDoCeu(float y) {
  if (y < 300) return Mistura(CEU_ALTO, CEU_MEIO, Degrau(0, 300, y));
  return Mistura(CEU_MEIO, HORIZONTE, Degrau(300, 470, y));
}

// Cloud density at a point, 0 to 1.
float Nuvem(float x, float y) {
  float faixa = Degrau(30, 110, y) * (1 - Degrau(230, 330, y));
  float n = Fractal(x / 256, y / 64, 5, LARGURA_CAMPO / 256, 31);
  return Degrau(0.5f, 0.72f, n * (0.55f + 0.55f * faixa)) * faixa;
}

Cor ComNevoa(Cor c, float nevoa) {
  return Mistura(c, HORIZONTE, nevoa);
}

// A ridge seen from afar: flat colour lit by the slope of its skyline.
struct Serra {
  Cor cor;
  float nevoa, rocha;
  float (*perfil)(float x);
};

float CristaMontanhas(float x) {
  float largas = std::pow(Cristas(x, 512, 41), 1.4f);
  float picos = std::pow(Cristas(x, 256, 47), 2.0f);
  return 360 - 110 * largas - 70 * largas * picos;
}
float PerfilMontanhas(float x) {
  return CristaMontanhas(x) + 14 * (Altura01(x, 64, 3, 43) - 0.5f);
}
float PerfilColinas(float x) {
  return 430 - 60 * Altura01(x, 256, 4, 53);
}
float PerfilPerto(float x) {
  return 492 - 42 * Altura01(x, 256, 4, 61);
}

// The skyline of a ridge, one column at a time.
class Horizonte {
public:
  explicit Horizonte(const Serra &s) : topo_(LARGURA_CAMPO) {
    for (int x = 0; x < LARGURA_CAMPO; x++)
      topo_[size_t(x)] = s.perfil(x + 0.5f);
  }
  float topo(int x) const { return topo_[indice(x)]; }
  // Slope of the skyline over a window that widens with depth, so that the
  // lit and shaded faces spread out below each peak like a mountain's.
  float encosta(int x, float fundura) const {
    int meia = 10 + int(0.9f * fundura);
    return (topo(x + meia) - topo(x - meia)) / (2.0f * meia);
  }

private:
  static size_t indice(int x) {
    return size_t(((x % LARGURA_CAMPO) + LARGURA_CAMPO) % LARGURA_CAMPO);
  }
  std::vector<float> topo_;
};

// Relief of a slope: rock faces from 2-D noise, lit from the left, and the
// large faces of the skyline lit by its slope, fading with depth.
float Relevo(const Serra &s, const Horizonte &h, int x, int y) {
  // Skewed axes keep the noise lattice from showing as squares.
  auto ruido = [](float u, float v) {
    return Fractal(u / 46 + v / 70, v / 30 - u / 110, 3, 0, 71);
  };
  float u = x + 0.5f, v = y + 0.5f, fundura = v - h.topo(x);
  float rocha = (ruido(u - 2, v) - ruido(u + 2, v)) * 2.0f * s.rocha;
  float face = Limita(h.encosta(x, fundura) * 1.6f, -0.35f, 0.35f) *
               (1 - Degrau(0, 160, fundura));
  return 1 + Limita(rocha, -0.14f, 0.14f) + face;
}

Cor CorDaSerra(const Serra &s, const Horizonte &h, int x, int y) {
  Cor cor = Escurece(s.cor, Relevo(s, h, x, y));
  // Mist gathers in the valleys, at the foot of each ridge.
  float fundura = Degrau(0, 160, y - h.topo(x));
  return ComNevoa(cor, Limita(s.nevoa * (0.6f + 0.7f * fundura)));
}

// Snow above a ragged line of altitude, on the high peaks only.
Cor Neve(float x, float y, Cor c) {
  float linha = 236 + 30 * (Fractal(x / 20, y / 14, 3, 0, 77) - 0.5f);
  float neve = 1 - Degrau(linha - 3, linha + 2, y);
  return Mistura(c, Mistura(Rgb(242, 246, 252), c, 0.25f), neve);
}

void PintaCeu(Imagem &img) {
  for (int y = 0; y < img.altura; y++)
    for (int x = 0; x < img.largura; x++) {
      Cor c = CorDoCeu(float(y));
      float sol = std::hypot(x - 2330.0f, y - 92.0f);
      c = Mistura(c, Rgb(255, 246, 214), 0.55f * std::exp(-sol / 160));
      c = Mistura(c, Rgb(255, 252, 236), Degrau(30, 26, sol));
      float n = Nuvem(x + 0.5f, y + 0.5f);
      float sombra = Nuvem(x + 0.5f, y - 7.5f);
      Cor nuvem = Mistura(Rgb(252, 252, 255), Rgb(178, 190, 214),
                          Limita(n - sombra + 0.35f));
      img.em(x, y) = Mistura(c, nuvem, n * 0.92f);
    }
}

void PintaSerra(Imagem &img, const Serra &s, bool comNeve) {
  Horizonte h(s);
  for (int x = 0; x < img.largura; x++) {
    float topo = h.topo(x);
    for (int y = std::max(0, int(topo) - 1); y < img.altura; y++) {
      Cor cor = CorDaSerra(s, h, x, y);
      if (comNeve) cor = Neve(x + 0.5f, y + 0.5f, cor);
      Compoe(img, x, y, cor, Limita(y + 1 - topo));
    }
  }
}

void PintaArvores(Imagem &img) {
  Sorteio s(97);
  for (int i = 0; i < 340; i++) {
    float x = s.entre(0, LARGURA_CAMPO);
    float r = s.entre(4, 9);
    float y = PerfilPerto(x) + s.entre(-1, 5);
    Cor folha = Mistura(Rgb(46, 92, 44), Rgb(70, 118, 52), s.unitario());
    Pinta(
        img, {x - r - 2, y - 2 * r - 2, x + r + 2, y + 4},
        [=](float u, float v) {
          return DistElipse(u, v, x, y - r, r, r * 1.2f);
        },
        [=](float u, float v) {
          float luz =
              Degrau(x + r, x - r, u) * 0.25f + Degrau(y, y - 2 * r, v) * 0.2f;
          return ComNevoa(Escurece(folha, 0.8f + luz), 0.18f);
        },
        1, LARGURA_CAMPO);
  }
}

void PintaPlanicie(Imagem &img) {
  for (int y = 500; y < img.altura; y++)
    for (int x = 0; x < img.largura; x++) {
      float topo = 514 + 6 * Altura01(x + 0.5f, 128, 3, 79);
      if (y + 1 < topo) continue;
      float n = Fractal(x / 32.0f, y / 8.0f, 3, LARGURA_CAMPO / 32, 83);
      Cor c = Mistura(Rgb(118, 166, 66), Rgb(96, 150, 52), Degrau(520, 600, y));
      Compoe(img, x, y, Escurece(c, 0.92f + 0.14f * n), Limita(y + 1 - topo));
    }
}

// --------------------------------------------------------------------------
// Grass

float TopoDaGrama(float x) {
  return 6 + 4 * Altura01(x, 16, 3, 101);
}
float TopoDaTerra(float x) {
  return 49 + 2.6f * Altura01(x, 16, 3, 103);
}

Cor CorDaGrama(float x, float y) {
  float fundura = Degrau(4, 48, y);
  Cor c = Mistura(GRAMA_CLARA, GRAMA_ESCURA, 0.25f + 0.55f * fundura);
  float tufos = Fractal(x / 8, y / 4, 3, LARGURA_CAMPO / 8, 107);
  float folhas = Ruido(x / 2, y / 7, LARGURA_CAMPO / 2, 109);
  return Escurece(c, 0.78f + 0.3f * tufos + 0.16f * folhas);
}

Cor CorDaTerra(float x, float y) {
  float n = Fractal(x / 8, y / 3, 3, LARGURA_CAMPO / 8, 113);
  Cor c = Mistura(TERRA, TERRA_ESCURA, Degrau(50, 60, y) * 0.6f);
  return Escurece(c, 0.8f + 0.35f * n);
}

void PintaCampo(Imagem &img) {
  for (int y = 0; y < img.altura; y++)
    for (int x = 0; x < img.largura; x++) {
      float u = x + 0.5f, v = y + 0.5f;
      float topo = TopoDaGrama(u), terra = TopoDaTerra(u);
      float cobertura = Limita(v + 0.5f - topo);
      if (cobertura <= 0) continue;
      Cor c = CorDaGrama(u, v);
      if (v > terra - 2) c = Escurece(c, 0.7f);
      c = Mistura(c, CorDaTerra(u, v), Limita(v - terra));
      img.em(x, y) = ComAlfa(c, cobertura);
    }
}

void PintaFolhas(Imagem &img) {
  Sorteio s(127);
  for (int i = 0; i < 9000; i++) {
    float x = s.entre(0, LARGURA_CAMPO);
    float base = TopoDaGrama(x) + s.entre(1, 6);
    float alto = s.entre(3, 9), inclina = s.entre(-2.5f, 2.5f);
    Cor c = Escurece(Mistura(GRAMA_CLARA, GRAMA_ESCURA, s.unitario() * 0.7f),
                     s.entre(0.85f, 1.15f));
    Pinta(
        img, {x - 4, base - alto - 1, x + 4, base + 1},
        [=](float u, float v) {
          float t = Limita((base - v) / alto);
          return DistCapsula(u, v, x, base, x + inclina, base - alto, 0.55f) +
                 t * 0.3f;
        },
        So(c), 1, LARGURA_CAMPO);
  }
}

void PintaFlores(Imagem &img) {
  Sorteio s(131);
  const Cor cores[3] = {Rgb(250, 250, 240), Rgb(252, 214, 70),
                        Rgb(214, 170, 236)};
  for (int i = 0; i < 260; i++) {
    float x = s.entre(0, LARGURA_CAMPO), y = s.entre(12, 44);
    float r = 0.7f + 0.6f * Degrau(12, 44, y);
    Cor c = cores[s.proximo() % 3];
    Pinta(
        img, {x - 3, y - 3, x + 3, y + 3},
        [=](float u, float v) { return DistDisco(u, v, x, y, r); }, So(c), 1,
        LARGURA_CAMPO);
  }
}

void PintaPedras(Imagem &img) {
  Sorteio s(137);
  for (int i = 0; i < 220; i++) {
    float x = s.entre(0, LARGURA_CAMPO), y = s.entre(52, 59);
    float rx = s.entre(1.2f, 3.2f), ry = rx * s.entre(0.55f, 0.8f);
    Cor c = Mistura(Rgb(128, 116, 100), Rgb(92, 80, 70), s.unitario());
    Pinta(
        img, {x - rx - 2, y - ry - 2, x + rx + 2, y + ry + 2},
        [=](float u, float v) { return DistElipse(u, v, x, y, rx, ry); },
        [=](float, float v) { return Escurece(c, v < y ? 1.15f : 0.85f); }, 1,
        LARGURA_CAMPO);
  }
}

// --------------------------------------------------------------------------
// Splash

// A dark panel with a golden rim, where the splash's text stands out from
// the field behind it.
void Painel(Imagem &tela, Caixa c) {
  auto d = [c](float x, float y) {
    return DistRetangulo(x, y, c.x0, c.y0, c.x1, c.y1, 16);
  };
  Pinta(tela, c, Cresce(d, 2), So(Rgb(240, 214, 140, 0.85f)));
  Pinta(tela, c, d, [c](float, float y) {
    return Mistura(Rgb(20, 26, 44, 0.78f), Rgb(10, 12, 24, 0.84f),
                   Degrau(c.y0, c.y1, y));
  });
}

// A stretch of a line on the splash: words, or a key drawn as a keycap.
struct Trecho {
  std::string texto;
  bool tecla;
};

const float MARGEM_DA_TECLA = 9, ESPACO_APOS_TECLA = 8;

float LarguraDoTrecho(const Letras &letras, const Trecho &t) {
  float l = letras.mede(t.texto);
  return t.tecla ? l + 2 * MARGEM_DA_TECLA + ESPACO_APOS_TECLA : l;
}

float LarguraDaLinha(const Letras &letras, const std::vector<Trecho> &trechos) {
  float l = 0;
  for (const Trecho &p : trechos) l += LarguraDoTrecho(letras, p);
  return l;
}

void Tecla(Imagem &tela, const Letras &letras, const std::string &texto,
           float x, float linha) {
  float l = letras.mede(texto) + 2 * MARGEM_DA_TECLA, p = letras.pixels();
  Caixa c{x, linha - p, x + l, linha + 0.4f * p};
  auto d = [c](float u, float v) {
    return DistRetangulo(u, v, c.x0, c.y0, c.x1, c.y1, 6);
  };
  Pinta(tela, c, Cresce(d, 2), So(CONTORNO));
  Pinta(tela, c, d, [c](float, float v) {
    return Mistura(Rgb(250, 250, 246), Rgb(196, 200, 212),
                   Degrau(c.y0, c.y1, v));
  });
  Escreve(tela, letras, texto, x + MARGEM_DA_TECLA, linha,
          Estilo{CONTORNO, Rgb(54, 26, 8), CONTORNO, 0}, Alinha::ESQUERDA);
}

// A line of words and keycaps centred on x 400.
void EscreveLinha(Imagem &tela, const Letras &letras,
                  const std::vector<Trecho> &trechos, float linha,
                  const Estilo &estilo) {
  float x = 400 - LarguraDaLinha(letras, trechos) / 2;
  for (const Trecho &p : trechos) {
    if (p.tecla)
      Tecla(tela, letras, p.texto, x, linha);
    else
      Escreve(tela, letras, p.texto, x, linha, estilo, Alinha::ESQUERDA);
    x += LarguraDoTrecho(letras, p);
  }
}

// What each splash says: how to play with the player's own controls, and
// how to start a game for two or against the computer.
struct Textos {
  std::vector<std::string> instrucoes;
  std::vector<std::vector<Trecho>> escolhas;
};

Textos TextosDoSplash(Controles controles) {
  if (controles == Controles::TOQUE)
    return {{"Arraste o dedo na tela para mirar.",
             "“Trocar bala”: troca a bala de canhão.",
             "Segure “Atirar” para carregar",
             "a força do tiro; solte para disparar.",
             "Bala maior, mais dano: 20, 30 ou 40.", "“Sair”: sai do jogo."},
            {{{"Para jogar, toque em", false}},
             {{"“Dois jogadores”", false}},
             {{"ou em “Computador”", false}}}};
  return {{"Mire com o mouse.", "Botão direito: troca a bala de canhão.",
           "Segure o botão esquerdo para carregar",
           "a força do tiro; solte para disparar.",
           "Bala maior, mais dano: 20, 30 ou 40.", "Esc: sai do jogo."},
          {{{"Enter", true}, {"dois jogadores", false}},
           {{"Contra o computador:", false}},
           {{"1", true},
            {"fácil  ", false},
            {"2", true},
            {"médio  ", false},
            {"3", true},
            {"difícil", false}}}};
}

} // namespace

// ==========================================================================

Imagem Bala(int tipo) {
  Imagem img(56, 56);
  PintaBala(img, 28.5f, 28.5f, RAIO_BALA[tipo - 1], tipo, 1);
  return img;
}

Imagem BalaGrande(int tipo, const Letras &numeros) {
  Imagem img(112, 110);
  float r = 14 + 5.0f * tipo;
  PintaBala(img, 56, 12 + 32, r, tipo, 1);
  std::string dano = std::to_string(10 + 10 * tipo);
  float largura = numeros.mede(dano) + 18;
  float x0 = 56 - largura / 2, cy = 88;
  std::vector<Ponto> estrela;
  for (int k = 0; k < 16; k++) {
    float a = k * PI / 8, raio = k % 2 ? 3.4f : 7.5f;
    estrela.push_back({x0 + 7 + raio * std::cos(a), cy + raio * std::sin(a)});
  }
  Caixa caixa{x0, cy - 9, x0 + 15, cy + 9};
  auto d = [estrela](float x, float y) { return DistPoligono(x, y, estrela); };
  Pinta(img, caixa, Cresce(d, 1.2f), So(CONTORNO));
  Pinta(img, caixa, d, [=](float x, float y) {
    return Mistura(DOURADO, LARANJA,
                   Limita(std::hypot(x - x0 - 7, y - cy) / 7.5f));
  });
  Escreve(img, numeros, dano, x0 + 18, cy + 7,
          Estilo{DOURADO, LARANJA, CONTORNO, 1.6f}, Alinha::ESQUERDA);
  return img;
}

Imagem Canhao(float escala) {
  int lado = int(std::lround(160 * escala));
  Imagem img(lado, lado);
  Caixa caixa{54, 62, 160, 98};
  Pinta(img, caixa, Cresce(DistCorpo, 1.1f), So(CONTORNO), escala);
  Pinta(img, caixa, DistCorpo, CorCorpo, escala);
  for (const Peca &p : ANEIS) PintaAnel(img, p, escala);
  return img;
}

Imagem Base(float escala) {
  Imagem img(int(std::lround(56 * escala)), int(std::lround(40 * escala)));
  Caixa caixa{4, 9, 52, 38};
  Pinta(img, caixa, Cresce(DistCaixote, 1.1f), So(CONTORNO), escala);
  Pinta(img, caixa, DistCaixote, CorMadeira, escala);
  for (float x : {21.5f, 34.5f})
    Pinta(
        img, caixa,
        [x](float u, float v) {
          return DistRetangulo(u, v, x - 1.1f, 13, x + 1.1f, 34.5f);
        },
        So(Escurece(FERRO, 0.9f)), escala);
  for (float x : RODAS) PintaRoda(img, x, 32, escala);
  PintaMunhao(img, escala);
  return img;
}

Imagem Grama() {
  Imagem img(LARGURA_CAMPO, 60);
  PintaCampo(img);
  PintaFolhas(img);
  PintaFlores(img);
  PintaPedras(img);
  return img;
}

Imagem Fundo() {
  Imagem img(LARGURA_CAMPO, 600);
  PintaCeu(img);
  PintaSerra(img, Serra{Rgb(96, 114, 156), 0.42f, 1, PerfilMontanhas}, true);
  PintaSerra(img, Serra{Rgb(80, 120, 112), 0.38f, 0.4f, PerfilColinas}, false);
  PintaSerra(img, Serra{Rgb(84, 134, 66), 0.14f, 0.3f, PerfilPerto}, false);
  PintaArvores(img);
  PintaPlanicie(img);
  return img;
}

Imagem CirculoDeColisao() {
  Imagem img(160, 160);
  for (int y = 0; y < 160; y++)
    for (int x = 0; x < 160; x++)
      if (std::hypot(x - 80.0f, y - 80.0f) <= 48)
        img.em(x, y) = Rgb(200, 48, 48);
  return img;
}

void PoeCanhao(Imagem &tela, const Imagem &canhao, const Imagem &base, float px,
               float py, float graus) {
  ColaGirada(tela, canhao, 80, 80, px, py, graus);
  Cola(tela, base, int(px) - 28, int(py) - 18);
}

Imagem Splash(const Imagem &fundo, const Imagem &grama,
              const std::string &serifa, const std::string &texto,
              Controles controles) {
  Imagem tela = Recorta(fundo, 1700, 0, 800, 600);
  Cola(tela, Recorta(grama, 2200, 0, 800, 60), 0, 540);
  Imagem canhao = Canhao(), base = Base();
  PoeCanhao(tela, canhao, base, 110, 568, 28);
  PoeCanhao(tela, canhao, base, 690, 568, 152);
  Letras grande(serifa, 96), media(texto, 26), pequena(texto, 20);
  Estilo titulo{DOURADO, LARANJA, Rgb(54, 26, 8), 4, 5};
  Escreve(tela, grande, "Trovasco", 400, 120, titulo, Alinha::CENTRO);
  Estilo claro{Rgb(255, 255, 255), Rgb(226, 232, 240), CONTORNO, 2};
  Escreve(tela, pequena, "Duelo de canhões para um ou dois jogadores", 400, 152,
          claro, Alinha::CENTRO);
  const Textos textos = TextosDoSplash(controles);
  Painel(tela, {130, 168, 670, 432});
  Estilo destaque{DOURADO, Rgb(250, 196, 70), CONTORNO, 2};
  Escreve(tela, media, "Como jogar", 400, 208, destaque, Alinha::CENTRO);
  float y = 250;
  for (const std::string &l : textos.instrucoes) {
    bool continua = l[0] == 'a';
    Escreve(tela, pequena, continua ? l : "• " + l, continua ? 178 : 158, y,
            claro, Alinha::ESQUERDA);
    y += continua ? 30 : 34;
  }
  // The choice sits between the two cannons' barrels.
  Painel(tela, {188, 446, 612, 590});
  Estilo chamada{Rgb(255, 255, 255), DOURADO, Rgb(54, 26, 8), 3, 3};
  y = 484;
  for (const std::vector<Trecho> &linha : textos.escolhas) {
    EscreveLinha(tela, media, linha, y, chamada);
    y += 40;
  }
  return tela;
}

namespace {
// An icon's rounded plaque on its 256-unit grid, outlined, painted with
// fundo.
void PintaPlaca(Imagem &img, float s, const Pintura &fundo) {
  Caixa caixa{0, 0, 256, 256};
  auto placa = [](float x, float y) {
    return DistRetangulo(x, y, 10, 10, 246, 246, 46);
  };
  Pinta(img, caixa, Cresce(placa, 5), So(CONTORNO), s);
  Pinta(img, caixa, placa, fundo, s);
}
} // namespace

Imagem Icone(int lado) {
  float s = lado / 256.0f;
  Imagem img(lado, lado);
  Caixa caixa{0, 0, 256, 256};
  PintaPlaca(img, s, [](float x, float y) {
    Cor c = Mistura(CEU_ALTO, HORIZONTE, Degrau(10, 200, y));
    float chao = 196 + 6 * std::sin(0.05f * x);
    return y > chao ? Mistura(GRAMA_CLARA, GRAMA_ESCURA, Degrau(196, 246, y))
                    : c;
  });
  Pinta(
      img, caixa, [](float x, float y) { return DistDisco(x, y, 208, 76, 16); },
      [](float x, float y) {
        return Esfera(x, y, 208, 76, 16, COR_BALA[1], 0);
      },
      s);
  // Drawn at twice the needed size and reduced while turned, for clean edges.
  Imagem canhao = Canhao(3), base = Base(3);
  float px = 84 * s, py = 184 * s, e = s / 2;
  ColaGirada(img, canhao, 240, 240, px, py, 40, e, 4);
  ColaGirada(img, base, 84, 54, px, py, 0, e, 4);
  const float fumaca[3][3] = {{182, 110, 9}, {174, 98, 7}, {191, 101, 6}};
  for (const auto &f : fumaca)
    Pinta(
        img, caixa,
        [&f](float x, float y) { return DistDisco(x, y, f[0], f[1], f[2]); },
        So(Rgb(244, 244, 248, 0.6f)), s);
  return img;
}

Imagem IconeDaBiblioteca(int lado) {
  float s = lado / 256.0f;
  Imagem img(lado, lado);
  Caixa caixa{0, 0, 256, 256};
  PintaPlaca(img, s, [](float, float y) {
    return y > 190 ? Mistura(GRAMA_CLARA, GRAMA_ESCURA, Degrau(190, 246, y))
                   : Mistura(CEU_ALTO, CEU_MEIO, Degrau(10, 190, y));
  });
  Pinta(
      img, caixa,
      [](float x, float y) { return DistDisco(x, y, 128, 118, 56); },
      [](float x, float y) { return Esfera(x, y, 128, 118, 56, DOURADO, 0); },
      s);
  return img;
}

// The icon's scene to the edges, with no transparent corners (a home screen
// fills those with black), and its cannon and ball inside the middle circle
// that a launcher's mask always keeps.
Imagem IconeCheio(int lado) {
  const float m = 40, total = 256 + 2 * m;
  float s = lado / total;
  Imagem img(lado, lado);
  Caixa caixa{0, 0, total, total};
  Pinta(
      img, caixa,
      [total](float x, float y) {
        return DistRetangulo(x, y, -1, -1, total + 1, total + 1);
      },
      [m](float x, float y) {
        Cor c = Mistura(CEU_ALTO, HORIZONTE, Degrau(m + 10, m + 200, y));
        float chao = m + 196 + 6 * std::sin(0.05f * (x - m));
        return y > chao ? Mistura(GRAMA_CLARA, GRAMA_ESCURA,
                                  Degrau(m + 196, m + 246, y))
                        : c;
      },
      s);
  Pinta(
      img, caixa,
      [m](float x, float y) { return DistDisco(x, y, m + 208, m + 76, 16); },
      [m](float x, float y) {
        return Esfera(x, y, m + 208, m + 76, 16, COR_BALA[1], 0);
      },
      s);
  Imagem canhao = Canhao(3), base = Base(3);
  float px = (m + 84) * s, py = (m + 184) * s, e = s / 2;
  ColaGirada(img, canhao, 240, 240, px, py, 40, e, 4);
  ColaGirada(img, base, 84, 54, px, py, 0, e, 4);
  return img;
}
