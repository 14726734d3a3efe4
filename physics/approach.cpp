#include "physics/approach.h"

#include "physics/vector.h"

float ApproachFraction(float qx, float qy, float mx, float my, float S) {
  const float L = Root(my * my + mx * mx);
  const float p = (qx * mx + qy * my) / L;
  // P is |p| times L, not |p|: this is the figure the contact test is built on.
  const float P = Root((p * my) * (p * my) + (p * mx) * (p * mx));
  const float D = Root(qx * qx + qy * qy);
  return (P - Root(S * S - (D * D - P * P))) / L;
}
