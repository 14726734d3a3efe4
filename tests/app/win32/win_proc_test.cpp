// The main window as ConstructWindow makes it, and the window procedure's
// answers to size, paint, close, key, command and mouse messages on it.

#include <cstring>

#include "resources/resource.h"
#include "tests/app/win32/window_fixture.h"

namespace {

using win32_testing::WindowTest;

class Window : public WindowTest {};
class WinProc : public WindowTest {};

TEST_F(Window, ClassAndWindowAreMadeAsTheProgramNeedsThem) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "bumperfield", &wc));
  EXPECT_EQ(wc.style, 35u);  // CS_VREDRAW | CS_HREDRAW | CS_OWNDC
  EXPECT_EQ(wc.lpfnWndProc, &::WinProc);
  EXPECT_EQ(wc.hbrBackground, GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(wc.hIcon, LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDI_PINBALL)));
  EXPECT_NE(wc.hIcon, nullptr);
  ICONINFO small = {};
  ASSERT_TRUE(GetIconInfo(wc.hIconSm, &small));  // the small one, drawn at its own size
  BITMAP bitmap = {};
  GetObjectA(small.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
  DeleteObject(small.hbmColor);
  DeleteObject(small.hbmMask);

  char caption[64] = {};
  GetWindowTextA(gWindH, caption, sizeof caption);
  EXPECT_STREQ(caption, "Pinball Simulation");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(gWindH, GWL_STYLE)) & 0x10CF0000u, 0x10CF0000u);
  RECT outer = {};
  GetWindowRect(gWindH, &outer);
  EXPECT_EQ(outer.right - outer.left, 800);
  EXPECT_EQ(outer.bottom - outer.top, 600);
  EXPECT_NE(GetMenu(gWindH), nullptr);  // from the class record

  // CS_OWNDC: every GetDC gives the one context the frame buffer keeps.
  EXPECT_EQ(GetDC(gWindH), GetDC(gWindH));
}

TEST_F(Window, CreationAsksForTheFirstResizeAtTheClientSize) {
  EXPECT_TRUE(win32_testing::Created().resize_asked);
  EXPECT_EQ(win32_testing::Created().width, win32_testing::Created().client.right);
  EXPECT_EQ(win32_testing::Created().height, win32_testing::Created().client.bottom);
  EXPECT_GT(win32_testing::Created().width, 0);
}

TEST_F(WinProc, SizeNotificationsCarryTheClientSize) {
  gReSize = false;
  SetWindowPos(gWindH, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_TRUE(gReSize);
  EXPECT_EQ(gWindowX, Client().right);
  EXPECT_EQ(gWindowY, Client().bottom);

  EXPECT_EQ(SendMessageA(gWindH, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 480)), 1);
  EXPECT_EQ(gWindowX, 640);
  EXPECT_EQ(gWindowY, 480);

  // The halves are unsigned: 65535 is a size, not -1.
  SendMessageA(gWindH, WM_SIZE, SIZE_RESTORED, MAKELPARAM(65535, 65535));
  EXPECT_EQ(gWindowX, 65535);
  EXPECT_EQ(gWindowY, 65535);
  SendMessageA(gWindH, WM_SIZE, SIZE_RESTORED, MAKELPARAM(0, 0));
  EXPECT_EQ(gWindowX, 0);
  EXPECT_EQ(gWindowY, 0);
}

// Moved to a display of another scale: the window keeps its size in scene
// pixels, sizes and clicks arrive in scene pixels, and back at 100 % all is as before.
TEST_F(WinProc, ADisplayOfAnotherScaleKeepsTheSizeInScenePixels) {
  const RECT outer100 = {10, 20, 810, 620};
  const struct {
    LONG dpi;
    int32_t factor;
  } moves[] = {{192, 2}, {144, 1}, {192, 2}, {96, 1}};  // (the test's screen takes 1600 x 1200)
  for (const auto& move : moves) {
    SCOPED_TRACE(move.dpi);
    RECT suggested = {10, 20, 10 + 800 * move.dpi / 96, 20 + 600 * move.dpi / 96};
    EXPECT_EQ(SendMessageA(gWindH, WM_DPICHANGED, static_cast<WPARAM>(move.dpi * 0x10001),
                           reinterpret_cast<LPARAM>(&suggested)),
              0);
    EXPECT_EQ(gScale.factor, move.factor);
    RECT outer = {};
    GetWindowRect(gWindH, &outer);
    EXPECT_EQ(outer.left, suggested.left);
    EXPECT_EQ(outer.right - outer.left, 800 * move.factor);
    EXPECT_EQ(outer.bottom - outer.top, 600 * move.factor);
    EXPECT_EQ(gWindowX, (Client().right + move.factor - 1) / move.factor);
    EXPECT_EQ(gWindowY, (Client().bottom + move.factor - 1) / move.factor);
  }
  RECT outer = {};
  GetWindowRect(gWindH, &outer);
  EXPECT_EQ(outer.right - outer.left, outer100.right - outer100.left);
}

TEST_F(WinProc, MinimisingSizesToNothingAndRestoringSizesBack) {
  const RECT before = Client();
  ShowWindow(gWindH, SW_MINIMIZE);
  EXPECT_EQ(gWindowX, 0);
  EXPECT_EQ(gWindowY, 0);
  gReSize = false;
  ShowWindow(gWindH, SW_RESTORE);
  EXPECT_TRUE(gReSize);
  EXPECT_EQ(gWindowX, before.right);
  EXPECT_EQ(gWindowY, before.bottom);
}

TEST_F(WinProc, CloseRequestPostsQuitAndLeavesTheWindow) {
  EXPECT_EQ(SendMessageA(gWindH, WM_CLOSE, 0, 0), 1);
  EXPECT_TRUE(IsWindow(gWindH));
  EXPECT_TRUE(IsWindowVisible(gWindH));
  EXPECT_TRUE(QuitPosted());
}

TEST_F(WinProc, QuitCommandPostsQuitLikeTheCloseRequest) {
  EXPECT_EQ(SendMessageA(gWindH, WM_COMMAND, IDM_QUIT, 0), 1);
  EXPECT_TRUE(IsWindow(gWindH));
  EXPECT_TRUE(QuitPosted());
  // An id with no menu item is answered and does nothing.
  EXPECT_EQ(SendMessageA(gWindH, WM_COMMAND, 40003, 0), 1);
  EXPECT_FALSE(QuitPosted());
}

TEST_F(WinProc, PaintAndKeysValidateWithoutDrawing) {
  RECT r;
  InvalidateRect(gWindH, nullptr, FALSE);
  ASSERT_TRUE(GetUpdateRect(gWindH, &r, FALSE));
  EXPECT_EQ(SendMessageA(gWindH, WM_PAINT, 0, 0), 1);
  EXPECT_FALSE(GetUpdateRect(gWindH, &r, FALSE));

  // Every key validates too; the A key reaches the scene and flips filling.
  InvalidateRect(gWindH, nullptr, FALSE);
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYDOWN, 'B', 0), 1);
  EXPECT_FALSE(GetUpdateRect(gWindH, &r, FALSE));
  EXPECT_TRUE(Fill);
  EXPECT_EQ(SendMessageA(gWindH, WM_KEYDOWN, 'A', 0), 1);
  EXPECT_FALSE(Fill);
}

TEST_F(WinProc, ClicksReachTheSceneAtClientCoordinates) {
  Pause = true;  // edit mode: a left click becomes a pending point
  EXPECT_EQ(SendMessageA(gWindH, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 470)), 1);
  ASSERT_EQ(gPointList.size(), 1u);
  EXPECT_EQ(gPointList[0].x, 30.0f);
  EXPECT_EQ(gPointList[0].y, 470.0f);
  EXPECT_EQ(SendMessageA(gWindH, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(31, 471)), 1);
}

}  // namespace
