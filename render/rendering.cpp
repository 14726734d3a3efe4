#include "render/rendering.h"

#include <cstddef>
#include <cstring>

Rendering::Rendering(int32_t width, int32_t height, PlatformHandle hdc)
    : width(width), height(height), windowcontext(hdc) {}

void Rendering::CreateBuffer() {
  PlatformHandle display = PlatformCreateDisplayContext();
  memorycontext = PlatformCreateCompatibleContext(display);
  bitmap = PlatformCreateDibSection(memorycontext, width, height, &pixels);
  savedbitmap = PlatformSelectObject(memorycontext, bitmap);
  PlatformDeleteContext(display);
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
}

void Rendering::DestroyBuffer() { Release(); }

void Rendering::ReSize(int32_t newwidth, int32_t newheight) {
  Release();
  width = newwidth;
  height = newheight;
  CreateBuffer();
}

void Rendering::SetPixel(int32_t x, int32_t y, const Color_RGB& color) {
  // Before the first store, and after the last, there is nothing to write to.
  if (pixels == nullptr) return;
  if (x >= width || x < 0) return;
  if (y >= height || y < 0) return;
  const size_t index = static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) + x;
  pixels[index] = color.red * 65536u + color.green * 256u + color.blue;
}

void Rendering::Update() {
  PlatformPresent(windowcontext, width, height, memorycontext);
  if (pixels != nullptr) {
    std::memset(pixels, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  }
}
