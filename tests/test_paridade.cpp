// Parity of the two back-ends: one scene of sprites and filled rectangles is
// drawn on OpenGL, the library is shut down, started again on the SDL
// back-end in the same process, and both frames are compared with the image
// the scene should give. Then each primitive's pixel rule, as its header
// states it, on both back-ends.
#include "apoio.h"
#include "t2d2/tovik2d2primitivas.h"
#include "tovik2d2_interno.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const int L = 320, A = 240;
const Cor FUNDO{20, 30, 40, 255};

typedef std::vector<Cor> Quadro; // L x A, row by row from the top

// Two 32x32 frames: a checker with a magenta hole, and a frame whose left
// half is fully transparent and whose right half is half transparent on top
// and opaque below.
Cor pixelDaFolha(int x, int y) {
  if (x < 32) {
    if (x >= 12 && x < 20 && y >= 12 && y < 20) return Cor{255, 0, 255, 255};
    bool par = ((x / 4) + (y / 4)) % 2 == 0;
    return par ? Cor{250, 200, 10, 255} : Cor{10, 120, 240, 255};
  }
  if (x < 48) return Cor{255, 255, 255, 0};
  if (y < 16) return Cor{240, 16, 16, 128};
  return Cor{Uint8(8 * (x - 32)), Uint8(4 * y), 90, 255};
}

struct Sprite {
  unsigned int quadro;
  int x, y;
};
struct Retangulo {
  int x1, y1, x2, y2;
  Cor cor;
};

const Retangulo fundos[] = {{90, 30, 120, 60, {0, 0, 255, 255}},
                            {300, 100, 250, 150, {255, 0, 0, 255}}};
const Sprite sprites_[] = {
    {0, 10, 10}, {0, 100, 37}, {1, 200, 50}, {1, 280, 120}, {0, -8, 200}};
const Retangulo frentes[] = {{50, 200, 20, 230, {0, 200, 0, 255}},
                             {205, 60, 215, 70, {255, 255, 255, 255}}};

void preenche(Quadro &q, const Retangulo &r) {
  for (int y = std::min(r.y1, r.y2); y < std::max(r.y1, r.y2); y++)
    for (int x = std::min(r.x1, r.x2); x < std::max(r.x1, r.x2); x++)
      q[size_t(y) * L + x] = r.cor;
}

Uint8 mistura(Uint8 s, Uint8 d, Uint8 a) {
  return Uint8((s * a + d * (255 - a) + 127) / 255);
}

Quadro Esperado() {
  Quadro q(size_t(L) * A, FUNDO);
  for (const Retangulo &r : fundos) preenche(q, r);
  for (const Sprite &s : sprites_)
    for (int y = 0; y < 32; y++)
      for (int x = 0; x < 32; x++) {
        int px = s.x + x, py = s.y + y;
        if (px < 0 || py < 0 || px >= L || py >= A) continue;
        Cor c = pixelDaFolha(int(s.quadro) * 32 + x, y);
        if (c == Cor{255, 0, 255, 255}) continue;
        Cor &d = q[size_t(py) * L + px];
        d = Cor{mistura(c.r, d.r, c.a), mistura(c.g, d.g, c.a),
                mistura(c.b, d.b, c.a), 255};
      }
  for (const Retangulo &r : frentes) preenche(q, r);
  return q;
}

// The frame as drawn so far, opaque, on the back-end running.
Quadro LeQuadro(int tipoRender) {
  Quadro q(size_t(L) * A);
  if (tipoRender == T2D2_DESENHO_OPENGL) {
    std::vector<Uint8> px(size_t(L) * A * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, L, A, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    for (int y = 0; y < A; y++)
      for (int x = 0; x < L; x++) {
        const Uint8 *p = &px[(size_t(A - 1 - y) * L + x) * 4];
        q[size_t(y) * L + x] = Cor{p[0], p[1], p[2], 255};
      }
  } else {
    for (int y = 0; y < A; y++)
      for (int x = 0; x < L; x++) {
        Cor c = LePixelSuperficie(screen, x, y);
        q[size_t(y) * L + x] = Cor{c.r, c.g, c.b, 255};
      }
  }
  return q;
}

// Starts one back-end, draws the scene and returns the frame.
Quadro DesenhaCena(int tipoRender, const std::string &folha) {
  if (!IniciaSilencioso(tipoRender, L, A)) return {};
  EXPECT_EQ(render, tipoRender);
  EXPECT_TRUE(T2D2P_Inicia());
  unsigned int id = T2D2_CarregaSpriteSet(folha.c_str(), 32, 32);
  EXPECT_NE(id, 0u);
  T2D2_TrocaCorLimpezaTela(FUNDO.r, FUNDO.g, FUNDO.b);
  T2D2_LimpaTela();
  for (const Retangulo &r : fundos)
    T2D2P_RetanguloPintado(r.x1, r.y1, r.x2, r.y2, r.cor.r, r.cor.g, r.cor.b);
  for (const Sprite &s : sprites_)
    EXPECT_TRUE(T2D2_DesenhaSprite(id, s.quadro, s.x, s.y));
  for (const Retangulo &r : frentes)
    T2D2P_RetanguloPintado(r.x1, r.y1, r.x2, r.y2, r.cor.r, r.cor.g, r.cor.b);
  Quadro q = LeQuadro(tipoRender);
  EncerraSilencioso();
  return q;
}

// The number of pixels that differ by more than tolerancia in any channel,
// with the first one described.
size_t Diferencas(const Quadro &a, const Quadro &b, int tolerancia,
                  std::string *primeira) {
  size_t n = 0;
  for (size_t i = 0; i < a.size(); i++) {
    int dr = std::abs(a[i].r - b[i].r), dg = std::abs(a[i].g - b[i].g),
        db = std::abs(a[i].b - b[i].b);
    if (dr > tolerancia || dg > tolerancia || db > tolerancia) {
      if (n++ == 0) {
        std::ostringstream s;
        s << "(" << i % L << "," << i / L << "): " << a[i] << " vs " << b[i];
        *primeira = s.str();
      }
    }
  }
  return n;
}

typedef std::set<std::pair<int, int>> Acesos; // x, y of every lit pixel

// Each drawing alone, in white on black, on one back-end: the pixels it lit.
std::vector<Acesos> DesenhaSozinhas(int tipoRender,
                                    const std::vector<void (*)()> &desenhos) {
  std::vector<Acesos> acesos;
  if (!IniciaSilencioso(tipoRender, L, A)) return acesos;
  EXPECT_TRUE(T2D2P_Inicia());
  for (void (*desenho)() : desenhos) {
    T2D2_LimpaTela();
    desenho();
    Quadro q = LeQuadro(tipoRender);
    Acesos a;
    for (int y = 0; y < A; y++)
      for (int x = 0; x < L; x++)
        if (q[size_t(y) * L + x].r > 128) a.insert({x, y});
    acesos.push_back(a);
  }
  EncerraSilencioso();
  return acesos;
}

} // namespace

// Filled rectangles (corners in any order, the larger ones left out) are
// pinned by the scene above. A line has one set of pixels on both back-ends,
// both ends included, even where its ideal path passes halfway between two
// pixels (at step 15 of this one); a filled circle is a midpoint disc on SDL
// and a polygon inside the true circle on OpenGL.
TEST(Paridade, RegraDosPixelsDeCadaPrimitiva) {
  const std::vector<void (*)()> desenhos = {
      [] {
        T2D2P_Ponto p = {40, 30};
        T2D2P_Pontos(&p, 1, 255, 255, 255);
      },
      [] { T2D2P_Linha(10, 10, 40, 17, 255, 255, 255); },
      [] { T2D2P_Linha(40, 17, 10, 10, 255, 255, 255); },
      [] { T2D2P_CirculoPintado(100, 100, 5, 255, 255, 255); },
  };
  std::vector<Acesos> gl = DesenhaSozinhas(T2D2_DESENHO_OPENGL, desenhos);
  std::vector<Acesos> sdl = DesenhaSozinhas(T2D2_DESENHO_PADRAO, desenhos);
  ASSERT_EQ(gl.size(), desenhos.size());
  ASSERT_EQ(sdl.size(), desenhos.size());
  for (const std::vector<Acesos> *v : {&gl, &sdl}) {
    const char *nome = v == &gl ? "OpenGL" : "SDL";
    EXPECT_EQ((*v)[0], Acesos({{40, 30}})) << nome;
    EXPECT_EQ((*v)[1].size(), 31u) << nome << ": one pixel per column";
    EXPECT_TRUE((*v)[1].count({10, 10}) && (*v)[1].count({40, 17})) << nome;
    EXPECT_EQ((*v)[2], (*v)[1]) << nome << ": reversed";
    EXPECT_TRUE((*v)[3].count({100, 100})) << nome;
  }
  EXPECT_EQ(gl[1], sdl[1]);
  EXPECT_EQ(sdl[3].size(), 86u);
  for (const std::pair<int, int> &p : gl[3]) {
    const double dx = p.first + 0.5 - 100, dy = p.second + 0.5 - 100;
    EXPECT_LE(dx * dx + dy * dy, 25.0) << p.first << "," << p.second;
  }
}

TEST(Paridade, MesmaCenaNosDoisBackEndsNoMesmoProcesso) {
  std::string folha =
      EscreveImagem("paridade_folha.png", 64, 32, 4, pixelDaFolha);
  Quadro esperado = Esperado();
  Quadro gl = DesenhaCena(T2D2_DESENHO_OPENGL, folha);
  ASSERT_EQ(gl.size(), esperado.size());
  Quadro sdl = DesenhaCena(T2D2_DESENHO_PADRAO, folha);
  ASSERT_EQ(sdl.size(), esperado.size());
  // Linear filtering and blending rounding are the only expected sources of
  // difference; samples fall on texel centres, so they stay tiny.
  std::string onde;
  EXPECT_EQ(Diferencas(gl, esperado, 3, &onde), 0u) << "OpenGL " << onde;
  EXPECT_EQ(Diferencas(sdl, esperado, 3, &onde), 0u) << "SDL " << onde;
  EXPECT_EQ(Diferencas(gl, sdl, 3, &onde), 0u) << onde;
}
