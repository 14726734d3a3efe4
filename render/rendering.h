#pragma once

#include <cstddef>
#include <cstdint>

#include "app/platform.h"
#include "render/color_rgb.h"

// The frame buffer: a 32-bit bottom-up pixel store (0x00RRGGBB words) that
// every drawing writes into through SetPixel (or SetSpan, a row of them),
// shown by Update.
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
  // Writes one pixel; positions outside the store are ignored. Inline: the
  // rasterisers call it for every pixel they set.
  void SetPixel(int32_t x, int32_t y, const Color_RGB& color) {
    // Before the first store, and after the last, there is nothing to write to.
    if (pixels == nullptr) return;
    if (x >= width || x < 0) return;
    if (y >= height || y < 0) return;
    Row(y)[x] = Word(color);
  }
  // The pixels (from, y) ... (to, y), both ends inclusive: the same store as
  // SetPixel on each of them, with one bounds decision for the whole row.
  void SetSpan(int32_t y, int32_t from, int32_t to, const Color_RGB& color);
  // Row y (0 at the top) as a whole: `words` holds its width's 0x00RRGGBB
  // words, a layer kept by the caller.
  void SetRow(int32_t y, const uint32_t* words);
  // Copies the whole store to the window, then clears it to black.
  void Update();
  // Copies the whole store to the window and leaves it as it is, for a next
  // frame that starts from this one.
  void Show();
  // Clears the store to black.
  void Clear();
  // A number that changes whenever the store is made, released or cleared:
  // while it stays the same, the store holds what was drawn into it since.
  uint64_t getgeneration() const { return generation; }
  // The picture's row y (0 at the top), `width` words, for copying runs of it.
  uint32_t* getrow(int32_t y) const { return Row(y); }

  int32_t getwidth() const { return width; }
  int32_t getheight() const { return height; }
  const uint32_t* getpixels() const { return pixels; }

 private:
  void Release();
  // The picture's row y (0 at the top) is row height - 1 - y of the store.
  uint32_t* Row(int32_t y) const {
    return pixels + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width);
  }
  static uint32_t Word(const Color_RGB& color) {
    return color.red * 65536u + color.green * 256u + color.blue;
  }

  int32_t width;
  int32_t height;
  PlatformHandle bitmap = nullptr;
  PlatformHandle savedbitmap = nullptr;
  PlatformHandle memorycontext = nullptr;
  uint32_t* pixels = nullptr;
  PlatformHandle windowcontext;
  uint64_t generation = 0;
};
