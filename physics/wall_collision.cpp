#include "physics/wall_collision.h"

#include <cfloat>
#include <cstddef>

#include "physics/ball_step.h"

bool CrossesWall(const BallStep& b, const Lines& wall, const VECTOR& n, float& t) {
  const float dx = wall.x2 - wall.x1;
  const float dy = wall.y2 - wall.y1;

  // Where P crosses the wall's line, as a fraction of the step (num_t) and
  // of the wall (num_s), before division by den.
  auto num_t = [&](float px, float py) { return (py - wall.y1) * dx - (px - wall.x1) * dy; };
  auto num_s = [&](float px, float py) { return (py - wall.y1) * b.mx - (px - wall.x1) * b.my; };
  const float den = b.mx * dy - b.my * dx;
  const float inv = 1 / den;

  // The rim point on the side of the normal, or the opposite one when that
  // reaches the wall's line first.
  float ex = b.cx + n.i * b.r;
  float ey = b.cy + n.j * b.r;
  if (inv * num_t(ex, ey) > inv * num_t(b.cx, b.cy)) {
    ex = b.cx - n.i * b.r;
    ey = b.cy - n.j * b.r;
  }
  t = inv * num_t(ex, ey);
  const float u = inv * num_s(ex, ey);
  return t > 0 && t < 1 && u > 0 && u < 1;
}

namespace {

// A rim that already touches the wall, on a step that moves the centre toward
// the closest point Q of the wall: the crossing test needs a rim point in front
// of the line, so it misses a ball that starts (or has landed) on it.
bool TouchesWall(const BallStep& b, const Lines& wall, WallContact& contact) {
  const float dx = wall.x2 - wall.x1;
  const float dy = wall.y2 - wall.y1;
  const float lambda = ((b.cx - wall.x1) * dx + (b.cy - wall.y1) * dy) / (dx * dx + dy * dy);
  float qx = wall.x1, qy = wall.y1;
  const bool inside = lambda > 0 && lambda < 1;
  if (inside) {
    // A centre exactly on the wall's line has no side to be turned back to.
    if ((b.cy - wall.y1) * dx - (b.cx - wall.x1) * dy == 0) return false;
    qx = lambda * dx + wall.x1;
    qy = lambda * dy + wall.y1;
  } else if (lambda >= 1) {
    qx = wall.x2;
    qy = wall.y2;
  }
  const float ox = qx - b.cx;
  const float oy = qy - b.cy;
  if (!(ox * b.mx + oy * b.my > 0 && Root(oy * oy + ox * ox) <= b.r)) return false;
  contact.atEndPoint = !inside;
  contact.normal = VECTOR(b.cx - qx, b.cy - qy);
  return inside || contact.normal.DP(contact.normal.i, contact.normal.j) >= FLT_MIN;
}

// The fraction of the step at which a centre that starts farther than r from
// end point (px, py), and moves toward it, comes within r of it; the crossing
// test never looks at a wall's end points, so without this a ball runs over
// the corner of a box or triangle.
bool ReachesEndPoint(const BallStep& b, float px, float py, float& t, VECTOR& normal) {
  const float fx = b.cx - px;
  const float fy = b.cy - py;
  const float ff = fy * fy + fx * fx;
  const float fm = fx * b.mx + fy * b.my;
  if (!(fm < 0 && Root(ff) > b.r)) return false;
  const float mm = b.my * b.my + b.mx * b.mx;
  const float disc = fm * fm - mm * (ff - b.r * b.r);
  if (disc < 0) return false;  // never within r: its root, and t, would not be a number
  t = (-fm - Root(disc)) / mm;
  if (!(t > 0 && t < 1)) return false;
  normal = VECTOR(t * b.mx + b.cx - px, t * b.my + b.cy - py);
  return normal.DP(normal.i, normal.j) >= FLT_MIN;
}

}  // namespace

VECTOR WallNormal(const Lines& wall) {
  VECTOR n(wall.y2 - wall.y1, -(wall.x2 - wall.x1));
  n.normalize();
  return n;
}

bool MeetsWall(const BallStep& b, const Lines& wall, const VECTOR& normal, float& t,
               WallContact& contact) {
  // Deleted shapes leave walls with coinciding end points: they are no walls.
  if (wall.x1 == wall.x2 && wall.y1 == wall.y2) return false;
  contact = WallContact{};
  if (CrossesWall(b, wall, normal, t)) return true;
  t = 0;
  if (TouchesWall(b, wall, contact)) return true;
  float t1, t2;
  VECTOR n1, n2;
  const bool start = ReachesEndPoint(b, wall.x1, wall.y1, t1, n1);
  const bool end = ReachesEndPoint(b, wall.x2, wall.y2, t2, n2);
  if (!start && !end) return false;
  const bool useStart = start && (!end || t1 <= t2);
  t = useStart ? t1 : t2;
  contact.atEndPoint = true;
  contact.normal = useStart ? n1 : n2;
  return true;
}

bool Checkcollision(pinball ball, const std::vector<Lines>& LinesList, int32_t& IndexCol,
                    WallContact& contact) {
  const BallStep b = StepOf(ball);
  float best = 1.0f;
  IndexCol = -1;
  contact = WallContact{};
  for (size_t k = 0; k < LinesList.size(); ++k) {
    float t;
    WallContact here;
    if (MeetsWall(b, LinesList[k], WallNormal(LinesList[k]), t, here) && t < best) {
      best = t;
      IndexCol = static_cast<int32_t>(k);
      contact = here;
    }
  }
  return IndexCol != -1;
}

bool Checkcollision(pinball ball, const std::vector<Lines>& LinesList, int32_t& IndexCol) {
  WallContact unused;
  return Checkcollision(ball, LinesList, IndexCol, unused);
}

void ChengeVec(int32_t IndexCol, const std::vector<Lines>& LinesList, pinball& ball,
               const WallContact& contact) {
  if (IndexCol < 0 || static_cast<size_t>(IndexCol) >= LinesList.size()) return;
  if (!contact.atEndPoint) {
    ChengeVec(IndexCol, LinesList, ball);
    return;
  }
  const VECTOR& n = contact.normal;
  const VECTOR v = ball.getvec();
  const float s = v.DP(n.i, n.j) / n.DP(n.i, n.j);
  ball.SetD(VECTOR(v.i - 2 * (s * n.i), v.j - 2 * (s * n.j)));
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
