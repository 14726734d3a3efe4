#pragma once

#include "app/frame_cache.h"
#include "render/rendering.h"

// Draws one frame of the scene (the balls' trails when they are on, pending
// points, triangles, circles, boxes, polygon lines, balls, in that stacking
// order), advances every ball by one tick unless edit mode, Pause or Slow
// Motion's beat holds it, and shows the frame. The store keeps the frame for
// the next one, which draws only what changed (see FrameCache): nothing else
// may draw into it between frames, but a store cleared (Update), resized or
// released in between is drawn afresh.
void RenderWindow(Rendering& rc);
// The same with a cache of the caller's, for a store of its own.
void RenderWindow(Rendering& rc, FrameCache& cache);
