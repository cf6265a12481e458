#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "cli/cli.h"
#include "core/errors.h"
#include "data/hourly_import.h"
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

// Hours from UTC of --utc-offset: a whole number of hours, -12..14.
std::optional<int> utcOffsetOption(const Context& ctx) {
    if (!ctx.args.has("utc-offset")) return std::nullopt;
    const double hours = numberOption(ctx, "utc-offset");
    if (!(hours >= -12 && hours <= 14) || hours != static_cast<int>(hours)) {
        throw UsageError("--utc-offset must be a whole number of hours from -12 to 14");
    }
    return static_cast<int>(hours);
}

}  // namespace

// Turns hourly records of the user's own (`;` lines) or of the public archive (ISD-Lite, told
// apart by content) into the two files of a catalogue station, so that years and stations of
// the user's own can be loaded like any other. Nothing is written when a records line cannot
// be used or a file is neither kind.
int commandWriteStation(Context& ctx) {
    auto code = ctx.args.value("code");
    std::vector<std::string> inputs = ctx.args.values("input");
    for (const std::string& isd : ctx.args.values("isd-lite"))
        inputs.push_back(isd);
    if (!code || inputs.empty()) {
        throw UsageError(
            "write-station needs --code CODE and --input FILE.csv or --isd-lite FILE ...");
    }
    const StationRecord* station = findStation(*code);
    if (station == nullptr) {
        throw UsageError("'" + *code +
                         "' is not a station code of the catalogue (such as 3195 or 1387E)");
    }

    HourlyImportOptions options;
    options.decimalSeparator = ctx.decimalSeparator;
    options.utcOffsetHours = utcOffsetOption(ctx);
    const std::string folder = targetFolder(ctx);
    ctx.inputFiles.insert(ctx.inputFiles.end(), inputs.begin(), inputs.end());
    if (auto output = ctx.args.value("output"); output && *output != "-") {
        refuseOutputOverInput(ctx, *output);  // before the station files change
    }
    const HourlyImport hourly = importHourlyFiles(*station, inputs, folder, options);
    const std::size_t notes = std::min(hourly.notes.size(), kReportedLines);
    for (std::size_t i = 0; i < notes; ++i)
        ctx.err << "climstat-cli: warning: " << englishText(hourly.notes[i]) << '\n';
    if (hourly.notes.size() > notes) {
        ctx.err << "climstat-cli: ... and " << hourly.notes.size() - notes << " more left out\n";
    }
    const StationImport& imported = hourly.station;
    const StationRecords& records = imported.records;
    if (!imported.written) {
        const std::size_t shown = std::min(hourly.lineErrors.size(), kReportedLines);
        for (std::size_t i = 0; i < shown; ++i) {
            const HourlyLineError& error = hourly.lineErrors[i];
            ctx.err << "climstat-cli: " << error.path << ": line " << error.line << ": "
                    << englishReason(error.problem) << '\n';
        }
        if (hourly.lineErrorCount > static_cast<long>(shown)) {
            ctx.err << "climstat-cli: ... and " << hourly.lineErrorCount - static_cast<long>(shown)
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
    for (const HourlyImportFile& file : hourly.files) {
        out << "read: " << file.path << " ("
            << (file.isdLite
                    ? "ISD-Lite, UTC moved by " + std::to_string(hourly.utcOffsetHours) + " h"
                    : std::string("hourly records"))
            << (file.packed ? ", gzip" : "") << "): " << file.hours << " hours\n";
    }
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
