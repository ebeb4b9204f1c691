// Clamping and the pixel conversion shared by the game's coordinates.
#include "MathUtil.h"

#include <algorithm>
#include <climits>

namespace math {

void padValue(float &value, float min, float max) {
  value = std::max(value, min);
  value = std::min(value, max);
}

int truncateToInt(double value) {
  if (std::isnan(value)) return 0;
  // Every double strictly between these bounds truncates into int's range.
  if (value >= 2147483648.0) return INT_MAX;
  if (value <= -2147483649.0) return INT_MIN;
  return int(value);
}

} // namespace math
