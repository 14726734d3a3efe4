#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "scene/commands.h"
#include "scene/scene.h"
#include "tests/support/scene_reset.h"

namespace {

using Segment = std::tuple<float, float, float, float>;

std::vector<Segment> Segments() {
  std::vector<Segment> out;
  for (const Lines& l : LinesList) out.emplace_back(l.x1, l.y1, l.x2, l.y2);
  return out;
}

bool Same(Color_RGB a, Color_RGB b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

const std::vector<Segment> kWalls = {
    {0, 0, 792, 0}, {792, 0, 792, 554}, {0, 0, 0, 554}, {0, 554, 792, 554}};

class DefaultSceneTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::ResetScene(); }
};

TEST_F(DefaultSceneTest, FirstInitBuildsWallsAndDefaultSceneInOrder) {
  init();
  std::vector<Segment> expected = kWalls;
  expected.insert(expected.end(), {{380, 240, 330, 250},
                                   {330, 250, 420, 250},
                                   {420, 250, 380, 240},
                                   {100, 350, 100, 400},
                                   {100, 400, 660, 400},
                                   {660, 400, 660, 350},
                                   {660, 350, 100, 350}});
  EXPECT_EQ(Segments(), expected);
  for (const Lines& l : LinesList) EXPECT_TRUE(Same(l.colour1, red) && Same(l.colour2, red));
  EXPECT_FALSE(Start);

  ASSERT_EQ(circlist.size(), 2u);
  EXPECT_EQ(circlist[0].Getoriginx(), 200);
  EXPECT_EQ(circlist[0].Getoriginy(), 100);
  EXPECT_EQ(circlist[1].Getoriginx(), 560);
  EXPECT_EQ(circlist[1].Getradius(), 50);
  EXPECT_TRUE(Same(circlist[1].Getcol(), white));

  ASSERT_EQ(trilist.size(), 1u);
  const triangle& t = trilist[0];
  EXPECT_EQ(std::make_tuple(t.getv1x(), t.getv1y(), t.getv2x(), t.getv2y(), t.getv3x(), t.getv3y()),
            std::make_tuple(380.f, 240.f, 330.f, 250.f, 420.f, 250.f));
  EXPECT_TRUE(Same(t.getcol(), blue));

  ASSERT_EQ(boxlist.size(), 1u);
  EXPECT_EQ(std::make_tuple(boxlist[0].getv1x(), boxlist[0].getv1y(), boxlist[0].getv2x(),
                            boxlist[0].getv2y()),
            std::make_tuple(100, 350, 660, 400));

  // The default balls take their own speeds and radii, not the settings.
  ASSERT_EQ(BallList.size(), 2u);
  EXPECT_EQ(BallList[0].getspeed(), 2);
  EXPECT_EQ(BallList[1].getspeed(), 3);
  EXPECT_EQ(BallList[0].Getradius(), 10);
  EXPECT_EQ(BallList[1].Getoriginx(), 100);
  EXPECT_TRUE(Same(BallList[1].Getcol(), green));
  EXPECT_TRUE(polylist.empty());
  EXPECT_TRUE(gPointList.empty());
}

TEST_F(DefaultSceneTest, ClearLeavesOnlyTheBorderWalls) {
  init();
  MenuCommand(IDM_CLEAR);
  EXPECT_EQ(Segments(), kWalls);
  EXPECT_FALSE(Start);
  EXPECT_TRUE(circlist.empty() && trilist.empty() && boxlist.empty() && BallList.empty());
  // A second init while Start is false only appends walls.
  init();
  EXPECT_EQ(LinesList.size(), 8u);
}

TEST_F(DefaultSceneTest, ResetBuildsSegmentsInTheCurrentColourButShapesInTheirOwn) {
  init();
  MenuCommand(IDM_BLUE);
  MenuCommand(IDM_RESET);
  ASSERT_EQ(LinesList.size(), 11u);
  for (const Lines& l : LinesList) EXPECT_TRUE(Same(l.colour1, blue) && Same(l.colour2, blue));
  EXPECT_TRUE(Same(boxlist[0].getcol(), red));
  EXPECT_TRUE(Same(trilist[0].getcol(), blue));
  EXPECT_TRUE(Same(circlist[0].Getcol(), white));
  EXPECT_TRUE(Same(BallList[0].Getcol(), green));
  EXPECT_FALSE(Start);
}

}  // namespace
