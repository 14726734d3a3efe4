#pragma once

// Each ball's path of the last seconds, drawn under the scene in the ball's
// colour at half brightness. A layer the size of the frame keeps, for each
// pixel a path crossed, its colour and the tick it was crossed at; a pixel
// older than the trail's length, or newer than the tick (after a step back),
// goes dark.

#include <cstdint>
#include <vector>

#include "physics/pinball.h"
#include "render/rendering.h"

// The trail's length in ticks: four seconds at full speed.
constexpr int32_t kTrailTicks = 256;

class Trails {
 public:
  // Lays down the segment each ball moved since the last call, stamped with
  // `tick`. A new record (`starts` changed), another count of balls or
  // another frame size starts the layer afresh, as does the first call after Stop.
  void Follow(const std::vector<pinball>& balls, int64_t tick, uint64_t starts, int32_t width,
              int32_t height);
  // Writes the live trail pixels into `rc`: the first thing drawn into the
  // cleared store, since its dark pixels are written as black.
  void Draw(Rendering& rc);
  // Trails are off: the next Follow starts afresh.
  void Stop() { following_ = false; }

 private:
  void Restart(const std::vector<pinball>& balls, int32_t width, int32_t height);
  void Line(float x0, float y0, float x1, float y1, uint32_t colour);

  bool following_ = false;
  int32_t width_ = 0, height_ = 0;
  std::vector<uint32_t> colour_;  // 0: no trail here
  std::vector<uint16_t> stamp_;   // the tick it was laid down at, modulo 2^16
  std::vector<float> lastX_, lastY_;
  int32_t tick_ = 0;
  int32_t expired_ = 0;  // the tick the layer's old pixels were last put out at
  uint64_t starts_ = 0;
};
