#include "shapes/circle.h"

#include <cmath>

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

void Circle::Draw(Rendering rc, bool Fill) const {
  int32_t cx, cy, r;
  if (!ToPixel(originx, cx) || !ToPixel(originy, cy) || !ToPixel(radius, r)) return;

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
