#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "core/errors.h"
#include "data/station_catalogue.h"
#include "psychro/station_extrapolation.h"
#include "selection/selection.h"

namespace climstat {

// Everything a station load reads besides the analysis state: the extrapolation choice, the
// locality altitude as typed (the altitude of the locality above sea level, zL) and the
// settings of the selection pass that ends the load.
struct StationLoadSettings {
    psychro::Extrapolation extrapolation = psychro::Extrapolation::None;
    std::string localityAltitudeText = "0";
    char decimalSeparator = '.';
    SelectionSettings selection;
};

// How the two files of a load went. A file that could not be read leaves its hours as no data.
struct StationLoadResult {
    std::string temperaturePath;
    std::string humidityPath;
    bool temperatureRead = false;
    bool humidityRead = false;
    Problem temperatureFailure;  // why the file was not read (cannot be opened, ...)
    Problem humidityFailure;
    // Hours left out because a file gave a value no station measures (a dry bulb outside
    // -90..70 degC, a relative humidity outside 0..100 %), and the first few of their dates.
    long droppedHours = 0;
    std::vector<std::string> droppedDates;  // "2001-03-04 05h"
    long usableHours = 0;                   // hours with a valid temperature (nValidT)
    long humidityReadings = 0;              // hours with a humidity reading (nValidH)
    // Usable hours, but not one humidity reading: every hour carries the starting humidity
    // ratio, which says nothing of the station's climate.
    bool noHumidityReading() const { return usableHours > 0 && humidityReadings == 0; }
};

// Loads the two files of station `code` from the data folder into year slots 1..11 (1997..2007)
// of ts, w and tw: temperatures from tenths, humidity ratios from the relative humidity at the
// pressure of the load (readings above 99.5 % taken as 99.5 %, hours without a reading carrying
// the last humidity ratio, 0.005 kg/kg at first, lowered to 99.5 % when it would exceed 100 %),
// the extrapolation, the cap wMax and the wet bulb. Sets pt, nYears = 11, the plot limits,
// firstValidYear, lastValidYear, nValidT and nValidH, then runs the selection pass.
// `altitudeText` is the station altitude in metres. The reader's trace lines go to `trace`; a
// temperature file that cannot be read writes "Error lectura \n" to `errors` and the load goes
// on. Throws ConversionError (with the settings' decimal separator) for altitude texts that are
// not numbers, and UsageError for a code that cannot name station files or a locality altitude
// outside -1000..10000 m, in both cases before anything changes. The two files are read as one
// pair (no writer replaces one between the reads); a replace a killed writer left unfinished is
// finished first, and DataFileError is thrown, before anything changes, when its note cannot
// be understood.
StationLoadResult loadStationData(AnalysisState& state, const std::string& altitudeText,
                                  const std::string& code, const StationLoadSettings& settings,
                                  const std::string& dataFolder, std::ostream& trace,
                                  std::ostream& errors);

// What a selection in the station list shows.
struct StationSelection {
    bool loaded = false;                 // a station was loaded
    StationPageLabels stationLabels;     // empty for "Ninguna selección"
    DesignPageStationTexts designTexts;  // filled when a station was loaded
    StationLoadResult load;
};

// Choosing item `itemIndex` of the station list: looks the station up, sets the location texts
// (the station name with "Datos base: " in front when an extrapolation is chosen), loads it when
// the data source is the station one, and gives the label texts of the station page and of the
// design-conditions page. Item 0 changes no member: only the labels are cleared.
StationSelection selectStation(AnalysisState& state, int itemIndex,
                               const StationLoadSettings& settings, const std::string& dataFolder,
                               std::ostream& trace, std::ostream& errors);

}  // namespace climstat
