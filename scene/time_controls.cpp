#include "scene/time_controls.h"

#include <initializer_list>

#include "app/platform.h"
#include "physics/tick.h"
#include "resources/resource.h"
#include "scene/history.h"
#include "scene/scene.h"

namespace {

struct TimeControls {
  bool paused = false;
  int32_t slowMotion = 1;
  int32_t beat = 0;  // passes since the last tick, in slow motion
  bool trails = false;
  BallRecord record;
  uint64_t recordedChanges = ~uint64_t{0};  // the scene's changes the record was started at
  uint64_t starts = 0;
};

TimeControls& controls() {
  static TimeControls t;
  return t;
}

// The record goes on only while it holds the balls as they are and the
// scene has not changed since it began; otherwise it begins again here.
void KeepRecordCurrent() {
  TimeControls& t = controls();
  if (t.recordedChanges == SceneChanges() && t.record.Holds(BallList)) return;
  t.record.Restart(BallList);
  t.recordedChanges = SceneChanges();
  ++t.starts;
}

bool CanStep() { return controls().paused && !Pause; }

}  // namespace

bool PassTicks() {
  TimeControls& t = controls();
  if (Pause || t.paused) return false;
  if (++t.beat < t.slowMotion) return false;
  t.beat = 0;
  return true;
}

void RecordedTick() {
  KeepRecordCurrent();
  TickBalls(BallList, LinesList, circlist);
  controls().record.Push(BallList);
}

void PauseCommand() {
  TimeControls& t = controls();
  t.paused = !t.paused;
  t.beat = 0;
  PlatformCheckMenuItem(IDM_PAUSE, t.paused);
}

void StepCommand() {
  if (CanStep()) RecordedTick();
}

void StepBackCommand() {
  if (!CanStep()) return;
  KeepRecordCurrent();
  controls().record.StepBack(BallList, LinesList, circlist);
}

void SlowMotionCommand(int32_t id) {
  TimeControls& t = controls();
  t.slowMotion = id == IDM_SLOW_HALF ? 2 : id == IDM_SLOW_QUARTER ? 4 : 1;
  t.beat = 0;
  for (int32_t item : {IDM_SLOW_1, IDM_SLOW_HALF, IDM_SLOW_QUARTER}) {
    PlatformCheckMenuItem(item, item == id);
  }
}

void TrailsCommand() {
  TimeControls& t = controls();
  t.trails = !t.trails;
  PlatformCheckMenuItem(IDM_TRAILS, t.trails);
}

bool TimePaused() { return controls().paused; }
int32_t SlowMotion() { return controls().slowMotion; }
bool TrailsOn() { return controls().trails; }
const BallRecord& TimeRecord() { return controls().record; }
uint64_t TimeRecordStarts() { return controls().starts; }

void ResetTimeControls() {
  TimeControls& t = controls();
  t.paused = false;
  t.slowMotion = 1;
  t.beat = 0;
  t.trails = false;
  t.recordedChanges = ~uint64_t{0};
}
