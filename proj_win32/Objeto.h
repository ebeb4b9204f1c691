// The game's visible actors: a positioned, rotatable sprite with a collision
// shape, the cannon with its turning barrel and life bar, and the cannonball.
// Plain values without virtual functions; angles in degrees, counter-clockwise
// on the screen.
#ifndef TROVASCO_OBJETO_H
#define TROVASCO_OBJETO_H

#include "Vector2D.h"

namespace obj {

class Objeto {
protected:
  unsigned int spriteset;
  // Sprite set used as this object's shape when others ask colidiu(Objeto);
  // 0 when it has none.
  unsigned int boundingcircle;
  int largura;
  int altura;

public:
  // Corners of the rotated square around resultante: the frame's top-left,
  // top-right, bottom-right and bottom-left, in that order.
  int x[4];
  int y[4];
  double raio;
  double angulo;
  math::Vector2D origem;
  math::Vector2D resultante;
  math::Vector2D centro;

  Objeto(float x, float y, unsigned int spriteset, unsigned int boundingcircle);
  ~Objeto() = default;

  void desenha(int quadro);
  void desenha();
  // 1 when frame q1 of this object touches frame q2 of the other, else 0.
  int colidiu(int q1, Objeto objeto, int q2);
  int colidiu(Objeto objeto, int q2);
  // Against the other's collision shape, whose top-left lies 80 pixels left
  // of and above the other's position.
  int colidiu(Objeto objeto);
  // Moves by offset and refreshes centro and the corners; origem stays.
  void aplicaOffset(math::Vector2D offset);
  // Back to origem; corners and centro wait for the next aplicaOffset.
  void reset();
  // Turns towards the screen point (mx, my), seen from resultante.
  void CalculaRotacao(int mx, int my);
  // Recomputes the corners for graus without storing it in angulo.
  void CalculaRotacao(double graus);
};

class Canhao : public Objeto {
public:
  int vida;
  unsigned int base;

  Canhao(float x, float y, unsigned int spriteset, unsigned int base,
         unsigned int boundingcircle, int vida);
  ~Canhao() = default;

  void setAngulo(double graus);
  // The barrel turned into the corners, then the base, then the life bar.
  void desenha();
};

class Bala : public Objeto {
public:
  float massa;

  Bala(float x, float y, unsigned int spriteset, float massa);
  ~Bala() = default;

  void setSprite(unsigned int novo);
};

} // namespace obj

#endif
