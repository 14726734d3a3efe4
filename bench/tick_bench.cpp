// The tick at scale. Each ratio is timed side by side in one loop, on the
// thread's CPU clock, so that both sides see the same machine.

#include <benchmark/benchmark.h>

#include "bench/bench_scenes.h"
#include "physics/broad_phase.h"
#include "physics/tick.h"
#include "tests/support/reference_tick.h"

namespace {

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
  bench::SideBySide(
      state, "T1000_us", [&] { TickBalls(smallGrid, small, LinesList, circlist); }, "T10000_us",
      [&] { TickBalls(largeGrid, large, LinesList, circlist); }, "ratio");
}
BENCHMARK(BM_TickGrowth)->Unit(benchmark::kMillisecond);

// Growth at one density: ten fields of 1,000 balls against one, side by side. The
// growth above is this and the crowding of ten times the balls in one field.
void BM_TickGrowthSameDensity(benchmark::State& state) {
  bench::Fields one = bench::FieldsSideBySide(1), ten = bench::FieldsSideBySide(10);
  BroadPhase oneGrid, tenGrid;
  bench::SideBySide(
      state, "T1000_us", [&] { TickBalls(oneGrid, one.balls, one.walls, one.circles); },
      "T10000_us", [&] { TickBalls(tenGrid, ten.balls, ten.walls, ten.circles); }, "ratio");
}
BENCHMARK(BM_TickGrowthSameDensity)->Unit(benchmark::kMillisecond);

// The tick against the whole-list tick it reproduces, on the same scene.
void BM_TickVsWholeLists(benchmark::State& state) {
  std::vector<pinball> grid = bench::DefaultSceneWithBalls(state.range(0));
  std::vector<pinball> whole = grid;
  bench::SideBySide(
      state, "grid_us", [&] { TickBalls(grid, LinesList, circlist); }, "whole_lists_us",
      [&] { testing_support::ReferenceTick(whole, LinesList, circlist); }, "speedup");
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
  bench::SideBySide(
      state, "bare_us", [&] { TickBalls(bareGrid, bare, LinesList, circlist); }, "walls2000_us",
      [&] { TickBalls(walledGrid, walled, walls, circlist); }, "ratio");
}
BENCHMARK(BM_TickManyWalls)->ArgName("beside")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
