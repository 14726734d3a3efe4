// The platform functions of the core, on GDI, USER32, COMDLG32 and KERNEL32's files.

// <dlgs.h> needs <windows.h> first.
// clang-format off
#include <windows.h>  // with <commdlg.h>, for ChooseColorA
#include <dlgs.h>     // the ids of the file dialog's controls
// clang-format on

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/win_text.h"
#include "app/window.h"

PlatformHandle PlatformCreateDisplayContext() {
  return CreateDCA("Display", nullptr, nullptr, nullptr);
}

PlatformHandle PlatformCreateCompatibleContext(PlatformHandle context) {
  return CreateCompatibleDC(static_cast<HDC>(context));
}

PlatformHandle PlatformCreateDibSection(PlatformHandle memoryContext, int32_t width, int32_t height,
                                        uint32_t** pixels) {
  *pixels = nullptr;
  // GDI sizes an image in 32 bits. Refuse a store it cannot describe rather
  // than trust every driver to notice the overflow; the core then treats it as 0 x 0.
  if (width > 0 && height > 0 &&
      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4 > 0x7FFFFFFFu) {
    return nullptr;
  }
  BITMAPINFO info = {};  // every field zero; no colour table follows
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // positive: bottom-up rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(static_cast<HDC>(memoryContext), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) *pixels = static_cast<uint32_t*>(bits);
  return bitmap;
}

PlatformHandle PlatformSelectObject(PlatformHandle context, PlatformHandle object) {
  return SelectObject(static_cast<HDC>(context), static_cast<HGDIOBJ>(object));
}

void PlatformDeleteObject(PlatformHandle object) { DeleteObject(static_cast<HGDIOBJ>(object)); }

void PlatformDeleteContext(PlatformHandle context) { DeleteDC(static_cast<HDC>(context)); }

void PlatformPresent(PlatformHandle windowContext, int32_t width, int32_t height,
                     PlatformHandle memoryContext) {
  if (gScale.factor == 1) {
    BitBlt(static_cast<HDC>(windowContext), 0, 0, width, height, static_cast<HDC>(memoryContext), 0,
           0, SRCCOPY);
    return;
  }
  // A whole factor: each scene pixel copied to a block of device pixels, no smoothing.
  SetStretchBltMode(static_cast<HDC>(windowContext), COLORONCOLOR);
  StretchBlt(static_cast<HDC>(windowContext), 0, 0, gScale.ToDevice(width), gScale.ToDevice(height),
             static_cast<HDC>(memoryContext), 0, 0, width, height, SRCCOPY);
}

void PlatformCheckMenuItem(int32_t commandId, bool checked) {
  CheckMenuItem(GetMenu(gWindH), static_cast<UINT>(commandId),
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool PlatformChooseColor(Color_RGB current, Color_RGB& chosen) {
  // The dialog edits the custom colours in place; they stay for the whole run.
  static COLORREF crCustColors[16] = {};
  static CHOOSECOLORA cc;
  cc = {};
  cc.lStructSize = sizeof(CHOOSECOLORA);
  cc.hwndOwner = nullptr;
  cc.hInstance = nullptr;
  cc.rgbResult = RGB(current.red, current.green, current.blue);
  cc.lpCustColors = crCustColors;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  cc.lCustData = 0;
  cc.lpfnHook = nullptr;
  cc.lpTemplateName = nullptr;
  if (ChooseColorA(&cc) != TRUE) return false;
  chosen = Color_RGB{GetRValue(cc.rgbResult), GetGValue(cc.rgbResult), GetBValue(cc.rgbResult)};
  return true;
}

void PlatformMessageBox(bool owned, const char* caption, const char* text) {
  MessageBoxA(owned ? gWindH : nullptr, text, caption, 0);
}

void PlatformErrorBox(const char* caption, const char* text) {
  // Wide, for the file names in any language that errors quote.
  MessageBoxW(gWindH, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(),
              MB_OK | MB_ICONERROR);
}

void PlatformQuit() { PostQuitMessage(0); }

namespace {

// The system's text for the last error, on one line.
std::string LastErrorText() {
  const DWORD code = GetLastError();
  wchar_t text[256] = {};  // in the user's language, so wide
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, text, 256, nullptr);
  while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L'.')) {
    text[--n] = 0;
  }
  if (n == 0) return "error " + std::to_string(code);
  return Utf8FromWide(text);
}

const wchar_t kTableFilter[] = L"Pinball tables (*.pinball)\0*.pinball\0All files (*.*)\0*.*\0";

// The longest path Windows has, in characters, with its terminating zero.
constexpr DWORD kPathBufferChars = 32768;

// Wine's own file dialog (Wine 8) overruns a buffer of 260 characters when the
// folder and the typed name together pass it, which ends the program. Under
// Wine the name box takes no more than fits. Windows' dialog takes long names
// and is left as it is (a hook would also give it its old look).
bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

UINT_PTR CALLBACK LimitNameToFit(HWND hook, UINT msg, WPARAM, LPARAM lp) {
  if (msg != WM_NOTIFY) return 0;
  const UINT code = reinterpret_cast<const OFNOTIFYW*>(lp)->hdr.code;
  if (code != CDN_INITDONE && code != CDN_FOLDERCHANGE) return 0;
  HWND dialog = GetParent(hook);
  // The folder's length with its zero; then room for "" and ".pinball".
  const LRESULT folder = SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
  const LRESULT room = std::max<LRESULT>(1, MAX_PATH - folder - 1 - 8);
  SendDlgItemMessageW(dialog, cmb13, CB_LIMITTEXT, static_cast<WPARAM>(room), 0);
  SendDlgItemMessageW(dialog, edt1, EM_LIMITTEXT, static_cast<WPARAM>(room), 0);
  return 0;
}

// The common dialog record, with a path buffer of `size` characters.
OPENFILENAMEW FileDialog(wchar_t* buffer, DWORD size, DWORD flags) {
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = gWindH;
  ofn.lpstrFilter = kTableFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer;
  ofn.nMaxFile = size;
  ofn.lpstrDefExt = L"pinball";
  ofn.Flags = flags | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (UnderWine()) {
    ofn.Flags |= OFN_ENABLEHOOK;
    ofn.lpfnHook = LimitNameToFit;
  }
  return ofn;
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool Close() {
    const bool closed = !ok() || CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE h_;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

}  // namespace

bool PlatformAskOpenPath(std::string& path) {
  std::vector<wchar_t> buffer(kPathBufferChars, L'\0');
  OPENFILENAMEW ofn = FileDialog(buffer.data(), kPathBufferChars, OFN_FILEMUSTEXIST);
  if (!GetOpenFileNameW(&ofn)) return false;
  path = Utf8FromWide(buffer.data());
  return true;
}

bool PlatformAskSavePath(const std::string& suggested, std::string& path) {
  std::vector<wchar_t> buffer(kPathBufferChars, L'\0');
  WideFromUtf8(suggested).copy(buffer.data(), buffer.size() - 1);  // a longer one is cut short
  OPENFILENAMEW ofn = FileDialog(buffer.data(), kPathBufferChars, OFN_OVERWRITEPROMPT);
  if (!GetSaveFileNameW(&ofn)) return false;
  path = Utf8FromWide(buffer.data());
  return true;
}

bool PlatformReadFile(const std::string& path, size_t limit, std::string& bytes,
                      std::string& error) {
  Handle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size = {};
  if (!file.ok() || !GetFileSizeEx(file.get(), &size)) {
    error = LastErrorText();
    return false;
  }
  if (static_cast<uint64_t>(size.QuadPart) > limit) {
    error = FileTooLargeText(limit);
    return false;
  }
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!ReadFile(file.get(), &bytes[done], chunk, &got, nullptr) || got == 0) {
      error = got == 0 ? "the file changed while it was read" : LastErrorText();
      return false;
    }
    done += got;
  }
  return true;
}

// The new table goes to a file beside the old one, is flushed to the disk,
// and only then replaces the old one in one step; on any failure the old
// file stays as it was and the new one is removed.
bool PlatformWriteFile(const std::string& path, const std::string& bytes, std::string& error) {
  const std::wstring target = WidePath(path);
  const std::wstring temporary = WidePath(path + ".saving");
  Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) {
    error = LastErrorText();
    return false;
  }
  const bool ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) && file.Close() &&
                  MoveFileExW(temporary.c_str(), target.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    error = LastErrorText();
    file.Close();
    DeleteFileW(temporary.c_str());
  }
  return ok;
}

SaveChangesAnswer PlatformAskSaveChanges() {
  switch (MessageBoxA(gWindH, "Save changes?", "Pinball Simulation",
                      MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return SaveChangesAnswer::yes;
    case IDNO:
      return SaveChangesAnswer::no;
    default:
      return SaveChangesAnswer::cancel;
  }
}

// The window is an ANSI one, so SetWindowTextW would pass the caption through
// its window procedure in the ANSI code page; the wide default procedure
// takes it whole.
void PlatformSetCaption(const char* caption) {
  DefWindowProcW(gWindH, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WideFromUtf8(caption).c_str()));
}

void PlatformEnableMenuItem(int32_t commandId, bool enabled) {
  EnableMenuItem(GetMenu(gWindH), static_cast<UINT>(commandId),
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}
