#include "stats/hourly_variable.h"

#include <array>
#include <string_view>

#include "core/errors.h"
#include "psychro/humid_air.h"

namespace climstat {

HourlyVariable hourlyVariableFromItem(int item) {
    if (item < 0 || item >= kHourlyVariableCount) {
        throw UsageError("variable item " + std::to_string(item) + " is not one of 0..5");
    }
    return static_cast<HourlyVariable>(item);
}

float hourlyVariableValue(const AnalysisState& state, HourlyVariable variable, int h, int y) {
    const float t = state.ts[h][y];
    const float w = state.w[h][y];
    switch (variable) {
        case HourlyVariable::DryBulb:
            return t;
        case HourlyVariable::WetBulb:
            return state.tw[h][y];
        case HourlyVariable::DewPoint:
            return psychro::dewPoint(w, state.pt);
        case HourlyVariable::HumidityRatio:
            return w * 1000.0f;
        case HourlyVariable::Enthalpy:
            return psychro::enthalpy(t, w);
        case HourlyVariable::RelativeHumidity:
            return psychro::relativeHumidity(t, w, state.pt);
    }
    return 0.0f;
}

std::string hourlyVariableAxisTitle(HourlyVariable variable) {
    static constexpr std::array<std::string_view, kHourlyVariableCount> kTitles = {
        "Temperatura seca ºC",         "Temperatura húmeda ºC", "Temperatura rocío ºC",
        "Humedad específica g/kg as)", "Entalpía kJ/kgasºC",    "Humedad relativa %"};
    return std::string(kTitles[static_cast<std::size_t>(variable)]);
}

}  // namespace climstat
