#include "physics/pinball.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr Color_RGB kGreen{0, 255, 0};

TEST(PinballTest, ConstructionAndOneStep) {
  pinball b(200, 200, 1, 1, kGreen, 2, 10);
  EXPECT_EQ(b.getvecX(), -0.70710677f);
  EXPECT_EQ(b.getvecY(), -0.70710677f);
  EXPECT_EQ(b.Getradius(), 10);
  EXPECT_EQ(b.getspeed(), 2);
  EXPECT_EQ(b.Getx1(), 1);  // the aim point is kept in the rim point
  EXPECT_EQ(b.Gety1(), 1);
  EXPECT_EQ(b.Getcol().green, 255);

  b.moveball();
  EXPECT_EQ(b.Getoriginx(), 198.585785f);
  EXPECT_EQ(b.Getoriginy(), 198.585785f);
  EXPECT_EQ(b.getvecX(), -0.70710677f);
  EXPECT_EQ(b.getspeed(), 2);
}

TEST(PinballTest, AimDistanceDoesNotChangeTheStep) {
  const pinball near(100, 100, 200, -1, kGreen, 3, 10);
  EXPECT_EQ(near.getvecX(), 0.70358014f);
  EXPECT_EQ(near.getvecY(), -0.71061599f);
  pinball far(100, 100, 300, -102, kGreen, 3, 10);  // twice as far, same direction
  EXPECT_EQ(far.getvecX(), near.getvecX());
  EXPECT_EQ(far.getvecY(), near.getvecY());
  far.moveball();
  EXPECT_NEAR(std::hypot(far.Getoriginx() - 100, far.Getoriginy() - 100), 3, 1e-5);
}

TEST(PinballTest, SetDNormalisesAndKeepsEverythingElse) {
  pinball b(50, 60, 51, 60, kGreen, 3, 15);
  b.SetD(VECTOR(0, -7));
  EXPECT_EQ(b.getvecX(), 0);
  EXPECT_EQ(b.getvecY(), -1);
  EXPECT_EQ(b.getspeed(), 3);
  EXPECT_EQ(b.Getradius(), 15);
  EXPECT_EQ(b.Getoriginx(), 50);
  EXPECT_EQ(b.Getoriginy(), 60);
}

TEST(PinballTest, DegenerateAndFarAwayBalls) {
  // Aim point on the centre: no direction, and nothing is raised.
  pinball still(70, 80, 70, 80, kGreen, 2, 10);
  EXPECT_TRUE(std::isnan(still.getvecX()));
  EXPECT_TRUE(std::isnan(still.getvecY()));
  still.moveball();
  EXPECT_TRUE(std::isnan(still.Getoriginx()));

  // Nothing clamps a ball to the field.
  pinball away(-5000, 1e6f, -4999, 1e6f, kGreen, 2, 10);
  away.moveball();
  EXPECT_EQ(away.Getoriginx(), -4998);
  EXPECT_EQ(away.Getoriginy(), 1e6f);
}

}  // namespace
