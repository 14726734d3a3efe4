#include "shapes/circle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/pixel_coord.h"
#include "shapes/span.h"

Circle::Circle() : x1(110), y1(0), originx(100), originy(100), radius(10), color(defaultcolor) {}

// The rim point is left unset by the original form; the circle's leftmost
// point, which is where the given x lies, is recorded instead.
Circle::Circle(float originx, float originy, float radius, Color_RGB color)
    : x1(originx),
      y1(originy),
      originx(originx + radius),
      originy(originy),
      radius(radius),
      color(color) {}

Circle::Circle(float originx, float originy, float x1, float y1, Color_RGB color)
    : x1(x1), y1(y1), originx(originx), originy(originy), radius(0), color(color) {
  const float dx = x1 - originx;
  const float dy = y1 - originy;
  radius = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

namespace {

int64_t FloorSqrt(int64_t v) {
  auto s = static_cast<int64_t>(std::sqrt(static_cast<double>(v)));
  while (s > 0 && s * s > v) --s;
  while ((s + 1) * (s + 1) <= v) ++s;
  return s;
}

// The midpoint walk of a circle of radius r >= 1 from the top (x the column
// offset, y the row offset). At every step before its last, y is the largest
// with x^2 + y^2 - y < r^2 (the walk keeps the midpoint below y inside the
// circle), and d, dE and dSE follow from x and y; so the walk can be taken
// up at any column, and the rows and columns that land in the buffer are
// found without stepping through the others.
struct MidpointWalk {
  int64_t r;
  int64_t end;  // the column of the last step: the least x with 2x^2 + x >= r^2
  int32_t x, y, d, dE, dSE;

  explicit MidpointWalk(int64_t radius) : r(radius) {
    end = static_cast<int64_t>(static_cast<double>(r) / std::sqrt(2.0));
    while (2 * end * end + end < r * r) ++end;
    while (end > 0 && 2 * (end - 1) * (end - 1) + (end - 1) >= r * r) --end;
  }
  // The largest x with x^2 < r^2 - v^2 + v: the last column whose y is at
  // least v (v >= 1); -1 for none.
  int64_t LastColumnReaching(int64_t v) const {
    const int64_t q = r * r - v * v + v;
    return q >= 1 ? FloorSqrt(q - 1) : -1;
  }
  // The state at column `at` (before the last step).
  void Start(int64_t at) {
    const int64_t room = r * r - at * at;
    auto row = static_cast<int64_t>((1 + std::sqrt(4.0 * static_cast<double>(room) - 3)) / 2);
    while ((row + 1) * row < room) ++row;
    while (row > 0 && row * (row - 1) >= room) --row;
    x = static_cast<int32_t>(at);
    y = static_cast<int32_t>(row);
    d = static_cast<int32_t>((at + 1) * (at + 1) + row * row - row - r * r);
    dE = static_cast<int32_t>(2 * at + 3);
    dSE = static_cast<int32_t>(2 * at - 2 * row + 5);
  }
  // One step, as Draw takes it.
  void Step() {
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
  }
  // The last state: the step from the one before.
  void Finish() {
    Start(end - 1);
    Step();
  }
};

struct Range {
  int64_t lo, hi;
};
Range Meet(Range a, Range b) { return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)}; }
// The offsets t with c + sign * t inside [0, size).
Range Inside(int64_t c, int sign, int64_t size) {
  return sign > 0 ? Range{-c, size - 1 - c} : Range{c - size + 1, c};
}
// The offsets t >= 0 with c + t or c - t inside [0, size), within [0, most]:
// one range, as the two overlap whenever both are non-empty.
Range EitherSide(int64_t c, int64_t size, int64_t most) {
  const Range all{0, most};
  const Range a = Meet(Inside(c, 1, size), all), b = Meet(Inside(c, -1, size), all);
  if (a.lo > a.hi) return b;
  if (b.lo > b.hi) return a;
  return {std::min(a.lo, b.lo), std::max(a.hi, b.hi)};
}

}  // namespace

void Circle::Draw(Rendering rc, bool Fill) const {
  int32_t cx, cy, r;
  if (!ToPixel(originx, cx) || !ToPixel(originy, cy) || !ToPixel(radius, r)) return;
  const int32_t w = rc.getwidth(), h = rc.getheight();
  if (r < 1 || (cx - r >= 0 && cx + r < w && cy - r >= 0 && cy + r < h)) {
    DrawWhole(r, rc, Fill);
  } else if (Fill) {
    DrawFilledInside(cy, r, rc);
  } else {
    DrawOutlineInside(cx, cy, r, rc);
  }
}

void Circle::DrawWhole(int32_t r, Rendering& rc, bool Fill) const {
  // Midpoint circle with second-order differences.
  int32_t x = 0;
  int32_t y = r;
  int32_t d = 1 - r;
  int32_t dE = 3;
  int32_t dSE = 5 - 2 * r;
  if (Fill) {
    SideSpans(x, y, rc);
  } else {
    EightPoints(x, y, rc);
  }
  while (y > x) {
    if (d < 0) {
      d += dE;
      dE += 2;
      dSE += 2;
    } else {
      // The rows at +-y are done: each step along them only widened the same
      // span, so only the widest is written (a circle much larger than the
      // window would otherwise fill the same rows thousands of times).
      if (Fill) CapSpans(x, y, rc);
      d += dSE;
      dE += 2;
      dSE += 4;
      y -= 1;
    }
    x += 1;
    if (Fill) {
      SideSpans(x, y, rc);
    } else {
      EightPoints(x, y, rc);
    }
  }
  if (Fill) CapSpans(x, y, rc);
}

// The disc is the union of the spans the walk draws, all of one colour and
// centred on cx: on the rows at +-x the span of half-width y at each step
// (side rows), on the rows at +-y the widest x that step reached (cap rows).
// Only the rows inside the buffer are visited.
void Circle::DrawFilledInside(int32_t cy, int32_t r, Rendering& rc) const {
  MidpointWalk walk(r);
  walk.Finish();
  const int32_t endX = walk.x, endY = walk.y;
  const Range side = EitherSide(cy, rc.getheight(), walk.end);
  if (side.lo <= side.hi) {
    if (side.lo < walk.end) walk.Start(side.lo);
    for (int64_t t = side.lo;;) {
      SideSpans(walk.x, walk.y, rc);
      if (++t > side.hi) break;
      walk.Step();
    }
  }
  Range cap = EitherSide(cy, rc.getheight(), r);
  cap.lo = std::max<int64_t>(cap.lo, endY);
  for (int64_t v = cap.lo; v <= cap.hi; ++v) {
    const int64_t half = v == endY ? endX : walk.LastColumnReaching(v);
    CapSpans(static_cast<int32_t>(half), static_cast<int32_t>(v), rc);
  }
}

// The ring is the union of the walk's eight mirror images; in each, both
// coordinates move one way as x grows, so the columns x whose pixel lands in
// the buffer are one range, found from the closed form and walked alone.
void Circle::DrawOutlineInside(int32_t cx, int32_t cy, int32_t r, Rendering& rc) const {
  MidpointWalk walk(r);
  const int64_t w = rc.getwidth(), h = rc.getheight();
  const Range steps{0, walk.end - 1};
  // The columns x whose y lies in [lo, hi].
  auto wherever = [&](Range ys) {
    const int64_t last = ys.lo <= 1 ? steps.hi : walk.LastColumnReaching(ys.lo);
    if (ys.hi < 1) return Range{1, 0};
    const int64_t first = walk.LastColumnReaching(std::min<int64_t>(ys.hi, r) + 1) + 1;
    return Range{first, last};
  };
  for (int form = 0; form < 8; ++form) {
    const int a = form & 1 ? 1 : -1, b = form & 2 ? 1 : -1;
    const bool swapped = form & 4;  // (cx + a*y, cy + b*x), else (cx + a*x, cy + b*y)
    const Range xs = swapped ? Meet(Inside(cy, b, h), wherever(Inside(cx, a, w)))
                             : Meet(Inside(cx, a, w), wherever(Inside(cy, b, h)));
    const Range run = Meet(xs, steps);
    if (run.lo > run.hi) continue;
    walk.Start(run.lo);
    for (int64_t t = run.lo;;) {
      if (swapped) {
        rc.SetPixel(cx + a * walk.y, cy + b * walk.x, color);
      } else {
        rc.SetPixel(cx + a * walk.x, cy + b * walk.y, color);
      }
      if (++t > run.hi) break;
      walk.Step();
    }
  }
  walk.Finish();
  EightPoints(walk.x, walk.y, rc);
}

void Circle::EightPoints(int32_t x, int32_t y, Rendering rc) const {
  int32_t cx, cy;
  if (!ToPixel(originx, cx) || !ToPixel(originy, cy)) return;
  rc.SetPixel(cx - x, cy + y, color);
  rc.SetPixel(cx + x, cy + y, color);
  rc.SetPixel(cx - y, cy + x, color);
  rc.SetPixel(cx + y, cy + x, color);
  rc.SetPixel(cx - y, cy - x, color);
  rc.SetPixel(cx + y, cy - x, color);
  rc.SetPixel(cx - x, cy - y, color);
  rc.SetPixel(cx + x, cy - y, color);
}

void Circle::EightPointsFill(int32_t x, int32_t y, Rendering rc) const {
  int32_t cx, cy;
  if (!ToPixel(originx, cx) || !ToPixel(originy, cy)) return;
  DrawSpan(rc, cy + y, cx - x, cx + x, color);
  DrawSpan(rc, cy + x, cx - y, cx + y, color);
  DrawSpan(rc, cy - x, cx - y, cx + y, color);
  DrawSpan(rc, cy - y, cx - x, cx + x, color);
}

void Circle::CapSpans(int32_t x, int32_t y, Rendering rc) const {
  int32_t cx, cy;
  if (!ToPixel(originx, cx) || !ToPixel(originy, cy)) return;
  DrawSpan(rc, cy + y, cx - x, cx + x, color);
  DrawSpan(rc, cy - y, cx - x, cx + x, color);
}

void Circle::SideSpans(int32_t x, int32_t y, Rendering rc) const {
  int32_t cx, cy;
  if (!ToPixel(originx, cx) || !ToPixel(originy, cy)) return;
  DrawSpan(rc, cy + x, cx - y, cx + y, color);
  DrawSpan(rc, cy - x, cx - y, cx + y, color);
}
