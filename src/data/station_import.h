#pragma once

#include <functional>
#include <optional>
#include <string>

#include "data/data_folder.h"
#include "data/station_catalogue.h"
#include "data/station_pair.h"
#include "data/station_records.h"

namespace climstat {

// The hourly records of a station of the user's own turned into the station's two files.
struct StationImport {
    StationRecords records;  // with the lines that could not be used, if any
    bool written = false;    // both files were written
    // Why nothing was written when the records file could be read: lines that cannot be used
    // (RecordsUnusableLines, the lines in records.errors), no record at all (RecordsNone), no
    // dry bulb (RecordsNoTemperature) or dry bulbs only of years no station load reads
    // (RecordsNoStationYear). The path is the records file.
    Problem refusal;
    std::string temperaturePath;
    std::string humidityPath;
};

// Points where a test can step in: after the records file is read, and the steps of the pair.
struct ImportHooks {
    std::function<void()> afterRead;
    PairWriteHooks pair;
};

// Reads the records file (lines YYYY-MM-DD;HH;T;RH) and, when every line can be used and the
// records give a station load something to read, writes the temperature and the humidity file
// of the station into `folder`, creating it when it does not exist, as one pair
// (writeStationPair). Nothing is written otherwise; `refusal` says why. Throws DataFileError
// when the records file cannot be opened or read, changed while it was read (its size,
// modification time or file), has lines ended by CR alone, is one of the station's own files,
// or when a station file cannot be written.
StationImport importStationRecords(const StationRecord& station, const std::string& inputPath,
                                   const std::string& folder, char decimalSeparator,
                                   const ImportHooks* hooks = nullptr);

// Refuses (SameFileAsInput) an input that is one of the station's own files in `folder`.
void refuseStationFileAsInput(const StationRecord& station, const std::string& folder,
                              const std::string& inputPath);

// The whole content of an input file (readInputFile), refused with ChangedWhileRead when the
// file changed while it was read (its size, modification time or file).
std::string readUnchangedInputFile(const std::string& path);

// Why records must not become a station's files (the refusal rules of importStationRecords,
// with `path` as the file named), or nothing when they may.
std::optional<Problem> importRefusal(const StationRecords& records, const std::string& path);

// Writes the station's two files of import.records into `folder` (created when missing) as one
// pair (writeStationPair), and sets the paths and `written`. Throws DataFileError when they
// cannot be written; the old pair then stays.
void writeImportedRecords(const StationRecord& station, StationImport& import,
                          const std::string& folder, const PairWriteHooks* hooks = nullptr);

// The per-user data folder ($XDG_DATA_HOME/climstat/database, by default
// ~/.local/share/climstat/database); empty when neither variable is known.
std::string userDataFolder(const DataFolderInputs& inputs);

// Where imported station files of `code` go: the per-user folder when it holds the station's
// files already (they are the ones loads read, see stationFolder), else the data folder in use
// when it can be written to (or created), else the per-user folder. Empty when none can be used.
std::string importFolder(const DataFolderChoice& choice, const DataFolderInputs& inputs,
                         std::string_view code);

// The folder a station's files are read from: the per-user folder when it holds the station's
// temperature file (a pair the user imported there takes precedence over the data folder's),
// else the data folder.
std::string stationFolder(const std::string& dataFolder, const std::string& userFolder,
                          std::string_view code);

}  // namespace climstat
