#pragma once

#include <optional>
#include <string>
#include <vector>

namespace climstat {

// Where the data folder was found, and every place that was looked at, so that a program that
// finds no data can say where it looked.
struct DataFolderChoice {
    std::string folder;              // the folder used; empty when none exists
    std::string origin;              // "--data-dir", "CLIMSTAT_DATA_DIR", "program folder", ...
    std::vector<std::string> tried;  // every candidate, in the order they were considered
};

// Inputs of the search, read by the caller from its arguments and environment.
struct DataFolderInputs {
    std::string programFolder;                  // folder of the executable
    std::optional<std::string> commandLineDir;  // --data-dir
    std::optional<std::string> environmentDir;  // CLIMSTAT_DATA_DIR
    std::optional<std::string> chosenDir;       // the folder the user chose in the window
    std::optional<std::string> xdgDataHome;     // XDG_DATA_HOME
    std::optional<std::string> home;            // HOME
};

// The data folder: --data-dir when given, else CLIMSTAT_DATA_DIR when set, else the folder the
// user chose in the window while it still exists, else the "database" folder beside the
// executable, else the per-user folder ($XDG_DATA_HOME/climstat/database, by default
// ~/.local/share/climstat/database). A folder given on the command line or in the environment
// is used even when it does not exist (the loaders then report the missing file).
DataFolderChoice resolveDataFolder(const DataFolderInputs& inputs);

// Whether a folder holds at least one climate file the programs can read by name: a
// typical-year file of the location lists or a file of a catalogue station.
bool holdsClimateFiles(const std::string& folder);

// Reads the environment for resolveDataFolder.
DataFolderInputs dataFolderInputsFromEnvironment(const std::string& programFolder,
                                                 const std::optional<std::string>& commandLineDir);

}  // namespace climstat
