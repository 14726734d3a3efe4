#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "app/render_window.h"
#include "scene/commands.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/platform_stub.h"
#include "tests/support/scene_reset.h"

// Long random runs of everything the window procedure and the main loop do,
// checking after every step that no list holds a coordinate that is not a
// number and no pick names a record that is not there.

namespace {

constexpr int kSteps = 3000;
// Clicks and moves keep box corners within a few window sizes of the origin.
constexpr int64_t kBoxLimit = int64_t{1} << 20;

bool Finite(std::initializer_list<float> values) {
  for (float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

template <typename T>
bool PickInside(int32_t pick, const std::vector<T>& list) {
  return pick == -1 || (pick >= 0 && static_cast<size_t>(pick) < list.size());
}

// The first fault found in the scene, or an empty string.
std::string SceneFault() {
  for (size_t k = 0; k < gPointList.size(); ++k)
    if (!Finite({gPointList[k].x, gPointList[k].y})) return "point " + std::to_string(k);
  for (size_t k = 0; k < LinesList.size(); ++k) {
    const Lines& l = LinesList[k];
    if (!Finite({l.x1, l.y1, l.x2, l.y2})) return "line " + std::to_string(k);
  }
  for (size_t k = 0; k < polylist.size(); ++k)
    if (!Finite({polylist[k].x, polylist[k].y})) return "vertex " + std::to_string(k);
  for (size_t k = 0; k < circlist.size(); ++k) {
    const Circle& c = circlist[k];
    if (!Finite({c.Getoriginx(), c.Getoriginy(), c.Getradius(), c.Getx1(), c.Gety1()}))
      return "circle " + std::to_string(k);
  }
  for (size_t k = 0; k < boxlist.size(); ++k) {
    const Box& b = boxlist[k];
    for (int64_t v : {b.getv1x(), b.getv1y(), b.getv2x(), b.getv2y(), b.getcx(), b.getcy()})
      if (v < -kBoxLimit || v > kBoxLimit) return "box " + std::to_string(k);
  }
  for (size_t k = 0; k < trilist.size(); ++k) {
    const triangle& t = trilist[k];
    if (!Finite({t.getv1x(), t.getv1y(), t.getv2x(), t.getv2y(), t.getv3x(), t.getv3y(),
                 t.getxmin(), t.getxmax(), t.getymin(), t.getymax()}))
      return "triangle " + std::to_string(k);
  }
  for (size_t k = 0; k < BallList.size(); ++k) {
    const pinball& b = BallList[k];
    if (!Finite({b.Getoriginx(), b.Getoriginy(), b.Getradius(), b.getvecX(), b.getvecY()}))
      return "ball " + std::to_string(k);
  }
  if (!PickInside(pickedb, boxlist)) return "pickedb " + std::to_string(pickedb);
  if (!PickInside(pickedc, circlist)) return "pickedc " + std::to_string(pickedc);
  if (!PickInside(pickedt, trilist)) return "pickedt " + std::to_string(pickedt);
  return "";
}

class Driver {
 public:
  explicit Driver(uint32_t seed) : random_(seed) {}

  // Performs one random step and says what it was.
  std::string Step(Rendering& rc) {
    const int kind = Uniform(0, 99);
    std::ostringstream what;
    if (kind < 40) {
      const auto [x, y] = Position();
      what << "left click " << x << "," << y;
      LeftClick(x, y);
    } else if (kind < 48) {
      const auto [x, y] = Position();
      what << "right click " << x << "," << y;
      RightClick(x, y);
    } else if (kind < 53) {
      what << "Delete";
      KeyDown(kKeyDelete);
    } else if (kind < 56) {
      what << "A";
      KeyDown(kKeyA);
    } else if (kind < 85) {
      const int32_t id = CommandId();
      if (id == IDM_OTHER_COLOR) {
        if (Uniform(0, 1)) {
          stub::QueueColorAnswer(Color_RGB{static_cast<uint8_t>(Uniform(0, 255)),
                                           static_cast<uint8_t>(Uniform(0, 255)),
                                           static_cast<uint8_t>(Uniform(0, 255))});
        } else {
          stub::QueueColorCancel();
        }
      }
      what << "command " << id;
      MenuCommand(id);
    } else {
      what << "frame";
      RenderWindow(rc);
    }
    return what.str();
  }

 private:
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

  // Mostly inside the field, where shapes are and clicks pick them; some
  // anywhere a 16-bit position can name; some on the last click again, which
  // makes the degenerate shapes and balls of coincident points.
  std::pair<uint16_t, uint16_t> Position() {
    const int where = Uniform(0, 9);
    if (where < 6) {
      last_ = {static_cast<uint16_t>(Uniform(0, 799)), static_cast<uint16_t>(Uniform(0, 599))};
    } else if (where < 8) {
      last_ = {static_cast<uint16_t>(Uniform(0, 65535)), static_cast<uint16_t>(Uniform(0, 65535))};
    }
    return last_;
  }

  // Every id of the menu's range, listed or not, and a few outside it.
  int32_t CommandId() {
    static const int32_t kUnknown[] = {0, -1, 40000, 40036, 65535};
    if (Uniform(0, 19) == 0) return kUnknown[Uniform(0, 4)];
    return Uniform(40001, 40035);
  }

  std::mt19937 random_;
  std::pair<uint16_t, uint16_t> last_{0, 0};
};

class RobustnessTest : public ::testing::TestWithParam<uint32_t> {
 protected:
  void SetUp() override {
    testing_support::ResetScene();
    init();
  }
  void TearDown() override { testing_support::ResetScene(); }
};

TEST_P(RobustnessTest, RandomEditingKeepsTheSceneSound) {
  testing_support::TestBuffer buffer(200, 150);
  Driver driver(GetParam());
  for (int step = 0; step < kSteps; ++step) {
    const std::string action = driver.Step(buffer.rc());
    const std::string fault = SceneFault();
    ASSERT_EQ(fault, "") << "seed " << GetParam() << ", step " << step << ": " << action;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RobustnessTest, ::testing::Values(1u, 7u, 42u, 2024u, 99991u));

}  // namespace
