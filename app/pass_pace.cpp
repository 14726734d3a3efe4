#include "app/pass_pace.h"

// Older SDK headers lack it; systems before Windows 10 1803 refuse it.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

LONGLONG Now() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart;
}

}  // namespace

PassPace::PassPace() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  perSecond = f.QuadPart;
  period = perSecond / kPassesPerSecond;
  due = Now();
  // A plain timer waits in whole ticks of the system timer, a high-resolution
  // one to well under a millisecond.
  timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                 TIMER_ALL_ACCESS);
  if (timer == nullptr) timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

PassPace::~PassPace() {
  if (timer != nullptr) CloseHandle(timer);
}

void PassPace::WaitForNextPass() {
  const LONGLONG now = Now();
  if (now >= due) {
    due = now - due < kMostPassesOwed * period ? due + period : now + period;
    return;
  }
  // The rest of the period, in the 100 ns units of a relative due time.
  LARGE_INTEGER rest;
  rest.QuadPart = -((due - now) * 10000000 / perSecond);
  if (timer == nullptr || !SetWaitableTimer(timer, &rest, 0, nullptr, nullptr, FALSE) ||
      WaitForSingleObject(timer, INFINITE) != WAIT_OBJECT_0) {
    Sleep(static_cast<DWORD>((due - now) * 1000 / perSecond) + 1);
  }
  // From the deadline, not from the wake-up, so the timer's overshoot does
  // not add up: where Sleep(1) already ends on the 1/64 s system tick (a
  // default Windows machine) the pace stays that of the tick.
  due += period;
}
