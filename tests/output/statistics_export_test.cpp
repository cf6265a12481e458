#include "output/statistics_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/errors.h"
#include "output/page_labels.h"
#include "support/test_data.h"

namespace climstat {
namespace {

const std::string kMonths = "Intervalo;Ene;Feb;Mar;Abr;May;Jun;Jul;Ago;Sep;Oct;Nov;Dic;Anual\r\n";

PageLabels typicalYearLabels() {
    return {"Ficheros CTE-HE (ficheros *.met)", "Ciudad: Sevilla", "asnm: 31 m.    Pt: 100953 Pa",
            ""};
}

std::string frequencyFile(const AnalysisState& s, FrequencyOutput output, char separator = '.',
                          StudyVariable variable = StudyVariable::DryBulb) {
    FrequencySettings settings;
    settings.output = output;
    settings.variable = variable;
    std::ostringstream out;
    writeFrequencyPage(out, s, settings, typicalYearLabels(), separator);
    return out.str();
}

std::vector<std::string> lines(const std::string& bytes) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        result.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

TEST(FrequencyFile, HoursBlockByteForByte) {
    auto s = std::make_unique<AnalysisState>();
    s->binFirst = -1;
    s->binLast = 1;
    s->nBins = 3;
    s->locationCode = "5783";
    s->freqTable[1][1] = 10.0f;
    s->freqTable[2][1] = 21.0f;
    s->freqTable[1][13] = 10.0f;
    s->freqTable[2][13] = 21.4f;
    s->freqTable[3][13] = -2.0f;  // never shown: not above 0
    s->freqTable[4][1] = 31.0f;
    s->freqTable[4][13] = 31.4f;
    const std::string expected =
        "Ficheros CTE-HE (ficheros *.met)\r\n"
        "Ciudad: Sevilla\r\n"
        "\r\n"
        "5783\r\n"
        "Variable a representar= Temperatura seca (\xBA"
        "C)\r\n"
        "Tipo= N\xBA horas\r\n" +
        kMonths +
        "<0;10;;;;;;;;;;;;10;\r\n"
        ">=0 y <1;21;;;;;;;;;;;;21;\r\n"
        ">1;;;;;;;;;;;;;;\r\n"
        "suma;31;;;;;;;;;;;;31;\r\n";
    EXPECT_EQ(frequencyFile(*s, FrequencyOutput::Hours), expected);
}

TEST(FrequencyFile, PercentagesUseTwoDecimalsAndTheRegionalSeparator) {
    auto s = std::make_unique<AnalysisState>();
    s->binFirst = 0;
    s->nBins = 2;
    s->freqTable[1][2] = 33.333f;
    s->freqTable[2][2] = 66.667f;
    s->freqTable[3][2] = 100.0f;
    const auto rows = lines(frequencyFile(*s, FrequencyOutput::Frequencies, ','));
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[5], "Tipo= Frecuencias");
    EXPECT_EQ(rows[7], "<1;;33,33;;;;;;;;;;;;");
    EXPECT_EQ(rows[8], ">1;;66,67;;;;;;;;;;;;");
    EXPECT_EQ(rows[9], "suma;;100,00;;;;;;;;;;;;");
}

TEST(FrequencyFile, FromMinus53To318AsHoursAndAsCumulative) {
    auto s = std::make_unique<AnalysisState>();
    s->binFirst = -5;
    s->binLast = 31;
    s->nBins = 37;
    for (int c = 1; c <= 38; ++c)
        s->freqTable[c][13] = static_cast<float>(c);
    auto rows = lines(frequencyFile(*s, FrequencyOutput::Hours));
    ASSERT_EQ(rows.size(), 7u + 37u + 1u);
    EXPECT_EQ(rows[7], "<-4;;;;;;;;;;;;;1;");
    EXPECT_EQ(rows[8], ">=-4 y <-3;;;;;;;;;;;;;2;");
    EXPECT_EQ(rows[42], ">=30 y <31;;;;;;;;;;;;;36;");
    EXPECT_EQ(rows[43], ">31;;;;;;;;;;;;;37;");
    EXPECT_EQ(rows[44], "suma;;;;;;;;;;;;;38;");

    const std::string cumulative = frequencyFile(*s, FrequencyOutput::Cumulative);
    rows = lines(cumulative);
    ASSERT_EQ(rows.size(), 7u + 37u + 1u);
    EXPECT_EQ(rows[5], "Tipo= Frecuencias Acumuladas");
    EXPECT_EQ(rows[7], " <-4;;;;;;;;;;;;;1.00;");
    EXPECT_EQ(rows[8], " <-3;;;;;;;;;;;;;2.00;");
    EXPECT_EQ(rows[43], " <32;;;;;;;;;;;;;37.00;");
    EXPECT_EQ(rows[44], "");
    EXPECT_EQ(cumulative.substr(cumulative.size() - 5), ";\r\n\r\n");
}

TEST(FrequencyFile, ASingleClassIsLabelledByItsUpperBound) {
    auto s = std::make_unique<AnalysisState>();
    s->binFirst = 12;
    s->binLast = 12;
    s->nBins = 1;
    const auto rows = lines(frequencyFile(*s, FrequencyOutput::MeanDryBulb));
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[5],
              "Tipo= Temp. seca media (\xBA"
              "C)");
    EXPECT_EQ(rows[7], "<13;;;;;;;;;;;;;;");
    EXPECT_EQ(rows[8], "");
}

TEST(FrequencyFile, WithoutAnyClassTheHeadersAndEmptySumsRemain) {
    auto s = std::make_unique<AnalysisState>();
    s->nBins = -1999;
    const auto rows =
        lines(frequencyFile(*s, FrequencyOutput::Hours, '.', StudyVariable::RelativeHumidity));
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[4], "Variable a representar= Humedad relativa (%)");
    EXPECT_EQ(rows[7], "suma;;;;;;;;;;;;;;");
}

PageLabels stationLabels() {
    return {"Tipo de Datos: Estaciones Meteorológicas", "Madrid", "asnm: 609 m.    Pt: 94322 Pa",
            "MADRID, RETIRO (3195)"};
}

TEST(DegreeFiles, HeatingDegreeHoursByteForByte) {
    auto s = std::make_unique<AnalysisState>();
    for (int r = 1; r <= 14; ++r)
        s->heatingTable[r][0] = static_cast<float>(r * 100) + 0.5f;
    s->heatingTable[14][5] = 123456.0f;  // written in scientific notation at precision 5
    std::ostringstream out;
    writeDegreeHourPage(out, *s, DegreeKind::Heating, stationLabels(), ',');
    const std::string expected =
        "Tipo de Datos: Estaciones Meteorol\xF3gicas\r\n"
        "Madrid\r\n"
        "MADRID, RETIRO (3195)\r\n"
        "Tipo= Grados hora de Calefaccion\r\n"
        "Intervalo;Ene;Feb;Mar;Abr;May;Jun;Jul;Ago;Sep;Oct;Nov;Dic;5 meses;Anual\r\n"
        " 5 meses: Noviembre,Diciembre,Enero,Febrero,Marzo\r\n"
        "base 15;101;201;301;401;501;601;701;801;901;1001;1101;1201;1301;1401;\r\n"
        "base 16;0;0;0;0;0;0;0;0;0;0;0;0;0;0;\r\n"
        "base 17;0;0;0;0;0;0;0;0;0;0;0;0;0;0;\r\n"
        "base 18;0;0;0;0;0;0;0;0;0;0;0;0;0;0;\r\n"
        "base 19;0;0;0;0;0;0;0;0;0;0;0;0;0;0;\r\n"
        "base 20;0;0;0;0;0;0;0;0;0;0;0;0;0;1,2346E5;\r\n"
        "\r\n";
    EXPECT_EQ(out.str(), expected);
}

TEST(DegreeFiles, CoolingDegreeDaysOfAColdLocationAreAllZero) {
    auto s = std::make_unique<AnalysisState>();
    s->heatingTable[1][0] = 300.0f;  // the heating table is not written
    std::ostringstream out;
    writeDegreeDayPage(out, *s, DegreeKind::Cooling, stationLabels(), '.');
    const auto rows = lines(out.str());
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[3], "Tipo= Grados dia de Refrigeracion");
    EXPECT_EQ(rows[4], "Intervalo;Ene;Feb;Mar;Abr;May;Jun;Jul;Ago;Sep;Oct;Nov;Dic;4 meses;Anual");
    EXPECT_EQ(rows[5], " 4 meses: Junio,Julio,Agosto,Septiembre");
    for (int b = 0; b < 6; ++b) {
        EXPECT_EQ(rows[6 + static_cast<std::size_t>(b)],
                  "base " + std::to_string(20 + b) + ";0;0;0;0;0;0;0;0;0;0;0;0;0;0;");
    }
    EXPECT_EQ(rows[12], "");

    std::ostringstream heatingDays;
    writeDegreeDayPage(heatingDays, *s, DegreeKind::Heating, stationLabels(), '.');
    EXPECT_NE(heatingDays.str().find("Tipo= Grados dia de Calefaccion\r\n"), std::string::npos);
    EXPECT_NE(heatingDays.str().find("base 15;300;"), std::string::npos);
}

TEST(DegreeFiles, AFileThatCannotBeCreatedIsReportedAndAnExistingOneIsReplacedWhole) {
    auto s = std::make_unique<AnalysisState>();
    const std::string dir = test::makeTempDir("degree-file");
    const std::string missing = dir + "/no-such-folder/salida.txt";
    EXPECT_THROW(writeExportFile(missing,
                                 [&](ExportWriter& out) {
                                     writeDegreeDayPage(out, *s, DegreeKind::Heating,
                                                        stationLabels(), '.');
                                 }),
                 DataFileError);

    const std::string existing = dir + "/salida.txt";
    test::writeBytes(existing, std::string(5000, 'x'));
    writeExportFile(existing, [&](ExportWriter& out) {
        writeDegreeDayPage(out, *s, DegreeKind::Heating, stationLabels(), '.');
    });
    std::ifstream in(existing, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    std::ostringstream direct;
    writeDegreeDayPage(direct, *s, DegreeKind::Heating, stationLabels(), '.');
    EXPECT_EQ(written, direct.str());
    std::filesystem::remove_all(dir);
}

TEST(PageLabels, TheDesignPageSaysWhereAnExtrapolationMovedTheData) {
    EXPECT_EQ(extrapolationNote(0, 900, ','), "");
    EXPECT_EQ(extrapolationNote(1, 899.6f, ','), "Valores extrapolados a 900 m (Diferente cota)");
    EXPECT_EQ(extrapolationNote(2, 900, ','), "Valores corregidos por isla térmica (Isla térmica)");
    EXPECT_EQ(extrapolationNote(3, -12, '.'),
              "Valores extrapolados a -12 m y corregidos por isla térmica (Isla térm.+dif.cota)");
}

TEST(PageLabels, FrequencyPageNamesTheExtrapolationAndTheLocalityAltitude) {
    auto s = std::make_unique<AnalysisState>();
    s->locationProvince = "Madrid";
    s->locationName = "Datos base: MADRID, RETIRO (3195)";
    s->locationCityName = "Ciudad: Sevilla";
    s->locationAltitudeText = "667";
    s->pt = 93564.6f;
    PageLabelSettings settings;
    settings.extrapolationChoice = 3;
    settings.localityAltitude = 850.4f;
    PageLabels labels = frequencyPageLabels(*s, settings);
    EXPECT_EQ(labels.dataType, "Estaciones Meteorológicas (Isla térmica+Diferente cota)");
    EXPECT_EQ(labels.province, "Madrid");
    EXPECT_EQ(labels.altitudePressure, "asnm: 850 m.    Pt: 93565 Pa");
    EXPECT_EQ(labels.station, "Datos base: MADRID, RETIRO (3195)");

    settings.extrapolationChoice = 2;  // thermal island only: the altitude of the data
    EXPECT_EQ(frequencyPageLabels(*s, settings).altitudePressure, "asnm: 667 m.    Pt: 93565 Pa");

    // The degree pages name the plain data type whatever the extrapolation.
    settings.extrapolationChoice = 3;
    labels = degreePageLabels(*s, settings);
    EXPECT_EQ(labels.dataType, "Tipo de Datos: Estaciones Meteorológicas");
    EXPECT_EQ(labels.altitudePressure, "asnm: 667 m.    Pt: 93565 Pa");

    settings.source = DataSource::Cte2006;
    settings.extrapolationChoice = 0;
    labels = frequencyPageLabels(*s, settings);
    EXPECT_EQ(labels.dataType, "Ficheros CTE-HE (ficheros *.met)");
    EXPECT_EQ(labels.province, "Ciudad: Sevilla");
    EXPECT_EQ(labels.station, "");
}

}  // namespace
}  // namespace climstat
