#include "selection/day_type_calendar.h"

#include <algorithm>

#include "core/calendar.h"

namespace climstat {

namespace {

// First grid row of each month's dates (index 1..12): the bands start at rows 1, 7, 14 and 21,
// and some months begin one row lower than their band.
constexpr int kFirstRow[13] = {0, 1, 1, 1, 7, 8, 8, 14, 15, 15, 22, 22, 21};

// Left pixel of the day columns of each month block, and of its label strip.
constexpr int kBlockLeft[3] = {19, 185, 348};
constexpr int kStripLeft[3] = {0, 159, 325};
constexpr int kStripRight[3] = {19, 185, 348};  // exclusive
// Top pixel of the first week row of each band, and the number of week rows it has.
constexpr int kBandTop[4] = {15, 81, 159, 237};
constexpr int kBandRows[4] = {5, 6, 6, 6};

constexpr int kOffGrid = -1;

int gridColumn(int x) {
    if (x < 0) return kOffGrid;
    if (x <= 18) return 0;
    if (x <= 158) return (x + 1) / 20;
    if (x <= 184) return 8;
    if (x <= 324) return (x - 185) / 20 + 9;
    if (x <= 347) return 16;
    if (x <= 487) return (x - 348) / 20 + 17;
    return 23;
}

int gridRow(int y) {
    if (y < 0) return kOffGrid;
    if (y <= 14) return 0;
    if (y <= 74) return (y - 15) / 12 + 1;
    if (y <= 80) return 6;
    if (y <= 152) return (y - 81) / 12 + 7;
    if (y <= 158) return 13;
    if (y <= 230) return (y - 159) / 12 + 14;
    if (y <= 236) return 20;
    if (y <= 308) return (y - 237) / 12 + 21;
    return kOffGrid;
}

// Weekday index 0 (Monday) .. 6 (Sunday) of day-of-year N in the calendar's year.
int calendarWeekday(int dayNumber) {
    return (dayNumber - 1) % 7;
}

void assign(DayTypeTable& table, int first, int last, int dayType) {
    setDayTypes(table, first, last, dayType);
}

}  // namespace

const std::array<std::string_view, 12> kCalendarMonthNames = {
    "Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
    "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};
const std::array<std::string_view, 4> kSeasonNames = {"Primavera", "Verano", "Otoño", "Invierno"};
const std::array<std::string_view, 8> kWeekdayChoices = {
    "Todos Lunes",   "Todos Martes",  "Todos Miercoles", "Todos Jueves",
    "Todos Viernes", "Todos Sabados", "Todos Domingos",  "Todos Festivos"};

const std::string kPointAtDay = "   Señalar       día    calendario";
const std::string kPointAtWeek = "   Señalar      semana    calendario";
const std::string kPointAtMonth = "   Señalar       mes    calendario";

void setDayTypes(DayTypeTable& dayTypeTable, int first, int last, int dayType) {
    const int from = std::max(first, 1);
    const int to = std::min(last, kDaysPerYear);
    for (int n = from; n <= to; ++n)
        dayTypeTable[static_cast<std::size_t>(dateSlot(n))] = dayType;
}

CalendarPlace calendarPlace(int dayNumber) {
    const int month = monthOfDay(dayNumber);
    const int day = dayOfMonth(dayNumber);
    const int block = (month - 1) % 3;
    const int firstWeekday = calendarWeekday(dayOfYear(1, month));
    return {8 * block + 1 + calendarWeekday(dayNumber),
            kFirstRow[month] + (firstWeekday + day - 1) / 7};
}

CalendarCell calendarCellAt(int x, int y) {
    const int column = gridColumn(x);
    const int row = gridRow(y);
    if (column == kOffGrid || row == kOffGrid) return {};
    if (column % 8 == 0 || row == 0 || row == 6 || row == 13 || row == 20) return {};
    const int month = (row / 7) * 3 + column / 8 + 1;
    const int weekday = column - 1 - 8 * (column / 8);
    const int firstWeekday = calendarWeekday(dayOfYear(1, month));
    const int day = (row - kFirstRow[month]) * 7 + weekday - firstWeekday + 1;
    if (day < 1 || day > daysInMonth(month)) return {};
    return {day, month};
}

const CalendarModeInfo& calendarModeInfo(CalendarMode mode) {
    static constexpr std::string_view kOnCalendar =
        "Seleccione el intervalo que desea representar sobre el calendario";
    static constexpr std::string_view kOther = "Seleccione el intervalo que desea representar";
    static const std::array<CalendarModeInfo, kCalendarModeCount> kInfo = {{
        {"RBCDia", "Un día", kOnCalendar},
        {"RBCSemana", "Una semana", kOnCalendar},
        {"RBCMes", "Un mes", kOnCalendar},
        {"RBCAno", "Todo el año", kOther},
        {"RBCIntervalo", "Un intervalo", kOther},
        {"RBEstacion", "Una estación", kOther},
        {"RBDiaSemana", "Un día semana", kOther},
    }};
    const int item = std::clamp(static_cast<int>(mode), 0, kCalendarModeCount - 1);
    return kInfo[static_cast<std::size_t>(item)];
}

SeasonDays seasonDays(int seasonItem) {
    switch (seasonItem) {
        case 0:
            return {81, 171, 1, 0};
        case 1:
            return {172, 264, 1, 0};
        case 2:
            return {265, 355, 1, 0};
        case 3:
            return {356, 365, 1, 80};
        default:
            return {};
    }
}

CalendarPanel::CalendarPanel() {
    // The window starts with "Una semana" chosen and its panel shown.
    pointText = kPointAtWeek;
}

bool chooseCalendarMode(CalendarPanel& panel, CalendarMode mode, DayTypeTable& dayTypeTable,
                        int dayType) {
    panel.mode = mode;
    panel.intervalPanelVisible = true;
    panel.pointPanelVisible = false;
    panel.dateListsVisible = false;
    panel.seasonListVisible = false;
    panel.weekdayListVisible = false;
    panel.applyButtonVisible = false;
    panel.modeCaptionVisible = false;
    panel.rangeCaptionsVisible = false;
    switch (mode) {
        case CalendarMode::Day:
            panel.pointPanelVisible = true;
            panel.pointText = kPointAtDay;
            return false;
        case CalendarMode::Week:
            panel.pointPanelVisible = true;
            panel.pointText = kPointAtWeek;
            return false;
        case CalendarMode::Month:
            panel.pointPanelVisible = true;
            panel.pointText = kPointAtMonth;
            return false;
        case CalendarMode::Year:
            panel.intervalPanelVisible = false;
            assign(dayTypeTable, 1, kDaysPerYear, dayType);
            return true;
        case CalendarMode::Interval:
            panel.modeCaption = "Intervalo";
            panel.modeCaptionVisible = true;
            panel.rangeCaptionsVisible = true;
            panel.dateListsVisible = true;
            panel.applyButtonVisible = true;
            return false;
        case CalendarMode::Season:
            panel.modeCaption = "Estación";
            panel.modeCaptionVisible = true;
            panel.seasonListVisible = true;
            panel.applyButtonVisible = true;
            return false;
        case CalendarMode::Weekday:
            panel.modeCaption = "Día de la semana";
            panel.modeCaptionVisible = true;
            panel.weekdayListVisible = true;
            panel.applyButtonVisible = true;
            return false;
    }
    return false;
}

bool calendarClick(DayTypeTable& dayTypeTable, CalendarMode mode, int lastPointerX,
                   int lastPointerY, int dayType) {
    const CalendarCell cell = calendarCellAt(lastPointerX, lastPointerY);
    if (cell.day == 0) return false;
    const int n = dayOfYear(cell.day, cell.month);
    switch (mode) {
        case CalendarMode::Day:
            assign(dayTypeTable, n, n, dayType);
            break;
        case CalendarMode::Week: {
            const int week = (n - 1) / 7;
            // 31 December is alone in the 53rd calendar row: it is its own week.
            if (week <= 51) {
                assign(dayTypeTable, 7 * week + 1, 7 * week + 7, dayType);
            } else {
                assign(dayTypeTable, n, n, dayType);
            }
            break;
        }
        case CalendarMode::Month:
            assign(dayTypeTable, dayOfYear(1, cell.month),
                   cell.month == 12 ? kDaysPerYear : dayOfYear(1, cell.month + 1) - 1, dayType);
            break;
        case CalendarMode::Year:
            assign(dayTypeTable, 1, kDaysPerYear, dayType);
            break;
        case CalendarMode::Interval:
        case CalendarMode::Season:
        case CalendarMode::Weekday:
            break;
    }
    return true;
}

void applyDayTypeSelection(CalendarPanel& panel, DayTypeTable& dayTypeTable, int dayType) {
    switch (panel.mode) {
        case CalendarMode::Interval:
            panel.modeCaption = "Intervalo";
            panel.modeCaptionVisible = true;
            panel.rangeCaptionsVisible = true;
            // An unselected list counts as item -1: day 0 or month 0 (January).
            assign(dayTypeTable, dayOfYear(panel.fromDayItem + 1, panel.fromMonthItem + 1),
                   dayOfYear(panel.toDayItem + 1, panel.toMonthItem + 1), dayType);
            break;
        case CalendarMode::Season: {
            panel.modeCaption = "Estación";
            panel.modeCaptionVisible = true;
            const SeasonDays season = seasonDays(panel.seasonItem);
            assign(dayTypeTable, season.first, season.last, dayType);
            assign(dayTypeTable, season.wrapFirst, season.wrapLast, dayType);
            break;
        }
        case CalendarMode::Weekday: {
            panel.modeCaption = "Dia de la semana";
            panel.modeCaptionVisible = true;
            // "Todos Festivos" (item 7) matches no date: there is no list of holidays.
            const int wanted = panel.weekdayItem + 1;
            for (int n = 1; n <= kDaysPerYear; ++n) {
                const int weekday = n % 7 == 0 ? 7 : n % 7;
                if (weekday == wanted) assign(dayTypeTable, n, n, dayType);
            }
            break;
        }
        case CalendarMode::Day:
        case CalendarMode::Week:
        case CalendarMode::Month:
        case CalendarMode::Year:
            break;
    }
}

Rgb calendarColour(int dayType) {
    switch (dayType) {
        case 2:
            return kFuchsia;
        case 3:
            return kRed;
        case 4:
            return kBlue;
        case 5:
            return kAqua;
        case 6:
            return kLime;
        case 7:
            return kTeal;
        default:
            return kSilver;
    }
}

CalendarDrawing drawCalendar(const DayTypeTable& dayTypeTable) {
    CalendarDrawing drawing;
    drawing.font = Font{"Arial", 11, true, false, kBlack};
    drawing.cells.reserve(kDaysPerYear);
    drawing.dayNumbers.reserve(kDaysPerYear);
    for (int n = 1; n <= kDaysPerYear; ++n) {
        const int month = monthOfDay(n);
        const int band = (month - 1) / 3;
        const int block = (month - 1) % 3;
        const CalendarPlace place = calendarPlace(n);
        const Rgb colour = calendarColour(dayTypeTable[static_cast<std::size_t>(dateSlot(n))]);
        // The grid lines run along the left and top pixel of every cell (calendarBackground).
        const int weekday = place.column - 1 - 8 * block;
        const int firstRowOfBand = 7 * band + (band == 0 ? 1 : 0);
        const int left = kBlockLeft[block] + 20 * weekday;
        const int top = kBandTop[band] + 12 * (place.row - firstRowOfBand);
        const FilledRect cell{left + 1, top + 1, left + 20, top + 12, colour};
        drawing.cells.push_back(cell);
        // The number keeps a pixel of the fill all round it.
        const FilledRect text{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1, colour};
        drawing.dayNumbers.push_back({text, std::to_string(dayOfMonth(n)), contrastingInk(colour)});
    }
    return drawing;
}

CalendarPicture calendarBackground() {
    static constexpr const char* kAbbreviations[12] = {"ENE", "FEB", "MAR", "ABR", "MAY", "JUN",
                                                       "JUL", "AGO", "SEP", "OCT", "NOV", "DIC"};
    static constexpr const char* kInitials[7] = {"L", "M", "X", "J", "V", "S", "D"};
    CalendarPicture picture;
    picture.font = Font{"Arial", 11, true, true, kBlack};
    for (int band = 0; band < 4; ++band) {
        const int top = kBandTop[band];
        const int bottom = top + 12 * kBandRows[band];  // exclusive
        for (int block = 0; block < 3; ++block) {
            const int left = kStripLeft[block];
            const int right = kStripRight[block];
            picture.strips.push_back({left, top, right, bottom, kGrey});
            // Three letters of 11 pixels, centred in the strip.
            picture.labels.push_back({left + (right - left - 8) / 2, top + (bottom - top - 33) / 2,
                                      kAbbreviations[3 * band + block], kGrey, true, true});
        }
    }
    for (int block = 0; block < 3; ++block) {
        for (int k = 0; k < 7; ++k) {
            picture.labels.push_back(
                {kBlockLeft[block] + 20 * k + 6, 1, kInitials[k], kWhite, false, true});
        }
    }
    // Lines on the borders of the cells that calendarCellAt resolves.
    for (int band = 0; band < 4; ++band) {
        const int top = kBandTop[band];
        const int bottom = top + 12 * kBandRows[band];
        for (int block = 0; block < 3; ++block) {
            const int left = kBlockLeft[block];
            for (int k = 0; k <= 7; ++k)
                picture.gridLines.push_back({left + 20 * k, top, left + 20 * k,
                                             std::min(bottom, kCalendarHeight - 1), kBlack});
            for (int r = 0; r <= kBandRows[band]; ++r) {
                const int y = std::min(top + 12 * r, kCalendarHeight - 1);
                picture.gridLines.push_back(
                    {left, y, std::min(left + 140, kCalendarWidth - 1), y, kBlack});
            }
        }
    }
    return picture;
}

}  // namespace climstat
