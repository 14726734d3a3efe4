#pragma once

// Recording stand-in for the platform functions: a zero-filled heap store,
// the last presented frame kept for reading, menu check marks, dialog
// answers, plain files, and the main loop's input queue.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/platform.h"
#include "render/color_rgb.h"

namespace stub {

struct Frame {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> words;  // bottom-up, as in the store

  // The 0x00RRGGBB word of picture pixel (x, y), y = 0 at the top.
  uint32_t at(int32_t x, int32_t y) const {
    return words[static_cast<size_t>(height - 1 - y) * width + x];
  }
  // Number of pixels that are not black.
  int count_lit() const;
};

struct MessageBoxCall {
  bool owned;
  std::string caption;
  std::string text;
  bool error = false;  // PlatformErrorBox, always owned
};

// Forgets everything recorded and restores the default answers.
void Reset();

// The frame of the last PlatformPresent, copied before the store was cleared.
const Frame& LastFrame();
int PresentCount();

// Number of stores created and not yet deleted; contexts likewise.
int LiveStores();
int LiveContexts();
// Make the next store creations fail (no pixels), as a platform might for huge sizes.
void FailStores(bool fail);

// Check marks by command id: true on, false off, absent if never set.
const std::map<int32_t, bool>& CheckMarks();
bool IsChecked(int32_t commandId);

// Answers of the colour dialog, taken in order; an empty queue cancels.
void QueueColorAnswer(Color_RGB chosen);
void QueueColorCancel();
int ColorDialogCount();
Color_RGB LastColorDialogStart();

const std::vector<MessageBoxCall>& MessageBoxes();
int QuitCount();

// The file dialogs' answers, taken in order; an empty queue cancels.
void QueueOpenPath(const std::string& path);
void QueueSavePath(const std::string& path);
// The "Save changes?" box's answers, taken in order; an empty queue answers No.
void QueueSaveChangesAnswer(SaveChangesAnswer answer);
int SaveChangesAsked();
// The caption last set ("" if never), and the greyed state by command id.
const std::string& Caption();
bool IsEnabled(int32_t commandId);  // true unless greyed
// Make the next file writes fail, as a full disk would.
void FailWrites(bool fail);

// The input queue of the main loop: each pass takes the oldest message and
// runs it (as a window procedure would handle it); an empty one is the quit
// request.
void QueueMessage(std::function<void()> message);
size_t QueuedMessages();
// Passes of the main loop ended so far.
int PassesEnded();

}  // namespace stub
