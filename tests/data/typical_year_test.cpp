// Loading a typical year into the analysis state: what it writes, the relative-humidity clamp,
// and that a load that fails leaves the state as it was.

#include "data/typical_year.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/errors.h"
#include "psychro/humid_air.h"
#include "support/met_writer.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;
using psychro::pressureAtAltitude;

class TypicalYearTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = test::makeTempDir("typical-year");
        state_ = std::make_unique<AnalysisState>();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& baseName, const test::MetText& o) {
        const std::string path = dir_ + "/" + baseName + ".met";
        test::writeBytes(path, test::metText(o));
        return path;
    }

    std::string dir_;
    std::unique_ptr<AnalysisState> state_;
};

// Everything a load may write, to compare a state before and after a failed load.
void expectSameState(const AnalysisState& a, const AnalysisState& b) {
    EXPECT_TRUE(a.ts == b.ts);
    EXPECT_TRUE(a.w == b.w);
    EXPECT_TRUE(a.tw == b.tw);
    EXPECT_TRUE(a.validMask == b.validMask);
    EXPECT_TRUE(a.rangeMask == b.rangeMask);
    EXPECT_EQ(a.pt, b.pt);
    EXPECT_EQ(a.nYears, b.nYears);
    EXPECT_EQ(a.firstValidYear, b.firstValidYear);
    EXPECT_EQ(a.lastValidYear, b.lastValidYear);
    EXPECT_EQ(a.locationLatitude, b.locationLatitude);
    EXPECT_EQ(a.locationAltitudeText, b.locationAltitudeText);
    EXPECT_EQ(a.locationCityName, b.locationCityName);
    EXPECT_EQ(a.plotTsMin, b.plotTsMin);
    EXPECT_EQ(a.plotWMax, b.plotWMax);
}

TEST_F(TypicalYearTest, FillsYearSlotOneAndTheLocation) {
    test::MetText o;
    write("D3_peninsula", o);
    // Station data left in other slots stay where they are.
    state_->ts[5][2] = 12.5f;
    state_->locationLatitude = 43.3f;
    state_->plotTsMin = -3.0f;
    const std::string city = loadTypicalYear(*state_, "D3_peninsula", DataSource::Cte2013, dir_);
    EXPECT_EQ(city, "Ciudad: D3_peninsula");
    const AnalysisState& s = *state_;
    EXPECT_EQ(s.nYears, 1);
    EXPECT_EQ(s.firstValidYear, 1);
    EXPECT_EQ(s.lastValidYear, 1);
    EXPECT_EQ(s.locationAltitudeText, "667");
    EXPECT_EQ(s.pt, pressureAtAltitude(667.0f));
    EXPECT_NEAR(s.pt, 93564.6f, 0.05f);
    EXPECT_FLOAT_EQ(s.locationLatitude, 40.683331f);
    EXPECT_EQ(s.plotTsMin, 50.0f);
    EXPECT_EQ(s.plotTsMax, -50.0f);
    EXPECT_EQ(s.plotWMin, 50.0f);
    EXPECT_EQ(s.plotWMax, 0.0f);
    EXPECT_EQ(s.ts[5][2], 12.5f);
    for (int h = 1; h <= kHoursPerYear; ++h) {
        ASSERT_EQ(s.ts[h][1], test::writtenTs(o.ts(h)));
        ASSERT_EQ(s.tw[h][1], psychro::wetBulb(s.ts[h][1], s.w[h][1], s.pt)) << h;
        ASSERT_EQ(s.validMask[h][1], 1.0f);
        ASSERT_EQ(s.rangeMask[h][1], 1.0f);
        ASSERT_EQ(s.validMask[h][2], 0.0f);
        ASSERT_LE(psychro::relativeHumidity(s.ts[h][1], s.w[h][1], s.pt), 100.0f) << h;
    }
}

TEST_F(TypicalYearTest, ForgetsTheStationCodeAndNamesItsFileOnTheStationPage) {
    const std::string path = write("D3_peninsula", test::MetText{});
    state_->locationCode = "3195";
    state_->locationCityName = loadTypicalYear(*state_, "D3_peninsula", DataSource::Cte2013, dir_);
    EXPECT_EQ(state_->locationCode, "");
    const StationPageLabels labels = typicalYearPageLabels(*state_, path, ',');
    EXPECT_EQ(labels.province, "Ciudad: D3_peninsula");
    EXPECT_EQ(labels.station, "Fichero: D3_peninsula.met");
    EXPECT_EQ(labels.latitude, "Latitud: 40,68º");
    EXPECT_EQ(labels.altitude, "a.s.n.m.: 667");
    EXPECT_EQ(labels.countT, "Presión: 93565 Pa");
    EXPECT_EQ(labels.countH, "Horas: 8760 (año tipo)");
    EXPECT_EQ(labels.code, "");
    EXPECT_EQ(labels.longitude, "");
}

TEST_F(TypicalYearTest, ClampsSupersaturatedHoursToNinetyNineAndAHalfPercent) {
    test::MetText o;
    o.ts = [](int h) { return h == 1 ? 20.0 : (h == 2 ? -10.0 : 20.0); };
    o.w = [](int h) { return h == 1 ? 0.0155 : (h == 2 ? 0.0025 : 0.005); };
    const std::string path = write("supersaturated", o);
    loadTypicalYearFile(*state_, path, "0");
    const AnalysisState& s = *state_;
    EXPECT_EQ(s.pt, 101325.0f);
    EXPECT_NEAR(s.w[1][1], 0.014621f, 0.0000005f);
    EXPECT_NEAR(psychro::relativeHumidity(20.0f, s.w[1][1], s.pt), 99.5f, 0.001f);
    EXPECT_NEAR(psychro::relativeHumidity(-10.0f, s.w[2][1], s.pt), 99.5f, 0.001f);
    EXPECT_EQ(s.w[3][1], 0.005f);  // below saturation: kept
    // The wet bulb is taken from the lowered humidity ratio.
    EXPECT_EQ(s.tw[1][1], psychro::wetBulb(20.0f, s.w[1][1], s.pt));
    EXPECT_NEAR(s.tw[1][1], 20.0f, 0.1f);
}

TEST_F(TypicalYearTest, TheClampUsesThePressureOfTheLocation) {
    // Above saturation at sea level, below it at 667 m (a humidity ratio holds less vapour
    // pressure in thinner air): kept as read at 667 m.
    const float w = psychro::saturationHumidityRatio(15.0f, 101325.0f) * 1.03f;
    const float pt = pressureAtAltitude(667.0f);
    ASSERT_GT(psychro::relativeHumidity(15.0f, test::writtenW(w), 101325.0f), 100.0f);
    ASSERT_LT(psychro::relativeHumidity(15.0f, test::writtenW(w), pt), 100.0f);
    test::MetText o;
    o.ts = [](int) { return 15.0; };
    o.w = [w](int) { return static_cast<double>(w); };
    write("D3_peninsula", o);
    loadTypicalYear(*state_, "D3_peninsula", DataSource::Cte2013, dir_);
    EXPECT_EQ(state_->w[1][1], test::writtenW(w));
    // At sea level the same file is lowered to 99.5 %.
    loadTypicalYearFile(*state_, dir_ + "/D3_peninsula.met", "0");
    EXPECT_NEAR(psychro::relativeHumidity(15.0f, state_->w[1][1], 101325.0f), 99.5f, 0.001f);
}

TEST_F(TypicalYearTest, FailedLoadsLeaveTheStateAsItWas) {
    test::MetText madrid;
    madrid.zoneHeader = false;
    madrid.latitude = 40.41;
    madrid.lineEnd = "\n";
    write("madrid", madrid);
    loadTypicalYear(*state_, "Madrid", DataSource::Cte2006, dir_);
    state_->locationCityName = "Ciudad: Madrid";
    const auto before = std::make_unique<AnalysisState>(*state_);

    test::MetText truncated;
    truncated.records = 100;
    truncated.ts = [](int) { return 33.0; };
    write("sevilla", truncated);
    try {
        loadTypicalYear(*state_, "Sevilla", DataSource::Cte2006, dir_);
        FAIL() << "a file of 100 records loaded";
    } catch (const DataFileError& e) {
        EXPECT_NE(std::string(e.what()).find("sevilla.met"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("100 of 8760"), std::string::npos);
    }
    expectSameState(*state_, *before);

    EXPECT_THROW(loadTypicalYear(*state_, "Bilbao", DataSource::Cte2006, dir_), DataFileError);
    EXPECT_THROW(loadTypicalYear(*state_, "Atlantis", DataSource::Cte2006, dir_), UsageError);
    EXPECT_THROW(loadTypicalYear(*state_, "madrid", DataSource::Cte2006, dir_), UsageError);
    EXPECT_THROW(loadTypicalYearFile(*state_, dir_ + "/madrid.met", "high"), ConversionError);
    EXPECT_THROW(loadTypicalYearFile(*state_, dir_ + "/madrid.met", "50000"), UsageError);
    EXPECT_THROW(loadTypicalYearFile(*state_, dir_ + "/sevilla.met", "31"), DataFileError);
    expectSameState(*state_, *before);
}

TEST_F(TypicalYearTest, WithTheStationSourceActiveNoFileIsRead) {
    state_->ts[1][1] = 20.0f;
    state_->w[1][1] = 0.0155f;
    state_->locationLatitude = 39.0f;
    const std::string city =
        loadTypicalYear(*state_, "A Coruña", DataSource::Aemet, dir_ + "/no-such-folder");
    EXPECT_EQ(city, "Ciudad: A Coruña");
    EXPECT_EQ(state_->locationAltitudeText, "67");
    EXPECT_NEAR(state_->pt, 100522.7f, 0.05f);
    EXPECT_EQ(state_->locationLatitude, 39.0f);
    // The data already in slot 1 are clamped and get their wet bulbs.
    EXPECT_LT(state_->w[1][1], 0.0155f);
    EXPECT_EQ(state_->tw[1][1], psychro::wetBulb(20.0f, state_->w[1][1], state_->pt));
}

TEST_F(TypicalYearTest, FilePathIsFolderBaseNameAndExtension) {
    EXPECT_EQ(fs::path(typicalYearFilePath("db", "Lacoruna")), fs::path("db") / "Lacoruna.met");
}

}  // namespace
}  // namespace climstat
