#pragma once

// A copy of the whole scene: the seven lists and the picks. The settings and
// the drawing mode are the program's, not the scene's, and stay out of it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "physics/pinball.h"
#include "scene/records.h"
#include "shapes/box.h"
#include "shapes/circle.h"
#include "shapes/triangle.h"

struct SceneSnapshot {
  std::vector<Point> points;
  std::vector<pinball> balls;
  std::vector<PolygonVertex> vertices;
  std::vector<Lines> walls;
  std::vector<Circle> circles;
  std::vector<Box> boxes;
  std::vector<triangle> triangles;
  int32_t pickedb = -1;
  int32_t pickedc = -1;
  int32_t pickedt = -1;

  // The memory its records take.
  size_t Bytes() const;
};

// Copies the scene into `into`, reusing the room it already has.
void TakeSnapshot(SceneSnapshot& into);
// Makes `from` the scene; `from` receives the scene it replaced.
void SwapSnapshot(SceneSnapshot& from);
// Empties every list and drops the picks.
void EmptyScene();
