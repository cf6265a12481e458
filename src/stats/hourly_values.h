#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"
#include "stats/hourly_averages.h"
#include "stats/hourly_variable.h"
#include "stats/text_grid.h"

namespace climstat {

// Humid-air properties of one hour, each in single precision.
struct HourlyProperties {
    float dryBulb = 0;           // ts, degC
    float wetBulb = 0;           // tw, degC
    float dewPoint = 0;          // degC
    float humidityRatio = 0;     // 1000 w, g/kg
    float enthalpy = 0;          // kJ/kg
    float relativeHumidity = 0;  // %, not clamped
    float specificVolume = 0;    // m3/kg
    float vapourPressure = 0;    // Pa
};

HourlyProperties hourlyProperties(const AnalysisState& state, int h, int y);

// Calendar columns of an hour index: month, day of the month, hour of the day.
struct HourDate {
    int month = 0;
    int day = 0;
    int hour = 0;
};
HourDate hourDate(int h);

inline constexpr int kHourlyTableColumns = 12;
inline constexpr int kHourlyTableRows = kHoursPerYear + 1;  // heading row and one row per hour
extern const std::array<std::string_view, kHourlyTableColumns> kHourlyTableHeadings;

// Texts of the hourly table of the typical-year page: the heading row, then row h for hour
// index h with month, day, hour of the day and hour index always, and the eight properties
// (precision 5, 2 decimals) only where the hour is selected in one of year slots 1..nYears (the
// last such slot gives them); the other cells stay empty.
TextGrid fillHourlyValuesTable(const AnalysisState& state, char decimalSeparator);

// The year slot whose values row h shows: the last of slots 1..nYears in which the hour is
// selected, 0 when it is selected in none.
int hourlyValuesSlot(const AnalysisState& state, int h);

// The text of one cell of that table, computed on its own (a view that shows a few rows asks
// for those only): the same text fillHourlyValuesTable gives the cell.
std::string hourlyValuesCellText(const AnalysisState& state, int column, int row,
                                 char decimalSeparator);

// Chart type item: "2D", "3D" and, on the typical-year page only, "Tabla".
enum class HourlyChartType { TwoD = 0, ThreeD = 1, Table = 2 };

struct SurfacePoint {
    double x = 0;  // day
    double y = 0;  // value
    double z = 0;  // hour of the day
};

// Points of the chart of one hourly-value page: the 2D line or the 3D surface of the chosen
// variable, with the hours outside the selection plotted as 0 and the hours without data (the
// validity rule, a year slot never loaded) without a value: NaN. "Tabla" gives no chart.
struct HourlyValuesChart {
    HourlyChartType type = HourlyChartType::Table;
    std::string leftAxisTitle;
    std::vector<ChartPoint> line;       // 2D: (hour, value)
    std::vector<SurfacePoint> surface;  // 3D: (day, value, hour of the day)
    std::string noDataCaption;          // noDataCaption of the plotted years
};

inline constexpr std::string_view kHourlyLineBottomTitle = "hora del año";
inline constexpr std::string_view kHourlySurfaceBottomTitle = "dia";
inline constexpr std::string_view kHourlySurfaceDepthTitle = "hora";

// What the typical-year page's controls hold.
struct HourlyValuesPlotSettings {
    int chartType = 2;  // "Tipo gráfica": 0 "2D", 1 "3D", 2 "Tabla"
    int variable = 0;   // "Variable representada", item 0..5
};

// What the station page's controls hold.
struct StationHourlyValuesPlotSettings {
    int chartType = 0;  // "Tipo gráfica": 0 "2D", 1 "3D"
    int variable = 0;   // "Variable representada", item 0..5
    int yearItem = 10;  // "Años a representar": a position of yearListItems
};

// The chart of the typical-year page (year slot 1). Throws UsageError for an item out of range.
HourlyValuesChart plotHourlyValues(const AnalysisState& state,
                                   const HourlyValuesPlotSettings& settings);

// Year slots plotted by the station page: the slot of the chosen year, or slots 1..nYears + 1
// when the item is nYears + 1 ("Todos" for station data). Throws UsageError for an item
// outside the list.
struct YearSlotRange {
    int first = 1;
    int last = 1;
    bool all = false;
};
YearSlotRange stationYearSlots(int nYears, int yearItem);

// The entries of the year lists of the diagram and the station hourly-value page: "1997" ..
// "2008" and "Todos" for station data; the data's own years and "Todos" when they carry them
// (EPW actual years).
std::vector<std::string> yearListItems(const AnalysisState& state);

// Year slots of a position of that list: stationYearSlots for station data; with the data's
// own years position i < nYears is slot i + 1 and position nYears ("Todos") slots 1..nYears.
// Throws UsageError for a position outside the list.
YearSlotRange yearSlotsOfItem(const AnalysisState& state, int yearItem);

// Position of a calendar year in that list, -1 when the list does not hold it.
int yearItemOfYear(const AnalysisState& state, int year);

// Position a list shows after a load: "2007" for station data, the last year otherwise.
int defaultYearItem(const AnalysisState& state);

// Whether year slot y (1..12) holds an hour with data (validMask 1).
bool yearSlotHasData(const AnalysisState& state, int y);

// What a chart of the year slots says when they hold no data at all: "Sin datos para 2001" for
// the one calendar year of the range (calendarYearOfSlot), "Sin datos" for several years or a
// typical year; empty when some slot holds data.
std::string noDataCaption(const AnalysisState& state, const YearSlotRange& slots);

// The chart of the station page. With one year: 2D (h, v), 3D (day, v, hour of day). With
// "Todos" the years follow each other: 2D x = (y - 1) 8760 + h, 3D x = (y - 1) 365 + day.
HourlyValuesChart plotStationHourlyValues(const AnalysisState& state,
                                          const StationHourlyValuesPlotSettings& settings);

}  // namespace climstat
