// Tovik2D 2 primitives on the SDL back-end: integer scan-conversion written
// straight into the 32-bit screen surface, clipped to the surface's bounds.
#include "t2d2/tovik2d2primitivas.h"
#include "tovik2d2_interno.h"

#include <cstdint>

// Inside, coordinates are 64-bit: a centre plus a radius, or twice a radius,
// can leave the int range.
typedef int64_t Coord;
// Wide enough for a2 * b2 of any two int semi-axes (up to 2^124).
typedef __int128 Produto;

// ---------------------------------------------------------------------------
// Pixel writers: the caller locks the surface and maps the colour
// ---------------------------------------------------------------------------

static Uint32 *linhaDaTela(Coord y) {
  return reinterpret_cast<Uint32 *>(static_cast<Uint8 *>(screen->pixels) +
                                    size_t(y) * size_t(screen->pitch));
}

static void T2D2PSDL_PontoSDL(Coord x, Coord y, Uint32 cor) {
  if (x < 0 || y < 0 || x >= screen->w || y >= screen->h) return;
  linhaDaTela(y)[x] = cor;
}

// Skipping the pixels off the surface one by one is the same as writing only
// the part of the span that lies on it.
static void T2D2PSDL_LinhaHorizontal(Coord x, Coord y, Coord larg, Uint32 cor) {
  if (y < 0 || y >= screen->h || larg <= 0) return;
  Coord inicio = x < 0 ? 0 : x;
  Coord fim = x + larg > screen->w ? screen->w : x + larg;
  Uint32 *linha = linhaDaTela(y);
  for (Coord i = inicio; i < fim; i++) linha[i] = cor;
}

static void T2D2PSDL_LinhaVertical(Coord x, Coord y, Coord alt, Uint32 cor) {
  if (x < 0 || x >= screen->w || alt <= 0) return;
  Coord inicio = y < 0 ? 0 : y;
  Coord fim = y + alt > screen->h ? screen->h : y + alt;
  for (Coord i = inicio; i < fim; i++) linhaDaTela(i)[x] = cor;
}

static Uint32 mapeiaCor(Uint8 r, Uint8 g, Uint8 b) {
  return SDL_MapRGB(screen->format, r, g, b);
}

// Whether any pixel within rx, ry of the centre can be on the surface. Far
// away shapes then cost nothing, however large.
static bool caixaVisivel(Coord xc, Coord yc, Coord rx, Coord ry) {
  return xc + rx >= 0 && xc - rx < screen->w && yc + ry >= 0 &&
         yc - ry < screen->h;
}

// ---------------------------------------------------------------------------
// Points, lines and rectangles
// ---------------------------------------------------------------------------

static void T2D2PSDL_Pontos(T2D2P_Ponto *pontos, unsigned int nPontos, Uint8 r,
                            Uint8 g, Uint8 b) {
  SDL_LockSurface(screen);
  Uint32 cor = mapeiaCor(r, g, b);
  for (unsigned int i = 0; pontos && i < nPontos; i++)
    T2D2PSDL_PontoSDL(pontos[i][0], pontos[i][1], cor);
  SDL_UnlockSurface(screen);
}

// Moves a Bresenham walk k steps on at once. After k steps the minor
// coordinate has moved m = (2·dMenor·k + dMaior - 1) / (2·dMaior) times and the
// decision value is 2·dMenor·(k + 1) - dMaior - 2·m·dMaior: exactly where the
// step-by-step walk would be.
static void saltaPassos(Coord k, Coord dMaior, Coord dMenor, Coord soma,
                        Coord *q, Coord *d) {
  const Produto m =
      (2 * Produto(dMenor) * k + dMaior - 1) / (2 * Produto(dMaior));
  *q += soma * Coord(m);
  *d = Coord(2 * Produto(dMenor) * (k + 1) - dMaior - 2 * m * dMaior);
}

// Bresenham along the major axis from (p, q) up to p == fim; the minor
// coordinate moves by soma. trocado writes (q, p) for mostly vertical lines.
// Only the steps whose major coordinate lies in [0, limite) are walked, so a
// line from far away costs no more than one across the surface.
static void bresenham(Coord p, Coord q, Coord fim, Coord dMaior, Coord dMenor,
                      Coord soma, bool trocado, Coord limite, Uint32 cor) {
  Coord d = 2 * dMenor - dMaior;
  const Coord incra = 2 * (dMenor - dMaior), incrb = 2 * dMenor;
  if (fim > limite - 1) fim = limite - 1;
  if (p < 0 && fim >= 0) {
    saltaPassos(-p, dMaior, dMenor, soma, &q, &d);
    p = 0;
  }
  if (p > fim) return;
  auto escreve = [&] {
    if (trocado)
      T2D2PSDL_PontoSDL(q, p, cor);
    else
      T2D2PSDL_PontoSDL(p, q, cor);
  };
  escreve();
  while (p < fim) {
    p++;
    if (d <= 0) {
      d += incrb;
    } else {
      q += soma;
      d += incra;
    }
    escreve();
  }
}

// A segment lies between its end points on both axes, so when both ends are
// beyond the same edge no pixel of it can show.
static bool segmentoVisivel(Coord x1, Coord y1, Coord x2, Coord y2) {
  if (x1 < 0 && x2 < 0) return false;
  if (y1 < 0 && y2 < 0) return false;
  if (x1 >= screen->w && x2 >= screen->w) return false;
  if (y1 >= screen->h && y2 >= screen->h) return false;
  return true;
}

static void tracaLinha(Coord x1, Coord y1, Coord x2, Coord y2, Uint32 cor) {
  const Coord dx = x2 > x1 ? x2 - x1 : x1 - x2;
  const Coord dy = y2 > y1 ? y2 - y1 : y1 - y2;
  if (dx >= dy) {
    if (x1 < x2)
      bresenham(x1, y1, x2, dx, dy, y1 > y2 ? -1 : 1, false, screen->w, cor);
    else
      bresenham(x2, y2, x1, dx, dy, y1 > y2 ? 1 : -1, false, screen->w, cor);
  } else {
    if (y1 < y2)
      bresenham(y1, x1, y2, dy, dx, x1 > x2 ? -1 : 1, true, screen->h, cor);
    else
      bresenham(y2, x2, y1, dy, dx, x1 > x2 ? 1 : -1, true, screen->h, cor);
  }
}

static void T2D2PSDL_Linha(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                           Uint8 b) {
  Uint32 cor = mapeiaCor(r, g, b);
  SDL_LockSurface(screen);
  if (segmentoVisivel(x1, y1, x2, y2)) tracaLinha(x1, y1, x2, y2, cor);
  SDL_UnlockSurface(screen);
}

static Coord menor(Coord a, Coord b) {
  return a < b ? a : b;
}
static Coord distancia(Coord a, Coord b) {
  return a < b ? b - a : a - b;
}

static void T2D2PSDL_Retangulo(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                               Uint8 b) {
  Uint32 cor = mapeiaCor(r, g, b);
  SDL_LockSurface(screen);
  Coord w = distancia(x1, x2), h = distancia(y1, y2);
  T2D2PSDL_LinhaHorizontal(menor(x1, x2), y1, w, cor);
  T2D2PSDL_LinhaHorizontal(menor(x1, x2), y2, w, cor);
  T2D2PSDL_LinhaVertical(x1, menor(y1, y2), h, cor);
  T2D2PSDL_LinhaVertical(x2, menor(y1, y2), h, cor);
  SDL_UnlockSurface(screen);
}

// [inicio, inicio + tam) cut to [0, limite): the platform rectangle has
// 16-bit fields, which would wrap a far-away rectangle onto the surface.
static void cortaIntervalo(Coord inicio, Coord tam, int limite, Sint16 *pos,
                           Uint16 *tamanho) {
  Coord a = inicio < 0 ? 0 : inicio;
  Coord b = inicio + tam > limite ? limite : inicio + tam;
  *pos = Sint16(b > a ? a : 0);
  *tamanho = Uint16(b > a ? b - a : 0);
}

static void T2D2PSDL_RetanguloPintado(int x1, int y1, int x2, int y2, Uint8 r,
                                      Uint8 g, Uint8 b) {
  SDL_Rect ret;
  cortaIntervalo(menor(x1, x2), distancia(x1, x2), screen->w, &ret.x, &ret.w);
  cortaIntervalo(menor(y1, y2), distancia(y1, y2), screen->h, &ret.y, &ret.h);
  if (ret.w == 0 || ret.h == 0) return;
  SDL_FillRect(screen, &ret, mapeiaCor(r, g, b));
}

// ---------------------------------------------------------------------------
// Circles: midpoint with second-order differences, one octant stepped
// ---------------------------------------------------------------------------

// Calls passo(x, y) for the start and after every step.
template <class Passo> static void percorreCirculo(Coord raio, Passo passo) {
  Coord x = 0, y = raio, d = 1 - raio, da = 3, db = 5 - 2 * raio;
  passo(x, y);
  while (y > x) {
    if (d < 0) {
      d += da;
      da += 2;
      db += 2;
    } else {
      d += db;
      da += 2;
      db += 4;
      y--;
    }
    x++;
    passo(x, y);
  }
}

static void T2D2PSDL_Circulo(int xc, int yc, int raio, Uint8 r, Uint8 g,
                             Uint8 b) {
  if (raio <= 0) return;
  SDL_LockSurface(screen);
  const Uint32 cor = mapeiaCor(r, g, b);
  const Coord cx = xc, cy = yc;
  if (caixaVisivel(cx, cy, raio, raio))
    percorreCirculo(raio, [&](Coord x, Coord y) {
      T2D2PSDL_PontoSDL(cx + x, cy + y, cor);
      T2D2PSDL_PontoSDL(cx + y, cy + x, cor);
      T2D2PSDL_PontoSDL(cx + y, cy - x, cor);
      T2D2PSDL_PontoSDL(cx + x, cy - y, cor);
      T2D2PSDL_PontoSDL(cx - x, cy - y, cor);
      T2D2PSDL_PontoSDL(cx - y, cy - x, cor);
      T2D2PSDL_PontoSDL(cx - y, cy + x, cor);
      T2D2PSDL_PontoSDL(cx - x, cy + y, cor);
    });
  SDL_UnlockSurface(screen);
}

static void T2D2PSDL_CirculoPintado(int xc, int yc, int raio, Uint8 r, Uint8 g,
                                    Uint8 b) {
  if (raio <= 0) return;
  SDL_LockSurface(screen);
  const Uint32 cor = mapeiaCor(r, g, b);
  const Coord cx = xc, cy = yc;
  if (caixaVisivel(cx, cy, raio, raio))
    percorreCirculo(raio, [&](Coord x, Coord y) {
      T2D2PSDL_LinhaHorizontal(cx - x, cy + y, 2 * x, cor);
      T2D2PSDL_LinhaHorizontal(cx - y, cy + x, 2 * y, cor);
      T2D2PSDL_LinhaHorizontal(cx - y, cy - x, 2 * y, cor);
      T2D2PSDL_LinhaHorizontal(cx - x, cy - y, 2 * x, cor);
    });
  SDL_UnlockSurface(screen);
}

// ---------------------------------------------------------------------------
// Ellipses: midpoint in two regions, decisions in double precision
// ---------------------------------------------------------------------------

// Every integer term is exact in Produto and only then turned into a double,
// so ellipses whose terms fit 32 bits step exactly as with 32-bit arithmetic.
template <class Passo>
static void percorreElipse(Coord va, Coord vb, Passo passo) {
  const Produto a2 = Produto(va) * va, b2 = Produto(vb) * vb;
  Coord x = 0, y = vb;
  double d1 = double(b2 - a2 * vb) + 0.25 * double(a2);
  passo(x, y);
  while (double(a2) * (double(y) - 0.5) > double(b2 * (x + 1))) {
    if (d1 < 0) {
      d1 = d1 + double(b2 * (2 * x + 3));
    } else {
      d1 = d1 + double(b2 * (2 * x + 3)) + double(a2 * (2 - 2 * y));
      y--;
    }
    x++;
    passo(x, y);
  }
  double d2 = double(b2) * (double(x) + 0.5) * (double(x) + 0.5) +
              double(a2 * (Produto(y - 1) * (y - 1))) - double(a2 * b2);
  while (y > 0) {
    if (d2 >= 0) {
      d2 = d2 + double(a2 * (3 - 2 * y));
    } else {
      d2 = d2 + double(2 * b2 * (x + 1)) + double(a2 * (3 - 2 * y));
      x++;
    }
    y--;
    passo(x, y);
  }
}

// The stepping ends at x == va at the latest; one pixel more is only margin.
static bool elipseVisivel(Coord xc, Coord yc, Coord va, Coord vb) {
  return caixaVisivel(xc, yc, va + 1, vb + 1);
}

static void T2D2PSDL_Elipse(int xc, int yc, int va, int vb, Uint8 r, Uint8 g,
                            Uint8 b) {
  if (va <= 0 || vb <= 0) return;
  const Uint32 cor = mapeiaCor(r, g, b);
  SDL_LockSurface(screen);
  const Coord cx = xc, cy = yc;
  if (elipseVisivel(cx, cy, va, vb))
    percorreElipse(va, vb, [&](Coord x, Coord y) {
      T2D2PSDL_PontoSDL(cx + x, cy + y, cor);
      T2D2PSDL_PontoSDL(cx - x, cy + y, cor);
      T2D2PSDL_PontoSDL(cx - x, cy - y, cor);
      T2D2PSDL_PontoSDL(cx + x, cy - y, cor);
    });
  SDL_UnlockSurface(screen);
}

static void T2D2PSDL_ElipsePintada(int xc, int yc, int va, int vb, Uint8 r,
                                   Uint8 g, Uint8 b) {
  if (va <= 0 || vb <= 0) return;
  const Uint32 cor = mapeiaCor(r, g, b);
  SDL_LockSurface(screen);
  const Coord cx = xc, cy = yc;
  if (elipseVisivel(cx, cy, va, vb))
    percorreElipse(va, vb, [&](Coord x, Coord y) {
      T2D2PSDL_LinhaHorizontal(cx - x, cy + y, 2 * x, cor);
      T2D2PSDL_LinhaHorizontal(cx - x, cy - y, 2 * x, cor);
    });
  SDL_UnlockSurface(screen);
}

bool T2D2PSDL_Inicia() {
  T2D2P_Pontos = T2D2PSDL_Pontos;
  T2D2P_Linha = T2D2PSDL_Linha;
  T2D2P_Retangulo = T2D2PSDL_Retangulo;
  T2D2P_RetanguloPintado = T2D2PSDL_RetanguloPintado;
  T2D2P_Circulo = T2D2PSDL_Circulo;
  T2D2P_CirculoPintado = T2D2PSDL_CirculoPintado;
  T2D2P_Elipse = T2D2PSDL_Elipse;
  T2D2P_ElipsePintada = T2D2PSDL_ElipsePintada;
  return true;
}
