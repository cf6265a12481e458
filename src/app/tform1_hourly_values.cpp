#include <QGridLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/result_widgets.h"
#include "app/tform1.h"
#include "stats/hourly_values.h"

namespace climstat::app {

namespace {

// The copy and print buttons of the 2D and the 3D chart, two by two.
QGridLayout* chartButtons(QPushButton* copy2D, QPushButton* print2D, QPushButton* copy3D,
                          QPushButton* print3D) {
    auto* grid = new QGridLayout();
    grid->addWidget(copy2D, 0, 0);
    grid->addWidget(print2D, 0, 1);
    grid->addWidget(copy3D, 1, 0);
    grid->addWidget(print3D, 1, 1);
    return grid;
}

}  // namespace

void TForm1::buildHourlyValuesPages() {
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
        // The variables keep their room while the table is shown: nothing moves with the view.
        QSizePolicy keep = RGDatoRepresentar->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        RGDatoRepresentar->setSizePolicy(keep);
        controls->addWidget(RGDatoRepresentar, 1);
        controls->addLayout(chartButtons(BitBtn2, BitBtn3, BitBtn11, BitBtn12));
        box->addLayout(controls);
        // "mes" is the heading column, as the hour's row heading.
        StringGrid4 = makeGrid("StringGrid4", true, 65, TSValoresHorarios);
        static_cast<ResultGrid*>(StringGrid4)->setCornerText(QStringLiteral("mes"));
        StringGrid4->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
        Chart8 = new LineChart("Chart8", false, TSValoresHorarios);
        Chart8->addSeries(QStringLiteral("Dem_Calef"), Qt::red, 1);
        Chart8->addSeries(QStringLiteral("Dem_Refrig"), Qt::blue, 1);
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
        controls->addLayout(chartButtons(BitBtn9, BitBtn10, BitBtn13, BitBtn14));
        box->addLayout(controls);
        Chart4 = new LineChart("Chart4", false, TSValoresHorariosAEMET);
        Chart4->addSeries(QStringLiteral("Dem_Calef"), Qt::red, 1);
        Chart4->addSeries(QStringLiteral("Dem_Refrig"), Qt::blue, 1);
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
}

namespace {

// Draws the 2D line or the 3D surface of an hourly-value chart, the line hidden while it is
// filled; a year without data says so over the chart. A 3D view that stays in view is not
// hidden: every time its window is mapped again it draws itself anew, several times over.
void showHourlyChart(const HourlyValuesChart& chart, LineChart* line, SurfaceChart* surface) {
    line->hide();
    if (chart.type == HourlyChartType::TwoD) {
        surface->hide();
        fillHourlyLine(line, chart);
        line->show();
        line->raise();
    } else {
        line->clearSeries();
        if (surface->isHidden()) {
            surface->show();
            surface->raise();
        }
        surface->setData(chart.surface, qs(chart.leftAxisTitle), qs(kHourlySurfaceBottomTitle),
                         qs(kHourlySurfaceDepthTitle), qs(chart.noDataCaption));
    }
}

}  // namespace

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
    showHourlyChart(chart, Chart8, Chart3D);
}

void TForm1::plotStationHourlyValuesPage() {
    BusyCursor busy;
    markYearsWithData(ComboBox6, *state_);
    const HourlyValuesChart chart = plotStationHourlyValues(
        *state_, {RGTipoGraficaTempAEMET->itemIndex(), RGDatoRepresentarAEMET->itemIndex(),
                  ComboBox6->currentIndex()});
    showHourlyChart(chart, Chart4, Chart5D);
}

}  // namespace climstat::app
