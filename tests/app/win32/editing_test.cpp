// Editing through real messages to the real window: menu commands with the
// check marks read back from the window's own menu, the keys, the clicks, and
// the modal colour dialog and message boxes, which a timer inside their own
// message loop inspects and closes.

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/app/win32/window_fixture.h"

namespace {

using win32_testing::DispatchPending;
using win32_testing::WindowTest;
using Ids = std::vector<int32_t>;

// Every item that can carry a mark, in menu order.
const Ids kMarkable = {
    IDM_RESET,          IDM_EDIT,         IDM_CLEAR,   IDM_QUIT,    IDM_RED,         IDM_GREEN,
    IDM_BLUE,           IDM_OTHER_COLOR,  IDM_CIRCLE,  IDM_BOX,     IDM_TRIANGLE,    IDM_POLYGON,
    IDM_CREATE_PINBALL, IDM_SPEED_1,      IDM_SPEED_2, IDM_SPEED_3, IDM_RADIUS_HALF, IDM_RADIUS_1,
    IDM_RADIUS_1_5,     IDM_INSTRUCTIONS, IDM_ABOUT};
const Ids kStartMarks = {IDM_RED, IDM_TRIANGLE, IDM_SPEED_3};

bool Marked(int32_t id) {
  return (GetMenuState(GetMenu(gWindH), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The marked items of the window's menu, submenus included, in menu order.
Ids Marks() {
  Ids on;
  for (int32_t id : kMarkable) {
    if (Marked(id)) on.push_back(id);
  }
  return on;
}

bool Same(Color_RGB a, Color_RGB b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

LRESULT Command(WPARAM wp, LPARAM lp = 0) { return SendMessageA(gWindH, WM_COMMAND, wp, lp); }

// A click as the system queues it: button down, button up, through the main
// loop's dispatch.
void Click(UINT down, int x, int y) {
  PostMessageA(gWindH, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
  PostMessageA(gWindH, down + 1, 0, MAKELPARAM(x, y));
  DispatchPending();
}
void LeftClick(int x, int y) { Click(WM_LBUTTONDOWN, x, y); }

class Editing : public WindowTest {
 protected:
  // The window outlives each test: its marks go back to those of a fresh start.
  static void StartMarks() {
    for (int32_t id : kMarkable) {
      const bool on = std::find(kStartMarks.begin(), kStartMarks.end(), id) != kStartMarks.end();
      CheckMenuItem(GetMenu(gWindH), id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    }
  }
  void SetUp() override {
    WindowTest::SetUp();
    StartMarks();
  }
  void TearDown() override { StartMarks(); }
};

// --- Menu commands and their marks ---

TEST_F(Editing, ExactlyTheCurrentToolIsMarkedAfterEachToolCommand) {
  struct Step {
    int32_t command;
    type shape;
    bool ball;
  };
  // Ball creation keeps the shape underneath; the next shape item replaces both.
  const Step steps[] = {
      {IDM_CREATE_PINBALL, type::triangle, true}, {IDM_BOX, type::box, false},
      {IDM_CREATE_PINBALL, type::box, true},      {IDM_CREATE_PINBALL, type::box, true},
      {IDM_CIRCLE, type::circle, false},          {IDM_POLYGON, type::polygon, false},
      {IDM_POLYGON, type::polygon, false},        {IDM_TRIANGLE, type::triangle, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.command);
    EXPECT_EQ(Command(s.command), 1);
    EXPECT_EQ(Marks(), (Ids{IDM_RED, s.command, IDM_SPEED_3}));
    EXPECT_EQ(shape, s.shape);
    EXPECT_EQ(CreateBall, s.ball);
  }
}

TEST_F(Editing, ExactlyTheLastNamedColourIsMarked) {
  const std::pair<int32_t, Color_RGB> steps[] = {
      {IDM_BLUE, blue}, {IDM_GREEN, green}, {IDM_GREEN, green}, {IDM_RED, red}, {IDM_BLUE, blue}};
  for (const auto& [command, colour] : steps) {
    SCOPED_TRACE(command);
    EXPECT_EQ(Command(command), 1);
    EXPECT_EQ(Marks(), (Ids{command, IDM_TRIANGLE, IDM_SPEED_3}));
    EXPECT_TRUE(Same(color, colour));
  }
}

// Both submenus hold an "x 1"; each command must reach its own one.
TEST_F(Editing, SpeedAndRadiusMarksAreFoundInsideTheirSubmenus) {
  EXPECT_EQ(Command(IDM_SPEED_2), 1);
  EXPECT_EQ(Marks(), (Ids{IDM_RED, IDM_TRIANGLE, IDM_SPEED_2}));
  EXPECT_EQ(speed, 2.0f);
  EXPECT_EQ(Command(IDM_RADIUS_1_5), 1);
  EXPECT_EQ(Marks(), (Ids{IDM_RED, IDM_TRIANGLE, IDM_SPEED_2, IDM_RADIUS_1_5}));
  EXPECT_EQ(pinrad, 15.0f);
  Command(IDM_RADIUS_1);
  EXPECT_EQ(Marks(), (Ids{IDM_RED, IDM_TRIANGLE, IDM_SPEED_2, IDM_RADIUS_1}));
  EXPECT_EQ(pinrad, 10.0f);
  Command(IDM_SPEED_1);
  EXPECT_EQ(Marks(), (Ids{IDM_RED, IDM_TRIANGLE, IDM_SPEED_1, IDM_RADIUS_1}));
  EXPECT_EQ(speed, 1.0f);
  Command(IDM_RADIUS_HALF);
  Command(IDM_SPEED_3);
  EXPECT_EQ(Marks(), (Ids{IDM_RED, IDM_TRIANGLE, IDM_SPEED_3, IDM_RADIUS_HALF}));
  EXPECT_EQ(speed, 3.0f);
  EXPECT_EQ(pinrad, 5.0f);
}

TEST_F(Editing, EditMarkFollowsEditModeThroughClearAndReset) {
  const size_t default_balls = BallList.size();
  ASSERT_GT(default_balls, 0u);
  EXPECT_EQ(Command(IDM_EDIT), 1);
  EXPECT_TRUE(Pause);
  EXPECT_EQ(Marks(), (Ids{IDM_EDIT, IDM_RED, IDM_TRIANGLE, IDM_SPEED_3}));

  // Clear keeps edit mode and leaves the border walls alone.
  EXPECT_EQ(Command(IDM_CLEAR), 1);
  EXPECT_TRUE(Pause);
  EXPECT_TRUE(Marked(IDM_EDIT));
  EXPECT_TRUE(BallList.empty());
  EXPECT_TRUE(boxlist.empty());
  EXPECT_EQ(LinesList.size(), 4u);

  // Reset leaves edit mode and brings the default scene back.
  EXPECT_EQ(Command(IDM_RESET), 1);
  EXPECT_FALSE(Pause);
  EXPECT_EQ(Marks(), kStartMarks);
  EXPECT_EQ(BallList.size(), default_balls);

  Command(IDM_EDIT);
  Command(IDM_EDIT);
  EXPECT_FALSE(Pause);
  EXPECT_EQ(Marks(), kStartMarks);
}

TEST_F(Editing, UnknownIdsAreAnsweredAndChangeNothing) {
  const size_t lines = LinesList.size();
  const size_t balls = BallList.size();
  for (WPARAM id : {0, 1, 40000, 40003, 40013, 40016, 40017, 40020, 40025, 40027, 40028, 40030,
                    40033, 40041, 65535}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(Command(id), 1);
  }
  EXPECT_EQ(Marks(), kStartMarks);
  EXPECT_TRUE(Same(color, red));
  EXPECT_EQ(shape, type::triangle);
  EXPECT_FALSE(CreateBall || Pause);
  EXPECT_EQ(speed, 3.0f);
  EXPECT_EQ(pinrad, 5.0f);
  EXPECT_EQ(LinesList.size(), lines);
  EXPECT_EQ(BallList.size(), balls);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// Only the id counts: an accelerator (high word 1) or a control's notification
// (a window in lParam) with a command's id is that command.
TEST_F(Editing, TheSourceOfACommandIsNotLookedAt) {
  EXPECT_EQ(Command(MAKEWPARAM(IDM_BLUE, 1)), 1);
  EXPECT_TRUE(Same(color, blue));
  EXPECT_EQ(Command(MAKEWPARAM(IDM_BOX, BN_CLICKED), reinterpret_cast<LPARAM>(gWindH)), 1);
  EXPECT_EQ(shape, type::box);
  EXPECT_EQ(Marks(), (Ids{IDM_BLUE, IDM_BOX, IDM_SPEED_3}));
}

// --- Keys ---

// The key-down data of one fresh press: repeat count 1 and the scan code.
LPARAM KeyData(UINT scan, bool up = false) { return 1 | (scan << 16) | (up ? (3u << 30) : 0u); }

TEST_F(Editing, TheAKeyFlipsFillAndNeverReachesTheDefaultHandling) {
  // The default handling answers key messages with 0; the window answers 1.
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYDOWN, 'A', KeyData(0x1E)), 1);
  EXPECT_FALSE(Fill);
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYDOWN, 'A', KeyData(0x1E)), 1);
  EXPECT_TRUE(Fill);
  // Auto-repeat flips on every message.
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYDOWN, 'A', KeyData(0x1E) | (1u << 30)), 1);
  EXPECT_FALSE(Fill);
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYDOWN, 'A', KeyData(0x1E)), 1);

  // Releases, characters and the key code 'a' (the numeric keypad's 1) flip nothing.
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYUP, 'A', KeyData(0x1E, true)), 0);
  SendMessageA(gWindH, WM_CHAR, 'a', KeyData(0x1E));
  SendMessageA(gWindH, WM_CHAR, 'A', KeyData(0x1E));
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYDOWN, 'a', KeyData(0x4F)), 1);
  EXPECT_TRUE(Fill);
}

// Real key presses through the system's input queue and the main loop's
// TranslateMessage, which adds a character message for each.
void Press(std::initializer_list<WORD> down_in_order) {
  std::vector<INPUT> in;
  for (WORD vk : down_in_order) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.push_back(i);
  }
  for (auto it = down_in_order.end(); it != down_in_order.begin();) {
    INPUT i = {};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *--it;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(i.ki.wVk, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  // Input reaches the queue asynchronously under some systems; wait for it.
  for (int k = 0; k < 100 && GetQueueStatus(QS_KEY) == 0; ++k) Sleep(10);
  DispatchPending();
}

TEST_F(Editing, AKeyPressFlipsFillOnceWithOrWithoutShift) {
  SetForegroundWindow(gWindH);
  SetFocus(gWindH);
  ASSERT_EQ(GetFocus(), gWindH);
  Press({'A'});
  EXPECT_FALSE(Fill);
  Press({VK_SHIFT, 'A'});
  EXPECT_TRUE(Fill);
  Press({VK_LSHIFT, 'A'});
  EXPECT_FALSE(Fill);
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

// --- Clicks ---

TEST_F(Editing, ClicksThroughTheQueueBuildMoveAndDeleteABox) {
  Command(IDM_EDIT);
  Command(IDM_CLEAR);
  Command(IDM_BOX);
  Command(IDM_BLUE);
  const size_t walls = LinesList.size();

  LeftClick(100, 120);
  PostMessageA(gWindH, WM_MOUSEMOVE, 0, MAKELPARAM(200, 160));  // moves are not editing
  LeftClick(300, 200);
  ASSERT_EQ(boxlist.size(), 1u);
  const Box& box = boxlist[0];
  EXPECT_EQ(box.getv1x(), 100);
  EXPECT_EQ(box.getv1y(), 120);
  EXPECT_EQ(box.getv2x(), 300);
  EXPECT_EQ(box.getv2y(), 200);
  EXPECT_TRUE(Same(box.getcol(), blue));
  EXPECT_EQ(LinesList.size(), walls + 4);
  EXPECT_TRUE(gPointList.empty());

  // A click on the box and one elsewhere centre it there.
  LeftClick(150, 150);
  EXPECT_EQ(pickedb, 0);
  LeftClick(400, 300);
  EXPECT_EQ(boxlist.size(), 1u);
  EXPECT_EQ(box.getv1x(), 300);
  EXPECT_EQ(box.getv1y(), 260);
  EXPECT_EQ(box.getv2x(), 500);
  EXPECT_EQ(box.getv2y(), 340);
  EXPECT_EQ(LinesList[walls].x1, 300.0f);
  EXPECT_EQ(LinesList[walls].y1, 260.0f);
  EXPECT_EQ(pickedb, -1);

  // Pick it again; the Delete key (an extended key) collapses it onto the origin.
  LeftClick(400, 300);
  EXPECT_EQ(pickedb, 0);
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYDOWN, VK_DELETE, KeyData(0x53) | (1 << 24)), 1);
  EXPECT_EQ(box.getv1x(), 0);
  EXPECT_EQ(box.getv1y(), 0);
  EXPECT_EQ(box.getv2x(), 0);
  EXPECT_EQ(box.getv2y(), 0);
  for (size_t k = walls; k < walls + 4; ++k) {
    EXPECT_EQ(LinesList[k].x1 + LinesList[k].y1 + LinesList[k].x2 + LinesList[k].y2, 0.0f) << k;
  }
  EXPECT_EQ(pickedb, -1);
  EXPECT_TRUE(gPointList.empty());
}

TEST_F(Editing, LeftClicksEditOnlyInEditModeAndRightClicksAlways) {
  Command(IDM_POLYGON);
  LeftClick(10, 10);
  EXPECT_TRUE(gPointList.empty());
  EXPECT_TRUE(polylist.empty());

  // Positions are unsigned 16-bit: what a signed reading would call -1 is 65535.
  Command(IDM_EDIT);
  LeftClick(65535, 40000);
  ASSERT_EQ(gPointList.size(), 1u);
  EXPECT_EQ(gPointList[0].x, 65535.0f);
  EXPECT_EQ(gPointList[0].y, 40000.0f);
  LeftClick(20, 30);
  EXPECT_EQ(polylist.size(), 2u);

  // Out of edit mode a right click still closes the polygon.
  Command(IDM_EDIT);
  const size_t lines = LinesList.size();
  Click(WM_RBUTTONDOWN, 40, 50);
  ASSERT_EQ(polylist.size(), 3u);
  EXPECT_EQ(polylist[2].kind, kClosesPolygon);
  EXPECT_EQ(polylist[2].x, 40.0f);
  EXPECT_EQ(LinesList.size(), lines + 2);
  EXPECT_TRUE(gPointList.empty());
}

// --- The modal boxes ---

// The first visible dialog box of this thread, or null.
BOOL CALLBACK TakeDialog(HWND wind, LPARAM found) {
  char name[16] = {};
  GetClassNameA(wind, name, sizeof name);
  if (!IsWindowVisible(wind) || std::strcmp(name, "#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = wind;
  return FALSE;
}
HWND OpenDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// What a visit saw of the box and of the main window while the box was open.
struct Visit {
  HWND owner = nullptr;
  bool window_enabled = false;
  std::string caption;
  Ids marks;
};

std::function<void(HWND)> g_close;  // reads the box and closes it
int g_visits = 0;
bool g_forced = false;
Visit g_seen;

VOID CALLBACK VisitBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = OpenDialog();
  if (box == nullptr) return;  // not shown yet
  KillTimer(nullptr, timer);
  ++g_visits;
  g_seen.owner = GetWindow(box, GW_OWNER);
  g_seen.window_enabled = IsWindowEnabled(gWindH);
  char caption[64] = {};
  GetWindowTextA(box, caption, sizeof caption);
  g_seen.caption = caption;
  g_seen.marks = Marks();
  g_close(box);
}

// Should a box not close as asked, close it, so that the test fails instead of hanging.
VOID CALLBACK ForceClose(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND box = OpenDialog()) {
    g_forced = true;
    PostMessageA(box, WM_CLOSE, 0, 0);
  }
  (void)timer;
}

// Sends the command; its box is read and closed by `close` from inside the
// box's own message loop.
LRESULT CommandWithBox(int32_t id, std::function<void(HWND)> close) {
  g_close = std::move(close);
  g_visits = 0;
  g_forced = false;
  g_seen = {};
  const UINT_PTR visit = SetTimer(nullptr, 0, 20, VisitBox);
  const UINT_PTR force = SetTimer(nullptr, 0, 5000, ForceClose);
  const LRESULT result = Command(id);
  KillTimer(nullptr, visit);
  KillTimer(nullptr, force);
  EXPECT_EQ(g_visits, 1);
  EXPECT_FALSE(g_forced) << "the box did not close when asked";
  EXPECT_EQ(OpenDialog(), nullptr);
  return result;
}

void PressOk(HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }

TEST_F(Editing, InstructionsBoxIsUnownedAndShowsTheTextByteForByte) {
  std::string text;
  EXPECT_EQ(CommandWithBox(IDM_INSTRUCTIONS,
                           [&](HWND box) {
                             char buffer[512] = {};
                             GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);  // its text
                             text = buffer;
                             PressOk(box);
                           }),
            1);
  EXPECT_EQ(g_seen.caption, "Instructions");
  EXPECT_EQ(g_seen.owner, nullptr);
  EXPECT_TRUE(g_seen.window_enabled);
  EXPECT_EQ(
      text,
      "To Add objects to the scene, you must select Edit in the Files menu.  Then you can add "
      "whatever objects you want. \n\n To Reset the whole scene, choose Reset.");
  EXPECT_EQ(Marks(), kStartMarks);
}

TEST_F(Editing, AboutBoxIsOwnedByTheWindowWhichWaitsDisabled) {
  EXPECT_EQ(CommandWithBox(IDM_ABOUT, PressOk), 1);
  EXPECT_EQ(g_seen.caption, "About");
  EXPECT_EQ(g_seen.owner, gWindH);
  EXPECT_FALSE(g_seen.window_enabled);
  EXPECT_TRUE(IsWindowEnabled(gWindH));
}

// Control ids of the colour dialog's red, green and blue fields (the system's
// colour dialog template).
constexpr int kRedField = 706;
constexpr int kGreenField = 707;
constexpr int kBlueField = 708;

// The dialog opens on the current colour, with the mark already moved to
// "Other" and the window left enabled (the dialog has no owner).
TEST_F(Editing, OtherColourDialogStartsOnTheCurrentColourAndItsChoiceIsTaken) {
  Command(IDM_BLUE);
  int shown[3] = {-1, -1, -1};
  EXPECT_EQ(CommandWithBox(IDM_OTHER_COLOR,
                           [&](HWND box) {
                             shown[0] = GetDlgItemInt(box, kRedField, nullptr, FALSE);
                             shown[1] = GetDlgItemInt(box, kGreenField, nullptr, FALSE);
                             shown[2] = GetDlgItemInt(box, kBlueField, nullptr, FALSE);
                             // Three different bytes, so that any mix-up of their order shows.
                             SetDlgItemInt(box, kRedField, 10, FALSE);
                             SetDlgItemInt(box, kGreenField, 200, FALSE);
                             SetDlgItemInt(box, kBlueField, 30, FALSE);
                             PressOk(box);
                           }),
            1);
  EXPECT_EQ(g_seen.marks, (Ids{IDM_OTHER_COLOR, IDM_TRIANGLE, IDM_SPEED_3}));
  EXPECT_EQ(g_seen.owner, nullptr);
  EXPECT_TRUE(g_seen.window_enabled);
  EXPECT_EQ(shown[0], 0);
  EXPECT_EQ(shown[1], 0);
  EXPECT_EQ(shown[2], 255);
  EXPECT_TRUE(Same(color, Color_RGB{10, 200, 30}))
      << int{color.red} << " " << int{color.green} << " " << int{color.blue};
  EXPECT_EQ(Marks(), (Ids{IDM_OTHER_COLOR, IDM_TRIANGLE, IDM_SPEED_3}));

  // Shapes made next take it; a named colour takes the mark back.
  Command(IDM_EDIT);
  Command(IDM_CIRCLE);
  LeftClick(300, 300);
  LeftClick(330, 340);
  ASSERT_FALSE(circlist.empty());
  EXPECT_TRUE(Same(circlist.back().Getcol(), Color_RGB{10, 200, 30}));
  Command(IDM_GREEN);
  EXPECT_EQ(Marks(), (Ids{IDM_EDIT, IDM_GREEN, IDM_CIRCLE, IDM_SPEED_3}));
}

}  // namespace
