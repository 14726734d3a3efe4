#pragma once

#include <cstdint>
#include <vector>

#include "physics/pinball.h"
#include "scene/records.h"

// Whether the ball's next step carries its leading rim point across a wall.
// IndexCol becomes the position of the wall met first (smallest fraction of
// the step; the earlier wall on a tie), or -1. The ball is a copy: nothing changes.
bool Checkcollision(pinball ball, const std::vector<Lines>& LinesList, int32_t& IndexCol);

// Mirrors the ball's direction about wall IndexCol; -1 does nothing. The ball
// does not move.
void ChengeVec(int32_t IndexCol, const std::vector<Lines>& LinesList, pinball& ball);
