#pragma once

#include <iosfwd>

#include "core/analysis_state.h"
#include "output/page_labels.h"
#include "output/text_export.h"

namespace climstat {

// The text file of the hourly-average page: the data-type, province and station labels, the
// variable line, "Tipo= Promedios", the month header, rows "1 h" .. "24 h" and "Media" with
// the 13 cells of the tables as last computed (precision 5, 2 decimals, empty without hours),
// each field followed by ";", and an empty last line.
void writeHourlyAverageBlock(ExportWriter& writer, const AnalysisState& state,
                             const PageLabels& labels, int variableItem, char decimalSeparator);
void writeHourlyAverageBlock(std::ostream& out, const AnalysisState& state,
                             const PageLabels& labels, int variableItem, char decimalSeparator);

}  // namespace climstat
