#include "scene/history.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/render_window.h"
#include "scene/commands.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "scene/table_file.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/random_scene.h"

// Undo and redo against a model that keeps every state the scene passed
// through: random gestures, moves, deletes, clears, resets and frames, with
// undo and redo between them.

namespace {

using namespace testing_support;

// The table as the edits made it: the drawing mode is no edit.
std::string TableOfEdits() {
  const bool fill = Fill;
  Fill = true;
  std::string s = WriteTable();
  Fill = fill;
  return s;
}

// The whole scene, bit for bit: the table, every field it does not save, the
// pending clicks and the picks.
std::string Everything() {
  std::string s = TableOfEdits();
  auto add = [&](const void* p, size_t n) { s.append(static_cast<const char*>(p), n); };
  for (const triangle& t : trilist) {
    const float cached[] = {t.getxmin(), t.getxmax(), t.getymin(), t.getymax()};
    const int32_t half[] = {t.getcx(), t.getcy()};
    add(cached, sizeof cached);
    add(half, sizeof half);
  }
  for (const Box& b : boxlist) {
    const int32_t half[] = {b.getcx(), b.getcy()};
    add(half, sizeof half);
  }
  for (const Point& p : gPointList) {
    add(&p.x, sizeof p.x);
    add(&p.y, sizeof p.y);
    add(&p.colour, sizeof p.colour);
  }
  const int32_t picks[] = {pickedb, pickedc, pickedt};
  add(picks, sizeof picks);
  return s;
}

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetScene();
    init();
  }
  void TearDown() override { ResetScene(); }
};

TEST_F(HistoryTest, UndoAndRedoFollowAModelOfEveryStateInBetween) {
  TestBuffer buffer(200, 150);
  for (uint32_t seed = 0; seed < 6; ++seed) {
    ResetScene();
    init();
    std::mt19937 random(seed);
    std::vector<std::string> undo, redo;  // the model
    std::string start;                    // the scene just before the first change
    for (int step = 0; step < 400; ++step) {
      const int kind = Uniform(random, 0, 99);
      SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step) + " kind " +
                   std::to_string(kind));
      if (kind < 15 && !undo.empty()) {
        redo.push_back(Everything());
        kind < 8 ? MenuCommand(IDM_UNDO) : ControlKeyDown('Z', false);
        ASSERT_EQ(Everything(), undo.back());
        undo.pop_back();
      } else if (kind < 25 && !redo.empty()) {
        undo.push_back(Everything());
        kind < 20 ? MenuCommand(IDM_REDO) : ControlKeyDown('Y', false);
        ASSERT_EQ(Everything(), redo.back());
        redo.pop_back();
      } else {
        const std::string before = Everything();
        const std::string table = TableOfEdits();
        const uint64_t version = SceneVersion();
        if (kind < 70) {
          if (!Pause) MenuCommand(IDM_EDIT);
          const int32_t tools[] = {IDM_CIRCLE, IDM_BOX, IDM_TRIANGLE, IDM_POLYGON,
                                   IDM_CREATE_PINBALL};
          if (kind % 5 == 0) MenuCommand(tools[Uniform(random, 0, 4)]);
          ClickAt(Uniform(random, 0, 791), Uniform(random, 0, 553));
        } else if (kind < 78) {
          RightClick(static_cast<uint16_t>(Uniform(random, 0, 791)), 300);
        } else if (kind < 84) {
          KeyDown(Uniform(random, 0, 1) ? kKeyDelete : kKeyA);
        } else if (kind < 87) {
          MenuCommand(Uniform(random, 0, 1) ? IDM_CLEAR : IDM_RESET);
        } else {
          if (Pause) MenuCommand(IDM_EDIT);
          for (int n = Uniform(random, 1, 20); n > 0; --n) RenderWindow(buffer.rc());
        }
        if (SceneVersion() != version) {
          if (start.empty()) start = before;
          undo.push_back(before);
          redo.clear();
        } else if (kind < 87) {  // frames move balls, which is no edit
          ASSERT_EQ(TableOfEdits(), table) << "a change left no undo step";
        }
      }
      ASSERT_EQ(stub::IsEnabled(IDM_UNDO), !undo.empty());  // greyed with nothing to undo
      ASSERT_EQ(stub::IsEnabled(IDM_REDO), !redo.empty());
    }
    const std::string end = redo.empty() ? Everything() : redo.front();  // the newest state
    while (CanUndo()) MenuCommand(IDM_UNDO);
    ASSERT_EQ(Everything(), start);
    while (CanRedo()) MenuCommand(IDM_REDO);
    ASSERT_EQ(Everything(), end);
  }
}

TEST_F(HistoryTest, KeepsItsStepCountAndMemoryBudgetDroppingTheOldestFirst) {
  MenuCommand(IDM_EDIT);
  MenuCommand(IDM_CIRCLE);
  MenuCommand(IDM_CLEAR);
  for (int n = 0; n < static_cast<int>(kHistorySteps) + 10; ++n) {  // circles 25 px apart
    ClickAt(20 + n % 30 * 25, 20 + n / 30 * 25);
    ClickAt(30 + n % 30 * 25, 20 + n / 30 * 25);
  }
  size_t steps = 0;
  for (; CanUndo(); ++steps) MenuCommand(IDM_UNDO);
  EXPECT_EQ(steps, kHistorySteps);
  EXPECT_EQ(circlist.size(), 10u);  // the Clear and the ten oldest circles are beyond undo

  // A scene of several MiB: far fewer steps fit, and the budget holds after every change.
  for (int k = 0; k < 150000; ++k) BallList.push_back(pinball(k % 700, 300, 0, 0, green, 1, 5));
  const std::string big = WriteTable();
  for (int n = 0; n < 40; ++n) {
    ClickAt(200 + n, 100);
    ClickAt(210 + n, 100);
    ASSERT_LE(HistoryBytes(), kHistoryBytes);
  }
  for (steps = 0; CanUndo(); ++steps) MenuCommand(IDM_UNDO);
  EXPECT_GT(steps, 5u);
  EXPECT_LT(steps, 40u);
  EXPECT_NE(WriteTable(), big);  // the oldest big steps were dropped, not the newest
}

}  // namespace
