#pragma once

namespace climstat::stats_calendar {

// Month 1..12 of an hour index of the 365-day year (hour 744 is January, 745 February).
inline int monthOfHourIndex(int h) {
    static constexpr int kLimits[11] = {744,  1416, 2160, 2880, 3624, 4344,
                                        5088, 5832, 6552, 7296, 8016};
    int m = 1;
    while (m <= 11 && h > kLimits[m - 1])
        ++m;
    return m;
}

// Month 1..12 of a day number 1..365.
inline int monthOfDayNumber(int d) {
    static constexpr int kDaysBefore[13] = {0,   31,  59,  90,  120, 151, 181,
                                            212, 243, 273, 304, 334, 365};
    int m = 1;
    while (m < 12 && d > kDaysBefore[m])
        ++m;
    return m;
}

}  // namespace climstat::stats_calendar
