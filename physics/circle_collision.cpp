#include "physics/circle_collision.h"

#include "physics/approach.h"

bool MeetsCircle(const BallStep& b, const Circle& c, VECTOR& direction) {
  const float Cx = c.Getoriginx();
  const float Cy = c.Getoriginy();
  const float S = c.Getradius() + b.r;
  const float dNext = Root((b.ny - Cy) * (b.ny - Cy) + (b.nx - Cx) * (b.nx - Cx));
  if (!(dNext > S)) {
    const float t = ApproachFraction(Cx - b.cx, Cy - b.cy, b.mx, b.my, S);
    if (t > 0 && t < 1) {
      const float Xx = t * b.mx + b.cx;
      const float Xy = t * b.my + b.cy;
      // The contact normal X - C, not normalised, and the part of the step before contact.
      direction = Mirror(VECTOR(Xx - b.cx, Xy - b.cy), VECTOR(Xx - Cx, Xy - Cy));
      // A contact so early that X rounds onto the centre gives no direction;
      // the ball then counts as touching the circle, below.
      if (GivesDirection(direction)) return true;
    }
  }
  // A ball that already touches or overlaps the circle and steps toward its
  // centre has no contact ahead of it, so the approach fraction is not in
  // the step: it turns where it stands, or it would run through the circle.
  const float ox = Cx - b.cx;
  const float oy = Cy - b.cy;
  if (Root(oy * oy + ox * ox) <= S && ox * b.mx + oy * b.my > 0) {
    direction = Mirror(VECTOR(b.mx, b.my), VECTOR(b.cx - Cx, b.cy - Cy));
    return GivesDirection(direction);
  }
  return false;
}

bool Checkcirccol(pinball& ball, const std::vector<Circle>& circle, int32_t& /*IndexCol*/) {
  const BallStep b = StepOf(ball);
  VECTOR direction;
  for (const Circle& c : circle) {
    if (MeetsCircle(b, c, direction)) {
      ball.SetD(direction);
      return true;
    }
  }
  return false;
}
