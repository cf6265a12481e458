#pragma once

// The pieces the result pages are built from: grids over the engine's texts, the copy and print
// buttons of a chart, the month charts, and the area where a chart lies over its grid.

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QString>
#include <QTableView>
#include <QWidget>
#include <vector>

#include "core/analysis_state.h"

namespace climstat::app {

class LineChart;

// A colour written as 0xRRGGBB.
QColor rgb(unsigned colour);

// A read-only result grid over a TextGridModel. Ctrl+C and the context menu's "Copiar tabla"
// put its texts on the clipboard as tab-separated lines with the headings: the selected cells,
// or the whole table when nothing is selected. The heading of the row headings' column (the
// top-left cell) is shown in the corner.
class ResultGrid : public QTableView {
    Q_OBJECT
  public:
    ResultGrid(const QString& name, bool firstColumnIsHeader, int columnWidth, QWidget* parent);
    void copyTable();
    void setCornerText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void placeCorner();

    QLabel* corner_ = nullptr;
};

QTableView* makeGrid(const QString& name, bool firstColumnIsHeader, int columnWidth,
                     QWidget* parent);

// Makes a grid at least as wide as its headings and columns, so that it shows them all.
void showAllColumns(QTableView* grid);

// The copy (`copy`) or print button of a chart.
QPushButton* chartButton(const QString& name, bool copy, QWidget* parent);

// A chart of the twelve months and the year, whose legend entries show or hide their series.
LineChart* monthChart(const QString& name, QWidget* parent);

// The widget of a statistics area: the grid and the charts laid over it.
QWidget* overlay(QWidget* parent, const std::vector<QWidget*>& layers);

// Marks the years of a year list that hold no data (grey, slanted, "Sin datos" as their tip),
// apart from those that do; "Todos" stays as it is.
void markYearsWithData(QComboBox* list, const AnalysisState& state);

// The widget inside a result page's scrolling area that holds what the page shows.
QWidget* resultContents(QWidget* page);

// Puts a page's content between its location band and its closing stretch.
void insertContent(QWidget* page, QLayout* content);

// The wait cursor while a handler runs.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace climstat::app
