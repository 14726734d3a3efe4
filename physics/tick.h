#pragma once

#include <vector>

#include "physics/pinball.h"
#include "scene/records.h"
#include "shapes/circle.h"

// One simulation tick: for each ball in list order, the circle test, the ball
// test and the wall test; a ball that no circle or ball turned is turned off
// the wall met, or else advanced one step. Each ball is tested only against
// what lies within its reach, with exactly the results of testing it against
// every list. Allocates nothing once its buffers have grown to the scene.
void TickBalls(std::vector<pinball>& BallList, const std::vector<Lines>& LinesList,
               const std::vector<Circle>& circlist);

class BroadPhase;
// The same with a grid of the caller's, for several scenes ticked in turn:
// each keeps what its grid has learnt of its walls and circles.
void TickBalls(BroadPhase& grid, std::vector<pinball>& BallList,
               const std::vector<Lines>& LinesList, const std::vector<Circle>& circlist);
