#pragma once

#include <cstdint>

#include "render/rendering.h"

// Sets the pixels (from, y) ... (to, y), both ends inclusive. Only the part
// inside the buffer is written, straight into the store, so a shape far
// larger than the window costs no time in proportion to its size.
inline void DrawSpan(Rendering& rc, int32_t y, int32_t from, int32_t to, const Color_RGB& color) {
  rc.SetSpan(y, from, to, color);
}
