// Tables within every limit of the table format that an attacker would send:
// shapes far larger than the window, crowds of balls, one huge ball among
// small ones. Each is generated here as table text, opened through the
// reader (so that it is a table the program accepts), and timed against the
// default scene in the same loop: the first frame after opening it, a frame
// with the balls running, a frame in edit mode, and one tick.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/render_window.h"
#include "bench/bench_scenes.h"
#include "physics/broad_phase.h"
#include "physics/tick.h"
#include "render/rendering.h"
#include "scene/commands.h"
#include "scene/field.h"
#include "scene/scene.h"
#include "scene/snapshot.h"
#include "scene/table_file.h"

namespace {

const char kBorder[] =
    "wall 0 0 792 0 #ff0000\nwall 792 0 792 554 #ff0000\n"
    "wall 0 0 0 554 #ff0000\nwall 0 554 792 554 #ff0000\n";

std::string Head(bool filled) {
  return std::string("pinball-table 1\ndrawing ") + (filled ? "filled\n" : "outlined\n") + kBorder;
}

std::string Ball(float x, float y, double angle, float speed, float radius) {
  char line[160];
  std::snprintf(line, sizeof line, "ball %.9g %.9g %.9g %.9g %.9g %.9g #00ff00\n", x, y,
                std::cos(angle), std::sin(angle), speed, radius);
  return line;
}

std::string Table(int which) {
  std::mt19937 random(17);
  std::uniform_real_distribution<double> unit(0, 1);
  std::string t;
  switch (which) {
    case 0:  // 26 outlined triangles with corners near +-1,000,000
      t = Head(false);
      for (int k = 0; k < 26; ++k) {
        char line[160];
        std::snprintf(line, sizeof line, "triangle %d %d %d %d %d %d #0000ff -1\n", -999999 + k,
                      -999999, 999999 - k, -998000 + k, k * 1000 - 13000, 999999);
        t += line;
      }
      break;
    case 1:  // 20 filled circles of radius 1,000,000
      t = Head(true);
      for (int k = 0; k < 20; ++k)
        t += "circle " + std::to_string(300 + 10 * k) + " 250 1000000 #ffffff\n";
      break;
    case 2: {  // a polygon of 10,000 vertices alternating between far corners
      t = Head(true);
      const char* corners[] = {"-1000000 -1000000", "1000000 1000000", "-1000000 1000000",
                               "1000000 -1000000"};
      for (int k = 0; k < 10000; ++k)
        t += std::string("vertex ") + corners[k % 4] + " #ffff00 " +
             (k == 0      ? "0"
              : k == 9999 ? "2"
                          : "1") +
             "\n";
      break;
    }
    case 3:  // 10,000 circles of radius 1,000,000
      t = Head(true);
      for (int k = 0; k < 10000; ++k)
        t += "circle " + std::to_string(k % kFieldWidth) + " " + std::to_string(k % kFieldHeight) +
             " 1000000 #ffffff\n";
      break;
    case 4:  // 20,000 balls on one spot
      t = Head(true);
      for (int k = 0; k < 20000; ++k) t += Ball(400, 200, 6.2831853 * unit(random), 3, 10);
      break;
    case 5:  // 10,000 small balls and one of radius 1,000
    case 7:  // the same small balls alone
      t = Head(true);
      if (which == 5) t += Ball(400, 200, 1, 3, 1000);
      for (int k = 0; k < 10000; ++k)
        t += Ball(20 + 750 * unit(random), 20 + 310 * unit(random), 6.2831853 * unit(random), 3, 5);
      break;
    case 6:  // 10,000 balls of radius 1,000 on the field
      t = Head(true);
      for (int k = 0; k < 10000; ++k)
        t += Ball(20 + 750 * unit(random), 20 + 510 * unit(random), 6.2831853 * unit(random), 3,
                  1000);
      break;
  }
  return t;
}

const char* const kNames[] = {
    "26 outlined triangles near +-1e6", "20 filled circles of radius 1e6",
    "polygon of 10,000 far vertices",   "10,000 circles of radius 1e6",
    "20,000 balls on one spot",         "10,000 small balls, one of 1,000",
    "10,000 balls of radius 1,000",     "the 10,000 small balls alone"};

// A scene kept aside while the other is in the lists.
struct Scene {
  SceneSnapshot lists;
  bool fill = true;
};

void Swap(Scene& s) {
  SwapSnapshot(s.lists);
  std::swap(Fill, s.fill);
}

struct Times {
  double open = 0, frame = 0, edit = 0, tick = 0;
};

// The scene in the lists: its first frame (as after opening it), `frames`
// frames with the balls running, as many in edit mode, and as many ticks of a
// copy of its balls.
void Measure(Rendering& rc, BroadPhase& grid, int frames, Times& t) {
  Pause = false;
  double t0 = bench::CpuSeconds();
  // A click pending and dropped again: the scene changed, the frame starts afresh.
  gPointList.push_back(Point{1, 1, red});
  RenderWindow(rc);
  gPointList.pop_back();
  RenderWindow(rc);
  double t1 = bench::CpuSeconds();
  t.open += (t1 - t0) / 2;
  for (int n = 0; n < frames; ++n) RenderWindow(rc);
  double t2 = bench::CpuSeconds();
  t.frame += (t2 - t1) / frames;
  Pause = true;
  RenderWindow(rc);  // the first frame in edit mode
  t2 = bench::CpuSeconds();
  for (int n = 0; n < frames; ++n) RenderWindow(rc);
  double t3 = bench::CpuSeconds();
  t.edit += (t3 - t2) / frames;
  Pause = false;
  std::vector<pinball> balls = BallList;
  t3 = bench::CpuSeconds();
  for (int n = 0; n < frames; ++n) TickBalls(grid, balls, LinesList, circlist);
  t.tick += (bench::CpuSeconds() - t3) / frames;
}

void BM_StallingTable(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const int frames = static_cast<int>(state.range(1));
  state.SetLabel(kNames[which]);
  Scene table;
  std::string error;
  if (!ReadTable(Table(which), table.lists, table.fill, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  MenuCommand(IDM_RESET);
  Scene other = table;  // swapped in and out with the default scene
  Rendering rc(kFieldWidth, kFieldHeight, nullptr);
  rc.ReSize(kFieldWidth, kFieldHeight);
  BroadPhase tableGrid, defaultGrid;
  Times mine, base;
  for (auto _ : state) {
    Swap(other);  // the table in the lists
    Measure(rc, tableGrid, frames, mine);
    Swap(other);  // the default scene back
    Measure(rc, defaultGrid, frames, base);
  }
  const double n = static_cast<double>(state.iterations());
  auto report = [&](const char* name, double a, double b) {
    state.counters[std::string(name) + "_ms"] = a / n * 1e3;
    state.counters[std::string(name) + "_default_ms"] = b / n * 1e3;
    state.counters[std::string(name) + "_ratio"] = a / b;
  };
  report("open", mine.open, base.open);
  report("frame", mine.frame, base.frame);
  report("edit", mine.edit, base.edit);
  report("tick", mine.tick, base.tick);
  rc.DestroyBuffer();
  Pause = false;
}
BENCHMARK(BM_StallingTable)
    ->ArgNames({"table", "frames"})
    ->Args({0, 3})
    ->Args({1, 3})
    ->Args({2, 1})
    ->Args({3, 1})
    ->Args({4, 1})
    ->Args({5, 5})
    ->Args({6, 1})
    ->Args({7, 5})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
