#include "app/tform1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/help_texts.h"
#include "app/result_widgets.h"
#include "data/station_catalogue.h"
#include "output/page_labels.h"
#include "output/text_export.h"
#include "psychro/station_extrapolation.h"
#include "selection/day_types.h"
#include "selection/selection_summary.h"
#include "stats/degree_tables.h"
#include "stats/hourly_values.h"

namespace climstat::app {

namespace {

const QString kCaption = QStringLiteral("Programa de análisis de datos climáticos");

// The picture of the entry icon: a sun over a thermometer.
QImage entryIcon() {
    QImage image(96, 96, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 200, 40));
    p.setPen(QPen(QColor(200, 120, 0), 2));
    p.drawEllipse(QPointF(34, 34), 20, 20);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(34, 34);
        p.rotate(45.0 * i);
        p.drawLine(QPointF(25, 0), QPointF(32, 0));
        p.restore();
    }
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(20, 40, 110), 2));
    p.drawRoundedRect(QRectF(58, 18, 14, 56), 7, 7);
    p.setBrush(QColor(210, 30, 30));
    p.drawEllipse(QPointF(65, 78), 11, 11);
    p.drawRect(QRectF(62, 40, 6, 36));
    return image;
}

}  // namespace

ClickLabel::ClickLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

TForm1::TForm1(WindowSetup setup, QWidget* parent)
    : QMainWindow(parent), setup_(std::move(setup)), state_(std::make_unique<AnalysisState>()) {
    setObjectName("TForm1");
    setWindowTitle(kCaption);
    resize(1288, 768);

    auto* toolbar = addToolBar(QStringLiteral("Herramientas"));
    toolbar->setObjectName("ToolBar1");
    toolbar->setMovable(false);
    SBAcerca = new QToolButton(this);
    SBAcerca->setObjectName("SBAcerca");
    SBAcerca->setText(QStringLiteral("Información"));
    SBAcerca->setToolTip(QStringLiteral("Información"));
    SBAcerca->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    SBAcerca->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar->addWidget(SBAcerca);
    SBImpresor = new QToolButton(this);
    SBImpresor->setObjectName("SBImpresor");
    SBImpresor->setText(QStringLiteral("Guardar"));
    SBImpresor->setToolTip(QStringLiteral("Guardar fichero txt"));
    SBImpresor->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SBImpresor->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    saveAction_ = toolbar->addWidget(SBImpresor);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    setCentralWidget(PageControl1);

    TSEstacion = buildStationPage();
    TSProyecto = buildDesignPage();
    TSIntervalo = buildIntervalPage();
    TSDiagrama = buildResultPage("TSDiagrama", LTipodatosD, LProvinciaD, LasnmD, LEstacionD, {});
    TSFrecuencias = buildResultPage("TSFrecuencias", LTipodatosF, LProvinciaF, LasnmF, LEstacionF,
                                    qs(std::string(kSaveFileHint)));
    Label41 = TSFrecuencias->findChild<QLabel*>("TSFrecuencias_note");
    Label41->setObjectName("Label41");
    TSPromedios = buildResultPage("TSPromedios", LTipodatosP, LProvinciaP, LasnmP, LEstacionP,
                                  qs(std::string(kSaveFileHint)));
    TSGradosHora = buildResultPage("TSGradosHora", LTipodatosG, LProvinciaG, LasnmG, LEstacionG,
                                   QStringLiteral("El nº de grados hora depende del intervalo "
                                                  "elegido"));
    TSGradosDia = buildResultPage(
        "TSGradosDia", LTipodatosH, LProvinciaH, LasnmH, LEstacionH,
        QStringLiteral("En estos calculos no se tiene encuenta el intervalo fijado (es global)"));
    // The hourly-value pages fit the smallest window as they are and do not scroll: a 3D view
    // inside a scroll area would make every widget above it a native window of its own, which
    // slows down every later repaint of the window.
    TSValoresHorarios = buildResultPage(
        "TSValoresHorarios", LTipodatosV, LProvinciaV, LasnmV, LPTV,
        QStringLiteral("Se pueden obtener los datos en el fichero \"c:\\frecuencias\\salida.txt\" "
                       "mediante el botón guardar"),
        false);
    TSValoresHorariosAEMET =
        buildResultPage("TSValoresHorariosAEMET", LTipodatosVAEMET, LProvinciaVAEMET, LasnmVAEMET,
                        LEstacionVAEMET, {}, false);

    // The year lists of the diagram and of the station hourly values.
    QStringList years;
    for (int year = 1997; year <= 2008; ++year)
        years << QString::number(year);
    years << QStringLiteral("Todos");
    auto addYearList = [&](QWidget* page, QComboBox*& list, const QString& name) {
        auto* row = new QHBoxLayout();
        auto* caption = makeLabel(name == "ComboBox5" ? "Label26" : "Label26V",
                                  QStringLiteral("Años a representar:"), page);
        list = new QComboBox(page);
        list->setObjectName(name);
        list->addItems(years);
        row->addWidget(caption);
        row->addWidget(list);
        row->addStretch();
        static_cast<QVBoxLayout*>(resultContents(page)->layout())->insertLayout(1, row);
        return caption;
    };
    Label26 = addYearList(TSDiagrama, ComboBox5, "ComboBox5");
    addYearList(TSValoresHorariosAEMET, ComboBox6, "ComboBox6");

    PageControl1->addTab(TSEstacion, QStringLiteral("Estación"));
    PageControl1->addTab(TSProyecto, QStringLiteral("Cond.Proyecto"));
    PageControl1->addTab(TSIntervalo, QStringLiteral("Intervalo"));
    PageControl1->addTab(TSDiagrama, QStringLiteral("Diagrama"));
    PageControl1->addTab(TSFrecuencias, QStringLiteral("Frecuencias"));
    PageControl1->addTab(TSPromedios, QStringLiteral("Promedios horarios"));
    PageControl1->addTab(TSGradosHora, QStringLiteral("GradosHora"));
    PageControl1->addTab(TSGradosDia, QStringLiteral("GradosDia"));
    PageControl1->addTab(TSValoresHorarios, QStringLiteral("Valores horarios"));
    PageControl1->addTab(TSValoresHorariosAEMET, QStringLiteral("Valores horarios"));

    buildResultContents();
    buildHelpPanel();
    buildEntryPanel();
    connectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

QWidget* TForm1::buildResultPage(const QString& name, QLabel*& dataType, QLabel*& province,
                                 ClickLabel*& altitude, ClickLabel*& station, const QString& note,
                                 bool scrolls) {
    auto* page = new QWidget(this);
    page->setObjectName(name);
    // The page scrolls when the window is too small for it.
    auto* contents = new QWidget(page);
    contents->setObjectName(name + "_contenido");
    auto* layout = new QVBoxLayout(contents);
    auto* band = new QFrame(contents);
    band->setObjectName(name + "_location");
    band->setFrameShape(QFrame::StyledPanel);
    band->setStyleSheet(QStringLiteral("QFrame#%1 { background: white; } QLabel { color: navy; }")
                            .arg(band->objectName()));
    auto* grid = new QGridLayout(band);
    const QString suffix = name == "TSDiagrama"          ? "D"
                           : name == "TSFrecuencias"     ? "F"
                           : name == "TSPromedios"       ? "P"
                           : name == "TSGradosHora"      ? "G"
                           : name == "TSGradosDia"       ? "H"
                           : name == "TSValoresHorarios" ? "V"
                                                         : "VAEMET";
    dataType = makeLabel("LTipodatos" + suffix, {}, band);
    province = makeLabel("LProvincia" + suffix, {}, band);
    altitude = new ClickLabel("Lasnm" + suffix, band);
    station = new ClickLabel(suffix == "V" ? QString("LPTV") : "LEstacion" + suffix, band);
    QFont bold = dataType->font();
    bold.setBold(true);
    dataType->setFont(bold);
    grid->addWidget(dataType, 0, 0);
    grid->addWidget(province, 0, 1);
    grid->addWidget(altitude, 1, 0);
    grid->addWidget(station, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* selection = makeLabel("LSeleccion" + suffix, {}, band);
    selection->setWordWrap(true);
    grid->addWidget(selection, 2, 0, 1, 2);
    selectionLines_[page] = selection;
    layout->addWidget(band);
    if (!note.isEmpty()) {
        auto* hint = makeLabel(name + "_note", note, contents);
        hint->setWordWrap(true);
        layout->addWidget(hint);
    }
    layout->addStretch(1);
    if (scrolls) {
        makeScrollingPage(page, contents);
    } else {
        auto* whole = new QVBoxLayout(page);
        whole->setContentsMargins(0, 0, 0, 0);
        whole->addWidget(contents);
    }
    return page;
}

void TForm1::buildEntryPanel() {
    PanelEntrada = new QFrame(this);
    PanelEntrada->setObjectName("PanelEntrada");
    PanelEntrada->setAutoFillBackground(true);
    PanelEntrada->setStyleSheet(
        QStringLiteral("QFrame#PanelEntrada { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                       "stop:0 #0b2a6b, stop:1 #5d8fd6); } QLabel { color: white; }"));
    auto* layout = new QVBoxLayout(PanelEntrada);
    layout->addStretch(2);
    auto* title = makeLabel("LTituloEntrada", kCaption, PanelEntrada);
    QFont titleFont = title->font();
    titleFont.setPointSize(24);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addStretch(1);
    Image5 = new PictureWidget("Image5", QSize(96, 96), PanelEntrada);
    Image5->setPicture(entryIcon());
    Image5->setToolTip(QStringLiteral("Hacer click sobre el icono"));
    Image5->setCursor(Qt::PointingHandCursor);
    layout->addWidget(Image5, 0, Qt::AlignHCenter);
    auto* enter = makeLabel("LEntrar", QStringLiteral("Entrar"), PanelEntrada);
    QFont enterFont = enter->font();
    enterFont.setPointSize(14);
    enterFont.setBold(true);
    enter->setFont(enterFont);
    enter->setAlignment(Qt::AlignCenter);
    layout->addWidget(enter);
    layout->addStretch(2);
    auto* version = makeLabel("LVersion", QStringLiteral("Versión 1.2 Mayo 2014"), PanelEntrada);
    version->setAlignment(Qt::AlignRight);
    layout->addWidget(version);
    PanelEntrada->raise();
}

void TForm1::buildHelpPanel() {
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    Memo1->setFont(font);
    Memo1->hide();
    BitBtn8 = new QPushButton(QStringLiteral("Ocultar"), this);
    BitBtn8->setObjectName("BitBtn8");
    QFont buttonFont(QStringLiteral("Verdana"));
    buttonFont.setPixelSize(11);
    BitBtn8->setFont(buttonFont);
    BitBtn8->setFixedSize(105, 25);
    BitBtn8->hide();
}

void TForm1::layOverlays() {
    // The entry panel covers the whole window; the help panel lies over the top-left part of
    // the client area, with its button near its bottom-right corner.
    PanelEntrada->setGeometry(rect());
    const QRect client = centralWidget()->geometry();
    const int width = std::min(1017, client.width());
    const int height = std::min(617, client.height());
    Memo1->setGeometry(client.x(), client.y(), width, height);
    BitBtn8->move(client.x() + std::min(888, width - 105 - 24),
                  client.y() + std::min(568, height - 25 - 24));
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layOverlays();
}

void TForm1::connectHandlers() {
    connect(Image5, &PictureWidget::clicked, this, [this] { PanelEntrada->hide(); });
    connect(SBAcerca, &QToolButton::clicked, this, [this] { showHelp(0); });
    connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int i) { pageChanged(i); });
    // The year lists change the hours their pages count.
    connect(ComboBox5, &QComboBox::activated, this,
            [this] { guarded(this, [this] { showSelectionLine(TSDiagrama); }); });
    connect(ComboBox6, &QComboBox::activated, this,
            [this] { guarded(this, [this] { showSelectionLine(TSValoresHorariosAEMET); }); });
    // The location labels of the pages share the calendar's button.
    for (ClickLabel* label : {LIndicativo, LEstacion, LEstacion2_, Label2, LasnmD, LEstacionD,
                              LEstacionF, LasnmF, LEstacionP, LasnmP, LasnmG, LEstacionG, LasnmH,
                              LEstacionH, LasnmV, LPTV, LasnmVAEMET, LEstacionVAEMET}) {
        connect(label, &ClickLabel::clicked, this,
                [this] { guarded(this, [this] { applyDayTypeSelection(); }); });
    }
}

void TForm1::FormCreate() {
    // The humid-air constants are those of the engine's functions; nothing to set here.
    state_->typicalYearIndex = -1;
    refreshTabsAndLabels();
    PageControl1->setCurrentWidget(TSEstacion);
    currentPage_ = TSEstacion;
    CBCEstaciones->setCurrentIndex(0);
    CBDiaSemana->setCurrentIndex(0);
    ComboBox3->setCurrentIndex(1);
    ComboBox5->setCurrentIndex(10);
    ComboBox6->setCurrentIndex(10);
    CBAEMET->setCurrentIndex(0);
    CBMet->setCurrentIndex(0);
    CBMet2013->setCurrentIndex(0);
    fillDefaultSchedules(state_->scheduleTable);
    setSaveVisible(false);
    TSEstacionShow();
    layOverlays();
}

void TForm1::configureDataSource() {
    const int source = RGTiposDatos->itemIndex();
    Panel3->setVisible(source == 1);
    // EPW files give as many year slots as they hold years.
    if (source == static_cast<int>(DataSource::Epw)) {
        if (!epwLoaded_) state_->nYears = 1;
        return;
    }
    state_->nYears = source == 0 ? kStationYears : 1;
}

bool TForm1::epwChosen() const {
    return RGTiposDatos->itemIndex() == static_cast<int>(DataSource::Epw) && epwLoaded_;
}

bool TForm1::yearsChosen() const {
    return RGTiposDatos->itemIndex() == 0 || (epwChosen() && state_->typicalYearIndex < 0);
}

void TForm1::refreshTabsAndLabels() {
    auto setTab = [this](QWidget* page, bool visible) {
        PageControl1->setTabVisible(PageControl1->indexOf(page), visible);
    };
    // A chosen station whose load gave no data has no results to show.
    const bool stationChosen = CBAEMET->currentIndex() > 0 && stationLoaded_;
    // EPW actual years are shown as a station's years are, a typical year as a typical year's.
    const bool epwYears = epwChosen() && yearsChosen();
    const bool nothingSelected = !stationChosen && !epwChosen() && state_->typicalYearIndex < 0;
    if (nothingSelected) {
        for (QWidget* page : {TSProyecto, TSValoresHorarios, TSValoresHorariosAEMET, TSDiagrama,
                              TSFrecuencias, TSPromedios, TSGradosHora, TSGradosDia, TSIntervalo}) {
            setTab(page, false);
        }
    } else {
        // EPW files loaded one after the other may change from a typical year to years.
        setTab(TSValoresHorariosAEMET, stationChosen || epwYears);
        setTab(TSProyecto, stationChosen || epwChosen());
        setTab(TSValoresHorarios, state_->typicalYearIndex >= 0);
        for (QWidget* page : {TSDiagrama, TSFrecuencias, TSPromedios, TSGradosHora, TSGradosDia,
                              TSEstacion, TSIntervalo}) {
            setTab(page, true);
        }
        if (RGMinimo->itemIndex() >= 1 || RGMaximo->itemIndex() >= 1) {
            setTab(TSGradosHora, false);
            setTab(TSGradosDia, false);
        }
    }
    const QString dataType =
        qs(dataTypeLabel(static_cast<DataSource>(RGTiposDatos->itemIndex()), RGAEMET->itemIndex()));
    for (QLabel* label : {LTipodatosD, LTipodatosF, LTipodatosP, LTipodatosG}) {
        label->setText(dataType);
    }
}

void TForm1::setCaptionForSource() {
    switch (RGTiposDatos->itemIndex()) {
        case 0:
            setWindowTitle(kCaption + ":  AEMET   " + CBAEMET->currentText());
            break;
        case 1:
            setWindowTitle(kCaption + ":  CTE-HE 2006   " + CBMet->currentText());
            break;
        case 2:
            setWindowTitle(kCaption + ":  CTE-HE 2013   " + CBMet2013->currentText());
            break;
        default:
            setWindowTitle(kCaption + ":  EPW   " +
                           (epwLoaded_ ? qs(state_->locationName) : QString()));
            break;
    }
}

void TForm1::RGTiposDatosClick() {
    CBAEMET->setCurrentIndex(0);
    CBMet->setCurrentIndex(0);
    state_->typicalYearIndex = -1;
    configureDataSource();
    refreshTabsAndLabels();
    const int source = RGTiposDatos->itemIndex();
    CBAEMET->setVisible(source == 0);
    RGAEMET->setVisible(source == 0);
    SpeedButton2->setVisible(source == 0);
    BImportar->setVisible(source == 0);
    CBMet->setVisible(source == 1);
    CBMet2013->setVisible(source == 2);
    BFicherosEPW->setVisible(source == static_cast<int>(DataSource::Epw));
    epwLoaded_ = false;
    clearStationLabels(true);
    RGAEMET->setItemIndex(0);
    // The altitude edit follows the choice it belongs to.
    Eaamn->setVisible(false);
    Label49->setVisible(false);
    LAvisoDatos->clear();
    if (setup_.dataFolder.folder.empty()) reportMissingFolder();
    setCaptionForSource();
}

void TForm1::pageChanged(int index) {
    QWidget* page = PageControl1->widget(index);
    if (page == currentPage_) return;
    QWidget* previous = currentPage_;
    currentPage_ = page;
    leavePage(previous);
    for (QWidget* withSave :
         {TSFrecuencias, TSPromedios, TSGradosHora, TSGradosDia, TSValoresHorarios}) {
        if (page == withSave) {
            setSaveVisible(true);
            showPage(page);
            return;
        }
    }
    setSaveVisible(false);
    showPage(page);
}

void TForm1::setSaveVisible(bool visible) {
    saveAction_->setVisible(visible);
}

void TForm1::leavePage(QWidget* page) {
    if (page != TSEstacion) return;
    if (RGTiposDatos->itemIndex() == 0 && RGAEMET->itemIndex() > 0 &&
        !state_->stationCode.empty()) {
        guarded(this, [this] { loadSelectedStation(); });
    }
}

void TForm1::showPage(QWidget* page) {
    if (page == TSEstacion) {
        TSEstacionShow();
    } else if (page == TSIntervalo) {
        TSIntervaloShow();
    } else if (page != nullptr) {
        guarded(this, [this, page] { showResultPage(page); });
    }
}

void TForm1::showResultPage(QWidget* page) {
    AnalysisState& state = *state_;
    const SelectionSettings settings = selectionSettings();
    if (page == TSProyecto || page == TSGradosDia) {
        initValidMasks(state, settings.source);
    } else {
        runSelection(state, settings);
    }
    const char separator = decimalSeparator();
    const PageLabelSettings labelSettings = pageLabelSettings(page == TSFrecuencias);
    auto showLabels = [](const PageLabels& labels, QLabel* dataType, QLabel* province,
                         QLabel* altitude, QLabel* station) {
        if (dataType) dataType->setText(qs(labels.dataType));
        province->setText(qs(labels.province));
        altitude->setText(qs(labels.altitudePressure));
        if (station) station->setText(qs(labels.station));
    };
    if (page == TSProyecto) {
        TSProyectoShow();
    } else if (page == TSDiagrama) {
        showLabels(diagramPageLabels(state, settings.source, separator), LTipodatosD, LProvinciaD,
                   LasnmD, LEstacionD);
        drawDiagramPage();
    } else if (page == TSFrecuencias) {
        showLabels(frequencyPageLabels(state, labelSettings), nullptr, LProvinciaF, LasnmF,
                   LEstacionF);
        showFrequencyTable();
    } else if (page == TSPromedios) {
        showLabels(averagePageLabels(state, settings.source, separator), LTipodatosP, LProvinciaP,
                   LasnmP, LEstacionP);
        computeHourlyAveragesPage();
        showAverageChart();
    } else if (page == TSGradosHora) {
        showLabels(degreePageLabels(state, labelSettings), LTipodatosG, LProvinciaG, LasnmG,
                   LEstacionG);
        FrequencySettings selectors = frequencySettings();
        computeDegreeHours(state, selectors, settings);
        // The degree-hours leave the frequency page on the dry bulb with "Ts media(ºC)".
        RGOpcionTipo->setItemIndex(static_cast<int>(selectors.variable));
        RGTipo->setItemIndex(static_cast<int>(selectors.output));
        showDegreeHourTable();
    } else if (page == TSGradosDia) {
        showLabels(degreePageLabels(state, labelSettings), LTipodatosH, LProvinciaH, LasnmH,
                   LEstacionH);
        computeDegreeDays(state, settings.source);
        showDegreeDayTable();
    } else if (page == TSValoresHorarios) {
        showLabels(hourlyValuesPageLabels(state, separator, settings.source), LTipodatosV,
                   LProvinciaV, LasnmV, nullptr);
        setGridTexts(StringGrid4, fillHourlyValuesTable(state, separator));
        plotHourlyValuesPage();
    } else if (page == TSValoresHorariosAEMET) {
        showLabels(stationHourlyValuesPageLabels(state, separator, settings.source),
                   LTipodatosVAEMET, LProvinciaVAEMET, LasnmVAEMET, LEstacionVAEMET);
        plotStationHourlyValuesPage();
    }
    showSelectionLine(page);
}

QLabel* TForm1::selectionLine(QWidget* page) const {
    const auto found = selectionLines_.find(page);
    return found == selectionLines_.end() ? nullptr : found->second;
}

void TForm1::showSelectionLine(QWidget* page) {
    QLabel* line = selectionLine(page);
    if (line == nullptr) return;
    const bool allHours = page == TSProyecto || page == TSGradosDia;
    // The pages that show one year of a station count that year's hours.
    int yearSlot = 0;
    if (yearsChosen() && (page == TSDiagrama || page == TSValoresHorariosAEMET)) {
        const YearSlotRange range =
            yearSlotsOfItem(*state_, (page == TSDiagrama ? ComboBox5 : ComboBox6)->currentIndex());
        if (!range.all) yearSlot = range.first;
    }
    const SelectionSummary summary =
        selectionSummary(*state_, selectionSettings(),
                         allHours ? SummaryScope::AllValidHours : SummaryScope::Selected, yearSlot);
    line->setText(qs(summary.text));
}

QStringList TForm1::printHeading(QWidget* chart) const {
    for (const auto& [page, line] : selectionLines_) {
        if (!page->isAncestorOf(chart)) continue;
        QStringList location;
        if (const auto* band = page->findChild<QFrame*>(page->objectName() + "_location")) {
            for (QLabel* label : band->findChildren<QLabel*>()) {
                if (label != line && !label->text().isEmpty()) location << label->text();
            }
        }
        return {location.join("   "), line->text()};
    }
    return {};
}

PageLabelSettings TForm1::pageLabelSettings(bool withLocalityAltitude) const {
    PageLabelSettings settings;
    settings.source = static_cast<DataSource>(RGTiposDatos->itemIndex());
    settings.extrapolationChoice = RGAEMET->itemIndex();
    settings.decimalSeparator = decimalSeparator();
    if (withLocalityAltitude &&
        psychro::movesAltitude(static_cast<psychro::Extrapolation>(RGAEMET->itemIndex()))) {
        settings.localityAltitude = numberFromText(Eaamn->text());
    }
    return settings;
}

SelectionSettings TForm1::selectionSettings() const {
    SelectionSettings settings;
    settings.source = static_cast<DataSource>(RGTiposDatos->itemIndex());
    settings.intervalPreset = RGIntervalo->itemIndex();
    settings.first = {static_cast<RangeVariable>(RGMinimo->itemIndex()),
                      static_cast<RangeSense>(RG1Variable->itemIndex()), ss(EMin->text())};
    settings.second = {static_cast<RangeVariable>(RGMaximo->itemIndex()),
                       static_cast<RangeSense>(RG2Variable->itemIndex()), ss(EMax->text())};
    settings.decimalSeparator = decimalSeparator();
    settings.dayTypeTable = dayTypeTable_;
    return settings;
}

void TForm1::showHelp(int text) {
    const std::vector<std::string>& lines = text == 0   ? generalHelpText()
                                            : text == 1 ? extrapolationHelpText()
                                                        : glossaryHelpText();
    Memo1->clear();
    for (const std::string& line : lines)
        Memo1->appendPlainText(qs(line));
    Memo1->verticalScrollBar()->setValue(0);
    layOverlays();
    Memo1->show();
    Memo1->raise();
    BitBtn8->show();
    BitBtn8->raise();
    if (PanelEntrada->isVisible()) PanelEntrada->raise();
}

void TForm1::BitBtn8Click() {
    Memo1->hide();
    BitBtn8->hide();
}

}  // namespace climstat::app
