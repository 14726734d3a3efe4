// The program's side of the page: thin JavaScript calls into page.js, which
// owns everything the browser shows.

#include "app/web/page_bridge.h"

#include <emscripten/emscripten.h>

EM_JS(void, PageTakeEvent, (PageEvent* event), {
  const e = pinballPage.takeEvent();
  HEAP32[event >> 2] = e ? e[0] : 0;
  HEAP32[(event >> 2) + 1] = e ? e[1] : 0;
  HEAP32[(event >> 2) + 2] = e ? e[2] : 0;
});

EM_JS(void, PagePostQuit, (), { pinballPage.postQuit(); });

EM_JS(void, PagePresent, (const uint8_t* rgba, int32_t width, int32_t height), {
  pinballPage.present(HEAPU8, rgba, width, height);
});

EM_JS(void, PageCheckMenuItem, (int32_t commandId, int32_t checked), {
  pinballPage.checkMenuItem(commandId, checked !== 0);
});

// Asynchronous: the program's stack is put aside until the box is closed, so
// no pass runs meanwhile, as in a modal loop.
// (Defined here under names of their own: an asynchronous import is known by
// a name that only this file's declaration carries.)
EM_ASYNC_JS(void, AwaitMessageBox, (const char* caption, const char* text), {
  await pinballPage.messageBox(UTF8ToString(caption), UTF8ToString(text));
});

EM_ASYNC_JS(int32_t, AwaitChooseColor, (int32_t currentRgb), {
  return await pinballPage.chooseColor(currentRgb);
});

void PageMessageBox(const char* caption, const char* text) { AwaitMessageBox(caption, text); }

int32_t PageChooseColor(int32_t currentRgb) { return AwaitChooseColor(currentRgb); }

EM_JS(void, PagePassDone, (), { pinballPage.passDone(); });

EM_JS(void, PageEnded, (), { pinballPage.ended(); });
