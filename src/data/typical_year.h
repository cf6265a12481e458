#pragma once

#include <string>
#include <string_view>

#include "core/analysis_state.h"
#include "data/station_catalogue.h"

namespace climstat {

// What a load noticed in a file it could use: dry-bulb or humidity tokens without a number,
// which read as 0.
struct TypicalYearNotes {
    std::string path;
    long nonNumberTokens = 0;
    long firstNonNumberLine = 0;
    std::string latitudeNotANumber;  // the header's latitude token, when it holds no number
};

// Path of a typical-year file in the data folder: folder / (file base name + ".met").
std::string typicalYearFilePath(const std::string& dataFolder, std::string_view fileBaseName);

// Loads the typical-year location of that name (a name of the location table) into year slot 1
// and returns "Ciudad: " + name, the text the callers keep as locationCityName.
// With a typical-year data source the file is read from the data folder first; when it cannot
// be read (DataFileError) or the name is not in the table (UsageError) the state is untouched.
// Sets locationAltitudeText (and clears locationCode), nYears = firstValidYear = lastValidYear = 1,
// pt of the altitude, ts and w of slot 1 and locationLatitude, lowers to 99.5 % the humidity ratio
// of every hour above 100 % relative humidity, computes the wet bulb of every hour, sets both masks
// of slot 1 and resets the plot limits.
std::string loadTypicalYear(AnalysisState& state, std::string_view name, DataSource source,
                            const std::string& dataFolder, TypicalYearNotes* notes = nullptr);

// The same for a typical-year file outside the table: its path and the altitude of its data in
// metres (as text, the way the result pages show it). An altitude that is not a number throws
// ConversionError, one outside -1000..10000 m UsageError, an unreadable file DataFileError;
// the state is then untouched.
void loadTypicalYearFile(AnalysisState& state, const std::string& path,
                         const std::string& altitudeText, TypicalYearNotes* notes = nullptr);

// What the station page shows about the typical year loaded from `path`: the city, the file's
// name, its latitude, the altitude of its data, the pressure there and its hours (a typical
// year has no station code and its files give no longitude: those labels stay empty).
StationPageLabels typicalYearPageLabels(const AnalysisState& state, const std::string& path,
                                        char decimalSeparator);

// Resets the plot range of the diagram to its starting values 50, -50, 50, 0, as every load does.
void resetPlotLimits(AnalysisState& state);

}  // namespace climstat
