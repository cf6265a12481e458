#pragma once

#include "core/analysis_state.h"

namespace climstat {

// Integer part (towards zero) of the extreme of a studied variable, as a class bound. Values
// beyond a billion, which no class table could hold anyway, are held at that size so that the
// conversion stays defined.
int truncatedClassBound(float value);

// last - first + 1, the number of one-unit classes from `first` to `last`; 0 when that is more
// than kMaxClasses. Not positive when last < first (no value).
int classCount(int first, int last);

// Grows every class table of the state (the frequency tables, the degree-hour copies and the
// work table) to hold classes 1..classes and the sum row after them.
void ensureClassRows(AnalysisState& state, int classes);

}  // namespace climstat
