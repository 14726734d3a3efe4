#include "shapes/box.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/frame_helpers.h"

namespace {

using testing_support::Pixel;
using testing_support::TestBuffer;

constexpr Color_RGB kRed{255, 0, 0};

std::set<Pixel> Drawn(const Box& b, bool fill, int w = 20, int h = 20) {
  TestBuffer buf(w, h);
  if (fill) {
    b.Draw(buf.rc());
  } else {
    b.UnFilled(buf.rc());
  }
  return buf.Lit();
}

std::set<Pixel> Rect(int x0, int y0, int x1, int y1) {
  std::set<Pixel> out;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) out.insert({x, y});
  return out;
}

std::set<Pixel> operator+(std::set<Pixel> a, const std::set<Pixel>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

TEST(BoxTest, DefaultBoxCoversBothCornersInclusive) {
  const std::set<Pixel> lit = Drawn(Box(100, 350, 660, 400, kRed), true, 800, 600);
  EXPECT_EQ(lit.size(), 561u * 51u);
  EXPECT_EQ(lit, Rect(100, 350, 660, 400));
}

TEST(BoxTest, FilledAndOutlinePixels) {
  const int big = 1000000000;
  const struct {
    int x0, y0, x1, y1;
    bool fill;
    std::set<Pixel> want;
  } cases[] = {
      {3, 3, 3, 3, true, {{3, 3}}},
      {3, 3, 3, 3, false, {{3, 3}}},
      {10, 10, 13, 12, false,
       Rect(10, 10, 13, 10) + Rect(10, 12, 13, 12) + Rect(10, 11, 10, 11) + Rect(13, 11, 13, 11)},
      // Corners in any order draw the box between them.
      {2, 5, 4, 3, true, Rect(2, 3, 4, 5)},
      {2, 5, 4, 3, false,
       Rect(2, 3, 4, 3) + Rect(2, 5, 4, 5) + Rect(2, 4, 2, 4) + Rect(4, 4, 4, 4)},
      {13, 10, 10, 12, true, Rect(10, 10, 13, 12)},
      {13, 12, 10, 10, false,
       Rect(10, 10, 13, 10) + Rect(10, 12, 13, 12) + Rect(10, 11, 10, 11) + Rect(13, 11, 13, 11)},
      // Partly outside: only what lies in the buffer.
      {-5, -5, 3, 2, true, Rect(0, 0, 3, 2)},
      {-5, -5, 3, 2, false, Rect(0, 2, 3, 2) + Rect(3, 0, 3, 1)},
      {15, 17, 30, 30, false, Rect(15, 17, 19, 17) + Rect(15, 18, 15, 19)},
      // Far larger than the buffer: covers it, or leaves its edges all outside.
      {-big, -big, big, big, true, Rect(0, 0, 19, 19)},
      {-big, -big, big, big, false, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Drawn(Box(c.x0, c.y0, c.x1, c.y1, kRed), c.fill), c.want)
        << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1 << " fill " << c.fill;
  }
}

TEST(BoxTest, HalfExtentsTruncateTowardZero) {
  Box b(0, 0, -3, 7, kRed);
  b.setcx();
  b.setcy();
  EXPECT_EQ(b.getcx(), -1);
  EXPECT_EQ(b.getcy(), 3);
}

TEST(BoxTest, RecentringUsesTheStoredHalfExtents) {
  // An odd width loses a pixel on the first move and keeps 10 from then on.
  Box odd(0, 0, 11, 0, kRed);
  odd.setcx();
  odd.setnewx(50);
  EXPECT_EQ(odd.getv1x(), 45);
  EXPECT_EQ(odd.getv2x(), 55);
  odd.setcx();
  odd.setnewx(20);
  EXPECT_EQ(odd.getv1x(), 15);
  EXPECT_EQ(odd.getv2x(), 25);

  // The move sequence on the default box, to a click at (400, 300).
  Box b(100, 350, 660, 400, kRed);
  b.setcx();
  b.setcy();
  b.setnewx(400);
  b.setnewy(300);
  b.setcx();
  b.setcy();
  EXPECT_EQ(Drawn(b, true, 800, 600), Rect(120, 275, 680, 325));
  EXPECT_EQ(b.getcx(), 280);
  EXPECT_EQ(b.getcy(), 25);

  // setnewx reads cx as it stands: zeroed half extents collapse the box onto the point.
  b.setcx0();
  b.setcy0();
  b.setnewx(7);
  b.setnewy(9);
  EXPECT_EQ(Drawn(b, false), (std::set<Pixel>{{7, 9}}));
}

}  // namespace
