#include "scene/commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "scene/scene.h"
#include "tests/support/platform_stub.h"
#include "tests/support/scene_reset.h"

namespace {

const std::vector<int32_t> kToolItems = {IDM_CIRCLE, IDM_BOX, IDM_TRIANGLE, IDM_POLYGON,
                                         IDM_CREATE_PINBALL};
const std::vector<int32_t> kColorItems = {IDM_RED, IDM_GREEN, IDM_BLUE, IDM_OTHER_COLOR};

// The ids among `items` whose check mark is on.
std::vector<int32_t> Checked(const std::vector<int32_t>& items) {
  std::vector<int32_t> on;
  for (int32_t id : items)
    if (stub::IsChecked(id)) on.push_back(id);
  return on;
}

bool Same(Color_RGB a, Color_RGB b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ResetScene();
    init();
  }
};

TEST_F(CommandsTest, EditTogglesEditModeAndItsMark) {
  MenuCommand(IDM_EDIT);
  EXPECT_TRUE(Pause);
  EXPECT_TRUE(stub::IsChecked(IDM_EDIT));
  MenuCommand(IDM_EDIT);
  EXPECT_FALSE(Pause);
  EXPECT_FALSE(stub::IsChecked(IDM_EDIT));
}

TEST_F(CommandsTest, ResetLeavesEditModeButClearKeepsIt) {
  MenuCommand(IDM_EDIT);
  MenuCommand(IDM_CLEAR);
  EXPECT_TRUE(Pause);
  EXPECT_TRUE(stub::IsChecked(IDM_EDIT));
  EXPECT_EQ(LinesList.size(), 4u);
  MenuCommand(IDM_RESET);
  EXPECT_FALSE(Pause);
  EXPECT_FALSE(stub::IsChecked(IDM_EDIT));
  EXPECT_EQ(LinesList.size(), 11u);
  EXPECT_EQ(BallList.size(), 2u);
}

TEST_F(CommandsTest, ResetAndClearEmptyPendingPointsAndForgetPicks) {
  for (int32_t id : {IDM_RESET, IDM_CLEAR}) {
    gPointList.push_back({1, 2, red});
    pickedb = 0;
    pickedc = 1;
    pickedt = 0;
    MenuCommand(id);
    EXPECT_TRUE(gPointList.empty());
    EXPECT_EQ(pickedb, -1);
    EXPECT_EQ(pickedc, -1);
    EXPECT_EQ(pickedt, -1);
  }
  // So a Delete press afterwards deletes nothing of the rebuilt scene.
  MenuCommand(IDM_RESET);
  KeyDown(kKeyDelete);
  EXPECT_EQ(boxlist[0].getv1x(), 100);
  EXPECT_EQ(circlist[0].Getradius(), 50);
  EXPECT_EQ(trilist[0].getv1x(), 380);
}

TEST_F(CommandsTest, ExactlyOneToolMarkAfterAnyToolCommand) {
  MenuCommand(IDM_BOX);
  EXPECT_EQ(shape, type::box);
  EXPECT_EQ(Checked(kToolItems), std::vector<int32_t>{IDM_BOX});
  MenuCommand(IDM_CREATE_PINBALL);
  EXPECT_TRUE(CreateBall);
  EXPECT_EQ(shape, type::box);  // ball creation never changes the shape
  EXPECT_EQ(Checked(kToolItems), std::vector<int32_t>{IDM_CREATE_PINBALL});
  MenuCommand(IDM_CIRCLE);
  EXPECT_FALSE(CreateBall);
  EXPECT_EQ(shape, type::circle);
  EXPECT_EQ(Checked(kToolItems), std::vector<int32_t>{IDM_CIRCLE});
  MenuCommand(IDM_POLYGON);
  EXPECT_EQ(shape, type::polygon);
  MenuCommand(IDM_TRIANGLE);
  EXPECT_EQ(shape, type::triangle);
  EXPECT_EQ(Checked(kToolItems), std::vector<int32_t>{IDM_TRIANGLE});
}

TEST_F(CommandsTest, ToolChangeKeepsPendingPoints) {
  gPointList.push_back({5, 5, red});
  MenuCommand(IDM_BOX);
  MenuCommand(IDM_CREATE_PINBALL);
  EXPECT_EQ(gPointList.size(), 1u);
}

TEST_F(CommandsTest, NamedColoursSetColourAndMarks) {
  MenuCommand(IDM_GREEN);
  EXPECT_TRUE(Same(color, green));
  EXPECT_EQ(Checked(kColorItems), std::vector<int32_t>{IDM_GREEN});
  MenuCommand(IDM_BLUE);
  EXPECT_TRUE(Same(color, blue));
  EXPECT_EQ(Checked(kColorItems), std::vector<int32_t>{IDM_BLUE});
  MenuCommand(IDM_RED);
  EXPECT_TRUE(Same(color, red));
  EXPECT_EQ(Checked(kColorItems), std::vector<int32_t>{IDM_RED});
}

TEST_F(CommandsTest, OtherColourMarksOtherWhetherConfirmedOrCancelled) {
  MenuCommand(IDM_BLUE);
  stub::QueueColorCancel();
  MenuCommand(IDM_OTHER_COLOR);
  EXPECT_TRUE(Same(color, blue));  // cancelled: unchanged
  EXPECT_EQ(Checked(kColorItems), std::vector<int32_t>{IDM_OTHER_COLOR});
  EXPECT_TRUE(Same(stub::LastColorDialogStart(), blue));  // opens on the current colour

  stub::QueueColorAnswer({12, 34, 56});
  MenuCommand(IDM_OTHER_COLOR);
  EXPECT_TRUE(Same(color, {12, 34, 56}));
  EXPECT_EQ(stub::ColorDialogCount(), 2);
}

TEST_F(CommandsTest, SpeedAndRadiusMarksAndValues) {
  MenuCommand(IDM_SPEED_2);
  EXPECT_EQ(speed, 2.0f);
  EXPECT_EQ(Checked({IDM_SPEED_1, IDM_SPEED_2, IDM_SPEED_3}), std::vector<int32_t>{IDM_SPEED_2});
  MenuCommand(IDM_SPEED_1);
  EXPECT_EQ(speed, 1.0f);
  MenuCommand(IDM_SPEED_3);
  EXPECT_EQ(speed, 3.0f);
  const std::vector<int32_t> radii = {IDM_RADIUS_HALF, IDM_RADIUS_1, IDM_RADIUS_1_5};
  MenuCommand(IDM_RADIUS_1_5);
  EXPECT_EQ(pinrad, 15.0f);
  EXPECT_EQ(Checked(radii), std::vector<int32_t>{IDM_RADIUS_1_5});
  MenuCommand(IDM_RADIUS_1);
  EXPECT_EQ(pinrad, 10.0f);
  MenuCommand(IDM_RADIUS_HALF);
  EXPECT_EQ(pinrad, 5.0f);
  EXPECT_EQ(Checked(radii), std::vector<int32_t>{IDM_RADIUS_HALF});
  // Existing balls keep theirs.
  EXPECT_EQ(BallList[0].getspeed(), 2.0f);
  EXPECT_EQ(BallList[0].Getradius(), 10.0f);
}

TEST_F(CommandsTest, HelpBoxes) {
  MenuCommand(IDM_INSTRUCTIONS);
  MenuCommand(IDM_ABOUT);
  const auto& boxes = stub::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_FALSE(boxes[0].owned);
  EXPECT_EQ(boxes[0].caption, "Instructions");
  EXPECT_EQ(
      boxes[0].text,
      "To Add objects to the scene, you must select Edit in the Files menu.  Then you can add "
      "whatever objects you want. \n\n To Reset the whole scene, choose Reset.");
  EXPECT_TRUE(boxes[1].owned);
  EXPECT_EQ(boxes[1].caption, "About");
  EXPECT_FALSE(boxes[1].text.empty());
  EXPECT_FALSE(boxes[0].error || boxes[1].error);  // no error icon on either
}

TEST_F(CommandsTest, QuitAndUnknownIds) {
  MenuCommand(IDM_QUIT);
  EXPECT_EQ(stub::QuitCount(), 1);
  for (int32_t id : {0, 40000, 40003, 40013, 40016, 40033, 40036, 65535, -1}) MenuCommand(id);
  EXPECT_EQ(stub::QuitCount(), 1);
  EXPECT_TRUE(stub::CheckMarks().empty());
  EXPECT_TRUE(stub::MessageBoxes().empty());
  EXPECT_EQ(LinesList.size(), 11u);
  EXPECT_FALSE(Pause);
}

TEST_F(CommandsTest, KeysFlipFillOrDoNothing) {
  KeyDown(kKeyA);
  EXPECT_FALSE(Fill);
  KeyDown(kKeyA);
  EXPECT_TRUE(Fill);
  gPointList.push_back({3, 3, red});
  KeyDown(kKeyDelete);  // nothing picked: nothing happens, points stay
  KeyDown('B');
  KeyDown(0x61);  // 'a' is not a virtual-key code of the A key
  EXPECT_TRUE(Fill);
  EXPECT_EQ(gPointList.size(), 1u);
  EXPECT_EQ(boxlist[0].getv1x(), 100);
}

}  // namespace
