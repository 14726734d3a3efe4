#pragma once

#include "render/rendering.h"
#include "shapes/box.h"
#include "shapes/circle.h"

// The circle and the box as they were drawn before rows were written straight
// into the store: every pixel through SetPixel, which alone decides what lies
// in the buffer. Kept as the pictures the span writers must reproduce pixel
// for pixel.
void DrawReferenceCircle(Rendering rc, const Circle& c, bool Fill);
void DrawReferenceBox(Rendering rc, const Box& b, bool Fill);
// Bresenham's line stepped from end to end, every pixel through SetPixel.
void DrawReferenceLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color_RGB color,
                       Rendering rc);
