#include "output/hourly_values_export.h"

#include <algorithm>
#include <string>

#include "core/number_text.h"
#include "stats/hourly_values.h"

namespace climstat {

void writeHourlyValuesBlock(ExportWriter& writer, const AnalysisState& state,
                            const PageLabels& labels, char decimalSeparator) {
    writer.line(labels.dataType);
    writer.line(labels.province);
    writer.emptyLine();
    writer.line("Tipo= Valores Horarios");
    writer.line(
        "mes;dia;hora;hora anual;Ts(ºC);Th(ºC);Tr(ºC);W(gr/kgas);h(kJ/kgas);ve(m3/kgas);Fi(%);"
        "Pv(Pa)");
    std::string row;
    auto add = [&](float value) {
        row += ';';
        row += numberText(value, 5, 2, decimalSeparator);
    };
    const int years = std::min(state.nYears, kYearSlots);
    for (int y = 1; y <= years; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (!hourSelected(state, h, y)) continue;
            const HourDate date = hourDate(h);
            const HourlyProperties p = hourlyProperties(state, h, y);
            row = integerText(date.month);
            row += ';';
            row += integerText(date.day);
            row += ';';
            row += integerText(date.hour);
            row += ';';
            row += integerText(h);
            add(p.dryBulb);
            add(p.wetBulb);
            add(p.dewPoint);
            add(p.humidityRatio);
            add(p.enthalpy);
            add(p.specificVolume);
            add(p.relativeHumidity > 100.0f ? 100.0f : p.relativeHumidity);
            add(p.vapourPressure);
            writer.line(row);
        }
    }
}

void writeHourlyValuesBlock(std::ostream& out, const AnalysisState& state, const PageLabels& labels,
                            char decimalSeparator) {
    ExportWriter writer(out);
    writeHourlyValuesBlock(writer, state, labels, decimalSeparator);
}

}  // namespace climstat
