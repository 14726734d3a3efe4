#include "scene/picking.h"

#include <cstddef>

#include "render/pixel_coord.h"

// The pick rules are integer comparisons of squared distances. They are
// evaluated in 64 bits, and the cheap bounds tests come first, so that a
// click far from a shape can never overflow a square: the results are those
// of the plain rules wherever those do not overflow.

namespace {

uint64_t Square(int64_t v) {
  const uint64_t m = v < 0 ? static_cast<uint64_t>(-v) : static_cast<uint64_t>(v);
  return m * m;
}

int64_t Magnitude(int64_t v) { return v < 0 ? -v : v; }

int32_t ToIndex(size_t k) { return static_cast<int32_t>(k); }

}  // namespace

int32_t ObjectPickerB(int32_t x, int32_t y, const std::vector<Box>& boxes) {
  for (size_t k = 0; k < boxes.size(); ++k) {
    const Box& b = boxes[k];
    // Measured from the lower corner, so that a box picks alike whichever
    // corner was clicked first. Strict on every side: the box's own border
    // rows and columns never pick it.
    if (!(y > b.top() && y < b.bottom() && x > b.left() && x < b.right())) continue;
    const int64_t cx = (int64_t{b.right()} - b.left()) / 2;
    const int64_t cy = (int64_t{b.bottom()} - b.top()) / 2;
    const int64_t X = b.left() + cx;
    const int64_t Y = b.top() + cy;
    // The corner offsets are (-cx, -cy); this rejects only the interior pixel
    // next to the far corner of a box with two odd extents.
    if (Square(cx) + Square(cy) > Square(x - X) + Square(y - Y)) return ToIndex(k);
  }
  return -1;
}

int32_t ObjectPickerC(int32_t x, int32_t y, const std::vector<Circle>& circles) {
  for (size_t k = 0; k < circles.size(); ++k) {
    const Circle& c = circles[k];
    int32_t X, Y, r;
    // A circle that no pixel can hold cannot be under a click.
    if (!ToPixel(c.Getoriginx(), X) || !ToPixel(c.Getoriginy(), Y) || !ToPixel(c.Getradius(), r)) {
      continue;
    }
    const int64_t dx = int64_t{x} - X;
    const int64_t dy = int64_t{y} - Y;
    const int64_t reach = Magnitude(r);
    if (Magnitude(dx) >= reach || Magnitude(dy) >= reach) continue;  // r*r > d*d cannot hold
    if (Square(r) > Square(dx) + Square(dy)) return ToIndex(k);
  }
  return -1;
}

int32_t ObjectPickerT(int32_t x, int32_t y, std::vector<triangle>& triangles) {
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  for (size_t k = 0; k < triangles.size(); ++k) {
    triangle& t = triangles[k];
    // Moving a triangle leaves its cached bounds stale; the move that may
    // follow this pick reads them, so refresh them here.
    t.boundingbox();
    t.setcx();
    t.setcy();
    int32_t X, Y, a, b;
    if (!ToPixel(static_cast<float>(t.getcx()) + t.getxmin(), X) ||
        !ToPixel(static_cast<float>(t.getcy()) + t.getymin(), Y) ||
        !ToPixel(t.getxmin() - static_cast<float>(X), a) ||
        !ToPixel(t.getymin() - static_cast<float>(Y), b)) {
      continue;
    }
    // Picked by the bounding box, strict on every side.
    if (!(fy > t.getymin() && fy < t.getymax() && fx > t.getxmin() && fx < t.getxmax())) continue;
    if (Square(a) + Square(b) > Square(int64_t{x} - X) + Square(int64_t{y} - Y)) {
      return ToIndex(k);
    }
  }
  return -1;
}
