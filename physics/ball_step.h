#pragma once

#include "physics/pinball.h"

// A ball's part of every collision test: its centre, radius, next centre and
// step, formed once per test from its present direction.
struct BallStep {
  float cx, cy, r;
  float nx, ny;  // the next centre, direction times speed plus centre
  float mx, my;  // the step, next centre minus centre
};

inline BallStep StepOf(const pinball& ball) {
  const float cx = ball.Getoriginx();
  const float cy = ball.Getoriginy();
  const float nx = ball.getvecX() * ball.getspeed() + cx;
  const float ny = ball.getvecY() * ball.getspeed() + cy;
  return {cx, cy, ball.Getradius(), nx, ny, nx - cx, ny - cy};
}
