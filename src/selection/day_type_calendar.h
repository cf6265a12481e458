#pragma once

#include "selection/selection.h"

namespace climstat {

// Gives every day-of-year N from first to last inclusive the day type: nothing when first >
// last, and days outside 1..365 are skipped.
void setDayTypes(DayTypeTable& dayTypeTable, int first, int last, int dayType);

}  // namespace climstat
