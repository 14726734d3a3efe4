#pragma once

// The table as a document: the file it was opened from or saved to, whether
// it changed since, the window's caption that says both, and the commands
// that open, save and quit. The bytes come and go through the platform.

#include <cstdint>
#include <string>
#include <string_view>

// One input event that may change the scene (a click, a key, a command):
// the history keeps the scene as it was if the event changes it, and the
// caption and the greyed Undo and Redo follow when it ends.
class SceneEdit {
 public:
  SceneEdit();
  ~SceneEdit();
  SceneEdit(const SceneEdit&) = delete;
  SceneEdit& operator=(const SceneEdit&) = delete;
};

// The file of the table, empty before one is opened or saved.
const std::string& TablePath();
// Whether the table was edited since it was opened or saved (an undo back
// to that state counts as unchanged).
bool TableChanged();
// "name - Pinball Simulation", marked "*" when changed; with no file,
// "Pinball Simulation" while unchanged and "*Untitled - Pinball Simulation" once changed.
std::string Caption();
// Sends the caption and the Undo and Redo items' state to the platform, when they changed.
void RefreshDocument();

// Open, New and a link each start a table of its own: its history starts
// empty, so Undo never brings back the table it replaced.

// File > New: "Save changes?" first, then an untitled table of the border
// walls alone.
void NewCommand();
// File > Open..., Save and Save As....
void OpenCommand();
void SaveCommand();
void SaveAsCommand();
// Opens the file at `path` as File > Open... does with its dialog answered
// `path`, "Save changes?" first (a table dropped on the page).
void OpenPath(const std::string& path);
// A table from a link (the page's), named `path` ("" when the link names
// none). Bytes that are no table say "Cannot open the link: ..." and change
// nothing; otherwise "Save changes?" first, as for Open.
void OpenLink(const std::string& path, std::string_view bytes);
// A link that could not be unpacked into bytes: its box, nothing changed.
void LinkFailed(const std::string& reason);
// Quit and the window's close request: ask to save a changed table first.
void QuitRequest();

// The table the program starts with (a command line, the page's stored
// table): no undo step, and unchanged unless `changed`. False with `error`,
// the scene left as it was, when the bytes are not a table.
bool StartWithTable(const std::string& path, std::string_view bytes, bool changed,
                    std::string& error);
// Reads the file at `path` for StartWithTable; on a fault its box is shown.
bool StartWithFile(const std::string& path, bool changed = false);

// Forgets the file and the history, and puts the caption and the greyed
// items back, as at the program's start.
void ForgetDocument();

// Counts the tables begun (opened, new, from a link, reset, forgotten), so
// that what is said once for a table is said again for the next one.
uint64_t TablesBegun();
void NoteTableBegun();
