#include <sstream>

#include "cli/cli.h"
#include "core/errors.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"

namespace climstat::cli {

namespace {

// A location of the lists by its name or by its list text ("ZonaA3(2006)").
const TypicalYearLocation* findListedLocation(const std::string& text, TypicalYearList list) {
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.list == list && (row.name == text || row.entryText == text)) return &row;
    }
    return nullptr;
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

void loadListedLocation(Context& ctx, TypicalYearList list) {
    auto name = ctx.args.value("location");
    if (!name) throw UsageError("--source " + *ctx.args.value("source") + " needs --location NAME");
    const TypicalYearLocation* row = findListedLocation(*name, list);
    if (row == nullptr) {
        throw UsageError("'" + *name + "' is not a location of the " +
                         (list == TypicalYearList::List2006 ? "2006" : "2013") + " list");
    }
    if (ctx.dataFolder.folder.empty()) {
        throw DataFileError("data folder", missingFolderMessage(ctx.dataFolder));
    }
    ctx.source = list == TypicalYearList::List2006 ? DataSource::Cte2006 : DataSource::Cte2013;
    ctx.loadedFile = typicalYearFilePath(ctx.dataFolder.folder, row->fileBaseName);
    AnalysisState& state = *ctx.state;
    state.locationCityName = loadTypicalYear(state, row->name, ctx.source, ctx.dataFolder.folder);
    state.selectedLocation = std::string(row->name);
    state.typicalYearIndex = row->position;
}

void loadMetFile(Context& ctx) {
    auto altitude = ctx.args.value("altitude");
    if (!altitude) throw UsageError("--met FILE needs --altitude Z (metres of the data)");
    const double z = numberOption(ctx, "altitude");
    if (!(z > -1000.0 && z < 10000.0)) {
        throw UsageError("--altitude " + *altitude + " is outside -1000..10000 m");
    }
    ctx.source = DataSource::Cte2013;
    ctx.loadedFile = *ctx.args.value("met");
    AnalysisState& state = *ctx.state;
    std::ostringstream altitudeText;
    altitudeText << z;
    loadTypicalYearFile(state, ctx.loadedFile, altitudeText.str());
    state.locationCityName = "Ciudad: " + ctx.loadedFile;
    state.selectedLocation = ctx.loadedFile;
    state.typicalYearIndex = 0;
}

}  // namespace

void loadLocation(Context& ctx) {
    if (ctx.args.has("met")) {
        if (ctx.args.has("source")) throw UsageError("give either --met or --source, not both");
        loadMetFile(ctx);
        return;
    }
    auto source = ctx.args.value("source");
    if (!source) {
        throw UsageError(
            "no location given: use --source cte2006|cte2013 --location NAME, "
            "--source aemet --station CODE, or --met FILE --altitude Z");
    }
    if (*source == "cte2006") {
        loadListedLocation(ctx, TypicalYearList::List2006);
    } else if (*source == "cte2013") {
        loadListedLocation(ctx, TypicalYearList::List2013);
    } else {
        throw UsageError("unknown --source '" + *source + "' (cte2006, cte2013 or aemet)");
    }
}

}  // namespace climstat::cli
