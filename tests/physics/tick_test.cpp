// The tick that tests each ball only against what lies within its reach must
// give exactly what testing it against every list gives.

#include "physics/tick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "physics/broad_phase.h"
#include "tests/physics/ball_test_util.h"
#include "tests/support/random_scene.h"
#include "tests/support/reference_tick.h"

namespace {

using namespace testing_support;
using physics_test::SameBall;

#ifdef PINBALL_SHORT_RUNS
constexpr bool kShortRuns = true;  // every access checked: shorter runs
#else
constexpr bool kShortRuns = false;
#endif

// Runs both ticks side by side from the scene as it stands; returns the first tick at
// which some ball differs, or -1.
int FirstDifference(int ticks) {
  std::vector<pinball> reference = BallList;
  for (int tick = 0; tick < ticks; ++tick) {
    ReferenceTick(reference, LinesList, circlist);
    TickBalls(BallList, LinesList, circlist);
    for (size_t k = 0; k < BallList.size(); ++k) {
      if (!SameBall(BallList[k], reference[k])) {
        ADD_FAILURE() << "ball " << k << " at tick " << tick << ": "
                      << SameBall(BallList[k], reference[k]).message();
        return tick;
      }
    }
  }
  return -1;
}

// Scenes made through the gestures: many shapes, hundreds of balls of every speed and
// radius, half of them along an axis, started anywhere (overlapping, on shapes' walls,
// outside the field), some stacked exactly on one another.
TEST(TickTest, MatchesTheWholeListTickInRandomScenes) {
  const int kScenes = kShortRuns ? 2 : 3, kTicks = kShortRuns ? 300 : 2000;
  for (int seed = 1; seed <= kScenes; ++seed) {
    SCOPED_TRACE(testing::Message() << "scene " << seed);
    std::mt19937 random(seed);
    ClearForEditing();
    AddRandomShapes(random, 30);
    MenuCommand(IDM_CREATE_PINBALL);
    AddRandomBalls(random, 200, 10, 3);
    StartBalls();
    EXPECT_EQ(FirstDifference(kTicks), -1) << BallList.size() << " balls";
  }
}

// A few balls far bigger or faster than the rest, which the grid leaves to every ball's
// list; and as many as would be too many for that, which it keeps on the grid.
TEST(TickTest, MatchesTheWholeListTickWithBigBallsAmongSmallOnes) {
  for (int big : {1, 3, 40}) {
    SCOPED_TRACE(testing::Message() << big << " big balls");
    std::mt19937 random(big);
    ClearForEditing();
    AddRandomShapes(random, 20);
    std::uniform_real_distribution<float> x(10, 782), y(10, 544), angle(0, 6.2832f);
    for (int k = 0; k < 400 + big; ++k) {
      const bool large = k % (400 / big + 1) == 0;
      const float bx = x(random), by = y(random), a = angle(random);
      const float radius = large ? (k % 2 ? 1000.f : 120.f) : 5.f + k % 3;
      const float speed = large && k % 3 == 0 ? 16.f : 1.f + k % 3;
      BallList.push_back(pinball(bx, by, bx + std::cos(a), by + std::sin(a), green, speed, radius));
    }
    EXPECT_EQ(FirstDifference(kShortRuns ? 60 : 300), -1);
  }
}

// What the grid cannot hold is still tested: balls that are not finite or far out, walls
// and circles far out or not finite, and steps within a hair of a wall's direction.
TEST(TickTest, MatchesTheWholeListTickAtTheEdges) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  ResetScene();
  init();
  Start = false;
  circlist.push_back(Circle(3e6f, 100, 3e6f + 50, 100, red));
  circlist.push_back(Circle(nan, 100, 150, 100, red));
  LinesList.push_back({-5e6f, 300, red, 5e6f, 301, red});  // longer than the grid can hold
  LinesList.push_back({inf, 10, red, 20, 10, red});
  LinesList.push_back({400, 200, red, 500, 200.05f, red});  // nearly along the x axis
  LinesList.push_back({0, 0, red, 0, 0, red});
  const struct {
    float x, y, ax, ay;
  } balls[] = {{2.99e6f, 100, 3.1e6f, 100}, {nan, 10, 20, 10},         {300, inf, 300, 0},
               {350, 199, 360, 199},        {350, 199, 360, 199.001f}, {100, 300.3f, 101, 300.3f},
               {410, 195, 420, 195},        {5e6f, 5e6f, 0, 0},        {2e6f, 300, 0, 300}};
  for (const auto& b : balls) BallList.push_back(pinball(b.x, b.y, b.ax, b.ay, green, 3, 5));
  // Enough ordinary balls beside them that the tick uses its grid.
  for (int k = 0; k < 12; ++k)
    BallList.push_back(pinball(60.f + 50 * k, 450, 61.f + 50 * k, 449, green, 2, 10));
  EXPECT_EQ(FirstDifference(500), -1);
}

// Thousands of short walls in every direction, among which balls run along and across.
TEST(TickTest, MatchesTheWholeListTickAmongManyShortWalls) {
  ResetScene();
  init();
  Start = false;
  std::mt19937 random(5);
  std::uniform_real_distribution<float> x(10, 782), y(10, 544), length(2, 30), angle(0, 6.2832f);
  for (int k = 0; k < 1000; ++k) {
    const float x1 = x(random), y1 = y(random), l = length(random), a = angle(random);
    LinesList.push_back({x1, y1, red, x1 + l * std::cos(a), y1 + l * std::sin(a), red});
  }
  for (int k = 0; k < 100; ++k) {
    const float bx = x(random), by = y(random), a = angle(random);
    BallList.push_back(
        pinball(bx, by, bx + std::cos(a), by + std::sin(a), green, 1 + k % 3, 5 + 5 * (k % 3)));
  }
  EXPECT_EQ(FirstDifference(kShortRuns ? 100 : 600), -1);
}

// Walls whose line passes within a hair of the radius of a ball's path, at either side,
// at its ends or beyond them, some nearly along the step, for every size of ball and step,
// at coordinates where a pixel holds few floats and along the axes: where the grid's margins
// are tightest.
TEST(TickTest, MatchesTheWholeListTickAtGrazingWalls) {
  std::mt19937 random(9);
  std::uniform_real_distribution<float> unit(0, 1);
  const float radii[] = {1e-3f, 0.5f, 5, 300}, speeds[] = {0.01f, 3, 40};
  const float places[] = {0, 1e3f, 1e5f, 9e5f};
  const float hairs[] = {-1e-3f, -1e-6f, 0, 1e-6f, 1e-4f, 1e-2f};
  for (int scene = 0; scene < (kShortRuns ? 40 : 400); ++scene) {
    ResetScene();
    Start = false;
    const float place = places[scene % 4];
    for (int k = 0; k < 16; ++k) {
      const float r = radii[random() % 4], s = speeds[random() % 3];
      // A quarter of the steps within a hair of an axis, where directions wrap around.
      const float a = random() % 4 == 0 ? 1.5708f * (random() % 4) + 1e-5f * (2 * unit(random) - 1)
                                        : 6.2832f * unit(random);
      const float cx = place + 5000.f * k, cy = place + 5000.f * (scene % 7);
      BallList.push_back(pinball(cx, cy, cx + std::cos(a), cy + std::sin(a), green, s, r));
      for (int w = 0; w < 6; ++w) {
        // The foot of the wall's line on the path, and the line's direction.
        const float t = 2 * unit(random) - 0.5f;
        const float fx = cx + t * s * std::cos(a), fy = cy + t * s * std::sin(a);
        const float b =
            random() % 3 == 0 ? a + 1e-4f * (2 * unit(random) - 1) : 6.2832f * unit(random);
        const float side = random() % 2 ? 1.f : -1.f;
        const float d = side * r * (1 + hairs[random() % 6]);
        const float ox = fx - d * std::sin(b), oy = fy + d * std::cos(b);
        // Its ends: either side of the foot, or both on one side of it.
        const float from = (unit(random) - 0.8f) * 3 * (r + s),
                    to = from + (r + s) * 2 * unit(random);
        LinesList.push_back({ox + from * std::cos(b), oy + from * std::sin(b), red,
                             ox + to * std::cos(b), oy + to * std::sin(b), red});
      }
    }
    ASSERT_EQ(FirstDifference(3), -1) << "scene " << scene;
  }
}

// Every direction maps to [0, 2), in order of the angle up to its sign.
TEST(TickTest, DirectionKeyOrdersDirectionsUpToSign) {
  const double pi = std::acos(-1.0);
  double previous = -1;
  for (int k = 0; k < 720; ++k) {
    const double a = pi * k / 720;
    const double key = DirectionKey(std::cos(a), std::sin(a));
    EXPECT_GT(key, previous);
    EXPECT_LT(key, 2);
    EXPECT_NEAR(DirectionKey(-std::cos(a), -std::sin(a)), key, 1e-12);
    previous = key;
  }
  EXPECT_EQ(DirectionKey(1, 0), 0);
  EXPECT_EQ(DirectionKey(-1, 0), 0);
  EXPECT_EQ(DirectionKey(0, -1), 1);
}

}  // namespace
