#include "output/text_export.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <sstream>

#include "core/text_file.h"
#include "core/win1252.h"

namespace climstat {

void ExportWriter::line(std::string_view utf8) {
    // Most lines are numbers only: ASCII is the same in both encodings.
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        out_.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
    } else {
        const std::string bytes = toWindows1252(utf8);
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    out_.write("\r\n", 2);
}

std::string monthHeaderLine(SeasonColumn season) {
    std::string text = "Intervalo;Ene;Feb;Mar;Abr;May;Jun;Jul;Ago;Sep;Oct;Nov;Dic";
    if (season == SeasonColumn::HeatingFiveMonths) text += ";5 meses";
    if (season == SeasonColumn::CoolingFourMonths) text += ";4 meses";
    return text + ";Anual";
}

std::string variableLine(int variableItem) {
    static constexpr std::array<std::string_view, 6> kNames = {
        "Temperatura seca (ºC)",      "Temperatura húmeda (ºC)", "Temperatura rocío (ºC)",
        "Humedad específica (gr/Kg)", "Entalpía (kJ/kg)",        "Humedad relativa (%)"};
    if (variableItem < 0 || variableItem >= static_cast<int>(kNames.size())) return "";
    return "Variable a representar= " + std::string(kNames[static_cast<std::size_t>(variableItem)]);
}

std::string frequencyTypeLine(int outputItem) {
    static constexpr std::array<std::string_view, 9> kNames = {"Nº horas",
                                                               "Frecuencias",
                                                               "Frecuencias Acumuladas",
                                                               "Temp. seca media (ºC)",
                                                               "Temp. húmeda media (ºC)",
                                                               "Temp. rocío media (ºC)",
                                                               "Hum. específica media (gr/kg)",
                                                               "Entalpía media (kJ/kg)",
                                                               "Hum. relativa (%)"};
    if (outputItem < 0 || outputItem >= static_cast<int>(kNames.size())) return "";
    return "Tipo= " + std::string(kNames[static_cast<std::size_t>(outputItem)]);
}

std::string dataTypeLabel(DataSource source, int extrapolationChoice) {
    if (isTypicalYearSource(source)) return "Ficheros CTE-HE (ficheros *.met)";
    if (source == DataSource::Epw) return "Ficheros EPW (ficheros *.epw)";
    switch (extrapolationChoice) {
        case 1:
            return "Estaciones Meteorológicas (Diferente cota)";
        case 2:
            return "Estaciones Meteorológicas (Isla térmica)";
        case 3:
            return "Estaciones Meteorológicas (Isla térmica+Diferente cota)";
        default:
            return "Tipo de Datos: Estaciones Meteorológicas";
    }
}

std::string exportFileName(const std::string& chosen) {
    std::string name = chosen;
    const std::size_t position = name.rfind(".txt");
    if (position != std::string::npos && position < 10000) name.resize(position);
    return name + ".txt";
}

void writeExportFile(const std::string& path, const std::function<void(ExportWriter&)>& block) {
    writeFileReplacing(path, [&](std::ostream& out) {
        ExportWriter writer(out);
        block(writer);
    });
}

}  // namespace climstat
