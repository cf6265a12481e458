// Loading one typical-year file: reading the text alone, and the whole load with the pressure,
// the relative-humidity clamp and the wet bulb of every hour.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench_data.h"
#include "data/met_file.h"
#include "data/typical_year.h"

namespace climstat::bench {
namespace {

// A 2013 zone file (CR LF, 13 columns) and a 2006 capital file (LF, 15 columns).
const char* fileName(const benchmark::State& bench) {
    return bench.range(0) == 0 ? "D3_peninsula" : "madrid";
}

void readOnly(benchmark::State& bench) {
    const std::string path = typicalYearFilePath(databaseDir(), fileName(bench));
    for (auto _ : bench) {
        MetFileData data = readMetFile(path);
        benchmark::DoNotOptimize(data);
    }
    bench.SetLabel(fileName(bench));
    bench.SetItemsProcessed(bench.iterations() * kMetRecords);
}
BENCHMARK(readOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void fullLoad(benchmark::State& bench) {
    auto state = std::make_unique<AnalysisState>();
    const bool capital = bench.range(0) == 1;
    for (auto _ : bench) {
        std::string city =
            loadTypicalYear(*state, capital ? "Madrid" : "D3_peninsula",
                            capital ? DataSource::Cte2006 : DataSource::Cte2013, databaseDir());
        benchmark::DoNotOptimize(city);
    }
    bench.SetLabel(fileName(bench));
    bench.SetItemsProcessed(bench.iterations() * kMetRecords);
}
BENCHMARK(fullLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace climstat::bench
