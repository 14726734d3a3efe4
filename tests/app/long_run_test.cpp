#include <gtest/gtest.h>

#include <cmath>

#include "app/render_window.h"
#include "scene/scene.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/scene_reset.h"

namespace {

// The default scene over a long run: every ball stays finite and inside the walls.
TEST(LongRunTest, DefaultSceneStaysFiniteFor100000Frames) {
  testing_support::ResetScene();
  init();
  testing_support::TestBuffer buffer(160, 120);
#ifdef PINBALL_SHORT_RUNS
  const int kFrames = 25000;  // every access checked: the first quarter
#else
  const int kFrames = 100000;
#endif
  for (int frame = 0; frame < kFrames; ++frame) {
    RenderWindow(buffer.rc());
    for (const pinball& ball : BallList) {
      ASSERT_TRUE(std::isfinite(ball.Getoriginx()) && std::isfinite(ball.Getoriginy()))
          << "frame " << frame;
      ASSERT_TRUE(std::isfinite(ball.getvecX()) && std::isfinite(ball.getvecY()))
          << "frame " << frame;
    }
  }
  for (const pinball& ball : BallList) {
    EXPECT_GT(ball.Getoriginx(), 0);
    EXPECT_LT(ball.Getoriginx(), 792);
    EXPECT_GT(ball.Getoriginy(), 0);
    EXPECT_LT(ball.Getoriginy(), 554);
  }
}

}  // namespace
