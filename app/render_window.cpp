#include "app/render_window.h"

#include <cstddef>

#include "app/trails.h"
#include "render/pixel_coord.h"
#include "scene/scene.h"
#include "scene/time_controls.h"
#include "shapes/polygon_line.h"

namespace {

void DrawPointMarkers(Rendering& rc) {
  for (const Point& p : gPointList) {
    int32_t x, y;
    if (ToPixel(p.x, x) && ToPixel(p.y, y)) rc.SetPixel(x, y, p.colour);
  }
}

void DrawLine(const PolygonVertex& from, const PolygonVertex& to, const Color_RGB& colour,
              Rendering& rc) {
  int32_t x1, y1, x2, y2;
  if (!ToPixel(from.x, x1) || !ToPixel(from.y, y1) || !ToPixel(to.x, x2) || !ToPixel(to.y, y2)) {
    return;
  }
  PolygonLine(x1, y1, x2, y2, colour, rc);
}

// Each vertex draws by its kind and its neighbours in the list. A line is
// drawn only when both of its ends exist: a continuing or closing vertex at
// the head of the list has no previous vertex, and a closing vertex with no
// opening vertex before it has no first vertex to return to.
void DrawPolygons(Rendering& rc) {
  const PolygonVertex* first = nullptr;
  for (size_t k = 0; k < polylist.size(); ++k) {
    const PolygonVertex& v = polylist[k];
    const PolygonVertex* previous = k > 0 ? &polylist[k - 1] : nullptr;
    if (v.kind == kOpensPolygon) {
      first = &v;
    } else if (v.kind == kContinuesPolygon) {
      if (previous) DrawLine(*previous, v, v.colour, rc);
    } else if (v.kind == kClosesPolygon) {
      if (previous) DrawLine(*previous, v, v.colour, rc);
      if (first) DrawLine(v, *first, v.colour, rc);
    }
  }
}

Trails gTrails;

// The paths the balls took up to this frame's tick, under everything else.
void DrawTrails(Rendering& rc) {
  if (!TrailsOn()) {
    gTrails.Stop();
    return;
  }
  gTrails.Follow(BallList, TimeRecord().Tick(), TimeRecordStarts(), rc.getwidth(), rc.getheight());
  gTrails.Draw(rc);
}

void DrawStaticShapes(Rendering& rc) {
  DrawPointMarkers(rc);
  for (triangle& t : trilist) t.Draw(rc, Fill);
  for (const Circle& c : circlist) c.Draw(rc, Fill);
  for (const Box& b : boxlist) {
    if (Fill) {
      b.Draw(rc);
    } else {
      b.UnFilled(rc);
    }
  }
  DrawPolygons(rc);
}

}  // namespace

void RenderWindow(Rendering& rc) {
  static FrameCache cache;  // its buffers serve every frame
  RenderWindow(rc, cache);
}

// Without trails the tick comes first: nothing it reads is drawn, and the
// balls are drawn after it either way, so the picture is the one of drawing
// everything in stacking order.
void RenderWindow(Rendering& rc, FrameCache& cache) {
  if (TrailsOn()) {
    // The trails change under everything from tick to tick: drawn whole.
    rc.Clear();
    DrawTrails(rc);
    DrawStaticShapes(rc);
    if (PassTicks()) RecordedTick();
    for (const pinball& ball : BallList) ball.Draw(rc, Fill);
    rc.Show();
    cache.Forget();
    cache.reused = FrameReuse::kNone;
    return;
  }
  DrawTrails(rc);                           // they stop
  for (triangle& t : trilist) t.reorder();  // as drawing each one would
  const bool kept = cache.Holds(rc);
  const bool sameShapes = kept && cache.SameStaticShapes();
  if (PassTicks()) RecordedTick();
  if (sameShapes && cache.SameBalls()) {
    cache.reused = FrameReuse::kWholeFrame;
  } else {
    if (sameShapes) {
      cache.RestoreStaticShapes(rc);
      cache.reused = FrameReuse::kStaticShapes;
    } else {
      rc.Clear();  // it may hold an earlier frame
      DrawStaticShapes(rc);
      cache.KeepStaticShapes(rc);
      cache.reused = FrameReuse::kNone;
    }
    for (const pinball& ball : BallList) {
      ball.Draw(rc, Fill);
      cache.MarkBall(rc, ball);
    }
  }
  // The store is left as shown, for the next frame to start from.
  rc.Show();
  cache.KeepFrame(rc);
}
