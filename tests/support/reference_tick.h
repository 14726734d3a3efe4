#pragma once

// The tick as first written: every ball tested against the whole ball, wall
// and circle lists, in list order. The reference that the tick must match bit
// for bit.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "physics/ball_collision.h"
#include "physics/circle_collision.h"
#include "physics/wall_collision.h"

namespace testing_support {

inline void ReferenceTick(std::vector<pinball>& BallList, const std::vector<Lines>& LinesList,
                          const std::vector<Circle>& circlist) {
  int32_t IndexCol = -1;
  for (size_t k = 0; k < BallList.size(); ++k) {
    pinball& ball = BallList[k];
    const bool circleHit = Checkcirccol(ball, circlist, IndexCol);
    const bool ballHit = ballballcol(ball, BallList, IndexCol);
    WallContact contact;
    const bool wallHit = Checkcollision(ball, LinesList, IndexCol, contact);
    if (circleHit || ballHit) continue;
    if (wallHit) {
      ChengeVec(IndexCol, LinesList, ball, contact);
    } else {
      ball.moveball();
    }
  }
}

}  // namespace testing_support
