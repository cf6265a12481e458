#include "core/analysis_state.h"

#include <gtest/gtest.h>

#include <memory>

namespace climstat {
namespace {

TEST(AnalysisState, ArraysHaveTheirOneBasedShapes) {
    auto s = std::make_unique<AnalysisState>();
    for (const HourlyArray* a : {&s->ts, &s->w, &s->tw, &s->binIdx, &s->rangeMask, &s->validMask}) {
        EXPECT_EQ(a->rows(), 8761u);
        EXPECT_EQ(a->cols(), 13u);
    }
    EXPECT_EQ(s->hourMask.size(), 8761u);
    EXPECT_EQ(s->dailyMeanT.rows(), 366u);
    EXPECT_EQ(s->dailyMeanT.cols(), 13u);
    EXPECT_EQ(s->validDays.size(), 13u);
    for (const ClassTable* t : {&s->classWork, &s->binHours, &s->freqTable, &s->dhHours,
                                &s->dhMeanT, &s->binCountValid, &s->binCountRange, &s->binExact}) {
        EXPECT_EQ(t->rows(), 100u);
        EXPECT_EQ(t->cols(), 14u);
    }
    EXPECT_EQ(s->hourlyAvg.rows(), 14u);
    EXPECT_EQ(s->hourlyAvg.cols(), 27u);
    EXPECT_EQ(s->hourlyCount.cols(), 27u);
    EXPECT_EQ(s->heatingTable.rows(), 15u);
    EXPECT_EQ(s->heatingTable.cols(), 18u);
    EXPECT_EQ(s->coolingTable.rows(), 15u);
    EXPECT_EQ(s->scheduleTable.rows(), 25u);
    EXPECT_EQ(s->scheduleTable.cols(), 8u);
    EXPECT_EQ(s->monthRoundedSum.size(), 14u);
    EXPECT_EQ(s->stationDesign.size(), 21u);
    EXPECT_EQ(s->stationInfo.size(), 9u);
}

TEST(AnalysisState, StartsZeroedExceptTheTypicalYearIndexAndTheSchedules) {
    auto s = std::make_unique<AnalysisState>();
    EXPECT_EQ(s->nYears, 0);
    EXPECT_EQ(s->firstValidYear, 0);
    EXPECT_EQ(s->pt, 0.0f);
    EXPECT_EQ(s->typicalYearIndex, -1);
    EXPECT_TRUE(s->locationCityName.empty());
    EXPECT_TRUE(s->selectedLocation.empty());
    for (int h = 0; h <= kHoursPerYear; ++h) {
        for (int y = 0; y <= kYearSlots; ++y) {
            ASSERT_EQ(s->ts[h][y], 0.0f);
            ASSERT_EQ(s->validMask[h][y], 0.0f);
        }
    }
}

TEST(AnalysisState, DefaultSchedulesOfTheDayTypes) {
    auto s = std::make_unique<AnalysisState>();
    int hours[kDayTypes + 1] = {};
    for (int i = 1; i <= 24; ++i) {
        for (int t = 1; t <= kDayTypes; ++t)
            hours[t] += s->scheduleTable[i][t] == 1.0f ? 1 : 0;
    }
    EXPECT_EQ(hours[1], 24);
    EXPECT_EQ(hours[2], 10);  // 8..13 and 16..19
    EXPECT_EQ(hours[3], 12);  // 8..19
    for (int t = 4; t <= 7; ++t)
        EXPECT_EQ(hours[t], 0);
    EXPECT_EQ(s->scheduleTable[7][2], 0.0f);
    EXPECT_EQ(s->scheduleTable[8][2], 1.0f);
    EXPECT_EQ(s->scheduleTable[14][2], 0.0f);
    EXPECT_EQ(s->scheduleTable[19][3], 1.0f);
    EXPECT_EQ(s->scheduleTable[20][3], 0.0f);
}

TEST(Grid, GrowsRowsKeepingItsContents) {
    ClassTable t = makeClassTable();
    t[99][13] = 7.0f;
    t.ensureRows(150);
    EXPECT_EQ(t.rows(), 150u);
    EXPECT_EQ(t[99][13], 7.0f);
    EXPECT_EQ(t[149][13], 0.0f);
    t.ensureRows(10);  // never shrinks
    EXPECT_EQ(t.rows(), 150u);
}

}  // namespace
}  // namespace climstat
