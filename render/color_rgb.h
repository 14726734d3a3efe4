#pragma once

#include <cstdint>

// One colour, three bytes, copied as a whole.
struct Color_RGB {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

static_assert(sizeof(Color_RGB) == 3, "Color_RGB is exactly three bytes");
