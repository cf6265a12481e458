#pragma once

#include <iosfwd>

#include "core/analysis_state.h"
#include "output/page_labels.h"
#include "output/text_export.h"
#include "stats/degree_tables.h"
#include "stats/frequencies.h"

namespace climstat {

// The text file of the frequency page from the tables in the state (nothing is recomputed):
// the page's four header lines (data type, province, station, station code), the variable and
// type lines, the month header, one row per class (label and 13 cells, each followed by ";"),
// then the "suma" row for hours and percentages or an empty line for the other kinds.
void writeFrequencyPage(ExportWriter& out, const AnalysisState& state,
                        const FrequencySettings& settings, const PageLabels& labels,
                        char decimalSeparator);
void writeFrequencyPage(std::ostream& out, const AnalysisState& state,
                        const FrequencySettings& settings, const PageLabels& labels,
                        char decimalSeparator);

// Class label of row k = 1..nBins in the text file (the last row reads ">" + its lower bound,
// the cumulative kind " <" + the upper bound on every row).
std::string frequencyFileLabel(const AnalysisState& state, FrequencyOutput output, int row);

// The text file of the degree-hour page and of the degree-day page from heatingTable or
// coolingTable as last computed by either page: three header lines, the type line, the month
// header with the season column and the season line, six base rows of 14 cells ("0" included,
// precision 5, 0 decimals), an empty line.
void writeDegreeHourPage(ExportWriter& out, const AnalysisState& state, DegreeKind kind,
                         const PageLabels& labels, char decimalSeparator);
void writeDegreeHourPage(std::ostream& out, const AnalysisState& state, DegreeKind kind,
                         const PageLabels& labels, char decimalSeparator);
void writeDegreeDayPage(ExportWriter& out, const AnalysisState& state, DegreeKind kind,
                        const PageLabels& labels, char decimalSeparator);
void writeDegreeDayPage(std::ostream& out, const AnalysisState& state, DegreeKind kind,
                        const PageLabels& labels, char decimalSeparator);

}  // namespace climstat
