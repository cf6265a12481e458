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

// Labels of the hourly-average page and of the diagram page: station texts for station data,
// the typical-year city otherwise.
PageLabels averagePageLabels(const AnalysisState& state, DataSource source, char decimalSeparator);
PageLabels diagramPageLabels(const AnalysisState& state, DataSource source, char decimalSeparator);

// Labels of the typical-year hourly-value page (it has no station label: station stays empty).
PageLabels hourlyValuesPageLabels(const AnalysisState& state, char decimalSeparator);

// Labels of the station hourly-value page.
PageLabels stationHourlyValuesPageLabels(const AnalysisState& state, char decimalSeparator);

}  // namespace climstat
