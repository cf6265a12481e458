#include <charconv>
#include <sstream>

#include "cli/cli.h"
#include "core/errors.h"
#include "output/psychrometric_diagram.h"
#include "stats/hourly_values.h"

namespace climstat::cli {

namespace {

// The --year option as given: a year, "all" ("Todos"), or nothing.
struct YearOption {
    std::optional<int> year;
    bool all = false;
};

YearOption yearOption(const Context& ctx) {
    YearOption option;
    auto text = ctx.args.value("year");
    if (!text) return option;
    if (*text == "all" || *text == "Todos") {
        option.all = true;
        return option;
    }
    int year = 0;
    auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), year);
    if (ec != std::errc() || end != text->data() + text->size()) {
        throw UsageError("--year needs a year or all, not '" + *text + "'");
    }
    option.year = year;
    return option;
}

// Position in the diagram's year list of the loaded data: "1997" .. "2008" are 0..11 and
// "Todos" 12 for station data (the list starts on "2007"); years of the data's own and "Todos"
// after them otherwise (starting on the last year).
int yearItem(Context& ctx, const YearOption& option) {
    const AnalysisState& state = ctx.state();
    const int all = static_cast<int>(yearListItems(state).size()) - 1;
    if (option.all) return all;
    if (!option.year) return defaultYearItem(state);
    const int item = yearItemOfYear(state, *option.year);
    if (item < 0) {
        const std::vector<std::string> items = yearListItems(state);
        throw UsageError("--year needs a year " + items.front() + ".." + items[items.size() - 2] +
                         " or all, not " + std::to_string(*option.year));
    }
    return item;
}

// Shortest text that reads back as the same float, with the chosen decimal separator.
std::string floatText(float value, char decimalSeparator) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    for (char& c : text) {
        if (c == '.') c = decimalSeparator;
    }
    return text;
}

}  // namespace

// The psychrometric diagram of the page as CSV: one line "series,x,y" per point of series
// 1..46 (x dry bulb in degC, y humidity ratio in g/kg), in series order and within a series in
// the order of x. With a comma as decimal separator the fields are separated by ";".
int commandDiagram(Context& ctx) {
    const YearOption option = yearOption(ctx);
    loadLocation(ctx);
    // A typical year plots its one year whatever the (valid) option says.
    const int item = yearItem(ctx, option);
    runSelectionPass(ctx);
    const PsychrometricDiagram diagram = drawDiagram(ctx.state(), {item});
    const char sep = ctx.decimalSeparator;
    const char field = sep == ',' ? ';' : ',';
    std::ostringstream out;
    out << "series" << field << 'x' << field << "y\n";
    for (int index = 1; index < kDiagramSeriesCount; ++index) {
        for (const DiagramPoint& p : diagram.series[static_cast<std::size_t>(index)]) {
            out << index << field << floatText(p.x, sep) << field << floatText(p.y, sep) << '\n';
        }
    }
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
