#include "scene/picking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

const Color_RGB kAny{1, 2, 3};

Circle CircleAt(float x, float y, float radius) { return Circle(x, y, x + radius, y, kAny); }

TEST(PickCircleTest, RimIsStrictAndCentreAndRadiusAreTruncated) {
  const std::vector<Circle> circles{CircleAt(100, 100, 10)};
  EXPECT_EQ(ObjectPickerC(110, 100, circles), -1);  // on the rim: 100 > 100 fails
  EXPECT_EQ(ObjectPickerC(109, 100, circles), 0);
  EXPECT_EQ(ObjectPickerC(107, 107, circles), 0);  // 98 < 100
  EXPECT_EQ(ObjectPickerC(108, 108, circles), -1);

  // Tested as centre (100, 100), radius 10.
  const std::vector<Circle> fractional{CircleAt(100.9f, 100.9f, 10.9f)};
  EXPECT_EQ(ObjectPickerC(110, 100, fractional), -1);
  EXPECT_EQ(ObjectPickerC(91, 100, fractional), 0);
}

TEST(PickCircleTest, DegenerateCirclesAndFarClicksNeverHit) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<Circle> circles{CircleAt(0, 0, 0), CircleAt(nan, 5, 10), CircleAt(5, 5, 1e30f)};
  EXPECT_EQ(ObjectPickerC(0, 0, circles), -1);  // a deleted circle: radius 0
  EXPECT_EQ(ObjectPickerC(5, 5, circles), -1);
  circles.push_back(CircleAt(0, 0, 60000));
  EXPECT_EQ(ObjectPickerC(INT32_MAX, INT32_MIN, circles), -1);  // no overflow on the way
  EXPECT_EQ(ObjectPickerC(-59999, 0, circles), 3);
  EXPECT_EQ(ObjectPickerC(0, 0, {}), -1);
}

TEST(PickBoxTest, BordersAreStrict) {
  const std::vector<Box> boxes{Box(100, 350, 660, 400, kAny)};
  const std::pair<int32_t, int32_t> borders[] = {{100, 370}, {660, 370}, {300, 350}, {300, 400}};
  for (const auto& border : borders) {
    EXPECT_EQ(ObjectPickerB(border.first, border.second, boxes), -1)
        << border.first << ", " << border.second;
  }
  EXPECT_EQ(ObjectPickerB(101, 351, boxes), 0);
  EXPECT_EQ(ObjectPickerB(659, 399, boxes), 0);
}

TEST(PickBoxTest, FarCornerPixelOfOddBoxIsNotAHit) {
  const std::vector<Box> odd{Box(0, 0, 11, 11, kAny)};
  EXPECT_EQ(ObjectPickerB(10, 10, odd), -1);
  EXPECT_EQ(ObjectPickerB(9, 10, odd), 0);
  EXPECT_EQ(ObjectPickerB(10, 9, odd), 0);
  const std::vector<Box> even{Box(0, 0, 10, 10, kAny)};
  EXPECT_EQ(ObjectPickerB(9, 9, even), 0);
}

TEST(PickBoxTest, FirstBoxInListOrderWinsWhateverItsCornerOrder) {
  const std::vector<Box> boxes{Box(200, 0, 100, 50, kAny),  // first corner right of the second
                               Box(0, 0, 50, 50, kAny), Box(10, 10, 40, 40, kAny)};
  EXPECT_EQ(ObjectPickerB(150, 25, boxes), 0);
  EXPECT_EQ(ObjectPickerB(100, 25, boxes), -1);  // its left border, clicked second
  EXPECT_EQ(ObjectPickerB(20, 20, boxes), 1);
  EXPECT_EQ(ObjectPickerB(0, 0, {}), -1);
}

TEST(PickBoxTest, ExtremeCornersDoNotOverflow) {
  const std::vector<Box> boxes{Box(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kAny)};
  EXPECT_EQ(ObjectPickerB(0, 0, boxes), 0);
  EXPECT_EQ(ObjectPickerB(INT32_MAX - 1, INT32_MIN + 1, boxes), 0);
}

TEST(PickTriangleTest, PicksByBoundingBoxWithStrictBorders) {
  std::vector<triangle> tris{triangle(380, 240, 330, 250, 420, 250, kAny)};
  EXPECT_EQ(ObjectPickerT(335, 241, tris), 0);  // outside the triangle, inside its box
  EXPECT_EQ(tris[0].getcx(), 45);
  EXPECT_EQ(tris[0].getcy(), 5);
  EXPECT_EQ(ObjectPickerT(330, 245, tris), -1);  // on the border
  EXPECT_EQ(ObjectPickerT(419, 249, tris), 0);
  EXPECT_EQ(ObjectPickerT(420, 245, tris), -1);

  // Odd extents: the interior pixel next to the far corner is not a hit.
  std::vector<triangle> odd{triangle(0, 0, 11, 0, 0, 11, kAny)};
  EXPECT_EQ(ObjectPickerT(10, 10, odd), -1);
  EXPECT_EQ(ObjectPickerT(9, 10, odd), 0);
}

TEST(PickTriangleTest, RefreshesStaleBoundsUpToTheFirstHitOnly) {
  std::vector<triangle> tris{triangle(0, 0, 10, 0, 0, 10, kAny),
                             triangle(100, 100, 150, 100, 100, 120, kAny),
                             triangle(100, 100, 150, 100, 100, 120, kAny)};
  // Shift the first two as a move does, leaving their cached bounds stale.
  for (triangle* t : {&tris[0], &tris[1]}) {
    t->setv1x(t->getv1x() + 1000);
    t->setv2x(t->getv2x() + 1000);
    t->setv3x(t->getv3x() + 1000);
  }
  tris[2].setmnx(-7);  // a marker the picker must not reach

  EXPECT_EQ(ObjectPickerT(1110, 110, tris), 1);
  EXPECT_EQ(tris[0].getxmin(), 1000);  // examined, refreshed, missed
  EXPECT_EQ(tris[0].getcx(), 5);
  EXPECT_EQ(tris[1].getxmin(), 1100);
  EXPECT_EQ(tris[1].getxmax(), 1150);
  EXPECT_EQ(tris[1].getymin(), 100);
  EXPECT_EQ(tris[1].getymax(), 120);
  EXPECT_EQ(tris[1].getcx(), 25);
  EXPECT_EQ(tris[1].getcy(), 10);
  EXPECT_EQ(tris[2].getxmin(), -7);
  EXPECT_EQ(tris[2].getcx(), 0);
}

TEST(PickTriangleTest, DegenerateTrianglesNeverHit) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<triangle> tris{triangle(0, 0, 0, 0, 0, 0, kAny),  // a deleted triangle
                             triangle(nan, 0, 10, 0, 0, 10, kAny),
                             triangle(-1e30f, 0, 1e30f, 0, 0, 10, kAny)};
  EXPECT_EQ(ObjectPickerT(0, 0, tris), -1);
  EXPECT_EQ(ObjectPickerT(1, 1, tris), -1);
  std::vector<triangle> none;
  EXPECT_EQ(ObjectPickerT(1, 1, none), -1);
}

}  // namespace
