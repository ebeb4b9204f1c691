// Tovik2D 2 primitives: points, lines, rectangles, circles and ellipses in a
// flat opaque colour, on whichever back-end the library was started with.
//
// How to use: after T2D2_Inicia, call T2D2P_Inicia once; then, inside a frame,
//   T2D2P_RetanguloPintado(10, 10, 110, 30, 0, 255, 0);
//   T2D2P_Circulo(400, 300, 50, 255, 255, 255);
// Rectangles take two opposite corners in either order. Coordinates are screen
// pixels from the top-left corner; the colour is opaque; nothing is returned,
// nothing is allocated and no state other than the pixels changes. Curves are
// polygons through points at whole-degree steps; a radius or semi-axis of 0 or
// less draws nothing.
#ifndef T2D2_TOVIK2D2PRIMITIVAS_H
#define T2D2_TOVIK2D2PRIMITIVAS_H

#include <SDL.h>

typedef Sint32 T2D2P_Ponto[2]; // x, y

// The eight operations are null until T2D2P_Inicia has run.

// nPontos points read from pontos, which the caller keeps; a null array draws
// nothing (on OpenGL, with a line when nPontos is above 0).
extern void (*T2D2P_Pontos)(T2D2P_Ponto *pontos, unsigned int nPontos, Uint8 r,
                            Uint8 g, Uint8 b);
// A line from (x1, y1) to (x2, y2), both ends included.
extern void (*T2D2P_Linha)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                           Uint8 b);
// The outline of the rectangle between two opposite corners.
extern void (*T2D2P_Retangulo)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                               Uint8 b);
// The rectangle between two opposite corners, filled.
extern void (*T2D2P_RetanguloPintado)(int x1, int y1, int x2, int y2, Uint8 r,
                                      Uint8 g, Uint8 b);
// The outline of the circle of radius raio around (xc, yc).
extern void (*T2D2P_Circulo)(int xc, int yc, int raio, Uint8 r, Uint8 g,
                             Uint8 b);
// The same circle, filled.
extern void (*T2D2P_CirculoPintado)(int xc, int yc, int raio, Uint8 r, Uint8 g,
                                    Uint8 b);
// The outline of the ellipse around (xc, yc) with horizontal semi-axis va and
// vertical semi-axis vb.
extern void (*T2D2P_Elipse)(int xc, int yc, int va, int vb, Uint8 r, Uint8 g,
                            Uint8 b);
// The same ellipse, filled.
extern void (*T2D2P_ElipsePintada)(int xc, int yc, int va, int vb, Uint8 r,
                                   Uint8 g, Uint8 b);

// Installs the primitives of the back-end T2D2_Inicia started; call it once
// after a successful start and before the first primitive. False, with
// nothing installed, when no known back-end is running.
bool T2D2P_Inicia();
// Install one back-end's primitives; T2D2P_Inicia picks between them. Each
// answers true.
bool T2D2PGL_Inicia();
bool T2D2PSDL_Inicia();

#endif
