// The program's side of the page: thin JavaScript calls into the page object
// (page.js), which the page hands the program as Module.page, and which
// owns everything the browser shows.

#include "app/web/page_bridge.h"

#include <emscripten/emscripten.h>

// The bodies below are JavaScript, which clang-format would break (!== into != =).
// clang-format off

EM_JS(void, PageTakeEvent, (PageEvent* event), {
  const e = Module.page.takeEvent();
  HEAP32[event >> 2] = e ? e[0] : 0;
  HEAP32[(event >> 2) + 1] = e ? e[1] : 0;
  HEAP32[(event >> 2) + 2] = e ? e[2] : 0;
});

EM_JS(void, PagePostQuit, (), { Module.page.postQuit(); });

EM_JS(void, PagePresent, (const uint8_t* rgba, int32_t width, int32_t height), {
  Module.page.present(HEAPU8, rgba, width, height);
});

EM_JS(void, PageCheckMenuItem, (int32_t commandId, int32_t checked), {
  Module.page.checkMenuItem(commandId, checked !== 0);
});

EM_JS(void, PageMarkItems, (const int32_t* ids, int32_t count, int32_t oneOf), {
  Module.page.markItems(Array.from(HEAP32.subarray(ids >> 2, (ids >> 2) + count)), oneOf !== 0);
});

// Asynchronous: the program's stack is put aside until the box is closed, so
// no pass runs meanwhile, as in a modal loop.
// (Defined here under names of their own: an asynchronous import is known by
// a name that only this file's declaration carries.)
EM_ASYNC_JS(void, AwaitMessageBox, (const char* caption, const char* text), {
  await Module.page.messageBox(UTF8ToString(caption), UTF8ToString(text));
});

EM_ASYNC_JS(int32_t, AwaitChooseColor, (int32_t currentRgb), {
  return await Module.page.chooseColor(currentRgb);
});

void PageMessageBox(const char* caption, const char* text) { AwaitMessageBox(caption, text); }

int32_t PageChooseColor(int32_t currentRgb) { return AwaitChooseColor(currentRgb); }

EM_JS(void, PagePassDone, (), { Module.page.passDone(); });

EM_JS(void, PageEnded, (), { Module.page.ended(); });

EM_JS(int32_t, PageFileSize, (const char* name), {
  const file = Module.page.files.get(UTF8ToString(name));
  return file ? Math.min(file.size, 0x7FFFFFFF) : -1;
});

EM_JS(void, PageFileRead, (const char* name, uint8_t* into), {
  HEAPU8.set(Module.page.files.get(UTF8ToString(name)).bytes, into);
});

EM_ASYNC_JS(char*, AwaitChooseFile, (), {
  const name = await Module.page.chooseFile();
  return name === null ? 0 : allocateUTF8(name);
});

EM_ASYNC_JS(char*, AwaitFileName, (const char* suggested), {
  const name = await Module.page.askFileName(UTF8ToString(suggested));
  return name === null ? 0 : allocateUTF8(name);
});

EM_ASYNC_JS(int32_t, AwaitSaveChanges, (), { return await Module.page.askSaveChanges(); });

EM_ASYNC_JS(void, AwaitShareLink, (const uint8_t* bytes, int32_t size, const char* name), {
  await Module.page.shareLink(HEAPU8.slice(bytes, bytes + size), UTF8ToString(name));
});

char* PageChooseFile() { return AwaitChooseFile(); }
char* PageAskFileName(const char* suggested) { return AwaitFileName(suggested); }
int32_t PageAskSaveChanges() { return AwaitSaveChanges(); }
void PageShareLink(const uint8_t* bytes, int32_t size, const char* name) {
  AwaitShareLink(bytes, size, name);
}

EM_JS(char*, PageDroppedName, (), {
  const name = Module.page.droppedName;
  return name === null ? 0 : allocateUTF8(name);
});

EM_JS(char*, PageStartName, (int32_t* changed), {
  const start = Module.page.takeStartTable();
  if (!start) return 0;
  HEAP32[changed >> 2] = start.changed ? 1 : 0;
  return allocateUTF8(start.name);
});

// Asynchronous: the link is unpacked while the program waits.
EM_ASYNC_JS(char*, AwaitLink, (char** error), {
  const link = await Module.page.takeLink();
  if (!link) return 0;
  if (link.error !== undefined) {
    HEAP32[error >> 2] = allocateUTF8(link.error);
    return 0;
  }
  return allocateUTF8(link.name);
});

char* PageTakeLink(char** error) { return AwaitLink(error); }

EM_JS(void, PageDownload, (const char* name, const uint8_t* bytes, int32_t size), {
  Module.page.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
});

EM_JS(void, PageSetCaption, (const char* caption), { Module.page.setCaption(UTF8ToString(caption)); });

EM_JS(void, PageEnableMenuItem, (int32_t commandId, int32_t enabled), {
  Module.page.enableMenuItem(commandId, enabled !== 0);
});

EM_JS(void, PageStore, (const uint8_t* bytes, int32_t size, const char* name, int32_t changed,
                        int32_t shared), {
  Module.page.store(HEAPU8.slice(bytes, bytes + size), UTF8ToString(name), changed !== 0, shared !== 0);
});

EM_JS(void, PageSetStatus, (const char* line, const char* next), {
  Module.page.setStatus(UTF8ToString(line), UTF8ToString(next));
});

EM_JS(void, PageSetPending, (const int32_t* xy, int32_t count), {
  Module.page.setPending(Array.from(HEAP32.subarray(xy >> 2, (xy >> 2) + 2 * count)));
});

// clang-format on
