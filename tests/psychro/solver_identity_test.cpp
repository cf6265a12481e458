// The dew-point and wet-bulb solvers skip the bisection steps whose outcome is known; these
// tests hold them to the plain bisection, bit for bit, on every state the program meets and on
// millions of random ones.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "data/met_file.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"
#include "psychro/humid_air.h"
#include "support/reference_humid_air.h"
#include "support/station_builder.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using namespace psychro;

struct Mismatches {
    long count = 0;
    std::string first;
    void check(float T, float W, float pt) {
        const float dp = dewPoint(W, pt);
        const float dpRef = test::reference::dewPoint(W, pt);
        const float wb = wetBulb(T, W, pt);
        const float wbRef = test::reference::wetBulb(T, W, pt);
        if (std::bit_cast<std::uint32_t>(dp) != std::bit_cast<std::uint32_t>(dpRef) ||
            std::bit_cast<std::uint32_t>(wb) != std::bit_cast<std::uint32_t>(wbRef)) {
            if (count++ == 0) {
                first = "T=" + std::to_string(T) + " W=" + std::to_string(W) +
                        " pt=" + std::to_string(pt) + ": dew point " + std::to_string(dp) + " vs " +
                        std::to_string(dpRef) + ", wet bulb " + std::to_string(wb) + " vs " +
                        std::to_string(wbRef);
            }
        }
    }
};

TEST(SolverIdentity, EveryHourOfTheZoneFilesAndOfTheElevenYearStation) {
    CLIMSTAT_NEED_REAL_DATA();
    Mismatches mismatches;
    long states = 0;
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.list != TypicalYearList::List2013) continue;
        const MetFileData file =
            readMetFile(typicalYearFilePath(test::realDatabaseDir(), row.fileBaseName));
        const float pt = pressureAtAltitude(std::stof(std::string(row.altitude)));
        for (int h = 1; h <= kMetRecords; ++h) {
            mismatches.check(file.ts[h], file.w[h], pt);
            ++states;
        }
    }
    // The station states: tenths of a degree and whole percent, as the station loader sees them.
    const test::StationTables tables = test::elevenYearTables(test::realDatabaseDir());
    const float pt = pressureAtAltitude(test::kZoneAltitude);
    for (int y = 0; y < kStationYears; ++y) {
        for (int h = 0; h < kHoursPerYear; ++h) {
            const float t = static_cast<float>(tables.temperature[y][h]) * 0.1f;
            const double rh = std::min(99.5, static_cast<double>(tables.humidity[y][h]));
            const float w = humidityRatio(
                static_cast<float>(static_cast<double>(saturationPressure(t)) * rh * 0.01), pt);
            mismatches.check(t, w, pt);
            ++states;
        }
    }
    EXPECT_EQ(mismatches.count, 0) << "of " << states << " states; first: " << mismatches.first;
    EXPECT_EQ(states, 32 * 8760 + 11 * 8760);
}

TEST(SolverIdentity, MillionsOfRandomStates) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<float> dryBulb(-40.0f, 60.0f);
    std::uniform_real_distribution<float> share(0.0f, 1.02f);
    std::uniform_real_distribution<float> altitude(-400.0f, 4000.0f);
    Mismatches mismatches;
    constexpr long kStates = 2'000'000;
    for (long i = 0; i < kStates; ++i) {
        const float T = dryBulb(random);
        const float pt = pressureAtAltitude(altitude(random));
        const float W = share(random) * saturationHumidityRatio(T, pt);
        mismatches.check(T, W, pt);
    }
    // Dew points and wet bulbs around the water/ice switch, where the solvers change curve.
    std::uniform_real_distribution<float> nearSwitch(-0.7f, 0.6f);
    std::uniform_real_distribution<float> depression(0.0f, 3.0f);
    for (long i = 0; i < 500'000; ++i) {
        const float pt = pressureAtAltitude(altitude(random));
        const float td = nearSwitch(random);
        const float W = humidityRatio(saturationPressure(td), pt);
        mismatches.check(td + depression(random), W, pt);
    }
    // Dew points and wet bulbs next to powers of two, where the bracket of a bisection keeps
    // spanning two binades for many steps.
    std::uniform_real_distribution<float> offset(-0.01f, 0.01f);
    for (long i = 0; i < 200'000; ++i) {
        const float power = std::ldexp(1.0f, static_cast<int>(i % 6));  // 1 .. 32
        const float side = (i / 6) % 3 == 0 ? -1.0f : 1.0f;
        const float pt = pressureAtAltitude(altitude(random));
        const float td = side * power + offset(random);
        const float W = humidityRatio(saturationPressure(td), pt);
        mismatches.check(td + depression(random) * ((i / 18) % 2 == 0 ? 0.01f : 3.0f), W, pt);
        mismatches.check(side * power + offset(random), share(random) * 0.01f, pt);
    }
    // Hot or thin air, up to where the implied wet bulb has a pole and stops falling: the
    // solvers must still follow the plain bisection, wherever it ends.
    std::uniform_real_distribution<float> hot(55.0f, 150.0f);
    std::uniform_real_distribution<float> thinPressure(30000.0f, 110000.0f);
    std::uniform_real_distribution<float> logW(-6.0f, 0.0f);
    for (long i = 0; i < 300'000; ++i) {
        mismatches.check(hot(random), std::pow(10.0f, logW(random)), thinPressure(random));
    }
    // Rounded states and the corners of the solvers: the water/ice switch, zero humidity, dry
    // bulbs on whole tenths around 0 degC.
    for (int tenth = -400; tenth <= 600; ++tenth) {
        const float T = static_cast<float>(tenth) * 0.1f;
        for (int percent = 0; percent <= 100; percent += 5) {
            const float pt = pressureAtAltitude(667.0f);
            const float W = humidityRatio(saturationPressure(T) * percent * 0.01f, pt);
            mismatches.check(T, W, pt);
        }
    }
    for (float T : {-0.2f, -0.0606f, -0.06f, -0.057f, 0.0f, 0.05f}) {
        for (float W : {0.0f, 1e-5f, 0.003f, 0.0037f, 0.0038f, 0.004f}) {
            mismatches.check(T, W, 101325.0f);
        }
    }
    EXPECT_EQ(mismatches.count, 0) << "first: " << mismatches.first;
}

// Vapour pressures from 1 Pa to 500 kPa, evenly on a logarithmic scale, so that every piece of
// the solvers' tables is met (the dew point's by pressure, the saturation pressure's by
// temperature), with dry bulbs from the dew point up to 40 K above it and total pressures
// of -400..4000 m.
TEST(SolverIdentity, VapourPressuresAcrossTheirWholeRange) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<float> depression(0.0f, 40.0f);
    std::uniform_real_distribution<float> altitude(-400.0f, 4000.0f);
    Mismatches mismatches;
    constexpr int kSteps = 400'000;
    for (int i = 0; i < kSteps; ++i) {
        const double pv = std::exp(std::log(5e5) * i / kSteps);
        const float pt = std::max(pressureAtAltitude(altitude(random)), static_cast<float>(pv) * 2);
        const float W = humidityRatio(static_cast<float>(pv), pt);
        const float td = test::reference::dewPoint(W, pt);
        mismatches.check(td + depression(random), W, pt);
    }
    EXPECT_EQ(mismatches.count, 0) << "first: " << mismatches.first;
}

}  // namespace
}  // namespace climstat
