#include "physics/ball_collision.h"

#include <cmath>

#include "physics/approach.h"

namespace {

// w mirrored about the line perpendicular to n.
VECTOR Mirror(const VECTOR& w, const VECTOR& n) {
  const float k = w.DP(n.i, n.j);
  const float dd = n.DP(n.i, n.j);
  return VECTOR(w.i - 2 * (n.i * k / dd), w.j - 2 * (n.j * k / dd));
}

}  // namespace

bool ballballcol(pinball& ball, std::vector<pinball>& BallList, int32_t& /*IndexCol*/) {
  const float ax = ball.Getoriginx();
  const float ay = ball.Getoriginy();
  const float rA = ball.Getradius();
  const float nAx = ball.getvecX() * ball.getspeed() + ax;
  const float nAy = ball.getvecY() * ball.getspeed() + ay;
  const float mAx = nAx - ax;
  const float mAy = nAy - ay;

  for (pinball& partner : BallList) {
    const float bx = partner.Getoriginx();
    const float by = partner.Getoriginy();
    const float nBx = partner.getvecX() * partner.getspeed() + bx;
    const float nBy = partner.getvecY() * partner.getspeed() + by;
    // The mover itself, or a ball exactly on it with exactly the same step.
    if (bx == ax && by == ay && nBx == nAx && nBy == nAy) continue;
    const float mBx = nBx - bx;
    const float mBy = nBy - by;

    const float relx = mAx - mBx;
    const float rely = mAy - mBy;
    const float ex = (relx + ax) - bx;
    const float ey = (rely + ay) - by;
    const float S = partner.Getradius() + rA;
    if (Root(ey * ey + ex * ex) > S) continue;

    const float t = ApproachFraction(bx - ax, by - ay, relx, rely, S);
    const float Pax = t * mAx + ax;
    const float Pay = t * mAy + ay;
    const float tB = ApproachFraction(Pax - bx, Pay - by, mBx, mBy, S);
    if (!(t > 0 && t < 1)) continue;
    // No usable direction: the partner never comes within S of Pa (tB not a
    // number), or takes no part of its step (tB 0), or the contact centres
    // coincide. Both balls are then left as they are.
    if (!std::isfinite(tB) || tB == 0) continue;
    const float Pbx = tB * mBx + bx;
    const float Pby = tB * mBy + by;
    if (Pax == Pbx && Pay == Pby) continue;

    const VECTOR wA = Mirror(VECTOR(Pax - ax, Pay - ay), VECTOR(Pax - Pbx, Pay - Pby));
    const VECTOR wB = Mirror(VECTOR(Pbx - bx, Pby - by), VECTOR(Pbx - Pax, Pby - Pay));
    ball.SetD(wA);
    partner.SetD(wB);
    return true;
  }
  return false;
}
