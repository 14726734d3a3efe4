#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include "scene/commands.h"
#include "scene/mouse_editing.h"
#include "scene/picking.h"
#include "scene/scene.h"
#include "tests/support/frame_helpers.h"
#include "tests/support/scene_reset.h"

// A box clicked in any corner order is the box clicked top-left first: drawn,
// outlined, picked, moved and deleted alike.

namespace {

using testing_support::Pixel;
using testing_support::TestBuffer;
using Segment = std::array<float, 4>;

std::set<Pixel> Drawn(const Box& b, bool fill) {
  TestBuffer buf(300, 200);
  if (fill) {
    b.Draw(buf.rc());
  } else {
    b.UnFilled(buf.rc());
  }
  return buf.Lit();
}

// The wall lines as undirected segments, in no particular order.
std::multiset<Segment> Walls() {
  std::multiset<Segment> out;
  for (const Lines& l : LinesList) {
    Segment s{l.x1, l.y1, l.x2, l.y2};
    if (std::make_pair(l.x2, l.y2) < std::make_pair(l.x1, l.y1)) s = {l.x2, l.y2, l.x1, l.y1};
    out.insert(s);
  }
  return out;
}

struct Observed {
  std::set<Pixel> filled, outline;
  std::vector<int32_t> picks;  // over a patch round the box
  std::set<Pixel> movedFilled;
  std::multiset<Segment> movedWalls;
  std::set<Pixel> deletedOutline;
  std::multiset<Segment> deletedWalls;
};

// Builds the box from two clicks, then moves it and deletes it by clicks
// and the Delete key, noting what each step leaves.
Observed Gesture(std::array<uint16_t, 2> first, std::array<uint16_t, 2> second) {
  testing_support::ResetScene();
  Pause = true;
  shape = type::box;
  LeftClick(first[0], first[1]);
  LeftClick(second[0], second[1]);
  EXPECT_EQ(boxlist.size(), 1u);
  Observed o;
  o.filled = Drawn(boxlist[0], true);
  o.outline = Drawn(boxlist[0], false);
  for (int32_t y = 55; y <= 90; ++y)
    for (int32_t x = 45; x <= 76; ++x) o.picks.push_back(ObjectPickerB(x, y, boxlist));
  LeftClick(60, 70);
  LeftClick(200, 150);
  o.movedFilled = Drawn(boxlist[0], true);
  o.movedWalls = Walls();
  LeftClick(200, 150);
  KeyDown(kKeyDelete);
  o.deletedOutline = Drawn(boxlist[0], false);
  o.deletedWalls = Walls();
  return o;
}

TEST(BoxCornerOrderTest, EveryClickOrderGivesTheTopLeftFirstBox) {
  // Odd width and even height, so the far-corner pick rule takes part.
  const Observed want = Gesture({50, 60}, {71, 85});
  EXPECT_EQ(want.filled.size(), 22u * 26u);
  EXPECT_EQ(want.outline.size(), 2u * 22u + 2u * 24u);
  EXPECT_EQ(std::count(want.picks.begin(), want.picks.end(), 0), 20 * 24 - 1);
  EXPECT_EQ(want.movedFilled.size(), 21u * 25u);  // the odd width loses a pixel
  EXPECT_EQ(want.movedFilled.count({190, 138}), 1u);
  EXPECT_EQ(want.movedWalls.size(), 4u);
  EXPECT_EQ(want.deletedOutline, (std::set<Pixel>{{0, 0}}));
  EXPECT_EQ(want.deletedWalls,
            (std::multiset<Segment>{Segment{}, Segment{}, Segment{}, Segment{}}));

  const std::array<std::array<uint16_t, 2>, 2> orders[] = {
      {{{71, 85}, {50, 60}}}, {{{71, 60}, {50, 85}}}, {{{50, 85}, {71, 60}}}};
  for (const auto& order : orders) {
    const Observed got = Gesture(order[0], order[1]);
    SCOPED_TRACE(testing::Message() << "first click " << order[0][0] << "," << order[0][1]);
    EXPECT_EQ(got.filled, want.filled);
    EXPECT_EQ(got.outline, want.outline);
    EXPECT_EQ(got.picks, want.picks);
    EXPECT_EQ(got.movedFilled, want.movedFilled);
    EXPECT_EQ(got.movedWalls, want.movedWalls);
    EXPECT_EQ(got.deletedOutline, want.deletedOutline);
    EXPECT_EQ(got.deletedWalls, want.deletedWalls);
  }
}

}  // namespace
