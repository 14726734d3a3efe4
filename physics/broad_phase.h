#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "physics/ball_collision.h"
#include "physics/ball_step.h"
#include "physics/pinball.h"
#include "scene/records.h"
#include "shapes/circle.h"

// The bounding box of a wall or circle, widened for rounding.
struct BroadPhaseBox {
  float x0, y0, x1, y1;
  bool Overlaps(float x, float y, float reach) const {
    // One test of all four sides, without a branch for each.
    return (x + reach >= x0) & (x - reach <= x1) & (y + reach >= y0) & (y - reach <= y1);
  }
};

// Finds, for one ball's turn in a tick, the balls, walls and circles it can
// possibly meet, so that the turn tests those instead of whole lists. It may
// offer more than can be met, never less: the tests themselves decide, so the
// tick gives exactly the results of testing everything.
//
// Built at the start of each tick on two uniform grids over the balls: a fine
// one holding each ball in the cell of its centre at that moment (a ball moves
// at most once in the tick, by its own speed), and a coarse one holding walls
// and circles by their bounding boxes widened for rounding. Each placed ball
// keeps a copy of its state in its cell, which the tick refreshes whenever it
// moves or turns the ball, so that the ball test reads partners in cell order.
// Whatever cannot be placed (not finite, or far outside the grids) is offered
// to every ball. The buffers are kept from tick to tick.
class BroadPhase {
 public:
  void Build(const std::vector<pinball>& balls, const std::vector<Lines>& walls,
             const std::vector<Circle>& circles);

  // Whether the turn of ball k can be served from the grids; a ball that is
  // not finite or lies outside them must be tested against every list. A big
  // ball is served, with a search as wide as its own size and step, though
  // it is not on the ball grid (every ball is offered it instead).
  bool Covers(int32_t k, const pinball& ball) const {
    return (slotOf[k] >= 0 || big[k]) && std::isfinite(ball.getvecX()) &&
           std::isfinite(ball.getvecY());
  }
  // Takes the present centre and direction of ball k, after it moved or turned.
  void Refresh(int32_t k, const pinball& ball) {
    if (slotOf[k] < 0) return;
    ballEntries[slotOf[k]].state = StateOf(ball);
  }

  // The wall's unit normal, as WallNormal gives it, computed once.
  const VECTOR& Normal(int32_t wall) const { return wallTerms[wall].normal; }

  // Each visit call offers one candidate by its index, in no particular order
  // and possibly more than once. Only for a ball that Covers() accepts.
  // Partners come with their present state; walls with whether only a
  // crossing can meet them (they lie beyond the radius and the step).
  template <typename Visit>
  void VisitBalls(const BallStep& b, const std::vector<pinball>& balls, Visit visit) const;
  template <typename Visit>
  void VisitWalls(const BallStep& b, float speed, Visit visit) const;
  template <typename Visit>
  void VisitCircles(const BallStep& b, float speed, Visit visit) const;

 private:
  struct CellRange {
    int32_t cx0, cy0, cx1, cy1;
  };
  // Square cells of side `cell` from (left, top), columns x rows.
  struct Grid {
    float left = 0, top = 0, cell = 1, perCell = 1;
    int32_t columns = 0, rows = 0;

    void Cover(float x0, float y0, float x1, float y1, float side, size_t cellLimit);
    size_t Count() const { return static_cast<size_t>(columns) * static_cast<size_t>(rows); }
    bool Contains(float x0, float y0, float x1, float y1) const {
      return x0 >= left && y0 >= top && x1 <= left + columns * cell && y1 <= top + rows * cell;
    }
    // Placing and finding use this one function, so that an item is found in
    // the cells it was placed in. Clamped to the grid.
    static int32_t Index(float offset, float perCell, int32_t count) {
      const float c = offset * perCell;
      if (!(c > 0)) return 0;
      if (c >= static_cast<float>(count - 1)) return count - 1;
      return static_cast<int32_t>(c);  // the floor, for what is left
    }
    int32_t Column(float x) const { return Index(x - left, perCell, columns); }
    int32_t Row(float y) const { return Index(y - top, perCell, rows); }
    CellRange Cells(float x0, float y0, float x1, float y1) const {
      return {Column(x0), Row(y0), Column(x1), Row(y1)};
    }
  };
  using Box = BroadPhaseBox;
  struct WallTerms {  // what the tests and the reach test use of each wall, computed once
    VECTOR normal;
    float x1, y1, dx, dy, dd, margin;
    float lineMargin;  // the wall's part of the rounding CanMeet allows for
    bool finite;
  };
  struct Placed {  // a ball, in the cell of its centre at the start of the tick
    PartnerState state;
    int32_t index;
  };
  struct PlacedBox {  // a wall or circle, in each cell its box overlaps
    Box box;
    int32_t index;
    int32_t firstColumn, firstRow;  // the cell of the box's top left corner
    int32_t column;                 // the cell's own column
  };
  // Buckets of equal width over the directions [0, 2), for finding the walls
  // of a direction without a search.
  static constexpr int32_t kDirectionBuckets = 4096;
  // Finer buckets, a bit each: whether any wall lies within the window of a
  // direction there, which for most steps it does not.
  static constexpr int32_t kDirectionBits = 65536;
  static constexpr int32_t kGather = 64;

  float Slack(const BallStep& b) const { return 1 + 1e-5f * (std::fabs(b.cx) + std::fabs(b.cy)); }
  void PlaceBalls(const std::vector<pinball>& balls);
  bool SameShapes(const std::vector<Lines>& walls, const std::vector<Circle>& circles,
                  float side) const;
  void PlaceShapes(const std::vector<Lines>& walls, const std::vector<Circle>& circles, float side);
  void CoverShapes(size_t items, float side);
  void PlaceBoxes(const std::vector<Box>& boxes, const std::vector<bool>& inGrid,
                  std::vector<int32_t>& start, std::vector<PlacedBox>& entries,
                  std::vector<int32_t>& everywhere);
  void SortByDirection(const std::vector<Lines>& walls);
  template <typename Visit>
  void VisitBoxes(const BallStep& b, float reach, const std::vector<int32_t>& start,
                  const std::vector<PlacedBox>& entries, Visit visit) const;
  template <typename Visit>
  void VisitNearlyParallel(const BallStep& b, Visit visit) const;

  // Whether wall k comes within `reach` of the centre, or might with rounding.
  // A wall that does not can be met only by a crossing, and only by a step
  // nearly parallel to it. Without a branch, as it is asked of many walls.
  bool NearWall(int32_t k, const BallStep& b, float reach) const {
    const WallTerms& w = wallTerms[k];
    const float R = reach + w.margin;
    const float px = b.cx - w.x1, py = b.cy - w.y1;
    const float qx = px - w.dx, qy = py - w.dy;
    const float along = px * w.dx + py * w.dy;
    const float across = px * w.dy - py * w.dx;
    // Beyond an end, the distance to that end point; between them, to the line.
    const bool start = along <= 0, end = !start & (along >= w.dd);
    const bool near = (start & (px * px + py * py <= R * R)) |
                      (end & (qx * qx + qy * qy <= R * R)) |
                      (!start & !end & (across * across <= R * R * w.dd));
    return near | !w.finite;
  }
  // Whether the step can meet wall k at all. It cannot when the centre stays,
  // over its whole step, farther than the radius from the wall's line, on
  // one side of it: no rim point crosses the line, none touches the wall,
  // and no end point comes within the radius. The margins (BallMargin and the
  // wall's lineMargin) cover, many times over, the rounding of the crossing
  // test's cross products, a few float steps of the coordinates, radius and
  // step whatever the angle, and that of the end point test's root, which
  // near a grazing contact is exact to about 1e-3 of the distance.
  // Not-a-number can meet.
  bool CanMeet(int32_t k, const BallStep& b, float ballMargin) const {
    const WallTerms& w = wallTerms[k];
    const float R = std::fabs(b.r) + ballMargin + w.lineMargin;
    const float from = (b.cx - w.x1) * w.normal.i + (b.cy - w.y1) * w.normal.j;
    const float to = from + (b.mx * w.normal.i + b.my * w.normal.j);
    // The nearer and farther of the two, without a branch; a not-a-number
    // `to` (an infinite step) must meet, as min and max would drop it.
    const float nearer = std::min(from, to), farther = std::max(from, to);
    return !(((nearer > R) | (farther < -R)) & (to == to));
  }
  // The ball's part of that rounding.
  static float BallMargin(const BallStep& b) {
    return 1e-5f * (std::fabs(b.cx) + std::fabs(b.cy)) +
           1e-3f * (std::fabs(b.r) + std::fabs(b.mx) + std::fabs(b.my));
  }

  Grid balls, shapes;
  // The widest reach of any query from a ball's centre; the grids reach
  // twice as far beyond every placed centre, so no query leaves them.
  float reachMax = 1;
  float maxRadius = 0, maxSpeed = 0;
  size_t placeable = 0;  // balls that are finite and near enough to place

  // Per cell, balls, walls and circles as index ranges into the entry lists.
  std::vector<int32_t> ballStart, wallStart, circleStart;
  std::vector<Placed> ballEntries;
  std::vector<PlacedBox> wallEntries, circleEntries;
  std::vector<bool> inReach;    // each ball finite and within the grids' limit
  std::vector<int32_t> slotOf;  // each ball's place in ballEntries, -1 if not placed
  std::vector<bool> big;        // each ball far bigger or faster than most, kept off the ball grid
  std::vector<int32_t> next;    // scratch of the placement: next free place of each cell
  // What every ball is offered.
  std::vector<int32_t> strayBalls, everywhereWalls, everywhereCircles;

  // The walls and circles the shape grid was built for, and its cell side.
  std::vector<Lines> lastWalls;
  std::vector<Circle> lastCircles;
  float shapeSide = -1;
  std::vector<WallTerms> wallTerms;
  std::vector<Box> wallBoxes, circleBoxes;
  std::vector<bool> wallPlaceable, circlePlaceable;

  // Walls by the direction of their line, for steps nearly parallel to them.
  std::vector<std::pair<double, int32_t>> slopeOrder;  // scratch of the sort
  std::vector<double> slopeKeys;
  std::vector<int32_t> slopeWalls;
  std::vector<int32_t> bucketStart;  // per bucket, its first place in slopeKeys
  std::vector<uint64_t> directionBits;
  std::vector<int32_t> horizontalWalls, verticalWalls;
};

// The direction of (x, y) up to its sign as a number in [0, 2): 0 for the x
// axis, 1 for the y axis, growing with the angle (by at most the angle).
double DirectionKey(double x, double y);

// The widest angle, as a difference of DirectionKey, between a step and a
// wall within which rounding can make the crossing test report a wall far
// from the ball. Outside it (the sine of the angle at least 1e-4), a wall
// that the test reports lies within the radius, 1.0054 steps and 0.0054 of
// the wall's length of the centre: the rounding of the three cross products
// of the test, relative to the sine, bounds how far the crossing it reports
// can be from the true one. The reaches and margins below cover that twice.
constexpr double kNearlyParallel = 1.01e-4;

template <typename Visit>
void BroadPhase::VisitBalls(const BallStep& b, const std::vector<pinball>& all, Visit visit) const {
  // A partner passes the distance test only when its next centre is within
  // both radii of the mover's next centre. It sits in the cell where it
  // started, which can be a step away.
  const float reach = b.r + maxRadius + Slack(b);
  const float reach2 = reach * reach;
  const float cellReach = reach + 2.002f * maxSpeed + 1;
  // (A big ball's search reaches past the grid, which clamps it: every
  // placed ball lies on the grid.)
  const int32_t y0 = balls.Row(b.ny - cellReach), y1 = balls.Row(b.ny + cellReach);
  const int32_t x0 = balls.Column(b.nx - cellReach), x1 = balls.Column(b.nx + cellReach) + 1;
  const Placed* near[kGather];
  for (int32_t y = y0; y <= y1 && balls.Count() > 0; ++y) {
    // The row's cells within cellReach lie side by side in the entries.
    const int32_t row = y * balls.columns;
    int32_t k = ballStart[row + x0];
    const int32_t end = ballStart[row + x1];
    while (k < end) {
      // Gathered without a branch per ball (which most of them would take), then visited.
      int32_t count = 0;
      for (const int32_t stop = std::min(end, k + kGather); k < stop; ++k) {
        const Placed& p = ballEntries[k];
        const float dx = p.state.nx - b.nx, dz = p.state.ny - b.ny;
        near[count] = &p;
        count += dx * dx + dz * dz <= reach2;
      }
      for (int32_t n = 0; n < count; ++n) visit(near[n]->index, near[n]->state);
    }
  }
  for (int32_t k : strayBalls) visit(k, StateOf(all[k]));
}

template <typename Visit>
void BroadPhase::VisitBoxes(const BallStep& b, float reach, const std::vector<int32_t>& start,
                            const std::vector<PlacedBox>& entries, Visit visit) const {
  if (shapes.Count() == 0) return;
  const CellRange r = shapes.Cells(b.cx - reach, b.cy - reach, b.cx + reach, b.cy + reach);
  for (int32_t y = r.cy0; y <= r.cy1; ++y) {
    // The row's cells within reach lie side by side in the entries.
    const int32_t row = y * shapes.columns;
    const int32_t end = start[row + r.cx1 + 1];
    for (int32_t k = start[row + r.cx0]; k < end;) {
      // Gathered without a branch per box, as the balls are. A box in several
      // of these cells is offered once, from the cell holding the top left
      // corner of its overlap with the query: as Column and Row never
      // decrease, that is the later of the two corners' cells.
      int32_t near[kGather];
      int32_t count = 0;
      for (const int32_t stop = std::min(end, k + kGather); k < stop; ++k) {
        const PlacedBox& e = entries[k];
        near[count] = e.index;
        count += static_cast<int32_t>(e.box.Overlaps(b.cx, b.cy, reach)) &
                 (std::max(e.firstColumn, r.cx0) == e.column) & (std::max(e.firstRow, r.cy0) == y);
      }
      for (int32_t n = 0; n < count; ++n) visit(near[n]);
    }
  }
}

template <typename Visit>
void BroadPhase::VisitWalls(const BallStep& b, float speed, Visit visit) const {
  // Every contact with a wall lies within the radius and the step of the
  // centre, but for the crossing of a nearly parallel wall.
  const float reach = b.r + speed * 1.01f + 1e-5f * (std::fabs(b.cx) + std::fabs(b.cy));
  const float ballMargin = BallMargin(b);
  // The walls found are kept here and sifted together, without a branch for each.
  int32_t found[kGather];
  int32_t count = 0;
  auto sift = [&] {
    int32_t kept = 0;
    for (int32_t n = 0; n < count; ++n) {
      found[kept] = found[n];
      kept += static_cast<int32_t>(NearWall(found[n], b, reach)) &
              static_cast<int32_t>(CanMeet(found[n], b, ballMargin));
    }
    for (int32_t n = 0; n < kept; ++n) visit(found[n], false);
    count = 0;
  };
  auto keep = [&](int32_t w) {
    found[count++] = w;
    if (count == kGather) sift();
  };
  // The boxes hold every wall NearWall takes, with room for their own rounding.
  VisitBoxes(b, reach + 0.01f + 1e-5f * (std::fabs(reach) + std::fabs(b.cx) + std::fabs(b.cy)),
             wallStart, wallEntries, keep);
  for (int32_t w : everywhereWalls) keep(w);
  sift();
  VisitNearlyParallel(b, [&](int32_t w) {
    if (CanMeet(w, b, ballMargin)) visit(w, !NearWall(w, b, reach));
  });
}

template <typename Visit>
void BroadPhase::VisitCircles(const BallStep& b, float speed, Visit visit) const {
  VisitBoxes(b, b.r + speed * 1.01f + Slack(b), circleStart, circleEntries, visit);
  for (int32_t i : everywhereCircles) visit(i);
}

template <typename Visit>
void BroadPhase::VisitNearlyParallel(const BallStep& b, Visit visit) const {
  if (b.mx == 0 && b.my == 0) return;  // no step: no crossing at all
  const double key = DirectionKey(b.mx, b.my);
  if (!(key >= 0 && key <= 2)) return;  // an infinite step, which crosses nothing
  // The keys in [from, to] lie between the start of from's bucket and the
  // start of the bucket after to's.
  auto bucket = [](double key) {
    return static_cast<int32_t>(
        std::clamp(key * (kDirectionBuckets / 2), 0.0, static_cast<double>(kDirectionBuckets)));
  };
  auto visitRange = [&](double from, double to) {
    const int32_t last = bucketStart[std::min(bucket(to) + 1, kDirectionBuckets)];
    for (int32_t k = bucketStart[bucket(from)]; k < last; ++k)
      if (slopeKeys[k] >= from && slopeKeys[k] <= to) visit(slopeWalls[k]);
  };
  const int32_t bit =
      std::min(static_cast<int32_t>(key * (kDirectionBits / 2)), kDirectionBits - 1);
  if ((directionBits[bit / 64] >> (bit % 64)) & 1) {
    visitRange(key - kNearlyParallel, key + kNearlyParallel);
    if (key - kNearlyParallel < 0) visitRange(key - kNearlyParallel + 2, 2);
    if (key + kNearlyParallel > 2) visitRange(0, key + kNearlyParallel - 2);
  }
  // A step exactly along an axis divides by exactly zero against walls along
  // the same axis, which is never a crossing; any other step near an axis is
  // offered those walls.
  const bool nearX = key < kNearlyParallel || key > 2 - kNearlyParallel;
  const bool nearY = key > 1 - kNearlyParallel && key < 1 + kNearlyParallel;
  if (nearX && b.my != 0)
    for (int32_t w : horizontalWalls) visit(w);
  if (nearY && b.mx != 0)
    for (int32_t w : verticalWalls) visit(w);
}
