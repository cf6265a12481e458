#include "data/station_import.h"

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/errors.h"
#include "core/text_file.h"
#include "data/station_file.h"
#include "data/station_pair.h"

namespace climstat {

namespace {

bool isFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Whether files can be created in the folder, creating the folder when it does not exist yet.
bool canWriteInto(const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::filesystem::create_directories(folder, ec);
        if (ec) return false;
    }
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

StationImport importStationRecords(const StationRecord& station, const std::string& inputPath,
                                   const std::string& folder, char decimalSeparator) {
    std::ifstream in = openInputFile(inputPath);
    StationImport result;
    result.records = readStationRecords(in, decimalSeparator);
    if (in.bad()) throw DataFileError(ErrorKind::NotReadCompletely, pathFields(inputPath));
    if (!result.records.errors.empty() || result.records.temperature.empty()) return result;

    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw DataFileError(ErrorKind::CannotCreate, fileFields(folder, ec));
    result.temperaturePath = stationFilePath(folder, "T", station.code);
    result.humidityPath = stationFilePath(folder, "H", station.code);
    // Never a new temperature file beside an old humidity file, for any reader.
    writeStationPair(folder, station.code,
                     encodeStationFile("T", result.records.temperature, station.code),
                     encodeStationFile("H", result.records.humidity, station.code));
    result.written = true;
    return result;
}

std::string userDataFolder(const DataFolderInputs& inputs) {
    namespace fs = std::filesystem;
    if (inputs.xdgDataHome)
        return (fs::path(*inputs.xdgDataHome) / "climstat" / "database").string();
    if (inputs.home) {
        return (fs::path(*inputs.home) / ".local" / "share" / "climstat" / "database").string();
    }
    return {};
}

std::string importFolder(const DataFolderChoice& choice, const DataFolderInputs& inputs) {
    if (canWriteInto(choice.folder)) return choice.folder;
    const std::string user = userDataFolder(inputs);
    if (canWriteInto(user)) return user;
    return {};
}

std::string stationFolder(const std::string& dataFolder, const std::string& userFolder,
                          std::string_view code) {
    if (!userFolder.empty() && userFolder != dataFolder &&
        !isFile(stationFilePath(dataFolder, "T", code)) &&
        isFile(stationFilePath(userFolder, "T", code))) {
        return userFolder;
    }
    return dataFolder;
}

}  // namespace climstat
