// Placement, rotation, drawing and collision of the game's objects through
// the library's drawing calls and collision queries.
#include "Objeto.h"
#include "MathUtil.h"

#include "t2d2/tovik2d2.h"
#include "t2d2/tovik2d2primitivas.h"

#include <cmath>

using math::truncateToInt;
using math::Vector2D;

namespace obj {

// Shape sprites are placed by their top-left, half a box away from the owner.
static const float DESLOCAMENTO_FORMA = 80;

Objeto::Objeto(float x0, float y0, unsigned int spriteset,
               unsigned int boundingcircle)
    : spriteset(spriteset), boundingcircle(boundingcircle), largura(160),
      altura(160),
      raio(std::floor(std::sqrt(double(largura * largura + altura * altura)) /
                      2.0)),
      angulo(0), origem(x0, y0), resultante(x0, y0) {
  CalculaRotacao(angulo);
}

void Objeto::desenha(int quadro) {
  if (!T2D2_DesenhaSprite) return;
  T2D2_DesenhaSprite(spriteset, quadro, truncateToInt(resultante.x),
                     truncateToInt(resultante.y));
}

void Objeto::desenha() {
  desenha(0);
}

int Objeto::colidiu(int q1, Objeto objeto, int q2) {
  return T2D2_ColidiuSprites(spriteset, q1, truncateToInt(resultante.x),
                             truncateToInt(resultante.y), objeto.spriteset, q2,
                             truncateToInt(objeto.resultante.x),
                             truncateToInt(objeto.resultante.y))
             ? 1
             : 0;
}

int Objeto::colidiu(Objeto objeto, int q2) {
  return colidiu(0, objeto, q2);
}

int Objeto::colidiu(Objeto objeto) {
  const float fx = objeto.resultante.x - DESLOCAMENTO_FORMA;
  const float fy = objeto.resultante.y - DESLOCAMENTO_FORMA;
  return T2D2_ColidiuSprites(spriteset, 0, truncateToInt(resultante.x),
                             truncateToInt(resultante.y), objeto.boundingcircle,
                             0, truncateToInt(fx), truncateToInt(fy))
             ? 1
             : 0;
}

void Objeto::aplicaOffset(Vector2D offset) {
  resultante += offset;
  centro = Vector2D(resultante.x + largura / 2, resultante.y + altura / 2);
  CalculaRotacao(angulo);
}

void Objeto::reset() {
  resultante = origem;
}

void Objeto::CalculaRotacao(int mx, int my) {
  const Vector2D ponto{float(mx), float(my)};
  const float dy = resultante.y - ponto.y;
  const float dx = ponto.x - resultante.x;
  angulo = std::atan2(double(dy), double(dx)) / (math::PI / 180);
  CalculaRotacao(angulo);
}

void Objeto::CalculaRotacao(double graus) {
  // Angles of the frame's top-left, top-right, bottom-right and bottom-left
  // as seen from the centre of the upright square.
  static const double BASE[4] = {135, 45, 315, 225};
  for (int i = 0; i < 4; i++) {
    const double t = (graus + BASE[i]) * math::PI / 180;
    x[i] = truncateToInt(resultante.x + std::cos(t) * raio);
    y[i] = truncateToInt(resultante.y - std::sin(t) * raio);
  }
}

Canhao::Canhao(float x0, float y0, unsigned int spriteset, unsigned int base,
               unsigned int boundingcircle, int vida)
    : Objeto(x0, y0, spriteset, boundingcircle), vida(vida), base(base) {}

void Canhao::setAngulo(double graus) {
  angulo = graus;
  CalculaRotacao(angulo);
}

void Canhao::desenha() {
  const float rx = resultante.x, ry = resultante.y;
  if (T2D2_DesenhaSpriteEfeito)
    T2D2_DesenhaSpriteEfeito(spriteset, 0, x, y, 255, 255, 255, 255);
  if (T2D2_DesenhaSprite)
    T2D2_DesenhaSprite(base, 0, truncateToInt(rx - 28), truncateToInt(ry - 18));
  if (!T2D2P_RetanguloPintado) return;
  const int topo = truncateToInt(ry - 68), fundo = truncateToInt(ry - 58);
  const int inicio = truncateToInt(rx - 30);
  const int divisa = truncateToInt(rx + vida - 30);
  T2D2P_RetanguloPintado(inicio, topo, divisa, fundo, 0, 255, 0);
  T2D2P_RetanguloPintado(divisa, topo, truncateToInt(rx + 70), fundo, 255, 0,
                         0);
}

Bala::Bala(float x0, float y0, unsigned int spriteset, float massa)
    : Objeto(x0, y0, spriteset, 0), massa(massa) {}

void Bala::setSprite(unsigned int novo) {
  spriteset = novo;
}

} // namespace obj
