#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLegend>
#include <QLegendMarker>
#include <QVBoxLayout>

#include "app/tform1.h"
#include "core/errors.h"
#include "output/average_export.h"
#include "output/hourly_values_export.h"
#include "output/page_labels.h"
#include "output/psychrometric_diagram.h"
#include "output/statistics_export.h"
#include "output/text_export.h"
#include "psychro/station_extrapolation.h"
#include "stats/degree_tables.h"
#include "stats/design_conditions.h"
#include "stats/frequencies.h"
#include "stats/hourly_averages.h"
#include "stats/hourly_values.h"

namespace climstat::app {

namespace {

const QString kCopyHint = QStringLiteral("Pone el contenido del gráfico en el portapapeles");

QColor rgb(unsigned colour) {
    return QColor((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

QTableView* makeGrid(const QString& name, bool firstColumnIsHeader, int columnWidth,
                     QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(new TextGridModel(firstColumnIsHeader, view));
    view->horizontalHeader()->setDefaultSectionSize(columnWidth);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    return view;
}

QPushButton* chartButton(const QString& name, bool copy, QWidget* parent) {
    auto* button =
        new QPushButton(copy ? QStringLiteral("Copiar") : QStringLiteral("Imprimir"), parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(copy ? QStyle::SP_FileDialogContentsView
                                                       : QStyle::SP_FileDialogDetailedView));
    button->setToolTip(copy ? kCopyHint : QStringLiteral("Vista preliminar del gráfico"));
    return button;
}

// The twelve months and the year of the month charts, with their colours.
struct MonthSeries {
    const char* title;
    QColor colour;
};
const MonthSeries kMonthSeries[13] = {
    {"Enero", Qt::red},
    {"Febrero", Qt::blue},
    {"Marzo", QColor(0, 128, 0)},
    {"Abril", QColor(64, 0, 0)},
    {"Mayo", QColor(0, 255, 255)},
    {"Junio", Qt::gray},
    {"Julio", QColor(255, 0, 255)},
    {"Agosto", QColor(128, 128, 0)},
    {"Septiembre", QColor(0, 0, 128)},
    {"Octubre", QColor(255, 128, 0)},
    {"Noviembre", QColor(128, 0, 128)},
    {"Diciembre", QColor(0, 160, 160)},
    {"Anual", Qt::black},
};

LineChart* monthChart(const QString& name, QWidget* parent) {
    auto* chart = new LineChart(name, true, parent);
    for (int i = 0; i < 13; ++i) {
        QLineSeries* series = chart->addSeries(QString::fromUtf8(kMonthSeries[i].title),
                                               kMonthSeries[i].colour, i == 12 ? 3 : 2);
        if (i == 10) series->setVisible(false);  // "Noviembre" starts inactive
    }
    // A click on a legend entry shows or hides its series.
    for (QLegendMarker* marker : chart->chartObject()->legend()->markers()) {
        QObject::connect(marker, &QLegendMarker::clicked, chart, [marker, chart] {
            marker->series()->setVisible(!marker->series()->isVisible());
            marker->setVisible(true);
            marker->setLabelBrush(marker->series()->isVisible() ? QBrush(Qt::black)
                                                                : QBrush(Qt::gray));
            chart->fitAxes();
        });
    }
    QLegendMarker* november = chart->chartObject()->legend()->markers()[10];
    november->setVisible(true);
    november->setLabelBrush(QBrush(Qt::gray));
    return chart;
}

// The widget of the statistics area: the grid and the chart laid over it.
QWidget* overlay(QWidget* parent, const std::vector<QWidget*>& layers) {
    auto* area = new QWidget(parent);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    for (QWidget* layer : layers)
        grid->addWidget(layer, 0, 0);
    return area;
}

class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

void insertContent(QWidget* page, QLayout* content) {
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->insertLayout(layout->count() - 1, content, 10);
}

// The formula picture of a degree page, rendered as text.
QLabel* formula(const QString& name, const std::string& text, QWidget* parent) {
    auto* label = makeLabel(name, QString::fromStdString(text), parent);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + 5);
    font.setItalic(true);
    label->setFont(font);
    label->setStyleSheet(
        QStringLiteral("background: white; color: navy; padding: 8px; "
                       "border: 1px solid #a0a0c0;"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

void TForm1::buildResultContents() {
    buildDesignBoxes(TSProyecto);

    // --- Frequencies ---
    {
        auto* row = new QHBoxLayout();
        auto* controls = new QVBoxLayout();
        QStringList variables, outputs;
        for (int i = 0; i < kStudyVariables; ++i) {
            variables << qs(studyVariableCaption(static_cast<StudyVariable>(i)));
        }
        for (int i = 0; i < kFrequencyOutputs; ++i) {
            outputs << qs(frequencyOutputCaption(static_cast<FrequencyOutput>(i)));
        }
        RGOpcionTipo =
            new RadioGroup("RGOpcionTipo", QStringLiteral("Variable a estudiar en intervalos"),
                           variables, 1, TSFrecuencias);
        RGTipo = new RadioGroup("RGTipo", QStringLiteral("Variable de salida"), outputs, 1,
                                TSFrecuencias);
        RGTipoGraficaFrecuencia =
            new RadioGroup("RGTipoGraficaFrecuencia", QStringLiteral("Tipo gráfica"),
                           {QStringLiteral("2D"), QStringLiteral("Tabla")}, 2, TSFrecuencias);
        RGOpcionTipo->setItemIndex(0);
        RGTipo->setItemIndex(0);
        RGTipoGraficaFrecuencia->setItemIndex(1);
        RBIncluir = new QRadioButton(QStringLiteral("Incluir valor anual"), TSFrecuencias);
        RBIncluir->setObjectName("RBIncluir");
        RadioButton1 = new QRadioButton(QStringLiteral("Quitar valor anual"), TSFrecuencias);
        RadioButton1->setObjectName("RadioButton1");
        RadioButton1->setChecked(true);
        BitBtn6 = chartButton("BitBtn6", true, TSFrecuencias);
        BitBtn7 = chartButton("BitBtn7", false, TSFrecuencias);
        for (QWidget* w :
             std::initializer_list<QWidget*>{RGOpcionTipo, RGTipo, RGTipoGraficaFrecuencia,
                                             RBIncluir, RadioButton1, BitBtn6, BitBtn7}) {
            controls->addWidget(w);
        }
        controls->addStretch(1);
        StringGrid1 = makeGrid("StringGrid1", true, 60, TSFrecuencias);
        Chart3 = monthChart("Chart3", TSFrecuencias);
        Chart3->setBottomLabelFormat("%.0f");
        Chart3->hide();
        row->addLayout(controls);
        row->addWidget(overlay(TSFrecuencias, {StringGrid1, Chart3}), 1);
        insertContent(TSFrecuencias, row);
        for (RadioGroup* group : {RGOpcionTipo, RGTipo}) {
            connect(group, &RadioGroup::clicked, this, [this] {
                guarded(this, [this] {
                    showFrequencyTable();
                    showFrequencyChart();
                });
            });
        }
        for (QRadioButton* button : {RBIncluir, RadioButton1}) {
            connect(button, &QRadioButton::clicked, this, [this] {
                guarded(this, [this] {
                    showFrequencyTable();
                    showFrequencyChart();
                });
            });
        }
        connect(RGTipoGraficaFrecuencia, &RadioGroup::clicked, this,
                [this] { guarded(this, [this] { showFrequencyChart(); }); });
    }

    // --- Hourly averages ---
    {
        auto* row = new QHBoxLayout();
        auto* controls = new QVBoxLayout();
        RGOpcionTipo2 = new RadioGroup(
            "RGOpcionTipo2", QStringLiteral("Variable a representar"),
            {QStringLiteral("Temp. seca (ºC)"), QStringLiteral("Temp. húmeda (ºC)"),
             QStringLiteral("Temp. rocío (ºC)"), QStringLiteral("Hum. específ.(gr/kg)"),
             QStringLiteral("Entalpía (kJ/kg)"), QStringLiteral("Hum. relativa (%)")},
            1, TSPromedios);
        RGOpcionTipo2->setItemIndex(0);
        RGTipoGraficaPromedio =
            new RadioGroup("RGTipoGraficaPromedio", QStringLiteral("Tipo gráfica"),
                           {QStringLiteral("2D"), QStringLiteral("Tabla")}, 2, TSPromedios);
        RGTipoGraficaPromedio->setItemIndex(1);
        BitBtn4 = chartButton("BitBtn4", true, TSPromedios);
        BitBtn5 = chartButton("BitBtn5", false, TSPromedios);
        for (QWidget* w : std::initializer_list<QWidget*>{RGOpcionTipo2, RGTipoGraficaPromedio,
                                                          BitBtn4, BitBtn5}) {
            controls->addWidget(w);
        }
        controls->addStretch(1);
        StringGrid2 = makeGrid("StringGrid2", true, 60, TSPromedios);
        Chart2 = monthChart("Chart2", TSPromedios);
        Chart2->fixBottomAxis(1, 24);
        Chart2->bottomAxis()->setTickCount(24);
        Chart2->chartObject()->setBackgroundBrush(QColor(0xFF, 0xFF, 0x80));
        Chart2->hide();
        row->addLayout(controls);
        row->addWidget(overlay(TSPromedios, {StringGrid2, Chart2}), 1);
        insertContent(TSPromedios, row);
        connect(RGOpcionTipo2, &RadioGroup::clicked, this, [this] {
            guarded(this, [this] {
                computeHourlyAveragesPage();
                showAverageChart();
            });
        });
        connect(RGTipoGraficaPromedio, &RadioGroup::clicked, this,
                [this] { guarded(this, [this] { showAverageChart(); }); });
    }

    // --- Degree-hours and degree-days ---
    auto degreePage = [](QWidget* page, RadioGroup*& selector, const QString& selectorName,
                         QTableView*& grid, const QString& gridName, QLabel*& season,
                         const QString& seasonName, QLabel*& heating, const QString& heatingName,
                         QLabel*& cooling, const QString& coolingName, bool hours,
                         const QString& positiveName, const QString& fileHintName) {
        auto* row = new QHBoxLayout();
        auto* controls = new QVBoxLayout();
        selector = new RadioGroup(selectorName, QStringLiteral("Variable a representar"),
                                  {QStringLiteral("Calefacción"), QStringLiteral("Refrigeración")},
                                  1, page);
        selector->setItemIndex(0);
        controls->addWidget(selector);
        controls->addStretch(1);
        auto* right = new QVBoxLayout();
        grid = makeGrid(gridName, true, 66, page);
        grid->verticalHeader()->setDefaultSectionSize(25);
        // Six base rows and the header, all in view: the header's height is known only once
        // it has a font, so it is measured from that.
        grid->setFixedHeight(6 * 25 + grid->fontMetrics().height() + 14 + 2 * grid->frameWidth());
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        season = makeLabel(seasonName, {}, page);
        heating = formula(
            heatingName,
            hours ? degreeHourFormula(DegreeKind::Heating) : degreeDayFormula(DegreeKind::Heating),
            page);
        cooling = formula(
            coolingName,
            hours ? degreeHourFormula(DegreeKind::Cooling) : degreeDayFormula(DegreeKind::Cooling),
            page);
        cooling->hide();
        right->addWidget(grid);
        right->addWidget(season);
        auto* formulas = new QHBoxLayout();
        formulas->addWidget(heating);
        formulas->addWidget(cooling);
        formulas->addWidget(makeLabel(positiveName, qs(std::string(kPositiveTermsCaption)), page));
        formulas->addStretch(1);
        right->addLayout(formulas);
        right->addWidget(makeLabel(fileHintName, qs(std::string(kSaveFileHint)), page));
        right->addStretch(1);
        row->addLayout(controls);
        row->addLayout(right, 1);
        insertContent(page, row);
    };
    degreePage(TSGradosHora, RGOpcionTipo3, "RGOpcionTipo3", StringGrid3, "StringGrid3", Label50,
               "Label50", ImageGHC, "ImageGHC", ImageGHR, "ImageGHR", true, "Label39", "Label43");
    degreePage(TSGradosDia, RGOpcionTipo4, "RGOpcionTipo4", StringGrid5, "StringGrid5", Label62,
               "Label62", ImageGDC, "ImageGDC", ImageGDR, "ImageGDR", false, "Label60", "Label61");
    TSGradosHora->findChild<QLabel*>("TSGradosHora_note")->setObjectName("Label53");
    TSGradosDia->findChild<QLabel*>("TSGradosDia_note")->setObjectName("Label52");
    connect(RGOpcionTipo3, &RadioGroup::clicked, this,
            [this] { guarded(this, [this] { showDegreeHourTable(); }); });
    connect(RGOpcionTipo4, &RadioGroup::clicked, this,
            [this] { guarded(this, [this] { showDegreeDayTable(); }); });

    // --- Hourly values of a typical year ---
    const QStringList plotted = {
        QStringLiteral("Temp.seca (ºC)"),   QStringLiteral("Temp.húmeda (ºC)"),
        QStringLiteral("Temp.rocío (ºC)"),  QStringLiteral("Hum.específ. (gr/kg)"),
        QStringLiteral("Entalpía (kJ/kg)"), QStringLiteral("Hum.relativa (%)")};
    {
        auto* box = new QVBoxLayout();
        auto* controls = new QHBoxLayout();
        RGTipoGraficaTemp =
            new RadioGroup("RGTipoGraficaTemp", QStringLiteral("Tipo gráfica"),
                           {QStringLiteral("2D"), QStringLiteral("3D"), QStringLiteral("Tabla")}, 3,
                           TSValoresHorarios);
        RGTipoGraficaTemp->setItemIndex(2);
        RGDatoRepresentar =
            new RadioGroup("RGDatoRepresentar", QStringLiteral("Variable representada"), plotted, 3,
                           TSValoresHorarios);
        RGDatoRepresentar->setItemIndex(0);
        RGDatoRepresentar->hide();
        BitBtn2 = chartButton("BitBtn2", true, TSValoresHorarios);
        BitBtn3 = chartButton("BitBtn3", false, TSValoresHorarios);
        BitBtn11 = chartButton("BitBtn11", true, TSValoresHorarios);
        BitBtn12 = chartButton("BitBtn12", false, TSValoresHorarios);
        BitBtn2->setText(QStringLiteral("Copiar 2D"));
        BitBtn3->setText(QStringLiteral("Imprimir 2D"));
        BitBtn11->setText(QStringLiteral("Copiar 3D"));
        BitBtn12->setText(QStringLiteral("Imprimir 3D"));
        controls->addWidget(RGTipoGraficaTemp);
        controls->addWidget(RGDatoRepresentar, 1);
        for (QPushButton* b : {BitBtn2, BitBtn3, BitBtn11, BitBtn12})
            controls->addWidget(b);
        box->addLayout(controls);
        StringGrid4 = makeGrid("StringGrid4", false, 65, TSValoresHorarios);
        Chart8 = new LineChart("Chart8", false, TSValoresHorarios);
        Chart8->addSeries(QStringLiteral("Dem_Calef"), Qt::red, 1, true);
        Chart8->addSeries(QStringLiteral("Dem_Refrig"), Qt::blue, 1, true);
        Chart8->fixBottomAxis(1, 8760);
        Chart8->hide();
        Chart3D = new SurfaceChart("Chart3D", TSValoresHorarios);
        Chart3D->hide();
        box->addWidget(overlay(TSValoresHorarios, {StringGrid4, Chart8, Chart3D}), 1);
        insertContent(TSValoresHorarios, box);
        for (RadioGroup* group : {RGTipoGraficaTemp, RGDatoRepresentar}) {
            connect(group, &RadioGroup::clicked, this,
                    [this] { guarded(this, [this] { plotHourlyValuesPage(); }); });
        }
    }

    // --- Hourly values of a station ---
    {
        auto* box = new QVBoxLayout();
        auto* controls = new QHBoxLayout();
        RGTipoGraficaTempAEMET =
            new RadioGroup("RGTipoGraficaTempAEMET", QStringLiteral("Tipo gráfica"),
                           {QStringLiteral("2D"), QStringLiteral("3D")}, 2, TSValoresHorariosAEMET);
        RGTipoGraficaTempAEMET->setItemIndex(0);
        RGDatoRepresentarAEMET = new RadioGroup(
            "RGDatoRepresentarAEMET", QStringLiteral("Variable representada"),
            {QStringLiteral("Temp.seca (ºC)"), QStringLiteral("Temp.húmeda (ºC)"),
             QStringLiteral("Temp.rocío (ºC)"), QStringLiteral("Hum.especif.(kg/kgas)"),
             QStringLiteral("Entalpía (kJ/kgºC)"), QStringLiteral("Hum.relativa (%)")},
            3, TSValoresHorariosAEMET);
        RGDatoRepresentarAEMET->setItemIndex(0);
        BitBtn9 = chartButton("BitBtn9", true, TSValoresHorariosAEMET);
        BitBtn10 = chartButton("BitBtn10", false, TSValoresHorariosAEMET);
        BitBtn13 = chartButton("BitBtn13", true, TSValoresHorariosAEMET);
        BitBtn14 = chartButton("BitBtn14", false, TSValoresHorariosAEMET);
        BitBtn9->setText(QStringLiteral("Copiar 2D"));
        BitBtn10->setText(QStringLiteral("Imprimir 2D"));
        BitBtn13->setText(QStringLiteral("Copiar 3D"));
        BitBtn14->setText(QStringLiteral("Imprimir 3D"));
        controls->addWidget(RGTipoGraficaTempAEMET);
        controls->addWidget(RGDatoRepresentarAEMET, 1);
        for (QPushButton* b : {BitBtn9, BitBtn10, BitBtn13, BitBtn14})
            controls->addWidget(b);
        box->addLayout(controls);
        Chart4 = new LineChart("Chart4", false, TSValoresHorariosAEMET);
        Chart4->addSeries(QStringLiteral("Dem_Calef"), Qt::red, 1, true);
        Chart4->addSeries(QStringLiteral("Dem_Refrig"), Qt::blue, 1, true);
        Chart5D = new SurfaceChart("Chart5D", TSValoresHorariosAEMET);
        Chart5D->hide();
        box->addWidget(overlay(TSValoresHorariosAEMET, {Chart4, Chart5D}), 1);
        insertContent(TSValoresHorariosAEMET, box);
        for (RadioGroup* group : {RGTipoGraficaTempAEMET, RGDatoRepresentarAEMET}) {
            connect(group, &RadioGroup::clicked, this,
                    [this] { guarded(this, [this] { plotStationHourlyValuesPage(); }); });
        }
        connect(ComboBox6, &QComboBox::activated, this,
                [this] { guarded(this, [this] { plotStationHourlyValuesPage(); }); });
    }

    buildDiagramChart();

    // Copy and print buttons of the seven charts.
    const std::pair<QPushButton*, QWidget*> copies[] = {
        {BitBtn39, Chart1}, {BitBtn2, Chart8}, {BitBtn11, Chart3D}, {BitBtn4, Chart2},
        {BitBtn6, Chart3},  {BitBtn9, Chart4}, {BitBtn13, Chart5D}};
    for (const auto& copy : copies) {
        QWidget* chart = copy.second;
        connect(copy.first, &QPushButton::clicked, this,
                [chart] { copyToClipboard(chartPicture(chart)); });
    }
    const std::pair<QPushButton*, QWidget*> prints[] = {
        {BitBtn41, Chart1}, {BitBtn3, Chart8},  {BitBtn12, Chart3D}, {BitBtn5, Chart2},
        {BitBtn7, Chart3},  {BitBtn10, Chart4}, {BitBtn14, Chart5D}};
    for (const auto& print : prints) {
        QWidget* chart = print.second;
        connect(print.first, &QPushButton::clicked, this,
                [this, chart] { printPreview(this, chartPicture(chart)); });
    }
    connect(SBImpresor, &QToolButton::clicked, this,
            [this] { guarded(this, [this] { SBImpresorClick(); }); });
}

void TForm1::buildDesignBoxes(QWidget* page) {
    auto* panel = page->findChild<QGroupBox*>("GBCondiciones");
    auto* grid = static_cast<QGridLayout*>(panel->layout());
    // Empty the placeholder grid of the reference labels: they go under their boxes.
    for (int i = 1; i <= 20; ++i)
        grid->removeWidget(referenceLabels[static_cast<std::size_t>(i)]);
    struct Row {
        const char* heading;
        std::vector<std::pair<const char*, const char*>> columns;  // box, caption
    };
    const Row rows[] = {
        {"CONDICIONES PROYECTO CALEFACCION (Temperatura seca exterior mínima)",
         {{"ETSMIN", "TSMIN(ºC)"},
          {"ETS_996", "TS_99,6(ºC)"},
          {"ETS_99", "TS_99(ºC)"},
          {nullptr, nullptr},
          {"EHUM", "HUMcoin(%)"},
          {"EOMA", "OMA(ºC)"},
          {"EOminDC", "OminDC(ºC)"},
          {"EOMDC", "OMDC(ºC)"}}},
        {"CONDICIONES PROYECTO REFRIGERACION (Temperatura seca exterior máxima)",
         {{"ETSMAX", "TSMAX(ºC)"},
          {"ETS_04", "TS_0,4(ºC)"},
          {"ETHC_04", "THC_0,4(ºC)"},
          {"ETS_1", "TS_1(ºC)"},
          {"ETHC_1", "THC_1(ºC)"},
          {"ETS_2", "TS_2(ºC)"},
          {"ETHC_2", "THC_2(ºC)"},
          {"EOMDR", "OMDR(ºC)"}}},
        {"CONDICIONES PROYECTO REFRIGERACION (Temperatura húmeda exterior máxima)",
         {{"ETH_04", "TH_0,4(ºC)"},
          {"ETSC_04", "TSC_0,4(ºC)"},
          {"ETH_1", "TH_1(ºC)"},
          {"ETSC_1", "TSC_1(ºC)"},
          {"ETH_2", "TH_2(ºC)"},
          {"ETSC_2", "TSC_2(ºC)"}}},
    };
    // The boxes in the order of the engine's results.
    const char* order[21] = {"ETSMIN", "ETS_996", "ETS_99", "EHUM",    "EOMA",    "EOminDC",
                             "EOMDC",  "ETSMAX",  "ETS_04", "ETHC_04", "ETS_1",   "ETHC_1",
                             "ETS_2",  "ETHC_2",  "EOMDR",  "ETH_04",  "ETSC_04", "ETH_1",
                             "ETSC_1", "ETH_2",   "ETSC_2"};
    int gridRow = 1;
    for (const Row& row : rows) {
        auto* heading = makeLabel(QString(), QString::fromUtf8(row.heading), panel);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, gridRow++, 0, 1, 8);
        int column = 0;
        for (const auto& [box, caption] : row.columns) {
            if (box == nullptr) {
                ++column;
                continue;
            }
            grid->addWidget(makeLabel(QString(box) + "_caption", QString::fromUtf8(caption), panel),
                            gridRow, column);
            auto* edit = new QLineEdit(panel);
            edit->setObjectName(box);
            edit->setReadOnly(true);
            edit->setMaximumWidth(110);
            grid->addWidget(edit, gridRow + 1, column);
            for (int i = 0; i < 21; ++i) {
                if (QString(order[i]) == box) designBoxes[static_cast<std::size_t>(i)] = edit;
            }
            const QString reference = "L" + QString(box).mid(1);
            for (int i = 1; i <= 20; ++i) {
                QLabel* label = referenceLabels[static_cast<std::size_t>(i)];
                if (label->objectName() == reference) grid->addWidget(label, gridRow + 2, column);
            }
            ++column;
        }
        gridRow += 3;
    }
}

void TForm1::buildDiagramChart() {
    auto* chart = new QChart();
    Chart1 = new QChartView(chart, TSDiagrama);
    Chart1->setObjectName("Chart1");
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setToolTip(QStringLiteral(
        "Señalar las condiciones iniciales del aire con un doble clik sobre el diagrama."));
    chart->legend()->hide();
    auto* bottom = new QValueAxis();
    auto* left = new QValueAxis();
    bottom->setTitleText(qs(kDiagramBottomTitle));
    left->setTitleText(qs(kDiagramLeftTitle));
    bottom->setLabelFormat("%.0f");
    left->setLabelFormat("%.1f");
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    diagramSeries_.assign(kDiagramSeriesCount, nullptr);
    auto attach = [&](QXYSeries* series) {
        chart->addSeries(series);
        series->attachAxis(bottom);
        series->attachAxis(left);
    };
    for (int index = 1; index < kDiagramSeriesCount; ++index) {
        const DiagramSeriesStyle style = diagramSeriesStyle(index);
        if (style.kind == DiagramSeriesKind::Line) {
            auto* line = new QLineSeries(chart);
            QPen pen(rgb(style.colour));
            pen.setWidth(style.penWidth);
            line->setPen(pen);
            attach(line);
            diagramSeries_[static_cast<std::size_t>(index)] = line;
            if (style.marker != DiagramMarker::None) {
                auto* markers = new QScatterSeries(chart);
                markers->setMarkerShape(style.marker == DiagramMarker::Square
                                            ? QScatterSeries::MarkerShapeRectangle
                                            : QScatterSeries::MarkerShapeCircle);
                markers->setMarkerSize(style.markerSize > 0 ? style.markerSize : 5);
                markers->setColor(rgb(style.colour));
                markers->setBorderColor(rgb(style.colour));
                attach(markers);
                (index == 5 ? diagramMarkers5_ : diagramMarkers44_) = markers;
            }
        } else if (style.kind == DiagramSeriesKind::Points) {
            auto* points = new QScatterSeries(chart);
            points->setMarkerShape(style.marker == DiagramMarker::Square
                                       ? QScatterSeries::MarkerShapeRectangle
                                       : QScatterSeries::MarkerShapeCircle);
            points->setMarkerSize(std::max(style.markerSize, 1) + 1);
            points->setColor(rgb(style.colour));
            points->setPen(Qt::NoPen);
            points->setUseOpenGL(index == kMeasuredHoursSeries);
            attach(points);
            diagramSeries_[static_cast<std::size_t>(index)] = points;
        }
    }
    CGauge5 = new QProgressBar(TSDiagrama);
    CGauge5->setObjectName("CGauge5");
    CGauge5->setRange(0, 100);
    CGauge5->hide();
    BitBtn39 = chartButton("BitBtn39", true, TSDiagrama);
    BitBtn41 = chartButton("BitBtn41", false, TSDiagrama);
    auto* box = new QVBoxLayout();
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(BitBtn39);
    buttons->addWidget(BitBtn41);
    buttons->addWidget(CGauge5, 1);
    buttons->addStretch(1);
    box->addLayout(buttons);
    box->addWidget(Chart1, 1);
    insertContent(TSDiagrama, box);
    connect(ComboBox5, &QComboBox::activated, this,
            [this] { guarded(this, [this] { drawDiagramPage(); }); });
}

// --- Show handlers and selectors ---

void TForm1::TSProyectoShow() {
    AnalysisState& state = *state_;
    initValidMasks(state, static_cast<DataSource>(RGTiposDatos->itemIndex()));
    const DesignConditions conditions = computeDesignConditions(state);
    const std::vector<DesignResultText> texts = designResultTexts(conditions, decimalSeparator());
    for (std::size_t i = 0; i < texts.size() && i < designBoxes.size(); ++i) {
        designBoxes[i]->setText(qs(texts[i].text));
    }
    ENDatosT->setText(qs(conditions.countTText));
    ENDatosFI->setText(qs(conditions.countHText));
}

FrequencySettings TForm1::frequencySettings() const {
    FrequencySettings settings;
    settings.variable = static_cast<StudyVariable>(RGOpcionTipo->itemIndex());
    settings.output = static_cast<FrequencyOutput>(RGTipo->itemIndex());
    settings.chartKind = static_cast<FrequencyChartKind>(RGTipoGraficaFrecuencia->itemIndex());
    settings.includeAnnual = RBIncluir->isChecked();
    return settings;
}

void TForm1::showFrequencyTable() {
    BusyCursor busy;
    setGridTexts(StringGrid1,
                 climstat::showFrequencyTable(*state_, frequencySettings(), selectionSettings(),
                                              decimalSeparator()));
}

void TForm1::showFrequencyChart() {
    const FrequencyChart chart = frequencyChart(*state_, frequencySettings());
    if (!chart.visible) {
        Chart3->hide();
        return;
    }
    Chart3->hide();
    Chart3->clearSeries();
    Chart3->setAxisTitles(qs(chart.leftAxisTitle), qs(chart.bottomAxisTitle));
    for (std::size_t j = 0; j < chart.series.size() && j < 13; ++j) {
        Chart3->setPoints(static_cast<int>(j), chart.series[j].points);
    }
    Chart3->fitAxes();
    Chart3->show();
    Chart3->raise();
}

void TForm1::computeHourlyAveragesPage() {
    computeHourlyAverages(*state_, {RGOpcionTipo2->itemIndex()});
    setGridTexts(StringGrid2, hourlyAverageGridTexts(*state_, decimalSeparator()));
}

void TForm1::showAverageChart() {
    if (RGTipoGraficaPromedio->itemIndex() == 1) {
        Chart2->hide();
        return;
    }
    Chart2->hide();
    const AverageChart chart = averageChart(*state_, {RGOpcionTipo2->itemIndex()});
    Chart2->setAxisTitles(qs(chart.leftAxisTitle), qs(kAverageBottomAxisTitle));
    for (int j = 1; j <= 13; ++j) {
        Chart2->setPoints(j - 1, chart.series[static_cast<std::size_t>(j)]);
    }
    Chart2->fitAxes();
    Chart2->show();
    Chart2->raise();
}

void TForm1::showDegreeHourTable() {
    const auto kind = static_cast<DegreeKind>(RGOpcionTipo3->itemIndex());
    Label50->clear();
    ImageGHC->setVisible(kind == DegreeKind::Heating);
    ImageGHR->setVisible(kind == DegreeKind::Cooling);
    Label50->setText(qs(degreeSeasonCaption(kind)));
    setGridTexts(StringGrid3, degreeTableTexts(*state_, kind, decimalSeparator()));
}

void TForm1::showDegreeDayTable() {
    const auto kind = static_cast<DegreeKind>(RGOpcionTipo4->itemIndex());
    Label62->clear();
    ImageGDC->setVisible(kind == DegreeKind::Heating);
    ImageGDR->setVisible(kind == DegreeKind::Cooling);
    Label62->setText(qs(degreeSeasonCaption(kind)));
    setGridTexts(StringGrid5, degreeTableTexts(*state_, kind, decimalSeparator()));
}

void TForm1::plotHourlyValuesPage() {
    const HourlyValuesChart chart =
        plotHourlyValues(*state_, {RGTipoGraficaTemp->itemIndex(), RGDatoRepresentar->itemIndex()});
    if (chart.type == HourlyChartType::Table) {
        RGDatoRepresentar->hide();
        Chart8->hide();
        Chart3D->hide();
        return;
    }
    BusyCursor busy;
    RGDatoRepresentar->show();
    Chart8->hide();
    Chart3D->hide();
    Chart8->clearSeries();
    if (chart.type == HourlyChartType::TwoD) {
        Chart8->setAxisTitles(qs(chart.leftAxisTitle), qs(kHourlyLineBottomTitle));
        Chart8->setPoints(0, chart.line);
        Chart8->fitAxes();
        Chart8->show();
        Chart8->raise();
    } else {
        Chart3D->show();
        Chart3D->raise();
        Chart3D->setData(chart.surface, qs(chart.leftAxisTitle), qs(kHourlySurfaceBottomTitle),
                         qs(kHourlySurfaceDepthTitle));
    }
}

void TForm1::plotStationHourlyValuesPage() {
    BusyCursor busy;
    const HourlyValuesChart chart = plotStationHourlyValues(
        *state_, {RGTipoGraficaTempAEMET->itemIndex(), RGDatoRepresentarAEMET->itemIndex(),
                  ComboBox6->currentIndex()});
    Chart4->hide();
    Chart5D->hide();
    Chart4->clearSeries();
    if (chart.type == HourlyChartType::TwoD) {
        Chart4->setAxisTitles(qs(chart.leftAxisTitle), qs(kHourlyLineBottomTitle));
        Chart4->setPoints(0, chart.line);
        Chart4->fitAxes();
        Chart4->show();
        Chart4->raise();
    } else {
        Chart5D->show();
        Chart5D->raise();
        Chart5D->setData(chart.surface, qs(chart.leftAxisTitle), qs(kHourlySurfaceBottomTitle),
                         qs(kHourlySurfaceDepthTitle));
    }
}

void TForm1::drawDiagramPage() {
    BusyCursor busy;
    Chart1->hide();
    CGauge5->setValue(0);
    CGauge5->show();
    const PsychrometricDiagram diagram =
        drawDiagram(*state_, {ComboBox5->currentIndex()}, [this](int percent) {
            CGauge5->setValue(percent);
            CGauge5->repaint();
        });
    auto points = [](const std::vector<DiagramPoint>& source) {
        QList<QPointF> list;
        list.reserve(static_cast<qsizetype>(source.size()));
        for (const DiagramPoint& p : source)
            list.append(QPointF(p.x, p.y));
        return list;
    };
    for (int index = 1; index < kDiagramSeriesCount; ++index) {
        auto* series = static_cast<QXYSeries*>(diagramSeries_[static_cast<std::size_t>(index)]);
        if (series == nullptr) continue;
        const QList<QPointF> list = points(diagram.series[static_cast<std::size_t>(index)]);
        series->replace(list);
        if (index == 5) diagramMarkers5_->replace(list);
        if (index == 44) diagramMarkers44_->replace(list);
    }
    const auto axes = Chart1->chart()->axes();
    for (QAbstractAxis* axis : axes) {
        auto* value = static_cast<QValueAxis*>(axis);
        // The axes keep exactly the range of the diagram; the ticks fall on round values.
        value->setTickType(QValueAxis::TicksDynamic);
        value->setTickAnchor(0);
        if (axis->alignment() == Qt::AlignBottom) {
            value->setRange(diagram.bottomMin, diagram.bottomMax);
            value->setTickInterval(diagram.bottomMax - diagram.bottomMin > 30 ? 5 : 2);
        } else {
            value->setRange(diagram.leftMin, diagram.leftMax);
            const double span = diagram.leftMax - diagram.leftMin;
            value->setTickInterval(span > 20 ? 5 : span > 8 ? 2 : 1);
        }
    }
    CGauge5->hide();
    Chart1->show();
    const bool station = RGTiposDatos->itemIndex() == 0;
    Label26->setVisible(station);
    ComboBox5->setVisible(station);
}

// --- Save ---

void TForm1::SBImpresorClick() {
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar fichero txt"),
                                                        qs(setup_.programFolder),
                                                        QStringLiteral("Text files (*.txt *.TXT)"));
    if (chosen.isEmpty()) return;  // cancelled: nothing is created or changed
    saveActivePage(chosen);
}

bool TForm1::saveActivePage(const QString& chosenName) {
    const std::string path = exportFileName(ss(chosenName));
    const AnalysisState& state = *state_;
    const char separator = decimalSeparator();
    const auto source = static_cast<DataSource>(RGTiposDatos->itemIndex());
    QWidget* page = PageControl1->currentWidget();
    const PageLabelSettings labelSettings = pageLabelSettings();
    const FrequencySettings frequencies = frequencySettings();
    const int averageVariable = RGOpcionTipo2->itemIndex();
    const auto hourKind = static_cast<DegreeKind>(RGOpcionTipo3->itemIndex());
    const auto dayKind = static_cast<DegreeKind>(RGOpcionTipo4->itemIndex());
    try {
        writeExportFile(path, [&](ExportWriter& out) {
            if (page == TSFrecuencias) {
                writeFrequencyPage(out, state, frequencies,
                                   frequencyPageLabels(state, labelSettings), separator);
            } else if (page == TSPromedios) {
                writeHourlyAverageBlock(out, state, averagePageLabels(state, source, separator),
                                        averageVariable, separator);
            } else if (page == TSGradosHora) {
                writeDegreeHourPage(out, state, hourKind, degreePageLabels(state, labelSettings),
                                    separator);
            } else if (page == TSGradosDia) {
                writeDegreeDayPage(out, state, dayKind, degreePageLabels(state, labelSettings),
                                   separator);
            } else if (page == TSValoresHorarios) {
                writeHourlyValuesBlock(out, state, hourlyValuesPageLabels(state, separator),
                                       separator);
            }
        });
    } catch (const DataFileError& error) {
        showCritical(this, QStringLiteral("No se ha podido escribir el fichero ") +
                               qs(error.path()) + ": " + qs(std::string(error.what())));
        return false;
    }
    return true;
}

}  // namespace climstat::app
