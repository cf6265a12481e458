#include <algorithm>
#include <array>
#include <sstream>

#include "cli/cli.h"
#include "core/calendar.h"
#include "selection/interval_presets.h"

namespace climstat::cli {

namespace {

std::string conditionText(const RangeCondition& condition) {
    static constexpr std::array<const char*, 7> kNames = {"none", "ts", "tw", "tdp",
                                                          "w",    "rh", "h"};
    const int item = static_cast<int>(condition.variable);
    if (item < 1 || item > 6) return "none (limit text '" + condition.limitText + "')";
    return std::string(kNames[static_cast<std::size_t>(item)]) +
           (condition.sense == RangeSense::Minimum ? " at least " : " below ") +
           condition.limitText;
}

}  // namespace

// The hours a statistic of the pages would count after the pass: valid, inside the variable
// range and inside the interval (rangeMask x hourMask = 1), by year slot and month.
int commandSelection(Context& ctx) {
    loadLocation(ctx);
    runSelectionPass(ctx);
    const SelectionSettings settings = selectionSettings(ctx);
    const AnalysisState& s = ctx.state();
    const int years = std::clamp(s.nYears, 0, kYearSlots);

    auto selected = [&](int h, int y) { return s.rangeMask[h][y] * s.hourMask[h] == 1.0f; };

    std::ostringstream out;
    out << "location: " << (s.locationCityName.empty() ? s.locationName : s.locationCityName)
        << '\n';
    out << "interval: " << settings.intervalPreset << ' '
        << intervalPresetCaption(settings.intervalPreset) << '\n';
    out << "first condition: " << conditionText(settings.first) << '\n';
    out << "second condition: " << conditionText(settings.second) << '\n';
    out << "hours in the interval: ";
    long inInterval = 0;
    for (int h = 1; h <= kHoursPerYear; ++h)
        inInterval += s.hourMask[h] == 1.0f ? 1 : 0;
    out << inInterval << '\n';
    out << "selected hours by year slot and month\n";
    out << "slot;1;2;3;4;5;6;7;8;9;10;11;12;year\n";
    long total = 0;
    for (int y = 1; y <= years; ++y) {
        std::array<long, 13> months{};
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (selected(h, y))
                ++months[static_cast<std::size_t>(monthOfHour(static_cast<float>(h)))];
        }
        long year = 0;
        out << y;
        for (int m = 1; m <= 12; ++m) {
            out << ';' << months[static_cast<std::size_t>(m)];
            year += months[static_cast<std::size_t>(m)];
        }
        out << ';' << year << '\n';
        total += year;
    }
    out << "selected hours: " << total << '\n';

    if (ctx.args.flag("list")) {
        for (int y = 1; y <= years; ++y) {
            out << "slot " << y << ", selected hour indices by day of the year\n";
            for (int n = 1; n <= kDaysPerYear; ++n) {
                out << "day " << n << ':';
                for (int h = 24 * (n - 1) + 1; h <= 24 * n; ++h) {
                    if (selected(h, y)) out << ' ' << h;
                }
                out << '\n';
            }
        }
    }
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
