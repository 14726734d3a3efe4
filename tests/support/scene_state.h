#pragma once

// Puts the scene back to how the program starts: empty lists and every
// setting at its initial value. Shared by the native and the Windows tests.

#include "scene/document.h"
#include "scene/scene.h"
#include "scene/snapshot.h"
#include "scene/time_controls.h"

namespace testing_support {

inline void RestoreStartState() {
  EmptyScene();
  SetStartSettings();
  ForgetDocument();
  ResetTimeControls();
}

}  // namespace testing_support
