#include "app/render_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "app/main_pass.h"
#include "scene/commands.h"
#include "scene/scene.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/scene_reset.h"

namespace {

using testing_support::TestBuffer;

constexpr Color_RGB kA{1, 0, 0}, kB{2, 0, 0}, kC{3, 0, 0}, kD{4, 0, 0}, kE{5, 0, 0}, kF{6, 0, 0};

uint32_t Word(Color_RGB c) { return c.red * 65536u + c.green * 256u + c.blue; }

class RenderWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::ResetScene(); }
  // Draws one frame and returns what was shown.
  const stub::Frame& Frame() {
    RenderWindow(buffer_.rc());
    return stub::LastFrame();
  }
  TestBuffer buffer_{200, 150};
};

TEST_F(RenderWindowTest, EmptySceneAndClearedSceneAreBlack) {
  EXPECT_EQ(Frame().count_lit(), 0);
  Start = false;
  init();  // the four walls only: segments are never drawn
  EXPECT_EQ(Frame().count_lit(), 0);
  // And the frame after is black again: Update cleared the store.
  EXPECT_EQ(Frame().count_lit(), 0);
}

TEST_F(RenderWindowTest, LaterLayersPaintOverEarlierOnes) {
  Pause = true;
  gPointList.push_back({50.9f, 50.9f, kA});
  EXPECT_EQ(Frame().at(50, 50), Word(kA));  // truncated toward zero
  EXPECT_EQ(Frame().count_lit(), 1);
  trilist.push_back(triangle(50, 40, 30, 60, 70, 60, kB));
  EXPECT_EQ(Frame().at(50, 50), Word(kB));
  circlist.push_back(Circle(45, 50, 5, kC));  // centred at (50, 50)
  EXPECT_EQ(Frame().at(50, 50), Word(kC));
  boxlist.push_back(Box(48, 48, 52, 52, kD));
  EXPECT_EQ(Frame().at(50, 50), Word(kD));
  polylist.push_back({40, 50, kE, kOpensPolygon});
  polylist.push_back({60, 50, kE, kContinuesPolygon});
  EXPECT_EQ(Frame().at(50, 50), Word(kE));
  BallList.push_back(pinball(50, 50, 60, 50, kF, 3, 2));
  EXPECT_EQ(Frame().at(50, 50), Word(kF));
}

TEST_F(RenderWindowTest, FillSwitchesShapesButNotPolygonsOrPoints) {
  Pause = true;
  circlist.push_back(Circle(20, 50, 10, kC));  // centre (30, 50)
  boxlist.push_back(Box(100, 10, 120, 30, kD));
  trilist.push_back(triangle(60, 100, 40, 120, 80, 120, kB));
  BallList.push_back(pinball(160, 100, 170, 100, kF, 1, 8));
  polylist.push_back({10, 140, kE, kOpensPolygon});
  polylist.push_back({190, 130, kE, kClosesPolygon});
  gPointList.push_back({5, 5, kA});

  const stub::Frame filled = Frame();
  Fill = false;
  const stub::Frame outlined = Frame();
  for (auto [x, y] : {std::pair{30, 50}, {110, 20}, {60, 115}, {160, 100}}) {
    EXPECT_NE(filled.at(x, y), 0u) << x << "," << y;
    EXPECT_EQ(outlined.at(x, y), 0u) << x << "," << y;
  }
  for (int x = 10; x <= 190; ++x) {
    for (int y = 125; y < 150; ++y) EXPECT_EQ(filled.at(x, y), outlined.at(x, y));
  }
  EXPECT_EQ(outlined.at(5, 5), Word(kA));
}

TEST_F(RenderWindowTest, PauseFreezesBallsAndTheTickResumesWhereTheyStand) {
  Start = true;
  init();
  Pause = true;
  const std::vector<pinball> before = BallList;
  for (int k = 0; k < 10; ++k) Frame();
  for (size_t k = 0; k < BallList.size(); ++k) {
    EXPECT_EQ(BallList[k].Getoriginx(), before[k].Getoriginx());
    EXPECT_EQ(BallList[k].Getoriginy(), before[k].Getoriginy());
    EXPECT_EQ(BallList[k].getvecX(), before[k].getvecX());
  }
  Pause = false;
  Frame();
  EXPECT_FLOAT_EQ(BallList[0].Getoriginx(), 198.585785f);
}

TEST_F(RenderWindowTest, ACircleHitTurnsTheBallInsteadOfMovingIt) {
  circlist.push_back(Circle(100, 100, 50, kC));  // centre (150, 100)
  BallList.push_back(pinball(150, 160.5f, 150, 0, kF, 1, 10));
  Frame();
  EXPECT_EQ(BallList[0].Getoriginy(), 160.5f);
  EXPECT_EQ(BallList[0].getvecY(), 1.0f);
  Frame();
  EXPECT_EQ(BallList[0].Getoriginy(), 161.5f);
}

TEST_F(RenderWindowTest, AWallHitIsHandledByMirroringNotMoving) {
  Start = false;
  init();
  BallList.push_back(pinball(400, 12.5f, 400, 0, kF, 3, 10));
  Frame();
  EXPECT_EQ(BallList[0].Getoriginy(), 12.5f);
  EXPECT_EQ(BallList[0].getvecY(), 1.0f);
  Frame();
  EXPECT_EQ(BallList[0].Getoriginy(), 15.5f);
}

TEST_F(RenderWindowTest, ABallHitStopsTheMoverAndTheTurnedPartnerTakesItsOwnTurn) {
  BallList.push_back(pinball(100, 100, 200, 100, kF, 1, 10));
  BallList.push_back(pinball(121.5f, 100, 0, 100, kF, 1, 10));
  Frame();
  EXPECT_EQ(BallList[0].Getoriginx(), 100.0f);
  EXPECT_EQ(BallList[0].getvecX(), -1.0f);
  EXPECT_EQ(BallList[1].getvecX(), 1.0f);
  EXPECT_EQ(BallList[1].Getoriginx(), 122.5f);  // moved away in its own turn
}

TEST_F(RenderWindowTest, PolygonLinesTakeTheColourOfTheVertexTheyEndAt) {
  polylist.push_back({10, 10, kA, kOpensPolygon});
  polylist.push_back({30, 10, kB, kContinuesPolygon});
  polylist.push_back({30, 30, kC, kClosesPolygon});
  // A second polygon closes on its own first vertex.
  polylist.push_back({100, 100, kA, kOpensPolygon});
  polylist.push_back({120, 100, kD, kClosesPolygon});
  const stub::Frame& f = Frame();
  EXPECT_EQ(f.at(20, 10), Word(kB));  // A-B
  EXPECT_EQ(f.at(30, 20), Word(kC));  // B-C
  EXPECT_EQ(f.at(20, 20), Word(kC));  // C-A
  EXPECT_EQ(f.at(110, 100), Word(kD));
  EXPECT_EQ(f.at(15, 15), Word(kC));
  EXPECT_EQ(f.at(25, 12), 0u);
  EXPECT_EQ(f.count_lit(), 21 + 20 + 19 + 21);  // shared corners counted once
}

TEST_F(RenderWindowTest, VerticesWithoutNeighboursDrawOnlyLinesWhoseEndsExist) {
  polylist.push_back({5, 5, kA, kClosesPolygon});  // no previous, no first vertex
  EXPECT_EQ(Frame().count_lit(), 0);
  polylist.clear();
  polylist.push_back({5, 5, kA, kContinuesPolygon});  // no previous vertex
  polylist.push_back({9, 5, kB, kClosesPolygon});     // previous yes, first vertex no
  const stub::Frame& f = Frame();
  EXPECT_EQ(f.count_lit(), 5);
  EXPECT_EQ(f.at(5, 5), Word(kB));
}

TEST_F(RenderWindowTest, UnusableCoordinatesDrawNothingAndNeverConvert) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  Pause = true;
  BallList.push_back(pinball(10, 10, 10, 10, kF, 3, 5));  // aim on the centre: NaN direction
  gPointList.push_back({nan, 5, kA});
  gPointList.push_back({5, 3e9f, kA});
  circlist.push_back(Circle(inf, 5, 5, kC));
  circlist.push_back(Circle(5, 5, nan, kC));
  trilist.push_back(triangle(nan, 5, 10, 20, 30, 40, kB));
  polylist.push_back({-inf, 5, kE, kOpensPolygon});
  polylist.push_back({20, 5, kE, kClosesPolygon});
  Frame();
  Pause = false;
  Frame();  // the NaN ball moves to a NaN centre
  EXPECT_TRUE(std::isnan(BallList[0].Getoriginx()));
  const stub::Frame& f = Frame();
  EXPECT_EQ(f.count_lit(), 0);
}

// A frame reuses what the last one drew only while nothing it shows changed: each kind
// of change draws the static shapes again, and every frame equals one drawn from
// scratch (into a store of its own, with a cache of its own).
TEST_F(RenderWindowTest, FramesReuseTheStaticShapesOnlyWhileNothingChanged) {
  Start = true;
  init();
  gPointList.push_back({3, 3, kA});
  polylist.push_back({10, 140, kE, kOpensPolygon});
  polylist.push_back({190, 130, kE, kClosesPolygon});
  BallList.push_back(pinball(150, 20, 10, 20, kF, 2, 30));  // runs off the store's edge
  TestBuffer fresh(200, 150);
  Rendering* rc = &buffer_.rc();
  FrameCache cache;
  auto frame = [&](FrameReuse expected, const char* what) {
    RenderWindow(*rc, cache);
    EXPECT_EQ(static_cast<int>(cache.reused), static_cast<int>(expected)) << what;
    const std::vector<uint32_t> shown = stub::LastFrame().words;
    if (rc->getpixels() == nullptr) {  // no store: nothing shown
      EXPECT_TRUE(shown.empty()) << what;
      return;
    }
    const bool pause = Pause;
    Pause = true;
    fresh.rc().ReSize(rc->getwidth(), rc->getheight());
    FrameCache scratch;
    RenderWindow(fresh.rc(), scratch);
    Pause = pause;
    EXPECT_EQ(shown, stub::LastFrame().words) << what;
  };
  const struct {
    const char* what;
    std::function<void()> change;
  } changes[] = {
      {"a click",
       [] {
         gPointList.push_back({7, 9, kB});
       }},
      {"a click's colour", [] { gPointList.back().colour = kC; }},
      {"a triangle moved", [] { trilist[0].setv2x(trilist[0].getv2x() - 40); }},
      {"a circle's radius", [] { circlist[1].Setradius(70); }},
      {"a box", [] { boxlist.push_back(Box(5, 140, 60, 120, kD)); }},
      {"a vertex", [] { polylist[1].y = 40; }},
      {"the A key", [] { Fill = !Fill; }},
      {"a list emptied", [] { circlist.clear(); }},
      {"the store cleared", [&] { rc->Update(); }},
      {"the store resized", [&] { rc->ReSize(180, 170); }},
      {"the store released", [&] { rc->DestroyBuffer(); }},
      {"the store made again", [&] { rc->ReSize(200, 150); }},
  };
  for (const auto& c : changes) {
    Pause = false;
    frame(FrameReuse::kNone, "the first frame");
    c.change();
    frame(FrameReuse::kNone, c.what);
    frame(FrameReuse::kStaticShapes, c.what);  // the balls moved
    frame(FrameReuse::kStaticShapes, c.what);
    Pause = true;
    frame(FrameReuse::kWholeFrame, c.what);
    BallList.push_back(pinball(100, 100, 101, 100, kF, 1, 4));  // a ball made in edit mode
    frame(FrameReuse::kStaticShapes, c.what);
    frame(FrameReuse::kWholeFrame, c.what);
    BallList.pop_back();
    gPointList.push_back({1, 1, kA});  // a change undone before the next frame is none
    gPointList.pop_back();
    frame(FrameReuse::kStaticShapes, c.what);
    cache = FrameCache{};  // the next change starts from a frame drawn whole
  }
}

// Trails off, the frames are those of a run that never had them: turning them
// on and off again changes no tick and leaves nothing behind.
TEST_F(RenderWindowTest, TrailsOffGiveTheFramesOfARunWithoutThem) {
  TestBuffer field(792, 554);
  init();
  for (int k = 0; k < 40; ++k) RenderWindow(field.rc());
  const std::vector<uint32_t> without = stub::LastFrame().words;
  testing_support::ResetScene();
  init();
  KeyDown(kKeyT);
  for (int k = 0; k < 25; ++k) RenderWindow(field.rc());
  EXPECT_NE(stub::LastFrame().words, without);
  KeyDown(kKeyT);
  for (int k = 0; k < 15; ++k) RenderWindow(field.rc());
  EXPECT_EQ(stub::LastFrame().words, without);
}

// A ball moving right one pixel a tick along row 40: its trail is the row of
// the last 256 ticks in its colour at half brightness, under the ball and
// under a polygon line across it; a step back takes the trail's end back too.
TEST_F(RenderWindowTest, AStraightBallLeavesItsTrailOnItsRow) {
  constexpr Color_RGB kBall{200, 100, 51}, kTrail{100, 50, 25};
  TestBuffer wide(400, 100);
  BallList.push_back(pinball(50.5f, 40.5f, 60.5f, 40.5f, kBall, 1, 2));
  polylist.push_back({120, 30, kE, kOpensPolygon});  // a line without walls
  polylist.push_back({120, 50, kE, kContinuesPolygon});
  KeyDown(kKeyT);
  EXPECT_TRUE(stub::IsChecked(IDM_TRAILS));
  // The trail from `first` to `last`, the ball (radius 2) drawn from `ball` - 2 on.
  auto expect_row = [&](int first, int last, int ball) {
    const stub::Frame& f = stub::LastFrame();
    for (int y = 0; y < f.height; ++y) {
      for (int x = 0; x < f.width; ++x) {
        const uint32_t want = x == 120 && y >= 30 && y <= 50              ? Word(kE)
                              : y == 40 && x >= ball - 2 && x <= ball + 2 ? Word(kBall)
                              : y == 40 && x >= first && x <= last        ? Word(kTrail)
                                                                          : f.at(x, y);
        if (f.at(x, y) == Word(kTrail) || y == 40) {
          ASSERT_EQ(f.at(x, y), want) << "at " << x << ", " << y;
        }
      }
    }
  };
  for (int k = 0; k < 300; ++k) RenderWindow(wide.rc());
  // The frame of tick 300 shows the path to tick 299 (x 349); its ticks 44 on.
  expect_row(93, 347, 350);
  KeyDown(kKeySpace);
  KeyDown(kKeyComma);
  KeyDown(kKeyComma);
  RenderWindow(wide.rc());
  expect_row(93, 345, 348);
  KeyDown(kKeyT);
  RenderWindow(wide.rc());
  const std::vector<uint32_t>& words = stub::LastFrame().words;
  EXPECT_EQ(std::count(words.begin(), words.end(), Word(kTrail)), 0);
}

// The main loop's pass on the stand-in: one message a pass, the resizes asked
// for since the last pass made once at the last size, a frame and the pace
// every pass, the quit pass included.
TEST(MainLoopPassTest, OneMessageALastResizeAFrameAndThePaceEachPass) {
  testing_support::ResetScene();
  init();
  Rendering rc(10, 10, nullptr);
  std::vector<int> handled;
  for (int k = 0; k < 2; ++k) stub::QueueMessage([&handled, k] { handled.push_back(k); });
  stub::QueueMessage(nullptr);  // the quit request
  AskForResize(30, 20);
  AskForResize(60, 40);
  bool quit = false;
  for (int pass = 1; pass <= 3; ++pass) {
    const float x = BallList[0].Getoriginx();
    MainLoopPass(rc, quit);
    EXPECT_EQ(handled.size(), static_cast<size_t>(std::min(pass, 2)));
    EXPECT_EQ(quit, pass == 3);
    EXPECT_EQ(rc.getwidth(), 60);
    EXPECT_EQ(stub::LastFrame().height, 40);
    EXPECT_NE(BallList[0].Getoriginx(), x);
    EXPECT_EQ(stub::PresentCount(), pass);
    EXPECT_EQ(stub::PassesEnded(), pass);
  }
  EXPECT_FALSE(gReSize);
  rc.DestroyBuffer();
}

}  // namespace
