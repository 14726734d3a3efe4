#include "scene/float_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// Shortest digits by the free-format method of Steele and White, as Burger
// and Dybvig state it: the value and the half-gaps to its neighbours become
// exact integers r / s, m+ / s and m- / s, and digits are generated until the
// number so far lies within the half-gaps, so it rounds back to the value.

namespace {

// An unsigned integer of up to 192 bits, enough for every float32: the
// largest operand is about 2^160. `n` counts the words in use.
struct Big {
  static constexpr int kWords = 6;
  uint32_t w[kWords] = {};
  int n = 0;

  static Big Of(uint64_t v) {
    Big b;
    b.w[0] = static_cast<uint32_t>(v);
    b.w[1] = static_cast<uint32_t>(v >> 32);
    b.n = b.w[1] ? 2 : b.w[0] ? 1 : 0;
    return b;
  }

  void ShiftLeft(int bits) {
    const int words = bits / 32, rest = bits % 32;
    for (int k = kWords - 1; k >= 0; --k) {
      const int from = k - words;
      uint64_t v = from >= 0 ? uint64_t{w[from]} << rest : 0;
      if (rest && from - 1 >= 0) v |= w[from - 1] >> (32 - rest);
      w[k] = static_cast<uint32_t>(v);
    }
    Trim(kWords);
  }

  void Multiply(uint32_t m) {
    uint64_t carry = 0;
    for (int k = 0; k < n; ++k) {
      const uint64_t v = uint64_t{w[k]} * m + carry;
      w[k] = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    if (carry) w[n++] = static_cast<uint32_t>(carry);
  }

  void MultiplyByPowerOf10(int p) {
    for (; p >= 9; p -= 9) Multiply(1000000000u);
    static const uint32_t kSmall[] = {1,      10,      100,      1000,     10000,
                                      100000, 1000000, 10000000, 100000000};
    if (p > 0) Multiply(kSmall[p]);
  }

  void Subtract(const Big& b) {  // *this >= b
    int64_t borrow = 0;
    for (int k = 0; k < n; ++k) {
      int64_t v = int64_t{w[k]} - (k < b.n ? b.w[k] : 0) - borrow;
      borrow = v < 0;
      w[k] = static_cast<uint32_t>(v + (borrow << 32));
    }
    Trim(n);
  }

  void Trim(int from) {
    n = from;
    while (n > 0 && w[n - 1] == 0) --n;
  }

  static Big Sum(const Big& a, const Big& b) {
    Big c;
    uint64_t carry = 0;
    const int m = a.n > b.n ? a.n : b.n;
    for (int k = 0; k < m; ++k) {
      const uint64_t v = uint64_t{k < a.n ? a.w[k] : 0} + (k < b.n ? b.w[k] : 0) + carry;
      c.w[k] = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    c.n = m;
    if (carry) c.w[c.n++] = static_cast<uint32_t>(carry);
    return c;
  }

  static int Compare(const Big& a, const Big& b) {
    if (a.n != b.n) return a.n < b.n ? -1 : 1;
    for (int k = a.n - 1; k >= 0; --k)
      if (a.w[k] != b.w[k]) return a.w[k] < b.w[k] ? -1 : 1;
    return 0;
  }
};

// Whether r + m reaches past s: at or beyond it when the boundary itself
// rounds back to the value (`inclusive`), strictly beyond otherwise.
bool Beyond(const Big& r, const Big& m, const Big& s, bool inclusive) {
  const int c = Big::Compare(Big::Sum(r, m), s);
  return inclusive ? c >= 0 : c > 0;
}

// The shortest digits of f * 2^e (f > 0) into `digits`, and the exponent k
// with value = 0.digits * 10^k. `unequal`: the gap below is half the gap above.
int ShortestDigits(uint64_t f, int e, bool unequal, char* digits, int& count) {
  Big r, s, mPlus, mMinus;
  if (e >= 0) {
    r = Big::Of(f);
    r.ShiftLeft(e + (unequal ? 2 : 1));
    s = Big::Of(unequal ? 4 : 2);
    mPlus = Big::Of(1);
    mPlus.ShiftLeft(e + (unequal ? 1 : 0));
    mMinus = Big::Of(1);
    mMinus.ShiftLeft(e);
  } else {
    r = Big::Of(f << (unequal ? 2 : 1));
    s = Big::Of(1);
    s.ShiftLeft(-e + (unequal ? 2 : 1));
    mPlus = Big::Of(unequal ? 2 : 1);
    mMinus = Big::Of(1);
  }
  const bool inclusive = f % 2 == 0;  // the reader rounds a tie to the even neighbour

  // An estimate of k from the logarithm, corrected exactly either way.
  int k = static_cast<int>(std::ceil(std::log10(std::ldexp(static_cast<double>(f), e)) - 1e-10));
  if (k >= 0) {
    s.MultiplyByPowerOf10(k);
  } else {
    r.MultiplyByPowerOf10(-k);
    mPlus.MultiplyByPowerOf10(-k);
    mMinus.MultiplyByPowerOf10(-k);
  }
  while (Beyond(r, mPlus, s, inclusive)) {
    s.Multiply(10);
    ++k;
  }
  for (;;) {  // while ten times (r + m+) still stays within s, k is too large
    Big r10 = r, m10 = mPlus;
    r10.Multiply(10);
    m10.Multiply(10);
    if (Beyond(r10, m10, s, inclusive)) break;
    r = r10;
    mPlus = m10;
    mMinus.Multiply(10);
    --k;
  }

  count = 0;
  for (;;) {
    r.Multiply(10);
    mPlus.Multiply(10);
    mMinus.Multiply(10);
    int d = 0;
    while (Big::Compare(r, s) >= 0) {
      r.Subtract(s);
      ++d;
    }
    const int low = Big::Compare(r, mMinus);
    const bool nearLow = inclusive ? low <= 0 : low < 0;
    const bool nearHigh = Beyond(r, mPlus, s, inclusive);
    if (!nearLow && !nearHigh) {
      digits[count++] = static_cast<char>('0' + d);
      continue;
    }
    if (nearLow && nearHigh) {
      Big twice = r;
      twice.Multiply(2);
      const int c = Big::Compare(twice, s);
      if (c > 0 || (c == 0 && d % 2 == 1)) ++d;  // the nearer of the two, the even one on a tie
    } else if (nearHigh) {
      ++d;
    }
    digits[count++] = static_cast<char>('0' + d);
    break;
  }
  // A last digit rounded up to ten carries into the digits before it.
  for (int at = count - 1; at > 0 && digits[at] > '9'; --at) {
    digits[at] = '0';
    ++digits[at - 1];
  }
  if (digits[0] > '9') {
    digits[0] = '1';
    ++k;
  }
  while (count > 1 && digits[count - 1] == '0') --count;
  return k;
}

// Fixed notation between 1e-6 and 1e9, else a single digit before the point and an exponent.
void AppendDecimal(std::string& out, const char* digits, int count, int k) {
  if (k > -6 && k <= 0) {
    out += "0.";
    out.append(static_cast<size_t>(-k), '0');
    out.append(digits, static_cast<size_t>(count));
  } else if (k > 0 && k <= 9) {
    if (count <= k) {
      out.append(digits, static_cast<size_t>(count));
      out.append(static_cast<size_t>(k - count), '0');
    } else {
      out.append(digits, static_cast<size_t>(k));
      out += '.';
      out.append(digits + k, static_cast<size_t>(count - k));
    }
  } else {
    out += digits[0];
    if (count > 1) {
      out += '.';
      out.append(digits + 1, static_cast<size_t>(count - 1));
    }
    out += 'e';
    out += std::to_string(k - 1);
  }
}

bool Digits(std::string_view t, size_t& at) {
  const size_t from = at;
  while (at < t.size() && t[at] >= '0' && t[at] <= '9') ++at;
  return at > from;
}

}  // namespace

void AppendFloat(std::string& out, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  if (bits >> 31) out += '-';
  const uint32_t exponent = (bits >> 23) & 0xFF;
  const uint32_t fraction = bits & 0x7FFFFF;
  if (exponent == 0 && fraction == 0) {
    out += '0';
    return;
  }
  const float magnitude = std::fabs(v);
  if (magnitude < 16777216.0f && magnitude == std::floor(magnitude)) {
    // Whole numbers below 2^24 are exact and need every digit: the common case.
    out += std::to_string(static_cast<uint32_t>(magnitude));
    return;
  }
  const uint64_t f = exponent == 0 ? fraction : (fraction | 0x800000u);
  const int e = exponent == 0 ? -149 : static_cast<int>(exponent) - 150;
  const bool unequal = fraction == 0 && exponent > 1;
  char digits[16];
  int count = 0;
  const int k = ShortestDigits(f, e, unequal, digits, count);
  AppendDecimal(out, digits, count, k);
}

bool ReadFloat(std::string_view text, float& v) {
  // strtof wants a terminated string: on the stack for the usual lengths,
  // else (the format sets no length) on the heap.
  char copy[128];
  if (text.empty()) return false;
  size_t at = 0;
  if (text[at] == '-') ++at;
  if (!Digits(text, at)) return false;
  if (at < text.size() && text[at] == '.') {
    ++at;
    if (!Digits(text, at)) return false;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (!Digits(text, at)) return false;
  }
  if (at != text.size()) return false;
  std::string longer;
  const char* terminated = copy;
  if (text.size() < sizeof copy) {
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
  } else {
    longer.assign(text);
    terminated = longer.c_str();
  }
  const float value = std::strtof(terminated, nullptr);  // the C locale's '.' is the decimal point
  if (!std::isfinite(value)) return false;
  v = value;
  return true;
}
