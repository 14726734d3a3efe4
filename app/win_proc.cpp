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

// The window was moved to a display of another scale: it keeps its size in
// scene pixels, at the place Windows suggests. The size notification that
// follows resizes the frame buffer.
void MoveToScale(HWND wind, DisplayScale scale, const RECT& suggested) {
  const DisplayScale before = gScale;
  gScale = scale;
  RECT now = {};
  GetWindowRect(wind, &now);
  SetWindowPos(wind, nullptr, suggested.left, suggested.top,
               (now.right - now.left) / before.factor * scale.factor,
               (now.bottom - now.top) / before.factor * scale.factor,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

LRESULT CALLBACK WinProc(HWND wind, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      // Unsigned 16-bit halves: a width of 65535 stays 65535, never -1.
      AskForResize(gScale.SceneSize(LOWORD(lp)), gScale.SceneSize(HIWORD(lp)));
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
      LeftClick(gScale.ToScene(LOWORD(lp)), gScale.ToScene(HIWORD(lp)));
      return 1;
    case WM_RBUTTONDOWN:
      RightClick(gScale.ToScene(LOWORD(lp)), gScale.ToScene(HIWORD(lp)));
      return 1;
    case WM_DPICHANGED:
      MoveToScale(wind, DisplayScale::ForDpi(LOWORD(wp)), *reinterpret_cast<const RECT*>(lp));
      return 0;
    default:
      return DefWindowProcA(wind, msg, wp, lp);
  }
}
