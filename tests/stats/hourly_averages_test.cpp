#include "stats/hourly_averages.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "core/errors.h"
#include "psychro/humid_air.h"
#include "support/page_state.h"
#include "support/test_data.h"

namespace climstat {
namespace {

constexpr std::array<int, 13> kDays = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Month of each hour by walking the month lengths, independent of the code under test.
std::array<int, kHoursPerYear + 1> monthsOfHours() {
    std::array<int, kHoursPerYear + 1> months{};
    int h = 1;
    for (int m = 1; m <= 12; ++m) {
        for (int i = 0; i < kDays[static_cast<std::size_t>(m)] * 24; ++i)
            months[static_cast<std::size_t>(h++)] = m;
    }
    return months;
}

// ts = 100 month + hour of the day, so every cell has a value that tells where it came from.
std::unique_ptr<AnalysisState> labelledYear(int years = 1) {
    static const auto months = monthsOfHours();
    return test::syntheticYears(
        years,
        [](int h, int) {
            return static_cast<float>(100 * months[static_cast<std::size_t>(h)] + (h - 1) % 24 + 1);
        },
        [](int, int) { return 0.008f; });
}

TEST(HourlyAverages, WholeTypicalYearAveragesEachMonthAndHourOfDay) {
    auto state = labelledYear();
    computeHourlyAverages(*state, {0});
    const AnalysisState& s = *state;
    double yearSum = 0;
    for (int m = 1; m <= 12; ++m) {
        const float days = static_cast<float>(kDays[static_cast<std::size_t>(m)]);
        for (int k = 1; k <= 24; ++k) {
            EXPECT_EQ(s.hourlyCount[m][k], days) << m << " " << k;
            EXPECT_FLOAT_EQ(s.hourlyAvg[m][k], 100.0f * m + k);
        }
        EXPECT_EQ(s.hourlyCount[m][25], days * 24);
        EXPECT_FLOAT_EQ(s.hourlyAvg[m][25], 100.0f * m + 12.5f);
        yearSum += days * 24 * (100.0 * m + 12.5);
    }
    // The year column is weighted by hours, not the mean of the twelve months.
    for (int k = 1; k <= 24; ++k) {
        EXPECT_EQ(s.hourlyCount[13][k], 365.0f);
        double expected = 0;
        for (int m = 1; m <= 12; ++m)
            expected += kDays[static_cast<std::size_t>(m)] * (100.0 * m + k);
        EXPECT_NEAR(s.hourlyAvg[13][k], expected / 365.0, 1e-3);
    }
    EXPECT_NEAR(s.hourlyAvg[13][25], yearSum / 8760.0, 1e-3);
    EXPECT_EQ(s.hourlyCount[13][25], 0.0f);
    EXPECT_EQ(hourlyAverageHours(s), 8760);
}

TEST(HourlyAverages, OfficeHoursLeaveTheOtherRowsEmpty) {
    auto state = labelledYear();
    for (int h = 1; h <= kHoursPerYear; ++h) {
        const int k = (h - 1) % 24 + 1;
        state->hourMask[static_cast<std::size_t>(h)] = (k >= 9 && k <= 14) ? 1.0f : 0.0f;
    }
    computeHourlyAverages(*state, {0});
    const TextGrid grid = hourlyAverageGridTexts(*state, ',');
    for (int k = 1; k <= 24; ++k) {
        const bool selected = k >= 9 && k <= 14;
        for (int c = 1; c <= 13; ++c)
            EXPECT_EQ(grid.cell(c, k).empty(), !selected) << c << " " << k;
    }
    EXPECT_EQ(grid.cell(1, 9), "109,00");
    EXPECT_EQ(grid.cell(1, 25), "111,50");  // only hours 9..14 of January
    EXPECT_EQ(hourlyAverageHours(*state), 365 * 6);
}

TEST(HourlyAverages, SeveralYearsPoolTheirHoursAndSkipUnselectedOnes) {
    auto state = test::syntheticYears(
        3, [](int, int y) { return static_cast<float>(10 * y); }, [](int, int) { return 0.005f; });
    // Year 3 misses the whole of January: January then averages years 1 and 2 only.
    for (int h = 1; h <= 744; ++h)
        state->rangeMask[h][3] = 0.0f;
    computeHourlyAverages(*state, {0});
    EXPECT_EQ(state->hourlyCount[1][1], 62.0f);
    EXPECT_FLOAT_EQ(state->hourlyAvg[1][1], 15.0f);
    EXPECT_EQ(state->hourlyCount[2][1], 84.0f);
    EXPECT_FLOAT_EQ(state->hourlyAvg[2][1], 20.0f);
    // Slots beyond nYears never count, whatever their masks say.
    state->nYears = 2;
    state->rangeMask[1][3] = 1.0f;
    computeHourlyAverages(*state, {0});
    EXPECT_FLOAT_EQ(state->hourlyAvg[1][1], 15.0f);
    EXPECT_FLOAT_EQ(state->hourlyAvg[13][25], 15.0f);
}

TEST(HourlyAverages, NoSelectedHourLeavesEveryCellEmptyAndTheLinesWithoutValues) {
    auto state = labelledYear();
    computeHourlyAverages(*state, {0});  // a first computation must not leave anything behind
    state->hourMask.fill(0.0f);
    computeHourlyAverages(*state, {0});
    const TextGrid grid = hourlyAverageGridTexts(*state, '.');
    for (int r = 1; r <= 25; ++r)
        for (int c = 1; c <= 13; ++c)
            EXPECT_EQ(grid.cell(c, r), "") << c << " " << r;
    EXPECT_EQ(hourlyAverageHours(*state), 0);
    const AverageChart chart = averageChart(*state, {0});
    EXPECT_TRUE(chart.series[0].empty());
    for (int j = 1; j <= 13; ++j) {
        ASSERT_EQ(chart.series[static_cast<std::size_t>(j)].size(), 24u);
        for (const ChartPoint& p : chart.series[static_cast<std::size_t>(j)])
            EXPECT_TRUE(std::isnan(p.y));  // a gap, never a mean of 0
    }
}

TEST(HourlyAverages, NoYearSlotAtAllGivesEmptyTables) {
    AnalysisState state;  // nothing loaded: nYears 0
    computeHourlyAverages(state, {5});
    EXPECT_EQ(hourlyAverageHours(state), 0);
    EXPECT_EQ(hourlyAverageCellText(state, 13, 25, '.'), "");
}

TEST(HourlyAverages, NegativeMeanDewPointsKeepTheirSign) {
    auto state = test::syntheticYears(
        1, [](int, int) { return -5.0f; }, [](int, int) { return 0.0015f; });
    computeHourlyAverages(*state, {2});
    const float dewPoint = psychro::dewPoint(0.0015f, 101325.0f);
    ASSERT_LT(dewPoint, -5.0f);
    const TextGrid grid = hourlyAverageGridTexts(*state, '.');
    EXPECT_EQ(grid.cell(1, 1)[0], '-');
    EXPECT_NEAR(std::stod(grid.cell(13, 25)), dewPoint, 0.006);
}

TEST(HourlyAverages, GridHeadingsLabelsAndChartTitles) {
    auto state = labelledYear();
    computeHourlyAverages(*state, {3});
    const TextGrid grid = hourlyAverageGridTexts(*state, '.');
    ASSERT_EQ(grid.columnCount(), 14);
    ASSERT_EQ(grid.rowCount(), 26);
    EXPECT_EQ(grid.cell(0, 0), "");
    EXPECT_EQ(grid.cell(1, 0), "Ene");
    EXPECT_EQ(grid.cell(13, 0), "Anual");
    EXPECT_EQ(grid.cell(0, 1), "1 h.");
    EXPECT_EQ(grid.cell(0, 24), "24 h.");
    EXPECT_EQ(grid.cell(0, 25), "Media");
    EXPECT_EQ(grid.cell(1, 1), "8.00");  // humidity ratio in g/kg
    EXPECT_EQ(averageChart(*state, {3}).leftAxisTitle, "Humedad específica g/kg as)");
    EXPECT_EQ(averageChart(*state, {4}).leftAxisTitle, "Entalpía kJ/kgasºC");
    const AverageChart chart = averageChart(*state, {0});
    EXPECT_EQ(chart.series[13].front().x, 1.0);
    EXPECT_EQ(chart.series[13].back().x, 24.0);
    EXPECT_EQ(kAverageSeriesTitles[1], "Enero");
    EXPECT_EQ(kAverageSeriesTitles[13], "Anual");
}

TEST(HourlyAverages, VariableOutsideTheListIsRefused) {
    auto state = labelledYear();
    EXPECT_THROW(computeHourlyAverages(*state, {6}), UsageError);
    EXPECT_THROW(computeHourlyAverages(*state, {-1}), UsageError);
}

TEST(HourlyAverages, WholeRealYearEqualsThePlainMean) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const char* zone : {"D3_peninsula", "E1_peninsula", "alpha1_canarias"}) {
        auto state = test::realTypicalYear(test::realDatabaseDir(), zone);
        for (int variable = 0; variable < kHourlyVariableCount; ++variable) {
            computeHourlyAverages(*state, {variable});
            double sum = 0;
            for (int h = 1; h <= kHoursPerYear; ++h)
                sum += hourlyVariableValue(*state, hourlyVariableFromItem(variable), h, 1);
            const double mean = sum / kHoursPerYear;
            EXPECT_NEAR(state->hourlyAvg[13][25], mean, 1e-3 * std::max(1.0, std::fabs(mean)))
                << zone << " variable " << variable;
            // The mean of the monthly means, weighted by their hours, is the same mean again.
            double weighted = 0;
            for (int m = 1; m <= 12; ++m)
                weighted += state->hourlyAvg[m][25] * state->hourlyCount[m][25];
            EXPECT_NEAR(weighted / kHoursPerYear, mean, 1e-3 * std::max(1.0, std::fabs(mean)));
        }
        EXPECT_EQ(state->hourlyCount[1][1], 31.0f);
        EXPECT_EQ(state->hourlyCount[13][24], 365.0f);
    }
}

}  // namespace
}  // namespace climstat
