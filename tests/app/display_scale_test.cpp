// The whole factor for a display's scale, and the mapping between device
// pixels and scene pixels it gives.

#include "app/display_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayScale, TheWholeFactorNotAboveTheScale) {
  const struct {
    uint32_t dpi;
    int32_t factor;
  } cases[] = {{0, 1},   {72, 1},  {96, 1},  {120, 1}, {144, 1}, {168, 1},  {191, 1},
               {192, 2}, {240, 2}, {287, 2}, {288, 3}, {384, 4}, {1000, 8}, {0xFFFFFFFF, 8}};
  for (const auto& c : cases) EXPECT_EQ(DisplayScale::ForDpi(c.dpi).factor, c.factor) << c.dpi;
}

TEST(DisplayScale, EachScenePixelIsABlockOfWholeDevicePixels) {
  for (int32_t factor = 1; factor <= 8; ++factor) {
    const DisplayScale scale{factor};
    for (int32_t scene = -3; scene < 40; ++scene) {
      for (int32_t k = 0; k < factor; ++k) {
        ASSERT_EQ(scale.ToScene(scale.ToDevice(scene) + k), scene) << factor << " " << k;
      }
    }
    for (int32_t client = 0; client < 100; ++client) {
      const int32_t size = scale.SceneSize(client);
      // Covers the whole client area, and by no more than one scene pixel.
      ASSERT_GE(scale.ToDevice(size), client);
      ASSERT_LT(scale.ToDevice(size) - client, factor);
    }
    EXPECT_EQ(scale.SceneSize(-5), 0);
    EXPECT_EQ(scale.SceneSize(65535 * factor), 65535);
  }
  // The window's client area under Wine, at 100 % and at 200 %.
  EXPECT_EQ(DisplayScale{1}.SceneSize(792), 792);
  EXPECT_EQ(DisplayScale{2}.SceneSize(1584), 792);
  EXPECT_EQ(DisplayScale{2}.SceneSize(1109), 555);
}

}  // namespace
