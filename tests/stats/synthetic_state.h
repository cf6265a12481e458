#pragma once

#include <functional>
#include <memory>

#include "core/analysis_state.h"
#include "core/calendar.h"
#include "psychro/humid_air.h"
#include "selection/selection.h"

namespace climstat::test {

// A location of `years` station-like year slots (station data, so the validity rule applies:
// a dry bulb of 999 is no data) with the dry bulb given per slot and hour, a humidity ratio of
// 0.006 and the wet bulb computed at sea level.
inline std::unique_ptr<AnalysisState> stationState(
    int years, const std::function<float(int h, int y)>& dryBulb, float w = 0.006f) {
    auto state = std::make_unique<AnalysisState>();
    state->pt = psychro::pressureAtAltitude(0.0f);
    state->nYears = years;
    state->firstValidYear = 1;
    state->lastValidYear = years;
    for (int y = 1; y <= years; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const float t = dryBulb(h, y);
            state->ts[h][y] = t;
            state->w[h][y] = w;
            state->tw[h][y] = t > 90.0f ? t : psychro::wetBulb(t, w, state->pt);
        }
    }
    return state;
}

// Selection of the whole year without conditions, for station data.
inline SelectionSettings wholeYear(DataSource source = DataSource::Aemet) {
    SelectionSettings settings;
    settings.source = source;
    return settings;
}

// First hour index of month m (1..12) of the 365-day year.
inline int firstHourOfMonth(int m) {
    return kDaysBeforeMonth[m] * 24 + 1;
}

}  // namespace climstat::test
