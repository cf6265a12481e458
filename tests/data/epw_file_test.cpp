// EPW weather files: the header, missing values, typical year against actual years, several
// files of one location, what the load writes, and files that are not what they claim.

#include "data/epw_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "core/errors.h"
#include "data/location_load.h"
#include "data/typical_year.h"
#include "psychro/humid_air.h"
#include "support/epw_writer.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;
using test::EpwRecord;
using test::EpwText;

EpwFile read(const EpwText& text, const std::string& name = "a.epw") {
    return readEpwText(test::epwText(text), name);
}

std::string failure(const std::string& text) {
    try {
        readEpwText(text, "bad.epw");
    } catch (const DataFileError& e) {
        return e.what();
    }
    return "no error";
}

TEST(EpwFile, RealTypicalYearIsOneRunWithItsHeaderAndDesignConditions) {
    CLIMSTAT_NEED_REAL_DATA();
    const EpwFile file = readEpwFile(test::testDataDir() + "/epw/chicago.epw");
    EXPECT_EQ(file.location.city, "Chicago Ohare Intl Ap");
    EXPECT_EQ(file.location.country, "USA");
    EXPECT_EQ(file.location.wmo, "725300");
    EXPECT_DOUBLE_EQ(file.location.latitude, 41.98);
    EXPECT_DOUBLE_EQ(file.location.timeZone, -6.0);
    EXPECT_DOUBLE_EQ(file.location.elevation, 201.0);
    // Months of 1977 .. 2002 make one typical year.
    ASSERT_EQ(file.years.size(), 1u);
    EXPECT_EQ(file.years[0].year, 0);
    EXPECT_EQ(file.years[0].records, 8760);
    EXPECT_FLOAT_EQ(file.years[0].dryBulb[1], -12.2f);
    EXPECT_FLOAT_EQ(file.years[0].dewPoint[1], -16.1f);
    EXPECT_FLOAT_EQ(file.years[0].pressure[1], 99500.0f);
    const EpwDesignConditions& d = file.design;
    EXPECT_EQ(d.source, "Climate Design Data 2009 ASHRAE Handbook");
    EXPECT_FLOAT_EQ(*d.heating996, -20.0f);
    EXPECT_FLOAT_EQ(*d.heating990, -16.6f);
    EXPECT_FLOAT_EQ(*d.cooling004, 33.3f);
    EXPECT_FLOAT_EQ(*d.coolingWetBulb004, 23.7f);
    EXPECT_FLOAT_EQ(*d.cooling020, 30.1f);
    EXPECT_FLOAT_EQ(*d.coolingWetBulb020, 22.1f);
}

TEST(EpwFile, MissingCodesAndUnreadableValuesAreMissing) {
    EpwText t;
    t.records = test::epwYear(2001, [](EpwRecord& r, int h) {
        if (h == 1) r.dryBulb = "99.9";
        if (h == 2) r.dewPoint = "99.9";
        if (h == 3) r.relativeHumidity = "999";
        if (h == 4) r.pressure = "999999";
        if (h == 5) r.dryBulb = "warm";
    });
    const EpwFile file = read(t);
    const EpwYear& y = file.years[0];
    EXPECT_TRUE(std::isnan(y.dryBulb[1]));
    EXPECT_TRUE(std::isnan(y.dewPoint[2]));
    EXPECT_TRUE(std::isnan(y.relativeHumidity[3]));
    EXPECT_TRUE(std::isnan(y.pressure[4]));
    EXPECT_TRUE(std::isnan(y.dryBulb[5]));
    EXPECT_FLOAT_EQ(y.dryBulb[6], 10.0f);
    EXPECT_EQ(file.unreadableValues, 1);
    EXPECT_EQ(file.firstUnreadableLine, 8 + 5);
    EXPECT_EQ(y.year, 2001);  // one year field throughout
}

TEST(EpwFile, TwentyNinthOfFebruaryIsLeftOutAndCounted) {
    EpwText t;
    t.records = test::epwYear(2004);
    std::vector<EpwRecord> leap;
    for (int hour = 1; hour <= 24; ++hour) {
        EpwRecord r;
        r.year = 2004;
        r.month = 2;
        r.day = 29;
        r.hour = hour;
        r.dryBulb = "55.0";
        leap.push_back(r);
    }
    t.records.insert(t.records.begin() + 59 * 24, leap.begin(), leap.end());
    const EpwFile file = read(t);
    ASSERT_EQ(file.years.size(), 1u);
    EXPECT_EQ(file.leapDayRecords, 24);
    EXPECT_EQ(file.years[0].records, 8760);
    EXPECT_FLOAT_EQ(file.years[0].dryBulb[59 * 24 + 1], 10.0f);  // 1 March, hour 1
}

TEST(EpwFile, ActualYearsInOneFileOrSeveralAreSortedYears) {
    EpwText t;
    t.records = test::epwYear(2016, [](EpwRecord& r, int) { r.dryBulb = "16.0"; });
    const auto y2015 = test::epwYear(2015, [](EpwRecord& r, int) { r.dryBulb = "15.0"; });
    t.records.insert(t.records.end(), y2015.begin(), y2015.end());
    EpwText other;
    other.records = test::epwYear(2014, [](EpwRecord& r, int) { r.dryBulb = "14.0"; });
    std::vector<EpwFile> files;
    files.push_back(read(t, "two.epw"));
    files.push_back(read(other, "one.epw"));
    ASSERT_EQ(files[0].years.size(), 2u);
    const EpwLocationData data = combineEpwFiles(std::move(files));
    EXPECT_FALSE(data.typicalYear);
    ASSERT_EQ(data.years.size(), 3u);
    EXPECT_EQ(data.years[0].year, 2014);
    EXPECT_EQ(data.years[2].year, 2016);
    EXPECT_FLOAT_EQ(data.years[1].dryBulb[100], 15.0f);
}

TEST(EpwFile, FilesThatDoNotGoTogetherAreRefusedNamingThem) {
    auto file = [](int year, const std::string& name, const std::string& wmo, double lat) {
        EpwText t;
        t.wmo = wmo;
        t.latitude = lat;
        t.records = test::epwYear(year);
        return readEpwText(test::epwText(t), name);
    };
    auto message = [](std::vector<EpwFile> files) -> std::string {
        try {
            combineEpwFiles(std::move(files));
        } catch (const DataFileError& e) {
            return e.what();
        }
        return "no error";
    };
    // Another place.
    std::string m = message({file(2001, "here.epw", "1", 41.98), file(2002, "there.epw", "2", 40)});
    EXPECT_NE(m.find("there.epw"), std::string::npos) << m;
    EXPECT_NE(m.find("here.epw"), std::string::npos) << m;
    // The same place by its coordinates, but one year twice.
    m = message({file(2001, "a.epw", "1", 41.98), file(2001, "b.epw", "2", 41.985)});
    EXPECT_NE(m.find("2001 is given again (a.epw"), std::string::npos) << m;
    // A typical year beside an actual one.
    EpwText typical;
    typical.records =
        test::epwYear(1990, [](EpwRecord& r, int h) { r.year = h < 4000 ? 1990 : 1995; });
    m = message({readEpwText(test::epwText(typical), "tmy.epw"), file(2001, "b.epw", "123456", 0)});
    EXPECT_NE(m.find("tmy.epw: the records from line 9 are a typical year"), std::string::npos)
        << m;
}

TEST(EpwFile, HostileFilesGiveClearErrors) {
    EXPECT_NE(failure("").find("is empty"), std::string::npos);
    EXPECT_NE(failure("hello\n1,2,3\n").find("not an EPW weather file"), std::string::npos);
    EXPECT_NE(failure(std::string(100, '\0')).find("not an EPW"), std::string::npos);
    EpwText t;
    const std::string header = test::epwText(t);
    EXPECT_NE(failure(header).find("holds no hourly record"), std::string::npos);
    EXPECT_NE(failure(header + "2001,1,1,1,0,x,10\r\n").find("line 9 has 7 fields"),
              std::string::npos);
    EXPECT_NE(failure(header + "2001,13,1,1,0,x,10,5,70,99000\r\n").find("the month '13'"),
              std::string::npos);
    EXPECT_NE(failure(header + "2001,4,31,1,0,x,10,5,70,99000\r\n").find("the day '31'"),
              std::string::npos);
    EXPECT_NE(failure(header + "2001,1,1,0,0,x,10,5,70,99000\r\n").find("the hour '0'"),
              std::string::npos);
    EXPECT_NE(failure(header + "2001,1,1,1,0,x,10,5,70,99000\r\nnot,a,record\r\n")
                  .find("line 10 is not an hourly record"),
              std::string::npos);
    EXPECT_NE(failure(header + std::string(70000, '1') + "\n").find("longer than 64 KiB"),
              std::string::npos);
    std::string cut = "LOCATION,x,y,z\n";
    EXPECT_NE(failure(cut).find("fewer than 10 fields"), std::string::npos);
    EpwText half;
    half.dataPeriods = "DATA PERIODS,1,4,Data,Sunday, 1/ 1,12/31";
    half.records = test::epwYear(2001);
    EXPECT_NE(failure(test::epwText(half)).find("4 records per hour"), std::string::npos);
    // Thirteen years going back in the calendar, one record each.
    std::string many = header;
    for (int i = 0; i < 13; ++i)
        many += std::to_string(2000 + i) + ",1,1,1,0,x,10,5,70,99000\r\n";
    EXPECT_NE(failure(many).find("thirteenth year"), std::string::npos);
}

class EpwLoadTest : public testing::Test {
  protected:
    void SetUp() override { state_ = std::make_unique<AnalysisState>(); }
    EpwLoadCounts load(std::vector<EpwText> texts) {
        std::vector<EpwFile> files;
        for (const EpwText& t : texts)
            files.push_back(read(t));
        return loadEpwLocation(*state_, combineEpwFiles(std::move(files)));
    }
    std::unique_ptr<AnalysisState> state_;
};

TEST_F(EpwLoadTest, HumidityFromTheDewPointElseTheRelativeHumidityElseNoData) {
    EpwText t;
    t.records = test::epwYear(2001, [](EpwRecord& r, int h) {
        r.dryBulb = "20.0";
        r.dewPoint = h == 2 || h == 3 ? "99.9" : "10.0";
        r.relativeHumidity = h == 3 ? "999" : "50";
        if (h == 4) r.dewPoint = "22.0";  // above the dry bulb: lowered to 99.5 %
    });
    const EpwLoadCounts counts = load({t});
    const AnalysisState& s = *state_;
    using namespace psychro;
    const float pt = pressureAtAltitude(201.0f);
    EXPECT_EQ(s.pt, pt);
    EXPECT_EQ(s.w[1][1], humidityRatio(saturationPressure(10.0f), pt));
    const double pv = static_cast<double>(saturationPressure(20.0f)) * 50 * 0.01;
    EXPECT_EQ(s.w[2][1], humidityRatio(static_cast<float>(pv), pt));
    EXPECT_EQ(s.ts[3][1], MISSING_T);
    EXPECT_EQ(s.validMask[3][1], 0.0f);
    EXPECT_NEAR(relativeHumidity(20.0f, s.w[4][1], pt), 99.5f, 1e-3f);
    EXPECT_EQ(s.tw[1][1], wetBulb(20.0f, s.w[1][1], pt));
    EXPECT_EQ(counts.hoursWithData, 8759);
    EXPECT_EQ(counts.humidityFromRh, 1);
    EXPECT_EQ(counts.hoursWithoutHumidity, 1);
    EXPECT_EQ(s.nYears, 1);
    EXPECT_EQ(s.typicalYearIndex, 0);
    EXPECT_EQ(s.slotYear[1], 0);  // one year: the typical-year path
    EXPECT_EQ(s.locationAltitudeText, "201");
    EXPECT_EQ(s.locationProvince, "IL, USA");
    EXPECT_EQ(s.locationName, "Testville (WMO 123456)");
    EXPECT_EQ(s.locationCityName, "Ciudad: Testville");
}

TEST_F(EpwLoadTest, ActualYearsFillTheirSlotsAndNothingOfAnEarlierLocationStays) {
    // A station's eleven years first.
    for (int y = 1; y <= kYearSlots; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            state_->ts[h][y] = 5.0f;
            state_->w[h][y] = 0.004f;
        }
    }
    EpwText a;
    a.records = test::epwYear(2019);
    a.records.resize(4000);  // a year that stops in June
    EpwText b;
    b.records = test::epwYear(2018);
    load({a, b});
    const AnalysisState& s = *state_;
    EXPECT_EQ(s.nYears, 2);
    EXPECT_EQ(s.typicalYearIndex, -1);
    EXPECT_EQ(s.slotYear[1], 2018);
    EXPECT_EQ(s.slotYear[2], 2019);
    EXPECT_EQ(s.validMask[4000][2], 1.0f);
    EXPECT_EQ(s.validMask[4001][2], 0.0f);
    EXPECT_EQ(s.firstValidYear, 1);
    EXPECT_EQ(s.lastValidYear, 2);
    EXPECT_EQ(s.nValidT, 8760 + 4000);
    for (int y = 3; y <= kYearSlots; ++y) {
        EXPECT_EQ(s.ts[100][y], MISSING_T) << y;
        EXPECT_EQ(s.validMask[100][y], 0.0f) << y;
    }
}

TEST_F(EpwLoadTest, AFailedEpwLoadKeepsTheLocationLoadedBefore) {
    const std::string dir = test::makeTempDir("epw-load");
    EpwText good;
    good.records = test::epwYear(2001, [](EpwRecord& r, int) { r.dryBulb = "12.5"; });
    test::writeBytes(dir + "/good.epw", test::epwText(good));
    test::writeBytes(dir + "/bad.epw", test::epwText(good).substr(0, 2000) + "2001,1,1\n");
    LocationRequest request;
    request.source = DataSource::Epw;
    request.epwPaths = {dir + "/good.epw"};
    EXPECT_TRUE(loadLocation(*state_, request).loaded);
    request.epwPaths = {dir + "/good.epw", dir + "/bad.epw"};
    EXPECT_THROW(loadLocation(*state_, request), DataFileError);
    request.epwPaths = {dir + "/missing.epw"};
    EXPECT_THROW(loadLocation(*state_, request), DataFileError);
    EXPECT_FLOAT_EQ(state_->ts[1][1], 12.5f);
    EXPECT_EQ(state_->selectedLocation, "Testville");
    EXPECT_EQ(state_->typicalYearIndex, 0);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace climstat
