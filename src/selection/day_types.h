#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid.h"
#include "selection/drawing.h"

namespace climstat {

// Day types 1..7: each has a 24-hour schedule in scheduleTable[hour 1..24][type] and, except
// "Sin uso", a row of one of the two schedule grids where the user edits it.
inline constexpr int kDayTypeCount = 7;
inline constexpr int kUnusedDayType = 7;  // "Sin uso": no hour, never editable

struct DayTypeInfo {
    std::string_view radioButton;  // object name of its radio button
    std::string_view caption;
    int grid = 0;  // 0 upper grid, 1 lower grid, -1 none
    int row = 0;   // row 1..3 of that grid
    Rgb colour;    // fill of a selected hour on the grid
};

// Day types by number; entry 0 is unused.
const std::array<DayTypeInfo, kDayTypeCount + 1>& dayTypeInfo();

// Which radio buttons of the day types are checked, by type 1..7 (entry 0 unused).
using DayTypeButtons = std::array<bool, kDayTypeCount + 1>;

// The day type being edited or assigned: the checked radio button, tested from "Sin uso" (7)
// down to type 2; 1 when none of them is checked.
int selectedDayType(const DayTypeButtons& checked);

// Geometry of a schedule grid: 24 hour columns of 21 pixels, 3 rows of 19 pixels.
inline constexpr int kScheduleCellWidth = 21;
inline constexpr int kScheduleCellHeight = 19;
inline constexpr int kScheduleGridWidth = 505;
inline constexpr int kScheduleGridHeight = 57;

// A click on either schedule grid at the last pointer position (pixels in that grid): the hour
// under the pointer of the selected day type switches between studied and not studied, but
// only when the pointer is on one of the 24 hour columns and on the row that type has in a grid
// (row 1: types 1 and 4, row 2: types 2 and 5, row 3: types 3 and 6). Both grids share the test,
// so the row counts, not the grid. Returns whether the table changed (the grids need a repaint).
bool toggleScheduleHour(Grid<float>& scheduleTable, int lastPointerX, int lastPointerY,
                        int dayType);

// The painting of both grids: for every hour and type 1..6, the cell of that type's row filled
// with its colour when the hour is studied and white otherwise.
struct ScheduleDrawing {
    std::vector<FilledRect> upper;  // types 1..3
    std::vector<FilledRect> lower;  // types 4..6
};
ScheduleDrawing drawSchedules(const Grid<float>& scheduleTable);

// The lines of the transparent picture laid over each grid: one left of every hour column, the
// last one after hour 24, and one above every row.
std::vector<LineSegment> scheduleGridLines();

// The hour numbers written in every cell of a grid: hour 1..24 in each of the three rows, with
// the cell that holds it (the text is centred in the cell).
struct CellText {
    FilledRect bounds;
    std::string text;
};
std::vector<CellText> scheduleHourLabels();

// Sets the schedule of an editable day type (1..6) to exactly the hours of the day given
// (1..24); other hours become not studied. Returns false, changing nothing, for other types or
// an hour outside 1..24.
bool setSchedule(Grid<float>& scheduleTable, int dayType, const std::vector<int>& hours);

}  // namespace climstat
