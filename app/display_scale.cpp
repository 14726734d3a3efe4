#include "app/display_scale.h"

namespace {
constexpr uint32_t kDpiAt100Percent = 96;
// Beyond 800 % (a scale no display has) the window would not fit any screen.
constexpr int32_t kLargestFactor = 8;
}  // namespace

DisplayScale DisplayScale::ForDpi(uint32_t dpi) {
  const uint32_t whole = dpi / kDpiAt100Percent;
  DisplayScale scale;
  scale.factor = whole < 1                ? 1
                 : whole > kLargestFactor ? kLargestFactor
                                          : static_cast<int32_t>(whole);
  return scale;
}

int32_t DisplayScale::ToScene(int32_t device) const {
  // Rounded down, also left of or above the client area (a captured mouse).
  return device >= 0 ? device / factor : -((-device + factor - 1) / factor);
}

int32_t DisplayScale::SceneSize(int32_t device) const {
  return device <= 0 ? 0 : (device + factor - 1) / factor;
}
