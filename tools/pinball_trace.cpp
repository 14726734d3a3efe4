// pinball-trace N [TABLE [SAVED]]: starts from TABLE (the default scene
// without one), runs N frames exactly as the program does (drawing included,
// into a stand-in store) and prints, for each ball in list order, its centre
// and direction as C hex floats, so that two builds, or two versions of the
// tick, can be compared bit for bit. With SAVED, the table after the N frames
// is written there.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_pass.h"
#include "app/platform.h"
#include "render/rendering.h"
#include "scene/document.h"
#include "scene/field.h"
#include "scene/scene.h"
#include "scene/table_file.h"

int main(int argc, char** argv) {
  char* end = nullptr;
  errno = 0;
  const long frames = argc >= 2 ? std::strtol(argv[1], &end, 10) : -1;
  if (argc < 2 || argc > 4 || *end != '\0' || errno != 0 || frames < 0) {
    std::fprintf(stderr, "usage: pinball-trace N [TABLE [SAVED]]   (N >= 0 frames)\n");
    return 2;
  }
  init();
  if (argc >= 3) {
    std::string bytes, error;
    if (!PlatformReadFile(argv[2], kTableMaxBytes, bytes, error) ||
        !StartWithTable(argv[2], bytes, false, error)) {
      std::fprintf(stderr, "pinball-trace: %s: %s\n", argv[2], error.c_str());
      return 1;
    }
  }
  Rendering rc(kFieldWidth, kFieldHeight, nullptr);
  AskForResize(kFieldWidth, kFieldHeight);
  bool quit = false;
  for (long n = 0; n < frames; ++n) MainLoopPass(rc, quit);
  for (const pinball& ball : BallList) {
    std::printf("%a %a %a %a\n", static_cast<double>(ball.Getoriginx()),
                static_cast<double>(ball.Getoriginy()), static_cast<double>(ball.getvecX()),
                static_cast<double>(ball.getvecY()));
  }
  rc.DestroyBuffer();
  if (argc == 4) {
    std::string error;
    if (!PlatformWriteFile(argv[3], WriteTable(), error)) {
      std::fprintf(stderr, "pinball-trace: %s: %s\n", argv[3], error.c_str());
      return 1;
    }
  }
  return 0;
}
