// A frame on the default scene against what every frame cost before frames
// kept their store: the clear and the copy of a store of the same size. Both
// are timed alternately in one loop, on the thread's CPU clock, so that the
// ratio compares them under the same load and time spent waiting for the
// other core's jobs counts in neither.

#include <benchmark/benchmark.h>
#include <time.h>

#include "app/render_window.h"
#include "app/trails.h"
#include "bench/bench_scenes.h"
#include "scene/commands.h"
#include "scene/field.h"
#include "scene/scene.h"
#include "scene/time_controls.h"

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
  // The floor on a store of its own: the frames keep theirs from one to the next.
  Rendering floor(kFieldWidth, kFieldHeight, nullptr);
  floor.ReSize(kFieldWidth, kFieldHeight);
  RenderWindow(rc);  // the first frame builds the scene

  double frame = 0;
  double clearCopy = 0;
  for (auto _ : state) {
    const double t0 = CpuSeconds();
    RenderWindow(rc);
    const double t1 = CpuSeconds();
    floor.Update();  // the copy to the window and the clear, with nothing drawn
    const double t2 = CpuSeconds();
    frame += t1 - t0;
    clearCopy += t2 - t1;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["frame_us"] = frame / n * 1e6;
  state.counters["clear_copy_us"] = clearCopy / n * 1e6;
  state.counters["ratio"] = frame / clearCopy;
  rc.DestroyBuffer();
  floor.DestroyBuffer();
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

namespace {

// A frame of 1,000 balls with the trails of the last 256 ticks under it,
// against the same frame without them: the trails are laid down and drawn
// by a layer of their own just before the frame, as RenderWindow does with
// Trails on, and the frames alternate in one loop.
void BM_FrameWithTrailsVsWithout(benchmark::State& state) {
  BallList = bench::DefaultSceneWithBalls(1000);
  Rendering rc(kFieldWidth, kFieldHeight, nullptr);
  rc.ReSize(kFieldWidth, kFieldHeight);
  Trails trails;
  for (int k = 0; k < 300; ++k) {  // trails of full length
    trails.Follow(BallList, TimeRecord().Tick(), TimeRecordStarts(), kFieldWidth, kFieldHeight);
    trails.Draw(rc);
    RenderWindow(rc);
  }
  bench::SideBySide(
      state, "frame_us", [&] { RenderWindow(rc); }, "with_trails_us",
      [&] {
        trails.Follow(BallList, TimeRecord().Tick(), TimeRecordStarts(), kFieldWidth, kFieldHeight);
        trails.Draw(rc);
        RenderWindow(rc);
      },
      "ratio");
  rc.DestroyBuffer();
}
BENCHMARK(BM_FrameWithTrailsVsWithout)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
