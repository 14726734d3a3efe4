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

  // A pass up to a quarter second late (a busy machine that did not run the
  // program for a while) keeps the schedule: the passes owed follow at once,
  // so the pace holds. Later than that, as after a menu, a box or a drag,
  // the lost time is not made up.
  static constexpr int kMostPassesOwed = 16;

  // Returns once the next pass is due: at once for the first and for a late
  // one. After a pass more than kMostPassesOwed periods late, the next is due
  // a period from now.
  void WaitForNextPass();

  HANDLE timer;     // null if no waitable timer could be made: Sleep waits then
  LONGLONG period;  // of a pass, in performance-counter counts
  LONGLONG perSecond;
  LONGLONG due;  // the performance counter at which the next pass may start
};
