#include "shapes/polygon_line.h"

#include <algorithm>

namespace {

// Lines this long would leave the 32-bit sums of the stepping; none arise
// from pixel coordinates, which stay within 2^28 of the origin.
constexpr int64_t kLongestLine = int64_t{1} << 30;

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// Bresenham along the major axis, n steps of it and m of the minor one
// (n >= m): pixel i (0 ... n) lies at major a0 + sa * i and minor b0 + sb * k(i),
// where k(i) = floor((2m * i + n) / 2n) is the count of minor steps the
// error term has made (a decision of exactly 0 steps). So the pixels whose
// major lies in [0, majorSize) and minor in [0, minorSize) are one run of i,
// found exactly before any step, and the walk starts there with the error
// term it would have had.
template <typename Plot>
void Walk(int64_t a0, int64_t sa, int64_t n, int64_t majorSize, int64_t b0, int64_t sb, int64_t m,
          int64_t minorSize, Plot plot) {
  int64_t first = 0, last = n;
  // The major axis inside the store.
  if (sa > 0) {
    first = std::max(first, -a0);
    last = std::min(last, majorSize - 1 - a0);
  } else {
    first = std::max(first, a0 - (majorSize - 1));
    last = std::min(last, a0);
  }
  // The minor steps k that keep the minor axis inside, and the pixels that have them.
  int64_t kFirst = sb > 0 ? -b0 : b0 - (minorSize - 1);
  int64_t kLast = sb > 0 ? minorSize - 1 - b0 : b0;
  kFirst = std::max<int64_t>(kFirst, 0);
  kLast = std::min(kLast, m);
  if (kFirst > kLast || first > last) return;
  if (m > 0) {
    first = std::max(first, CeilDiv(2 * n * kFirst - n, 2 * m));
    last = std::min(last, CeilDiv(2 * n * (kLast + 1) - n, 2 * m) - 1);
  }
  if (first > last) return;
  int64_t k = FloorDiv(2 * m * first + n, 2 * n);
  int64_t e = 2 * m * (first + 1) - n - 2 * n * k;
  int64_t a = a0 + sa * first, b = b0 + sb * k;
  for (int64_t i = first; i <= last; ++i) {
    plot(a, b);
    if (e >= 0) {
      b += sb;
      e -= 2 * n;
    }
    e += 2 * m;
    a += sa;
  }
}

}  // namespace

void PolygonLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color_RGB color, Rendering rc) {
  const int64_t dx = x2 >= x1 ? int64_t{x2} - x1 : int64_t{x1} - x2;
  const int64_t sx = x2 >= x1 ? 1 : -1;
  const int64_t dy = y2 >= y1 ? int64_t{y2} - y1 : int64_t{y1} - y2;
  const int64_t sy = y2 >= y1 ? 1 : -1;
  if (dx >= kLongestLine || dy >= kLongestLine) return;
  auto set = [&](int64_t x, int64_t y) {
    rc.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), color);
  };
  if (dx == 0 && dy == 0) {
    rc.SetPixel(x1, y1, color);
  } else if (dx >= dy) {  // x is the major axis; a 45-degree line counts as x-major
    Walk(x1, sx, dx, rc.getwidth(), y1, sy, dy, rc.getheight(), set);
  } else {
    Walk(y1, sy, dy, rc.getheight(), x1, sx, dx, rc.getwidth(),
         [&](int64_t y, int64_t x) { set(x, y); });
  }
}
