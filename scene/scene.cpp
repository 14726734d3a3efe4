#include "scene/scene.h"

const Color_RGB red{255, 0, 0};
const Color_RGB green{0, 255, 0};
const Color_RGB blue{0, 0, 255};
const Color_RGB white{255, 255, 255};
const Color_RGB defaultcolor{255, 150, 0};

std::vector<Point> gPointList;
std::vector<pinball> BallList;
std::vector<PolygonVertex> polylist;
std::vector<Lines> LinesList;
std::vector<Circle> circlist;
std::vector<Box> boxlist;
std::vector<triangle> trilist;

// The settings start at the values SetStartSettings gives them, before the
// entry point runs.
Color_RGB color;
type shape;
bool CreateBall;
float speed;
float pinrad;
bool Fill;
bool Pause;
bool Start;
int32_t pickedb;
int32_t pickedc;
int32_t pickedt;

void SetStartSettings() {
  color = red;
  shape = type::triangle;
  CreateBall = false;
  speed = 3.0f;
  pinrad = 5.0f;
  Fill = true;
  Pause = false;
  Start = true;
  pickedb = -1;
  pickedc = -1;
  pickedt = -1;
}

namespace {
// `red` is a constant of this file, so this initialisation is ordered after it.
[[maybe_unused]] const bool kSettingsStarted = (SetStartSettings(), true);
}  // namespace
