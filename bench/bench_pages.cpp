// Hourly averages, hourly values and the psychrometric diagram on one typical year and on the
// eleven-year data set, with the whole year selected.

#include <benchmark/benchmark.h>

#include <sstream>

#include "bench_data.h"
#include "output/average_export.h"
#include "output/hourly_values_export.h"
#include "output/page_labels.h"
#include "output/psychrometric_diagram.h"
#include "selection/selection.h"
#include "stats/hourly_averages.h"
#include "stats/hourly_values.h"

namespace climstat::bench {
namespace {

AnalysisState& typicalYear() {
    static const auto state = [] {
        auto s = typicalYearState();
        s->typicalYearIndex = 1;
        SelectionSettings settings;
        settings.source = DataSource::Cte2013;
        runSelection(*s, settings);
        return s;
    }();
    return *state;
}

AnalysisState& elevenYears() {
    static const auto state = [] {
        auto s = elevenYearState();
        SelectionSettings settings;
        settings.source = DataSource::Aemet;
        runSelection(*s, settings);
        return s;
    }();
    return *state;
}

AnalysisState& dataSet(const benchmark::State& bench) {
    return bench.range(0) == 0 ? typicalYear() : elevenYears();
}

void setLabel(benchmark::State& bench) {
    bench.SetLabel(bench.range(0) == 0 ? "typical year" : "eleven years");
}

void BM_ComputeHourlyAverages(benchmark::State& bench) {
    AnalysisState& state = dataSet(bench);
    const int variable = static_cast<int>(bench.range(1));
    for (auto _ : bench) {
        computeHourlyAverages(state, {variable});
        benchmark::DoNotOptimize(state.hourlyAvg[13][25]);
    }
    setLabel(bench);
}
// Dry bulb (read as stored) and dew point (a bisection per hour).
BENCHMARK(BM_ComputeHourlyAverages)->Args({0, 0})->Args({0, 2})->Args({1, 0})->Args({1, 2});

void BM_HourlyAverageGridAndFile(benchmark::State& bench) {
    AnalysisState& state = dataSet(bench);
    computeHourlyAverages(state, {0});
    const PageLabels labels = averagePageLabels(state, DataSource::Cte2013, '.');
    for (auto _ : bench) {
        benchmark::DoNotOptimize(hourlyAverageGridTexts(state, '.'));
        std::ostringstream out;
        writeHourlyAverageBlock(out, state, labels, 0, '.');
        benchmark::DoNotOptimize(out.str());
    }
    setLabel(bench);
}
BENCHMARK(BM_HourlyAverageGridAndFile)->Args({0});

void BM_FillHourlyValuesTable(benchmark::State& bench) {
    AnalysisState& state = dataSet(bench);
    for (auto _ : bench)
        benchmark::DoNotOptimize(fillHourlyValuesTable(state, '.'));
    setLabel(bench);
}
BENCHMARK(BM_FillHourlyValuesTable)->Args({0})->Args({1})->Unit(benchmark::kMillisecond);

void BM_WriteHourlyValuesFile(benchmark::State& bench) {
    AnalysisState& state = dataSet(bench);
    const PageLabels labels = hourlyValuesPageLabels(state, '.');
    std::size_t bytes = 0;
    for (auto _ : bench) {
        std::ostringstream out;
        writeHourlyValuesBlock(out, state, labels, '.');
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations() * bytes));
    setLabel(bench);
}
BENCHMARK(BM_WriteHourlyValuesFile)->Args({0})->Args({1})->Unit(benchmark::kMillisecond);

void BM_PlotHourlyValues(benchmark::State& bench) {
    AnalysisState& state = typicalYear();
    const int chartType = static_cast<int>(bench.range(0));
    for (auto _ : bench)
        benchmark::DoNotOptimize(plotHourlyValues(state, {chartType, 2}));
    bench.SetLabel(chartType == 0 ? "typical year, 2D dew point" : "typical year, 3D dew point");
}
BENCHMARK(BM_PlotHourlyValues)->Arg(0)->Arg(1);

void BM_PlotStationHourlyValues(benchmark::State& bench) {
    AnalysisState& state = elevenYears();
    const int chartType = static_cast<int>(bench.range(0));
    const int yearItem = static_cast<int>(bench.range(1));
    for (auto _ : bench)
        benchmark::DoNotOptimize(plotStationHourlyValues(state, {chartType, 0, yearItem}));
    bench.SetLabel(yearItem == 12 ? "eleven years, all" : "eleven years, one year");
}
BENCHMARK(BM_PlotStationHourlyValues)->Args({0, 10})->Args({0, 12})->Args({1, 12});

void BM_DrawDiagram(benchmark::State& bench) {
    AnalysisState& state = dataSet(bench);
    const int yearItem = static_cast<int>(bench.range(1));
    for (auto _ : bench)
        benchmark::DoNotOptimize(drawDiagram(state, {yearItem}));
    bench.SetLabel(bench.range(0) == 0 ? "typical year"
                                       : (yearItem == 12 ? "eleven years, all"
                                                         : "eleven years, "
                                                           "one year"));
}
BENCHMARK(BM_DrawDiagram)->Args({0, 10})->Args({1, 10})->Args({1, 12});

void BM_DrawDiagramCurves(benchmark::State& bench) {
    AnalysisState& state = typicalYear();
    for (auto _ : bench) {
        PsychrometricDiagram diagram;
        drawDiagramCurves(diagram, state.plotTsMin, state.plotTsMax, state.pt);
        benchmark::DoNotOptimize(diagram);
    }
}
BENCHMARK(BM_DrawDiagramCurves);

}  // namespace
}  // namespace climstat::bench
