#pragma once

// The words of a status line: what the program is doing and what the next
// click does, from the settings and the clicks pending. The page shows them
// beside the canvas and reads them out; they never reach the frame.

#include <string>

// The five parts, each a short phrase: the mode ("Running", "Paused" by
// Pinball › Pause, or "Editing"), the colour of what is made next, what the
// next click does, the table's name with "*" when it has unsaved changes,
// and the speed and radius of new balls.
struct StatusWords {
  std::string mode;
  std::string colour;
  std::string next;
  std::string table;
  std::string balls;
  // The parts in that order, joined by " · ".
  std::string Line() const;
};

// `clickedRunning`: the last input was a left click outside edit mode, which
// did nothing; the next part then says how to start editing.
StatusWords StatusText(bool clickedRunning = false);
