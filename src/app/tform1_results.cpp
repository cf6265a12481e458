#include <QApplication>
#include <QFileDialog>
#include <QGraphicsLayout>
#include <QResizeEvent>
#include <QShortcut>

#include "app/error_texts.h"
#include "app/result_widgets.h"
#include "app/tform1.h"
#include "core/errors.h"
#include "output/average_export.h"
#include "output/hourly_values_export.h"
#include "output/page_labels.h"
#include "output/statistics_export.h"
#include "output/text_export.h"
#include "stats/hourly_values.h"

namespace climstat::app {

void TForm1::buildResultContents() {
    buildDesignBoxes(TSProyecto);
    buildFrequencyPage();
    buildAveragePage();
    buildDegreePages();
    buildHourlyValuesPages();
    buildDiagramChart();

    // Copy and print buttons of the seven charts.
    const std::pair<QPushButton*, QWidget*> copies[] = {
        {BitBtn39, Chart1}, {BitBtn2, Chart8}, {BitBtn11, Chart3D}, {BitBtn4, Chart2},
        {BitBtn6, Chart3},  {BitBtn9, Chart4}, {BitBtn13, Chart5D}};
    for (const auto& copy : copies) {
        QWidget* chart = copy.second;
        connect(copy.first, &QPushButton::clicked, this,
                [this, chart] { copyToClipboard(currentChartPicture(chart)); });
    }
    const std::pair<QPushButton*, QWidget*> prints[] = {
        {BitBtn41, Chart1}, {BitBtn3, Chart8},  {BitBtn12, Chart3D}, {BitBtn5, Chart2},
        {BitBtn7, Chart3},  {BitBtn10, Chart4}, {BitBtn14, Chart5D}};
    for (const auto& print : prints) {
        QWidget* chart = print.second;
        connect(print.first, &QPushButton::clicked, this, [this, chart] {
            printPreview(this, currentChartPicture(chart), printHeading(chart));
        });
    }
    connect(SBImpresor, &QToolButton::clicked, this,
            [this] { guarded(this, [this] { SBImpresorClick(); }); });
    buildShortcuts();
}

void TForm1::buildShortcuts() {
    // Ctrl+S saves the page where "Guardar" is offered.
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, [this] {
        if (saveAction_->isVisible()) SBImpresor->click();
    });
    // Ctrl+Tab and Ctrl+Shift+Tab turn to the next or the previous page whose tab is shown.
    auto turn = [this](int step) {
        const int count = PageControl1->count();
        for (int k = 1; k < count; ++k) {
            const int index = ((PageControl1->currentIndex() + step * k) % count + count) % count;
            if (PageControl1->isTabVisible(index)) {
                PageControl1->setCurrentIndex(index);
                return;
            }
        }
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [turn] { turn(1); });
    for (const QKeySequence& previous : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)})
        connect(new QShortcut(previous, this), &QShortcut::activated, this, [turn] { turn(-1); });
    // Ctrl+P prints the chart of the page: the one of the chosen type on the hourly pages.
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, [this] {
        QWidget* page = PageControl1->currentWidget();
        QPushButton* print = page == TSDiagrama      ? BitBtn41
                             : page == TSFrecuencias ? BitBtn7
                             : page == TSPromedios   ? BitBtn5
                             : page == TSValoresHorarios
                                 ? (RGTipoGraficaTemp->itemIndex() == 1 ? BitBtn12 : BitBtn3)
                             : page == TSValoresHorariosAEMET
                                 ? (RGTipoGraficaTempAEMET->itemIndex() == 1 ? BitBtn14 : BitBtn10)
                                 : nullptr;
        if (print != nullptr) print->click();
    });
}

QImage TForm1::currentChartPicture(QWidget* chart) {
    auto* line = qobject_cast<LineChart*>(chart);
    if (line == nullptr || line->isVisible()) return chartPicture(chart);
    guarded(this, [this, line] {
        if (line == Chart3) fillFrequencyChart();
        if (line == Chart2) fillAverageChart();
        if (line == Chart8)
            fillHourlyLine(line, plotHourlyValues(*state_, {0, RGDatoRepresentar->itemIndex()}));
    });
    // Laid out at the size of the area it would fill, and drawn for it.
    line->setGeometry(line->parentWidget()->rect());
    QResizeEvent resize(line->size(), line->size());
    QApplication::sendEvent(line, &resize);
    if (QGraphicsLayout* layout = line->chartObject()->layout()) layout->activate();
    line->fitAxes();
    return chartPicture(chart);
}
// --- Save ---

void TForm1::SBImpresorClick() {
    // The dialog opens where the user saved last (else the documents folder), never in the
    // program's own folder.
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar fichero txt"),
                                                        dialogFolder("export"),
                                                        QStringLiteral("Text files (*.txt *.TXT)"));
    if (chosen.isEmpty()) return;  // cancelled: nothing is created or changed
    if (saveActivePage(chosen)) rememberDialogFolder("export", chosen);
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
                // The first line is the data-type caption as the page shows it.
                PageLabels labels = frequencyPageLabels(state, labelSettings);
                labels.dataType = ss(LTipodatosF->text());
                writeFrequencyPage(out, state, frequencies, labels, separator);
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
                writeHourlyValuesBlock(out, state, hourlyValuesPageLabels(state, separator, source),
                                       separator);
            }
        });
    } catch (const DataFileError& error) {
        showCritical(this, QStringLiteral("No se ha podido escribir el fichero ") +
                               qs(error.path()) + ": " + spanishReason(error.problem()));
        return false;
    }
    return true;
}

}  // namespace climstat::app
