#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"
#include "stats/chart_point.h"
#include "stats/hourly_variable.h"
#include "stats/text_grid.h"

namespace climstat {

// What the hourly-average page's controls hold.
struct HourlyAverageSettings {
    int variable = 0;  // item 0..5 of "Variable a representar"
};

// Rows of the average tables: hours of the day 1..24, then the mean of the month.
inline constexpr int kAverageHourRows = 24;
inline constexpr int kAverageMeanRow = 25;
inline constexpr int kAverageYearColumn = 13;

// Mean daily course of the variable over the selected hours (rangeMask x hourMask = 1) of year
// slots 1..nYears: hourlyAvg[month][hour of day] and hourlyCount the hours behind each cell,
// row 25 the mean of each month, column 13 the whole year weighted by hours, and
// hourlyAvg[13][25] the mean of every selected hour (its count cell stays 0). Cells without
// hours hold 0. Uses the masks as they are; throws UsageError for a variable item outside 0..5.
void computeHourlyAverages(AnalysisState& state, const HourlyAverageSettings& settings);

// Number of selected hours behind the last computation (0: nothing to average).
int hourlyAverageHours(const AnalysisState& state);

// Text of a table cell: the number text (precision 5, 2 decimals) of a cell with hours, the
// mean of the year in (13, 25) when there were hours, else empty.
std::string hourlyAverageCellText(const AnalysisState& state, int column, int row,
                                  char decimalSeparator);

// Texts of the page's grid: 14 columns x 26 rows, header "Ene".."Dic", "Anual"; row labels
// "1 h." .. "24 h.", "Media".
TextGrid hourlyAverageGridTexts(const AnalysisState& state, char decimalSeparator);

// The line chart of the page: 13 series (index 1..12 the months, 13 the year) of 24 points
// (hour of day, average; a cell without hours has no value: NaN, a gap in the line).
struct AverageChart {
    std::string leftAxisTitle;
    std::array<std::vector<ChartPoint>, 14> series;  // index 0 unused
};

// Titles of the 13 series, index 1..13 ("Enero" .. "Diciembre", "Anual").
extern const std::array<std::string_view, 14> kAverageSeriesTitles;
// Colour of every point added to the average chart (0xRRGGBB).
inline constexpr unsigned kAveragePointColour = 0x008000;
inline constexpr std::string_view kAverageBottomAxisTitle = "hora";

AverageChart averageChart(const AnalysisState& state, const HourlyAverageSettings& settings);

}  // namespace climstat
