#include "scene/snapshot.h"

#include <utility>

#include "scene/scene.h"

size_t SceneSnapshot::Bytes() const {
  return sizeof(SceneSnapshot) + points.size() * sizeof(Point) + balls.size() * sizeof(pinball) +
         vertices.size() * sizeof(PolygonVertex) + walls.size() * sizeof(Lines) +
         circles.size() * sizeof(Circle) + boxes.size() * sizeof(Box) +
         triangles.size() * sizeof(triangle);
}

void TakeSnapshot(SceneSnapshot& into) {
  into.points = gPointList;
  into.balls = BallList;
  into.vertices = polylist;
  into.walls = LinesList;
  into.circles = circlist;
  into.boxes = boxlist;
  into.triangles = trilist;
  into.pickedb = pickedb;
  into.pickedc = pickedc;
  into.pickedt = pickedt;
}

void SwapSnapshot(SceneSnapshot& from) {
  gPointList.swap(from.points);
  BallList.swap(from.balls);
  polylist.swap(from.vertices);
  LinesList.swap(from.walls);
  circlist.swap(from.circles);
  boxlist.swap(from.boxes);
  trilist.swap(from.triangles);
  std::swap(pickedb, from.pickedb);
  std::swap(pickedc, from.pickedc);
  std::swap(pickedt, from.pickedt);
}
