#include "physics/circle_collision.h"

#include "physics/approach.h"

bool Checkcirccol(pinball& ball, const std::vector<Circle>& circle, int32_t& /*IndexCol*/) {
  const float cx = ball.Getoriginx();
  const float cy = ball.Getoriginy();
  const float r = ball.Getradius();
  const float s = ball.getspeed();
  const float vi = ball.getvecX();
  const float vj = ball.getvecY();

  const float nx = vi * s + cx;
  const float ny = vj * s + cy;
  const float mx = nx - cx;
  const float my = ny - cy;

  for (const Circle& c : circle) {
    const float Cx = c.Getoriginx();
    const float Cy = c.Getoriginy();
    const float S = c.Getradius() + r;
    const float dNext = Root((ny - Cy) * (ny - Cy) + (nx - Cx) * (nx - Cx));
    if (dNext > S) continue;
    const float t = ApproachFraction(Cx - cx, Cy - cy, mx, my, S);
    if (!(t > 0 && t < 1)) continue;

    const float Xx = t * mx + cx;
    const float Xy = t * my + cy;
    const VECTOR n(Xx - Cx, Xy - Cy);  // contact normal, not normalised
    const VECTOR w(Xx - cx, Xy - cy);  // the part of the step before contact
    const float k = w.DP(n.i, n.j);
    const float dd = n.DP(n.i, n.j);
    ball.SetD(VECTOR(w.i - 2 * (n.i * k / dd), w.j - 2 * (n.j * k / dd)));
    return true;
  }
  return false;
}
