#pragma once

// Random scenes made the way a user makes them: menu commands and clicks in
// edit mode. Used by the long physics runs.

#include <algorithm>
#include <cstdint>
#include <random>

#include "scene/commands.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "tests/support/scene_reset.h"

namespace testing_support {

// The field as File > Clear leaves it after start-up, in edit mode: the border walls alone.
inline void ClearForEditing() {
  ResetScene();
  init();
  MenuCommand(IDM_CLEAR);
  if (!Pause) MenuCommand(IDM_EDIT);
}

inline int Uniform(std::mt19937& random, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(random);
}

// A left click, kept on the 16-bit range of client positions.
inline void ClickAt(int x, int y) {
  LeftClick(static_cast<uint16_t>(std::clamp(x, 0, 65535)),
            static_cast<uint16_t>(std::clamp(y, 0, 65535)));
}

// `count` shapes of every kind in random colours, each with its own gesture
// near a random point of the field; boxes are clicked in every corner order.
// A click that lands on a shape picks it, and the next click moves it.
inline void AddRandomShapes(std::mt19937& random, int count) {
  const int32_t colours[] = {IDM_RED, IDM_GREEN, IDM_BLUE};
  auto near = [&](int v, int spread) { return v + Uniform(random, -spread, spread); };
  for (int n = 0; n < count; ++n) {
    MenuCommand(colours[Uniform(random, 0, 2)]);
    const int x = Uniform(random, 40, 750), y = Uniform(random, 40, 510);
    switch (Uniform(random, 0, 3)) {
      case 0:
        MenuCommand(IDM_CIRCLE);
        ClickAt(x, y);
        ClickAt(near(x, 40), near(y, 40));
        break;
      case 1:
        MenuCommand(IDM_BOX);
        ClickAt(x, y);
        ClickAt(near(x, 120), near(y, 80));
        break;
      case 2:
        MenuCommand(IDM_TRIANGLE);
        ClickAt(x, y);
        ClickAt(near(x, 120), near(y, 120));
        ClickAt(near(x, 120), near(y, 120));
        break;
      default:
        MenuCommand(IDM_POLYGON);
        for (int k = Uniform(random, 2, 5); k > 0; --k) ClickAt(near(x, 100), near(y, 100));
        RightClick(static_cast<uint16_t>(x), static_cast<uint16_t>(y + 60));
        break;
    }
  }
}

// Makes the next ball at a random speed and radius; Create Pinball must be on.
inline void ChooseRandomBall(std::mt19937& random) {
  const int32_t speeds[] = {IDM_SPEED_1, IDM_SPEED_2, IDM_SPEED_3};
  const int32_t radii[] = {IDM_RADIUS_HALF, IDM_RADIUS_1, IDM_RADIUS_1_5};
  MenuCommand(speeds[Uniform(random, 0, 2)]);
  MenuCommand(radii[Uniform(random, 0, 2)]);
}

// An aim offset: straight along an axis for half of the balls, any way for the others.
inline void RandomAim(std::mt19937& random, int& ax, int& ay) {
  const int axis = Uniform(random, 0, 7);
  ax = axis == 0 ? 30 : axis == 1 ? -30 : axis < 4 ? 0 : Uniform(random, -30, 30);
  ay = axis == 2 ? 30 : axis == 3 ? -30 : axis < 4 ? 0 : Uniform(random, -30, 30);
}

// `count` balls of random speed and radius and aim, one in `outsideOneIn`
// anywhere in the 16-bit click range (far outside the field), and one in ten
// made `copies` times on the same spot; Create Pinball must be on.
inline void AddRandomBalls(std::mt19937& random, int count, int outsideOneIn, int copies) {
  for (int n = 0; n < count; ++n) {
    ChooseRandomBall(random);
    const bool outside = Uniform(random, 0, outsideOneIn - 1) == 0;
    const int x = outside ? Uniform(random, 0, 65535) : Uniform(random, 0, 792);
    const int y = outside ? Uniform(random, 0, 65535) : Uniform(random, 0, 554);
    int ax, ay;
    RandomAim(random, ax, ay);
    for (int k = Uniform(random, 0, 9) == 0 ? copies : 1; k > 0; --k) {
      ClickAt(x, y);
      ClickAt(x + ax, y + ay);
    }
  }
}

// Leaves edit mode, so that the next frames tick.
inline void StartBalls() {
  if (Pause) MenuCommand(IDM_EDIT);
}

}  // namespace testing_support
