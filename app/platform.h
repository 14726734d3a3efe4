#pragma once

// The few things the portable core needs from the window system. The Win32
// layer defines these functions; the native tests link a recording stand-in.
// Handles are opaque to the core.

#include <cstddef>
#include <cstdint>
#include <string>

#include "render/color_rgb.h"

using PlatformHandle = void*;

// --- The pixel store (GDI on Windows) ---

// CreateDCA("Display", ...): a temporary context on the display.
PlatformHandle PlatformCreateDisplayContext();
// CreateCompatibleDC on the given context.
PlatformHandle PlatformCreateCompatibleContext(PlatformHandle context);
// CreateDIBSection: a 32-bit bottom-up store of width x height words, zero-filled.
// Writes the address of its first word to *pixels, or null when no store was made.
PlatformHandle PlatformCreateDibSection(PlatformHandle memoryContext, int32_t width, int32_t height,
                                        uint32_t** pixels);
// SelectObject: returns the object previously selected into the context.
PlatformHandle PlatformSelectObject(PlatformHandle context, PlatformHandle object);
void PlatformDeleteObject(PlatformHandle object);
void PlatformDeleteContext(PlatformHandle context);
// BitBlt of width x height from the memory context at (0, 0) to the window context at (0, 0);
// on a display scaled by a whole factor, each pixel a block of that many device pixels each way.
void PlatformPresent(PlatformHandle windowContext, int32_t width, int32_t height,
                     PlatformHandle memoryContext);

// --- Menus, dialogs and quitting (used by the menu commands) ---

// CheckMenuItem on the main window's menu, by command id.
void PlatformCheckMenuItem(int32_t commandId, bool checked);
// The system colour dialog, opened on `current`. True, with `chosen` set, when
// the user confirmed a colour; false when it was cancelled or failed.
bool PlatformChooseColor(Color_RGB current, Color_RGB& chosen);
// A modal box with an OK button. `owned` ties it to the main window.
void PlatformMessageBox(bool owned, const char* caption, const char* text);
// A box that says something went wrong, owned by the main window, with the
// system's error icon. The text is UTF-8 and may name a file in any language.
void PlatformErrorBox(const char* caption, const char* text);
// PostQuitMessage(0).
void PlatformQuit();

// --- Files, the caption and greyed items (used by the table commands) ---

// The system's file dialogs. Open: a table to read; Save As: where to write,
// offering `suggested`. False when the user cancelled. Paths are UTF-8.
bool PlatformAskOpenPath(std::string& path);
bool PlatformAskSavePath(const std::string& suggested, std::string& path);
// Reads the whole file into `bytes`; false with a short reason in `error`
// when it cannot be read or holds more than `limit` bytes (nothing is read then).
bool PlatformReadFile(const std::string& path, size_t limit, std::string& bytes,
                      std::string& error);
// The reason given for a file of more than `limit` bytes, as PlatformReadFile
// and the table reader give it.
inline std::string FileTooLargeText(size_t limit) {
  const size_t mib = size_t{1} << 20;
  return "the file is larger than " + (limit % mib == 0 ? std::to_string(limit / mib) + " MiB"
                                                        : std::to_string(limit) + " bytes");
}
// Writes `bytes` as the whole file, never leaving it half written: the old
// file stays until the new one is complete. False with a reason in `error`.
bool PlatformWriteFile(const std::string& path, const std::string& bytes, std::string& error);

enum class SaveChangesAnswer { yes, no, cancel };
// The "Save changes?" box: Yes, No or Cancel.
SaveChangesAnswer PlatformAskSaveChanges();
// The main window's caption, UTF-8.
void PlatformSetCaption(const char* caption);
// EnableMenuItem by command id: greyed items cannot be chosen.
void PlatformEnableMenuItem(int32_t commandId, bool enabled);

// --- The main loop (its pass: app/main_pass.h) ---

// Takes at most one pending message or input event, never waiting, and hands
// it to the program (the window procedure). True when it was the quit
// request, which is not handed on.
bool PlatformTakeMessage();
// The end of a pass: the pace of the loop (Windows sleeps 1 ms, then waits
// until the next pass is due; the page asks for its next pass). `last`: the
// pass took the quit request and none follows.
void PlatformEndPass(bool last);
