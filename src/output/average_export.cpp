#include "output/average_export.h"

#include <string>

#include "stats/hourly_averages.h"

namespace climstat {

void writeHourlyAverageBlock(ExportWriter& writer, const AnalysisState& state,
                             const PageLabels& labels, int variableItem, char decimalSeparator) {
    writer.line(labels.dataType);
    writer.line(labels.province);
    writer.line(labels.station);
    writer.line(variableLine(variableItem));
    writer.line("Tipo= Promedios");
    writer.line(monthHeaderLine(SeasonColumn::None));
    for (int r = 1; r <= kAverageMeanRow; ++r) {
        std::string row = r == kAverageMeanRow ? std::string("Media") : std::to_string(r) + " h";
        row += ';';
        for (int c = 1; c <= kAverageYearColumn; ++c) {
            row += hourlyAverageCellText(state, c, r, decimalSeparator);
            row += ';';
        }
        writer.line(row);
    }
    writer.emptyLine();
}

void writeHourlyAverageBlock(std::ostream& out, const AnalysisState& state,
                             const PageLabels& labels, int variableItem, char decimalSeparator) {
    ExportWriter writer(out);
    writeHourlyAverageBlock(writer, state, labels, variableItem, decimalSeparator);
}

}  // namespace climstat
