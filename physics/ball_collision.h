#pragma once

#include <cstdint>
#include <vector>

#include "physics/ball_step.h"
#include "physics/pinball.h"

// The partner's part of the ball test, as it stands at the mover's turn.
struct PartnerState {
  float x, y, vi, vj, speed, radius;
};

inline PartnerState StateOf(const pinball& ball) {
  return {ball.Getoriginx(), ball.Getoriginy(), ball.getvecX(),
          ball.getvecY(),    ball.getspeed(),   ball.Getradius()};
}

// Whether the mover's step meets this partner; if so, wA and wB are the
// mover's and the partner's new directions before normalisation. Nothing is
// changed.
bool MeetsBall(const BallStep& mover, const PartnerState& partner, VECTOR& wA, VECTOR& wB);

// Whether the mover (an element of BallList) and another ball meet during the
// mover's next step, both taken as moving. The first partner in list order
// that is met turns both: each direction is mirrored about the line
// perpendicular to the join of the two contact centres. Only the mover's
// contact fraction is range-tested. A pair that gives no usable direction
// (the partner never comes within reach of the contact point, or the contact
// centres coincide) counts as not met. IndexCol is neither read nor written.
bool ballballcol(pinball& ball, std::vector<pinball>& BallList, int32_t& IndexCol);
