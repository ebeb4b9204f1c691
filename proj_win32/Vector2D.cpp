// Vector arithmetic, kept in single precision: every result is stored as a
// float before the next operation uses it.
#include "Vector2D.h"
#include "MathUtil.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace math {

Vector2D::Vector2D() : x(0), y(0) {}

Vector2D::Vector2D(float _x, float _y) : x(_x), y(_y) {}

Vector2D::Vector2D(float *xy) : x(xy[0]), y(xy[1]) {}

Vector2D Vector2D::newBySizeAngle(float size, float radians) {
  return Vector2D(cosf(radians) * size, sinf(radians) * size);
}

Vector2D &Vector2D::set(float _x, float _y) {
  x = _x;
  y = _y;
  return *this;
}

Vector2D &Vector2D::set(const float *xy) {
  return set(xy[0], xy[1]);
}

Vector2D &Vector2D::set(const Vector2D &other) {
  if (&other != this) set(other.x, other.y);
  return *this;
}

float Vector2D::sizeSqr() const {
  return x * x + y * y;
}

float Vector2D::size() const {
  return sqrtf(sizeSqr());
}

float Vector2D::angle() const {
  return atan2f(y, x);
}

float Vector2D::dot(const Vector2D &other) const {
  return x * other.x + y * other.y;
}

float Vector2D::relativeAngleBetween(Vector2D v2) const {
  return angle() - v2.angle();
}

Vector2D &Vector2D::rotate(float radians) {
  const float s = sinf(radians), c = cosf(radians);
  const float nx = x * c - y * s;
  const float ny = x * s + y * c;
  return set(nx, ny);
}

Vector2D &Vector2D::normalize() {
  const float s = sizeSqr();
  if (s == 0) return *this;
  return *this /= sqrtf(s);
}

Vector2D &Vector2D::resize(float size) {
  normalize();
  return *this *= size;
}

Vector2D &Vector2D::operator+=(const Vector2D &other) {
  return set(x + other.x, y + other.y);
}

Vector2D &Vector2D::operator-=(const Vector2D &other) {
  return set(x - other.x, y - other.y);
}

Vector2D &Vector2D::operator*=(float c) {
  return set(x * c, y * c);
}

Vector2D &Vector2D::operator/=(float c) {
  return set(x / c, y / c);
}

Vector2D Vector2D::operator-() const {
  return Vector2D(-x, -y);
}

Vector2D Vector2D::operator+(const Vector2D &other) const {
  return Vector2D(x + other.x, y + other.y);
}

Vector2D Vector2D::operator-(const Vector2D &other) const {
  return Vector2D(x - other.x, y - other.y);
}

Vector2D Vector2D::operator*(float c) const {
  return Vector2D(x * c, y * c);
}

Vector2D Vector2D::operator/(float c) const {
  return Vector2D(x / c, y / c);
}

bool Vector2D::operator==(const Vector2D &other) const {
  return equals(x, other.x, FLOAT_DELTA) && equals(y, other.y, FLOAT_DELTA);
}

bool Vector2D::operator!=(const Vector2D &other) const {
  return !(*this == other);
}

static std::out_of_range foraDosLimites(long index) {
  std::ostringstream texto;
  texto << "Index out of bounds: " << index << " size: 2";
  return std::out_of_range(texto.str());
}

float Vector2D::operator[](long index) const {
  if (index == 0) return x;
  if (index == 1) return y;
  throw foraDosLimites(index);
}

float &Vector2D::operator[](long index) {
  if (index == 0) return x;
  if (index == 1) return y;
  throw foraDosLimites(index);
}

Vector2D operator*(float scalar, const Vector2D &vector) {
  return vector * scalar;
}

std::ostream &operator<<(std::ostream &output, const Vector2D &p) {
  return output << "(" << p.x << "," << p.y << ")";
}

} // namespace math
