#pragma once

#include "scene/records.h"

// Whether a pick names a box, circle or triangle that is there.
bool AnyPick();
// Moves the picked box, else circle, else triangle, to the click P (with its
// wall lines), resets the picks and empties the pending points.
void MovePicked(const Point& P);
// The Delete key: collapses the picked box, else circle, else triangle, and
// its wall lines to the origin. Does nothing when nothing is picked.
void DeletePicked();
