#pragma once

#include <iosfwd>

#include "core/analysis_state.h"
#include "output/page_labels.h"
#include "output/text_export.h"

namespace climstat {

// The text file of the typical-year hourly-value page: the data-type and city labels, the
// pressure label (empty: every typical-year load clears it), "Tipo= Valores Horarios", the
// column headings, then one row per selected hour of year slots 1..nYears in order: month, day,
// hour of the day, hour index and eight properties (precision 5, 2 decimals; a relative
// humidity above 100 is written as 100), fields separated by ";" without a trailing one.
void writeHourlyValuesBlock(ExportWriter& writer, const AnalysisState& state,
                            const PageLabels& labels, char decimalSeparator);
void writeHourlyValuesBlock(std::ostream& out, const AnalysisState& state, const PageLabels& labels,
                            char decimalSeparator);

}  // namespace climstat
