#include <filesystem>
#include <sstream>
#include <system_error>

#include "cli/cli.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "data/location_load.h"
#include "data/station_loader.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"

namespace climstat::cli {

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// A location of the lists by its name or by its list text ("ZonaA3(2006)"), in any letter
// case, with or without the list's suffix.
const TypicalYearLocation* findListedLocation(const std::string& text, TypicalYearList list) {
    const std::string wanted = lowered(text);
    const std::string suffix = list == TypicalYearList::List2006 ? "(2006)" : "(2013)";
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.list != list) continue;
        const std::string name = lowered(row.name);
        if (wanted == name || wanted == lowered(row.entryText) || wanted == name + suffix) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

void requireDataFolder(const Context& ctx) {
    const std::string& folder = ctx.dataFolder.folder;
    if (folder.empty()) throw DataFileError("data folder", missingFolderMessage(ctx.dataFolder));
    std::error_code ec;
    if (std::filesystem::exists(folder, ec) && !std::filesystem::is_directory(folder, ec)) {
        throw DataFileError(ErrorKind::NotAFolder, pathFields(folder));
    }
}

std::string missingFolderMessage(const DataFolderChoice& choice) {
    std::ostringstream message;
    message << "not found (looked in";
    for (std::size_t i = 0; i < choice.tried.size(); ++i) {
        message << (i == 0 ? " " : ", ") << choice.tried[i];
    }
    message << "); give one with --data-dir DIR or the environment variable CLIMSTAT_DATA_DIR";
    return message.str();
}

namespace {

void warnAboutNonNumbers(Context& ctx, const TypicalYearNotes& notes) {
    if (!notes.latitudeNotANumber.empty()) {
        ctx.err << "climstat-cli: warning: " << notes.path << ": the header's latitude '"
                << notes.latitudeNotANumber
                << "' is not a number and reads as 0 (is the name line more than one word?)\n";
    }
    if (notes.nonNumberTokens == 0) return;
    ctx.err << "climstat-cli: warning: " << notes.path << ": " << notes.nonNumberTokens
            << " dry-bulb or humidity value(s) are not numbers and read as 0 (first on line "
            << notes.firstNonNumberLine << ")\n";
}

void loadListedLocation(Context& ctx, TypicalYearList list) {
    auto name = ctx.args.value("location");
    if (!name) throw UsageError("--source " + *ctx.args.value("source") + " needs --location NAME");
    const TypicalYearLocation* row = findListedLocation(*name, list);
    if (row == nullptr) {
        throw UsageError("'" + *name + "' is not a location of the " +
                         (list == TypicalYearList::List2006 ? "2006" : "2013") + " list");
    }
    requireDataFolder(ctx);
    ctx.source = list == TypicalYearList::List2006 ? DataSource::Cte2006 : DataSource::Cte2013;
    LocationRequest request;
    request.source = ctx.source;
    request.list = list;
    request.position = row->position;
    request.dataFolder = ctx.dataFolder.folder;
    const LocationLoad load = climstat::loadLocation(ctx.state(), request);
    ctx.loadedFile = load.path;
    ctx.inputFiles.push_back(load.path);
    warnAboutNonNumbers(ctx, load.notes);
}

void loadMetFile(Context& ctx) {
    auto altitude = ctx.args.value("altitude");
    if (!altitude) throw UsageError("--met FILE needs --altitude Z (metres of the data)");
    const double z = numberOption(ctx, "altitude");  // the loader refuses an unusable one
    ctx.source = DataSource::Cte2013;
    std::ostringstream altitudeText;
    altitudeText << z;
    LocationRequest request;
    request.source = ctx.source;
    request.metPath = *ctx.args.value("met");
    request.altitudeText = altitudeText.str();
    const LocationLoad load = climstat::loadLocation(ctx.state(), request);
    ctx.loadedFile = load.path;
    ctx.inputFiles.push_back(load.path);
    warnAboutNonNumbers(ctx, load.notes);
}

void loadEpw(Context& ctx) {
    const std::vector<std::string>& paths = ctx.args.values("epw");
    if (paths.empty()) throw UsageError("--source epw needs --epw FILE (repeatable)");
    ctx.source = DataSource::Epw;
    LocationRequest request;
    request.source = DataSource::Epw;
    request.epwPaths = paths;
    const LocationLoad load = climstat::loadLocation(ctx.state(), request);
    ctx.loadedFile = load.path;
    ctx.inputFiles.insert(ctx.inputFiles.end(), paths.begin(), paths.end());
    ctx.epw = load.epw;
    const EpwLoadReport& report = load.epw;
    if (report.leapDayRecords > 0) {
        ctx.err << "climstat-cli: warning: " << report.leapDayRecords
                << " record(s) of 29 February left out (years of 365 days)\n";
    }
    if (report.unreadableValues > 0) {
        ctx.err << "climstat-cli: warning: " << report.unreadableValues
                << " value(s) are not numbers and are taken as missing (first: "
                << report.firstUnreadablePath << ": line " << report.firstUnreadableLine << ")\n";
    }
    if (report.counts.hoursWithoutHumidity > 0) {
        ctx.err << "climstat-cli: warning: " << report.counts.hoursWithoutHumidity
                << " hour(s) with a dry bulb but neither dew point nor relative humidity are "
                   "no data\n";
    }
    if (report.counts.hoursWithData == 0) {
        throw DataFileError(ErrorKind::EpwNoUsableHour, pathFields(load.path));
    }
}

psychro::Extrapolation extrapolationOption(const Context& ctx) {
    auto text = ctx.args.value("extrapolation");
    if (!text) return psychro::Extrapolation::None;
    if (text->size() != 1 || (*text)[0] < '0' || (*text)[0] > '3') {
        throw UsageError("--extrapolation must be 0, 1, 2 or 3");
    }
    return static_cast<psychro::Extrapolation>((*text)[0] - '0');
}

// The locality altitude as the loader converts it, with the context's separator; on the command
// line it may be written with a point as well.
std::string localityAltitudeText(const Context& ctx) {
    numberOption(ctx, "locality-altitude");  // a number; the loader checks its range
    std::string text = *ctx.args.value("locality-altitude");
    if (ctx.decimalSeparator != '.' && text.find(ctx.decimalSeparator) == std::string::npos) {
        for (char& c : text) {
            if (c == '.') c = ctx.decimalSeparator;
        }
    }
    return text;
}

void loadStation(Context& ctx) {
    auto code = ctx.args.value("station");
    if (!code) throw UsageError("--source aemet needs --station CODE");
    const int item = stationIndexForCode(*code);
    if (item == 0) {
        throw UsageError("'" + *code +
                         "' is not a station code of the catalogue (such as 3195 or 1387E)");
    }
    StationLoadSettings settings;
    settings.extrapolation = extrapolationOption(ctx);
    if (psychro::movesAltitude(settings.extrapolation)) {
        if (!ctx.args.has("locality-altitude")) {
            throw UsageError("--extrapolation " + *ctx.args.value("extrapolation") +
                             " needs --locality-altitude Z (metres above sea level)");
        }
        settings.localityAltitudeText = localityAltitudeText(ctx);
    }
    settings.decimalSeparator = ctx.decimalSeparator;
    requireDataFolder(ctx);
    ctx.source = DataSource::Aemet;
    settings.selection = selectionSettings(ctx);
    applyScheduleOptions(ctx);

    // The reader's trace lines go with the diagnostics, so that standard output carries only
    // what the command writes.
    const StationSelection selection =
        selectStation(ctx.state(), item, settings, ctx.dataFolder.folder,
                      ctx.trace != nullptr ? *ctx.trace : ctx.err, ctx.err);
    ctx.loadedFile = selection.load.temperaturePath + ", " + selection.load.humidityPath;
    ctx.inputFiles.push_back(selection.load.temperaturePath);
    ctx.inputFiles.push_back(selection.load.humidityPath);
    if (!selection.load.temperatureRead) {
        throw DataFileError(selection.load.temperatureFailure);
    }
    if (!selection.load.humidityRead) {
        ctx.err << "climstat-cli: warning: " << englishText(selection.load.humidityFailure)
                << "; hours without a humidity reading carry the last humidity ratio\n";
    }
    if (selection.load.humidityRead && selection.load.noHumidityReading()) {
        ctx.err << "climstat-cli: warning: " << selection.load.humidityPath
                << ": no humidity reading at all; every hour carries the starting humidity "
                   "ratio of 0.005 kg/kg\n";
    }
    if (selection.load.droppedHours > 0) {
        ctx.err << "climstat-cli: warning: " << selection.load.droppedHours
                << " hour(s) with implausible values left out (dry bulb outside -90..70 degC "
                   "or relative humidity outside 0..100 %), first:";
        for (const std::string& date : selection.load.droppedDates)
            ctx.err << ' ' << date;
        ctx.err << '\n';
    }
    if (selection.load.usableHours == 0) {
        throw DataFileError(selection.load.temperaturePath + ", " + selection.load.humidityPath,
                            "hold no usable hour");
    }
}

}  // namespace

void loadLocation(Context& ctx) {
    auto source = ctx.args.value("source");
    if (ctx.args.has("met") && source) throw UsageError("give either --met or --source, not both");
    if (!(source && *source == "aemet")) {
        for (const char* option : {"station", "extrapolation", "locality-altitude"}) {
            if (ctx.args.has(option)) {
                throw UsageError(std::string("--") + option + " goes with --source aemet only");
            }
        }
    }
    if (ctx.args.has("epw") && !(source && *source == "epw")) {
        throw UsageError("--epw goes with --source epw");
    }
    if (ctx.args.has("met")) {
        loadMetFile(ctx);
        return;
    }
    if (!source) {
        throw UsageError(
            "no location given: use --source cte2006|cte2013 --location NAME, "
            "--source aemet --station CODE, --source epw --epw FILE, or --met FILE --altitude Z");
    }
    if (*source == "aemet") {
        loadStation(ctx);
    } else if (*source == "cte2006") {
        loadListedLocation(ctx, TypicalYearList::List2006);
    } else if (*source == "cte2013") {
        loadListedLocation(ctx, TypicalYearList::List2013);
    } else if (*source == "epw") {
        loadEpw(ctx);
    } else {
        throw UsageError("unknown --source '" + *source + "' (cte2006, cte2013, aemet or epw)");
    }
}

}  // namespace climstat::cli
