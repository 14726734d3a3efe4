#pragma once

#include <cstdint>

#include "render/color_rgb.h"
#include "render/rendering.h"
#include "shapes/round.h"

// A three-cornered obstacle with float vertices, kept sorted by y (V1 on top),
// a cached bounding box and half extents. Drawn as horizontal spans between
// two walking edges, or as an outline of one pixel per edge per row.
class triangle {
 public:
  triangle(float v1x, float v1y, float v2x, float v2y, float v3x, float v3y, Color_RGB color);

  // Sorts the vertices by y (three compare-and-swap steps; ties keep their order).
  void reorder();
  // Least and greatest x and y of the three vertices.
  void boundingbox();
  // Which edge bounds the spans on the left: false only when the middle
  // vertex lies strictly right of both others.
  bool Left() const;
  // Re-sorts the stored vertices, then draws filled or as an outline.
  // Nothing is drawn when a vertex is not a usable pixel value.
  void Draw(Rendering rc, bool Fill);
  // The outline; expects sorted vertices.
  void UnFilled(Rendering rc) const;

  float getv1x() const { return v1x; }
  float getv1y() const { return v1y; }
  float getv2x() const { return v2x; }
  float getv2y() const { return v2y; }
  float getv3x() const { return v3x; }
  float getv3y() const { return v3y; }
  float getxmin() const { return xmin; }
  float getxmax() const { return xmax; }
  float getymin() const { return ymin; }
  float getymax() const { return ymax; }
  int32_t getcx() const { return cx; }
  int32_t getcy() const { return cy; }
  Color_RGB getcol() const { return color; }
  // Where the triangle's three wall lines start in the scene's list of
  // walls, set when it is built; -1 for a triangle that has none.
  int32_t getwalls() const { return walls; }
  void setwalls(int32_t first) { walls = first; }

  void setv1x(float v) { v1x = v; }
  void setv1y(float v) { v1y = v; }
  void setv2x(float v) { v2x = v; }
  void setv2y(float v) { v2y = v; }
  void setv3x(float v) { v3x = v; }
  void setv3y(float v) { v3y = v; }
  void setmnx(float vmx) { xmin = vmx; }
  void setmny(float vmy) { ymin = vmy; }
  void setmax(float vax) { xmax = vax; }
  void setmay(float vay) { ymax = vay; }
  // Half the bounding box's width and height, truncated toward zero
  // (0 when the bounding box is not a usable pixel value).
  void setcx();
  void setcy();

 private:
  bool Drawable() const;
  void PlotVertices(Rendering& rc) const;
  void DrawFilled(Rendering rc) const;

  Color_RGB color;
  float v1x, v1y;
  float v2x, v2y;
  float v3x, v3y;
  float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  int32_t cx = 0;
  int32_t cy = 0;
  int32_t walls = -1;
};
