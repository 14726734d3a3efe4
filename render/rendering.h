#pragma once

#include <cstdint>

#include "app/platform.h"
#include "render/color_rgb.h"

// The frame buffer: a 32-bit bottom-up pixel store (0x00RRGGBB words) that
// every drawing writes into through SetPixel, shown by Update.
//
// Copies share the store and the window context; only DestroyBuffer and
// ReSize release anything, and the destructor releases nothing.
class Rendering {
 public:
  Rendering(int32_t width, int32_t height, PlatformHandle hdc);

  // Creates the pixel store at the current size. A store that the platform
  // cannot create leaves a 0 x 0 buffer, so nothing is ever written through null.
  void CreateBuffer();
  // Releases the pixel store and its memory context.
  void DestroyBuffer();
  // Releases the store, takes the new size and creates a new, black store.
  void ReSize(int32_t width, int32_t height);
  // Writes one pixel; positions outside the store are ignored.
  void SetPixel(int32_t x, int32_t y, const Color_RGB& color);
  // Copies the whole store to the window, then clears it to black.
  void Update();

  int32_t getwidth() const { return width; }
  int32_t getheight() const { return height; }
  const uint32_t* getpixels() const { return pixels; }

 private:
  void Release();

  int32_t width;
  int32_t height;
  PlatformHandle bitmap = nullptr;
  PlatformHandle savedbitmap = nullptr;
  PlatformHandle memorycontext = nullptr;
  uint32_t* pixels = nullptr;
  PlatformHandle windowcontext;
};
