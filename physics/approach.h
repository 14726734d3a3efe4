#pragma once

// The approach fraction: with q the offset from a moving centre to a target
// centre, m the moving centre's step and S the contact distance, the estimate
// of the fraction of the step at which the centres come within S. For a step
// of length 1 it is exact; a longer step gives less. Not-a-number when the
// step is zero or the path never comes within S.
float ApproachFraction(float qx, float qy, float mx, float my, float S);
