#include "output/statistics_export.h"

#include <ostream>

#include "core/number_text.h"

namespace climstat {

namespace {

bool hasSumLine(FrequencyOutput output) {
    return output == FrequencyOutput::Hours || output == FrequencyOutput::Frequencies;
}

// A cell of the frequency file: empty unless above 0.
std::string frequencyCell(float value, FrequencyOutput output, char separator) {
    if (!(value > 0.0f)) return "";
    return numberText(value, 5, output == FrequencyOutput::Hours ? 0 : 2, separator);
}

void writeDegreePage(ExportWriter& out, const AnalysisState& state, DegreeKind kind,
                     const PageLabels& labels, char separator, const char* study) {
    out.line(labels.dataType);
    out.line(labels.province);
    out.line(labels.station);
    out.line(std::string("Tipo= Grados ") + study + " de " +
             (kind == DegreeKind::Heating ? "Calefaccion" : "Refrigeracion"));
    out.line(monthHeaderLine(kind == DegreeKind::Heating ? SeasonColumn::HeatingFiveMonths
                                                         : SeasonColumn::CoolingFourMonths));
    out.line(degreeSeasonCaption(kind));
    const Grid<float>& table =
        kind == DegreeKind::Heating ? state.heatingTable : state.coolingTable;
    for (int b = 0; b < kBases; ++b) {
        std::string row = "base " + integerText(baseTemperature(kind, b)) + ";";
        for (int r = 1; r <= kYearRow; ++r)
            row += numberText(table[r][b], 5, 0, separator) + ";";
        out.line(row);
    }
    out.emptyLine();
}

}  // namespace

std::string frequencyFileLabel(const AnalysisState& state, FrequencyOutput output, int row) {
    const long long b = state.binFirst;
    const int n = state.nBins;
    if (output == FrequencyOutput::Cumulative) return " <" + integerText(b + row);
    if (row == 1) return "<" + integerText(b + 1);
    if (row == n) return ">" + integerText(b + n - 1);
    return ">=" + integerText(b + row - 1) + " y <" + integerText(b + row);
}

void writeFrequencyPage(ExportWriter& out, const AnalysisState& state,
                        const FrequencySettings& settings, const PageLabels& labels,
                        char separator) {
    const FrequencyOutput output = settings.output;
    out.line(labels.dataType);
    out.line(labels.province);
    out.line(labels.station);
    out.line(state.locationCode);
    out.line(variableLine(static_cast<int>(settings.variable)));
    out.line(frequencyTypeLine(static_cast<int>(output)));
    out.line(monthHeaderLine(SeasonColumn::None));
    const int n = state.nBins < 1 ? 0 : state.nBins;
    for (int k = 1; k <= n; ++k) {
        std::string row = frequencyFileLabel(state, output, k) + ";";
        for (int m = 1; m <= 13; ++m)
            row += frequencyCell(state.freqTable[k][m], output, separator) + ";";
        out.line(row);
    }
    if (hasSumLine(output)) {
        std::string row = "suma;";
        for (int m = 1; m <= 13; ++m) {
            // Without a class there is no sum row in the table: the sums are empty.
            const float sum = n > 0 ? state.freqTable[n + 1][m] : 0.0f;
            row += frequencyCell(sum, output, separator) + ";";
        }
        out.line(row);
    } else {
        out.emptyLine();
    }
}

void writeFrequencyPage(std::ostream& out, const AnalysisState& state,
                        const FrequencySettings& settings, const PageLabels& labels,
                        char separator) {
    ExportWriter writer(out);
    writeFrequencyPage(writer, state, settings, labels, separator);
}

void writeDegreeHourPage(ExportWriter& out, const AnalysisState& state, DegreeKind kind,
                         const PageLabels& labels, char separator) {
    writeDegreePage(out, state, kind, labels, separator, "hora");
}

void writeDegreeHourPage(std::ostream& out, const AnalysisState& state, DegreeKind kind,
                         const PageLabels& labels, char separator) {
    ExportWriter writer(out);
    writeDegreeHourPage(writer, state, kind, labels, separator);
}

void writeDegreeDayPage(ExportWriter& out, const AnalysisState& state, DegreeKind kind,
                        const PageLabels& labels, char separator) {
    writeDegreePage(out, state, kind, labels, separator, "dia");
}

void writeDegreeDayPage(std::ostream& out, const AnalysisState& state, DegreeKind kind,
                        const PageLabels& labels, char separator) {
    ExportWriter writer(out);
    writeDegreeDayPage(writer, state, kind, labels, separator);
}

}  // namespace climstat
