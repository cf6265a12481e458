#pragma once

#include <string>

#include "core/analysis_state.h"
#include "selection/selection.h"

namespace climstat {

// Which hours a result page counts.
enum class SummaryScope {
    Selected,       // the hours of the interval that pass the variable limits
    AllValidHours,  // every hour with data: the interval and the limits are not applied
};

// The line a result page shows about its hours: how many it counts out of the hours with data,
// and what chose them.
struct SelectionSummary {
    long counted = 0;   // hours counted (rangeMask x hourMask = 1, or validMask = 1)
    long withData = 0;  // hours with data (validMask = 1)
    std::string text;   // "Horas seleccionadas: N de M · <interval> · <limits>"
};

// The summary of the masks as the last selection pass left them, over year slots 1..nYears, or
// over slot `yearSlot` alone when it is 1..12 (a page that shows one year of a station: the text
// names the year). `settings` are those of that pass: the interval preset and the limits it
// applied.
SelectionSummary selectionSummary(const AnalysisState& state, const SelectionSettings& settings,
                                  SummaryScope scope, int yearSlot = 0);

// The interval preset's caption written out: the ditto mark of items 1, 3-6 and 8-10 replaced by
// the hours of the item it repeats ("Continuo 24h (excepto Agosto)"); empty for other items.
std::string intervalPresetDescription(int item);

// An active limit as a short condition: "Ts ≥ 25 ºC", "HR < 60 %" ("Mínimo" keeps values from
// the limit up, "Máximo" those below it); empty for "Ninguno". The limit is written with the
// decimal separator given; a limit text that is not a number is written as it is.
std::string rangeConditionText(const RangeCondition& condition, char decimalSeparator);

}  // namespace climstat
