#include <QFileDialog>

#include "app/error_texts.h"
#include "app/result_widgets.h"
#include "app/tform1.h"
#include "core/errors.h"
#include "output/average_export.h"
#include "output/hourly_values_export.h"
#include "output/page_labels.h"
#include "output/statistics_export.h"
#include "output/text_export.h"

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
                [chart] { copyToClipboard(chartPicture(chart)); });
    }
    const std::pair<QPushButton*, QWidget*> prints[] = {
        {BitBtn41, Chart1}, {BitBtn3, Chart8},  {BitBtn12, Chart3D}, {BitBtn5, Chart2},
        {BitBtn7, Chart3},  {BitBtn10, Chart4}, {BitBtn14, Chart5D}};
    for (const auto& print : prints) {
        QWidget* chart = print.second;
        connect(print.first, &QPushButton::clicked, this,
                [this, chart] { printPreview(this, chartPicture(chart), printHeading(chart)); });
    }
    connect(SBImpresor, &QToolButton::clicked, this,
            [this] { guarded(this, [this] { SBImpresorClick(); }); });
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
                writeHourlyValuesBlock(out, state, hourlyValuesPageLabels(state, separator),
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
