#pragma once

// A table as a file: the scene's shapes, walls and balls and the drawing
// mode, as UTF-8 text of one record a line (docs/table-format.md). One writer
// and one reader serve every platform, so the bytes are the same everywhere.

#include <cstddef>
#include <string>
#include <string_view>

#include "scene/snapshot.h"

// The most a table may hold: bytes of its file, and records.
constexpr size_t kTableMaxBytes = size_t{64} << 20;
constexpr size_t kTableMaxRecords = 1000000;

// The scene as a table file (pending clicks and picks are not part of it).
std::string WriteTable();

// Reads a whole table file. On success `table` holds its lists, with no
// pending click and nothing picked, and `fill` its drawing mode. On a fault,
// false with `error` naming the line and what is wrong ("line 12: ..."), and
// `table` and `fill` as they were.
bool ReadTable(std::string_view bytes, SceneSnapshot& table, bool& fill, std::string& error);
