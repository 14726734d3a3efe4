#pragma once

#include <cstdint>

#include "resources/resource.h"  // the command ids

// Virtual-key codes the window answers (VK_SPACE, VK_DELETE, 'A', 'T',
// VK_OEM_COMMA and VK_OEM_PERIOD).
enum : uint32_t {
  kKeySpace = 32,
  kKeyDelete = 46,
  kKeyA = 65,
  kKeyT = 84,
  kKeyComma = 188,
  kKeyPeriod = 190
};

// The menu items that show a mark, as MenuCommand sets them. In each group
// of choices one is marked at a time (a 0 ends a shorter group); a toggle's
// mark is its own. The web page gives these items their roles from here.
inline constexpr int32_t kChoiceGroups[][5] = {
    {IDM_RED, IDM_GREEN, IDM_BLUE, IDM_OTHER_COLOR},
    {IDM_CIRCLE, IDM_BOX, IDM_TRIANGLE, IDM_POLYGON, IDM_CREATE_PINBALL},
    {IDM_SPEED_1, IDM_SPEED_2, IDM_SPEED_3},
    {IDM_RADIUS_HALF, IDM_RADIUS_1, IDM_RADIUS_1_5},
    {IDM_SLOW_1, IDM_SLOW_HALF, IDM_SLOW_QUARTER},
};
inline constexpr int32_t kToggleItems[] = {IDM_EDIT, IDM_PAUSE, IDM_TRAILS};

// The effect of a menu command, with its check marks; unknown ids do nothing.
void MenuCommand(int32_t id);
// A key press: Delete removes the picked shape, A flips Fill; Space, '.',
// ',' and T are Pause, Step, Step Back and Trails; others do nothing.
void KeyDown(uint32_t key);
// A key pressed with Ctrl held: Z undoes (with Shift, redoes), Y redoes,
// N starts a new table, O opens and S saves; any other key acts as without Ctrl.
void ControlKeyDown(uint32_t key, bool shift);
