// The selection pass runs on every page show: masks of all year slots, the range filter with
// its humid-air values, and the hour mask.

#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "selection/day_type_calendar.h"
#include "selection/selection.h"

namespace climstat {
namespace {

SelectionSettings settingsFor(DataSource source, int preset, RangeVariable first,
                              RangeVariable second) {
    SelectionSettings settings;
    settings.source = source;
    settings.intervalPreset = preset;
    settings.first = {first, RangeSense::Minimum, "10"};
    settings.second = {second, RangeSense::Maximum, "60"};
    if (preset == 12) {
        setDayTypes(settings.dayTypeTable, 1, 120, 3);
        setDayTypes(settings.dayTypeTable, 200, 240, 7);
    }
    return settings;
}

// Arguments: interval preset, first variable, second variable.
void passOnTypicalYear(benchmark::State& bs) {
    auto state = bench::typicalYearState();
    const SelectionSettings settings = settingsFor(
        DataSource::Cte2013, static_cast<int>(bs.range(0)), static_cast<RangeVariable>(bs.range(1)),
        static_cast<RangeVariable>(bs.range(2)));
    for (auto _ : bs) {
        runSelection(*state, settings);
        benchmark::DoNotOptimize(state->hourMask.data());
        benchmark::ClobberMemory();
    }
}

void passOnElevenYears(benchmark::State& bs) {
    auto state = bench::elevenYearState();
    const SelectionSettings settings = settingsFor(DataSource::Aemet, static_cast<int>(bs.range(0)),
                                                   static_cast<RangeVariable>(bs.range(1)),
                                                   static_cast<RangeVariable>(bs.range(2)));
    for (auto _ : bs) {
        runSelection(*state, settings);
        benchmark::DoNotOptimize(state->hourMask.data());
        benchmark::ClobberMemory();
    }
}

void masksOnlyElevenYears(benchmark::State& bs) {
    auto state = bench::elevenYearState();
    for (auto _ : bs) {
        initValidMasks(*state, DataSource::Aemet);
        benchmark::ClobberMemory();
    }
}

// No filter; dry bulb and humidity ratio; dew point and relative humidity (the costly ones).
void cases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"preset", "first", "second"});
    b->Args({0, 0, 0});
    b->Args({3, 0, 0});
    b->Args({11, 0, 0});
    b->Args({12, 0, 0});
    b->Args({0, 1, 4});
    b->Args({0, 3, 5});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(passOnTypicalYear)->Apply(cases);
BENCHMARK(passOnElevenYears)->Apply(cases);
BENCHMARK(masksOnlyElevenYears)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace climstat
