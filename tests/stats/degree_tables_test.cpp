#include "stats/degree_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "stats/synthetic_state.h"

namespace climstat {
namespace {

using test::firstHourOfMonth;
using test::stationState;
using test::wholeYear;

constexpr int kDaysOfMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Sum over the hours of a month of (base - ts)+ or (ts - base)+, in double precision.
double hourlyDegrees(const AnalysisState& s, int y, int m, double base, bool heating) {
    double sum = 0.0;
    for (int h = firstHourOfMonth(m); h < (m == 12 ? 8761 : firstHourOfMonth(m + 1)); ++h) {
        const double d = heating ? base - s.ts[h][y] : s.ts[h][y] - base;
        if (d > 0.0) sum += d;
    }
    return sum;
}

float heating(const AnalysisState& s, int row, int base) {
    return s.heatingTable[row][base - kHeatingFirstBase];
}

float cooling(const AnalysisState& s, int row, int base) {
    return s.coolingTable[row][base - kCoolingFirstBase];
}

// A year whose dry bulb swings over the day and the seasons, between about -4 and 36 degC.
float seasonalDryBulb(int h, int y) {
    const double day = (h - 1) / 24;
    const double hour = (h - 1) % 24;
    const double t = 16.0 - 11.0 * std::cos(2.0 * std::numbers::pi * (day - 15.0) / 365.0) +
                     5.0 * std::sin(2.0 * std::numbers::pi * (hour - 9.0) / 24.0) + 0.37 * y;
    return static_cast<float>(std::round(t * 10.0) / 10.0);
}

TEST(DegreeHours, ASingleYearEqualsTheHourlySumsAtEveryBase) {
    auto s = stationState(1, seasonalDryBulb);
    FrequencySettings selectors;
    computeDegreeHours(*s, selectors, wholeYear());
    for (int m = 1; m <= 12; ++m) {
        for (int b = 15; b <= 20; ++b) {
            EXPECT_NEAR(heating(*s, m, b), hourlyDegrees(*s, 1, m, b, true),
                        1e-3 * hourlyDegrees(*s, 1, m, b, true) + 0.05)
                << "month " << m << " base " << b;
        }
        for (int b = 20; b <= 25; ++b) {
            EXPECT_NEAR(cooling(*s, m, b), hourlyDegrees(*s, 1, m, b, false),
                        1e-3 * hourlyDegrees(*s, 1, m, b, false) + 0.05)
                << "month " << m << " base " << b;
        }
    }
}

TEST(DegreeHours, SeasonAndYearRowsAddTheirMonthsAndHigherBasesNeverGiveLess) {
    auto s = stationState(3, seasonalDryBulb);
    FrequencySettings selectors;
    computeDegreeHours(*s, selectors, wholeYear());
    for (int b = 0; b < kBases; ++b) {
        float year = 0.0f;
        float heatingSeason = 0.0f;
        float coolingYear = 0.0f;
        float coolingSeason = 0.0f;
        for (int m = 1; m <= 12; ++m) {
            year += s->heatingTable[m][b];
            coolingYear += s->coolingTable[m][b];
            if (m <= 3 || m >= 11) heatingSeason += s->heatingTable[m][b];
            if (m >= 6 && m <= 9) coolingSeason += s->coolingTable[m][b];
            if (b > 0) {
                EXPECT_GE(s->heatingTable[m][b], s->heatingTable[m][b - 1]);
                EXPECT_LE(s->coolingTable[m][b], s->coolingTable[m][b - 1]);
            }
        }
        EXPECT_FLOAT_EQ(s->heatingTable[kYearRow][b], year);
        EXPECT_FLOAT_EQ(s->heatingTable[kSeasonRow][b], heatingSeason);
        EXPECT_FLOAT_EQ(s->coolingTable[kYearRow][b], coolingYear);
        EXPECT_FLOAT_EQ(s->coolingTable[kSeasonRow][b], coolingSeason);
    }
    EXPECT_GT(heating(*s, 1, 20), 0.0f);
    EXPECT_GT(cooling(*s, 7, 25), 0.0f);
}

TEST(DegreeHours, LeaveTheFrequencySelectorsOnTheMeanDryBulb) {
    auto s = stationState(1, seasonalDryBulb);
    FrequencySettings selectors;
    selectors.variable = StudyVariable::Enthalpy;
    selectors.output = FrequencyOutput::Cumulative;
    computeDegreeHours(*s, selectors, wholeYear());
    EXPECT_EQ(selectors.variable, StudyVariable::DryBulb);
    EXPECT_EQ(selectors.output, FrequencyOutput::MeanDryBulb);
    // freqTable keeps the mean temperatures, dhHours the hours of each class.
    for (int c = 1; c <= s->nBins; ++c) {
        EXPECT_FLOAT_EQ(s->freqTable[c][4], s->dhMeanT[c][4]);
        if (s->dhMeanT[c][4] > 0.0f) {
            EXPECT_GE(s->dhMeanT[c][4], static_cast<float>(s->binFirst + c - 1) - 1e-4f);
        }
    }
    float hours = 0.0f;
    for (int c = 1; c <= s->nBins; ++c)
        hours += s->dhHours[c][2];
    EXPECT_FLOAT_EQ(hours, 672.0f);
}

TEST(DegreeHours, HoursAtExactly0DegreesStillCount) {
    // January: half the hours at 0.0 degC (the class [0,1) has a mean of exactly 0), half at 20.
    auto s = stationState(1, [](int h, int) {
        if (h > 744) return 18.0f;
        return h % 2 == 0 ? 0.0f : 20.0f;
    });
    FrequencySettings selectors;
    computeDegreeHours(*s, selectors, wholeYear());
    EXPECT_FLOAT_EQ(heating(*s, 1, 15), 372.0f * 15.0f);
    EXPECT_FLOAT_EQ(heating(*s, 1, 20), 372.0f * 20.0f);
    EXPECT_FLOAT_EQ(heating(*s, 2, 20), 672.0f * 2.0f);
}

TEST(DegreeHours, AnEmptyIntervalOrNoDataGivesZeroEverywhere) {
    auto s = std::make_unique<AnalysisState>();
    FrequencySettings selectors;
    computeDegreeHours(*s, selectors, wholeYear());
    const TextGrid grid = degreeTableTexts(*s, DegreeKind::Heating, '.');
    for (int r = 1; r <= 6; ++r) {
        for (int k = 1; k <= 14; ++k)
            EXPECT_EQ(grid.cell(k, r), "0");
    }
}

TEST(DegreeDays, ATypicalYearSumsTheDailyMeanDifferences) {
    auto s = stationState(1, seasonalDryBulb);
    computeDegreeDays(*s, DataSource::Cte2013);
    double january15 = 0.0;
    double july22 = 0.0;
    for (int d = 1; d <= 31; ++d) {
        double mean = 0.0;
        for (int h = 24 * (d - 1) + 1; h <= 24 * d; ++h)
            mean += s->ts[h][1];
        mean /= 24.0;
        if (mean < 15.0) january15 += 15.0 - mean;
    }
    for (int d = 182; d <= 212; ++d) {
        double mean = 0.0;
        for (int h = 24 * (d - 1) + 1; h <= 24 * d; ++h)
            mean += s->ts[h][1];
        mean /= 24.0;
        if (mean > 22.0) july22 += mean - 22.0;
    }
    EXPECT_NEAR(heating(*s, 1, 15), january15, 1e-3);
    EXPECT_NEAR(cooling(*s, 7, 22), july22, 1e-3);
    for (int m = 1; m <= 12; ++m)
        EXPECT_FLOAT_EQ(s->validDays[m], static_cast<float>(kDaysOfMonth[m]));
}

TEST(DegreeDays, AMissingHourDropsItsDayAndTheMonthIsScaledToItsDays) {
    // Three years; every day of January has a mean of 10 degC in year 1, 12 in year 2 and 14 in
    // year 3, except that 3 January of year 2 loses an hour. Heating base 15: 5, 3 and 1 degree
    // per day.
    auto s = stationState(3, [](int h, int y) {
        if (y == 2 && h == 2 * 24 + 5) return 999.0f;
        if (h > 744) return 25.0f;
        return 8.0f + 2.0f * static_cast<float>(y) + ((h % 2 == 0) ? 3.0f : -3.0f);
    });
    computeDegreeDays(*s, DataSource::Aemet);
    EXPECT_FLOAT_EQ(s->validDays[1], 92.0f);
    EXPECT_FLOAT_EQ(s->dailyMeanT[3][2], NO_DAY);
    EXPECT_FLOAT_EQ(s->dailyMeanT[4][2], 12.0f);
    const float sum = 31 * 5.0f + 30 * 3.0f + 31 * 1.0f;
    EXPECT_NEAR(heating(*s, 1, 15), 31.0f * sum / 92.0f, 1e-3f);
    // Three complete Februaries at 25: the average of the three years' sums.
    EXPECT_FLOAT_EQ(s->validDays[2], 84.0f);
    EXPECT_NEAR(cooling(*s, 2, 20), 28.0f * 5.0f, 1e-3f);
}

TEST(DegreeDays, TheLastDayOfTheYearCountsLikeAnyOther) {
    auto s = stationState(1, [](int h, int) { return h > 8760 - 24 ? 5.0f : 30.0f; });
    computeDegreeDays(*s, DataSource::Cte2013);
    EXPECT_FLOAT_EQ(heating(*s, 12, 15), 10.0f);
    EXPECT_FLOAT_EQ(s->dailyMeanT[365][1], 5.0f);
}

TEST(DegreeDays, TheIntervalAndTheRangeFilterDoNotApply) {
    auto s = stationState(1, seasonalDryBulb);
    computeDegreeDays(*s, DataSource::Cte2013);
    const Grid<float> before = s->heatingTable;
    // A selection that kept no hour at all leaves rangeMask and hourMask at 0.
    for (int h = 1; h <= kHoursPerYear; ++h) {
        s->rangeMask[h][1] = 0.0f;
        s->hourMask[h] = 0.0f;
    }
    computeDegreeDays(*s, DataSource::Cte2013);
    EXPECT_EQ(s->heatingTable, before);
}

TEST(DegreeDays, NoDataGivesZeroAndAMonthWithoutUsableDaysStays0) {
    auto empty = std::make_unique<AnalysisState>();
    computeDegreeDays(*empty, DataSource::Aemet);
    EXPECT_FLOAT_EQ(empty->heatingTable[kYearRow][5], 0.0f);

    auto s = stationState(1, [](int h, int) { return (h % 24 == 7 && h <= 744) ? 999.0f : 5.0f; });
    computeDegreeDays(*s, DataSource::Aemet);
    EXPECT_FLOAT_EQ(s->validDays[1], 0.0f);
    EXPECT_FLOAT_EQ(heating(*s, 1, 15), 0.0f);
    EXPECT_FLOAT_EQ(heating(*s, 2, 15), 28.0f * 10.0f);
}

TEST(DegreeGrid, IsTheTableTransposedWithBaseRowsAndSeasonHeader) {
    auto s = std::make_unique<AnalysisState>();
    s->heatingTable[1][0] = 1234.4f;
    s->heatingTable[13][5] = 987654.0f;
    s->heatingTable[14][2] = 0.4f;
    s->coolingTable[7][0] = 55.5f;
    const TextGrid heatingGrid = degreeTableTexts(*s, DegreeKind::Heating, ',');
    ASSERT_EQ(heatingGrid.rowCount(), 7);
    ASSERT_EQ(heatingGrid.columnCount(), 15);
    EXPECT_EQ(heatingGrid.cell(0, 0), "");
    EXPECT_EQ(heatingGrid.cell(1, 0), "Ene");
    EXPECT_EQ(heatingGrid.cell(13, 0), "5 meses");
    EXPECT_EQ(heatingGrid.cell(14, 0), "Anual");
    EXPECT_EQ(heatingGrid.cell(0, 1), "base 15");
    EXPECT_EQ(heatingGrid.cell(0, 6), "base 20");
    EXPECT_EQ(heatingGrid.cell(1, 1), "1234");
    EXPECT_EQ(heatingGrid.cell(13, 6), "987654");
    EXPECT_EQ(heatingGrid.cell(14, 3), "0");  // above 0 but shown rounded
    EXPECT_EQ(heatingGrid.cell(1, 2), "0");
    const TextGrid coolingGrid = degreeTableTexts(*s, DegreeKind::Cooling, '.');
    EXPECT_EQ(coolingGrid.cell(13, 0), "4 meses");
    EXPECT_EQ(coolingGrid.cell(0, 1), "base 20");
    EXPECT_EQ(coolingGrid.cell(0, 6), "base 25");
    EXPECT_EQ(coolingGrid.cell(7, 1), "56");
    EXPECT_EQ(degreeSeasonCaption(DegreeKind::Heating),
              " 5 meses: Noviembre,Diciembre,Enero,Febrero,Marzo");
    EXPECT_EQ(degreeSeasonCaption(DegreeKind::Cooling), " 4 meses: Junio,Julio,Agosto,Septiembre");
}

}  // namespace
}  // namespace climstat
