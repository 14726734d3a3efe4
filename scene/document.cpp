#include "scene/document.h"

#include <cstdint>

#include "app/platform.h"
#include "resources/resource.h"
#include "scene/history.h"
#include "scene/scene.h"
#include "scene/snapshot.h"
#include "scene/table_file.h"

namespace {

constexpr char kTitle[] = "Pinball Simulation";

struct Document {
  std::string path;
  uint64_t savedVersion = 0;
  bool savedFill = true;
  // What the platform shows now: as the menu resource and the window start.
  std::string shownCaption = kTitle;
  bool shownUndo = false;
  bool shownRedo = false;
};

Document& document() {
  static Document d;
  return d;
}

void MarkSaved(const std::string& path) {
  Document& d = document();
  d.path = path;
  d.savedVersion = SceneVersion();
  d.savedFill = Fill;
}

// The file's name without its folder, and without ".pinball".
std::string BaseName(const std::string& path) {
  if (path.empty()) return "the table";  // a table kept by the page before it had a file
  const size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::string ext = ".pinball";
  if (name.size() > ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0) {
    name.resize(name.size() - ext.size());
  }
  return name;
}

void Report(const std::string& text) { PlatformErrorBox(kTitle, text.c_str()); }

bool WriteTo(const std::string& path) {
  const std::string bytes = WriteTable();
  // Never write a file this program could not open again.
  SceneSnapshot check;
  bool fill;
  std::string error;
  if (!ReadTable(bytes, check, fill, error)) {
    Report("This table cannot be saved: " + error);
    return false;
  }
  if (!PlatformWriteFile(path, bytes, error)) {
    Report("Cannot save " + BaseName(path) + ": " + error);
    return false;
  }
  MarkSaved(path);
  RefreshDocument();
  return true;
}

bool SaveAs() {
  std::string path;
  const std::string suggested = TablePath().empty() ? "table.pinball" : TablePath();
  return PlatformAskSavePath(suggested, path) && WriteTo(path);
}

bool Save() { return TablePath().empty() ? SaveAs() : WriteTo(TablePath()); }

// Before the table is replaced or the program ends: true when it may go on.
bool SettleChanges() {
  if (!TableChanged()) return true;
  switch (PlatformAskSaveChanges()) {
    case SaveChangesAnswer::yes:
      return Save();
    case SaveChangesAnswer::no:
      return true;
    case SaveChangesAnswer::cancel:
      break;
  }
  return false;
}

bool ReadFile(const std::string& path, SceneSnapshot& table, bool& fill) {
  std::string bytes, error;
  if (!PlatformReadFile(path, kTableMaxBytes, bytes, error) ||
      !ReadTable(bytes, table, fill, error)) {
    Report("Cannot open " + BaseName(path) + ": " + error);
    return false;
  }
  return true;
}

// The scene as it now stands is a table of its own, just opened or saved as
// `path` (empty for none): the history of the table before it goes, so that
// no Undo brings that table back under this one's name.
void BecomeNewTable(const std::string& path, bool fill) {
  Fill = fill;
  ClearHistory();
  MarkSaved(path);
  RefreshDocument();
}

void OpenFile(const std::string& path) {
  SceneSnapshot table;
  bool fill;
  if (!ReadFile(path, table, fill)) return;
  SwapSnapshot(table);
  BecomeNewTable(path, fill);
}

}  // namespace

SceneEdit::SceneEdit() { BeginEdit(); }

SceneEdit::~SceneEdit() {
  EndEdit();
  RefreshDocument();
}

const std::string& TablePath() { return document().path; }

bool TableChanged() {
  const Document& d = document();
  return SceneVersion() != d.savedVersion || Fill != d.savedFill;
}

std::string Caption() {
  const std::string mark = TableChanged() ? "*" : "";
  if (!TablePath().empty()) return mark + BaseName(TablePath()) + " - " + kTitle;
  // Untouched, a table without a file is the program's own start.
  return mark.empty() ? kTitle : mark + "Untitled - " + kTitle;
}

void RefreshDocument() {
  Document& d = document();
  const std::string caption = Caption();
  if (caption != d.shownCaption) {
    d.shownCaption = caption;
    PlatformSetCaption(caption.c_str());
  }
  if (CanUndo() != d.shownUndo) {
    d.shownUndo = CanUndo();
    PlatformEnableMenuItem(IDM_UNDO, d.shownUndo);
  }
  if (CanRedo() != d.shownRedo) {
    d.shownRedo = CanRedo();
    PlatformEnableMenuItem(IDM_REDO, d.shownRedo);
  }
}

void OpenCommand() {
  std::string path;
  if (SettleChanges() && PlatformAskOpenPath(path)) OpenFile(path);
}

void SaveCommand() { Save(); }
void SaveAsCommand() { SaveAs(); }

void OpenPath(const std::string& path) {
  if (SettleChanges()) OpenFile(path);
}

void NewCommand() {
  if (!SettleChanges()) return;
  SceneSnapshot empty;
  SwapSnapshot(empty);  // every list empty, no picks
  Start = false;        // the border walls only
  init();
  BecomeNewTable("", Fill);
}

void OpenLink(const std::string& path, std::string_view bytes) {
  // Read before anything is asked: a damaged link changes nothing.
  SceneSnapshot table;
  bool fill;
  std::string error;
  if (!ReadTable(bytes, table, fill, error)) {
    LinkFailed(error);
    return;
  }
  if (!SettleChanges()) return;
  SwapSnapshot(table);
  BecomeNewTable(path, fill);
}

void LinkFailed(const std::string& reason) { Report("Cannot open the link: " + reason); }

void QuitRequest() {
  if (SettleChanges()) PlatformQuit();
}

bool StartWithTable(const std::string& path, std::string_view bytes, bool changed,
                    std::string& error) {
  SceneSnapshot table;
  bool fill;
  if (!ReadTable(bytes, table, fill, error)) return false;
  SwapSnapshot(table);
  BecomeNewTable(path, fill);
  if (changed) {
    document().savedVersion = ~uint64_t{0};  // a version no edit reaches
    RefreshDocument();
  }
  return true;
}

bool StartWithFile(const std::string& path, bool changed) {
  std::string bytes, error;
  if (PlatformReadFile(path, kTableMaxBytes, bytes, error) &&
      StartWithTable(path, bytes, changed, error)) {
    return true;
  }
  Report("Cannot open " + BaseName(path) + ": " + error);
  return false;
}

void ForgetDocument() {
  ForgetHistory();
  document() = Document{};
  // What the window shows goes back to its start too.
  PlatformSetCaption(kTitle);
  PlatformEnableMenuItem(IDM_UNDO, false);
  PlatformEnableMenuItem(IDM_REDO, false);
}
