#pragma once

#include "render/rendering.h"
#include "shapes/triangle.h"

// The filled triangle as it was first drawn: every row from the top vertex
// down, visible or not, each span walked up to the buffer's right edge, every
// pixel through SetPixel. Kept as the picture the faster walk must reproduce
// pixel for pixel. Sorts its own copy of the triangle.
void DrawReferenceFilledTriangle(Rendering rc, triangle t);

// The outline as it was first drawn: every row from the top vertex down,
// visible or not, one pixel per edge through SetPixel.
void DrawReferenceOutlineTriangle(Rendering rc, triangle t);
