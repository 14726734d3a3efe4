#pragma once

// Puts the scene back to how the program starts: empty lists and every
// setting at its initial value. Shared by the native and the Windows tests.

#include "scene/document.h"
#include "scene/scene.h"
#include "scene/time_controls.h"

namespace testing_support {

inline void RestoreStartState() {
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
  ForgetDocument();
  ResetTimeControls();
}

}  // namespace testing_support
