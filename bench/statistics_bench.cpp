// Design conditions, frequency tables, degree-hours and degree-days on one typical year and on
// eleven years of station-like data.

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "stats/degree_tables.h"
#include "stats/design_conditions.h"
#include "stats/frequencies.h"

namespace climstat::bench {
namespace {

enum DataSet { kTypicalYear = 0, kElevenYears = 1 };

std::unique_ptr<AnalysisState> dataSet(const ::benchmark::State& run) {
    return run.range(0) == kTypicalYear ? typicalYearState() : elevenYearState();
}

DataSource sourceOf(const ::benchmark::State& run) {
    return run.range(0) == kTypicalYear ? DataSource::Cte2013 : DataSource::Aemet;
}

SelectionSettings selectionOf(const ::benchmark::State& run) {
    SelectionSettings selection;
    selection.source = sourceOf(run);
    return selection;
}

void labelOf(::benchmark::State& run) {
    run.SetLabel(run.range(0) == kTypicalYear ? "typical year" : "eleven years");
}

// As the page does: the validity masks, then the design conditions.
void BM_DesignConditions(::benchmark::State& run) {
    auto state = dataSet(run);
    for (auto _ : run) {
        initValidMasks(*state, sourceOf(run));
        benchmark::DoNotOptimize(computeDesignConditions(*state));
    }
    labelOf(run);
}
BENCHMARK(BM_DesignConditions)->Arg(kTypicalYear)->Arg(kElevenYears)->Unit(benchmark::kMillisecond);

// The frequency page shown: the selection pass, then the study (which runs the pass again).
// range(1): the studied variable; range(2): the output kind.
void BM_Frequencies(::benchmark::State& run) {
    auto state = dataSet(run);
    FrequencySettings settings;
    settings.variable = static_cast<StudyVariable>(run.range(1));
    settings.output = static_cast<FrequencyOutput>(run.range(2));
    const SelectionSettings selection = selectionOf(run);
    for (auto _ : run) {
        runSelection(*state, selection);
        benchmark::DoNotOptimize(computeFrequencies(*state, settings, selection));
    }
    labelOf(run);
}
BENCHMARK(BM_Frequencies)
    ->ArgsProduct({{kTypicalYear, kElevenYears}, {0, 2, 5}, {0, 8}})
    ->Unit(benchmark::kMillisecond);

// The degree-hour page shown: the selection pass and the two frequency studies.
void BM_DegreeHours(::benchmark::State& run) {
    auto state = dataSet(run);
    const SelectionSettings selection = selectionOf(run);
    for (auto _ : run) {
        FrequencySettings selectors;
        runSelection(*state, selection);
        computeDegreeHours(*state, selectors, selection);
        benchmark::DoNotOptimize(state->heatingTable[14][0]);
    }
    labelOf(run);
}
BENCHMARK(BM_DegreeHours)->Arg(kTypicalYear)->Arg(kElevenYears)->Unit(benchmark::kMillisecond);

void BM_DegreeDays(::benchmark::State& run) {
    auto state = dataSet(run);
    for (auto _ : run) {
        computeDegreeDays(*state, sourceOf(run));
        benchmark::DoNotOptimize(state->heatingTable[14][0]);
    }
    labelOf(run);
}
BENCHMARK(BM_DegreeDays)->Arg(kTypicalYear)->Arg(kElevenYears)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace climstat::bench
