#include "scene/move_delete.h"

#include <array>
#include <cstddef>
#include <optional>

#include "render/pixel_coord.h"
#include "scene/scene.h"

// Shapes hold no reference to their wall lines, so a move or a delete finds
// them again in LinesList. A group is accepted only when it is the shape's
// own outline, so that a stray line of another shape that happens to start
// at the same corner (or the origin, where deleted shapes leave theirs) is
// never rewritten in its place.

namespace {

struct Corner {
  float x;
  float y;
  bool operator==(const Corner& o) const { return x == o.x && y == o.y; }
};

Corner Start(const Lines& l) { return {l.x1, l.y1}; }
Corner End(const Lines& l) { return {l.x2, l.y2}; }

void SetLine(Lines& l, Corner from, Corner to) {
  l.x1 = from.x;
  l.y1 = from.y;
  l.x2 = to.x;
  l.y2 = to.y;
}

template <typename T>
bool Valid(int32_t pick, const std::vector<T>& list) {
  return pick >= 0 && static_cast<size_t>(pick) < list.size();
}

bool SameSegment(const Lines& l, Corner p, Corner q) {
  return (Start(l) == p && End(l) == q) || (Start(l) == q && End(l) == p);
}

// Lines i..i+3 are the box's four edges, each once, in either direction, and
// line i starts at the box's first corner. Both ways the box's lines are
// written (by clicks and by a move) have this form.
bool IsBoxGroup(size_t i, const Box& b) {
  const Corner v1{static_cast<float>(b.getv1x()), static_cast<float>(b.getv1y())};
  const Corner v2{static_cast<float>(b.getv2x()), static_cast<float>(b.getv2y())};
  const Corner a{v1.x, v2.y};
  const Corner c{v2.x, v1.y};
  if (!(Start(LinesList[i]) == v1)) return false;
  const std::array<std::array<Corner, 2>, 4> edges{{{v1, a}, {a, v2}, {v2, c}, {c, v1}}};
  std::array<bool, 4> used{};
  for (size_t k = 0; k < 4; ++k) {
    bool matched = false;
    for (size_t e = 0; e < 4 && !matched; ++e) {
      if (!used[e] && SameSegment(LinesList[i + k], edges[e][0], edges[e][1])) {
        used[e] = matched = true;
      }
    }
    if (!matched) return false;
  }
  return true;
}

// Lines i..i+2 run round the triangle: their start points are its three
// corners in any order, and each line ends where the next one starts. The
// first wall line of a clicked triangle starts at the first click, which need
// not be the topmost corner the triangle stores first.
bool IsTriangleGroup(size_t i, const triangle& t) {
  std::array<Corner, 3> corners{
      {{t.getv1x(), t.getv1y()}, {t.getv2x(), t.getv2y()}, {t.getv3x(), t.getv3y()}}};
  std::array<bool, 3> used{};
  for (size_t k = 0; k < 3; ++k) {
    const Lines& l = LinesList[i + k];
    if (!(End(l) == Start(LinesList[i + (k + 1) % 3]))) return false;
    bool matched = false;
    for (size_t c = 0; c < 3 && !matched; ++c) {
      if (!used[c] && Start(l) == corners[c]) used[c] = matched = true;
    }
    if (!matched) return false;
  }
  return true;
}

// The index of the first line of the group, or nothing. Only runs that fit
// wholly inside LinesList are looked at.
template <typename Shape>
std::optional<size_t> FindGroup(const Shape& shape, size_t size,
                                bool (*is_group)(size_t, const Shape&)) {
  for (size_t i = 0; i + size <= LinesList.size(); ++i) {
    if (is_group(i, shape)) return i;
  }
  return std::nullopt;
}

void ZeroLines(size_t first, size_t count) {
  for (size_t k = first; k < first + count; ++k) SetLine(LinesList[k], {0, 0}, {0, 0});
}

void EndBoxOrTriangle() {
  pickedb = -1;
  pickedt = -1;
  gPointList.clear();
}

void EndCircle() {
  pickedc = -1;
  EndBoxOrTriangle();
}

void MoveBox(Box& b, const Point& P) {
  b.setcx();
  b.setcy();
  const std::optional<size_t> i = FindGroup(b, 4, IsBoxGroup);
  int32_t X, Y;
  if (i && ToPixel(P.x, X) && ToPixel(P.y, Y)) {
    b.setnewx(X);
    b.setnewy(Y);
    const float h = static_cast<float>(b.getcx());
    const float k = static_cast<float>(b.getcy());
    const Corner top_left{P.x - h, P.y - k};
    const Corner bottom_left{P.x - h, P.y + k};
    const Corner bottom_right{P.x + h, P.y + k};
    const Corner top_right{P.x + h, P.y - k};
    SetLine(LinesList[*i], top_left, bottom_left);
    SetLine(LinesList[*i + 1], bottom_left, bottom_right);
    SetLine(LinesList[*i + 2], bottom_right, top_right);
    SetLine(LinesList[*i + 3], top_right, top_left);
  }
  EndBoxOrTriangle();
}

void MoveCircle(Circle& c, const Point& P) {
  int32_t X, Y;
  if (ToPixel(P.x, X) && ToPixel(P.y, Y)) {
    c.Setoriginx(static_cast<float>(X));
    c.Setoriginy(static_cast<float>(Y));
  }
  EndCircle();
}

// The bounding box's centre, cached by the pick that preceded the move,
// lands on the click; the shift is whole pixels.
void MoveTriangle(triangle& t, const Point& P) {
  const std::optional<size_t> i = FindGroup(t, 3, IsTriangleGroup);
  int32_t X, Y, dx, dy;
  if (i && ToPixel(P.x, X) && ToPixel(P.y, Y) &&
      ToPixel(static_cast<float>(X) - (static_cast<float>(t.getcx()) + t.getxmin()), dx) &&
      ToPixel(static_cast<float>(Y) - (static_cast<float>(t.getcy()) + t.getymin()), dy)) {
    const float fdx = static_cast<float>(dx);
    const float fdy = static_cast<float>(dy);
    const Corner first{t.getv1x() + fdx, t.getv1y() + fdy};
    const Corner second{t.getv2x() + fdx, t.getv2y() + fdy};
    const Corner third{t.getv3x() + fdx, t.getv3y() + fdy};
    SetLine(LinesList[*i], first, second);
    SetLine(LinesList[*i + 1], second, third);
    SetLine(LinesList[*i + 2], third, first);
    t.setv1x(first.x);
    t.setv1y(first.y);
    t.setv2x(second.x);
    t.setv2y(second.y);
    t.setv3x(third.x);
    t.setv3y(third.y);
  }
  EndBoxOrTriangle();
}

}  // namespace

void MovePicked(const Point& P) {
  if (Valid(pickedb, boxlist)) {
    MoveBox(boxlist[static_cast<size_t>(pickedb)], P);
  } else if (Valid(pickedc, circlist)) {
    MoveCircle(circlist[static_cast<size_t>(pickedc)], P);
  } else if (Valid(pickedt, trilist)) {
    MoveTriangle(trilist[static_cast<size_t>(pickedt)], P);
  }
}

void DeletePicked() {
  if (Valid(pickedb, boxlist)) {
    Box& b = boxlist[static_cast<size_t>(pickedb)];
    if (const std::optional<size_t> i = FindGroup(b, 4, IsBoxGroup)) {
      // Half extents first, so that the box collapses to the origin like a
      // deleted circle or triangle instead of staying as a box round it.
      b.setcx0();
      b.setcy0();
      b.setnewx(0);
      b.setnewy(0);
      ZeroLines(*i, 4);
    }
    EndBoxOrTriangle();
  } else if (Valid(pickedc, circlist)) {
    Circle& c = circlist[static_cast<size_t>(pickedc)];
    c.Setoriginx(0);
    c.Setoriginy(0);
    c.Setradius(0);
    EndCircle();
  } else if (Valid(pickedt, trilist)) {
    triangle& t = trilist[static_cast<size_t>(pickedt)];
    if (const std::optional<size_t> i = FindGroup(t, 3, IsTriangleGroup)) {
      ZeroLines(*i, 3);
      t.setv1x(0);
      t.setv1y(0);
      t.setv2x(0);
      t.setv2y(0);
      t.setv3x(0);
      t.setv3y(0);
    }
    EndBoxOrTriangle();
  }
}
