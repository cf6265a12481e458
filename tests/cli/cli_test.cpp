// climstat-cli run in-process: the acceptance commands, exit statuses and one-line messages.

#include "cli/cli.h"
#include "cli/run_cli.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/met_writer.h"
#include "support/test_data.h"

namespace climstat::cli {
namespace {

namespace fs = std::filesystem;

using Result = test::CliResult;

class CliTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = test::makeTempDir("cli");
        // Nothing from the developer's environment may decide where the data are.
        ::unsetenv("CLIMSTAT_DATA_DIR");
        ::setenv("XDG_DATA_HOME", (dir_ + "/xdg").c_str(), 1);
    }
    void TearDown() override { fs::remove_all(dir_); }

    Result cli(const std::vector<std::string>& args) {
        return test::runCommandLine(args, dir_ + "/bin");
    }

    // A failure says why in exactly one line.
    static void expectOneLine(const Result& r, const std::string& part) {
        EXPECT_TRUE(r.out.empty()) << r.out;
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(r.err.rfind("climstat-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
    }

    std::string dir_;
};

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST_F(CliTest, PsychroListsEveryPropertyOfTheState) {
    const Result r = cli({"psychro", "--t", "20", "--w", "0.01", "--pt", "101325"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(r.err.empty());
    for (const char* line :
         {"saturation pressure (Pa): 2338.80", "vapour pressure (Pa): 1603.29",
          "saturation humidity ratio (kg/kg): 0.014696", "relative humidity (%): 68.55",
          "dew point (degC): 14.04", "wet bulb (degC): 16.26", "enthalpy (kJ/kg): 45.50",
          "specific volume (m3/kg): 0.8437", "total pressure (Pa): 101325.0"}) {
        EXPECT_TRUE(hasLine(r.out, line)) << line << "\n" << r.out;
    }
}

TEST_F(CliTest, PsychroAtAnAltitudeAndWithACommaSeparator) {
    const Result r = cli(
        {"--decimal-separator", ",", "psychro", "--t", "20,0", "--w", "0.01", "--altitude", "667"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(hasLine(r.out, "total pressure (Pa): 93564,6")) << r.out;
    EXPECT_TRUE(hasLine(r.out, "enthalpy (kJ/kg): 45,50")) << r.out;
}

TEST_F(CliTest, PsychroRefusesWhatItCannotUse) {
    Result r = cli({"psychro", "--t", "abc", "--w", "0.01", "--pt", "101325"});
    EXPECT_EQ(r.status, kExitUsage);
    expectOneLine(r, "'abc' is not a valid floating point value");
    r = cli({"psychro", "--t", "20", "--pt", "101325"});
    EXPECT_EQ(r.status, kExitUsage);
    expectOneLine(r, "--w");
    r = cli({"psychro", "--t", "20", "--w", "0.01", "--pt", "101325", "--altitude", "0"});
    EXPECT_EQ(r.status, kExitUsage);
    expectOneLine(r, "either --pt P or --altitude Z");
    for (const auto& [option, value] : std::vector<std::pair<std::string, std::string>>{
             {"--t", "1e300"}, {"--w", "-0.1"}, {"--pt", "-5"}, {"--pt", "1e39"}}) {
        std::vector<std::string> args = {"psychro", "--t", "20", "--w", "0.01", "--pt", "101325"};
        for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
            if (args[i] == option) args[i + 1] = value;
        }
        r = cli(args);
        EXPECT_EQ(r.status, kExitUsage) << option << " " << value;
        expectOneLine(r, option);
    }
}

TEST_F(CliTest, InfoOnTheRealTwentyThirteenZone) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = cli({"--data-dir", test::realDatabaseDir(), "info", "--source", "cte2013",
                          "--location", "D3_peninsula"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(hasLine(r.out, "hours read: 8760")) << r.out;
    EXPECT_TRUE(hasLine(r.out, "pressure pt (Pa): 93564.6")) << r.out;
    EXPECT_TRUE(hasLine(r.out, "latitude: 40.68")) << r.out;
    EXPECT_TRUE(hasLine(r.out, "altitude (m): 667")) << r.out;
    EXPECT_TRUE(hasLine(r.out, "year slots: 1")) << r.out;
    EXPECT_TRUE(hasLine(r.out, "location: Ciudad: D3_peninsula")) << r.out;
    EXPECT_NE(r.out.find("D3_peninsula.met"), std::string::npos);
}

TEST_F(CliTest, InfoFindsListEntriesByTheirListText) {
    CLIMSTAT_NEED_REAL_DATA();
    Result r = cli({"--data-dir", test::realDatabaseDir(), "info", "--source", "cte2013",
                    "--location", "D3_peninsula(2013)"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    ::setenv("CLIMSTAT_DATA_DIR", test::realDatabaseDir().c_str(), 1);
    r = cli({"info", "--source", "cte2006", "--location", "Madrid"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(hasLine(r.out, "latitude: 40.41")) << r.out;
    // Listed, but its file is not in the folder.
    r = cli({"info", "--source", "cte2006", "--location", "Donostia-San Sebastian"});
    EXPECT_EQ(r.status, kExitDataFile);
    expectOneLine(r, "sansebastian.met");
}

TEST_F(CliTest, InfoOnAFileOfItsOwn) {
    test::writeBytes(dir_ + "/own.met", test::metText({}));
    const Result r = cli({"info", "--met", dir_ + "/own.met", "--altitude", "667"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(hasLine(r.out, "hours read: 8760")) << r.out;
    EXPECT_TRUE(hasLine(r.out, "latitude: 40.68")) << r.out;
}

TEST_F(CliTest, BrokenOrMissingDataFilesExitWithThree) {
    test::MetText truncated;
    truncated.records = 100;
    test::writeBytes(dir_ + "/hundred_records.met", test::metText(truncated));
    Result r = cli({"info", "--met", dir_ + "/hundred_records.met", "--altitude", "0"});
    EXPECT_EQ(r.status, kExitDataFile);
    expectOneLine(r, "hundred_records.met");
    EXPECT_NE(r.err.find("100 of 8760 records"), std::string::npos) << r.err;

    r = cli({"--data-dir", dir_ + "/nowhere", "info", "--source", "cte2013", "--location",
             "A3_peninsula"});
    EXPECT_EQ(r.status, kExitDataFile);
    expectOneLine(r, "A3_peninsula.met");
}

TEST_F(CliTest, NoDataFolderSaysWhereItLookedAndHowToGiveOne) {
    const Result r = cli({"info", "--source", "cte2013", "--location", "D3_peninsula"});
    EXPECT_EQ(r.status, kExitDataFile);
    expectOneLine(r, (fs::path(dir_) / "bin" / "database").string());
    EXPECT_NE(r.err.find(dir_ + "/xdg/climstat/database"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--data-dir"), std::string::npos);
    EXPECT_NE(r.err.find("CLIMSTAT_DATA_DIR"), std::string::npos);
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"info", "--source", "cte2013", "--location", "Atlantis"},
             {"info", "--source", "cte2006", "--location", "D3_peninsula"},  // other list
             {"info", "--source", "mars", "--location", "D3_peninsula"},
             {"info"},
             {"info", "--met", "x.met"},
             {"info", "--met", "x.met", "--altitude", "99999"},
             {"frobnicate"},
             {"info", "--no-such-option"},
             {"info", "--source"},
             {"psychro", "info"},
             {"--decimal-separator", "ab", "psychro"}}) {
        const Result r = cli(args);
        EXPECT_EQ(r.status, kExitUsage) << args[0] << " " << r.err;
        expectOneLine(r, "");
    }
    const Result none = cli({});
    EXPECT_EQ(none.status, kExitUsage);
    EXPECT_NE(none.err.find("usage: climstat-cli"), std::string::npos);
    const Result help = cli({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("psychro --t T --w W"), std::string::npos);
}

TEST_F(CliTest, OutputGoesToTheGivenFile) {
    const std::string path = dir_ + "/result.txt";
    const Result r =
        cli({"--output", path, "psychro", "--t", "20", "--w", "0.01", "--pt", "101325"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(r.out.empty());
    std::ifstream in(path, std::ios::binary);
    std::ostringstream written;
    written << in.rdbuf();
    EXPECT_TRUE(hasLine(written.str(), "wet bulb (degC): 16.26")) << written.str();
}

}  // namespace
}  // namespace climstat::cli
