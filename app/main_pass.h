#pragma once

// One pass of the main loop, the same on every platform: at most one input
// message, the resize the window asked for, one frame, the pace. A platform
// supplies only how a message is taken and how the pace is kept
// (app/platform.h); everything a pass does is written here.

#include <cstdint>

#include "render/rendering.h"

// The window's size notifications, read by the next pass.
extern bool gReSize;      // a size notification arrived since the last pass
extern int32_t gWindowX;  // client width of the last size notification
extern int32_t gWindowY;  // client height of the last size notification

// A size notification: the next pass resizes the frame buffer to width x
// height. Several before a pass collapse into one resize, at the last size.
void AskForResize(int32_t width, int32_t height);

// Takes at most one message (the quit request sets `quit` and is not handed
// on), makes the resize asked for, composes and shows one frame, and keeps
// the pace. The pass that takes the quit request still shows its frame.
void MainLoopPass(Rendering& rc, bool& quit);
