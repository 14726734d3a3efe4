// The window procedure: cracks each message and hands it to the core.

#include <windows.h>

#include "app/window.h"
#include "scene/commands.h"
#include "scene/document.h"
#include "scene/mouse_editing.h"

namespace {

// Validates the update region without drawing: every pass of the main loop
// redraws the whole client area anyway.
void ValidateWithoutDrawing(HWND wind) {
  PAINTSTRUCT ps;
  BeginPaint(wind, &ps);
  EndPaint(wind, &ps);
}

}  // namespace

LRESULT CALLBACK WinProc(HWND wind, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      // Unsigned 16-bit halves: a width of 65535 stays 65535, never -1.
      AskForResize(LOWORD(lp), HIWORD(lp));
      return 1;
    case WM_PAINT:
      ValidateWithoutDrawing(wind);
      return 1;
    case WM_CLOSE:
      // Asks to save a changed table first. The window stays until the main
      // loop has shown its last frame and tears it down.
      QuitRequest();
      return 1;
    case WM_KEYDOWN:
      if (GetKeyState(VK_CONTROL) < 0) {
        ControlKeyDown(static_cast<uint32_t>(wp), GetKeyState(VK_SHIFT) < 0);
      } else {
        KeyDown(static_cast<uint32_t>(wp));
      }
      ValidateWithoutDrawing(wind);
      return 1;
    case WM_COMMAND:
      MenuCommand(LOWORD(wp));
      return 1;
    case WM_LBUTTONDOWN:
      LeftClick(LOWORD(lp), HIWORD(lp));
      return 1;
    case WM_RBUTTONDOWN:
      RightClick(LOWORD(lp), HIWORD(lp));
      return 1;
    default:
      return DefWindowProcA(wind, msg, wp, lp);
  }
}
