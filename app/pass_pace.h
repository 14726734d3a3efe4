#pragma once

// Keeps the main loop to at most kPassesPerSecond passes a second. A ball
// moves one step a pass, so without it the ball speed follows the system's
// timer resolution: ~64 passes a second on a default Windows machine, ten
// times as many under Wine or where a program has raised the resolution.
// Win32 only.

#include <windows.h>

struct PassPace {
  static constexpr int kPassesPerSecond = 64;

  PassPace();
  ~PassPace();
  PassPace(const PassPace&) = delete;
  PassPace& operator=(const PassPace&) = delete;

  // Returns once the next pass is due: at once for the first, and at once
  // for a late one, whose successor is then due a period from now, so that
  // time lost in a menu or a box is not made up with a burst of passes.
  void WaitForNextPass();

  HANDLE timer;      // null if no waitable timer could be made: Sleep waits then
  LONGLONG period;   // of a pass, in performance-counter counts
  LONGLONG perSecond;
  LONGLONG due;      // the performance counter at which the next pass may start
};
