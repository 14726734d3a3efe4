#pragma once

#include "render/rendering.h"

// Draws one frame of the scene (the balls' trails when they are on, pending
// points, triangles, circles, boxes, polygon lines, balls, in that stacking
// order), advances every ball by one tick unless edit mode, Pause or Slow
// Motion's beat holds it, and shows the frame, which clears the buffer.
void RenderWindow(Rendering& rc);
