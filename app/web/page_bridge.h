#pragma once

// The calls from the program into its page (page.js), defined in page_bridge.cpp.
// The page's modules get this file's event kinds, and the keys the window
// answers (scene/commands.h), from make_page_modules.py, which writes them
// into page_bridge.js.
// The page is the window: it holds the canvas, the menu bar, the boxes and the
// queue of input events, and it schedules the passes of the main loop.

#include <cstdint>

// What a queued input event is, as the page numbers them.
enum PageEventKind : int32_t {
  kPageNoEvent = 0,
  kPageCommand = 1,      // a menu item: a = command id
  kPageLeftDown = 2,     // a = x, b = y in canvas pixels
  kPageRightDown = 3,    // a = x, b = y
  kPageKeyDown = 4,      // a = virtual-key code
  kPageClose = 5,        // the page's close button
  kPageQuit = 6,         // the quit request posted by PagePostQuit
  kPageControlKey = 7,   // a key held with Ctrl: a = virtual-key code, b = 1 with Shift
  kPageOpenDropped = 8,  // a file dropped on the canvas, which the page holds (PageDroppedName)
  kPageOpenLink = 9,     // a link put into the address of the open page (PageTakeLink)
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
// The menu items `ids` show a mark: one of them at a time (oneOf = 1), or
// each its own.
void PageMarkItems(const int32_t* ids, int32_t count, int32_t oneOf);
// Modal: returns once the box is closed.
void PageMessageBox(const char* caption, const char* text);
// Modal: the chosen colour as 0xRRGGBB, or -1 when cancelled.
int32_t PageChooseColor(int32_t currentRgb);
// The pass has finished: the page schedules the next one.
void PagePassDone();
// The program has ended: its buffer is released.
void PageEnded();

// Files the page holds by name: chosen, dropped, stored or from a shared link.
// The size is -1 for a name the page holds no file of.
int32_t PageFileSize(const char* name);
void PageFileRead(const char* name, uint8_t* into);
// Names come back in memory of malloc's, which the caller frees; null for none.
// Modal: the file chooser; the name of the file chosen.
char* PageChooseFile();
// Modal: a box asking for a file name, offering `suggested`.
char* PageAskFileName(const char* suggested);
// The file dropped on the canvas last.
char* PageDroppedName();
// The table to start with (the one this tab kept, or else the one kept
// last), and whether it was changed since it was saved.
char* PageStartName(int32_t* changed);
// Modal: the link in the address, unpacked: the name its table is held by
// ("" when the link names none), or null when there is no link. A link that
// cannot be unpacked gives null and its reason in *error.
char* PageTakeLink(char** error);
// A download of `size` bytes named `name`.
void PageDownload(const char* name, const uint8_t* bytes, int32_t size);
// Modal: "Save changes?": 0 Yes, 1 No, 2 Cancel.
int32_t PageAskSaveChanges();
void PageSetCaption(const char* caption);
void PageEnableMenuItem(int32_t commandId, int32_t enabled);
// The status line's words (`line`), `next` among them: what the next click does.
void PageSetStatus(const char* line, const char* next);
// The clicks of the gesture in progress: `count` pairs x, y of canvas pixels.
void PageSetPending(const int32_t* xy, int32_t count);
// Keeps the table in the browser's storage as this tab's, for its reloads;
// `shared`: also as the table a new tab starts from.
void PageStore(const uint8_t* bytes, int32_t size, const char* name, int32_t changed,
               int32_t shared);
// Modal: the table as a link, shown and copied (or the reason it cannot be one).
void PageShareLink(const uint8_t* bytes, int32_t size, const char* name);
}
