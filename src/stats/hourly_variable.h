#pragma once

#include <string>

#include "core/analysis_state.h"

namespace climstat {

// The six humid-air variables the hourly-average and hourly-value pages offer, by item of their
// "Variable a representar" / "Variable representada" selectors.
enum class HourlyVariable {
    DryBulb = 0,           // ts, degC
    WetBulb = 1,           // stored tw, degC
    DewPoint = 2,          // dewPoint(w, pt), degC
    HumidityRatio = 3,     // 1000 w, g/kg
    Enthalpy = 4,          // enthalpy(ts, w), kJ/kg
    RelativeHumidity = 5,  // relativeHumidity(ts, w, pt), %, not clamped
};
inline constexpr int kHourlyVariableCount = 6;

// The variable of a selector item; throws UsageError for an item outside 0..5.
HourlyVariable hourlyVariableFromItem(int item);

// Value of the variable at hour index h of year slot y, in single precision.
float hourlyVariableValue(const AnalysisState& state, HourlyVariable variable, int h, int y);

// Left-axis title of the charts that plot the variable ("Temperatura seca ºC", ...).
std::string hourlyVariableAxisTitle(HourlyVariable variable);

// True when hour h of year slot y is selected: rangeMask x hourMask equals 1.
inline bool hourSelected(const AnalysisState& state, int h, int y) {
    return state.rangeMask[h][y] * state.hourMask[static_cast<std::size_t>(h)] == 1.0f;
}

}  // namespace climstat
