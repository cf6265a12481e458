#include "output/page_labels.h"

#include "core/number_text.h"
#include "output/text_export.h"

namespace climstat {

namespace {

// Enough significant digits to write any pressure in fixed notation.
constexpr int kFixedPrecision = 15;

PageLabels stationOrCityLabels(const AnalysisState& state, DataSource source, int precision,
                               char decimalSeparator) {
    // EPW data name their location as a station is named: region and country, then the place
    // and its WMO number.
    const bool station = source == DataSource::Aemet || source == DataSource::Epw;
    PageLabels labels;
    labels.dataType = dataTypeLabel(source, 0);
    labels.province = station ? state.locationProvince : state.locationCityName;
    labels.altitudePressure = altitudePressureText(state, precision, decimalSeparator);
    labels.station = station ? state.locationName : "";
    return labels;
}

}  // namespace

std::string altitudePressureText(const AnalysisState& state, int precision, char decimalSeparator) {
    return "asnm: " + state.locationAltitudeText +
           " m.    Pt: " + numberText(state.pt, precision, 0, decimalSeparator) + " Pa";
}

PageLabels averagePageLabels(const AnalysisState& state, DataSource source, char decimalSeparator) {
    return stationOrCityLabels(state, source, 6, decimalSeparator);
}

PageLabels diagramPageLabels(const AnalysisState& state, DataSource source, char decimalSeparator) {
    return stationOrCityLabels(state, source, kFixedPrecision, decimalSeparator);
}

PageLabels hourlyValuesPageLabels(const AnalysisState& state, char decimalSeparator,
                                  DataSource source) {
    PageLabels labels;
    labels.dataType = dataTypeLabel(source, 0);
    labels.province = source == DataSource::Epw ? state.locationName : state.locationCityName;
    labels.altitudePressure = altitudePressureText(state, kFixedPrecision, decimalSeparator);
    labels.station = "";
    return labels;
}

PageLabels stationHourlyValuesPageLabels(const AnalysisState& state, char decimalSeparator,
                                         DataSource source) {
    PageLabels labels;
    labels.dataType = dataTypeLabel(source, 0);
    labels.province = state.locationProvince;
    labels.altitudePressure = altitudePressureText(state, kFixedPrecision, decimalSeparator);
    labels.station = state.locationName;
    return labels;
}

PageLabels frequencyPageLabels(const AnalysisState& state, const PageLabelSettings& settings) {
    PageLabels labels = stationOrCityLabels(state, settings.source, 6, settings.decimalSeparator);
    labels.dataType = dataTypeLabel(settings.source, settings.extrapolationChoice);
    const bool movedAltitude =
        settings.source == DataSource::Aemet &&
        (settings.extrapolationChoice == 1 || settings.extrapolationChoice == 3);
    if (movedAltitude) {
        labels.altitudePressure =
            "asnm: " + numberText(settings.localityAltitude, 6, 0, settings.decimalSeparator) +
            " m.    Pt: " + numberText(state.pt, 6, 0, settings.decimalSeparator) + " Pa";
    }
    return labels;
}

PageLabels degreePageLabels(const AnalysisState& state, const PageLabelSettings& settings) {
    return stationOrCityLabels(state, settings.source, 6, settings.decimalSeparator);
}

std::string extrapolationNote(int extrapolationChoice, float localityAltitude,
                              char decimalSeparator) {
    const std::string altitude =
        "Valores extrapolados a " + numberText(localityAltitude, 6, 0, decimalSeparator) + " m";
    switch (extrapolationChoice) {
        case 1:
            return altitude + " (Diferente cota)";
        case 2:
            return "Valores corregidos por isla térmica (Isla térmica)";
        case 3:
            return altitude + " y corregidos por isla térmica (Isla térm.+dif.cota)";
        default:
            return {};
    }
}

}  // namespace climstat
