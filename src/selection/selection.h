#pragma once

#include <array>
#include <string>

#include "core/analysis_state.h"

namespace climstat {

// Humid-air variable of a range condition, by item of the variable groups.
enum class RangeVariable {
    None = 0,
    DryBulb = 1,           // ts, degC
    WetBulb = 2,           // stored tw, degC
    DewPoint = 3,          // dewPoint(w, pt), degC
    HumidityRatio = 4,     // 1000 w, g/kg
    RelativeHumidity = 5,  // %, not clamped
    Enthalpy = 6,          // kJ/kg
};

// "Mínimo": the limit is a lower bound (kept when value >= limit); "Máximo": an upper bound
// (kept when value < limit).
enum class RangeSense { Minimum = 0, Maximum = 1 };

// One minimum/maximum condition as the controls hold it; the limit stays text until the pass
// converts it with the caller's decimal separator.
struct RangeCondition {
    RangeVariable variable = RangeVariable::None;
    RangeSense sense = RangeSense::Minimum;
    std::string limitText = "0";
};

// Day type of each date, slot dateSlot = 31 * (month - 1) + day; 0 = never assigned (type 1).
using DayTypeTable = std::array<int, 12 * 31 + 1>;

// Computes the dew point, relative humidity and enthalpy of every hour of year slots
// first..last into state.derived (see DerivedHours), from the hours' ts and w and state.pt.
void computeDerivedHours(AnalysisState& state, int firstSlot, int lastSlot);
// Records the derived values of one hour whose dew point is already known (the wet bulb of a
// load computes it on the way); markDerivedSlot then declares the slot's values current.
void setDerivedHour(AnalysisState& state, int h, int y, float dewPoint);
void markDerivedSlot(AnalysisState& state, int y);

// The dew point, relative humidity and enthalpy of hour h of year slot y: the values kept by
// the last load while the hour holds the same data, otherwise computed now. Always exactly
// dewPoint(w, pt), relativeHumidity(ts, w, pt) and enthalpy(ts, w).
float hourDewPoint(const AnalysisState& state, int h, int y);
float hourRelativeHumidity(const AnalysisState& state, int h, int y);
float hourEnthalpy(const AnalysisState& state, int h, int y);

// Value of a range variable at hour index h of year slot y, in single precision (0 for None).
float rangeVariableValue(const AnalysisState& state, RangeVariable variable, int h, int y);

// Everything the selection pass reads besides the analysis state.
struct SelectionSettings {
    DataSource source = DataSource::Aemet;
    int intervalPreset = 0;  // item 0..12 of "Intervalo de tiempo estudiado"
    RangeCondition first{RangeVariable::None, RangeSense::Minimum, "0"};
    RangeCondition second{RangeVariable::None, RangeSense::Maximum, "0"};
    char decimalSeparator = '.';
    DayTypeTable dayTypeTable{};  // read by the user-defined preset (item 12), with the
                                  // schedules of AnalysisState::scheduleTable
};

// The selection pass: initValidMasks, applyRangeFilter, buildHourMask, in this order. A limit
// text that is not a number throws ConversionError after initValidMasks: the plot limits are
// at their reset values, rangeMask equals validMask and hourMask keeps the previous pass. An
// interval preset outside 0..12 throws UsageError before anything is written.
void runSelection(AnalysisState& state, const SelectionSettings& settings);

// validMask and rangeMask of all twelve year slots from the data (station data) or slot 1 alone
// (typical-year data).
void initValidMasks(AnalysisState& state, DataSource source);

// Resets the plot limits, converts both limit texts (throwing ConversionError with the text that
// is not a number, before anything else changes), then copies validMask into rangeMask for
// slots 1..nYears, widens the plot limits by every valid hour and clears the hours that fail
// an active condition. A limit beyond the range of a float counts as infinite.
void applyRangeFilter(AnalysisState& state, const SelectionSettings& settings);

// Writes every entry of hourMask from the interval preset: the fixed rules of items 0..10, the
// daylight rule at state.locationLatitude (11), or the schedule (state.scheduleTable) of each
// date's day type (12). Throws UsageError for another item.
void buildHourMask(AnalysisState& state, const SelectionSettings& settings);

}  // namespace climstat
