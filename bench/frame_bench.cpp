// A frame on the default scene against its floor, the clear and the copy of
// the same store that every frame costs anyway. Both are timed alternately in
// one loop, so that the ratio compares them under the same load.

#include <benchmark/benchmark.h>

#include <chrono>

#include "app/render_window.h"
#include "scene/commands.h"
#include "scene/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// Argument 1: filled drawing, 0: outlined.
void BM_FrameVsClearCopy(benchmark::State& state) {
  MenuCommand(IDM_RESET);  // the default scene, as the program starts
  Fill = state.range(0) != 0;
  Rendering rc(792, 554, nullptr);
  rc.ReSize(792, 554);
  RenderWindow(rc);  // the first frame builds the scene

  double frame = 0;
  double clearCopy = 0;
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    RenderWindow(rc);
    const Clock::time_point t1 = Clock::now();
    rc.Update();  // the copy to the window and the clear, with nothing drawn
    const Clock::time_point t2 = Clock::now();
    frame += Seconds(t0, t1);
    clearCopy += Seconds(t1, t2);
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
