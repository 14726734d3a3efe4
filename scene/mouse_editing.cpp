#include "scene/mouse_editing.h"

#include <cmath>
#include <cstddef>

#include "render/pixel_coord.h"
#include "scene/document.h"
#include "scene/history.h"
#include "scene/move_delete.h"
#include "scene/picking.h"
#include "scene/scene.h"

namespace {

// Wall lines always carry the colour of the moment they are made.
void AddLine(const Point& from, const Point& to) {
  LinesList.push_back({from.x, from.y, color, to.x, to.y, color});
}

void AddVertex(const Point& p, int32_t kind) { polylist.push_back({p.x, p.y, p.colour, kind}); }

// The position the next wall line takes: a box or triangle notes it as the
// start of its own lines, so that a move or a delete never has to guess.
int32_t NextLine() { return static_cast<int32_t>(LinesList.size()); }

// Every left click re-picks under the gesture's first point, so a second
// click moves whatever the first one landed on.
void PickUnderFirstPoint() {
  int32_t X0 = 0, Y0 = 0;
  const Point& first = gPointList.front();
  if (!ToPixel(first.x, X0) || !ToPixel(first.y, Y0)) return;
  pickedb = ObjectPickerB(X0, Y0, boxlist);
  pickedc = ObjectPickerC(X0, Y0, circlist);
  pickedt = ObjectPickerT(X0, Y0, trilist);
}

// Wall lines come from the first three points and the triangle from the last
// three; in the ordinary gesture they are the same three.
void BuildTriangle() {
  const std::vector<Point>& P = gPointList;
  const size_t n = P.size();
  NoteEdit();
  trilist.push_back(triangle(P[n - 3].x, P[n - 3].y, P[n - 2].x, P[n - 2].y, P[n - 1].x, P[n - 1].y,
                             P[n - 1].colour));
  trilist.back().setwalls(NextLine());
  AddLine(P[0], P[2]);
  AddLine(P[2], P[1]);
  AddLine(P[1], P[0]);
}

// Two clicks at one spot would make a circle of radius 0 or a box of size 0:
// invisible and unpickable, yet walls or a rim that balls bounce off. As for
// a ball, nothing is made.
bool SameSpot(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

void BuildCircle() {
  const std::vector<Point>& P = gPointList;
  if (SameSpot(P[0], P[1])) return;
  NoteEdit();
  circlist.push_back(Circle(P[0].x, P[0].y, P[1].x, P[1].y, P[1].colour));
}

void BuildBox() {
  const Point p0 = gPointList[0];
  const Point p1 = gPointList[1];
  int32_t x0, y0, x1, y1;
  if (!ToPixel(p0.x, x0) || !ToPixel(p0.y, y0) || !ToPixel(p1.x, x1) || !ToPixel(p1.y, y1) ||
      SameSpot(p0, p1)) {
    return;
  }
  NoteEdit();
  boxlist.push_back(Box(x0, y0, x1, y1, p1.colour));
  boxlist.back().setwalls(NextLine());
  gPointList.push_back({p0.x, p1.y, color});
  gPointList.push_back({p1.x, p0.y, color});
  // With two clicks pending these are the four edges; with more, the extra
  // corners sit behind the earlier points and the lines take P[2], P[3].
  const std::vector<Point>& P = gPointList;
  AddLine(P[0], P[2]);
  AddLine(P[1], P[2]);
  AddLine(P[0], P[3]);
  AddLine(P[1], P[3]);
}

void AddPolygonVertex() {
  const std::vector<Point>& P = gPointList;
  const size_t n = P.size();
  NoteEdit();
  if (n == 1) {
    AddVertex(P[0], kOpensPolygon);
    return;
  }
  AddLine(P[n - 1], P[n - 2]);
  AddVertex(P[n - 1], kContinuesPolygon);
}

// Two clicks at one spot give no direction; such a ball would carry
// not-a-number into every collision test, so none is made.
void BuildBall() {
  const Point& from = gPointList[0];
  const Point& to = gPointList[1];
  const pinball ball(from.x, from.y, to.x, to.y, color, speed, pinrad);
  if (std::isfinite(ball.getvecX()) && std::isfinite(ball.getvecY())) {
    NoteEdit();
    BallList.push_back(ball);
  }
}

void BuildShape(size_t n) {
  switch (shape) {
    case type::triangle:
      if (n % 3 == 0) {
        BuildTriangle();
        gPointList.clear();
      }
      break;
    case type::circle:
      if (n % 2 == 0) {
        BuildCircle();
        gPointList.clear();
      }
      break;
    case type::box:
      if (n % 2 == 0) {
        BuildBox();
        gPointList.clear();
      }
      break;
    case type::polygon:
      AddPolygonVertex();
      break;
  }
}

}  // namespace

void LeftClick(uint16_t x, uint16_t y) {
  if (!Pause) return;
  const SceneEdit edit;
  gPointList.push_back({static_cast<float>(x), static_cast<float>(y), color});
  PickUnderFirstPoint();
  const size_t n = gPointList.size();
  if (n == 2 && AnyPick()) {
    const Point second = gPointList[1];  // the move empties the list
    MovePicked(second);
    return;
  }
  if (!CreateBall) {
    BuildShape(n);
    return;
  }
  if (n == 2) {
    BuildBall();
    gPointList.clear();
  }
}

void RightClick(uint16_t x, uint16_t y) {
  const SceneEdit edit;
  gPointList.push_back({static_cast<float>(x), static_cast<float>(y), color});
  const std::vector<Point>& P = gPointList;
  const size_t n = P.size();
  // With nothing pending before it there is no polygon to close.
  if (shape == type::polygon && n >= 2) {
    NoteEdit();
    AddVertex(P[n - 1], kClosesPolygon);
    AddLine(P[n - 1], P[n - 2]);
    AddLine(P[n - 1], P[0]);
  }
  gPointList.clear();
}
