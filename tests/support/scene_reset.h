#pragma once

// The start state of the scene, and a fresh platform stand-in.

#include "tests/support/platform_stub.h"
#include "tests/support/scene_state.h"

namespace testing_support {

inline void ResetScene() {
  RestoreStartState();
  stub::Reset();
}

}  // namespace testing_support
