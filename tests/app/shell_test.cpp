// The workflow of the station and interval pages as a user meets it: loads that fail, edits
// left with a wrong number, double clicks, captions, Qt's own texts and the remembered folders.

#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "data/station_catalogue.h"
#include "data/typical_year_table.h"
#include "support/station_builder.h"
#include "window_fixture.h"

namespace climstat::test {
namespace {

namespace fs = std::filesystem;

int zonePosition(std::string_view name) {
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.name == name) return row.position;
    }
    return 0;
}

class ShellTest : public StationFolderWindowTest {
  protected:
    void show(QWidget* page) {
        window->PageControl1->setCurrentWidget(page);
        QApplication::processEvents();
    }

    // The 2013 zone D3 loaded and the interval page shown, with the user-defined preset when
    // `schedules`.
    app::TForm1& openZoneInterval(bool schedules) {
        app::TForm1& w = open(folder);
        click(w.RGTiposDatos, 2);
        choose(w.CBMet2013, zonePosition("D3_peninsula"));
        show(w.TSIntervalo);
        if (schedules) click(w.RGIntervalo, 12);
        return w;
    }

    // The press, release, press, double-click and release of a real double click.
    static void doubleClick(QWidget* widget, QPoint point) {
        const QPointF local(point);
        const QPointF global = widget->mapToGlobal(local);
        for (QEvent::Type type :
             {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const bool down = type != QEvent::MouseButtonRelease;
            QMouseEvent event(type, local, global, Qt::LeftButton,
                              down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &event);
        }
    }
};

TEST_F(ShellTest, ADoubleClickOnAScheduleHourTogglesItOnce) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZoneInterval(true);
    moveTo(w.ImageCalefS, QPoint(30, 5));
    doubleClick(w.ImageCalefS, QPoint(30, 5));
    EXPECT_EQ(w.state().scheduleTable[2][1], 0.0f);
    EXPECT_EQ(w.ImageCalef->picture().pixelColor(30, 5), QColor(Qt::white));
    QTest::mouseClick(w.ImageCalefS, Qt::LeftButton, {}, QPoint(30, 5));  // a click after it
    EXPECT_EQ(w.state().scheduleTable[2][1], 1.0f);
}

TEST_F(ShellTest, CalendarNumbersAreWrittenInsideTheirCellsReadablyOnDarkFills) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZoneInterval(true);
    w.dayTypeButtons[4]->click();  // "Esp. 1", blue: the week of 8 January
    moveTo(w.ImageCalendario, QPoint(25, 30));
    QTest::mouseClick(w.ImageCalendario, Qt::LeftButton, {}, QPoint(25, 30));
    // 8 January fills x 20..38, y 28..38; its lines are at x 19 and 39, y 27 and 39.
    const QImage& picture = w.ImageCalendario->picture();
    int white = 0;
    int blue = 0;
    for (int x = 20; x <= 38; ++x) {
        for (int y = 28; y <= 38; ++y) {
            const QColor c = picture.pixelColor(x, y);
            if (c.lightness() > 200) ++white;
            if (c == QColor(0, 0, 255)) ++blue;
        }
    }
    EXPECT_GT(white, 10);  // the number, in white
    EXPECT_GT(blue, 100);  // on the fill
    EXPECT_EQ(picture.pixelColor(19, 33), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(30, 27), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(20, 28), QColor(0, 0, 255));  // the corner is no digit
}

TEST_F(ShellTest, TheAltitudeEditIsConvertedWhenALoadStartsAndOnTheFrequencyPageOnly) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    choose(w.CBAEMET, stationIndexForCode("3195"));
    click(w.RGAEMET, 1);
    w.Eaamn->setText("abc");
    show(w.TSPromedios);  // leaving the station page starts the load
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("'abc' is not a valid floating point value"));
    EXPECT_FALSE(w.LasnmP->text().isEmpty());
    for (QWidget* page : {w.TSGradosHora, w.TSDiagrama, w.TSGradosDia}) {
        show(page);
    }
    EXPECT_TRUE(w.saveActivePage(QString::fromStdString(folder + "/grados-dia")));
    EXPECT_EQ(messages.size(), 1);
    show(w.TSFrecuencias);  // its altitude label is the locality's
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(ShellTest, ALoadThatCannotStartStillNamesTheChosenStationAndShowsNoResults) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    click(w.RGAEMET, 1);
    w.Eaamn->setText("abc");
    choose(w.CBAEMET, stationIndexForCode("3195"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(w.LIndicativo->text(), QStringLiteral("Indicativo: 3195"));
    EXPECT_EQ(w.LEstacion->text(), QStringLiteral("Estación: Madrid (Retiro)"));
    EXPECT_FALSE(tabVisible(w.TSProyecto));
    EXPECT_FALSE(tabVisible(w.TSFrecuencias));

    w.Eaamn->setText("700");  // the load happens when the page is left
    show(w.TSIntervalo);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(tabVisible(w.TSProyecto));
    EXPECT_TRUE(tabVisible(w.TSFrecuencias));
}

TEST_F(ShellTest, AStationWithoutFilesGetsNoResultTabsAndThePageSaysWhy) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    choose(w.CBAEMET, stationIndexForCode("3195"));
    ASSERT_TRUE(tabVisible(w.TSProyecto));
    choose(w.CBAEMET, stationIndexForCode("1387E"));
    for (QWidget* page :
         {w.TSProyecto, w.TSIntervalo, w.TSFrecuencias, w.TSGradosDia, w.TSValoresHorariosAEMET}) {
        EXPECT_FALSE(tabVisible(page)) << page->objectName().toStdString();
    }
    EXPECT_TRUE(w.LAvisoDatos->text().contains("T1387E_.bin"));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("no hay resultados")));
    EXPECT_EQ(w.LIndicativo->text(), QStringLiteral("Indicativo: 1387E"));
}

TEST_F(ShellTest, AZoneSavedAfterAStationCarriesNoStationCode) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    choose(w.CBAEMET, stationIndexForCode("3195"));
    click(w.RGTiposDatos, 2);
    choose(w.CBMet2013, zonePosition("D3_peninsula"));
    show(w.TSFrecuencias);
    ASSERT_TRUE(w.saveActivePage(QString::fromStdString(folder + "/frecuencias")));
    std::ostringstream out, err;
    ASSERT_EQ(cli::run({"--decimal-separator", std::string(1, app::decimalSeparator()),
                        "--data-dir", folder, "--source", "cte2013", "--location", "D3_peninsula",
                        "frequencies", "--variable", "ts"},
                       out, err, ""),
              0)
        << err.str();
    EXPECT_EQ(readBytes(folder + "/frecuencias.txt"), out.str());
}

TEST_F(ShellTest, ALimitThatIsNoNumberIsReportedWhenTheEditIsLeft) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZoneInterval(false);
    click(w.RGMinimo, 1);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.EMin->setFocus();
    w.EMin->selectAll();
    QTest::keyClicks(w.EMin, "abc");
    QTest::keyClick(w.EMin, Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("'abc' is not a valid floating point value"));
    EXPECT_EQ(w.EMin->text(), QStringLiteral("0"));
    EXPECT_TRUE(w.EMin->hasFocus());

    w.EMin->selectAll();
    QTest::keyClicks(w.EMin, "25");
    QTest::keyClick(w.EMin, Qt::Key_Return);
    QTest::keyClicks(w.EMin, "x");
    QTest::keyClick(w.EMin, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], QStringLiteral("'25x' is not a valid floating point value"));
    EXPECT_EQ(w.EMin->text(), QStringLiteral("25"));
    // Turning to a page with a wrong text in the edit: one message, and the page computes with
    // the limit that is a number.
    w.EMin->setFocus();
    QTest::keyClicks(w.EMin, "y");
    show(w.TSFrecuencias);
    QApplication::processEvents();
    EXPECT_EQ(messages.size(), 3);
    EXPECT_EQ(w.EMin->text(), QStringLiteral("25"));
    EXPECT_FALSE(w.LasnmF->text().isEmpty());
    EXPECT_TRUE(w.selectionLine(w.TSFrecuencias)->text().endsWith(QStringLiteral("Ts ≥ 25 ºC")));
}

TEST_F(ShellTest, ResultPagesAndTheirPrintoutsSayWhichHoursTheyCount) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZoneInterval(false);
    show(w.TSFrecuencias);
    EXPECT_EQ(w.selectionLine(w.TSFrecuencias)->text(),
              QStringLiteral("Horas seleccionadas: 8760 de 8760 · Continuo 24h (Todo el año)"));

    show(w.TSIntervalo);
    click(w.RGIntervalo, 5);
    EXPECT_FALSE(w.LAvisoGrados->isVisible());
    click(w.RGMinimo, 1);
    w.EMin->setText("25");
    EXPECT_TRUE(w.LAvisoGrados->isVisible());  // the interval page says why the tabs went
    show(w.TSFrecuencias);
    const QString line = w.selectionLine(w.TSFrecuencias)->text();
    EXPECT_TRUE(line.startsWith("Horas seleccionadas: ")) << line.toStdString();
    EXPECT_TRUE(
        line.endsWith(" de 8760 · De 8h a 14h y de 16 a 20h (excepto Agosto) · "
                      "Ts ≥ 25 ºC"))
        << line.toStdString();

    QStringList printed;
    app::setPrintSinkForTesting(
        [&printed](const QImage&, const QStringList& heading) { printed = heading; });
    click(w.RGTipoGraficaFrecuencia, 0);
    w.BitBtn7->click();
    app::setPrintSinkForTesting({});
    ASSERT_EQ(printed.size(), 2);
    EXPECT_TRUE(printed[0].contains(QStringLiteral("D3_peninsula"))) << printed[0].toStdString();
    EXPECT_EQ(printed[1], line);
}

TEST_F(ShellTest, StationPagesCountTheYearTheyShowOrSayTheyUseEveryHour) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    choose(w.CBAEMET, stationIndexForCode("3195"));
    show(w.TSIntervalo);
    click(w.RGIntervalo, 2);
    show(w.TSProyecto);
    EXPECT_TRUE(w.selectionLine(w.TSProyecto)
                    ->text()
                    .endsWith(QStringLiteral("esta página no aplica el intervalo ni los límites "
                                             "de variables")));
    show(w.TSDiagrama);
    EXPECT_TRUE(w.selectionLine(w.TSDiagrama)
                    ->text()
                    .startsWith(QStringLiteral("Horas seleccionadas en 2007: ")));
    choose(w.ComboBox5, 12);  // "Todos"
    EXPECT_TRUE(
        w.selectionLine(w.TSDiagrama)->text().startsWith(QStringLiteral("Horas seleccionadas: ")));
}

TEST_F(ShellTest, TheStationPageShowsTheDataOfATypicalYearAsOfAStation) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZoneInterval(false);
    show(w.TSEstacion);
    choose(w.CBMet2013, zonePosition("D3_peninsula"));  // showing the page cleared them
    EXPECT_EQ(w.LProvincia->text(), QStringLiteral("Ciudad: D3_peninsula"));
    EXPECT_EQ(w.LEstacion->text(), QStringLiteral("Fichero: D3_peninsula.met"));
    EXPECT_EQ(w.Lasnm->text(), QStringLiteral("a.s.n.m.: 667"));
    EXPECT_TRUE(w.LLAT->text().startsWith(QStringLiteral("Latitud: ")));
    EXPECT_TRUE(w.LDatosT->text().startsWith(QStringLiteral("Presión: ")));
    EXPECT_EQ(w.LDatosH->text(), QStringLiteral("Horas: 8760 (año tipo)"));
}

TEST_F(ShellTest, TheDesignPageSaysWhereAnExtrapolationMovedTheData) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    choose(w.CBAEMET, stationIndexForCode("3195"));
    click(w.RGAEMET, 1);
    w.Eaamn->setText("900");
    show(w.TSProyecto);  // the station page is left: the load moves the data
    EXPECT_TRUE(w.LExtrapolacion2->isVisible());
    EXPECT_EQ(w.LExtrapolacion2->text(),
              QStringLiteral("Valores extrapolados a 900 m (Diferente cota)"));
    show(w.TSEstacion);
    click(w.RGAEMET, 0);  // the station's own data again, at once
    show(w.TSProyecto);
    EXPECT_FALSE(w.LExtrapolacion2->isVisible());
}

TEST_F(ShellTest, AMissingCapitalIsNamedOnceWithItsFolderAndWhereSuchFilesComeFrom) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    click(w.RGTiposDatos, 1);
    int position = 0;
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        if (row.fileBaseName == "Lacoruna") position = row.position;
    }
    ASSERT_GT(position, 0);
    ASSERT_FALSE(fs::exists(folder + "/Lacoruna.met"));
    choose(w.CBMet, position);
    const QString notice = w.LAvisoDatos->text();
    EXPECT_EQ(notice.count(QStringLiteral("Lacoruna.met")), 1) << notice.toStdString();
    EXPECT_EQ(notice.count(QString::fromStdString(folder)), 1) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QStringLiteral("codigotecnico.org")));
    EXPECT_TRUE(notice.contains(QStringLiteral("README")));
}

TEST_F(ShellTest, AFailedReadShowsTheLocationThatStaysLoaded) {
    CLIMSTAT_NEED_REAL_DATA();
    fs::remove(folder + "/E1_peninsula.met");
    app::TForm1& w = open(folder);
    click(w.RGTiposDatos, 2);
    choose(w.CBMet2013, zonePosition("D3_peninsula"));
    choose(w.CBMet2013, zonePosition("E1_peninsula"));
    EXPECT_TRUE(w.LAvisoDatos->text().contains(QStringLiteral("E1_peninsula.met")));
    EXPECT_EQ(w.CBMet2013->currentIndex(), zonePosition("D3_peninsula"));
    EXPECT_EQ(w.LEstacion->text(), QStringLiteral("Fichero: D3_peninsula.met"));
    EXPECT_EQ(w.Lasnm->text(), QStringLiteral("a.s.n.m.: 667"));
}

TEST_F(ShellTest, AnImportThatWorkedIsNotReportedAsAProblem) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    const std::string records = folder + "/records.csv";
    std::string lines;
    for (int hour = 1; hour <= 24; ++hour)
        lines += "2001-03-04;" + std::to_string(hour) + ";12.5;60\n";
    writeBytes(records, lines);
    ASSERT_TRUE(
        w.importStationRecords(stationIndexForCode("1387E"), QString::fromStdString(records)));
    EXPECT_TRUE(w.LInformeDatos->text().startsWith(QStringLiteral("Escritos ")));
    EXPECT_FALSE(w.LAvisoDatos->text().contains(QStringLiteral("Escritos")));
    const QColor ink = w.LInformeDatos->palette().color(QPalette::WindowText);
    EXPECT_FALSE(ink.red() > 150 && ink.green() < 80) << ink.name().toStdString();
    EXPECT_NE(w.LInformeDatos->palette().color(QPalette::WindowText),
              w.LAvisoDatos->palette().color(QPalette::WindowText));
}

TEST_F(ShellTest, PagesFitASmallWindowAndGrowWithALargeOne) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZoneInterval(true);
    auto* interval = w.TSIntervalo->findChild<QScrollArea*>();
    ASSERT_NE(interval, nullptr);
    auto fitsAcross = [](QScrollArea* area) {
        QApplication::processEvents();
        return !area->horizontalScrollBar()->isVisible() &&
               area->widget()->width() <= area->viewport()->width();
    };
    w.resize(1024, 600);
    EXPECT_TRUE(fitsAcross(interval));  // the calendar goes under the presets
    EXPECT_EQ(w.ImageCalendario->scale(), 1.0);
    EXPECT_GT(w.ImageCalendario->mapTo(&w, QPoint(0, 0)).y(),
              w.RGIntervalo->mapTo(&w, QPoint(0, w.RGIntervalo->height())).y());
    w.resize(1920, 1080);
    EXPECT_TRUE(fitsAcross(interval));  // and beside them when there is room
    EXPECT_GT(w.ImageCalendario->mapTo(&w, QPoint(0, 0)).x(),
              w.RGIntervalo->mapTo(&w, QPoint(w.RGIntervalo->width(), 0)).x());
    EXPECT_EQ(w.ImageCalendario->scale(), 2.0);  // the calendar grows with the room
    EXPECT_EQ(w.ImageCalendario->picture().width(), 2 * kCalendarWidth);

    show(w.TSEstacion);
    click(w.RGTiposDatos, 1);
    auto* station = w.TSEstacion->findChild<QScrollArea*>();
    QApplication::processEvents();
    EXPECT_GT(w.Image15->scale(), 1.3);
    w.resize(1024, 600);
    EXPECT_TRUE(fitsAcross(station));
    EXPECT_LT(w.Image15->scale(), 1.0);
    EXPECT_GE(w.Image15->width(), w.Image15->picture().width());
}

TEST_F(ShellTest, TheWindowCanBeMadeAsSmallAs1024By600WithEveryPageWhole) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    choose(w.CBAEMET, stationIndexForCode("3195"));
    w.resize(1024, 600);
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(1024, 600));
    for (int i = 0; i < w.PageControl1->count(); ++i) {
        QWidget* page = w.PageControl1->widget(i);
        if (!w.PageControl1->isTabVisible(i)) continue;
        w.PageControl1->setCurrentWidget(page);
        QApplication::processEvents();
        // No page is squeezed below what it needs: what does not fit scrolls.
        const QSize need = page->minimumSizeHint();
        EXPECT_GE(page->width(), need.width()) << page->objectName().toStdString();
        EXPECT_GE(page->height(), need.height()) << page->objectName().toStdString();
    }
}

TEST_F(ShellTest, AFirstStartWithoutDataSaysSoInViewOfTheSmallestWindow) {
    app::TForm1& w = open("");
    w.PanelEntrada->hide();
    w.resize(1024, 600);
    QApplication::processEvents();
    ASSERT_FALSE(w.LAvisoDatos->text().isEmpty());
    auto* area = w.TSEstacion->findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    const QRect notice(w.LAvisoDatos->mapTo(area->viewport(), QPoint(0, 0)), w.LAvisoDatos->size());
    EXPECT_TRUE(area->viewport()->rect().contains(notice))
        << notice.y() << " + " << notice.height() << " in " << area->viewport()->height();
    // Whole under every data source and window size: no line of it cut off at the bottom.
    for (const QSize size : {QSize(1024, 600), QSize(1288, 768), QSize(1920, 1080)}) {
        w.resize(size);
        for (int source : {3, 0, 1, 2}) {
            click(w.RGTiposDatos, source);
            QApplication::processEvents();
            ASSERT_FALSE(w.LAvisoDatos->text().isEmpty()) << source;
            EXPECT_GE(w.LAvisoDatos->height(),
                      w.LAvisoDatos->heightForWidth(w.LAvisoDatos->width()))
                << "source " << source << " at " << size.width() << " x " << size.height();
        }
    }
}

TEST_F(ShellTest, TheFolderOfAStationsFilesGoesWithItsLabels) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    choose(w.CBAEMET, stationIndexForCode("3195"));
    ASSERT_TRUE(w.LCarpeta->text().contains(QStringLiteral("Ficheros de la estación")));
    click(w.RGTiposDatos, 1);
    EXPECT_TRUE(w.LCarpeta->text().startsWith(QStringLiteral("Carpeta de datos: ")));
    EXPECT_FALSE(w.LCarpeta->text().contains(QStringLiteral("Ficheros de la estación")));
}

TEST_F(ShellTest, MessageBoxesCarryTheProgramsName) {
    app::TForm1& w = open("");
    app::setMessageSinkForTesting({});
    QString title;
    QTimer::singleShot(0, [&title] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            box->accept();
        }
    });
    app::showCritical(&w, QStringLiteral("'x' is not a valid floating point value"));
    EXPECT_EQ(title, QStringLiteral("climstat"));
}

TEST_F(ShellTest, TheCaptionFollowsACapitalChosenOnTheMap) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = open(folder);
    click(w.RGTiposDatos, 1);
    moveTo(w.Image15, w.Image15->widgetPoint({400, 190}));
    QTest::mouseDClick(w.Image15, Qt::LeftButton, {}, w.Image15->widgetPoint({400, 190}));
    ASSERT_EQ(w.CBMet->currentText(), QStringLiteral("Madrid"));
    EXPECT_EQ(w.windowTitle(),
              QStringLiteral("Programa de análisis de datos climáticos: CTE-HE 2006   Madrid"));
}

TEST_F(ShellTest, QtsOwnTextsAreSpanishWhenTheTranslationIsInstalled) {
    const QString catalogue =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_es.qm");
    if (!QFileInfo::exists(catalogue)) GTEST_SKIP() << "no " << catalogue.toStdString();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Ver en:"));
}

TEST_F(ShellTest, TheSaveDialogOpensInTheFolderLastSavedIn) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZoneInterval(false);
    show(w.TSFrecuencias);
    const std::string before = makeTempDir("saved-before");
    const std::string now = makeTempDir("saved-now");
    app::rememberDialogFolder("export", QString::fromStdString(before + "/antes.txt"));
    QString opened;
    QTimer::singleShot(0, [&opened, &now] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        opened = dialog->directory().absolutePath();
        dialog->selectFile(QString::fromStdString(now + "/frecuencias"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    w.SBImpresor->click();
    EXPECT_EQ(opened, QString::fromStdString(before));
    EXPECT_TRUE(fs::exists(now + "/frecuencias.txt"));
    EXPECT_EQ(app::dialogFolder("export"), QString::fromStdString(now));
    fs::remove_all(before);
    fs::remove_all(now);
}

TEST_F(ShellTest, FileDialogsOpenInTheFolderLastUsedElseInTheDocuments) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString first = app::dialogFolder("export");
    EXPECT_TRUE(first == documents || first == QDir::homePath()) << first.toStdString();
    const std::string chosen = makeTempDir("export-folder");
    app::rememberDialogFolder("export", QString::fromStdString(chosen + "/datos.txt"));
    EXPECT_EQ(app::dialogFolder("export"), QString::fromStdString(chosen));
    EXPECT_EQ(app::dialogFolder("import"), first);  // each dialog remembers its own
    fs::remove_all(chosen);
    EXPECT_EQ(app::dialogFolder("export"), first);  // a folder that is gone is not offered
}

}  // namespace
}  // namespace climstat::test
