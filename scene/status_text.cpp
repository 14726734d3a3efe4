#include "scene/status_text.h"

#include <cstdio>

#include "scene/document.h"
#include "scene/move_delete.h"
#include "scene/scene.h"
#include "scene/time_controls.h"

namespace {

bool Same(Color_RGB a, Color_RGB b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// The menu's colours by their names, any other as #rrggbb.
std::string ColourName(Color_RGB c) {
  if (Same(c, red)) return "red";
  if (Same(c, green)) return "green";
  if (Same(c, blue)) return "blue";
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", c.red, c.green, c.blue);
  return hex;
}

// A factor as the Pinball menu writes it: "x 3", "x .5", "x 1.5".
std::string Factor(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  std::string s = text;
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  return "x " + s;
}

std::string Ordinal(size_t k, size_t of) {
  return "corner " + std::to_string(k) + " of " + std::to_string(of);
}

// What the next left click does in edit mode, with `n` clicks pending.
std::string NextClick(size_t n) {
  // A first click on a shape picks it; the second then moves it there.
  if (n == 1 && AnyPick()) return "picked: click its new place";
  if (CreateBall) return n % 2 == 0 ? "ball: click where it starts" : "ball: click where it heads";
  switch (shape) {
    case type::circle:
      return n % 2 == 0 ? "circle: click the centre" : "circle: click a point of the rim";
    case type::box:
      return n % 2 == 0 ? "box: click a corner" : "box: click the opposite corner";
    case type::triangle:
      return "triangle: " + Ordinal(n % 3 + 1, 3);
    case type::polygon:
      if (n == 0) return "polygon: click the first corner";
      if (n == 1) return "polygon: click corner 2";
      return "polygon: click corner " + std::to_string(n + 1) +
             ", or right click or long press to close";
  }
  return "";
}

std::string ToolName() {
  if (CreateBall) return "ball";
  switch (shape) {
    case type::circle:
      return "circle";
    case type::box:
      return "box";
    case type::triangle:
      return "triangle";
    case type::polygon:
      return "polygon";
  }
  return "";
}

std::string TableName() {
  const std::string& path = TablePath();
  const size_t slash = path.find_last_of("/\\");
  std::string name =
      path.empty() ? "Untitled" : path.substr(slash == std::string::npos ? 0 : slash + 1);
  return TableChanged() ? name + " *" : name;
}

}  // namespace

std::string StatusWords::Line() const {
  return mode + " · " + colour + " · " + next + " · " + table + " · " + balls;
}

StatusWords StatusText(bool clickedRunning) {
  StatusWords w;
  w.mode = Pause ? "Editing" : TimePaused() ? "Paused" : "Running";
  w.colour = ColourName(color);
  if (Pause) {
    w.next = NextClick(gPointList.size());
  } else if (clickedRunning) {
    w.next = "clicks add nothing while running: choose File › Edit to start editing";
  } else {
    w.next = ToolName() + ": File › Edit to start editing";
  }
  w.table = TableName();
  w.balls = "new balls: speed " + Factor(speed) + ", radius " + Factor(pinrad / 10.0f);
  return w;
}
