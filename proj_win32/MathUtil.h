// Shared numeric constants of the game, the tolerant float comparison, value
// clamping and the one safe conversion of a coordinate to whole pixels.
#ifndef TROVASCO_MATHUTIL_H
#define TROVASCO_MATHUTIL_H

#include <cmath>

namespace math {

const double PI = 3.141592653589793;
// Degrees in one radian (180/pi).
const double ONE_DEGREE = 57.29577951308232;
const double E = 2.718281828459045;
const float FLOAT_DELTA = 1e-5f;
const float DOUBLE_DELTA = 1e-14f;

// Absolute, inclusive tolerance; NaN on either side is never equal.
static inline bool equals(float f1, float f2, float delta) {
  return std::fabs(f1 - f2) <= delta;
}

// Clamps value into [min, max]; when min > max the result is max, and NaN
// stays NaN.
void padValue(float &value, float min, float max);

// Whole pixels by truncation toward zero. Values a plain int conversion could
// not represent give a defined answer instead: NaN is 0, and anything beyond
// the range of int (infinities included) is INT_MIN or INT_MAX.
int truncateToInt(double value);

} // namespace math

#endif
