#include "data/station_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "support/station_builder.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using test::consecutiveDays;
using test::constantDay;

// Column of an hour of a date in the 365-day year, hour 1..24.
int column(int month, int day, int hour) {
    int days = 0;
    for (int m = 1; m < month; ++m)
        days += daysInMonth365(m);
    return (days + day - 1) * 24 + hour - 1;
}

class StationFileTest : public ::testing::Test {
  protected:
    void SetUp() override { folder_ = test::makeTempDir("station-file"); }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Writes the records (or raw bytes) and reads them back.
    int read(const std::vector<StationDay>& days, const std::string& variable = "T") {
        return readBytes(encodeStationFile(variable, days), variable);
    }
    int readBytes(const std::string& bytes, const std::string& variable = "T") {
        const std::string path = folder_ + "/" + variable + "0000_.bin";
        test::writeBytes(path, bytes);
        conversorAEMET reader("", 0, trace_);
        return reader.readHourlyFile(table_, path, variable);
    }
    std::int32_t at(int year, int month, int day, int hour) const {
        return table_.at(static_cast<std::size_t>(year - 1997),
                         static_cast<std::size_t>(column(month, day, hour)));
    }
    // Number of hours of the table that hold something else than MISSING_RAW.
    long filledHours() const {
        long n = 0;
        for (std::size_t r = 0; r < table_.rows(); ++r)
            for (std::size_t c = 0; c < table_.cols(); ++c)
                n += table_.at(r, c) != MISSING_RAW ? 1 : 0;
        return n;
    }

    std::string folder_;
    std::ostringstream trace_;
    HourlyTable table_;
};

TEST_F(StationFileTest, WrittenTablesReadBackUnchanged) {
    for (const char* variable : {"T", "H"}) {
        HourlyTable original = makeHourlyTable();
        std::mt19937 random(7);
        std::uniform_int_distribution<std::int32_t> value(-400, 1200);
        for (int r = 0; r < 12; ++r) {
            for (int c = 0; c < 8760; ++c) {
                // Whole missing days in some places, values elsewhere (negative ones included).
                if ((c / 24) % 17 == 3 || r == 4) continue;
                original[static_cast<std::size_t>(r)][c] = value(random);
            }
        }
        ASSERT_EQ(read(stationDaysFromTable(original), variable), 0) << variable;
        EXPECT_TRUE(table_ == original) << variable;
    }
}

TEST_F(StationFileTest, RecordsLandOnTheirDates) {
    auto value = [](int, int month, int day, int hour) { return month * 10000 + day * 100 + hour; };
    std::vector<StationDay> days = consecutiveDays(1998, 1, 1, 70, value);
    // Remove 10 January: its hours are no data, and the days after it keep their places.
    days.erase(days.begin() + 9);
    ASSERT_EQ(read(days), 0);
    EXPECT_EQ(at(1997, 6, 1, 1), MISSING_RAW);  // the file starts in 1998
    EXPECT_EQ(at(1998, 1, 1, 1), 10101);
    EXPECT_EQ(at(1998, 1, 9, 24), 10924);
    for (int hour = 1; hour <= 24; ++hour)
        EXPECT_EQ(at(1998, 1, 10, hour), MISSING_RAW);
    EXPECT_EQ(at(1998, 1, 11, 1), 11101);
    EXPECT_EQ(at(1998, 3, 11, 24), 31124);
    EXPECT_EQ(at(1998, 3, 12, 1), MISSING_RAW);  // after the last record
    EXPECT_EQ(filledHours(), 69 * 24);
}

TEST_F(StationFileTest, TwentyNinthOfFebruaryIsReadAndDropped) {
    std::vector<StationDay> days;
    for (int d = 27; d <= 28; ++d)
        days.push_back(constantDay(2000, 2, d, 100 + d));
    days.push_back(constantDay(2000, 2, 29, 555));
    days.push_back(constantDay(2000, 3, 1, 301));
    days.push_back(constantDay(2000, 3, 2, 302));
    ASSERT_EQ(read(days, "H"), 0);
    EXPECT_EQ(at(2000, 2, 28, 24), 128);
    EXPECT_EQ(at(2000, 3, 1, 1), 301);  // 1 March follows 28 February without a gap
    EXPECT_EQ(at(2000, 3, 2, 24), 302);
    EXPECT_EQ(filledHours(), 4 * 24);

    // With 28 February missing, the 29th is still dropped and the 28th stays no data.
    days.erase(days.begin() + 1);
    ASSERT_EQ(read(days, "H"), 0);
    EXPECT_EQ(at(2000, 2, 27, 1), 127);
    EXPECT_EQ(at(2000, 2, 28, 1), MISSING_RAW);
    EXPECT_EQ(at(2000, 3, 1, 1), 301);
    EXPECT_EQ(filledHours(), 3 * 24);
}

TEST_F(StationFileTest, TraceLinesGoToTheGivenStream) {
    std::vector<StationDay> days =
        consecutiveDays(2003, 12, 30, 40, [](int, int, int, int) { return 1; });
    ASSERT_EQ(read(days), 0);
    const std::string path = folder_ + "/T0000_.bin";
    // One line for the header of 1 January 2004, one when the walk reaches 2 February 2004.
    EXPECT_EQ(trace_.str(), "Fichero lectura = " + path + "\naqui\naqui\n");
}

TEST_F(StationFileTest, MissingFileReturnsOneAndLeavesNoData) {
    table_ = makeHourlyTable();
    table_.fill(250);  // what an earlier read left
    conversorAEMET reader(folder_ + "/default_.bin", 0, trace_);
    EXPECT_EQ(reader.readHourlyFile(table_, "", "H"), 1);  // empty path: the default one
    EXPECT_EQ(reader.failure().kind, ErrorKind::CannotOpen);
    EXPECT_EQ(trace_.str(), "Fichero lectura = " + folder_ + "/default_.bin\n");
    EXPECT_EQ(filledHours(), 0);
    EXPECT_EQ(reader.readHourlyFile(table_, folder_, "H"), 1);  // a folder is no file either
}

TEST_F(StationFileTest, FileTooLargeIsRefusedBeforeReading) {
    const std::string path = folder_ + "/T9999_.bin";
    test::writeBytes(path, "");
    std::filesystem::resize_file(path, kMaxStationFileBytes + 1);  // sparse: costs no disk
    conversorAEMET reader("", 0, trace_);
    EXPECT_EQ(reader.readHourlyFile(table_, path, "T"), 1);
    EXPECT_EQ(reader.failure().kind, ErrorKind::TooLarge);
    EXPECT_EQ(filledHours(), 0);
}

TEST_F(StationFileTest, ParseStopsAtRecordsThatGoBackwardsOrLeaveTheYears) {
    const std::vector<StationDay> start = {constantDay(1999, 5, 1, 11),
                                           constantDay(1999, 5, 2, 12)};
    const StationDay later = constantDay(1999, 5, 4, 14);
    const std::vector<StationDay> stoppers = {
        constantDay(1999, 4, 30, 99),   // backwards
        constantDay(1999, 5, 2, 99),    // the same day again
        constantDay(1996, 12, 31, 99),  // before 1997
        constantDay(2009, 1, 1, 99),    // after 2008
        constantDay(1999, 13, 1, 99),   // no month
        constantDay(1999, 6, 31, 99),   // no day
        constantDay(1999, 5, 0, 99),
    };
    for (const StationDay& stopper : stoppers) {
        std::vector<StationDay> days = start;
        days.push_back(stopper);
        days.push_back(later);
        trace_.str("");
        ASSERT_EQ(read(days), 0);
        EXPECT_EQ(at(1999, 5, 2, 24), 12);
        EXPECT_EQ(filledHours(), 48) << stopper.year << "-" << stopper.month << "-" << stopper.day;
        // The parse stops there instead of walking the calendar past 2 February 2004.
        EXPECT_EQ(trace_.str().find("aqui"), std::string::npos);
    }
}

TEST_F(StationFileTest, ParseEndsWhenTheTableIsFull) {
    // Every day of 1997..2008, then more bytes: the walk would need a thirteenth year.
    std::vector<StationDay> days =
        consecutiveDays(1997, 1, 1, 12 * 365, [](int y, int, int, int) { return y; });
    std::string bytes = encodeStationFile("H", days);
    bytes += std::string(200, '\0');
    ASSERT_EQ(readBytes(bytes, "H"), 0);
    EXPECT_EQ(at(1997, 1, 1, 1), 1997);
    EXPECT_EQ(at(2008, 12, 31, 24), 2008);
    EXPECT_EQ(filledHours(), 12L * 8760);
}

TEST_F(StationFileTest, FilesCutShortKeepWhatWasRead) {
    const std::vector<StationDay> days = {constantDay(1997, 1, 1, 10), constantDay(1997, 1, 2, 20),
                                          constantDay(1997, 1, 3, 30)};
    const std::string whole = encodeStationFile("T", days, "station");
    const std::size_t record = whole.size() / 3;
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        ASSERT_EQ(readBytes(whole.substr(0, length)), 0) << length;
        const long complete = static_cast<long>(length / record);
        const long filled = filledHours();
        // Every complete record is there; a record cut inside its values keeps the values read.
        EXPECT_GE(filled, complete * 24) << length;
        EXPECT_LE(filled, std::min(3L, complete + 1) * 24) << length;
    }
    // Cut after the header and the first 5 values of the second record.
    const std::size_t headerBytes = 8 + 12 + 1 + 4 + 1;
    ASSERT_EQ(readBytes(whole.substr(0, record + headerBytes + 5 * 4 + 2)), 0);
    EXPECT_EQ(at(1997, 1, 2, 5), 20);
    EXPECT_EQ(at(1997, 1, 2, 6), MISSING_RAW);
}

TEST_F(StationFileTest, TextWithoutItsZeroByteEndsTheParse) {
    std::string bytes = encodeStationFile("T", {{constantDay(1997, 1, 1, 10)}});
    bytes += std::string(5000, 'x');  // a text item that never ends
    ASSERT_EQ(readBytes(bytes), 0);
    EXPECT_EQ(filledHours(), 24);
}

TEST_F(StationFileTest, RandomBytesNeverCrash) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(round * 37), '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        EXPECT_EQ(readBytes(bytes, round % 2 == 0 ? "T" : "H"), 0);
        EXPECT_LE(filledHours(), 12L * 8760);
    }
}

TEST_F(StationFileTest, LongTextItemsAreSkipped) {
    const std::string label(3000, 'a');
    const std::string bytes = encodeStationFile("H", {{constantDay(2001, 7, 1, 55)}}, label);
    ASSERT_EQ(readBytes(bytes, "H"), 0);
    EXPECT_EQ(at(2001, 7, 1, 12), 55);
}

TEST(StationFileCode, OnlyLettersAndDigitsNameFiles) {
    EXPECT_TRUE(isStationFileCode("1387E"));
    EXPECT_TRUE(isStationFileCode("0367"));
    EXPECT_FALSE(isStationFileCode(""));
    EXPECT_FALSE(isStationFileCode("../x"));
    EXPECT_FALSE(isStationFileCode("a b"));
    EXPECT_FALSE(isStationFileCode(std::string(17, '1')));
    EXPECT_EQ(stationFilePath("/data", "T", "1387E"), "/data/T1387E_.bin");
}

}  // namespace
}  // namespace climstat
