/// \file
/// Tovik2D 2 primitives: points, lines, rectangles, circles and ellipses in a
/// flat opaque colour, on whichever back-end the library was started with.
///
/// How to use: after T2D2_Inicia, call T2D2P_Inicia once; then, inside a
/// frame,
/// \code
///   T2D2P_RetanguloPintado(10, 10, 110, 30, 0, 255, 0);
///   T2D2P_Circulo(400, 300, 50, 255, 255, 255);
/// \endcode
/// Rectangles take two opposite corners in either order. Coordinates are
/// screen pixels from the top-left corner; the colour is opaque; nothing is
/// returned, nothing is allocated and no state other than the pixels changes.
/// Curves are polygons through points at whole-degree steps; a radius or
/// semi-axis of 0 or less draws nothing. Every primitive takes its colour as
/// r, g, b.
#ifndef T2D2_TOVIK2D2PRIMITIVAS_H
#define T2D2_TOVIK2D2PRIMITIVAS_H

#include <SDL.h>

/// A point: x, y.
typedef Sint32 T2D2P_Ponto[2];

/// \name Primitives
/// The eight operations are null until T2D2P_Inicia has run.
///@{

/// nPontos points read from pontos, which the caller keeps; a null array draws
/// nothing (on OpenGL, with a line when nPontos is above 0).
/// \param pontos the points. \param nPontos how many.
/// \param r red. \param g green. \param b blue.
extern void (*T2D2P_Pontos)(T2D2P_Ponto *pontos, unsigned int nPontos, Uint8 r,
                            Uint8 g, Uint8 b);
/// A line from (x1, y1) to (x2, y2), both ends included.
/// \param x1 first end. \param y1 first end. \param x2 second end.
/// \param y2 second end. \param r red. \param g green. \param b blue.
extern void (*T2D2P_Linha)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                           Uint8 b);
/// The outline of the rectangle between two opposite corners.
/// \param x1 first corner. \param y1 first corner. \param x2 second corner.
/// \param y2 second corner. \param r red. \param g green. \param b blue.
extern void (*T2D2P_Retangulo)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                               Uint8 b);
/// The rectangle between two opposite corners, filled.
/// \param x1 first corner. \param y1 first corner. \param x2 second corner.
/// \param y2 second corner. \param r red. \param g green. \param b blue.
extern void (*T2D2P_RetanguloPintado)(int x1, int y1, int x2, int y2, Uint8 r,
                                      Uint8 g, Uint8 b);
/// The outline of the circle of radius raio around (xc, yc).
/// \param xc centre. \param yc centre. \param raio radius.
/// \param r red. \param g green. \param b blue.
extern void (*T2D2P_Circulo)(int xc, int yc, int raio, Uint8 r, Uint8 g,
                             Uint8 b);
/// The same circle, filled.
/// \param xc centre. \param yc centre. \param raio radius.
/// \param r red. \param g green. \param b blue.
extern void (*T2D2P_CirculoPintado)(int xc, int yc, int raio, Uint8 r, Uint8 g,
                                    Uint8 b);
/// The outline of the ellipse around (xc, yc) with horizontal semi-axis va and
/// vertical semi-axis vb.
/// \param xc centre. \param yc centre. \param va horizontal semi-axis.
/// \param vb vertical semi-axis. \param r red. \param g green.
/// \param b blue.
extern void (*T2D2P_Elipse)(int xc, int yc, int va, int vb, Uint8 r, Uint8 g,
                            Uint8 b);
/// The same ellipse, filled.
/// \param xc centre. \param yc centre. \param va horizontal semi-axis.
/// \param vb vertical semi-axis. \param r red. \param g green.
/// \param b blue.
extern void (*T2D2P_ElipsePintada)(int xc, int yc, int va, int vb, Uint8 r,
                                   Uint8 g, Uint8 b);

///@}

/// Installs the primitives of the back-end T2D2_Inicia started; call it once
/// after a successful start and before the first primitive.
/// \return false, with nothing installed, when no known back-end is running.
bool T2D2P_Inicia();
/// Installs the OpenGL back-end's primitives; T2D2P_Inicia picks between the
/// two. \return true.
bool T2D2PGL_Inicia();
/// Installs the SDL back-end's primitives; T2D2P_Inicia picks between the
/// two. \return true.
bool T2D2PSDL_Inicia();

#endif
