#include "app/main_pass.h"

#include "app/platform.h"
#include "app/render_window.h"

bool gReSize = false;
int32_t gWindowX = 0;
int32_t gWindowY = 0;

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
  RenderWindow(rc);
  PlatformEndPass(quit);
}
