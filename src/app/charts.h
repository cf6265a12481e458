#pragma once

#include <QChartView>
#include <QColor>
#include <QImage>
#include <QLineSeries>
#include <QValueAxis>
#include <QWidget>
#include <vector>

#include "stats/chart_point.h"
#include "stats/hourly_values.h"

class QProgressBar;

QT_BEGIN_NAMESPACE
class Q3DSurface;
class QSurface3DSeries;
QT_END_NAMESPACE

namespace climstat::app {

// A 2D chart of line series over value axes, as the result pages draw theirs: a gradient
// background ending in white, axis titles, and each series' points replaced at once.
class LineChart : public QChartView {
    Q_OBJECT
  public:
    LineChart(const QString& objectName, bool legend, QWidget* parent = nullptr);

    // Adds a series (drawn with OpenGL when `fast`, for tens of thousands of points).
    QLineSeries* addSeries(const QString& title, const QColor& colour, int width = 1,
                           bool fast = false);
    void setPoints(int series, const std::vector<ChartPoint>& points);
    void clearSeries();
    void setAxisTitles(const QString& left, const QString& bottom);
    // A bottom axis that keeps the two values; otherwise it follows the data.
    void fixBottomAxis(double min, double max);
    void setBottomLabelFormat(const QString& format);
    // Fits the automatic axes to the points of the visible series.
    void fitAxes();

    QChart* chartObject() const { return chart_; }
    QValueAxis* bottomAxis() const { return bottom_; }
    QValueAxis* leftAxis() const { return left_; }
    const std::vector<QLineSeries*>& series() const { return series_; }

  private:
    QChart* chart_;
    QValueAxis* bottom_;
    QValueAxis* left_;
    std::vector<QLineSeries*> series_;
    bool bottomFixed_ = false;
};

// A 3D surface (day x hour of the day x value) whose 3D view starts on first use and is kept:
// starting it costs most of a second on software OpenGL. Coloured from red (lowest) through
// yellow to navy (highest); the user turns it with the mouse.
class SurfaceChart : public QWidget {
    Q_OBJECT
  public:
    explicit SurfaceChart(const QString& objectName, QWidget* parent = nullptr);

    void setData(const std::vector<SurfacePoint>& points, const QString& valueTitle,
                 const QString& dayTitle, const QString& hourTitle);
    void clear();
    bool started() const { return surface_ != nullptr; }
    int pointCount() const { return pointCount_; }
    QImage picture();

  private:
    void start();

    Q3DSurface* surface_ = nullptr;
    QSurface3DSeries* series_ = nullptr;
    int pointCount_ = 0;
};

// The picture of a chart as drawn now: the 3D view's own rendering for a surface, the widget's
// (OpenGL layer included) otherwise.
QImage chartPicture(QWidget* chart);

}  // namespace climstat::app
