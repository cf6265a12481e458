#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "selection/day_type_calendar.h"
#include "selection/day_types.h"
#include "selection/interval_presets.h"

namespace climstat::cli {

namespace {

// A whole number made of digits only, within [low, high].
std::optional<int> smallInteger(std::string_view text, int low, int high) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text[0] == '-' || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

RangeVariable rangeVariable(std::string_view name, const std::string& option) {
    static constexpr std::array<std::string_view, 7> kNames = {"none", "ts", "tw", "tdp",
                                                               "w",    "rh", "h"};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (name == kNames[i]) return static_cast<RangeVariable>(i);
    }
    if (auto item = smallInteger(name, 0, 6)) return static_cast<RangeVariable>(*item);
    throw UsageError("--" + option + ": unknown variable '" + std::string(name) +
                     "' (ts, tw, tdp, w, rh, h, none or 0..6)");
}

// VAR:min|max:LIMIT. The limit stays text: the pass converts it, as the window converts its
// edit, so a limit that is not a number fails the pass with the conversion message.
RangeCondition rangeCondition(const Context& ctx, const std::string& option,
                              RangeCondition condition) {
    auto text = ctx.args.value(option);
    if (!text) return condition;
    const std::size_t first = text->find(':');
    const std::size_t second = first == std::string::npos ? first : text->find(':', first + 1);
    if (second == std::string::npos) {
        throw UsageError("--" + option + " needs VAR:min|max:LIMIT, not '" + *text + "'");
    }
    condition.variable = rangeVariable(std::string_view(*text).substr(0, first), option);
    const std::string sense = text->substr(first + 1, second - first - 1);
    if (sense == "min") {
        condition.sense = RangeSense::Minimum;
    } else if (sense == "max") {
        condition.sense = RangeSense::Maximum;
    } else {
        throw UsageError("--" + option + ": the sense is min or max, not '" + sense + "'");
    }
    condition.limitText = text->substr(second + 1);
    // Command-line numbers may be written with a point whatever the decimal separator is.
    if (ctx.decimalSeparator != '.' &&
        condition.limitText.find(ctx.decimalSeparator) == std::string::npos) {
        try {
            parseDecimal(condition.limitText, '.');
            std::replace(condition.limitText.begin(), condition.limitText.end(), '.',
                         ctx.decimalSeparator);
        } catch (const ConversionError&) {
            // Left as typed: the pass reports it.
        }
    }
    return condition;
}

// FIRST-LAST:TYPE or DAY:TYPE, days of the year 1..365, type 1..7.
void applyDayTypeOption(DayTypeTable& table, const std::string& text) {
    const std::size_t colon = text.rfind(':');
    const auto bad = [&](const std::string& why) {
        return UsageError("--day-type '" + text + "': " + why +
                          " (FIRST-LAST:TYPE, days of the year 1..365, type 1..7)");
    };
    if (colon == std::string::npos) throw bad("no day type");
    const std::string_view range = std::string_view(text).substr(0, colon);
    auto type = smallInteger(std::string_view(text).substr(colon + 1), 1, kDayTypeCount);
    if (!type) throw bad("the day type is not 1..7");
    const std::size_t dash = range.find('-');
    auto first = smallInteger(range.substr(0, dash), 1, kDaysPerYear);
    auto last = dash == std::string_view::npos
                    ? first
                    : smallInteger(range.substr(dash + 1), 1, kDaysPerYear);
    if (!first || !last) throw bad("a day is not 1..365");
    if (*first > *last) throw bad("the first day lies after the last");
    setDayTypes(table, *first, *last, *type);
}

// TYPE:HOURS with HOURS a list such as 8-13,16-19 of hours of the day 1..24; "none" or nothing
// after the colon leaves the type without hours.
void applyScheduleOption(Grid<float>& scheduleTable, const std::string& text) {
    const auto bad = [&](const std::string& why) {
        return UsageError("--schedule '" + text + "': " + why +
                          " (TYPE:HOURS, type 1..6, hours 1..24 such as 8-13,16-19)");
    };
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) throw bad("no hours");
    auto type = smallInteger(std::string_view(text).substr(0, colon), 1, kDayTypeCount);
    if (!type) throw bad("the day type is not 1..7");
    if (*type == kUnusedDayType) throw bad("\"Sin uso\" has no hours to edit");
    std::string_view list = std::string_view(text).substr(colon + 1);
    std::vector<int> hours;
    if (list != "none") {
        while (!list.empty()) {
            const std::size_t comma = list.find(',');
            const std::string_view item = list.substr(0, comma);
            const std::size_t dash = item.find('-');
            auto from = smallInteger(item.substr(0, dash), 1, 24);
            auto to =
                dash == std::string_view::npos ? from : smallInteger(item.substr(dash + 1), 1, 24);
            if (!from || !to || *from > *to) {
                throw bad("'" + std::string(item) + "' is not an hour or a range of hours");
            }
            for (int hour = *from; hour <= *to; ++hour)
                hours.push_back(hour);
            if (comma == std::string_view::npos) break;
            list.remove_prefix(comma + 1);
            if (list.empty()) throw bad("the list ends with a comma");
        }
    }
    setSchedule(scheduleTable, *type, hours);
}

}  // namespace

SelectionSettings selectionSettings(const Context& ctx) {
    SelectionSettings settings;
    settings.source = ctx.source;
    settings.decimalSeparator = ctx.decimalSeparator;
    if (auto interval = ctx.args.value("interval")) {
        auto item = smallInteger(*interval, 0, kIntervalPresetCount - 1);
        if (!item) throw UsageError("--interval needs a preset 0..12, not '" + *interval + "'");
        settings.intervalPreset = *item;
    }
    settings.first = rangeCondition(ctx, "first", settings.first);
    settings.second = rangeCondition(ctx, "second", settings.second);
    for (const std::string& text : ctx.args.values("day-type"))
        applyDayTypeOption(settings.dayTypeTable, text);
    return settings;
}

void applyScheduleOptions(Context& ctx) {
    for (const std::string& text : ctx.args.values("schedule"))
        applyScheduleOption(ctx.state().scheduleTable, text);
}

void runSelectionPass(Context& ctx) {
    const SelectionSettings settings = selectionSettings(ctx);
    applyScheduleOptions(ctx);
    runSelection(ctx.state(), settings);
}

}  // namespace climstat::cli
