#include "data/station_import.h"

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "core/errors.h"
#include "core/text_file.h"
#include "data/station_file.h"
#include "data/station_pair.h"

namespace climstat {

namespace {

// What tells a file's content apart over a read: the file itself, its size and its last
// change.
struct FileIdentity {
    dev_t device;
    ino_t inode;
    off_t size;
    long long seconds;
    long nanoseconds;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino, info.st_size,
                        static_cast<long long>(info.st_mtim.tv_sec), info.st_mtim.tv_nsec};
}

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
                                   const std::string& folder, char decimalSeparator,
                                   const ImportHooks* hooks) {
    StationImport result;
    result.temperaturePath = stationFilePath(folder, "T", station.code);
    result.humidityPath = stationFilePath(folder, "H", station.code);
    refuseStationFileAsInput(station, folder, inputPath);
    // Taken before the file is opened, so that any change from here on shows.
    const std::optional<FileIdentity> before = fileIdentity(inputPath);
    std::ifstream in = openInputFile(inputPath);
    result.records = readStationRecords(in, decimalSeparator);
    if (in.bad()) throw DataFileError(ErrorKind::NotReadCompletely, pathFields(inputPath));
    if (hooks != nullptr && hooks->afterRead) hooks->afterRead();
    // Truncated, grown or replaced while it was read: what was read is no file at all.
    if (!before || fileIdentity(inputPath) != before) {
        throw DataFileError(ErrorKind::ChangedWhileRead, pathFields(inputPath));
    }
    const StationRecords& records = result.records;
    if (records.crOnlyLineEnds) {
        throw DataFileError(ErrorKind::CrOnlyLineEnds, pathFields(inputPath));
    }
    if (std::optional<Problem> refusal = importRefusal(records, inputPath)) {
        result.refusal = std::move(*refusal);
        return result;
    }
    writeImportedRecords(station, result, folder, hooks != nullptr ? &hooks->pair : nullptr);
    return result;
}

void refuseStationFileAsInput(const StationRecord& station, const std::string& folder,
                              const std::string& inputPath) {
    for (const char* kind : {"T", "H"}) {
        const std::string own = stationFilePath(folder, kind, station.code);
        if (isSameFile(inputPath, own)) {
            ErrorFields fields = pathFields(own);
            fields.value = inputPath;
            throw DataFileError(ErrorKind::SameFileAsInput, std::move(fields));
        }
    }
}

std::string readUnchangedInputFile(const std::string& path) {
    // Taken before the file is opened, so that any change from here on shows.
    const std::optional<FileIdentity> before = fileIdentity(path);
    std::string bytes = readInputFile(path);
    if (!before || fileIdentity(path) != before) {
        throw DataFileError(ErrorKind::ChangedWhileRead, pathFields(path));
    }
    return bytes;
}

std::optional<Problem> importRefusal(const StationRecords& records, const std::string& path) {
    Problem refusal{ErrorKind::Other, pathFields(path)};
    if (records.errorCount > 0) {
        refusal.kind = ErrorKind::RecordsUnusableLines;
        refusal.fields.count = records.errorCount;
    } else if (records.temperature.empty()) {
        // A pair that no load could use would only replace a good one.
        refusal.kind = ErrorKind::RecordsNone;
    } else if (records.temperatureHours == 0 && records.leapDayHours == 0) {
        refusal.kind = ErrorKind::RecordsNoTemperature;
    } else if (records.stationYearTemperatureHours == 0) {
        refusal.kind = ErrorKind::RecordsNoStationYear;
    } else {
        return std::nullopt;
    }
    return refusal;
}

void writeImportedRecords(const StationRecord& station, StationImport& import,
                          const std::string& folder, const PairWriteHooks* hooks) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw DataFileError(ErrorKind::CannotCreate, fileFields(folder, ec));
    import.temperaturePath = stationFilePath(folder, "T", station.code);
    import.humidityPath = stationFilePath(folder, "H", station.code);
    // Never a new temperature file beside an old humidity file, for any reader.
    writeStationPair(folder, station.code,
                     encodeStationFile("T", import.records.temperature, station.code),
                     encodeStationFile("H", import.records.humidity, station.code), hooks);
    import.written = true;
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

std::string importFolder(const DataFolderChoice& choice, const DataFolderInputs& inputs,
                         std::string_view code) {
    const std::string user = userDataFolder(inputs);
    if (!user.empty() && user != choice.folder && isFile(stationFilePath(user, "T", code)) &&
        canWriteInto(user)) {
        return user;
    }
    if (canWriteInto(choice.folder)) return choice.folder;
    if (canWriteInto(user)) return user;
    return {};
}

std::string stationFolder(const std::string& dataFolder, const std::string& userFolder,
                          std::string_view code) {
    if (!userFolder.empty() && userFolder != dataFolder &&
        isFile(stationFilePath(userFolder, "T", code))) {
        return userFolder;
    }
    return dataFolder;
}

}  // namespace climstat
