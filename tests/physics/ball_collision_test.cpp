#include "physics/ball_collision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "physics/approach.h"
#include "tests/physics/ball_test_util.h"

namespace {

using physics_test::Ball;
using physics_test::SameBall;

// Runs the mover at list[mover] and checks that the tick's index is left alone.
bool Collide(std::vector<pinball>& list, size_t mover) {
  int32_t index = 5;
  const bool met = ballballcol(list[mover], list, index);
  EXPECT_EQ(index, 5);
  return met;
}

// The mover at (100, 100) heading (1, 0), radius 10, against one partner.
TEST(BallCollisionTest, MetPairsTurnInPlaceWithoutMoving) {
  struct Case {
    float speed, bx, by, bi, bj;
    float t, tB;  // to within 1e-3
    float ai_want, aj_want, bi_want, bj_want;
  } const cases[] = {
      {1, 121.5f, 100, -1, 0, 0.365f, 1.135f, -1, 0, 1, 0},  // tB beyond the step
      {3, 124, 100, -1, 0, 0.102f, 0.382f, -1, 0, 1, 0},
      {3, 126, 100, -1, 0, 0.148f, 0.556f, -1, 0, 1, 0},  // next centres exactly in contact
      {1, 118, 110, -1, 0, 0.167f, 0.512f, -0.500000179f, -0.866025329f, 0.500000119f,
       0.866025329f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "partner " << c.bx << "," << c.by);
    const float t = ApproachFraction(c.bx - 100, c.by - 100, 2 * c.speed, 0, 20);
    EXPECT_NEAR(t, c.t, 1e-3f);
    EXPECT_NEAR(ApproachFraction(t * c.speed + 100 - c.bx, 100 - c.by, -c.speed, 0, 20), c.tB,
                1e-3f);

    std::vector<pinball> list = {Ball(100, 100, 1, 0, c.speed),
                                 Ball(c.bx, c.by, c.bi, c.bj, c.speed)};
    ASSERT_TRUE(Collide(list, 0));
    EXPECT_EQ(list[0].getvecX(), c.ai_want);
    EXPECT_EQ(list[0].getvecY(), c.aj_want);
    EXPECT_EQ(list[1].getvecX(), c.bi_want);
    EXPECT_EQ(list[1].getvecY(), c.bj_want);
    EXPECT_EQ(list[0].Getoriginx(), 100);
    EXPECT_EQ(list[1].Getoriginx(), c.bx);
    EXPECT_EQ(list[1].Getoriginy(), c.by);
  }
}

TEST(BallCollisionTest, NegativePartnerFractionStillCounts) {
  // The partner runs ahead, so the mover's contact centre is already within reach of it.
  const float t = ApproachFraction(20.5f, 0, 1, 0, 20);
  ASSERT_LT(ApproachFraction(t * 2 + 100 - 120.5f, 0, 1, 0, 20), 0);
  std::vector<pinball> list = {Ball(100, 100, 1, 0, 2), Ball(120.5f, 100, 1, 0, 1)};
  ASSERT_TRUE(Collide(list, 0));
  EXPECT_EQ(list[0].getvecX(), -1);
  EXPECT_EQ(list[1].getvecX(), 1);  // its reversed direction, mirrored back
}

TEST(BallCollisionTest, NotMetLeavesBothAlone) {
  struct Case {
    const char* what;
    pinball mover, partner;
  } const cases[] = {
      {"same step", Ball(100, 100, 1, 0, 2), Ball(121, 100, 1, 0, 2)},
      {"contact at the very end of the step", Ball(100, 100, 1, 0, 2), Ball(121, 100, 1, 0, 1)},
      {"twin on the mover", Ball(100, 100, 1, 0, 2), Ball(100, 100, 1, 0, 2)},
      {"same centre, other step", Ball(100, 100, 1, 0, 2), Ball(100, 100, 0, 1, 2)},
      {"already overlapping", Ball(100, 100, 1, 0, 2), Ball(115, 100, -1, 0, 2)},
      {"out of range", Ball(100, 100, 1, 0, 2), Ball(130, 100, -1, 0, 2)},
      {"mover without direction", Ball(100, 100, 0, 0, 2), Ball(121, 100, -1, 0, 2)},
      {"partner without direction", Ball(100, 100, 1, 0, 2), Ball(121, 100, 0, 0, 2)},
  };
  for (const Case& c : cases) {
    std::vector<pinball> list = {c.mover, c.partner};
    EXPECT_FALSE(Collide(list, 0)) << c.what;
    EXPECT_TRUE(SameBall(list[0], c.mover)) << c.what;
    EXPECT_TRUE(SameBall(list[1], c.partner)) << c.what;
  }
  std::vector<pinball> alone = {Ball(100, 100, 1, 0, 3)};
  EXPECT_FALSE(Collide(alone, 0));
}

TEST(BallCollisionTest, FirstPartnerInListWinsNotTheNearest) {
  // Both partners are met; the one from below has the larger fraction.
  const pinball ahead = Ball(124, 100, -1, 0, 3), below = Ball(100, 122.5f, 0, -1, 3);
  const pinball mover = Ball(100, 100, 1, 0, 3);

  std::vector<pinball> list = {below, mover, ahead};
  ASSERT_TRUE(Collide(list, 1));
  EXPECT_FALSE(SameBall(list[0], below));
  EXPECT_TRUE(SameBall(list[2], ahead));

  list = {ahead, mover, below};
  ASSERT_TRUE(Collide(list, 1));
  EXPECT_EQ(list[1].getvecX(), -1);
  EXPECT_EQ(list[0].getvecX(), 1);
  EXPECT_TRUE(SameBall(list[2], below));
}

// Pairs whose contact gives no usable direction count as not met, and the
// search goes on to later partners.
TEST(BallCollisionTest, PartnerWithoutUsableDirectionIsPassedOver) {
  struct Case {
    const char* what;
    pinball mover, bad, good;
  } const cases[] = {
      {"partner never within reach of the contact centre", Ball(100, 100, 1, 0, 3),
       Ball(122, 100, 0, -1, 1), Ball(100, 122.5f, 0, -1, 3)},
      {"partner fraction exactly 0", Ball(100, 100, 1, 0, 2), Ball(117.133698f, 111, 0, 1, 2),
       Ball(121, 100, -1, 0, 2)},
      {"contact centres coincide", Ball(100, 100, 1, 0, 3, 0), Ball(104, 100, -1, 0, 1, 0),
       Ball(112, 100, -1, 0, 1)},
      // Made by clicks: the partner's fraction is so small that its contact centre rounds
      // onto its centre, which once left a not-a-number direction.
      {"partner fraction too small to move its centre",
       pinball(116, 131, 126, 133, Color_RGB{0, 255, 0}, 3, 5),
       pinball(124, 137, 138, 139, Color_RGB{0, 255, 0}, 3, 5), Ball(128, 133.4f, -1, -0.2f, 3, 5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<pinball> list = {c.mover, c.bad};
    EXPECT_FALSE(Collide(list, 0));
    EXPECT_TRUE(SameBall(list[0], c.mover));
    EXPECT_TRUE(SameBall(list[1], c.bad));

    list.push_back(c.good);
    ASSERT_TRUE(Collide(list, 0));
    EXPECT_TRUE(SameBall(list[1], c.bad));
    EXPECT_FALSE(SameBall(list[2], c.good));
    for (const pinball& b : list) {
      EXPECT_TRUE(std::isfinite(b.getvecX()) && std::isfinite(b.getvecY()));
    }
  }
}

TEST(BallCollisionTest, DegeneratePairsReallyAreDegenerate) {
  // The partner fraction of the second case above is exactly 0 ...
  const float t = ApproachFraction(17.133698f, 11, 2, -2, 20);
  ASSERT_TRUE(t > 0 && t < 1);
  EXPECT_EQ(ApproachFraction(t * 2 + 100 - 117.133698f, 100 - 111.0f, 0, 2, 20), 0);
  // ... the first one's is not a number, and the third's contact centres coincide.
  const float t1 = ApproachFraction(22, 0, 3, 1, 20);
  EXPECT_TRUE(std::isnan(ApproachFraction(t1 * 3 + 100 - 122, 0, 0, -1, 20)));
  const float t3 = ApproachFraction(4, 0, 4, 0, 0);
  const float pa = t3 * 3 + 100;
  EXPECT_EQ(ApproachFraction(pa - 104, 0, -1, 0, 0) * -1 + 104, pa);
}

}  // namespace
