#pragma once

// One real main window for the whole test program, made by ConstructWindow
// and torn down as the program tears it down. Each test finds it at its
// start size, with an empty queue and the scene of a fresh start. (One
// window, because destroying a window under Wine without a window manager
// waits two seconds.)

#include <gtest/gtest.h>
#include <windows.h>

#include "app/window.h"
#include "scene/scene.h"

namespace win32_testing {

// What the window globals held right after ConstructWindow.
struct AfterCreation {
  bool resize_asked = false;
  int32_t width = -1;
  int32_t height = -1;
  RECT client = {};
};
const AfterCreation& Created();

// Removes every pending message, WM_QUIT included, without dispatching it.
inline void DropMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// Dispatches every pending message but WM_QUIT, as the main loop would.
inline void DispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The default scene with every setting at its start value.
void FreshScene();

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // True when a WM_QUIT with exit code 0 is waiting; takes it.
  static bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 0;
  }

  static RECT Client() {
    RECT r = {};
    GetClientRect(gWindH, &r);
    return r;
  }
};

}  // namespace win32_testing
