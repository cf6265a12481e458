#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "data/station_file.h"

namespace climstat {

// A line of hourly records that could not be used, and why.
struct StationRecordError {
    long line = 0;  // 1-based line number
    std::string reason;
};

// Hourly records of a station of the user's own, ready to be written as the station's two files.
struct StationRecords {
    std::vector<StationDay> temperature;  // one record per day given, tenths of a degree
    std::vector<StationDay> humidity;     // the same days, whole percent
    std::vector<StationRecordError> errors;
    long temperatureHours = 0;  // hours given with a temperature
    long humidityHours = 0;     // hours given with a relative humidity
    int firstYear = 0;          // 0 when no line was read
    int lastYear = 0;
};

// Reads lines "YYYY-MM-DD;HH;T;RH": a date of 1997..2008, the hour of the day 1..24, the dry
// bulb in degC (above -90 and below 90) and the relative humidity in % (0..100); an empty field
// is a missing value. Numbers may use a point or `decimalSeparator`; blanks around fields and
// empty lines are ignored. Temperatures are kept in tenths and humidities in whole percent,
// rounded half away from zero. Hours of a day that no line gives are MISSING_RAW in both files;
// 29 February is kept as the records of that date (readers drop it). Every line that cannot be
// used is listed in `errors` with its number: wrong field count, a date or hour that is not one,
// a year outside 1997..2008, a value that is not a number or out of range, an hour given twice.
StationRecords readStationRecords(std::istream& in, char decimalSeparator);

}  // namespace climstat
