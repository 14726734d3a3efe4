#pragma once

// Undo and redo of the changes the user makes to the scene, kept as whole
// copies of the scene as it stood before each change: nothing to invert, so
// an undo cannot drift from the state it restores. Ball motion, the drawing
// mode and the menu settings are not changes.

#include <cstddef>
#include <cstdint>

// At most this many steps, within this many bytes for undo and redo
// together; beyond either, the oldest steps go first.
constexpr size_t kHistorySteps = 1000;
constexpr size_t kHistoryBytes = size_t{64} << 20;

// The start of an input event that may change the scene: copies the scene
// as it stands, pending clicks and picks included.
void BeginEdit();
// The event changes the scene (called where it does, before or after).
void NoteEdit();
// The end of that event: if it changed the scene, the copy becomes the
// newest undo step and the redo steps go.
void EndEdit();

bool CanUndo();
bool CanRedo();
// Puts the scene back as it was before the last change; Redo the reverse.
void Undo();
void Redo();

// Names the scene's content as edits, undo and redo left it: equal numbers,
// the same edits. Ball motion does not change it.
uint64_t SceneVersion();
// Counts every change of the scene's content (an edit, an undo, a redo,
// a history forgotten); it never goes back, unlike SceneVersion.
uint64_t SceneChanges();
// The memory the steps take.
size_t HistoryBytes();
// Drops every step, for a table that starts afresh (opened, new, from a
// link): Undo never crosses into the table before it. The scene as it
// stands gets a version of its own.
void ClearHistory();
// Forgets every step and every version, as at the program's start.
void ForgetHistory();
