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

// `red` is a constant of this file, so this initialisation is ordered after it.
Color_RGB color = red;
type shape = type::triangle;
bool CreateBall = false;
float speed = 3.0f;
float pinrad = 5.0f;
bool Fill = true;
bool Pause = false;
bool Start = true;
int32_t pickedb = -1;
int32_t pickedc = -1;
int32_t pickedt = -1;
