#include "scene/move_delete.h"

#include <cstddef>
#include <optional>

#include "render/pixel_coord.h"
#include "scene/history.h"
#include "scene/scene.h"

// Every box and triangle built by the scene notes where its wall lines start
// in LinesList (four for a box, three for a triangle), so a move or a delete
// rewrites exactly those lines and no other shape's.

namespace {

struct Corner {
  float x;
  float y;
};

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

// The index of the shape's first wall line, or nothing for a shape built
// without lines (or whose lines are not all there).
template <typename Shape>
std::optional<size_t> Group(const Shape& shape, size_t size) {
  const int32_t first = shape.getwalls();
  if (first < 0 || static_cast<size_t>(first) + size > LinesList.size()) return std::nullopt;
  return static_cast<size_t>(first);
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
  const std::optional<size_t> i = Group(b, 4);
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
  const std::optional<size_t> i = Group(t, 3);
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

bool AnyPick() {
  return Valid(pickedb, boxlist) || Valid(pickedc, circlist) || Valid(pickedt, trilist);
}

// A move or a delete of a picked shape is a change, even where the shape
// could not be found again.
void MovePicked(const Point& P) {
  if (AnyPick()) NoteEdit();
  if (Valid(pickedb, boxlist)) {
    MoveBox(boxlist[static_cast<size_t>(pickedb)], P);
  } else if (Valid(pickedc, circlist)) {
    MoveCircle(circlist[static_cast<size_t>(pickedc)], P);
  } else if (Valid(pickedt, trilist)) {
    MoveTriangle(trilist[static_cast<size_t>(pickedt)], P);
  }
}

void DeletePicked() {
  if (AnyPick()) NoteEdit();
  if (Valid(pickedb, boxlist)) {
    Box& b = boxlist[static_cast<size_t>(pickedb)];
    if (const std::optional<size_t> i = Group(b, 4)) {
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
    if (const std::optional<size_t> i = Group(t, 3)) {
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
