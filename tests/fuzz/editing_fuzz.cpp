// Coverage-guided fuzzing of editing. The input is read as a sequence of
// window events (clicks anywhere in 16 bits or on a coarse grid, keys, menu
// commands known and unknown, frames, bursts of frames, resizes) played on a
// fresh scene. After
// every event the scene is checked; a fault prints what broke and aborts, so
// that libFuzzer keeps the input.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <initializer_list>
#include <vector>

#include "app/render_window.h"
#include "scene/commands.h"
#include "scene/examples.h"
#include "scene/field.h"
#include "scene/mouse_editing.h"
#include "scene/scene.h"
#include "tests/support/platform_stub.h"
#include "tests/support/scene_state.h"

namespace {

// Stores above this many pixels are refused, as a display driver may refuse
// them: every frame clears and copies its whole store, and the fuzzer must
// stay fast. Sizes such as 65535 x 16 still get one.
constexpr int64_t kMaxStorePixels = int64_t{1} << 20;

// CPU time one frame may take, in milliseconds (CPU time, so that a loaded
// machine does not make it fail): a fixed part, a part per scene element and
// a part per pixel of the store. The benchmark's default-scene frame takes
// 0.12 to 0.33 ms natively and 0.7 ms in this build; a walk over every row of a
// triangle reaching row 65535 took 570 ms here.
constexpr double kFrameBaseMs = 50;
constexpr double kFrameMsPerElement = 0.25;
constexpr double kFrameMsPerMegapixel = 100;
// A filled circle far larger than the window once drew the rows of its flat
// top and bottom over and over (120 ms here at radius 53000; now well under 1 ms).

[[noreturn]] void Fault(const char* what, size_t index = 0) {
  std::fprintf(stderr, "editing fault: %s (%zu)\n", what, index);
  std::abort();
}

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint16_t Word() { return static_cast<uint16_t>(Byte() | Byte() << 8); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// --- What the checks compare ---

using Segment = std::array<float, 4>;

Segment Undirected(float x1, float y1, float x2, float y2) {
  if (x2 < x1 || (x2 == x1 && y2 < y1)) return {x2, y2, x1, y1};
  return {x1, y1, x2, y2};
}

bool SameLine(const Lines& a, const Lines& b) {
  return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

std::vector<Segment> Sorted(std::vector<Segment> s) {
  std::sort(s.begin(), s.end());
  return s;
}

std::vector<Segment> Outline(const Box& b) {
  const float x1 = static_cast<float>(b.getv1x()), y1 = static_cast<float>(b.getv1y());
  const float x2 = static_cast<float>(b.getv2x()), y2 = static_cast<float>(b.getv2y());
  return Sorted({Undirected(x1, y1, x1, y2), Undirected(x1, y2, x2, y2), Undirected(x2, y2, x2, y1),
                 Undirected(x2, y1, x1, y1)});
}

std::vector<Segment> Outline(const triangle& t) {
  return Sorted({Undirected(t.getv1x(), t.getv1y(), t.getv2x(), t.getv2y()),
                 Undirected(t.getv2x(), t.getv2y(), t.getv3x(), t.getv3y()),
                 Undirected(t.getv3x(), t.getv3y(), t.getv1x(), t.getv1y())});
}

std::vector<Segment> Walls(size_t first, size_t count) {
  std::vector<Segment> s;
  for (size_t k = first; k < first + count; ++k) {
    const Lines& l = LinesList[k];
    s.push_back(Undirected(l.x1, l.y1, l.x2, l.y2));
  }
  return Sorted(s);
}

std::array<int32_t, 4> Corners(const Box& b) {
  return {b.getv1x(), b.getv1y(), b.getv2x(), b.getv2y()};
}

// Drawing re-sorts a triangle's corners, so they are compared as a set.
std::vector<Segment> Corners(const triangle& t) {
  return Sorted({{t.getv1x(), t.getv1y(), 0, 0},
                 {t.getv2x(), t.getv2y(), 0, 0},
                 {t.getv3x(), t.getv3y(), 0, 0}});
}

void Finite(std::initializer_list<float> values, const char* what, size_t index) {
  for (float v : values)
    if (!std::isfinite(v)) Fault(what, index);
}

template <typename T>
void PickInside(int32_t pick, const std::vector<T>& list, const char* what) {
  if (pick != -1 && (pick < 0 || static_cast<size_t>(pick) >= list.size())) Fault(what, 0);
}

void CheckValues() {
  for (size_t k = 0; k < gPointList.size(); ++k)
    Finite({gPointList[k].x, gPointList[k].y}, "pending point not finite", k);
  for (size_t k = 0; k < LinesList.size(); ++k) {
    const Lines& l = LinesList[k];
    Finite({l.x1, l.y1, l.x2, l.y2}, "wall not finite", k);
  }
  for (size_t k = 0; k < polylist.size(); ++k)
    Finite({polylist[k].x, polylist[k].y}, "polygon vertex not finite", k);
  for (size_t k = 0; k < circlist.size(); ++k) {
    const Circle& c = circlist[k];
    Finite({c.Getoriginx(), c.Getoriginy(), c.Getradius(), c.Getx1(), c.Gety1()},
           "circle not finite", k);
  }
  for (size_t k = 0; k < trilist.size(); ++k) {
    const triangle& t = trilist[k];
    Finite({t.getv1x(), t.getv1y(), t.getv2x(), t.getv2y(), t.getv3x(), t.getv3y(), t.getxmin(),
            t.getxmax(), t.getymin(), t.getymax()},
           "triangle not finite", k);
  }
  for (size_t k = 0; k < BallList.size(); ++k) {
    const pinball& b = BallList[k];
    Finite({b.Getoriginx(), b.Getoriginy(), b.Getradius(), b.getvecX(), b.getvecY()},
           "ball not finite", k);
  }
  PickInside(pickedb, boxlist, "pickedb outside boxlist");
  PickInside(pickedc, circlist, "pickedc outside circlist");
  PickInside(pickedt, trilist, "pickedt outside trilist");
}

// --- The wall groups, followed independently of the shapes' own records ---

// Where each box's and triangle's lines start, learnt from the events: a
// shape built by an event owns exactly the lines that event appended.
struct Groups {
  std::vector<int32_t> boxes;
  std::vector<int32_t> triangles;

  // After an event that put a whole other scene in place (Reset, Clear, New,
  // Undo, Redo, an example) there is nothing to learn them from but the
  // shapes' own records: each must lie inside the walls, share none, and
  // have its walls on its outline.
  void Take() {
    boxes.clear();
    triangles.clear();
    std::vector<bool> owned(LinesList.size());
    auto claim = [&](int32_t first, size_t count, size_t k) {
      if (first < 0 || static_cast<size_t>(first) + count > LinesList.size())
        Fault("a shape records walls past the last", k);
      for (size_t j = static_cast<size_t>(first); j < static_cast<size_t>(first) + count; ++j) {
        if (owned[j]) Fault("two shapes record the same wall", k);
        owned[j] = true;
      }
      return static_cast<size_t>(first);
    };
    for (size_t k = 0; k < boxlist.size(); ++k) {
      boxes.push_back(boxlist[k].getwalls());
      if (Walls(claim(boxes.back(), 4, k), 4) != Outline(boxlist[k]))
        Fault("a box's walls are not on its outline", k);
    }
    for (size_t k = 0; k < trilist.size(); ++k) {
      triangles.push_back(trilist[k].getwalls());
      if (Walls(claim(triangles.back(), 3, k), 3) != Outline(trilist[k]))
        Fault("a triangle's walls are not on its outline", k);
    }
  }
};

struct Before {
  std::vector<Lines> lines;
  std::vector<Box> boxes;
  std::vector<triangle> triangles;

  void Take() {
    lines = LinesList;
    boxes = boxlist;
    triangles = trilist;
  }
};

void LearnNewShapes(const Before& before, Groups& groups) {
  const size_t added = LinesList.size() - before.lines.size();
  const int32_t first = static_cast<int32_t>(before.lines.size());
  const size_t newBoxes = boxlist.size() - before.boxes.size();
  const size_t newTriangles = trilist.size() - before.triangles.size();
  if (newBoxes + newTriangles > 1) Fault("one event built several shapes");
  if (newBoxes == 1) {
    if (added != 4) Fault("a new box without four new walls");
    groups.boxes.push_back(first);
  }
  if (newTriangles == 1) {
    if (added != 3) Fault("a new triangle without three new walls");
    groups.triangles.push_back(first);
  }
}

// The shape a wall belongs to: 'b' or 't' and its index, or 0 for a border
// or polygon wall.
struct Owner {
  char kind = 0;
  size_t index = 0;
  bool operator!=(const Owner& o) const { return kind != o.kind || index != o.index; }
};

Owner OwnerOf(size_t line, const Groups& groups) {
  for (size_t k = 0; k < groups.boxes.size(); ++k) {
    const size_t first = static_cast<size_t>(groups.boxes[k]);
    if (line >= first && line < first + 4) return {'b', k};
  }
  for (size_t k = 0; k < groups.triangles.size(); ++k) {
    const size_t first = static_cast<size_t>(groups.triangles[k]);
    if (line >= first && line < first + 3) return {'t', k};
  }
  return {};
}

// No event but Reset and Clear changes the walls of more than one shape, or
// any border or polygon wall; the one shape that moved, or whose walls
// changed, has all of its walls on its outline (or at the origin, deleted).
void CheckWalls(const Before& before, const Groups& groups) {
  for (size_t k = 0; k < boxlist.size(); ++k)
    if (boxlist[k].getwalls() != groups.boxes[k]) Fault("box records another wall group", k);
  for (size_t k = 0; k < trilist.size(); ++k)
    if (trilist[k].getwalls() != groups.triangles[k])
      Fault("triangle records another wall group", k);

  Owner changed;
  bool any = false;
  auto note = [&](Owner o) {
    if (any && changed != o) Fault("walls of two shapes changed in one event");
    changed = o;
    any = true;
  };
  for (size_t k = 0; k < before.lines.size(); ++k) {
    if (SameLine(before.lines[k], LinesList[k])) continue;
    const Owner o = OwnerOf(k, groups);
    if (o.kind == 0) Fault("a border or polygon wall changed", k);
    note(o);
  }
  for (size_t k = 0; k < before.boxes.size(); ++k)
    if (Corners(before.boxes[k]) != Corners(boxlist[k])) note({'b', k});
  for (size_t k = 0; k < before.triangles.size(); ++k)
    if (Corners(before.triangles[k]) != Corners(trilist[k])) note({'t', k});
  if (!any) return;
  if (changed.kind == 'b') {
    const Box& b = boxlist[changed.index];
    if (Walls(static_cast<size_t>(groups.boxes[changed.index]), 4) != Outline(b))
      Fault("a box's walls are not on its outline", changed.index);
  } else {
    const triangle& t = trilist[changed.index];
    if (Walls(static_cast<size_t>(groups.triangles[changed.index]), 3) != Outline(t))
      Fault("a triangle's walls are not on its outline", changed.index);
  }
}

// --- Playing the events ---

int64_t ElementCount() {
  return static_cast<int64_t>(gPointList.size() + BallList.size() + polylist.size() +
                              LinesList.size() + circlist.size() + boxlist.size() + trilist.size());
}

void Frame(Rendering& rc) {
  const double area = static_cast<double>(rc.getwidth()) * static_cast<double>(rc.getheight());
  const double elements = static_cast<double>(ElementCount());
  // Balls test every circle, ball and wall each tick.
  const double pairs = Pause ? 0 : static_cast<double>(BallList.size()) * elements;
  double bound = kFrameBaseMs + kFrameMsPerElement * (elements + pairs / 100) +
                 kFrameMsPerMegapixel * area / 1e6;
  const double start = ThreadCpuMs();
  RenderWindow(rc);
  const double spent = ThreadCpuMs() - start;
  if (spent > bound) {
    std::fprintf(stderr, "frame took %.1f ms of CPU, bound %.1f ms\n", spent, bound);
    Fault("frame slower than its bound");
  }
}

void Resize(Rendering& rc, uint16_t width, uint16_t height) {
  stub::FailStores(int64_t{width} * height > kMaxStorePixels);
  rc.ReSize(width, height);
  stub::FailStores(false);
}

// Plays a menu command; true for those that put a whole other scene in place
// (Open's dialog is cancelled here, so it changes nothing).
bool Menu(Input& in) {
  const uint8_t pick = in.Byte();
  // 40000-40047 holds every command id and the unknown ones between and
  // round them; the rest of the time any 32-bit id.
  int32_t id = 40000 + pick % 48;
  if (pick >= 240) id = static_cast<int32_t>(in.Word() | uint32_t{in.Word()} << 16);
  if (id == IDM_OTHER_COLOR) {
    if (in.Byte() & 1) {
      stub::QueueColorAnswer({in.Byte(), in.Byte(), in.Byte()});
    } else {
      stub::QueueColorCancel();
    }
  }
  MenuCommand(id);
  return id == IDM_RESET || id == IDM_CLEAR || id == IDM_UNDO || id == IDM_REDO || id == IDM_NEW ||
         ExampleOfCommand(id) != nullptr;
}

void Key(Input& in) {
  const uint8_t key = in.Byte();
  if (key % 4 == 0) {
    KeyDown(kKeyDelete);
  } else if (key % 4 == 1) {
    KeyDown(kKeyA);
  } else {
    KeyDown(key);
  }
}

// A click on a coarse grid over the field, so that shapes often share
// corners and edges: 16 columns 50 apart, 8 rows 70 apart; the high bit
// makes it a right click.
void CoarseClick(uint8_t cell) {
  const uint16_t x = static_cast<uint16_t>(cell % 16 * 50);
  const uint16_t y = static_cast<uint16_t>(cell / 16 % 8 * 70);
  if (cell & 128) {
    RightClick(x, y);
  } else {
    LeftClick(x, y);
  }
}

// Plays one event; true when it emptied and rebuilt the scene.
bool Play(Input& in, Rendering& rc) {
  switch (in.Byte() % 10) {
    case 0:
    case 1:
    case 2: {
      const uint16_t x = in.Word();
      LeftClick(x, in.Word());
      return false;
    }
    case 3: {
      const uint16_t x = in.Word();
      RightClick(x, in.Word());
      return false;
    }
    case 4:
      Key(in);
      return false;
    case 5:
      return Menu(in);
    case 6:
      Frame(rc);
      return false;
    case 7: {
      const int frames = 1 + in.Byte() % 8;
      for (int k = 0; k < frames; ++k) Frame(rc);
      return false;
    }
    case 8: {
      const uint16_t width = in.Word();
      Resize(rc, width, in.Word());
      return false;
    }
    default:
      CoarseClick(in.Byte());
      return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  testing_support::RestoreStartState();
  stub::Reset();
  init();
  Groups groups;
  groups.Take();
  Rendering rc(0, 0, nullptr);
  Resize(rc, kFieldWidth, kFieldHeight);  // the client area of the 800 x 600 window

  Input in(data, size);
  Before before;
  while (!in.Done()) {
    before.Take();
    const bool rebuilt = Play(in, rc);
    CheckValues();
    if (rebuilt) {
      groups.Take();
      continue;
    }
    LearnNewShapes(before, groups);
    CheckWalls(before, groups);
  }
  rc.DestroyBuffer();
  return 0;
}
