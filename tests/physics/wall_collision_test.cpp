#include "physics/wall_collision.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/physics/ball_test_util.h"

namespace {

using physics_test::Ball;
using physics_test::SameBall;
using physics_test::Wall;

const Lines kTop = Wall(0, 0, 792, 0);
const Lines kRight = Wall(792, 0, 792, 554);
const Lines kLeft = Wall(0, 0, 0, 554);
const Lines kBottom = Wall(0, 554, 792, 554);
const std::vector<Lines> kBorder = {kTop, kRight, kLeft, kBottom};

int32_t Hit(const pinball& ball, const std::vector<Lines>& walls) {
  int32_t index = 99;
  const bool met = Checkcollision(ball, walls, index);
  EXPECT_EQ(met, index != -1);
  return index;
}

TEST(WallCollisionTest, TopBorderWall) {
  EXPECT_EQ(Hit(Ball(400, 100, 0, -1, 3), kBorder), -1);
  EXPECT_EQ(Hit(Ball(400, 100, 0, -1, 3), {}), -1);

  // The rim is 2.5 from the wall: crossed at 5/6 of the step, 400/792 along the wall.
  const pinball ball = Ball(400, 12.5f, 0, -1, 3);
  const pinball before = ball;
  EXPECT_EQ(Hit(ball, kBorder), 0);
  EXPECT_TRUE(SameBall(ball, before));
  // A wall just in front of it is crossed earlier, one just behind it later.
  EXPECT_EQ(Hit(ball, {kTop, Wall(0, 0.001f, 792, 0.001f)}), 1);
  EXPECT_EQ(Hit(ball, {Wall(0, -0.001f, 792, -0.001f), kTop}), 1);
  // The crossing lies at u = 400/792: walls ending short of x = 400 are missed unless the rim
  // reaches their end point within the step (it does at 399.99, not at 394).
  EXPECT_EQ(Hit(ball, {Wall(0, 0, 394, 0), Wall(406, 0, 792, 0)}), -1);
  EXPECT_EQ(Hit(ball, {Wall(0, 0, 399.99f, 0)}), 0);
  EXPECT_EQ(Hit(ball, {Wall(0, 0, 400.01f, 0)}), 0);
  // On a slant step it is the rim point's crossing (x = 397), not the centre's (407), that counts.
  const pinball slant = Ball(395, 12, 1, -1, 3);
  EXPECT_EQ(Hit(slant, {Wall(0, 0, 400, 0)}), 0);
  EXPECT_EQ(Hit(slant, {Wall(400, 0, 800, 0)}), -1);
}

// Degenerate steps and walls meet nothing, nor does a rim that stays clear of the wall or
// moves out of it. (A rim that starts on or across the line moving in, and a step through an
// end point, are met: see the solid obstacle tests.)
TEST(WallCollisionTest, NotMet) {
  const Lines short_top = Wall(0, 0, 512, 0);
  struct Case {
    const char* what;
    pinball ball;
    std::vector<Lines> walls;
  } const cases[] = {
      {"rim on the line at the start, moving out", Ball(400, 10, 0, 1, 3), kBorder},
      {"rim across the line at the start, moving out", Ball(400, 5, 0, 1, 3), kBorder},
      {"rim reaches the line at the end of the step", Ball(400, 13, 0, -1, 3), kBorder},
      {"rim passes beside the wall's end point", Ball(523, 12, 0, -1, 4), {short_top}},
      {"rim moving along the wall's line", Ball(400, 10, 1, 0, 3), kBorder},
      {"step parallel to the wall", Ball(400, 50, -1, 0, 3), kBorder},
      {"zero speed", Ball(400, 12.5f, 0, -1, 0), kBorder},
      {"no direction", Ball(400, 12.5f, 0, 0, 3), kBorder},
      {"zero-length wall", Ball(12, 12, -1, -1, 3), {Wall(0, 0, 0, 0)}},
  };
  for (const Case& c : cases) EXPECT_EQ(Hit(c.ball, c.walls), -1) << c.what;

  // Just inside the bounds the same walls are met.
  EXPECT_EQ(Hit(Ball(400, 10.01f, 0, -1, 3), kBorder), 0);
  EXPECT_EQ(Hit(Ball(400, 12.99f, 0, -1, 3), kBorder), 0);
  EXPECT_EQ(Hit(Ball(511.9f, 12, 0, -1, 4), {short_top}), 0);
  EXPECT_EQ(Hit(Ball(0.1f, 12, 0, -1, 4), {short_top}), 0);
  // The fraction is taken through the reciprocal of den, which here rounds a crossing at
  // the very end of the step to just below 1.
  EXPECT_EQ(Hit(Ball(50, 13, 0, -1, 3), {Wall(0, 0, 106, 0)}), 0);
  EXPECT_EQ(Hit(Ball(400, 12.5f, 0, -1, 3), {Wall(0, 0, 0, 0), kTop}), 1);
}

TEST(WallCollisionTest, SmallestFractionWinsThenListOrder) {
  // Near the top-left corner the wall whose line is reached first wins, whatever its index.
  EXPECT_EQ(Hit(Ball(11, 12, -1, -1, 3), kBorder), 2);
  EXPECT_EQ(Hit(Ball(12, 11, -1, -1, 3), kBorder), 0);
  const Lines nearer = Wall(0, 0.5f, 792, 0.5f);
  EXPECT_EQ(Hit(Ball(400, 12.5f, 0, -1, 3), {kTop, nearer}), 1);
  EXPECT_EQ(Hit(Ball(400, 12.5f, 0, -1, 3), {nearer, kTop}), 0);
  // Same line, same length, other ends: exactly equal fractions.
  const Lines shifted = Wall(-100, 0, 692, 0);
  EXPECT_EQ(Hit(Ball(400, 12.5f, 0, -1, 3), {kTop, shifted}), 0);
  EXPECT_EQ(Hit(Ball(400, 12.5f, 0, -1, 3), {shifted, kTop}), 0);
}

TEST(WallCollisionTest, BouncesOffTheInsideOfABox) {
  const std::vector<Lines> box = {Wall(100, 350, 100, 400), Wall(100, 400, 660, 400),
                                  Wall(660, 400, 660, 350), Wall(660, 350, 100, 350)};
  struct Case {
    float x, y, di, dj;
    int32_t face;
  } const cases[] = {
      {380, 362, 0, -1, 3}, {380, 388, 0, 1, 1}, {112, 375, -1, 0, 0}, {648, 375, 1, 0, 2}};
  for (const Case& c : cases) {
    pinball ball = Ball(c.x, c.y, c.di, c.dj, 3);
    int32_t index = -1;
    ASSERT_TRUE(Checkcollision(ball, box, index)) << c.x << "," << c.y;
    EXPECT_EQ(index, c.face);
    ChengeVec(index, box, ball);
    EXPECT_EQ(ball.getvecX(), -c.di);
    EXPECT_EQ(ball.getvecY(), -c.dj);
  }
}

TEST(WallCollisionTest, ChengeVecMirrorsTheDirectionOnly) {
  pinball ball = Ball(400, 12.5f, 3, -4, 3);
  const pinball before = ball;
  ChengeVec(0, kBorder, ball);
  VECTOR want(before.getvecX(), -before.getvecY());
  want.normalize();
  EXPECT_EQ(ball.getvecX(), want.i);
  EXPECT_EQ(ball.getvecY(), want.j);
  EXPECT_NEAR(ball.getvecX(), 0.6f, 1e-7f);
  EXPECT_NEAR(ball.getvecY(), 0.8f, 1e-7f);
  EXPECT_EQ(ball.Getoriginx(), before.Getoriginx());  // nothing but the direction changes
  EXPECT_EQ(ball.Getoriginy(), before.Getoriginy());
  EXPECT_EQ(ball.getspeed(), before.getspeed());
  EXPECT_EQ(ball.Getradius(), before.Getradius());

  pinball left = Ball(5, 300, -1, 0, 3);
  ChengeVec(2, kBorder, left);
  EXPECT_EQ(left.getvecX(), 1);
  EXPECT_EQ(left.getvecY(), 0);

  pinball untouched = Ball(5, 300, -1, 0, 3);
  ChengeVec(-1, kBorder, untouched);
  EXPECT_TRUE(SameBall(untouched, Ball(5, 300, -1, 0, 3)));

  // An oblique wall, either way round: (1, 0) leaves along the wall's other axis.
  pinball a = Ball(50, 40, 1, 0, 3), b = a;
  ChengeVec(0, {Wall(0, 0, 100, 100)}, a);
  ChengeVec(0, {Wall(100, 100, 0, 0)}, b);
  EXPECT_NEAR(a.getvecX(), 0, 1e-6f);
  EXPECT_NEAR(a.getvecY(), 1, 1e-6f);
  EXPECT_EQ(a.getvecX(), b.getvecX());
  EXPECT_EQ(a.getvecY(), b.getvecY());
}

}  // namespace
