// pinball-replay FRAME: runs passes of the program's main loop on the recording
// stand-in, fed the input events of a script read from standard input, and
// writes the last frame shown to FRAME as top-down RGBA bytes (the layout of
// a canvas' image data). Prints the menu's check marks, "id 0|1", one a line,
// and the text of every box shown on standard error.
//
// Script lines, queued in order like the window's input queue:
//   command ID | left X Y | right X Y | key CODE
//       an input event (CODE a virtual-key code: 65 A, 46 Delete, 32 Space, 190 '.', 188 ',',
//       84 T)
//   open PATH | save PATH
//       File > Open... or Save As..., its dialog answered PATH ("Save changes?" answered No)
//   answer RRGGBB | cancel
//       the colour dialog's next answer (none left: cancel)
//   pass N
//       N passes, each taking at most one event

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "app/main_pass.h"
#include "render/rendering.h"
#include "scene/commands.h"
#include "scene/field.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "tests/support/platform_stub.h"

namespace {

struct Event {
  std::string kind;
  int32_t a = 0;
  int32_t b = 0;
  std::string path;
};

void Dispatch(const Event& e) {
  if (e.kind == "command") {
    MenuCommand(e.a);
  } else if (e.kind == "left") {
    LeftClick(static_cast<uint16_t>(e.a), static_cast<uint16_t>(e.b));
  } else if (e.kind == "right") {
    RightClick(static_cast<uint16_t>(e.a), static_cast<uint16_t>(e.b));
  } else if (e.kind == "key") {
    KeyDown(static_cast<uint32_t>(e.a));
  } else if (e.kind == "open") {
    stub::QueueOpenPath(e.path);
    MenuCommand(IDM_OPEN);
  } else if (e.kind == "save") {
    stub::QueueSavePath(e.path);
    MenuCommand(IDM_SAVE_AS);
  }
}

bool WriteFrame(const char* path) {
  const stub::Frame& frame = stub::LastFrame();
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  for (int32_t y = 0; y < frame.height; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) {
      const uint32_t w = frame.at(x, y);
      const unsigned char rgba[4] = {static_cast<unsigned char>(w >> 16),
                                     static_cast<unsigned char>(w >> 8),
                                     static_cast<unsigned char>(w), 255};
      std::fwrite(rgba, 1, 4, out);
    }
  }
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pinball-replay FRAME < script\n");
    return 2;
  }
  // As in the page: a client area of the field's size, the store made by the first pass.
  Rendering rc(kFieldWidth, kFieldHeight, nullptr);
  AskForResize(kFieldWidth, kFieldHeight);
  init();

  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream words(line);
    Event e;
    if (!(words >> e.kind)) continue;
    if (e.kind == "answer") {
      unsigned rgb = 0;
      words >> std::hex >> rgb;
      stub::QueueColorAnswer(Color_RGB{static_cast<uint8_t>(rgb >> 16),
                                       static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)});
    } else if (e.kind == "cancel") {
      stub::QueueColorCancel();
    } else if (e.kind == "pass") {
      long passes = 0;
      words >> passes;
      bool quit = false;
      for (long n = 0; n < passes; ++n) MainLoopPass(rc, quit);
    } else if (e.kind == "command" || e.kind == "left" || e.kind == "right" || e.kind == "key") {
      words >> e.a >> e.b;
      stub::QueueMessage([e] { Dispatch(e); });
    } else if (e.kind == "open" || e.kind == "save") {
      std::getline(words >> std::ws, e.path);
      stub::QueueMessage([e] { Dispatch(e); });
    } else {
      std::fprintf(stderr, "pinball-replay: unknown line: %s\n", line.c_str());
      return 2;
    }
  }
  for (const auto& mark : stub::CheckMarks())
    std::printf("%d %d\n", mark.first, mark.second ? 1 : 0);
  // What a box said (a file that could not be opened, say), for the one who runs the script.
  for (const auto& box : stub::MessageBoxes()) {
    std::fprintf(stderr, "%s: %s\n", box.caption.c_str(), box.text.c_str());
  }
  const bool written = WriteFrame(argv[1]);
  rc.DestroyBuffer();
  return written ? 0 : 1;
}
