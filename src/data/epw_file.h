#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"

namespace climstat {

// The LOCATION line of an EPW weather file.
struct EpwLocation {
    std::string city;
    std::string region;  // state, province or region
    std::string country;
    std::string source;    // "TMY3", "IWEC", "TMYx", ...
    std::string wmo;       // station number, as written
    double latitude = 0;   // decimal degrees, north positive
    double longitude = 0;  // decimal degrees, east positive
    double timeZone = 0;   // hours from UTC of the records' standard time
    double elevation = 0;  // metres
};

// The design conditions the file carries (its DESIGN CONDITIONS line, usually from the ASHRAE
// handbook): the heating dry bulbs at 99.6 % and 99 %, the cooling dry bulbs at 0.4 %, 1 % and
// 2 % with their mean coincident wet bulbs. Each is empty when the line does not give it.
struct EpwDesignConditions {
    std::string source;  // "Climate Design Data 2009 ASHRAE Handbook"; empty without the line
    std::optional<float> heating996;
    std::optional<float> heating990;
    std::optional<float> cooling004;
    std::optional<float> coolingWetBulb004;
    std::optional<float> cooling010;
    std::optional<float> coolingWetBulb010;
    std::optional<float> cooling020;
    std::optional<float> coolingWetBulb020;
};

// One run of records through the calendar: the hours of one year by hour index 1..8760 (index
// 0 unused). A value the file marks as missing, or gives out of its range, is NaN.
struct EpwYear {
    int year = 0;                 // the records' year field; 0 when it changes within the run
    long firstLine = 0;           // line of the run's first record
    long records = 0;             // records placed (29 February left out)
    std::vector<float> dryBulb;   // degC (field 7)
    std::vector<float> dewPoint;  // degC (field 8)
    std::vector<float> relativeHumidity;  // % (field 9)
    std::vector<float> pressure;          // station pressure, Pa (field 10)
};

// One EPW file as read.
struct EpwFile {
    std::string path;
    EpwLocation location;
    EpwDesignConditions design;
    std::vector<EpwYear> years;  // runs in the order of the file
    long leapDayRecords = 0;     // records of 29 February, left out
    long unreadableValues = 0;   // value fields that are not numbers, taken as missing
    long firstUnreadableLine = 0;
};

// Reads an EPW file: the header lines (LOCATION first, then DESIGN CONDITIONS, DATA PERIODS
// and the others, up to the first record) and the hourly records, "year,month,day,hour,minute,
// flags,dry bulb,dew point,relative humidity,station pressure,...". The hour 1..24 is the hour
// ending at that clock time in local standard time, so hour h of day d is hour index
// 24 (d - 1) + h. A dry bulb or dew point of 99.9 or more (or outside -70..70 degC), a relative
// humidity of 999 (outside 0..110 %) and a pressure of 999999 (outside 31000..120000 Pa) are
// missing; so is a value field that is not a number (counted). Records of 29 February are left
// out (counted).
// Years: the records are cut into runs, a run going on while each record comes later in the
// calendar (month, day, hour) than the one before; a record at or before its predecessor starts
// the next run. A typical-year file (TMY3, TMYx, IWEC...) is one run whose year field changes
// from month to month; a file of actual years has one run per year.
// Throws DataFileError naming the file (and the line) when it cannot be read, is not an EPW
// file, has a record with fewer than 10 fields or a date or hour that is not one, holds more
// than one record per hour (DATA PERIODS), holds more than 12 runs or a line longer than
// 64 KiB, or holds no record; files larger than 64 MB, folders, pipes and devices are refused
// before they are read.
EpwFile readEpwFile(const std::string& path);

// The same from the text of a file (the path only names it in messages).
EpwFile readEpwText(std::string_view text, const std::string& path);

// The years of one location, from one file or several.
struct EpwLocationData {
    std::vector<std::string> paths;
    EpwLocation location;        // of the first file
    EpwDesignConditions design;  // of the first file that has them
    bool typicalYear = false;    // one run in all: the typical-year path
    std::vector<EpwYear> years;  // one when typicalYear, else sorted by year
    long leapDayRecords = 0;
    long unreadableValues = 0;
    std::string firstUnreadablePath;  // the file and line of the first of them
    long firstUnreadableLine = 0;
};

// Puts the files of one location together. One run in all is a typical year (whatever its year
// fields say). Several runs are actual years, each under the one year its records carry, sorted
// by year, at most 12. Throws DataFileError naming the files when they describe different
// locations (neither the same WMO number nor coordinates within 0.01 degrees), when a year is
// given twice, when a run of several is a typical year (its year changes within it) or when
// there are more than 12 years (each with its own ErrorKind); UsageError without a file.
EpwLocationData combineEpwFiles(std::vector<EpwFile> files);

// What loading the years into the analysis state found.
struct EpwLoadCounts {
    long hours = 0;                 // hours placed in the year slots
    long hoursWithData = 0;         // with a dry bulb and a humidity (dew point or RH)
    long humidityFromRh = 0;        // humidity ratio from the relative humidity (no dew point)
    long hoursWithoutHumidity = 0;  // dry bulb without dew point and RH: no data
};

// Loads the years into the analysis state: year slot y holds the y-th year (slot 1 for a
// typical year), with its calendar year in slotYear (0 for a typical year); nYears is the
// number of years. pt is the pressure of the location's elevation; the humidity ratio comes
// from the dew point at that pressure, or from the relative humidity where the dew point is
// missing, lowered to 99.5 % where it exceeds 100 %; the wet bulb follows. An hour without a
// dry bulb or without both humidities is no data (999 in ts, w and tw), and so are the slots
// above nYears. Sets the location texts (city, region and country, WMO, coordinates,
// elevation), selectedLocation, typicalYearIndex (0 for a typical year, -1 for actual years),
// firstValidYear, lastValidYear, nValidT, nValidH, the plot limits and the validity masks.
// Throws DataFileError, before anything changes, for an elevation outside -1000..10000 m.
EpwLoadCounts loadEpwLocation(AnalysisState& state, const EpwLocationData& data);

}  // namespace climstat
