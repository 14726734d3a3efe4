#include "app/frame_cache.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>

#include "render/pixel_coord.h"
#include "scene/scene.h"

namespace {

// Records equal byte for byte: the same values, bit for bit.
template <typename T>
bool Same(const std::vector<T>& a, const std::vector<T>& b) {
  static_assert(std::is_trivially_copyable<T>::value, "records compared as bytes");
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

template <typename T>
void Keep(std::vector<T>& into, const std::vector<T>& from) {
  into.assign(from.begin(), from.end());  // reuses the room it has
}

constexpr int32_t kClean = std::numeric_limits<int32_t>::max();

}  // namespace

bool FrameCache::Holds(const Rendering& rc) const {
  return generation != 0 && rc.getgeneration() == generation && rc.getwidth() == width &&
         rc.getheight() == height;
}

bool FrameCache::SameStaticShapes() const {
  return fill == Fill && Same(points, gPointList) && Same(triangles, trilist) &&
         Same(circles, circlist) && Same(boxes, boxlist) && Same(vertices, polylist);
}

bool FrameCache::SameBalls() const { return Same(balls, BallList); }

void FrameCache::KeepStaticShapes(const Rendering& rc) {
  fill = Fill;
  Keep(points, gPointList);
  Keep(triangles, trilist);
  Keep(circles, circlist);
  Keep(boxes, boxlist);
  Keep(vertices, polylist);
  const auto w = static_cast<size_t>(rc.getwidth()), h = static_cast<size_t>(rc.getheight());
  layer.resize(rc.getpixels() ? w * h : 0);
  dirtyFrom.assign(h, kClean);
  dirtyTo.assign(h, -1);
  if (layer.empty()) return;
  for (size_t y = 0; y < h; ++y)
    std::memcpy(&layer[y * w], rc.getrow(static_cast<int32_t>(y)), w * sizeof(uint32_t));
}

void FrameCache::RestoreStaticShapes(Rendering& rc) {
  if (layer.empty()) return;
  const auto w = static_cast<size_t>(width);
  for (int32_t y = 0; y < height; ++y) {
    const int32_t from = dirtyFrom[y], to = dirtyTo[y];
    if (from > to) continue;
    std::memcpy(rc.getrow(y) + from, &layer[y * w + from], static_cast<size_t>(to - from + 1) * 4);
    dirtyFrom[y] = kClean;
    dirtyTo[y] = -1;
  }
}

void FrameCache::MarkBall(const Rendering& rc, const pinball& ball) {
  int32_t cx, cy, r;
  if (!ToPixel(ball.Getoriginx(), cx) || !ToPixel(ball.Getoriginy(), cy) ||
      !ToPixel(ball.Getradius(), r) || dirtyFrom.empty()) {
    return;  // drawn nowhere
  }
  // Every pixel of a circle lies within its radius of the centre, along both axes.
  const int64_t reach = r < 0 ? -int64_t{r} : r;
  const int64_t left = std::max<int64_t>(cx - reach, 0);
  const int64_t right = std::min<int64_t>(cx + reach, rc.getwidth() - 1);
  const int64_t top = std::max<int64_t>(cy - reach, 0);
  const int64_t bottom = std::min<int64_t>(cy + reach, rc.getheight() - 1);
  if (left > right) return;
  for (int64_t y = top; y <= bottom; ++y) {
    dirtyFrom[y] = std::min(dirtyFrom[y], static_cast<int32_t>(left));
    dirtyTo[y] = std::max(dirtyTo[y], static_cast<int32_t>(right));
  }
}

void FrameCache::KeepFrame(const Rendering& rc) {
  Keep(balls, BallList);
  generation = rc.getgeneration();
  width = rc.getwidth();
  height = rc.getheight();
}
