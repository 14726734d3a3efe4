#pragma once

#include <algorithm>
#include <cstdint>

#include "render/rendering.h"

// Sets the pixels (from, y) ... (to, y), left to right, both ends inclusive.
// The walk is limited to the buffer's columns: pixels outside it would be
// dropped by SetPixel anyway, and a shape far larger than the window must not
// cost time in proportion to its size.
inline void DrawSpan(Rendering& rc, int32_t y, int32_t from, int32_t to, const Color_RGB& color) {
  if (y < 0 || y >= rc.getheight()) return;
  const int32_t first = std::max(from, int32_t{0});
  const int32_t last = std::min(to, rc.getwidth() - 1);
  for (int32_t x = first; x <= last; ++x) rc.SetPixel(x, y, color);
}
