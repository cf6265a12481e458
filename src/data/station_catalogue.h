#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/analysis_state.h"

namespace climstat {

inline constexpr int kStationCount = 104;
inline constexpr int kReferenceValues = 20;

// One weather station of the catalogue compiled into the program. Texts are UTF-8; a text the
// catalogue does not know is empty rather than invented.
struct StationRecord {
    std::string_view code;           // station code ("1387E", "0367"): key and part of file names
    std::string_view province;       // the text of the list item before its first two spaces
    std::string_view stationName;    // the name shown on the pages
    std::string_view altitudeText;   // whole metres above sea level
    std::string_view latitudeText;   // "43º18'15''N"
    std::string_view longitudeText;  // "08º22'42''W"
    float latitude;                  // decimal degrees, north positive
    std::string_view countTText;     // temperature observations and years: "87600 (1998-2007)"
    std::string_view countHText;     // the same for relative humidity
    bool hasReference;               // whether the reference design values are known
    std::array<float, kReferenceValues> reference;  // TSMIN .. TSC_2, in label order
    float wMax;                                     // cap of the hourly humidity ratio, kg/kg
    std::string_view itemText;                      // the text of the station list item
};

// All stations, in list order: record i - 1 is item i of the station list.
std::span<const StationRecord> stationCatalogue();

// Text of item 0..104 of the station list: item 0 is "Ninguna selección". Empty outside.
std::string_view stationItemText(int itemIndex);

// Code of the station of list item 1..104; empty for item 0 and items outside the list.
std::string stationCodeForIndex(int itemIndex);

// Record whose code equals the text exactly (case-sensitive), or nullptr.
const StationRecord* findStation(std::string_view code);

// List item of a code, 0 when the code is not in the catalogue.
int stationIndexForCode(std::string_view code);

// Label texts of the station page, empty when no station is shown.
struct StationPageLabels {
    std::string province;   // LProvincia: "Provincia: " + province
    std::string station;    // LEstacion: "Estación: " + station name
    std::string latitude;   // LLAT: "Latitud: " + latitude text
    std::string longitude;  // LLONG: "Longitud: " + longitude text
    std::string altitude;   // Lasnm: "a.s.n.m.: " + altitude text
    std::string countT;     // LDatosT: "Datos temperatura seca: " + temperature count text
    std::string countH;     // LDatosH: "Datos humedad relativa: " + humidity count text
    std::string code;       // LIndicativo: "Indicativo: " + code
};

// Looks a code up in the catalogue: the first record with that code is copied into stationInfo
// (province, station name, latitude text, longitude text, the two count texts, code, altitude
// text), stationCode, locationLatitude, stationDesign (NaN where the catalogue has no reference
// value) and wMax. The empty code, or a code not in the catalogue, changes no member. Returns
// the station page labels of the record found, empty labels otherwise.
StationPageLabels lookUpStation(AnalysisState& state, std::string_view code);

// The station page labels of the record held in stationInfo.
StationPageLabels stationPageLabels(const AnalysisState& state);

// What a station selection writes on the design-conditions page.
struct DesignPageStationTexts {
    std::string altitude;   // Lasnm2
    std::string province;   // LProvincia2
    std::string station;    // LEstacion2
    std::string code;       // LIndicativo2
    std::string latitude;   // LLAT2
    std::string longitude;  // LLONG2
    std::string countT;     // LNDatosT
    std::string countH;     // LNDatosFI
    // Reference labels 1..20 (LTSMIN .. LTSC_2; index 0 unused): one decimal, HUMcoin (5) none;
    // empty where the value is not known.
    std::array<std::string, kReferenceValues + 1> reference;
};

// The design-conditions page texts from the location texts and stationDesign.
DesignPageStationTexts designPageStationTexts(const AnalysisState& state, char decimalSeparator);

// Names of the 20 reference labels, 1-based ("LTSMIN" .. "LTSC_2").
std::string_view referenceLabelName(int index);

}  // namespace climstat
