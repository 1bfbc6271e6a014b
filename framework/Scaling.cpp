#include "Scaling.h"

#include <cstdint>
#include <cstdlib>

int ScaleRounded(int value, int numerator, int denominator) {
  const int64_t product = int64_t{value} * numerator;
  const int64_t magnitude = (2 * std::llabs(product) + denominator) / (2 * int64_t{denominator});
  return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

TRect ScaledBounds(TRect bounds, int measured, int stored) {
  const int left = ScaleRounded(bounds.left, measured, stored);
  const int top = ScaleRounded(bounds.top, measured, stored);
  return {left, top, ScaleRounded(bounds.Right(), measured, stored) - left,
          ScaleRounded(bounds.Bottom(), measured, stored) - top};
}
