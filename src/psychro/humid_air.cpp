#include "psychro/humid_air.h"

#include <cmath>

namespace climstat::psychro {

namespace {

// Coefficients of the saturation-pressure equations, each rounded once to single precision.
constexpr float C1 = -5674.359f;
constexpr float C2 = 6.3925247f;
constexpr float C3 = -9.677843e-3f;
constexpr float C4 = 6.2215701e-7f;
constexpr float C5 = 2.0747825e-9f;
constexpr float C6 = -9.484024e-13f;
constexpr float C7 = 4.1635019f;
constexpr float C8 = -5800.2206f;
constexpr float C9 = 1.3914993f;
constexpr float C10 = -4.8640239e-2f;
constexpr float C11 = 4.1764768e-5f;
constexpr float C12 = -1.4452093e-8f;
constexpr float C13 = 6.5459673f;

// The dew-point bisection needs 13 halvings and the wet-bulb one typically 7 to 15; these
// bounds only stop inputs for which single precision cannot reach the tolerance.
constexpr int kMaxDewPointSteps = 64;
constexpr int kMaxWetBulbSteps = 200;
constexpr double kWetBulbBracket = 0.002;

constexpr double d(float x) {
    return static_cast<double>(x);
}
constexpr float f(double x) {
    return static_cast<float>(x);
}

}  // namespace

float saturationPressure(float T) {
    const double tk = d(f(d(T) + d(kelvinOffset)));
    double lnPs;
    // The switch compares single-precision values, so that an argument of -0.0606 itself (which
    // in single precision lies a little below -0.0606) is still on the water side.
    if (T >= -0.0606f) {
        lnPs = d(C8) / tk + d(C9) + d(C10) * tk + d(C11) * tk * tk + d(C12) * tk * tk * tk +
               d(C13) * std::log(tk);
    } else {
        lnPs = d(C1) / tk + d(C2) + d(C3) * tk + d(C4) * tk * tk + d(C5) * tk * tk * tk +
               d(C6) * tk * tk * tk * tk + d(C7) * std::log(tk);
    }
    return f(std::exp(lnPs));
}

float humidityRatio(float pv, float pt) {
    return f(d(epsilon) * d(pv) / (d(pt) - d(pv)));
}

float vapourPressure(float W, float pt) {
    return f(d(W) * d(pt) / (d(W) + d(epsilon)));
}

float saturationHumidityRatio(float T, float pt) {
    return humidityRatio(saturationPressure(T), pt);
}

float enthalpy(float T, float W) {
    return f((d(cpv) * d(T) + d(hfg)) * d(W) + d(cpa) * d(T));
}

float specificVolume(float T, float W, float pt) {
    const float pv = vapourPressure(W, pt);
    return f(rAir * (d(T) + d(kelvinOffset)) / (d(pt) - d(pv)));
}

float relativeHumidity(float T, float W, float pt) {
    if (T == 0.0f && W == 0.0f) return 0.0f;
    const float pv = vapourPressure(W, pt);
    const float ps = saturationPressure(T);
    if (ps == 0.0f) return 50.0f;
    return f(100.0 * d(pv) / d(ps));
}

namespace {

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

float pressureAtAltitude(float z) {
    return f(seaLevelPressure * std::pow(1.0 - 2.25577e-5 * d(z), 5.2559));
}

float humidityRatioFromEnthalpy(float T, float h) {
    return f((d(h) - d(cpa) * d(T)) / (d(cpv) * d(T) + d(hfg)));
}

float temperatureFromEnthalpy(float W, float h) {
    return f((d(h) - d(hfg) * d(W)) / (d(cpv) * d(W) + d(cpa)));
}

float humidityRatioFromVolume(float T, float v, float pt) {
    return f(d(epsilon) * (d(v) * d(pt) / (rAir * (d(T) + d(kelvinOffset))) - 1.0));
}

float temperatureFromVolume(float W, float v, float pt) {
    const float pv = vapourPressure(W, pt);
    return f((d(pt) - d(pv)) * d(v) * (1.0 / rAir) - d(kelvinOffset));
}

float temperatureFromVolumeAndVapourPressure(float v, float pv, float pt) {
    return temperatureFromVolume(humidityRatio(pv, pt), v, pt);
}

float humidityRatioFromWetBulb(float T, float Twb, float Ws) {
    return f((d(cpa) * (d(Twb) - d(T)) + d(Ws) * (d(hfg) - (d(cw) - d(cpv)) * d(Twb))) /
             (d(hfg) + d(cpv) * d(T) - d(cw) * d(Twb)));
}

float wetBulbFromSaturationRatio(float Ws, float W, float T) {
    return f((d(T) * (d(cpa) + d(cpv) * d(W)) + d(hfg) * (d(W) - d(Ws))) /
             (d(cpa) + d(cw) * d(W) - (d(cw) - d(cpv)) * d(Ws)));
}

float temperatureFromWetBulb(float Twb, float W, float Ws) {
    return f(
        (d(Twb) * (d(cpa) + d(cw) * d(W) - (d(cw) - d(cpv)) * d(Ws)) - d(hfg) * (d(W) - d(Ws))) /
        (d(cpa) + d(cpv) * d(W)));
}

}  // namespace climstat::psychro
