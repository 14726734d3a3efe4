#pragma once

#include <cstdint>

#include "render/color_rgb.h"
#include "render/rendering.h"

// An axis-aligned box with inclusive integer edges. The corners are kept as
// clicked, in either order; drawing and picking use the lower and the upper
// one. `cx`, `cy` are half the extents, kept for moving; they start at 0
// until setcx/setcy compute them.
class Box {
 public:
  Box(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color_RGB col);

  // Filled: every pixel between the two corners, both included.
  void Draw(Rendering rc) const;
  // Outline: the top and bottom rows whole, the two side columns on every row.
  void UnFilled(Rendering rc) const;

  // The corners ordered: least and greatest column and row.
  int32_t left() const { return v1x < v2x ? v1x : v2x; }
  int32_t right() const { return v1x < v2x ? v2x : v1x; }
  int32_t top() const { return v1y < v2y ? v1y : v2y; }
  int32_t bottom() const { return v1y < v2y ? v2y : v1y; }

  int32_t getv1x() const { return v1x; }
  int32_t getv1y() const { return v1y; }
  int32_t getv2x() const { return v2x; }
  int32_t getv2y() const { return v2y; }
  int32_t getcx() const { return cx; }
  int32_t getcy() const { return cy; }
  Color_RGB getcol() const { return col; }
  // Where the box's four wall lines start in the scene's list of walls, set
  // when the box is built; -1 for a box that has none.
  int32_t getwalls() const { return walls; }
  void setwalls(int32_t first) { walls = first; }

  void setcx() { cx = (v2x - v1x) / 2; }
  void setcy() { cy = (v2y - v1y) / 2; }
  void setcx0() { cx = 0; }
  void setcy0() { cy = 0; }
  // Re-centres the box on the argument with the stored half extents.
  void setnewx(int32_t newx) {
    v1x = newx - cx;
    v2x = cx + newx;
  }
  void setnewy(int32_t newy) {
    v1y = newy - cy;
    v2y = cy + newy;
  }

 private:
  int32_t v1x;
  int32_t v1y;
  int32_t v2y;
  int32_t v2x;
  int32_t cx = 0;
  int32_t cy = 0;
  Color_RGB col;
  int32_t walls = -1;
};
