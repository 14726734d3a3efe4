// The entry point, the main window and the main loop.

#include <windows.h>

#include <cstdio>
#include <cstdlib>  // __argc, __argv

#include "app/main_pass.h"
#include "app/pass_pace.h"
#include "app/platform.h"
#include "app/window.h"
#include "resources/resource.h"
#include "scene/document.h"
#include "scene/scene.h"

HWND gWindH = nullptr;

const char kWindowClass[] = "bumperfield";

void ConstructWindow() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  wc.lpfnWndProc = WinProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = nullptr;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MENU);
  wc.lpszClassName = kWindowClass;
  wc.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  RegisterClassExA(&wc);

  gWindH = CreateWindowExA(0, kWindowClass, "Pinball Simulation", WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

Rendering ConstructFrameBuffer() {
  RECT client = {};
  GetClientRect(gWindH, &client);
  if (!gReSize) {
    // A windowing layer that sent no size notification during creation:
    // ask for the first pass's resize here, so the store exists before the first frame.
    AskForResize(client.right, client.bottom);
  }
  return Rendering(client.right, client.bottom, GetDC(gWindH));
}

bool PlatformTakeMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return false;
}

namespace {

// Reports the passes of the main loop once a second on the debug channel
// (a debugger on Windows, WINEDEBUG=+debugstr under Wine). The ball speed on
// screen is this rate (PassPace keeps it to 64 at most) times the pixels per tick.
class PassRate {
 public:
  void Count() {
    ++passes_;
    const ULONGLONG now = GetTickCount64();
    if (now - since_ < 1000) return;
    char line[64];
    std::snprintf(line, sizeof line, "pinball: %u passes in %llu ms\n", passes_, now - since_);
    OutputDebugStringA(line);
    passes_ = 0;
    since_ = now;
  }

 private:
  unsigned passes_ = 0;
  ULONGLONG since_ = GetTickCount64();
};

}  // namespace

// The pace: the 1 ms sleep, the pass counted, then the wait until the next
// pass is due. The pace's clock starts at the end of the first pass, which
// it counts as gone at once, so the second follows a period later.
void PlatformEndPass(bool last) {
  Sleep(1);
  static PassRate rate;
  rate.Count();
  static PassPace pace;
  static bool first = true;
  if (first) pace.WaitForNextPass();
  first = false;
  if (!last) pace.WaitForNextPass();
}

int WINAPI WinMain(HINSTANCE /*thisInst*/, HINSTANCE /*prevInst*/, LPSTR /*cmdLine*/,
                   int /*cmdShow*/) {
  ConstructWindow();
  if (gWindH == nullptr) {
    // No window (class registration or creation failed): a loop without a
    // window could never receive a quit request, so end here.
    UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
    return 0;
  }
  Rendering rc = ConstructFrameBuffer();
  init();
  // pinball.exe TABLE opens that table; one that cannot be opened shows its
  // error, and the default scene stays.
  if (__argc > 1) StartWithFile(__argv[1]);

  bool quit = false;
  while (!quit) MainLoopPass(rc, quit);

  rc.DestroyBuffer();
  DestroyWindow(gWindH);
  UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
  return 0;
}
