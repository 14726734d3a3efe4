// Time of one frame on the default scene, and of one tick with many balls.

#include <benchmark/benchmark.h>

#include <random>

#include "app/render_window.h"
#include "scene/commands.h"
#include "scene/field.h"
#include "scene/scene.h"
#include "tests/shapes/reference_triangle.h"

namespace {

void BM_RenderWindowDefaultScene(benchmark::State& state) {
  MenuCommand(IDM_RESET);  // the default scene, as the program starts
  Rendering rc(kFieldWidth, kFieldHeight, nullptr);
  rc.ReSize(kFieldWidth, kFieldHeight);
  for (auto _ : state) RenderWindow(rc);
  rc.DestroyBuffer();
}
BENCHMARK(BM_RenderWindowDefaultScene);

// The default scene with `balls` balls of radius 5 spread over the field;
// drawing is done into an empty buffer so that the tick dominates.
void BM_TickWithBalls(benchmark::State& state) {
  MenuCommand(IDM_RESET);  // the default scene, as the program starts
  BallList.clear();
  std::mt19937 random(7);
  std::uniform_real_distribution<float> x(20, 770), y(20, 330), aim(-1, 1);
  for (int64_t k = 0; k < state.range(0); ++k) {
    const float bx = x(random), by = y(random);
    BallList.push_back(pinball(bx, by, bx + aim(random), by + aim(random), green, 3, 5));
  }
  Rendering rc(0, 0, nullptr);
  for (auto _ : state) RenderWindow(rc);
  rc.DestroyBuffer();
}
BENCHMARK(BM_TickWithBalls)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A filled triangle reaching row 65535, drawn into the field-sized frame: the
// walk over the buffer's rows alone (Arg 0) and the reference walk over all
// of its rows (Arg 1), side by side.
void BM_TallFilledTriangle(benchmark::State& state) {
  Rendering rc(kFieldWidth, kFieldHeight, nullptr);
  rc.ReSize(kFieldWidth, kFieldHeight);
  const triangle tall(100, 100, 65535, 200, 300, 65535, blue);
  for (auto _ : state) {
    if (state.range(0) == 0) {
      triangle t = tall;
      t.Draw(rc, true);
    } else {
      DrawReferenceFilledTriangle(rc, tall);
    }
  }
  rc.DestroyBuffer();
}
BENCHMARK(BM_TallFilledTriangle)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
