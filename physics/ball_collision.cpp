#include "physics/ball_collision.h"

#include <cmath>

#include "physics/approach.h"

bool MeetsNearBall(const BallStep& a, const PartnerState& b, float relx, float rely, float S,
                   float ee, VECTOR& wA, VECTOR& wB) {
  if (Root(ee) > S) return false;
  const float bx = b.x, by = b.y;
  const float mBx = b.nx - bx;
  const float mBy = b.ny - by;
  const float qx = bx - a.cx, qy = by - a.cy;
  const float t = ApproachFraction(qx, qy, relx, rely, S);
  const float Pax = t * a.mx + a.cx;
  const float Pay = t * a.my + a.cy;
  if (!(t > 0 && t < 1)) return false;
  const float tB = ApproachFraction(Pax - bx, Pay - by, mBx, mBy, S);
  // No usable direction: the partner never comes within S of Pa (tB not a
  // number), or takes no part of its step (tB 0), or the contact centres
  // coincide. Both balls are then left as they are.
  if (!std::isfinite(tB) || tB == 0) return false;
  const float Pbx = tB * mBx + bx;
  const float Pby = tB * mBy + by;
  if (Pax == Pbx && Pay == Pby) return false;

  wA = Mirror(VECTOR(Pax - a.cx, Pay - a.cy), VECTOR(Pax - Pbx, Pay - Pby));
  wB = Mirror(VECTOR(Pbx - bx, Pby - by), VECTOR(Pbx - Pax, Pby - Pay));
  // A contact fraction too small to move a centre off itself gives a zero
  // direction, which would leave not-a-number in the ball.
  return GivesDirection(wA) && GivesDirection(wB);
}

bool ballballcol(pinball& ball, std::vector<pinball>& BallList, int32_t& /*IndexCol*/) {
  const BallStep a = StepOf(ball);
  VECTOR wA, wB;
  for (pinball& partner : BallList) {
    if (MeetsBall(a, StateOf(partner), wA, wB)) {
      ball.SetD(wA);
      partner.SetD(wB);
      return true;
    }
  }
  return false;
}
