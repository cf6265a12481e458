#include <QLinearGradient>
#include <QVBoxLayout>

#include "app/result_widgets.h"
#include "app/tform1.h"
#include "output/average_export.h"
#include "stats/hourly_averages.h"

namespace climstat::app {

void TForm1::buildAveragePage() {
    auto* row = new QHBoxLayout();
    auto* controls = new QVBoxLayout();
    RGOpcionTipo2 =
        new RadioGroup("RGOpcionTipo2", QStringLiteral("Variable a representar"),
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
    for (QWidget* w :
         std::initializer_list<QWidget*>{RGOpcionTipo2, RGTipoGraficaPromedio, BitBtn4, BitBtn5}) {
        controls->addWidget(w);
    }
    controls->addStretch(1);
    StringGrid2 = makeGrid("StringGrid2", true, 60, TSPromedios);
    Chart2 = monthChart("Chart2", TSPromedios);
    Chart2->fixBottomAxis(1, 24);
    Chart2->bottomAxis()->setTickCount(24);
    // The panel's light yellow, fading to white at the bottom.
    QLinearGradient background(0, 0, 0, 1);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, QColor(0xFF, 0xFF, 0x80));
    background.setColorAt(1, Qt::white);
    Chart2->chartObject()->setBackgroundBrush(background);
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

void TForm1::computeHourlyAveragesPage() {
    computeHourlyAverages(*state_, {RGOpcionTipo2->itemIndex()});
    setGridTexts(StringGrid2, hourlyAverageGridTexts(*state_, decimalSeparator()));
}

void TForm1::fillAverageChart() {
    const AverageChart chart = averageChart(*state_, {RGOpcionTipo2->itemIndex()});
    Chart2->setAxisTitles(qs(chart.leftAxisTitle), qs(kAverageBottomAxisTitle));
    for (int j = 1; j <= 13; ++j) {
        Chart2->setPoints(j - 1, chart.series[static_cast<std::size_t>(j)]);
    }
    Chart2->fitAxes();
}

void TForm1::showAverageChart() {
    Chart2->hide();
    if (RGTipoGraficaPromedio->itemIndex() == 1) return;
    fillAverageChart();
    Chart2->show();
    Chart2->raise();
}
}  // namespace climstat::app
