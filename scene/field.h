#pragma once

// The field: its four border walls enclose kFieldWidth x kFieldHeight pixels
// from the client area's top-left corner, whatever the window's size. It is
// the client area of the 800 x 600 window, so the page's canvas and the
// tools' frames have this size too (app/web/CMakeLists.txt reads it here).

#include <cstdint>

constexpr int32_t kFieldWidth = 792;
constexpr int32_t kFieldHeight = 554;

// The border walls, x1 y1 x2 y2, in the order every scene and table begins
// with them: top, right, left, bottom.
constexpr float kBorderWalls[4][4] = {{0, 0, kFieldWidth, 0},
                                      {kFieldWidth, 0, kFieldWidth, kFieldHeight},
                                      {0, 0, 0, kFieldHeight},
                                      {0, kFieldHeight, kFieldWidth, kFieldHeight}};
