#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "shapes/repeated_sum.h"
#include "shapes/triangle.h"
#include "tests/shapes/reference_triangle.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/platform_stub.h"

// The filled walk skips what lies outside the buffer; the picture must stay
// that of the reference walk, which visits every row, pixel for pixel.

namespace {

using testing_support::TestBuffer;

constexpr Color_RGB kBlue{0, 0, 255};

std::vector<uint32_t> Frame(int w, int h, const triangle& t, bool reference) {
  TestBuffer buf(w, h);
  if (reference) {
    DrawReferenceFilledTriangle(buf.rc(), t);
  } else {
    triangle drawn = t;
    drawn.Draw(buf.rc(), true);
  }
  buf.rc().Update();
  return stub::LastFrame().words;
}

class Triangles {
 public:
  explicit Triangles(uint32_t seed) : random_(seed) {}

  // Corners round the buffer, often on whole or half pixels so that rows
  // and columns tie, sometimes repeated so that edges vanish.
  triangle Near(float lo, float hi) {
    float c[6];
    for (float& v : c) v = Coordinate(lo, hi);
    switch (Pick(0, 9)) {
      case 0:  // two corners coincide
        c[2] = c[0];
        c[3] = c[1];
        break;
      case 1:  // flat top or bottom
        c[3] = c[1];
        break;
      case 2:  // all on one row
        c[3] = c[5] = c[1];
        break;
      case 3:  // a vertical edge
        c[2] = c[0];
        break;
      case 4:  // collinear
        c[4] = 2 * c[2] - c[0];
        c[5] = 2 * c[3] - c[1];
        break;
      default:
        break;
    }
    return triangle(c[0], c[1], c[2], c[3], c[4], c[5], kBlue);
  }

  // The same, shifted far off in one direction.
  triangle FarOff() {
    triangle t = Near(-40, 100);
    const float dx = Pick(0, 1) ? static_cast<float>(Pick(-(1 << 26), 1 << 26)) : 0;
    const float dy = dx == 0 ? static_cast<float>(Pick(-(1 << 20), 1 << 26)) : 0;
    return triangle(t.getv1x() + dx, t.getv1y() + dy, t.getv2x() + dx, t.getv2y() + dy,
                    t.getv3x() + dx, t.getv3y() + dy, kBlue);
  }

 private:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  float Coordinate(float lo, float hi) {
    const float v = std::uniform_real_distribution<float>(lo, hi)(random_);
    switch (Pick(0, 3)) {
      case 0:
        return std::round(v);
      case 1:
        return std::round(v * 2) / 2;
      default:
        return v;
    }
  }

  std::mt19937 random_;
};

TEST(TriangleWalkTest, ClippedWalkDrawsTheReferencePicture) {
  Triangles make(8);
  struct Size {
    int w, h;
  };
  const Size sizes[] = {{61, 47}, {1, 1}, {300, 4}, {3, 200}};
  int drawn = 0;
  for (int k = 0; k < 3000; ++k) {
    const Size s = sizes[k % 4];
    triangle t = k % 50 == 0  ? make.Near(-40000, 40000)  // huge: most rows outside
                 : k % 7 == 0 ? make.FarOff()
                              : make.Near(-60, 320);
    const std::vector<uint32_t> want = Frame(s.w, s.h, t, true);
    for (uint32_t w : want) drawn += w != 0;
    ASSERT_EQ(Frame(s.w, s.h, t, false), want)
        << "triangle " << k << ": " << t.getv1x() << "," << t.getv1y() << " " << t.getv2x() << ","
        << t.getv2y() << " " << t.getv3x() << "," << t.getv3y() << " in " << s.w << "x" << s.h;
  }
  EXPECT_GT(drawn, 100000);  // the comparison saw real pictures, not empty frames
}

// The rows above the buffer are summed in one go: the same float as adding the step
// row by row, for steps and starts of every size and sign, on ties between two floats,
// across powers of two and zero, up to overflow.
TEST(TriangleWalkTest, RepeatedSumIsTheSumOfEveryRow) {
  std::mt19937 random(4);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  auto real = [&] {
    const float v =
        std::ldexp(std::uniform_real_distribution<float>(0.5f, 1)(random), pick(-30, 30));
    return pick(0, 1) ? v : -v;
  };
  for (int k = 0; k < 20000; ++k) {
    float x = pick(0, 3) ? real() : static_cast<float>(pick(-3, 3));
    float step = real();
    if (k % 5 == 0)
      step = std::ldexp(static_cast<float>(pick(1, 7)), pick(-8, 4)) * (pick(0, 1) ? 1 : -1);
    if (k % 97 == 0) x = pick(0, 1) ? 3e38f : std::numeric_limits<float>::infinity();
    const int n = pick(0, 3000);
    float sum = x;
    for (int row = 0; row < n; ++row) sum += step;
    const float jumped = RepeatedSum(x, step, n);
    ASSERT_TRUE(std::memcmp(&sum, &jumped, sizeof sum) == 0 ||
                (std::isnan(sum) && std::isnan(jumped)))
        << std::hexfloat << x << " + " << step << " x " << n << ": " << sum << ", not " << jumped;
  }
}

}  // namespace
