#include "physics/wall_collision.h"

#include <cstddef>

bool Checkcollision(pinball ball, const std::vector<Lines>& LinesList, int32_t& IndexCol) {
  const float cx = ball.Getoriginx();
  const float cy = ball.Getoriginy();
  const float r = ball.Getradius();
  const float s = ball.getspeed();
  const float vi = ball.getvecX();
  const float vj = ball.getvecY();

  float best = 1.0f;
  IndexCol = -1;
  const float nx = s * vi + cx;
  const float ny = s * vj + cy;
  const float mx = nx - cx;
  const float my = ny - cy;

  for (size_t k = 0; k < LinesList.size(); ++k) {
    const Lines& wall = LinesList[k];
    const float dx = wall.x2 - wall.x1;
    const float dy = wall.y2 - wall.y1;
    VECTOR n(dy, -dx);
    n.normalize();

    // Where P crosses the wall's line, as a fraction of the step (num_t) and
    // of the wall (num_s), before division by den.
    auto num_t = [&](float px, float py) { return (py - wall.y1) * dx - (px - wall.x1) * dy; };
    auto num_s = [&](float px, float py) { return (py - wall.y1) * mx - (px - wall.x1) * my; };
    const float den = mx * dy - my * dx;
    const float inv = 1 / den;

    // The rim point on the side of the normal, or the opposite one when that
    // reaches the wall's line first.
    float ex = cx + n.i * r;
    float ey = cy + n.j * r;
    if (inv * num_t(ex, ey) > inv * num_t(cx, cy)) {
      ex = cx - n.i * r;
      ey = cy - n.j * r;
    }
    const float t = inv * num_t(ex, ey);
    const float u = inv * num_s(ex, ey);
    if (t > 0 && t < 1 && u > 0 && u < 1 && t < best) {
      best = t;
      IndexCol = static_cast<int32_t>(k);
    }
  }
  return IndexCol != -1;
}

void ChengeVec(int32_t IndexCol, const std::vector<Lines>& LinesList, pinball& ball) {
  if (IndexCol < 0 || static_cast<size_t>(IndexCol) >= LinesList.size()) return;
  const Lines& wall = LinesList[IndexCol];
  const float dx = wall.x2 - wall.x1;
  const float dy = wall.y2 - wall.y1;
  VECTOR n(dy * -1, dx);
  n.normalize();
  const VECTOR v = ball.getvec();
  const float k = v.DP(n.i, n.j);
  ball.SetD(VECTOR(v.i - 2 * (n.i * k), v.j - 2 * (n.j * k)));
}
