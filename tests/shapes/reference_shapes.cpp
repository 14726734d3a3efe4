#include "tests/shapes/reference_shapes.h"

#include <algorithm>
#include <cstdint>

#include "render/pixel_coord.h"

namespace {

// One run of pixels through SetPixel. The walk stops two pixels beyond the
// buffer on either side, and skips rows off it, only so that huge shapes stay
// quick; SetPixel drops those pixels itself.
void ReferenceSpan(Rendering& rc, int32_t y, int32_t from, int32_t to, const Color_RGB& color) {
  if (y < -2 || y > rc.getheight() + 1) return;
  const int32_t first = std::max(from, int32_t{-2});
  const int32_t last = std::min(to, rc.getwidth() + 1);
  for (int32_t x = first; x <= last; ++x) rc.SetPixel(x, y, color);
}

}  // namespace

void DrawReferenceCircle(Rendering rc, const Circle& c, bool Fill) {
  int32_t cx, cy, r;
  if (!ToPixel(c.Getoriginx(), cx) || !ToPixel(c.Getoriginy(), cy) || !ToPixel(c.Getradius(), r)) {
    return;
  }
  const Color_RGB color = c.Getcol();
  auto plot = [&](int32_t x, int32_t y) {
    if (Fill) {
      ReferenceSpan(rc, cy + y, cx - x, cx + x, color);
      ReferenceSpan(rc, cy + x, cx - y, cx + y, color);
      ReferenceSpan(rc, cy - x, cx - y, cx + y, color);
      ReferenceSpan(rc, cy - y, cx - x, cx + x, color);
    } else {
      rc.SetPixel(cx - x, cy + y, color);
      rc.SetPixel(cx + x, cy + y, color);
      rc.SetPixel(cx - y, cy + x, color);
      rc.SetPixel(cx + y, cy + x, color);
      rc.SetPixel(cx - y, cy - x, color);
      rc.SetPixel(cx + y, cy - x, color);
      rc.SetPixel(cx - x, cy - y, color);
      rc.SetPixel(cx + x, cy - y, color);
    }
  };
  int32_t x = 0, y = r, d = 1 - r, dE = 3, dSE = 5 - 2 * r;
  plot(x, y);
  while (y > x) {
    if (d < 0) {
      d += dE;
      dE += 2;
      dSE += 2;
    } else {
      d += dSE;
      dE += 2;
      dSE += 4;
      y -= 1;
    }
    x += 1;
    plot(x, y);
  }
}

void DrawReferenceBox(Rendering rc, const Box& b, bool Fill) {
  const Color_RGB color = b.getcol();
  // Rows beyond the buffer are skipped as columns are, for speed only.
  const int32_t first = std::max(b.top(), int32_t{-2});
  const int32_t last = std::min(b.bottom(), rc.getheight() + 1);
  for (int32_t y = first; y <= last; ++y) {
    if (Fill || y == b.top() || y == b.bottom()) ReferenceSpan(rc, y, b.left(), b.right(), color);
    if (!Fill) {
      rc.SetPixel(b.left(), y, color);
      rc.SetPixel(b.right(), y, color);
    }
  }
}

void DrawReferenceLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color_RGB color,
                       Rendering rc) {
  const int32_t dx = x2 >= x1 ? x2 - x1 : x1 - x2;
  const int32_t sx = x2 >= x1 ? 1 : -1;
  const int32_t dy = y2 >= y1 ? y2 - y1 : y1 - y2;
  const int32_t sy = y2 >= y1 ? 1 : -1;
  int32_t x = x1, y = y1;
  if (dx >= dy) {
    int32_t e = 2 * dy - dx;
    for (; x != x2; x += sx) {
      rc.SetPixel(x, y, color);
      if (e >= 0) {
        y += sy;
        e -= 2 * dx;
      }
      e += 2 * dy;
    }
  } else {
    int32_t e = 2 * dx - dy;
    for (; y != y2; y += sy) {
      rc.SetPixel(x, y, color);
      if (e >= 0) {
        x += sx;
        e -= 2 * dy;
      }
      e += 2 * dx;
    }
  }
  rc.SetPixel(x, y, color);
}
