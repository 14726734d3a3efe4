#pragma once

// The whole scene: seven lists of value records in insertion order (a
// record's position is its identity) and the global settings. Touched only
// by the window's thread, between frames by the window procedure and during
// a frame by RenderWindow.

#include <cstdint>
#include <vector>

#include "physics/pinball.h"
#include "render/color_rgb.h"
#include "scene/records.h"
#include "shapes/box.h"
#include "shapes/circle.h"
#include "shapes/triangle.h"

// The named colours.
extern const Color_RGB red;
extern const Color_RGB green;
extern const Color_RGB blue;
extern const Color_RGB white;
extern const Color_RGB defaultcolor;

// The lists.
extern std::vector<Point> gPointList;        // clicks of the gesture in progress
extern std::vector<pinball> BallList;        // the balls
extern std::vector<PolygonVertex> polylist;  // polygon vertices, polygon after polygon
extern std::vector<Lines> LinesList;         // border walls first, then shape edges
extern std::vector<Circle> circlist;         // circle obstacles
extern std::vector<Box> boxlist;             // box obstacles
extern std::vector<triangle> trilist;        // triangle obstacles

// The settings.
extern Color_RGB color;  // drawing colour of everything made next
extern type shape;       // current shape tool
extern bool CreateBall;  // left clicks make balls instead of shapes
extern float speed;      // speed of new balls, pixels per tick
extern float pinrad;     // radius of new balls
extern bool Fill;        // shapes and balls drawn filled, else outlined
extern bool Pause;       // edit mode: balls frozen, left clicks edit
extern bool Start;       // the next init also builds the default scene
extern int32_t pickedb;  // picked box, circle and triangle, -1 for none
extern int32_t pickedc;
extern int32_t pickedt;

// Every setting to the value the program starts with (the picks to none).
void SetStartSettings();

// The four border walls of the field (scene/field.h), then the default scene while
// Start is set. Only appends.
void init();
// Appends the default scene and clears Start.
void StartUp();
