#pragma once

#include <cstdint>
#include <vector>

#include "physics/ball_step.h"
#include "physics/pinball.h"

// The partner's part of the ball test, as it stands at the mover's turn: its
// centre, its next centre and its radius.
struct PartnerState {
  float x, y, nx, ny, radius;
};

inline PartnerState StateOf(const pinball& ball) {
  const float x = ball.Getoriginx(), y = ball.Getoriginy();
  return {x, y, ball.getvecX() * ball.getspeed() + x, ball.getvecY() * ball.getspeed() + y,
          ball.Getradius()};
}

// The part of MeetsBall past the distance test and the overlap shortcut.
bool MeetsNearBall(const BallStep& a, const PartnerState& b, float relx, float rely, float S,
                   float ee, VECTOR& wA, VECTOR& wB);

// Whether the mover's step meets this partner; if so, wA and wB are the
// mover's and the partner's new directions before normalisation. Nothing is
// changed. Inline up to the distance test, which most pairs fail.
inline bool MeetsBall(const BallStep& a, const PartnerState& b, VECTOR& wA, VECTOR& wB) {
  // The mover itself, or a ball exactly on it with exactly the same step.
  if (b.x == a.cx && b.y == a.cy && b.nx == a.nx && b.ny == a.ny) return false;
  const float relx = a.mx - (b.nx - b.x);
  const float rely = a.my - (b.ny - b.y);
  const float ex = (relx + a.cx) - b.x;
  const float ey = (rely + a.cy) - b.y;
  const float S = b.radius + a.r;
  const float ee = ey * ey + ex * ex;
  // A square this far beyond S * S has its root beyond S too.
  if (ee > 1.000001f * (S * S)) return false;
  // Balls overlapping by this much, on a short relative step, always get an
  // approach fraction of zero or less, whatever the rounding: a shortcut for
  // the many such pairs of a crowded field, taken before the root.
  const float qx = b.x - a.cx, qy = b.y - a.cy;
  if (qx * qx + qy * qy < 0.9998f * (S * S) && rely * rely + relx * relx <= 64) return false;
  return MeetsNearBall(a, b, relx, rely, S, ee, wA, wB);
}

// Whether the mover (an element of BallList) and another ball meet during the
// mover's next step, both taken as moving. The first partner in list order
// that is met turns both: each direction is mirrored about the line
// perpendicular to the join of the two contact centres. Only the mover's
// contact fraction is range-tested. A pair that gives no usable direction
// (the partner never comes within reach of the contact point, or the contact
// centres coincide) counts as not met. IndexCol is neither read nor written.
bool ballballcol(pinball& ball, std::vector<pinball>& BallList, int32_t& IndexCol);
