#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "data/station_file.h"
#include "support/station_builder.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using Result = test::CliResult;

class StationCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override { folder_ = test::makeTempDir("station-cli"); }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    Result run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", folder_ + "/db", "--decimal-separator", "."});
        return test::runCommandLine(args);
    }
    std::string writeInput(const std::string& text) {
        const std::string path = folder_ + "/input.csv";
        test::writeBytes(path, text);
        return path;
    }
    bool exists(const std::string& name) const {
        return std::filesystem::exists(folder_ + "/db/" + name);
    }

    std::string folder_;
};

TEST_F(StationCommandsTest, WrittenStationLoadsWithItsCountsAndYears) {
    std::string csv;
    for (int hour = 1; hour <= 24; ++hour) {
        csv += "1998-07-01;" + std::to_string(hour) + ";25.5;40\n";
        csv += "2004-02-29;" + std::to_string(hour) + ";35;100\n";  // dropped by the reader
        csv += "2004-03-01;" + std::to_string(hour) + ";10;\n";     // no humidity
    }
    const Result written = run({"write-station", "--code", "3195", "--input", writeInput(csv)});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_NE(written.out.find("days: 3 (1998-07-01 to 2004-03-01)"), std::string::npos)
        << written.out;
    EXPECT_TRUE(exists("T3195_.bin"));
    EXPECT_TRUE(exists("H3195_.bin"));

    const Result info = run({"info", "--source", "aemet", "--station", "3195"});
    ASSERT_EQ(info.status, 0) << info.err;
    for (const char* line :
         {"location: Madrid (Retiro) (3195)\n", "station name: Madrid (Retiro)\n",
          "latitude text: 40º24'40''N\n", "temperature data (catalogue): 87600 (1998-2007)\n",
          "valid temperature hours (nValidT): 48\n", "humidity readings (nValidH): 24\n",
          "first valid year: 1998 (slot 2)\n", "last valid year: 2004 (slot 8)\n",
          "extrapolation: 0 Estación meteo\n", "ts (degC) min/max/mean: 10.00 / 25.50 / 17.75\n"}) {
        EXPECT_NE(info.out.find(line), std::string::npos) << line << "\n" << info.out;
    }
    // The reader's trace lines stay off standard output, and off standard error unless asked
    // for: an error is one line.
    EXPECT_EQ(info.out.find("Fichero lectura"), std::string::npos);
    EXPECT_EQ(info.err.find("Fichero lectura"), std::string::npos);
    const Result traced = run({"--verbose", "info", "--source", "aemet", "--station", "3195"});
    EXPECT_NE(traced.err.find("Fichero lectura = "), std::string::npos);
}

TEST_F(StationCommandsTest, ExtrapolationOptions) {
    const std::string csv = "2001-01-01;1;20;50\n2001-07-01;1;20;50\n";
    ASSERT_EQ(run({"write-station", "--code", "3195", "--input", writeInput(csv)}).status, 0);
    const Result moved = run({"info", "--source", "aemet", "--station", "3195", "--extrapolation",
                              "3", "--locality-altitude", "1167"});
    ASSERT_EQ(moved.status, 0) << moved.err;
    EXPECT_NE(moved.out.find("location: Datos base: Madrid (Retiro) (3195)\n"), std::string::npos);
    EXPECT_NE(moved.out.find("locality altitude (m): 1167\n"), std::string::npos);
    // 20 - 5 + 3 in winter, 20 - 5 in summer.
    EXPECT_NE(moved.out.find("ts (degC) min/max/mean: 15.00 / 18.00 / 16.50\n"), std::string::npos)
        << moved.out;

    const std::vector<std::vector<std::string>> bad = {
        {"--extrapolation", "4"},
        {"--extrapolation", "1"},  // without the locality altitude
        {"--extrapolation", "1", "--locality-altitude", "99999"},
        {"--extrapolation", "12"},
    };
    for (const auto& options : bad) {
        std::vector<std::string> args = {"info", "--source", "aemet", "--station", "3195"};
        args.insert(args.end(), options.begin(), options.end());
        const Result r = run(args);
        EXPECT_EQ(r.status, cli::kExitUsage) << options[1];
    }
    const Result notANumber = run({"info", "--source", "aemet", "--station", "3195",
                                   "--extrapolation", "1", "--locality-altitude", "12a"});
    EXPECT_EQ(notANumber.status, cli::kExitUsage);
    EXPECT_NE(notANumber.err.find("'12a' is not a valid floating point value"), std::string::npos);
    EXPECT_EQ(
        run({"info", "--source", "cte2013", "--location", "D3_peninsula", "--extrapolation", "2"})
            .status,
        cli::kExitUsage);
}

TEST_F(StationCommandsTest, UnknownStationsAndMissingFiles) {
    const Result unknown = run({"info", "--source", "aemet", "--station", "367"});
    EXPECT_EQ(unknown.status, cli::kExitUsage);
    EXPECT_NE(unknown.err.find("'367' is not a station code"), std::string::npos);
    EXPECT_EQ(run({"info", "--source", "aemet"}).status, cli::kExitUsage);

    std::filesystem::create_directories(folder_ + "/db");
    const Result missing = run({"info", "--source", "aemet", "--station", "0367"});
    EXPECT_EQ(missing.status, cli::kExitDataFile);
    EXPECT_NE(missing.err.find("Error lectura \n"), std::string::npos);
    EXPECT_NE(missing.err.find("T0367_.bin: cannot be opened: no such file or folder\n"),
              std::string::npos)
        << missing.err;

    // Without its humidity file the station loads, with a warning naming the file.
    ASSERT_EQ(run({"write-station", "--code", "0367", "--input", writeInput("2000-01-01;1;5;50\n")})
                  .status,
              0);
    std::filesystem::remove(folder_ + "/db/H0367_.bin");
    const Result noHumidity = run({"info", "--source", "aemet", "--station", "0367"});
    EXPECT_EQ(noHumidity.status, 0) << noHumidity.err;
    EXPECT_NE(noHumidity.err.find("H0367_.bin: cannot be opened"), std::string::npos);
    EXPECT_NE(noHumidity.out.find("humidity readings (nValidH): 0\n"), std::string::npos);
}

TEST_F(StationCommandsTest, BadLinesAreReportedAndNothingIsWritten) {
    const std::string input = writeInput(
        "2000-01-01;1;5;50\n"
        "2000-01-01;2;5\n"
        "\n"
        "1995-01-01;1;5;50\n");
    const Result r = run({"write-station", "--code", "3195", "--input", input});
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_NE(r.err.find(input + ": line 2: has 3 fields"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(input + ": line 4: year 1995 is outside 1997..2008"), std::string::npos);
    EXPECT_NE(r.err.find("2 line(s) could not be used; no station file was written"),
              std::string::npos);
    EXPECT_FALSE(exists("T3195_.bin"));

    EXPECT_EQ(run({"write-station", "--code", "3195"}).status, cli::kExitUsage);
    EXPECT_EQ(run({"write-station", "--code", "ABC", "--input", input}).status, cli::kExitUsage);
    EXPECT_EQ(run({"write-station", "--code", "3195", "--input", writeInput("")}).status,
              cli::kExitUsage);
    EXPECT_EQ(run({"write-station", "--code", "3195", "--input", folder_ + "/none.csv"}).status,
              cli::kExitDataFile);
}

TEST_F(StationCommandsTest, ElevenYearStationFromRealHourlyData) {
    CLIMSTAT_NEED_REAL_DATA();
    test::writeElevenYearStation(test::realDatabaseDir(), folder_ + "/db", "3110C");
    const Result info = run({"info", "--source", "aemet", "--station", "3110C"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("valid temperature hours (nValidT): 96360\n"), std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("first valid year: 1997 (slot 1)\n"), std::string::npos);
    EXPECT_NE(info.out.find("last valid year: 2007 (slot 11)\n"), std::string::npos);
    // Buitrago caps the humidity ratio at 0.0135 kg/kg, below the wettest hours of the files.
    EXPECT_NE(info.out.find("wMax (kg/kg): 0.0135\n"), std::string::npos);
    EXPECT_NE(info.out.find(" / 0.013500 / "), std::string::npos) << info.out;
}

}  // namespace
}  // namespace climstat
