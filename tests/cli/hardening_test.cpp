// What a user who mistypes, or a file that lies, meets on the command line.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "support/met_writer.h"
#include "support/station_builder.h"
#include "support/test_data.h"

namespace climstat {
namespace {

namespace fs = std::filesystem;

using Outcome = test::CliResult;

Outcome cli(std::vector<std::string> args) {
    return test::runCommandLine(args);
}

TEST(CommandLine, HelpVersionAndTheOptionsThatCannotMeanTwoThings) {
    Outcome r = cli({"-h"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: climstat-cli"), std::string::npos);
    r = cli({"--version"});
    EXPECT_EQ(r.out, std::string("climstat-cli ") + climstat::kVersion + "\n");
    r = cli({"frequencies", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--kind K"), std::string::npos);
    for (const char* separator : {";", " ", "e", "::"}) {
        r = cli({"--decimal-separator", separator, "psychro", "--t", "20", "--w", "0.01", "--pt",
                 "101325"});
        EXPECT_EQ(r.status, cli::kExitUsage) << separator;
        EXPECT_NE(r.err.find("must be . or ,"), std::string::npos);
    }
}

TEST(CommandLine, LocationNamesIgnoreCaseAndTheListSuffix) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::string db = test::realDatabaseDir();
    for (const char* name : {"madrid", "MADRID", "Madrid(2006)"}) {
        const Outcome r =
            cli({"--data-dir", db, "info", "--source", "cte2006", "--location", name});
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    }
    EXPECT_EQ(
        cli({"--data-dir", db, "info", "--source", "cte2013", "--location", "d3_PENINSULA"}).status,
        0);
    const Outcome list = cli({"--data-dir", db, "locations", "--source", "cte2013"});
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("cte2013;11;D3_peninsula;D3_peninsula.met;present\n"),
              std::string::npos);
    const Outcome both = cli({"--data-dir", db, "locations"});
    EXPECT_NE(both.out.find("cte2006;1;A Coruña;Lacoruna.met;missing\n"), std::string::npos);
    EXPECT_NE(both.out.find("cte2006;29;Madrid;madrid.met;present\n"), std::string::npos);
}

class BadData : public ::testing::Test {
  protected:
    void SetUp() override { dir = test::makeTempDir("bad-data"); }
    void TearDown() override { fs::remove_all(dir); }
    std::string dir;
};

TEST_F(BadData, ACorruptTypicalYearFailsAndABadStationHourIsLeftOutWithAWarning) {
    test::MetText text;
    text.ts = [](int h) { return h == 5000 ? 1e9 : 12.0; };
    test::writeBytes(dir + "/hot.met", test::metText(text));
    Outcome r = cli({"info", "--met", dir + "/hot.met", "--altitude", "100"});
    EXPECT_EQ(r.status, cli::kExitDataFile);
    EXPECT_NE(r.err.find(dir + "/hot.met: line 5002: dry bulb 1e+09"), std::string::npos) << r.err;

    StationDay t = test::constantDay(2001, 3, 4, 125);
    StationDay h = test::constantDay(2001, 3, 4, 60);
    t.values[5] = 5000;  // 500 degC
    test::writeStation(dir + "/db", "3195", {t}, {h});
    r = cli({"--data-dir", dir + "/db", "info", "--source", "aemet", "--station", "3195"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("warning: 1 hour(s) with implausible values left out"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("2001-03-04 06h"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("valid temperature hours (nValidT): 23\n"), std::string::npos) << r.out;

    StationDay dry = test::constantDay(2001, 3, 4, MISSING_RAW);  // not one humidity reading
    test::writeStation(dir + "/db", "3195", {t}, {dry});
    r = cli({"--data-dir", dir + "/db", "info", "--source", "aemet", "--station", "3195"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("H3195_.bin: no humidity reading at all"), std::string::npos) << r.err;

    for (auto& value : t.values)
        value = -2000;  // every hour implausible
    test::writeStation(dir + "/db", "3195", {t}, {h});
    r = cli({"--data-dir", dir + "/db", "info", "--source", "aemet", "--station", "3195"});
    EXPECT_EQ(r.status, cli::kExitDataFile);
    EXPECT_NE(r.err.find("hold no usable hour"), std::string::npos) << r.err;
}

TEST_F(BadData, OutputGoesOnlyWhereARegularFileCanBe) {
    const std::vector<std::string> psychro = {"psychro", "--t",  "20",    "--w",
                                              "0.01",    "--pt", "101325"};
    auto to = [&](const std::string& path) {
        std::vector<std::string> args = {"--output", path};
        args.insert(args.end(), psychro.begin(), psychro.end());
        return cli(args);
    };
    test::writeBytes(dir + "/target.txt", "old");
    ::chmod((dir + "/target.txt").c_str(), 0640);
    fs::create_symlink(dir + "/target.txt", dir + "/link.txt");
    EXPECT_EQ(to(dir + "/link.txt").status, 0);
    EXPECT_TRUE(fs::is_symlink(dir + "/link.txt"));
    EXPECT_GT(fs::file_size(dir + "/target.txt"), 3u);
    EXPECT_EQ(fs::status(dir + "/target.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
    Outcome r = to(dir + "/pipe");
    EXPECT_EQ(r.status, cli::kExitDataFile);
    EXPECT_TRUE(fs::is_fifo(dir + "/pipe"));
    r = to("/dev/full");
    EXPECT_EQ(r.status, cli::kExitDataFile);
    EXPECT_NE(r.err.find("/dev/full: is not a regular file"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    r = to("-");
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.out.empty());
}

TEST_F(BadData, TheOutputMayNotBeAFileTheCommandReads) {
    test::MetText text;
    test::writeBytes(dir + "/zone.met", test::metText(text));
    const std::string met = test::readBytes(dir + "/zone.met");
    fs::create_symlink(dir + "/zone.met", dir + "/alias.met");
    Outcome r = cli({"--output", dir + "/alias.met", "--met", dir + "/zone.met", "--altitude",
                     "100", "averages", "--variable", "ts"});
    EXPECT_EQ(r.status, cli::kExitDataFile);
    EXPECT_NE(r.err.find("is the file being read (" + dir + "/zone.met)"), std::string::npos)
        << r.err;
    EXPECT_EQ(test::readBytes(dir + "/zone.met"), met);

    test::writeBytes(dir + "/records.csv", "2001-03-04;1;12.5;60\n");
    r = cli({"--data-dir", dir + "/db", "--output", dir + "/records.csv", "write-station", "--code",
             "3195", "--input", dir + "/records.csv"});
    EXPECT_EQ(r.status, cli::kExitDataFile);
    EXPECT_EQ(test::readBytes(dir + "/records.csv"), "2001-03-04;1;12.5;60\n");
    EXPECT_FALSE(fs::exists(dir + "/db/T3195_.bin"));
}

TEST_F(BadData, ADataPathThatIsAFileIsSaidToBeNoFolder) {
    test::writeBytes(dir + "/file", "x");
    test::writeBytes(dir + "/records.csv", "2001-03-04;1;12.5;60\n");
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"info", "--source", "aemet", "--station", "3195"},
          std::vector<std::string>{"info", "--source", "cte2013", "--location", "D3_peninsula"},
          std::vector<std::string>{"write-station", "--code", "3195", "--input",
                                   dir + "/records.csv"}}) {
        std::vector<std::string> args = {"--data-dir", dir + "/file"};
        args.insert(args.end(), command.begin(), command.end());
        const Outcome r = cli(args);
        EXPECT_EQ(r.status, cli::kExitDataFile);
        EXPECT_EQ(r.err, "climstat-cli: " + dir + "/file: is not a folder\n");
    }
}

TEST(CommandLine, AnOptionOfAnotherCommandIsAUsageError) {
    Outcome r =
        cli({"--met", "x.met", "--altitude", "0", "frequencies", "--variable", "ts", "--cooling"});
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_NE(r.err.find("option --cooling does not belong to the command frequencies"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(cli({"psychro", "--t", "20", "--w", "0.01", "--pt", "101325", "--list"}).status,
              cli::kExitUsage);
    EXPECT_EQ(cli({"psychro", "--t", "20", "--w", "0.01", "--altitude", "600"}).status, 0);
}

}  // namespace
}  // namespace climstat
