// Each humid-air function over the states of a real typical year (8760 hours of dry bulb and
// humidity ratio at the pressure of 667 m), so that the iterative ones meet the spread of
// brackets and step counts they meet when a year is loaded.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench_data.h"
#include "data/met_file.h"
#include "data/typical_year.h"
#include "psychro/humid_air.h"

namespace climstat::bench {
namespace {

using namespace psychro;

struct Hour {
    float t, w, pt, twb, ws, h, v, pv;
};

const std::vector<Hour>& hours() {
    static const std::vector<Hour> all = [] {
        std::vector<Hour> out;
        const MetFileData file = readMetFile(typicalYearFilePath(databaseDir(), "D3_peninsula"));
        const float pt = pressureAtAltitude(667.0f);
        for (int i = 1; i <= kMetRecords; ++i) {
            Hour hour{file.ts[i], file.w[i], pt, 0, 0, 0, 0, 0};
            hour.twb = wetBulb(hour.t, hour.w, pt);
            hour.ws = saturationHumidityRatio(hour.twb, pt);
            hour.h = enthalpy(hour.t, hour.w);
            hour.v = specificVolume(hour.t, hour.w, pt);
            hour.pv = vapourPressure(hour.w, pt);
            out.push_back(hour);
        }
        return out;
    }();
    return all;
}

template <typename F>
void overYear(benchmark::State& bench, F f) {
    const std::vector<Hour>& year = hours();
    for (auto _ : bench) {
        float sum = 0;
        for (const Hour& hour : year)
            sum += f(hour);
        benchmark::DoNotOptimize(sum);
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<long>(year.size()));
}

#define HUMID_AIR_BENCH(name, expression)                          \
    void name(benchmark::State& bench) {                           \
        overYear(bench, [](const Hour& x) { return expression; }); \
    }                                                              \
    BENCHMARK(name)->Unit(benchmark::kMicrosecond)

HUMID_AIR_BENCH(bmSaturationPressure, saturationPressure(x.t));
HUMID_AIR_BENCH(bmHumidityRatio, humidityRatio(x.pv, x.pt));
HUMID_AIR_BENCH(bmVapourPressure, vapourPressure(x.w, x.pt));
HUMID_AIR_BENCH(bmSaturationHumidityRatio, saturationHumidityRatio(x.t, x.pt));
HUMID_AIR_BENCH(bmEnthalpy, enthalpy(x.t, x.w));
HUMID_AIR_BENCH(bmSpecificVolume, specificVolume(x.t, x.w, x.pt));
HUMID_AIR_BENCH(bmRelativeHumidity, relativeHumidity(x.t, x.w, x.pt));
HUMID_AIR_BENCH(bmDewPoint, dewPoint(x.w, x.pt));
HUMID_AIR_BENCH(bmWetBulb, wetBulb(x.t, x.w, x.pt));
HUMID_AIR_BENCH(bmPressureAtAltitude, pressureAtAltitude(x.t * 30.0f));
HUMID_AIR_BENCH(bmHumidityRatioFromEnthalpy, humidityRatioFromEnthalpy(x.t, x.h));
HUMID_AIR_BENCH(bmTemperatureFromEnthalpy, temperatureFromEnthalpy(x.w, x.h));
HUMID_AIR_BENCH(bmHumidityRatioFromVolume, humidityRatioFromVolume(x.t, x.v, x.pt));
HUMID_AIR_BENCH(bmTemperatureFromVolume, temperatureFromVolume(x.w, x.v, x.pt));
HUMID_AIR_BENCH(bmTemperatureFromVolumeAndVapourPressure,
                temperatureFromVolumeAndVapourPressure(x.v, x.pv, x.pt));
HUMID_AIR_BENCH(bmHumidityRatioFromWetBulb, humidityRatioFromWetBulb(x.t, x.twb, x.ws));
HUMID_AIR_BENCH(bmWetBulbFromSaturationRatio, wetBulbFromSaturationRatio(x.ws, x.w, x.t));
HUMID_AIR_BENCH(bmTemperatureFromWetBulb, temperatureFromWetBulb(x.twb, x.w, x.ws));

}  // namespace
}  // namespace climstat::bench
