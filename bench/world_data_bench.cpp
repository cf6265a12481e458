// Data of any place: loading an EPW typical year (the Chicago TMY3 file), twelve actual years of
// one location in twelve files, and parsing a year of ISD-Lite, plain and gzip-compressed.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "core/calendar.h"
#include "core/gzip.h"
#include "core/text_file.h"
#include "data/epw_file.h"
#include "data/isd_lite.h"
#include "data/location_load.h"
#include "support/epw_writer.h"

namespace climstat::bench {
namespace {

std::string chicagoPath() {
    return std::string(CLIMSTAT_TEST_DATA_DIR) + "/epw/chicago.epw";
}

// The bench's own scratch folder: twelve EPW years and an ISD-Lite year, written once per
// process from the Chicago file and removed at exit.
struct Scratch {
    std::string folder;
    std::vector<std::string> yearFiles;  // 2001..2012, one per file
    std::string isdText;                 // the year as ISD-Lite (UTC + 6 h)
    std::string isdPlain;
    std::string isdPacked;  // empty without a gzip program

    Scratch() {
        const auto path = std::filesystem::temp_directory_path() / "climstat-bench-world";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        folder = path.string();
        const std::string text = readInputFile(chicagoPath());
        for (int year = 2001; year <= 2012; ++year) {
            yearFiles.push_back(folder + "/" + std::to_string(year) + ".epw");
            writeFileReplacing(yearFiles.back(), test::epwWithYear(text, year));
        }
        // The records as an ISD-Lite year of 2001: local hour HH of day D is the observation
        // at UTC clock hour HH + 6 (Chicago's standard time is UTC - 6 h).
        const EpwFile epw = readEpwText(text, chicagoPath());
        const EpwYear& records = epw.years.front();
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const int day = (h - 1) / 24 + 1;
            const int clock = (h - 1) % 24 + 1 + 6;
            IsdLiteObservation o;
            o.year = 2001;
            o.month = monthOfDay(day);
            o.day = dayOfMonth(day);
            o.hour = clock;
            const int extraDay = o.hour / 24;
            o.hour %= 24;
            if (extraDay > 0) {
                if (day == 365) {
                    o.year = 2002;
                    o.month = 1;
                    o.day = 1;
                } else {
                    o.month = monthOfDay(day + 1);
                    o.day = dayOfMonth(day + 1);
                }
            }
            const auto tenths = [](float v) {
                return std::isnan(v) ? kIsdMissing : static_cast<int>(std::lround(v * 10.0f));
            };
            char line[96];
            std::snprintf(
                line, sizeof line, "%4d %02d %02d %02d %5d %5d %5d %5d %5d %5d %5d %5d\n", o.year,
                o.month, o.day, o.hour, tenths(records.dryBulb[static_cast<std::size_t>(h)]),
                tenths(records.dewPoint[static_cast<std::size_t>(h)]), 10150, 270, 41, 4, 0, -9999);
            isdText += line;
        }
        isdPlain = folder + "/725300-94846-2001";
        writeFileReplacing(isdPlain, isdText);
        const std::string command = "gzip -kf9n " + isdPlain + " 2>/dev/null";
        if (std::system(command.c_str()) == 0) isdPacked = isdPlain + ".gz";
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const Scratch& scratch() {
    static const Scratch made;
    return made;
}

void loadEpw(benchmark::State& bench, const std::vector<std::string>& paths) {
    auto state = std::make_unique<AnalysisState>();
    LocationRequest request;
    request.source = DataSource::Epw;
    request.epwPaths = paths;
    for (auto _ : bench) {
        LocationLoad load = loadLocation(*state, request);
        benchmark::DoNotOptimize(load);
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<long>(paths.size()) * kHoursPerYear);
}

// The file read, parsed and loaded with the humidity ratio, the wet bulb and the masks of
// every hour.
void epwTypicalYear(benchmark::State& bench) {
    loadEpw(bench, {chicagoPath()});
}
BENCHMARK(epwTypicalYear)->Unit(benchmark::kMillisecond);

void epwTwelveYearFiles(benchmark::State& bench) {
    loadEpw(bench, scratch().yearFiles);
}
BENCHMARK(epwTwelveYearFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reader alone on the text of a year.
void epwReadOnly(benchmark::State& bench) {
    const std::string text = readInputFile(chicagoPath());
    for (auto _ : bench) {
        EpwFile file = readEpwText(text, "chicago.epw");
        benchmark::DoNotOptimize(file);
    }
    bench.SetItemsProcessed(bench.iterations() * kHoursPerYear);
}
BENCHMARK(epwReadOnly)->Unit(benchmark::kMillisecond);

// A year of ISD-Lite lines: the text alone, the plain file read and parsed, and the gzip file
// read, unpacked and parsed.
void isdLiteYearText(benchmark::State& bench) {
    const std::string& text = scratch().isdText;
    for (auto _ : bench) {
        IsdLiteFile file = readIsdLiteText(text, "725300-94846-2001");
        benchmark::DoNotOptimize(file);
    }
    bench.SetItemsProcessed(bench.iterations() * kHoursPerYear);
}
BENCHMARK(isdLiteYearText)->Unit(benchmark::kMillisecond);

void isdLiteYearFile(benchmark::State& bench) {
    const bool packed = bench.range(0) == 1;
    const std::string& path = packed ? scratch().isdPacked : scratch().isdPlain;
    if (path.empty()) {
        bench.SkipWithError("no gzip program to pack the file");
        return;
    }
    for (auto _ : bench) {
        IsdLiteFile file = readIsdLiteText(readPackedOrPlainFile(path), path);
        benchmark::DoNotOptimize(file);
    }
    bench.SetLabel(packed ? "gzip" : "plain");
    bench.SetItemsProcessed(bench.iterations() * kHoursPerYear);
}
BENCHMARK(isdLiteYearFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace climstat::bench
