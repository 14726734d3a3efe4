#include "scene/ball_record.h"

#include <algorithm>
#include <cstring>

#include "physics/tick.h"

namespace {

// The room the ring starts with: a checkpoint of a few thousand balls, or
// hours of a few; it doubles as needed, up to the budget.
constexpr size_t kFirstRingBytes = size_t{1} << 20;

BallState StateOf(const pinball& ball) {
  return {ball.Getoriginx(), ball.Getoriginy(), ball.getvecX(), ball.getvecY()};
}

void Save(const std::vector<pinball>& balls, BallState* to) {
  for (size_t k = 0; k < balls.size(); ++k) to[k] = StateOf(balls[k]);
}

void Load(const BallState* from, std::vector<pinball>& balls) {
  for (size_t k = 0; k < balls.size(); ++k) {
    balls[k].Restore(from[k].x, from[k].y, VECTOR(from[k].i, from[k].j));
  }
}

}  // namespace

void BallRecord::Restart(const std::vector<pinball>& balls) {
  n_ = balls.size();
  tick_ = 0;
  firstTick_ = 0;
  first_ = 0;
  slots_ = 0;
  tailTicks_ = 0;
  const size_t tailNeeded = static_cast<size_t>(kCheckpointTicks - 1) * n_;
  if (tailStates_ < tailNeeded) {
    tail_.reset(new BallState[tailNeeded]);
    tailStates_ = tailNeeded;
  }
  const size_t each = std::max<size_t>(n_, 1);
  const size_t budgetStates = budget_ / sizeof(BallState);
  const size_t maxSlots = budgetStates > tailStates_ ? (budgetStates - tailStates_) / each : 0;
  if (ringStates_ / each < 2 && maxSlots >= 2) {
    const size_t slots =
        std::clamp(kFirstRingBytes / sizeof(BallState) / each, size_t{2}, maxSlots);
    ring_.reset(new BallState[slots * each]);
    ringStates_ = slots * each;
  }
  slotCap_ = std::min(ringStates_ / each, maxSlots);
  if (slotCap_ >= 2) AddCheckpoint(balls);
}

bool BallRecord::Holds(const std::vector<pinball>& balls) const {
  if (balls.size() != n_ || slots_ == 0) return false;
  const BallState* last = tailTicks_ > 0 ? tail_.get() + (tailTicks_ - 1) * n_ : Slot(slots_ - 1);
  for (size_t k = 0; k < n_; ++k) {
    const BallState now = StateOf(balls[k]);
    if (std::memcmp(&now, &last[k], sizeof now) != 0) return false;
  }
  return true;
}

void BallRecord::Push(const std::vector<pinball>& balls) {
  ++tick_;
  if (slots_ == 0) return;  // more balls than the budget holds: nothing is kept
  if (tick_ % kCheckpointTicks == 0) {
    AddCheckpoint(balls);
  } else {
    Save(balls, tail_.get() + tailTicks_ * n_);
    ++tailTicks_;
  }
}

bool BallRecord::StepBack(std::vector<pinball>& balls, const std::vector<Lines>& walls,
                          const std::vector<Circle>& circles) {
  if (slots_ == 0 || tick_ <= firstTick_ || balls.size() != n_) return false;
  if (tailTicks_ >= 2) {
    Load(tail_.get() + (tailTicks_ - 2) * n_, balls);
    --tailTicks_;
  } else if (tailTicks_ == 1) {
    Load(Slot(slots_ - 1), balls);
    tailTicks_ = 0;
  } else {
    // The tick before a checkpoint: the ticks since the one before it, again.
    --slots_;
    Load(Slot(slots_ - 1), balls);
    for (int64_t r = 0; r < kCheckpointTicks - 1; ++r) {
      TickBalls(balls, walls, circles);
      Save(balls, tail_.get() + r * n_);
    }
    tailTicks_ = kCheckpointTicks - 1;
  }
  --tick_;
  return true;
}

void BallRecord::AddCheckpoint(const std::vector<pinball>& balls) {
  if (slots_ == slotCap_ && !Grow()) {
    // Full: the oldest checkpoint goes, and with it the ticks up to the next.
    first_ = (first_ + 1) % slotCap_;
    --slots_;
    firstTick_ += kCheckpointTicks;
  }
  Save(balls, Slot(slots_));
  ++slots_;
  tailTicks_ = 0;
}

bool BallRecord::Grow() {
  const size_t each = std::max<size_t>(n_, 1);
  const size_t budgetStates = budget_ / sizeof(BallState);
  const size_t maxSlots = (budgetStates - tailStates_) / each;
  const size_t slots = std::min(slotCap_ * 2, maxSlots);
  if (slots <= slotCap_) return false;
  std::unique_ptr<BallState[]> ring(new BallState[slots * each]);
  for (size_t k = 0; k < slots_; ++k) std::copy(Slot(k), Slot(k) + n_, ring.get() + k * n_);
  ring_ = std::move(ring);
  ringStates_ = slots * each;
  slotCap_ = slots;
  first_ = 0;
  return true;
}
