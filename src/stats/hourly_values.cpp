#include "stats/hourly_values.h"

#include "selection/selection.h"

#include <algorithm>
#include <limits>

#include "core/calendar.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "psychro/humid_air.h"

namespace climstat {

const std::array<std::string_view, kHourlyTableColumns> kHourlyTableHeadings = {
    "mes",    "dia",        "hora",       "hora anual", "Ts(ºC)",      "Th(ºC)",
    "Tr(ºC)", "W(gr/kgas)", "h(kJ/kgas)", "Hr(%)",      "ve(m3/kgas)", "Pv(Pa)"};

HourlyProperties hourlyProperties(const AnalysisState& state, int h, int y) {
    const float t = state.ts[h][y];
    const float w = state.w[h][y];
    const float pt = state.pt;
    HourlyProperties p;
    p.dryBulb = t;
    p.wetBulb = state.tw[h][y];
    p.dewPoint = hourDewPoint(state, h, y);
    p.humidityRatio = w * 1000.0f;
    p.enthalpy = hourEnthalpy(state, h, y);
    p.relativeHumidity = hourRelativeHumidity(state, h, y);
    p.specificVolume = psychro::specificVolume(t, w, pt);
    p.vapourPressure = psychro::vapourPressure(w, pt);
    return p;
}

namespace {

// Day of the year 1..365 of an hour index.
int dayOfHour(int h) {
    return (h - 1) / 24 + 1;
}

}  // namespace

HourDate hourDate(int h) {
    return {monthOfHour(static_cast<float>(h)), dayOfMonth(dayOfHour(h)), hourOfDay(h)};
}

int hourlyValuesSlot(const AnalysisState& state, int h) {
    // A later selected slot would overwrite an earlier one: the last one is the one shown.
    for (int y = std::min(state.nYears, kYearSlots); y >= 1; --y) {
        if (hourSelected(state, h, y)) return y;
    }
    return 0;
}

std::string hourlyValuesCellText(const AnalysisState& state, int column, int row,
                                 char decimalSeparator) {
    if (column < 0 || column >= kHourlyTableColumns || row < 0 || row >= kHourlyTableRows) {
        return {};
    }
    if (row == 0) return std::string(kHourlyTableHeadings[static_cast<std::size_t>(column)]);
    const HourDate date = hourDate(row);
    switch (column) {
        case 0:
            return integerText(date.month);
        case 1:
            return integerText(date.day);
        case 2:
            return integerText(date.hour);
        case 3:
            return integerText(row);
        default:
            break;
    }
    const int y = hourlyValuesSlot(state, row);
    if (y == 0) return {};
    const HourlyProperties p = hourlyProperties(state, row, y);
    const float values[] = {p.dryBulb,  p.wetBulb,          p.dewPoint,       p.humidityRatio,
                            p.enthalpy, p.relativeHumidity, p.specificVolume, p.vapourPressure};
    return numberText(values[column - 4], 5, 2, decimalSeparator);
}

TextGrid fillHourlyValuesTable(const AnalysisState& state, char decimalSeparator) {
    TextGrid grid(kHourlyTableColumns, kHourlyTableRows);
    for (int c = 0; c < kHourlyTableColumns; ++c)
        grid.cell(c, 0) = kHourlyTableHeadings[static_cast<std::size_t>(c)];
    for (int h = 1; h <= kHoursPerYear; ++h) {
        const HourDate date = hourDate(h);
        grid.cell(0, h) = integerText(date.month);
        grid.cell(1, h) = integerText(date.day);
        grid.cell(2, h) = integerText(date.hour);
        grid.cell(3, h) = integerText(h);
        const int y = hourlyValuesSlot(state, h);
        if (y == 0) continue;
        const HourlyProperties p = hourlyProperties(state, h, y);
        const float values[] = {p.dryBulb,  p.wetBulb,          p.dewPoint,       p.humidityRatio,
                                p.enthalpy, p.relativeHumidity, p.specificVolume, p.vapourPressure};
        for (int c = 4; c < kHourlyTableColumns; ++c) {
            grid.cell(c, h) = numberText(values[c - 4], 5, 2, decimalSeparator);
        }
    }
    return grid;
}

namespace {

HourlyChartType chartTypeFromItem(int item, bool tableAllowed) {
    if (item == 0) return HourlyChartType::TwoD;
    if (item == 1) return HourlyChartType::ThreeD;
    if (item == 2 && tableAllowed) return HourlyChartType::Table;
    throw UsageError("chart type item " + std::to_string(item) + " is not offered");
}

// An hour without data has no value (NaN, a gap in the chart); an hour with data that the
// selection leaves out is plotted as 0.
float plottedValue(const AnalysisState& state, HourlyVariable variable, int h, int y) {
    if (state.validMask[h][y] != 1.0f) return std::numeric_limits<float>::quiet_NaN();
    return hourSelected(state, h, y) ? hourlyVariableValue(state, variable, h, y) : 0.0f;
}

// Adds the hours of slot y, the x of each shifted by the years before it in the range.
void addYear(HourlyValuesChart& chart, const AnalysisState& state, HourlyVariable variable, int y,
             int yearsBefore) {
    for (int h = 1; h <= kHoursPerYear; ++h) {
        const double v = plottedValue(state, variable, h, y);
        if (chart.type == HourlyChartType::TwoD) {
            chart.line.push_back({static_cast<double>(yearsBefore * kHoursPerYear + h), v});
        } else {
            chart.surface.push_back({static_cast<double>(yearsBefore * kDaysPerYear + dayOfHour(h)),
                                     v, static_cast<double>(hourOfDay(h))});
        }
    }
}

}  // namespace

HourlyValuesChart plotHourlyValues(const AnalysisState& state,
                                   const HourlyValuesPlotSettings& settings) {
    HourlyValuesChart chart;
    chart.type = chartTypeFromItem(settings.chartType, true);
    const HourlyVariable variable = hourlyVariableFromItem(settings.variable);
    if (chart.type == HourlyChartType::Table) return chart;
    chart.leftAxisTitle = hourlyVariableAxisTitle(variable);
    (chart.type == HourlyChartType::TwoD ? chart.line.reserve(kHoursPerYear)
                                         : chart.surface.reserve(kHoursPerYear));
    addYear(chart, state, variable, 1, 0);
    chart.noDataCaption = noDataCaption(state, {1, 1, false});
    return chart;
}

YearSlotRange stationYearSlots(int nYears, int yearItem) {
    if (yearItem < 0 || yearItem > kYearSlots) {
        throw UsageError("year item " + std::to_string(yearItem) + " is not one of 0..12");
    }
    if (yearItem == nYears + 1) return {1, std::min(nYears + 1, kYearSlots), true};
    return {yearItem + 1, yearItem + 1, false};
}

std::vector<std::string> yearListItems(const AnalysisState& state) {
    std::vector<std::string> items;
    const int years = hasOwnYears(state) ? state.nYears : kYearSlots;
    for (int y = 1; y <= years; ++y)
        items.push_back(std::to_string(calendarYearOfSlot(state, y)));
    items.push_back("Todos");
    return items;
}

YearSlotRange yearSlotsOfItem(const AnalysisState& state, int yearItem) {
    if (!hasOwnYears(state)) return stationYearSlots(state.nYears, yearItem);
    if (yearItem < 0 || yearItem > state.nYears) {
        throw UsageError("year item " + std::to_string(yearItem) + " is not one of 0.." +
                         std::to_string(state.nYears));
    }
    if (yearItem == state.nYears) return {1, state.nYears, true};
    return {yearItem + 1, yearItem + 1, false};
}

int yearItemOfYear(const AnalysisState& state, int year) {
    const int years = hasOwnYears(state) ? state.nYears : kYearSlots;
    for (int y = 1; y <= years; ++y) {
        if (calendarYearOfSlot(state, y) == year) return y - 1;
    }
    return -1;
}

int defaultYearItem(const AnalysisState& state) {
    return hasOwnYears(state) ? state.nYears - 1 : 10;
}

bool yearSlotHasData(const AnalysisState& state, int y) {
    if (y < 1 || y > kYearSlots) return false;
    for (int h = 1; h <= kHoursPerYear; ++h) {
        if (state.validMask[h][y] == 1.0f) return true;
    }
    return false;
}

std::string noDataCaption(const AnalysisState& state, const YearSlotRange& slots) {
    for (int y = slots.first; y <= slots.last; ++y) {
        if (yearSlotHasData(state, y)) return {};
    }
    const bool oneYear =
        slots.first == slots.last && (state.typicalYearIndex < 0 || hasOwnYears(state));
    return oneYear ? "Sin datos para " + std::to_string(calendarYearOfSlot(state, slots.first))
                   : "Sin datos";
}

HourlyValuesChart plotStationHourlyValues(const AnalysisState& state,
                                          const StationHourlyValuesPlotSettings& settings) {
    HourlyValuesChart chart;
    chart.type = chartTypeFromItem(settings.chartType, false);
    const HourlyVariable variable = hourlyVariableFromItem(settings.variable);
    const YearSlotRange slots = yearSlotsOfItem(state, settings.yearItem);
    chart.leftAxisTitle = hourlyVariableAxisTitle(variable);
    const auto points = static_cast<std::size_t>((slots.last - slots.first + 1) * kHoursPerYear);
    (chart.type == HourlyChartType::TwoD ? chart.line.reserve(points)
                                         : chart.surface.reserve(points));
    for (int y = slots.first; y <= slots.last; ++y)
        addYear(chart, state, variable, y, slots.all ? y - 1 : 0);
    chart.noDataCaption = noDataCaption(state, slots);
    return chart;
}

}  // namespace climstat
