#include <sstream>
#include <string_view>

#include "cli/cli.h"
#include "core/errors.h"
#include "output/page_labels.h"
#include "output/statistics_export.h"
#include "psychro/humid_air.h"
#include "stats/degree_tables.h"
#include "stats/design_conditions.h"
#include "stats/frequencies.h"

namespace climstat::cli {

namespace {

constexpr std::string_view kOutputNames[kFrequencyOutputs] = {
    "hours",    "frequencies", "cumulative", "mean-ts", "mean-tw",
    "mean-tdp", "mean-w",      "mean-h",     "mean-rh"};

// Item index of a selector given as its index or its short name; -1 when it is neither.
template <std::size_t N>
int itemOf(const std::string& text, const std::string_view (&names)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i] || text == std::to_string(i)) return static_cast<int>(i);
    }
    return -1;
}

template <std::size_t N>
std::string nameList(const std::string_view (&names)[N]) {
    std::string list;
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0) list += ", ";
        list += std::to_string(i) + " " + std::string(names[i]);
    }
    return list;
}

// The degree pages are not offered while a variable-range filter is active: their classes and
// days are the unfiltered typical-year hours.
void refuseRangeFilter(const Context& ctx, const char* command) {
    if (ctx.args.has("first") || ctx.args.has("second")) {
        throw UsageError(std::string(command) +
                         " is not offered while a variable-range filter (--first, --second) "
                         "is active");
    }
}

DegreeKind degreeKind(const Context& ctx) {
    return ctx.args.flag("cooling") ? DegreeKind::Cooling : DegreeKind::Heating;
}

}  // namespace

PageLabelSettings pageLabelSettings(const Context& ctx) {
    PageLabelSettings settings;
    settings.source = ctx.source;
    settings.decimalSeparator = ctx.decimalSeparator;
    if (auto choice = ctx.args.value("extrapolation")) {
        if (choice->size() != 1 || (*choice)[0] < '0' || (*choice)[0] > '3') {
            throw UsageError("--extrapolation must be 0, 1, 2 or 3");
        }
        settings.extrapolationChoice = (*choice)[0] - '0';
    }
    if (ctx.args.has("locality-altitude")) {
        const double z = numberOption(ctx, "locality-altitude");
        if (!psychro::isAcceptedAltitude(z)) {
            throw UsageError("--locality-altitude is outside -1000..10000 m");
        }
        settings.localityAltitude = static_cast<float>(z);
    }
    return settings;
}

int commandDesign(Context& ctx) {
    loadLocation(ctx);
    // The design conditions use every valid hour: only the validity masks are rebuilt.
    initValidMasks(ctx.state(), ctx.source);
    const DesignConditions conditions = computeDesignConditions(ctx.state());
    std::ostringstream out;
    for (const DesignResultText& result : designResultTexts(conditions, ctx.decimalSeparator))
        out << result.name << ';' << result.text << '\n';
    out << "Temperatura seca;" << conditions.countTText << '\n';
    out << "Humedad Relativa;" << conditions.countHText << '\n';
    writeResult(ctx, out.str());
    return kExitOk;
}

int commandFrequencies(Context& ctx) {
    FrequencySettings settings;
    settings.variable = static_cast<StudyVariable>(variableItemOption(ctx));
    if (auto kind = ctx.args.value("kind")) {
        const int item = itemOf(*kind, kOutputNames);
        if (item < 0) {
            throw UsageError("--kind '" + *kind + "' is not an output kind (" +
                             nameList(kOutputNames) + ")");
        }
        settings.output = static_cast<FrequencyOutput>(item);
    } else if (auto file = ctx.args.value("output"); file && itemOf(*file, kOutputNames) >= 0) {
        // --output is always the file; one named like an output kind is the old way of
        // choosing the kind, which would silently write a file of that name.
        throw UsageError("--output names the output file; choose the output kind with --kind " +
                         *file);
    }
    loadLocation(ctx);
    runSelectionPass(ctx);
    computeFrequencies(ctx.state(), settings, selectionSettings(ctx));
    std::ostringstream out;
    writeFrequencyPage(out, ctx.state(), settings,
                       frequencyPageLabels(ctx.state(), pageLabelSettings(ctx)),
                       ctx.decimalSeparator);
    writeResult(ctx, out.str());
    return kExitOk;
}

int commandDegreeHours(Context& ctx) {
    refuseRangeFilter(ctx, "degree-hours");
    loadLocation(ctx);
    runSelectionPass(ctx);
    FrequencySettings frequencySelectors;
    computeDegreeHours(ctx.state(), frequencySelectors, selectionSettings(ctx));
    std::ostringstream out;
    writeDegreeHourPage(out, ctx.state(), degreeKind(ctx),
                        degreePageLabels(ctx.state(), pageLabelSettings(ctx)),
                        ctx.decimalSeparator);
    writeResult(ctx, out.str());
    return kExitOk;
}

int commandDegreeDays(Context& ctx) {
    refuseRangeFilter(ctx, "degree-days");
    loadLocation(ctx);
    computeDegreeDays(ctx.state(), ctx.source);
    std::ostringstream out;
    writeDegreeDayPage(out, ctx.state(), degreeKind(ctx),
                       degreePageLabels(ctx.state(), pageLabelSettings(ctx)), ctx.decimalSeparator);
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
