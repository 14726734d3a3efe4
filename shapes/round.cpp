#include "shapes/round.h"

#include "render/pixel_coord.h"

int32_t Round(float x) {
  int32_t out = 0;
  ToPixel(static_cast<double>(x) + 0.5, out);
  return out;
}
