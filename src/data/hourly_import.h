#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "data/station_catalogue.h"
#include "data/station_import.h"

namespace climstat {

struct HourlyImportOptions {
    char decimalSeparator = '.';  // of the `;` records besides the point
    // Hours from UTC of the station's local standard time, for ISD-Lite files; without it, the
    // station's region decides (defaultUtcOffset).
    std::optional<int> utcOffsetHours;
};

// One file of an import, as it was told apart by its content.
struct HourlyImportFile {
    std::string path;
    bool isdLite = false;  // ISD-Lite; otherwise `;` records
    bool packed = false;   // gzip data
    long hours = 0;        // hours it gave to the station
};

// A line of a records file that cannot be used.
struct HourlyLineError {
    std::string path;
    long line = 0;
    Problem problem;  // worded without the file and the line (englishReason, spanishReason)
};

struct HourlyImport {
    // The hours of every file together and what was written; station.refusal says why
    // nothing was written: lines of a records file that cannot be used (RecordsUnusableLines,
    // the lines in lineErrors), a file that is neither kind (ImportNotHourlyFile), an
    // ISD-Lite file without one usable line (IsdNoObservation), or hours that no load could
    // use (the rules of importRefusal).
    StationImport station;
    std::vector<HourlyImportFile> files;
    std::vector<HourlyLineError> lineErrors;  // the first kKeptRecordErrors of every file
    long lineErrorCount = 0;
    // Lines left out, each with its file and line: ISD-Lite lines that are not ones, local
    // hours outside 1997..2008, hours given before (the first one given stays).
    std::vector<Problem> notes;
    int utcOffsetHours = 0;  // the offset the ISD-Lite hours were moved by
};

// Reads hourly files of one station, each told apart by its content (plain or gzip): ISD-Lite
// of the public archive, whose UTC hours are moved to local standard time and whose relative
// humidity comes from the dry bulb and the dew point (relativeHumidityPercent), or `;` records
// YYYY-MM-DD;HH;T;RH, read as readStationRecords reads them. Their hours are put together and,
// unless a refusal says otherwise, written as the station's two files into `folder` through the
// same writer as a records file. The files are the same whether hours come from ISD-Lite or as
// the same hours in `;` records. Throws DataFileError when a file cannot be read (a gzip file
// that is not sound or unpacks to more than 64 MB included), changed while it was read, has
// lines ended by CR alone or is one of the station's own files, or when the station files
// cannot be written; nothing is written then.
HourlyImport importHourlyFiles(const StationRecord& station, const std::vector<std::string>& paths,
                               const std::string& folder, const HourlyImportOptions& options);

}  // namespace climstat
