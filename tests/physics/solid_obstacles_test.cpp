// No ball passes through a wall, a corner or a circle: the contacts that a
// crossing test alone misses, case by case, and long runs of scenes built
// through the mouse gestures.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "app/render_window.h"
#include "physics/circle_collision.h"
#include "physics/wall_collision.h"
#include "scene/commands.h"
#include "scene/mouse_editing.h"
#include "scene/picking.h"
#include "scene/scene.h"
#include "tests/physics/ball_test_util.h"
#include "tests/support/random_scene.h"

namespace {

using namespace testing_support;
using physics_test::Ball;
using physics_test::Disc;
using physics_test::Wall;

const Lines kTop = Wall(0, 0, 792, 0);
const std::vector<Lines> kBorder = {kTop, Wall(792, 0, 792, 554), Wall(0, 0, 0, 554),
                                    Wall(0, 554, 792, 554)};
const Lines kShortTop = Wall(0, 0, 512, 0);

// Each contact that the plain crossing tests miss, and its neighbours that stay unmet.
// The first three rows were not met before: a rim on or across a wall's line moving in,
// and a step through a wall's end point, are now met.
TEST(SolidObstaclesTest, MendedContacts) {
  struct Case {
    const char* what;
    pinball ball;
    std::vector<Lines> walls;
    std::vector<Circle> circles;
    int32_t met;           // wall index, 0 for "the circle", -1 for none
    float want_i, want_j;  // the new direction, to within 1e-6
  } const cases[] = {
      {"rim on the line, moving in", Ball(400, 10, 0, -1, 3), kBorder, {}, 0, 0, 1},
      {"rim across the line, moving in", Ball(400, 5, 0, -1, 3), kBorder, {}, 0, 0, 1},
      {"step through the end point", Ball(512, 12, 0, -1, 4), {kShortTop}, {}, 0, 0, 1},
      {"rim across the line, slanting in",
       Ball(300, 8, 1, -1, 2),
       {kTop},
       {},
       0,
       0.70710677f,
       0.70710677f},
      {"corner graze bounces off the end point",
       Ball(517, 12, 0, -1, 4),
       {kShortTop},
       {},
       0,
       0.8660254f,
       0.5f},
      {"rim over the end point, moving in",
       Ball(515, 4, -1, 0, 2),
       {kShortTop},
       {},
       0,
       -0.28f,
       0.96f},
      {"a touching wall wins over an earlier crossing",
       Ball(400, 12.5f, 1, -1, 3),
       {kTop, Wall(405, 0, 405, 20)},
       {},
       1,
       -0.70710677f,
       -0.70710677f},
      {"centre on the wall's line passes", Ball(400, 0, 0, -1, 3), {kTop}, {}, -1, 0, -1},
      {"zero-length wall in the path",
       Ball(400, 12, 0, -1, 3),
       {Wall(400, 3, 400, 3)},
       {},
       -1,
       0,
       -1},
      {"zero-length walls left by a deletion",
       Ball(5, 5, -1, -1, 3),
       {Wall(0, 0, 0, 0)},
       {},
       -1,
       -0.70710677f,
       -0.70710677f},
      {"speed-1 ball head-on at a circle, rim on it",
       Ball(150, 160, 0, -1, 1),
       {},
       {Disc(150, 100, 50)},
       0,
       0,
       1},
      {"ball overlapping a circle, moving in",
       Ball(180, 151, 0, -1, 1),
       {},
       {Disc(150, 100, 50)},
       0,
       0.87403601f,
       0.48586118f},
      {"ball overlapping a circle, moving out",
       Ball(180, 151, 0, 1, 1),
       {},
       {Disc(150, 100, 50)},
       -1,
       0,
       1},
      // Made by clicks: the contact fraction is too small to move the centre, which once
      // left a not-a-number direction; the ball turns where it stands.
      {"contact too early to move the centre",
       pinball(330, 296, 314, 287, Color_RGB{0, 255, 0}, 1, 5),
       {},
       {Disc(306, 314, 25)},
       0,
       -0.226609617f,
       -0.973985612f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    pinball ball = c.ball;
    int32_t index = 99;
    if (c.circles.empty()) {
      WallContact contact;
      EXPECT_EQ(Checkcollision(ball, c.walls, index, contact), c.met != -1);
      EXPECT_EQ(index, c.met);
      ChengeVec(index, c.walls, ball, contact);
    } else {
      EXPECT_EQ(Checkcirccol(ball, c.circles, index), c.met != -1);
    }
    EXPECT_NEAR(ball.getvecX(), c.want_i, 1e-6f);
    EXPECT_NEAR(ball.getvecY(), c.want_j, 1e-6f);
    EXPECT_EQ(ball.Getoriginx(), c.ball.Getoriginx());  // a hit never moves the ball
    EXPECT_EQ(ball.Getoriginy(), c.ball.Getoriginy());
  }
}

// True when the centre's move from a to b crosses the wall's segment (touching does not count).
bool Crosses(double ax, double ay, double bx, double by, const Lines& w) {
  auto side = [](double px, double py, double qx, double qy, double rx, double ry) {
    const double d = (qx - px) * (ry - py) - (qy - py) * (rx - px);
    return (d > 0) - (d < 0);
  };
  return side(ax, ay, bx, by, w.x1, w.y1) * side(ax, ay, bx, by, w.x2, w.y2) < 0 &&
         side(w.x1, w.y1, w.x2, w.y2, ax, ay) * side(w.x1, w.y1, w.x2, w.y2, bx, by) < 0;
}

double DistanceToSegment(double px, double py, const Lines& w) {
  const double dx = w.x2 - w.x1, dy = w.y2 - w.y1;
  const double dd = dx * dx + dy * dy;
  const double u =
      dd > 0 ? std::fmax(0, std::fmin(1, ((px - w.x1) * dx + (py - w.y1) * dy) / dd)) : 0;
  return std::hypot(px - (w.x1 + u * dx), py - (w.y1 + u * dy));
}

// Runs the scene for `ticks` frames; returns how many balls ever crossed a wall, entered a
// circle obstacle or left the field.
int BallsThatEscape(int ticks) {
  Rendering rc(0, 0, nullptr);  // no store: the frames draw nothing, the tick runs
  std::vector<bool> escaped(BallList.size(), false);
  for (int tick = 0; tick < ticks; ++tick) {
    std::vector<pinball> before = BallList;
    RenderWindow(rc);
    for (size_t k = 0; k < BallList.size(); ++k) {
      const double ax = before[k].Getoriginx(), ay = before[k].Getoriginy();
      const double bx = BallList[k].Getoriginx(), by = BallList[k].Getoriginy();
      bool out = !(bx > 0 && bx < 792 && by > 0 && by < 554);
      for (const Lines& w : LinesList) out = out || Crosses(ax, ay, bx, by, w);
      for (const Circle& c : circlist)
        out = out || std::hypot(bx - c.Getoriginx(), by - c.Getoriginy()) < c.Getradius();
      if (out) escaped[k] = true;
    }
  }
  int count = 0;
  for (bool e : escaped) count += e;
  return count;
}

// Balls straight up, down, left and right from whole-pixel positions, at every speed and
// radius, each alone in the cleared field: every one turns back at the border.
TEST(SolidObstaclesTest, BallsStraightAtTheBorderTurnBack) {
  const int32_t speeds[] = {IDM_SPEED_1, IDM_SPEED_2, IDM_SPEED_3};
  const int32_t radii[] = {IDM_RADIUS_HALF, IDM_RADIUS_1, IDM_RADIUS_1_5};
  const int aims[4][2] = {{0, -40}, {0, 40}, {-40, 0}, {40, 0}};
  for (int32_t s : speeds)
    for (int32_t r : radii)
      for (const auto& aim : aims)
        for (int offset = 0; offset < 3; ++offset) {
          ClearForEditing();
          MenuCommand(s);
          MenuCommand(r);
          MenuCommand(IDM_CREATE_PINBALL);
          const uint16_t x = static_cast<uint16_t>(396 + offset);
          const uint16_t y = static_cast<uint16_t>(277 + offset);
          LeftClick(x, y);
          LeftClick(static_cast<uint16_t>(x + aim[0]), static_cast<uint16_t>(y + aim[1]));
          ASSERT_EQ(BallList.size(), 1u);
          StartBalls();
          EXPECT_EQ(BallsThatEscape(1200), 0)
              << "speed " << speed << " radius " << pinrad << " aim " << aim[0] << "," << aim[1];
        }
}

// Scenes built through the gestures: boxes (clicked in every corner order), triangles,
// polygons and circles, then balls of every speed and radius started in free space, half of
// them axis-aligned. No ball ever crosses a wall, enters a circle or leaves the field.
TEST(SolidObstaclesTest, NoBallEscapesAnyScene) {
#ifdef PINBALL_SHORT_RUNS
  const int kScenes = 3, kTicks = 1500;
#else
  const int kScenes = 12, kTicks = 4000;
#endif
  for (int seed = 1; seed <= kScenes; ++seed) {
    std::mt19937 random(seed);
    ClearForEditing();
    AddRandomShapes(random, 10);
    MenuCommand(IDM_CREATE_PINBALL);
    for (int n = 0; n < 30; ++n) {
      ChooseRandomBall(random);
      // A start clear of every wall and circle by the ball's radius and step, where no click
      // picks a shape (that would move it instead).
      for (int attempt = 0; attempt < 200; ++attempt) {
        const int x = Uniform(random, 1, 790), y = Uniform(random, 1, 552);
        bool free = ObjectPickerB(x, y, boxlist) == -1 && ObjectPickerC(x, y, circlist) == -1 &&
                    ObjectPickerT(x, y, trilist) == -1;
        for (const Lines& w : LinesList) free = free && DistanceToSegment(x, y, w) > pinrad + speed;
        for (const Circle& c : circlist)
          free = free && std::hypot(x - c.Getoriginx(), y - c.Getoriginy()) >
                             c.Getradius() + pinrad + speed;
        if (!free) continue;
        int ax, ay;
        RandomAim(random, ax, ay);
        ClickAt(x, y);
        // Aim the other way where the aim point would fall off the 16-bit click range.
        ClickAt(x + ax >= 0 ? x + ax : x - ax, y + ay >= 0 ? y + ay : y - ay);
        break;
      }
    }
    StartBalls();
    EXPECT_EQ(BallsThatEscape(kTicks), 0) << "scene " << seed << ", " << BallList.size()
                                          << " balls, " << LinesList.size() << " walls";
  }
}

}  // namespace
