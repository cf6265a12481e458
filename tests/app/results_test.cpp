#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGraphicsSimpleTextItem>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "data/station_catalogue.h"
#include "data/typical_year_table.h"
#include "output/psychrometric_diagram.h"
#include "stats/design_conditions.h"
#include "stats/frequencies.h"
#include "support/station_builder.h"
#include "window_fixture.h"

namespace climstat::test {
namespace {

namespace fs = std::filesystem;

// The bytes climstat-cli writes for a page, with the window's decimal separator.
std::string cliPage(std::vector<std::string> args) {
    args.insert(args.begin(), {"--decimal-separator", std::string(1, app::decimalSeparator())});
    std::ostringstream out, err;
    EXPECT_EQ(cli::run(args, out, err, ""), 0) << err.str();
    return out.str();
}

// Where a value of a chart lands in the chart's picture.
QPoint pixelOf(const app::LineChart* chart, QPointF value) {
    const QPointF scene = chart->chartObject()->mapToPosition(value);
    return chart->mapFromScene(scene) + chart->viewport()->pos();
}

bool isRed(QRgb pixel) {
    return qRed(pixel) > 150 && qGreen(pixel) < 130 && qBlue(pixel) < 130;
}

// Whether the picture shows the red line at (or a pixel next to) a value of the chart.
bool redAt(const QImage& picture, const app::LineChart* chart, QPointF value) {
    const QPoint at = pixelOf(chart, value);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (picture.valid(at.x() + dx, at.y() + dy) &&
                isRed(picture.pixel(at.x() + dx, at.y() + dy)))
                return true;
    return false;
}

// Whether some pixel of the plot area's column at x shows the red line.
bool redInColumn(const QImage& picture, const app::LineChart* chart, double x) {
    const QRectF area = chart->chartObject()->plotArea();
    const int column = pixelOf(chart, {x, 0}).x();
    const int top = chart->mapFromScene(area.topLeft()).y();
    const int bottom = chart->mapFromScene(area.bottomLeft()).y();
    for (int y = top; y <= bottom; ++y)
        if (isRed(picture.pixel(column, y))) return true;
    return false;
}

class ResultPagesTest : public StationFolderWindowTest {
  protected:
    app::TForm1& openZone() {
        app::TForm1& w = open(folder);
        click(w.RGTiposDatos, 2);
        for (const TypicalYearLocation& row : typicalYearLocations()) {
            if (row.name == "D3_peninsula") choose(w.CBMet2013, row.position);
        }
        return w;
    }

    app::TForm1& openStation() {
        app::TForm1& w = open(folder);
        choose(w.CBAEMET, stationIndexForCode("3195"));
        return w;
    }

    void show(QWidget* page) {
        window->PageControl1->setCurrentWidget(page);
        QApplication::processEvents();
    }

    // Saves the active page and gives the bytes written.
    std::string save(const std::string& name) {
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(window->saveActivePage(QString::fromStdString(path)));
        return test::readBytes(path + ".txt");
    }

    std::vector<std::string> zone(std::vector<std::string> args) const {
        args.insert(args.begin(),
                    {"--data-dir", folder, "--source", "cte2013", "--location", "D3_peninsula"});
        return args;
    }
    std::vector<std::string> station(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--data-dir", folder, "--source", "aemet", "--station", "3195"});
        return args;
    }
};

TEST_F(ResultPagesTest, ThePagesOfAZoneSaveWhatTheCommandLineWrites) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZone();

    show(w.TSFrecuencias);
    click(w.RGOpcionTipo, 1);
    click(w.RGTipo, 1);
    const auto* model = static_cast<const app::TextGridModel*>(w.StringGrid1->model());
    const TextGrid expected =
        frequencyTableTexts(w.state(), FrequencyOutput::Frequencies, app::decimalSeparator());
    ASSERT_EQ(model->texts().rowCount(), expected.rowCount());
    EXPECT_EQ(model->headerData(12, Qt::Horizontal, Qt::DisplayRole).toString(), "Anual");
    EXPECT_EQ(model->data(model->index(0, 12), Qt::DisplayRole).toString().toStdString(),
              expected.cell(13, 1));
    EXPECT_EQ(save("frecuencias"),
              cliPage(zone({"frequencies", "--variable", "tw", "--kind", "frequencies"})));

    show(w.TSPromedios);
    click(w.RGOpcionTipo2, 2);
    EXPECT_EQ(save("promedios"), cliPage(zone({"averages", "--variable", "tdp"})));

    show(w.TSGradosHora);
    click(w.RGOpcionTipo3, 1);
    EXPECT_EQ(w.Label50->text(), QStringLiteral(" 4 meses: Junio,Julio,Agosto,Septiembre"));
    EXPECT_TRUE(w.ImageGHR->isVisible());
    EXPECT_FALSE(w.ImageGHC->isVisible());
    EXPECT_EQ(save("grados-hora"), cliPage(zone({"degree-hours", "--cooling"})));
    EXPECT_EQ(w.RGTipo->itemIndex(), 3);  // the frequency page now shows "Ts media(ºC)"

    show(w.TSGradosDia);
    EXPECT_EQ(save("grados-dia"), cliPage(zone({"degree-days"})));

    // Office hours: the hourly table leaves the other hours' properties empty.
    show(w.TSIntervalo);
    click(w.RGIntervalo, 2);
    show(w.TSValoresHorarios);
    const auto* hourly = static_cast<const app::TextGridModel*>(w.StringGrid4->model());
    EXPECT_EQ(hourly->rowCount(), 8760);
    EXPECT_EQ(hourly->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Ts(ºC)");
    EXPECT_FALSE(hourly->data(hourly->index(8, 3), Qt::DisplayRole).toString().isEmpty());
    EXPECT_TRUE(hourly->data(hourly->index(13, 3), Qt::DisplayRole).toString().isEmpty());
    // "mes" heads the month column, which is the rows' heading: no row numbers.
    EXPECT_EQ(hourly->headerData(8759, Qt::Vertical, Qt::DisplayRole).toString(), "12");
    EXPECT_EQ(w.StringGrid4->findChild<QLabel*>("StringGrid4_esquina")->text(), "mes");
    EXPECT_EQ(save("valores"), cliPage(zone({"--interval", "2", "hourly-values"})));

    // A name without ".txt" gets it; a folder where the file should go is reported, untouched.
    fs::create_directories(folder + "/taken.txt");
    EXPECT_FALSE(w.saveActivePage(QString::fromStdString(folder + "/taken")));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(folder + "/taken.txt")));
    EXPECT_TRUE(fs::is_directory(folder + "/taken.txt"));
}

TEST_F(ResultPagesTest, ChartsShowTheEngineDataAndCopyTheirPicture) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZone();
    show(w.TSFrecuencias);
    click(w.RGTipoGraficaFrecuencia, 0);
    ASSERT_TRUE(w.Chart3->isVisible());
    EXPECT_EQ(w.Chart3->series().size(), 13u);
    EXPECT_EQ(w.Chart3->series()[0]->count(), w.state().nBins);
    EXPECT_EQ(w.Chart3->series()[12]->count(), 0);  // "Quitar valor anual"
    EXPECT_FALSE(w.Chart3->series()[10]->isVisible());
    w.RBIncluir->click();
    EXPECT_EQ(w.Chart3->series()[12]->count(), w.state().nBins);
    QApplication::clipboard()->clear();
    w.BitBtn6->click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), w.Chart3->size());

    show(w.TSValoresHorarios);
    click(w.RGTipoGraficaTemp, 0);
    ASSERT_TRUE(w.Chart8->isVisible());
    EXPECT_EQ(w.Chart8->points(0).size(), 8760u);
    EXPECT_EQ(w.Chart8->leftAxis()->titleText(), QStringLiteral("Temperatura seca ºC"));
    click(w.RGTipoGraficaTemp, 1);
    ASSERT_TRUE(w.Chart3D->isVisible());
    EXPECT_TRUE(w.Chart3D->started());
    EXPECT_EQ(w.Chart3D->pointCount(), 8760);
    QApplication::clipboard()->clear();
    w.BitBtn11->click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), w.Chart3D->size());
    click(w.RGTipoGraficaTemp, 2);
    EXPECT_FALSE(w.Chart3D->isVisible());
    EXPECT_FALSE(w.RGDatoRepresentar->isVisible());

    show(w.TSDiagrama);
    const auto axes = w.Chart1->chart()->axes();
    ASSERT_EQ(axes.size(), 2);
    auto* bottom =
        static_cast<QValueAxis*>(axes[0]->alignment() == Qt::AlignBottom ? axes[0] : axes[1]);
    auto* left =
        static_cast<QValueAxis*>(axes[0]->alignment() == Qt::AlignBottom ? axes[1] : axes[0]);
    // The measured hours lie inside the axes; the chart clips the curves.
    const app::PointCloud* hours = w.diagramHours();
    for (const DiagramPoint& p : hours->points()) {
        EXPECT_GE(p.x, bottom->min() - 1e-3);
        EXPECT_LE(p.x, bottom->max() + 1e-3);
        EXPECT_GE(p.y, left->min() - 1e-3);
        EXPECT_LE(p.y, left->max() + 1e-3);
    }
    EXPECT_EQ(hours->points().size(), 8760u);
    // Each pixel they light is black on the screen and in the copy, and no OpenGL layer slows
    // the window's repaints.
    const std::vector<Pixel> lit = hours->pixels();
    ASSERT_GT(lit.size(), 1000u);
    QApplication::clipboard()->clear();
    w.BitBtn39->click();
    for (const QImage& picture : {w.Chart1->grab().toImage(), QApplication::clipboard()->image()}) {
        std::size_t black = 0, looked = 0;
        for (std::size_t i = 0; i < lit.size(); i += 7, ++looked) {
            const QPointF scene = w.Chart1->chart()->mapToScene(QPointF(lit[i].x, lit[i].y));
            const QPoint at = w.Chart1->mapFromScene(scene) + w.Chart1->viewport()->pos();
            if (picture.pixel(at) == qRgb(0, 0, 0)) ++black;
        }
        EXPECT_GT(black, looked * 95 / 100);  // a curve's name may lie over a few
    }
    for (QAbstractSeries* series : w.Chart1->chart()->series())
        EXPECT_FALSE(series->useOpenGL());
    EXPECT_FALSE(w.ComboBox5->isVisible());
    EXPECT_FALSE(w.CGauge5->isVisible());
}

TEST_F(ResultPagesTest, AStationFillsItsPagesAndSavesWhatTheCommandLineWrites) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openStation();
    show(w.TSProyecto);
    auto copy = std::make_unique<AnalysisState>(w.state());
    const auto texts = designResultTexts(computeDesignConditions(*copy), app::decimalSeparator());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(w.designBoxes[i]->text().toStdString(), texts[i].text) << texts[i].name;
    }
    EXPECT_EQ(w.ENDatosT->text(), QStringLiteral("96360 (1997-2007)"));

    show(w.TSFrecuencias);
    click(w.RGTipo, 2);
    EXPECT_EQ(save("frecuencias"),
              cliPage(station({"frequencies", "--variable", "ts", "--kind", "cumulative"})));
    show(w.TSGradosDia);
    click(w.RGOpcionTipo4, 1);
    EXPECT_EQ(save("grados-dia"), cliPage(station({"degree-days", "--cooling"})));

    show(w.TSValoresHorariosAEMET);
    ASSERT_TRUE(w.Chart4->isVisible());
    EXPECT_EQ(w.Chart4->points(0).size(), 8760u);
    choose(w.ComboBox6, 12);
    EXPECT_EQ(w.Chart4->points(0).size(), 12u * 8760u);

    show(w.TSDiagrama);
    EXPECT_TRUE(w.ComboBox5->isVisible());
    choose(w.ComboBox5, 12);
    const PsychrometricDiagram expected = drawDiagram(w.state(), {12});
    const std::size_t plotted = w.diagramHours()->points().size();
    EXPECT_EQ(plotted, expected.series[kMeasuredHoursSeries].size());
    EXPECT_GT(plotted, 90000u);
}

TEST_F(ResultPagesTest, HourlyLinesDrawEveryHourTheyAreGivenAndNoHourWithoutData) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openStation();
    show(w.TSIntervalo);
    click(w.RGIntervalo, 1);  // "(excepto Agosto)": August at 0
    show(w.TSValoresHorariosAEMET);
    QApplication::processEvents();
    const std::vector<ChartPoint>& points = w.Chart4->points(0);
    ASSERT_EQ(points.size(), 8760u);
    QApplication::clipboard()->clear();
    w.BitBtn9->click();
    for (const QImage& picture : {w.Chart4->grab().toImage(), QApplication::clipboard()->image()}) {
        ASSERT_EQ(picture.size(), w.Chart4->size());
        for (std::size_t i = 0; i < points.size(); i += 37) {
            const ChartPoint& p = points[i];
            ASSERT_TRUE(redAt(picture, w.Chart4, {p.x, p.y})) << p.x << " " << p.y;
        }
        for (int h = 5089; h <= 5832; h += 7)  // the flat line of August
            ASSERT_TRUE(redAt(picture, w.Chart4, {static_cast<double>(h), 0.0})) << h;
    }

    // "Todos": the year 2008 has no data, a gap and not a line at 0.
    choose(w.ComboBox6, 12);
    QApplication::processEvents();
    const QImage all = w.Chart4->grab().toImage();
    EXPECT_TRUE(redInColumn(all, w.Chart4, 10.5 * 8760));
    for (double x = 11 * 8760 + 200; x < 12 * 8760; x += 500)
        ASSERT_FALSE(redInColumn(all, w.Chart4, x)) << x;
    EXPECT_EQ(w.Chart4->notice(), QString());

    // The year list sets the years without data apart; a year without data says so, in 2D
    // and in 3D.
    EXPECT_EQ(w.ComboBox6->itemData(11, Qt::ToolTipRole).toString(), QStringLiteral("Sin datos"));
    EXPECT_EQ(w.ComboBox6->itemData(11, Qt::ForegroundRole).value<QBrush>().color(), Qt::gray);
    EXPECT_FALSE(w.ComboBox6->itemData(10, Qt::ToolTipRole).isValid());
    choose(w.ComboBox6, 11);
    EXPECT_EQ(w.Chart4->notice(), QStringLiteral("Sin datos para 2008"));
    click(w.RGTipoGraficaTempAEMET, 1);
    EXPECT_EQ(w.Chart5D->notice(), QStringLiteral("Sin datos para 2008"));
    choose(w.ComboBox6, 10);
    EXPECT_EQ(w.Chart5D->notice(), QString());

    // A 3D view in view stays shown while its year or value changes: hidden and shown again,
    // its window would draw itself several times over for one change.
    struct HideCounter : QObject {
        int hides = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Hide) ++hides;
            return false;
        }
    } counter;
    w.Chart5D->installEventFilter(&counter);
    choose(w.ComboBox6, 12);
    click(w.RGDatoRepresentarAEMET, 2);
    EXPECT_EQ(counter.hides, 0);
    EXPECT_TRUE(w.Chart5D->isVisible());
    click(w.RGTipoGraficaTempAEMET, 0);
    EXPECT_FALSE(w.Chart5D->isVisible());
    EXPECT_TRUE(w.Chart4->isVisible());
    w.Chart5D->removeEventFilter(&counter);
}

TEST_F(ResultPagesTest, TheDiagramNamesItsCurvesAndReadsTheAirUnderThePointer) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZone();
    show(w.TSDiagrama);
    QApplication::processEvents();
    QStringList shown;
    for (QGraphicsItem* item : w.Chart1->scene()->items()) {
        auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item);
        if (text && text->isVisible()) shown << text->text();
    }
    for (const char* label : {"100 %", "10 %", "kJ/kg", "m³/kg", "Th "})
        EXPECT_TRUE(shown.filter(QString::fromUtf8(label)).size() > 0) << label;
    // The axis titles keep their inner blanks on the screen.
    for (QAbstractAxis* axis : w.Chart1->chart()->axes()) {
        QTextDocument title;
        title.setHtml(axis->titleText());
        EXPECT_TRUE(title.toPlainText() == QStringLiteral("Temperatura Seca   Ts (ºC)") ||
                    title.toPlainText() == QStringLiteral("Humedad específica   W   (g/kg a.s)"))
            << title.toPlainText().toStdString();
    }

    const QPointF scene = w.Chart1->chart()->mapToPosition(QPointF(20.0, 8.0));
    moveTo(w.Chart1->viewport(), w.Chart1->mapFromScene(scene));
    const QString readout = w.LPuntoDiagrama->text();
    for (const char* part : {"Ts 20", "W 8", "HR ", "Th ", "kJ/kg", "m³/kg"})
        EXPECT_TRUE(readout.contains(QString::fromUtf8(part))) << readout.toStdString();
    moveTo(w.Chart1->viewport(), QPoint(2, 2));  // outside the plot area
    EXPECT_TRUE(w.LPuntoDiagrama->text().isEmpty());
}

TEST_F(ResultPagesTest, TheFrequencyFileStartsWithTheDataTypeThePageShows) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openStation();
    click(w.RGAEMET, 2);  // "Isla térmica": the page's caption changes only with a selection
    show(w.TSFrecuencias);
    const std::string bytes = save("frecuencias");
    const QString firstLine = QString::fromLatin1(bytes.substr(0, bytes.find("\r\n")));
    EXPECT_EQ(firstLine.toStdString(), w.LTipodatosF->text().toStdString());
}

TEST_F(ResultPagesTest, GridsCopyAsTabSeparatedTextAndKeysSaveTurnAndPrint) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZone();
    show(w.TSPromedios);
    QApplication::clipboard()->setText(QStringLiteral("antes"));
    w.StringGrid2->setFocus();
    QTest::keyClick(w.StringGrid2, Qt::Key_C, Qt::ControlModifier);
    QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 26);  // the heading row, 24 hours and "Media"
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("\tEne\tFeb"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("\tAnual")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1 h.\t")));
    EXPECT_EQ(lines[1].count('\t'), 13);
    // A selection copies its cells with their headings, from the context menu too.
    w.StringGrid2->selectionModel()->select(
        QItemSelection(w.StringGrid2->model()->index(2, 0), w.StringGrid2->model()->index(3, 1)),
        QItemSelectionModel::Select);
    auto* copy = w.StringGrid2->findChild<QAction*>("StringGrid2_copiar");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), QStringLiteral("Copiar tabla"));
    copy->trigger();
    lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("\tEne\tFeb"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("4 h.\t")));

    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, skipping hidden tabs (the window's keys act
    // while it is the active window).
    QApplication::setActiveWindow(&w);
    ASSERT_EQ(QApplication::activeWindow(), &w);
    QTest::keyClick(&w, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TSGradosHora);
    QTest::keyClick(&w, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TSPromedios);
    // Ctrl+S asks where to save the page, as "Guardar" does.
    QString asked;
    QTimer::singleShot(300, [&asked] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            asked = dialog->windowTitle();
            dialog->reject();
        }
    });
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(asked, QStringLiteral("Guardar fichero txt"));
    QApplication::setActiveWindow(&w);
    show(w.TSValoresHorarios);
    QTest::keyClick(&w, Qt::Key_Tab, Qt::ControlModifier);  // past the station page's tab
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TSEstacion);

    // Ctrl+P prints the page's chart: the 2D line under the hourly table, with current data.
    show(w.TSValoresHorarios);
    QImage printed;
    app::setPrintSinkForTesting(
        [&printed](const QImage& picture, const QStringList&) { printed = picture; });
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    app::setPrintSinkForTesting({});
    EXPECT_FALSE(printed.isNull());
    EXPECT_EQ(w.Chart8->points(0).size(), 8760u);
}

TEST_F(ResultPagesTest, CopyAndPrintUnderTheTableShowTheCurrentData) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZone();
    show(w.TSFrecuencias);
    click(w.RGTipoGraficaFrecuencia, 0);  // a chart of hours
    click(w.RGTipoGraficaFrecuencia, 1);
    click(w.RGTipo, 3);  // the table now shows mean dry bulbs; the hidden chart is older
    QApplication::clipboard()->clear();
    w.BitBtn6->click();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), w.Chart3->parentWidget()->size());
    FrequencySettings settings = w.frequencySettings();
    settings.chartKind = FrequencyChartKind::TwoD;
    const FrequencyChart current = frequencyChart(w.state(), settings);
    ASSERT_EQ(w.Chart3->points(0).size(), current.series[0].points.size());
    for (std::size_t i = 0; i < current.series[0].points.size(); ++i) {
        const double expected = current.series[0].points[i].y;
        const double drawn = w.Chart3->points(0)[i].y;
        ASSERT_TRUE(std::isnan(expected) ? std::isnan(drawn) : drawn == expected) << i;
    }
    EXPECT_EQ(w.Chart3->leftAxis()->titleText(), QStringLiteral("Temperatura seca media ºC"));
    EXPECT_FALSE(w.Chart3->isVisible());  // the table stays in view
    // Means without hours are gaps, drawn by no line.
    for (QLineSeries* part : w.Chart3->drawnSeries(0))
        for (const QPointF& p : part->points())
            ASSERT_FALSE(std::isnan(p.y()));
}

TEST_F(ResultPagesTest, PagesFitASmallWindowAndTheirChartsAndTablesTakeTheRoom) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openStation();
    w.resize(1024, 600);
    for (QWidget* page :
         {w.TSDiagrama, w.TSFrecuencias, w.TSPromedios, w.TSGradosHora, w.TSGradosDia}) {
        show(page);
        auto* area = page->findChild<QScrollArea*>();
        ASSERT_NE(area, nullptr) << page->objectName().toStdString();
        EXPECT_LE(area->widget()->width(), area->viewport()->width())
            << page->objectName().toStdString();
    }
    // The hourly values fit as they are: their 3D view lies in no scroll area, which would
    // make the window's widgets native windows, each repaint of the window then much slower.
    show(w.TSValoresHorariosAEMET);
    click(w.RGTipoGraficaTempAEMET, 1);
    ASSERT_TRUE(w.Chart5D->started());
    EXPECT_EQ(w.TSValoresHorariosAEMET->findChild<QScrollArea*>(), nullptr);
    EXPECT_LE(w.TSValoresHorariosAEMET->minimumSizeHint().width(),
              w.TSValoresHorariosAEMET->width());
    EXPECT_LE(w.TSValoresHorariosAEMET->minimumSizeHint().height(),
              w.TSValoresHorariosAEMET->height());
    for (QWidget* above = w.Chart5D; above != nullptr; above = above->parentWidget())
        EXPECT_FALSE(above->testAttribute(Qt::WA_NativeWindow))
            << above->objectName().toStdString();
    // The degree table shows every column: in a narrow window its selector goes above it.
    show(w.TSGradosHora);
    EXPECT_EQ(w.StringGrid3->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(w.StringGrid3->mapTo(&w, QPoint(0, 0)).y(),
              w.RGOpcionTipo3->mapTo(&w, QPoint(0, w.RGOpcionTipo3->height())).y());
    // The diagram takes the page's height, down to its bottom edge.
    show(w.TSDiagrama);
    auto* area = w.TSDiagrama->findChild<QScrollArea*>();
    const int chartBottom = w.Chart1->mapTo(area->viewport(), QPoint(0, w.Chart1->height())).y();
    EXPECT_GE(chartBottom, area->viewport()->height() - 20);
    EXPECT_LE(chartBottom, area->viewport()->height());

    w.resize(1288, 768);
    show(w.TSGradosHora);
    EXPECT_GE(w.StringGrid3->mapTo(&w, QPoint(0, 0)).x(),
              w.RGOpcionTipo3->mapTo(&w, QPoint(w.RGOpcionTipo3->width(), 0)).x());
}

TEST_F(ResultPagesTest, TheHourlySelectorsStayWhereTheyAreWhenTheViewChanges) {
    CLIMSTAT_NEED_REAL_DATA();
    app::TForm1& w = openZone();
    show(w.TSValoresHorarios);
    const std::vector<QWidget*> controls = {w.RGTipoGraficaTemp, w.RGDatoRepresentar, w.BitBtn2,
                                            w.BitBtn3,           w.BitBtn11,          w.BitBtn12};
    std::vector<QRect> where;
    for (int view : {0, 1, 2}) {
        click(w.RGTipoGraficaTemp, view);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const QRect place(controls[i]->mapTo(&w, QPoint(0, 0)), controls[i]->size());
            if (view == 0)
                where.push_back(place);
            else
                EXPECT_EQ(place, where[i]) << controls[i]->objectName().toStdString() << view;
        }
    }
    // The table's month is its heading column, centred under "mes".
    EXPECT_EQ(w.StringGrid4->verticalHeader()->defaultAlignment(), Qt::AlignCenter);
}

}  // namespace
}  // namespace climstat::test
