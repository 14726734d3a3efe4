#pragma once

// Puts the whole scene back to how the program starts: empty lists, every
// setting at its initial value, and a fresh platform stand-in.

#include "scene/scene.h"
#include "tests/support/platform_stub.h"

namespace testing_support {

inline void ResetScene() {
  gPointList.clear();
  BallList.clear();
  polylist.clear();
  LinesList.clear();
  circlist.clear();
  boxlist.clear();
  trilist.clear();
  color = red;
  shape = type::triangle;
  CreateBall = false;
  speed = 3.0f;
  pinrad = 5.0f;
  Fill = true;
  Pause = false;
  Start = true;
  pickedb = -1;
  pickedc = -1;
  pickedt = -1;
  stub::Reset();
}

}  // namespace testing_support
