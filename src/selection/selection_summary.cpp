#include "selection/selection_summary.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/errors.h"
#include "core/number_text.h"
#include "selection/interval_presets.h"

namespace climstat {

namespace {

constexpr const char* kSeparator = " · ";

struct VariableName {
    const char* symbol;
    const char* unit;
};

VariableName variableName(RangeVariable variable) {
    switch (variable) {
        case RangeVariable::DryBulb:
            return {"Ts", "ºC"};
        case RangeVariable::WetBulb:
            return {"Th", "ºC"};
        case RangeVariable::DewPoint:
            return {"Tr", "ºC"};
        case RangeVariable::HumidityRatio:
            return {"W", "g/kg"};
        case RangeVariable::RelativeHumidity:
            return {"HR", "%"};
        case RangeVariable::Enthalpy:
            return {"h", "kJ/kg"};
        case RangeVariable::None:
            break;
    }
    return {"", ""};
}

// The shortest text that reads back as the same float, with the caller's separator.
std::string limitText(const std::string& text, char decimalSeparator) {
    float value = 0;
    try {
        value = static_cast<float>(parseDecimal(text, decimalSeparator));
    } catch (const ConversionError&) {
        return text;
    }
    if (!std::isfinite(value)) return text;
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string out(buffer, written.ptr);
    for (char& c : out) {
        if (c == '.') c = decimalSeparator;
    }
    return out;
}

}  // namespace

std::string intervalPresetDescription(int item) {
    // The item whose hours a ditto mark repeats, and the parenthesis that follows the mark.
    int base = item;
    if (item == 1) base = 0;
    if (item >= 3 && item <= 6) base = 2;
    if (item >= 8 && item <= 10) base = 7;
    const std::string caption = intervalPresetCaption(item);
    if (base == item) return caption;
    const std::string repeated = intervalPresetCaption(base);
    const std::string hours = repeated.substr(0, repeated.find(" ("));
    return hours + " " + caption.substr(caption.find('('));
}

std::string rangeConditionText(const RangeCondition& condition, char decimalSeparator) {
    if (condition.variable == RangeVariable::None) return {};
    const VariableName name = variableName(condition.variable);
    const char* relation = condition.sense == RangeSense::Minimum ? " ≥ " : " < ";
    return std::string(name.symbol) + relation + limitText(condition.limitText, decimalSeparator) +
           " " + name.unit;
}

SelectionSummary selectionSummary(const AnalysisState& state, const SelectionSettings& settings,
                                  SummaryScope scope, int yearSlot) {
    const int nYears = std::clamp(state.nYears, 0, kYearSlots);
    const bool oneYear = yearSlot >= 1 && yearSlot <= kYearSlots;
    const int first = oneYear ? yearSlot : 1;
    const int last = oneYear ? yearSlot : nYears;
    SelectionSummary summary;
    for (int y = first; y <= last; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (state.validMask[h][y] != 1.0f) continue;
            ++summary.withData;
            if (scope == SummaryScope::AllValidHours ||
                state.rangeMask[h][y] * state.hourMask[h] == 1.0f) {
                ++summary.counted;
            }
        }
    }
    std::string text = "Horas seleccionadas";
    if (oneYear && settings.source == DataSource::Aemet) {
        text += " en " + std::to_string(1996 + yearSlot);
    }
    text += ": " + std::to_string(summary.counted) + " de " + std::to_string(summary.withData);
    if (scope == SummaryScope::AllValidHours) {
        text += std::string(kSeparator) +
                "todas las horas con datos: esta página no aplica el intervalo ni los límites "
                "de variables";
    } else {
        text += kSeparator + intervalPresetDescription(settings.intervalPreset);
        for (const RangeCondition* condition : {&settings.first, &settings.second}) {
            const std::string limit = rangeConditionText(*condition, settings.decimalSeparator);
            if (!limit.empty()) text += kSeparator + limit;
        }
    }
    summary.text = std::move(text);
    return summary;
}

}  // namespace climstat
