#include "core/analysis_state.h"

namespace climstat {

HourlyArray makeHourlyArray() {
    return HourlyArray(kHoursPerYear + 1, kYearSlots + 1);
}

ClassTable makeClassTable() {
    return ClassTable(kClassRows, kClassCols);
}

void fillDefaultSchedules(Grid<float>& scheduleTable) {
    for (int i = 1; i <= 24; ++i) {
        scheduleTable[i][1] = 1.0f;
        scheduleTable[i][2] = ((i >= 8 && i < 14) || (i >= 16 && i < 20)) ? 1.0f : 0.0f;
        scheduleTable[i][3] = (i >= 8 && i < 20) ? 1.0f : 0.0f;
        scheduleTable[i][4] = 0.0f;
        scheduleTable[i][5] = 0.0f;
        scheduleTable[i][6] = 0.0f;
    }
}

AnalysisState::AnalysisState()
    : ts(makeHourlyArray()),
      w(makeHourlyArray()),
      tw(makeHourlyArray()),
      binIdx(makeHourlyArray()),
      rangeMask(makeHourlyArray()),
      validMask(makeHourlyArray()),
      derived{makeHourlyArray(),
              makeHourlyArray(),
              makeHourlyArray(),
              makeHourlyArray(),
              makeHourlyArray(),
              {},
              {}},
      dailyMeanT(kDaysPerYear + 1, kYearSlots + 1),
      classWork(makeClassTable()),
      binHours(makeClassTable()),
      freqTable(makeClassTable()),
      dhHours(makeClassTable()),
      dhMeanT(makeClassTable()),
      binCountValid(makeClassTable()),
      binCountRange(makeClassTable()),
      binExact(makeClassTable()),
      hourlyAvg(14, 27),
      hourlyCount(14, 27),
      heatingTable(15, 18),
      coolingTable(15, 18),
      scheduleTable(25, kDayTypes + 1) {
    fillDefaultSchedules(scheduleTable);
}

}  // namespace climstat
