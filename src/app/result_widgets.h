#pragma once

// The pieces the result pages are built from: grids over the engine's texts, the copy and print
// buttons of a chart, the month charts, and the area where a chart lies over its grid.

#include <QApplication>
#include <QColor>
#include <QLayout>
#include <QPushButton>
#include <QString>
#include <QTableView>
#include <QWidget>
#include <vector>

namespace climstat::app {

class LineChart;

// A colour written as 0xRRGGBB.
QColor rgb(unsigned colour);

// A read-only grid whose model is a TextGridModel.
QTableView* makeGrid(const QString& name, bool firstColumnIsHeader, int columnWidth,
                     QWidget* parent);

// The copy (`copy`) or print button of a chart.
QPushButton* chartButton(const QString& name, bool copy, QWidget* parent);

// A chart of the twelve months and the year, whose legend entries show or hide their series.
LineChart* monthChart(const QString& name, QWidget* parent);

// The widget of a statistics area: the grid and the charts laid over it.
QWidget* overlay(QWidget* parent, const std::vector<QWidget*>& layers);

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
