// Coverage-guided fuzzing of reading tables. Any bytes either open to a
// table that saves, and reopens to the same bytes, or are refused with a
// reason, leaving what the reader was given as it was. An opened table then
// runs a few frames, so that no value a table may hold upsets the drawing or
// the collisions. A fault prints what broke and aborts, so that libFuzzer
// keeps the input.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/render_window.h"
#include "scene/scene.h"
#include "scene/table_file.h"
#include "tests/support/platform_stub.h"
#include "tests/support/scene_state.h"

namespace {

[[noreturn]] void Fault(const char* what, const std::string& detail = "") {
  std::fprintf(stderr, "table fault: %s %s\n", what, detail.c_str());
  std::abort();
}

void Open(std::string_view bytes, const char* what) {
  SceneSnapshot table;
  bool fill = true;
  std::string error;
  if (!ReadTable(bytes, table, fill, error)) Fault(what, error);
  SwapSnapshot(table);
  Fill = fill;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  testing_support::RestoreStartState();
  stub::Reset();
  init();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  SceneSnapshot table;
  table.pickedb = 7;  // a mark that a refusal must leave alone
  bool fill = false;
  std::string error;
  if (!ReadTable(bytes, table, fill, error)) {
    if (error.empty()) Fault("a refusal without a reason");
    if (fill || table.pickedb != 7 || !table.balls.empty() || !table.walls.empty()) {
      Fault("a refusal changed what the reader was given", error);
    }
    return 0;
  }
  SwapSnapshot(table);
  Fill = fill;
  const std::string saved = WriteTable();
  Open(saved, "a saved table does not reopen:");
  if (WriteTable() != saved) Fault("a reopened table saves to other bytes");

  Rendering rc(0, 0, nullptr);
  rc.ReSize(200, 150);
  for (int n = 0; n < 3; ++n) RenderWindow(rc);
  rc.DestroyBuffer();
  for (const pinball& b : BallList) {
    if (!std::isfinite(b.Getoriginx()) || !std::isfinite(b.Getoriginy())) {
      Fault("a ball left the numbers");
    }
  }
  Open(WriteTable(), "a table after its frames does not reopen:");
  return 0;
}
