#pragma once

#include <cstdint>
#include <vector>

#include "physics/ball_step.h"
#include "physics/pinball.h"
#include "scene/records.h"

// How the ball meets the wall that Checkcollision reports: across the wall's
// line, or at one of its end points, where the ball turns about the line from
// that end point to its centre at contact.
struct WallContact {
  bool atEndPoint = false;
  VECTOR normal;  // centre at contact minus the end point; unused otherwise
};

// The wall's unit normal, (dy, -dx) normalised; not-a-number for a wall of no length.
VECTOR WallNormal(const Lines& wall);

// The crossing test alone: the leading rim point crosses the wall's line
// inside the step and inside the wall, every bound strict, at fraction t.
// Of the contacts, the only one that can meet a wall farther from the centre
// than the radius and the step.
bool CrossesWall(const BallStep& b, const Lines& wall, const VECTOR& normal, float& t);

// Whether the step meets this one wall, at fraction t of the step, and how;
// `normal` is WallNormal(wall). Walls of no length are never met.
bool MeetsWall(const BallStep& b, const Lines& wall, const VECTOR& normal, float& t,
               WallContact& contact);

// Whether the ball's next step brings it against a wall: its leading rim point
// crosses the wall, or its rim already touches the wall and the step moves into
// it, or its rim reaches one of the wall's end points. IndexCol becomes the
// position of the wall met first (smallest fraction of the step; the earlier
// wall on a tie), or -1, and contact says how it is met. The ball is a copy:
// nothing changes.
bool Checkcollision(pinball ball, const std::vector<Lines>& LinesList, int32_t& IndexCol,
                    WallContact& contact);
bool Checkcollision(pinball ball, const std::vector<Lines>& LinesList, int32_t& IndexCol);

// Turns the ball off wall IndexCol as contact says: mirrored about the wall's
// line, or about the line perpendicular to the contact normal at an end point.
// -1 does nothing. The ball does not move.
void ChengeVec(int32_t IndexCol, const std::vector<Lines>& LinesList, pinball& ball,
               const WallContact& contact);
// Mirrors the ball's direction about the line of wall IndexCol.
void ChengeVec(int32_t IndexCol, const std::vector<Lines>& LinesList, pinball& ball);
