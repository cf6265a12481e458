#include "core/calendar.h"

namespace climstat {

namespace {

// Cumulative hours at the end of months 1..11.
constexpr float kMonthEndHour[11] = {744,  1416, 2160, 2880, 3624, 4344,
                                     5088, 5832, 6552, 7296, 8016};

int clampMonth(int month) {
    if (month < 0) return 0;
    return month > 12 ? 12 : month;
}

}  // namespace

int daysInMonth(int month) {
    const int m = clampMonth(month) == 0 ? 1 : clampMonth(month);
    return kDaysBeforeMonth[m + 1] - kDaysBeforeMonth[m];
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonthOfYear(int year, int month) {
    return month == 2 && isLeapYear(year) ? 29 : daysInMonth(month);
}

int monthOfHour(float hour) {
    for (int m = 0; m < 11; ++m) {
        if (hour <= kMonthEndHour[m]) return m + 1;
    }
    return 12;
}

int weekdayOfHour(float hour) {
    // Compare before converting: a NaN or huge float must never reach an integer conversion.
    int h = 1;
    if (hour >= 1.0f) h = hour <= 8760.0f ? static_cast<int>(hour) : 8760;
    const int day = (h - 1) / 24 + 1;
    return day % 7 + 1;
}

int hourOfDay(int hour) {
    const int r = (hour - 1) % 24;
    return (r < 0 ? r + 24 : r) + 1;
}

int dayOfYear(int day, int month) {
    return kDaysBeforeMonth[clampMonth(month)] + day;
}

int monthOfDay(int dayNumber) {
    for (int m = 1; m < 12; ++m) {
        if (dayNumber <= kDaysBeforeMonth[m + 1]) return m;
    }
    return 12;
}

int dayOfMonth(int dayNumber) {
    return dayNumber - kDaysBeforeMonth[monthOfDay(dayNumber)];
}

int dateSlot(int day, int month) {
    return 31 * (month - 1) + day;
}

int dateSlot(int dayNumber) {
    return dateSlot(dayOfMonth(dayNumber), monthOfDay(dayNumber));
}

}  // namespace climstat
