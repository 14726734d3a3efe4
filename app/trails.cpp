#include "app/trails.h"

#include <algorithm>
#include <cstdlib>

#include "render/pixel_coord.h"

namespace {

// A segment longer than this is a jump (a ball put back by an undo, say), not
// a path: it is not drawn. A step is at most 16 pixels.
constexpr int32_t kLongestSegment = 64;

uint32_t Darker(Color_RGB c) { return (c.red / 2u) * 65536u + (c.green / 2u) * 256u + c.blue / 2u; }

}  // namespace

void Trails::Follow(const std::vector<pinball>& balls, int64_t tick, uint64_t starts, int32_t width,
                    int32_t height) {
  const int32_t now = static_cast<int32_t>(tick);
  if (!following_ || starts != starts_ || balls.size() != lastX_.size() || width != width_ ||
      height != height_) {
    Restart(balls, width, height);
    starts_ = starts;
    tick_ = now;
    return;
  }
  if (now > tick_) {
    tick_ = now;
    for (size_t k = 0; k < balls.size(); ++k) {
      Line(lastX_[k], lastY_[k], balls[k].Getoriginx(), balls[k].Getoriginy(),
           Darker(balls[k].Getcol()));
    }
  }
  tick_ = now;
  for (size_t k = 0; k < balls.size(); ++k) {
    lastX_[k] = balls[k].Getoriginx();
    lastY_[k] = balls[k].Getoriginy();
  }
}

void Trails::Restart(const std::vector<pinball>& balls, int32_t width, int32_t height) {
  following_ = true;
  expired_ = tick_ - 1;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  const size_t size = static_cast<size_t>(width_) * static_cast<size_t>(height_);
  colour_.assign(size, 0);
  stamp_.assign(size, 0);
  lastX_.resize(balls.size());
  lastY_.resize(balls.size());
  for (size_t k = 0; k < balls.size(); ++k) {
    lastX_[k] = balls[k].Getoriginx();
    lastY_[k] = balls[k].Getoriginy();
  }
}

// Bresenham's line on the layer, both ends included, clipped to it.
void Trails::Line(float fx0, float fy0, float fx1, float fy1, uint32_t colour) {
  int32_t x0, y0, x1, y1;
  if (!ToPixel(fx0, x0) || !ToPixel(fy0, y0) || !ToPixel(fx1, x1) || !ToPixel(fy1, y1)) return;
  const int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  if (dx > kLongestSegment || -dy > kLongestSegment) return;
  const int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int32_t e = dx + dy;
  for (;;) {
    if (x0 >= 0 && x0 < width_ && y0 >= 0 && y0 < height_) {
      const size_t at = static_cast<size_t>(y0) * static_cast<size_t>(width_) + x0;
      colour_[at] = colour;
      stamp_[at] = static_cast<uint16_t>(tick_);
    }
    if (x0 == x1 && y0 == y1) return;
    const int32_t e2 = 2 * e;
    if (e2 >= dy) {
      e += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      e += dx;
      y0 += sy;
    }
  }
}

void Trails::Draw(Rendering& rc) {
  if (width_ != rc.getwidth() || height_ != rc.getheight()) return;
  if (tick_ != expired_) {
    // Pixels of a trail older than its length, or newer than the tick after a
    // step back, go dark: as unsigned, a negative age is among the largest.
    // Ticks are kept modulo 2^16, which every pixel's age stays far within:
    // each frame of a new tick puts out those beyond the trail's length.
    expired_ = tick_;
    // Without a branch, which the mixed pixels of a busy field would mispredict.
    const size_t size = colour_.size();
    uint32_t* colour = colour_.data();
    const uint16_t* stamp = stamp_.data();
    const uint16_t now = static_cast<uint16_t>(tick_);
    for (size_t k = 0; k < size; ++k) {
      const uint32_t age = static_cast<uint16_t>(now - stamp[k]);
      colour[k] &= 0u - static_cast<uint32_t>(age < static_cast<uint32_t>(kTrailTicks));
    }
  }
  // Drawn first, onto the cleared store, the layer goes in whole rows: its dark
  // pixels are the black the store holds already.
  for (int32_t y = 0; y < height_; ++y) {
    rc.SetRow(y, colour_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_));
  }
}
