#include "data/station_records.h"

#include <gtest/gtest.h>

#include <sstream>

namespace climstat {
namespace {

StationRecords readText(const std::string& text, char separator = '.') {
    std::istringstream in(text);
    return readStationRecords(in, separator);
}

TEST(StationRecords, LinesBecomeDayRecordsInDateOrder) {
    const StationRecords records = readText(
        "2001-03-02;1;-3.25;80\n"
        "  2001-03-01 ; 24 ; 12.4 ; 65.4 \r\n"
        "\n"
        "2001-03-01;2;;100\n"
        "2001-03-01;3;7;\n");
    ASSERT_TRUE(records.errors.empty()) << records.errors.front().reason();
    ASSERT_EQ(records.temperature.size(), 2u);
    ASSERT_EQ(records.humidity.size(), 2u);
    const StationDay& first = records.temperature[0];
    EXPECT_EQ(first.year, 2001);
    EXPECT_EQ(first.month, 3);
    EXPECT_EQ(first.day, 1);
    EXPECT_EQ(first.values[23], 124);
    EXPECT_EQ(first.values[1], MISSING_RAW);  // empty temperature
    EXPECT_EQ(first.values[2], 70);
    EXPECT_EQ(first.values[0], MISSING_RAW);  // an hour no line gives
    EXPECT_EQ(records.humidity[0].values[23], 65);
    EXPECT_EQ(records.humidity[0].values[1], 100);
    EXPECT_EQ(records.humidity[0].values[2], MISSING_RAW);
    EXPECT_EQ(records.temperature[1].values[0], -33);  // -32.5 rounds away from zero
    EXPECT_EQ(records.temperatureHours, 3);
    EXPECT_EQ(records.humidityHours, 3);
    EXPECT_EQ(records.firstYear, 2001);
    EXPECT_EQ(records.lastYear, 2001);
}

TEST(StationRecords, DecimalCommaIsAcceptedWithThatSeparator) {
    const StationRecords records =
        readText("1999-07-15;13;31,6;40,4\n1999-07-15;14;31.7;41\n", ',');
    ASSERT_TRUE(records.errors.empty());
    EXPECT_EQ(records.temperature[0].values[12], 316);
    EXPECT_EQ(records.temperature[0].values[13], 317);
    EXPECT_EQ(records.humidity[0].values[12], 40);
    EXPECT_EQ(readText("1999-07-15;13;31,6;40\n", '.').errors.size(), 1u);
}

TEST(StationRecords, TwentyNinthOfFebruaryOnlyInLeapYears) {
    const StationRecords records = readText("2004-02-29;1;5;50\n2001-02-29;1;5;50\n");
    ASSERT_EQ(records.errors.size(), 1u);
    EXPECT_EQ(records.errors[0].line, 2);
    ASSERT_EQ(records.temperature.size(), 1u);
    EXPECT_EQ(records.temperature[0].day, 29);
}

TEST(StationRecords, BadLinesAreReportedWithTheirNumbers) {
    const StationRecords records = readText(
        "date;hour;t;rh\n"          // 1 a heading
        "2000-01-01;1;10;50\n"      // 2 good
        "2000-01-01;1;11;50\n"      // 3 the same hour again
        "1996-12-31;1;10;50\n"      // 4 before 1997
        "2009-01-01;1;10;50\n"      // 5 after 2008
        "2000-01-01;0;10;50\n"      // 6 hour 0
        "2000-01-01;25;10;50\n"     // 7 hour 25
        "2000-01-01;2;abc;50\n"     // 8 not a number
        "2000-01-01;2;95;50\n"      // 9 no temperature
        "2000-01-01;2;10;101\n"     // 10 more than 100 %
        "2000-01-01;2;10;-1\n"      // 11 below 0 %
        "2000-01-01;2;10\n"         // 12 three fields
        "2000-1-1;2;10;50\n"        // 13 not YYYY-MM-DD
        "2000-04-31;2;10;50\n"      // 14 no such day
        "2000-01-01;2;nan;50\n"     // 15
        "2000-01-01;2;1e9;50\n"     // 16
        "2000-01-01;3;10;50;x\n");  // 17 five fields
    std::vector<long> lines;
    for (const StationRecordError& error : records.errors)
        lines.push_back(error.line);
    EXPECT_EQ(lines, (std::vector<long>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}));
    EXPECT_NE(records.errors[1].reason().find("line 2"), std::string::npos);
    EXPECT_NE(records.errors[2].reason().find("1997..2008"), std::string::npos);
    EXPECT_EQ(records.temperatureHours, 1);
    EXPECT_EQ(records.temperature[0].values[0], 100);  // the first of the repeated hours stays
}

TEST(StationRecords, EmptyInputGivesNoRecords) {
    const StationRecords records = readText("");
    EXPECT_TRUE(records.temperature.empty());
    EXPECT_TRUE(records.errors.empty());
    EXPECT_EQ(records.firstYear, 0);
    EXPECT_EQ(readText(std::string(1000, 'x') + "\n").errors.size(), 1u);
}

TEST(StationRecords, AByteOrderMarkIsReadAndLinesEndedByCrAloneAreNamed) {
    const StationRecords marked = readText(
        "\xEF\xBB\xBF"
        "2001-03-04;1;12.5;60\r\n");
    EXPECT_TRUE(marked.errors.empty());
    EXPECT_EQ(marked.temperatureHours, 1);
    const StationRecords oldMac = readText("2001-03-04;1;12.5;60\r2001-03-04;2;12.5;60\r");
    EXPECT_TRUE(oldMac.crOnlyLineEnds);
    EXPECT_EQ(oldMac.errorCount, 0);
}

TEST(StationRecords, EveryBadLineIsCountedButOnlyTheFirstAreKept) {
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "x\n";
    const StationRecords records = readText(text);
    EXPECT_EQ(records.errorCount, 5000);
    ASSERT_EQ(records.errors.size(), kKeptRecordErrors);
    EXPECT_EQ(records.errors.back().line, static_cast<long>(kKeptRecordErrors));
    EXPECT_EQ(records.errors[0].reason(), "has 1 fields, expected YYYY-MM-DD;HH;T;RH");
}

}  // namespace
}  // namespace climstat
