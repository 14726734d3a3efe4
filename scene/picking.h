#pragma once

#include <cstdint>
#include <vector>

#include "shapes/box.h"
#include "shapes/circle.h"
#include "shapes/triangle.h"

// The placed shape under a click, first hit in list order, or -1. Every
// border is strict: a shape's own outline never picks it.
int32_t ObjectPickerB(int32_t x, int32_t y, const std::vector<Box>& boxes);
int32_t ObjectPickerC(int32_t x, int32_t y, const std::vector<Circle>& circles);
// Triangles are picked by their bounding box, which this refreshes (with the
// half extents) on every triangle it examines.
int32_t ObjectPickerT(int32_t x, int32_t y, std::vector<triangle>& triangles);
