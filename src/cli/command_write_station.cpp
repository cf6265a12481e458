#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "cli/cli.h"
#include "core/errors.h"
#include "data/station_catalogue.h"
#include "data/station_file.h"
#include "data/station_import.h"
#include "data/station_records.h"

namespace climstat::cli {

namespace {

constexpr std::size_t kReportedLines = 20;

std::string dateText(const StationDay& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.year, day.month, day.day);
    return text;
}

// The data folder the files go to; one given explicitly is created when it does not exist yet.
std::string targetFolder(const Context& ctx) {
    const DataFolderChoice& choice = ctx.dataFolder;
    requireDataFolder(ctx);
    std::error_code ec;
    if (!std::filesystem::is_directory(choice.folder, ec)) {
        std::filesystem::create_directories(choice.folder, ec);
        if (ec) throw DataFileError(ErrorKind::CannotCreate, fileFields(choice.folder, ec));
    }
    return choice.folder;
}

}  // namespace

// Turns the user's hourly records into the two files of a catalogue station, so that years and
// stations of the user's own can be loaded like any other. Nothing is written when a line
// cannot be used.
int commandWriteStation(Context& ctx) {
    auto code = ctx.args.value("code");
    auto input = ctx.args.value("input");
    if (!code || !input) throw UsageError("write-station needs --code CODE and --input FILE.csv");
    const StationRecord* station = findStation(*code);
    if (station == nullptr) {
        throw UsageError("'" + *code +
                         "' is not a station code of the catalogue (such as 3195 or 1387E)");
    }

    const std::string folder = targetFolder(ctx);
    ctx.inputFiles.push_back(*input);
    if (auto output = ctx.args.value("output"); output && *output != "-") {
        refuseOutputOverInput(ctx, *output);  // before the station files change
    }
    const StationImport imported =
        importStationRecords(*station, *input, folder, ctx.decimalSeparator);
    const StationRecords& records = imported.records;
    if (!imported.written) {
        const std::size_t shown = std::min(records.errors.size(), kReportedLines);
        for (std::size_t i = 0; i < shown; ++i) {
            const StationRecordError& error = records.errors[i];
            ctx.err << "climstat-cli: " << *input << ": line " << error.line << ": "
                    << error.reason() << '\n';
        }
        if (records.errorCount > static_cast<long>(shown)) {
            ctx.err << "climstat-cli: ... and " << records.errorCount - static_cast<long>(shown)
                    << " more lines\n";
        }
        throw UsageError(imported.refusal);
    }
    const std::string& temperaturePath = imported.temperaturePath;
    const std::string& humidityPath = imported.humidityPath;

    std::ostringstream out;
    out << "station: " << station->code << "  " << station->stationName << '\n';
    out << "written: " << temperaturePath << '\n';
    out << "written: " << humidityPath << '\n';
    out << "days: " << records.temperature.size() << " (" << dateText(records.temperature.front())
        << " to " << dateText(records.temperature.back()) << ")\n";
    out << "hours with a temperature: " << records.temperatureHours << '\n';
    out << "hours with a relative humidity: " << records.humidityHours << '\n';
    if (records.leapDayHours > 0) {
        out << "hours of 29 February left out (a station year has 365 days): "
            << records.leapDayHours << '\n';
    }
    if (records.lastYear >= kFirstFileYear + kStationYears) {
        out << "note: the files keep the year 2008, but a station load reads 1997 to 2007\n";
    }
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
