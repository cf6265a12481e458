// climstat's humid-air solvers against the psychrolib JavaScript library on the same states,
// in one run: the 96 360 hours of eleven copies of the D3_peninsula typical year (as loaded:
// humidity clamped, at the pressure of 667 m). The two are timed in turns, five rounds of
// each, so that a machine whose speed drifts during the run weighs on both alike; each round
// gives a ratio. Prints every round's ratios, then the median times and the median ratio.
//
// usage: psychro_side_by_side DATADIR SCRIPT.js    (psychrolib must be found by node)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "data/typical_year.h"
#include "psychro/humid_air.h"

using namespace climstat;

namespace {

struct State {
    float t, w, pt;
};

template <typename F>
double nanosecondsPerCall(const std::vector<State>& states, F function) {
    volatile float sink = 0;
    for (const State& s : states)
        sink = sink + function(s);  // warm-up
    std::vector<double> runs;
    for (int run = 0; run < 7; ++run) {
        const auto start = std::chrono::steady_clock::now();
        float sum = 0;
        for (const State& s : states)
            sum += function(s);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        sink = sink + sum;
        runs.push_back(std::chrono::duration<double, std::nano>(elapsed).count() /
                       static_cast<double>(states.size()));
    }
    std::sort(runs.begin(), runs.end());
    return runs[3];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: psychro_side_by_side DATADIR SCRIPT.js\n", stderr);
        return 2;
    }
    auto state = std::make_unique<AnalysisState>();
    loadTypicalYear(*state, "D3_peninsula", DataSource::Cte2013, argv[1]);
    std::vector<State> states;
    for (int copy = 0; copy < kStationYears; ++copy) {
        for (int h = 1; h <= kHoursPerYear; ++h)
            states.push_back({state->ts[h][1], state->w[h][1], state->pt});
    }
    const std::string file =
        (std::filesystem::temp_directory_path() / "climstat-psychro-states.txt").string();
    {
        std::ofstream out(file);
        out.precision(9);
        for (const State& s : states)
            out << s.t << ' ' << s.w << ' ' << s.pt << '\n';
    }
    const std::string command = "node '" + std::string(argv[2]) + "' '" + file + "'";
    const char* names[] = {"wetBulb", "dewPoint", "relativeHumidity"};
    constexpr int kRounds = 5;
    std::map<std::string, std::vector<double>> ours, theirs, ratios;
    for (int round = 0; round < kRounds; ++round) {
        std::map<std::string, double> js;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char name[64];
            double ns = 0;
            while (std::fscanf(pipe, "%63s %lf", name, &ns) == 2)
                js[name] = ns;
            pclose(pipe);
        }
        if (js.size() != 3) {
            std::filesystem::remove(file);
            std::fputs("psychro_side_by_side: psychrolib did not run (is it installed for node?)\n",
                       stderr);
            return 1;
        }
        const std::map<std::string, double> native = {
            {"wetBulb",
             nanosecondsPerCall(states,
                                [](const State& s) { return psychro::wetBulb(s.t, s.w, s.pt); })},
            {"dewPoint", nanosecondsPerCall(
                             states, [](const State& s) { return psychro::dewPoint(s.w, s.pt); })},
            {"relativeHumidity",
             nanosecondsPerCall(
                 states, [](const State& s) { return psychro::relativeHumidity(s.t, s.w, s.pt); })},
        };
        std::printf("round %d:", round + 1);
        for (const char* name : names) {
            ours[name].push_back(native.at(name));
            theirs[name].push_back(js.at(name));
            ratios[name].push_back(js.at(name) / native.at(name));
            std::printf("  %s %.1fx", name, js.at(name) / native.at(name));
        }
        std::printf("\n");
    }
    std::filesystem::remove(file);
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("%zu states (eleven copies of D3_peninsula, pt %.1f Pa), medians of %d rounds\n",
                states.size(), static_cast<double>(states.front().pt), kRounds);
    std::printf("%-18s %12s %14s %8s\n", "function", "climstat ns", "psychrolib ns", "ratio");
    for (const char* name : names) {
        std::printf("%-18s %12.1f %14.1f %7.1fx\n", name, median(ours[name]), median(theirs[name]),
                    median(ratios[name]));
    }
    return 0;
}
