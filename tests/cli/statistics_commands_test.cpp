// The design, frequency, degree-hour and degree-day commands on the real typical-year files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "core/analysis_state.h"
#include "data/typical_year.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using Result = test::CliResult;

Result runCli(std::vector<std::string> args) {
    std::vector<std::string> full = {"--data-dir", test::realDatabaseDir()};
    if (std::find(args.begin(), args.end(), "--decimal-separator") == args.end()) {
        full.insert(full.end(), {"--decimal-separator", "."});
    }
    full.insert(full.end(), args.begin(), args.end());
    return test::runCommandLine(full);
}

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
}

// The table rows of a page file (after the header lines, up to the closing line): each row's
// label and its 13 or 14 cells, empty cells as 0.
struct FileTable {
    std::vector<std::string> labels;
    std::vector<std::vector<double>> cells;
    std::vector<std::string> lines;
};

FileTable readTable(const std::string& bytes, std::size_t headerLines) {
    FileTable table;
    table.lines = split(bytes, "\r\n");
    EXPECT_EQ(table.lines.back(), "") << "the file ends with CR LF";
    table.lines.pop_back();
    for (std::size_t i = headerLines; i < table.lines.size(); ++i) {
        if (table.lines[i].empty()) continue;
        std::vector<std::string> fields = split(table.lines[i], ";");
        EXPECT_EQ(fields.back(), "") << "table rows end with ';'";
        fields.pop_back();
        table.labels.push_back(fields[0]);
        std::vector<double> row;
        for (std::size_t f = 1; f < fields.size(); ++f)
            row.push_back(fields[f].empty() ? 0.0 : std::stod(fields[f]));
        table.cells.push_back(row);
    }
    return table;
}

std::unique_ptr<AnalysisState> loadZone(const std::string& name) {
    auto state = std::make_unique<AnalysisState>();
    loadTypicalYear(*state, name, DataSource::Cte2013, test::realDatabaseDir());
    return state;
}

const char* const kZones[] = {"A4_peninsula", "D3_peninsula", "E1_peninsula", "alpha3_canarias"};
constexpr double kMonthHours[14] = {0,   744, 672, 744, 720, 744, 720,
                                    744, 744, 720, 744, 720, 744, 8760};
constexpr int kDaysBefore[14] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

TEST(FrequenciesCommand, HoursSumToEveryMonthPercentagesTo100AndCumulativeEndsAt100) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const char* zone : kZones) {
        for (const char* variable : {"ts", "tw", "tdp", "w", "h", "rh"}) {
            SCOPED_TRACE(std::string(zone) + " " + variable);
            const std::vector<std::string> where = {"--source",    "cte2013",    "--location", zone,
                                                    "frequencies", "--variable", variable};
            auto args = where;
            Result hours = runCli(args);
            ASSERT_EQ(hours.status, 0) << hours.err;
            FileTable t = readTable(hours.out, 7);
            ASSERT_GE(t.labels.size(), 2u);
            EXPECT_EQ(t.labels.back(), "suma");
            EXPECT_EQ(t.lines[5], "Tipo= N\xBA horas");
            for (std::size_t m = 1; m <= 13; ++m) {
                double sum = 0.0;
                for (std::size_t r = 0; r + 1 < t.cells.size(); ++r)
                    sum += t.cells[r][m - 1];
                EXPECT_DOUBLE_EQ(sum, kMonthHours[m]) << "column " << m;
                EXPECT_DOUBLE_EQ(t.cells.back()[m - 1], kMonthHours[m]);
            }

            args = where;
            args.insert(args.end(), {"--kind", "frequencies"});
            t = readTable(runCli(args).out, 7);
            for (std::size_t m = 1; m <= 13; ++m) {
                double sum = 0.0;
                for (std::size_t r = 0; r + 1 < t.cells.size(); ++r)
                    sum += t.cells[r][m - 1];
                EXPECT_NEAR(sum, 100.0, 0.01 * static_cast<double>(t.cells.size()));
                EXPECT_DOUBLE_EQ(t.cells.back()[m - 1], 100.0) << "column " << m;
            }

            args = where;
            args.insert(args.end(), {"--kind", "2"});
            const Result cumulative = runCli(args);
            t = readTable(cumulative.out, 7);
            EXPECT_EQ(t.lines.back(), "");
            for (std::size_t m = 1; m <= 13; ++m) {
                double last = 0.0;
                for (const auto& row : t.cells) {
                    if (row[m - 1] > 0.0) last = row[m - 1];
                }
                EXPECT_DOUBLE_EQ(last, 100.0) << "column " << m;
            }
        }
    }
}

TEST(FrequenciesCommand, ColdestZoneStartsWithTheClassBelowMinus4) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = runCli(
        {"--source", "cte2013", "--location", "E1_peninsula", "frequencies", "--variable", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    const FileTable t = readTable(r.out, 7);
    EXPECT_EQ(t.labels.front(), "<-4");
    EXPECT_EQ(t.labels[1], ">=-4 y <-3");
    EXPECT_EQ(t.lines[0], "Ficheros CTE-HE (ficheros *.met)");
    EXPECT_EQ(t.lines[1], "Ciudad: E1_peninsula");
    EXPECT_EQ(t.lines[4],
              "Variable a representar= Temperatura seca (\xBA"
              "C)");
}

TEST(FrequenciesCommand, WritesTheSameBytesToAFileAndTakesTheKindWithItsOwnOption) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::string dir = test::makeTempDir("frequencies-cli");
    const std::string file = dir + "/salida.txt";
    const std::vector<std::string> where = {
        "--source", "cte2013", "--location", "D3_peninsula", "--decimal-separator", ","};
    auto args = where;
    args.insert(args.end(), {"frequencies", "--variable", "rh", "--kind", "mean-ts"});
    const Result toStdout = runCli(args);
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_NE(toStdout.out.find("Tipo= Temp. seca media (\xBA"
                                "C)\r\n"),
              std::string::npos);
    EXPECT_NE(toStdout.out.find(','), std::string::npos);

    args.insert(args.end(), {"--output", file});
    const Result toFile = runCli(args);
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    std::ifstream in(file, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(written, toStdout.out);

    // --output is always the file; without --kind the table holds the hours. "-" is standard
    // output.
    args = where;
    args.insert(args.end(), {"frequencies", "--variable", "ts", "--output", file});
    ASSERT_EQ(runCli(args).status, 0);
    std::ifstream again(file, std::ios::binary);
    const std::string hours((std::istreambuf_iterator<char>(again)), {});
    EXPECT_NE(hours.find("Tipo= N\xBA horas\r\n"), std::string::npos);
    args = where;
    args.insert(args.end(), {"frequencies", "--variable", "ts", "--output", "-"});
    EXPECT_EQ(runCli(args).out, hours);
    // The old way of naming the kind with --output would write a file named after it.
    args = where;
    args.insert(args.end(), {"frequencies", "--variable", "ts", "--output", "9"});
    EXPECT_EQ(runCli(args).status, 0);  // "9" names no kind: a file of that name, in the cwd
    std::filesystem::remove("9");
    args = where;
    args.insert(args.end(), {"frequencies", "--variable", "ts", "--output", "frequencies"});
    const Result old = runCli(args);
    EXPECT_EQ(old.status, cli::kExitUsage);
    EXPECT_NE(old.err.find("--kind"), std::string::npos);
    std::filesystem::remove_all(dir);
}

TEST(FrequenciesCommand, RefusesWhatItCannotDo) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::vector<std::string> where = {"--source", "cte2013", "--location", "D3_peninsula"};
    auto withArgs = [&](std::vector<std::string> more) {
        auto args = where;
        args.insert(args.end(), more.begin(), more.end());
        return runCli(args);
    };
    Result r = withArgs({"frequencies"});
    EXPECT_EQ(r.status, cli::kExitUsage);
    r = withArgs({"frequencies", "--variable", "6"});
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_NE(r.err.find("unknown variable"), std::string::npos);
    r = withArgs({"frequencies", "--variable", "ts", "--output", "a.txt", "--output", "b.txt"});
    EXPECT_EQ(r.status, cli::kExitUsage);
    r = withArgs({"frequencies", "--variable", "ts", "--first", "ts:min:abc"});
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_NE(r.err.find("'abc' is not a valid floating point value"), std::string::npos);
    r = withArgs({"frequencies", "--variable", "ts", "--output", "/no/such/folder/salida.txt"});
    EXPECT_EQ(r.status, cli::kExitDataFile);
    EXPECT_NE(r.err.find("/no/such/folder/salida.txt"), std::string::npos);
    EXPECT_EQ(r.out, "");
}

TEST(FrequenciesCommand, ARangeFilterLowersTheHours) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = runCli({"--source", "cte2013", "--location", "D3_peninsula", "--first",
                             "ts:min:25", "frequencies", "--variable", "ts"});
    ASSERT_EQ(r.status, 0) << r.err;
    const FileTable t = readTable(r.out, 7);
    EXPECT_GT(t.cells.back()[12], 0.0);
    EXPECT_LT(t.cells.back()[12], 8760.0);
    // Classes below 25 degC keep no hour.
    EXPECT_DOUBLE_EQ(t.cells.front()[12], 0.0);
}

// Rows "base N;" of a degree file: 14 numbers each.
std::vector<std::vector<double>> degreeRows(const std::string& bytes) {
    const FileTable t = readTable(bytes, 6);
    EXPECT_EQ(t.lines.size(), 13u);
    EXPECT_EQ(t.lines.back(), "");
    return t.cells;
}

TEST(DegreeCommands, DegreeHoursOfAYearAreTheHourlySums) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const char* zone : kZones) {
        SCOPED_TRACE(zone);
        const auto s = loadZone(zone);
        for (const bool coolingPage : {false, true}) {
            std::vector<std::string> args = {"--source", "cte2013", "--location", zone,
                                             "degree-hours"};
            if (coolingPage) args.push_back("--cooling");
            const Result r = runCli(args);
            ASSERT_EQ(r.status, 0) << r.err;
            const auto rows = degreeRows(r.out);
            ASSERT_EQ(rows.size(), 6u);
            for (int b = 0; b < 6; ++b) {
                const double base = (coolingPage ? 20 : 15) + b;
                std::vector<double> months(15, 0.0);
                for (int h = 1, m = 1; h <= kHoursPerYear; ++h) {
                    if (h > kDaysBefore[m + 1] * 24) ++m;
                    const double d = coolingPage ? s->ts[h][1] - base : base - s->ts[h][1];
                    if (d > 0.0) months[static_cast<std::size_t>(m)] += d;
                }
                for (int m = 1; m <= 12; ++m) {
                    months[14] += months[static_cast<std::size_t>(m)];
                    const bool inSeason = coolingPage ? (m >= 6 && m <= 9) : (m <= 3 || m >= 11);
                    if (inSeason) months[13] += months[static_cast<std::size_t>(m)];
                }
                for (int k = 1; k <= 14; ++k) {
                    EXPECT_NEAR(rows[static_cast<std::size_t>(b)][static_cast<std::size_t>(k - 1)],
                                months[static_cast<std::size_t>(k)],
                                std::max(1.0, 1e-4 * months[static_cast<std::size_t>(k)]))
                        << "base " << base << " column " << k;
                }
            }
        }
    }
}

TEST(DegreeCommands, DegreeDaysOfAYearAreTheSumsOfTheDailyMeanDifferences) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const char* zone : kZones) {
        SCOPED_TRACE(zone);
        const auto s = loadZone(zone);
        for (const bool coolingPage : {false, true}) {
            std::vector<std::string> args = {"--source",   "cte2013", "--location", zone,
                                             "--interval", "3",       "degree-days"};
            if (coolingPage) args.push_back("--cooling");
            const Result r = runCli(args);
            ASSERT_EQ(r.status, 0) << r.err;
            const auto rows = degreeRows(r.out);
            EXPECT_NE(r.out.find(coolingPage ? "Tipo= Grados dia de Refrigeracion\r\n"
                                             : "Tipo= Grados dia de Calefaccion\r\n"),
                      std::string::npos);
            for (int b = 0; b < 6; ++b) {
                const double base = (coolingPage ? 20 : 15) + b;
                std::vector<double> months(15, 0.0);
                for (int m = 1; m <= 12; ++m) {
                    for (int d = kDaysBefore[m] + 1; d <= kDaysBefore[m + 1]; ++d) {
                        double mean = 0.0;
                        for (int h = 24 * (d - 1) + 1; h <= 24 * d; ++h)
                            mean += s->ts[h][1];
                        mean /= 24.0;
                        const double diff = coolingPage ? mean - base : base - mean;
                        if (diff > 0.0) months[static_cast<std::size_t>(m)] += diff;
                    }
                    months[14] += months[static_cast<std::size_t>(m)];
                    const bool inSeason = coolingPage ? (m >= 6 && m <= 9) : (m <= 3 || m >= 11);
                    if (inSeason) months[13] += months[static_cast<std::size_t>(m)];
                }
                for (int k = 1; k <= 14; ++k) {
                    EXPECT_NEAR(rows[static_cast<std::size_t>(b)][static_cast<std::size_t>(k - 1)],
                                months[static_cast<std::size_t>(k)], 0.501)
                        << "base " << base << " column " << k;
                }
            }
        }
    }
}

TEST(DegreeCommands, AreNotOfferedWithARangeFilter) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const char* command : {"degree-hours", "degree-days"}) {
        const Result r = runCli({"--source", "cte2013", "--location", "D3_peninsula", "--second",
                                 "rh:max:60", command});
        EXPECT_EQ(r.status, cli::kExitUsage) << command;
        EXPECT_NE(r.err.find("variable-range filter"), std::string::npos);
    }
}

TEST(DesignCommand, PrintsEveryResultAndTheCounts) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = runCli({"--source", "cte2013", "--location", "E1_peninsula", "design"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = split(r.out, "\n");
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines.back(), "");
    const char* names[] = {"TSMIN", "TS_99,6", "TS_99",   "HUMcoin", "OMA",   "OminDC", "OMDC",
                           "TSMAX", "TS_0,4",  "THC_0,4", "TS_1",    "THC_1", "TS_2",   "THC_2",
                           "OMDR",  "TH_0,4",  "TSC_0,4", "TH_1",    "TSC_1", "TH_2",   "TSC_2"};
    for (std::size_t i = 0; i < 21; ++i)
        EXPECT_EQ(lines[i].substr(0, lines[i].rfind(';')), names[i]);
    EXPECT_EQ(lines[0], "TSMIN;-5.3");
    EXPECT_EQ(lines[21].rfind("Temperatura seca;", 0), 0u);
    EXPECT_EQ(lines[22].rfind("Humedad Relativa;", 0), 0u);
    // The interval and the range filter do not change the design conditions.
    const Result filtered = runCli({"--source", "cte2013", "--location", "E1_peninsula",
                                    "--interval", "3", "--first", "ts:min:20", "design"});
    EXPECT_EQ(filtered.out, r.out);
}

}  // namespace
}  // namespace climstat
