#include "psychro/station_extrapolation.h"

#include <gtest/gtest.h>

#include "psychro/humid_air.h"

namespace climstat::psychro {
namespace {

TEST(ThermalIsland, OffsetsChangeOnTheSeasonBoundaries) {
    const std::pair<int, float> cases[] = {{1, 3.0f},    {1919, 3.0f}, {1920, 1.5f}, {4128, 1.5f},
                                           {4129, 0.0f}, {6359, 0.0f}, {6360, 1.5f}, {8520, 1.5f},
                                           {8521, 3.0f}, {8760, 3.0f}};
    for (const auto& [hour, offset] : cases) {
        EXPECT_EQ(thermalIslandOffset(hour), offset) << "hour " << hour;
    }
}

TEST(ExtrapolationSetup, PressureAndHeightGainFollowTheChoice) {
    for (Extrapolation choice : {Extrapolation::None, Extrapolation::ThermalIsland}) {
        const ExtrapolationSetup setup = extrapolationSetup(choice, 582.0f, 1100.0f);
        EXPECT_EQ(setup.pt, pressureAtAltitude(582.0f));
        EXPECT_EQ(setup.heightGain, 0.0f);
    }
    for (Extrapolation choice :
         {Extrapolation::Altitude, Extrapolation::ThermalIslandAndAltitude}) {
        const ExtrapolationSetup setup = extrapolationSetup(choice, 582.0f, 1100.0f);
        EXPECT_EQ(setup.pt, pressureAtAltitude(1100.0f));
        EXPECT_EQ(setup.heightGain, 518.0f);
        // A locality below the station: a negative gain, and the pressure of the locality.
        const ExtrapolationSetup below = extrapolationSetup(choice, 582.0f, 0.0f);
        EXPECT_EQ(below.pt, 101325.0f);
        EXPECT_EQ(below.heightGain, -582.0f);
    }
}

TEST(CorrectStationHour, NoChoiceChangesNothing) {
    const CorrectedHour hour =
        correctStationHour(Extrapolation::None, 500.0f, 100, 20.0f, 0.03f, true, 90000.0f);
    EXPECT_EQ(hour.ts, 20.0f);
    EXPECT_EQ(hour.w, 0.03f);  // even a supersaturated value is left to the loader
    EXPECT_FALSE(hour.wReplaced);
}

TEST(CorrectStationHour, LapseLowersOnlyWhenTheLocalityIsHigher) {
    const float pt = pressureAtAltitude(1082.0f);
    const CorrectedHour up =
        correctStationHour(Extrapolation::Altitude, 500.0f, 5000, 25.0f, 0.005f, true, pt);
    EXPECT_FLOAT_EQ(up.ts, 20.0f);
    EXPECT_EQ(up.w, 0.005f);
    const CorrectedHour down =
        correctStationHour(Extrapolation::Altitude, -300.0f, 5000, 25.0f, 0.005f, true, pt);
    EXPECT_EQ(down.ts, 25.0f);
    // The altitude choice adds no heat-island offset, even in winter.
    const CorrectedHour winter =
        correctStationHour(Extrapolation::Altitude, 0.0f, 1, 10.0f, 0.005f, true, pt);
    EXPECT_EQ(winter.ts, 10.0f);
}

TEST(CorrectStationHour, BothChoicesApplyTheLapseThenTheOffset) {
    const float pt = 101325.0f;
    const CorrectedHour hour = correctStationHour(Extrapolation::ThermalIslandAndAltitude, 200.0f,
                                                  1919, 10.0f, 0.004f, true, pt);
    EXPECT_FLOAT_EQ(hour.ts, 11.0f);  // 10 - 2 + 3
    const CorrectedHour island =
        correctStationHour(Extrapolation::ThermalIsland, 200.0f, 1920, 10.0f, 0.004f, true, pt);
    EXPECT_FLOAT_EQ(island.ts, 11.5f);  // the gain is ignored without the altitude choice
}

TEST(CorrectStationHour, ReadingsAreCappedAt995AndCarriedValuesAt100) {
    const float pt = 101325.0f;
    // Saturated at 20 degC, then cooled by 5 degC: far above saturation either way.
    const float wSat20 = saturationHumidityRatio(20.0f, pt);
    for (bool hasReading : {true, false}) {
        const CorrectedHour hour = correctStationHour(Extrapolation::Altitude, 500.0f, 3000, 20.0f,
                                                      wSat20, hasReading, pt);
        EXPECT_TRUE(hour.wReplaced);
        EXPECT_EQ(hour.w, humidityRatioAt995(15.0f, pt));
        EXPECT_NEAR(relativeHumidity(hour.ts, hour.w, pt), 99.5f, 0.01f);
    }
    // At 99.8 % after the correction a reading is lowered, a carried value is kept.
    const float w998 = humidityRatio(saturationPressure(15.0f) * 0.998f, pt);
    const CorrectedHour reading =
        correctStationHour(Extrapolation::Altitude, 500.0f, 3000, 20.0f, w998, true, pt);
    EXPECT_TRUE(reading.wReplaced);
    const CorrectedHour carried =
        correctStationHour(Extrapolation::Altitude, 500.0f, 3000, 20.0f, w998, false, pt);
    EXPECT_FALSE(carried.wReplaced);
    EXPECT_EQ(carried.w, w998);
    // Warming by the heat island only lowers the relative humidity: nothing is replaced.
    const CorrectedHour warmed =
        correctStationHour(Extrapolation::ThermalIsland, 0.0f, 1, 15.0f, w998, true, pt);
    EXPECT_FALSE(warmed.wReplaced);
    EXPECT_FLOAT_EQ(warmed.ts, 18.0f);
}

}  // namespace
}  // namespace climstat::psychro
