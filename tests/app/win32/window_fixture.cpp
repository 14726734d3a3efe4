#include "tests/app/win32/window_fixture.h"

#include "tests/support/scene_state.h"

namespace win32_testing {

namespace {

AfterCreation created;

class MainWindow : public ::testing::Environment {
 public:
  void SetUp() override {
    gReSize = false;
    gWindowX = gWindowY = -1;
    ConstructWindow();
    created.resize_asked = gReSize;
    created.width = gWindowX;
    created.height = gWindowY;
    GetClientRect(gWindH, &created.client);
  }
  void TearDown() override {
    DestroyWindow(gWindH);
    UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
    gWindH = nullptr;
  }
};

const auto* const kMainWindow = ::testing::AddGlobalTestEnvironment(new MainWindow);

}  // namespace

const AfterCreation& Created() { return created; }

void FreshScene() {
  testing_support::RestoreStartState();
  init();
}

void WindowTest::SetUp() {
  ASSERT_NE(gWindH, nullptr) << "no window: is DISPLAY set?";
  // Undo what earlier tests did to the window.
  ShowWindow(gWindH, SW_RESTORE);
  SetWindowPos(gWindH, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowTextA(gWindH, "Pinball Simulation");
  DispatchPending();
  DropMessages();
  gReSize = false;
  FreshScene();
}

}  // namespace win32_testing
