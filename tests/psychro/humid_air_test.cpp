#include "psychro/humid_air.h"

#include <gtest/gtest.h>

#include <cmath>

namespace climstat::psychro {
namespace {

constexpr float kSeaLevel = 101325.0f;

TEST(SaturationPressure, PublishedValuesOverWaterAndIce) {
    EXPECT_NEAR(saturationPressure(20.0f), 2338.8f, 0.05f);
    EXPECT_NEAR(saturationPressure(0.0f), 611.21f, 0.005f);
    EXPECT_NEAR(saturationPressure(-10.0f), 260.08f, 0.005f);  // ice
}

TEST(SaturationPressure, SwitchesFromWaterToIceJustBelowMinus0_0606) {
    EXPECT_NEAR(saturationPressure(-0.0606f), 608.53f, 0.005f);  // still water
    EXPECT_NEAR(saturationPressure(-0.07f), 608.03f, 0.005f);    // ice
    // Only a small step where the curves change over, and none at 0 or 0.01 degC.
    const float below = std::nextafter(-0.0606f, -1.0f);
    const float step = saturationPressure(-0.0606f) - saturationPressure(below);
    EXPECT_GT(step, 0.01f);
    EXPECT_LT(step, 0.03f);
    for (float t : {0.0f, 0.01f}) {
        EXPECT_LT(saturationPressure(t) - saturationPressure(std::nextafter(t, -1.0f)), 0.001f);
    }
}

TEST(PressureAtAltitude, StandardAtmosphere) {
    EXPECT_EQ(pressureAtAltitude(0.0f), 101325.0f);
    EXPECT_NEAR(pressureAtAltitude(667.0f), 93564.6f, 0.05f);
    EXPECT_NEAR(pressureAtAltitude(1000.0f), 89874.5f, 0.05f);
    EXPECT_NEAR(pressureAtAltitude(67.0f), 100522.7f, 0.05f);
}

TEST(HumidAir, StateAt20DegreesAndTenGramsPerKilogram) {
    EXPECT_NEAR(enthalpy(20.0f, 0.01f), 45.50f, 0.005f);
    EXPECT_NEAR(specificVolume(20.0f, 0.01f, kSeaLevel), 0.8437f, 0.00005f);
    EXPECT_NEAR(relativeHumidity(20.0f, 0.01f, kSeaLevel), 68.55f, 0.005f);
    EXPECT_NEAR(dewPoint(0.01f, kSeaLevel), 14.04f, 0.005f);
    EXPECT_NEAR(wetBulb(20.0f, 0.01f, kSeaLevel), 16.26f, 0.005f);
    EXPECT_NEAR(saturationHumidityRatio(20.0f, kSeaLevel), 0.014696f, 0.0000005f);
    EXPECT_NEAR(vapourPressure(0.01f, kSeaLevel), 1603.29f, 0.005f);
}

TEST(HumidAir, EnthalpyIgnoresPressure) {
    EXPECT_EQ(enthalpy(0.0f, 0.0f), 0.0f);
    EXPECT_FLOAT_EQ(enthalpy(10.0f, 0.0f), 10.06f);
    EXPECT_FLOAT_EQ(enthalpy(0.0f, 0.01f), 25.01f);
}

TEST(RelativeHumidity, SpecialReturns) {
    EXPECT_EQ(relativeHumidity(0.0f, 0.0f, kSeaLevel), 0.0f);  // all-zero record: no data
    // Only both zero at once is special.
    EXPECT_NEAR(relativeHumidity(0.0f, 0.002f, kSeaLevel), 53.2f, 0.1f);
    EXPECT_EQ(relativeHumidity(10.0f, 0.0f, kSeaLevel), 0.0f);
    // The saturation pressure underflows to zero far below any real temperature.
    EXPECT_EQ(saturationPressure(-250.0f), 0.0f);
    EXPECT_EQ(relativeHumidity(-250.0f, 0.001f, kSeaLevel), 50.0f);
    // Supersaturated air is not clamped.
    EXPECT_NEAR(relativeHumidity(20.0f, 0.0155f, kSeaLevel), 105.3f, 0.05f);
}

TEST(DewPoint, SpecialReturns) {
    EXPECT_EQ(dewPoint(0.0f, kSeaLevel), 0.0f);
    EXPECT_EQ(dewPoint(-0.001f, kSeaLevel), -60.0f);
    // 1 Pa of vapour pressure or less.
    const float onePascalW = humidityRatio(1.0f, kSeaLevel);
    EXPECT_EQ(dewPoint(onePascalW * 0.999f, kSeaLevel), -60.0f);
    EXPECT_NE(dewPoint(onePascalW * 1.01f, kSeaLevel), -60.0f);
}

TEST(DewPoint, IsTheTemperatureWhereTheAirSaturates) {
    for (float t : {-30.0f, -20.0f, -5.0f, -0.5f, 0.5f, 10.0f, 25.0f, 40.0f, 60.0f}) {
        const float ws = saturationHumidityRatio(t, kSeaLevel);
        EXPECT_NEAR(dewPoint(ws, kSeaLevel), t, 0.002f) << t;
    }
}

TEST(DewPoint, StaysInsideThreeDegreesOfItsFirstEstimate) {
    // In very dry cold air the first estimate lies more than 3 K below the true dew point over
    // ice (-40 degC here); the answer is then the upper end of the bracket.
    const float w = saturationHumidityRatio(-40.0f, kSeaLevel);
    const double L = std::log10(static_cast<double>(vapourPressure(w, kSeaLevel)));
    const double estimate = (35.85 * L - 2148.496) / (L - 10.2858) - 273.15;
    ASSERT_LT(estimate + 3.0, -40.0);
    EXPECT_NEAR(dewPoint(w, kSeaLevel), estimate + 3.0, 0.001);
}

TEST(WetBulb, SpecialReturns) {
    EXPECT_EQ(wetBulb(0.0f, 0.0f, kSeaLevel), 0.0f);
    // Dry air: the bracket starts at the dew point 0 that W = 0 gives. 8.271 is the root of the
    // psychrometric relation; stopping by chance while the bracket is still wide gave 8.264.
    EXPECT_NEAR(wetBulb(25.0f, 0.0f, kSeaLevel), 8.271f, 0.001f);
    // Saturated air: the wet bulb is the dry bulb.
    EXPECT_NEAR(wetBulb(15.0f, saturationHumidityRatio(15.0f, kSeaLevel), kSeaLevel), 15.0f,
                0.002f);
}

TEST(WetBulb, SupersaturatedAirGivesTheMeanOfDryBulbAndDewPoint) {
    const float w = 0.02f;  // dew point about 24.9 degC
    const float td = dewPoint(w, kSeaLevel);
    ASSERT_GT(td, 20.0f);
    EXPECT_EQ(wetBulb(20.0f, w, kSeaLevel), static_cast<float>((20.0 + td) * 0.5));
}

TEST(WetBulb, LiesBetweenDewPointAndDryBulb) {
    for (float t = -20.0f; t <= 45.0f; t += 5.0f) {
        for (float rh : {0.1f, 0.5f, 0.9f}) {
            const float w = humidityRatio(rh * saturationPressure(t), kSeaLevel);
            const float twb = wetBulb(t, w, kSeaLevel);
            EXPECT_LE(twb, t + 0.002f) << t << " " << rh;
            EXPECT_GE(twb, dewPoint(w, kSeaLevel) - 0.002f) << t << " " << rh;
        }
    }
}

TEST(InverseRelations, PinnedClosedForms) {
    // Dividing by 287 is done as a multiplication by its inverse.
    EXPECT_NEAR(temperatureFromVolume(0.0f, 0.8f, kSeaLevel), 101325.0 * 0.8 / 287.0 - 273.15,
                1e-4);
    EXPECT_NEAR(humidityRatioFromVolume(20.0f, 0.85f, kSeaLevel),
                0.62198 * (0.85 * 101325.0 / (287.0 * 293.15) - 1.0), 1e-6);
    EXPECT_NEAR(humidityRatioFromEnthalpy(20.0f, 45.5f), (45.5 - 20.12) / 2538.2, 1e-8);
    EXPECT_NEAR(temperatureFromEnthalpy(0.01f, 45.5f), (45.5 - 25.01) / 1.0246, 1e-5);
}

}  // namespace
}  // namespace climstat::psychro
