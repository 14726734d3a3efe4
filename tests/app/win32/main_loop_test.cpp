// Passes of the main loop on a real window: when the store is made, how
// size notifications and backlogs are worked off, and the last pass.

#include "resources/resource.h"
#include "tests/app/win32/window_fixture.h"

namespace {

using win32_testing::DropMessages;
using win32_testing::WindowTest;

class MainLoop : public WindowTest {
 protected:
  // Lets the messages of window creation go by, so that each test starts
  // with an empty queue and a store at the client size.
  void SettleOnEmptyQueue(Rendering& rc) {
    bool quit = false;
    for (int k = 0; k < 50 && GetQueueStatus(QS_ALLINPUT | QS_ALLPOSTMESSAGE) != 0; ++k) {
      MainLoopPass(rc, quit);
    }
    MainLoopPass(rc, quit);
    ASSERT_FALSE(quit);
  }

  static float FirstBallX() { return BallList[0].Getoriginx(); }
};

TEST_F(MainLoop, FirstPassMakesTheStoreEvenWithoutASizeNotification) {
  // A windowing layer that sent no WM_SIZE during creation.
  gReSize = false;
  gWindowX = gWindowY = 0;
  Rendering rc = ConstructFrameBuffer();
  EXPECT_EQ(rc.getpixels(), nullptr);  // construction makes no store
  EXPECT_TRUE(gReSize);

  bool quit = false;
  MainLoopPass(rc, quit);
  EXPECT_FALSE(gReSize);
  EXPECT_NE(rc.getpixels(), nullptr);
  EXPECT_EQ(rc.getwidth(), Client().right);
  EXPECT_EQ(rc.getheight(), Client().bottom);
  rc.DestroyBuffer();
}

TEST_F(MainLoop, SeveralSizeNotificationsBetweenPassesGiveOneResizeAtTheLastSize) {
  Rendering rc = ConstructFrameBuffer();
  SettleOnEmptyQueue(rc);
  // Sent messages, as while the user drags the frame in the system's modal loop.
  SendMessageA(gWindH, WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 80));
  SendMessageA(gWindH, WM_SIZE, SIZE_RESTORED, MAKELPARAM(0, 0));
  SendMessageA(gWindH, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
  bool quit = false;
  MainLoopPass(rc, quit);
  EXPECT_FALSE(gReSize);
  EXPECT_EQ(rc.getwidth(), 300);
  EXPECT_EQ(rc.getheight(), 200);
  EXPECT_NE(rc.getpixels(), nullptr);
  rc.DestroyBuffer();
}

TEST_F(MainLoop, ABacklogIsWorkedOffOneMessagePerPassWithATickEach) {
  Rendering rc = ConstructFrameBuffer();
  SettleOnEmptyQueue(rc);
  const int sizes[][2] = {{200, 100}, {0, 0}, {65535, 65535}, {320, 240}};
  for (const auto& s : sizes) PostMessageA(gWindH, WM_SIZE, SIZE_RESTORED, MAKELPARAM(s[0], s[1]));

  bool quit = false;
  for (const auto& s : sizes) {
    const float x = FirstBallX();
    MainLoopPass(rc, quit);
    // Sizes GDI refuses leave an empty buffer, which is harmless.
    const bool empty = s[0] == 0 || s[0] == 65535;
    EXPECT_EQ(rc.getwidth(), empty ? 0 : s[0]);
    EXPECT_EQ(rc.getheight(), empty ? 0 : s[1]);
    EXPECT_NE(FirstBallX(), x) << "each pass advances the simulation";
  }
  EXPECT_FALSE(quit);
  EXPECT_EQ(GetQueueStatus(QS_POSTMESSAGE), 0u);
  rc.DestroyBuffer();
}

TEST_F(MainLoop, ThePassThatTakesTheQuitStillComposesAFrame) {
  Rendering rc = ConstructFrameBuffer();
  SettleOnEmptyQueue(rc);
  SendMessageA(gWindH, WM_CLOSE, 0, 0);
  const float x = FirstBallX();
  bool quit = false;
  MainLoopPass(rc, quit);
  EXPECT_TRUE(quit);
  EXPECT_NE(FirstBallX(), x);
  EXPECT_TRUE(IsWindow(gWindH));  // destroyed only by the tear-down
  rc.DestroyBuffer();
}

// The user closes the window while the (unowned) Instructions box runs its
// own message loop inside a dispatch: the loop ends after the box.
bool box_was_open = false;
VOID CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  box_was_open = FindWindowA(nullptr, "Instructions") != nullptr;
  SendMessageA(gWindH, WM_CLOSE, 0, 0);
}
// Should the box outlive the quit, close it, so that the test fails instead of hanging.
VOID CALLBACK DismissBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (HWND box = FindWindowA(nullptr, "Instructions")) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(MainLoop, ClosingDuringAModalLoopEndsTheLoopAfterIt) {
  Rendering rc = ConstructFrameBuffer();
  SettleOnEmptyQueue(rc);
  box_was_open = false;
  PostMessageA(gWindH, WM_COMMAND, IDM_INSTRUCTIONS, 0);
  const UINT_PTR close = SetTimer(nullptr, 0, 200, CloseMainWindow);
  const UINT_PTR dismiss = SetTimer(nullptr, 0, 5000, DismissBox);
  bool quit = false;
  int passes = 0;
  const DWORD start = GetTickCount();
  while (!quit && GetTickCount() - start < 10000) {
    MainLoopPass(rc, quit);
    ++passes;
  }
  const DWORD elapsed = GetTickCount() - start;
  KillTimer(nullptr, close);
  KillTimer(nullptr, dismiss);
  EXPECT_TRUE(box_was_open);
  EXPECT_TRUE(quit);
  EXPECT_LT(elapsed, 4000u) << "the box did not end on the quit";
  EXPECT_LE(passes, 3);  // the box's pass, then the pass that takes WM_QUIT
  EXPECT_EQ(FindWindowA(nullptr, "Instructions"), nullptr);
  rc.DestroyBuffer();
}

}  // namespace
