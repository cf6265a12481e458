#pragma once

#include <string>

#include "core/analysis_state.h"

namespace climstat {

// The location labels a result page shows, set when the page is shown: data type, province
// (or typical-year city), altitude and pressure, station.
struct PageLabels {
    std::string dataType;
    std::string province;
    std::string altitudePressure;
    std::string station;
};

// "asnm: " + altitude text + " m.    Pt: " + pt without decimals + " Pa". `precision` is the
// number of significant digits of the pressure (6 on the hourly-average page; the other pages
// write it in plain fixed notation).
std::string altitudePressureText(const AnalysisState& state, int precision, char decimalSeparator);

// Labels of the hourly-average page and of the diagram page: station texts for station data
// and EPW data, the typical-year city otherwise.
PageLabels averagePageLabels(const AnalysisState& state, DataSource source, char decimalSeparator);
PageLabels diagramPageLabels(const AnalysisState& state, DataSource source, char decimalSeparator);

// Labels of the typical-year hourly-value page (it has no station label: station stays empty);
// for a typical year of EPW data the place line names the place and its WMO number.
PageLabels hourlyValuesPageLabels(const AnalysisState& state, char decimalSeparator,
                                  DataSource source = DataSource::Cte2013);

// Labels of the station hourly-value page (station data or EPW actual years).
PageLabels stationHourlyValuesPageLabels(const AnalysisState& state, char decimalSeparator,
                                         DataSource source = DataSource::Aemet);

// What the labels of the frequency and degree pages depend on besides the state.
struct PageLabelSettings {
    DataSource source = DataSource::Aemet;
    int extrapolationChoice = 0;  // 0 "Estación meteo" .. 3 "Isla térm.+dif.cota"
    float localityAltitude = 0;   // altitude of the locality, m (choices 1 and 3)
    char decimalSeparator = '.';
};

// Hint of the statistics pages on where their text file goes.
inline constexpr const char* kSaveFileHint =
    "Se pueden obtener los datos en el fichero \"..\\frecuencias\\salida.txt\" mediante el botón "
    "guardar";

// Labels of the frequency page: the data type names the extrapolation choice, and the altitude
// is that of the locality when the data were moved to another altitude (choices 1 and 3); the
// pressure has 6 significant digits.
PageLabels frequencyPageLabels(const AnalysisState& state, const PageLabelSettings& settings);

// Labels of the degree-hour and degree-day pages: the plain data type of the source, the
// altitude of the data and the pressure with 6 significant digits.
PageLabels degreePageLabels(const AnalysisState& state, const PageLabelSettings& settings);

// The design page's note on data moved by an extrapolation: "Valores extrapolados a 900 m"
// (another altitude), "Valores corregidos por isla térmica", or both; empty for the station's
// own data (choice 0). The altitude is the locality's, written without decimals.
std::string extrapolationNote(int extrapolationChoice, float localityAltitude,
                              char decimalSeparator);

}  // namespace climstat
