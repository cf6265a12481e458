#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "data/met_file.h"
#include "data/typical_year.h"
#include "output/average_export.h"
#include "output/page_labels.h"
#include "selection/selection.h"
#include "stats/hourly_averages.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using Result = test::CliResult;

// Runs climstat-cli on a zone file of the 2013 list, with a point as decimal separator unless
// the arguments choose one.
Result runAt(const std::string& zone, std::vector<std::string> args) {
    std::vector<std::string> full = {
        "--data-dir", test::realDatabaseDir(), "--source", "cte2013", "--location", zone};
    if (std::find(args.begin(), args.end(), "--decimal-separator") == args.end()) {
        full.push_back("--decimal-separator");
        full.push_back(".");
    }
    full.insert(full.end(), args.begin(), args.end());
    return test::runCommandLine(full);
}

Result runCli(std::vector<std::string> args) {
    return runAt("D3_peninsula", std::move(args));
}

std::vector<std::string> splitLines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(end, start)) != std::string::npos; start = at + end.size())
        lines.push_back(text.substr(start, at - start));
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

std::vector<std::string> fields(const std::string& line, char separator) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, separator);)
        out.push_back(field);
    return out;
}

TEST(AveragesCommand, WholeYearMeanOfTheFileInEveryZone) {
    CLIMSTAT_NEED_REAL_DATA();
    for (const char* zone : {"A3_peninsula", "C1_peninsula", "E1_peninsula", "D1_canarias"}) {
        const MetFileData file = readMetFile(typicalYearFilePath(test::realDatabaseDir(), zone));
        double sum = 0;
        for (int h = 1; h <= kMetRecords; ++h)
            sum += file.ts[static_cast<std::size_t>(h)];
        const Result r = runAt(zone, {"averages", "--variable", "ts"});
        ASSERT_EQ(r.status, 0) << r.err;
        const auto lines = splitLines(r.out, "\r\n");
        ASSERT_EQ(lines.size(), 32u);
        for (std::size_t i = 6; i < 31; ++i) {
            const auto cells = fields(lines[i], ';');
            ASSERT_EQ(cells.size(), 14u) << lines[i];
            for (const auto& cell : cells)
                EXPECT_FALSE(cell.empty()) << lines[i];
        }
        const auto media = fields(lines[30], ';');
        EXPECT_EQ(media[0], "Media");
        EXPECT_NEAR(std::stod(media[13]), sum / kMetRecords, 0.006) << zone;
    }
}

TEST(AveragesCommand, WritesTheBytesOfThePageFile) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = runCli({"--interval", "7", "averages", "--variable", "5"});
    ASSERT_EQ(r.status, 0) << r.err;

    // What the page does: its selection pass, the averages, the save button's block.
    AnalysisState state;
    state.locationCityName =
        loadTypicalYear(state, "D3_peninsula", DataSource::Cte2013, test::realDatabaseDir());
    SelectionSettings settings;
    settings.source = DataSource::Cte2013;
    settings.intervalPreset = 7;
    runSelection(state, settings);
    computeHourlyAverages(state, {5});
    std::ostringstream page;
    writeHourlyAverageBlock(page, state, averagePageLabels(state, DataSource::Cte2013, '.'), 5,
                            '.');
    EXPECT_EQ(r.out, page.str());
    // Hours outside 8-20 h stay empty rows.
    EXPECT_NE(r.out.find("\r\n1 h;;;;;;;;;;;;;;\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("Variable a representar= Humedad relativa (%)\r\n"), std::string::npos);
}

TEST(AveragesCommand, OutputFileAndItsFailure) {
    CLIMSTAT_NEED_REAL_DATA();
    const std::string dir = test::makeTempDir("averages-cli");
    const std::string path = dir + "/promedios.txt";
    const Result toFile = runCli({"--output", path, "averages", "--variable", "h"});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_TRUE(toFile.out.empty());
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(written, runCli({"averages", "--variable", "h"}).out);

    const Result failed =
        runCli({"--output", dir + "/no/such/folder/x.txt", "averages", "--variable", "h"});
    EXPECT_EQ(failed.status, 3);
    EXPECT_NE(failed.err.find("x.txt"), std::string::npos) << failed.err;
    std::filesystem::remove_all(dir);
}

TEST(AveragesCommand, VariableIsRequiredAndChecked) {
    CLIMSTAT_NEED_REAL_DATA();
    EXPECT_EQ(runCli({"averages"}).status, 2);
    EXPECT_EQ(runCli({"averages", "--variable", "6"}).status, 2);
    EXPECT_EQ(runCli({"averages", "--variable", "temp"}).status, 2);
    EXPECT_EQ(runCli({"averages", "--variable", "tdp"}).status, 0);
    // A limit that is not a number abandons the page, as the window does.
    const Result bad = runCli({"--first", "ts:min:abc", "averages", "--variable", "ts"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.empty());
}

TEST(HourlyValuesCommand, EveryHourOfAWholeTypicalYear) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = runCli({"hourly-values"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = splitLines(r.out, "\r\n");
    ASSERT_EQ(lines.size(), 5u + 8760u);
    EXPECT_EQ(lines[0], "Ficheros CTE-HE (ficheros *.met)");
    EXPECT_EQ(lines[1], "Ciudad: D3_peninsula");
    EXPECT_EQ(lines[3], "Tipo= Valores Horarios");
    EXPECT_EQ(fields(lines[5], ';').size(), 12u);
    EXPECT_EQ(lines[5].rfind("1;1;1;1;", 0), 0u);
    EXPECT_EQ(lines.back().rfind("12;31;24;8760;", 0), 0u);
}

TEST(HourlyValuesCommand, SelectionDecidesTheRows) {
    CLIMSTAT_NEED_REAL_DATA();
    // "De 8h a 14h y de 16 a 20h (Todo el año)": ten hours a day.
    const Result r = runCli({"--interval", "2", "hourly-values"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = splitLines(r.out, "\r\n");
    ASSERT_EQ(lines.size(), 5u + 3650u);
    EXPECT_EQ(lines[5].rfind("1;1;8;8;", 0), 0u);
    // Only hours of at least 30 degC.
    const Result hot = runCli({"--first", "ts:min:30", "hourly-values"});
    ASSERT_EQ(hot.status, 0) << hot.err;
    const auto hotLines = splitLines(hot.out, "\r\n");
    ASSERT_GT(hotLines.size(), 5u);
    for (std::size_t i = 5; i < hotLines.size(); ++i)
        ASSERT_GE(std::stod(fields(hotLines[i], ';')[4]), 30.0) << hotLines[i];
}

TEST(DiagramCommand, CurvesAndEveryHourAsCsv) {
    CLIMSTAT_NEED_REAL_DATA();
    const Result r = runCli({"diagram", "--year", "all"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = splitLines(r.out, "\n");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "series,x,y");
    std::vector<int> counts(70, 0);
    int lastSeries = 0;
    double lastX = -1e9;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = fields(lines[i], ',');
        ASSERT_EQ(f.size(), 3u) << lines[i];
        const int series = std::stoi(f[0]);
        const double x = std::stod(f[1]);
        ASSERT_GE(series, lastSeries);
        ASSERT_TRUE(series >= 1 && series <= 46) << lines[i];
        if (series == lastSeries) {
            ASSERT_LE(lastX, x) << lines[i];
        }
        lastSeries = series;
        lastX = x;
        ++counts[static_cast<std::size_t>(series)];
    }
    EXPECT_EQ(counts[46], 8760);
    for (int i = 1; i <= 10; ++i)
        EXPECT_GT(counts[static_cast<std::size_t>(i)], 0) << i;
    // A year of the list other than the loaded slot changes nothing for a typical year.
    EXPECT_EQ(runCli({"diagram", "--year", "1997"}).out, r.out);
}

TEST(DiagramCommand, FilteredHoursAndOptions) {
    CLIMSTAT_NEED_REAL_DATA();
    // No hour reaches 60 degC: the curves stay, no measured point.
    const Result none = runCli({"--first", "ts:min:60", "diagram"});
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out.find("\n46,"), std::string::npos);
    EXPECT_NE(none.out.find("\n10,"), std::string::npos);
    const Result comma = runCli({"--decimal-separator", ",", "diagram"});
    ASSERT_EQ(comma.status, 0) << comma.err;
    EXPECT_EQ(comma.out.rfind("series;x;y\n1;", 0), 0u);
    EXPECT_EQ(runCli({"diagram", "--year", "1996"}).status, 2);
    EXPECT_EQ(runCli({"diagram", "--year", "2007x"}).status, 2);
}

}  // namespace
}  // namespace climstat
