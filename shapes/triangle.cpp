#include "shapes/triangle.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "render/pixel_coord.h"
#include "shapes/repeated_sum.h"

namespace {

// The x step per row of each edge, as the reciprocal of its slope dy/dx: a
// vertical edge steps by 0, a horizontal one by an infinite amount.
struct EdgeSteps {
  float upperLeft, upperRight;  // from V1 down to V2's row
  float lowerLeft, lowerRight;  // below V2's row
};

EdgeSteps Steps(bool left, float v1x, float v1y, float v2x, float v2y, float v3x, float v3y) {
  const float m13 = (v3y - v1y) / (v3x - v1x);
  const float m12 = (v2y - v1y) / (v2x - v1x);
  const float m23 = (v3y - v2y) / (v3x - v2x);
  const float s13 = 1 / m13;
  const float s12 = 1 / m12;
  const float s23 = 1 / m23;
  if (left) return {s12, s13, s23, s13};
  return {s13, s12, s13, s23};
}

// One outline pixel at a walking edge position; a position that is not a
// usable number sets nothing.
void PlotEdge(Rendering& rc, float x, int32_t y, const Color_RGB& color) {
  int32_t unused;
  if (!ToPixel(x, unused)) return;
  rc.SetPixel(Round(x), Round(static_cast<float>(y)), color);
}

// The last row y with y <= v, and with y < v, compared as floats as the
// walks compare them (v finite and within the pixel range).
int64_t LastRowAtMost(float v) {
  auto y = static_cast<int64_t>(std::floor(v));
  while (static_cast<float>(y + 1) <= v) ++y;
  while (static_cast<float>(y) > v) --y;
  return y;
}
int64_t LastRowBelow(float v) {
  auto y = static_cast<int64_t>(std::ceil(v)) - 1;
  while (static_cast<float>(y + 1) < v) ++y;
  while (!(static_cast<float>(y) < v)) --y;
  return y;
}

// Rows above the buffer set nothing (row -1 still does: Round maps it to
// row 0), but their sums move the edge positions: the walk from row y jumps
// over them, up to `last`, in one go.
void SkipRowsAbove(int32_t& y, int64_t last, float& xl, float& xr, float stepLeft,
                   float stepRight) {
  const int64_t to = std::min<int64_t>(last, -2);
  if (y > to) return;
  const int64_t n = to - y + 1;
  xl = RepeatedSum(xl, stepLeft, n);
  xr = RepeatedSum(xr, stepRight, n);
  y = static_cast<int32_t>(to + 1);
}

}  // namespace

triangle::triangle(float v1x, float v1y, float v2x, float v2y, float v3x, float v3y,
                   Color_RGB color)
    : color(color), v1x(v1x), v1y(v1y), v2x(v2x), v2y(v2y), v3x(v3x), v3y(v3y) {
  reorder();
  boundingbox();
}

void triangle::reorder() {
  if (v1y > v2y) {
    std::swap(v1x, v2x);
    std::swap(v1y, v2y);
  }
  if (v1y > v3y) {
    std::swap(v1x, v3x);
    std::swap(v1y, v3y);
  }
  if (v3y < v2y) {
    std::swap(v2x, v3x);
    std::swap(v2y, v3y);
  }
}

void triangle::boundingbox() {
  xmin = std::min({v1x, v2x, v3x});
  xmax = std::max({v1x, v2x, v3x});
  ymin = std::min({v1y, v2y, v3y});
  ymax = std::max({v1y, v2y, v3y});
}

bool triangle::Left() const { return !(v2x > v1x && v2x > v3x); }

void triangle::setcx() {
  int32_t half = 0;
  ToPixel((xmax - xmin) * 0.5f, half);
  cx = half;
}

void triangle::setcy() {
  int32_t half = 0;
  ToPixel((ymax - ymin) * 0.5f, half);
  cy = half;
}

bool triangle::Drawable() const {
  int32_t unused;
  for (float v : {v1x, v1y, v2x, v2y, v3x, v3y}) {
    if (!ToPixel(v, unused)) return false;
  }
  return true;
}

void triangle::PlotVertices(Rendering& rc) const {
  rc.SetPixel(Round(v1x), Round(v1y), color);
  rc.SetPixel(Round(v2x), Round(v2y), color);
  rc.SetPixel(Round(v3x), Round(v3y), color);
}

void triangle::Draw(Rendering rc, bool Fill) {
  reorder();
  if (Fill) {
    DrawFilled(rc);
  } else {
    UnFilled(rc);
  }
}

void triangle::UnFilled(Rendering rc) const {
  if (!Drawable()) return;
  PlotVertices(rc);
  const EdgeSteps step = Steps(Left(), v1x, v1y, v2x, v2y, v3x, v3y);
  int32_t y = Round(v1y);
  float xl = static_cast<float>(Round(v1x));
  float xr = xl;
  // Only the rows that land in the buffer are stepped through.
  const int32_t lastRow = rc.getheight() - 1;
  auto below = [&] { return Round(static_cast<float>(y)) > lastRow; };
  SkipRowsAbove(y, LastRowAtMost(v2y), xl, xr, step.upperLeft, step.upperRight);
  for (; static_cast<float>(y) <= v2y; ++y) {
    if (below()) return;
    PlotEdge(rc, xl, y, color);
    PlotEdge(rc, xr, y, color);
    xl += step.upperLeft;
    xr += step.upperRight;
  }
  SkipRowsAbove(y, LastRowBelow(v3y), xl, xr, step.lowerLeft, step.lowerRight);
  for (; static_cast<float>(y) < v3y; ++y) {
    if (below()) return;
    PlotEdge(rc, xl, y, color);
    PlotEdge(rc, xr, y, color);
    xl += step.lowerLeft;
    xr += step.lowerRight;
  }
}

// Spans run from the left position up to the right one. The start and the
// pixel set differ by case, and those differences are part of the picture:
//   Left, upper half:  start trunc(xl), pixel (x, y)
//   Left, lower half:  start trunc(xl), pixel (Round(x), Round(y))
//   not Left:          start Round(xl), pixel (Round(x), Round(y))
// Each row first narrows itself to the rows and columns that can land in the
// buffer (Round maps -1 to 0, anything lower stays off it), so a triangle far
// larger than the window costs only what it shows. Rows above the buffer
// still advance the edge positions (the picture depends on their sums), all
// at once.
void triangle::DrawFilled(Rendering rc) const {
  if (!Drawable()) return;
  PlotVertices(rc);
  const bool left = Left();
  const EdgeSteps step = Steps(left, v1x, v1y, v2x, v2y, v3x, v3y);
  const int32_t lastColumn = rc.getwidth() - 1;
  const int32_t lastRow = rc.getheight() - 1;

  auto row = [&](int32_t y, float xl, float xr, bool upper) {
    const bool rounded = !(left && upper);
    const int32_t pixelRow = rounded ? Round(static_cast<float>(y)) : y;
    if (pixelRow < 0 || pixelRow > lastRow) return;
    if (std::isnan(xl) || xl >= kPixelLimit) return;  // no column lies at or right of such a start
    // A left position beyond the pixel range (a near-horizontal edge carried
    // one row past V2) still bounds a span that reaches into the buffer.
    int32_t start = -1;
    if (xl > -kPixelLimit) start = left ? static_cast<int32_t>(xl) : Round(xl);
    const int32_t first = std::max(start, rounded ? int32_t{-1} : int32_t{0});
    if (!(static_cast<float>(first) <= xr)) return;  // empty, or an end that is not a number
    const int32_t last =
        xr >= static_cast<float>(lastColumn) ? lastColumn : static_cast<int32_t>(std::floor(xr));
    if (first > last) return;
    // Round maps the columns first ... last (all at least -1) onto the run
    // Round(first) ... Round(last), so the row is one span either way.
    if (rounded) {
      rc.SetSpan(pixelRow, Round(static_cast<float>(first)), Round(static_cast<float>(last)),
                 color);
    } else {
      rc.SetSpan(y, first, last, color);
    }
  };

  int32_t y = Round(v1y);
  float xl = static_cast<float>(Round(v1x));
  float xr = xl;
  SkipRowsAbove(y, LastRowAtMost(v2y), xl, xr, step.upperLeft, step.upperRight);
  for (; static_cast<float>(y) <= v2y && y <= lastRow; ++y) {
    row(y, xl, xr, true);
    xl += step.upperLeft;
    xr += step.upperRight;
  }
  // When V1 and V2 share a row, the upper edge is horizontal: its position has
  // run off to infinity, or (no row lay between them) still sits at V1. The
  // lower half then starts that side afresh on the edge V2->V3, at the row
  // it has reached.
  float& switching = left ? xl : xr;
  if (v1y == v2y || !std::isfinite(switching)) {
    const float lowerStep = left ? step.lowerLeft : step.lowerRight;
    switching = v2x + lowerStep * (static_cast<float>(y) - v2y);
  }
  SkipRowsAbove(y, LastRowBelow(v3y), xl, xr, step.lowerLeft, step.lowerRight);
  for (; static_cast<float>(y) < v3y && y <= lastRow; ++y) {
    row(y, xl, xr, false);
    xl += step.lowerLeft;
    xr += step.lowerRight;
  }
}
