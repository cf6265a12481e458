// The window on data of any place: ISD-Lite files among the imported records, and EPW files as
// the fourth data source.

#include <QTest>
#include <filesystem>

#include "data/station_catalogue.h"
#include "data/station_file.h"
#include "support/epw_writer.h"
#include "support/isd_writer.h"
#include "window_fixture.h"

namespace climstat::test {
namespace {

class WorldDataWindowTest : public WindowTest {
  protected:
    void SetUp() override { folder = makeTempDir("window-world"); }
    void TearDown() override {
        WindowTest::TearDown();
        window.reset();
        std::filesystem::remove_all(folder);
    }
    std::string folder;

    // An EPW file of the test place: one actual year, or a typical year (its year field
    // changing from month to month) when `year` is 0.
    std::string writeEpw(const std::string& name, int year, const std::string& wmo = "123456") {
        EpwText text;
        text.wmo = wmo;
        if (wmo != "123456") text.latitude = -33.9;
        text.records = epwYear(year == 0 ? 1990 : year, [year](EpwRecord& r, int h) {
            if (year == 0) r.year = 1990 + r.month;
            r.dryBulb = std::to_string(-5 + h % 30) + ".5";
        });
        writeBytes(folder + "/" + name, epwText(text));
        return folder + "/" + name;
    }

    QStringList listItems(QComboBox* list) const {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }
};

TEST_F(WorldDataWindowTest, ImportTakesIsdLiteBesideRecordsAndNamesWhatWasLeftOut) {
    app::TForm1& w = open(folder);
    const std::string isd = folder + "/082220-99999-2001";
    std::string lines;
    for (int hour = 0; hour < 24; ++hour)
        lines += isdLiteLine(2001, 3, 4, hour, 100 + hour, 50);
    writeBytes(isd, lines + "not a line\n");
    const std::string records = folder + "/more.csv";
    writeBytes(records, "2001-03-05;1;12.5;60\n");
    ASSERT_TRUE(
        w.importStationFiles(stationIndexForCode("3195"),
                             {QString::fromStdString(isd), QString::fromStdString(records)}));
    EXPECT_TRUE(std::filesystem::exists(stationFilePath(folder, "T", "3195")));
    EXPECT_EQ(w.CBAEMET->currentIndex(), stationIndexForCode("3195"));
    EXPECT_EQ(w.state().nValidT, 25);
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("línea 25")));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("no es una línea ISD-Lite")));

    writeBytes(folder + "/notes.txt", "nothing useful\n");
    EXPECT_FALSE(w.importStationFiles(stationIndexForCode("1014"),
                                      {QString::fromStdString(folder + "/notes.txt")}));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("no es un fichero ISD-Lite")));
    EXPECT_FALSE(std::filesystem::exists(stationFilePath(folder, "T", "1014")));
}

TEST_F(WorldDataWindowTest, TwoEpwFilesOfOnePlaceGiveTheirYearsAndEveryResultPage) {
    app::TForm1& w = open(folder);
    click(w.RGTiposDatos, 3);
    EXPECT_EQ(w.RGTiposDatos->itemText(3), QStringLiteral("Fichero EPW (*.epw)"));
    EXPECT_TRUE(w.BFicherosEPW->isVisible());
    EXPECT_FALSE(w.CBAEMET->isVisible());
    EXPECT_FALSE(tabVisible(w.TSDiagrama));

    ASSERT_TRUE(w.loadEpwFiles({QString::fromStdString(writeEpw("b.epw", 2012)),
                                QString::fromStdString(writeEpw("a.epw", 2011))}));
    EXPECT_EQ(w.LProvincia->text(), QStringLiteral("País: USA (IL)"));
    EXPECT_EQ(w.LEstacion->text(), QStringLiteral("Ciudad: Testville"));
    EXPECT_EQ(w.LIndicativo->text(), QStringLiteral("WMO: 123456"));
    EXPECT_EQ(w.Lasnm->text(), QStringLiteral("a.s.n.m.: 201 m"));
    EXPECT_EQ(w.LDatosT->text(), QStringLiteral("Años: 2011, 2012"));
    EXPECT_EQ(w.LDatosH->text(), QStringLiteral("Horas con datos: 17520 de 17520"));
    EXPECT_TRUE(w.LCarpeta->text().contains(QStringLiteral("b.epw, a.epw")));
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral("EPW   Testville (WMO 123456)")));
    const QStringList years = {"2011", "2012", QStringLiteral("Todos")};
    EXPECT_EQ(listItems(w.ComboBox5), years);
    EXPECT_EQ(listItems(w.ComboBox6), years);
    EXPECT_EQ(w.ComboBox5->currentText(), QStringLiteral("2012"));

    // Every result page of actual years shows and names the place as a station is named.
    EXPECT_FALSE(tabVisible(w.TSValoresHorarios));
    const std::pair<QWidget*, QLabel*> pages[] = {{w.TSProyecto, w.LEstacion2_},
                                                  {w.TSDiagrama, w.LEstacionD},
                                                  {w.TSFrecuencias, w.LEstacionF},
                                                  {w.TSPromedios, w.LEstacionP},
                                                  {w.TSGradosHora, w.LEstacionG},
                                                  {w.TSGradosDia, w.LEstacionH},
                                                  {w.TSValoresHorariosAEMET, w.LEstacionVAEMET}};
    for (const auto& [page, station] : pages) {
        ASSERT_TRUE(tabVisible(page)) << page->objectName().toStdString();
        w.PageControl1->setCurrentWidget(page);
        QApplication::processEvents();
        if (page == w.TSProyecto) {
            EXPECT_EQ(w.LEstacion2->text(), QStringLiteral("Testville (WMO 123456)"));
            EXPECT_FALSE(w.designBoxes[0]->text().isEmpty());
            continue;
        }
        EXPECT_EQ(station->text(), QStringLiteral("Testville (WMO 123456)"))
            << page->objectName().toStdString();
    }
    EXPECT_EQ(w.LTipodatosVAEMET->text(), QStringLiteral("Ficheros EPW (ficheros *.epw)"));
    EXPECT_EQ(w.LProvinciaVAEMET->text(), QStringLiteral("IL, USA"));

    // One year counts its own hours, "Todos" both years'.
    w.PageControl1->setCurrentWidget(w.TSDiagrama);
    QApplication::processEvents();
    EXPECT_TRUE(w.ComboBox5->isVisible());
    choose(w.ComboBox5, 0);
    const QString oneYear = w.selectionLine(w.TSDiagrama)->text();
    choose(w.ComboBox5, 2);
    EXPECT_NE(w.selectionLine(w.TSDiagrama)->text(), oneYear);
    EXPECT_TRUE(w.selectionLine(w.TSDiagrama)->text().contains("17520")) << oneYear.toStdString();

    // Back on the station page the header stays; a station loaded next gets its own years back.
    w.PageControl1->setCurrentWidget(w.TSEstacion);
    QApplication::processEvents();
    EXPECT_EQ(w.LEstacion->text(), QStringLiteral("Ciudad: Testville"));
    writeBytes(folder + "/isd", isdLiteLine(2001, 3, 4, 5, 100, 50));
    ASSERT_TRUE(w.importStationFiles(stationIndexForCode("3195"),
                                     {QString::fromStdString(folder + "/isd")}));
    EXPECT_EQ(w.ComboBox5->count(), 13);
    EXPECT_EQ(w.ComboBox5->currentText(), QStringLiteral("2007"));
}

TEST_F(WorldDataWindowTest, AnEpwTypicalYearIsATypicalYearAndAFileOfAnotherPlaceChangesNothing) {
    app::TForm1& w = open(folder);
    click(w.RGTiposDatos, 3);
    const QString typical = QString::fromStdString(writeEpw("tmy.epw", 0));
    ASSERT_TRUE(w.loadEpwFiles({typical}));
    EXPECT_EQ(w.LDatosT->text(), QStringLiteral("Años: año tipo (TMY3)"));
    EXPECT_TRUE(tabVisible(w.TSValoresHorarios));
    EXPECT_FALSE(tabVisible(w.TSValoresHorariosAEMET));
    w.PageControl1->setCurrentWidget(w.TSValoresHorarios);
    QApplication::processEvents();
    EXPECT_EQ(w.LProvinciaV->text(), QStringLiteral("Testville (WMO 123456)"));
    w.PageControl1->setCurrentWidget(w.TSDiagrama);
    QApplication::processEvents();
    EXPECT_FALSE(w.ComboBox5->isVisible());

    w.PageControl1->setCurrentWidget(w.TSEstacion);
    const std::string other = writeEpw("other.epw", 2005, "999999");
    EXPECT_FALSE(w.loadEpwFiles({typical, QString::fromStdString(other)}));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QString::fromStdString(other)));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(typical));
    EXPECT_EQ(w.LEstacion->text(), QStringLiteral("Ciudad: Testville"));
    EXPECT_EQ(w.state().typicalYearIndex, 0);
    EXPECT_TRUE(tabVisible(w.TSValoresHorarios));

    // Years loaded after the typical year take its page away.
    ASSERT_TRUE(w.loadEpwFiles({QString::fromStdString(writeEpw("2003.epw", 2003))}));
    ASSERT_TRUE(w.loadEpwFiles({QString::fromStdString(writeEpw("2003.epw", 2003)),
                                QString::fromStdString(writeEpw("2004.epw", 2004))}));
    EXPECT_FALSE(tabVisible(w.TSValoresHorarios));
    EXPECT_TRUE(tabVisible(w.TSValoresHorariosAEMET));
}

}  // namespace
}  // namespace climstat::test
