#include "render/rendering.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/platform_stub.h"

namespace {

class RenderingTest : public ::testing::Test {
 protected:
  void SetUp() override { stub::Reset(); }
  void TearDown() override { stub::FailStores(false); }
};

TEST_F(RenderingTest, ConstructionCreatesNoStoreAndIgnoresPixels) {
  Rendering rc(10, 10, nullptr);
  EXPECT_EQ(rc.getpixels(), nullptr);
  rc.SetPixel(0, 0, Color_RGB{1, 2, 3});  // must not write through null
  rc.Update();
  EXPECT_EQ(stub::LastFrame().words.size(), 0u);
  rc.DestroyBuffer();  // release steps with nothing created do nothing
  EXPECT_EQ(stub::LiveStores(), 0);
}

TEST_F(RenderingTest, PixelLayoutIsBottomUpRgbWords) {
  Rendering rc(4, 3, nullptr);
  rc.ReSize(4, 3);
  ASSERT_NE(rc.getpixels(), nullptr);
  rc.SetPixel(0, 0, Color_RGB{255, 150, 0});
  // (0, 0) is the top-left pixel: the first word of the last row in memory.
  const uint32_t* words = rc.getpixels();
  EXPECT_EQ(words[(3 - 1) * 4 + 0], 0x00FF9600u);
  unsigned char bytes[4];
  std::memcpy(bytes, &words[(3 - 1) * 4], 4);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 150);
  EXPECT_EQ(bytes[2], 255);
  EXPECT_EQ(bytes[3], 0);
  rc.SetPixel(3, 2, Color_RGB{0, 0, 1});  // bottom-right: the last word of the first row
  EXPECT_EQ(words[3], 1u);
  rc.DestroyBuffer();
}

TEST_F(RenderingTest, PixelsOutsideTheStoreChangeNothing) {
  Rendering rc(5, 4, nullptr);
  rc.ReSize(5, 4);
  const Color_RGB c{9, 9, 9};
  rc.SetPixel(5, 1, c);
  rc.SetPixel(1, 4, c);
  rc.SetPixel(-1, 1, c);
  rc.SetPixel(1, -1, c);
  rc.SetPixel(INT32_MIN, INT32_MAX, c);
  rc.Update();
  EXPECT_EQ(stub::LastFrame().count_lit(), 0);
  rc.DestroyBuffer();
}

TEST_F(RenderingTest, UpdatePresentsThenClears) {
  Rendering rc(3, 3, nullptr);
  rc.ReSize(3, 3);
  rc.SetPixel(1, 1, Color_RGB{1, 2, 3});
  rc.Update();
  EXPECT_EQ(stub::LastFrame().at(1, 1), 0x010203u);
  for (int k = 0; k < 9; ++k) EXPECT_EQ(rc.getpixels()[k], 0u);
  rc.Update();
  EXPECT_EQ(stub::LastFrame().count_lit(), 0);
  EXPECT_EQ(stub::PresentCount(), 2);
  rc.DestroyBuffer();
}

TEST_F(RenderingTest, CopiesShareTheStoreAndReleaseNothing) {
  Rendering rc(3, 3, nullptr);
  rc.ReSize(3, 3);
  {
    Rendering copy = rc;
    copy.SetPixel(2, 0, Color_RGB{0, 0, 7});
  }
  EXPECT_EQ(stub::LiveStores(), 1);
  rc.Update();
  EXPECT_EQ(stub::LastFrame().at(2, 0), 7u);
  rc.DestroyBuffer();
  EXPECT_EQ(stub::LiveStores(), 0);
  EXPECT_EQ(stub::LiveContexts(), 0);
}

TEST_F(RenderingTest, ResizeToEmptyAndBackGivesABlackStoreOfTheNewSize) {
  Rendering rc(4, 4, nullptr);
  rc.ReSize(4, 4);
  rc.SetPixel(1, 1, Color_RGB{5, 5, 5});
  rc.ReSize(0, 0);  // minimised
  EXPECT_EQ(rc.getpixels(), nullptr);
  rc.SetPixel(0, 0, Color_RGB{5, 5, 5});
  rc.Update();
  rc.ReSize(6, 2);
  EXPECT_EQ(rc.getwidth(), 6);
  EXPECT_EQ(rc.getheight(), 2);
  rc.SetPixel(5, 1, Color_RGB{0, 1, 0});
  rc.Update();
  EXPECT_EQ(stub::LastFrame().count_lit(), 1);
  EXPECT_EQ(stub::LastFrame().at(5, 1), 0x100u);
  EXPECT_EQ(stub::LiveStores(), 1);  // the old store was released, not leaked
  rc.DestroyBuffer();
  EXPECT_EQ(stub::LiveStores(), 0);
}

TEST_F(RenderingTest, AStoreThePlatformRefusesBehavesAsEmptyUntilTheNextResize) {
  Rendering rc(4, 4, nullptr);
  stub::FailStores(true);
  rc.ReSize(100, 100);
  EXPECT_EQ(rc.getpixels(), nullptr);
  EXPECT_EQ(rc.getwidth(), 0);
  EXPECT_EQ(rc.getheight(), 0);
  rc.SetPixel(1, 1, Color_RGB{1, 1, 1});
  rc.Update();
  stub::FailStores(false);
  rc.ReSize(8, 8);
  rc.SetPixel(7, 7, Color_RGB{1, 1, 1});
  rc.Update();
  EXPECT_EQ(stub::LastFrame().count_lit(), 1);
  rc.DestroyBuffer();
  // The largest size a 16-bit size notification can ask for is refused as well.
  Rendering huge(0, 0, nullptr);
  huge.ReSize(65535, 65535);
  huge.SetPixel(65534, 65534, Color_RGB{1, 1, 1});
  huge.Update();
  huge.DestroyBuffer();
  EXPECT_EQ(stub::LiveStores(), 0);
}

TEST_F(RenderingTest, SpansWriteOnlyTheRowPartInsideTheStore) {
  const Color_RGB c{1, 2, 3};
  Rendering none(10, 10, nullptr);  // a size but no store yet
  none.SetSpan(0, 0, 9, c);
  struct Case {
    int32_t y, from, to;
    int lit;
  };
  const Case cases[] = {{0, INT32_MIN, INT32_MAX, 5},
                        {3, -1, 0, 1},
                        {3, 4, 9, 1},
                        {3, 5, INT32_MAX, 0},
                        {1, 2, 1, 0},
                        {-1, 0, 4, 0},
                        {4, 0, 4, 0},
                        {INT32_MIN, 0, 4, 0}};
  for (const Case& k : cases) {
    Rendering rc(5, 4, nullptr);
    rc.ReSize(5, 4);
    rc.SetSpan(k.y, k.from, k.to, c);
    rc.Update();
    EXPECT_EQ(stub::LastFrame().count_lit(), k.lit) << k.y << ": " << k.from << ".." << k.to;
    if (k.lit == 1) {
      EXPECT_EQ(stub::LastFrame().at(k.from < 0 ? 0 : 4, k.y), 0x010203u);
    }
    rc.DestroyBuffer();
  }
}

}  // namespace
