#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "physics/pinball.h"
#include "scene/records.h"
#include "shapes/circle.h"

namespace physics_test {

// A ball at (x, y) heading along (di, dj); the aim point is one offset away.
inline pinball Ball(float x, float y, float di, float dj, float speed, float radius = 10) {
  return pinball(x, y, x + di, y + dj, Color_RGB{0, 255, 0}, speed, radius);
}

// A red wall from (x1, y1) to (x2, y2).
inline Lines Wall(float x1, float y1, float x2, float y2) {
  return Lines{x1, y1, Color_RGB{255, 0, 0}, x2, y2, Color_RGB{255, 0, 0}};
}

// A circle obstacle of centre (x, y).
inline Circle Disc(float x, float y, float radius) {
  Circle c;
  c.Setoriginx(x);
  c.Setoriginy(y);
  c.Setradius(radius);
  return c;
}

inline uint32_t Bits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

// Every field, bit for bit, so that not-a-number directions compare as well.
inline ::testing::AssertionResult SameBall(const pinball& a, const pinball& b) {
  const float fa[] = {a.Getoriginx(), a.Getoriginy(), a.Getradius(), a.Getx1(),
                      a.Gety1(),      a.getspeed(),   a.getvecX(),   a.getvecY()};
  const float fb[] = {b.Getoriginx(), b.Getoriginy(), b.Getradius(), b.Getx1(),
                      b.Gety1(),      b.getspeed(),   b.getvecX(),   b.getvecY()};
  for (int k = 0; k < 8; ++k) {
    if (Bits(fa[k]) != Bits(fb[k])) {
      return ::testing::AssertionFailure() << "field " << k << ": " << fa[k] << " vs " << fb[k];
    }
  }
  const Color_RGB ca = a.Getcol(), cb = b.Getcol();
  if (ca.red != cb.red || ca.green != cb.green || ca.blue != cb.blue) {
    return ::testing::AssertionFailure() << "colour differs";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace physics_test
