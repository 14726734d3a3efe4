// Pause, Step, Step Back and Slow Motion on random scenes: stepping back is
// exact, stepping forward again gives the same ticks, and slow motion the same
// ticks at a slower beat.

#include "scene/time_controls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "app/render_window.h"
#include "physics/tick.h"
#include "scene/commands.h"
#include "scene/history.h"
#include "scene/scene.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/random_scene.h"

namespace {

using namespace testing_support;

// Every field of every ball, as bits, so that not-a-number compares too.
std::vector<uint32_t> Bits() {
  std::vector<uint32_t> bits;
  auto add = [&](float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    bits.push_back(b);
  };
  for (const pinball& b : BallList) {
    for (float v : {b.Getx1(), b.Gety1(), b.Getoriginx(), b.Getoriginy(), b.Getradius(),
                    b.getspeed(), b.getvecX(), b.getvecY()}) {
      add(v);
    }
    const Color_RGB c = b.Getcol();
    bits.push_back(c.red * 65536u + c.green * 256u + c.blue);
  }
  return bits;
}

// Shapes and balls made by clicks, some balls in twos on one spot and some
// far outside, as the tick's own tests make them; then out of edit mode.
void RandomScene(uint32_t seed, int balls) {
  std::mt19937 random(seed);
  ClearForEditing();
  AddRandomShapes(random, 12);
  MenuCommand(IDM_CREATE_PINBALL);
  AddRandomBalls(random, balls, 20, 2);
  StartBalls();
}

// The passes of the main loop, frames and all.
void Passes(TestBuffer& buffer, int n) {
  for (int k = 0; k < n; ++k) RenderWindow(buffer.rc());
}

// n Steps, then n Step Backs pass every earlier state again, bit for bit, back
// to the start and, through the ticks run before the pause, beyond it; Steps
// then give the same ticks again. Lengths cross the record's checkpoints.
TEST(TimeControlsTest, StepBackRetracesEveryTickAndStepReplaysThem) {
  TestBuffer buffer(792, 554);
  for (const uint32_t seed : {1u, 2u, 3u}) {
    for (const int n : {1, 15, 16, 17, 50}) {
      SCOPED_TRACE(testing::Message() << "scene " << seed << ", " << n << " steps");
      RandomScene(seed, 60);
      std::vector<std::vector<uint32_t>> states{Bits()};
      const int before = seed * 7 % 23;  // ticks run before the pause
      for (int k = 0; k < before; ++k) {
        Passes(buffer, 1);
        states.push_back(Bits());
      }
      KeyDown(kKeySpace);
      EXPECT_TRUE(TimePaused());
      EXPECT_TRUE(stub::IsChecked(IDM_PAUSE));
      Passes(buffer, 3);  // paused: nothing moves
      EXPECT_EQ(Bits(), states.back());
      for (int k = 0; k < n; ++k) {
        KeyDown(kKeyPeriod);
        states.push_back(Bits());
        Passes(buffer, 1);
      }
      for (int k = static_cast<int>(states.size()) - 2; k >= 0; --k) {
        KeyDown(kKeyComma);
        ASSERT_EQ(Bits(), states[k]) << "back at tick " << k;
      }
      KeyDown(kKeyComma);  // nothing older is kept: nothing changes
      EXPECT_EQ(Bits(), states[0]);
      for (size_t k = 1; k < states.size(); ++k) {
        MenuCommand(IDM_STEP);
        ASSERT_EQ(Bits(), states[k]) << "forward again at tick " << k;
      }
      KeyDown(kKeySpace);
      EXPECT_FALSE(stub::IsChecked(IDM_PAUSE));
    }
  }
}

// A change of the scene starts the record afresh: no step back reaches a
// state from before an edit or an undo. Step and Step Back do nothing unless paused,
// nor in edit mode.
TEST(TimeControlsTest, SceneChangesStartTheRecordAfresh) {
  TestBuffer buffer(792, 554);
  RandomScene(5, 20);
  Passes(buffer, 10);
  const auto running = Bits();
  MenuCommand(IDM_STEP);
  MenuCommand(IDM_STEP_BACK);
  EXPECT_EQ(Bits(), running) << "not paused";
  MenuCommand(IDM_PAUSE);
  MenuCommand(IDM_EDIT);
  MenuCommand(IDM_STEP);
  MenuCommand(IDM_STEP_BACK);
  EXPECT_EQ(Bits(), running) << "edit mode";
  ClickAt(100, 100);
  ClickAt(130, 100);  // a new ball
  MenuCommand(IDM_EDIT);
  const auto edited = Bits();
  MenuCommand(IDM_STEP_BACK);
  EXPECT_EQ(Bits(), edited);
  MenuCommand(IDM_STEP);
  MenuCommand(IDM_STEP_BACK);
  EXPECT_EQ(Bits(), edited);
  MenuCommand(IDM_STEP);
  MenuCommand(IDM_UNDO);  // the scene as before the ball: that is where the record starts
  const auto undone = Bits();
  MenuCommand(IDM_STEP_BACK);
  EXPECT_EQ(Bits(), undone);
}

// After n ticks the balls are where they are after n ticks at full speed, at
// every Slow Motion setting; at x 1/2 and x 1/4 only every 2nd and 4th pass ticks.
TEST(TimeControlsTest, SlowMotionGivesTheSameTicks) {
  TestBuffer buffer(792, 554);
  constexpr int kTicks = 97;
  RandomScene(11, 60);
  Passes(buffer, kTicks);
  const auto full = Bits();
  for (const int32_t id : {IDM_SLOW_HALF, IDM_SLOW_QUARTER, IDM_SLOW_1}) {
    const int beat = id == IDM_SLOW_HALF ? 2 : id == IDM_SLOW_QUARTER ? 4 : 1;
    SCOPED_TRACE(beat);
    RandomScene(11, 60);
    MenuCommand(id);
    EXPECT_TRUE(stub::IsChecked(id));
    EXPECT_EQ(SlowMotion(), beat);
    Passes(buffer, kTicks * beat - 1);
    EXPECT_EQ(TimeRecord().Tick(), kTicks - 1);  // ticks since the scene was made
    Passes(buffer, 1);
    EXPECT_EQ(Bits(), full);
  }
  EXPECT_FALSE(stub::IsChecked(IDM_SLOW_QUARTER));
}

// The budget: 10 s of 10,000 balls fit; past the budget the oldest ticks go,
// and a step back stops at the oldest tick kept.
TEST(TimeControlsTest, TheRecordKeepsItsBudget) {
  std::vector<pinball> balls;
  for (int k = 0; k < 10000; ++k)
    balls.push_back(pinball(k % 700 + 50.f, k / 700 * 30 + 50.f, 0, 0, green, 3, 5));
  BallRecord big;
  big.Restart(balls);
  for (int k = 0; k < 640; ++k) big.Push(balls);
  EXPECT_EQ(big.OldestTick(), 0);
  EXPECT_LE(big.Bytes(), kBallRecordBytes);

  std::vector<pinball> two{pinball(100, 100, 200, 130, green, 3, 5),
                           pinball(300, 300, 200, 130, green, 2, 5)};
  const std::vector<Lines> walls;
  const std::vector<Circle> circles;
  constexpr size_t kSmall = (15 * 2 + 4 * 2) * sizeof(BallState);  // the tail and 4 checkpoints
  BallRecord small(kSmall);
  small.Restart(two);
  for (int k = 0; k < 100; ++k) {
    TickBalls(two, walls, circles);
    small.Push(two);
  }
  EXPECT_LE(small.Bytes(), kSmall);
  EXPECT_EQ(small.OldestTick(), 48);
  int back = 0;
  while (small.StepBack(two, walls, circles)) ++back;
  EXPECT_EQ(small.Tick(), small.OldestTick());
  EXPECT_EQ(back, 100 - small.OldestTick());
}

}  // namespace
