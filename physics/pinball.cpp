#include "physics/pinball.h"

pinball::pinball(float originx, float originy, float x1, float y1, Color_RGB color, float spd,
                 float rad)
    : Circle() {
  this->color = color;
  this->originx = originx;
  this->originy = originy;
  this->x1 = x1;
  this->y1 = y1;
  vec = VECTOR(x1 - originx, y1 - originy);
  radius = rad;
  vec.normalize();
  speed = spd;
}

pinball::pinball(float originx, float originy, VECTOR direction, Color_RGB color, float spd,
                 float rad)
    : Circle() {
  this->color = color;
  this->originx = originx;
  this->originy = originy;
  x1 = originx + direction.i;
  y1 = originy + direction.j;
  vec = direction;
  radius = rad;
  speed = spd;
}

void pinball::moveball() {
  const float dx = vec.i * speed;
  originx = dx + originx;
  const float dy = vec.j * speed;
  originy = originy + dy;
}

void pinball::SetD(VECTOR v) {
  vec = v;
  vec.normalize();
}
