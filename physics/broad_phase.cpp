#include "physics/broad_phase.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "physics/wall_collision.h"

namespace {

// Centres farther out than this are offered to every ball instead of being
// placed, so that the grid stays small and its arithmetic exact enough.
constexpr float kGridLimit = 1e6f;
// An item whose box covers more cells than this is offered to every ball.
constexpr int64_t kMaxCellsPerItem = 4096;
// Cells across the widest reach of a query: smaller cells hold fewer balls
// that a query must pass over.
constexpr float kCellsPerReach = 2;

bool Finite(std::initializer_list<float> values) {
  for (float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

bool Finite(const pinball& ball) {
  return Finite({ball.Getoriginx(), ball.Getoriginy(), ball.getvecX(), ball.getvecY(),
                 ball.getspeed(), ball.Getradius()}) &&
         std::fabs(ball.Getoriginx()) <= kGridLimit && std::fabs(ball.Getoriginy()) <= kGridLimit;
}

// A cell coordinate, clamped to [0, count - 1]. Placing and finding use this
// one function, so that an item is found in the cells it was placed in.
int32_t CellOf(float offset, float perCell, int32_t count) {
  const float c = std::floor(offset * perCell);
  if (!(c > 0)) return 0;
  if (c >= static_cast<float>(count - 1)) return count - 1;
  return static_cast<int32_t>(c);
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

float BroadPhase::Slack(const BallStep& b) const {
  return 1 + 1e-5f * (std::fabs(b.cx) + std::fabs(b.cy));
}

BroadPhase::CellRange BroadPhase::Cells(float x0, float y0, float x1, float y1) const {
  return {CellOf(x0 - left, perCell, columns), CellOf(y0 - top, perCell, rows),
          CellOf(x1 - left, perCell, columns), CellOf(y1 - top, perCell, rows)};
}

// Finite, and far enough inside the grid that its widest query stays on it.
bool BroadPhase::Placeable(const pinball& ball) const {
  if (columns == 0 || !Finite(ball)) return false;
  const float x = ball.Getoriginx() - left, y = ball.Getoriginy() - top;
  return x >= reachMax && y >= reachMax && x <= columns * cell - reachMax &&
         y <= rows * cell - reachMax;
}

void BroadPhase::Build(const std::vector<pinball>& balls, const std::vector<Lines>& walls,
                       const std::vector<Circle>& circles) {
  float x0 = kGridLimit, y0 = kGridLimit, x1 = -kGridLimit, y1 = -kGridLimit;
  maxRadius = maxSpeed = maxCoordinate = 0;
  size_t placed = 0;
  for (const pinball& ball : balls) {
    if (!Finite(ball)) continue;
    ++placed;
    x0 = std::min(x0, ball.Getoriginx());
    x1 = std::max(x1, ball.Getoriginx());
    y0 = std::min(y0, ball.Getoriginy());
    y1 = std::max(y1, ball.Getoriginy());
    maxRadius = std::max(maxRadius, std::fabs(ball.Getradius()));
    maxSpeed = std::max(maxSpeed, std::fabs(ball.getspeed()));
    maxCoordinate =
        std::max({maxCoordinate, std::fabs(ball.Getoriginx()), std::fabs(ball.Getoriginy())});
  }
  columns = rows = 0;
  if (placed > 0) {
    // The widest query of any ball reaches this far from its centre; the grid
    // reaches twice as far beyond every placed centre, so no query leaves it.
    reachMax = 2 * maxRadius + 3.003f * maxSpeed + 1 + 2e-5f * maxCoordinate;
    cell = reachMax / kCellsPerReach;
    const double cellLimit = 4.0 * static_cast<double>(placed) + 4096;
    left = x0 - 2 * reachMax;
    top = y0 - 2 * reachMax;
    for (;;) {
      columns = static_cast<int32_t>((x1 - x0 + 4 * reachMax) / cell) + 2;
      rows = static_cast<int32_t>((y1 - y0 + 4 * reachMax) / cell) + 2;
      if (static_cast<double>(columns) * rows <= cellLimit) break;
      cell *= 2;
    }
    perCell = 1 / cell;
  }
  PlaceBalls(balls);

  normals.resize(walls.size());
  wallBoxes.resize(walls.size());
  wallPlaceable.assign(walls.size(), false);
  for (size_t k = 0; k < walls.size(); ++k) {
    const Lines& w = walls[k];
    normals[k] = WallNormal(w);
    const float dx = std::fabs(w.x2 - w.x1), dy = std::fabs(w.y2 - w.y1);
    // Rounding in the crossing test grows with the wall's length and position.
    const float margin =
        1 + 2e-3f * (dx + dy) +
        1e-5f * (std::fabs(w.x1) + std::fabs(w.y1) + std::fabs(w.x2) + std::fabs(w.y2));
    wallBoxes[k] = {std::min(w.x1, w.x2) - margin, std::min(w.y1, w.y2) - margin,
                    std::max(w.x1, w.x2) + margin, std::max(w.y1, w.y2) + margin};
    wallPlaceable[k] = Finite({w.x1, w.y1, w.x2, w.y2, margin});
  }
  PlaceBoxes(wallBoxes, wallPlaceable, wallStart, wallEntries, everywhereWalls);
  // Walls of no length are never met.
  everywhereWalls.erase(
      std::remove_if(
          everywhereWalls.begin(), everywhereWalls.end(),
          [&](int32_t k) { return walls[k].x1 == walls[k].x2 && walls[k].y1 == walls[k].y2; }),
      everywhereWalls.end());

  circleBoxes.resize(circles.size());
  circlePlaceable.assign(circles.size(), false);
  for (size_t k = 0; k < circles.size(); ++k) {
    const Circle& c = circles[k];
    const float R = std::fabs(c.Getradius());
    const float margin =
        R + 1 + 1e-5f * (std::fabs(c.Getoriginx()) + std::fabs(c.Getoriginy()) + R);
    circleBoxes[k] = {c.Getoriginx() - margin, c.Getoriginy() - margin, c.Getoriginx() + margin,
                      c.Getoriginy() + margin};
    circlePlaceable[k] = Finite({c.Getoriginx(), c.Getoriginy(), margin});
  }
  PlaceBoxes(circleBoxes, circlePlaceable, circleStart, circleEntries, everywhereCircles);

  SortByDirection(walls);
}

void BroadPhase::PlaceBalls(const std::vector<pinball>& balls) {
  const size_t cells = static_cast<size_t>(columns) * static_cast<size_t>(rows);
  ballCount.assign(cells + 1, 0);
  slotOf.assign(balls.size(), -1);
  strayBalls.clear();
  for (size_t k = 0; k < balls.size(); ++k) {
    if (!Placeable(balls[k])) {
      strayBalls.push_back(static_cast<int32_t>(k));
      continue;
    }
    const CellRange r = Around(balls[k].Getoriginx(), balls[k].Getoriginy(), 0);
    slotOf[k] = r.cy0 * columns + r.cx0;  // its cell, for now
    ++ballCount[slotOf[k] + 1];
  }
  ballStart.resize(cells + 1);
  ballStart[0] = 0;
  for (size_t c = 1; c <= cells; ++c) ballStart[c] = ballStart[c - 1] + ballCount[c];
  ballEntries.resize(ballStart[cells]);
  std::copy(ballStart.begin(), ballStart.end() - 1, ballCount.begin());  // next free slot
  for (size_t k = 0; k < balls.size(); ++k) {
    if (slotOf[k] < 0) continue;
    slotOf[k] = ballCount[slotOf[k]]++;
    ballEntries[slotOf[k]] = {StateOf(balls[k]), static_cast<int32_t>(k)};
  }
}

void BroadPhase::PlaceBoxes(const std::vector<Box>& boxes, const std::vector<bool>& placeable,
                            std::vector<int32_t>& start, std::vector<int32_t>& entries,
                            std::vector<int32_t>& everywhere) {
  const size_t cells = static_cast<size_t>(columns) * static_cast<size_t>(rows);
  const float right = left + columns * cell, bottom = top + rows * cell;
  start.assign(cells + 1, 0);
  everywhere.clear();
  // Which cells an item goes to: none when it lies off the grid (no ball that
  // the grid serves can reach it), every ball's list when it is not finite or too big.
  auto place = [&](size_t k, CellRange& r) {
    if (!placeable[k]) {
      everywhere.push_back(static_cast<int32_t>(k));
      return false;
    }
    const Box& b = boxes[k];
    if (columns == 0 || b.x1 < left || b.x0 > right || b.y1 < top || b.y0 > bottom) return false;
    r = Cells(b.x0, b.y0, b.x1, b.y1);
    const int64_t count = int64_t{r.cx1 - r.cx0 + 1} * (r.cy1 - r.cy0 + 1);
    if (count > kMaxCellsPerItem) {
      everywhere.push_back(static_cast<int32_t>(k));
      return false;
    }
    return true;
  };
  CellRange r{};
  for (size_t k = 0; k < boxes.size(); ++k) {
    if (!place(k, r)) continue;
    for (int32_t y = r.cy0; y <= r.cy1; ++y)
      for (int32_t x = r.cx0; x <= r.cx1; ++x) ++start[y * columns + x + 1];
  }
  for (size_t c = 1; c <= cells; ++c) start[c] += start[c - 1];
  entries.resize(start[cells]);
  ballCount.assign(start.begin(), start.end());  // next free slot of each cell
  everywhere.clear();
  for (size_t k = 0; k < boxes.size(); ++k) {
    if (!place(k, r)) continue;
    for (int32_t y = r.cy0; y <= r.cy1; ++y)
      for (int32_t x = r.cx0; x <= r.cx1; ++x)
        entries[ballCount[y * columns + x]++] = static_cast<int32_t>(k);
  }
}

void BroadPhase::SortByDirection(const std::vector<Lines>& walls) {
  slopeKeys.clear();
  slopeWalls.clear();
  horizontalWalls.clear();
  verticalWalls.clear();
  for (size_t k = 0; k < walls.size(); ++k) {
    const Lines& w = walls[k];
    const float dx = w.x2 - w.x1, dy = w.y2 - w.y1;
    if (!Finite({dx, dy}) || (dx == 0 && dy == 0)) continue;  // offered everywhere, or never met
    if (dy == 0) {
      horizontalWalls.push_back(static_cast<int32_t>(k));
    } else if (dx == 0) {
      verticalWalls.push_back(static_cast<int32_t>(k));
    } else {
      slopeWalls.push_back(static_cast<int32_t>(k));
    }
  }
  slopeOrder.clear();
  for (int32_t k : slopeWalls)
    slopeOrder.push_back({DirectionKey(walls[k].x2 - walls[k].x1, walls[k].y2 - walls[k].y1), k});
  std::sort(slopeOrder.begin(), slopeOrder.end());
  slopeWalls.clear();
  for (const auto& [key, k] : slopeOrder) {
    slopeKeys.push_back(key);
    slopeWalls.push_back(k);
  }
}
