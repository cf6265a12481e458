// The command line on EPW files: the degree figures of a real typical year against the weather
// converter's own report, what info says, and the year options of several years.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "support/epw_writer.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using Result = test::CliResult;

Result run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--decimal-separator", "."});
    return test::runCommandLine(args);
}

std::string chicago() {
    return test::testDataDir() + "/epw/chicago.epw";
}

// The row "base B;Ene;...;Dic;season;Anual;" of a degree page file, as numbers.
std::vector<double> baseRow(const std::string& file, int base) {
    const std::string head = "base " + std::to_string(base) + ";";
    const std::size_t at = file.find(head);
    EXPECT_NE(at, std::string::npos) << file;
    std::vector<double> values;
    std::istringstream row(file.substr(at + head.size(), file.find("\r\n", at) - at - head.size()));
    for (std::string cell; std::getline(row, cell, ';');)
        values.push_back(std::stod(cell));
    return values;
}

// "Monthly Weather File Heating/Cooling Degree Days/Hours" of the EnergyPlus Weather Converter
// (V7.1.0.009) report for USA_IL_Chicago-OHare.Intl.AP.725300_TMY3, the statistics file
// published beside the weather file (NREL/OpenStudio-resources,
// weatherdata/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.stat): degree days from the mean of the
// 24 hours of each day, degree hours from every hour.
constexpr std::array<double, 12> kHdd18 = {702, 575, 439, 268, 104, 12, 1, 2, 38, 218, 398, 672};
constexpr std::array<double, 12> kCdh20 = {0, 0, 1, 520, 703, 2077, 3409, 2029, 845, 69, 7, 0};
constexpr std::array<double, 12> kCdh23 = {0, 0, 0, 258, 302, 1043, 1866, 869, 320, 10, 0, 0};

TEST(EpwCommands, DegreeFiguresOfARealTypicalYearMatchTheConvertersReport) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result days = run({"--source", "epw", "--epw", chicago(), "degree-days"});
    ASSERT_EQ(days.status, 0) << days.err;
    const std::vector<double> hdd = baseRow(days.out, 18);
    ASSERT_EQ(hdd.size(), 14u);
    for (std::size_t m = 0; m < 12; ++m)
        EXPECT_NEAR(hdd[m], kHdd18[m], 1.0) << "month " << m + 1;
    EXPECT_NEAR(hdd[13], 3430, 1.0);  // "3430 annual (wthr file) heating degree-days"

    const Result hours = run({"--source", "epw", "--epw", chicago(), "degree-hours", "--cooling"});
    ASSERT_EQ(hours.status, 0) << hours.err;
    const std::vector<double> cdh20 = baseRow(hours.out, 20);
    const std::vector<double> cdh23 = baseRow(hours.out, 23);
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_NEAR(cdh20[m], kCdh20[m], 1.0) << "month " << m + 1;
        EXPECT_NEAR(cdh23[m], kCdh23[m], 1.0) << "month " << m + 1;
    }
    EXPECT_NE(hours.out.find("Ficheros EPW (ficheros *.epw)\r\nIL, USA\r\n"
                             "Chicago Ohare Intl Ap (WMO 725300)\r\n"),
              std::string::npos);
}

TEST(EpwCommands, InfoGivesTheHeaderAndTheFilesDesignConditionsBesideOurs) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = run({"--source", "epw", "--epw", chicago(), "info"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"EPW WMO station: 725300\n", "years: one typical year\n",
                             "hours with data: 8760 of 8760\n",
                             "the file's reference (Climate Design Data 2009 ASHRAE Handbook)\n",
                             "heating dry bulb 99.6 % (TS_99,6, degC): ", " / -20.0\n",
                             "coincident wet bulb 0.4 % (THC_0,4, degC): "}) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    }
}

TEST(EpwCommands, SeveralYearsOfferTheirYearsAndRefuseTheTypicalYearPage) {
    const std::string dir = test::makeTempDir("epw-cli");
    for (int year : {2011, 2012}) {
        test::EpwText t;
        t.records = test::epwYear(
            year, [year](test::EpwRecord& r, int) { r.dryBulb = year == 2011 ? "11.0" : "12.0"; });
        test::writeBytes(dir + "/" + std::to_string(year) + ".epw", test::epwText(t));
    }
    const std::vector<std::string> location = {"--source",        "epw",   "--epw",
                                               dir + "/2012.epw", "--epw", dir + "/2011.epw"};
    auto with = [&](std::vector<std::string> args) {
        args.insert(args.begin(), location.begin(), location.end());
        return run(args);
    };
    const Result y2011 = with({"diagram", "--year", "2011"});
    ASSERT_EQ(y2011.status, 0) << y2011.err;
    EXPECT_NE(y2011.out.find("\n46,11,"), std::string::npos);
    EXPECT_EQ(y2011.out.find("\n46,12,"), std::string::npos);
    const Result all = with({"diagram", "--year", "all"});
    EXPECT_NE(all.out.find("\n46,11,"), std::string::npos);
    EXPECT_NE(all.out.find("\n46,12,"), std::string::npos);
    EXPECT_EQ(with({"diagram"}).out, with({"diagram", "--year", "2012"}).out);
    const Result wrong = with({"diagram", "--year", "2007"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.err.find("2011..2012"), std::string::npos) << wrong.err;
    EXPECT_EQ(with({"hourly-values"}).status, 2);
    EXPECT_NE(with({"info"}).out.find("years: 2011 2012\n"), std::string::npos);
    EXPECT_EQ(run({"--epw", dir + "/2011.epw", "info"}).status, 2);
    EXPECT_EQ(run({"--source", "epw", "info"}).status, 2);
    EXPECT_EQ(run({"--source", "epw", "--epw", dir + "/none.epw", "info"}).status, 3);
    std::filesystem::remove_all(dir);
}

TEST(IsdLiteCommand, WriteStationTakesIsdLiteFilesAndTheOffset) {
    const std::string dir = test::makeTempDir("isd-cli");
    test::writeBytes(dir + "/isd",
                     "2001 01 01 05   122    89 10223   270    41     4 -9999 -9999\n");
    auto write = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"--data-dir", dir + "/db",  "write-station", "--code",
                                         "3195",       "--isd-lite", dir + "/isd"};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args);
    };
    const Result r = write({"--utc-offset", "-3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("(ISD-Lite, UTC moved by -3 h): 1 hours"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("days: 1 (2001-01-01 to 2001-01-01)"), std::string::npos) << r.out;
    EXPECT_NE(write({}).out.find("UTC moved by 1 h"), std::string::npos);
    EXPECT_EQ(write({"--utc-offset", "1.5"}).status, 2);
    EXPECT_EQ(write({"--utc-offset", "15"}).status, 2);
    test::writeBytes(dir + "/text", "nothing here\n");
    const Result other = run({"--data-dir", dir + "/db", "write-station", "--code", "3195",
                              "--isd-lite", dir + "/text"});
    EXPECT_EQ(other.status, 2);
    EXPECT_NE(other.err.find("is neither an ISD-Lite file nor hourly records"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace climstat
