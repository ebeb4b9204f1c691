// Tovik2D 2 primitives on the SDL back-end: integer scan-conversion written
// straight into the 32-bit screen surface, clipped to the surface's bounds.
#include "t2d2/tovik2d2primitivas.h"
#include "tovik2d2_interno.h"
#include "tovik2d2primitivas_interno.h"

#include <cmath>
#include <cstdint>
#include <utility>

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

static void T2D2PSDL_Linha(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                           Uint8 b) {
  Uint32 cor = mapeiaCor(r, g, b);
  SDL_LockSurface(screen);
  T2D2P_TracaLinha(x1, y1, x2, y2, screen->w, screen->h,
                   [cor](Coord x, Coord y) { T2D2PSDL_PontoSDL(x, y, cor); });
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

static void T2D2PSDL_RetanguloPintado(int x1, int y1, int x2, int y2, Uint8 r,
                                      Uint8 g, Uint8 b) {
  SDL_Rect ret = T2D2SDL_RetanguloNaSuperficie(menor(x1, x2), menor(y1, y2),
                                               distancia(x1, x2),
                                               distancia(y1, y2), screen);
  if (ret.w == 0 || ret.h == 0) return;
  SDL_FillRect(screen, &ret, mapeiaCor(r, g, b));
}

// ---------------------------------------------------------------------------
// Where a midpoint walk stands after any number of steps
// ---------------------------------------------------------------------------
// A circle or an ellipse of a huge size steps billions of times, nearly all
// of them off the surface. Each walk's position at a given step has a closed
// form, so the walks below start right where the surface begins and stop
// where it ends, and a filled shape draws each row once, with the widest span
// the step-by-step walk would have left there.

typedef unsigned __int128 Grande;

// The smallest s >= 0 with s * s >= v, for v up to 2^66.
static Grande raizPorCima(Grande v) {
  Grande s = Grande(std::sqrt(static_cast<long double>(v)));
  while (s * s < v) s++;
  while (s > 0 && (s - 1) * (s - 1) >= v) s--;
  return s;
}

static Grande divisaoPorCima(Grande a, Grande b) {
  return (a + b - 1) / b;
}

// The smallest k >= 0 with (2k + 1)^2 * fator >= alvo: a walk coordinate from
// the midpoint test that chose it.
static Coord menorImpar(Grande alvo, Grande fator) {
  if (alvo == 0) return 0;
  return Coord(raizPorCima(divisaoPorCima(alvo, fator)) / 2);
}

// The smallest k >= 0 with k^2 * fator >= alvo.
static Coord menorInteiro(Grande alvo, Grande fator) {
  if (alvo == 0) return 0;
  return Coord(raizPorCima(divisaoPorCima(alvo, fator)));
}

// Closed intervals of a walk coordinate; empty when fim < inicio.
struct Janela {
  Coord inicio, fim;
};

// The values of t for which centro + t or centro - t lies in [0, limite),
// cut to [0, maximo]: at most two windows, merged when they meet.
static int janelas(Coord centro, Coord limite, Coord maximo, Janela *j) {
  Janela a{-centro, limite - 1 - centro}, b{centro - limite + 1, centro};
  for (Janela *w : {&a, &b}) {
    if (w->inicio < 0) w->inicio = 0;
    if (w->fim > maximo) w->fim = maximo;
  }
  if (a.inicio > b.inicio) std::swap(a, b);
  int n = 0;
  if (a.fim >= a.inicio) j[n++] = a;
  if (b.fim >= b.inicio) {
    if (n && b.inicio <= j[0].fim + 1) {
      if (b.fim > j[0].fim) j[0].fim = b.fim;
    } else {
      j[n++] = b;
    }
  }
  return n;
}

// ---------------------------------------------------------------------------
// Circles: midpoint with second-order differences, one octant stepped
// ---------------------------------------------------------------------------

// The walk's y at step x: the smallest y with 4x^2 + (2y + 1)^2 >= 4r^2.
static Coord yDoCirculo(Coord r, Coord x) {
  Grande r2 = Grande(r) * Grande(r), x2 = Grande(x) * Grande(x);
  return x2 >= r2 ? 0 : menorImpar(4 * (r2 - x2), 1);
}

// The last step of the octant: the first x whose y is no longer above it.
static Coord fimDoOctante(Coord r) {
  Coord lo = 0, hi = r;
  while (lo < hi) {
    Coord m = lo + (hi - lo) / 2;
    if (yDoCirculo(r, m) <= m)
      hi = m;
    else
      lo = m + 1;
  }
  return lo;
}

// Calls passo(x, y) for the steps x0 .. x1 of the walk, with the state the
// step-by-step walk has there.
template <class Passo>
static void percorreCirculo(Coord raio, Coord x0, Coord x1, Passo passo) {
  Coord x = x0, y = yDoCirculo(raio, x0);
  Coord d = Coord(Produto(x + 1) * (x + 1) + Produto(y) * y - y -
                  Produto(raio) * raio);
  Coord da = 2 * x + 3, db = 2 * x - 2 * y + 5;
  passo(x, y);
  while (y > x && x < x1) {
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
  auto oito = [&](Coord x, Coord y) {
    T2D2PSDL_PontoSDL(cx + x, cy + y, cor);
    T2D2PSDL_PontoSDL(cx + y, cy + x, cor);
    T2D2PSDL_PontoSDL(cx + y, cy - x, cor);
    T2D2PSDL_PontoSDL(cx + x, cy - y, cor);
    T2D2PSDL_PontoSDL(cx - x, cy - y, cor);
    T2D2PSDL_PontoSDL(cx - y, cy - x, cor);
    T2D2PSDL_PontoSDL(cx - y, cy + x, cor);
    T2D2PSDL_PontoSDL(cx - x, cy + y, cor);
  };
  if (caixaVisivel(cx, cy, raio, raio)) {
    // Every one of the eight points has cx +- x as its column or cy +- x as
    // its row, so only steps that put one of those on the surface count.
    const Coord fim = fimDoOctante(raio);
    Janela j[4];
    int n = janelas(cx, screen->w, fim, j);
    n += janelas(cy, screen->h, fim, j + n);
    for (int i = 0; i < n; i++)
      percorreCirculo(raio, j[i].inicio, j[i].fim, oito);
  }
  SDL_UnlockSurface(screen);
}

// Half the widest span the walk draws on the rows cy +- k, or -1 for none:
// spans of half width x on the rows of its y, and of half width y on the rows
// of its x.
static Coord meiaLarguraDoCirculo(Coord raio, Coord fim, Coord k) {
  Coord m = -1;
  if (k <= fim) m = yDoCirculo(raio, k);
  // The steps whose y is k: from the first with y <= k to the last before
  // y < k, that is before 4x^2 >= 4r^2 - (2k - 1)^2.
  Grande r2 = 4 * Grande(raio) * Grande(raio);
  auto primeiroAbaixo = [&](Coord kk) -> Coord {
    Grande i = Grande(2 * kk - 1) * Grande(2 * kk - 1);
    return i >= r2 ? 0 : menorInteiro(r2 - i, 4);
  };
  Coord de = k + 1 > raio ? 0 : primeiroAbaixo(k + 1);
  Coord ate = k == 0 ? fim : primeiroAbaixo(k) - 1;
  if (ate > fim) ate = fim;
  if (de <= ate && ate > m) m = ate;
  return m;
}

static void T2D2PSDL_CirculoPintado(int xc, int yc, int raio, Uint8 r, Uint8 g,
                                    Uint8 b) {
  if (raio <= 0) return;
  SDL_LockSurface(screen);
  const Uint32 cor = mapeiaCor(r, g, b);
  const Coord cx = xc, cy = yc;
  if (caixaVisivel(cx, cy, raio, raio)) {
    const Coord fim = fimDoOctante(raio);
    Janela j[2];
    int n = janelas(cy, screen->h, raio, j);
    for (int i = 0; i < n; i++)
      for (Coord k = j[i].inicio; k <= j[i].fim; k++) {
        Coord m = meiaLarguraDoCirculo(raio, fim, k);
        if (m < 0) continue;
        T2D2PSDL_LinhaHorizontal(cx - m, cy + k, 2 * m, cor);
        if (k) T2D2PSDL_LinhaHorizontal(cx - m, cy - k, 2 * m, cor);
      }
  }
  SDL_UnlockSurface(screen);
}

// ---------------------------------------------------------------------------
// Ellipses: midpoint in two regions, decisions in double precision
// ---------------------------------------------------------------------------

// Near the end of region 1 and the start of region 2 the walk can lag one
// pixel behind the curve, which no closed form follows; those few steps are
// always walked one by one from a point where the closed form still holds.
enum { PASSOS_DE_FOLGA = 64 };

struct Elipse {
  Coord va, vb;
  Grande a2, b2;
  Coord xJ;   // region 1 follows its closed form up to this step
  Coord fim1; // the last step of region 1
  Coord y1;   // y at that step; region 2 runs y1 - 1 down to 0
  Coord yJ;   // region 2 follows its closed form from this row down
};

// Region 1, step x: the smallest y with 4b2 x^2 + a2 (2y + 1)^2 >= 4 a2 b2.
static Coord yDaRegiao1(const Elipse &e, Coord x) {
  Grande bx = 4 * e.b2 * Grande(x) * Grande(x), ab = 4 * e.a2 * e.b2;
  return bx >= ab ? 0 : menorImpar(ab - bx, e.a2);
}

// Region 2, row y: the smallest x with b2 (2x + 1)^2 + 4 a2 y^2 >= 4 a2 b2,
// never left of where region 1 ended.
static Coord xDaRegiao2(const Elipse &e, Coord y) {
  Grande ay = 4 * e.a2 * Grande(y) * Grande(y), ab = 4 * e.a2 * e.b2;
  Coord x = ay >= ab ? 0 : menorImpar(ab - ay, e.b2);
  return x > e.fim1 ? x : e.fim1;
}

// Region 1 goes on from step x while a2 (y - 1/2) > b2 (x + 1).
static bool continuaRegiao1(const Elipse &e, Coord x, Coord y) {
  return double(e.a2) * (double(y) - 0.5) > double(e.b2 * Grande(x + 1));
}

// Every integer term is exact in Produto and only then turned into a double,
// so ellipses whose terms fit 32 bits step exactly as with 32-bit arithmetic.
struct Regiao1 {
  Coord x, y;
  double d1;
};

// The walk's state at step x0 <= xJ.
static Regiao1 inicioDaRegiao1(const Elipse &e, Coord x0) {
  const Produto a2 = Produto(e.a2), b2 = Produto(e.b2);
  Coord y = yDaRegiao1(e, x0);
  // d1 = b2 (x + 1)^2 + a2 (y - 1/2)^2 - a2 b2, exact before the double.
  double d1 = x0 == 0 ? double(b2 - a2 * e.vb) + 0.25 * double(a2)
                      : double(b2 * Produto(x0 + 1) * (x0 + 1) +
                               a2 * Produto(y) * (y - 1) - a2 * b2) +
                            0.25 * double(a2);
  return Regiao1{x0, y, d1};
}

static void passoDaRegiao1(const Elipse &e, Regiao1 *r) {
  const Produto a2 = Produto(e.a2), b2 = Produto(e.b2);
  if (r->d1 < 0) {
    r->d1 = r->d1 + double(b2 * (2 * r->x + 3));
  } else {
    r->d1 = r->d1 + double(b2 * (2 * r->x + 3)) + double(a2 * (2 - 2 * r->y));
    r->y--;
  }
  r->x++;
}

struct Regiao2 {
  Coord x, y;
  double d2;
};

static Regiao2 inicioDaRegiao2(const Elipse &e, Coord x, Coord y) {
  const Produto a2 = Produto(e.a2), b2 = Produto(e.b2);
  double d2 = double(b2) * (double(x) + 0.5) * (double(x) + 0.5) +
              double(a2 * (Produto(y - 1) * (y - 1))) - double(a2 * b2);
  return Regiao2{x, y, d2};
}

static void passoDaRegiao2(const Elipse &e, Regiao2 *r) {
  const Produto a2 = Produto(e.a2), b2 = Produto(e.b2);
  if (r->d2 >= 0) {
    r->d2 = r->d2 + double(a2 * (3 - 2 * r->y));
  } else {
    r->d2 = r->d2 + double(2 * b2 * (r->x + 1)) + double(a2 * (3 - 2 * r->y));
    r->x++;
  }
  r->y--;
}

// Finds where region 1 ends and where region 2 joins its closed form again,
// walking only the steps in between.
static Elipse preparaElipse(Coord va, Coord vb) {
  Elipse e{va, vb, Grande(va) * Grande(va), Grande(vb) * Grande(vb), 0, 0,
           0,  0};
  Coord lo = 0, hi = va;
  while (lo < hi) {
    Coord m = lo + (hi - lo) / 2;
    if (continuaRegiao1(e, m, yDaRegiao1(e, m)))
      lo = m + 1;
    else
      hi = m;
  }
  e.xJ = lo > PASSOS_DE_FOLGA ? lo - PASSOS_DE_FOLGA : 0;
  Regiao1 r1 = inicioDaRegiao1(e, e.xJ);
  while (continuaRegiao1(e, r1.x, r1.y)) passoDaRegiao1(e, &r1);
  e.fim1 = r1.x;
  e.y1 = r1.y;
  Regiao2 r2 = inicioDaRegiao2(e, r1.x, r1.y);
  int passos = 0;
  while (r2.y > 0 &&
         (passos < PASSOS_DE_FOLGA ||
          (r2.x != xDaRegiao2(e, r2.y) && passos < 4 * PASSOS_DE_FOLGA))) {
    passoDaRegiao2(e, &r2);
    passos++;
  }
  // A walk that reaches the last row still behind the curve has no row
  // where the closed form holds.
  e.yJ = r2.x == xDaRegiao2(e, r2.y) ? r2.y : -1;
  return e;
}

// Region 1 from step x0 to x1 (x1 <= fim1).
template <class Passo>
static void percorreRegiao1(const Elipse &e, Coord x0, Coord x1, Passo passo) {
  Regiao1 r = inicioDaRegiao1(e, x0 < e.xJ ? x0 : e.xJ);
  if (r.x >= x0) passo(r.x, r.y);
  while (r.x < x1 && continuaRegiao1(e, r.x, r.y)) {
    passoDaRegiao1(e, &r);
    if (r.x >= x0) passo(r.x, r.y);
  }
}

// Region 2 from row y0 down to row y1 (y0 < e.y1).
template <class Passo>
static void percorreRegiao2(const Elipse &e, Coord y0, Coord y1, Passo passo) {
  Regiao2 r;
  if (y0 <= e.yJ) {
    r = inicioDaRegiao2(e, xDaRegiao2(e, y0), y0);
    passo(r.x, r.y);
  } else {
    r = inicioDaRegiao2(e, e.fim1, e.y1);
  }
  while (r.y > y1 && r.y > 0) {
    passoDaRegiao2(e, &r);
    if (r.y <= y0) passo(r.x, r.y);
  }
}

// The stepping ends at x == va at the latest; one pixel more is only margin.
static bool elipseVisivel(Coord xc, Coord yc, Coord va, Coord vb) {
  return caixaVisivel(xc, yc, va + 1, vb + 1);
}

// Region 1 is walked only where cx +- x is a column of the surface, region 2
// only where cy +- y is one of its rows: the other steps draw nothing.
template <class Passo>
static void percorreElipseVisivel(Coord cx, Coord cy, const Elipse &e,
                                  Passo passo) {
  Janela j[2];
  int n = janelas(cx, screen->w, e.fim1, j);
  for (int i = 0; i < n; i++) percorreRegiao1(e, j[i].inicio, j[i].fim, passo);
  n = janelas(cy, screen->h, e.y1 - 1, j);
  for (int i = 0; i < n; i++) percorreRegiao2(e, j[i].fim, j[i].inicio, passo);
}

static void T2D2PSDL_Elipse(int xc, int yc, int va, int vb, Uint8 r, Uint8 g,
                            Uint8 b) {
  if (va <= 0 || vb <= 0) return;
  const Uint32 cor = mapeiaCor(r, g, b);
  SDL_LockSurface(screen);
  const Coord cx = xc, cy = yc;
  if (elipseVisivel(cx, cy, va, vb))
    percorreElipseVisivel(cx, cy, preparaElipse(va, vb), [&](Coord x, Coord y) {
      T2D2PSDL_PontoSDL(cx + x, cy + y, cor);
      T2D2PSDL_PontoSDL(cx - x, cy + y, cor);
      T2D2PSDL_PontoSDL(cx - x, cy - y, cor);
      T2D2PSDL_PontoSDL(cx + x, cy - y, cor);
    });
  SDL_UnlockSurface(screen);
}

// Half the widest span on the rows cy +- k from the closed forms: the last
// step of region 1 with that y, or region 2's x on that row; -1 when no step
// lands there or when the row belongs to the steps walked one by one.
static Coord meiaLarguraDaElipse(const Elipse &e, Coord yDoJ, Coord k) {
  if (k <= e.yJ) return xDaRegiao2(e, k);
  if (k <= yDoJ || k > e.vb) return -1;
  // Region 1 has y < k from the first x with 4 b2 x^2 >= 4 a2 b2 -
  // a2 (2k - 1)^2.
  Grande ab = 4 * e.a2 * e.b2;
  auto primeiroAbaixo = [&](Coord kk) -> Coord {
    Grande i = e.a2 * Grande(2 * kk - 1) * Grande(2 * kk - 1);
    return i >= ab ? 0 : menorInteiro(ab - i, 4 * e.b2);
  };
  Coord de = k + 1 > e.vb ? 0 : primeiroAbaixo(k + 1);
  Coord ate = primeiroAbaixo(k) - 1;
  return de <= ate ? ate : -1;
}

static void T2D2PSDL_ElipsePintada(int xc, int yc, int va, int vb, Uint8 r,
                                   Uint8 g, Uint8 b) {
  if (va <= 0 || vb <= 0) return;
  const Uint32 cor = mapeiaCor(r, g, b);
  SDL_LockSurface(screen);
  const Coord cx = xc, cy = yc;
  auto spans = [&](Coord x, Coord y) {
    T2D2PSDL_LinhaHorizontal(cx - x, cy + y, 2 * x, cor);
    T2D2PSDL_LinhaHorizontal(cx - x, cy - y, 2 * x, cor);
  };
  if (elipseVisivel(cx, cy, va, vb)) {
    const Elipse e = preparaElipse(va, vb);
    // The rows between step xJ and row yJ come from the walk itself.
    percorreRegiao1(e, e.xJ, e.fim1, spans);
    if (e.y1 - 1 >= e.yJ + 1) percorreRegiao2(e, e.y1 - 1, e.yJ + 1, spans);
    const Coord yDoJ = yDaRegiao1(e, e.xJ);
    Janela j[2];
    int n = janelas(cy, screen->h, vb, j);
    for (int i = 0; i < n; i++)
      for (Coord k = j[i].inicio; k <= j[i].fim; k++) {
        Coord m = meiaLarguraDaElipse(e, yDoJ, k);
        if (m < 0) continue;
        T2D2PSDL_LinhaHorizontal(cx - m, cy + k, 2 * m, cor);
        if (k) T2D2PSDL_LinhaHorizontal(cx - m, cy - k, 2 * m, cor);
      }
  }
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
