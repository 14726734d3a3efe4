// What the grid offers a ball: walls far from it, which only a nearly parallel
// step can cross, and which no scene of the tick's tests brings into play.

#include "physics/broad_phase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "physics/ball_step.h"
#include "scene/scene.h"

namespace {

// How far apart two directions are, as DirectionKey measures them: keys wrap at 2.
double KeyDistance(double a, double b) {
  const double d = std::fabs(a - b);
  return std::fmin(d, 2 - d);
}

// Walls in every direction, each on a line through a ball's rim and far from the ball; balls
// whose steps lie within the window of some of them, a quarter along an axis, where the
// window wraps. Each wall inside the window must be offered as one only a crossing can meet.
TEST(BroadPhaseTest, OffersEveryFarWallWithinTheDirectionWindow) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> unit(0, 1);
  int offered = 0;
  for (int scene = 0; scene < 40; ++scene) {
    std::vector<pinball> balls;
    std::vector<Lines> walls;
    for (int k = 0; k < 16; ++k) {
      const double a = k % 4 == 0 ? 1.5707963 * (k / 4) + 1e-6 * (2 * unit(random) - 1)
                                  : 6.2831853 * unit(random);
      const float cx = 300.f * k, cy = 300.f * scene;
      balls.push_back(pinball(cx, cy, cx + static_cast<float>(std::cos(a)),
                              cy + static_cast<float>(std::sin(a)), green, 3, 5));
      for (int w = 0; w < 4; ++w) {
        // Along the step's line, 100 to 200 steps ahead, turned by up to twice the window.
        const double b = a + 2 * kNearlyParallel * (2 * unit(random) - 1);
        const double ahead = 300 + 300 * unit(random), rim = 4.5 * (2 * unit(random) - 1);
        const double ox = cx + ahead * std::cos(a) - rim * std::sin(a);
        const double oy = cy + ahead * std::sin(a) + rim * std::cos(a);
        walls.push_back({static_cast<float>(ox), static_cast<float>(oy), red,
                         static_cast<float>(ox + 50 * std::cos(b)),
                         static_cast<float>(oy + 50 * std::sin(b)), red});
      }
    }
    BroadPhase grid;
    grid.Build(balls, walls, {});
    for (size_t k = 0; k < balls.size(); ++k) {
      const BallStep s = StepOf(balls[k]);
      std::vector<bool> onlyCrossing(walls.size(), false);
      grid.VisitWalls(s, balls[k].getspeed(), [&](int32_t w, bool only) {
        if (only) onlyCrossing[w] = true;
      });
      const double key = DirectionKey(s.mx, s.my);
      for (size_t w = 4 * k; w < 4 * k + 4; ++w) {
        const double wall = DirectionKey(walls[w].x2 - walls[w].x1, walls[w].y2 - walls[w].y1);
        if (KeyDistance(key, wall) > 0.99 * kNearlyParallel) continue;
        // A step and a wall exactly along one axis divide by an exact zero: never a crossing.
        const bool alongX = s.my == 0 && walls[w].y1 == walls[w].y2;
        const bool alongY = s.mx == 0 && walls[w].x1 == walls[w].x2;
        if (alongX || alongY) continue;
        EXPECT_TRUE(onlyCrossing[w]) << "scene " << scene << ", ball " << k << ", wall " << w;
        offered += onlyCrossing[w];
      }
    }
  }
  EXPECT_GT(offered, 500);  // the window was reached often enough to mean something
}

}  // namespace
