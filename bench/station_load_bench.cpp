// Loading a station of eleven years of real hourly data (the 2013 zone files written as station
// files): both files read and parsed, humidity ratios, caps, wet bulbs and the selection pass.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <ostream>

#include "bench_data.h"
#include "data/station_file.h"
#include "data/station_loader.h"
#include "support/station_builder.h"

namespace climstat::bench {
namespace {

// The station is written once per process into a temporary data folder, removed at exit.
struct StationFolder {
    std::string path;
    StationFolder() {
        const auto folder = std::filesystem::temp_directory_path() / "climstat-bench-station";
        std::filesystem::remove_all(folder);
        test::writeElevenYearStation(databaseDir(), folder.string(), "3195");
        path = folder.string();
    }
    ~StationFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const std::string& stationFolder() {
    static const StationFolder folder;
    return folder.path;
}

void loadStation(benchmark::State& run, psychro::Extrapolation choice) {
    const std::string& folder = stationFolder();
    auto state = std::make_unique<AnalysisState>();
    lookUpStation(*state, "3195");
    StationLoadSettings settings;
    settings.extrapolation = choice;
    settings.localityAltitudeText = "900";
    std::ostream nowhere(nullptr);
    for (auto _ : run) {
        loadStationData(*state, "667", "3195", settings, folder, nowhere, nowhere);
        benchmark::DoNotOptimize(state->tw[4000][11]);
    }
    if (state->nValidT != kStationYears * kHoursPerYear) run.SkipWithError("station not loaded");
}

void BM_LoadElevenYearStation(benchmark::State& run) {
    loadStation(run, psychro::Extrapolation::None);
}
BENCHMARK(BM_LoadElevenYearStation)->Unit(benchmark::kMillisecond);

void BM_LoadElevenYearStationThermalIslandAndAltitude(benchmark::State& run) {
    loadStation(run, psychro::Extrapolation::ThermalIslandAndAltitude);
}
BENCHMARK(BM_LoadElevenYearStationThermalIslandAndAltitude)->Unit(benchmark::kMillisecond);

void BM_ReadTemperatureFile(benchmark::State& run) {
    const std::string path = stationFilePath(stationFolder(), "T", "3195");
    std::ostream nowhere(nullptr);
    conversorAEMET reader("", 0, nowhere);
    HourlyTable table = makeHourlyTable();
    for (auto _ : run) {
        benchmark::DoNotOptimize(reader.readHourlyFile(table, path, "T"));
        benchmark::DoNotOptimize(table[10][8759]);
    }
    run.SetBytesProcessed(static_cast<std::int64_t>(run.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadTemperatureFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace climstat::bench
