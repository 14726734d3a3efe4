#pragma once

#include "physics/vector.h"
#include "shapes/circle.h"

// One moving ball: a circle with a speed and a unit direction of travel.
class pinball : public Circle {
 public:
  // Centre (originx, originy); the direction points at the aim point (x1, y1),
  // whose distance plays no part. An aim point on the centre gives a
  // not-a-number direction.
  pinball(float originx, float originy, float x1, float y1, Color_RGB color, float spd, float rad);
  // A ball as a saved table holds it: the direction taken exactly as given,
  // not normalised again, so that it reads back bit for bit.
  pinball(float originx, float originy, VECTOR direction, Color_RGB color, float spd, float rad);

  // Advances the centre by speed along the direction.
  void moveball();
  // Takes v as the new direction, normalised.
  void SetD(VECTOR v);
  // Puts back a centre and direction recorded earlier, exactly as they were.
  void Restore(float x, float y, VECTOR direction) {
    originx = x;
    originy = y;
    vec = direction;
  }

  float getvecX() const { return vec.i; }
  float getvecY() const { return vec.j; }
  float getspeed() const { return speed; }
  const VECTOR& getvec() const { return vec; }

 private:
  float speed;
  VECTOR vec;
};
