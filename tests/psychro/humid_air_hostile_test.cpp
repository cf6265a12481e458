// Inputs no real air has: every function must come back, and the wet bulb gives back the dry
// bulb whenever its computation runs into a value that is not a finite number.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "psychro/humid_air.h"

namespace climstat::psychro {
namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kMax = std::numeric_limits<float>::max();

const std::vector<float> kHostile = {kNaN,     kInf,     -kInf,     kMax,  -kMax, 1e30f,
                                     -1e30f,   -273.15f, -300.0f,   0.0f,  -0.0f, 1e-40f,
                                     -epsilon, -1.0f,    101325.0f, 20.0f, 0.01f};

bool same(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

TEST(HumidAirHostile, EveryFunctionReturnsForEveryCombination) {
    long calls = 0;
    volatile float sink = 0;
    for (float a : kHostile) {
        sink = sink + saturationPressure(a) + pressureAtAltitude(a);
        for (float b : kHostile) {
            sink = sink + humidityRatio(a, b) + vapourPressure(a, b) +
                   saturationHumidityRatio(a, b) + enthalpy(a, b) + dewPoint(a, b) +
                   humidityRatioFromEnthalpy(a, b) + temperatureFromEnthalpy(a, b);
            for (float c : kHostile) {
                sink = sink + specificVolume(a, b, c) + relativeHumidity(a, b, c) +
                       wetBulb(a, b, c) + humidityRatioFromVolume(a, b, c) +
                       temperatureFromVolume(a, b, c) +
                       temperatureFromVolumeAndVapourPressure(a, b, c) +
                       humidityRatioFromWetBulb(a, b, c) + wetBulbFromSaturationRatio(a, b, c) +
                       temperatureFromWetBulb(a, b, c);
                ++calls;
            }
        }
    }
    EXPECT_EQ(calls, static_cast<long>(kHostile.size() * kHostile.size() * kHostile.size()));
}

TEST(HumidAirHostile, WetBulbIsFiniteOrGivesBackTheDryBulb) {
    for (float t : kHostile) {
        for (float w : kHostile) {
            for (float pt : kHostile) {
                const float twb = wetBulb(t, w, pt);
                EXPECT_TRUE(std::isfinite(twb) || same(twb, t))
                    << "T " << t << " W " << w << " pt " << pt << " gave " << twb;
            }
        }
    }
}

TEST(HumidAirHostile, NonFiniteArgumentsGiveBackTheDryBulb) {
    for (float bad : {kNaN, kInf, -kInf}) {
        EXPECT_TRUE(same(wetBulb(bad, 0.01f, 101325.0f), bad));
        EXPECT_EQ(wetBulb(20.0f, bad, 101325.0f), 20.0f) << bad;
        EXPECT_EQ(wetBulb(20.0f, 0.01f, bad), 20.0f) << bad;
    }
}

TEST(HumidAirHostile, FailuresInsideTheDewPointAlsoGiveBackTheDryBulb) {
    for (float t : {-100.0f, -20.0f, 0.5f, 20.0f, 45.0f}) {
        // W = -epsilon divides the vapour pressure by zero.
        EXPECT_EQ(wetBulb(t, -epsilon, 101325.0f), t);
        // So high a pressure puts the first dew-point estimate below absolute zero, where the
        // saturation pressure takes the logarithm of a negative number.
        EXPECT_EQ(wetBulb(t, 0.01f, 1e30f), t);
        EXPECT_EQ(wetBulb(t, -epsilon, 1e30f), t);
    }
}

TEST(HumidAirHostile, PressureAtOrBelowTheVapourPressure) {
    // The saturation humidity ratio divides by zero where pt equals the saturation pressure.
    const float ps = saturationPressure(20.0f);
    EXPECT_TRUE(std::isinf(saturationHumidityRatio(20.0f, ps)));
    EXPECT_TRUE(std::isfinite(wetBulb(30.0f, 0.01f, 2000.0f)));
    EXPECT_TRUE(std::isfinite(dewPoint(0.01f, 0.0f)) && dewPoint(0.01f, 0.0f) == -60.0f);
    EXPECT_EQ(dewPoint(0.01f, -101325.0f), -60.0f);
    EXPECT_TRUE(std::isfinite(wetBulb(20.0f, 0.01f, -101325.0f)));
}

TEST(HumidAirHostile, NegativeHumidityRatio) {
    EXPECT_EQ(dewPoint(-0.5f, 101325.0f), -60.0f);
    const float twb = wetBulb(20.0f, -0.001f, 101325.0f);
    EXPECT_TRUE(std::isfinite(twb));
    EXPECT_LT(twb, 20.0f);
}

}  // namespace
}  // namespace climstat::psychro
