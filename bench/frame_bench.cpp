// A frame on the default scene against its floor, the clear and the copy of
// the same store that every frame costs anyway. Both are timed alternately in
// one loop, on the thread's CPU clock, so that the ratio compares them under
// the same load and time spent waiting for the other core's jobs counts in
// neither.

#include <benchmark/benchmark.h>
#include <time.h>

#include "app/render_window.h"
#include "scene/commands.h"
#include "scene/field.h"
#include "scene/scene.h"

namespace {

double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Argument 1: filled drawing, 0: outlined.
void BM_FrameVsClearCopy(benchmark::State& state) {
  MenuCommand(IDM_RESET);  // the default scene, as the program starts
  Fill = state.range(0) != 0;
  Rendering rc(kFieldWidth, kFieldHeight, nullptr);
  rc.ReSize(kFieldWidth, kFieldHeight);
  RenderWindow(rc);  // the first frame builds the scene

  double frame = 0;
  double clearCopy = 0;
  for (auto _ : state) {
    const double t0 = CpuSeconds();
    RenderWindow(rc);
    const double t1 = CpuSeconds();
    rc.Update();  // the copy to the window and the clear, with nothing drawn
    const double t2 = CpuSeconds();
    frame += t1 - t0;
    clearCopy += t2 - t1;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["frame_us"] = frame / n * 1e6;
  state.counters["clear_copy_us"] = clearCopy / n * 1e6;
  state.counters["ratio"] = frame / clearCopy;
  rc.DestroyBuffer();
  Fill = true;
}
BENCHMARK(BM_FrameVsClearCopy)
    ->ArgName("filled")
    ->Arg(1)
    ->Arg(0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
