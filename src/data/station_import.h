#pragma once

#include <string>

#include "data/data_folder.h"
#include "data/station_catalogue.h"
#include "data/station_records.h"

namespace climstat {

// The hourly records of a station of the user's own turned into the station's two files.
struct StationImport {
    StationRecords records;  // with the lines that could not be used, if any
    bool written = false;    // both files were written (never when a line could not be used)
    std::string temperaturePath;
    std::string humidityPath;
};

// Reads the records file (lines YYYY-MM-DD;HH;T;RH) and, when every line can be used and at
// least one day is given, writes the temperature and the humidity file of the station into
// `folder`, creating it when it does not exist. Nothing is written when a line cannot be used
// (the lines are in records.errors) or when the file holds no record. Throws DataFileError when
// the records file cannot be opened or read, or a station file cannot be written.
StationImport importStationRecords(const StationRecord& station, const std::string& inputPath,
                                   const std::string& folder, char decimalSeparator);

// The per-user data folder ($XDG_DATA_HOME/climstat/database, by default
// ~/.local/share/climstat/database); empty when neither variable is known.
std::string userDataFolder(const DataFolderInputs& inputs);

// Where imported station files go: the data folder in use when it can be written to (or
// created), otherwise the per-user folder. Empty when neither can be used.
std::string importFolder(const DataFolderChoice& choice, const DataFolderInputs& inputs);

// The folder a station's files are read from: the data folder, unless only the per-user folder
// holds the station's temperature file (a station imported while the data folder was read-only).
std::string stationFolder(const std::string& dataFolder, const std::string& userFolder,
                          std::string_view code);

}  // namespace climstat
