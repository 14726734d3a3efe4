#include "shapes/triangle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>

#include "shapes/round.h"
#include "tests/support/frame_helpers.h"

namespace {

using testing_support::Pixel;
using testing_support::TestBuffer;

constexpr Color_RGB kBlue{0, 0, 255};

triangle Tri(float ax, float ay, float bx, float by, float cx, float cy) {
  return triangle(ax, ay, bx, by, cx, cy, kBlue);
}

std::set<Pixel> Drawn(triangle t, bool fill, int w = 800, int h = 600) {
  TestBuffer buf(w, h);
  t.Draw(buf.rc(), fill);
  return buf.Lit();
}

std::set<Pixel> Span(int y, int from, int to) {
  std::set<Pixel> out;
  for (int x = from; x <= to; ++x) out.insert({x, y});
  return out;
}

void Add(std::set<Pixel>& to, const std::set<Pixel>& more) { to.insert(more.begin(), more.end()); }

TEST(TriangleTest, DefaultTriangleFilledAndOutline) {
  const triangle t = Tri(380, 240, 330, 250, 420, 250);
  EXPECT_TRUE(t.Left());
  std::set<Pixel> filled, outline;
  for (int k = 0; k <= 10; ++k) {
    Add(filled, Span(240 + k, 380 - 5 * k, 380 + 4 * k));
    outline.insert({380 - 5 * k, 240 + k});
    outline.insert({380 + 4 * k, 240 + k});
  }
  EXPECT_EQ(filled.size(), 506u);
  EXPECT_EQ(outline.size(), 21u);  // no bottom edge between the two lower corners
  EXPECT_EQ(Drawn(t, true), filled);
  EXPECT_EQ(Drawn(t, false), outline);
}

TEST(TriangleTest, BothSideRulesFillCompletely) {
  const struct {
    triangle t;
    bool left;
  } cases[] = {{Tri(100, 100, 50, 150, 150, 200), true}, {Tri(100, 100, 150, 150, 50, 200), false}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.t.Left(), c.left);
    const std::set<Pixel> lit = Drawn(c.t, true);
    EXPECT_EQ(lit.size(), 3973u) << "left " << c.left;
    std::map<int, std::set<int>> rows;
    for (const auto& [x, y] : lit) rows[y].insert(x);
    EXPECT_EQ(rows.begin()->first, 100);
    EXPECT_EQ(rows.rbegin()->first, 200);
    EXPECT_EQ(rows.size(), 101u);
    for (const auto& [y, xs] : rows) {
      EXPECT_EQ(static_cast<int>(xs.size()), *xs.rbegin() - *xs.begin() + 1) << "gap in row " << y;
    }
    // The left position carries past V2 for one more row.
    EXPECT_EQ(lit.count({49, 151}), c.left ? 1u : 0u);
  }
}

TEST(TriangleTest, MiddleVertexRightOfTheLongEdgeButNotOfBothDrawsFivePixels) {
  const triangle t = Tri(100, 100, 140, 150, 150, 200);
  EXPECT_TRUE(t.Left());
  EXPECT_EQ(Drawn(t, true),
            (std::set<Pixel>{{100, 100}, {100, 101}, {101, 102}, {140, 150}, {150, 200}}));
}

TEST(TriangleTest, SideRule) {
  EXPECT_FALSE(Tri(0, 0, 5, 1, 0, 2).Left());
  EXPECT_TRUE(Tri(0, 0, 5, 1, 5, 2).Left());  // not strictly right of V3
  EXPECT_TRUE(Tri(5, 0, 5, 1, 0, 2).Left());  // not strictly right of V1
  EXPECT_TRUE(Tri(0, 0, -5, 1, 0, 2).Left());
}

TEST(TriangleTest, VerticesAreSortedByRowAndDrawResorts) {
  triangle t = Tri(10, 30, 20, 10, 30, 20);
  EXPECT_EQ(t.getv1x(), 20);
  EXPECT_EQ(t.getv1y(), 10);
  EXPECT_EQ(t.getv2x(), 30);
  EXPECT_EQ(t.getv2y(), 20);
  EXPECT_EQ(t.getv3x(), 10);
  EXPECT_EQ(t.getv3y(), 30);
  t.setv1y(40);  // now the lowest
  TestBuffer buf(50, 50);
  t.Draw(buf.rc(), false);
  EXPECT_EQ(t.getv1y(), 20);
  EXPECT_EQ(t.getv2y(), 30);
  EXPECT_EQ(t.getv3x(), 20);
  EXPECT_EQ(t.getv3y(), 40);
}

TEST(TriangleTest, BoundingBoxAndHalfExtents) {
  triangle t = Tri(5, 0, 5, 1, 10, 2);
  EXPECT_EQ(t.getxmin(), 5);
  EXPECT_EQ(t.getxmax(), 10);
  EXPECT_EQ(t.getymin(), 0);
  EXPECT_EQ(t.getymax(), 2);

  triangle d = Tri(380, 240, 330, 250, 421, 250);
  d.setcx();
  d.setcy();
  EXPECT_EQ(d.getcx(), 45);  // 45.5 truncated
  EXPECT_EQ(d.getcy(), 5);
  d.setmnx(10);
  d.setmax(7);
  d.setcx();
  EXPECT_EQ(d.getcx(), -1);  // -1.5 toward zero
  d.setmax(std::numeric_limits<float>::infinity());
  d.setcx();
  EXPECT_EQ(d.getcx(), 0);
}

TEST(RoundTest, HalfUpForPositiveTowardZeroForNegative) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // 0.49999997 + 0.5 is below 1 in double; summed in float it would round up to 1.
  const struct {
    float in;
    int32_t out;
  } cases[] = {{2.5f, 3},   {2.49f, 2},  {0, 0},   {-0.7f, 0}, {-1.0f, 0},
               {-1.5f, -1}, {-2.0f, -1}, {nan, 0}, {3e9f, 0},  {0.49999997f, 0}};
  for (const auto& c : cases) EXPECT_EQ(Round(c.in), c.out) << c.in;
}

TEST(TriangleClipTest, NegativeCoordinatesMapThroughRound) {
  // Lower-half rows set (Round(x), Round(y)): column -1 and row -1 land on 0.
  const struct {
    triangle t;
    std::set<Pixel> want;
  } cases[] = {
      {Tri(2, -4, -6, -2, -1, 3), {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}}},
      {Tri(-6, -6, 0, -2, -3, 3), {{0, 0}, {0, 1}, {0, 2}, {1, 0}}},
  };
  for (const auto& c : cases) EXPECT_EQ(Drawn(c.t, true, 10, 10), c.want) << c.t.Left();
}

TEST(TriangleClipTest, PartlyOutsideDrawsExactlyTheVisiblePart) {
  for (bool fill : {false, true}) {
    const triangle t = Tri(380, 240, 330, 250, 420, 250);
    std::set<Pixel> visible;
    for (const auto& p : Drawn(t, fill))
      if (p.first < 400 && p.second < 246) visible.insert(p);
    EXPECT_EQ(Drawn(t, fill, 400, 246), visible) << "fill " << fill;
  }
}

TEST(TriangleClipTest, LeftEdgeFarOutsideStillBoundsItsSpans) {
  // After V2 the left position is about -5e8, beyond any pixel, yet the
  // spans from it to the right edge still cover column 0.
  std::set<Pixel> column;
  for (int y = 0; y <= 10; ++y) column.insert({0, y});
  EXPECT_EQ(Drawn(Tri(0, 0, -2.5e8f, 1, 0, 10), true, 4, 12), column);
}

TEST(TriangleClipTest, UnusableCoordinatesDrawNothing) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const triangle cases[] = {Tri(nan, 0, 5, 5, 0, 9), Tri(0, 0, 5, inf, 0, 9),
                            Tri(0, 0, 5, 5, -3e8f, 9), Tri(0, 0, 5, 5, 0, 268435456.0f)};
  for (const auto& t : cases) {
    for (bool fill : {false, true}) EXPECT_TRUE(Drawn(t, fill, 10, 10).empty()) << fill;
  }
}

// V1 and V2 on one row: the upper edge is horizontal, and the side that
// followed it restarts on V2->V3 at the row reached, so every lower row spans
// between the two real edges.
TEST(TriangleFlatTopTest, LowerRowsSpanBetweenTheRealEdges) {
  const struct {
    triangle t;
    int firstRow, lastRow;
    float lo, loStep;  // span start at the first row, and per row
    bool roundStart;   // Round(lo) rather than truncation
    float hi, hiStep;  // span end (inclusive while x <= hi)
  } cases[] = {
      {Tri(0, 0, 10, 0, 5, 10), 1, 9, 0.5f, 0.5f, true, 9.5f, -0.5f},
      {Tri(10, 0, 0, 0, 5, 10), 1, 9, 0.5f, 0.5f, false, 9.5f, -0.5f},
      {Tri(0, 0, 8, 0, 0, 4), 1, 3, 0, 0, true, 6, -2},
      // Coincident upper vertices: a one-pixel walk down the remaining edge.
      {Tri(5, 0, 5, 0, 0, 10), 1, 9, 4.5f, -0.5f, false, 4.5f, -0.5f},
      {Tri(5, 0, 5, 0, 10, 10), 1, 9, 5.5f, 0.5f, false, 5.5f, 0.5f},
      // No row lies between V1 and V2: the restart happens before the first row.
      {Tri(0, 0.6f, 10, 0.6f, 5, 10.6f), 1, 10, 0, 0.5f, true, 9.8f, -0.5f},
  };
  for (const auto& c : cases) {
    triangle t = c.t;
    std::set<Pixel> want{{Round(t.getv1x()), Round(t.getv1y())},
                         {Round(t.getv2x()), Round(t.getv2y())},
                         {Round(t.getv3x()), Round(t.getv3y())}};
    for (int y = c.firstRow; y <= c.lastRow; ++y) {
      const float lo = c.lo + c.loStep * static_cast<float>(y - c.firstRow);
      const float hi = c.hi + c.hiStep * static_cast<float>(y - c.firstRow);
      Add(want, Span(y, c.roundStart ? Round(lo) : static_cast<int>(lo),
                     static_cast<int>(std::floor(hi))));
    }
    EXPECT_EQ(Drawn(t, true, 20, 20), want)
        << t.getv1x() << "," << t.getv1y() << " " << t.getv2x() << "," << t.getv2y() << " "
        << t.getv3x() << "," << t.getv3y();
  }
}

}  // namespace
