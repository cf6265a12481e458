#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "core/errors.h"
#include "data/station_file.h"

namespace climstat {

// A line of hourly records that could not be used, and why (the kind and its fields).
struct StationRecordError {
    long line = 0;  // 1-based line number
    Problem problem;
    std::string reason() const { return englishReason(problem); }
};

// Lines that cannot be used are all counted, but only the first ones are kept with their
// reasons: a file of millions of bad lines must not take gigabytes to say so.
inline constexpr std::size_t kKeptRecordErrors = 100;

// Hourly records of a station of the user's own, ready to be written as the station's two files.
struct StationRecords {
    std::vector<StationDay> temperature;     // one record per day given, tenths of a degree
    std::vector<StationDay> humidity;        // the same days, whole percent
    std::vector<StationRecordError> errors;  // the first kKeptRecordErrors lines not used
    long errorCount = 0;                     // every line not used
    // For each day, the line that gave each of its hours (0: none), to tell hours given twice
    // when the records of several files are put together.
    std::vector<std::array<long, 24>> hourLines;
    long temperatureHours = 0;  // hours given with a temperature (29 February not counted)
    long humidityHours = 0;     // hours given with a relative humidity (29 February not counted)
    long stationYearTemperatureHours = 0;  // of those with a temperature, the ones of 1997..2007
    long leapDayHours = 0;                 // hours of 29 February given, which no load reads
    bool crOnlyLineEnds = false;           // lines are ended by CR alone: the file cannot be split
    int firstYear = 0;                     // 0 when no line was read
    int lastYear = 0;
};

// The dry bulbs a station load accepts, in the tenths of a degree the files keep (-90..70 degC).
inline constexpr std::int32_t kLowestRecordTenths = -900;
inline constexpr std::int32_t kHighestRecordTenths = 700;

// The hours of one day as records give them, hour h at index h - 1.
struct RecordDay {
    std::array<std::int32_t, 24> t;  // tenths of a degree, MISSING_RAW when not given
    std::array<std::int32_t, 24> h;  // whole percent, MISSING_RAW when not given
    std::array<long, 24> line{};     // line that gave the hour, 0 when none
    RecordDay() {
        t.fill(MISSING_RAW);
        h.fill(MISSING_RAW);
    }
};

// Appends days keyed yyyymmdd (in their order) to `records`: their temperature, humidity and
// line records, the hours they count (29 February apart) and the first and last years.
void appendRecordDays(StationRecords& records, const std::map<int, RecordDay>& days);

// Reads lines "YYYY-MM-DD;HH;T;RH": a date of 1997..2008, the hour of the day 1..24, the dry
// bulb in degC (-90..70, the range a station load accepts, after rounding to tenths) and the
// relative humidity in % (0..100); an empty field is a missing value. Numbers may use a point
// or `decimalSeparator`; blanks around fields, empty lines and a UTF-8 byte-order mark at the
// start are ignored. Temperatures are kept in tenths and humidities in whole percent, rounded
// half away from zero. Hours of a day that no line gives are MISSING_RAW in both files;
// 29 February is kept as the records of that date, as the files carry it, but its hours are
// counted apart (leapDayHours): loads drop them. Every line that cannot be used is counted in
// `errorCount`, and the first ones are listed in `errors` with their numbers: wrong field
// count, a date or hour that is not one, a year outside 1997..2008, a value that is not a
// number or out of range, an hour given twice.
StationRecords readStationRecords(std::istream& in, char decimalSeparator);

}  // namespace climstat
