#include "psychro/humid_air.h"

#include <cmath>
#include <limits>

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

// --- Knowing the outcome of a bisection step without evaluating it ---
//
// Both solvers halve a bracket around the root of a monotone relation, comparing the relation
// at each midpoint. The saturation pressure in single precision is monotone in T on each side
// of the water/ice switch (its Kelvin temperature is rounded to single precision, so it moves
// in steps of about 3e-5 K), and so is the wet bulb implied by a trial saturation ratio. Every
// comparison therefore only asks on which side of one threshold the midpoint lies. The root of
// the same relation in double precision, found by a few Newton steps, lies within 2e-5 K of
// that threshold (half a step of the rounded Kelvin temperature, and a little for the rounding
// of the results); a midpoint farther from it than kDecided is decided without evaluating the
// relation, and only the midpoints close to the root are evaluated as before. The sequence of
// midpoints, and so the result, is exactly the one the plain bisection gives.
constexpr double kDecided = 4e-5;
// Within this distance of the water/ice switch, or outside the range where every midpoint is
// finite, the solvers evaluate every step.
constexpr double kSwitch = -0.0606;
constexpr double kNearSwitch = 0.01;
constexpr double kLowestKnown = -90.0;
constexpr double kHighestKnown = 150.0;

// ln of the saturation pressure at t degC (unrounded Kelvin temperature) and its derivative.
struct LogPressure {
    double value;
    double slope;      // d ln ps / dT, 1/K
    double curvature;  // d2 ln ps / dT2, 1/K2
};

LogPressure logSaturationPressure(double t) {
    const double tk = t + d(kelvinOffset);
    const double inv = 1.0 / tk;
    if (t >= kSwitch) {
        return {
            d(C8) * inv + d(C9) + tk * (d(C10) + tk * (d(C11) + tk * d(C12))) +
                d(C13) * std::log(tk),
            -d(C8) * inv * inv + d(C10) + tk * (2.0 * d(C11) + tk * 3.0 * d(C12)) + d(C13) * inv,
            2.0 * d(C8) * inv * inv * inv + 2.0 * d(C11) + 6.0 * d(C12) * tk - d(C13) * inv * inv};
    }
    return {d(C1) * inv + d(C2) + tk * (d(C3) + tk * (d(C4) + tk * (d(C5) + tk * d(C6)))) +
                d(C7) * std::log(tk),
            -d(C1) * inv * inv + d(C3) +
                tk * (2.0 * d(C4) + tk * (3.0 * d(C5) + tk * 4.0 * d(C6))) + d(C7) * inv,
            2.0 * d(C1) * inv * inv * inv + 2.0 * d(C4) + tk * (6.0 * d(C5) + tk * 12.0 * d(C6)) -
                d(C7) * inv * inv};
}

bool usableRoot(double root) {
    return std::isfinite(root) && root > kLowestKnown && root < kHighestKnown &&
           std::fabs(root - kSwitch) > kNearSwitch;
}

// Temperature at which the saturation pressure equals pv, from the estimate t0, by Halley's
// method: its error is cubed at each step, so a step below 0.3 K from the estimate leaves less
// than 1e-5 K. `slope` receives d ln ps / dT there.
bool saturationTemperature(float pv, double t0, double& root, double& slope, double& curvature) {
    const double target = std::log(d(pv));
    double t = t0;
    for (int i = 0; i < 12; ++i) {
        const LogPressure lp = logSaturationPressure(t);
        const double g = lp.value - target;
        const double step = g / lp.slope / (1.0 - g * lp.curvature / (2.0 * lp.slope * lp.slope));
        const bool waterSide = t >= kSwitch;
        t -= step;
        if (!std::isfinite(t)) return false;
        // The step must land on the side of the water/ice switch whose curve it followed.
        if (std::fabs(step) < 0.3 && (t >= kSwitch) == waterSide) {
            root = t;
            slope = lp.slope + lp.curvature * -step;
            curvature = lp.curvature;
            return usableRoot(root);
        }
    }
    return false;
}

// The dew-point bisection. `failed` tells whether an intermediate value stopped being a finite
// number (a division by zero, the logarithm of a non-positive number, an overflow): the value
// returned then means nothing, and the wet bulb, which starts from it, gives up.
// `solved`, when given, receives the root of the relation in double precision and the slope
// of ln ps there, when they were found.
struct DewPointRoot {
    bool known = false;
    double root = 0;
    double slope = 0;
    double curvature = 0;
    float pv = 0;
};

float dewPointBisection(float W, float pt, bool& failed, DewPointRoot* solved = nullptr) {
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
    double root = 0;
    double slope = 0;
    double curvature = 0;
    const bool known = !failed && d(td0) > kLowestKnown + 3.0 && d(td0) < kHighestKnown - 3.0 &&
                       saturationTemperature(pv, d(td0), root, slope, curvature);
    if (solved != nullptr) *solved = {known, root, slope, curvature, pv};
    float mid = td0;
    if (known) {
        // The midpoints far from the root, decided on single-precision bounds. Halving the
        // single-precision sum of two floats rounds exactly as halving their exact sum does,
        // so the midpoints are those of the plain bisection, without its conversions.
        const float decidedAbove = f(root + kDecided);
        const float decidedBelow = f(root - kDecided);
        for (int step = 0; step < kMaxDewPointSteps; ++step) {
            mid = (lo + hi) * 0.5f;
            bool above = mid > decidedAbove;  // the saturation pressure at mid reaches pv
            // One branch, almost never taken, rather than one on the coin toss of `above`.
            const bool undecided = !above & !(mid < decidedBelow);
            if (undecided) above = saturationPressure(mid) >= pv;
            // Without branches: the outcome of a step is a coin toss to the processor.
            hi = above ? mid : hi;
            lo = above ? lo : mid;
            if (std::fabs(d(hi) - d(lo)) <= 0.001) break;
        }
        return mid;
    }
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

// The wet bulb implied by the saturation ratio at t, in double precision: the relation whose
// fixed point the wet-bulb bisection brackets.
struct ImpliedWetBulb {
    double value;
    double slope;  // d value / dt
};

ImpliedWetBulb impliedWetBulb(double t, double T, double W, double pt) {
    const LogPressure lp = logSaturationPressure(t);
    const double ps = std::exp(lp.value);
    const double dry = 1.0 / (pt - ps);
    const double ws = d(epsilon) * ps * dry;
    const double dws = ws * pt * lp.slope * dry;
    const double n = T * (d(cpa) + d(cpv) * W) + d(hfg) * (W - ws);
    const double den = d(cpa) + d(cw) * W - (d(cw) - d(cpv)) * ws;
    const double inv = 1.0 / den;
    const double value = n * inv;
    return {value, (-d(hfg) + (d(cw) - d(cpv)) * value) * inv * dws};
}

// Fixed point of the implied wet bulb between the dew point and T, and the slope there. At
// the dew point the saturation ratio is W itself, so the implied wet bulb is T and the first
// Newton step needs no new saturation pressure. A step below 0.02 K leaves an error below 1e-5 K.
bool wetBulbRoot(float T, float W, float pt, const DewPointRoot& dew, double& root, double& slope) {
    if (!(d(T) > kLowestKnown && d(T) < kHighestKnown) || !(W >= 0.0f) || !(pt > 0.0f)) {
        return false;
    }
    if (!dew.known) return false;
    // A Halley step from the dew point, where everything it needs is known already.
    double t = dew.root;
    {
        const double ps = d(dew.pv);
        const double dry = 1.0 / (d(pt) - ps);
        const double ws = d(epsilon) * ps * dry;
        const double L1 = dew.slope;
        const double dws = ws * d(pt) * L1 * dry;
        const double d2ws = ws * d(pt) * dry * dry *
                            ((dew.curvature + L1 * L1) * (d(pt) - ps) + 2.0 * ps * L1 * L1);
        const double c = d(cw) - d(cpv);
        const double n = d(T) * (d(cpa) + d(cpv) * d(W)) + d(hfg) * (d(W) - ws);
        const double den = d(cpa) + d(cw) * d(W) - c * ws;
        const double value = n / den;
        const double tw = (-d(hfg) + c * value) / den;
        const double tww = 2.0 * c * tw / den;
        const double g = value - t;
        const double g1 = tw * dws - 1.0;
        const double g2 = tww * dws * dws + tw * d2ws;
        const double step = 2.0 * g * g1 / (2.0 * g1 * g1 - g * g2);
        if (std::isfinite(step)) t -= step;
    }
    for (int i = 0; i < 12; ++i) {
        const ImpliedWetBulb g = impliedWetBulb(t, d(T), d(W), d(pt));
        const double step = (g.value - t) / (g.slope - 1.0);
        const bool waterSide = t >= kSwitch;
        t -= step;
        if (!std::isfinite(t)) return false;
        if (std::fabs(step) < 0.02 && (t >= kSwitch) == waterSide) {
            root = t;
            slope = g.slope;  // at the previous iterate, within 0.02 K: to about 0.5 %
            return usableRoot(root) && std::isfinite(slope) && slope <= 0.0;
        }
    }
    return false;
}

}  // namespace

float dewPoint(float W, float pt) {
    bool failed = false;
    return dewPointBisection(W, pt, failed);
}

namespace {

// The wet-bulb bisection from the dew point td of (W, pt), computed by the caller.
float wetBulbFrom(float T, float W, float pt, float td, bool failed, const DewPointRoot& dew) {
    // Any arithmetic failure on the way, in the dew point included, gives back T.
    if (failed || !std::isfinite(td) || !std::isfinite(T)) return T;
    float mid = f((d(T) + d(td)) * 0.5);
    float hi = T;
    float lo = td;
    if (T < td) return mid;
    double root = 0;
    double slope = 0;
    const bool known = wetBulbRoot(T, W, pt, dew, root, slope);
    // Midpoints outside these bounds are decided without evaluation; without a known root
    // every midpoint is evaluated.
    const float decidedBelow = known ? f(root - kDecided) : -std::numeric_limits<float>::infinity();
    const float decidedAbove = known ? f(root + kDecided) : std::numeric_limits<float>::infinity();
    for (int step = 0; step < kMaxWetBulbSteps; ++step) {
        const float prev = mid;
        bool rises = mid < decidedBelow;  // the implied wet bulb lies above mid
        bool evaluated = false;
        float t = 0;
        const bool undecided = !rises & !(mid > decidedAbove);
        if (undecided) {
            const float ws = saturationHumidityRatio(mid, pt);
            t = wetBulbFromSaturationRatio(ws, W, T);
            if (!std::isfinite(ws) || !std::isfinite(t)) return T;
            rises = t > mid;
            evaluated = true;
        }
        lo = rises ? mid : lo;
        hi = rises ? hi : mid;
        // As in the dew point: the same midpoint as in double precision, known values only.
        mid = known ? (hi + lo) * 0.5f : f((d(hi) + d(lo)) * 0.5);
        // With a known root every midpoint lies between two finite brackets of -90..150 degC.
        if (!known && !std::isfinite(mid)) return T;
        if (mid == prev) break;
        // The new midpoint lying near the wet bulb implied by the previous one only means
        // convergence once the bracket is narrow: with a wide bracket it happens by chance,
        // several degrees away from the root. The root stays inside [lo, hi], so a bracket of
        // 0.002 puts the midpoint within 0.001 of it.
        if (d(hi) - d(lo) <= kWetBulbBracket) {
            if (!evaluated) {
                // Near the root the implied wet bulb is linear in the trial temperature; it
                // decides the test unless the distance is too close to 0.001 to tell.
                // The single-precision value moves in steps of up to 1.5e-5 K times the slope
                // (the Kelvin temperature is rounded), hence the margin.
                const double estimate = root + slope * (d(prev) - root);
                const double distance = std::fabs(d(mid) - estimate);
                const double margin = 4e-5 + 2.5e-5 * (1.0 - slope);
                if (distance < 0.001 - margin) break;
                if (distance > 0.001 + margin) continue;
                const float ws = saturationHumidityRatio(prev, pt);
                t = wetBulbFromSaturationRatio(ws, W, T);
            }
            if (std::fabs(d(mid) - d(t)) <= 0.001) break;
        }
    }
    return mid;
}

}  // namespace

float wetBulb(float T, float W, float pt) {
    if (T == 0.0f && W == 0.0f) return 0.0f;
    bool failed = false;
    DewPointRoot dew;
    const float td = dewPointBisection(W, pt, failed, &dew);
    return wetBulbFrom(T, W, pt, td, failed, dew);
}

WetBulbAndDewPoint wetBulbAndDewPoint(float T, float W, float pt) {
    bool failed = false;
    DewPointRoot dew;
    const float td = dewPointBisection(W, pt, failed, &dew);
    if (T == 0.0f && W == 0.0f) return {0.0f, td};
    return {wetBulbFrom(T, W, pt, td, failed, dew), td};
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
