#pragma once

// Builders of station files for tests and benchmarks. Everything here uses the engine's own
// writer, so the files are exactly what the reader expects; no test framework is needed.

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "data/met_file.h"
#include "data/station_file.h"
#include "data/typical_year.h"
#include "psychro/humid_air.h"

namespace climstat::test {

// A record of one day whose 24 hours all hold `value`.
inline StationDay constantDay(int year, int month, int day, std::int32_t value) {
    StationDay record{year, month, day, {}};
    record.values.fill(value);
    return record;
}

// Records of every day from (year, month, day) on for `count` days of the 365-day calendar
// (29 February is never produced), each hour holding value(year, month, day, hour 1..24).
template <typename ValueOf>
std::vector<StationDay> consecutiveDays(int year, int month, int day, int count, ValueOf valueOf) {
    std::vector<StationDay> days;
    for (int i = 0; i < count; ++i) {
        StationDay record{year, month, day, {}};
        for (int k = 0; k < 24; ++k)
            record.values[static_cast<std::size_t>(k)] = valueOf(year, month, day, k + 1);
        days.push_back(record);
        if (++day > daysInMonth365(month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    return days;
}

// Writes the two files of station `code` into a data folder, creating the folder.
inline void writeStation(const std::string& folder, const std::string& code,
                         const std::vector<StationDay>& temperature,
                         const std::vector<StationDay>& humidity) {
    std::filesystem::create_directories(folder);
    writeStationFile(stationFilePath(folder, "T", code), "T", temperature, code);
    writeStationFile(stationFilePath(folder, "H", code), "H", humidity, code);
}

// The peninsular zone files of the 2013 list that make the eleven years 1997..2007.
inline constexpr std::array<const char*, kStationYears> kElevenZones = {
    "A3_peninsula", "A4_peninsula", "B3_peninsula", "B4_peninsula", "C1_peninsula", "C2_peninsula",
    "C3_peninsula", "C4_peninsula", "D1_peninsula", "D2_peninsula", "D3_peninsula"};

// The altitude the peninsular zone files give for their data.
inline constexpr float kZoneAltitude = 667.0f;

// Hourly tables of an eleven-year station made of real hourly data: year 1997 + k holds the
// k-th zone file of kElevenZones, the temperature in tenths of a degree and the relative
// humidity in whole percent computed from the file's humidity ratio at the pressure of its
// altitude. Reads the files from `databaseDir`; throws DataFileError when one is missing.
struct StationTables {
    HourlyTable temperature = makeHourlyTable();
    HourlyTable humidity = makeHourlyTable();
};

inline StationTables elevenYearTables(const std::string& databaseDir) {
    StationTables tables;
    const float pt = psychro::pressureAtAltitude(kZoneAltitude);
    for (int k = 0; k < kStationYears; ++k) {
        const MetFileData file = readMetFile(
            typicalYearFilePath(databaseDir, kElevenZones[static_cast<std::size_t>(k)]));
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const auto row = static_cast<std::size_t>(k);
            const auto column = static_cast<std::size_t>(h - 1);
            tables.temperature[row][column] =
                static_cast<std::int32_t>(std::lround(static_cast<double>(file.ts[h]) * 10.0));
            tables.humidity[row][column] = static_cast<std::int32_t>(
                std::lround(psychro::relativeHumidity(file.ts[h], file.w[h], pt)));
        }
    }
    return tables;
}

// Writes the eleven-year station into a data folder under `code`.
inline void writeElevenYearStation(const std::string& databaseDir, const std::string& folder,
                                   const std::string& code) {
    const StationTables tables = elevenYearTables(databaseDir);
    writeStation(folder, code, stationDaysFromTable(tables.temperature),
                 stationDaysFromTable(tables.humidity));
}

}  // namespace climstat::test
