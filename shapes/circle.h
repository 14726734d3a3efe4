#pragma once

#include "render/color_rgb.h"
#include "render/rendering.h"

extern const Color_RGB defaultcolor;

// A circular obstacle, and the drawable part of every ball. Drawn with the
// integer midpoint algorithm, as a one-pixel ring or a solid disc.
class Circle {
 public:
  // Centre (100, 100), rim point (110, 0), radius 10, `defaultcolor`.
  Circle();
  // Centre at (originx + radius, originy): the given x is the circle's left side.
  Circle(float originx, float originy, float radius, Color_RGB color);
  // Centre and a point on the rim; the radius is their distance.
  Circle(float originx, float originy, float x1, float y1, Color_RGB color);

  float Getoriginx() const { return originx; }
  float Getoriginy() const { return originy; }
  float Getradius() const { return radius; }
  float Getx1() const { return x1; }
  float Gety1() const { return y1; }
  Color_RGB Getcol() const { return color; }
  void Setoriginx(float neworiginx) { originx = neworiginx; }
  void Setoriginy(float neworiginy) { originy = neworiginy; }
  void Setx1(float newx1) { x1 = newx1; }
  void Sety1(float newy1) { y1 = newy1; }
  void Setradius(float newrad) { radius = newrad; }
  void Setcol(Color_RGB col) { color = col; }

  // Draws a solid disc when Fill is true, otherwise a one-pixel outline.
  // Nothing is drawn when the centre or radius is not a usable pixel value.
  // Only what lands in the buffer is visited: a circle far larger than the
  // window costs what it shows.
  void Draw(Rendering rc, bool Fill) const;
  // The eight pixels symmetric to the octant offset (x, y) about the centre.
  void EightPoints(int32_t x, int32_t y, Rendering rc) const;
  // The four horizontal runs that those eight pixels bound.
  void EightPointsFill(int32_t x, int32_t y, Rendering rc) const;
  // The two spans of EightPointsFill on the rows at +-y, and the two on the rows at +-x.
  void CapSpans(int32_t x, int32_t y, Rendering rc) const;
  void SideSpans(int32_t x, int32_t y, Rendering rc) const;

 private:
  // The whole walk, for circles inside the buffer; the rows, or the arcs, of
  // the others that land in it.
  void DrawWhole(int32_t r, Rendering& rc, bool Fill) const;
  void DrawFilledInside(int32_t cy, int32_t r, Rendering& rc) const;
  void DrawOutlineInside(int32_t cx, int32_t cy, int32_t r, Rendering& rc) const;

 protected:
  float x1;
  float y1;
  float originx;
  float originy;
  float radius;
  Color_RGB color;
};
