#include "app/result_widgets.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QMenu>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/charts.h"
#include "app/text_grid_model.h"
#include "core/errors.h"
#include "stats/hourly_values.h"

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

ResultGrid::ResultGrid(const QString& name, bool firstColumnIsHeader, int columnWidth,
                       QWidget* parent)
    : QTableView(parent) {
    setObjectName(name);
    setModel(new TextGridModel(firstColumnIsHeader, this));
    horizontalHeader()->setDefaultSectionSize(columnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    auto* copy = new QAction(QStringLiteral("Copiar tabla"), this);
    copy->setObjectName(name + "_copiar");
    connect(copy, &QAction::triggered, this, [this] { copyTable(); });
    addAction(copy);
    connect(verticalHeader(), &QHeaderView::geometriesChanged, this, [this] { placeCorner(); });
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { placeCorner(); });
}

void ResultGrid::copyTable() {
    const auto* grid = static_cast<const TextGridModel*>(model());
    const int offset = grid->firstColumnIsHeader() ? 1 : 0;
    int firstRow = 1, lastRow = grid->texts().rowCount() - 1;
    int firstColumn = 1, lastColumn = grid->texts().columnCount() - 1;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (!selected.isEmpty()) {
        firstRow = lastRow = selected.front().row() + 1;
        firstColumn = lastColumn = selected.front().column() + offset;
        for (const QModelIndex& index : selected) {
            firstRow = std::min(firstRow, index.row() + 1);
            lastRow = std::max(lastRow, index.row() + 1);
            firstColumn = std::min(firstColumn, index.column() + offset);
            lastColumn = std::max(lastColumn, index.column() + offset);
        }
    }
    QApplication::clipboard()->setText(QString::fromStdString(
        tabSeparatedText(grid->texts(), firstRow, lastRow, firstColumn, lastColumn)));
}

void ResultGrid::setCornerText(const QString& text) {
    if (corner_ == nullptr) {
        corner_ = new QLabel(this);
        corner_->setObjectName(objectName() + "_esquina");
        corner_->setAlignment(Qt::AlignCenter);
        corner_->setAutoFillBackground(true);
        corner_->setBackgroundRole(QPalette::Button);
        corner_->setFont(horizontalHeader()->font());
    }
    corner_->setText(text);
    placeCorner();
}

void ResultGrid::placeCorner() {
    if (corner_ == nullptr) return;
    // The heading column is at least as wide as its heading.
    const int needed = corner_->fontMetrics().horizontalAdvance(corner_->text()) + 12;
    if (verticalHeader()->minimumWidth() < needed) verticalHeader()->setMinimumWidth(needed);
    const int frame = frameWidth();
    corner_->setGeometry(frame, frame, verticalHeader()->width(), horizontalHeader()->height());
    corner_->raise();
}

void ResultGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyTable();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ResultGrid::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addActions(actions());
    menu.exec(event->globalPos());
}

QTableView* makeGrid(const QString& name, bool firstColumnIsHeader, int columnWidth,
                     QWidget* parent) {
    return new ResultGrid(name, firstColumnIsHeader, columnWidth, parent);
}

void showAllColumns(QTableView* grid) {
    grid->setMinimumWidth(grid->verticalHeader()->sizeHint().width() +
                          grid->horizontalHeader()->length() + 2 * grid->frameWidth());
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

void markYearsWithData(QComboBox* list, const AnalysisState& state) {
    for (int item = 0; item < list->count(); ++item) {
        YearSlotRange range;
        try {
            range = yearSlotsOfItem(state, item);
        } catch (const UsageError&) {
            continue;  // an entry the loaded data do not offer
        }
        if (range.all) continue;
        const bool lacking = !yearSlotHasData(state, range.first);
        QFont font = list->font();
        font.setItalic(lacking);
        list->setItemData(item, lacking ? QVariant(QBrush(Qt::gray)) : QVariant(),
                          Qt::ForegroundRole);
        list->setItemData(item, lacking ? QVariant(font) : QVariant(), Qt::FontRole);
        list->setItemData(item, lacking ? QVariant(QStringLiteral("Sin datos")) : QVariant(),
                          Qt::ToolTipRole);
    }
}

QWidget* resultContents(QWidget* page) {
    return page->findChild<QWidget*>(page->objectName() + "_contenido");
}

void insertContent(QWidget* page, QLayout* content) {
    auto* layout = static_cast<QVBoxLayout*>(resultContents(page)->layout());
    layout->insertLayout(layout->count() - 1, content, 1);
    // The content takes the whole height it can use; the closing stretch only what it leaves.
    layout->setStretch(layout->count() - 1, 0);
}

}  // namespace climstat::app
