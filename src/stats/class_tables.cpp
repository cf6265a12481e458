#include "stats/class_tables.h"

#include <cmath>
#include <cstdint>

#include "stats/frequencies.h"

namespace climstat {

int truncatedClassBound(float value) {
    constexpr float kLimit = 1.0e9f;
    if (!(value > -kLimit)) return -static_cast<int>(kLimit);
    if (!(value < kLimit)) return static_cast<int>(kLimit);
    return static_cast<int>(std::trunc(value));
}

int classCount(int first, int last) {
    const std::int64_t count = static_cast<std::int64_t>(last) - first + 1;
    if (count > kMaxClasses) return 0;
    return static_cast<int>(count);
}

void ensureClassRows(AnalysisState& state, int classes) {
    if (classes < 1) return;
    const auto rows = static_cast<std::size_t>(classes) + 2;
    for (ClassTable* table :
         {&state.classWork, &state.binHours, &state.freqTable, &state.dhHours, &state.dhMeanT,
          &state.binCountValid, &state.binCountRange, &state.binExact}) {
        table->ensureRows(rows);
    }
}

}  // namespace climstat
