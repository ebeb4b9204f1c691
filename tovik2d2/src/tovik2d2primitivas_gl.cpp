// Tovik2D 2 primitives on OpenGL: one untextured immediate-mode block per
// call, in the same pixel projection the sprites are drawn in.
#include "t2d2/tovik2d2primitivas.h"
#include "tovik2d2_interno.h"
#include "tovik2d2primitivas_interno.h"

#include <cmath>
#include <cstdio>

static const double PI = 3.141592653589793;

static const char MSG_PONTOS_NULOS[] =
    "Tentou desenhar %u pontos de uma lista nula.\n";

int T2D2PGL_Passo(int numerador, int tamanho, int limite) {
  // Sizes of 0 or less have no curve; the bound keeps the division defined.
  if (tamanho <= 0) return limite;
  int passo = numerador / tamanho;
  if (passo > limite) return limite;
  if (passo <= 2) return 3;
  return passo;
}

// Texturing goes through the back-end's cache so that the next sprite still
// knows the real state.
static void comecaBloco(GLenum modo, Uint8 r, Uint8 g, Uint8 b) {
  setaTexturizacao(false);
  glColor3ub(r, g, b);
  glBegin(modo);
}

// Curve vertices are whole pixels, but a centre near the int range plus the
// radius does not fit an int: the sum is taken wide, and OpenGL keeps every
// immediate-mode vertex in single precision anyway.
static void curva(GLenum modo, int xc, int yc, int R, int S, int passo, Uint8 r,
                  Uint8 g, Uint8 b) {
  comecaBloco(modo, r, g, b);
  for (int a = 0; a <= 359; a += passo) {
    double rad = a * PI / 180;
    long long x = (long long)xc + (long long)std::trunc(std::cos(rad) * R);
    long long y = (long long)yc - (long long)std::trunc(std::sin(rad) * S);
    glVertex2f(GLfloat(x), GLfloat(y));
  }
  glEnd();
}

// Pixel (x, y) covers [x, x + 1) x [y, y + 1) of the projection. A point on
// the pixel's corner lands on a tie between four pixels, which the rasteriser
// settles one up or one left; its centre is unambiguous.
static void centroDoPixel(int64_t x, int64_t y) {
  glVertex2f(GLfloat(double(x) + 0.5), GLfloat(double(y) + 0.5));
}

static int maior(int a, int b) {
  return a > b ? a : b;
}

static void T2D2PGL_Pontos(T2D2P_Ponto *pontos, unsigned int nPontos, Uint8 r,
                           Uint8 g, Uint8 b) {
  if (!pontos && nPontos > 0) {
    printf(MSG_PONTOS_NULOS, nPontos);
    return;
  }
  comecaBloco(GL_POINTS, r, g, b);
  for (unsigned int i = 0; i < nPontos; i++)
    centroDoPixel(pontos[i][0], pontos[i][1]);
  glEnd();
}

// The SDL back-end's pixels, each one a point. OpenGL's own line leaves out
// its last pixel and settles a tie between two pixels as the driver likes.
static void T2D2PGL_Linha(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                          Uint8 b) {
  comecaBloco(GL_POINTS, r, g, b);
  T2D2P_TracaLinha(x1, y1, x2, y2, screen->w, screen->h,
                   [](int64_t x, int64_t y) { centroDoPixel(x, y); });
  glEnd();
}

static void retangulo(GLenum modo, int x1, int y1, int x2, int y2, Uint8 r,
                      Uint8 g, Uint8 b) {
  comecaBloco(modo, r, g, b);
  glVertex2i(x1, y1);
  glVertex2i(x2, y1);
  glVertex2i(x2, y2);
  glVertex2i(x1, y2);
  glEnd();
}

static void T2D2PGL_Retangulo(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                              Uint8 b) {
  retangulo(GL_LINE_LOOP, x1, y1, x2, y2, r, g, b);
}

static void T2D2PGL_RetanguloPintado(int x1, int y1, int x2, int y2, Uint8 r,
                                     Uint8 g, Uint8 b) {
  retangulo(GL_QUADS, x1, y1, x2, y2, r, g, b);
}

static void T2D2PGL_Circulo(int xc, int yc, int raio, Uint8 r, Uint8 g,
                            Uint8 b) {
  if (raio <= 0) return;
  curva(GL_LINE_LOOP, xc, yc, raio, raio, T2D2PGL_Passo(500, raio, 30), r, g,
        b);
}

static void T2D2PGL_CirculoPintado(int xc, int yc, int raio, Uint8 r, Uint8 g,
                                   Uint8 b) {
  if (raio <= 0) return;
  curva(GL_TRIANGLE_FAN, xc, yc, raio, raio, T2D2PGL_Passo(250, raio, 90), r, g,
        b);
}

static void T2D2PGL_Elipse(int xc, int yc, int va, int vb, Uint8 r, Uint8 g,
                           Uint8 b) {
  if (va <= 0 || vb <= 0) return;
  curva(GL_LINE_LOOP, xc, yc, va, vb, T2D2PGL_Passo(250, maior(va, vb), 90), r,
        g, b);
}

static void T2D2PGL_ElipsePintada(int xc, int yc, int va, int vb, Uint8 r,
                                  Uint8 g, Uint8 b) {
  if (va <= 0 || vb <= 0) return;
  curva(GL_TRIANGLE_FAN, xc, yc, va, vb, T2D2PGL_Passo(250, maior(va, vb), 90),
        r, g, b);
}

bool T2D2PGL_Inicia() {
  T2D2P_Pontos = T2D2PGL_Pontos;
  T2D2P_Linha = T2D2PGL_Linha;
  T2D2P_Retangulo = T2D2PGL_Retangulo;
  T2D2P_RetanguloPintado = T2D2PGL_RetanguloPintado;
  T2D2P_Circulo = T2D2PGL_Circulo;
  T2D2P_CirculoPintado = T2D2PGL_CirculoPintado;
  T2D2P_Elipse = T2D2PGL_Elipse;
  T2D2P_ElipsePintada = T2D2PGL_ElipsePintada;
  glPointSize(1.0f);
  return true;
}
