#pragma once

// Small helpers for reading frames drawn by the tests.

#include <set>
#include <utility>

#include "render/rendering.h"
#include "tests/support/platform_stub.h"

namespace testing_support {

using Pixel = std::pair<int, int>;

// A buffer of the given size with a live store; released at the end of the scope.
class TestBuffer {
 public:
  TestBuffer(int width, int height) : rc_(width, height, nullptr) { rc_.ReSize(width, height); }
  ~TestBuffer() { rc_.DestroyBuffer(); }
  TestBuffer(const TestBuffer&) = delete;
  TestBuffer& operator=(const TestBuffer&) = delete;

  Rendering& rc() { return rc_; }
  // Presents the frame and returns the positions of all lit pixels.
  std::set<Pixel> Lit() {
    rc_.Update();
    std::set<Pixel> lit;
    const stub::Frame& f = stub::LastFrame();
    for (int y = 0; y < f.height; ++y)
      for (int x = 0; x < f.width; ++x)
        if (f.at(x, y) != 0) lit.insert({x, y});
    return lit;
  }

 private:
  Rendering rc_;
};

}  // namespace testing_support
