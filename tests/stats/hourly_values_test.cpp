#include "stats/hourly_values.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"
#include "selection/selection.h"
#include "support/page_state.h"
#include "support/test_data.h"

namespace climstat {
namespace {

std::unique_ptr<AnalysisState> mildYears(int years) {
    return test::syntheticYears(
        years, [](int h, int y) { return 10.0f + static_cast<float>((h - 1) % 24) + y; },
        [](int, int) { return 0.0105f; });
}

// The selection pass with the preset "De 8h a 14h y de 16 a 20h (Todo el año)".
void splitOfficeHours(AnalysisState& state) {
    SelectionSettings settings;
    settings.source = DataSource::Aemet;
    settings.intervalPreset = 2;
    runSelection(state, settings);
}

TEST(HourlyValuesTable, WholeYearFillsEveryRowWithItsDate) {
    auto state = mildYears(1);
    const TextGrid grid = fillHourlyValuesTable(*state, ',');
    ASSERT_EQ(grid.rowCount(), 8761);
    ASSERT_EQ(grid.columnCount(), 12);
    EXPECT_EQ(grid.cell(0, 0), "mes");
    EXPECT_EQ(grid.cell(3, 0), "hora anual");
    EXPECT_EQ(grid.cell(9, 0), "Hr(%)");
    EXPECT_EQ(grid.cell(11, 0), "Pv(Pa)");
    for (int h = 1; h <= kHoursPerYear; ++h)
        for (int c = 0; c < 12; ++c)
            ASSERT_FALSE(grid.cell(c, h).empty()) << c << " " << h;
    const std::array<std::string, 4> first = {"1", "1", "1", "1"};
    const std::array<std::string, 4> last = {"12", "31", "24", "8760"};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(grid.cell(c, 1), first[static_cast<std::size_t>(c)]);
        EXPECT_EQ(grid.cell(c, 8760), last[static_cast<std::size_t>(c)]);
    }
    // Month and day boundaries: hour 744 is 31 January 24 h, hour 745 is 1 February 1 h.
    EXPECT_EQ(grid.cell(0, 744) + "/" + grid.cell(1, 744) + "/" + grid.cell(2, 744), "1/31/24");
    EXPECT_EQ(grid.cell(0, 745) + "/" + grid.cell(1, 745) + "/" + grid.cell(2, 745), "2/1/1");
    EXPECT_EQ(grid.cell(0, 1417) + "/" + grid.cell(1, 1417), "3/1");
    EXPECT_EQ(grid.cell(7, 1), "10,50");  // 10.5 g/kg with the regional separator
    EXPECT_EQ(grid.cell(4, 1), "11,00");
}

TEST(HourlyValuesTable, UnselectedHoursKeepOnlyTheirDate) {
    auto state = mildYears(1);
    splitOfficeHours(*state);
    const TextGrid grid = fillHourlyValuesTable(*state, '.');
    EXPECT_EQ(grid.cell(4, 13), "23.00");  // 12:00-13:00 is selected
    EXPECT_EQ(grid.cell(3, 14), "14");
    for (int c = 0; c < 4; ++c)
        EXPECT_FALSE(grid.cell(c, 14).empty()) << c;
    for (int c = 4; c < 12; ++c)
        EXPECT_EQ(grid.cell(c, 14), "") << c;
}

TEST(HourlyValuesChart, TwoDimensionalLineDropsToZeroOutsideTheSelection) {
    auto state = mildYears(1);
    splitOfficeHours(*state);
    const HourlyValuesChart chart = plotHourlyValues(*state, {0, 0});
    EXPECT_EQ(chart.leftAxisTitle, "Temperatura seca ºC");
    ASSERT_EQ(chart.line.size(), 8760u);
    EXPECT_TRUE(chart.surface.empty());
    EXPECT_EQ(chart.line[12].x, 13.0);
    EXPECT_EQ(chart.line[12].y, 23.0);
    EXPECT_EQ(chart.line[13].x, 14.0);
    EXPECT_EQ(chart.line[13].y, 0.0);
    EXPECT_EQ(chart.line[24 + 12].y, 23.0);  // every day alike
    EXPECT_EQ(chart.line[24 + 13].y, 0.0);
    EXPECT_EQ(chart.line.back().x, 8760.0);
}

TEST(HourlyValuesChart, SurfaceLaysHoursOutByDayAndHourOfDay) {
    auto state = mildYears(1);
    const HourlyValuesChart chart = plotHourlyValues(*state, {1, 3});
    ASSERT_EQ(chart.surface.size(), 8760u);
    EXPECT_EQ(chart.leftAxisTitle, "Humedad específica g/kg as)");
    const SurfacePoint h24 = chart.surface[23];
    const SurfacePoint h25 = chart.surface[24];
    EXPECT_EQ(h24.x, 1.0);
    EXPECT_EQ(h24.z, 24.0);
    EXPECT_EQ(h25.x, 2.0);
    EXPECT_EQ(h25.z, 1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(h25.y), 10.5f);
    EXPECT_EQ(chart.surface.back().x, 365.0);
}

TEST(HourlyValuesChart, TableChoiceDrawsNothing) {
    auto state = mildYears(1);
    const HourlyValuesChart chart = plotHourlyValues(*state, {2, 0});
    EXPECT_EQ(chart.type, HourlyChartType::Table);
    EXPECT_TRUE(chart.line.empty());
    EXPECT_TRUE(chart.surface.empty());
    EXPECT_THROW(plotStationHourlyValues(*state, {2, 0, 0}), UsageError);
    EXPECT_THROW(plotHourlyValues(*state, {0, 6}), UsageError);
}

TEST(StationHourlyValues, YearListPositionsMapToSlots) {
    EXPECT_EQ(stationYearSlots(11, 0).first, 1);
    EXPECT_EQ(stationYearSlots(11, 10).first, 11);
    const YearSlotRange y2008 = stationYearSlots(11, 11);
    EXPECT_EQ(y2008.first, 12);
    EXPECT_EQ(y2008.last, 12);
    EXPECT_FALSE(y2008.all);
    const YearSlotRange all = stationYearSlots(11, 12);
    EXPECT_EQ(all.first, 1);
    EXPECT_EQ(all.last, 12);
    EXPECT_TRUE(all.all);
    EXPECT_THROW(stationYearSlots(11, 13), UsageError);
    EXPECT_THROW(stationYearSlots(11, -1), UsageError);
}

TEST(StationHourlyValues, AllYearsFollowEachOtherAndTheUnloadedSlotHasNoValue) {
    auto state = mildYears(11);
    const HourlyValuesChart line = plotStationHourlyValues(*state, {0, 0, 12});
    ASSERT_EQ(line.line.size(), 12u * 8760u);
    EXPECT_EQ(line.line[8760].x, 8761.0);
    EXPECT_EQ(line.line[8760].y, 12.0);  // slot 2, hour 1
    EXPECT_EQ(line.line.back().x, 105120.0);
    for (std::size_t i = 11 * 8760; i < line.line.size(); ++i)
        ASSERT_TRUE(std::isnan(line.line[i].y));  // a gap, not a line at 0
    EXPECT_EQ(line.noDataCaption, "");
    EXPECT_EQ(plotStationHourlyValues(*state, {0, 0, 11}).noDataCaption, "Sin datos para 2008");

    const HourlyValuesChart surface = plotStationHourlyValues(*state, {1, 0, 12});
    ASSERT_EQ(surface.surface.size(), 12u * 8760u);
    EXPECT_EQ(surface.surface[8760].x, 366.0);
    EXPECT_EQ(surface.surface.back().x, 12.0 * 365);

    const HourlyValuesChart single = plotStationHourlyValues(*state, {0, 0, 2});
    ASSERT_EQ(single.line.size(), 8760u);
    EXPECT_EQ(single.line[0].x, 1.0);
    EXPECT_EQ(single.line[0].y, 13.0);  // slot 3
}

TEST(HourlyValuesTable, RealTypicalYearIsComplete) {
    CLIMSTAT_NEED_REAL_DATA();
    auto state = test::realTypicalYear(test::realDatabaseDir());
    const TextGrid grid = fillHourlyValuesTable(*state, '.');
    for (int h = 1; h <= kHoursPerYear; ++h)
        ASSERT_FALSE(grid.cell(11, h).empty()) << h;
    const HourlyValuesChart chart = plotHourlyValues(*state, {0, 5});
    for (const ChartPoint& p : chart.line) {
        ASSERT_GT(p.y, 0.0);
        ASSERT_LE(p.y, 100.5);  // the loader keeps the humidity at or below saturation
    }
}

}  // namespace
}  // namespace climstat
