#include "scene/history.h"

#include <deque>
#include <utility>

#include "scene/snapshot.h"

namespace {

struct Step {
  SceneSnapshot scene;
  uint64_t version;
};

struct History {
  std::deque<Step> undo;  // oldest first
  std::deque<Step> redo;  // the next redo last
  size_t bytes = 0;
  SceneSnapshot before;  // the scene at the start of the current event
  int depth = 0;         // nested events count as one
  bool changed = false;
  uint64_t version = 0;
  uint64_t lastVersion = 0;
};

uint64_t gChanges = 0;

History& history() {
  static History h;
  return h;
}

void Push(std::deque<Step>& steps, SceneSnapshot&& scene, uint64_t version) {
  History& h = history();
  h.bytes += scene.Bytes();
  steps.push_back({std::move(scene), version});
}

Step Pop(std::deque<Step>& steps) {
  Step step = std::move(steps.back());
  steps.pop_back();
  history().bytes -= step.scene.Bytes();
  return step;
}

void DropOldest(std::deque<Step>& steps) {
  history().bytes -= steps.front().scene.Bytes();
  steps.pop_front();
}

// The oldest undo steps go first, then the farthest redo steps; a step that
// does not fit the budget on its own is not kept.
void KeepWithinBudget() {
  History& h = history();
  while (!h.undo.empty() && (h.undo.size() > kHistorySteps || h.bytes > kHistoryBytes)) {
    DropOldest(h.undo);
  }
  while (!h.redo.empty() && h.bytes > kHistoryBytes) DropOldest(h.redo);
}

// Makes a step the scene, and keeps the scene it replaces on the other side.
void Travel(std::deque<Step>& from, std::deque<Step>& to) {
  if (from.empty()) return;
  History& h = history();
  Step step = Pop(from);
  const uint64_t replaced = h.version;
  SwapSnapshot(step.scene);  // step.scene now holds the scene it replaced
  h.version = step.version;
  Push(to, std::move(step.scene), replaced);
  KeepWithinBudget();
  ++gChanges;
}

}  // namespace

void BeginEdit() {
  History& h = history();
  if (h.depth++ > 0) return;
  h.changed = false;
  TakeSnapshot(h.before);
}

void NoteEdit() { history().changed = true; }

void EndEdit() {
  History& h = history();
  if (--h.depth > 0 || !h.changed) return;
  h.changed = false;
  while (!h.redo.empty()) DropOldest(h.redo);
  Push(h.undo, std::move(h.before), h.version);
  h.before = SceneSnapshot{};
  h.version = ++h.lastVersion;
  KeepWithinBudget();
  ++gChanges;
}

bool CanUndo() { return !history().undo.empty(); }
bool CanRedo() { return !history().redo.empty(); }
void Undo() { Travel(history().undo, history().redo); }
void Redo() { Travel(history().redo, history().undo); }
uint64_t SceneVersion() { return history().version; }
uint64_t SceneChanges() { return gChanges; }
size_t HistoryBytes() { return history().bytes; }

void ClearHistory() {
  History& h = history();
  h.undo.clear();
  h.redo.clear();
  h.bytes = 0;
  h.version = ++h.lastVersion;
  // An event under way starts again from the new table, never from the old one.
  h.changed = false;
  if (h.depth > 0) TakeSnapshot(h.before);
  ++gChanges;
}

void ForgetHistory() {
  history() = History{};
  ++gChanges;
}
