// The platform functions of the core, on GDI, USER32 and COMDLG32.

#include <windows.h>  // with <commdlg.h>, for ChooseColorA

#include <cstdint>

#include "app/platform.h"
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
  BitBlt(static_cast<HDC>(windowContext), 0, 0, width, height, static_cast<HDC>(memoryContext), 0,
         0, SRCCOPY);
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

void PlatformQuit() { PostQuitMessage(0); }
