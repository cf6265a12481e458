#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "psychro/humid_air.h"
#include "selection/selection.h"

namespace climstat {
namespace {

// Station-like data: every hour of the used slots valid at 20 degC, 8 g/kg.
std::unique_ptr<AnalysisState> stationState(int years) {
    auto state = std::make_unique<AnalysisState>();
    state->nYears = years;
    state->pt = 101325.0f;
    for (int h = 1; h <= kHoursPerYear; ++h) {
        for (int y = 1; y <= years; ++y) {
            state->ts[h][y] = 20.0f;
            state->w[h][y] = 0.008f;
            state->tw[h][y] = 14.0f;
        }
    }
    return state;
}

SelectionSettings stationSettings() {
    SelectionSettings settings;
    settings.source = DataSource::Aemet;
    return settings;
}

TEST(ValidMasks, StationDataRules) {
    auto state = stationState(11);
    state->ts[1][1] = 90.0f;  // the limit itself is data
    state->ts[2][1] = 90.5f;
    state->ts[3][1] = MISSING_T;
    state->ts[4][1] = 0.0f;  // a reading of 0 degC and 0 % in a loaded slot is data
    state->w[4][1] = 0.0f;
    state->ts[5][1] = 0.0f;  // frost with humidity is data
    state->ts[6][1] = 12.0f;
    state->w[6][1] = 0.0f;  // dry air is data
    initValidMasks(*state, DataSource::Aemet);
    const float expected[7] = {0, 1, 0, 0, 1, 1, 1};
    for (int h = 1; h <= 6; ++h) {
        EXPECT_EQ(state->validMask[h][1], expected[h]) << h;
        EXPECT_EQ(state->rangeMask[h][1], expected[h]) << h;
    }
    // Slot 12 is never loaded: its zeros are no data, whatever nYears is.
    for (int h = 1; h <= kHoursPerYear; h += 97) {
        EXPECT_EQ(state->validMask[h][12], 0.0f);
        EXPECT_EQ(state->validMask[h][11], 1.0f);
    }
}

TEST(ValidMasks, TypicalYearDataTakesSlotOneAsItIs) {
    auto state = stationState(12);
    state->ts[7][1] = MISSING_T;
    state->ts[8][1] = 0.0f;
    state->w[8][1] = 0.0f;
    for (DataSource source : {DataSource::Cte2006, DataSource::Cte2013}) {
        initValidMasks(*state, source);
        for (int h = 1; h <= kHoursPerYear; ++h) {
            ASSERT_EQ(state->validMask[h][1], 1.0f);
            ASSERT_EQ(state->rangeMask[h][1], 1.0f);
            for (int y = 2; y <= 12; ++y) {
                ASSERT_EQ(state->validMask[h][y], 0.0f);
                ASSERT_EQ(state->rangeMask[h][y], 0.0f);
            }
        }
    }
}

struct RangeCase {
    RangeVariable variable;
    RangeSense sense;
    const char* limit;
    float ts;
    float w;
    float expected;
};

float filterOneHour(const RangeCase& c, bool asSecond) {
    auto state = stationState(1);
    state->ts[100][1] = c.ts;
    state->w[100][1] = c.w;
    SelectionSettings settings = stationSettings();
    RangeCondition& condition = asSecond ? settings.second : settings.first;
    condition = {c.variable, c.sense, c.limit};
    initValidMasks(*state, settings.source);
    applyRangeFilter(*state, settings);
    return state->rangeMask[100][1];
}

TEST(RangeFilter, LowerBoundsKeepTheLimitUpperBoundsDoNot) {
    const RangeCase cases[] = {
        {RangeVariable::DryBulb, RangeSense::Minimum, "25", 25.0f, 0.008f, 1},
        {RangeVariable::DryBulb, RangeSense::Minimum, "25", 24.9f, 0.008f, 0},
        {RangeVariable::DryBulb, RangeSense::Maximum, "25", 25.0f, 0.008f, 0},
        {RangeVariable::DryBulb, RangeSense::Maximum, "25", 24.9f, 0.008f, 1},
        {RangeVariable::HumidityRatio, RangeSense::Maximum, "10", 20.0f, 0.0099f, 1},
        {RangeVariable::HumidityRatio, RangeSense::Maximum, "10", 20.0f, 0.0101f, 0},
        {RangeVariable::HumidityRatio, RangeSense::Minimum, "10", 20.0f, 0.0099f, 0},
        {RangeVariable::HumidityRatio, RangeSense::Minimum, "10", 20.0f, 0.0101f, 1},
        {RangeVariable::DryBulb, RangeSense::Minimum, "-5.5", -5.5f, 0.002f, 1},
        {RangeVariable::DryBulb, RangeSense::Minimum, "-5.5", -5.6f, 0.002f, 0},
    };
    for (const RangeCase& c : cases) {
        for (bool asSecond : {false, true}) {
            EXPECT_EQ(filterOneHour(c, asSecond), c.expected)
                << "limit " << c.limit << " ts " << c.ts << " w " << c.w << " second " << asSecond;
        }
    }
}

TEST(RangeFilter, EachVariableComparesItsOwnValue) {
    auto state = stationState(1);
    const float ts = 30.0f, w = 0.016f, pt = state->pt;
    state->ts[1][1] = ts;
    state->w[1][1] = w;
    state->tw[1][1] = 21.5f;  // the stored wet bulb is used, not a recomputed one
    const float values[7] = {0,
                             ts,
                             21.5f,
                             psychro::dewPoint(w, pt),
                             1000.0f * w,
                             psychro::relativeHumidity(ts, w, pt),
                             psychro::enthalpy(ts, w)};
    for (int item = 1; item <= 6; ++item) {
        const float v = values[item];
        SelectionSettings settings = stationSettings();
        settings.first = {static_cast<RangeVariable>(item), RangeSense::Minimum, ""};
        // Exactly the value: kept as a lower bound, cleared as an upper bound.
        char text[64];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
        settings.first.limitText = text;
        initValidMasks(*state, settings.source);
        applyRangeFilter(*state, settings);
        EXPECT_EQ(state->rangeMask[1][1], 1.0f) << item << " " << text;
        settings.first.sense = RangeSense::Maximum;
        applyRangeFilter(*state, settings);
        EXPECT_EQ(state->rangeMask[1][1], 0.0f) << item << " " << text;
        EXPECT_EQ(state->rangeMask[2][1], 1.0f) << item;  // every value of 20 degC, 8 g/kg is lower
    }
}

TEST(RangeFilter, TwoConditionsMustBothHold) {
    auto state = stationState(1);
    for (int h = 1; h <= 40; ++h)
        state->ts[h][1] = static_cast<float>(h);
    SelectionSettings settings = stationSettings();
    settings.first = {RangeVariable::DryBulb, RangeSense::Minimum, "10"};
    settings.second = {RangeVariable::DryBulb, RangeSense::Maximum, "20"};
    runSelection(*state, settings);
    for (int h = 1; h <= 40; ++h)
        EXPECT_EQ(state->rangeMask[h][1], (h >= 10 && h < 20) ? 1.0f : 0.0f) << h;
}

TEST(RangeFilter, InvalidHoursAndSlotsAboveTheYearsInUseAreLeftAlone) {
    auto state = stationState(2);
    for (int h = 1; h <= kHoursPerYear; ++h) {
        state->ts[h][3] = 60.0f;  // valid data beyond nYears
        state->w[h][3] = 0.03f;
    }
    state->ts[5][1] = MISSING_T;
    state->ts[6][1] = -40.0f;
    state->ts[6][2] = MISSING_T;
    SelectionSettings settings = stationSettings();
    settings.first = {RangeVariable::DryBulb, RangeSense::Maximum, "0"};
    runSelection(*state, settings);
    EXPECT_EQ(state->rangeMask[5][1], 0.0f);
    EXPECT_EQ(state->rangeMask[6][1], 1.0f);
    EXPECT_EQ(state->rangeMask[7][1], 0.0f);
    // Slot 3 keeps what the validity step wrote, though 60 degC fails the condition; its hours
    // do not widen the plot limits either.
    EXPECT_EQ(state->rangeMask[7][3], 1.0f);
    EXPECT_EQ(state->plotTsMin, -40.0f);
    EXPECT_EQ(state->plotTsMax, 20.0f);  // 999 of the invalid hours does not count
    EXPECT_EQ(state->plotWMin, 0.008f);
    EXPECT_EQ(state->plotWMax, 0.008f);
    for (int h = 1; h <= kHoursPerYear; ++h) {
        for (int y = 1; y <= 12; ++y) {
            ASSERT_FALSE(state->rangeMask[h][y] == 1.0f && state->validMask[h][y] == 0.0f);
        }
    }
}

TEST(RangeFilter, PlotLimitsStartFromTheirResetValues) {
    auto state = stationState(1);
    for (int h = 1; h <= kHoursPerYear; ++h) {
        state->ts[h][1] = 60.0f;  // every hour hotter than the reset minimum
        state->w[h][1] = 60.0f;
    }
    runSelection(*state, stationSettings());
    EXPECT_EQ(state->plotTsMin, 50.0f);
    EXPECT_EQ(state->plotTsMax, 60.0f);
    EXPECT_EQ(state->plotWMin, 50.0f);
    EXPECT_EQ(state->plotWMax, 60.0f);

    for (int h = 1; h <= kHoursPerYear; ++h)
        state->ts[h][1] = MISSING_T;  // no valid hour at all
    runSelection(*state, stationSettings());
    EXPECT_EQ(state->plotTsMin, 50.0f);
    EXPECT_EQ(state->plotTsMax, -50.0f);
    EXPECT_EQ(state->plotWMin, 50.0f);
    EXPECT_EQ(state->plotWMax, 0.0f);
}

TEST(RangeFilter, LimitsUseTheCallersDecimalSeparator) {
    auto state = stationState(1);
    state->ts[1][1] = 25.4f;
    state->ts[2][1] = 25.5f;
    SelectionSettings settings = stationSettings();
    settings.decimalSeparator = ',';
    settings.first = {RangeVariable::DryBulb, RangeSense::Minimum, "25,5"};
    runSelection(*state, settings);
    EXPECT_EQ(state->rangeMask[1][1], 0.0f);
    EXPECT_EQ(state->rangeMask[2][1], 1.0f);
    settings.first.limitText = "25.5";
    EXPECT_THROW(runSelection(*state, settings), ConversionError);
}

TEST(RangeFilter, LimitsBeyondTheFloatRangeAreInfinite) {
    auto state = stationState(1);
    SelectionSettings settings = stationSettings();
    settings.first = {RangeVariable::DryBulb, RangeSense::Maximum, "1e300"};
    settings.second = {RangeVariable::DryBulb, RangeSense::Minimum, "-1e300"};
    runSelection(*state, settings);
    EXPECT_EQ(state->rangeMask[1][1], 1.0f);
    settings.first.limitText = "-1e300";  // below everything: nothing lies under it
    runSelection(*state, settings);
    EXPECT_EQ(state->rangeMask[1][1], 0.0f);
}

// A limit text that is not a number stops the pass after the validity step, even when no
// variable is chosen and the edit is hidden.
TEST(RangeFilter, ANonNumericLimitFailsEveryPass) {
    auto state = stationState(2);
    state->ts[3][1] = MISSING_T;
    for (int h = 1; h <= kHoursPerYear; ++h)
        state->hourMask[static_cast<std::size_t>(h)] = (h % 3 == 0) ? 1.0f : 0.0f;
    for (const char* bad : {"abc", "", " ", "1,5", "2e", "--1"}) {
        for (bool inSecond : {false, true}) {
            SelectionSettings settings = stationSettings();
            settings.intervalPreset = 2;
            settings.first = {RangeVariable::DryBulb, RangeSense::Minimum, "30"};
            settings.second = {RangeVariable::None, RangeSense::Maximum, "0"};
            (inSecond ? settings.second : settings.first).limitText = bad;
            state->plotTsMin = 1.0f;
            state->plotTsMax = 2.0f;
            state->plotWMin = 3.0f;
            state->plotWMax = 4.0f;
            try {
                runSelection(*state, settings);
                ADD_FAILURE() << "'" << bad << "' was accepted";
            } catch (const ConversionError& e) {
                EXPECT_EQ(e.text(), bad);
                EXPECT_EQ(std::string(e.what()),
                          "'" + std::string(bad) + "' is not a valid floating point value");
            }
            EXPECT_EQ(state->plotTsMin, 50.0f);
            EXPECT_EQ(state->plotTsMax, -50.0f);
            EXPECT_EQ(state->plotWMin, 50.0f);
            EXPECT_EQ(state->plotWMax, 0.0f);
            EXPECT_EQ(state->rangeMask[3][1], 0.0f);
            for (int h = 1; h <= kHoursPerYear; ++h) {
                for (int y = 1; y <= 12; ++y)
                    ASSERT_EQ(state->rangeMask[h][y], state->validMask[h][y]);
                ASSERT_EQ(state->hourMask[static_cast<std::size_t>(h)], (h % 3 == 0) ? 1.0f : 0.0f);
            }
        }
    }
}

TEST(SelectionPass, WholeYearWithoutFilterSelectsEveryValidHour) {
    auto state = stationState(11);
    state->ts[10][4] = MISSING_T;
    state->hourMask.fill(0.0f);
    runSelection(*state, stationSettings());
    for (int h = 1; h <= kHoursPerYear; ++h) {
        ASSERT_EQ(state->hourMask[static_cast<std::size_t>(h)], 1.0f);
        for (int y = 1; y <= 11; ++y)
            ASSERT_EQ(state->rangeMask[h][y], state->validMask[h][y]);
    }
    EXPECT_EQ(state->rangeMask[10][4], 0.0f);
}

TEST(SelectionPass, AnUnknownPresetIsRefusedBeforeAnythingChanges) {
    auto state = stationState(1);
    state->validMask[1][1] = 0.5f;
    SelectionSettings settings = stationSettings();
    for (int preset : {-1, 13}) {
        settings.intervalPreset = preset;
        EXPECT_THROW(runSelection(*state, settings), UsageError);
        EXPECT_THROW(buildHourMask(*state, settings), UsageError);
    }
    EXPECT_EQ(state->validMask[1][1], 0.5f);
}

}  // namespace
}  // namespace climstat
