#include <QRadioButton>
#include <QVBoxLayout>

#include "app/result_widgets.h"
#include "app/tform1.h"
#include "stats/frequencies.h"

namespace climstat::app {

void TForm1::buildFrequencyPage() {
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
                       variables, 2, TSFrecuencias);
    // Two columns each, so that the page fits a low window.
    RGTipo =
        new RadioGroup("RGTipo", QStringLiteral("Variable de salida"), outputs, 2, TSFrecuencias);
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
    for (QWidget* w : std::initializer_list<QWidget*>{RGOpcionTipo, RGTipo, RGTipoGraficaFrecuencia,
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

void TForm1::fillFrequencyChart() {
    FrequencySettings settings = frequencySettings();
    settings.chartKind = FrequencyChartKind::TwoD;
    const FrequencyChart chart = frequencyChart(*state_, settings);
    Chart3->clearSeries();
    Chart3->setAxisTitles(qs(chart.leftAxisTitle), qs(chart.bottomAxisTitle));
    for (std::size_t j = 0; j < chart.series.size() && j < 13; ++j) {
        Chart3->setPoints(static_cast<int>(j), chart.series[j].points);
    }
    Chart3->fitAxes();
}

void TForm1::showFrequencyChart() {
    Chart3->hide();
    if (frequencySettings().chartKind == FrequencyChartKind::Table) return;
    fillFrequencyChart();
    Chart3->show();
    Chart3->raise();
}
}  // namespace climstat::app
