#include "shapes/circle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>

#include "tests/support/frame_helpers.h"

namespace {

using testing_support::Pixel;
using testing_support::TestBuffer;

Circle At(float cx, float cy, float r) {
  Circle c;
  c.Setoriginx(cx);
  c.Setoriginy(cy);
  c.Setradius(r);
  return c;
}

std::set<Pixel> Drawn(const Circle& c, bool fill, int w = 200, int h = 200) {
  TestBuffer buf(w, h);
  c.Draw(buf.rc(), fill);
  return buf.Lit();
}

// The midpoint rule in closed form: for the offset (a, b) from the centre the
// outline passes at b = max{y : a^2 + y(y - 1) < r^2}, so a pixel is inside
// the disc when that holds for it or for its mirror about the diagonal.
bool InDisc(long long a, long long b, long long r) {
  return a * a + b * (b - 1) < r * r || b * b + a * (a - 1) < r * r;
}

std::set<Pixel> DiscByFormula(int cx, int cy, int r, int w, int h) {
  std::set<Pixel> out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (InDisc(std::abs(x - cx), std::abs(y - cy), r)) out.insert({x, y});
  return out;
}

TEST(CircleTest, DefaultOutlineIsAOnePixelRing) {
  TestBuffer buf(200, 200);
  Circle().Draw(buf.rc(), false);
  const std::set<Pixel> lit = buf.Lit();
  EXPECT_EQ(stub::LastFrame().at(100, 90), 0xFF9600u);  // topmost, in the default colour
  int minx = 1000, miny = 1000;
  for (const auto& [x, y] : lit) {
    minx = std::min(minx, x);
    miny = std::min(miny, y);
    const int d2 = (x - 100) * (x - 100) + (y - 100) * (y - 100);
    EXPECT_GT(d2, 9 * 9) << x << "," << y;  // nothing inside the ring
    EXPECT_LT(d2, 11 * 11) << x << "," << y;
  }
  EXPECT_EQ(miny, 90);
  EXPECT_EQ(minx, 90);
  EXPECT_TRUE(lit.count({90, 100}));
}

TEST(CircleTest, SmallRadiiExactPixels) {
  const std::set<Pixel> centre{{5, 5}};
  const std::set<Pixel> plus{{4, 5}, {6, 5}, {5, 4}, {5, 6}};
  std::set<Pixel> plusFilled = plus;
  plusFilled.insert({5, 5});
  // Offsets (0, 3), (1, 3) and (2, 2), each mirrored eight ways.
  const std::set<Pixel> ring3{{5, 8}, {5, 2}, {8, 5}, {2, 5}, {4, 8}, {6, 8}, {2, 6}, {8, 6},
                              {2, 4}, {8, 4}, {4, 2}, {6, 2}, {3, 7}, {7, 7}, {3, 3}, {7, 3}};
  const struct {
    float r;
    bool fill;
    const std::set<Pixel>& want;
  } cases[] = {
      {0, false, centre}, {0, true, centre},     {0.99f, false, centre}, {0.99f, true, centre},
      {1, false, plus},   {1, true, plusFilled}, {3, false, ring3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Drawn(At(5, 5, c.r), c.fill, 12, 12), c.want) << c.r << " fill " << c.fill;
  }
}

TEST(CircleTest, DiscMatchesTheMidpointRuleAndClosesTheOutlineRowByRow) {
  for (int r = 1; r <= 60; ++r) {
    const std::set<Pixel> disc = Drawn(At(70, 70, r), true, 140, 140);
    ASSERT_EQ(disc, DiscByFormula(70, 70, r, 140, 140)) << "radius " << r;
    std::map<int, std::pair<int, int>> extent;  // row -> outline's leftmost, rightmost
    for (const auto& [x, y] : Drawn(At(70, 70, r), false, 140, 140)) {
      ASSERT_TRUE(disc.count({x, y})) << "radius " << r;
      auto it = extent.emplace(y, std::make_pair(x, x)).first;
      it->second.first = std::min(it->second.first, x);
      it->second.second = std::max(it->second.second, x);
    }
    size_t closure = 0;
    for (const auto& [y, e] : extent) closure += e.second - e.first + 1;
    EXPECT_EQ(disc.size(), closure) << "radius " << r;
  }
}

TEST(CircleTest, CentreAndRadiusTruncateTowardZero) {
  for (bool fill : {false, true}) {
    EXPECT_EQ(Drawn(At(99.9f, 100.9f, 10.9f), fill), Drawn(At(99, 100, 10), fill));
  }
  // -0.9 truncates to 0, not down to -1.
  EXPECT_EQ(Drawn(At(-0.9f, 5, 1), false, 10, 10), (std::set<Pixel>{{1, 5}, {0, 4}, {0, 6}}));
}

TEST(CircleTest, PartlyOutsideDrawsExactlyTheVisiblePart) {
  for (bool fill : {false, true}) {
    const std::set<Pixel> whole = Drawn(At(100, 100, 30), fill);
    std::set<Pixel> visible;
    for (const auto& [x, y] : whole) {
      const int sx = x - 90, sy = y - 110;  // the centre lands on (10, -10)
      if (sx >= 0 && sx < 40 && sy >= 0 && sy < 40) visible.insert({sx, sy});
    }
    EXPECT_EQ(Drawn(At(10, -10, 30), fill, 40, 40), visible) << "fill " << fill;
  }
}

TEST(CircleTest, HugeDiscWalksOnlyTheVisibleColumns) {
  // The top of a disc of radius 90000: its rows are up to 180000 pixels wide.
  const int w = 1300, h = 12, cx = 650, cy = 90003;
  EXPECT_EQ(Drawn(At(cx, cy, 90000), true, w, h), DiscByFormula(cx, cy, 90000, w, h));
}

TEST(CircleTest, UnusableCoordinatesDrawNothing) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float far = 268435456.0f;  // 2^28 pixels
  const struct {
    float cx, cy, r;
  } cases[] = {{nan, 5, 3}, {5, inf, 3}, {5, 5, nan}, {5, 5, inf}, {-far, 5, 3}, {5, 5, far}};
  for (const auto& c : cases) {
    for (bool fill : {false, true}) {
      EXPECT_TRUE(Drawn(At(c.cx, c.cy, c.r), fill, 10, 10).empty())
          << c.cx << " " << c.cy << " " << c.r;
    }
  }
}

TEST(CircleTest, Constructors) {
  const Circle fromLeft(150, 100, 50, Color_RGB{255, 255, 255});
  EXPECT_EQ(fromLeft.Getoriginx(), 200);
  EXPECT_EQ(fromLeft.Getoriginy(), 100);
  EXPECT_EQ(fromLeft.Getradius(), 50);
  EXPECT_EQ(fromLeft.Getx1(), 150);  // the given x is kept as the rim point
  EXPECT_EQ(fromLeft.Gety1(), 100);
  EXPECT_EQ(Circle(0, 0, 3.0f, 4.0f, Color_RGB{}).Getradius(), 5);
  EXPECT_EQ(Circle(10, 10, 7.0f, 6.0f, Color_RGB{}).Getradius(), 5);
}

}  // namespace
