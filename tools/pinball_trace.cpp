// pinball-trace N: builds the default scene, runs N frames exactly as the
// program does (drawing included, into a stand-in store) and prints, for each
// ball in list order, its centre and direction as C hex floats. Two builds, or
// two versions of the tick, can be compared bit for bit.

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "app/render_window.h"
#include "render/rendering.h"
#include "scene/scene.h"

int main(int argc, char** argv) {
  char* end = nullptr;
  errno = 0;
  const long frames = argc == 2 ? std::strtol(argv[1], &end, 10) : -1;
  if (argc != 2 || *end != '\0' || errno != 0 || frames < 0) {
    std::fprintf(stderr, "usage: pinball-trace N   (N >= 0 frames)\n");
    return 2;
  }
  Rendering rc(792, 554, nullptr);
  rc.ReSize(792, 554);
  init();
  for (long n = 0; n < frames; ++n) RenderWindow(rc);
  for (const pinball& ball : BallList) {
    std::printf("%a %a %a %a\n", static_cast<double>(ball.Getoriginx()),
                static_cast<double>(ball.Getoriginy()), static_cast<double>(ball.getvecX()),
                static_cast<double>(ball.getvecY()));
  }
  rc.DestroyBuffer();
  return 0;
}
