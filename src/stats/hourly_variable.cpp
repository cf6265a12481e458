#include "stats/hourly_variable.h"

#include <array>
#include <string_view>

#include "core/errors.h"
#include "selection/selection.h"

namespace climstat {

HourlyVariable hourlyVariableFromItem(int item) {
    if (item < 0 || item >= kHourlyVariableCount) {
        throw UsageError("variable item " + std::to_string(item) + " is not one of 0..5");
    }
    return static_cast<HourlyVariable>(item);
}

float hourlyVariableValue(const AnalysisState& state, HourlyVariable variable, int h, int y) {
    // The pages list enthalpy before relative humidity, the range filter the other way round.
    static constexpr std::array<RangeVariable, kHourlyVariableCount> kAsRangeVariable = {
        RangeVariable::DryBulb,       RangeVariable::WetBulb,  RangeVariable::DewPoint,
        RangeVariable::HumidityRatio, RangeVariable::Enthalpy, RangeVariable::RelativeHumidity};
    const auto item = static_cast<std::size_t>(variable);
    if (item >= kAsRangeVariable.size()) return 0.0f;
    return rangeVariableValue(state, kAsRangeVariable[item], h, y);
}

std::string hourlyVariableAxisTitle(HourlyVariable variable) {
    static constexpr std::array<std::string_view, kHourlyVariableCount> kTitles = {
        "Temperatura seca ºC",         "Temperatura húmeda ºC", "Temperatura rocío ºC",
        "Humedad específica g/kg as)", "Entalpía kJ/kgasºC",    "Humedad relativa %"};
    return std::string(kTitles[static_cast<std::size_t>(variable)]);
}

}  // namespace climstat
