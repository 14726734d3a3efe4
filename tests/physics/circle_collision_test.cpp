#include "physics/circle_collision.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "physics/approach.h"
#include "tests/physics/ball_test_util.h"

namespace {

using physics_test::Ball;
using physics_test::Disc;
using physics_test::SameBall;

const std::vector<Circle> kOne = {Disc(150, 100, 50)};

// A ball of radius 10 heading up at the circle (150, 100), radius 50.
TEST(CircleCollisionTest, MetCircleTurnsTheBallWithoutMovingIt) {
  struct Case {
    float x, y, speed;
    float t;               // approach fraction, to within 1e-3
    float want_i, want_j;  // the float32 result, exactly
  } const cases[] = {
      {150, 160.5f, 1, 0.5f, 0, 1},
      {150, 162, 3, 0.219f, 0, 1},  // head-on reverses at any speed
      {150, 163, 3, 0.326f, 0, 1},  // next centre exactly in contact
      {180, 152.5f, 1, 0.538f, 0.866025448f, 0.499999881f},
      {180, 153, 3, 0.114f, 0.860231698f, 0.509903371f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " speed " << c.speed);
    EXPECT_NEAR(ApproachFraction(150 - c.x, 100 - c.y, 0, -c.speed, 60), c.t, 1e-3f);
    pinball ball = Ball(c.x, c.y, 0, -1, c.speed);
    int32_t index = 42;
    EXPECT_TRUE(Checkcirccol(ball, kOne, index));
    EXPECT_EQ(index, 42);
    EXPECT_EQ(ball.getvecX(), c.want_i);
    EXPECT_EQ(ball.getvecY(), c.want_j);
    EXPECT_EQ(ball.Getoriginx(), c.x);
    EXPECT_EQ(ball.Getoriginy(), c.y);
  }
  EXPECT_EQ(ApproachFraction(0, -60.5f, 0, -1, 60), 0.5f);
  // Contact centre of the oblique slow hit, from the approach fraction.
  EXPECT_NEAR(152.5f - ApproachFraction(-30, -52.5f, 0, -1, 60), 151.96f, 1e-2f);
}

TEST(CircleCollisionTest, NotMetLeavesTheBallAlone) {
  struct Case {
    const char* what;
    pinball ball;
    std::vector<Circle> circles;
  } const cases[] = {
      {"already overlapping, moving out", Ball(180, 151, 0, 1, 1), kOne},
      {"out of range", Ball(150, 300, 0, -1, 3), kOne},
      {"contact at the very end of the step", Ball(150, 161, 0, -1, 1), kOne},
      {"touching, zero speed", Ball(150, 160, 0, -1, 0), kOne},
      {"no direction", Ball(150, 160.5f, 0, 0, 1), kOne},
      {"on the circle's centre", Ball(150, 100, 0, -1, 3), kOne},
      {"empty list", Ball(150, 160.5f, 0, -1, 1), {}},
  };
  for (const Case& c : cases) {
    pinball ball = c.ball;
    int32_t index = 7;
    EXPECT_FALSE(Checkcirccol(ball, c.circles, index)) << c.what;
    EXPECT_TRUE(SameBall(ball, c.ball)) << c.what;
    EXPECT_EQ(index, 7);
  }
}

TEST(CircleCollisionTest, FirstCircleInListWinsNotTheNearest) {
  // Both circles are met in this step; the right one is reached a little later.
  const Circle left = Disc(150, 100, 50), right = Disc(210.25f, 100, 50);
  pinball a = Ball(180, 152.5f, 0, -1, 1);
  pinball b = a;
  int32_t index = -1;
  ASSERT_TRUE(Checkcirccol(a, {left, right}, index));
  ASSERT_TRUE(Checkcirccol(b, {right, left}, index));
  EXPECT_EQ(a.getvecX(), 0.866025448f);
  EXPECT_LT(b.getvecX(), -0.8f);
  EXPECT_GT(b.getvecY(), 0.4f);
}

}  // namespace
