// The selection pass on the real typical-year files of the 2013 list.

#include <array>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/calendar.h"
#include "data/met_file.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"
#include "selection/day_type_calendar.h"
#include "selection/interval_presets.h"
#include "selection/selection.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using MonthCounts = std::array<int, 13>;

// Hours of each month that a rule selects, walking the dates of 2019 (a common year starting on
// a Tuesday, as the fixed rules count weekdays).
template <typename Rule>
MonthCounts expectedCounts(Rule rule) {
    using namespace std::chrono;
    MonthCounts counts{};
    int n = 0;
    for (sys_days day = sys_days{2019y / January / 1}; day < sys_days{2020y / January / 1};
         day += days{1}) {
        ++n;
        const year_month_day date{day};
        const unsigned month = static_cast<unsigned>(date.month());
        const unsigned wd = weekday{day}.iso_encoding();
        for (int k = 1; k <= 24; ++k) {
            if (rule(n, static_cast<int>(month), static_cast<int>(wd), k)) ++counts[month];
        }
    }
    return counts;
}

bool fixedRule(int preset, int month, int wd, int k) {
    const bool august = month == 8;
    const bool split = (k >= 8 && k <= 13) || (k >= 16 && k <= 19);
    const bool full = k >= 8 && k <= 19;
    const bool morning = k >= 8 && k <= 13;
    switch (preset) {
        case 0:
            return true;
        case 1:
            return !august;
        case 2:
            return split;
        case 3:
            return wd <= 5 ? split : wd == 6 && morning;
        case 4:
            return wd <= 5 && split;
        case 5:
            return !august && split;
        case 6:
            return !august && wd <= 5 && split;
        case 7:
            return wd <= 5 ? full : wd == 6 && morning;
        case 8:
            return wd <= 5 && full;
        case 9:
            return !august && full;
        case 10:
            return !august && wd <= 5 && full;
        default:
            return false;
    }
}

// Daylight from the sunrise hour angle: hour j is up when its hour angle lies inside
// +-acos(-tan(lat) tan(decl)).
bool daylightRule(int n, int j, double latitude) {
    const double r = 3.1416 / 180.0;
    const double decl = 23.45 * std::sin(r * 360.0 * (284 + n) / 365.25);
    const double c = -std::tan(r * latitude) * std::tan(r * decl);
    const double sunrise = c <= -1 ? 180.0 : c >= 1 ? 0.0 : std::acos(c) / r;
    return std::abs(15.0 * (j - 12)) < sunrise;
}

MonthCounts passCounts(const AnalysisState& state) {
    MonthCounts counts{};
    for (int h = 1; h <= kHoursPerYear; ++h) {
        if (state.rangeMask[h][1] * state.hourMask[static_cast<std::size_t>(h)] == 1.0f)
            ++counts[static_cast<std::size_t>(monthOfHour(static_cast<float>(h)))];
    }
    return counts;
}

class ZoneFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        if (climstat::test::realDatabaseDir().empty()) {
            if (climstat::test::testDataRequired()) FAIL() << "real climate data not found";
            GTEST_SKIP() << "real climate data not found under " CLIMSTAT_TEST_DATA_DIR;
        }
    }
};

TEST_F(ZoneFiles, EveryPresetSelectsTheHoursOfItsRule) {
    const std::string folder = climstat::test::realDatabaseDir();
    int files = 0;
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.list != TypicalYearList::List2013) continue;
        ++files;
        auto state = std::make_unique<AnalysisState>();
        loadTypicalYear(*state, row.name, DataSource::Cte2013, folder);
        SelectionSettings settings;
        settings.source = DataSource::Cte2013;
        for (int preset = 0; preset <= 10; ++preset) {
            settings.intervalPreset = preset;
            runSelection(*state, settings);
            EXPECT_EQ(passCounts(*state), expectedCounts([&](int, int m, int wd, int k) {
                          return fixedRule(preset, m, wd, k);
                      }))
                << row.name << " preset " << preset;
        }
        settings.intervalPreset = kDaylightPreset;
        runSelection(*state, settings);
        const double latitude = state->locationLatitude;
        EXPECT_EQ(passCounts(*state), expectedCounts([&](int n, int, int, int k) {
                      return daylightRule(n, k, latitude);
                  }))
            << row.name << " daylight at " << latitude;

        // The user-defined preset: weekdays of the calendar year (1 January a Monday) never
        // assigned (whole days), weekends unused, all of August on the 8-to-20 schedule.
        settings.intervalPreset = kUserDefinedPreset;
        settings.dayTypeTable = {};
        for (int n = 6; n <= 365; n += 7)
            setDayTypes(settings.dayTypeTable, n, n + 1, kDayTypes);
        setDayTypes(settings.dayTypeTable, dayOfYear(1, 8), dayOfYear(31, 8), 3);
        runSelection(*state, settings);
        EXPECT_EQ(passCounts(*state), expectedCounts([](int n, int m, int, int k) {
                      if (m == 8) return k >= 8 && k <= 19;
                      const int calendarWeekday = (n - 1) % 7;  // 0 Monday
                      return calendarWeekday < 5;
                  }))
            << row.name << " user-defined";
    }
    EXPECT_EQ(files, 32);
}

TEST_F(ZoneFiles, TemperatureFilterKeepsExactlyTheHoursAtOrAboveTheLimit) {
    const std::string folder = climstat::test::realDatabaseDir();
    for (const char* name : {"D3_peninsula", "A4_peninsula", "E1_peninsula", "alpha1_canarias"}) {
        auto state = std::make_unique<AnalysisState>();
        loadTypicalYear(*state, name, DataSource::Cte2013, folder);
        const MetFileData file = readMetFile(typicalYearFilePath(folder, name));
        SelectionSettings settings;
        settings.source = DataSource::Cte2013;
        settings.first = {RangeVariable::DryBulb, RangeSense::Minimum, "25"};
        settings.second = {RangeVariable::HumidityRatio, RangeSense::Maximum, "10"};
        runSelection(*state, settings);
        float tsMin = 50, tsMax = -50, wMin = 50, wMax = 0;
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const float ts = file.ts[static_cast<std::size_t>(h)];
            const float w = state->w[h][1];  // the loader may lower an oversaturated humidity
            const bool kept = ts >= 25.0f && 1000.0f * w < 10.0f;
            ASSERT_EQ(state->rangeMask[h][1], kept ? 1.0f : 0.0f) << name << " hour " << h;
            tsMin = std::min(tsMin, ts);
            tsMax = std::max(tsMax, ts);
            wMin = std::min(wMin, w);
            wMax = std::max(wMax, w);
        }
        EXPECT_EQ(state->plotTsMin, tsMin) << name;
        EXPECT_EQ(state->plotTsMax, tsMax) << name;
        EXPECT_EQ(state->plotWMin, wMin) << name;
        EXPECT_EQ(state->plotWMax, wMax) << name;
    }
}

}  // namespace
}  // namespace climstat
