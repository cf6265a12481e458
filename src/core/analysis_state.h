#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/grid.h"

namespace climstat {

inline constexpr int kHoursPerYear = 8760;  // hour index 1..8760 of a 365-day year
inline constexpr int kYearSlots = 12;       // year slot 1..12; slot y of station data = 1996 + y
inline constexpr int kStationYears = 11;    // slots filled by the station loader
inline constexpr int kDaysPerYear = 365;
inline constexpr int kDayTypes = 7;
inline constexpr int kClassRows = 100;  // value classes 0..99 before a table has to grow
inline constexpr int kClassCols = 14;   // month 1..12, 13 = the whole year

// Written into ts, w and tw before a loader fills them; hours still holding it are no data.
inline constexpr float MISSING_T = 999.0f;

// Item index of the data-source choice.
enum class DataSource { Aemet = 0, Cte2006 = 1, Cte2013 = 2, Epw = 3 };

// The building code's typical-year files. EPW data may hold one typical year or actual years:
// what was loaded says which (typicalYearIndex, slotYear).
inline bool isTypicalYearSource(DataSource source) {
    return source == DataSource::Cte2006 || source == DataSource::Cte2013;
}

// Hourly array [hour index 0..8760][year slot 0..12]; index 0 of both dimensions is unused.
using HourlyArray = Grid<float>;
// Value class 0.. x month 1..12 and 13 = the whole year; grows when a study needs more classes.
using ClassTable = Grid<float>;

HourlyArray makeHourlyArray();
ClassTable makeClassTable();

// Working lists of the design-condition histograms, one entry per class of 1 degree.
struct DesignClassTables {
    std::vector<float> counts;  // counts[k], k = 1..n+1
    std::vector<float>
        cumulative;           // percentage of hours in classes 1..k, 200 when class k is empty
    std::vector<float> edge;  // upper edge o + k of class k, 200 when not set
};

// Dew point, relative humidity and enthalpy of every hour, computed once when a location is
// loaded. Each depends only on ts, w and pt; the ts, w and pt they were computed from are kept
// beside them, so that a value is only used while its hour still holds exactly those data (an
// hour changed afterwards, or a state filled by hand, is computed afresh).
struct DerivedHours {
    HourlyArray dewPoint;          // degC
    HourlyArray relativeHumidity;  // %, not clamped
    HourlyArray enthalpy;          // kJ/kg dry air
    HourlyArray fromTs;
    HourlyArray fromW;
    std::array<float, kYearSlots + 1> fromPt{};  // per year slot
    std::array<bool, kYearSlots + 1> filled{};   // the slot holds computed values
};

// Fills the daily schedule of every day type with the schedules a new window starts with:
// type 1 all day, type 2 8-14 h and 16-20 h, type 3 8-20 h, types 4..7 no hour.
void fillDefaultSchedules(Grid<float>& scheduleTable);

// The one dataset every computation reads and writes: the hourly data of the loaded location,
// the masks of the selection pass, the result tables of every statistic and the texts of the
// location. Members keep the order and shapes the rest of the program relies on; all numbers
// start at 0 and all texts empty, except typicalYearIndex (-1, nothing loaded) and the daily
// schedules (the defaults above). About 3 MB: allocate it once, never on the stack.
struct AnalysisState {
    AnalysisState();

    int firstValidYear = 0;  // first year slot holding a valid temperature (0: none)
    int lastValidYear = 0;   // last year slot holding a valid temperature
    int nYears = 0;          // year slots in use: 11 station data, 1 typical year
    // Calendar year of each year slot when the data name their own years (EPW actual years);
    // all 0 for station data, whose slot y holds 1996 + y, and for a typical year.
    std::array<int, kYearSlots + 1> slotYear{};
    float freqMin = 0;  // extremes of the variable of the frequency study
    float freqMax = 0;
    float wMax = 0;  // cap of the hourly humidity ratio of the station, kg/kg
    int nBins = 0;   // number of value classes of the frequency study and its integer bounds
    int binFirst = 0;
    int binLast = 0;

    HourlyArray ts;         // dry-bulb temperature, degC
    HourlyArray w;          // humidity ratio, kg water / kg dry air
    HourlyArray tw;         // wet-bulb temperature, degC
    HourlyArray binIdx;     // value of the variable of the frequency study
    HourlyArray rangeMask;  // 1.0: valid and inside the variable-range filter
    HourlyArray validMask;  // 1.0: the hour holds usable data
    DerivedHours derived;   // dew point, relative humidity and enthalpy of the loaded hours

    Grid<float> dailyMeanT;             // [day 1..365][year slot], -200 for an unusable day
    std::array<float, 13> validDays{};  // usable days per month 1..12 over all year slots
    std::array<float, kHoursPerYear + 1> hourMask{};  // 1.0: hour inside interval and schedule

    ClassTable classWork;  // cleared by the frequency study; column 13 is a work list
    ClassTable binHours;
    ClassTable freqTable;
    ClassTable dhHours;
    ClassTable dhMeanT;
    ClassTable binCountValid;
    ClassTable binCountRange;
    ClassTable binExact;
    DesignClassTables designClasses;

    Grid<float> hourlyAvg;     // [month 1..12, 13 year][hour of day 1..24, 25 mean]
    Grid<float> hourlyCount;   // same shape as hourlyAvg
    Grid<float> heatingTable;  // [month 1..12, 13 season, 14 year][base temperature 1..6]
    Grid<float> coolingTable;
    Grid<float> scheduleTable;  // [hour of day 1..24][day type 1..7]

    std::array<float, 14> monthValidCount{};
    std::array<float, 14> monthIntervalHours{};
    std::array<int, 14> monthRoundedSum{};

    float plotTsMin = 0;  // plot range of the diagram: extremes of the valid data
    float plotTsMax = 0;
    float plotWMin = 0;
    float plotWMax = 0;

    int nValidT = 0;  // hours with a valid temperature found by the station loader
    int nValidH = 0;  // hours with a humidity reading found by the station loader
    float pt = 0;     // total pressure of the location, Pa

    std::string stationCode;
    std::array<float, 21> stationDesign{};  // the 20 reference design values, 1-based
    float locationLatitude = 0;             // decimal degrees, north positive
    int typicalYearIndex = -1;              // list position of the typical-year selection
    std::string locationCityName;           // "Ciudad: " + name of the typical-year location
    std::string locationProvince;
    std::string locationName;
    std::string locationLatitudeText;
    std::string locationLongitudeText;
    std::string locationCountTText;
    std::string locationCountHText;
    std::string locationCode;
    std::string locationAltitudeText;        // altitude of the data, m; pt is derived from it
    std::array<std::string, 9> stationInfo;  // the 8 texts of the catalogue record, 1-based
    std::string mapCityName;
    std::string selectedLocation;
};

// Whether the loaded years carry calendar years of their own (EPW actual years).
inline bool hasOwnYears(const AnalysisState& state) {
    return state.slotYear[1] != 0;
}

// Calendar year of a year slot: the data's own year, otherwise the station rule 1996 + slot.
inline int calendarYearOfSlot(const AnalysisState& state, int slot) {
    if (slot >= 1 && slot <= kYearSlots && state.slotYear[static_cast<std::size_t>(slot)] != 0) {
        return state.slotYear[static_cast<std::size_t>(slot)];
    }
    return 1996 + slot;
}

}  // namespace climstat
