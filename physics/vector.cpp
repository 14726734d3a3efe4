#include "physics/vector.h"

#include <cmath>

float VECTOR::magnitude() const { return Root(i * i + j * j); }

void VECTOR::normalize() {
  const float len = Root(i * i + j * j);
  const float inv = 1 / len;
  i = inv * i;
  j = inv * j;
}

bool GivesDirection(VECTOR w) {
  w.normalize();
  return std::isfinite(w.i) && std::isfinite(w.j) && (w.i != 0 || w.j != 0);
}
