#include "physics/tick.h"

#include <cstddef>
#include <cstdint>

#include "physics/ball_collision.h"
#include "physics/broad_phase.h"
#include "physics/circle_collision.h"
#include "physics/wall_collision.h"

namespace {

// Each test keeps the result the whole list would give: the first circle and
// the first partner in list order that are met, and the wall met at the
// smallest fraction of the step, the earlier wall on a tie.

bool CircleHit(BroadPhase& grid, int32_t index, pinball& ball, const std::vector<Circle>& circles) {
  const BallStep b = StepOf(ball);
  int32_t first = -1;
  VECTOR direction, candidate;
  grid.VisitCircles(b, ball.getspeed(), [&](int32_t k) {
    if ((first == -1 || k < first) && MeetsCircle(b, circles[k], candidate)) {
      first = k;
      direction = candidate;
    }
  });
  if (first == -1) return false;
  ball.SetD(direction);
  grid.Refresh(index, ball);  // its own entry, which its ball test passes over
  return true;
}

bool BallHit(BroadPhase& grid, pinball& ball, std::vector<pinball>& balls) {
  const BallStep b = StepOf(ball);
  int32_t first = -1;
  VECTOR wA, wB, candidateA, candidateB;
  grid.VisitBalls(b, balls, [&](int32_t k, const PartnerState& partner) {
    if ((first == -1 || k < first) && MeetsBall(b, partner, candidateA, candidateB)) {
      first = k;
      wA = candidateA;
      wB = candidateB;
    }
  });
  if (first == -1) return false;
  ball.SetD(wA);
  balls[first].SetD(wB);
  grid.Refresh(first, balls[first]);
  return true;
}

// For a ball the grid does not serve: every partner, the first met in list order.
bool BallHitAnywhere(BroadPhase& grid, pinball& ball, std::vector<pinball>& balls) {
  const BallStep b = StepOf(ball);
  VECTOR wA, wB;
  for (size_t k = 0; k < balls.size(); ++k) {
    if (MeetsBall(b, StateOf(balls[k]), wA, wB)) {
      ball.SetD(wA);
      balls[k].SetD(wB);
      grid.Refresh(static_cast<int32_t>(k), balls[k]);
      return true;
    }
  }
  return false;
}

bool WallHit(const BroadPhase& grid, const pinball& ball, const std::vector<Lines>& walls,
             int32_t& IndexCol, WallContact& contact) {
  const BallStep b = StepOf(ball);
  float best = 1.0f;
  IndexCol = -1;
  contact = WallContact{};
  grid.VisitWalls(b, ball.getspeed(), [&](int32_t k) {
    float t;
    WallContact here;
    if (MeetsWall(b, walls[k], grid.Normal(k), t, here) &&
        (t < best || (t == best && k < IndexCol))) {
      best = t;
      IndexCol = k;
      contact = here;
    }
  });
  return IndexCol != -1;
}

}  // namespace

void TickBalls(std::vector<pinball>& BallList, const std::vector<Lines>& LinesList,
               const std::vector<Circle>& circlist) {
  static BroadPhase grid;  // its buffers serve every tick
  grid.Build(BallList, LinesList, circlist);
  int32_t IndexCol = -1;
  for (size_t k = 0; k < BallList.size(); ++k) {
    pinball& ball = BallList[k];
    const int32_t index = static_cast<int32_t>(k);
    // A ball the grid does not serve (not finite, or far out; its direction
    // may also turn not finite within its turn) is tested against every list.
    const bool circleHit = grid.Covers(index, ball) ? CircleHit(grid, index, ball, circlist)
                                                    : Checkcirccol(ball, circlist, IndexCol);
    const bool ballHit = grid.Covers(index, ball) ? BallHit(grid, ball, BallList)
                                                  : BallHitAnywhere(grid, ball, BallList);
    WallContact contact;
    const bool wallHit = grid.Covers(index, ball)
                             ? WallHit(grid, ball, LinesList, IndexCol, contact)
                             : Checkcollision(ball, LinesList, IndexCol, contact);
    if (circleHit || ballHit) {
      grid.Refresh(index, ball);  // turned where it stands
      continue;
    }
    if (wallHit) {
      ChengeVec(IndexCol, LinesList, ball, contact);
    } else {
      ball.moveball();
    }
    grid.Refresh(index, ball);
  }
}
