#pragma once

// Float32 values as decimal text that reads back bit for bit. The writer is
// exact integer arithmetic of its own, so every platform writes the same
// characters; the reader takes the platform's correctly rounded strtof.

#include <string>
#include <string_view>

// Appends the shortest decimal that reads back as exactly `v` (finite only):
// "100", "-0", "0.1", "198.58578", "1e10", "-1.5e-7".
void AppendFloat(std::string& out, float v);

// Reads a decimal written as -?D+(.D+)?([eE][+-]?D+)?, and nothing else (no
// blanks, no "inf", no hex), of any length. False when `text` is not such a
// number or its value is not a finite float32.
bool ReadFloat(std::string_view text, float& v);
