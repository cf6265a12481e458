#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/analysis_state.h"

namespace climstat {

// The note of the design-condition page: every valid hour counts, whatever the interval.
inline constexpr const char* kDesignConditionsNote =
    "(Para todos los datos de la estación, no se utilizan los intervalos definidos)";

// Outdoor design conditions of the loaded data. Every figure but the two extremes can be
// undefined (no class below the percentile, no hour to average); undefined is never a number.
struct DesignConditions {
    float tsMin = 1000.0f;         // TSMIN, 1000 without a valid hour
    std::optional<float> ts996;    // TS_99,6
    std::optional<float> ts99;     // TS_99
    std::optional<float> humCoin;  // HUMcoin: mean relative humidity of the hours below TS_99
    std::optional<float> oma;      // OMA = TS_0,4 - TS_99,6
    std::optional<float> ominDC;   // smallest daily swing of the cold hours
    std::optional<float> omdc;     // mean daily swing of the cold hours
    float tsMax = -1000.0f;        // TSMAX, -1000 without a valid hour
    std::optional<float> ts04;     // TS_0,4
    std::optional<float> thc04;    // THC_0,4: mean wet bulb of the hours above TS_0,4
    std::optional<float> ts1;
    std::optional<float> thc1;
    std::optional<float> ts2;
    std::optional<float> thc2;
    std::optional<float> omdr;   // mean daily swing of the hot hours
    std::optional<float> th04;   // TH_0,4: wet bulb at 99.6 %
    std::optional<float> tsc04;  // TSC_0,4: mean dry bulb of the hours whose wet bulb is above
    std::optional<float> th1;
    std::optional<float> tsc1;
    std::optional<float> th2;
    std::optional<float> tsc2;
    std::string countTText;  // "Temperatura seca" observations: "96360 (1997-2007)"
    std::string countHText;  // "Humedad Relativa" observations
};

// The design conditions from every hour with rangeMask = 1 of slots 1..nYears (the page first
// rebuilds the validity masks alone, so that is every valid hour). Side effects shared with the
// frequency study: computeBinValues of the dry bulb (binIdx, freqMin, freqMax, binFirst,
// binLast), then nBins replaced by the class count of the wet-bulb histogram; designClasses
// keep the wet-bulb histogram.
DesignConditions computeDesignConditions(AnalysisState& state);

// Percentile at target p (a percentage) of the histogram in `tables` with n classes: linear
// interpolation inside the class where the cumulative percentage reaches p, the class after the
// last one below p that has hours. Undefined when no class with hours lies below p.
std::optional<float> designPercentile(const DesignClassTables& tables, int n, float p);

// Builds the histogram of one variable into `tables` (counts, cumulative percentages with the
// marker 200 for empty classes, upper edges) from the values of the hours with rangeMask = 1;
// offset is the class of the first edge, n the class count. Returns the number of hours.
float buildDesignHistogram(const AnalysisState& state, const HourlyArray& values, int offset, int n,
                           DesignClassTables& tables);

struct DesignResultText {
    std::string name;  // "TSMIN", "TS_99,6", ...
    std::string text;  // one decimal, "" when undefined
};

// The results in the order of the page, as its boxes show them.
std::vector<DesignResultText> designResultTexts(const DesignConditions& conditions,
                                                char decimalSeparator);

// Observation-count text: count, " (", first year, "-", last year, ")", a year being 1996 + slot.
std::string observationCountText(int count, int firstSlot, int lastSlot);
// The same for the first and last valid year slots of the loaded data, named by their calendar
// years (the data's own years where they carry them).
std::string observationCountText(const AnalysisState& state, int count);

}  // namespace climstat
