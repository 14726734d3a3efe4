#pragma once

#include <cstdint>
#include <vector>

#include "physics/pinball.h"
#include "render/rendering.h"
#include "scene/records.h"
#include "shapes/box.h"
#include "shapes/circle.h"
#include "shapes/triangle.h"

// How a frame was made from the one before it.
enum class FrameReuse {
  kNone,          // drawn whole: the first, or the static shapes changed
  kStaticShapes,  // the static shapes copied back, only the balls drawn
  kWholeFrame,    // nothing changed: the store shown as it stood
};

// What a frame leaves in its store for the next one. Between two changes of
// the scene the pending clicks, triangles, circles, boxes and polygon lines
// draw the same pixels every frame: they are drawn once, a copy of the store
// holding only them is kept, and each later frame copies back just the rows
// the balls covered and draws the balls. The static shapes and the balls are
// compared with what was drawn, record by record, so that every way they
// change (an edit, an undo, an open, the A key) is seen; a new, resized,
// released or cleared store is seen by its generation.
class FrameCache {
 public:
  // Whether the store still holds the frame this cache last showed.
  bool Holds(const Rendering& rc) const;
  // Whether the scene's static shapes, and the drawing mode, are those drawn.
  bool SameStaticShapes() const;
  // Whether the balls are those drawn.
  bool SameBalls() const;

  // Keeps the static shapes as just drawn into the store, and the store itself.
  void KeepStaticShapes(const Rendering& rc);
  // Puts back, from the kept copy, the pixels the balls covered.
  void RestoreStaticShapes(Rendering& rc);
  // Notes the rows and columns a ball's drawing can cover.
  void MarkBall(const Rendering& rc, const pinball& ball);
  // Keeps the balls as drawn and the store's generation once it is shown.
  void KeepFrame(const Rendering& rc);
  // The store holds a frame drawn without the cache: the next is drawn whole.
  void Forget() { generation = 0; }

  FrameReuse reused = FrameReuse::kNone;

 private:
  uint64_t generation = 0;
  int32_t width = 0, height = 0;
  bool fill = true;
  std::vector<Point> points;
  std::vector<triangle> triangles;
  std::vector<Circle> circles;
  std::vector<Box> boxes;
  std::vector<PolygonVertex> vertices;
  std::vector<pinball> balls;
  std::vector<uint32_t> layer;  // the store with the static shapes alone, row by row from the top
  std::vector<int32_t> dirtyFrom, dirtyTo;  // per row, the columns the balls may have covered
};
