// The dew point and wet bulb as first written: plain bisections that evaluate the saturation
// pressure at every step. Kept as the reference the faster solvers must match bit for bit.

#include "support/reference_humid_air.h"

#include <cmath>

#include "psychro/humid_air.h"

namespace climstat::test::reference {

using namespace psychro;

namespace {

constexpr int kMaxDewPointSteps = 64;
constexpr int kMaxWetBulbSteps = 200;
constexpr double kWetBulbBracket = 0.002;

constexpr double d(float x) {
    return static_cast<double>(x);
}
constexpr float f(double x) {
    return static_cast<float>(x);
}

// The dew-point bisection. `failed` tells whether an intermediate value stopped being a finite
// number (a division by zero, the logarithm of a non-positive number, an overflow): the value
// returned then means nothing, and the wet bulb, which starts from it, gives up.
float dewPointBisection(float W, float pt, bool& failed) {
    failed = false;
    if (W == 0.0f) return 0.0f;
    const float pv = vapourPressure(W, pt);
    if (!std::isfinite(pv)) failed = true;
    if (!(pv > 1.0f)) return -60.0f;  // also catches a NaN pressure
    const double L = std::log10(d(pv));
    const float td0 = f((35.85 * L - 2148.496) / (L - 10.2858) - 273.15);
    if (!std::isfinite(td0)) failed = true;
    float lo = f(d(td0) - 3.0);
    float hi = f(d(td0) + 3.0);
    float mid = td0;
    for (int step = 0; step < kMaxDewPointSteps; ++step) {
        mid = f((d(lo) + d(hi)) * 0.5);
        const float ps = saturationPressure(mid);
        if (!std::isfinite(ps)) failed = true;
        if (ps >= pv) {
            hi = mid;
        } else {
            lo = mid;
        }
        if (std::fabs(d(hi) - d(lo)) <= 0.001) break;
    }
    return mid;
}

}  // namespace

float dewPoint(float W, float pt) {
    bool failed = false;
    return dewPointBisection(W, pt, failed);
}

float wetBulb(float T, float W, float pt) {
    if (T == 0.0f && W == 0.0f) return 0.0f;
    // Any arithmetic failure on the way, in the dew point included, gives back T.
    bool failed = false;
    const float td = dewPointBisection(W, pt, failed);
    if (failed || !std::isfinite(td) || !std::isfinite(T)) return T;
    float mid = f((d(T) + d(td)) * 0.5);
    float hi = T;
    float lo = td;
    if (T < td) return mid;
    for (int step = 0; step < kMaxWetBulbSteps; ++step) {
        const float prev = mid;
        const float ws = saturationHumidityRatio(mid, pt);
        const float t = wetBulbFromSaturationRatio(ws, W, T);
        if (!std::isfinite(ws) || !std::isfinite(t)) return T;
        if (t > mid) {
            lo = mid;
        } else {
            hi = mid;
        }
        mid = f((d(hi) + d(lo)) * 0.5);
        if (!std::isfinite(mid)) return T;
        // The new midpoint lying near the wet bulb implied by the previous one only means
        // convergence once the bracket is narrow: with a wide bracket it happens by chance,
        // several degrees away from the root. The root stays inside [lo, hi], so a bracket of
        // 0.002 puts the midpoint within 0.001 of it.
        if ((std::fabs(d(mid) - d(t)) <= 0.001 && d(hi) - d(lo) <= kWetBulbBracket) ||
            mid == prev) {
            break;
        }
    }
    return mid;
}

}  // namespace climstat::test::reference
