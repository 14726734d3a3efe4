#include "shapes/box.h"

#include <algorithm>

#include "shapes/span.h"

Box::Box(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color_RGB col)
    : v1x(x0), v1y(y0), v2y(y1), v2x(x1), col(col) {}

// Rows outside the buffer are skipped rather than walked: they would set nothing.
void Box::Draw(Rendering rc) const {
  const int32_t first = std::max(top(), int32_t{0});
  const int32_t last = std::min(bottom(), rc.getheight() - 1);
  for (int32_t y = first; y <= last; ++y) DrawSpan(rc, y, left(), right(), col);
}

void Box::UnFilled(Rendering rc) const {
  const int32_t first = std::max(top(), int32_t{0});
  const int32_t last = std::min(bottom(), rc.getheight() - 1);
  auto inside = [&](int32_t x) { return x >= 0 && x < rc.getwidth(); };
  if (!inside(left()) && !inside(right())) {
    // Neither side column is in the buffer: only the top and bottom rows can be.
    DrawSpan(rc, top(), left(), right(), col);
    DrawSpan(rc, bottom(), left(), right(), col);
    return;
  }
  for (int32_t y = first; y <= last; ++y) {
    if (y == top() || y == bottom()) DrawSpan(rc, y, left(), right(), col);
    rc.SetPixel(left(), y, col);
    rc.SetPixel(right(), y, col);
  }
}
