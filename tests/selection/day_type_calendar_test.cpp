#include "selection/day_type_calendar.h"

#include <chrono>
#include <memory>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "core/calendar.h"
#include "selection/day_types.h"

namespace climstat {
namespace {

// Centre of a grid cell, from the pixel ranges of the columns and rows.
std::pair<int, int> cellCentre(int column, int row) {
    int x = 0;
    if (column >= 1 && column <= 7) x = 19 + 20 * (column - 1) + 10;
    if (column >= 9 && column <= 15) x = 185 + 20 * (column - 9) + 10;
    if (column >= 17 && column <= 23) x = 348 + 20 * (column - 17) + 10;
    int y = 0;
    if (row >= 1 && row <= 5) y = 15 + 12 * (row - 1) + 6;
    if (row >= 7 && row <= 12) y = 81 + 12 * (row - 7) + 6;
    if (row >= 14 && row <= 19) y = 159 + 12 * (row - 14) + 6;
    if (row >= 21 && row <= 26) y = 237 + 12 * (row - 21) + 6;
    return {x, y};
}

std::pair<int, int> pixelOf(int day, int month) {
    const CalendarPlace place = calendarPlace(dayOfYear(day, month));
    return cellCentre(place.column, place.row);
}

// Days of the year whose type differs from `before`.
std::set<int> changedDays(const DayTypeTable& before, const DayTypeTable& after) {
    std::set<int> days;
    for (int n = 1; n <= kDaysPerYear; ++n) {
        const auto slot = static_cast<std::size_t>(dateSlot(n));
        if (before[slot] != after[slot]) days.insert(n);
    }
    return days;
}

std::set<int> dayRange(int from, int to) {
    std::set<int> days;
    for (int n = from; n <= to; ++n)
        days.insert(n);
    return days;
}

TEST(CalendarGrid, PlacesOfDates) {
    EXPECT_EQ(calendarPlace(1), (CalendarPlace{1, 1}));
    EXPECT_EQ(calendarPlace(dayOfYear(1, 4)), (CalendarPlace{7, 7}));
    EXPECT_EQ(calendarPlace(365), (CalendarPlace{17, 26}));
    EXPECT_EQ(calendarPlace(dayOfYear(1, 2)), (CalendarPlace{12, 1}));  // a Thursday
    EXPECT_EQ(calendarPlace(dayOfYear(1, 5)), (CalendarPlace{10, 8}));  // starts one row low
}

// The calendar's year starts on a Monday, like 2018: every date sits in its weekday's column,
// in its month's block, in its own cell, and a click there finds it again.
TEST(CalendarGrid, EveryDateSitsInItsWeekdayColumnAndIsFoundThere) {
    using namespace std::chrono;
    std::set<std::pair<int, int>> used;
    int n = 0;
    for (sys_days day = sys_days{2018y / January / 1}; day < sys_days{2019y / January / 1};
         day += days{1}) {
        ++n;
        const year_month_day date{day};
        const int month = static_cast<int>(static_cast<unsigned>(date.month()));
        const int dom = static_cast<int>(static_cast<unsigned>(date.day()));
        const CalendarPlace place = calendarPlace(n);
        const int block = (month - 1) % 3;
        ASSERT_EQ(place.column, 8 * block + static_cast<int>(weekday{day}.iso_encoding())) << n;
        ASSERT_EQ(place.row / 7, (month - 1) / 3) << n;  // the band of its quarter
        ASSERT_TRUE(used.insert({place.column, place.row}).second) << n;
        const auto [x, y] = cellCentre(place.column, place.row);
        ASSERT_EQ(calendarCellAt(x, y), (CalendarCell{dom, month})) << n;
    }
}

TEST(CalendarGrid, PointsOffTheDatesFindNothing) {
    EXPECT_EQ(calendarCellAt(19, 15), (CalendarCell{1, 1}));
    EXPECT_EQ(calendarCellAt(18, 15).day, 0);  // label strip
    EXPECT_EQ(calendarCellAt(19, 14).day, 0);  // weekday initials
    EXPECT_EQ(calendarCellAt(0, 0).day, 0);
    EXPECT_EQ(calendarCellAt(60, 74), (CalendarCell{31, 1}));
    EXPECT_EQ(calendarCellAt(60, 75).day, 0);  // gap between the bands
    EXPECT_EQ(calendarCellAt(60, 80).day, 0);
    EXPECT_EQ(calendarCellAt(158, 15), (CalendarCell{7, 1}));
    for (int x : {159, 170, 184, 325, 340, 347})
        EXPECT_EQ(calendarCellAt(x, 40).day, 0) << x;
    EXPECT_EQ(calendarCellAt(190, 20).day, 0);  // February starts on a Thursday
    EXPECT_EQ(calendarCellAt(185, 30), (CalendarCell{5, 2}));
    EXPECT_EQ(calendarCellAt(348, 30), (CalendarCell{5, 3}));
    EXPECT_EQ(calendarCellAt(60, 152).day, 0);  // 30 April is a Monday: row 12 holds it alone
    EXPECT_EQ(calendarCellAt(20, 152), (CalendarCell{30, 4}));
    for (int y : {153, 158, 231, 236})
        EXPECT_EQ(calendarCellAt(30, y).day, 0) << y;
    EXPECT_EQ(calendarCellAt(60, 308), (CalendarCell{31, 10}));
    EXPECT_EQ(calendarCellAt(60, 309).day, 0);
    EXPECT_EQ(calendarCellAt(60, 100000).day, 0);
    EXPECT_EQ(calendarCellAt(-1, 20).day, 0);
    EXPECT_EQ(calendarCellAt(20, -1).day, 0);
    // Right of the last column still counts as Sunday of the third block: 2 December.
    EXPECT_EQ(calendarCellAt(487, 240), (CalendarCell{2, 12}));
    EXPECT_EQ(calendarCellAt(488, 240), (CalendarCell{2, 12}));
    EXPECT_EQ(calendarCellAt(100000, 240), (CalendarCell{2, 12}));
}

TEST(CalendarClicks, DayWeekMonthAndYear) {
    const DayTypeTable blank{};
    DayTypeTable table{};
    auto click = [&](CalendarMode mode, int day, int month, int type) {
        const auto [x, y] = pixelOf(day, month);
        return calendarClick(table, mode, x, y, type);
    };
    EXPECT_TRUE(click(CalendarMode::Week, 7, 1, 3));  // a Sunday
    EXPECT_EQ(changedDays(blank, table), dayRange(1, 7));
    EXPECT_EQ(table[static_cast<std::size_t>(dateSlot(4))], 3);
    table = {};
    click(CalendarMode::Week, 8, 1, 3);
    EXPECT_EQ(changedDays(blank, table), dayRange(8, 14));
    table = {};
    click(CalendarMode::Week, 31, 12, 3);  // alone in the last calendar row
    EXPECT_EQ(changedDays(blank, table), dayRange(365, 365));
    table = {};
    click(CalendarMode::Week, 30, 12, 3);
    EXPECT_EQ(changedDays(blank, table), dayRange(358, 364));
    table = {};
    click(CalendarMode::Month, 15, 2, 5);
    EXPECT_EQ(changedDays(blank, table), dayRange(32, 59));
    table = {};
    click(CalendarMode::Month, 3, 12, 5);
    EXPECT_EQ(changedDays(blank, table), dayRange(335, 365));
    table = {};
    click(CalendarMode::Day, 29, 3, 6);  // 29 March
    EXPECT_EQ(changedDays(blank, table), dayRange(88, 88));
    table = {};
    click(CalendarMode::Year, 10, 10, 2);
    EXPECT_EQ(changedDays(blank, table), dayRange(1, 365));
    // Assigning type 1 again is a change back to "assigned", which counts like never assigned.
    click(CalendarMode::Day, 1, 1, 1);
    EXPECT_EQ(table[1], 1);
}

TEST(CalendarClicks, ButtonModesAndClicksOffTheDates) {
    DayTypeTable table{};
    const DayTypeTable blank{};
    const auto [x, y] = pixelOf(10, 5);
    for (CalendarMode mode :
         {CalendarMode::Interval, CalendarMode::Season, CalendarMode::Weekday}) {
        EXPECT_TRUE(calendarClick(table, mode, x, y, 4));  // repainted, nothing assigned
        EXPECT_EQ(table, blank);
    }
    for (auto [px, py] :
         {std::pair{5, 30}, std::pair{60, 77}, std::pair{60, 3}, std::pair{200, 20}}) {
        EXPECT_FALSE(calendarClick(table, CalendarMode::Year, px, py, 4));
        EXPECT_EQ(table, blank);
    }
}

TEST(CalendarPanelModes, LabelsAndListsOfEachMode) {
    CalendarPanel panel;
    EXPECT_EQ(panel.mode, CalendarMode::Week);
    EXPECT_EQ(panel.pointText, "   Señalar      semana    calendario");
    DayTypeTable table{};
    const DayTypeTable blank{};

    EXPECT_FALSE(chooseCalendarMode(panel, CalendarMode::Day, table, 4));
    EXPECT_TRUE(panel.intervalPanelVisible);
    EXPECT_TRUE(panel.pointPanelVisible);
    EXPECT_EQ(panel.pointText, "   Señalar       día    calendario");
    EXPECT_FALSE(panel.applyButtonVisible || panel.dateListsVisible || panel.modeCaptionVisible);
    chooseCalendarMode(panel, CalendarMode::Month, table, 4);
    EXPECT_EQ(panel.pointText, "   Señalar       mes    calendario");

    chooseCalendarMode(panel, CalendarMode::Interval, table, 4);
    EXPECT_FALSE(panel.pointPanelVisible);
    EXPECT_EQ(panel.modeCaption, "Intervalo");
    EXPECT_TRUE(panel.modeCaptionVisible && panel.rangeCaptionsVisible && panel.dateListsVisible &&
                panel.applyButtonVisible);
    EXPECT_FALSE(panel.seasonListVisible || panel.weekdayListVisible);

    chooseCalendarMode(panel, CalendarMode::Season, table, 4);
    EXPECT_EQ(panel.modeCaption, "Estación");
    EXPECT_TRUE(panel.seasonListVisible && panel.applyButtonVisible);
    EXPECT_FALSE(panel.dateListsVisible || panel.rangeCaptionsVisible);

    chooseCalendarMode(panel, CalendarMode::Weekday, table, 4);
    EXPECT_EQ(panel.modeCaption, "Día de la semana");
    EXPECT_TRUE(panel.weekdayListVisible);
    EXPECT_FALSE(panel.seasonListVisible);
    EXPECT_EQ(table, blank);

    // "Todo el año" assigns at once and hides the lists' panel.
    EXPECT_TRUE(chooseCalendarMode(panel, CalendarMode::Year, table, kUnusedDayType));
    EXPECT_FALSE(panel.intervalPanelVisible);
    for (const FilledRect& cell : drawCalendar(table).cells)
        EXPECT_EQ(cell.colour, kTeal);
}

TEST(CalendarPanelModes, CaptionsAndHints) {
    EXPECT_EQ(calendarModeInfo(CalendarMode::Week).caption, "Una semana");
    EXPECT_EQ(calendarModeInfo(CalendarMode::Day).hint,
              "Seleccione el intervalo que desea representar sobre el calendario");
    EXPECT_EQ(calendarModeInfo(CalendarMode::Year).caption, "Todo el año");
    EXPECT_EQ(calendarModeInfo(CalendarMode::Year).hint,
              "Seleccione el intervalo que desea representar");
    EXPECT_EQ(calendarModeInfo(CalendarMode::Weekday).radioButton, "RBDiaSemana");
    EXPECT_EQ(kWeekdayChoices[7], "Todos Festivos");
    EXPECT_EQ(kSeasonNames[2], "Otoño");
    EXPECT_EQ(kCalendarMonthNames[11], "Diciembre");
}

std::set<int> applyInterval(int fromDay, int fromMonth, int toDay, int toMonth) {
    CalendarPanel panel;
    DayTypeTable table{};
    chooseCalendarMode(panel, CalendarMode::Interval, table, 2);
    panel.fromDayItem = fromDay;
    panel.fromMonthItem = fromMonth;
    panel.toDayItem = toDay;
    panel.toMonthItem = toMonth;
    applyDayTypeSelection(panel, table, 2);
    EXPECT_EQ(panel.modeCaption, "Intervalo");
    return changedDays(DayTypeTable{}, table);
}

TEST(CalendarButton, Intervals) {
    // Items are 0-based: item 30 is day "31", month item 1 is "Febrero".
    EXPECT_TRUE(applyInterval(30, 1, 1, 2).empty());  // 31 February (62) .. 2 March (61)
    EXPECT_EQ(applyInterval(27, 1, 1, 2), dayRange(59, 61));
    // Untouched lists: from day 0 of month 0 (the skipped day 0) to 2 January.
    const CalendarPanel fresh;
    EXPECT_EQ(
        applyInterval(fresh.fromDayItem, fresh.fromMonthItem, fresh.toDayItem, fresh.toMonthItem),
        dayRange(1, 2));
    EXPECT_EQ(applyInterval(-1, 2, 0, 2), dayRange(59, 60));  // unselected day with "Marzo"
    EXPECT_EQ(applyInterval(0, 11, 30, 11), dayRange(335, 365));
    EXPECT_EQ(applyInterval(0, 0, 30, 11), dayRange(1, 365));
}

TEST(CalendarButton, SeasonsWeekdaysAndOtherModes) {
    const DayTypeTable blank{};
    CalendarPanel panel;
    DayTypeTable table{};
    chooseCalendarMode(panel, CalendarMode::Season, table, 5);
    const std::set<int> expected[4] = {dayRange(81, 171), dayRange(172, 264), dayRange(265, 355),
                                       [] {
                                           std::set<int> winter = dayRange(356, 365);
                                           winter.merge(dayRange(1, 80));
                                           return winter;
                                       }()};
    for (int item = 0; item < 4; ++item) {
        table = {};
        panel.seasonItem = item;
        applyDayTypeSelection(panel, table, 5);
        EXPECT_EQ(changedDays(blank, table), expected[item]) << item;
        EXPECT_EQ(panel.modeCaption, "Estación");
    }

    chooseCalendarMode(panel, CalendarMode::Weekday, table, 6);
    table = {};
    panel.weekdayItem = 1;  // "Todos Martes"
    applyDayTypeSelection(panel, table, 6);
    std::set<int> tuesdays;
    for (int n = 2; n <= 359; n += 7)
        tuesdays.insert(n);
    EXPECT_EQ(changedDays(blank, table), tuesdays);
    EXPECT_EQ(panel.modeCaption, "Dia de la semana");  // without the accent this time
    EXPECT_TRUE(panel.modeCaptionVisible);
    table = {};
    panel.weekdayItem = 6;  // "Todos Domingos"
    applyDayTypeSelection(panel, table, 6);
    EXPECT_EQ(changedDays(blank, table).size(), 52u);
    EXPECT_EQ(*changedDays(blank, table).begin(), 7);
    table = {};
    panel.weekdayItem = 7;  // "Todos Festivos": no list of holidays, no date
    applyDayTypeSelection(panel, table, 6);
    EXPECT_EQ(table, blank);

    for (CalendarMode mode :
         {CalendarMode::Day, CalendarMode::Week, CalendarMode::Month, CalendarMode::Year}) {
        CalendarPanel other;
        chooseCalendarMode(other, mode, table, 3);
        table = {};
        applyDayTypeSelection(other, table, 3);
        EXPECT_EQ(table, blank);
    }
}

TEST(CalendarDrawingGeometry, CellsAndDayNumbers) {
    DayTypeTable table{};
    for (int t = 1; t <= 7; ++t)
        setDayTypes(table, t + 100, t + 100, t);
    const CalendarDrawing drawing = drawCalendar(table);
    EXPECT_EQ(drawing.font.family, "Arial");
    EXPECT_EQ(drawing.font.pixelHeight, 11);
    EXPECT_TRUE(drawing.font.bold);
    ASSERT_EQ(drawing.cells.size(), 365u);
    ASSERT_EQ(drawing.dayNumbers.size(), 365u);

    // The inside of each grid cell: one pixel right of and below its lines.
    EXPECT_EQ(drawing.cells[0], (FilledRect{20, 16, 39, 27, kSilver}));  // 1 January
    EXPECT_EQ(drawing.dayNumbers[0], (BoxedText{{21, 17, 38, 26, kSilver}, "1", kBlack}));
    EXPECT_EQ(drawing.cells[6].left, 140);  // 7 January, a Sunday
    EXPECT_EQ(drawing.cells[9].top, 28);    // 10 January, row 2
    EXPECT_EQ(drawing.dayNumbers[9].text, "10");
    EXPECT_EQ(drawing.cells[21].top, 52);                                   // 22 January, row 4
    EXPECT_EQ(drawing.cells[31], (FilledRect{246, 16, 265, 27, kSilver}));  // 1 February
    EXPECT_EQ(drawing.cells[90], (FilledRect{140, 82, 159, 93, kSilver}));  // 1 April
    EXPECT_EQ(drawing.cells[364], (FilledRect{349, 298, 368, 309, kSilver}));
    // Numbers in white on the dark fills, in black on the light ones.
    const Rgb colours[8] = {kSilver, kSilver, kFuchsia, kRed, kBlue, kAqua, kLime, kTeal};
    const Rgb inks[8] = {kBlack, kBlack, kWhite, kWhite, kWhite, kBlack, kBlack, kWhite};
    for (int t = 1; t <= 7; ++t) {
        const auto i = static_cast<std::size_t>(t + 99);
        EXPECT_EQ(drawing.cells[i].colour, colours[t]) << t;
        EXPECT_EQ(drawing.dayNumbers[i].ink, inks[t]) << t;
    }
}

TEST(CalendarDrawingGeometry, EveryCellLiesOnTheDateItPaintsClearOfTheLines) {
    const CalendarDrawing drawing = drawCalendar(DayTypeTable{});
    const CalendarPicture picture = calendarBackground();
    for (int n = 1; n <= kDaysPerYear; ++n) {
        const FilledRect& cell = drawing.cells[static_cast<std::size_t>(n - 1)];
        const CalendarCell date{dayOfMonth(n), monthOfDay(n)};
        for (int x = cell.left; x < cell.right; ++x) {
            for (int y = cell.top; y < cell.bottom; ++y)
                ASSERT_EQ(calendarCellAt(x, y), date) << n << " at " << x << "," << y;
        }
        ASSERT_NE(calendarCellAt(cell.left, cell.bottom), date) << n;  // the next row's line
        const FilledRect& text = drawing.dayNumbers[static_cast<std::size_t>(n - 1)].box;
        ASSERT_TRUE(text.left > cell.left && text.right < cell.right && text.top > cell.top &&
                    text.bottom < cell.bottom)
            << n;
        for (const LineSegment& line : picture.gridLines) {
            const bool crosses = std::max(line.x1, line.x2) >= cell.left &&
                                 std::min(line.x1, line.x2) < cell.right &&
                                 std::max(line.y1, line.y2) >= cell.top &&
                                 std::min(line.y1, line.y2) < cell.bottom;
            ASSERT_FALSE(crosses) << n;
        }
    }
}

TEST(CalendarDrawingGeometry, BackgroundLeavesTheDatesFree) {
    const CalendarPicture picture = calendarBackground();
    EXPECT_EQ(picture.strips.size(), 12u);
    EXPECT_EQ(picture.labels.size(), 12u + 21u);
    for (const FilledRect& strip : picture.strips) {
        EXPECT_EQ(strip.colour, kGrey);
        for (int x = strip.left; x < strip.right; ++x) {
            for (int y = strip.top; y < strip.bottom; ++y)
                ASSERT_EQ(calendarCellAt(x, y).day, 0) << x << "," << y;
        }
    }
    EXPECT_EQ(picture.labels[0].text, "ENE");
    EXPECT_TRUE(picture.labels[0].vertical);
    EXPECT_EQ(picture.labels[11].text, "DIC");
    EXPECT_EQ(picture.labels[12].text, "L");
    EXPECT_EQ(picture.labels[32].text, "D");
    for (const LineSegment& line : picture.gridLines) {
        EXPECT_GE(std::min(line.x1, line.x2), 0);
        EXPECT_LT(std::max(line.x1, line.x2), kCalendarWidth);
        EXPECT_LT(std::max(line.y1, line.y2), kCalendarHeight);
    }
}

}  // namespace
}  // namespace climstat
