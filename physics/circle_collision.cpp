#include "physics/circle_collision.h"

#include "physics/approach.h"

namespace {

// w mirrored about the line perpendicular to n (the tangent where n is the contact normal).
VECTOR MirrorAboutTangent(const VECTOR& w, const VECTOR& n) {
  const float k = w.DP(n.i, n.j);
  const float dd = n.DP(n.i, n.j);
  return VECTOR(w.i - 2 * (n.i * k / dd), w.j - 2 * (n.j * k / dd));
}

}  // namespace

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
    if (!(dNext > S)) {
      const float t = ApproachFraction(Cx - cx, Cy - cy, mx, my, S);
      if (t > 0 && t < 1) {
        const float Xx = t * mx + cx;
        const float Xy = t * my + cy;
        // The contact normal X - C, not normalised, and the part of the step before contact.
        ball.SetD(MirrorAboutTangent(VECTOR(Xx - cx, Xy - cy), VECTOR(Xx - Cx, Xy - Cy)));
        return true;
      }
    }
    // A ball that already touches or overlaps the circle and steps toward its
    // centre has no contact ahead of it, so the approach fraction is not in
    // the step: it turns where it stands, or it would run through the circle.
    const float ox = Cx - cx;
    const float oy = Cy - cy;
    if (Root(oy * oy + ox * ox) <= S && ox * mx + oy * my > 0) {
      ball.SetD(MirrorAboutTangent(VECTOR(mx, my), VECTOR(cx - Cx, cy - Cy)));
      return true;
    }
  }
  return false;
}
