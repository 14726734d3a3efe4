// The tables of File > Examples: each opens as an untitled table with a
// history of its own, and its balls stay in the field for 10,000 ticks.

#include "scene/examples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "physics/tick.h"
#include "scene/commands.h"
#include "scene/document.h"
#include "scene/history.h"
#include "scene/scene.h"
#include "tests/support/scene_reset.h"

namespace {

TEST(ExamplesTest, EachOpensUntitledAndKeepsItsBallsInTheField) {
  ASSERT_GE(kExampleCount, 5u);
  for (size_t k = 0; k < kExampleCount; ++k) {
    const Example& example = kExamples[k];
    SCOPED_TRACE(example.name);
    testing_support::ResetScene();
    init();
    MenuCommand(IDM_CLEAR);  // a change to undo, which the example's history does not hold
    ASSERT_TRUE(CanUndo());
    stub::QueueSaveChangesAnswer(SaveChangesAnswer::no);
    MenuCommand(IDM_EXAMPLE_FIRST + static_cast<int32_t>(k));
    EXPECT_TRUE(stub::MessageBoxes().empty()) << stub::MessageBoxes()[0].text;
    EXPECT_EQ(ExampleOfCommand(IDM_EXAMPLE_FIRST + static_cast<int32_t>(k)), &example);
    EXPECT_TRUE(TablePath().empty());
    EXPECT_FALSE(TableChanged());
    EXPECT_FALSE(CanUndo());
    ASSERT_GE(BallList.size(), 2u);
    ASSERT_GT(LinesList.size(), 4u);
    for (int tick = 0; tick < 10000; ++tick) {
      TickBalls(BallList, LinesList, circlist);
      for (const pinball& ball : BallList) {
        const float x = ball.Getoriginx(), y = ball.Getoriginy();
        ASSERT_TRUE(x > 0 && x < 792 && y > 0 && y < 554)
            << "tick " << tick << ": a ball at " << x << ", " << y;
      }
    }
  }
  EXPECT_EQ(ExampleOfCommand(IDM_EXAMPLE_FIRST + static_cast<int32_t>(kExampleCount)), nullptr);
}

// Two balls a millionth apart, in place and in direction.
TEST(ExamplesTest, TwoBallsAMillionthApartDiverge) {
  testing_support::ResetScene();
  init();
  MenuCommand(IDM_EXAMPLE_FIRST + static_cast<int32_t>(kExampleCount) - 1);
  ASSERT_EQ(BallList.size(), 2u);
  const float gap = BallList[1].Getoriginy() - BallList[0].Getoriginy();
  EXPECT_GT(gap, 0.f);
  EXPECT_LT(gap, 2e-6f);
  // Together for seconds, then apart: the disc at the stadium's centre parts
  // their paths further at each meeting.
  int apart = -1;
  for (int tick = 1; tick <= 10000 && apart < 0; ++tick) {
    TickBalls(BallList, LinesList, circlist);
    const float d = std::hypot(BallList[1].Getoriginx() - BallList[0].Getoriginx(),
                               BallList[1].Getoriginy() - BallList[0].Getoriginy());
    if (d > 100) apart = tick;
  }
  EXPECT_GT(apart, 500);
  EXPECT_LT(apart, 5000);
}

}  // namespace
