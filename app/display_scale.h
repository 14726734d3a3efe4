#pragma once

// The frame on a display of any scale. Each scene pixel is shown as a square
// of whole device pixels, so the picture stays sharp: at 200 % a 2 x 2 block.
// Between whole scales (125 %, 150 %, 175 %) the factor is the whole one
// below: blocks of uneven sizes would make lines and circles wobble, and
// smoothing would blur them.

#include <cstdint>

struct DisplayScale {
  int32_t factor = 1;  // device pixels per scene pixel, each way

  // The display's dots per inch; 96 is 100 %. Anything below 192 gives 1.
  static DisplayScale ForDpi(uint32_t dpi);

  // The scene pixel under a client coordinate in device pixels.
  int32_t ToScene(int32_t device) const;
  // The scene's size for a client size: whole scene pixels covering it all.
  int32_t SceneSize(int32_t device) const;
  // Device pixels for a length in scene pixels.
  int32_t ToDevice(int32_t scene) const { return scene * factor; }
};
