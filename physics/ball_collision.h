#pragma once

#include <cstdint>
#include <vector>

#include "physics/pinball.h"

// Whether the mover (an element of BallList) and another ball meet during the
// mover's next step, both taken as moving. The first partner in list order
// that is met turns both: each direction is mirrored about the line
// perpendicular to the join of the two contact centres. Only the mover's
// contact fraction is range-tested. A pair that gives no usable direction
// (the partner never comes within reach of the contact point, or the contact
// centres coincide) counts as not met. IndexCol is neither read nor written.
bool ballballcol(pinball& ball, std::vector<pinball>& BallList, int32_t& IndexCol);
