#pragma once

#include <cstdint>

// A left button press at client position (x, y); acts only in edit mode.
void LeftClick(uint16_t x, uint16_t y);
// A right button press; acts in every mode.
void RightClick(uint16_t x, uint16_t y);
