#include "physics/tick.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "physics/ball_collision.h"
#include "physics/broad_phase.h"
#include "physics/circle_collision.h"
#include "physics/wall_collision.h"

namespace {

// Below this many balls the tick tests every list: the grid would cost more.
constexpr size_t kFewBalls = 12;

// Each test keeps the result the whole list would give: the first circle and
// the first partner in list order that are met, and the wall met at the
// smallest fraction of the step, the earlier wall on a tie.

bool CircleHit(BroadPhase& grid, int32_t index, const BallStep& b, pinball& ball,
               const std::vector<Circle>& circles) {
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

bool BallHit(BroadPhase& grid, const BallStep& b, pinball& ball, std::vector<pinball>& balls) {
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

bool WallHit(const BroadPhase& grid, const BallStep& b, const pinball& ball,
             const std::vector<Lines>& walls, int32_t& IndexCol, WallContact& contact) {
  float best = 1.0f;
  IndexCol = -1;
  contact = WallContact{};
  grid.VisitWalls(b, ball.getspeed(), [&](int32_t k, bool onlyCrossing) {
    float t;
    WallContact here;
    const bool met = onlyCrossing ? CrossesWall(b, walls[k], grid.Normal(k), t)
                                  : MeetsWall(b, walls[k], grid.Normal(k), t, here);
    if (met && (t < best || (t == best && k < IndexCol))) {
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
  TickBalls(grid, BallList, LinesList, circlist);
}

void TickBalls(BroadPhase& grid, std::vector<pinball>& BallList,
               const std::vector<Lines>& LinesList, const std::vector<Circle>& circlist) {
  int32_t IndexCol = -1;
  // With a few balls, testing every list costs less than placing them.
  if (BallList.size() < kFewBalls) {
    for (pinball& ball : BallList) {
      const bool circleHit = Checkcirccol(ball, circlist, IndexCol);
      const bool ballHit = ballballcol(ball, BallList, IndexCol);
      WallContact contact;
      const bool wallHit = Checkcollision(ball, LinesList, IndexCol, contact);
      if (circleHit || ballHit) continue;
      if (wallHit) {
        ChengeVec(IndexCol, LinesList, ball, contact);
      } else {
        ball.moveball();
      }
    }
    return;
  }
  grid.Build(BallList, LinesList, circlist);
  for (size_t k = 0; k < BallList.size(); ++k) {
    pinball& ball = BallList[k];
    const int32_t index = static_cast<int32_t>(k);
    bool circleHit, ballHit, wallHit;
    WallContact contact;
    if (grid.Covers(index, ball)) {
      // Turns leave a finite direction (a contact that gives none is not
      // met), so the grid serves the ball for its whole turn.
      BallStep b = StepOf(ball);
      circleHit = CircleHit(grid, index, b, ball, circlist);
      if (circleHit) b = StepOf(ball);
      ballHit = BallHit(grid, b, ball, BallList);
      if (ballHit) b = StepOf(ball);
      wallHit = WallHit(grid, b, ball, LinesList, IndexCol, contact);
    } else {
      // Not finite, or far out: tested against every list.
      circleHit = Checkcirccol(ball, circlist, IndexCol);
      ballHit = BallHitAnywhere(grid, ball, BallList);
      wallHit = Checkcollision(ball, LinesList, IndexCol, contact);
    }
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
