#include <gtest/gtest.h>

#include <memory>

#include "psychro/humid_air.h"
#include "selection/selection.h"
#include "stats/hourly_values.h"

namespace climstat {
namespace {

// Three station years with different values and selections: the table shows, hour by hour, the
// last selected year, and each cell asked for alone reads the same.
TEST(HourlyValuesCells, EachCellAloneEqualsTheWholeTable) {
    auto state = std::make_unique<AnalysisState>();
    state->nYears = 3;
    state->pt = psychro::pressureAtAltitude(667.0f);
    for (int y = 1; y <= 3; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            state->ts[h][y] = static_cast<float>(y * 3 + (h % 37)) * 0.5f;
            state->w[h][y] = 0.002f + 0.0001f * static_cast<float>((h * y) % 50);
            state->tw[h][y] = psychro::wetBulb(state->ts[h][y], state->w[h][y], state->pt);
            state->rangeMask[h][y] = (h + y) % 3 == 0 ? 0.0f : 1.0f;
        }
    }
    for (int h = 1; h <= kHoursPerYear; ++h)
        state->hourMask[h] = h % 5 == 0 ? 0.0f : 1.0f;
    const TextGrid table = fillHourlyValuesTable(*state, ',');
    for (int row = 0; row < kHourlyTableRows; ++row) {
        for (int column = 0; column < kHourlyTableColumns; ++column) {
            ASSERT_EQ(hourlyValuesCellText(*state, column, row, ','), table.cell(column, row))
                << column << ", " << row;
        }
    }
    EXPECT_EQ(hourlyValuesSlot(*state, 1), 3);  // (1 + 3) % 3 != 0: the last year
    EXPECT_EQ(hourlyValuesSlot(*state, 2), 3);
    EXPECT_EQ(hourlyValuesSlot(*state, 3), 2);  // slot 3 is cleared at hour 3
    EXPECT_EQ(hourlyValuesSlot(*state, 5), 0);  // outside the interval
    EXPECT_TRUE(table.cell(4, 5).empty());
}

}  // namespace
}  // namespace climstat
