#include "app/result_widgets.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLegend>
#include <QLegendMarker>
#include <QStyle>
#include <QVBoxLayout>

#include "app/charts.h"
#include "app/text_grid_model.h"

namespace climstat::app {

namespace {

const QString kCopyHint = QStringLiteral("Pone el contenido del gráfico en el portapapeles");

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

}  // namespace

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

QWidget* overlay(QWidget* parent, const std::vector<QWidget*>& layers) {
    auto* area = new QWidget(parent);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    for (QWidget* layer : layers)
        grid->addWidget(layer, 0, 0);
    return area;
}

void insertContent(QWidget* page, QLayout* content) {
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->insertLayout(layout->count() - 1, content, 10);
}

}  // namespace climstat::app
