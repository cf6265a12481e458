#pragma once

// Analysis states for the tests of the result pages, with the masks set directly the way a
// selection pass with the whole year and no variable filter leaves them.

#include <algorithm>
#include <memory>
#include <string>

#include "core/analysis_state.h"
#include "data/typical_year.h"
#include "psychro/humid_air.h"

namespace climstat::test {

// Every hour of the year in the interval; plot limits of the valid hours of slots 1..nYears.
inline void selectWholeYear(AnalysisState& state) {
    state.hourMask.fill(1.0f);
    state.hourMask[0] = 0.0f;
    state.plotTsMin = 50.0f;
    state.plotTsMax = -50.0f;
    state.plotWMin = 50.0f;
    state.plotWMax = 0.0f;
    for (int y = 1; y <= state.nYears; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (state.validMask[h][y] != 1.0f) continue;
            state.plotTsMin = std::min(state.plotTsMin, state.ts[h][y]);
            state.plotTsMax = std::max(state.plotTsMax, state.ts[h][y]);
            state.plotWMin = std::min(state.plotWMin, state.w[h][y]);
            state.plotWMax = std::max(state.plotWMax, state.w[h][y]);
        }
    }
}

// A real 2013 typical-year file loaded into slot 1 with the whole year selected.
inline std::unique_ptr<AnalysisState> realTypicalYear(const std::string& databaseDir,
                                                      const std::string& name = "D3_peninsula") {
    auto state = std::make_unique<AnalysisState>();
    state->locationCityName = loadTypicalYear(*state, name, DataSource::Cte2013, databaseDir);
    state->typicalYearIndex = 1;
    selectWholeYear(*state);
    return state;
}

// Synthetic station-like data in slots 1..years: every hour valid, ts and w from the functions
// given, wet bulb computed, at sea-level pressure unless pt is set before.
template <typename Ts, typename W>
std::unique_ptr<AnalysisState> syntheticYears(int years, Ts ts, W w) {
    auto state = std::make_unique<AnalysisState>();
    state->pt = 101325.0f;
    state->nYears = years;
    for (int y = 1; y <= years; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            state->ts[h][y] = ts(h, y);
            state->w[h][y] = w(h, y);
            state->tw[h][y] = psychro::wetBulb(state->ts[h][y], state->w[h][y], state->pt);
            state->validMask[h][y] = 1.0f;
            state->rangeMask[h][y] = 1.0f;
        }
    }
    selectWholeYear(*state);
    return state;
}

}  // namespace climstat::test
