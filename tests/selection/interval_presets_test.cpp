#include "selection/interval_presets.h"

#include <chrono>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "selection/day_type_calendar.h"
#include "selection/day_types.h"
#include "selection/selection.h"

namespace climstat {
namespace {

std::unique_ptr<AnalysisState> maskFor(int preset, float latitude = 40.0f,
                                       const DayTypeTable& table = {}) {
    auto state = std::make_unique<AnalysisState>();
    state->locationLatitude = latitude;
    SelectionSettings settings;
    settings.intervalPreset = preset;
    settings.dayTypeTable = table;
    buildHourMask(*state, settings);
    return state;
}

std::vector<int> selectedHoursOfDay(const AnalysisState& state, int day) {
    std::vector<int> hours;
    for (int j = 1; j <= 24; ++j) {
        if (state.hourMask[static_cast<std::size_t>(24 * (day - 1) + j)] == 1.0f)
            hours.push_back(j);
    }
    return hours;
}

std::vector<int> range(int from, int to) {
    std::vector<int> out;
    for (int i = from; i <= to; ++i)
        out.push_back(i);
    return out;
}

std::vector<int> splitShift() {
    std::vector<int> hours = range(8, 13);
    for (int j = 16; j <= 19; ++j)
        hours.push_back(j);
    return hours;
}

TEST(IntervalPresets, CaptionsCarryTheirDittoMarks) {
    EXPECT_EQ(intervalPresetCaption(0), "Continuo 24h (Todo el año)");
    EXPECT_EQ(intervalPresetCaption(1), "        \"            (excepto Agosto)");
    EXPECT_EQ(intervalPresetCaption(3),
              "           \"        (Todo el año excepto Sábados tarde y Domingos)");
    EXPECT_EQ(intervalPresetCaption(10),
              "     \"              (excepto Agosto y Sábados y Domingos)");
    EXPECT_EQ(intervalPresetCaption(12), "Específico (particular a definir por el usuario)");
    EXPECT_EQ(intervalPresetCaption(13), "");
}

TEST(IntervalPresets, SplitShiftBoundaries) {
    auto state = maskFor(2);
    const auto& m = state->hourMask;
    EXPECT_EQ(m[8], 1.0f);
    EXPECT_EQ(m[13], 1.0f);
    EXPECT_EQ(m[14], 0.0f);
    EXPECT_EQ(m[15], 0.0f);
    EXPECT_EQ(m[16], 1.0f);
    EXPECT_EQ(m[19], 1.0f);
    EXPECT_EQ(m[20], 0.0f);
    EXPECT_EQ(m[24], 0.0f);
}

TEST(IntervalPresets, SaturdayMorningsOnAYearThatStartsOnATuesday) {
    auto state = maskFor(3);
    EXPECT_EQ(selectedHoursOfDay(*state, 1), splitShift());  // Tuesday
    EXPECT_EQ(selectedHoursOfDay(*state, 5), range(8, 13));  // Saturday: indices 104..109
    EXPECT_EQ(state->hourMask[103], 0.0f);
    EXPECT_EQ(state->hourMask[104], 1.0f);
    EXPECT_EQ(state->hourMask[109], 1.0f);
    EXPECT_EQ(state->hourMask[110], 0.0f);
    EXPECT_TRUE(selectedHoursOfDay(*state, 6).empty());      // Sunday
    EXPECT_EQ(selectedHoursOfDay(*state, 7), splitShift());  // Monday

    auto fullDay = maskFor(7);
    EXPECT_EQ(selectedHoursOfDay(*fullDay, 1), range(8, 19));
    EXPECT_EQ(selectedHoursOfDay(*fullDay, 5), range(8, 13));
    EXPECT_TRUE(selectedHoursOfDay(*fullDay, 6).empty());
}

TEST(IntervalPresets, AugustIsLeftOut) {
    auto state = maskFor(1);
    EXPECT_EQ(state->hourMask[5088], 1.0f);  // 31 July, hour 24
    for (int h = 5089; h <= 5832; ++h)
        ASSERT_EQ(state->hourMask[static_cast<std::size_t>(h)], 0.0f) << h;
    EXPECT_EQ(state->hourMask[5833], 1.0f);
}

// Every fixed rule against dates of 2019, a common year starting on a Tuesday.
TEST(IntervalPresets, FixedRulesAgreeWithARealCalendar) {
    using namespace std::chrono;
    for (int preset = 0; preset <= 10; ++preset) {
        auto state = maskFor(preset);
        int h = 0;
        for (sys_days day = sys_days{2019y / January / 1}; day < sys_days{2020y / January / 1};
             day += days{1}) {
            const bool august = year_month_day{day}.month() == August;
            const unsigned wd = weekday{day}.iso_encoding();
            for (int k = 1; k <= 24; ++k) {
                ++h;
                const bool split = (k >= 8 && k <= 13) || (k >= 16 && k <= 19);
                const bool full = k >= 8 && k <= 19;
                const bool morning = k >= 8 && k <= 13;
                bool expected = false;
                switch (preset) {
                    case 0:
                        expected = true;
                        break;
                    case 1:
                        expected = !august;
                        break;
                    case 2:
                        expected = split;
                        break;
                    case 3:
                        expected = wd <= 5 ? split : wd == 6 && morning;
                        break;
                    case 4:
                        expected = wd <= 5 && split;
                        break;
                    case 5:
                        expected = !august && split;
                        break;
                    case 6:
                        expected = !august && wd <= 5 && split;
                        break;
                    case 7:
                        expected = wd <= 5 ? full : wd == 6 && morning;
                        break;
                    case 8:
                        expected = wd <= 5 && full;
                        break;
                    case 9:
                        expected = !august && full;
                        break;
                    case 10:
                        expected = !august && wd <= 5 && full;
                        break;
                }
                ASSERT_EQ(state->hourMask[static_cast<std::size_t>(h)], expected ? 1.0f : 0.0f)
                    << "preset " << preset << " hour " << h;
            }
        }
    }
}

TEST(IntervalPresets, DaylightHours) {
    auto lat40 = maskFor(kDaylightPreset, 40.0f);
    EXPECT_EQ(selectedHoursOfDay(*lat40, 1), range(8, 16));
    EXPECT_EQ(selectedHoursOfDay(*lat40, 172), range(5, 19));
    auto lat28 = maskFor(kDaylightPreset, 28.0f);
    EXPECT_EQ(selectedHoursOfDay(*lat28, 172), range(6, 18));
    EXPECT_EQ(selectedHoursOfDay(*lat28, 1), range(7, 17));
    auto file = maskFor(kDaylightPreset, 40.68f);
    EXPECT_EQ(selectedHoursOfDay(*file, 1).size(), 9u);
    EXPECT_EQ(selectedHoursOfDay(*file, 172).size(), 15u);
}

TEST(IntervalPresets, DaylightAtTheExtremes) {
    // Solar noon with the sun at the zenith still counts as daylight.
    EXPECT_TRUE(sunIsUp(172, 12, 23.45f));
    EXPECT_NEAR(sunAltitude(172, 12, 23.45f), 90.0f, 0.1f);
    // Polar night and midnight sun.
    auto north = maskFor(kDaylightPreset, 80.0f);
    EXPECT_TRUE(selectedHoursOfDay(*north, 1).empty());
    EXPECT_EQ(selectedHoursOfDay(*north, 172).size(), 24u);
    // A latitude that is not a number selects no hour rather than anything undefined.
    auto nan = maskFor(kDaylightPreset, std::numeric_limits<float>::quiet_NaN());
    for (int h = 1; h <= kHoursPerYear; ++h)
        ASSERT_EQ(nan->hourMask[static_cast<std::size_t>(h)], 0.0f);
}

TEST(UserDefinedPreset, UntouchedCalendarSelectsTheWholeYear) {
    auto state = maskFor(kUserDefinedPreset);
    for (int h = 1; h <= kHoursPerYear; ++h)
        ASSERT_EQ(state->hourMask[static_cast<std::size_t>(h)], 1.0f);
}

TEST(UserDefinedPreset, EachDateFollowsTheScheduleOfItsType) {
    DayTypeTable table{};
    setDayTypes(table, 1, 1, 7);  // "Sin uso"
    setDayTypes(table, 2, 2, 4);  // "Esp. 1", no hour marked yet
    setDayTypes(table, 3, 3, 2);  // 8/14-16/20h
    setDayTypes(table, 4, 4, 3);  // 8/20h
    setDayTypes(table, 5, 5, 1);  // assigned type 1: like never assigned
    setDayTypes(table, 365, 365, 6);
    auto state = std::make_unique<AnalysisState>();
    SelectionSettings settings;
    settings.intervalPreset = kUserDefinedPreset;
    settings.dayTypeTable = table;
    state->scheduleTable[24][6] = 1.0f;
    buildHourMask(*state, settings);
    EXPECT_TRUE(selectedHoursOfDay(*state, 1).empty());
    EXPECT_TRUE(selectedHoursOfDay(*state, 2).empty());
    EXPECT_EQ(selectedHoursOfDay(*state, 3), splitShift());
    EXPECT_EQ(selectedHoursOfDay(*state, 4), range(8, 19));
    EXPECT_EQ(selectedHoursOfDay(*state, 5), range(1, 24));
    EXPECT_EQ(selectedHoursOfDay(*state, 6), range(1, 24));
    EXPECT_EQ(selectedHoursOfDay(*state, 365), std::vector<int>{24});

    // Marking hours of "Esp. 1" brings day 2 in; a schedule entry of "Sin uso" never does.
    setSchedule(state->scheduleTable, 4, {10, 11});
    state->scheduleTable[5][7] = 1.0f;
    buildHourMask(*state, settings);
    EXPECT_EQ(selectedHoursOfDay(*state, 2), (std::vector<int>{10, 11}));
    EXPECT_TRUE(selectedHoursOfDay(*state, 1).empty());

    // Changing the schedule of type 1 changes every date never assigned.
    setSchedule(state->scheduleTable, 1, {12});
    buildHourMask(*state, settings);
    EXPECT_EQ(selectedHoursOfDay(*state, 100), std::vector<int>{12});
    EXPECT_EQ(selectedHoursOfDay(*state, 5), std::vector<int>{12});
}

TEST(UserDefinedPreset, WholeYearWithoutUseSelectsNothing) {
    DayTypeTable table{};
    setDayTypes(table, 1, 365, kUnusedDayType);
    auto state = maskFor(kUserDefinedPreset, 40.0f, table);
    for (int h = 1; h <= kHoursPerYear; ++h)
        ASSERT_EQ(state->hourMask[static_cast<std::size_t>(h)], 0.0f);
}

}  // namespace
}  // namespace climstat
