#include "selection/selection.h"

#include <bit>
#include <cstdint>

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/calendar.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "psychro/humid_air.h"
#include "selection/interval_presets.h"

namespace climstat {

namespace {

int slotsInUse(const AnalysisState& state) {
    return std::clamp(state.nYears, 0, kYearSlots);
}

// A limit text as a single-precision float. A number beyond the range of a float is taken as
// the infinity of its sign: converting it would be undefined, and as a bound it means "no
// bound" on that side anyway.
float convertLimit(const std::string& text, char decimalSeparator) {
    const double value = parseDecimal(text, decimalSeparator);
    if (value > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
    if (value < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// Whether a value fails a condition: below a lower bound, or at or above an upper bound.
bool fails(float value, RangeSense sense, float limit) {
    return sense == RangeSense::Minimum ? value < limit : value >= limit;
}

bool knownVariable(RangeVariable variable) {
    const int item = static_cast<int>(variable);
    return item >= 1 && item <= 6;
}

}  // namespace

namespace {

bool same(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// The derived values of the hour were computed from its present w (and pt).
bool derivedFromW(const AnalysisState& state, int h, int y) {
    const DerivedHours& d = state.derived;
    const auto slot = static_cast<std::size_t>(y);
    return d.filled[slot] && same(d.fromPt[slot], state.pt) && same(d.fromW[h][y], state.w[h][y]);
}

bool derivedFromTsAndW(const AnalysisState& state, int h, int y) {
    return derivedFromW(state, h, y) && same(state.derived.fromTs[h][y], state.ts[h][y]);
}

}  // namespace

void setDerivedHour(AnalysisState& state, int h, int y, float dewPoint) {
    DerivedHours& d = state.derived;
    const float ts = state.ts[h][y];
    const float w = state.w[h][y];
    d.dewPoint[h][y] = dewPoint;
    d.relativeHumidity[h][y] = psychro::relativeHumidity(ts, w, state.pt);
    d.enthalpy[h][y] = psychro::enthalpy(ts, w);
    d.fromTs[h][y] = ts;
    d.fromW[h][y] = w;
}

void markDerivedSlot(AnalysisState& state, int y) {
    const auto slot = static_cast<std::size_t>(y);
    state.derived.fromPt[slot] = state.pt;
    state.derived.filled[slot] = true;
}

void computeDerivedHours(AnalysisState& state, int firstSlot, int lastSlot) {
    for (int y = firstSlot; y <= lastSlot; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            setDerivedHour(state, h, y, psychro::dewPoint(state.w[h][y], state.pt));
        }
        markDerivedSlot(state, y);
    }
}

float hourDewPoint(const AnalysisState& state, int h, int y) {
    if (derivedFromW(state, h, y)) return state.derived.dewPoint[h][y];
    return psychro::dewPoint(state.w[h][y], state.pt);
}

float hourRelativeHumidity(const AnalysisState& state, int h, int y) {
    if (derivedFromTsAndW(state, h, y)) return state.derived.relativeHumidity[h][y];
    return psychro::relativeHumidity(state.ts[h][y], state.w[h][y], state.pt);
}

float hourEnthalpy(const AnalysisState& state, int h, int y) {
    if (derivedFromTsAndW(state, h, y)) return state.derived.enthalpy[h][y];
    return psychro::enthalpy(state.ts[h][y], state.w[h][y]);
}

float rangeVariableValue(const AnalysisState& state, RangeVariable variable, int h, int y) {
    const float ts = state.ts[h][y];
    const float w = state.w[h][y];
    switch (variable) {
        case RangeVariable::DryBulb:
            return ts;
        case RangeVariable::WetBulb:
            return state.tw[h][y];
        case RangeVariable::DewPoint:
            return hourDewPoint(state, h, y);
        case RangeVariable::HumidityRatio:
            return 1000.0f * w;
        case RangeVariable::RelativeHumidity:
            return hourRelativeHumidity(state, h, y);
        case RangeVariable::Enthalpy:
            return hourEnthalpy(state, h, y);
        case RangeVariable::None:
            break;
    }
    return 0.0f;
}

void initValidMasks(AnalysisState& state, DataSource source) {
    const bool typicalYear = isTypicalYearSource(source);
    for (int h = 1; h <= kHoursPerYear; ++h) {
        float* valid = state.validMask[h];
        float* range = state.rangeMask[h];
        const float* ts = state.ts[h];
        const float* w = state.w[h];
        for (int y = 1; y <= kYearSlots; ++y) {
            float mask;
            if (typicalYear) {
                // Typical-year files are taken as they are: slot 1 only, no value tested.
                mask = y == 1 ? 1.0f : 0.0f;
            } else {
                // Above 90 degC is the no-data marker, and a NaN temperature is no data either.
                // Exactly zero temperature and humidity is the empty record of slot 12, which
                // no load writes; in a loaded slot it is a reading of 0 degC and 0 %.
                const bool empty = y == kYearSlots && ts[y] == 0.0f && w[y] == 0.0f;
                const bool invalid = !(ts[y] <= 90.0f) || empty;
                mask = invalid ? 0.0f : 1.0f;
            }
            valid[y] = mask;
            range[y] = mask;
        }
    }
}

void applyRangeFilter(AnalysisState& state, const SelectionSettings& settings) {
    state.plotTsMin = 50.0f;
    state.plotTsMax = -50.0f;
    state.plotWMin = 50.0f;
    state.plotWMax = 0.0f;

    // Both texts are converted on every pass, whether a variable is chosen or not.
    const float limit1 = convertLimit(settings.first.limitText, settings.decimalSeparator);
    const float limit2 = convertLimit(settings.second.limitText, settings.decimalSeparator);
    const bool useFirst = knownVariable(settings.first.variable);
    const bool useSecond = knownVariable(settings.second.variable);

    const int years = slotsInUse(state);
    for (int y = 1; y <= years; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const float valid = state.validMask[h][y];
            state.rangeMask[h][y] = valid;
            if (!(valid > 0.0f)) continue;
            const float ts = state.ts[h][y];
            const float w = state.w[h][y];
            if (ts < state.plotTsMin) state.plotTsMin = ts;
            if (ts > state.plotTsMax) state.plotTsMax = ts;
            if (w < state.plotWMin) state.plotWMin = w;
            if (w > state.plotWMax) state.plotWMax = w;
            if (useFirst && fails(rangeVariableValue(state, settings.first.variable, h, y),
                                  settings.first.sense, limit1)) {
                state.rangeMask[h][y] = 0.0f;
            }
            if (useSecond && fails(rangeVariableValue(state, settings.second.variable, h, y),
                                   settings.second.sense, limit2)) {
                state.rangeMask[h][y] = 0.0f;
            }
        }
    }
}

void buildHourMask(AnalysisState& state, const SelectionSettings& settings) {
    const int preset = settings.intervalPreset;
    if (preset < 0 || preset >= kIntervalPresetCount) {
        throw UsageError("interval preset " + std::to_string(preset) + " is not one of 0..12");
    }
    if (preset == kDaylightPreset) {
        for (int n = 1; n <= kDaysPerYear; ++n) {
            const SunDay sun(n, state.locationLatitude);
            for (int j = 1; j <= 24; ++j) {
                // The altitude is above zero exactly when its sine is.
                state.hourMask[static_cast<std::size_t>(24 * (n - 1) + j)] =
                    sun.sineOfAltitude(j) > 0.0 ? 1.0f : 0.0f;
            }
        }
        return;
    }
    if (preset == kUserDefinedPreset) {
        for (int n = 1; n <= kDaysPerYear; ++n) {
            int type = settings.dayTypeTable[static_cast<std::size_t>(dateSlot(n))];
            // 0 (never assigned) counts as type 1, and so does anything that is not a type.
            if (type < 1 || type > kDayTypes) type = 1;
            for (int j = 1; j <= 24; ++j) {
                state.hourMask[static_cast<std::size_t>(24 * (n - 1) + j)] =
                    type == kDayTypes ? 0.0f
                                      : state.scheduleTable[static_cast<std::size_t>(j)][type];
            }
        }
        return;
    }
    for (int n = 1; n <= kDaysPerYear; ++n) {
        const int first = 24 * (n - 1) + 1;
        const int month = monthOfHour(static_cast<float>(first));
        const int weekday = weekdayOfHour(static_cast<float>(first));
        for (int j = 1; j <= 24; ++j) {
            state.hourMask[static_cast<std::size_t>(first + j - 1)] =
                fixedPresetRule(preset, month, weekday, j) ? 1.0f : 0.0f;
        }
    }
}

void runSelection(AnalysisState& state, const SelectionSettings& settings) {
    if (settings.intervalPreset < 0 || settings.intervalPreset >= kIntervalPresetCount) {
        throw UsageError("interval preset " + std::to_string(settings.intervalPreset) +
                         " is not one of 0..12");
    }
    initValidMasks(state, settings.source);
    applyRangeFilter(state, settings);
    buildHourMask(state, settings);
}

}  // namespace climstat
