#pragma once

#include <cstdint>

#include "render/color_rgb.h"

// One pending click.
struct Point {
  float x;
  float y;
  Color_RGB colour;
};

// One wall segment, from a start point to an end point. Walls are never
// drawn; the collisions read their four coordinates.
struct Lines {
  float x1;
  float y1;
  Color_RGB colour1;
  float x2;
  float y2;
  Color_RGB colour2;
};

// Kinds of polygon vertex.
enum : int32_t { kOpensPolygon = 0, kContinuesPolygon = 1, kClosesPolygon = 2 };

// One vertex of a polygon outline; the lines drawn to it take its colour.
struct PolygonVertex {
  float x;
  float y;
  Color_RGB colour;
  int32_t kind;  // kOpensPolygon, kContinuesPolygon or kClosesPolygon
};

// The shape tools.
enum class type : int32_t { circle = 0, box = 1, triangle = 2, polygon = 3 };
