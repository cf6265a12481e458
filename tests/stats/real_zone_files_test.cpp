// Whole-year invariants of the statistics on the real typical-year files of the 2013 list.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "data/typical_year.h"
#include "data/typical_year_table.h"
#include "stats/degree_tables.h"
#include "stats/design_conditions.h"
#include "stats/frequencies.h"
#include "support/test_data.h"

namespace climstat {
namespace {

constexpr float kMonthHours[14] = {0,   744, 672, 744, 720, 744, 720,
                                   744, 744, 720, 744, 720, 744, 8760};

std::unique_ptr<AnalysisState> loadZone(std::string_view name) {
    auto state = std::make_unique<AnalysisState>();
    loadTypicalYear(*state, name, DataSource::Cte2013, test::realDatabaseDir());
    return state;
}

SelectionSettings typicalYearSelection() {
    SelectionSettings selection;
    selection.source = DataSource::Cte2013;
    return selection;
}

int study(AnalysisState& s, StudyVariable variable, FrequencyOutput output) {
    FrequencySettings settings;
    settings.variable = variable;
    settings.output = output;
    runSelection(s, typicalYearSelection());
    return computeFrequencies(s, settings, typicalYearSelection());
}

TEST(RealZoneFiles, HourTablesSumToTheMonthsAndPercentagesTo100ForEveryVariable) {
    CLIMSTAT_NEED_REAL_DATA();
    int zones = 0;
    for (const TypicalYearLocation& zone : typicalYearLocations()) {
        if (zone.list != TypicalYearList::List2013) continue;
        ++zones;
        auto s = loadZone(zone.name);
        for (int v = 0; v < kStudyVariables; ++v) {
            const auto variable = static_cast<StudyVariable>(v);
            SCOPED_TRACE(std::string(zone.name) + " variable " + std::to_string(v));
            const int n = study(*s, variable, FrequencyOutput::Hours);
            ASSERT_GT(n, 0);
            for (int m = 1; m <= 13; ++m) {
                float sum = 0.0f;
                for (int c = 1; c <= n; ++c) {
                    EXPECT_EQ(s->freqTable[c][m], std::trunc(s->freqTable[c][m]));
                    sum += s->freqTable[c][m];
                }
                EXPECT_FLOAT_EQ(sum, kMonthHours[m]) << "column " << m;
                EXPECT_FLOAT_EQ(s->freqTable[n + 1][m], kMonthHours[m]);
            }

            study(*s, variable, FrequencyOutput::Frequencies);
            for (int m = 1; m <= 13; ++m)
                EXPECT_NEAR(s->freqTable[n + 1][m], 100.0f, 2e-3f) << "column " << m;

            study(*s, variable, FrequencyOutput::Cumulative);
            for (int m = 1; m <= 13; ++m) {
                float last = 0.0f;
                for (int c = 1; c <= n; ++c) {
                    if (s->freqTable[c][m] > 0.0f) last = s->freqTable[c][m];
                }
                EXPECT_NEAR(last, 100.0f, 2e-3f) << "column " << m;
            }
        }
    }
    EXPECT_EQ(zones, 32);
}

TEST(RealZoneFiles, TheColdestFileSpansFromMinus53) {
    CLIMSTAT_NEED_REAL_DATA();
    auto s = loadZone("E1_peninsula");
    study(*s, StudyVariable::DryBulb, FrequencyOutput::Hours);
    EXPECT_FLOAT_EQ(s->freqMin, -5.3f);
    EXPECT_EQ(s->binFirst, -5);
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 1), "<-4");
}

// Degree-hours of a single complete year are the plain hourly sums: with one year the typical
// hours of a class are its hours, and each class lies wholly on one side of every base.
TEST(RealZoneFiles, DegreeHoursOfASingleYearAreTheHourlySums) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const char* name : {"A4_peninsula", "D3_peninsula", "E1_peninsula", "alpha1_canarias"}) {
        SCOPED_TRACE(name);
        auto s = loadZone(name);
        FrequencySettings selectors;
        computeDegreeHours(*s, selectors, typicalYearSelection());
        double heating[13][6] = {};
        double cooling[13][6] = {};
        int m = 1;
        const int monthEnd[13] = {0,    744,  1416, 2160, 2880, 3624, 4344,
                                  5088, 5832, 6552, 7296, 8016, 8760};
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (h > monthEnd[m]) ++m;
            const double t = s->ts[h][1];
            for (int b = 0; b < 6; ++b) {
                if (t < 15 + b) heating[m][b] += 15 + b - t;
                if (t > 20 + b) cooling[m][b] += t - (20 + b);
            }
        }
        double heatingYear = 0.0;
        for (int month = 1; month <= 12; ++month) {
            for (int b = 0; b < 6; ++b) {
                EXPECT_NEAR(s->heatingTable[month][b], heating[month][b],
                            2e-4 * heating[month][b] + 0.01);
                EXPECT_NEAR(s->coolingTable[month][b], cooling[month][b],
                            2e-4 * cooling[month][b] + 0.01);
            }
            heatingYear += heating[month][5];
        }
        EXPECT_NEAR(s->heatingTable[kYearRow][5], heatingYear, 2e-4 * heatingYear);
    }
}

TEST(RealZoneFiles, DegreeDaysAreTheSumsOfTheDailyMeanDifferences) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const char* name : {"A4_peninsula", "D3_peninsula", "E1_peninsula", "alpha1_canarias"}) {
        SCOPED_TRACE(name);
        auto s = loadZone(name);
        computeDegreeDays(*s, DataSource::Cte2013);
        double heating[13][6] = {};
        double cooling[13][6] = {};
        const int daysBefore[14] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
        for (int m = 1; m <= 12; ++m) {
            for (int d = daysBefore[m] + 1; d <= daysBefore[m + 1]; ++d) {
                double mean = 0.0;
                for (int h = 24 * (d - 1) + 1; h <= 24 * d; ++h)
                    mean += s->ts[h][1];
                mean /= 24.0;
                for (int b = 0; b < 6; ++b) {
                    if (mean < 15 + b) heating[m][b] += 15 + b - mean;
                    if (mean > 20 + b) cooling[m][b] += mean - (20 + b);
                }
            }
        }
        for (int m = 1; m <= 12; ++m) {
            EXPECT_FLOAT_EQ(s->validDays[m], static_cast<float>(daysBefore[m + 1] - daysBefore[m]));
            for (int b = 0; b < 6; ++b) {
                EXPECT_NEAR(s->heatingTable[m][b], heating[m][b], 1e-4 * heating[m][b] + 1e-3);
                EXPECT_NEAR(s->coolingTable[m][b], cooling[m][b], 1e-4 * cooling[m][b] + 1e-3);
            }
        }
    }
}

TEST(RealZoneFiles, DesignConditionsOfEveryZoneAreOrderedAndInsideTheData) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const TypicalYearLocation& zone : typicalYearLocations()) {
        if (zone.list != TypicalYearList::List2013) continue;
        SCOPED_TRACE(std::string(zone.name));
        auto s = loadZone(zone.name);
        initValidMasks(*s, DataSource::Cte2013);
        const DesignConditions d = computeDesignConditions(*s);
        ASSERT_TRUE(d.ts99 && d.ts2 && d.ts1 && d.ts04 && d.th2 && d.th1 && d.th04);
        EXPECT_LE(d.tsMin, *d.ts99);
        EXPECT_LE(*d.ts99, *d.ts2);
        EXPECT_LE(*d.ts2, *d.ts1);
        EXPECT_LE(*d.ts1, *d.ts04);
        EXPECT_LE(*d.ts04, d.tsMax + 1.0f);
        EXPECT_LE(*d.th2, *d.th1);
        EXPECT_LE(*d.th1, *d.th04);
        ASSERT_TRUE(d.thc04 && d.thc1 && d.thc2);
        EXPECT_LT(*d.thc04, *d.ts04);
        ASSERT_TRUE(d.tsc2);
        EXPECT_GT(*d.tsc2, *d.th2);
        if (d.omdc) {
            EXPECT_GT(*d.omdc, 0.0f);
            EXPECT_LE(*d.ominDC, *d.omdc);
        }
        if (d.omdr) {
            EXPECT_GT(*d.omdr, 0.0f);
        }
    }
}

}  // namespace
}  // namespace climstat
