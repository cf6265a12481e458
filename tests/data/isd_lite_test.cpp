// ISD-Lite files of the public archive: the lines, UTC to local standard time, and importing
// them as a catalogue station's files, alone, gzip-compressed, beside `;` records, and broken.

#include "data/isd_lite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>

#include "data/epw_file.h"
#include "data/hourly_import.h"
#include "data/station_file.h"
#include "data/station_loader.h"
#include "output/psychrometric_diagram.h"
#include "support/isd_writer.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;
using test::isdLiteLine;

IsdLiteObservation at(int year, int month, int day, int hour) {
    IsdLiteObservation o;
    o.year = year;
    o.month = month;
    o.day = day;
    o.hour = hour;
    return o;
}

void expectLocal(const LocalHour& local, int year, int month, int day, int hour) {
    EXPECT_EQ(local.year, year);
    EXPECT_EQ(local.month, month);
    EXPECT_EQ(local.day, day);
    EXPECT_EQ(local.hour, hour);
}

TEST(IsdLite, UtcHoursBecomeLocalHoursOneToTwentyFour) {
    // +1 h: UTC 0 h is local hour 1, UTC 23 h the hour 24 of the same day.
    expectLocal(localHourOf(at(2003, 1, 1, 0), 1), 2003, 1, 1, 1);
    expectLocal(localHourOf(at(2003, 12, 31, 23), 1), 2003, 12, 31, 24);
    // 0 h: the UTC midnight is hour 24 of the day before, across years and leap days.
    expectLocal(localHourOf(at(1997, 1, 1, 0), 0), 1996, 12, 31, 24);
    expectLocal(localHourOf(at(2000, 3, 1, 0), 0), 2000, 2, 29, 24);
    expectLocal(localHourOf(at(2003, 6, 5, 13), 0), 2003, 6, 5, 13);
    // West of Greenwich and far east.
    expectLocal(localHourOf(at(2003, 3, 1, 3), -6), 2003, 2, 28, 21);
    expectLocal(localHourOf(at(2003, 12, 31, 20), 9), 2004, 1, 1, 5);
    EXPECT_EQ(defaultUtcOffset(*findStation("3195")), 1);   // Madrid
    EXPECT_EQ(defaultUtcOffset(*findStation("C029O")), 0);  // Lanzarote
}

TEST(IsdLite, LinesValuesAndRelativeHumidity) {
    const std::string text = isdLiteLine(2003, 1, 1, 0, 122, 89) + "\n" +
                             isdLiteLine(2003, 1, 1, 1, -9999, 89) +
                             "2003 01 01 02   12x    89 10223   270    41     4 -9999 -9999\n" +
                             isdLiteLine(2003, 2, 29, 3, 10, 5) +  // no 29 February in 2003
                             isdLiteLine(2003, 1, 1, 4, 2500, 3) + std::string(300, '1') + "\n";
    EXPECT_TRUE(looksLikeIsdLite("\n\n" + text));
    EXPECT_FALSE(looksLikeIsdLite("2003-01-01;1;12.2;80\n"));
    EXPECT_FALSE(looksLikeIsdLite(""));
    const IsdLiteFile file = readIsdLiteText(text, "f");
    ASSERT_EQ(file.observations.size(), 3u);
    EXPECT_EQ(file.observations[0].temperature, 122);
    EXPECT_EQ(file.observations[0].line, 1);
    EXPECT_EQ(file.observations[1].temperature, kIsdMissing);
    EXPECT_EQ(file.observations[2].temperature, kIsdMissing);  // 250 degC reads as missing
    EXPECT_EQ(file.badLines, 3);
    ASSERT_EQ(file.problems.size(), 3u);
    EXPECT_EQ(file.problems[0].fields.line, 4);
    EXPECT_EQ(file.problems[2].fields.line, 7);
    EXPECT_EQ(relativeHumidityPercent(122, 89), 80);
    EXPECT_EQ(relativeHumidityPercent(100, 105), 100);  // dew point above the dry bulb
    EXPECT_EQ(relativeHumidityPercent(100, kIsdMissing), std::nullopt);
}

class IsdImportTest : public testing::Test {
  protected:
    void SetUp() override { dir_ = test::makeTempDir("isd-import"); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string write(const std::string& name, const std::string& bytes) {
        test::writeBytes(dir_ + "/" + name, bytes);
        return dir_ + "/" + name;
    }
    HourlyImport import(const std::string& code, const std::vector<std::string>& files,
                        const std::string& folder, std::optional<int> offset = std::nullopt) {
        HourlyImportOptions options;
        options.utcOffsetHours = offset;
        return importHourlyFiles(*findStation(code), files, folder, options);
    }
    std::string dir_;
};

TEST_F(IsdImportTest, ARealEpwYearComesBackHourByHourInLocalTime) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::string epw = test::testDataDir() + "/epw/chicago.epw";
    // The year as the archive would hold it for a peninsular station (+1 h): the first half
    // plain, the second gzip-compressed.
    const std::string first =
        write("082220-99999-2003", test::isdLiteFromEpw(epw, 2003, 1, 1, 4380));
    const std::string packed =
        test::systemGzip(test::isdLiteFromEpw(epw, 2003, 1, 4381, 8760), dir_);
    if (packed.empty()) GTEST_SKIP() << "no gzip";
    const std::string second = write("082220-99999-2003.gz", packed);
    const HourlyImport imported = import("3195", {first, second}, dir_ + "/db");
    ASSERT_TRUE(imported.station.written) << englishText(imported.station.refusal);
    EXPECT_TRUE(imported.notes.empty());
    EXPECT_TRUE(imported.station.written);
    EXPECT_TRUE(imported.files[1].packed && imported.files[1].isdLite);
    EXPECT_EQ(imported.files[0].hours + imported.files[1].hours, 8760);

    auto state = std::make_unique<AnalysisState>();
    lookUpStation(*state, "3195");
    std::ostringstream trace, errors;
    const StationLoadResult load =
        loadStationData(*state, std::string(findStation("3195")->altitudeText), "3195", {},
                        dir_ + "/db", trace, errors);
    ASSERT_TRUE(load.temperatureRead);
    const EpwFile epwFile = readEpwFile(epw);
    const EpwYear& year = epwFile.years.front();
    const int slot = 2003 - 1996;
    for (int h = 1; h <= kHoursPerYear; ++h) {
        const float expected = static_cast<float>(std::lround(year.dryBulb[h] * 10.0)) * 0.1f;
        ASSERT_NEAR(state->ts[h][slot], expected, 1e-4f) << "hour " << h;
    }
    // The diagram of 2003 plots every hour, with the EPW's dry bulbs.
    const PsychrometricDiagram diagram = drawDiagram(*state, {slot - 1});
    std::vector<float> plotted, given;
    for (const DiagramPoint& p : diagram.series[kMeasuredHoursSeries])
        plotted.push_back(p.x);
    for (int h = 1; h <= kHoursPerYear; ++h)
        given.push_back(state->ts[h][slot]);
    std::sort(given.begin(), given.end());
    ASSERT_EQ(plotted.size(), 8760u);
    EXPECT_EQ(plotted, given);
}

TEST_F(IsdImportTest, TheFilesEqualThoseOfTheSameHoursAsRecords) {
    std::string isd;
    std::string records;
    for (int h = 0; h < 72; ++h) {
        const int t = h % 5 == 0 ? kIsdMissing : -50 + 7 * h;
        const int td = h % 7 == 0 ? kIsdMissing : -80 + 5 * h;
        isd += isdLiteLine(2001, 3, 1 + h / 24, h % 24, t, td);
        const LocalHour local = localHourOf(at(2001, 3, 1 + h / 24, h % 24), 1);
        char line[64];
        std::snprintf(line, sizeof line, "%04d-%02d-%02d;%d;", local.year, local.month, local.day,
                      local.hour);
        records += line;
        if (t != kIsdMissing) {
            records += (t < 0 ? "-" : "") + std::to_string(std::abs(t) / 10) + "." +
                       std::to_string(std::abs(t) % 10);
        }
        records += ";";
        if (const auto rh = relativeHumidityPercent(t, td)) records += std::to_string(*rh);
        records += "\n";
    }
    import("3195", {write("isd", isd)}, dir_ + "/a");
    import("3195", {write("records.csv", records)}, dir_ + "/b");
    for (const char* kind : {"T", "H"}) {
        const std::string a = test::readBytes(stationFilePath(dir_ + "/a", kind, "3195"));
        EXPECT_FALSE(a.empty());
        EXPECT_EQ(a, test::readBytes(stationFilePath(dir_ + "/b", kind, "3195"))) << kind;
    }
}

TEST_F(IsdImportTest, HoursOutsideTheYearsAndHoursGivenTwiceAreLeftOutAndNamed) {
    // On the Canary Islands (0 h) the first UTC hour of 1997 is the last local hour of 1996.
    const std::string a =
        write("a", isdLiteLine(1997, 1, 1, 0, 150, 100) + isdLiteLine(1997, 1, 1, 1, 160, 100));
    const std::string b = write("b.csv", "1997-01-01;1;17.0;50\n");
    const HourlyImport imported = import("C029O", {a, b}, dir_ + "/db");
    ASSERT_EQ(imported.notes.size(), 2u);
    EXPECT_EQ(englishText(imported.notes[0]),
              a + ": line 1: the hour 1996-12-31 24h (local standard time) is outside "
                  "1997..2008; left out");
    EXPECT_EQ(
        englishText(imported.notes[1]),
        b + ": line 1: the hour 1997-01-01 01h was given already (" + a + ", line 2); left out");
    EXPECT_TRUE(imported.station.written);
    EXPECT_EQ(imported.station.records.temperatureHours, 1);
    EXPECT_EQ(imported.station.records.temperature[0].values[0], 160);
}

TEST_F(IsdImportTest, NothingIsWrittenFromAFileOfNeitherKindOrABrokenOne) {
    const std::string good = write("good", isdLiteLine(2001, 1, 1, 0, 150, 100));
    const std::string other = write("notes.txt", "hello world\nsecond line\n");
    HourlyImport imported = import("3195", {good, other}, dir_ + "/db");
    EXPECT_EQ(imported.station.refusal.kind, ErrorKind::ImportNotHourlyFile);
    EXPECT_EQ(imported.station.refusal.fields.path, other);
    EXPECT_FALSE(imported.station.written);
    EXPECT_FALSE(fs::exists(dir_ + "/db"));
    // A `;` file with a bad line writes nothing, as alone, whatever the files beside it.
    imported = import("3195", {good, write("bad.csv", "2001-01-01;1;5;50\n2001-01-01;30;5;50\n")},
                      dir_ + "/db");
    EXPECT_EQ(imported.station.refusal.kind, ErrorKind::RecordsUnusableLines);
    ASSERT_EQ(imported.lineErrors.size(), 1u);
    EXPECT_EQ(imported.lineErrors[0].line, 2);
    EXPECT_EQ(imported.lineErrors[0].path, dir_ + "/bad.csv");
    // Hours of 2008 only: no load would read them.
    imported = import("3195", {write("late", isdLiteLine(2008, 5, 1, 3, 150, 100))}, dir_ + "/db");
    EXPECT_EQ(imported.station.refusal.kind, ErrorKind::RecordsNoStationYear);
    // Broken gzip and a gzip bomb are errors of their file.
    EXPECT_THROW(
        import("3195", {write("x.gz", std::string("\x1f\x8b\x08\0garbage", 11))}, dir_ + "/db"),
        DataFileError);
    const std::string bomb = test::systemGzip(std::string(70u << 20, '0'), dir_);
    if (!bomb.empty()) {
        try {
            import("3195", {write("bomb.gz", bomb)}, dir_ + "/db");
            ADD_FAILURE() << "a file that unpacks to 70 MB was read";
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::TooLargeUnpacked);
        }
    }
    EXPECT_FALSE(fs::exists(dir_ + "/db"));
}

}  // namespace
}  // namespace climstat
