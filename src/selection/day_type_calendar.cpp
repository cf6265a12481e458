#include "selection/day_type_calendar.h"

#include <algorithm>

#include "core/calendar.h"

namespace climstat {

void setDayTypes(DayTypeTable& dayTypeTable, int first, int last, int dayType) {
    const int from = std::max(first, 1);
    const int to = std::min(last, kDaysPerYear);
    for (int n = from; n <= to; ++n)
        dayTypeTable[static_cast<std::size_t>(dateSlot(n))] = dayType;
}

}  // namespace climstat
