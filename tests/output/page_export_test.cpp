#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/errors.h"
#include "output/average_export.h"
#include "output/hourly_values_export.h"
#include "output/page_labels.h"
#include "stats/hourly_averages.h"
#include "support/page_state.h"
#include "support/test_data.h"

namespace climstat {
namespace {

// Lines of a file split at CR LF; fails the test on a bare LF or CR.
std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        const std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

int count(const std::string& text, char c) {
    return static_cast<int>(std::count(text.begin(), text.end(), c));
}

TEST(HourlyAverageFile, ByteExactBlockWithEmptyCellsAndWindowsBytes) {
    auto state = test::syntheticYears(
        1, [](int, int) { return -2.5f; }, [](int, int) { return 0.002f; });
    for (int h = 1; h <= kHoursPerYear; ++h)
        state->hourMask[static_cast<std::size_t>(h)] = (h - 1) % 24 == 0 ? 1.0f : 0.0f;
    computeHourlyAverages(*state, {0});
    state->locationCityName = "Ciudad: Jaén";
    state->locationAltitudeText = "667";
    std::ostringstream out;
    writeHourlyAverageBlock(out, *state, averagePageLabels(*state, DataSource::Cte2013, ','), 0,
                            ',');

    std::string expected =
        "Ficheros CTE-HE (ficheros *.met)\r\n"
        "Ciudad: Ja\xE9n\r\n"
        "\r\n"
        "Variable a representar= Temperatura seca (\xBA"
        "C)\r\n"
        "Tipo= Promedios\r\n"
        "Intervalo;Ene;Feb;Mar;Abr;May;Jun;Jul;Ago;Sep;Oct;Nov;Dic;Anual\r\n";
    std::string selectedCells;
    for (int c = 1; c <= 13; ++c)
        selectedCells += "-2,50;";
    expected += "1 h;" + selectedCells + "\r\n";
    for (int r = 2; r <= 24; ++r)
        expected += std::to_string(r) + " h;;;;;;;;;;;;;;\r\n";
    expected += "Media;" + selectedCells + "\r\n";
    expected += "\r\n";
    EXPECT_EQ(out.str(), expected);
}

TEST(HourlyAverageFile, NoSelectedHourStillWritesEveryRow) {
    AnalysisState state;
    computeHourlyAverages(state, {5});
    std::ostringstream out;
    writeHourlyAverageBlock(out, state, averagePageLabels(state, DataSource::Aemet, '.'), 5, '.');
    const auto lines = crlfLines(out.str());
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "Tipo de Datos: Estaciones Meteorol\xF3gicas");
    EXPECT_EQ(lines[3], "Variable a representar= Humedad relativa (%)");
    EXPECT_EQ(lines[30], "Media;;;;;;;;;;;;;;");
    EXPECT_EQ(lines[31], "");
}

TEST(HourlyAverageFile, RealYearHasTwentyFiveRowsOfThirteenCells) {
    CLIMSTAT_NEED_REAL_DATA();
    auto state = test::realTypicalYear(test::realDatabaseDir());
    computeHourlyAverages(*state, {4});
    std::ostringstream out;
    writeHourlyAverageBlock(out, *state, averagePageLabels(*state, DataSource::Cte2013, '.'), 4,
                            '.');
    const auto lines = crlfLines(out.str());
    ASSERT_EQ(lines.size(), 6u + 25u + 1u);
    EXPECT_EQ(lines[1], "Ciudad: D3_peninsula");
    for (int r = 1; r <= 25; ++r) {
        const std::string& line = lines[static_cast<std::size_t>(5 + r)];
        EXPECT_EQ(line.substr(0, line.find(';')), r == 25 ? "Media" : std::to_string(r) + " h");
        EXPECT_EQ(count(line, ';'), 14) << line;
        EXPECT_EQ(line.back(), ';');
        EXPECT_EQ(line.find(";;"), std::string::npos) << "empty cell in " << line;
    }
    EXPECT_EQ(lines.back(), "");
}

TEST(HourlyValuesFile, ByteExactRowsInSlotOrderWithSaturationWrittenAsHundred) {
    // Slot 1: hours 1 and 8760; slot 2: hour 2, supersaturated (20 degC, 16 g/kg).
    auto state = test::syntheticYears(
        2, [](int h, int) { return h == 8760 ? -3.25f : 20.0f; },
        [](int h, int y) { return h == 2 && y == 2 ? 0.016f : (h == 8760 ? 0.0021f : 0.0105f); });
    for (int y = 1; y <= 2; ++y)
        for (int h = 1; h <= kHoursPerYear; ++h)
            state->rangeMask[h][y] = 0.0f;
    state->rangeMask[1][1] = 1.0f;
    state->rangeMask[8760][1] = 1.0f;
    state->rangeMask[2][2] = 1.0f;
    state->locationCityName = "Ciudad: A3_peninsula";
    std::ostringstream out;
    writeHourlyValuesBlock(out, *state, hourlyValuesPageLabels(*state, '.'), '.');
    EXPECT_EQ(out.str(),
              "Ficheros CTE-HE (ficheros *.met)\r\n"
              "Ciudad: A3_peninsula\r\n"
              "\r\n"
              "Tipo= Valores Horarios\r\n"
              "mes;dia;hora;hora anual;Ts(\xBA"
              "C);Th(\xBA"
              "C);Tr(\xBA"
              "C);W(gr/kgas);h(kJ/kgas);ve(m3/kgas);Fi(%);Pv(Pa)\r\n"
              "1;1;1;1;20.00;16.68;14.79;10.50;46.77;0.84;71.92;1682.10\r\n"
              "12;31;24;8760;-3.25;-4.47;-6.91;2.10;1.97;0.77;73.10;340.95\r\n"
              "1;1;2;2;20.00;20.67;21.35;16.00;60.73;0.85;100.00;2541.10\r\n");
}

TEST(HourlyValuesFile, RegionalSeparatorInEveryNumber) {
    auto state = test::syntheticYears(
        1, [](int, int) { return 20.0f; }, [](int, int) { return 0.0105f; });
    state->hourMask.fill(0.0f);
    state->hourMask[1] = 1.0f;
    std::ostringstream out;
    writeHourlyValuesBlock(out, *state, hourlyValuesPageLabels(*state, ','), ',');
    const auto lines = crlfLines(out.str());
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[5], "1;1;1;1;20,00;16,68;14,79;10,50;46,77;0,84;71,92;1682,10");
}

TEST(HourlyValuesFile, RealTypicalYearHasEveryHour) {
    CLIMSTAT_NEED_REAL_DATA();
    auto state = test::realTypicalYear(test::realDatabaseDir(), "A4_peninsula");
    std::ostringstream out;
    writeHourlyValuesBlock(out, *state, hourlyValuesPageLabels(*state, '.'), '.');
    const auto lines = crlfLines(out.str());
    ASSERT_EQ(lines.size(), 5u + 8760u);
    EXPECT_EQ(lines[5].substr(0, 8), "1;1;1;1;");
    EXPECT_EQ(lines.back().substr(0, 14), "12;31;24;8760;");
    for (std::size_t i = 5; i < lines.size(); ++i) {
        ASSERT_EQ(count(lines[i], ';'), 11) << lines[i];
        ASSERT_NE(lines[i].back(), ';');
        // The relative humidity field never exceeds 100.
        const std::size_t rhEnd = lines[i].rfind(';');
        const std::size_t rhStart = lines[i].rfind(';', rhEnd - 1) + 1;
        ASSERT_LE(std::stod(lines[i].substr(rhStart, rhEnd - rhStart)), 100.0) << lines[i];
    }
}

TEST(PageLabels, StationAndTypicalYearTexts) {
    AnalysisState state;
    state.locationProvince = "Madrid";
    state.locationName = "Datos base: MADRID RETIRO (3195)";
    state.locationCityName = "Ciudad: Madrid";
    state.locationAltitudeText = "667";
    state.pt = 93564.6f;
    const PageLabels station = averagePageLabels(state, DataSource::Aemet, ',');
    EXPECT_EQ(station.dataType, "Tipo de Datos: Estaciones Meteorológicas");
    EXPECT_EQ(station.province, "Madrid");
    EXPECT_EQ(station.altitudePressure, "asnm: 667 m.    Pt: 93565 Pa");
    EXPECT_EQ(station.station, "Datos base: MADRID RETIRO (3195)");
    const PageLabels city = diagramPageLabels(state, DataSource::Cte2006, '.');
    EXPECT_EQ(city.dataType, "Ficheros CTE-HE (ficheros *.met)");
    EXPECT_EQ(city.province, "Ciudad: Madrid");
    EXPECT_EQ(city.station, "");
    EXPECT_EQ(hourlyValuesPageLabels(state, '.').province, "Ciudad: Madrid");
    EXPECT_EQ(stationHourlyValuesPageLabels(state, '.').station, state.locationName);
    // The hourly-average page writes the pressure with six significant digits.
    state.pt = 1234567.0f;
    EXPECT_EQ(averagePageLabels(state, DataSource::Aemet, '.').altitudePressure,
              "asnm: 667 m.    Pt: 1.23457E6 Pa");
    EXPECT_EQ(diagramPageLabels(state, DataSource::Aemet, '.').altitudePressure,
              "asnm: 667 m.    Pt: 1234567 Pa");
}

TEST(PageExportFile, UnwritableFileIsReportedAndAnExistingOneKept) {
    auto state = test::syntheticYears(
        1, [](int, int) { return 20.0f; }, [](int, int) { return 0.0105f; });
    computeHourlyAverages(*state, {0});
    const std::string dir = test::makeTempDir("pages-export");
    const std::string path = dir + "/promedios.txt";
    test::writeBytes(path, "old");
    EXPECT_THROW(writeExportFile(dir + "/missing/folder.txt",
                                 [&](ExportWriter& writer) {
                                     writeHourlyAverageBlock(writer, *state, {}, 0, '.');
                                 }),
                 DataFileError);
    writeExportFile(
        path, [&](ExportWriter& writer) { writeHourlyAverageBlock(writer, *state, {}, 0, '.'); });
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(written.substr(0, 6), "\r\n\r\n\r\n");
    EXPECT_NE(written.find("Media;20.00;"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace climstat
