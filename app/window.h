#pragma once

// The main window, shared by the entry point, the window procedure and the
// platform functions. Win32 only.

#include <windows.h>

#include <cstdint>

#include "app/display_scale.h"
#include "app/main_pass.h"  // the pass and its size notifications
#include "render/rendering.h"

extern HWND gWindH;           // the one main window
extern HACCEL gAccelerators;  // the shortcuts of the menu's items (resource IDR_ACCELERATORS)
// Device pixels per scene pixel on the window's display. gWindowX and gWindowY,
// the frame buffer and the clicks are in scene pixels.
extern DisplayScale gScale;

// The class name, shared by registration and tear-down.
extern const char kWindowClass[];

LRESULT CALLBACK WinProc(HWND wind, UINT msg, WPARAM wp, LPARAM lp);

// Registers the window class and creates the main window into gWindH.
void ConstructWindow();

// The frame buffer at the client size, on the window's own device context,
// with no store yet: the first pass's resize makes it.
Rendering ConstructFrameBuffer();
