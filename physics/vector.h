#pragma once

#include <cmath>

// A two-dimensional float32 vector: a ball's direction, a wall's normal, and
// the intermediate vectors of every reflection.
class VECTOR {
 public:
  VECTOR() : i(0), j(0) {}
  VECTOR(float vali, float valj) : i(vali), j(valj) {}
  // The vector from the start point to the end point.
  VECTOR(float startx, float starty, float endx, float endy) : i(endx - startx), j(endy - starty) {}

  float Getx() const { return i; }
  float Gety() const { return j; }
  void Setx(float newi) { i = newi; }
  void Sety(float newj) { j = newj; }

  // j * othervecy + i * othervecx.
  float DP(float othervecx, float othervecy) const { return j * othervecy + i * othervecx; }
  float magnitude() const;
  // Scales to unit length by multiplying with the reciprocal of the length.
  // The zero vector becomes not-a-number in both components.
  void normalize();
  void flip() {
    i = i * -1;
    j = j * -1;
  }

  float i;
  float j;
};

// w mirrored about the line perpendicular to n: a direction turned off a
// contact whose normal (not normalised) is n. Shared by the circle and ball tests.
inline VECTOR Mirror(const VECTOR& w, const VECTOR& n) {
  const float k = w.DP(n.i, n.j);
  const float dd = n.DP(n.i, n.j);
  return VECTOR(w.i - 2 * (n.i * k / dd), w.j - 2 * (n.j * k / dd));
}

// Whether w, normalised, is a usable direction: finite and not zero. A zero or
// overflowing w (a contact point that rounds onto the centre) is not.
bool GivesDirection(VECTOR w);

// The square root of every physics computation: taken in double, narrowed to float.
inline float Root(float x) { return static_cast<float>(std::sqrt(static_cast<double>(x))); }
