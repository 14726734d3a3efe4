// Saving, opening, undoing and redoing a large table: 10,000 balls (off the
// whole numbers they start on) and 2,000 walls, each timed side by side with
// what it is measured against, and the memory a 100-step history takes.

#include <benchmark/benchmark.h>

#include <string>

#include "app/render_window.h"
#include "bench/bench_scenes.h"
#include "physics/tick.h"
#include "render/rendering.h"
#include "scene/document.h"
#include "scene/field.h"
#include "scene/history.h"
#include "scene/scene.h"
#include "scene/snapshot.h"
#include "scene/table_file.h"

namespace {

void LargeTable() {
  BallList = bench::DefaultSceneWithBalls(10000);
  LinesList = bench::ManyShortWalls(2000);
  for (int n = 0; n < 50; ++n) TickBalls(BallList, LinesList, circlist);
}

void Open(const std::string& bytes) {
  SceneSnapshot table;
  bool fill;
  std::string error;
  ReadTable(bytes, table, fill, error);
  SwapSnapshot(table);
}

// Save against open, of the same table.
void BM_SaveAndOpen(benchmark::State& state) {
  LargeTable();
  std::string bytes = WriteTable();
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
  bench::SideBySide(
      state, "save_us", [&] { bytes = WriteTable(); }, "open_us", [&] { Open(bytes); },
      "open_per_save");
}
BENCHMARK(BM_SaveAndOpen)->Unit(benchmark::kMillisecond);

void AddCircle() {
  BeginEdit();  // the copy of the scene every editing event takes
  NoteEdit();
  circlist.push_back(Circle(300, 300, 20, white));
  EndEdit();
}

// A change, and an undo with its redo, each against one frame of the same
// scene (a field-sized store, balls standing still as in edit mode).
void BM_HistoryAgainstAFrame(benchmark::State& state) {
  LargeTable();
  ForgetHistory();
  AddCircle();
  Rendering rc(kFieldWidth, kFieldHeight, nullptr);
  rc.ReSize(kFieldWidth, kFieldHeight);
  Pause = true;
  if (state.range(0) == 0) {
    bench::SideBySide(
        state, "frame_us", [&] { RenderWindow(rc); }, "undo_and_redo_us",
        [&] {
          Undo();
          Redo();
        },
        "per_frame");
  } else {
    bench::SideBySide(
        state, "frame_us", [&] { RenderWindow(rc); }, "change_us",
        [&] {
          AddCircle();
          circlist.pop_back();  // the scene stays the same size from one run to the next
        },
        "per_frame");
  }
  rc.DestroyBuffer();
  Pause = false;
}
BENCHMARK(BM_HistoryAgainstAFrame)
    ->ArgName("change")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The memory of 100 changes (a circle each) to the default scene and to the large table.
void BM_HistoryOf100Steps(benchmark::State& state) {
  for (auto _ : state) {
    MenuCommand(IDM_RESET);
    if (state.range(0) == 1) LargeTable();
    ForgetHistory();
    for (int n = 0; n < 100; ++n) AddCircle();
  }
  state.counters["history_KiB"] = static_cast<double>(HistoryBytes()) / 1024;
}
BENCHMARK(BM_HistoryOf100Steps)
    ->ArgName("large")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
