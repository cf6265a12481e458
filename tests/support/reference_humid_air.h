#pragma once

namespace climstat::test::reference {

// The dew point and the wet bulb by plain bisection, evaluating the saturation pressure at
// every step: what the program's solvers must give bit for bit.
float dewPoint(float W, float pt);
float wetBulb(float T, float W, float pt);

}  // namespace climstat::test::reference
