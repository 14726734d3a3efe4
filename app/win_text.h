#pragma once

// The core keeps text and paths as UTF-8; Windows' wide calls take UTF-16.
// These convert at the seam. Win32 only.

#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text);

// A path for the wide file calls: as it is while it is short; a long one made
// absolute and given the \\?\ prefix, which lifts the 260-character limit.
std::wstring WidePath(const std::string& path);
