#include "data/location_load.h"

#include <cmath>

#include "core/errors.h"
#include "core/number_text.h"

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

// Every file is read and the files are put together before the state is touched.
LocationLoad loadEpwFiles(AnalysisState& state, const LocationRequest& request) {
    std::vector<EpwFile> files;
    for (const std::string& path : request.epwPaths)
        files.push_back(readEpwFile(path));
    const EpwLocationData data = combineEpwFiles(std::move(files));
    LocationLoad load;
    for (const std::string& path : data.paths)
        load.path += (load.path.empty() ? "" : ", ") + path;
    EpwLoadReport& report = load.epw;
    report.counts = loadEpwLocation(state, data);
    report.location = data.location;
    report.design = data.design;
    report.typicalYear = data.typicalYear;
    if (!data.typicalYear) {
        for (const EpwYear& year : data.years)
            report.years.push_back(year.year);
    }
    report.leapDayRecords = data.leapDayRecords;
    report.unreadableValues = data.unreadableValues;
    report.firstUnreadablePath = data.firstUnreadablePath;
    report.firstUnreadableLine = data.firstUnreadableLine;
    load.loaded = true;
    return load;
}

}  // namespace

LocationLoad loadLocation(AnalysisState& state, const LocationRequest& request) {
    if (request.source == DataSource::Epw) return loadEpwFiles(state, request);
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

StationPageLabels epwPageLabels(const EpwLoadReport& report, int nYears, char decimalSeparator) {
    const EpwLocation& l = report.location;
    StationPageLabels labels;
    const bool region = !l.region.empty() && l.region != "-";
    labels.province = "País: " + l.country + (region ? " (" + l.region + ")" : "");
    labels.station = "Ciudad: " + l.city;
    labels.code = "WMO: " + l.wmo;
    labels.latitude = "Latitud: " + numberText(l.latitude, 15, 2, decimalSeparator) + "º";
    labels.longitude = "Longitud: " + numberText(l.longitude, 15, 2, decimalSeparator) + "º";
    const int decimals = l.elevation == std::round(l.elevation) ? 0 : 1;
    labels.altitude = "a.s.n.m.: " + numberText(l.elevation, 15, decimals, decimalSeparator) + " m";
    if (report.typicalYear) {
        labels.countT = "Años: año tipo" + (l.source.empty() ? "" : " (" + l.source + ")");
    } else {
        labels.countT = "Años:";
        for (std::size_t i = 0; i < report.years.size(); ++i)
            labels.countT += (i == 0 ? " " : ", ") + std::to_string(report.years[i]);
    }
    labels.countH = "Horas con datos: " + std::to_string(report.counts.hoursWithData) + " de " +
                    std::to_string(static_cast<long>(nYears) * kHoursPerYear);
    return labels;
}

}  // namespace climstat
