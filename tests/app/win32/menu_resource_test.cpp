// The window's menu, as loaded from resource 101 through the class record:
// every item in display order with its id, the submenus, the separators and
// the marks and greyed items at start.

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/app/win32/window_fixture.h"

namespace {

using win32_testing::WindowTest;

class MenuResource : public WindowTest {};

// One line per item: "Name id", "Name id checked", "Name id greyed", "-" for a separator,
// "Name >" for a submenu, its items indented by two blanks.
void Describe(HMENU menu, const std::string& indent, std::vector<std::string>& out) {
  for (int k = 0; k < GetMenuItemCount(menu); ++k) {
    char text[64] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, k, TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      out.push_back(indent + "-");
    } else if (info.hSubMenu != nullptr) {
      out.push_back(indent + text + " >");
      Describe(info.hSubMenu, indent + "  ", out);
    } else {
      out.push_back(indent + text + " " + std::to_string(info.wID) +
                    ((info.fState & MFS_CHECKED) ? " checked" : "") +
                    ((info.fState & MFS_GRAYED) ? " greyed" : ""));
    }
  }
}

TEST_F(MenuResource, HoldsEveryItemInDisplayOrderWithTheMarksAtStart) {
  std::vector<std::string> lines;
  Describe(GetMenu(gWindH), "", lines);
  const std::vector<std::string> expected = {
      "File >",
      "  Reset 40001",
      "  Edit 40002",
      "  Clear 40004",
      "  -",
      "  Undo\tCtrl+Z 40039 greyed",
      "  Redo\tCtrl+Y 40040 greyed",
      "  -",
      "  New\tCtrl+N 40042",
      "  Open...\tCtrl+O 40036",
      "  Examples >",
      "    Sinai billiard 40050",
      "    Stadium 40051",
      "    Mushroom 40052",
      "    Equilateral triangle 40053",
      "    Two balls a millionth apart 40054",
      "  Save\tCtrl+S 40037",
      "  Save As... 40038",
      "  -",
      "  Quit 40005",
      "Color >",
      "  Red 40006 checked",
      "  Green 40007",
      "  Blue 40008",
      "  -",
      "  Other 40034",
      "Shape >",
      "  Circle 40009",
      "  Box 40010",
      "  Triangle 40011 checked",
      "  Polygon 40012",
      "Pinball >",
      "  Create Pinball 40015",
      "  Set Speed >",
      "    x 1 40018",
      "    x 2 40019",
      "    x 3 40026 checked",
      "  Set Radius >",
      "    x .5 40031",
      "    x 1 40029",
      "    x 1.5 40032",
      "  -",
      "  Pause\tSpace 40043",
      "  Step\t. 40044",
      "  Step Back\t, 40045",
      "  Slow Motion >",
      "    x 1 40046 checked",
      "    x 1/2 40047",
      "    x 1/4 40048",
      "  Trails\tT 40049",
      "Help >",
      "  Instructions 40014",
      "  About 40035",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(MenuResource, MarksSetByCommandsShowOnTheWindowsMenu) {
  SendMessageA(gWindH, WM_COMMAND, IDM_BLUE, 0);
  EXPECT_EQ(GetMenuState(GetMenu(gWindH), IDM_BLUE, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(GetMenuState(GetMenu(gWindH), IDM_RED, MF_BYCOMMAND) & MF_CHECKED, 0u);
  SendMessageA(gWindH, WM_COMMAND, IDM_RADIUS_1_5, 0);
  EXPECT_EQ(GetMenuState(GetMenu(gWindH), IDM_RADIUS_1_5, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
  // The window outlives this test: put the marks back as they were at start.
  SendMessageA(gWindH, WM_COMMAND, IDM_RED, 0);
  CheckMenuItem(GetMenu(gWindH), IDM_RADIUS_1_5, MF_BYCOMMAND | MF_UNCHECKED);
}

// The shortcuts go through the accelerator table, as the main loop takes
// them: each becomes its menu command (only while its item is not greyed);
// other Ctrl keys stay keys.
TEST_F(MenuResource, ShortcutsBecomeTheCommandsOfTheirItems) {
  ASSERT_NE(gAccelerators, nullptr);
  struct Press {
    WPARAM key;
    bool shift;
    bool translated;
    bool clearedAfter;  // the scene's state after the press
  };
  const Press presses[] = {
      {'Z', false, true, false},  // Undo the Clear
      {'Z', false, true, false},  // taken, but Undo is greyed: no command
      {'Z', true, true, true},    // Redo
      {'Z', false, true, false},  // Undo
      {'Y', false, true, true},   // Redo
      {'A', false, false, true},  // no shortcut: a key for the window procedure
  };
  SendMessageA(gWindH, WM_COMMAND, IDM_CLEAR, 0);
  ASSERT_TRUE(circlist.empty());
  BYTE keys[256] = {};
  for (const Press& p : presses) {
    SCOPED_TRACE(std::string(1, static_cast<char>(p.key)) + (p.shift ? " with Shift" : ""));
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = p.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg = {gWindH, WM_KEYDOWN, p.key, 0, 0, {}};
    EXPECT_EQ(TranslateAcceleratorA(gWindH, gAccelerators, &msg) != 0, p.translated);
    EXPECT_EQ(circlist.empty(), p.clearedAfter);
  }
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

}  // namespace
