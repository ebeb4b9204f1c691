// Tovik2D 2 primitives: the eight drawing pointers and the start that fills
// them with the implementation of the back-end the library runs on.
#include "t2d2/tovik2d2primitivas.h"
#include "tovik2d2_interno.h"

void (*T2D2P_Pontos)(T2D2P_Ponto *pontos, unsigned int nPontos, Uint8 r,
                     Uint8 g, Uint8 b) = nullptr;
void (*T2D2P_Linha)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                    Uint8 b) = nullptr;
void (*T2D2P_Retangulo)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                        Uint8 b) = nullptr;
void (*T2D2P_RetanguloPintado)(int x1, int y1, int x2, int y2, Uint8 r, Uint8 g,
                               Uint8 b) = nullptr;
void (*T2D2P_Circulo)(int xc, int yc, int raio, Uint8 r, Uint8 g,
                      Uint8 b) = nullptr;
void (*T2D2P_CirculoPintado)(int xc, int yc, int raio, Uint8 r, Uint8 g,
                             Uint8 b) = nullptr;
void (*T2D2P_Elipse)(int xc, int yc, int va, int vb, Uint8 r, Uint8 g,
                     Uint8 b) = nullptr;
void (*T2D2P_ElipsePintada)(int xc, int yc, int va, int vb, Uint8 r, Uint8 g,
                            Uint8 b) = nullptr;

bool T2D2P_Inicia() {
  if (render == T2D2_DESENHO_OPENGL) return T2D2PGL_Inicia();
  if (render == T2D2_DESENHO_PADRAO) return T2D2PSDL_Inicia();
  return false;
}
