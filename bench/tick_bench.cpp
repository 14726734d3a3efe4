// The tick at scale. Each ratio is timed side by side in one loop, on the
// thread's CPU clock, so that both sides see the same machine.

#include <benchmark/benchmark.h>

#include "bench/bench_scenes.h"
#include "physics/broad_phase.h"
#include "physics/tick.h"
#include "tests/support/reference_tick.h"

namespace {

using bench::CpuSeconds;

// One tick with N balls.
void BM_Tick(benchmark::State& state) {
  std::vector<pinball> balls = bench::DefaultSceneWithBalls(state.range(0));
  for (auto _ : state) TickBalls(balls, LinesList, circlist);
}
BENCHMARK(BM_Tick)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Growth: T(10,000) against T(1,000).
void BM_TickGrowth(benchmark::State& state) {
  std::vector<pinball> small = bench::DefaultSceneWithBalls(1000);
  std::vector<pinball> large = bench::DefaultSceneWithBalls(10000);
  BroadPhase smallGrid, largeGrid;
  double tSmall = 0, tLarge = 0;
  for (auto _ : state) {
    const double t0 = CpuSeconds();
    TickBalls(smallGrid, small, LinesList, circlist);
    const double t1 = CpuSeconds();
    TickBalls(largeGrid, large, LinesList, circlist);
    tSmall += t1 - t0;
    tLarge += CpuSeconds() - t1;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["T1000_us"] = tSmall / n * 1e6;
  state.counters["T10000_us"] = tLarge / n * 1e6;
  state.counters["ratio"] = tLarge / tSmall;
}
BENCHMARK(BM_TickGrowth)->Unit(benchmark::kMillisecond);

// The tick against the whole-list tick it reproduces, on the same scene.
void BM_TickVsWholeLists(benchmark::State& state) {
  std::vector<pinball> grid = bench::DefaultSceneWithBalls(state.range(0));
  std::vector<pinball> whole = grid;
  double tGrid = 0, tWhole = 0;
  for (auto _ : state) {
    const double t0 = CpuSeconds();
    TickBalls(grid, LinesList, circlist);
    const double t1 = CpuSeconds();
    testing_support::ReferenceTick(whole, LinesList, circlist);
    tGrid += t1 - t0;
    tWhole += CpuSeconds() - t1;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["grid_us"] = tGrid / n * 1e6;
  state.counters["whole_lists_us"] = tWhole / n * 1e6;
  state.counters["speedup"] = tWhole / tGrid;
}
BENCHMARK(BM_TickVsWholeLists)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickVsWholeLists)->Arg(10000)->Iterations(3)->Unit(benchmark::kMillisecond);

// Walls far from a ball cost it nothing: 2,000 short walls over the field (argument 0) or
// beside it (1) against the bare default scene, 1,000 balls each.
void BM_TickManyWalls(benchmark::State& state) {
  std::vector<pinball> bare = bench::DefaultSceneWithBalls(1000);
  std::vector<pinball> walled = bare;
  const std::vector<Lines> walls = bench::ManyShortWalls(2000, state.range(0) == 1);
  BroadPhase bareGrid, walledGrid;  // each scene keeps its own
  double tBare = 0, tWalled = 0;
  for (auto _ : state) {
    const double t0 = CpuSeconds();
    TickBalls(bareGrid, bare, LinesList, circlist);
    const double t1 = CpuSeconds();
    TickBalls(walledGrid, walled, walls, circlist);
    tBare += t1 - t0;
    tWalled += CpuSeconds() - t1;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["bare_us"] = tBare / n * 1e6;
  state.counters["walls2000_us"] = tWalled / n * 1e6;
  state.counters["ratio"] = tWalled / tBare;
}
BENCHMARK(BM_TickManyWalls)->ArgName("beside")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
