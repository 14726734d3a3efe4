// The entry point and the main loop in a web page. The browser owns the
// clock, so the loop is turned inside out: the page calls PinballPass once
// per animation frame, and each pass asks for the next one when it is done.

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "app/main_pass.h"
#include "app/platform.h"
#include "app/web/page_bridge.h"
#include "render/rendering.h"
#include "scene/commands.h"
#include "scene/document.h"
#include "scene/field.h"
#include "scene/history.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "scene/status_text.h"
#include "scene/table_file.h"
#include "scene/time_controls.h"

namespace {

// The page's canvas is the client area of the 800 x 600 window: the field.
Rendering gFrame(kFieldWidth, kFieldHeight, nullptr);
bool gQuit = false;

// The table as the browser keeps it, so that a visit finds it again: stored
// whenever an edit, an undo, a save or the drawing mode changed it.
struct Stored {
  uint64_t version;
  bool fill;
  bool changed;
  std::string path;
  bool operator==(const Stored& o) const {
    return version == o.version && fill == o.fill && changed == o.changed && path == o.path;
  }
};
Stored gStored;

Stored Now() { return {SceneVersion(), Fill, TableChanged(), TablePath()}; }

// `shared`: a change made in this tab, which a new tab starts from.
void Store(bool shared) {
  gStored = Now();
  const std::string bytes = WriteTable();
  PageStore(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int32_t>(bytes.size()),
            TablePath().c_str(), TableChanged() ? 1 : 0, shared ? 1 : 0);
}

// A link's table is kept only once its balls have run for a second (or it
// was changed or saved): one that stalls the page, and so stops itself,
// leaves the table kept before it for a reload to find.
constexpr int kLinkTrialPasses = 64;

struct LinkTrial {
  bool on = false;
  Stored opened{};
  int passesRun = 0;

  // Whether the table must wait, after one more pass, before it is kept.
  bool Holds() {
    if (!on) return false;
    if (Now() == opened && (Pause || TimePaused() || ++passesRun < kLinkTrialPasses)) return true;
    on = false;
    return false;
  }
};
LinkTrial gLinkTrial;

void BeginLinkTrial() { gLinkTrial = LinkTrial{true, Now(), 0}; }

void StoreIfChanged() {
  if (!gLinkTrial.Holds() && !(Now() == gStored)) Store(true);
}

// The table as a link: the page's own command.
void ShareLink() {
  const std::string bytes = WriteTable();
  PageShareLink(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int32_t>(bytes.size()),
                TablePath().c_str());
}

// A link given with the page or put into its address later: read first, then
// opened over the table as Open... would, "Save changes?" and all.
void OpenWaitingLink() {
  char* error = nullptr;
  char* name = PageTakeLink(&error);
  if (error != nullptr) {
    const std::string reason = error;
    std::free(error);
    LinkFailed(reason);
    return;
  }
  if (name == nullptr) return;
  const std::string path = name;
  std::free(name);
  std::string bytes, reason;
  if (PlatformReadFile(path, kTableMaxBytes, bytes, reason)) {
    const uint64_t before = TablesBegun();
    OpenLink(path, bytes);
    if (TablesBegun() != before) BeginLinkTrial();
  } else {
    LinkFailed(reason);
  }
}

void OpenDropped() {
  char* name = PageDroppedName();
  if (name == nullptr) return;
  const std::string path = name;
  std::free(name);
  OpenPath(path);
}

// What the window procedure does with each input message.
void Dispatch(const PageEvent& e) {
  switch (e.kind) {
    case kPageCommand:
      if (e.a == IDM_SHARE_LINK) {
        ShareLink();
      } else {
        MenuCommand(e.a);
      }
      break;
    case kPageLeftDown:
      LeftClick(static_cast<uint16_t>(e.a), static_cast<uint16_t>(e.b));
      break;
    case kPageRightDown:
      RightClick(static_cast<uint16_t>(e.a), static_cast<uint16_t>(e.b));
      break;
    case kPageKeyDown:
      KeyDown(static_cast<uint32_t>(e.a));
      break;
    case kPageControlKey:
      ControlKeyDown(static_cast<uint32_t>(e.a), e.b != 0);
      break;
    case kPageOpenDropped:
      OpenDropped();
      break;
    case kPageOpenLink:
      OpenWaitingLink();
      break;
    case kPageClose:
      // As a close request: a changed table may be saved first, and the
      // program stays until the loop has shown its last frame.
      QuitRequest();
      break;
    default:
      break;
  }
}

// The table this tab kept (or, in a new tab, the one kept last); one that
// cannot be opened says why, and the default scene stays. It becomes this
// tab's own at once, while the table kept last stays as it was: a start is
// no change. A link in the address is then opened over it.
void StartTable() {
  int32_t changed = 0;
  char* name = PageStartName(&changed);
  if (name != nullptr) {
    const std::string path = name;
    std::free(name);
    StartWithFile(path, changed != 0);
  }
  Store(false);
  OpenWaitingLink();
}

// The status line and the rings of the pending clicks, sent when they
// changed: after an input event, never on a pass without one.
std::string gStatus;
std::vector<int32_t> gPending;

void TellStatus(bool clickedRunning) {
  const StatusWords words = StatusText(clickedRunning);
  const std::string line = words.Line();
  if (line != gStatus) {
    gStatus = line;
    PageSetStatus(line.c_str(), words.next.c_str());
  }
  std::vector<int32_t> pending;
  for (const Point& p : gPointList) {
    pending.push_back(static_cast<int32_t>(p.x));
    pending.push_back(static_cast<int32_t>(p.y));
  }
  if (pending != gPending) {
    gPending = pending;
    PageSetPending(gPending.data(), static_cast<int32_t>(gPending.size() / 2));
  }
}

// The page's menu bar learns which items show a mark, and how.
void DeclareMarks() {
  for (const auto& group : kChoiceGroups) {
    const auto end = std::find(std::begin(group), std::end(group), 0);
    PageMarkItems(group, static_cast<int32_t>(end - std::begin(group)), 1);
  }
  PageMarkItems(kToggleItems, static_cast<int32_t>(std::size(kToggleItems)), 0);
}

}  // namespace

bool PlatformTakeMessage() {
  PageEvent event{kPageNoEvent, 0, 0};
  PageTakeEvent(&event);
  if (event.kind == kPageQuit) return true;
  Dispatch(event);
  // A left click outside edit mode adds nothing; the status line says why.
  if (event.kind != kPageNoEvent) TellStatus(event.kind == kPageLeftDown && !Pause);
  return false;
}

// The page keeps the pace: it runs the next pass when its clock says so.
void PlatformEndPass(bool last) {
  StoreIfChanged();
  if (!last) PagePassDone();
}

// The page calls this for each pass. After the pass that takes the quit
// request, the buffer goes.
extern "C" EMSCRIPTEN_KEEPALIVE void PinballPass() {
  if (gQuit) return;
  MainLoopPass(gFrame, gQuit);
  if (gQuit) {
    gFrame.DestroyBuffer();
    PageEnded();
  }
}

int main() {
  DeclareMarks();
  // The page sends no size notification of its own, so the first pass's
  // resize is asked for here: it creates the store before the first frame.
  AskForResize(kFieldWidth, kFieldHeight);
  init();
  StartTable();
  TellStatus(false);
  // The loop's first pass: the page takes over the scheduling from here on.
  PagePassDone();
  return 0;
}
