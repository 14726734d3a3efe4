#include "physics/broad_phase.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "physics/wall_collision.h"

namespace {

// Centres farther out than this are offered to every ball instead of being
// placed, so that the grids stay small and their arithmetic exact enough.
constexpr float kGridLimit = 1e6f;
// The most cells of each grid for n placed balls; a wider scene gets bigger cells.
size_t BallCellLimit(size_t n) { return 16 * n + 65536; }
size_t ShapeCellLimit(size_t n) { return 4 * n + 4096; }
// An item whose box covers more cells than this is offered to every ball.
constexpr int64_t kMaxCellsPerItem = 4096;
// A ball whose reach (radius and speed) is more than this many times that of
// most balls is offered to every ball instead of widening every search, as
// long as there are at most kMostBigBalls such balls.
constexpr float kBigReach = 8;
constexpr size_t kMostBigBalls = 32;

bool Finite(std::initializer_list<float> values) {
  for (float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

// A box a grid may hold: within reach of the balls that can be placed.
bool Near(const BroadPhaseBox& b) {
  return b.x0 >= -2 * kGridLimit && b.y0 >= -2 * kGridLimit && b.x1 <= 2 * kGridLimit &&
         b.y1 <= 2 * kGridLimit;
}

bool Placeable(const pinball& ball) {
  return Finite({ball.Getoriginx(), ball.Getoriginy(), ball.getvecX(), ball.getvecY(),
                 ball.getspeed(), ball.Getradius()}) &&
         std::fabs(ball.Getoriginx()) <= kGridLimit && std::fabs(ball.Getoriginy()) <= kGridLimit;
}

// How far a ball's own size and step take its search.
float BallReach(const pinball& ball) {
  return std::fabs(ball.Getradius()) + std::fabs(ball.getspeed());
}

// The reach beyond which a placeable ball is left off the grid: one that
// most balls' reach (the median, to within a power of two) does not come
// near, unless there are too many such balls for each ball to test them all.
float BigReach(const std::vector<pinball>& all) {
  // Balls by the power of two of their reach: class c holds reaches below 2^c.
  constexpr int kClasses = 130;
  size_t count[kClasses] = {};
  size_t placed = 0;
  for (const pinball& ball : all) {
    if (!Placeable(ball)) continue;
    const float reach = BallReach(ball);
    ++count[reach < 1 ? 0 : std::min(std::ilogb(reach) + 1, kClasses - 1)];
    ++placed;
  }
  size_t seen = 0;
  int median = 0;
  while (median < kClasses - 1 && (seen += count[median]) < (placed + 1) / 2) ++median;
  const float big = kBigReach * std::ldexp(1.0f, median) + kBigReach;
  size_t bigOnes = 0;
  for (const pinball& ball : all) bigOnes += Placeable(ball) && BallReach(ball) > big;
  return bigOnes <= kMostBigBalls ? big : std::numeric_limits<float>::infinity();
}

// Sizes a buffer kept from tick to tick, with room for `most` items (or twice
// what is asked, when more), so that a scene that changes a little from tick
// to tick does not allocate again.
template <typename T>
void Fit(std::vector<T>& v, size_t n, const T& value, size_t most = 0) {
  if (v.capacity() < n) v.reserve(std::max(2 * n, most));
  v.assign(n, value);
}
template <typename T>
void FitSize(std::vector<T>& v, size_t n, size_t most = 0) {
  if (v.capacity() < n) v.reserve(std::max(2 * n, most));
  v.resize(n);
}
// Empties a list that is filled item by item, with room for `most` items.
template <typename T>
void Empty(std::vector<T>& v, size_t most) {
  v.clear();
  if (v.capacity() < most) v.reserve(most);
}

}  // namespace

double DirectionKey(double x, double y) {
  if (y < 0 || (y == 0 && x < 0)) {
    x = -x;
    y = -y;
  }
  if (x >= 0) return y / (x + y);
  return 1 + (-x) / (y - x);
}

void BroadPhase::Grid::Cover(float x0, float y0, float x1, float y1, float side, size_t cellLimit) {
  left = x0;
  top = y0;
  cell = side;
  for (;;) {
    columns = static_cast<int32_t>((x1 - x0) / cell) + 2;
    rows = static_cast<int32_t>((y1 - y0) / cell) + 2;
    if (static_cast<double>(columns) * rows <= static_cast<double>(cellLimit)) break;
    cell *= 2;
  }
  perCell = 1 / cell;
}

void BroadPhase::Build(const std::vector<pinball>& all, const std::vector<Lines>& walls,
                       const std::vector<Circle>& circles) {
  float x0 = kGridLimit, y0 = kGridLimit, x1 = -kGridLimit, y1 = -kGridLimit;
  float maxCoordinate = 0;
  maxRadius = maxSpeed = 0;
  placeable = 0;
  Fit(inReach, all.size(), false);
  Fit(big, all.size(), false);
  // A few big balls are offered to every ball, as strays are, so that the
  // others' searches reach only as far as their own sizes and steps need.
  const float bigReach = BigReach(all);
  for (size_t k = 0; k < all.size(); ++k) {
    const pinball& ball = all[k];
    if (!Placeable(ball)) continue;
    if (BallReach(ball) > bigReach) {
      big[k] = true;
      continue;
    }
    inReach[k] = true;
    ++placeable;
    x0 = std::min(x0, ball.Getoriginx());
    x1 = std::max(x1, ball.Getoriginx());
    y0 = std::min(y0, ball.Getoriginy());
    y1 = std::max(y1, ball.Getoriginy());
    maxRadius = std::max(maxRadius, std::fabs(ball.Getradius()));
    maxSpeed = std::max(maxSpeed, std::fabs(ball.getspeed()));
    maxCoordinate =
        std::max({maxCoordinate, std::fabs(ball.Getoriginx()), std::fabs(ball.Getoriginy())});
  }
  balls = Grid{};
  if (placeable > 0) {
    reachMax = 2 * maxRadius + 3.003f * maxSpeed + 2 + 2e-5f * maxCoordinate;
    const float pad = 2 * reachMax;
    // Fine cells for the balls, which the ball test scans row by row.
    balls.Cover(x0 - pad, y0 - pad, x1 + pad, y1 + pad, reachMax / 2, BallCellLimit(placeable));
  }
  PlaceBalls(all);

  // Walls and circles change only between frames: while they, and the
  // reach that sizes their cells, stay as they were, so does their grid.
  const float side = 2 * maxRadius + 3.003f * maxSpeed + 2;
  if (!SameShapes(walls, circles, side)) PlaceShapes(walls, circles, side);
}

bool BroadPhase::SameShapes(const std::vector<Lines>& walls, const std::vector<Circle>& circles,
                            float side) const {
  auto same = [](float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  if (!same(side, shapeSide) || walls.size() != lastWalls.size() ||
      circles.size() != lastCircles.size())
    return false;
  for (size_t k = 0; k < walls.size(); ++k) {
    const Lines &a = walls[k], &b = lastWalls[k];
    if (!same(a.x1, b.x1) || !same(a.y1, b.y1) || !same(a.x2, b.x2) || !same(a.y2, b.y2))
      return false;
  }
  for (size_t k = 0; k < circles.size(); ++k) {
    const Circle &a = circles[k], &b = lastCircles[k];
    if (!same(a.Getoriginx(), b.Getoriginx()) || !same(a.Getoriginy(), b.Getoriginy()) ||
        !same(a.Getradius(), b.Getradius()))
      return false;
  }
  return true;
}

void BroadPhase::PlaceShapes(const std::vector<Lines>& walls, const std::vector<Circle>& circles,
                             float side) {
  lastWalls = walls;
  lastCircles = circles;
  shapeSide = side;
  FitSize(wallTerms, walls.size());
  FitSize(wallBoxes, walls.size());
  Fit(wallPlaceable, walls.size(), false);
  for (size_t k = 0; k < walls.size(); ++k) {
    const Lines& w = walls[k];
    const float dx = std::fabs(w.x2 - w.x1), dy = std::fabs(w.y2 - w.y1);
    // Rounding in the crossing test grows with the wall's length and position;
    // the reach test itself is exact to far less than the 0.05 kept.
    const float margin =
        0.05f + 1e-2f * (dx + dy) +
        1e-5f * (std::fabs(w.x1) + std::fabs(w.y1) + std::fabs(w.x2) + std::fabs(w.y2));
    wallBoxes[k] = {std::min(w.x1, w.x2) - margin, std::min(w.y1, w.y2) - margin,
                    std::max(w.x1, w.x2) + margin, std::max(w.y1, w.y2) + margin};
    // Walls of no length are never met: neither placed nor offered.
    const bool none = w.x1 == w.x2 && w.y1 == w.y2;
    const bool finite = Finite({w.x1, w.y1, w.x2, w.y2, margin});
    wallPlaceable[k] = none || (finite && Near(wallBoxes[k]));
    const float wdx = w.x2 - w.x1, wdy = w.y2 - w.y1;
    const float lineMargin =
        0.01f + 1e-3f * (dx + dy) +
        1e-5f * (std::fabs(w.x1) + std::fabs(w.y1) + std::fabs(w.x2) + std::fabs(w.y2));
    wallTerms[k] = {WallNormal(w),         w.x1,   w.y1,       wdx,   wdy,
                    wdx * wdx + wdy * wdy, margin, lineMargin, finite};
    if (none) wallBoxes[k] = {1, 1, -1, -1};  // lies nowhere
  }

  FitSize(circleBoxes, circles.size());
  Fit(circlePlaceable, circles.size(), false);
  for (size_t k = 0; k < circles.size(); ++k) {
    const Circle& c = circles[k];
    const float R = std::fabs(c.Getradius());
    const float margin =
        R + 1 + 1e-5f * (std::fabs(c.Getoriginx()) + std::fabs(c.Getoriginy()) + R);
    circleBoxes[k] = {c.Getoriginx() - margin, c.Getoriginy() - margin, c.Getoriginx() + margin,
                      c.Getoriginy() + margin};
    circlePlaceable[k] = Finite({c.Getoriginx(), c.Getoriginy(), margin}) && Near(circleBoxes[k]);
  }
  // Coarse cells for walls and circles, over what they cover: the same from
  // tick to tick while the scene stays as it is.
  CoverShapes(walls.size() + circles.size(), side);
  PlaceBoxes(wallBoxes, wallPlaceable, wallStart, wallEntries, everywhereWalls);
  PlaceBoxes(circleBoxes, circlePlaceable, circleStart, circleEntries, everywhereCircles);

  SortByDirection(walls);
}

void BroadPhase::CoverShapes(size_t items, float side) {
  float x0 = kGridLimit, y0 = kGridLimit, x1 = -kGridLimit, y1 = -kGridLimit;
  auto extend = [&](const std::vector<Box>& boxes, const std::vector<bool>& inGrid) {
    for (size_t k = 0; k < boxes.size(); ++k) {
      if (!inGrid[k] || boxes[k].x0 > boxes[k].x1) continue;
      x0 = std::min(x0, boxes[k].x0);
      y0 = std::min(y0, boxes[k].y0);
      x1 = std::max(x1, boxes[k].x1);
      y1 = std::max(y1, boxes[k].y1);
    }
  };
  extend(wallBoxes, wallPlaceable);
  extend(circleBoxes, circlePlaceable);
  shapes = Grid{};
  if (x0 <= x1 && y0 <= y1) shapes.Cover(x0, y0, x1, y1, side, ShapeCellLimit(items));
}

void BroadPhase::PlaceBalls(const std::vector<pinball>& all) {
  const size_t cells = balls.Count();
  Fit(ballStart, cells + 1, 0, BallCellLimit(placeable) + 1);
  Fit(slotOf, all.size(), -1);
  Empty(strayBalls, all.size());
  for (size_t k = 0; k < all.size(); ++k) {
    const float x = all[k].Getoriginx(), y = all[k].Getoriginy();
    // Only a ball whose widest query stays on the grid is placed.
    if (!inReach[k] || !balls.Contains(x - reachMax, y - reachMax, x + reachMax, y + reachMax)) {
      strayBalls.push_back(static_cast<int32_t>(k));
      continue;
    }
    slotOf[k] = balls.Row(y) * balls.columns + balls.Column(x);  // its cell, for now
    ++ballStart[slotOf[k] + 1];
  }
  for (size_t c = 1; c <= cells; ++c) ballStart[c] += ballStart[c - 1];
  FitSize(ballEntries, ballStart[cells], all.size());
  FitSize(next, cells + 1, BallCellLimit(placeable) + 1);
  std::copy(ballStart.begin(), ballStart.end(), next.begin());
  for (size_t k = 0; k < all.size(); ++k) {
    if (slotOf[k] < 0) continue;
    slotOf[k] = next[slotOf[k]]++;
    ballEntries[slotOf[k]] = {StateOf(all[k]), static_cast<int32_t>(k)};
  }
}

void BroadPhase::PlaceBoxes(const std::vector<Box>& boxes, const std::vector<bool>& inGrid,
                            std::vector<int32_t>& start, std::vector<PlacedBox>& entries,
                            std::vector<int32_t>& everywhere) {
  const size_t cells = shapes.Count();
  const float right = shapes.left + shapes.columns * shapes.cell;
  const float bottom = shapes.top + shapes.rows * shapes.cell;
  Fit(start, cells + 1, 0, cells + 1);
  Empty(everywhere, boxes.size());
  // Which cells an item goes to: none when it lies off the grid (no ball that
  // the grid serves can reach it), every ball's list when it is not finite or too big.
  auto place = [&](size_t k, CellRange& r) {
    if (!inGrid[k]) {
      everywhere.push_back(static_cast<int32_t>(k));
      return false;
    }
    const Box& b = boxes[k];
    if (cells == 0 || b.x0 > b.x1 || b.x1 < shapes.left || b.x0 > right || b.y1 < shapes.top ||
        b.y0 > bottom)
      return false;
    r = shapes.Cells(b.x0, b.y0, b.x1, b.y1);
    if (int64_t{r.cx1 - r.cx0 + 1} * (r.cy1 - r.cy0 + 1) > kMaxCellsPerItem) {
      everywhere.push_back(static_cast<int32_t>(k));
      return false;
    }
    return true;
  };
  CellRange r{};
  everywhere.clear();
  for (size_t k = 0; k < boxes.size(); ++k) {
    if (!place(k, r)) continue;
    for (int32_t y = r.cy0; y <= r.cy1; ++y)
      for (int32_t x = r.cx0; x <= r.cx1; ++x) ++start[y * shapes.columns + x + 1];
  }
  for (size_t c = 1; c <= cells; ++c) start[c] += start[c - 1];
  FitSize(entries, start[cells]);
  FitSize(next, cells + 1);
  std::copy(start.begin(), start.end(), next.begin());
  everywhere.clear();
  for (size_t k = 0; k < boxes.size(); ++k) {
    if (!place(k, r)) continue;
    for (int32_t y = r.cy0; y <= r.cy1; ++y)
      for (int32_t x = r.cx0; x <= r.cx1; ++x)
        entries[next[y * shapes.columns + x]++] = {boxes[k], static_cast<int32_t>(k), r.cx0, r.cy0,
                                                   x};
  }
}

void BroadPhase::SortByDirection(const std::vector<Lines>& walls) {
  Empty(slopeOrder, walls.size());
  Empty(horizontalWalls, walls.size());
  Empty(verticalWalls, walls.size());
  for (size_t k = 0; k < walls.size(); ++k) {
    const Lines& w = walls[k];
    const float dx = w.x2 - w.x1, dy = w.y2 - w.y1;
    if (!Finite({dx, dy}) || (dx == 0 && dy == 0)) continue;  // offered everywhere, or never met
    if (dy == 0) {
      horizontalWalls.push_back(static_cast<int32_t>(k));
    } else if (dx == 0) {
      verticalWalls.push_back(static_cast<int32_t>(k));
    } else {
      slopeOrder.push_back({DirectionKey(dx, dy), static_cast<int32_t>(k)});
    }
  }
  std::sort(slopeOrder.begin(), slopeOrder.end());
  Empty(slopeKeys, slopeOrder.size());
  Empty(slopeWalls, slopeOrder.size());
  for (const auto& [key, k] : slopeOrder) {
    slopeKeys.push_back(key);
    slopeWalls.push_back(k);
  }
  // Bucket j starts at the first key of at least j * 2 / kDirectionBuckets (exact in double).
  Fit(bucketStart, kDirectionBuckets + 1, 0);
  for (int32_t j = 0; j <= kDirectionBuckets; ++j) {
    const double from = j * (2.0 / kDirectionBuckets);
    bucketStart[j] = static_cast<int32_t>(
        std::lower_bound(slopeKeys.begin(), slopeKeys.end(), from) - slopeKeys.begin());
  }
  // A bit for each fine bucket that some wall's window reaches, with a bucket
  // to spare on each side for rounding, and wrapping at 2 as the keys do.
  Fit(directionBits, kDirectionBits / 64, uint64_t{0});
  for (const double key : slopeKeys) {
    const auto first =
        static_cast<int64_t>(std::floor((key - kNearlyParallel) * (kDirectionBits / 2)));
    const auto last =
        static_cast<int64_t>(std::floor((key + kNearlyParallel) * (kDirectionBits / 2)));
    for (int64_t j = first - 1; j <= last + 1; ++j) {
      const int64_t bit = (j + kDirectionBits) % kDirectionBits;
      directionBits[bit / 64] |= uint64_t{1} << (bit % 64);
    }
  }
}
