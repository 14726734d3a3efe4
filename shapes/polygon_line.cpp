#include "shapes/polygon_line.h"

void PolygonLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color_RGB color, Rendering rc) {
  const int32_t dx = x2 >= x1 ? x2 - x1 : x1 - x2;
  const int32_t sx = x2 >= x1 ? 1 : -1;
  const int32_t dy = y2 >= y1 ? y2 - y1 : y1 - y2;
  const int32_t sy = y2 >= y1 ? 1 : -1;
  int32_t x = x1;
  int32_t y = y1;
  if (dx >= dy) {
    int32_t e = 2 * dy - dx;
    if (x1 != x2) {
      do {
        rc.SetPixel(x, y, color);
        if (e >= 0) {
          y += sy;
          e -= 2 * dx;
        }
        e += 2 * dy;
        x += sx;
      } while (x != x2);
    }
  } else {
    int32_t e = 2 * dx - dy;
    if (y1 != y2) {
      do {
        rc.SetPixel(x, y, color);
        if (e >= 0) {
          x += sx;
          e -= 2 * dy;
        }
        e += 2 * dx;
        y += sy;
      } while (y != y2);
    }
  }
  rc.SetPixel(x, y, color);
}
