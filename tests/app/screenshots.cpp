// Drives the desktop window through every page and saves a picture of each: the pictures are
// for people to look at (layout, legibility, Spanish characters), not for tests to compare.
//
// usage: climstat-screenshots OUTDIR DATADIR    (run under xvfb-run)
//        climstat-screenshots --timing DATADIR  prints how long pages and selectors take

#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/tform1.h"
#include "data/station_catalogue.h"
#include "data/typical_year_table.h"
#include "support/epw_writer.h"
#include "support/station_builder.h"
#include "support/test_data.h"

using climstat::app::TForm1;

namespace {

QString outDir;

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(30);
    }
}

void save(TForm1& window, const QString& name) {
    settle();
    const QString path = outDir + "/" + name + ".png";
    // A 3D view is a window of its own: its picture is laid over the window's.
    QImage picture = window.grab().toImage();
    QPainter painter(&picture);
    for (climstat::app::SurfaceChart* surface :
         window.findChildren<climstat::app::SurfaceChart*>()) {
        if (!surface->isVisible()) continue;
        painter.drawImage(surface->mapTo(&window, QPoint(0, 0)), surface->picture());
    }
    painter.end();
    if (!picture.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::printf("%s\n", qPrintable(path));
}

void choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
    settle();
}

void click(climstat::app::RadioGroup* group, int item) {
    group->findChild<QAbstractButton*>(group->objectName() + "_" + QString::number(item))->click();
    settle();
}

// Shown and painted once; settled (the events that follow handled) unless told otherwise.
std::unique_ptr<TForm1> openWindow(const std::string& folder, QSize size, bool settled = true) {
    climstat::app::WindowSetup setup;
    setup.programFolder = QApplication::applicationDirPath().toStdString();
    setup.folderInputs = climstat::dataFolderInputsFromEnvironment(setup.programFolder, folder);
    setup.dataFolder = climstat::resolveDataFolder(setup.folderInputs);
    auto window = std::make_unique<TForm1>(setup);
    window->resize(size);
    window->show();
    QApplication::processEvents();
    window->repaint();
    if (settled) settle();
    return window;
}

// Milliseconds from the start of this process (its loading included) to now, from the
// system's process table; -1 where there is none.
long long msSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::ifstream uptime("/proc/uptime");
    std::string line;
    double up = 0;
    if (!std::getline(stat, line) || !(uptime >> up)) return -1;
    // The fields after the command's name, which is in parentheses and may hold blanks; the
    // start time is field 22, the 20th after the name.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return static_cast<long long>((up - std::stod(field) / ticks) * 1000.0);
}

int position2013(std::string_view name) {
    for (const auto& row : climstat::typicalYearLocations()) {
        if (row.name == name) return row.position;
    }
    return 0;
}

}  // namespace

// The calendar with every day type on some dates: a season each for four types, every Sunday
// "Sin uso" and a week "8/20h".
void paintEveryDayType(TForm1& w) {
    w.modeButtons[static_cast<std::size_t>(climstat::CalendarMode::Season)]->click();
    const int seasonTypes[4] = {2, 4, 5, 6};
    for (int season = 0; season < 4; ++season) {
        w.dayTypeButtons[static_cast<std::size_t>(seasonTypes[season])]->click();
        w.CBCEstaciones->setCurrentIndex(season);
        w.BitBtn1->click();
    }
    w.modeButtons[static_cast<std::size_t>(climstat::CalendarMode::Weekday)]->click();
    w.dayTypeButtons[7]->click();
    w.CBDiaSemana->setCurrentIndex(6);
    w.BitBtn1->click();
    w.dayTypeButtons[3]->click();
    w.modeButtons[static_cast<std::size_t>(climstat::CalendarMode::Week)]->click();
    settle();
}

void resetDayTypes(TForm1& w) {
    w.dayTypeButtons[1]->click();
    w.modeButtons[static_cast<std::size_t>(climstat::CalendarMode::Year)]->click();
    w.modeButtons[static_cast<std::size_t>(climstat::CalendarMode::Week)]->click();
    settle();
}

// The calendar picture three times its size, pixels kept sharp, to judge the cells and numbers.
void saveCalendarZoom(TForm1& w, const QString& name) {
    const QImage& picture = w.ImageCalendario->picture();
    const QImage zoom =
        picture.scaled(picture.size() * 3, Qt::KeepAspectRatio, Qt::FastTransformation);
    QImage opaque(zoom.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, zoom);
    painter.end();
    const QString path = outDir + "/" + name + ".png";
    if (!opaque.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::printf("%s\n", qPrintable(path));
}

// A picture of the dialog that `open` runs (modal), taken once it has drawn; then it is closed.
void saveDialog(const QString& name, const std::function<void()>& open) {
    QTimer::singleShot(600, [name] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        const QString path = outDir + "/" + name + ".png";
        if (!dialog->grab().toImage().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        }
        std::printf("%s\n", qPrintable(path));
        if (auto* box = qobject_cast<QDialog*>(dialog)) box->reject();
    });
    open();
}

// Every result page in each of its display modes.
void visitResults(TForm1& w, const QString& prefix, bool station) {
    auto page = [&](QWidget* p) {
        w.PageControl1->setCurrentWidget(p);
        settle();
    };
    if (station) {
        page(w.TSProyecto);
        save(w, prefix + "-cond-proyecto");
    }
    page(w.TSDiagrama);
    save(w, prefix + "-diagrama");
    if (station) {
        const int shown = w.ComboBox5->currentIndex();
        choose(w.ComboBox5, w.ComboBox5->count() - 1);  // "Todos"
        save(w, prefix + "-diagrama-todos");
        choose(w.ComboBox5, shown);
    }
    page(w.TSFrecuencias);
    for (int kind = 0; kind < 9; ++kind) {
        click(w.RGTipo, kind);
        save(w, prefix + QString("-frecuencias-tabla-%1").arg(kind));
    }
    click(w.RGTipo, 0);
    click(w.RGTipoGraficaFrecuencia, 0);
    save(w, prefix + "-frecuencias-2d");
    click(w.RGTipoGraficaFrecuencia, 1);
    page(w.TSPromedios);
    save(w, prefix + "-promedios-tabla");
    click(w.RGTipoGraficaPromedio, 0);
    save(w, prefix + "-promedios-2d");
    click(w.RGTipoGraficaPromedio, 1);
    page(w.TSGradosHora);
    save(w, prefix + "-grados-hora-calefaccion");
    click(w.RGOpcionTipo3, 1);
    save(w, prefix + "-grados-hora-refrigeracion");
    click(w.RGOpcionTipo3, 0);
    page(w.TSGradosDia);
    save(w, prefix + "-grados-dia-calefaccion");
    click(w.RGOpcionTipo4, 1);
    save(w, prefix + "-grados-dia-refrigeracion");
    click(w.RGOpcionTipo4, 0);
    if (station) {
        page(w.TSValoresHorariosAEMET);
        save(w, prefix + "-valores-horarios-2d");
        click(w.RGTipoGraficaTempAEMET, 1);
        QTest::qWait(300);
        save(w, prefix + "-valores-horarios-3d");
        const int shown = w.ComboBox6->currentIndex();
        choose(w.ComboBox6, w.ComboBox6->count() - 1);
        QTest::qWait(300);
        save(w, prefix + "-valores-horarios-3d-todos");
        click(w.RGTipoGraficaTempAEMET, 0);
        save(w, prefix + "-valores-horarios-2d-todos");
        choose(w.ComboBox6, shown);
    } else {
        page(w.TSValoresHorarios);
        save(w, prefix + "-valores-horarios-tabla");
        click(w.RGTipoGraficaTemp, 0);
        save(w, prefix + "-valores-horarios-2d");
        click(w.RGTipoGraficaTemp, 1);
        QTest::qWait(300);
        save(w, prefix + "-valores-horarios-3d");
        click(w.RGTipoGraficaTemp, 2);
    }
}

// The charts of a station's pages: the diagram, the frequency and average lines, the hourly
// values in 2D and 3D.
void visitCharts(TForm1& w, const QString& prefix) {
    w.PageControl1->setCurrentWidget(w.TSDiagrama);
    save(w, prefix + "-diagrama");
    w.PageControl1->setCurrentWidget(w.TSFrecuencias);
    click(w.RGTipoGraficaFrecuencia, 0);
    save(w, prefix + "-frecuencias-2d");
    click(w.RGTipoGraficaFrecuencia, 1);
    w.PageControl1->setCurrentWidget(w.TSPromedios);
    click(w.RGTipoGraficaPromedio, 0);
    save(w, prefix + "-promedios-2d");
    click(w.RGTipoGraficaPromedio, 1);
    w.PageControl1->setCurrentWidget(w.TSValoresHorariosAEMET);
    save(w, prefix + "-valores-horarios-2d");
    click(w.RGTipoGraficaTempAEMET, 1);
    QTest::qWait(300);
    save(w, prefix + "-valores-horarios-3d");
    click(w.RGTipoGraficaTempAEMET, 0);
}

// How long each page takes to show and each selector to switch, as a user waits for it: the
// handler and the repaint that follows. Median of three runs.
void timeWindow(TForm1& w, const char* data, bool station) {
    auto timed = [&](const QString& what, const std::function<void()>& before,
                     const std::function<void()>& action) {
        std::vector<qint64> runs;
        for (int run = 0; run < 3; ++run) {
            before();
            settle();
            QElapsedTimer timer;
            timer.start();
            action();
            QApplication::processEvents();
            w.repaint();
            QApplication::processEvents();
            runs.push_back(timer.elapsed());
        }
        std::sort(runs.begin(), runs.end());
        std::printf("%-14s %-58s %5lld ms\n", data, qPrintable(what),
                    static_cast<long long>(runs[1]));
        std::fflush(stdout);
    };
    auto away = [&] { w.PageControl1->setCurrentWidget(w.TSIntervalo); };
    auto showPage = [&](QWidget* page) {
        timed("show " + w.PageControl1->tabText(w.PageControl1->indexOf(page)), away,
              [&] { w.PageControl1->setCurrentWidget(page); });
    };
    auto selector = [&](QWidget* page, climstat::app::RadioGroup* group, int from, int to) {
        timed(
            QString("%1: %2 -> %3")
                .arg(group->objectName(), group->itemText(from), group->itemText(to)),
            [&] {
                w.PageControl1->setCurrentWidget(page);
                click(group, from);
            },
            [&] {
                group->findChild<QAbstractButton*>(group->objectName() + "_" + QString::number(to))
                    ->click();
            });
    };
    auto list = [&](QWidget* page, QComboBox* combo, int from, int to) {
        timed(
            QString("%1: %2 -> %3")
                .arg(combo->objectName(), combo->itemText(from), combo->itemText(to)),
            [&] {
                w.PageControl1->setCurrentWidget(page);
                choose(combo, from);
            },
            [&] {
                combo->setCurrentIndex(to);
                emit combo->activated(to);
            });
    };
    if (station) showPage(w.TSProyecto);
    showPage(w.TSDiagrama);
    if (station) list(w.TSDiagrama, w.ComboBox5, 10, 12);
    showPage(w.TSFrecuencias);
    selector(w.TSFrecuencias, w.RGOpcionTipo, 0, 2);
    selector(w.TSFrecuencias, w.RGOpcionTipo, 0, 5);
    selector(w.TSFrecuencias, w.RGTipo, 0, 5);
    selector(w.TSFrecuencias, w.RGTipoGraficaFrecuencia, 1, 0);
    click(w.RGTipoGraficaFrecuencia, 1);
    showPage(w.TSPromedios);
    selector(w.TSPromedios, w.RGOpcionTipo2, 0, 2);
    selector(w.TSPromedios, w.RGTipoGraficaPromedio, 1, 0);
    click(w.RGTipoGraficaPromedio, 1);
    showPage(w.TSGradosHora);
    selector(w.TSGradosHora, w.RGOpcionTipo3, 0, 1);
    showPage(w.TSGradosDia);
    selector(w.TSGradosDia, w.RGOpcionTipo4, 0, 1);
    if (station) {
        showPage(w.TSValoresHorariosAEMET);
        selector(w.TSValoresHorariosAEMET, w.RGDatoRepresentarAEMET, 0, 2);
        list(w.TSValoresHorariosAEMET, w.ComboBox6, 10, 12);
        choose(w.ComboBox6, 10);
        QElapsedTimer first;
        first.start();
        click(w.RGTipoGraficaTempAEMET, 1);
        w.repaint();
        std::printf("%-14s %-58s %5lld ms\n", data, "first start of the 3D view (Chart5D)",
                    static_cast<long long>(first.elapsed()));
        selector(w.TSValoresHorariosAEMET, w.RGDatoRepresentarAEMET, 0, 2);
        list(w.TSValoresHorariosAEMET, w.ComboBox6, 10, 12);
        choose(w.ComboBox6, 10);
        click(w.RGTipoGraficaTempAEMET, 0);
    } else {
        showPage(w.TSValoresHorarios);
        selector(w.TSValoresHorarios, w.RGTipoGraficaTemp, 2, 0);
        selector(w.TSValoresHorarios, w.RGDatoRepresentar, 0, 2);
        QElapsedTimer first;
        first.start();
        click(w.RGTipoGraficaTemp, 1);
        w.repaint();
        std::printf("%-14s %-58s %5lld ms\n", data, "first start of the 3D view (Chart3D)",
                    static_cast<long long>(first.elapsed()));
        selector(w.TSValoresHorarios, w.RGDatoRepresentar, 0, 2);
        click(w.RGTipoGraficaTemp, 2);
    }
}

int main(int argc, char** argv) {
    const long long loading = msSinceProcessStart();
    if (argc < 3) {
        std::fputs("usage: climstat-screenshots OUTDIR DATADIR\n", stderr);
        return 2;
    }
    const bool timing = std::string(argv[1]) == "--timing";
    const std::string data = argv[2];

    // A data folder with the typical-year files and an eleven-year station made of them, made
    // before the clock of the start runs.
    const std::string folder = climstat::test::makeTempDir("screenshots");
    for (const auto& entry : std::filesystem::directory_iterator(data)) {
        std::filesystem::create_symlink(entry.path(),
                                        folder + "/" + entry.path().filename().string());
    }
    climstat::test::writeElevenYearStation(data, folder, "3195");

    // The start as a user waits for it: the toolkit, the translation, the window and its first
    // picture (the entry panel), plus the loading of the program before main.
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    climstat::app::installSpanishTranslation(application);
    auto first = openWindow(folder, {1288, 768}, false);
    std::printf("timing: start to entry panel %lld ms (and %lld ms loading the program)\n",
                static_cast<long long>(sinceStart.elapsed()), loading);
    std::fflush(stdout);
    settle();
    outDir = QString::fromLocal8Bit(argv[1]);
    if (!timing) QDir().mkpath(outDir);

    if (timing) {
        TForm1& w = *first;
        QTest::mouseClick(w.Image5, Qt::LeftButton, {}, QPoint(40, 40));
        choose(w.CBAEMET, climstat::stationIndexForCode("3195"));
        timeWindow(w, "eleven years", true);
        w.PageControl1->setCurrentWidget(w.TSEstacion);
        click(w.RGTiposDatos, 2);
        choose(w.CBMet2013, position2013("D3_peninsula"));
        timeWindow(w, "typical year", false);
        std::filesystem::remove_all(folder);
        return 0;
    }
    {
        TForm1& w = *first;
        save(w, "00-entrada");
        QTest::mouseClick(w.Image5, Qt::LeftButton, {}, QPoint(40, 40));
        save(w, "01-estacion");
        choose(w.CBAEMET, climstat::stationIndexForCode("3195"));
        save(w, "02-estacion-aemet");
        visitResults(w, "03-estacion-aemet", true);
        // The station moved to 900 m: the design page says so.
        w.PageControl1->setCurrentWidget(w.TSEstacion);
        click(w.RGAEMET, 1);
        w.Eaamn->setText("900");
        w.PageControl1->setCurrentWidget(w.TSProyecto);
        save(w, "04-cond-proyecto-extrapolada");
        w.PageControl1->setCurrentWidget(w.TSEstacion);
        click(w.RGAEMET, 0);
        click(w.RGTiposDatos, 1);
        w.Image15MouseMove(400, 190);
        save(w, "05-mapa");
        click(w.RGTiposDatos, 2);
        QElapsedTimer selection;
        selection.start();
        w.CBMet2013->setCurrentIndex(position2013("D3_peninsula"));
        emit w.CBMet2013->activated(w.CBMet2013->currentIndex());
        QApplication::processEvents();
        std::printf("timing: 2013 selection to result tabs %lld ms\n",
                    static_cast<long long>(selection.elapsed()));
        save(w, "06-estacion-2013");
        w.PageControl1->setCurrentWidget(w.TSIntervalo);
        click(w.RGIntervalo, 12);
        click(w.RGMinimo, 1);
        save(w, "07-intervalo");
        click(w.RGMinimo, 0);
        paintEveryDayType(w);
        save(w, "07-intervalo-calendario");
        saveCalendarZoom(w, "07-calendario-x3");
        resetDayTypes(w);
        visitResults(w, "08-cte2013", false);
        // Qt's own dialogs, in Spanish: the save dialog and a chart's print preview.
        w.PageControl1->setCurrentWidget(w.TSFrecuencias);
        click(w.RGTipoGraficaFrecuencia, 0);
        saveDialog("09-dialogo-guardar", [&w] { w.SBImpresor->click(); });
        saveDialog("09-vista-preliminar", [&w] { w.BitBtn7->click(); });
        click(w.RGTipoGraficaFrecuencia, 1);
        w.SBAcerca->click();
        save(w, "14-informacion");
    }
    {
        // The smallest window: every page must fit it or scroll, nothing cut or overlapping.
        auto window = openWindow(folder, {1024, 600});
        TForm1& w = *window;
        std::printf("window at 1024 x 600: %d x %d (its minimum %d x %d)\n", w.width(), w.height(),
                    w.minimumSizeHint().width(), w.minimumSizeHint().height());
        for (int i = 0; i < w.PageControl1->count(); ++i) {
            const QSize need = w.PageControl1->widget(i)->minimumSizeHint();
            std::printf("  page %-24s needs %4d x %4d\n",
                        qPrintable(w.PageControl1->widget(i)->objectName()), need.width(),
                        need.height());
        }
        QTest::mouseClick(w.Image5, Qt::LeftButton, {}, QPoint(40, 40));
        save(w, "20-1024x600-estacion");
        choose(w.CBAEMET, climstat::stationIndexForCode("3195"));
        save(w, "20-1024x600-estacion-aemet");
        for (QWidget* page : {w.TSProyecto, w.TSDiagrama, w.TSFrecuencias, w.TSPromedios,
                              w.TSGradosHora, w.TSGradosDia, w.TSValoresHorariosAEMET}) {
            w.PageControl1->setCurrentWidget(page);
            save(w, "21-1024x600-" + page->objectName());
        }
        visitCharts(w, "21-1024x600");
        w.PageControl1->setCurrentWidget(w.TSIntervalo);
        click(w.RGIntervalo, 12);
        click(w.RGMinimo, 1);
        save(w, "22-1024x600-intervalo");
        if (auto* scroll = w.TSIntervalo->findChild<QScrollArea*>()) {
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
            save(w, "22-1024x600-intervalo-abajo");
            scroll->verticalScrollBar()->setValue(0);
        }
        click(w.RGMinimo, 0);
        w.PageControl1->setCurrentWidget(w.TSEstacion);
        click(w.RGTiposDatos, 1);
        choose(w.CBMet, 29);
        save(w, "23-1024x600-mapa");
        w.PageControl1->setCurrentWidget(w.TSValoresHorarios);
        save(w, "23-1024x600-valores-horarios-tabla");
    }
    {
        // A first start that finds no data folder: the station page offers the choice.
        climstat::app::WindowSetup setup;
        setup.programFolder = "/nonexistent";
        setup.folderInputs.programFolder = setup.programFolder;
        const std::string home = climstat::test::makeTempDir("screenshots-home");
        setup.folderInputs.home = home;
        setup.dataFolder = climstat::resolveDataFolder(setup.folderInputs);
        TForm1 w(setup);
        w.resize(1024, 600);
        w.show();
        settle();
        QTest::mouseClick(w.Image5, Qt::LeftButton, {}, QPoint(40, 40));
        save(w, "24-1024x600-sin-carpeta-de-datos");
        std::filesystem::remove_all(home);
    }
    {
        auto window = openWindow(folder, {1920, 1080});
        TForm1& w = *window;
        QTest::mouseClick(w.Image5, Qt::LeftButton, {}, QPoint(40, 40));
        click(w.RGTiposDatos, 1);
        choose(w.CBMet, 29);
        save(w, "15-estacion-1920x1080");
        w.PageControl1->setCurrentWidget(w.TSIntervalo);
        click(w.RGIntervalo, 12);
        save(w, "16-intervalo-1920x1080");
        w.PageControl1->setCurrentWidget(w.TSEstacion);
        click(w.RGTiposDatos, 0);
        choose(w.CBAEMET, climstat::stationIndexForCode("3195"));
        save(w, "17-estacion-aemet-1920x1080");
        w.PageControl1->setCurrentWidget(w.TSProyecto);
        save(w, "17-cond-proyecto-1920x1080");
        w.PageControl1->setCurrentWidget(w.TSFrecuencias);
        save(w, "17-frecuencias-1920x1080");
        visitCharts(w, "17-1920x1080");
    }
    // EPW files of a place abroad beside DATADIR (../epw): the typical year, then two actual
    // years made of it in two files.
    if (const std::string chicago = data + "/../epw/chicago.epw";
        std::filesystem::exists(chicago)) {
        auto window = openWindow(folder, {1288, 768});
        TForm1& w = *window;
        QTest::mouseClick(w.Image5, Qt::LeftButton, {}, QPoint(40, 40));
        click(w.RGTiposDatos, 3);
        w.loadEpwFiles({QString::fromStdString(chicago)});
        save(w, "30-estacion-epw-ano-tipo");
        w.PageControl1->setCurrentWidget(w.TSValoresHorarios);
        settle();
        save(w, "31-epw-ano-tipo-valores-horarios");
        w.PageControl1->setCurrentWidget(w.TSEstacion);
        const std::string text = climstat::test::readBytes(chicago);
        QStringList years;
        for (int year : {2011, 2012}) {
            const std::string path = folder + "/chicago-" + std::to_string(year) + ".epw";
            climstat::test::writeBytes(path, climstat::test::epwWithYear(text, year));
            years << QString::fromStdString(path);
        }
        w.loadEpwFiles(years);
        save(w, "32-estacion-epw-dos-anos");
        visitResults(w, "33-epw-dos-anos", true);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
