#include "data/station_loader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <sstream>

#include "core/errors.h"
#include "psychro/humid_air.h"
#include "support/station_builder.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using psychro::Extrapolation;
using test::consecutiveDays;
using test::constantDay;

constexpr float kNoData = 999.9f;  // a missing raw 9999 read as tenths

int hourIndex(int month, int day, int hour) {
    int days = 0;
    for (int m = 1; m < month; ++m)
        days += daysInMonth365(m);
    return (days + day - 1) * 24 + hour;
}

float wFromReading(float t, double rh, float pt) {
    const double pv = static_cast<double>(psychro::saturationPressure(t)) * rh * 0.01;
    return psychro::humidityRatio(static_cast<float>(pv), pt);
}

class StationLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = test::makeTempDir("station-loader");
        state_ = std::make_unique<AnalysisState>();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Looks the station up (for wMax) and loads it.
    StationLoadResult load(const std::string& code, Extrapolation choice = Extrapolation::None,
                           const std::string& locality = "0") {
        lookUpStation(*state_, code);
        StationLoadSettings settings;
        settings.extrapolation = choice;
        settings.localityAltitudeText = locality;
        return loadStationData(*state_, std::string(findStation(code)->altitudeText), code,
                               settings, folder_, trace_, errors_);
    }
    float ts(int y, int h) const { return state_->ts[h][y]; }
    float w(int y, int h) const { return state_->w[h][y]; }
    float tw(int y, int h) const { return state_->tw[h][y]; }

    std::string folder_;
    std::unique_ptr<AnalysisState> state_;
    std::ostringstream trace_;
    std::ostringstream errors_;
};

TEST_F(StationLoaderTest, KnownValuesLoadWithTheirCountsAndYears) {
    // 1998 and 2003 complete at 20.0 degC and 50 %, nothing else.
    auto t = [](int, int, int, int) { return 200; };
    auto rh = [](int, int, int, int) { return 50; };
    std::vector<StationDay> temperature = consecutiveDays(1998, 1, 1, 365, t);
    std::vector<StationDay> humidity = consecutiveDays(1998, 1, 1, 365, rh);
    for (const StationDay& day : consecutiveDays(2003, 1, 1, 365, t))
        temperature.push_back(day);
    for (const StationDay& day : consecutiveDays(2003, 1, 1, 365, rh))
        humidity.push_back(day);
    test::writeStation(folder_, "3195", temperature, humidity);

    const StationLoadResult result = load("3195");
    EXPECT_TRUE(result.temperatureRead);
    EXPECT_TRUE(result.humidityRead);
    EXPECT_EQ(errors_.str(), "");
    EXPECT_EQ(trace_.str(), "Fichero lectura = " + result.temperaturePath +
                                "\nFichero lectura = " + result.humidityPath + "\n");
    const float pt = psychro::pressureAtAltitude(667.0f);
    EXPECT_EQ(state_->pt, pt);
    EXPECT_EQ(state_->nYears, 11);
    EXPECT_EQ(state_->nValidT, 2 * 8760);
    EXPECT_EQ(state_->nValidH, 2 * 8760);
    EXPECT_EQ(state_->firstValidYear, 2);
    EXPECT_EQ(state_->lastValidYear, 7);

    const float expectedW = wFromReading(20.0f, 50.0, pt);
    const float expectedTw = psychro::wetBulb(20.0f, expectedW, pt);
    for (int y : {2, 7}) {
        for (int h : {1, 4000, 8760}) {
            EXPECT_EQ(ts(y, h), 20.0f);
            EXPECT_EQ(w(y, h), expectedW);
            EXPECT_EQ(tw(y, h), expectedTw);
            EXPECT_EQ(state_->validMask[h][y], 1.0f);
        }
    }
    for (int y : {1, 3, 11}) {
        EXPECT_EQ(ts(y, 100), kNoData);
        EXPECT_EQ(w(y, 100), MISSING_T);
        EXPECT_EQ(tw(y, 100), MISSING_T);
        EXPECT_EQ(state_->validMask[100][y], 0.0f);
    }
    EXPECT_EQ(ts(12, 100), 0.0f);  // slot 12 is never written

    // Loading again gives the same arrays.
    const HourlyArray firstTs = state_->ts;
    const HourlyArray firstW = state_->w;
    load("3195");
    EXPECT_TRUE(state_->ts == firstTs);
    EXPECT_TRUE(state_->w == firstW);
}

TEST_F(StationLoaderTest, MissingDaysAndTheTwentyNinthOfFebruary) {
    std::vector<StationDay> temperature;
    std::vector<StationDay> humidity;
    for (int d = 25; d <= 28; ++d) {
        if (d == 26) continue;  // a day the files lack
        temperature.push_back(constantDay(2000, 2, d, 100 + d));
        humidity.push_back(constantDay(2000, 2, d, 60));
    }
    temperature.push_back(constantDay(2000, 2, 29, 555));
    humidity.push_back(constantDay(2000, 2, 29, 99));
    temperature.push_back(constantDay(2000, 3, 1, 131));
    humidity.push_back(constantDay(2000, 3, 1, 61));
    test::writeStation(folder_, "3195", temperature, humidity);

    load("3195");
    const int y = 4;  // 2000
    EXPECT_FLOAT_EQ(ts(y, hourIndex(2, 25, 24)), 12.5f);
    EXPECT_EQ(ts(y, hourIndex(2, 26, 1)), kNoData);
    EXPECT_EQ(w(y, hourIndex(2, 26, 1)), MISSING_T);
    EXPECT_EQ(state_->validMask[hourIndex(2, 26, 12)][y], 0.0f);
    EXPECT_FLOAT_EQ(ts(y, hourIndex(2, 28, 24)), 12.8f);
    EXPECT_FLOAT_EQ(ts(y, hourIndex(3, 1, 1)), 13.1f);  // straight after the 28th
    EXPECT_EQ(state_->nValidT, 4 * 24);
    EXPECT_EQ(state_->nValidH, 4 * 24);
}

TEST_F(StationLoaderTest, HoursWithoutHumidityCarryTheLastValue) {
    // 1997-01-01: hours 1-2 without reading at -10 degC, hour 3 reading 80 % at 10 degC,
    // hours 4.. without reading at 12 degC; 1997-01-02 has no humidity record at all.
    StationDay t1 = constantDay(1997, 1, 1, 120);
    t1.values[0] = t1.values[1] = -100;
    t1.values[2] = 100;
    StationDay h1 = constantDay(1997, 1, 1, MISSING_RAW);
    h1.values[2] = 80;
    test::writeStation(folder_, "3195", {t1, constantDay(1997, 1, 2, 150)}, {h1});

    load("3195");
    const float pt = state_->pt;
    // 0.005 kg/kg is above saturation at -10 degC: lowered to 99.5 %, and carried on as such.
    const float capped = psychro::humidityRatioAt995(-10.0f, pt);
    EXPECT_LT(capped, 0.005f);
    EXPECT_EQ(w(1, 1), capped);
    EXPECT_EQ(w(1, 2), capped);
    const float reading = wFromReading(10.0f, 80.0, pt);
    EXPECT_EQ(w(1, 3), reading);
    EXPECT_EQ(w(1, 4), reading);
    EXPECT_EQ(w(1, 24 + 24), reading);
    EXPECT_EQ(tw(1, 48), psychro::wetBulb(15.0f, reading, pt));
    EXPECT_EQ(state_->nValidH, 1);
    EXPECT_EQ(state_->nValidT, 48);
}

TEST_F(StationLoaderTest, HumidityExtremesAndZeroTemperature) {
    StationDay t = constantDay(1999, 6, 1, 250);
    StationDay h = constantDay(1999, 6, 1, 100);  // 100 % is taken as 99.5 %
    h.values[1] = 0;                              // 0 %: w and tw are 0, the hour stays valid
    t.values[2] = 0;                              // exactly 0.0 degC: an hour like any other
    h.values[3] = 120;                            // above 100: no reading, and reported
    t.values[4] = -950;                           // -95 degC: no data, and reported
    test::writeStation(folder_, "3195", {t}, {h});

    const StationLoadResult result = load("3195");
    const int y = 3;
    const int h0 = hourIndex(6, 1, 1);
    const float pt = state_->pt;
    EXPECT_EQ(w(y, h0), wFromReading(25.0f, 99.5, pt));
    EXPECT_EQ(w(y, h0 + 3), wFromReading(0.0f, 99.5, pt));  // carried from h0 + 2
    EXPECT_EQ(state_->validMask[h0 + 4][y], 0.0f);
    EXPECT_EQ(result.droppedHours, 2);
    EXPECT_EQ(result.droppedDates, (std::vector<std::string>{
                                       "1999-06-01 05h", "1999-06-01 04h"}));  // temperatures first
    EXPECT_EQ(result.usableHours, 23);
    EXPECT_EQ(w(y, h0 + 1), 0.0f);
    EXPECT_EQ(tw(y, h0 + 1), 0.0f);
    EXPECT_EQ(state_->validMask[h0 + 1][y], 1.0f);
    EXPECT_EQ(w(y, h0 + 2), wFromReading(0.0f, 99.5, pt));
    EXPECT_EQ(tw(y, h0 + 2), psychro::wetBulb(0.0f, w(y, h0 + 2), pt));
    EXPECT_EQ(state_->validMask[h0 + 2][y], 1.0f);
    EXPECT_EQ(state_->nValidH, 21);  // neither 0 % nor 120 % counts as a reading
}

TEST_F(StationLoaderTest, HumidityRatioIsCappedAtTheStationsMaximum) {
    // Station 1428 caps at 0.019 kg/kg; 35 degC at 90 % is far above it.
    StationDay t = constantDay(2005, 8, 1, 350);
    StationDay h = constantDay(2005, 8, 1, 90);
    h.values[1] = MISSING_RAW;
    h.values[5] = 30;
    test::writeStation(folder_, "1428", {t}, {h});

    load("1428");
    const int y = 9;
    const int h0 = hourIndex(8, 1, 1);
    const float pt = psychro::pressureAtAltitude(364.0f);
    EXPECT_EQ(w(y, h0), 0.019f);
    EXPECT_EQ(tw(y, h0), psychro::wetBulb(35.0f, 0.019f, pt));
    // The carried humidity is the uncapped one, capped again where it is used.
    EXPECT_GT(wFromReading(35.0f, 90.0, pt), 0.019f);
    EXPECT_EQ(w(y, h0 + 1), 0.019f);
    EXPECT_EQ(w(y, h0 + 5), wFromReading(35.0f, 30.0, pt));
}

TEST_F(StationLoaderTest, MissingTemperatureFileIsReportedAndLeavesNoData) {
    test::writeStation(folder_, "3195", {constantDay(1999, 1, 1, 100)},
                       {constantDay(1999, 1, 1, 50)});
    std::filesystem::remove(stationFilePath(folder_, "T", "3195"));
    const StationLoadResult result = load("3195");
    EXPECT_FALSE(result.temperatureRead);
    EXPECT_EQ(result.temperatureFailure.kind, ErrorKind::CannotOpen);
    EXPECT_EQ(result.temperatureFailure.fields.cause, FileCause::Missing);
    EXPECT_TRUE(result.humidityRead);
    EXPECT_EQ(errors_.str(), "Error lectura \n");
    EXPECT_EQ(state_->nValidT, 0);
    EXPECT_EQ(state_->firstValidYear, 0);
    EXPECT_EQ(state_->lastValidYear, 0);
    EXPECT_EQ(ts(3, 1), kNoData);
    EXPECT_EQ(state_->validMask[1][3], 0.0f);
}

TEST_F(StationLoaderTest, MissingHumidityFileNeverReusesTemperatures) {
    test::writeStation(folder_, "3195", {constantDay(1999, 1, 1, 235)}, {});
    std::filesystem::remove(stationFilePath(folder_, "H", "3195"));
    const StationLoadResult result = load("3195");
    EXPECT_TRUE(result.temperatureRead);
    EXPECT_FALSE(result.humidityRead);
    EXPECT_EQ(errors_.str(), "");  // only the temperature file is reported
    EXPECT_EQ(state_->nValidH, 0);
    // 23.5 degC with the first carried humidity, not a "reading" of 235 %.
    EXPECT_EQ(w(3, 1), 0.005f);
    EXPECT_EQ(w(3, 24), 0.005f);
}

class ExtrapolationLoadTest : public StationLoaderTest {
  protected:
    void SetUp() override {
        StationLoaderTest::SetUp();
        // All of 2001: 20.0 degC and 95 %, with an hour at 0.0 degC, one at 0 %, one missing.
        std::vector<StationDay> t =
            consecutiveDays(2001, 1, 1, 365, [](int, int, int, int) { return 200; });
        std::vector<StationDay> h =
            consecutiveDays(2001, 1, 1, 365, [](int, int, int, int) { return 95; });
        t[0].values[1] = 0;
        h[0].values[2] = 0;
        t[0].values[3] = MISSING_RAW;
        test::writeStation(folder_, "3195", t, h);
    }
    static constexpr int y = 5;  // 2001
};

TEST_F(ExtrapolationLoadTest, HigherLocalityIsColderAtItsOwnPressure) {
    load("3195", Extrapolation::Altitude, "1167");
    const float pt = psychro::pressureAtAltitude(1167.0f);
    EXPECT_EQ(state_->pt, pt);
    EXPECT_FLOAT_EQ(ts(y, 1), 15.0f);
    EXPECT_FLOAT_EQ(ts(y, 8760), 15.0f);
    // 95 % at 20 degC is above saturation at 15 degC: lowered to 99.5 %.
    EXPECT_EQ(w(y, 1), psychro::humidityRatioAt995(ts(y, 1), pt));
    EXPECT_EQ(tw(y, 1), psychro::wetBulb(ts(y, 1), w(y, 1), pt));
    // A reading of 0.0 degC is corrected like any other; not corrected: a 0 % reading, no
    // temperature.
    EXPECT_FLOAT_EQ(ts(y, 2), -5.0f);
    EXPECT_EQ(ts(y, 3), 20.0f);
    EXPECT_EQ(w(y, 3), 0.0f);
    EXPECT_EQ(ts(y, 4), kNoData);
}

TEST_F(ExtrapolationLoadTest, LowerLocalityKeepsTemperaturesAndChangesThePressure) {
    load("3195");
    const float stationW = w(y, 1);
    load("3195", Extrapolation::Altitude, "100");
    const float pt = psychro::pressureAtAltitude(100.0f);
    EXPECT_EQ(state_->pt, pt);
    EXPECT_EQ(ts(y, 1), 20.0f);
    EXPECT_EQ(w(y, 1), wFromReading(20.0f, 95.0, pt));
    EXPECT_LT(w(y, 1), stationW);  // the same relative humidity at a higher pressure
}

TEST_F(ExtrapolationLoadTest, ThermalIslandAddsTheSeasonOffsets) {
    load("3195");
    const float stationW = w(y, 1);
    const float stationPt = state_->pt;
    load("3195", Extrapolation::ThermalIsland, "5000");  // the locality altitude is not used
    EXPECT_EQ(state_->pt, stationPt);
    const std::pair<int, float> cases[] = {{1919, 23.0f}, {1920, 21.5f}, {4128, 21.5f},
                                           {4129, 20.0f}, {6359, 20.0f}, {6360, 21.5f},
                                           {8520, 21.5f}, {8521, 23.0f}};
    for (const auto& [hour, expected] : cases) {
        EXPECT_EQ(ts(y, hour), expected) << hour;
        EXPECT_EQ(w(y, hour), stationW) << hour;
    }
    EXPECT_EQ(ts(y, 2), 3.0f);  // 0.0 degC in January, corrected like any other hour
    EXPECT_EQ(ts(y, 3), 20.0f);
    EXPECT_EQ(state_->locationName, "");  // the loader itself writes no location text
}

TEST_F(ExtrapolationLoadTest, BadLocalityAltitudeChangesNothing) {
    load("3195");
    const HourlyArray before = state_->ts;
    const float pt = state_->pt;
    EXPECT_THROW(load("3195", Extrapolation::Altitude, "12a"), ConversionError);
    EXPECT_THROW(load("3195", Extrapolation::ThermalIslandAndAltitude, "50000"), UsageError);
    EXPECT_TRUE(state_->ts == before);
    EXPECT_EQ(state_->pt, pt);
    // With choices that ignore the altitude, its text is never converted.
    EXPECT_NO_THROW(load("3195", Extrapolation::ThermalIsland, "12a"));
}

TEST_F(StationLoaderTest, SelectingAStationFillsTheTextsAndLoads) {
    test::writeStation(folder_, "1387E", {constantDay(2002, 1, 1, 80)},
                       {constantDay(2002, 1, 1, 70)});
    StationLoadSettings settings;
    settings.extrapolation = Extrapolation::ThermalIsland;
    settings.decimalSeparator = ',';
    const StationSelection selection =
        selectStation(*state_, stationIndexForCode("1387E"), settings, folder_, trace_, errors_);
    EXPECT_TRUE(selection.loaded);
    EXPECT_EQ(state_->selectedLocation, "1387E");
    EXPECT_EQ(state_->typicalYearIndex, -1);
    EXPECT_EQ(state_->locationName, "Datos base: A Coruña (Aeroporto) (1387E)");
    EXPECT_EQ(state_->locationAltitudeText, "97");
    EXPECT_EQ(selection.stationLabels.station, "Estación: A Coruña (Aeroporto)");
    EXPECT_EQ(selection.designTexts.station, "Datos base: A Coruña (Aeroporto) (1387E)");
    EXPECT_EQ(selection.designTexts.reference[1], "-4,7");
    EXPECT_EQ(selection.designTexts.countH, "29200 (1998-2007)");
    EXPECT_EQ(state_->nValidT, 24);
    EXPECT_FLOAT_EQ(ts(6, 1), 11.0f);  // 8.0 + 3.0 in winter

    // "Ninguna selección": labels cleared, everything else kept.
    const StationSelection none = selectStation(*state_, 0, settings, folder_, trace_, errors_);
    EXPECT_FALSE(none.loaded);
    EXPECT_EQ(none.stationLabels.station, "");
    EXPECT_EQ(state_->selectedLocation, "");
    EXPECT_EQ(state_->stationCode, "1387E");
    EXPECT_EQ(state_->nValidT, 24);

    // With a typical-year data source the station is looked up but not loaded.
    settings.selection.source = DataSource::Cte2013;
    const StationSelection other =
        selectStation(*state_, stationIndexForCode("3195"), settings, folder_, trace_, errors_);
    EXPECT_FALSE(other.loaded);
    EXPECT_EQ(other.stationLabels.code, "Indicativo: 3195");
    EXPECT_EQ(state_->stationCode, "3195");
    EXPECT_EQ(state_->locationName, "Datos base: A Coruña (Aeroporto) (1387E)");
}

TEST_F(StationLoaderTest, ElevenYearsOfRealHourlyData) {
    CLIMSTAT_NEED_REAL_DATA();
    const test::StationTables tables = test::elevenYearTables(test::realDatabaseDir());
    test::writeStation(folder_, "3195", stationDaysFromTable(tables.temperature),
                       stationDaysFromTable(tables.humidity));
    load("3195");
    EXPECT_EQ(state_->nValidT, 11 * 8760);
    EXPECT_EQ(state_->firstValidYear, 1);
    EXPECT_EQ(state_->lastValidYear, 11);
    long zeroT = 0;
    for (int y = 1; y <= 11; ++y) {
        const MetFileData file = readMetFile(typicalYearFilePath(
            test::realDatabaseDir(), test::kElevenZones[static_cast<std::size_t>(y - 1)]));
        for (int h = 1; h <= 8760; ++h) {
            ASSERT_NEAR(ts(y, h), file.ts[h], 0.051f) << y << " " << h;
            if (ts(y, h) == 0.0f) ++zeroT;
            // Whole-percent humidity moves the humidity ratio by at most about 1 % of itself.
            ASSERT_NEAR(w(y, h), file.w[h], 0.02f * file.w[h] + 1e-4f) << y << " " << h;
            ASSERT_LE(tw(y, h), ts(y, h) + 1e-3f);
        }
    }
    // Every hour has a reading, those at exactly 0.0 degC too.
    EXPECT_GT(zeroT, 0);
    EXPECT_EQ(state_->nValidH, 11 * 8760);
}

// States recur over eleven years and the load solves each once: every hour must still hold
// what the solvers give for it, on both threads, with and without a change of pressure.
TEST_F(StationLoaderTest, EveryHourOfElevenRealYearsHoldsItsOwnWetBulbAndDewPoint) {
    CLIMSTAT_NEED_REAL_DATA();
    test::writeElevenYearStation(test::realDatabaseDir(), folder_, "3195");
    for (const Extrapolation choice :
         {Extrapolation::None, Extrapolation::ThermalIslandAndAltitude}) {
        load("3195", choice, "900");
        long mismatches = 0;
        for (int y = 1; y <= kStationYears; ++y) {
            for (int h = 1; h <= kHoursPerYear; ++h) {
                const float wb = psychro::wetBulb(ts(y, h), w(y, h), state_->pt);
                const float dp = psychro::dewPoint(w(y, h), state_->pt);
                if (std::bit_cast<std::uint32_t>(wb) != std::bit_cast<std::uint32_t>(tw(y, h)) ||
                    std::bit_cast<std::uint32_t>(dp) !=
                        std::bit_cast<std::uint32_t>(state_->derived.dewPoint[h][y])) {
                    ++mismatches;
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << static_cast<int>(choice);
    }
}

}  // namespace
}  // namespace climstat
