#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "selection/drawing.h"
#include "selection/selection.h"

namespace climstat {

// The calendar on which the user gives each date of the year a day type. Its year is a fixed
// 365-day year that starts on a Monday (the weekday rule of the interval presets, where 1 January
// is a Tuesday, is a different one).

// Gives every day-of-year N from first to last inclusive the day type: nothing when first >
// last, and days outside 1..365 are skipped.
void setDayTypes(DayTypeTable& dayTypeTable, int first, int last, int dayType);

// --- The picture: 490 x 312 pixels, four bands of three months ---
//
// Grid columns 0..23: 0, 8 and 16 are the label strips of the three month blocks, 1..7, 9..15
// and 17..23 the days Monday..Sunday. Grid rows 0..26: 0 holds the weekday initials, 6, 13 and
// 20 are gaps between the bands, the others are the week rows of the bands.
inline constexpr int kCalendarWidth = 490;
inline constexpr int kCalendarHeight = 312;

struct CalendarCell {
    int day = 0;  // day of month; 0 when the point is on no date
    int month = 0;
    friend bool operator==(const CalendarCell&, const CalendarCell&) = default;
};

// The date under a point of the picture, or day 0 on the label strips, the gaps, the header,
// the empty cells of a month and below the last row.
CalendarCell calendarCellAt(int x, int y);

struct CalendarPlace {
    int column = 0;
    int row = 0;
    friend bool operator==(const CalendarPlace&, const CalendarPlace&) = default;
};

// Grid column and row of day-of-year N (1..365).
CalendarPlace calendarPlace(int dayNumber);

// --- The ways of choosing dates ---

enum class CalendarMode {
    Day = 0,       // "Un día": a click assigns the clicked date
    Week = 1,      // "Una semana": a click assigns the calendar row Monday..Sunday of the date
    Month = 2,     // "Un mes": a click assigns the date's month
    Year = 3,      // "Todo el año": choosing the mode, or a click on a date, assigns the year
    Interval = 4,  // "Un intervalo": the button assigns the dates of the four lists
    Season = 5,    // "Una estación": the button assigns a season
    Weekday = 6,   // "Un día semana": the button assigns every date of one weekday
};
inline constexpr int kCalendarModeCount = 7;

struct CalendarModeInfo {
    std::string_view radioButton;
    std::string_view caption;
    std::string_view hint;
};
const CalendarModeInfo& calendarModeInfo(CalendarMode mode);

// Items of the lists of the panel.
extern const std::array<std::string_view, 12> kCalendarMonthNames;  // "Enero" ...
extern const std::array<std::string_view, 4> kSeasonNames;          // "Primavera" ...
extern const std::array<std::string_view, 8> kWeekdayChoices;       // "Todos Lunes" ...

// Day-of-year range [first, last] of a season (item 0..3); winter wraps round the year end and
// its second part is in `wrapFirst..wrapLast` (empty, 1..0, for the other seasons).
struct SeasonDays {
    int first = 1;
    int last = 0;
    int wrapFirst = 1;
    int wrapLast = 0;
};
SeasonDays seasonDays(int seasonItem);

// The state of the calendar panel that the operations below read and change: the chosen mode,
// the items of its lists (-1 = no item selected, which counts as day 0 / month 0) and what it
// shows. A new panel is as the window starts: "Una semana" chosen, "Cambiar desde" untouched
// (day and month unselected), "Hasta el" on day 2 with no month, the first season and weekday.
struct CalendarPanel {
    CalendarMode mode = CalendarMode::Week;
    int fromDayItem = -1;    // ComboBox1, items "1".."31"
    int fromMonthItem = -1;  // ComboBox2, "Enero".."Diciembre"
    int toDayItem = 1;       // ComboBox3
    int toMonthItem = -1;    // ComboBox4
    int seasonItem = 0;      // CBCEstaciones
    int weekdayItem = 0;     // CBDiaSemana

    bool intervalPanelVisible = true;  // PanelIntervalo
    bool pointPanelVisible = true;     // PanelElegir, with the text below
    std::string pointText;             // LabelTipo
    std::string modeCaption;           // Label5
    bool modeCaptionVisible = false;
    bool rangeCaptionsVisible = false;  // "Cambiar desde" and "Hasta el"
    bool dateListsVisible = false;      // the four day and month lists
    bool seasonListVisible = false;
    bool weekdayListVisible = false;
    bool applyButtonVisible = false;  // BitBtn1

    CalendarPanel();
};

// Texts of the small panel that asks the user to point at the calendar.
extern const std::string kPointAtDay;    // "   Señalar       día    calendario"
extern const std::string kPointAtWeek;   // "   Señalar      semana    calendario"
extern const std::string kPointAtMonth;  // "   Señalar       mes    calendario"

// A mode button was clicked: sets panel.mode and what the panel shows; "Todo el año" assigns
// the whole year at once. Returns whether the calendar needs a repaint.
bool chooseCalendarMode(CalendarPanel& panel, CalendarMode mode, DayTypeTable& dayTypeTable,
                        int dayType);

// A click on the calendar picture at the last pointer position, in the chosen mode. Returns
// false, changing nothing, when the point is on no date (nothing is repainted then); otherwise
// the calendar needs a repaint, even in the modes that work with the button and assign nothing.
bool calendarClick(DayTypeTable& dayTypeTable, CalendarMode mode, int lastPointerX,
                   int lastPointerY, int dayType);

// The button of the panel: assigns the interval of the four lists, the season or every date of
// the weekday, by mode (nothing in the other modes, and nothing for "Todos Festivos": there is
// no list of holidays), and sets the caption of the mode. The calendar is repainted afterwards
// in every case.
void applyDayTypeSelection(CalendarPanel& panel, DayTypeTable& dayTypeTable, int dayType);

// --- Painting ---

// Colour of the dates of a day type (0 counts as type 1).
Rgb calendarColour(int dayType);

// Every date as a filled rectangle in the colour of its type with its day number on it, in
// day-of-year order (cells[N - 1] and dayNumbers[N - 1] are day N). A cell is the inside of the
// grid cell that calendarCellAt maps to the date, clear of its lines; the number is written
// centred a pixel inside it, in black or white as reads best on the fill, in the font given (or
// smaller, so that it stays inside the cell).
struct CalendarDrawing {
    Font font;
    std::vector<FilledRect> cells;
    std::vector<BoxedText> dayNumbers;
};
CalendarDrawing drawCalendar(const DayTypeTable& dayTypeTable);

// What does not change: the grey label strips with the month abbreviations written downwards,
// the weekday initials of the header and the grid lines. Paint the strips and labels first, the
// dates of drawCalendar over them and the grid lines last.
struct CalendarPicture {
    Font font;
    std::vector<FilledRect> strips;
    std::vector<PlacedText> labels;
    std::vector<LineSegment> gridLines;
};
CalendarPicture calendarBackground();

}  // namespace climstat
