#pragma once

// Calendar of the fixed 365-day year every data set is laid on: hour index 1..8760 (1 = 1 January
// 00:00-01:00), day-of-year 1..365, no 29 February.

namespace climstat {

// Days before month 1..12, with [13] = 365; [0] = 0 so that month 0 (no selection) counts like
// January.
inline constexpr int kDaysBeforeMonth[14] = {0,   0,   31,  59,  90,  120, 151,
                                             181, 212, 243, 273, 304, 334, 365};

// Days of month 1..12 (February always 28).
int daysInMonth(int month);

// Whether a year of the Gregorian calendar has a 29 February.
bool isLeapYear(int year);

// Days of month 1..12 of a year of the Gregorian calendar, as dated records count them (29 in
// February of a leap year).
int daysInMonthOfYear(int year, int month);

// Month 1..12 of an hour index given as a float: 1 up to hour 744, 2 from 745 ... and 12 for
// every hour above 8016 (so also for values beyond the year).
int monthOfHour(float hour);

// Day of the week 1..7 (1 Monday ... 6 Saturday, 7 Sunday) of an hour index given as a float,
// in the weekday rule of the interval presets: 1 January is a Tuesday. Hours outside 1..8760
// (and NaN) are taken as the nearest end of the year.
int weekdayOfHour(float hour);

// Hour of the day 1..24 of hour index i (1 -> 1, 24 -> 24, 25 -> 1).
int hourOfDay(int hour);

// Day-of-year of a date: days before the month plus the day. The day is not checked against the
// month's length ("31 April" gives 121); month 0 counts like January, months above 12 like
// December.
int dayOfYear(int day, int month);

// Month 1..12 of day-of-year N (1 for N <= 31, 12 for N > 334).
int monthOfDay(int dayNumber);

// Day of month of day-of-year N: N minus the days before monthOfDay(N).
int dayOfMonth(int dayNumber);

// Slot of a date in the per-date tables of the day types: 31 * (month - 1) + day, 1..372.
inline constexpr int kDateSlots = 12 * 31;
int dateSlot(int day, int month);
// The same for day-of-year N (1..365).
int dateSlot(int dayNumber);

}  // namespace climstat
