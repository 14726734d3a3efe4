#pragma once

#include <cstdint>

#include "resources/resource.h"  // the command ids

// Virtual-key codes the window answers.
enum : uint32_t { kKeyDelete = 46, kKeyA = 65 };

// The effect of a menu command, with its check marks; unknown ids do nothing.
void MenuCommand(int32_t id);
// A key press: Delete removes the picked shape, A flips Fill, others nothing.
void KeyDown(uint32_t key);
// A key pressed with Ctrl held: Z undoes (with Shift, redoes), Y redoes,
// N starts a new table, O opens and S saves; any other key acts as without Ctrl.
void ControlKeyDown(uint32_t key, bool shift);
