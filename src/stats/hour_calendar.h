#pragma once

namespace climstat::hours {

// Calendar of the fixed 365-day year (no 29 February) as the hourly pages number it.

// Month 1..12 of an hour index 1..8760.
inline int monthOfHour(int h) {
    static constexpr int kLimits[11] = {744,  1416, 2160, 2880, 3624, 4344,
                                        5088, 5832, 6552, 7296, 8016};
    int month = 1;
    while (month <= 11 && h > kLimits[month - 1])
        ++month;
    return month;
}

// Hour of its day, 1..24: hour index 1 is 00:00-01:00 of 1 January.
inline int hourOfDay(int h) {
    return (h - 1) % 24 + 1;
}

// Day of the year 1..365 of an hour index.
inline int dayOfHour(int h) {
    return (h - 1) / 24 + 1;
}

// Day of the month of day number 1..365.
inline int dayOfMonth(int day) {
    static constexpr int kDaysBefore[13] = {0,   31,  59,  90,  120, 151, 181,
                                            212, 243, 273, 304, 334, 365};
    int month = 1;
    while (month < 12 && day > kDaysBefore[month])
        ++month;
    return day - kDaysBefore[month - 1];
}

}  // namespace climstat::hours
