#pragma once

// Pause, Step, Step Back, Slow Motion and Trails: the user's hand on time.
// All off at start, when every pass ticks as it always did. Stepping back is
// exact: the balls' states of the recent ticks are recorded, and a change of
// the scene (an edit, an undo, an open) starts the record afresh.

#include <cstdint>

#include "scene/ball_record.h"

// Whether the pass that is running advances the balls: not in edit mode, not
// paused, and on the slow motion's beat (every pass, every 2nd or every 4th).
bool PassTicks();
// One tick of the scene's balls, recorded.
void RecordedTick();

// The commands. Pause toggles; Step and Step Back act only while paused and
// out of edit mode; Slow Motion takes its item's id; Trails toggles.
void PauseCommand();
void StepCommand();
void StepBackCommand();
void SlowMotionCommand(int32_t id);
void TrailsCommand();

bool TimePaused();
// Passes for each tick: 1, 2 or 4.
int32_t SlowMotion();
// Each ball leaves its path of the last seconds in the frame.
bool TrailsOn();
// The record of the scene's balls: its tick counts ticks since the scene last changed.
const BallRecord& TimeRecord();
// Counts the record's fresh starts.
uint64_t TimeRecordStarts();

// As at the program's start (for the tests).
void ResetTimeControls();
