#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "scene/commands.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "tests/support/scene_reset.h"

// A move or a delete rewrites the shape's own wall lines, all of them, and no
// other shape's, even where shapes share corners and lines.

namespace {

using Ends = std::array<float, 4>;

std::vector<Ends> AllLines() {
  std::vector<Ends> all;
  for (const Lines& l : LinesList) all.push_back({l.x1, l.y1, l.x2, l.y2});
  return all;
}

void Clicks(std::initializer_list<std::array<uint16_t, 2>> points) {
  for (const auto& p : points) LeftClick(p[0], p[1]);
}

class WallGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ResetScene();
    init();
    Pause = true;
  }
};

TEST_F(WallGroupTest, EveryBuiltShapeNotesWhereItsLinesStart) {
  EXPECT_EQ(trilist[0].getwalls(), 4);  // the default scene
  EXPECT_EQ(boxlist[0].getwalls(), 7);
  shape = type::polygon;
  Clicks({{1, 1}, {2, 2}, {3, 3}, {4, 4}});  // lines 11-13
  shape = type::triangle;
  Clicks({{400, 5}, {6, 500}});  // six pending: lines from the first three
  shape = type::box;
  Clicks({{500, 500}, {520, 510}});
  EXPECT_EQ(trilist[1].getwalls(), 14);
  EXPECT_EQ(boxlist[1].getwalls(), 17);
  EXPECT_EQ(LinesList.size(), 21u);
}

// Each case builds shapes whose lines could be taken for another's, then
// moves or deletes one: only its group [first, first + count) may change,
// and it must become `after`.
TEST_F(WallGroupTest, OnlyTheShapesOwnLinesChange) {
  const auto degenerateFirst = [] {
    // A triangle at (0, 0) with three zero-length lines, then one with two
    // corners there: its first corner is the origin, where the other's lines
    // and the border walls start.
    Clicks({{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {100, 350}});
    LeftClick(60, 10);
  };
  const auto polygonUnderBox = [] {
    // A polygon drawn along the edges of the box that follows it.
    shape = type::polygon;
    Clicks({{50, 90}, {50, 50}, {120, 50}});
    RightClick(120, 90);
    shape = type::box;
    Clicks({{50, 50}, {120, 90}});
    LeftClick(80, 70);
  };
  const struct {
    const char* name;
    std::function<void()> build;
    std::function<void()> act;
    size_t first;
    std::vector<Ends> after;
  } cases[] = {
      {"triangle moved",
       degenerateFirst,
       [] { LeftClick(60, 416); },
       14,
       {{10, 241, 10, 241}, {10, 241, 110, 591}, {110, 591, 10, 241}}},
      {"triangle deleted",
       degenerateFirst,
       [] { KeyDown(kKeyDelete); },
       14,
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
      {"box moved",
       polygonUnderBox,
       [] { LeftClick(300, 300); },
       15,
       {{265, 280, 265, 320}, {265, 320, 335, 320}, {335, 320, 335, 280}, {335, 280, 265, 280}}},
      {"box deleted",
       polygonUnderBox,
       [] { KeyDown(kKeyDelete); },
       15,
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.build();
    std::vector<Ends> want = AllLines();
    ASSERT_GE(want.size(), c.first + c.after.size());
    for (size_t k = 0; k < c.after.size(); ++k) want[c.first + k] = c.after[k];
    c.act();
    EXPECT_EQ(AllLines(), want);
  }
}

}  // namespace
