#include "selection/day_types.h"

#include <memory>

#include <gtest/gtest.h>

#include "core/analysis_state.h"

namespace climstat {
namespace {

DayTypeButtons only(int type) {
    DayTypeButtons buttons{};
    buttons[static_cast<std::size_t>(type)] = true;
    return buttons;
}

const FilledRect& upperCell(const ScheduleDrawing& d, int hour, int row) {
    for (const FilledRect& r : d.upper) {
        if (r.contains(21 * hour - 10, 19 * row - 9)) return r;
    }
    static const FilledRect none{};
    return none;
}

TEST(DayTypes, Captions) {
    const auto& info = dayTypeInfo();
    EXPECT_EQ(info[1].caption, "Continuo");
    EXPECT_EQ(info[2].caption, "8/14-16/20h");
    EXPECT_EQ(info[3].caption, "8/20h");
    EXPECT_EQ(info[4].caption, "Esp. 1");
    EXPECT_EQ(info[7].caption, "Sin uso");
    EXPECT_EQ(info[7].radioButton, "RSin");
    EXPECT_EQ(info[4].colour, kBlue);
}

TEST(DayTypes, SelectedTypeIsTestedFromSinUsoDownwards) {
    EXPECT_EQ(selectedDayType(DayTypeButtons{}), 1);
    EXPECT_EQ(selectedDayType(only(1)), 1);
    for (int t = 2; t <= 7; ++t)
        EXPECT_EQ(selectedDayType(only(t)), t);
    DayTypeButtons two = only(3);
    two[5] = true;
    EXPECT_EQ(selectedDayType(two), 5);
    two[7] = true;
    EXPECT_EQ(selectedDayType(two), 7);
}

TEST(DayTypes, DefaultSchedules) {
    auto state = std::make_unique<AnalysisState>();
    const Grid<float>& table = state->scheduleTable;
    for (int i = 1; i <= 24; ++i) {
        EXPECT_EQ(table[i][1], 1.0f);
        EXPECT_EQ(table[i][2], ((i >= 8 && i <= 13) || (i >= 16 && i <= 19)) ? 1.0f : 0.0f);
        EXPECT_EQ(table[i][3], (i >= 8 && i <= 19) ? 1.0f : 0.0f);
        for (int t = 4; t <= 7; ++t)
            EXPECT_EQ(table[i][t], 0.0f);
    }
}

TEST(ScheduleGrid, AClickSwitchesTheHourOfTheSelectedTypeOnItsRow) {
    auto state = std::make_unique<AnalysisState>();
    Grid<float>& table = state->scheduleTable;
    EXPECT_TRUE(toggleScheduleHour(table, 30, 5, 1));
    EXPECT_EQ(table[2][1], 0.0f);
    const FilledRect cell = upperCell(drawSchedules(table), 2, 1);
    EXPECT_EQ(cell, (FilledRect{22, 1, 42, 19, kWhite}));
    EXPECT_TRUE(toggleScheduleHour(table, 30, 5, 1));
    EXPECT_EQ(table[2][1], 1.0f);
    EXPECT_EQ(upperCell(drawSchedules(table), 2, 1).colour, kGrey);
    const Grid<float> before = table;
    EXPECT_FALSE(toggleScheduleHour(table, 30, 25, 1));  // row 2 is not type 1's
    EXPECT_EQ(table, before);
}

TEST(ScheduleGrid, RowsAreSharedByBothGrids) {
    auto state = std::make_unique<AnalysisState>();
    Grid<float>& table = state->scheduleTable;
    // "Esp. 1": row 1 of either grid edits its hours.
    EXPECT_TRUE(toggleScheduleHour(table, 0, 0, 4));
    EXPECT_EQ(table[1][4], 1.0f);
    EXPECT_EQ(table[1][1], 1.0f);  // type 1 untouched
    EXPECT_FALSE(toggleScheduleHour(table, 0, 19, 4));
    EXPECT_TRUE(toggleScheduleHour(table, 503, 56, 6));  // hour 24, row 3
    EXPECT_EQ(table[24][6], 1.0f);
    EXPECT_TRUE(toggleScheduleHour(table, 200, 20, 2));  // hour 10, row 2
    EXPECT_EQ(table[10][2], 0.0f);
    const Grid<float> before = table;
    EXPECT_FALSE(toggleScheduleHour(table, 504, 5, 1));  // past hour 24
    EXPECT_FALSE(toggleScheduleHour(table, 10, 57, 3));  // below row 3
    EXPECT_FALSE(toggleScheduleHour(table, -1, 5, 1));
    EXPECT_FALSE(toggleScheduleHour(table, 10, -1, 1));
    for (int y : {0, 20, 40})
        EXPECT_FALSE(toggleScheduleHour(table, 10, y, 7));  // "Sin uso" is never edited
    EXPECT_EQ(table, before);
}

TEST(ScheduleGrid, DrawingCoversEveryCellOnce) {
    auto state = std::make_unique<AnalysisState>();
    const ScheduleDrawing drawing = drawSchedules(state->scheduleTable);
    ASSERT_EQ(drawing.upper.size(), 72u);
    ASSERT_EQ(drawing.lower.size(), 72u);
    for (const auto* grid : {&drawing.upper, &drawing.lower}) {
        for (int x = 0; x < kScheduleGridWidth; ++x) {
            for (int y = 0; y < kScheduleGridHeight; ++y) {
                int covering = 0;
                for (const FilledRect& r : *grid)
                    covering += r.contains(x, y) ? 1 : 0;
                // Cells leave the first pixel column and each grid line free.
                const bool onLine = x % 21 == 0 || y % 19 == 0;
                ASSERT_EQ(covering, onLine ? 0 : 1) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(upperCell(drawing, 8, 2).colour, kFuchsia);
    EXPECT_EQ(upperCell(drawing, 14, 2).colour, kWhite);
    EXPECT_EQ(upperCell(drawing, 19, 3).colour, kRed);
    EXPECT_EQ(upperCell(drawing, 20, 3).colour, kWhite);
    for (const FilledRect& r : drawing.lower)
        EXPECT_EQ(r.colour, kWhite);
    state->scheduleTable[3][5] = 1.0f;
    const ScheduleDrawing marked = drawSchedules(state->scheduleTable);
    int aqua = 0;
    for (const FilledRect& r : marked.lower) {
        if (r.colour == kAqua) {
            ++aqua;
            EXPECT_EQ(r, (FilledRect{43, 20, 63, 38, kAqua}));
        }
    }
    EXPECT_EQ(aqua, 1);
}

TEST(ScheduleGrid, SetScheduleReplacesTheHoursOfAnEditableType) {
    auto state = std::make_unique<AnalysisState>();
    Grid<float>& table = state->scheduleTable;
    EXPECT_TRUE(setSchedule(table, 2, {1, 24}));
    for (int i = 1; i <= 24; ++i)
        EXPECT_EQ(table[i][2], (i == 1 || i == 24) ? 1.0f : 0.0f);
    const Grid<float> before = table;
    EXPECT_FALSE(setSchedule(table, 7, {5}));
    EXPECT_FALSE(setSchedule(table, 0, {5}));
    EXPECT_FALSE(setSchedule(table, 3, {0}));
    EXPECT_FALSE(setSchedule(table, 3, {25}));
    EXPECT_EQ(table, before);
}

}  // namespace
}  // namespace climstat
