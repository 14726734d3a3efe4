#include "app/win_text.h"

#include <windows.h>

#include <cwchar>

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Utf8FromWide(const wchar_t* text) {
  const int length = static_cast<int>(std::wcslen(text));
  if (length == 0) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::wstring WidePath(const std::string& path) {
  std::wstring wide = WideFromUtf8(path);
  // 248: the shortest limit of the plain calls (a folder's name leaves room for an 8.3 file).
  if (wide.size() < 248 || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return wide;
  std::wstring full(n, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
  if (written == 0 || written >= n) return wide;
  full.resize(written);
  // \\server\share\... becomes \\?\UNC\server\share\...
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}
