// Every allocation of this process is counted, so these tests run in a binary
// of their own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "app/render_window.h"
#include "scene/field.h"
#include "scene/scene.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/scene_reset.h"

namespace {
long gAllocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using testing_support::TestBuffer;

// The default scene with a pending click and a polygon, so that every kind
// of drawing runs, filled and outlined, ticking and in edit mode.
TEST(FrameAllocationTest, FramesAfterTheFirstAllocateNothing) {
  testing_support::ResetScene();
  init();
  gPointList.push_back(Point{40, 40, red});
  polylist.push_back(PolygonVertex{300, 300, blue, kOpensPolygon});
  polylist.push_back(PolygonVertex{350, 320, blue, kContinuesPolygon});
  polylist.push_back(PolygonVertex{320, 380, blue, kClosesPolygon});
  TestBuffer buf(kFieldWidth, kFieldHeight);
  RenderWindow(buf.rc());  // the stand-in's copy of the frame grows once
  for (const bool fill : {true, false}) {
    for (const bool pause : {false, true}) {
      Fill = fill;
      Pause = pause;
      const long before = gAllocations;
      for (int k = 0; k < 50; ++k) RenderWindow(buf.rc());
      EXPECT_EQ(gAllocations - before, 0)
          << (fill ? "filled" : "outlined") << (pause ? ", edit mode" : ", ticking");
    }
  }
}

// Enough balls that the tick finds partners and walls on its grids, which
// keep their buffers from frame to frame while the balls roam.
TEST(FrameAllocationTest, FramesOnTheTicksGridsAllocateNothing) {
  testing_support::ResetScene();
  init();
  for (int k = 0; k < 400; ++k) {
    const float x = 20.f + (k * 37) % 750, y = 20.f + (k * 53) % 310;
    BallList.push_back(pinball(x, y, x + (k % 7) - 3, y + (k % 5) - 2.5f, green, 1 + k % 3, 5));
  }
  TestBuffer buf(kFieldWidth, kFieldHeight);
  for (int k = 0; k < 20; ++k) RenderWindow(buf.rc());  // the grids grow to the scene
  const float x = BallList[5].Getoriginx(), y = BallList[5].Getoriginy();
  const long before = gAllocations;
  for (int k = 0; k < 300; ++k) RenderWindow(buf.rc());
  EXPECT_EQ(gAllocations - before, 0);
  EXPECT_TRUE(BallList[5].Getoriginx() != x || BallList[5].Getoriginy() != y) << "no tick ran";
}

}  // namespace
