#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "data/station_catalogue.h"

namespace climstat {

// ISD-Lite: the fixed-width hourly text of the public archive of the world's weather stations,
// one file per station and year (named USAF-WBAN-YEAR, often gzip-compressed). Each line holds
// twelve whole numbers: year, month, day, hour (UTC, 0..23), air temperature and dew point in
// tenths of a degree C, sea-level pressure, wind direction and speed, sky cover and two
// precipitation depths; -9999 is a missing value.
inline constexpr int kIsdMissing = -9999;

// One observation of a file, in UTC.
struct IsdLiteObservation {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;                   // UTC clock hour 0..23
    int temperature = kIsdMissing;  // tenths of a degree C, kIsdMissing when missing
    int dewPoint = kIsdMissing;     // tenths of a degree C
    long line = 0;
};

struct IsdLiteFile {
    std::string path;
    std::vector<IsdLiteObservation> observations;  // in the order of the file
    std::vector<Problem> problems;  // lines that are not ISD-Lite (left out), the first 100
    long badLines = 0;              // all of them
    long lines = 0;                 // lines of the file
};

// Whether the first line of a text that is not blank is an ISD-Lite line.
bool looksLikeIsdLite(std::string_view text);

// Reads the lines of an ISD-Lite text. A line that is not one (another number of fields, a
// field that is not a whole number, a date or hour that is not one, more than 256 characters)
// is left out and listed (ErrorKind::IsdNotALine with its line). A temperature or dew point
// outside -90..70 degC (the range of a station load) is taken as missing.
IsdLiteFile readIsdLiteText(std::string_view text, const std::string& path);

// The text of an input file, unpacked when it is gzip data (`packed` then true). Either way it
// is never more than 64 MB. Throws DataFileError naming the file (ChangedWhileRead when it
// changed while it was read).
std::string readPackedOrPlainFile(const std::string& path, bool* packed = nullptr);

// The local standard time of an observation, as hourly records count it: the observation at UTC
// clock hour u of day D is local clock hour u + offset, and local clock hour 0 is hour 24 of
// the day before.
struct LocalHour {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;  // 1..24, the hour ending at that clock time
};
LocalHour localHourOf(const IsdLiteObservation& observation, int utcOffsetHours);

// Hours from UTC of a catalogue station's local standard time: 0 on the Canary Islands (the
// provinces of Las Palmas and Santa Cruz de Tenerife), +1 elsewhere (the peninsula, the
// Balearic Islands, Ceuta and Melilla).
int defaultUtcOffset(const StationRecord& station);

// Relative humidity in whole percent from a dry bulb and a dew point in tenths of a degree, with
// the saturation pressures of the humid-air functions, rounded half away from zero and kept
// within 0..100 (a dew point a little above the dry bulb is saturation); empty when either is
// missing.
std::optional<int> relativeHumidityPercent(int temperatureTenths, int dewPointTenths);

}  // namespace climstat
