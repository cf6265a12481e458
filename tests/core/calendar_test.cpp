#include "core/calendar.h"

#include <chrono>
#include <limits>

#include <gtest/gtest.h>

namespace climstat {
namespace {

using namespace std::chrono;

TEST(Calendar, MonthOfHourChangesAfterTheLastHourOfEachMonth) {
    EXPECT_EQ(monthOfHour(1), 1);
    EXPECT_EQ(monthOfHour(744), 1);
    EXPECT_EQ(monthOfHour(745), 2);
    EXPECT_EQ(monthOfHour(1416), 2);  // February has 28 days
    EXPECT_EQ(monthOfHour(1417), 3);
    EXPECT_EQ(monthOfHour(8016), 11);
    EXPECT_EQ(monthOfHour(8017), 12);
    EXPECT_EQ(monthOfHour(8760), 12);
    EXPECT_EQ(monthOfHour(1e9f), 12);
}

TEST(Calendar, HourIndicesFollowTheDatesOfACommonYear) {
    // 2019 is a common year starting on a Tuesday: the weekday rule of the interval presets.
    int h = 0;
    for (sys_days day = sys_days{2019y / January / 1}; day < sys_days{2020y / January / 1};
         day += days{1}) {
        const year_month_day date{day};
        const int month = static_cast<int>(static_cast<unsigned>(date.month()));
        const int dom = static_cast<int>(static_cast<unsigned>(date.day()));
        const int iso = static_cast<int>(weekday{day}.iso_encoding());  // 1 Monday .. 7 Sunday
        const int n = (h / 24) + 1;
        ASSERT_EQ(dayOfYear(dom, month), n);
        ASSERT_EQ(monthOfDay(n), month);
        ASSERT_EQ(dayOfMonth(n), dom);
        ASSERT_EQ(dateSlot(n), 31 * (month - 1) + dom);
        for (int k = 1; k <= 24; ++k) {
            ++h;
            ASSERT_EQ(monthOfHour(static_cast<float>(h)), month) << h;
            ASSERT_EQ(weekdayOfHour(static_cast<float>(h)), iso) << h;
            ASSERT_EQ(hourOfDay(h), k) << h;
        }
    }
    EXPECT_EQ(h, 8760);
}

TEST(Calendar, WeekdaysOfThePresetsStartOnATuesday) {
    EXPECT_EQ(weekdayOfHour(1), 2);
    EXPECT_EQ(weekdayOfHour(24), 2);
    EXPECT_EQ(weekdayOfHour(25), 3);
    EXPECT_EQ(weekdayOfHour(144), 7);  // day 6, a Sunday
    EXPECT_EQ(weekdayOfHour(145), 1);  // day 7, a Monday
    EXPECT_EQ(weekdayOfHour(8760), 2);
}

TEST(Calendar, WeekdayOfHoursOutsideTheYearIsSafe) {
    EXPECT_EQ(weekdayOfHour(0), 2);
    EXPECT_EQ(weekdayOfHour(-1e30f), 2);
    EXPECT_EQ(weekdayOfHour(1e30f), 2);
    EXPECT_EQ(weekdayOfHour(std::numeric_limits<float>::quiet_NaN()), 2);
    EXPECT_EQ(weekdayOfHour(std::numeric_limits<float>::infinity()), 2);
}

TEST(Calendar, HourOfDay) {
    EXPECT_EQ(hourOfDay(1), 1);
    EXPECT_EQ(hourOfDay(24), 24);
    EXPECT_EQ(hourOfDay(25), 1);
    EXPECT_EQ(hourOfDay(8760), 24);
}

TEST(Calendar, DayNumbersOfDates) {
    EXPECT_EQ(dayOfYear(1, 1), 1);
    EXPECT_EQ(dayOfYear(1, 3), 60);
    EXPECT_EQ(dayOfYear(31, 12), 365);
    EXPECT_EQ(dayOfYear(31, 4), 121);  // not checked against the month: 1 May
    EXPECT_EQ(dayOfYear(0, 0), 0);     // nothing chosen in either list
    EXPECT_EQ(dayOfYear(5, 0), 5);     // month 0 counts like January
    EXPECT_EQ(dayOfYear(0, 3), 59);
    EXPECT_EQ(monthOfDay(59), 2);
    EXPECT_EQ(monthOfDay(60), 3);
    EXPECT_EQ(dayOfMonth(60), 1);
    EXPECT_EQ(monthOfDay(365), 12);
    EXPECT_EQ(dayOfMonth(365), 31);
    EXPECT_EQ(dateSlot(365), 372);
    EXPECT_EQ(dateSlot(1), 1);
    EXPECT_EQ(dateSlot(32), 32);  // 1 February
    EXPECT_EQ(dateSlot(60), 63);  // 1 March: 29..31 February are never used
}

TEST(Calendar, DaysInMonth) {
    const int expected[13] = {31, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 0; m <= 12; ++m)
        EXPECT_EQ(daysInMonth(m), expected[m]) << m;
}

}  // namespace
}  // namespace climstat
