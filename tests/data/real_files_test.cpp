// Every real typical-year file of the shared data folder, loaded as the program loads it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "core/number_text.h"
#include "data/met_file.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"
#include "psychro/humid_air.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

bool fileExists(const TypicalYearLocation& row) {
    return fs::is_regular_file(typicalYearFilePath(test::realDatabaseDir(), row.fileBaseName));
}

TEST(RealTypicalYearFiles, AllTwentyThirteenZonesAndTwoCapitalsArePresent) {
    CLIMSTAT_NEED_REAL_DATA();
    int present2013 = 0;
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.list == TypicalYearList::List2013 && fileExists(row)) ++present2013;
    }
    EXPECT_EQ(present2013, 32);
    EXPECT_TRUE(fileExists(*findTypicalYearLocation("Madrid")));
    EXPECT_TRUE(fileExists(*findTypicalYearLocation("Sevilla")));
}

TEST(RealTypicalYearFiles, EveryFileLoadsAsAPlausibleYear) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::string db = test::realDatabaseDir();
    int loaded = 0;
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (!fileExists(row)) continue;
        SCOPED_TRACE(std::string(row.fileBaseName));
        auto state = std::make_unique<AnalysisState>();
        const DataSource source =
            row.list == TypicalYearList::List2006 ? DataSource::Cte2006 : DataSource::Cte2013;
        EXPECT_EQ(loadTypicalYear(*state, row.name, source, db),
                  "Ciudad: " + std::string(row.name));
        const AnalysisState& s = *state;
        EXPECT_EQ(s.pt, psychro::pressureAtAltitude(
                            static_cast<float>(parseDecimal(std::string(row.altitude), '.'))));
        EXPECT_EQ(s.locationAltitudeText, row.altitude);
        const bool canary = std::string_view(row.name).find("canarias") != std::string_view::npos;
        if (canary) {
            EXPECT_GT(s.locationLatitude, 27.5f);
            EXPECT_LT(s.locationLatitude, 29.5f);
        } else {
            EXPECT_GT(s.locationLatitude, 35.5f);
            EXPECT_LT(s.locationLatitude, 43.9f);
        }
        int hours = 0;
        double sum = 0;
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const float t = s.ts[h][1];
            const float w = s.w[h][1];
            hours += s.validMask[h][1] == 1.0f && s.rangeMask[h][1] == 1.0f ? 1 : 0;
            sum += t;
            ASSERT_GE(t, -10.0f) << h;
            ASSERT_LE(t, 45.0f) << h;
            ASSERT_GT(w, 0.001f) << h;
            ASSERT_LT(w, 0.025f) << h;
            ASSERT_LE(psychro::relativeHumidity(t, w, s.pt), 100.0f) << h;
            ASSERT_LE(s.tw[h][1], t + 0.001f) << h;
            ASSERT_GE(s.tw[h][1], psychro::dewPoint(w, s.pt) - 0.001f) << h;
        }
        EXPECT_EQ(hours, 8760);
        EXPECT_GT(sum / kHoursPerYear, 8.0);
        EXPECT_LT(sum / kHoursPerYear, 24.0);
        ++loaded;
    }
    EXPECT_GE(loaded, 34);
}

TEST(RealTypicalYearFiles, HeaderLatitudes) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::string db = test::realDatabaseDir();
    auto state = std::make_unique<AnalysisState>();
    struct Expected {
        const char* name;
        DataSource source;
        float latitude;
    };
    for (const Expected& e : {Expected{"D3_peninsula", DataSource::Cte2013, 40.683331f},
                              Expected{"alpha1_canarias", DataSource::Cte2013, 28.325001f},
                              Expected{"Madrid", DataSource::Cte2006, 40.41f},
                              Expected{"Sevilla", DataSource::Cte2006, 37.37f}}) {
        loadTypicalYear(*state, e.name, e.source, db);
        EXPECT_FLOAT_EQ(state->locationLatitude, e.latitude) << e.name;
    }
}

// Extremes of the raw file values, as read (before the humidity clamp).
struct Range {
    float tsMin = 1e9f, tsMax = -1e9f, wMin = 1e9f, wMax = -1e9f;
    double tsSum = 0;
    int count = 0;
    void add(const MetFileData& data) {
        for (int h = 1; h <= kMetRecords; ++h) {
            tsMin = std::min(tsMin, data.ts[h]);
            tsMax = std::max(tsMax, data.ts[h]);
            wMin = std::min(wMin, data.w[h]);
            wMax = std::max(wMax, data.w[h]);
            tsSum += data.ts[h];
            ++count;
        }
    }
};

TEST(RealTypicalYearFiles, RawValuesMatchTheDescriptionOfTheData) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::string db = test::realDatabaseDir();
    Range zones;
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.list == TypicalYearList::List2013) {
            zones.add(readMetFile(typicalYearFilePath(db, row.fileBaseName)));
        }
    }
    EXPECT_EQ(zones.tsMin, -5.3f);
    EXPECT_EQ(zones.tsMax, 38.5f);
    EXPECT_EQ(zones.wMin, 0.00189f);
    EXPECT_EQ(zones.wMax, 0.02005f);

    Range madrid;
    madrid.add(readMetFile(typicalYearFilePath(db, "madrid")));
    EXPECT_EQ(madrid.tsMin, -0.6f);
    EXPECT_EQ(madrid.tsMax, 36.0f);
    EXPECT_NEAR(madrid.tsSum / madrid.count, 14.35, 0.005);
    EXPECT_EQ(madrid.wMin, 0.00264f);
    EXPECT_EQ(madrid.wMax, 0.009441f);

    Range sevilla;
    sevilla.add(readMetFile(typicalYearFilePath(db, "sevilla")));
    EXPECT_EQ(sevilla.tsMin, 2.0f);
    EXPECT_EQ(sevilla.tsMax, 41.1f);
    EXPECT_EQ(sevilla.wMin, 0.003976f);
    EXPECT_EQ(sevilla.wMax, 0.01311f);
}

}  // namespace
}  // namespace climstat
