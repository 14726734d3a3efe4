#include "scene/mouse_editing.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "scene/history.h"
#include "scene/scene.h"
#include "tests/support/scene_reset.h"

namespace {

using Ends = std::array<float, 4>;
using Vertex = std::array<float, 3>;  // x, y, kind

std::vector<Ends> LinesFrom(size_t first) {
  std::vector<Ends> out;
  for (size_t k = first; k < LinesList.size(); ++k) {
    const Lines& l = LinesList[k];
    out.push_back({l.x1, l.y1, l.x2, l.y2});
  }
  return out;
}

std::vector<Vertex> Vertices() {
  std::vector<Vertex> out;
  for (const PolygonVertex& v : polylist) out.push_back({v.x, v.y, static_cast<float>(v.kind)});
  return out;
}

std::array<int32_t, 4> Corners(const Box& b) {
  return {b.getv1x(), b.getv1y(), b.getv2x(), b.getv2y()};
}

bool Same(Color_RGB a, Color_RGB b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

void Clicks(std::initializer_list<std::array<uint16_t, 2>> points) {
  for (const auto& p : points) LeftClick(p[0], p[1]);
}

class MouseEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ResetScene();
    Pause = true;
  }
};

TEST_F(MouseEditingTest, LeftClicksActOnlyInEditModeRightClicksAlways) {
  init();
  Pause = false;
  Clicks({{130, 370}, {400, 300}, {10, 10}});  // over the default box
  EXPECT_TRUE(gPointList.empty());
  EXPECT_EQ(pickedb, -1);
  EXPECT_EQ(boxlist[0].getv1x(), 100);
  EXPECT_EQ(trilist.size(), 1u);

  shape = type::polygon;
  Pause = true;
  LeftClick(10, 20);
  Pause = false;
  RightClick(30, 40);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{10, 20, 0}, {30, 40, 2}}));
  EXPECT_TRUE(gPointList.empty());
}

TEST_F(MouseEditingTest, TriangleFromThreeClicks) {
  LeftClick(100, 100);
  LeftClick(200, 100);
  EXPECT_EQ(gPointList.size(), 2u);
  color = green;
  LeftClick(150, 50);
  ASSERT_EQ(trilist.size(), 1u);
  EXPECT_EQ(trilist[0].getv1x(), 150);  // topmost corner first
  EXPECT_EQ(trilist[0].getv1y(), 50);
  EXPECT_TRUE(Same(trilist[0].getcol(), green));
  EXPECT_EQ(LinesFrom(0),
            (std::vector<Ends>{{100, 100, 150, 50}, {150, 50, 200, 100}, {200, 100, 100, 100}}));
  EXPECT_TRUE(Same(LinesList[0].colour1, green));
  EXPECT_TRUE(gPointList.empty());

  // The lines come from the first three pending points, the triangle from the
  // last three; the largest click position comes through exactly.
  shape = type::polygon;
  Clicks({{1, 1}, {2, 2}, {3, 3}, {4, 4}});
  shape = type::triangle;
  Clicks({{65535, 5}, {6, 65535}});
  ASSERT_EQ(trilist.size(), 2u);
  const triangle& t = trilist[1];
  EXPECT_EQ((Ends{t.getv1x(), t.getv1y(), t.getv2x(), t.getv2y()}), (Ends{4, 4, 65535, 5}));
  EXPECT_EQ(t.getv3y(), 65535);
  EXPECT_EQ(LinesFrom(LinesList.size() - 3),
            (std::vector<Ends>{{1, 1, 3, 3}, {3, 3, 2, 2}, {2, 2, 1, 1}}));
}

TEST_F(MouseEditingTest, BoxFromTwoClicksInEitherOrder) {
  shape = type::box;
  LeftClick(100, 100);
  color = blue;
  LeftClick(200, 150);
  ASSERT_EQ(boxlist.size(), 1u);
  EXPECT_EQ(Corners(boxlist[0]), (std::array<int32_t, 4>{100, 100, 200, 150}));
  EXPECT_TRUE(Same(boxlist[0].getcol(), blue));
  EXPECT_EQ(boxlist[0].getcx(), 0);
  EXPECT_EQ(
      LinesFrom(0),
      (std::vector<Ends>{
          {100, 100, 100, 150}, {200, 150, 100, 150}, {100, 100, 200, 100}, {200, 150, 200, 100}}));
  EXPECT_TRUE(gPointList.empty());

  Clicks({{200, 150}, {100, 100}});  // bottom-right to top-left
  EXPECT_EQ(Corners(boxlist[1]), (std::array<int32_t, 4>{200, 150, 100, 100}));
  EXPECT_EQ(
      LinesFrom(4),
      (std::vector<Ends>{
          {200, 150, 200, 100}, {100, 100, 200, 100}, {200, 150, 100, 150}, {100, 100, 100, 150}}));
}

TEST_F(MouseEditingTest, CircleFromCentreAndRimAndToolChangesKeepPoints) {
  shape = type::circle;
  LeftClick(300, 300);
  color = green;
  LeftClick(330, 340);
  ASSERT_EQ(circlist.size(), 1u);
  EXPECT_EQ(circlist[0].Getoriginx(), 300);
  EXPECT_EQ(circlist[0].Getradius(), 50);
  EXPECT_TRUE(Same(circlist[0].Getcol(), green));

  LeftClick(10, 10);
  shape = type::box;  // a circle gesture with one point pending completes as a box
  LeftClick(20, 30);
  EXPECT_EQ(circlist.size(), 1u);
  ASSERT_EQ(boxlist.size(), 1u);
  EXPECT_EQ(boxlist[0].getv2y(), 30);
  EXPECT_TRUE(gPointList.empty());

  // Two clicks at one spot would make a circle of radius 0 or a box of size
  // 0, unseen yet solid: as for a ball, the clicks go and nothing is made,
  // not even a step to undo.
  for (type tool : {type::circle, type::box}) {
    shape = tool;
    ForgetHistory();
    Clicks({{40, 40}, {40, 40}});
    EXPECT_TRUE(gPointList.empty());
    EXPECT_FALSE(CanUndo());
  }
  EXPECT_EQ(circlist.size(), 1u);
  EXPECT_EQ(boxlist.size(), 1u);
  EXPECT_EQ(LinesList.size(), 4u);
}

TEST_F(MouseEditingTest, PolygonGestures) {
  shape = type::polygon;
  Clicks({{10, 10}, {50, 10}, {50, 50}});
  EXPECT_EQ(gPointList.size(), 3u);
  RightClick(10, 50);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{10, 10, 0}, {50, 10, 1}, {50, 50, 1}, {10, 50, 2}}));
  EXPECT_EQ(
      LinesFrom(0),
      (std::vector<Ends>{{50, 10, 10, 10}, {50, 50, 50, 10}, {10, 50, 50, 50}, {10, 50, 10, 10}}));
  EXPECT_TRUE(gPointList.empty());

  // One left click then the closing click: two identical lines.
  LeftClick(100, 100);
  RightClick(200, 200);
  EXPECT_EQ(LinesFrom(4), (std::vector<Ends>{{200, 200, 100, 100}, {200, 200, 100, 100}}));

  // A closing click with nothing pending has no polygon to close.
  const size_t vertices = polylist.size();
  RightClick(300, 300);
  EXPECT_EQ(polylist.size(), vertices);
  EXPECT_EQ(LinesList.size(), 6u);
  EXPECT_TRUE(gPointList.empty());
}

TEST_F(MouseEditingTest, RightClickWithOtherToolsOnlyDiscardsPoints) {
  Clicks({{1, 1}, {2, 2}});
  RightClick(3, 3);
  EXPECT_TRUE(gPointList.empty());
  EXPECT_TRUE(polylist.empty());
  EXPECT_TRUE(trilist.empty());
  Clicks({{10, 10}, {20, 10}, {15, 0}});
  ASSERT_EQ(trilist.size(), 1u);
  EXPECT_EQ(trilist[0].getv1y(), 0);
  EXPECT_EQ(LinesFrom(0).front(), (Ends{10, 10, 15, 0}));
}

TEST_F(MouseEditingTest, BallGestures) {
  CreateBall = true;
  speed = 2;
  pinrad = 15;
  color = blue;
  Clicks({{100, 100}, {100, 50}});
  ASSERT_EQ(BallList.size(), 1u);
  const pinball& ball = BallList[0];
  EXPECT_EQ(ball.Getoriginx(), 100);
  EXPECT_EQ(ball.Getoriginy(), 100);
  EXPECT_FLOAT_EQ(ball.getvecX(), 0);
  EXPECT_FLOAT_EQ(ball.getvecY(), -1);
  EXPECT_EQ(ball.getspeed(), 2);
  EXPECT_EQ(ball.Getradius(), 15);
  EXPECT_TRUE(Same(ball.Getcol(), blue));
  EXPECT_TRUE(gPointList.empty());

  // Two clicks at one spot give no direction: no ball, and the gesture ends.
  Clicks({{7, 7}, {7, 7}});
  EXPECT_EQ(BallList.size(), 1u);
  EXPECT_TRUE(gPointList.empty());

  // Points left over from another gesture keep the count past two.
  CreateBall = false;
  shape = type::polygon;
  Clicks({{1, 1}, {2, 2}, {3, 3}});
  CreateBall = true;
  Clicks({{4, 4}, {5, 5}});
  EXPECT_EQ(BallList.size(), 1u);
  EXPECT_EQ(gPointList.size(), 5u);
  RightClick(6, 6);
  Clicks({{4, 4}, {5, 5}});
  EXPECT_EQ(BallList.size(), 2u);
}

class DefaultSceneEditingTest : public MouseEditingTest {
 protected:
  void SetUp() override {
    MouseEditingTest::SetUp();
    init();
  }
};

TEST_F(DefaultSceneEditingTest, SecondClickMovesThePickedShapeAndBuildsNothing) {
  const size_t lines = LinesList.size();
  shape = type::box;
  LeftClick(130, 370);
  EXPECT_EQ(pickedb, 0);  // the first click's pick stays visible to Delete
  LeftClick(400, 300);
  EXPECT_EQ(boxlist.size(), 1u);
  EXPECT_EQ(boxlist[0].getv1x(), 120);
  EXPECT_EQ(LinesList.size(), lines);
  EXPECT_TRUE(gPointList.empty());
  EXPECT_EQ(pickedb, -1);

  // The first click of a move also opens a polygon, which stays alone.
  shape = type::polygon;
  Clicks({{375, 245}, {100, 100}});
  EXPECT_EQ(trilist[0].getv1x(), 105);
  EXPECT_EQ(Vertices(), (std::vector<Vertex>{{375, 245, 0}}));
  EXPECT_EQ(LinesList.size(), lines);
}

TEST_F(DefaultSceneEditingTest, BoxWinsOverCircleAndCircleOverTriangle) {
  circlist.push_back(Circle(400, 375, 420, 375, red));  // over the box
  circlist.push_back(Circle(380, 245, 390, 245, red));  // over the triangle
  Clicks({{400, 375}, {50, 50}});
  EXPECT_EQ(boxlist[0].getv1x(), 50 - 280);
  EXPECT_EQ(circlist[2].Getoriginx(), 400);
  EXPECT_EQ(pickedc, 2);  // kept for a later Delete

  Clicks({{380, 245}, {60, 70}});
  EXPECT_EQ(circlist[3].Getoriginx(), 60);
  EXPECT_EQ(circlist[3].Getoriginy(), 70);
  EXPECT_EQ(trilist[0].getv1x(), 380);
  EXPECT_EQ(pickedt, -1);
}

TEST_F(DefaultSceneEditingTest, PicksFollowTheFirstPendingPoint) {
  LeftClick(20, 500);   // empty space
  LeftClick(130, 370);  // on the box, but the first point picks nothing
  EXPECT_EQ(pickedb, -1);
  EXPECT_EQ(boxlist[0].getv1x(), 100);
  LeftClick(30, 520);
  EXPECT_EQ(trilist.size(), 2u);
  EXPECT_TRUE(gPointList.empty());
}

}  // namespace
