#pragma once

#include <cstdint>

#include "render/color_rgb.h"
#include "render/rendering.h"

// Bresenham's line from (x1, y1) to (x2, y2), both ends included: exactly
// max(dx, dy) + 1 pixels. A decision value of 0 steps the minor axis, so a
// line can differ at ties from the same line drawn the other way. Only the
// pixels inside the buffer are stepped through; a line whose extent reaches
// 2^30 pixels (beyond any pixel coordinate) draws nothing.
void PolygonLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color_RGB color, Rendering rc);
