// The statistics commands on eleven years of station data written with write-station.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "core/calendar.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using Result = test::CliResult;

constexpr int kMissingYear = 2000;  // 3 January 2000 loses its 5th hour
constexpr int kMissingDay = 3;
constexpr int kMissingHour = 5;

// Dry bulb in tenths of a degree of every hour of 1997..2007: seasons, days and a scatter from
// year to year, so that no 1-degree class holds a large share of the hours.
int tenths(int year, int dayOfYear, int hour) {
    const double season = -9.0 * std::cos(2.0 * std::numbers::pi * (dayOfYear - 15) / 365.0);
    const double daily = 6.0 * std::sin(2.0 * std::numbers::pi * (hour - 10) / 24.0);
    const unsigned mix = static_cast<unsigned>(year * 7919 + dayOfYear * 104729 + hour * 131);
    const double scatter = static_cast<double>((mix * 2654435761u) >> 22) / 1024.0 * 8.0 - 4.0;
    const int value = static_cast<int>(std::lround((14.0 + season + daily + scatter) * 10.0));
    // An hour at exactly 0 degC reads as no data in station files: keep clear of it.
    return value == 0 ? 1 : value;
}

class StatisticsStationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = test::makeTempDir("statistics-station");
        std::string csv;
        for (int year = 1997; year <= 2007; ++year) {
            for (int d = 1; d <= 365; ++d) {
                const int month = monthOfDay(d);
                const int day = dayOfMonth(d);
                char date[16];
                std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
                for (int hour = 1; hour <= 24; ++hour) {
                    std::string t = std::to_string(tenths(year, d, hour) / 10.0);
                    if (year == kMissingYear && month == 1 && day == kMissingDay &&
                        hour == kMissingHour) {
                        t.clear();
                    }
                    csv += std::string(date) + ";" + std::to_string(hour) + ";" + t + ";55\n";
                }
            }
        }
        test::writeBytes(folder_ + "/input.csv", csv);
        const Result written =
            run({"write-station", "--code", "3195", "--input", folder_ + "/input.csv"});
        ASSERT_EQ(written.status, 0) << written.err;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    Result run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", folder_ + "/db", "--decimal-separator", "."});
        return test::runCommandLine(args);
    }

    std::string folder_;
};

TEST_F(StatisticsStationTest, DesignConditionsCountTheValidHoursOfElevenYears) {
    const Result r = run({"--source", "aemet", "--station", "3195", "design"});
    ASSERT_EQ(r.status, 0) << r.err;
    int lowest = 100000;
    for (int year = 1997; year <= 2007; ++year) {
        for (int d = 1; d <= 365; ++d) {
            for (int hour = 1; hour <= 24; ++hour)
                lowest = std::min(lowest, tenths(year, d, hour));
        }
    }
    std::ostringstream tsMin;
    tsMin << "TSMIN;" << (lowest < 0 ? "-" : "") << std::abs(lowest) / 10 << '.'
          << std::abs(lowest) % 10 << '\n';
    EXPECT_EQ(r.out.rfind(tsMin.str(), 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nTemperatura seca;96359 (1997-2007)\n"), std::string::npos) << r.out;
    // With scattered data every figure is defined.
    for (const char* name : {"TS_99,6;", "TS_99;", "HUMcoin;", "OMA;", "OminDC;", "OMDC;",
                             "TS_0,4;", "THC_0,4;", "OMDR;", "TH_0,4;", "TSC_0,4;"}) {
        const std::size_t at = r.out.find(std::string("\n") + name);
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_NE(r.out[at + 1 + std::string(name).size()], '\n') << name << " is empty";
    }
}

TEST_F(StatisticsStationTest, DegreeDaysScaleAMonthWithAMissingHourToItsDays) {
    const Result r = run({"--source", "aemet", "--station", "3195", "degree-days"});
    ASSERT_EQ(r.status, 0) << r.err;
    // January over the eleven years, the day with the missing hour left out.
    double sum15 = 0.0;
    double sum20 = 0.0;
    int days = 0;
    for (int year = 1997; year <= 2007; ++year) {
        for (int d = 1; d <= 31; ++d) {
            if (year == kMissingYear && d == kMissingDay) continue;
            double mean = 0.0;
            for (int hour = 1; hour <= 24; ++hour)
                mean += tenths(year, d, hour) / 10.0;
            mean /= 24.0;
            sum15 += std::max(0.0, 15.0 - mean);
            sum20 += std::max(0.0, 20.0 - mean);
            ++days;
        }
    }
    ASSERT_EQ(days, 11 * 31 - 1);
    const std::size_t base15 = r.out.find("base 15;");
    const std::size_t base20 = r.out.find("base 20;");
    ASSERT_NE(base15, std::string::npos);
    ASSERT_NE(base20, std::string::npos);
    const double january15 = std::stod(r.out.substr(base15 + 8));
    const double january20 = std::stod(r.out.substr(base20 + 8));
    EXPECT_NEAR(january15, 31.0 * sum15 / days, 0.51);
    EXPECT_NEAR(january20, 31.0 * sum20 / days, 0.51);
    EXPECT_EQ(r.out.rfind("Tipo de Datos: Estaciones Meteorol\xF3gicas\r\nMadrid\r\n", 0), 0u);
}

TEST_F(StatisticsStationTest, FrequencyFileNamesTheStationAndItsExtrapolation) {
    const Result r = run({"--source", "aemet", "--station", "3195", "--extrapolation", "3",
                          "--locality-altitude", "850", "frequencies", "--variable", "ts"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Estaciones Meteorol\xF3gicas (Isla t\xE9rmica+Diferente cota)\r\n"
                          "Madrid\r\n"
                          "Datos base: Madrid (Retiro) (3195)\r\n"
                          "3195\r\n"
                          "Variable a representar= Temperatura seca (\xBA"
                          "C)\r\n",
                          0),
              0u)
        << r.out.substr(0, 200);
    // Eleven years normalised to one: the year column sums to 8760.
    const std::size_t sum = r.out.find("suma;");
    ASSERT_NE(sum, std::string::npos);
    EXPECT_NE(r.out.find(";8760;\r\n", sum), std::string::npos);
}

}  // namespace
}  // namespace climstat
