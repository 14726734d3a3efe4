// The platform functions of the core, in a web page: the store is ordinary
// memory, presenting converts it into the canvas' byte order, and the menu,
// boxes and quitting are the page's.

#include <cstdint>
#include <cstdlib>

#include "app/platform.h"
#include "app/web/page_bridge.h"

namespace {

// A store larger than this is refused; the core then treats it as 0 x 0.
constexpr uint64_t kMaxStoreBytes = uint64_t{256} << 20;

// The store and, beside it, its picture in the canvas' order (top-down rows,
// bytes R, G, B, A), both made once per store so that a frame allocates nothing.
struct Dib {
  uint32_t* words;
  uint32_t* rgba;
  int32_t width;
  int32_t height;
};

// A memory context remembers the store selected into it, for the present.
// The display context is a context that never holds one.
struct Context {
  Dib* selected = nullptr;
};

// Bottom-up 0x00RRGGBB words to top-down RGBA words (little-endian memory
// order R, G, B, A, read as 0xAABBGGRR), fully opaque.
void ToCanvasOrder(const Dib& dib) {
  const size_t width = static_cast<size_t>(dib.width);
  for (int32_t y = 0; y < dib.height; ++y) {
    const uint32_t* from = dib.words + static_cast<size_t>(dib.height - 1 - y) * width;
    uint32_t* to = dib.rgba + static_cast<size_t>(y) * width;
    for (size_t x = 0; x < width; ++x) {
      const uint32_t w = from[x];
      to[x] = 0xFF000000u | ((w & 0xFFu) << 16) | (w & 0xFF00u) | ((w >> 16) & 0xFFu);
    }
  }
}

}  // namespace

PlatformHandle PlatformCreateDisplayContext() { return new Context(); }

PlatformHandle PlatformCreateCompatibleContext(PlatformHandle) { return new Context(); }

PlatformHandle PlatformCreateDibSection(PlatformHandle, int32_t width, int32_t height,
                                        uint32_t** pixels) {
  *pixels = nullptr;
  if (width <= 0 || height <= 0) return nullptr;
  const uint64_t bytes = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4;
  if (bytes > kMaxStoreBytes) return nullptr;
  auto* words = static_cast<uint32_t*>(std::calloc(bytes, 1));
  auto* rgba = static_cast<uint32_t*>(std::calloc(bytes, 1));
  if (words == nullptr || rgba == nullptr) {
    std::free(words);
    std::free(rgba);
    return nullptr;
  }
  *pixels = words;
  return new Dib{words, rgba, width, height};
}

PlatformHandle PlatformSelectObject(PlatformHandle context, PlatformHandle object) {
  auto* c = static_cast<Context*>(context);
  if (c == nullptr) return nullptr;
  Dib* previous = c->selected;
  c->selected = static_cast<Dib*>(object);
  return previous;
}

void PlatformDeleteObject(PlatformHandle object) {
  auto* dib = static_cast<Dib*>(object);
  if (dib == nullptr) return;
  std::free(dib->words);
  std::free(dib->rgba);
  delete dib;
}

void PlatformDeleteContext(PlatformHandle context) { delete static_cast<Context*>(context); }

void PlatformPresent(PlatformHandle, int32_t width, int32_t height, PlatformHandle memoryContext) {
  auto* c = static_cast<Context*>(memoryContext);
  if (c == nullptr || c->selected == nullptr) return;
  const Dib& dib = *c->selected;
  // The copy covers the store as it is; a size that does not match it shows nothing.
  if (width != dib.width || height != dib.height) return;
  ToCanvasOrder(dib);
  PagePresent(reinterpret_cast<const uint8_t*>(dib.rgba), dib.width, dib.height);
}

void PlatformCheckMenuItem(int32_t commandId, bool checked) {
  PageCheckMenuItem(commandId, checked ? 1 : 0);
}

bool PlatformChooseColor(Color_RGB current, Color_RGB& chosen) {
  const int32_t rgb = (current.red << 16) | (current.green << 8) | current.blue;
  const int32_t answer = PageChooseColor(rgb);
  if (answer < 0) return false;
  chosen = Color_RGB{static_cast<uint8_t>(answer >> 16), static_cast<uint8_t>(answer >> 8),
                     static_cast<uint8_t>(answer)};
  return true;
}

// Every box is modal to the whole page, owned or not: the page has no second
// window that could go on taking input meanwhile.
void PlatformMessageBox(bool, const char* caption, const char* text) {
  PageMessageBox(caption, text);
}

void PlatformQuit() { PagePostQuit(); }

// Files are not yet the page's: every dialog is cancelled and nothing is read or written.
bool PlatformAskOpenPath(std::string&) { return false; }
bool PlatformAskSavePath(const std::string&, std::string&) { return false; }
bool PlatformReadFile(const std::string&, size_t, std::string&, std::string& error) {
  error = "the page reads no files";
  return false;
}
bool PlatformWriteFile(const std::string&, const std::string&, std::string& error) {
  error = "the page writes no files";
  return false;
}
SaveChangesAnswer PlatformAskSaveChanges() { return SaveChangesAnswer::no; }
void PlatformSetCaption(const char*) {}
void PlatformEnableMenuItem(int32_t, bool) {}
