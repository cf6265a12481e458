#pragma once

// Data sets for the benchmarks, built from the real typical-year files beside the repository.

#include <array>
#include <memory>
#include <string>

#include "core/analysis_state.h"
#include "data/met_file.h"
#include "data/typical_year.h"
#include "psychro/humid_air.h"
#include "selection/selection.h"

namespace climstat::bench {

inline std::string databaseDir() {
    return std::string(CLIMSTAT_TEST_DATA_DIR) + "/database";
}

// One typical year (D3_peninsula) loaded as the program loads it.
inline std::unique_ptr<AnalysisState> typicalYearState() {
    auto state = std::make_unique<AnalysisState>();
    state->locationCityName =
        loadTypicalYear(*state, "D3_peninsula", DataSource::Cte2013, databaseDir());
    return state;
}

// Eleven years of station-like data: year slot y holds the hours of the y-th peninsular zone file
// of the 2013 list, at the pressure of 667 m, with wet bulbs computed; the rest of slot 12 stays
// empty as after a station load.
inline std::unique_ptr<AnalysisState> elevenYearState() {
    static constexpr std::array<const char*, kStationYears> kZones = {
        "A3_peninsula", "A4_peninsula", "B3_peninsula", "B4_peninsula",
        "C1_peninsula", "C2_peninsula", "C3_peninsula", "C4_peninsula",
        "D1_peninsula", "D2_peninsula", "D3_peninsula"};
    auto state = std::make_unique<AnalysisState>();
    state->pt = psychro::pressureAtAltitude(667.0f);
    state->locationAltitudeText = "667";
    for (int y = 1; y <= kStationYears; ++y) {
        const MetFileData file = readMetFile(
            typicalYearFilePath(databaseDir(), kZones[static_cast<std::size_t>(y - 1)]));
        for (int h = 1; h <= kHoursPerYear; ++h) {
            state->ts[h][y] = file.ts[h];
            state->w[h][y] = file.w[h];
            state->tw[h][y] = psychro::wetBulb(file.ts[h], file.w[h], state->pt);
        }
    }
    state->nYears = kStationYears;
    // What a station load keeps beside the data.
    computeDerivedHours(*state, 1, kStationYears);
    state->firstValidYear = 1;
    state->lastValidYear = kStationYears;
    state->nValidT = kStationYears * kHoursPerYear;
    state->nValidH = kStationYears * kHoursPerYear;
    state->locationLatitude = 40.68f;
    return state;
}

}  // namespace climstat::bench
