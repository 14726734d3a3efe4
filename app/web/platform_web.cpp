// The platform functions of the core, in a web page: the store is ordinary
// memory, presenting converts it into the canvas' byte order, and the menu,
// boxes and quitting are the page's.

#include <cstdint>
#include <cstdlib>
#include <string>

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

void PlatformErrorBox(const char* caption, const char* text) { PageMessageBox(caption, text); }

void PlatformQuit() { PagePostQuit(); }

namespace {

// A name the page gave, as a string; the page's copy is freed.
bool TakeName(char* name, std::string& into) {
  if (name == nullptr) return false;
  into = name;
  std::free(name);
  return true;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

// The page reads a file chosen, dropped or stored into memory of its own;
// reading it here copies it into the program's.
bool PlatformAskOpenPath(std::string& path) { return TakeName(PageChooseFile(), path); }

bool PlatformAskSavePath(const std::string& suggested, std::string& path) {
  return TakeName(PageAskFileName(BaseName(suggested).c_str()), path);
}

bool PlatformReadFile(const std::string& path, size_t limit, std::string& bytes,
                      std::string& error) {
  const int32_t size = PageFileSize(path.c_str());
  if (size < 0) {
    error = "the page holds no such file";
    return false;
  }
  if (static_cast<size_t>(size) > limit) {
    error = FileTooLargeText(limit);
    return false;
  }
  bytes.assign(static_cast<size_t>(size), '\0');
  PageFileRead(path.c_str(), reinterpret_cast<uint8_t*>(bytes.data()));
  return true;
}

// A save is a download: the browser writes the file where it keeps downloads.
bool PlatformWriteFile(const std::string& path, const std::string& bytes, std::string&) {
  PageDownload(BaseName(path).c_str(), reinterpret_cast<const uint8_t*>(bytes.data()),
               static_cast<int32_t>(bytes.size()));
  return true;
}

SaveChangesAnswer PlatformAskSaveChanges() {
  switch (PageAskSaveChanges()) {
    case 0:
      return SaveChangesAnswer::yes;
    case 1:
      return SaveChangesAnswer::no;
    default:
      return SaveChangesAnswer::cancel;
  }
}

void PlatformSetCaption(const char* caption) { PageSetCaption(caption); }

void PlatformEnableMenuItem(int32_t commandId, bool enabled) {
  PageEnableMenuItem(commandId, enabled ? 1 : 0);
}
