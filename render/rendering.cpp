#include "render/rendering.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// Generations are unique across every store of the process, so that a store
// made where another one was is never taken for it.
uint64_t NextGeneration() {
  static uint64_t last = 0;
  return ++last;
}

}  // namespace

Rendering::Rendering(int32_t width, int32_t height, PlatformHandle hdc)
    : width(width), height(height), windowcontext(hdc) {}

void Rendering::CreateBuffer() {
  PlatformHandle display = PlatformCreateDisplayContext();
  memorycontext = PlatformCreateCompatibleContext(display);
  bitmap = PlatformCreateDibSection(memorycontext, width, height, &pixels);
  savedbitmap = PlatformSelectObject(memorycontext, bitmap);
  PlatformDeleteContext(display);
  generation = NextGeneration();
  if (pixels == nullptr) {
    // No store (a minimised window, or a size the platform refused): behave
    // as an empty buffer until the next resize.
    width = 0;
    height = 0;
  }
}

void Rendering::Release() {
  if (memorycontext == nullptr) return;  // nothing was created yet
  bitmap = PlatformSelectObject(memorycontext, savedbitmap);
  PlatformDeleteObject(bitmap);
  PlatformDeleteContext(memorycontext);
  memorycontext = nullptr;
  savedbitmap = nullptr;
  pixels = nullptr;
  generation = NextGeneration();
}

void Rendering::DestroyBuffer() { Release(); }

void Rendering::ReSize(int32_t newwidth, int32_t newheight) {
  Release();
  width = newwidth;
  height = newheight;
  CreateBuffer();
}

void Rendering::SetRow(int32_t y, const uint32_t* words) {
  if (pixels == nullptr || y >= height || y < 0) return;
  std::memcpy(Row(y), words, static_cast<size_t>(width) * sizeof(uint32_t));
}

void Rendering::SetSpan(int32_t y, int32_t from, int32_t to, const Color_RGB& color) {
  if (pixels == nullptr || y >= height || y < 0) return;
  const int32_t first = std::max(from, int32_t{0});
  const int32_t last = std::min(to, width - 1);
  if (first > last) return;
  uint32_t* row = Row(y);
  std::fill(row + first, row + last + 1, Word(color));
}

void Rendering::Update() {
  Show();
  Clear();
}

void Rendering::Show() { PlatformPresent(windowcontext, width, height, memorycontext); }

void Rendering::Clear() {
  if (pixels != nullptr) {
    std::memset(pixels, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  }
  generation = NextGeneration();
}
