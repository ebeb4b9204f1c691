/// \file
/// Tovik2D 2 primitives: points, lines, rectangles, circles and ellipses in a
/// flat opaque colour, on whichever back-end the library was started with.
///
/// How to use: after T2D2_Inicia, call T2D2P_Inicia once; then, inside a
/// frame,
///
///     T2D2P_RetanguloPintado(10, 10, 110, 30, 0, 255, 0);
///     T2D2P_Circulo(400, 300, 50, 255, 255, 255);
///
/// Rectangles take two opposite corners in either order. Coordinates are
/// screen pixels from the top-left corner; the colour is opaque; nothing is
/// returned, nothing is allocated and no state other than the pixels changes.
/// Curves are polygons through points at whole-degree steps on OpenGL and
/// midpoint scan-conversions on the SDL back-end; a radius or semi-axis of 0
/// or less draws nothing.
///
/// Pixel (x, y) is the square from (x, y) to (x + 1, y + 1). Points, lines
/// and filled rectangles light the same pixels on both back-ends; outlined
/// rectangles and curves differ, exactly as each declaration says
/// (docs/primitivas.md shows them side by side).
#ifndef T2D2_TOVIK2D2PRIMITIVAS_H
#define T2D2_TOVIK2D2PRIMITIVAS_H

#include <SDL.h>

/// One point: x, y.
typedef Sint32 T2D2P_Ponto[2];

// The eight operations are null until T2D2P_Inicia has run.

/// Lights the pixel of each of nPontos points read from pontos.
///
/// Each point (x, y) lights exactly pixel (x, y) on both back-ends; points
/// off the screen are skipped.
/// \param pontos the points, which the caller keeps; a null array draws
///        nothing (on OpenGL, with a line when nPontos is above 0).
/// \param nPontos how many points to read.
/// \param r, g, b the colour.
/// Null until T2D2P_Inicia has run.
/// \sa T2D2P_Linha
extern void (*T2D2P_Pontos)(T2D2P_Ponto *pontos, unsigned int nPontos, Uint8 r,
                            Uint8 g, Uint8 b);
/// A line from (x1, y1) to (x2, y2), both ends included.
///
/// It lights one pixel per step along its longer axis, max(|x2 - x1|,
/// |y2 - y1|) + 1 pixels, the ones Bresenham's walk picks, the same on both
/// back-ends whichever end comes first. Where the ideal line passes exactly
/// halfway between two pixels, the one on the side of the end with the
/// smaller coordinate along the longer axis is lit.
/// \param x1, y1 the first end.
/// \param x2, y2 the second end.
/// \param r, g, b the colour.
/// Null until T2D2P_Inicia has run.
/// \sa T2D2P_Pontos
extern void (*T2D2P_Linha)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                           Uint8 b);
/// The outline of the rectangle between two opposite corners.
///
/// Its pixels differ between the back-ends; with xa < xb and ya < yb the
/// smaller and larger of each pair:
/// - SDL back-end: rows y1 and y2 from xa to xb - 1, and columns x1 and x2
///   from ya to yb - 1, so the corner (xb, yb) stays dark;
/// - OpenGL: a closed line along the pixel borders through the four corners;
///   which of the two rows or columns beside each border lights is the
///   driver's choice (Mesa: rows ya and yb, columns xa - 1 and xb - 1).
/// \param x1, y1 one corner.
/// \param x2, y2 the opposite corner.
/// \param r, g, b the colour.
/// Null until T2D2P_Inicia has run.
/// \sa T2D2P_RetanguloPintado
extern void (*T2D2P_Retangulo)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                               Uint8 b);
/// The rectangle between two opposite corners, filled.
///
/// It covers the pixels from the smaller corner up to, not including, the
/// larger one: x from min(x1, x2) to max(x1, x2) - 1 and y from min(y1, y2) to
/// max(y1, y2) - 1, the same on both back-ends. Equal x or equal y draws
/// nothing. It is the one primitive the SDL back-end also limits to the
/// drawing area.
/// \param x1, y1 one corner.
/// \param x2, y2 the opposite corner.
/// \param r, g, b the colour.
/// Null until T2D2P_Inicia has run.
/// \sa T2D2P_Retangulo, T2D2_LimitaAreaDesenho
extern void (*T2D2P_RetanguloPintado)(int x1, int y1, int x2, int y2, Uint8 r,
                                      Uint8 g, Uint8 b);
/// The outline of the circle of radius raio around (xc, yc).
///
/// - SDL back-end: the midpoint circle, columns and rows xc - raio to
///   xc + raio (radius 5: 28 pixels);
/// - OpenGL: a closed line through the points (xc + trunc(raio cos a),
///   yc - trunc(raio sin a)) for a = 0, s, 2s, ... up to 359 degrees, with
///   step s = 500 / raio capped at 30 and never below 3.
/// \param xc, yc the centre.
/// \param raio the radius; 0 or less draws nothing.
/// \param r, g, b the colour.
/// Null until T2D2P_Inicia has run.
/// \sa T2D2P_CirculoPintado, T2D2P_Elipse
extern void (*T2D2P_Circulo)(int xc, int yc, int raio, Uint8 r, Uint8 g,
                             Uint8 b);
/// The same circle, filled.
///
/// - SDL back-end: on each row yc - k and yc + k (k from 0 to raio) the pixels
///   from xc - m to xc + m - 1, m being the farthest the midpoint outline
///   reaches on that row (radius 5: 86 pixels);
/// - OpenGL: the polygon of the outline's points at a step of 250 / raio
///   degrees capped at 90 and never below 3; a pixel lights when its centre
///   lies inside it, so no pixel whose centre lies outside the true circle
///   lights (radius 5, a step of 50 degrees: 52 pixels).
/// \param xc, yc the centre.
/// \param raio the radius; 0 or less draws nothing.
/// \param r, g, b the colour.
/// Null until T2D2P_Inicia has run.
/// \sa T2D2P_Circulo, T2D2P_ElipsePintada
extern void (*T2D2P_CirculoPintado)(int xc, int yc, int raio, Uint8 r, Uint8 g,
                                    Uint8 b);
/// The outline of the ellipse around (xc, yc) with horizontal semi-axis va
/// and vertical semi-axis vb.
///
/// - SDL back-end: the two-region midpoint ellipse, columns xc - va to
///   xc + va and rows yc - vb to yc + vb;
/// - OpenGL: a closed line through (xc + trunc(va cos a), yc - trunc(vb sin
///   a)) at a step of 250 / max(va, vb) degrees capped at 90 and never below
///   3.
/// \param xc, yc the centre.
/// \param va the horizontal semi-axis; 0 or less draws nothing.
/// \param vb the vertical semi-axis; 0 or less draws nothing.
/// \param r, g, b the colour.
/// Null until T2D2P_Inicia has run.
/// \sa T2D2P_ElipsePintada, T2D2P_Circulo
extern void (*T2D2P_Elipse)(int xc, int yc, int va, int vb, Uint8 r, Uint8 g,
                            Uint8 b);
/// The same ellipse, filled.
///
/// - SDL back-end: on each row yc - k and yc + k the pixels from xc - m to
///   xc + m - 1, m being the farthest the midpoint outline reaches there;
/// - OpenGL: the polygon of the outline's points; a pixel lights when its
///   centre lies inside it.
/// \param xc, yc the centre.
/// \param va the horizontal semi-axis; 0 or less draws nothing.
/// \param vb the vertical semi-axis; 0 or less draws nothing.
/// \param r, g, b the colour.
/// Null until T2D2P_Inicia has run.
/// \sa T2D2P_Elipse, T2D2P_CirculoPintado
extern void (*T2D2P_ElipsePintada)(int xc, int yc, int va, int vb, Uint8 r,
                                   Uint8 g, Uint8 b);

/// Installs the primitives of the back-end T2D2_Inicia started.
///
/// Call it once after a successful start and before the first primitive:
/// until then the eight operations are null, and calling one is calling a
/// null pointer.
/// \return true when installed; false, with nothing installed, when no known
///         back-end is running.
/// \sa T2D2_Inicia, T2D2PGL_Inicia, T2D2PSDL_Inicia
bool T2D2P_Inicia();
/// Installs the OpenGL back-end's primitives; T2D2P_Inicia picks it.
/// \return true.
/// \sa T2D2P_Inicia
bool T2D2PGL_Inicia();
/// Installs the SDL back-end's primitives; T2D2P_Inicia picks it.
/// \return true.
/// \sa T2D2P_Inicia
bool T2D2PSDL_Inicia();

#endif
