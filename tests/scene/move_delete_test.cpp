#include "scene/move_delete.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "scene/picking.h"
#include "scene/scene.h"
#include "tests/support/scene_reset.h"

namespace {

using Ends = std::array<float, 4>;

Ends EndsOf(const Lines& l) { return {l.x1, l.y1, l.x2, l.y2}; }
std::array<int32_t, 4> Corners(const Box& b) {
  return {b.getv1x(), b.getv1y(), b.getv2x(), b.getv2y()};
}
std::array<float, 6> Corners(const triangle& t) {
  return {t.getv1x(), t.getv1y(), t.getv2x(), t.getv2y(), t.getv3x(), t.getv3y()};
}

std::vector<Ends> AllLines() {
  std::vector<Ends> all;
  for (const Lines& l : LinesList) all.push_back(EndsOf(l));
  return all;
}

// Every coordinate of every shape and line, to see that nothing moved.
std::vector<float> Snapshot() {
  std::vector<float> s;
  for (const Lines& l : LinesList) s.insert(s.end(), {l.x1, l.y1, l.x2, l.y2});
  for (const Circle& c : circlist)
    s.insert(s.end(), {c.Getoriginx(), c.Getoriginy(), c.Getradius()});
  for (const Box& b : boxlist) {
    for (int32_t v : Corners(b)) s.push_back(static_cast<float>(v));
  }
  for (const triangle& t : trilist) {
    for (float v : Corners(t)) s.push_back(v);
  }
  return s;
}

void AddLine(float x1, float y1, float x2, float y2) {
  LinesList.push_back({x1, y1, red, x2, y2, red});
}

// A box and its wall lines as two clicks leave them.
void AddClickedBox(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  boxlist.push_back(Box(x0, y0, x1, y1, red));
  boxlist.back().setwalls(static_cast<int32_t>(LinesList.size()));
  AddLine(x0, y0, x0, y1);
  AddLine(x1, y1, x0, y1);
  AddLine(x0, y0, x1, y0);
  AddLine(x1, y1, x1, y0);
}

// A triangle and its wall lines as three clicks leave them: the lines start
// at the first click, the triangle's first corner is its topmost one.
void AddClickedTriangle(float ax, float ay, float bx, float by, float cx, float cy) {
  trilist.push_back(triangle(ax, ay, bx, by, cx, cy, red));
  trilist.back().setwalls(static_cast<int32_t>(LinesList.size()));
  AddLine(ax, ay, cx, cy);
  AddLine(cx, cy, bx, by);
  AddLine(bx, by, ax, ay);
}

// A pick as the left click makes it, which also refreshes triangle bounds.
void PickAt(int32_t x, int32_t y) {
  pickedb = ObjectPickerB(x, y, boxlist);
  pickedc = ObjectPickerC(x, y, circlist);
  pickedt = ObjectPickerT(x, y, trilist);
}

Point At(float x, float y) { return {x, y, red}; }

class MoveDeleteTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::ResetScene(); }
};

class DefaultSceneMoveDeleteTest : public MoveDeleteTest {
 protected:
  void SetUp() override {
    MoveDeleteTest::SetUp();
    init();  // walls 0-3, triangle lines 4-6, box lines 7-10
  }
};

TEST_F(DefaultSceneMoveDeleteTest, BoxMovesOntoTheClickWithItsLinesAndCanMoveAgain) {
  const std::vector<Ends> before = AllLines();
  gPointList = {At(130, 370), At(400, 300)};
  pickedb = 0;
  pickedc = 1;
  pickedt = 0;
  MovePicked(At(400, 300));

  const Box& b = boxlist[0];
  EXPECT_EQ(Corners(b), (std::array<int32_t, 4>{120, 275, 680, 325}));
  EXPECT_EQ(b.getcx(), 280);
  EXPECT_EQ(b.getcy(), 25);
  const std::vector<Ends> after = AllLines();
  EXPECT_EQ(after[7], (Ends{120, 275, 120, 325}));
  EXPECT_EQ(after[8], (Ends{120, 325, 680, 325}));
  EXPECT_EQ(after[9], (Ends{680, 325, 680, 275}));
  EXPECT_EQ(after[10], (Ends{680, 275, 120, 275}));
  EXPECT_EQ(std::vector<Ends>(after.begin(), after.begin() + 7),
            std::vector<Ends>(before.begin(), before.begin() + 7));
  EXPECT_EQ(pickedb, -1);
  EXPECT_EQ(pickedt, -1);
  EXPECT_EQ(pickedc, 1);  // a box move keeps the circle pick
  EXPECT_TRUE(gPointList.empty());

  pickedb = 0;
  MovePicked(At(300, 100));
  EXPECT_EQ(Corners(b), (std::array<int32_t, 4>{20, 75, 580, 125}));
  EXPECT_EQ(EndsOf(LinesList[7]), (Ends{20, 75, 20, 125}));
  EXPECT_EQ(EndsOf(LinesList[10]), (Ends{580, 75, 20, 75}));
}

TEST_F(MoveDeleteTest, OddWidthBoxIsOnePixelNarrowerAfterAMove) {
  AddClickedBox(100, 10, 201, 20);
  pickedb = 0;
  MovePicked(At(300, 300));
  EXPECT_EQ(boxlist[0].getcx(), 50);
  EXPECT_EQ(Corners(boxlist[0]), (std::array<int32_t, 4>{250, 295, 350, 305}));
  EXPECT_EQ(EndsOf(LinesList[1]), (Ends{250, 305, 350, 305}));
}

TEST_F(DefaultSceneMoveDeleteTest, CircleMovesAloneAndClearsEveryPick) {
  const std::vector<Ends> lines = AllLines();
  pickedc = 1;
  pickedt = 0;
  MovePicked(At(250.7f, 180.2f));
  EXPECT_EQ(circlist[1].Getoriginx(), 250);
  EXPECT_EQ(circlist[1].Getoriginy(), 180);
  EXPECT_EQ(circlist[1].Getradius(), 50);
  EXPECT_EQ(AllLines(), lines);
  EXPECT_EQ(pickedb, -1);
  EXPECT_EQ(pickedc, -1);
  EXPECT_EQ(pickedt, -1);
}

TEST_F(DefaultSceneMoveDeleteTest, TriangleMovesItsBoundingBoxCentreOntoTheClick) {
  PickAt(375, 245);
  ASSERT_EQ(pickedt, 0);
  MovePicked(At(100, 100));
  const triangle& t = trilist[0];
  EXPECT_EQ(Corners(t), (std::array<float, 6>{105, 95, 55, 105, 145, 105}));
  EXPECT_EQ(EndsOf(LinesList[4]), (Ends{105, 95, 55, 105}));
  EXPECT_EQ(EndsOf(LinesList[5]), (Ends{55, 105, 145, 105}));
  EXPECT_EQ(EndsOf(LinesList[6]), (Ends{145, 105, 105, 95}));
  EXPECT_EQ(pickedt, -1);

  // The second move measures from the new centre (100, 100).
  PickAt(100, 100);
  ASSERT_EQ(pickedt, 0);
  MovePicked(At(200, 300));
  EXPECT_EQ(Corners(t), (std::array<float, 6>{205, 295, 155, 305, 245, 305}));
  EXPECT_EQ(EndsOf(LinesList[4]), (Ends{205, 295, 155, 305}));
}

TEST_F(MoveDeleteTest, ClickedTriangleMovesOnlyItsOwnLines) {
  AddClickedTriangle(100, 100, 200, 100, 150, 50);  // first click not the topmost corner
  AddClickedBox(300, 300, 400, 350);
  const std::vector<Ends> before = AllLines();
  PickAt(150, 75);
  MovePicked(At(400, 300));  // centre (150, 75) -> shift (250, 225)
  EXPECT_EQ(EndsOf(LinesList[0]), (Ends{400, 275, 450, 325}));
  EXPECT_EQ(EndsOf(LinesList[1]), (Ends{450, 325, 350, 325}));
  EXPECT_EQ(EndsOf(LinesList[2]), (Ends{350, 325, 400, 275}));
  const std::vector<Ends> after = AllLines();
  EXPECT_EQ(std::vector<Ends>(after.begin() + 3, after.end()),
            std::vector<Ends>(before.begin() + 3, before.end()));
  EXPECT_EQ(Corners(trilist[0]), (std::array<float, 6>{400, 275, 450, 325, 350, 325}));
}

TEST_F(MoveDeleteTest, ClickedTriangleLastInTheListStaysWithinIt) {
  AddLine(1, 2, 3, 4);
  AddClickedTriangle(200, 100, 100, 100, 150, 50);
  PickAt(150, 75);
  MovePicked(At(150, 175));
  ASSERT_EQ(LinesList.size(), 4u);
  EXPECT_EQ(EndsOf(LinesList[0]), (Ends{1, 2, 3, 4}));
  EXPECT_EQ(EndsOf(LinesList[1]), (Ends{150, 150, 100, 200}));

  PickAt(150, 175);
  DeletePicked();
  ASSERT_EQ(LinesList.size(), 4u);
  for (size_t k = 1; k < 4; ++k) EXPECT_EQ(EndsOf(LinesList[k]), (Ends{0, 0, 0, 0}));
}

TEST_F(MoveDeleteTest, LinesOfOtherShapesAtTheSameCornerAreLeftAlone) {
  AddLine(100, 100, 50, 50);  // another shape's line from the box's first corner
  AddClickedBox(100, 100, 200, 150);
  pickedb = 0;
  MovePicked(At(400, 400));
  EXPECT_EQ(EndsOf(LinesList[0]), (Ends{100, 100, 50, 50}));
  EXPECT_EQ(EndsOf(LinesList[1]), (Ends{350, 375, 350, 425}));

  // Deleted shapes leave zero-length lines at the origin; a new box with a
  // corner there must still find its own.
  testing_support::ResetScene();
  AddClickedBox(10, 10, 30, 30);
  pickedb = 0;
  DeletePicked();
  AddClickedBox(0, 0, 100, 100);
  pickedb = 1;
  MovePicked(At(300, 300));
  for (size_t k = 0; k < 4; ++k) EXPECT_EQ(EndsOf(LinesList[k]), (Ends{0, 0, 0, 0}));
  EXPECT_EQ(EndsOf(LinesList[4]), (Ends{250, 250, 250, 350}));
}

TEST_F(MoveDeleteTest, ShapeWithoutItsLinesStaysButTheGestureEnds) {
  boxlist.push_back(Box(0, 0, 11, 21, red));
  AddClickedTriangle(100, 100, 200, 100, 150, 50);
  LinesList.pop_back();  // the triangle's group is now incomplete
  const std::vector<float> before = Snapshot();
  gPointList = {At(5, 5), At(300, 300)};
  pickedb = 0;
  pickedc = 4;  // no circles at all: treated as none
  MovePicked(At(300, 300));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(boxlist[0].getcx(), 5);  // the half extents are still computed
  EXPECT_EQ(boxlist[0].getcy(), 10);
  EXPECT_EQ(pickedb, -1);
  EXPECT_TRUE(gPointList.empty());

  PickAt(150, 75);
  MovePicked(At(300, 300));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(pickedt, -1);
  PickAt(150, 75);
  DeletePicked();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(pickedt, -1);
}

TEST_F(MoveDeleteTest, PointsThatNoPixelHoldsMoveNothing) {
  AddClickedBox(0, 0, 10, 10);
  circlist.push_back(Circle(50, 50, 60, 50, red));
  AddClickedTriangle(100, 100, 200, 100, 150, 50);
  const std::vector<float> before = Snapshot();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const Point& p : {At(nan, 5), At(5, 1e30f)}) {
    pickedb = 0;
    MovePicked(p);
    pickedc = 0;
    MovePicked(p);
    PickAt(150, 75);
    MovePicked(p);
    EXPECT_EQ(Snapshot(), before);
  }
}

TEST_F(DefaultSceneMoveDeleteTest, DeletedBoxCollapsesToTheOriginWithItsLines) {
  pickedb = 0;
  MovePicked(At(400, 300));  // half extents now set
  const std::vector<Ends> lines = AllLines();
  pickedb = 0;
  pickedt = 0;
  gPointList = {At(1, 1)};
  DeletePicked();
  const Box& b = boxlist[0];
  EXPECT_EQ(Corners(b), (std::array<int32_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(b.getcx(), 0);
  EXPECT_EQ(b.getcy(), 0);
  for (size_t k = 7; k < 11; ++k) EXPECT_EQ(EndsOf(LinesList[k]), (Ends{0, 0, 0, 0}));
  const std::vector<Ends> after = AllLines();
  EXPECT_EQ(std::vector<Ends>(after.begin(), after.begin() + 7),
            std::vector<Ends>(lines.begin(), lines.begin() + 7));
  EXPECT_EQ(pickedb, -1);
  EXPECT_EQ(pickedt, -1);
  EXPECT_TRUE(gPointList.empty());
}

TEST_F(DefaultSceneMoveDeleteTest, DeleteTakesBoxThenCircleOnePerPress) {
  pickedb = 0;
  pickedc = 1;
  DeletePicked();
  EXPECT_EQ(boxlist[0].getv2x(), 0);
  EXPECT_EQ(circlist[1].Getradius(), 50);
  EXPECT_EQ(pickedc, 1);

  DeletePicked();
  EXPECT_EQ(circlist[1].Getoriginx(), 0);
  EXPECT_EQ(circlist[1].Getoriginy(), 0);
  EXPECT_EQ(circlist[1].Getradius(), 0);
  EXPECT_EQ(pickedc, -1);

  // Nothing picked: nothing changes, pending points stay.
  const std::vector<float> before = Snapshot();
  gPointList = {At(3, 4)};
  DeletePicked();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(gPointList.size(), 1u);
}

TEST_F(DefaultSceneMoveDeleteTest, DeletedTriangleKeepsItsStaleBoundingBox) {
  PickAt(375, 245);
  DeletePicked();
  const triangle& t = trilist[0];
  EXPECT_EQ(Corners(t), (std::array<float, 6>{}));
  EXPECT_EQ(t.getxmin(), 330);
  EXPECT_EQ(t.getymax(), 250);
  for (size_t k = 4; k < 7; ++k) EXPECT_EQ(EndsOf(LinesList[k]), (Ends{0, 0, 0, 0}));
  EXPECT_EQ(EndsOf(LinesList[7]), (Ends{100, 350, 100, 400}));
}

TEST_F(DefaultSceneMoveDeleteTest, PicksPastTheEndOfTheirListsAreNone) {
  const std::vector<float> before = Snapshot();
  pickedb = 1;
  pickedc = 2;
  pickedt = 1;
  gPointList = {At(3, 4)};
  MovePicked(At(10, 10));
  DeletePicked();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(gPointList.size(), 1u);

  pickedc = 0;  // a valid pick behind a stale one still acts
  DeletePicked();
  EXPECT_EQ(circlist[0].Getradius(), 0);
}

}  // namespace
