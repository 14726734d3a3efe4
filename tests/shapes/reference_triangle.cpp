#include "tests/shapes/reference_triangle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/pixel_coord.h"
#include "shapes/round.h"

namespace {

// What both walks start from: the corners in order, each corner's pixel set,
// and the edges' steps in x per row. False (nothing drawn) when a corner lies
// beyond the pixel range.
struct Walk {
  float v1x, v1y, v2x, v2y, v3x, v3y;
  Color_RGB color;
  bool left;
  float s13, s12, s23;

  bool Begin(Rendering& rc, triangle t) {
    t.reorder();
    v1x = t.getv1x(), v1y = t.getv1y();
    v2x = t.getv2x(), v2y = t.getv2y();
    v3x = t.getv3x(), v3y = t.getv3y();
    int32_t unused;
    for (float v : {v1x, v1y, v2x, v2y, v3x, v3y}) {
      if (!ToPixel(v, unused)) return false;
    }
    color = t.getcol();
    rc.SetPixel(Round(v1x), Round(v1y), color);
    rc.SetPixel(Round(v2x), Round(v2y), color);
    rc.SetPixel(Round(v3x), Round(v3y), color);
    left = t.Left();
    s13 = 1 / ((v3y - v1y) / (v3x - v1x));
    s12 = 1 / ((v2y - v1y) / (v2x - v1x));
    s23 = 1 / ((v3y - v2y) / (v3x - v2x));
    return true;
  }
};

}  // namespace

void DrawReferenceFilledTriangle(Rendering rc, triangle t) {
  Walk w;
  if (!w.Begin(rc, t)) return;
  const float v1x = w.v1x, v1y = w.v1y, v2x = w.v2x, v2y = w.v2y, v3y = w.v3y;
  const float s13 = w.s13, s12 = w.s12, s23 = w.s23;
  const Color_RGB color = w.color;
  const bool left = w.left;
  const float upperLeft = left ? s12 : s13, upperRight = left ? s13 : s12;
  const float lowerLeft = left ? s23 : s13, lowerRight = left ? s13 : s23;
  const int32_t lastColumn = rc.getwidth() - 1;

  auto row = [&](int32_t y, float xl, float xr, bool upper) {
    // A row off the store sets nothing; skipped only so that huge triangles stay quick.
    const int32_t pixelRow = left && upper ? y : Round(static_cast<float>(y));
    if (pixelRow < 0 || pixelRow >= rc.getheight()) return;
    if (std::isnan(xl) || xl >= kPixelLimit) return;
    int32_t start = -1;
    if (xl > -kPixelLimit) start = left ? static_cast<int32_t>(xl) : Round(xl);
    if (left && upper) {
      for (int32_t x = std::max(start, int32_t{0}); x <= lastColumn && static_cast<float>(x) <= xr;
           ++x)
        rc.SetPixel(x, y, color);
      return;
    }
    for (int32_t x = std::max(start, int32_t{-1}); x <= lastColumn && static_cast<float>(x) <= xr;
         ++x)
      rc.SetPixel(Round(static_cast<float>(x)), pixelRow, color);
  };

  int32_t y = Round(v1y);
  float xl = static_cast<float>(Round(v1x));
  float xr = xl;
  for (; static_cast<float>(y) <= v2y; ++y) {
    row(y, xl, xr, true);
    xl += upperLeft;
    xr += upperRight;
  }
  float& switching = left ? xl : xr;
  if (v1y == v2y || !std::isfinite(switching)) {
    const float lowerStep = left ? lowerLeft : lowerRight;
    switching = v2x + lowerStep * (static_cast<float>(y) - v2y);
  }
  for (; static_cast<float>(y) < v3y; ++y) {
    row(y, xl, xr, false);
    xl += lowerLeft;
    xr += lowerRight;
  }
}

void DrawReferenceOutlineTriangle(Rendering rc, triangle t) {
  Walk w;
  if (!w.Begin(rc, t)) return;
  const float v1x = w.v1x, v1y = w.v1y, v2y = w.v2y, v3y = w.v3y;
  const float s13 = w.s13, s12 = w.s12, s23 = w.s23;
  const Color_RGB color = w.color;
  const bool left = w.left;
  int32_t unused;
  auto plot = [&](float x, int32_t y) {
    if (ToPixel(x, unused)) rc.SetPixel(Round(x), Round(static_cast<float>(y)), color);
  };
  int32_t y = Round(v1y);
  float xl = static_cast<float>(Round(v1x));
  float xr = xl;
  for (; static_cast<float>(y) <= v2y; ++y) {
    plot(xl, y);
    plot(xr, y);
    xl += left ? s12 : s13;
    xr += left ? s13 : s12;
  }
  for (; static_cast<float>(y) < v3y; ++y) {
    plot(xl, y);
    plot(xr, y);
    xl += left ? s23 : s13;
    xr += left ? s13 : s23;
  }
}
