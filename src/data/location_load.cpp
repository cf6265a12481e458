#include "data/location_load.h"

#include "core/errors.h"

namespace climstat {

namespace {

LocationLoad loadMetOutsideLists(AnalysisState& state, const LocationRequest& request) {
    LocationLoad load;
    load.path = request.metPath;
    loadTypicalYearFile(state, request.metPath, request.altitudeText, &load.notes);
    state.locationCityName = "Ciudad: " + request.metPath;
    state.selectedLocation = request.metPath;
    state.typicalYearIndex = 0;
    load.loaded = true;
    return load;
}

}  // namespace

LocationLoad loadLocation(AnalysisState& state, const LocationRequest& request) {
    if (!request.metPath.empty()) return loadMetOutsideLists(state, request);

    // The position names the selection; the selection is only given up by "Ninguna selección".
    std::string selected = state.selectedLocation;
    if (request.position == 0) {
        selected.clear();
    } else if (const std::string_view name = typicalYearNameAt(request.list, request.position);
               !name.empty()) {
        selected = std::string(name);
    }
    if (selected.empty()) {
        state.selectedLocation.clear();
        return {};
    }

    const bool typicalSource = isTypicalYearSource(request.source);
    if (typicalSource && request.dataFolder.empty()) throw DataFileError("", "no data folder");
    LocationLoad load;
    if (const TypicalYearLocation* row = findTypicalYearLocation(selected); row && typicalSource) {
        load.path = typicalYearFilePath(request.dataFolder, row->fileBaseName);
    }
    // The load reads the file into a table of its own before it writes anything, so a failure
    // leaves the data, the selection and the list position as they were.
    state.locationCityName =
        loadTypicalYear(state, selected, request.source, request.dataFolder, &load.notes);
    state.selectedLocation = selected;
    if (typicalSource) state.typicalYearIndex = request.position;
    load.loaded = true;
    return load;
}

}  // namespace climstat
