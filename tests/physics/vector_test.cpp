#include "physics/vector.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(VectorTest, NormalizeMultipliesByTheReciprocal) {
  struct Case {
    float i, j, want_i, want_j;
  } const cases[] = {
      {3, 4, 0.6f, 0.8f},
      {0, -2, 0, -1},
      // Dividing each component by the length would give 0.995037198 here.
      {1, 10, 0.0995037258f, 0.995037258f},
      {-199, -199, -0.70710677f, -0.70710677f},
  };
  for (const Case& c : cases) {
    VECTOR v(c.i, c.j);
    v.normalize();
    EXPECT_EQ(v.i, c.want_i) << c.i << "," << c.j;
    EXPECT_EQ(v.j, c.want_j) << c.i << "," << c.j;
  }
  VECTOR unit(0.6f, 0.8f);
  unit.normalize();
  EXPECT_NEAR(unit.magnitude(), 1.0f, 1e-7f);
}

TEST(VectorTest, NormalizingZeroGivesNotANumber) {
  VECTOR v;
  v.normalize();
  EXPECT_TRUE(std::isnan(v.i));
  EXPECT_TRUE(std::isnan(v.j));
}

TEST(VectorTest, ConstructionDotProductAndFlip) {
  const VECTOR d(10, 20, 13, 16);
  EXPECT_EQ(d.Getx(), 3);
  EXPECT_EQ(d.Gety(), -4);
  EXPECT_EQ(d.magnitude(), 5);
  EXPECT_EQ(d.DP(d.i, d.j), 25);
  EXPECT_EQ(d.DP(4, 3), 0);  // perpendicular
  const VECTOR odd(0.1f, -7.3f);
  EXPECT_NEAR(odd.DP(odd.i, odd.j), odd.magnitude() * odd.magnitude(), 1e-5f);

  VECTOR f = odd;
  f.flip();
  EXPECT_EQ(f.i, -0.1f);
  EXPECT_EQ(f.j, 7.3f);
  f.flip();
  EXPECT_EQ(f.i, odd.i);
  EXPECT_EQ(f.j, odd.j);
}

}  // namespace
