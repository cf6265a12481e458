// The number text takes a short way for the common values; these tests hold it to the exact
// digits it started from, character for character.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/number_text.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"
#include "selection/selection.h"
#include "stats/degree_tables.h"
#include "stats/frequencies.h"
#include "stats/hourly_averages.h"
#include "stats/hourly_values.h"
#include "support/reference_number_text.h"
#include "support/test_data.h"

namespace climstat {
namespace {

struct Format {
    int precision;
    int decimals;
};
// Every precision and number of decimals the pages, labels and files use.
constexpr Format kInUse[] = {{5, 0}, {5, 2}, {6, 0}, {15, 0}, {15, 1}, {15, 2}, {15, 4}};

struct Differences {
    long count = 0;
    std::string first;
    void check(double value, int precision, int decimals, char separator = ',') {
        const std::string fast = numberText(value, precision, decimals, separator);
        const std::string exact =
            test::reference::numberText(value, precision, decimals, separator);
        if (fast != exact && count++ == 0) {
            char text[64];
            std::snprintf(text, sizeof text, "%.17g (%d, %d)", value, precision, decimals);
            first = std::string(text) + ": " + fast + " vs " + exact;
        }
    }
    void inUse(double value) {
        for (const Format& format : kInUse)
            check(value, format.precision, format.decimals);
    }
};

TEST(NumberTextIdentity, EveryValueTheZoneFilesShowOnTheirPages) {
    CLIMSTAT_NEED_REAL_DATA();
    Differences differences;
    auto state = std::make_unique<AnalysisState>();
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.list != TypicalYearList::List2013) continue;
        loadTypicalYear(*state, row.name, DataSource::Cte2013, test::realDatabaseDir());
        SelectionSettings selection;
        selection.source = DataSource::Cte2013;
        runSelection(*state, selection);
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const HourlyProperties p = hourlyProperties(*state, h, 1);
            for (float v : {p.dryBulb, p.wetBulb, p.dewPoint, p.humidityRatio, p.enthalpy,
                            p.relativeHumidity, p.specificVolume, p.vapourPressure}) {
                differences.check(v, 5, 2);
                differences.check(v, 5, 2, '.');
            }
        }
        for (int variable = 0; variable < kStudyVariables; ++variable) {
            for (int output = 0; output < kFrequencyOutputs; ++output) {
                FrequencySettings settings;
                settings.variable = static_cast<StudyVariable>(variable);
                settings.output = static_cast<FrequencyOutput>(output);
                const int n = computeFrequencies(*state, settings, selection);
                for (int c = 1; c <= n + 1; ++c) {
                    for (int m = 1; m <= 13; ++m) {
                        differences.check(state->freqTable[c][m], 5, output == 0 ? 0 : 2);
                    }
                }
            }
            computeHourlyAverages(*state, {variable});
            for (int m = 1; m <= 13; ++m) {
                for (int k = 1; k <= 25; ++k)
                    differences.check(state->hourlyAvg[m][k], 5, 2);
            }
        }
        FrequencySettings selectors;
        computeDegreeHours(*state, selectors, selection);
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 1) computeDegreeDays(*state, DataSource::Cte2013);
            for (int r = 1; r <= 14; ++r) {
                for (int b = 0; b < 6; ++b) {
                    for (float v : {state->heatingTable[r][b], state->coolingTable[r][b]}) {
                        differences.check(v, 5, 0);
                        differences.check(v, 6, 0);
                    }
                }
            }
        }
        differences.inUse(state->pt);
    }
    EXPECT_EQ(differences.count, 0) << "first: " << differences.first;
}

TEST(NumberTextIdentity, MillionsOfRandomFloatsAcrossTheWholeRange) {
    std::mt19937 random(9122026);
    std::uniform_int_distribution<std::uint32_t> bits;
    std::uniform_real_distribution<float> everyday(-2000.0f, 120000.0f);
    std::uniform_int_distribution<int> precision(1, 17);
    std::uniform_int_distribution<int> decimals(0, 6);
    Differences differences;
    for (long i = 0; i < 400'000; ++i) {
        float any = std::bit_cast<float>(bits(random));
        if (!std::isfinite(any)) any = 1.0f;
        differences.inUse(any);
        differences.check(any, precision(random), decimals(random));
        const float usual = everyday(random);
        differences.inUse(usual);
        // Values on short decimals: the ties and near-ties of rounding.
        const float tenth = static_cast<float>(static_cast<int>(usual * 10.0f)) / 10.0f;
        const float eighth = static_cast<float>(static_cast<int>(usual * 8.0f)) / 8.0f;
        differences.inUse(tenth);
        differences.inUse(eighth);
        differences.check(eighth, precision(random), decimals(random));
    }
    for (double special : {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 9.995, 99.995, 999.95,
                           99999.5, 123456.5, 1e15, 1e-4, 9.999999e-5, 1e22, 1e23}) {
        for (int p = 1; p <= 17; ++p) {
            for (int dd = 0; dd <= 6; ++dd)
                differences.check(special, p, dd, '.');
        }
    }
    EXPECT_EQ(differences.count, 0) << "first: " << differences.first;
}

}  // namespace
}  // namespace climstat
