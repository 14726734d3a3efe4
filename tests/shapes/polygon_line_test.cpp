#include "shapes/polygon_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "tests/support/frame_helpers.h"

namespace {

using testing_support::Pixel;
using testing_support::TestBuffer;

constexpr Color_RGB kGreen{0, 255, 0};

std::set<Pixel> Drawn(int x1, int y1, int x2, int y2, int w = 10, int h = 10) {
  TestBuffer buf(w, h);
  PolygonLine(x1, y1, x2, y2, kGreen, buf.rc());
  return buf.Lit();
}

TEST(PolygonLineTest, ExactPixels) {
  const struct {
    int x1, y1, x2, y2;
    std::set<Pixel> want;
  } cases[] = {
      {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
      // Ties step the minor axis, so the reverse differs.
      {4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}},
      {4, 0, 0, 2, {{4, 0}, {3, 1}, {2, 1}, {1, 2}, {0, 2}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {3, 0, 0, 3, {{3, 0}, {2, 1}, {1, 2}, {0, 3}}},
      {0, 0, 1, 5, {{0, 0}, {0, 1}, {0, 2}, {1, 3}, {1, 4}, {1, 5}}},
      {0, 0, 1, 4, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {1, 4}}},
      {1, 4, 0, 0, {{1, 4}, {1, 3}, {0, 2}, {0, 1}, {0, 0}}},
      {5, 5, 5, 0, {{5, 5}, {5, 4}, {5, 3}, {5, 2}, {5, 1}, {5, 0}}},
      {6, 3, 3, 3, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},
      {2, 2, 2, 2, {{2, 2}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Drawn(c.x1, c.y1, c.x2, c.y2), c.want)
        << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
  }
  Drawn(0, 0, 0, 0);
  EXPECT_EQ(stub::LastFrame().at(0, 0), 0x00FF00u);
}

// In every direction: one pixel per step of the major axis, both ends set,
// and each pixel within half a pixel of the true line across it.
TEST(PolygonLineTest, EveryDirectionStepsOnceAndStaysNearTheLine) {
  const int c = 12;
  for (int x2 = 0; x2 <= 2 * c; ++x2) {
    for (int y2 = 0; y2 <= 2 * c; ++y2) {
      const std::set<Pixel> lit = Drawn(c, c, x2, y2, 2 * c + 1, 2 * c + 1);
      const int dx = x2 - c, dy = y2 - c;
      const bool xMajor = std::abs(dx) >= std::abs(dy);
      const int steps = std::max(std::abs(dx), std::abs(dy));
      ASSERT_EQ(lit.size(), static_cast<size_t>(steps + 1)) << x2 << "," << y2;
      EXPECT_TRUE(lit.count({c, c}) && lit.count({x2, y2})) << x2 << "," << y2;
      std::set<int> major;
      for (const auto& [x, y] : lit) {
        major.insert(xMajor ? x : y);
        if (steps == 0) continue;
        const double off = xMajor ? (y - c) - static_cast<double>(dy) * (x - c) / dx
                                  : (x - c) - static_cast<double>(dx) * (y - c) / dy;
        EXPECT_LE(std::fabs(off), 0.5) << x2 << "," << y2 << " at " << x << "," << y;
      }
      EXPECT_EQ(major.size(), lit.size()) << x2 << "," << y2;
    }
  }
}

TEST(PolygonLineTest, PartlyOutsideDrawsExactlyTheVisiblePart) {
  std::set<Pixel> visible;
  for (const auto& [x, y] : Drawn(10, 15, 40, 30, 50, 50))
    if (x >= 20 && x < 30 && y >= 20 && y < 30) visible.insert({x - 20, y - 20});
  EXPECT_FALSE(visible.empty());
  EXPECT_EQ(Drawn(-10, -5, 20, 10), visible);
}

}  // namespace
