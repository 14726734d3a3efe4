#pragma once

#include <cstdint>

// x widened to double, plus 0.5, truncated toward zero: rounding half up for
// x >= 0, a move toward zero for negative x (Round(-1.0) is 0). Values that
// are not finite or lie beyond the pixel range give 0; callers that must not
// draw them test with ToPixel first.
int32_t Round(float x);
