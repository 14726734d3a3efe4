#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "shapes/box.h"
#include "shapes/circle.h"
#include "shapes/triangle.h"
#include "tests/shapes/reference_shapes.h"
#include "tests/shapes/reference_triangle.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/platform_stub.h"

// Filled circles, boxes and triangles write their rows straight into the
// store; random stacks of shapes, drawn that way and pixel by pixel through
// SetPixel, must leave the same words in the store.

namespace {

using testing_support::TestBuffer;

struct Shape {
  enum Kind { kCircle, kBox, kTriangle } kind;
  Circle circle;
  Box box{0, 0, 0, 0, Color_RGB{}};
  triangle tri{0, 0, 0, 0, 0, 0, Color_RGB{}};
};

class Shapes {
 public:
  explicit Shapes(uint32_t seed) : random_(seed) {}

  Shape Make(int w, int h, bool huge) {
    Shape s;
    const Color_RGB color{Byte(), Byte(), Byte()};
    s.kind = static_cast<Shape::Kind>(Pick(0, 2));
    if (s.kind == Shape::kCircle) {
      s.circle.Setoriginx(Coordinate(w));
      s.circle.Setoriginy(Coordinate(h));
      s.circle.Setradius(huge ? Real(1000, 30000) : Radius());
      s.circle.Setcol(color);
    } else if (s.kind == Shape::kBox) {
      const int32_t x0 = Corner(w), y0 = Corner(h);
      const bool thin = Pick(0, 5) == 0;  // one row or one column
      s.box = Box(x0, y0, thin ? x0 : Corner(w), thin || Pick(0, 5) == 0 ? y0 : Corner(h), color);
    } else {
      float v[6];
      // Every row from the top vertex down is walked, visible or not, so the
      // far-off corners stay for the other shapes (the triangle's own walk
      // test has them).
      for (int k = 0; k < 6; ++k) {
        const float size = static_cast<float>(k % 2 ? h : w);
        v[k] = huge ? Real(-40000, 40000) : Real(-40, size + 40);
        if (Pick(0, 2) == 0) v[k] = std::round(v[k]);
      }
      if (Pick(0, 4) == 0) v[3] = v[1];  // a flat top or bottom
      s.tri = triangle(v[0], v[1], v[2], v[3], v[4], v[5], color);
    }
    return s;
  }

 private:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  float Real(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random_); }
  uint8_t Byte() { return static_cast<uint8_t>(Pick(1, 255)); }

  // Mostly round the buffer and across its edges, on whole or fractional
  // pixels; sometimes far off, beyond the pixel range, or not a number.
  float Coordinate(int size) {
    switch (Pick(0, 11)) {
      case 0:
        return Real(-3e7f, 3e7f);
      case 1:
        return Pick(0, 1) ? 4e8f : -4e8f;
      case 2:
        return std::numeric_limits<float>::quiet_NaN();
      case 3:
        return std::numeric_limits<float>::infinity();
      case 4:
      case 5:
        return static_cast<float>(Pick(-2, size + 1));
      default:
        return Real(-40, static_cast<float>(size + 40));
    }
  }
  float Radius() {
    switch (Pick(0, 7)) {
      case 0:
        return static_cast<float>(Pick(0, 1));
      case 1:
        return Real(0, 1);
      case 2:
        return -static_cast<float>(Pick(1, 5));  // draws its spans around the centre all the same
      case 3:
        return Pick(0, 1) ? std::numeric_limits<float>::quiet_NaN() : 1e9f;
      default:
        return Real(0, 70);
    }
  }
  int32_t Corner(int size) {
    switch (Pick(0, 9)) {
      case 0:
        return Pick(0, 1) ? std::numeric_limits<int32_t>::max()
                          : std::numeric_limits<int32_t>::min();
      case 1:
        return Pick(-(1 << 30), 1 << 30);
      default:
        return Pick(-30, size + 30);
    }
  }

  std::mt19937 random_;
};

void Draw(Rendering rc, Shape s, bool fill, bool reference) {
  switch (s.kind) {
    case Shape::kCircle:
      if (reference) {
        DrawReferenceCircle(rc, s.circle, fill);
      } else {
        s.circle.Draw(rc, fill);
      }
      return;
    case Shape::kBox:
      if (reference) {
        DrawReferenceBox(rc, s.box, fill);
      } else if (fill) {
        s.box.Draw(rc);
      } else {
        s.box.UnFilled(rc);
      }
      return;
    case Shape::kTriangle:
      // The outline sets single pixels either way; only the fill has spans.
      if (reference) {
        DrawReferenceFilledTriangle(rc, s.tri);
      } else {
        s.tri.Draw(rc, true);
      }
      return;
  }
}

std::vector<uint32_t> Frame(int w, int h, const std::vector<Shape>& shapes, bool fill,
                            bool reference) {
  TestBuffer buf(w, h);
  for (const Shape& s : shapes) Draw(buf.rc(), s, fill, reference);
  buf.rc().Update();
  return stub::LastFrame().words;
}

TEST(SpanStoreTest, RandomShapesLeaveTheReferenceStore) {
  Shapes make(9);
  struct Size {
    int w, h;
  };
  // The 0 x 0 buffer has no store at all.
  const Size sizes[] = {{61, 47}, {1, 1}, {0, 0}, {200, 3}, {2, 150}, {160, 120}};
  int lit = 0;
  for (int k = 0; k < 1200; ++k) {
    const Size size = sizes[k % 6];
    std::vector<Shape> shapes(1 + k % 5);
    for (size_t n = 0; n < shapes.size(); ++n)
      shapes[n] = make.Make(size.w, size.h, k % 97 == 0 && n == 0);
    const bool fill = k % 3 != 2;
    const std::vector<uint32_t> want = Frame(size.w, size.h, shapes, fill, true);
    for (uint32_t word : want) lit += word != 0;
    ASSERT_EQ(Frame(size.w, size.h, shapes, fill, false), want)
        << "case " << k << " in " << size.w << "x" << size.h << (fill ? ", filled" : ", outlined");
  }
  EXPECT_GT(lit, 300000);  // the comparison saw real pictures, not empty frames
}

}  // namespace
