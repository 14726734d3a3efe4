#include "physics/vector.h"

#include <cmath>

float Root(float x) { return static_cast<float>(std::sqrt(static_cast<double>(x))); }

float VECTOR::magnitude() const { return Root(i * i + j * j); }

void VECTOR::normalize() {
  const float len = Root(i * i + j * j);
  const float inv = 1 / len;
  i = inv * i;
  j = inv * j;
}
