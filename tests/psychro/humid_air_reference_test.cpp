// The single-precision humid-air functions against a second, independent evaluation of the same
// equations in double precision with its own root finders, over thousands of states spread
// through the range of outdoor air, and the inverse relations against the direct ones.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "psychro/humid_air.h"

namespace climstat::psychro {
namespace {

namespace reference {

constexpr double kCpa = 1.006, kCpv = 1.86, kHfg = 2501.0, kCw = 4.186, kEps = 0.62198;
constexpr double kKelvin = 273.15, kRAir = 287.0;

double saturationPressure(float t) {
    const double tk = static_cast<double>(t) + kKelvin;
    if (t >= -0.0606f) {
        return std::exp(-5800.2206 / tk + 1.3914993 - 4.8640239e-2 * tk + 4.1764768e-5 * tk * tk -
                        1.4452093e-8 * tk * tk * tk + 6.5459673 * std::log(tk));
    }
    return std::exp(-5674.359 / tk + 6.3925247 - 9.677843e-3 * tk + 6.2215701e-7 * tk * tk +
                    2.0747825e-9 * tk * tk * tk - 9.484024e-13 * tk * tk * tk * tk +
                    4.1635019 * std::log(tk));
}
double humidityRatio(double pv, double pt) {
    return kEps * pv / (pt - pv);
}
double vapourPressure(double w, double pt) {
    return w * pt / (w + kEps);
}

// Root of a decreasing function on [lo, hi] by plain halving to far below single precision.
double rootOfDecreasing(const std::function<double(double)>& g, double lo, double hi) {
    for (int i = 0; i < 200 && hi - lo > 1e-10; ++i) {
        const double mid = 0.5 * (lo + hi);
        (g(mid) > 0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// The dew point, searched (like the program) only within 3 K of the inverted Magnus-Tetens
// estimate; `inside` tells whether the true dew point lies in that bracket.
double dewPoint(double w, double pt, bool* inside = nullptr) {
    const double pv = vapourPressure(w, pt);
    if (pv <= 1.0) {
        if (inside != nullptr) *inside = false;
        return -60.0;
    }
    const double L = std::log10(pv);
    const double estimate = (35.85 * L - 2148.496) / (L - 10.2858) - 273.15;
    const double lo = estimate - 3, hi = estimate + 3;
    auto g = [&](double t) { return pv - saturationPressure(static_cast<float>(t)); };
    if (inside != nullptr) *inside = g(lo) > 0 && g(hi) < 0;
    return rootOfDecreasing(g, lo, hi);
}

double wetBulbFromSaturationRatio(double ws, double w, double t) {
    return (t * (kCpa + kCpv * w) + kHfg * (w - ws)) / (kCpa + kCw * w - (kCw - kCpv) * ws);
}

double wetBulb(double t, double w, double pt) {
    auto g = [&](double twb) {
        const double ws = humidityRatio(saturationPressure(static_cast<float>(twb)), pt);
        return wetBulbFromSaturationRatio(ws, w, t) - twb;
    };
    return rootOfDecreasing(g, dewPoint(w, pt), t);
}

}  // namespace reference

struct State {
    float t;
    float w;
    float pt;
};

// Outdoor air from -30 to 50 degC, 2 to 100 % relative humidity, sea level to 3000 m.
std::vector<State> outdoorStates(int count) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<float> temperature(-30.0f, 50.0f);
    std::uniform_real_distribution<double> humidity(0.02, 1.0);
    std::uniform_real_distribution<float> altitude(-100.0f, 3000.0f);
    std::vector<State> states;
    while (static_cast<int>(states.size()) < count) {
        State s{temperature(random), 0, pressureAtAltitude(altitude(random))};
        const double pv = humidity(random) * reference::saturationPressure(s.t);
        s.w = static_cast<float>(reference::humidityRatio(pv, s.pt));
        states.push_back(s);
    }
    return states;
}

constexpr int kStates = 4000;

double relativeError(double value, double expected) {
    return std::fabs(value - expected) / std::fabs(expected);
}

TEST(HumidAirReference, ClosedFormsAgreeToSinglePrecision) {
    for (const State& s : outdoorStates(kStates)) {
        SCOPED_TRACE(testing::Message() << "T " << s.t << " W " << s.w << " pt " << s.pt);
        const double ps = reference::saturationPressure(s.t);
        const double pv = reference::vapourPressure(s.w, s.pt);
        // Rounding the Kelvin temperature and the coefficients to single precision moves the
        // saturation pressure by a few parts in a million.
        EXPECT_LT(relativeError(saturationPressure(s.t), ps), 1e-5);
        EXPECT_LT(relativeError(vapourPressure(s.w, s.pt), pv), 2e-7);
        EXPECT_LT(relativeError(humidityRatio(static_cast<float>(pv), s.pt),
                                reference::humidityRatio(pv, s.pt)),
                  5e-7);
        EXPECT_LT(
            relativeError(saturationHumidityRatio(s.t, s.pt), reference::humidityRatio(ps, s.pt)),
            1.2e-5);
        EXPECT_LT(relativeError(relativeHumidity(s.t, s.w, s.pt), 100.0 * pv / ps), 1.2e-5);
        EXPECT_NEAR(enthalpy(s.t, s.w), (1.86 * s.t + 2501.0) * s.w + 1.006 * s.t, 2e-5);
        EXPECT_LT(
            relativeError(specificVolume(s.t, s.w, s.pt), 287.0 * (s.t + 273.15) / (s.pt - pv)),
            3e-7);
    }
}

TEST(HumidAirReference, DewPointAndWetBulbAgreeWithinTheirTolerance) {
    int outsideBracket = 0;
    double worstDew = 0;
    double worstWet = 0;
    for (const State& s : outdoorStates(kStates)) {
        SCOPED_TRACE(testing::Message() << "T " << s.t << " W " << s.w << " pt " << s.pt);
        bool inside = false;
        // Where the true dew point lies outside the bracket (very dry, cold air) both give the
        // nearer end of the bracket.
        const double td = reference::dewPoint(s.w, s.pt, &inside);
        outsideBracket += inside ? 0 : 1;
        const double tdError = std::fabs(dewPoint(s.w, s.pt) - td);
        EXPECT_LT(tdError, 0.001);
        const double twb = reference::wetBulb(s.t, s.w, s.pt);
        const double twbError = std::fabs(wetBulb(s.t, s.w, s.pt) - twb);
        EXPECT_LT(twbError, 0.001);
        worstDew = std::max(worstDew, tdError);
        worstWet = std::max(worstWet, twbError);
    }
    EXPECT_LT(outsideBracket, kStates / 10);
    RecordProperty("worst_dew_point_error", testing::PrintToString(worstDew));
    RecordProperty("worst_wet_bulb_error", testing::PrintToString(worstWet));
}

TEST(HumidAirReference, InversePairsRoundTrip) {
    for (const State& s : outdoorStates(kStates)) {
        SCOPED_TRACE(testing::Message() << "T " << s.t << " W " << s.w << " pt " << s.pt);
        const float h = enthalpy(s.t, s.w);
        EXPECT_NEAR(temperatureFromEnthalpy(s.w, h), s.t, 2e-5f);
        EXPECT_NEAR(humidityRatioFromEnthalpy(s.t, h), s.w, 2e-8f);

        const float v = specificVolume(s.t, s.w, s.pt);
        EXPECT_NEAR(temperatureFromVolume(s.w, v, s.pt), s.t, 1e-4f);
        EXPECT_NEAR(humidityRatioFromVolume(s.t, v, s.pt), s.w, 2e-6f);
        const float pv = vapourPressure(s.w, s.pt);
        EXPECT_NEAR(temperatureFromVolumeAndVapourPressure(v, pv, s.pt), s.t, 1e-4f);
        EXPECT_NEAR(humidityRatio(pv, s.pt), s.w, 1e-8f);

        // Along a wet-bulb line through the state's dry bulb.
        const float twb = s.t - 0.5f * (s.t - dewPoint(s.w, s.pt));
        const float ws = saturationHumidityRatio(twb, s.pt);
        const float w = humidityRatioFromWetBulb(s.t, twb, ws);
        EXPECT_NEAR(wetBulbFromSaturationRatio(ws, w, s.t), twb, 2e-5f);
        EXPECT_NEAR(temperatureFromWetBulb(twb, w, ws), s.t, 2e-5f);
        EXPECT_NEAR(wetBulb(s.t, w, s.pt), twb, 0.0011f);

        // Saturated air.
        const float wsat = saturationHumidityRatio(s.t, s.pt);
        EXPECT_NEAR(relativeHumidity(s.t, wsat, s.pt), 100.0f, 2e-3f);
        EXPECT_NEAR(dewPoint(wsat, s.pt), s.t, 0.001f);
    }
}

}  // namespace
}  // namespace climstat::psychro
