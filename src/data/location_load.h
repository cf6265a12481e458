#pragma once

#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "data/epw_file.h"
#include "data/station_catalogue.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"

namespace climstat {

// The location a user chose, as the window's lists and the command line give it.
struct LocationRequest {
    DataSource source = DataSource::Cte2013;  // the data source in use
    // A position of a typical-year list: 0 "Ninguna selección" forgets the selection, 1.. an
    // entry; a position outside the list leaves the selection as it was.
    TypicalYearList list = TypicalYearList::List2013;
    int position = 0;
    // A typical-year file outside the lists and the altitude of its data (metres, as text);
    // when set, it is read instead of a list entry.
    std::string metPath;
    std::string altitudeText;
    std::string dataFolder;  // where the files of the lists are
    // EPW files of one location (source Epw): one year is a typical year, several are years.
    std::vector<std::string> epwPaths;
};

// What an EPW load found besides the data.
struct EpwLoadReport {
    EpwLocation location;
    EpwDesignConditions design;  // the file's own design conditions
    bool typicalYear = false;
    std::vector<int> years;  // calendar years of the slots (actual years)
    EpwLoadCounts counts;
    long leapDayRecords = 0;          // records of 29 February left out
    long unreadableValues = 0;        // value fields that are not numbers (missing)
    std::string firstUnreadablePath;  // the file and line of the first of them
    long firstUnreadableLine = 0;
};

// What a location request did.
struct LocationLoad {
    bool loaded = false;  // new data are in the state; false: nothing selected, data stay
    std::string path;     // the file that was read
    TypicalYearNotes notes;
    EpwLoadReport epw;  // for EPW files
};

// Loads the requested location into the analysis state. EPW files (source Epw) are read and put
// together as one location (readEpwFile, combineEpwFiles, loadEpwLocation); path then names
// them all, separated by ", ". Otherwise: the selection (selectedLocation), the
// list position (typicalYearIndex, kept by typical-year sources only), the data and the city
// text (locationCityName). A list entry is read from the data folder only while a typical-year
// source is active, as the window's lists always did. When a read fails (DataFileError), the
// altitude is refused (ConversionError, UsageError) or the data folder is unknown
// (DataFileError), the state keeps everything it held, selection and list position included,
// and the error goes on to the caller.
LocationLoad loadLocation(AnalysisState& state, const LocationRequest& request);

// The station page labels of EPW data, where a station's are: "País: " country and region,
// "Ciudad: " city, "WMO: " number, "Latitud: " and "Longitud: " in degrees, "a.s.n.m.: "
// elevation, "Años: " the years ("año tipo" and the file's source for a typical year) and
// "Horas con datos: N de M".
StationPageLabels epwPageLabels(const EpwLoadReport& report, int nYears, char decimalSeparator);

}  // namespace climstat
