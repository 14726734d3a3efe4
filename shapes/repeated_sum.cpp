#include "shapes/repeated_sum.h"

#include <cmath>

namespace {

// For x + s with s > 0: the spacing u of the floats from x up to `top`, the
// largest value up to which that spacing holds (both powers of two).
void Spacing(float x, double& u, double& top) {
  const double v = x;
  int e;
  if (v >= 0x1p-126) {
    std::frexp(v, &e);  // 2^(e-1) <= v < 2^e
    u = std::ldexp(1.0, e - 24);
    top = std::ldexp(1.0, e);
  } else if (v > -0x1p-125) {
    u = 0x1p-149;  // subnormals and the smallest normals share one spacing
    top = 0x1p-126;
  } else {
    const double m = std::frexp(-v, &e);  // 2^(e-1) <= -v < 2^e
    if (m == 0.5) --e;                    // -v a power of two: the spacing below it
    u = std::ldexp(1.0, e - 24);
    top = -std::ldexp(1.0, e - 1);
  }
}

// The same for step > 0.
float Upward(float x, float step, int64_t n) {
  while (n > 0) {
    const float next = x + step;
    --n;
    if (next == x || !std::isfinite(next)) return next;  // it stays there from now on
    x = next;
    if (n == 0) break;
    double u, top;
    Spacing(x, u, top);
    // In units of u: x = k, the step q. While k + q <= top, each sum is k + q
    // rounded to a whole number, ties to even; so after a first sum each sum
    // adds the same amount.
    const double k = x / u, q = static_cast<double>(step) / u;
    const double j = std::floor(q), f = q - j;
    if (f == 0.5 && std::fmod(k, 2) != 0) continue;  // a tie from an odd k: one sum more first
    const double delta = f < 0.5 ? j : f > 0.5 ? j + 1 : (std::fmod(k + j, 2) == 0 ? j : j + 1);
    if (delta == 0) return x;
    // Sums from k + i * delta stay within the spacing while i * delta <= top - k - q.
    const double room = std::floor(top / u - k - std::ceil(q));
    if (room < 0) continue;
    const double most = std::floor(room / delta) + 1;
    const int64_t m = most < static_cast<double>(n) ? static_cast<int64_t>(most) : n;
    x = static_cast<float>((k + static_cast<double>(m) * delta) * u);
    n -= m;
  }
  return x;
}

}  // namespace

float RepeatedSum(float x, float step, int64_t n) {
  if (n <= 0) return x;
  if (!std::isfinite(x) || !std::isfinite(step) || step == 0) return x + step;
  // Rounding to nearest is symmetric: walking down is walking up mirrored.
  if (step < 0) return -Upward(-x, -step, n);
  return Upward(x, step, n);
}
