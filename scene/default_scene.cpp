#include "scene/field.h"
#include "scene/scene.h"

namespace {

void AddLine(float x1, float y1, float x2, float y2) {
  LinesList.push_back({x1, y1, color, x2, y2, color});
}

int32_t NextLine() { return static_cast<int32_t>(LinesList.size()); }

}  // namespace

void init() {
  for (const auto& w : kBorderWalls) AddLine(w[0], w[1], w[2], w[3]);
  if (Start) StartUp();
}

void StartUp() {
  circlist.push_back(Circle(150, 100, 50, white));
  circlist.push_back(Circle(510, 100, 50, white));

  trilist.push_back(triangle(380, 240, 330, 250, 420, 250, blue));
  trilist.back().setwalls(NextLine());
  AddLine(380, 240, 330, 250);
  AddLine(330, 250, 420, 250);
  AddLine(420, 250, 380, 240);

  boxlist.push_back(Box(100, 350, 660, 400, red));
  boxlist.back().setwalls(NextLine());
  AddLine(100, 350, 100, 400);
  AddLine(100, 400, 660, 400);
  AddLine(660, 400, 660, 350);
  AddLine(660, 350, 100, 350);

  BallList.push_back(pinball(200, 200, 1, 1, green, 2, 10));
  BallList.push_back(pinball(100, 100, 200, -1, green, 3, 10));

  Start = false;
}
