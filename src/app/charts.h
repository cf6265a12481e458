#pragma once

#include <QChartView>
#include <QColor>
#include <QGraphicsObject>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>
#include <QWidget>
#include <vector>

#include "output/chart_lines.h"
#include "output/psychrometric_diagram.h"
#include "stats/chart_point.h"
#include "stats/hourly_values.h"

class QProgressBar;
class QGraphicsSimpleTextItem;

QT_BEGIN_NAMESPACE
class Q3DSurface;
class QSurface3DSeries;
QT_END_NAMESPACE

namespace climstat::app {

// Sets an axis title as it is written: Qt Charts lays titles out as rich text, which would fold
// runs of blanks into one, so a title with such a run keeps its blanks as preformatted text.
void setAxisTitle(QAbstractAxis* axis, const QString& title);

// A caption in the middle of a chart's plot area ("Sin datos para 2001"); empty hides it.
class ChartNotice : public QObject {
    Q_OBJECT
  public:
    explicit ChartNotice(QChart* chart);
    void setText(const QString& text);
    QString text() const;

  private:
    void place();

    QChart* chart_;
    QGraphicsSimpleTextItem* item_;
};

// A 2D chart of line series over value axes, as the result pages draw theirs: a gradient
// background ending in white, axis titles, and each series' points replaced at once. A series is
// drawn as the engine's runs of its points for the pixels of the plot area (drawnLineRuns): a
// point without a value breaks the line, and a series of a hundred thousand points is drawn
// through a few per pixel column, without OpenGL (whose line series leave out long runs of
// equal values). The runs are redrawn whenever the plot area or the axes change.
class LineChart : public QChartView {
    Q_OBJECT
  public:
    LineChart(const QString& objectName, bool legend, QWidget* parent = nullptr);

    QLineSeries* addSeries(const QString& title, const QColor& colour, int width = 1);
    // Replaces the points of a series; fitAxes draws them.
    void setPoints(int series, std::vector<ChartPoint> points);
    // The points of a series as the engine gave them.
    const std::vector<ChartPoint>& points(int series) const;
    // The line series that draw a series now, one per run of points with a value (the first is
    // the series itself, the one in the legend).
    std::vector<QLineSeries*> drawnSeries(int series) const;
    void clearSeries();
    void setAxisTitles(const QString& left, const QString& bottom);
    // A bottom axis that keeps the two values; otherwise it follows the data.
    void fixBottomAxis(double min, double max);
    void setBottomLabelFormat(const QString& format);
    // Fits the automatic axes to the points of the visible series (those with a value) and
    // draws them.
    void fitAxes();
    void setNotice(const QString& text) { notice_->setText(text); }
    QString notice() const { return notice_->text(); }

    QChart* chartObject() const { return chart_; }
    QValueAxis* bottomAxis() const { return bottom_; }
    QValueAxis* leftAxis() const { return left_; }
    // The series, one per addSeries, in that order.
    const std::vector<QLineSeries*>& series() const { return series_; }

  private:
    struct Line {
        std::vector<ChartPoint> points;
        std::vector<QLineSeries*> parts;  // parts[0] is the series itself
        PixelColumns drawnFor{};
        bool drawn = false;
    };
    PixelColumns pixelColumns() const;
    void draw(std::size_t index, bool force);
    void drawAll(bool force);

    QChart* chart_;
    QValueAxis* bottom_;
    QValueAxis* left_;
    ChartNotice* notice_;
    std::vector<QLineSeries*> series_;
    std::vector<Line> lines_;
    bool bottomFixed_ = false;
};

// A point series of tens of thousands of points (the diagram's measured hours), drawn over a
// chart's plot area as squares of `size` pixels on the pixels its points light (pointPixels),
// each pixel once however many points share it. Qt Charts' own point series is too slow for
// such a count without OpenGL, and its OpenGL layer makes every repaint of the window slower.
class PointCloud : public QGraphicsObject {
    Q_OBJECT
  public:
    PointCloud(QChart* chart, QValueAxis* bottom, QValueAxis* left, const QColor& colour, int size);

    void setPoints(std::vector<DiagramPoint> points);
    const std::vector<DiagramPoint>& points() const { return points_; }
    // The pixels the points light at the chart's present size and axes.
    std::vector<Pixel> pixels() const { return pointPixels(points_, area()); }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    PixelArea area() const;
    void changed();

    QChart* chart_;
    QValueAxis* bottom_;
    QValueAxis* left_;
    QColor colour_;
    int size_;
    std::vector<DiagramPoint> points_;
    QImage picture_;  // of the plot area, redrawn when the points or the area change
    bool stale_ = true;
};

// The colour scale beside a 3D surface: the range gradient from red (lowest) through yellow to
// navy (highest) with the values it stands for.
class ColourScale : public QWidget {
    Q_OBJECT
  public:
    explicit ColourScale(QWidget* parent = nullptr);
    void setRange(double low, double high, const QString& title);
    // The values named along the scale, lowest first.
    QStringList labels() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double low_ = 0;
    double high_ = 1;
    QString title_;
};

// A 3D surface (day x hour of the day x value) whose 3D view starts on first use and is kept:
// starting it costs most of a second on software OpenGL. Coloured from red (lowest) through
// yellow to navy (highest), with its colour scale beside it; the user turns it with the mouse.
// A chart without data shows its notice instead of the view.
class SurfaceChart : public QWidget {
    Q_OBJECT
  public:
    explicit SurfaceChart(const QString& objectName, QWidget* parent = nullptr);

    void setData(const std::vector<SurfacePoint>& points, const QString& valueTitle,
                 const QString& dayTitle, const QString& hourTitle, const QString& notice = {});
    void clear();
    bool started() const { return surface_ != nullptr; }
    int pointCount() const { return pointCount_; }
    QString notice() const;
    ColourScale* colourScale() const { return scale_; }
    Q3DSurface* surface() const { return surface_; }
    QImage picture();

  private:
    void start();

    Q3DSurface* surface_ = nullptr;
    QSurface3DSeries* series_ = nullptr;
    QWidget* container_ = nullptr;
    QWidget* view_ = nullptr;  // the 3D view and its scale
    ColourScale* scale_ = nullptr;
    QLabel* notice_ = nullptr;
    int pointCount_ = 0;
};

// Fills the line chart of an hourly-value page with the engine's 2D chart: its points, axis
// titles and the notice of a year without data.
void fillHourlyLine(LineChart* line, const HourlyValuesChart& chart);

// The picture of a chart as drawn now: the 3D view's own rendering for a surface, the widget's
// (OpenGL layer included) otherwise.
QImage chartPicture(QWidget* chart);

}  // namespace climstat::app
