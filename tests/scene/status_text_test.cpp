#include "scene/status_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scene/commands.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "tests/support/scene_reset.h"

namespace {

// One input and the words after it: a command, a left or right click, or a key.
struct Step {
  char kind;  // 'c' command a, 'l' left click at (a, b), 'r' right click, 'k' key a
  int32_t a;
  int32_t b;
  std::string mode;
  std::string next;
};

void Apply(const Step& s) {
  switch (s.kind) {
    case 'c':
      MenuCommand(s.a);
      break;
    case 'l':
      LeftClick(static_cast<uint16_t>(s.a), static_cast<uint16_t>(s.b));
      break;
    case 'r':
      RightClick(static_cast<uint16_t>(s.a), static_cast<uint16_t>(s.b));
      break;
    default:
      KeyDown(static_cast<uint32_t>(s.a));
      break;
  }
}

class StatusTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ResetScene();
    init();
  }
};

// Every gesture through each of its clicks, and the picked shape's move:
// the next part follows the clicks pending, whatever came before.
TEST_F(StatusTextTest, NextClickFollowsEachGesture) {
  const std::vector<Step> steps = {
      {'c', IDM_CLEAR, 0, "Running", "triangle: File › Edit to start editing"},
      {'r', 100, 100, "Running", "triangle: File › Edit to start editing"},
      {'c', IDM_EDIT, 0, "Editing", "triangle: corner 1 of 3"},
      {'l', 100, 100, "Editing", "triangle: corner 2 of 3"},
      {'l', 200, 100, "Editing", "triangle: corner 3 of 3"},
      {'l', 150, 180, "Editing", "triangle: corner 1 of 3"},
      {'c', IDM_CIRCLE, 0, "Editing", "circle: click the centre"},
      {'l', 400, 300, "Editing", "circle: click a point of the rim"},
      {'k', kKeyA, 0, "Editing", "circle: click a point of the rim"},
      {'l', 420, 300, "Editing", "circle: click the centre"},
      {'c', IDM_BOX, 0, "Editing", "box: click a corner"},
      {'l', 600, 100, "Editing", "box: click the opposite corner"},
      {'l', 650, 150, "Editing", "box: click a corner"},
      {'l', 625, 125, "Editing", "picked: click its new place"},  // inside the box
      {'l', 625, 400, "Editing", "box: click a corner"},
      {'c', IDM_POLYGON, 0, "Editing", "polygon: click the first corner"},
      {'l', 50, 400, "Editing", "polygon: click corner 2"},
      {'l', 90, 400, "Editing", "polygon: click corner 3, or right click or long press to close"},
      {'l', 90, 450, "Editing", "polygon: click corner 4, or right click or long press to close"},
      {'r', 60, 460, "Editing", "polygon: click the first corner"},
      {'c', IDM_CREATE_PINBALL, 0, "Editing", "ball: click where it starts"},
      {'l', 300, 500, "Editing", "ball: click where it heads"},
      {'l', 310, 490, "Editing", "ball: click where it starts"},
      {'c', IDM_EDIT, 0, "Running", "ball: File › Edit to start editing"},
      {'c', IDM_PAUSE, 0, "Paused", "ball: File › Edit to start editing"},
      {'c', IDM_EDIT, 0, "Editing", "ball: click where it starts"},
      {'c', IDM_EDIT, 0, "Paused", "ball: File › Edit to start editing"},
      {'c', IDM_PAUSE, 0, "Running", "ball: File › Edit to start editing"},
  };
  for (const Step& s : steps) {
    Apply(s);
    const StatusWords w = StatusText();
    EXPECT_EQ(w.mode, s.mode) << s.kind << " " << s.a << " " << s.b;
    EXPECT_EQ(w.next, s.next) << s.kind << " " << s.a << " " << s.b;
  }
  EXPECT_EQ(StatusText(true).next,
            "clicks add nothing while running: choose File › Edit to start editing");
}

// The colour, the table's name and mark, and the new balls' factors, as the
// menus and the caption say them.
TEST_F(StatusTextTest, ColourTableAndBallsAsTheMenusSayThem) {
  EXPECT_EQ(StatusText().Line(),
            "Running · red · triangle: File › Edit to start editing · Untitled · "
            "new balls: speed x 3, radius x .5");
  const struct {
    int32_t command;
    std::string colour;
    std::string table;
    std::string balls;
  } rows[] = {
      {IDM_GREEN, "green", "Untitled", "new balls: speed x 3, radius x .5"},
      {IDM_SPEED_1, "green", "Untitled", "new balls: speed x 1, radius x .5"},
      {IDM_RADIUS_1_5, "green", "Untitled", "new balls: speed x 1, radius x 1.5"},
      {IDM_BLUE, "blue", "Untitled", "new balls: speed x 1, radius x 1.5"},
      {IDM_RADIUS_1, "blue", "Untitled", "new balls: speed x 1, radius x 1"},
      {IDM_CLEAR, "blue", "Untitled *", "new balls: speed x 1, radius x 1"},
      {IDM_UNDO, "blue", "Untitled", "new balls: speed x 1, radius x 1"},
  };
  for (const auto& row : rows) {
    MenuCommand(row.command);
    const StatusWords w = StatusText();
    EXPECT_EQ(w.colour, row.colour) << row.command;
    EXPECT_EQ(w.table, row.table) << row.command;
    EXPECT_EQ(w.balls, row.balls) << row.command;
  }
  color = Color_RGB{255, 136, 0};
  EXPECT_EQ(StatusText().colour, "#ff8800");
}

}  // namespace
