#pragma once

// The scenes the tick benchmarks share, and the thread CPU clock they time
// with (the other core of these machines is often busy).

#include <benchmark/benchmark.h>
#include <time.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "physics/pinball.h"
#include "scene/commands.h"
#include "scene/scene.h"

namespace bench {

inline double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Runs a() and then b() once each per iteration, timing each on the thread's CPU clock, and
// reports their mean times in microseconds (per call of each, `calls` calls a run) and
// ratioName = b / a.
template <typename A, typename B>
void SideBySide(benchmark::State& state, const char* nameA, A a, const char* nameB, B b,
                const char* ratioName, int calls = 1) {
  double tA = 0, tB = 0;
  for (auto _ : state) {
    const double t0 = CpuSeconds();
    a();
    const double t1 = CpuSeconds();
    b();
    tA += t1 - t0;
    tB += CpuSeconds() - t1;
  }
  const double n = static_cast<double>(state.iterations()) * calls;
  state.counters[nameA] = tA / n * 1e6;
  state.counters[nameB] = tB / n * 1e6;
  state.counters[ratioName] = tB / tA;
}

// The default scene's walls and circles in the global lists, and `n` balls of radius 5 at
// speed 3 spread over the field above the red bar, as a separate list.
inline std::vector<pinball> DefaultSceneWithBalls(int64_t n) {
  MenuCommand(IDM_RESET);
  std::vector<pinball> balls;
  std::mt19937 random(7);
  std::uniform_real_distribution<float> x(20, 770), y(20, 330), aim(-1, 1);
  for (int64_t k = 0; k < n; ++k) {
    const float bx = x(random), by = y(random);
    balls.push_back(pinball(bx, by, bx + aim(random), by + aim(random), green, 3, 5));
  }
  return balls;
}

// `fields` copies of the default scene side by side, 800 pixels apart, with 1,000 balls
// each, placed as DefaultSceneWithBalls places them: the density of one field at any size.
struct Fields {
  std::vector<pinball> balls;
  std::vector<Lines> walls;
  std::vector<Circle> circles;
};
inline Fields FieldsSideBySide(int fields) {
  Fields f;
  const std::vector<pinball> one = DefaultSceneWithBalls(1000);
  for (int k = 0; k < fields; ++k) {
    const float dx = 800.f * k;
    for (const pinball& b : one)
      f.balls.push_back(pinball(b.Getoriginx() + dx, b.Getoriginy(),
                                b.Getoriginx() + dx + b.getvecX(), b.Getoriginy() + b.getvecY(),
                                green, b.getspeed(), b.Getradius()));
    for (const Lines& w : LinesList)
      f.walls.push_back({w.x1 + dx, w.y1, red, w.x2 + dx, w.y2, red});
    for (Circle c : circlist) {
      c.Setoriginx(c.Getoriginx() + dx);
      c.Setx1(c.Getx1() + dx);
      f.circles.push_back(c);
    }
  }
  return f;
}

// The default scene's walls and `count` more short walls (5 to 20 pixels, any direction)
// spread over the field, or as many beside it, to its right, where no ball goes.
inline std::vector<Lines> ManyShortWalls(int count, bool beside = false) {
  std::vector<Lines> walls = LinesList;
  std::mt19937 random(11);
  const float left = beside ? 1000 : 10;
  std::uniform_real_distribution<float> x(left, left + 772), y(10, 544), length(5, 20),
      angle(0, 6.2831853f);
  for (int k = 0; k < count; ++k) {
    const float x1 = x(random), y1 = y(random), l = length(random), a = angle(random);
    walls.push_back({x1, y1, red, x1 + l * std::cos(a), y1 + l * std::sin(a), red});
  }
  return walls;
}

}  // namespace bench
