#pragma once

#include <cstdint>
#include <vector>

#include "physics/ball_step.h"
#include "physics/pinball.h"
#include "shapes/circle.h"

// Whether the step meets this one circle; if so, `direction` is the ball's new
// direction before normalisation. Nothing else is changed.
bool MeetsCircle(const BallStep& b, const Circle& c, VECTOR& direction);

// Whether the ball's next step brings it into contact with a circle. The
// first circle in list order that is met turns the ball at once, mirrored
// about the tangent at the contact point; the ball does not move. A ball that
// already touches or overlaps a circle meets it when its step moves it toward
// the circle's centre, and is then turned where it stands; moving away, or
// with no speed, it meets nothing. IndexCol is neither read nor written.
bool Checkcirccol(pinball& ball, const std::vector<Circle>& circle, int32_t& IndexCol);
