#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "data/met_file.h"
#include "data/typical_year.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using Result = test::CliResult;

Result runCli(std::vector<std::string> args) {
    std::vector<std::string> full = {"--data-dir", climstat::test::realDatabaseDir(),
                                     "--source",   "cte2013",
                                     "--location", "D3_peninsula"};
    full.insert(full.end(), args.begin(), args.end());
    return test::runCommandLine(full);
}

long selectedHours(const std::string& out) {
    const std::string key = "selected hours: ";
    const auto at = out.rfind(key);
    if (at == std::string::npos) return -1;
    return std::stol(out.substr(at + key.size()));
}

// The hour indices listed for one day of slot 1.
std::vector<int> listedDay(const std::string& out, int day) {
    const std::string key = "\nday " + std::to_string(day) + ":";
    const auto at = out.find(key);
    if (at == std::string::npos) return {};
    std::istringstream line(out.substr(at + key.size(), out.find('\n', at + 1) - at - key.size()));
    std::vector<int> hours;
    for (int h; line >> h;)
        hours.push_back(h);
    return hours;
}

TEST(SelectionCommand, WholeYearOfAZoneFile) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = runCli({"selection"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(selectedHours(r.out), 8760);
    EXPECT_NE(r.out.find("1;744;672;744;720;744;720;744;744;720;744;720;744;8760\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("\nday "), std::string::npos);  // no list without --list
}

TEST(SelectionCommand, IntervalPresets) {
    CLIMSTAT_NEED_REAL_DATA();
    EXPECT_EQ(selectedHours(runCli({"--interval", "2", "selection"}).out), 3650);
    const Result sun = runCli({"--interval", "11", "selection", "--list"});
    ASSERT_EQ(sun.status, 0) << sun.err;
    EXPECT_EQ(listedDay(sun.out, 1), (std::vector<int>{8, 9, 10, 11, 12, 13, 14, 15, 16}));
    const std::vector<int> midsummer = listedDay(sun.out, 172);
    ASSERT_EQ(midsummer.size(), 15u);
    EXPECT_EQ(midsummer.front(), 171 * 24 + 5);
    EXPECT_EQ(midsummer.back(), 171 * 24 + 19);
}

TEST(SelectionCommand, UserDefinedPresetWithDayTypesAndSchedules) {
    CLIMSTAT_NEED_REAL_DATA();
    // Every date "Esp. 1" with its hours 8..13, then January "Sin uso".
    const Result r = runCli({"--interval", "12", "--day-type", "1-365:4", "--schedule",
                             "4:8-10,11-13", "--day-type", "1-31:7", "selection", "--list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(selectedHours(r.out), 334 * 6);
    EXPECT_TRUE(listedDay(r.out, 31).empty());
    EXPECT_EQ(listedDay(r.out, 32), (std::vector<int>{752, 753, 754, 755, 756, 757}));
    // Without a schedule for "Esp. 1" its dates select nothing.
    EXPECT_EQ(selectedHours(runCli({"--interval", "12", "--day-type", "100:4", "selection"}).out),
              8760 - 24);
    // Type 1's schedule applies to dates never assigned.
    EXPECT_EQ(selectedHours(runCli({"--interval", "12", "--schedule", "1:none", "--day-type",
                                    "1-2:3", "selection"})
                                .out),
              2 * 12);
}

TEST(SelectionCommand, TemperatureLimitKeepsTheHoursAtOrAboveIt) {
    CLIMSTAT_NEED_REAL_DATA();
    const MetFileData file =
        readMetFile(typicalYearFilePath(climstat::test::realDatabaseDir(), "D3_peninsula"));
    const long expected =
        std::count_if(file.ts.begin() + 1, file.ts.end(), [](float ts) { return ts >= 25.0f; });
    ASSERT_GT(expected, 0);
    const Result r = runCli({"--first", "ts:min:25", "selection"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(selectedHours(r.out), expected);
    EXPECT_EQ(selectedHours(runCli({"--first", "ts:max:25", "selection"}).out), 8760 - expected);
    EXPECT_EQ(selectedHours(runCli({"--second", "ts:min:25.0", "selection"}).out), expected);
    // A comma as the separator; a point is still understood on the command line.
    EXPECT_EQ(selectedHours(
                  runCli({"--decimal-separator", ",", "--first", "ts:min:25,0", "selection"}).out),
              expected);
    EXPECT_EQ(selectedHours(
                  runCli({"--decimal-separator", ",", "--first", "1:min:25.0", "selection"}).out),
              expected);
}

TEST(SelectionCommand, ALimitThatIsNotANumberFailsThePass) {
    CLIMSTAT_NEED_REAL_DATA();
    Result r = runCli({"--first", "ts:min:abc", "selection"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "climstat-cli: 'abc' is not a valid floating point value\n");
    EXPECT_TRUE(r.out.empty());
    // Also with no variable chosen, as a wrong text left in a hidden edit.
    r = runCli({"--second", "none:max:", "selection"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "climstat-cli: '' is not a valid floating point value\n");
}

TEST(SelectionCommand, MalformedSelectionOptionsAreUsageErrors) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::vector<std::vector<std::string>> cases = {
        {"--interval", "13"},     {"--interval", "-1"},      {"--interval", "2x"},
        {"--first", "ts"},        {"--first", "ts:25"},      {"--first", "xx:min:3"},
        {"--first", "ts:mid:3"},  {"--second", "7:max:3"},   {"--day-type", "0-3:1"},
        {"--day-type", "10-5:1"}, {"--day-type", "1-366:1"}, {"--day-type", "1-3:8"},
        {"--day-type", "1-3"},    {"--schedule", "7:1-3"},   {"--schedule", "1:25"},
        {"--schedule", "1:5-3"},  {"--schedule", "0:5"},     {"--schedule", "2:5,"},
        {"--schedule", "2"},
    };
    for (std::vector<std::string> args : cases) {
        const std::string shown = args[0] + " " + args[1];
        args.push_back("selection");
        const Result r = runCli(args);
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << shown;
    }
}

TEST(SelectionCommand, NeedsALocation) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::run({"selection"}, out, err, ""), 2);
    EXPECT_FALSE(err.str().empty());
}

}  // namespace
}  // namespace climstat
