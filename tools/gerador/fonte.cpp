// Glyphs from a TrueType face rendered by FreeType, outlined by dilating
// their coverage, and laid into the game's font sheet.
#include "fonte.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

static FT_Face comoFace(void *f) {
  return static_cast<FT_Face>(f);
}

Letras::Letras(const std::string &arquivo, int pixels) : pixels_(pixels) {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib)) return;
  biblioteca_ = lib;
  FT_Face face = nullptr;
  if (FT_New_Face(lib, arquivo.c_str(), 0, &face)) return;
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixels));
  face_ = face;
}

Letras::~Letras() {
  if (face_) FT_Done_Face(comoFace(face_));
  if (biblioteca_) FT_Done_FreeType(static_cast<FT_Library>(biblioteca_));
}

Letras::Glifo Letras::glifo(uint32_t codigo) const {
  Glifo g;
  if (!face_) return g;
  FT_Face face = comoFace(face_);
  if (FT_Load_Char(face, codigo, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL))
    return g;
  const FT_Bitmap &b = face->glyph->bitmap;
  g.largura = int(b.width);
  g.altura = int(b.rows);
  g.esquerda = face->glyph->bitmap_left;
  g.topo = face->glyph->bitmap_top;
  g.avanco = face->glyph->advance.x / 64.0f;
  g.cobertura.resize(size_t(g.largura) * g.altura);
  for (int y = 0; y < g.altura; y++)
    for (int x = 0; x < g.largura; x++)
      g.cobertura[size_t(y) * g.largura + x] =
          b.buffer[y * b.pitch + x] / 255.0f;
  return g;
}

// Code points of a UTF-8 text; malformed bytes are taken as Latin-1.
static std::vector<uint32_t> codigos(const std::string &texto) {
  std::vector<uint32_t> r;
  for (size_t i = 0; i < texto.size();) {
    unsigned char c = texto[i];
    int n = c >= 0xf0 ? 3 : c >= 0xe0 ? 2 : c >= 0xc0 ? 1 : 0;
    if (n && i + n >= texto.size()) n = 0;
    uint32_t v = n ? c & (0x3f >> n) : c;
    for (int k = 1; k <= n; k++) v = (v << 6) | (texto[i + k] & 0x3f);
    r.push_back(v);
    i += n + 1;
  }
  return r;
}

float Letras::mede(const std::string &texto) const {
  float pen = 0;
  for (uint32_t c : codigos(texto)) pen += glifo(c).avanco;
  return pen;
}

// Coverage of a whole area, with room around it for the rim.
struct Mapa {
  int x0, y0, largura, altura;
  std::vector<float> v;
  float &em(int x, int y) { return v[size_t(y) * largura + x]; }
  float le(int x, int y) const {
    if (x < 0 || y < 0 || x >= largura || y >= altura) return 0;
    return v[size_t(y) * largura + x];
  }
};

static void poeGlifo(Mapa &m, const Letras::Glifo &g, int x, int y) {
  for (int j = 0; j < g.altura; j++)
    for (int i = 0; i < g.largura; i++) {
      int mx = x + i - m.x0, my = y + j - m.y0;
      if (mx < 0 || my < 0 || mx >= m.largura || my >= m.altura) continue;
      float &d = m.em(mx, my);
      d = std::min(1.0f, d + g.cobertura[size_t(j) * g.largura + i]);
    }
}

// The coverage grown by `raio` pixels, anti-aliased at its new edge.
static Mapa dilata(const Mapa &m, float raio) {
  Mapa r = m;
  int alcance = int(std::ceil(raio + 0.5f));
  for (int y = 0; y < m.altura; y++)
    for (int x = 0; x < m.largura; x++) {
      float melhor = 0;
      for (int dy = -alcance; dy <= alcance; dy++)
        for (int dx = -alcance; dx <= alcance; dx++) {
          float c = m.le(x + dx, y + dy);
          if (c <= melhor) continue;
          float d = std::hypot(float(dx), float(dy));
          melhor = std::max(melhor, c * Limita(raio + 0.5f - d));
        }
      r.em(x, y) = melhor;
    }
  return r;
}

static void pintaMapas(Imagem &img, const Mapa &miolo, const Mapa &borda,
                       const Estilo &e, float linha, float capitais) {
  int s = int(std::lround(e.sombra));
  for (int y = 0; y < miolo.altura; y++)
    for (int x = 0; x < miolo.largura; x++) {
      int ix = x + miolo.x0, iy = y + miolo.y0;
      if (s > 0)
        Compoe(img, ix + s, iy + s, e.contorno, 0.55f * borda.le(x, y));
    }
  for (int y = 0; y < miolo.altura; y++)
    for (int x = 0; x < miolo.largura; x++) {
      int ix = x + miolo.x0, iy = y + miolo.y0;
      Compoe(img, ix, iy, e.contorno, borda.le(x, y));
      float t = Limita((iy + 0.5f - (linha - capitais)) / capitais);
      Compoe(img, ix, iy, Mistura(e.cima, e.baixo, t), miolo.le(x, y));
    }
}

void Escreve(Imagem &img, const Letras &letras, const std::string &texto,
             float x, float linha, const Estilo &estilo, Alinha alinha) {
  float pen = alinha == Alinha::CENTRO ? x - letras.mede(texto) / 2 : x;
  int margem = int(std::ceil(estilo.espessura)) + 2;
  int p = letras.pixels();
  Mapa m{int(pen) - p - margem, int(linha) - 2 * p - margem, 0, 0, {}};
  m.largura = int(letras.mede(texto)) + 2 * p + 2 * margem;
  m.altura = 3 * p + 2 * margem;
  m.v.assign(size_t(m.largura) * m.altura, 0);
  for (uint32_t c : codigos(texto)) {
    Letras::Glifo g = letras.glifo(c);
    poeGlifo(m, g, int(std::lround(pen)) + g.esquerda, int(linha) - g.topo);
    pen += g.avanco;
  }
  Mapa borda = estilo.espessura > 0 ? dilata(m, estilo.espessura) : m;
  pintaMapas(img, m, borda, estilo, linha, 0.73f * p);
}

// ---------------------------------------------------------------------------
// The font sheet

static const int CELULA = 32; // the game's sheet, which EscreveComFolha reads

static bool temGlifo(int c) {
  return (c > 32 && c < 127) || c > 160;
}

// Soft hyphen has no ink of its own in most faces; the texts want a hyphen.
static uint32_t codigoDaCelula(int c) {
  return c == 0xad ? '-' : uint32_t(c);
}

// Room a glyph needs above and below the baseline, and across.
struct Extensao {
  int acima = 0, abaixo = 0, largura = 0;
};
static Extensao extensaoDaFolha(const Letras &letras) {
  Extensao e;
  for (int c = 0; c < 256; c++) {
    if (!temGlifo(c)) continue;
    Letras::Glifo g = letras.glifo(codigoDaCelula(c));
    e.acima = std::max(e.acima, g.topo);
    e.abaixo = std::max(e.abaixo, g.altura - g.topo);
    e.largura = std::max(e.largura, g.largura);
  }
  return e;
}

// The library measures a glyph only up to its first blank column, so strokes
// that stand apart (quotes, diaeresis) are joined by a faint rim pixel that
// counts as ink but cannot be seen.
static void unePartes(Mapa &borda) {
  int primeira = -1;
  for (int x = 0; x < borda.largura; x++) {
    bool tinta = false;
    for (int y = 0; y < borda.altura; y++)
      tinta |= borda.le(x, y) >= 0.5f / 255;
    if (tinta && primeira < 0) primeira = x;
    if (!tinta && primeira >= 0) {
      bool depois = false;
      for (int k = x + 1; k < borda.largura; k++)
        for (int y = 0; y < borda.altura; y++)
          depois |= borda.le(k, y) >= 0.5f / 255;
      if (!depois) return;
      borda.em(x, borda.altura / 2) = 1.5f / 255;
    }
  }
}

static void desenhaCelula(Imagem &folha, const Letras &letras, int c,
                          const Celulas &celulas) {
  Letras::Glifo g = letras.glifo(codigoDaCelula(c));
  const int lado = celulas.lado;
  const float rima = celulas.rima;
  int cx = (c % 16) * lado, cy = (c / 16) * lado;
  Mapa m{cx, cy, lado, lado, std::vector<float>(size_t(lado) * lado, 0)};
  int tintaAEsquerda = 1 + int(rima);
  poeGlifo(m, g, cx + tintaAEsquerda, cy + celulas.linhaBase - g.topo);
  Mapa borda = dilata(m, rima);
  // A faint fringe would count as ink and widen every glyph.
  for (float &v : borda.v)
    if (v < 24.0f / 255) v = 0;
  unePartes(borda);
  Estilo e{Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(24, 20, 28), rima};
  pintaMapas(folha, m, borda, e, 0, 1);
}

// The tallest glyph with its rim is centred in the cell; every glyph then
// stands on that one baseline.
Celulas CelulasDaFolha(const Letras &letras, int lado, float rima) {
  Extensao e = extensaoDaFolha(letras);
  int folgaVertical = lado - (e.acima + e.abaixo + 2 * int(rima));
  return {lado, rima, int(rima) + std::max(0, folgaVertical / 2) + e.acima};
}

Imagem FolhaDaFonte(const Letras &letras, const Celulas &celulas) {
  Imagem folha(16 * celulas.lado, 16 * celulas.lado);
  for (int c = 0; c < 256; c++)
    if (temGlifo(c)) desenhaCelula(folha, letras, c, celulas);
  return folha;
}

static bool tinta(const Imagem &folha, int x, int y) {
  return std::lround(Limita(folha.em(x, y).a) * 255) > 0;
}

static bool colunaComTinta(const Imagem &folha, int x, int y0, int t) {
  for (int y = y0; y < y0 + t; y++)
    if (tinta(folha, x, y)) return true;
  return false;
}

Medidas MedeFolha(const Imagem &folha, int t) {
  Medidas m;
  int espaco = t <= 31 ? 1 : t <= 63 ? 2 : 3;
  for (int k = 0; k < 256; k++) {
    int x0 = (k % 16) * t, y0 = (k / 16) * t, primeira = -1, ultima = -1;
    for (int x = 0; x < t && primeira < 0; x++)
      if (colunaComTinta(folha, x0 + x, y0, t)) primeira = x;
    for (int x = primeira + 1; primeira >= 0 && x < t && ultima < 0; x++)
      if (!colunaComTinta(folha, x0 + x, y0, t)) ultima = x;
    m.deslocamentos[k] = std::max(primeira, 0);
    if (primeira < 0)
      m.larguras[k] = t;
    else if (ultima >= 0 && ultima + espaco <= t)
      m.larguras[k] = ultima + espaco - primeira;
    else
      m.larguras[k] = t - primeira;
  }
  m.larguras[' '] = t / 2;
  m.deslocamentos[' '] = 0;
  return m;
}

int EscreveComFolha(Imagem &img, const Imagem &folha, const Medidas &m, int x,
                    int y, const std::string &texto) {
  int largura = 0;
  for (unsigned char b : texto) largura += m.larguras[b];
  int pen = x - largura / 2;
  for (unsigned char b : texto) {
    Imagem celula =
        Recorta(folha, (b % 16) * CELULA, (b / 16) * CELULA, CELULA, CELULA);
    Cola(img, celula, pen - m.deslocamentos[b], y);
    pen += m.larguras[b];
  }
  return largura;
}
