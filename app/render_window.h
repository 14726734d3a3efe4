#pragma once

#include "render/rendering.h"

// Draws one frame of the scene (pending points, triangles, circles, boxes,
// polygon lines, balls, in that stacking order), advances every ball by one
// tick unless edit mode is on, and shows the frame, which clears the buffer.
void RenderWindow(Rendering& rc);
