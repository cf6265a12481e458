#include "data/data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "data/station_catalogue.h"
#include "data/station_file.h"
#include "data/typical_year_table.h"

namespace climstat {

namespace {

bool isFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

std::string join(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

}  // namespace

DataFolderChoice resolveDataFolder(const DataFolderInputs& inputs) {
    DataFolderChoice choice;
    if (inputs.commandLineDir) {
        choice.tried.push_back(*inputs.commandLineDir);
        choice.folder = *inputs.commandLineDir;
        choice.origin = "--data-dir";
        return choice;
    }
    if (inputs.environmentDir) {
        choice.tried.push_back(*inputs.environmentDir);
        choice.folder = *inputs.environmentDir;
        choice.origin = "CLIMSTAT_DATA_DIR";
        return choice;
    }
    if (inputs.chosenDir) {
        choice.tried.push_back(*inputs.chosenDir);
        if (isFolder(*inputs.chosenDir)) {
            choice.folder = *inputs.chosenDir;
            choice.origin = "chosen folder";
            return choice;
        }
    }
    const std::string beside = join(inputs.programFolder, "database");
    choice.tried.push_back(beside);
    if (isFolder(beside)) {
        choice.folder = beside;
        choice.origin = "program folder";
        return choice;
    }
    std::optional<std::string> userFolder;
    if (inputs.xdgDataHome) {
        userFolder = join(join(*inputs.xdgDataHome, "climstat"), "database");
    } else if (inputs.home) {
        userFolder =
            join(join(join(join(*inputs.home, ".local"), "share"), "climstat"), "database");
    }
    if (userFolder) {
        choice.tried.push_back(*userFolder);
        if (isFolder(*userFolder)) {
            choice.folder = *userFolder;
            choice.origin = "user data folder";
        }
    }
    return choice;
}

bool holdsClimateFiles(const std::string& folder) {
    if (!isFolder(folder)) return false;
    const auto isFile = [](const std::string& path) {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    };
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (isFile(join(folder, std::string(row.fileBaseName) + ".met"))) return true;
    }
    for (const StationRecord& station : stationCatalogue()) {
        if (isFile(stationFilePath(folder, "T", station.code)) ||
            isFile(stationFilePath(folder, "H", station.code))) {
            return true;
        }
    }
    return false;
}

DataFolderInputs dataFolderInputsFromEnvironment(const std::string& programFolder,
                                                 const std::optional<std::string>& commandLineDir) {
    DataFolderInputs inputs;
    inputs.programFolder = programFolder;
    inputs.commandLineDir = commandLineDir;
    inputs.environmentDir = environment("CLIMSTAT_DATA_DIR");
    inputs.xdgDataHome = environment("XDG_DATA_HOME");
    inputs.home = environment("HOME");
    return inputs;
}

}  // namespace climstat
