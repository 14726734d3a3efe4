#pragma once

#include <cstdint>

// Coordinates beyond this many pixels from the origin are not drawn: it keeps
// every sum of the integer rasterisers inside 32 bits.
constexpr float kPixelLimit = 268435456.0f;  // 2^28

// Truncates v toward zero to a pixel coordinate. False (and `out` untouched)
// when v is not finite or lies beyond kPixelLimit, so that no undefined
// float-to-int conversion ever happens; the caller then draws nothing.
inline bool ToPixel(float v, int32_t& out) {
  if (!(v > -kPixelLimit && v < kPixelLimit)) return false;  // NaN fails too
  out = static_cast<int32_t>(v);
  return true;
}

// Same for values held in double.
inline bool ToPixel(double v, int32_t& out) {
  if (!(v > -kPixelLimit && v < kPixelLimit)) return false;
  out = static_cast<int32_t>(v);
  return true;
}
