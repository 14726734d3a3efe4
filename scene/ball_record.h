#pragma once

// The balls' states of the recent ticks, so that time can be stepped back bit
// for bit. A tick changes only a ball's centre and direction, so those four
// numbers are the state. Every 16th tick is kept whole (a checkpoint); the
// ticks since the last checkpoint are kept too. Stepping back past a
// checkpoint replays the 15 ticks before it from the one earlier, which gives
// the same ticks again: the tick is exact.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "physics/pinball.h"
#include "scene/records.h"
#include "shapes/circle.h"

// The memory the record may take: hours of the default scene, about 50 s of
// 10,000 balls.
constexpr size_t kBallRecordBytes = size_t{32} << 20;
// Ticks from one checkpoint to the next.
constexpr int64_t kCheckpointTicks = 16;

struct BallState {
  float x, y, i, j;
};

class BallRecord {
 public:
  explicit BallRecord(size_t budget = kBallRecordBytes) : budget_(budget) {}

  // Starts afresh with `balls` as tick 0, keeping the memory it has.
  void Restart(const std::vector<pinball>& balls);
  // Whether `balls` are, bit for bit, the last state recorded.
  bool Holds(const std::vector<pinball>& balls) const;
  // Records the state of `balls` after one more tick.
  void Push(const std::vector<pinball>& balls);
  // Puts `balls` back to the tick before, replaying ticks from a checkpoint
  // among `walls` and `circles` when needed. False, nothing changed, when
  // that tick is no longer kept.
  bool StepBack(std::vector<pinball>& balls, const std::vector<Lines>& walls,
                const std::vector<Circle>& circles);

  // Ticks since the start; the oldest tick still kept.
  int64_t Tick() const { return tick_; }
  int64_t OldestTick() const { return firstTick_; }
  // The memory held.
  size_t Bytes() const { return (ringStates_ + tailStates_) * sizeof(BallState); }

 private:
  BallState* Slot(size_t k) const { return ring_.get() + ((first_ + k) % slotCap_) * n_; }
  void AddCheckpoint(const std::vector<pinball>& balls);
  bool Grow();

  size_t budget_;
  size_t n_ = 0;                       // balls in each state
  std::unique_ptr<BallState[]> ring_;  // the checkpoints, oldest at slot first_
  size_t ringStates_ = 0;
  size_t slotCap_ = 0;  // checkpoints the ring holds
  size_t first_ = 0;
  size_t slots_ = 0;                   // checkpoints held
  std::unique_ptr<BallState[]> tail_;  // the ticks after the last checkpoint
  size_t tailStates_ = 0;
  int64_t tailTicks_ = 0;
  int64_t firstTick_ = 0;  // tick of the oldest checkpoint
  int64_t tick_ = 0;
};
