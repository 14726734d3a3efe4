// The entry point and the main loop in a web page. The browser owns the
// clock, so the loop is turned inside out: the page calls PinballPass once
// per animation frame, and each pass asks for the next one when it is done.

#include <emscripten/emscripten.h>

#include <cstdint>

#include "app/render_window.h"
#include "app/web/page_bridge.h"
#include "render/rendering.h"
#include "scene/commands.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"

namespace {

// The page's canvas is the client area of the 800 x 600 window.
constexpr int32_t kClientWidth = 792;
constexpr int32_t kClientHeight = 554;

// The page sends no size notification of its own, so the first pass's
// resize is asked for here: it creates the store before the first frame.
bool gReSize = true;
int32_t gWindowX = kClientWidth;
int32_t gWindowY = kClientHeight;

Rendering gFrame(kClientWidth, kClientHeight, nullptr);
bool gQuit = false;

// What the window procedure does with each input message.
void Dispatch(const PageEvent& e) {
  switch (e.kind) {
    case kPageCommand:
      MenuCommand(e.a);
      break;
    case kPageLeftDown:
      LeftClick(static_cast<uint16_t>(e.a), static_cast<uint16_t>(e.b));
      break;
    case kPageRightDown:
      RightClick(static_cast<uint16_t>(e.a), static_cast<uint16_t>(e.b));
      break;
    case kPageKeyDown:
      KeyDown(static_cast<uint32_t>(e.a));
      break;
    case kPageClose:
      // As a close request: the program stays until the loop has shown its last frame.
      PagePostQuit();
      break;
    default:
      break;
  }
}

}  // namespace

// One pass: at most one event, the resize if asked for, one frame. The pass
// that takes the quit request still shows its frame; then the buffer goes.
extern "C" EMSCRIPTEN_KEEPALIVE void PinballPass() {
  if (gQuit) return;
  PageEvent event{kPageNoEvent, 0, 0};
  PageTakeEvent(&event);
  if (event.kind == kPageQuit) {
    gQuit = true;
  } else {
    Dispatch(event);
  }
  if (gReSize) {
    gReSize = false;
    gFrame.ReSize(gWindowX, gWindowY);
  }
  RenderWindow(gFrame);
  if (gQuit) {
    gFrame.DestroyBuffer();
    PageEnded();
  } else {
    PagePassDone();
  }
}

int main() {
  init();
  // The loop's first pass: the page takes over the scheduling from here on.
  PagePassDone();
  return 0;
}
