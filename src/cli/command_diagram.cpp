#include <charconv>
#include <sstream>

#include "cli/cli.h"
#include "core/errors.h"
#include "output/psychrometric_diagram.h"

namespace climstat::cli {

namespace {

// Position in the diagram's year list: "1997" .. "2008" are 0..11, "all" ("Todos") is 12; the
// list starts on "2007".
int yearItemOption(const Context& ctx) {
    auto text = ctx.args.value("year");
    if (!text) return 10;
    if (*text == "all" || *text == "Todos") return 12;
    int year = 0;
    auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), year);
    if (ec != std::errc() || end != text->data() + text->size() || year < 1997 || year > 2008) {
        throw UsageError("--year needs a year 1997..2008 or all, not '" + *text + "'");
    }
    return year - 1997;
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
    const int yearItem = yearItemOption(ctx);
    loadLocation(ctx);
    runSelectionPass(ctx);
    const PsychrometricDiagram diagram = drawDiagram(ctx.state(), {yearItem});
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
