// Two-component single-precision vector for the game's positions, offsets and
// velocities. Angles are radians from +x towards +y (clockwise on screen).
#ifndef TROVASCO_VECTOR2D_H
#define TROVASCO_VECTOR2D_H

#include <ostream>

namespace math {

class Vector2D {
public:
  float x;
  float y;

  Vector2D();
  Vector2D(float _x, float _y);
  // Explicit so that a stray null pointer never turns into a vector.
  explicit Vector2D(float *xy);
  ~Vector2D() = default;

  static Vector2D newBySizeAngle(float size, float radians);

  Vector2D &set(float _x, float _y);
  Vector2D &set(const float *xy);
  Vector2D &set(const Vector2D &other);

  float sizeSqr() const;
  float size() const;
  float angle() const;
  float dot(const Vector2D &other) const;
  // angle() - v2.angle(), deliberately not wrapped into (-pi, pi].
  float relativeAngleBetween(Vector2D v2) const;

  Vector2D &rotate(float radians);
  // A vector of squared length exactly 0 has no direction and stays as is.
  Vector2D &normalize();
  Vector2D &resize(float size);

  Vector2D &operator+=(const Vector2D &other);
  Vector2D &operator-=(const Vector2D &other);
  Vector2D &operator*=(float c);
  Vector2D &operator/=(float c);

  Vector2D operator-() const;
  Vector2D operator+(const Vector2D &other) const;
  Vector2D operator-(const Vector2D &other) const;
  Vector2D operator*(float c) const;
  Vector2D operator/(float c) const;
  // Componentwise within FLOAT_DELTA, absolute and inclusive.
  bool operator==(const Vector2D &other) const;
  bool operator!=(const Vector2D &other) const;

  // 0 is x, 1 is y; any other index throws std::out_of_range.
  float operator[](long index) const;
  float &operator[](long index);
};

Vector2D operator*(float scalar, const Vector2D &vector);
// Writes "(x,y)" with the stream's current float formatting.
std::ostream &operator<<(std::ostream &output, const Vector2D &p);

} // namespace math

#endif
