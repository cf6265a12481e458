#include <QTest>
#include <QTextBlock>
#include <filesystem>
#include <fstream>

#include "data/station_catalogue.h"
#include "data/station_file.h"
#include "data/typical_year_table.h"
#include "support/station_builder.h"
#include "window_fixture.h"

namespace climstat::test {
namespace {

int d3Position() {
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.name == "D3_peninsula") return row.position;
    }
    return 0;
}

TEST_F(WindowTest, StartsOnTheEntryPanelWithOnlyTheStationTab) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(realDatabaseDir());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Programa de análisis de datos climáticos"));
    EXPECT_EQ(w.size(), QSize(1288, 768));
    EXPECT_TRUE(w.PanelEntrada->isVisible());
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TSEstacion);
    for (QWidget* page :
         {w.TSProyecto, w.TSIntervalo, w.TSDiagrama, w.TSFrecuencias, w.TSPromedios, w.TSGradosHora,
          w.TSGradosDia, w.TSValoresHorarios, w.TSValoresHorariosAEMET}) {
        EXPECT_FALSE(tabVisible(page)) << page->objectName().toStdString();
    }
    EXPECT_TRUE(tabVisible(w.TSEstacion));
    EXPECT_FALSE(w.SBImpresor->isVisible());
    EXPECT_TRUE(w.CBAEMET->isVisible());
    EXPECT_FALSE(w.CBMet->isVisible());
    EXPECT_FALSE(w.Eaamn->isVisible());
    EXPECT_EQ(w.state().nYears, 11);  // the station page has been shown
    EXPECT_EQ(w.ComboBox5->currentText(), QStringLiteral("2007"));
    EXPECT_EQ(w.ComboBox3->currentText(), QStringLiteral("2"));
    EXPECT_EQ(w.CBAEMET->count(), 105);
    EXPECT_EQ(w.CBMet->count(), 65);
    EXPECT_EQ(w.CBMet2013->count(), 33);
    QTest::mouseClick(w.Image5, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_FALSE(w.PanelEntrada->isVisible());
    EXPECT_TRUE(w.LCarpeta->text().contains(QString::fromStdString(realDatabaseDir())));
}

TEST_F(WindowTest, InformationButtonsReplaceTheTextAndOcultarHidesIt) {
    app::TForm1& w = open("");
    w.SBAcerca->click();
    EXPECT_TRUE(w.Memo1->isVisible());
    EXPECT_TRUE(w.BitBtn8->isVisible());
    EXPECT_EQ(w.Memo1->document()->blockCount(), 33);
    EXPECT_TRUE(w.Memo1->document()->findBlockByNumber(1).text().startsWith("\t- Este programa"));
    w.SpeedButton2->click();
    EXPECT_EQ(w.Memo1->document()->blockCount(), 35);
    w.SpeedButton1->click();
    EXPECT_EQ(w.Memo1->document()->blockCount(), 24);
    EXPECT_TRUE(w.Memo1->document()->findBlockByNumber(2).text().startsWith("   - TSMIN"));
    w.BitBtn8->click();
    EXPECT_FALSE(w.Memo1->isVisible());
    EXPECT_FALSE(w.BitBtn8->isVisible());
}

TEST_F(WindowTest, WithoutADataFolderTheStationPageSaysWhereItLooked) {
    app::TForm1& w = open("");
    EXPECT_TRUE(w.LAvisoDatos->text().contains("/nonexistent/database"));
    EXPECT_TRUE(w.LAvisoDatos->text().contains("--data-dir"));
    click(w.RGTiposDatos, 2);
    choose(w.CBMet2013, d3Position());
    EXPECT_TRUE(w.LAvisoDatos->text().contains("--data-dir"));
    EXPECT_FALSE(tabVisible(w.TSFrecuencias));  // nothing was loaded
}

TEST_F(WindowTest, ADataPathThatIsAFileIsNotCalledAFolder) {
    const std::string dir = makeTempDir("window-file");
    writeBytes(dir + "/file", "x");
    app::TForm1& w = open(dir + "/file");
    EXPECT_TRUE(
        w.LCarpeta->text().startsWith(QStringLiteral("Ruta de datos (no es una carpeta): ")))
        << w.LCarpeta->text().toStdString();
    std::filesystem::remove_all(dir);
}

TEST_F(WindowTest, A2013ZoneShowsTheResultTabsUntilTheSourceChanges) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(realDatabaseDir());
    click(w.RGTiposDatos, 2);
    EXPECT_TRUE(w.CBMet2013->isVisible());
    EXPECT_FALSE(w.CBAEMET->isVisible());
    EXPECT_FALSE(w.Panel3->isVisible());
    choose(w.CBMet2013, d3Position());
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Programa de análisis de datos climáticos:  CTE-HE 2013   "
                             "D3_peninsula(2013)"));
    EXPECT_NEAR(w.state().pt, 93564.6f, 0.1f);
    EXPECT_EQ(w.state().typicalYearIndex, d3Position());
    for (QWidget* page : {w.TSIntervalo, w.TSDiagrama, w.TSFrecuencias, w.TSPromedios,
                          w.TSGradosHora, w.TSGradosDia, w.TSValoresHorarios}) {
        EXPECT_TRUE(tabVisible(page)) << page->objectName().toStdString();
    }
    EXPECT_FALSE(tabVisible(w.TSProyecto));
    EXPECT_FALSE(tabVisible(w.TSValoresHorariosAEMET));
    EXPECT_EQ(w.LTipodatosF->text(), QStringLiteral("Ficheros CTE-HE (ficheros *.met)"));

    w.PageControl1->setCurrentWidget(w.TSPromedios);
    QApplication::processEvents();
    EXPECT_TRUE(w.SBImpresor->isVisible());
    EXPECT_EQ(w.LProvinciaP->text(), QStringLiteral("Ciudad: D3_peninsula"));
    EXPECT_TRUE(w.LasnmP->text().startsWith("asnm: 667 m.    Pt: "));
    w.PageControl1->setCurrentWidget(w.TSDiagrama);
    QApplication::processEvents();
    EXPECT_FALSE(w.SBImpresor->isVisible());
    EXPECT_FALSE(w.ComboBox5->isVisible());

    w.PageControl1->setCurrentWidget(w.TSEstacion);
    const float firstHour = w.state().ts[1][1];
    click(w.RGTiposDatos, 0);
    EXPECT_FALSE(tabVisible(w.TSFrecuencias));
    EXPECT_EQ(w.state().typicalYearIndex, -1);
    EXPECT_EQ(w.state().ts[1][1], firstHour);  // the data stay until the next load
    EXPECT_EQ(w.CBMet2013->currentIndex(), d3Position());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Programa de análisis de datos climáticos:  AEMET   "
                                              "Ninguna selección"));
}

TEST_F(WindowTest, TheMapNamesTheCapitalUnderThePointerAndLoadsItOnDoubleClick) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(realDatabaseDir());
    click(w.RGTiposDatos, 1);
    ASSERT_TRUE(w.Image15->isVisible());
    moveTo(w.Image15, w.Image15->widgetPoint({620, 145}));  // Barcelona and Tarragona overlap here
    EXPECT_EQ(w.LProvincia->text(), QStringLiteral("Ciudad: Barcelona"));
    moveTo(w.Image15, w.Image15->widgetPoint({158, 20}));
    EXPECT_EQ(w.LProvincia->text(), QStringLiteral("Ciudad: A Coruña"));
    moveTo(w.Image15, w.Image15->widgetPoint({157, 20}));  // off every region: the caption stays
    EXPECT_EQ(w.LProvincia->text(), QStringLiteral("Ciudad: A Coruña"));
    EXPECT_TRUE(w.state().mapCityName.empty());

    moveTo(w.Image15, w.Image15->widgetPoint({400, 190}));
    QTest::mouseDClick(w.Image15, Qt::LeftButton, {}, w.Image15->widgetPoint({400, 190}));
    EXPECT_EQ(w.CBMet->currentText(), QStringLiteral("Madrid"));
    EXPECT_EQ(w.state().locationCityName, "Ciudad: Madrid");
    EXPECT_EQ(w.state().locationAltitudeText, "667");
    EXPECT_TRUE(tabVisible(w.TSFrecuencias));
    EXPECT_TRUE(w.Image15->isVisible());

    // A double click over no region selects nothing and keeps what is loaded.
    moveTo(w.Image15, w.Image15->widgetPoint({5, 5}));
    QTest::mouseDClick(w.Image15, Qt::LeftButton, {}, w.Image15->widgetPoint({5, 5}));
    EXPECT_EQ(w.CBMet->currentIndex(), 0);
    EXPECT_EQ(w.state().locationCityName, "Ciudad: Madrid");
    EXPECT_TRUE(tabVisible(w.TSFrecuencias));

    // A capital whose file is not in the data folder: said on the page, Madrid stays.
    moveTo(w.Image15, w.Image15->widgetPoint({200, 30}));
    QTest::mouseDClick(w.Image15, Qt::LeftButton, {}, w.Image15->widgetPoint({200, 30}));
    EXPECT_TRUE(w.LAvisoDatos->text().contains("Lacoruna.met"))
        << w.LAvisoDatos->text().toStdString();
    EXPECT_EQ(w.state().locationCityName, "Ciudad: Madrid");
    EXPECT_EQ(w.state().typicalYearIndex, 29);
}

using StationWindowTest = StationFolderWindowTest;

TEST_F(StationWindowTest, AStationLoadsAndTheExtrapolationTakesEffectWhenThePageIsLeft) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    const int item = stationIndexForCode("3195");
    choose(w.CBAEMET, item);
    EXPECT_EQ(w.LIndicativo->text(), QStringLiteral("Indicativo: 3195"));
    EXPECT_EQ(w.LEstacion->text(), QStringLiteral("Estación: Madrid (Retiro)"));
    EXPECT_EQ(w.LIndicativo2->text(), QStringLiteral("3195"));
    EXPECT_FALSE(w.referenceLabels[1]->isVisible());
    EXPECT_TRUE(w.LAvisoDatos->text().isEmpty()) << w.LAvisoDatos->text().toStdString();
    EXPECT_TRUE(tabVisible(w.TSProyecto));
    EXPECT_TRUE(tabVisible(w.TSValoresHorariosAEMET));
    EXPECT_FALSE(tabVisible(w.TSValoresHorarios));
    EXPECT_TRUE(w.windowTitle().endsWith(w.CBAEMET->currentText()));
    const float january = w.state().ts[1][1];

    click(w.RGAEMET, 2);  // thermal island: no reload yet, no altitude edit
    EXPECT_FALSE(w.Eaamn->isVisible());
    EXPECT_EQ(w.state().ts[1][1], january);
    w.PageControl1->setCurrentWidget(w.TSIntervalo);
    EXPECT_FLOAT_EQ(w.state().ts[1][1], january + 3.0f);
    EXPECT_TRUE(w.LEstacion2->text().startsWith("Madrid"));  // named by the selection only

    w.PageControl1->setCurrentWidget(w.TSEstacion);
    EXPECT_TRUE(w.LProvincia->text().isEmpty());  // showing the page clears the labels
    EXPECT_EQ(w.LIndicativo->text(), QStringLiteral("Indicativo: 3195"));
    click(w.RGAEMET, 1);
    EXPECT_TRUE(w.Eaamn->isVisible());
    click(w.RGAEMET, 0);  // back to the station's own data at once
    EXPECT_EQ(w.state().ts[1][1], january);

    choose(w.CBAEMET, 0);  // "Ninguna selección": labels cleared, tabs and data stay
    EXPECT_TRUE(w.LIndicativo->text().isEmpty());
    EXPECT_TRUE(tabVisible(w.TSProyecto));
    EXPECT_EQ(w.state().ts[1][1], january);
}

TEST_F(StationWindowTest, AStationWithoutFilesSaysWhichFileIsMissing) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    choose(w.CBAEMET, stationIndexForCode("1387E"));
    EXPECT_TRUE(w.LAvisoDatos->text().contains("T1387E_.bin"));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QString::fromStdString(folder)));
}

TEST_F(StationWindowTest, ImportingRecordsWritesTheStationOrNamesTheBadLines) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    const std::string good = folder + "/records.csv";
    {
        std::ofstream out(good);
        for (int hour = 1; hour <= 24; ++hour) {
            out << "2001-03-04;" << hour << ";12.5;60\n";
        }
    }
    ASSERT_TRUE(w.importStationRecords(stationIndexForCode("1387E"), QString::fromStdString(good)));
    EXPECT_TRUE(std::filesystem::exists(stationFilePath(folder, "T", "1387E")));
    EXPECT_EQ(w.CBAEMET->currentIndex(), stationIndexForCode("1387E"));
    EXPECT_EQ(w.state().nValidT, 24);
    EXPECT_TRUE(tabVisible(w.TSProyecto));

    const std::string bad = folder + "/bad.csv";
    writeBytes(bad, "2001-03-04;1;12.5;60\n2001-13-04;2;12.5;60\n2001-03-04;3;abc;60\n");
    EXPECT_FALSE(w.importStationRecords(stationIndexForCode("1014"), QString::fromStdString(bad)));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("línea 2")));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("línea 3")));
    EXPECT_FALSE(std::filesystem::exists(stationFilePath(folder, "T", "1014")));
}

TEST_F(StationWindowTest, AStationImportedIntoTheUserFolderIsTheOneLoadedAndItsFolderNamed) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    // An earlier import went to the per-user folder (the data folder could not be written).
    writeStation(userFolder, "3195", {constantDay(1999, 1, 1, 50)}, {constantDay(1999, 1, 1, 60)});
    choose(w.CBAEMET, stationIndexForCode("3195"));
    EXPECT_EQ(w.state().ts[1][3], 5.0f);
    EXPECT_TRUE(w.LCarpeta->text().contains(QString::fromStdString(
        "Ficheros de la estación: " + userFolder + " (carpeta del usuario)")));

    // A new import of the station goes where it is read from, and is what the page shows.
    const std::string records = folder + "/records.csv";
    writeBytes(records, "1999-01-01;1;-2.5;70\n");
    ASSERT_TRUE(
        w.importStationRecords(stationIndexForCode("3195"), QString::fromStdString(records)));
    EXPECT_EQ(w.state().ts[1][3], -2.5f);
    EXPECT_EQ(w.state().nValidT, 1);

    choose(w.CBAEMET, stationIndexForCode("1387E"));  // no files anywhere: the data folder's
    EXPECT_TRUE(
        w.LCarpeta->text().contains(QString::fromStdString("Ficheros de la estación: " + folder)));
    EXPECT_FALSE(w.LCarpeta->text().contains(QStringLiteral("carpeta del usuario")));
}

TEST_F(StationWindowTest, EngineErrorsAndWarningsAreSpanishAndAnErrorBoxClearsTheOldNotice) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    const std::string bad = folder + "/bad.csv";
    writeBytes(bad, "x\n2001-03-04;2;150;60\n");
    EXPECT_FALSE(w.importStationRecords(stationIndexForCode("1014"), QString::fromStdString(bad)));
    const QString notice = w.LAvisoDatos->text();
    EXPECT_TRUE(notice.contains(QStringLiteral("línea 1: tiene 1 campos"))) << notice.toStdString();
    EXPECT_TRUE(
        notice.contains(QStringLiteral("la temperatura '150' no es un número de -90 a 70")));
    EXPECT_FALSE(notice.contains(QStringLiteral("fields")));

    // The next failure is an error box; the notice of the import before it does not stay.
    const std::string missing = folder + "/missing.csv";
    EXPECT_FALSE(app::guarded(&w, [&] {
        w.importStationRecords(stationIndexForCode("1014"), QString::fromStdString(missing));
    }));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0],
              QString::fromStdString(missing) + QStringLiteral(": no se puede abrir: no existe"));
    EXPECT_TRUE(w.LAvisoDatos->text().isEmpty());

    // A request the engine refuses, worded in Spanish too.
    click(w.RGAEMET, 1);
    w.Eaamn->setText(QStringLiteral("20000"));
    choose(w.CBAEMET, stationIndexForCode("3195"));
    EXPECT_EQ(messages.last(),
              QStringLiteral("la altitud de la localidad, 20000 m, está fuera de -1000..10000 m"));
    click(w.RGAEMET, 0);

    // A station without a single humidity reading.
    std::vector<StationDay> dry = {constantDay(2001, 5, 1, MISSING_RAW)};
    writeStation(folder, "1014", {constantDay(2001, 5, 1, 180)}, dry);
    choose(w.CBAEMET, stationIndexForCode("1014"));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("ninguna lectura de humedad")));
}

// The hour mask the engine builds from the window's settings.
std::array<float, kHoursPerYear + 1> engineHourMask(app::TForm1& w) {
    auto state = std::make_unique<AnalysisState>(w.state());
    runSelection(*state, w.selectionSettings());
    return state->hourMask;
}

TEST_F(WindowTest, ScheduleAndCalendarClicksChangeTheSelectedHours) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(realDatabaseDir());
    click(w.RGTiposDatos, 2);
    choose(w.CBMet2013, d3Position());
    w.PageControl1->setCurrentWidget(w.TSIntervalo);
    EXPECT_FALSE(w.PanelCalendario->isVisible());
    click(w.RGIntervalo, 12);
    ASSERT_TRUE(w.PanelCalendario->isVisible());
    ASSERT_TRUE(w.GroupBox2->isVisible());
    EXPECT_EQ(engineHourMask(w)[2], 1.0f);

    // "Continuo" selected: hour 2 of its row switches off, and back on.
    moveTo(w.ImageCalefS, QPoint(30, 5));
    QTest::mouseClick(w.ImageCalefS, Qt::LeftButton, {}, QPoint(30, 5));
    EXPECT_EQ(w.state().scheduleTable[2][1], 0.0f);
    EXPECT_EQ(w.ImageCalef->picture().pixelColor(30, 5), QColor(Qt::white));
    EXPECT_EQ(engineHourMask(w)[2], 0.0f);
    EXPECT_EQ(engineHourMask(w)[26], 0.0f);
    moveTo(w.ImageCalefS, QPoint(30, 25));  // row 2 is not "Continuo"'s
    QTest::mouseClick(w.ImageCalefS, Qt::LeftButton, {}, QPoint(30, 25));
    EXPECT_EQ(w.state().scheduleTable[2][2], 0.0f);

    // "Sin uso" on the week of 8 January (Monday, grid column 1, row 2).
    w.dayTypeButtons[7]->click();
    const QPoint eighth(25, 30);
    moveTo(w.ImageCalendario, eighth);
    QTest::mouseClick(w.ImageCalendario, Qt::LeftButton, {}, eighth);
    const auto mask = engineHourMask(w);
    EXPECT_EQ(w.dayTypeTable()[8], 7);
    EXPECT_EQ(w.dayTypeTable()[14], 7);
    EXPECT_EQ(w.dayTypeTable()[15], 0);
    EXPECT_EQ(mask[7 * 24 + 10], 0.0f);   // 8 January, 10 h
    EXPECT_EQ(mask[14 * 24 + 10], 1.0f);  // 15 January
    EXPECT_EQ(w.ImageCalendario->picture().pixelColor(37, 37), QColor(0, 128, 128));

    // "Una estación" shows its list and button; "Invierno" with "Esp. 1" on the button.
    w.modeButtons[5]->click();
    EXPECT_TRUE(w.CBCEstaciones->isVisible());
    EXPECT_TRUE(w.BitBtn1->isVisible());
    EXPECT_FALSE(w.ComboBox1->isVisible());
    EXPECT_EQ(w.Label5->text(), QStringLiteral("Estación"));
    w.dayTypeButtons[4]->click();
    w.CBCEstaciones->setCurrentIndex(3);
    w.BitBtn1->click();
    EXPECT_EQ(w.dayTypeTable()[1], 4);
    EXPECT_EQ(engineHourMask(w)[12], 0.0f);  // "Esp. 1" has no hour yet
}

TEST_F(WindowTest, ARangeFilterHidesTheDegreePagesAndABadLimitIsReported) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(realDatabaseDir());
    click(w.RGTiposDatos, 2);
    choose(w.CBMet2013, d3Position());
    w.PageControl1->setCurrentWidget(w.TSIntervalo);
    click(w.RGMinimo, 1);
    EXPECT_TRUE(w.EMin->isVisible());
    EXPECT_TRUE(w.Label47->isVisible());
    EXPECT_FALSE(tabVisible(w.TSGradosHora));
    EXPECT_FALSE(tabVisible(w.TSGradosDia));
    click(w.RG1Variable, 1);
    EXPECT_EQ(w.RGMinimo->title(), QStringLiteral("Máximo"));

    w.EMin->setText("abc");
    w.PageControl1->setCurrentWidget(w.TSFrecuencias);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("'abc' is not a valid floating point value"));
    EXPECT_TRUE(w.LasnmF->text().isEmpty());  // the page computation was abandoned

    w.PageControl1->setCurrentWidget(w.TSIntervalo);
    w.EMin->setText("25");
    click(w.RGMinimo, 0);
    EXPECT_TRUE(tabVisible(w.TSGradosHora));
    w.PageControl1->setCurrentWidget(w.TSFrecuencias);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(w.LasnmF->text().isEmpty());
}

}  // namespace
}  // namespace climstat::test
