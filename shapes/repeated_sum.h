#pragma once

#include <cstdint>

// The float x after `n` times x = x + step, each sum rounded to float as the
// walking edges of a triangle round theirs, without doing the n additions:
// between two powers of two the rounded sum grows by the same amount each
// time, so each such stretch is one multiplication. Exact for every x, step
// and n (not finite values included).
float RepeatedSum(float x, float step, int64_t n);
