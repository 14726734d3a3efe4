#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "shapes/box.h"
#include "shapes/circle.h"
#include "shapes/polygon_line.h"
#include "shapes/triangle.h"
#include "tests/shapes/reference_shapes.h"
#include "tests/shapes/reference_triangle.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/platform_stub.h"

// Every rasteriser writes only what lands in the store: rows straight into
// it, and only the rows, arcs and runs of pixels inside it visited. Random
// stacks of shapes, round the store or far larger than it, drawn that way and
// as they were first drawn (every pixel through SetPixel, from end to end),
// must leave the same words in the store.

namespace {

using testing_support::TestBuffer;

#ifdef PINBALL_SHORT_RUNS
constexpr int kCases = 600, kHugeEvery = 160;  // every access checked: fewer, smaller shapes
#else
constexpr int kCases = 1200, kHugeEvery = 40;
#endif

struct Shape {
  enum Kind { kCircle, kBox, kTriangle, kLine } kind;
  Circle circle;
  int32_t line[4] = {};
  Box box{0, 0, 0, 0, Color_RGB{}};
  triangle tri{0, 0, 0, 0, 0, 0, Color_RGB{}};
  Color_RGB color{};
};

class Shapes {
 public:
  explicit Shapes(uint32_t seed) : random_(seed) {}

  Shape Make(int w, int h, bool huge) {
    Shape s;
    const Color_RGB color{Byte(), Byte(), Byte()};
    s.kind = static_cast<Shape::Kind>(Pick(0, 3));
    if (s.kind == Shape::kCircle) {
      s.circle.Setoriginx(Coordinate(w));
      s.circle.Setoriginy(Coordinate(h));
      s.circle.Setradius(huge ? Real(1000, 30000) : Radius());
      s.circle.Setcol(color);
    } else if (s.kind == Shape::kBox) {
      const int32_t x0 = Corner(w), y0 = Corner(h);
      const bool thin = Pick(0, 5) == 0;  // one row or one column
      s.box = Box(x0, y0, thin ? x0 : Corner(w), thin || Pick(0, 5) == 0 ? y0 : Corner(h), color);
    } else if (s.kind == Shape::kTriangle) {
      float v[6];
      // Corners far off are Far's.
      for (int k = 0; k < 6; ++k) {
        const float size = static_cast<float>(k % 2 ? h : w);
        v[k] = huge ? Real(-40000, 40000) : Real(-40, size + 40);
        if (Pick(0, 2) == 0) v[k] = std::round(v[k]);
      }
      if (Pick(0, 4) == 0) v[3] = v[1];  // a flat top or bottom
      s.tri = triangle(v[0], v[1], v[2], v[3], v[4], v[5], color);
    } else {
      for (int k = 0; k < 4; ++k) s.line[k] = Corner(k % 2 ? h : w, false);
      if (Pick(0, 5) == 0) s.line[2] = s.line[0];                            // vertical
      if (Pick(0, 5) == 0) s.line[3] = s.line[1];                            // horizontal
      if (Pick(0, 5) == 0) s.line[3] = s.line[1] + (s.line[2] - s.line[0]);  // 45 degrees
    }
    s.color = color;
    return s;
  }

  // Shapes far larger than the store, crossing it or passing beside it, and
  // far off: centres, corners and ends up to a few million pixels out, radii
  // up to millions.
  Shape Far(int w, int h, float reach) {
    Shape s;
    const Color_RGB color{Byte(), Byte(), Byte()};
    s.kind = static_cast<Shape::Kind>(Pick(0, 3));
    auto far = [&](int size) {
      return Pick(0, 2) ? Real(-reach, reach) : static_cast<float>(Pick(-40, size + 40));
    };
    if (s.kind == Shape::kCircle) {
      const float r = Pick(0, 3) ? Real(1, reach) : Real(1, 300);
      // Often so that the rim passes through the store.
      const float cx = far(w), cy = Pick(0, 1) ? far(h) : Real(-40, h + 40.f) - r;
      s.circle = Circle(cx - r, cy, r, color);
    } else if (s.kind == Shape::kBox) {
      auto corner = [&](int size) { return static_cast<int32_t>(far(size)); };
      s.box = Box(corner(w), corner(h), corner(w), corner(h), color);
    } else if (s.kind == Shape::kTriangle) {
      s.tri = triangle(far(w), far(h), far(w), far(h), far(w), far(h), color);
    } else {
      for (int k = 0; k < 4; ++k) s.line[k] = static_cast<int32_t>(far(k % 2 ? h : w));
    }
    s.color = color;
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
  int32_t Corner(int size, bool any = true) {
    switch (Pick(any ? 0 : 1, 9)) {
      case 0:
        return Pick(0, 1) ? std::numeric_limits<int32_t>::max()
                          : std::numeric_limits<int32_t>::min();
      case 1:
        return any ? Pick(-(1 << 30), 1 << 30) : Pick(-3000000, 3000000);
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
      if (reference) {
        fill ? DrawReferenceFilledTriangle(rc, s.tri) : DrawReferenceOutlineTriangle(rc, s.tri);
      } else {
        s.tri.Draw(rc, fill);
      }
      return;
    case Shape::kLine:
      (reference ? DrawReferenceLine : PolygonLine)(s.line[0], s.line[1], s.line[2], s.line[3],
                                                    s.color, rc);
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
  for (int k = 0; k < kCases; ++k) {
    const Size size = sizes[k % 6];
    std::vector<Shape> shapes(1 + k % 5);
    const bool far = k % 4 == 3;
    for (size_t n = 0; n < shapes.size(); ++n)
      shapes[n] = far ? make.Far(size.w, size.h, k % kHugeEvery == 3 ? 3e6f : 2e5f)
                      : make.Make(size.w, size.h, k % 97 == 0 && n == 0);
    const bool fill = k % 3 != 2;
    const std::vector<uint32_t> want = Frame(size.w, size.h, shapes, fill, true);
    for (uint32_t word : want) lit += word != 0;
    ASSERT_EQ(Frame(size.w, size.h, shapes, fill, false), want)
        << "case " << k << " in " << size.w << "x" << size.h << (fill ? ", filled" : ", outlined");
  }
  EXPECT_GT(lit, kCases * 160);  // the comparison saw real pictures, not empty frames
}

}  // namespace
