// The entry point, the main window and the main loop.

// <shellapi.h> needs <windows.h> first.
// clang-format off
#include <windows.h>
#include <shellapi.h>  // CommandLineToArgvW
// clang-format on

#include <cstdio>
#include <string>

#include "app/main_pass.h"
#include "app/pass_pace.h"
#include "app/platform.h"
#include "app/win_text.h"
#include "app/window.h"
#include "resources/resource.h"
#include "scene/document.h"
#include "scene/scene.h"

HWND gWindH = nullptr;
HACCEL gAccelerators = nullptr;
DisplayScale gScale;

const char kWindowClass[] = "bumperfield";

namespace {

// The scale of the display the window opens on (the primary one): the system's
// DPI, from Windows 10's call where there is one.
uint32_t SystemDpi() {
  using GetDpiForSystemCall = UINT(WINAPI*)();
  const auto call = reinterpret_cast<GetDpiForSystemCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForSystem")));
  if (call != nullptr) return call();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<uint32_t>(dpi) : 96;
}

}  // namespace

void ConstructWindow() {
  gScale = DisplayScale::ForDpi(SystemDpi());
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  wc.lpfnWndProc = WinProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = GetModuleHandleA(nullptr);
  // The program's icon, large and small, each drawn at its own size.
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDI_PINBALL));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MENU);
  wc.lpszClassName = kWindowClass;
  wc.hIconSm = static_cast<HICON>(LoadImageA(wc.hInstance, MAKEINTRESOURCEA(IDI_PINBALL),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  RegisterClassExA(&wc);
  gAccelerators = LoadAcceleratorsA(wc.hInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));

  gWindH = CreateWindowExA(0, kWindowClass, "Pinball Simulation", WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, gScale.ToDevice(800), gScale.ToDevice(600),
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

Rendering ConstructFrameBuffer() {
  RECT client = {};
  GetClientRect(gWindH, &client);
  if (!gReSize) {
    // A windowing layer that sent no size notification during creation:
    // ask for the first pass's resize here, so the store exists before the first frame.
    AskForResize(gScale.SceneSize(client.right), gScale.SceneSize(client.bottom));
  }
  return Rendering(gScale.SceneSize(client.right), gScale.SceneSize(client.bottom), GetDC(gWindH));
}

bool PlatformTakeMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) return true;
  if (!TranslateAcceleratorA(gWindH, gAccelerators, &msg)) {
    // A shortcut of the table became its menu command; any other message goes on as it is.
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
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

// The first argument after the program's name, UTF-8 ("" when there is none):
// the wide command line, so that a name in any language arrives whole.
std::string FirstArgument() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr) return std::string();
  std::string first = count > 1 ? Utf8FromWide(args[1]) : std::string();
  LocalFree(args);
  return first;
}

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
  const std::string table = FirstArgument();
  if (!table.empty()) StartWithFile(table);

  bool quit = false;
  while (!quit) MainLoopPass(rc, quit);

  rc.DestroyBuffer();
  DestroyWindow(gWindH);
  UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
  return 0;
}
