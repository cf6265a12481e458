#include "stats/hourly_averages.h"

#include <limits>

#include <algorithm>

#include "core/calendar.h"
#include "core/number_text.h"

namespace climstat {

const std::array<std::string_view, 14> kAverageSeriesTitles = {
    "",      "Enero",  "Febrero",    "Marzo",   "Abril",     "Mayo",      "Junio",
    "Julio", "Agosto", "Septiembre", "Octubre", "Noviembre", "Diciembre", "Anual"};

void computeHourlyAverages(AnalysisState& state, const HourlyAverageSettings& settings) {
    const HourlyVariable variable = hourlyVariableFromItem(settings.variable);
    Grid<float>& avg = state.hourlyAvg;
    Grid<float>& count = state.hourlyCount;
    avg.fill(0.0f);
    count.fill(0.0f);

    // Sums stay in single precision, as the tables hold them.
    float total = 0.0f;
    int n = 0;
    const int years = std::min(state.nYears, kYearSlots);
    for (int y = 1; y <= years; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (!hourSelected(state, h, y)) continue;
            const int m = monthOfHour(static_cast<float>(h));
            const int k = hourOfDay(h);
            const float v = hourlyVariableValue(state, variable, h, y);
            avg[m][kAverageMeanRow] += v;
            avg[kAverageYearColumn][k] += v;
            avg[m][k] += v;
            count[m][kAverageMeanRow] += 1.0f;
            count[kAverageYearColumn][k] += 1.0f;
            count[m][k] += 1.0f;
            total += v;
            ++n;
        }
    }
    for (int c = 1; c <= kAverageYearColumn; ++c) {
        for (int r = 1; r <= 26; ++r) {
            if (count[c][r] > 0.0f) avg[c][r] /= count[c][r];
        }
    }
    if (n > 0) avg[kAverageYearColumn][kAverageMeanRow] = total / static_cast<float>(n);
}

int hourlyAverageHours(const AnalysisState& state) {
    // Every selected hour is counted once in the year column of its hour of the day.
    float n = 0.0f;
    for (int k = 1; k <= kAverageHourRows; ++k)
        n += state.hourlyCount[kAverageYearColumn][k];
    return static_cast<int>(n);
}

std::string hourlyAverageCellText(const AnalysisState& state, int column, int row,
                                  char decimalSeparator) {
    const bool filled =
        state.hourlyCount[column][row] > 0.0f ||
        (column == kAverageYearColumn && row == kAverageMeanRow && hourlyAverageHours(state) > 0);
    if (!filled) return "";
    return numberText(state.hourlyAvg[column][row], 5, 2, decimalSeparator);
}

TextGrid hourlyAverageGridTexts(const AnalysisState& state, char decimalSeparator) {
    static constexpr std::array<std::string_view, 14> kHeader = {"",    "Ene", "Feb", "Mar",  "Abr",
                                                                 "May", "Jun", "Jul", "Ago",  "Sep",
                                                                 "Oct", "Nov", "Dic", "Anual"};
    TextGrid grid(14, 26);
    for (int c = 1; c <= kAverageYearColumn; ++c)
        grid.cell(c, 0) = kHeader[static_cast<std::size_t>(c)];
    for (int r = 1; r <= kAverageHourRows; ++r)
        grid.cell(0, r) = std::to_string(r) + " h.";
    grid.cell(0, kAverageMeanRow) = "Media";
    for (int r = 1; r <= kAverageMeanRow; ++r) {
        for (int c = 1; c <= kAverageYearColumn; ++c)
            grid.cell(c, r) = hourlyAverageCellText(state, c, r, decimalSeparator);
    }
    return grid;
}

AverageChart averageChart(const AnalysisState& state, const HourlyAverageSettings& settings) {
    AverageChart chart;
    chart.leftAxisTitle = hourlyVariableAxisTitle(hourlyVariableFromItem(settings.variable));
    for (int j = 1; j <= kAverageYearColumn; ++j) {
        auto& series = chart.series[static_cast<std::size_t>(j)];
        series.reserve(kAverageHourRows);
        for (int k = 1; k <= kAverageHourRows; ++k) {
            // A cell without hours has no mean: a gap in the line, not a 0.
            const double mean = state.hourlyCount[j][k] > 0.0f
                                    ? static_cast<double>(state.hourlyAvg[j][k])
                                    : std::numeric_limits<double>::quiet_NaN();
            series.push_back({static_cast<double>(k), mean});
        }
    }
    return chart;
}

}  // namespace climstat
