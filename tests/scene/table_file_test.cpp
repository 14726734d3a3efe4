#include "scene/table_file.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/render_window.h"
#include "scene/commands.h"
#include "scene/document.h"
#include "scene/field.h"
#include "scene/float_text.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/random_scene.h"

// Tables written and read back: every float exactly, every scene the
// gestures make to the same bytes and the same frames, and every damaged
// file refused with its line, leaving the scene as it was.

namespace {

using namespace testing_support;
using namespace std::string_literals;

float FromBits(uint32_t bits) {
  float v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

uint32_t Bits(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

TEST(FloatTextTest, EveryFloatReadsBackBitForBitInItsShortestDigits) {
  const std::pair<uint32_t, const char*> kCases[] = {
      {0x00000000, "0"},
      {0x80000000, "-0"},
      {0x3DCCCCCD, "0.1"},
      {0x7F7FFFFF, "3.4028235e38"},
      {0x00000001, "1e-45"},
      {0x00800000, "1.1754944e-38"},
      {0x4B800001, "16777218"},
      {0x4E6E6B28, "1e9"},
      {0x3F3504F3, "0.70710677"},
      {0x4996B43A, "1234567.2"},  // an exact tie between two shortest: the even digit
      {0xB8D1B717, "-0.0001"},
      {0x358637BD, "0.000001"},
      {0x33D6BF95, "1e-7"}};
  for (const auto& [bits, text] : kCases) {
    std::string out;
    AppendFloat(out, FromBits(bits));
    EXPECT_EQ(out, text);
  }
  // Any float: read back exactly, with the digits of the standard library's shortest form.
  std::mt19937 random(7);
  for (int n = 0; n < 200000; ++n) {
    const float v = FromBits(random());
    if (!std::isfinite(v)) continue;
    std::string out;
    AppendFloat(out, v);
    float back = 0;
    ASSERT_TRUE(ReadFloat(out, back)) << out;
    ASSERT_EQ(Bits(back), Bits(v)) << out;
    char reference[32];
    *std::to_chars(reference, reference + sizeof reference, v).ptr = '\0';
    ASSERT_EQ(std::strtof(out.c_str(), nullptr), std::strtof(reference, nullptr));
    ASSERT_LE(out.size(), std::strlen(reference) + 5) << out << " " << reference;
  }
  float v;
  for (const char* bad :
       {"", "-", "1.", ".5", "1e", "+1", "0x10", "inf", "nan", "1e39", "1 ", "1,5"}) {
    EXPECT_FALSE(ReadFloat(bad, v)) << bad;
  }
}

// One hash per frame, and the table after the frames, which holds every ball's bits.
struct FrameRun {
  std::vector<uint64_t> frames;
  std::string end;
  bool operator==(const FrameRun& o) const { return frames == o.frames && end == o.end; }
};

FrameRun Frames(TestBuffer& buffer, int count) {
  FrameRun run;
  for (int n = 0; n < count; ++n) {
    RenderWindow(buffer.rc());
    uint64_t h = 1469598103934665603u;
    for (uint32_t w : stub::LastFrame().words) h = (h ^ w) * 1099511628211u;
    run.frames.push_back(h);
  }
  run.end = WriteTable();
  return run;
}

void Open(const std::string& bytes) {
  SceneSnapshot table;
  bool fill;
  std::string error;
  ASSERT_TRUE(ReadTable(bytes, table, fill, error)) << error;
  SwapSnapshot(table);
  Fill = fill;
}

#ifdef PINBALL_SHORT_RUNS
constexpr uint32_t kGestureScenes = 3;  // every access checked: fewer scenes and frames
constexpr int kFramesBefore = 30, kFramesCompared = 40;
#else
constexpr uint32_t kGestureScenes = 8;
constexpr int kFramesBefore = 100, kFramesCompared = 120;
#endif

TEST(TableFileTest, ScenesBuiltByGesturesReopenToTheSameBytesAndFrames) {
  TestBuffer buffer(kFieldWidth, kFieldHeight);
  for (uint32_t seed = 0; seed < kGestureScenes; ++seed) {
    std::mt19937 random(seed);
    ClearForEditing();
    AddRandomShapes(random, 10);
    MenuCommand(IDM_CREATE_PINBALL);
    for (int k = 0; k < 14; ++k) {
      ChooseRandomBall(random);
      int ax, ay, x = Uniform(random, 20, 770), y = Uniform(random, 20, 530);
      RandomAim(random, ax, ay);
      ClickAt(x, y);
      ClickAt(x + ax, y + ay);
    }
    for (int k = 0; k < 4; ++k) {  // moves and deletes
      ClickAt(Uniform(random, 0, 791), Uniform(random, 0, 553));
      if (k % 2)
        KeyDown(kKeyDelete);
      else
        ClickAt(Uniform(random, 0, 791), Uniform(random, 0, 553));
    }
    RightClick(0, 0);  // no gesture left half made: pending clicks are not saved
    if (seed % 3 == 0) KeyDown(kKeyA);
    StartBalls();
    // Balls off the whole numbers they started on.
    for (int n = 0; n < kFramesBefore; ++n) RenderWindow(buffer.rc());
    const std::string saved = WriteTable();
    const FrameRun original = Frames(buffer, kFramesCompared);
    Open(saved);
    ASSERT_EQ(WriteTable(), saved) << "seed " << seed;
    ASSERT_TRUE(Frames(buffer, kFramesCompared) == original) << "seed " << seed;
  }
}

std::string TempPath() { return ::testing::TempDir() + "table_file_test.pinball"; }

void WriteFile(const std::string& bytes) { std::ofstream(TempPath(), std::ios::binary) << bytes; }

// The scene as a user could tell it apart: the table, the pending clicks, the picks.
std::string Observable() {
  return WriteTable() + std::to_string(gPointList.size()) + " " + std::to_string(pickedb) + " " +
         std::to_string(pickedc) + " " + std::to_string(pickedt);
}

std::string Repeated(const std::string& line, size_t count) {
  std::string s;
  s.reserve(line.size() * count);
  for (size_t k = 0; k < count; ++k) s += line;
  return s;
}

const char kHead[] =
    "pinball-table 1\n"
    "drawing outlined\n"
    "wall 0 0 792 0 #ff0000\nwall 792 0 792 554 #ff0000\n"
    "wall 0 0 0 554 #ff0000\nwall 0 554 792 554 #ff0000\n";  // lines 1-6
const char kBox[] =
    "wall 10 10 10 20 #ff0000\nwall 20 20 10 20 #ff0000\n"
    "wall 10 10 20 10 #ff0000\nwall 20 20 20 10 #ff0000\n"
    "box 10 10 20 20 #00ff00 4\n";  // lines 7-11

TEST(TableFileTest, DamagedFilesAreRefusedByLineAndLeaveTheSceneAsItWas) {
  const std::string good = std::string(kHead) + kBox + "ball 400 300 0.6 -0.8 3 10 #00ff00\n";
  struct Row {
    std::string bytes;
    const char* error;  // part of the message; "" for a file that opens
  };
  const Row rows[] = {
      {"", "the file is empty"},
      {"pinball-table 2\n", "line 1: the table is of version 2, newer than this program reads"},
      // Any well-formed version above 1, however long; a number of any length is read.
      {"pinball-table 0012345678901234567890123456789\n",
       "line 1: the table is of version 123456789012345678901234..., newer than this program"},
      {std::string(kHead) + "circle 1" + std::string(140, '0') + " 1 1 #ffffff\n",
       "line 7: the x of a circle must be a number from -1000000 to 1000000"},
      {"PK\x03\x04", "line 1: not a pinball table"},
      {std::string(kHead) + "box 1 2 3 4\n",
       "line 7: a box needs 6 values: x0 y0 x1 y1 colour walls"},
      {std::string(kHead) + "circle nan 1 1 #ffffff\n",
       "line 7: the x of a circle must be a number"},
      {std::string(kHead) + "circle 1 1 1e39 #ffffff\n", "line 7: the radius of a circle"},
      {std::string(kHead) + "circle 1 1 -1 #ffffff\n", "line 7: the radius of a circle"},
      {std::string(kHead) + "box 1.5 1 3 4 #ffffff -1\n", "must be a whole number"},
      {std::string(kHead) + "vertex 1 1 #fff 0\n",
       "the colour of a vertex must be a colour written #rrggbb"},
      {std::string(kHead) + "vertex 1 1 #ffffff 3\n", "the kind of a vertex must be 0, 1 or 2"},
      {std::string(kHead) + "ball 1 1 1 1 3 10 #00ff00\n",
       "line 7: the direction of a ball must have length 1 within 0.001 (from 0.999 to 1.001), "
       "not 1.4142135"},
      {std::string(kHead) + "ball 1 1 1.002 0 3 10 #00ff00\n",
       "line 7: the dx of a ball must be a number from -1.001 to 1.001"},
      {std::string(kHead) + "ball 1 1 1 0 0 10 #00ff00\n", "line 7: the speed of a ball"},
      {std::string(kHead) + "ball 2e9 1 1 0 3 10 #00ff00\n", "line 7: the x of a ball"},
      {std::string(kHead) + "spring 1 2\n", "line 7: \"spring\" is not a kind of record"},
      {std::string(kHead) + "drawing filled\n", "line 7: the drawing mode is given twice"},
      {std::string(kHead) + "wall 1\0 2 #ffffff\n"s, "line 7: a character that has no place"},
      {std::string(kHead) + "# caf\xC3\n", "line 7: a comment that is not UTF-8"},
      {std::string(kHead) + "box 1 1 5 5 #ffffff 4\n",
       "line 7: the walls 4 to 7 of a box are not all in the table"},
      {std::string(kHead) + kBox + "triangle 0 0 9 9 0 9 #0000ff 5\n",
       "line 12: the walls 5 to 7 of a triangle are another shape's walls too"},
      {std::string(kHead) + "box 1 1 5 5 #ffffff 2\n",
       "line 7: the walls of a box cannot be the field's border"},
      {"pinball-table 1\nwall 0 0 792 0 #ff0000\n",
       "line 2: the table ends before the field's four border walls"},
      {"pinball-table 1\nwall 0 0 792 0 #ff0000\nwall 0 0 0 554 #ff0000\n"
       "wall 792 0 792 554 #ff0000\nwall 0 554 792 554 #ff0000\n",
       "line 3: the first four walls must be the field's border"},
      {std::string(kHead) + Repeated("vertex 0 0 #000000 0\n", kTableMaxRecords),
       "a table holds at most 1000000 records"},
      {std::string(kTableMaxBytes + 1, '\n'), "the file is larger than 64 MiB"},
      // What Windows editors write, blanks, tabs and comments: the same table.
      {"\xEF\xBB\xBF" + std::string(kHead) + "\r\n# a box\r\n" + kBox +
           "ball\t400 300  0.6 -0.8 3 10 #00FF00",
       ""},
      // Leading zeros, and numbers of 128 characters or more.
      {std::string(kHead) +
           "wall 10 10 10 20 #ff0000\nwall 20 20 10 20 #ff0000\n"
           "wall 10 10 20 10 #ff0000\nwall 20 20 20 10 #ff0000\nbox 010 0010 20 0020 #00ff00 04\n"
           "ball 400." +
           std::string(150, '0') + " 0300 0.6" + std::string(200, '0') + " -0.8 3 10 #00ff00\n",
       ""},
  };
  TestBuffer buffer(100, 100);
  for (const Row& row : rows) {
    ResetScene();
    init();
    MenuCommand(IDM_EDIT);
    LeftClick(300, 375);  // a pending click, and the default box picked
    const std::string before = Observable();
    WriteFile(row.bytes);
    OpenPath(TempPath());
    const std::string shown = stub::MessageBoxes().empty() ? "" : stub::MessageBoxes().back().text;
    if (*row.error == '\0') {
      EXPECT_EQ(shown, "");
      Open(good);  // the canonical form of the same table
      const std::string canonical = WriteTable();
      OpenPath(TempPath());
      EXPECT_EQ(WriteTable(), canonical);
      continue;
    }
    EXPECT_NE(shown.find(row.error), std::string::npos) << shown;
    EXPECT_EQ(Observable(), before) << row.error;
  }
  std::remove(TempPath().c_str());
}

}  // namespace
