#include "app/main_pass.h"

#include "app/platform.h"
#include "app/render_window.h"
#include "scene/commands.h"
#include "scene/document.h"
#include "scene/scene.h"

bool gReSize = false;
int32_t gWindowX = 0;
int32_t gWindowY = 0;

namespace {

const char kSlowTableText[] =
    "This table is too slow to run here, so its balls have been stopped (File > Edit).\n\n"
    "File > Reset or New gives a fresh one.";

// The slow frames in a row of the table that runs, and whether its box was shown.
struct SlowWatch {
  uint64_t table = 0;
  int slowInRow = 0;
  bool stopped = false;

  // Takes the time of one frame: true when it stops the table.
  bool Stops(double seconds) {
    if (table != TablesBegun()) *this = SlowWatch{TablesBegun()};
    // Frames in edit mode are not the balls' cost; nor is anything after the stop.
    if (Pause || stopped) {
      slowInRow = 0;
      return false;
    }
    slowInRow = seconds > kSlowFrameSeconds ? slowInRow + 1 : 0;
    stopped = slowInRow >= kSlowFrames;
    return stopped;
  }
};

SlowWatch gSlowWatch;

}  // namespace

void AskForResize(int32_t width, int32_t height) {
  gWindowX = width;
  gWindowY = height;
  gReSize = true;
}

void MainLoopPass(Rendering& rc, bool& quit) {
  if (PlatformTakeMessage()) quit = true;
  if (gReSize) {
    gReSize = false;
    rc.ReSize(gWindowX, gWindowY);
  }
  const double start = PlatformNowSeconds();
  RenderWindow(rc);
  if (gSlowWatch.Stops(PlatformNowSeconds() - start) && !quit) {
    // As File > Edit: the balls stand still and the frame is reused, so the
    // menus, keys and the box answer again.
    Pause = true;
    PlatformCheckMenuItem(IDM_EDIT, true);
    PlatformMessageBox(true, "Pinball Simulation", kSlowTableText);
  }
  PlatformEndPass(quit);
}
