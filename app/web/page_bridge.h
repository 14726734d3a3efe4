#pragma once

// The calls from the program into its page (page.js), defined in page_bridge.cpp.
// The page is the window: it holds the canvas, the menu bar, the boxes and the
// queue of input events, and it schedules the passes of the main loop.

#include <cstdint>

// What a queued input event is, as the page numbers them.
enum PageEventKind : int32_t {
  kPageNoEvent = 0,
  kPageCommand = 1,     // a menu item: a = command id
  kPageLeftDown = 2,    // a = x, b = y in canvas pixels
  kPageRightDown = 3,   // a = x, b = y
  kPageKeyDown = 4,     // a = virtual-key code
  kPageClose = 5,       // the page's close button
  kPageQuit = 6,        // the quit request posted by PagePostQuit
};

struct PageEvent {
  int32_t kind;
  int32_t a;
  int32_t b;
};

extern "C" {
// Takes the oldest queued event into *event (kind kPageNoEvent when none).
void PageTakeEvent(PageEvent* event);
// Appends the quit request to the queue, behind the events already there.
void PagePostQuit();
// Shows width x height top-down RGBA bytes at `rgba` on the canvas.
void PagePresent(const uint8_t* rgba, int32_t width, int32_t height);
void PageCheckMenuItem(int32_t commandId, int32_t checked);
// Modal: returns once the box is closed.
void PageMessageBox(const char* caption, const char* text);
// Modal: the chosen colour as 0xRRGGBB, or -1 when cancelled.
int32_t PageChooseColor(int32_t currentRgb);
// The pass has finished: the page schedules the next one.
void PagePassDone();
// The program has ended: its buffer is released.
void PageEnded();
}
