#include "app/charts.h"

#include <Q3DSurface>
#include <QLinearGradient>
#include <QSurface3DSeries>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace climstat::app {

LineChart::LineChart(const QString& objectName, bool legend, QWidget* parent)
    : QChartView(parent), chart_(new QChart()), bottom_(new QValueAxis()), left_(new QValueAxis()) {
    setObjectName(objectName);
    setChart(chart_);
    setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, 1);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, QColor(255, 255, 210));
    background.setColorAt(1, Qt::white);
    chart_->setBackgroundBrush(background);
    chart_->legend()->setVisible(legend);
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->addAxis(bottom_, Qt::AlignBottom);
    chart_->addAxis(left_, Qt::AlignLeft);
    bottom_->setLabelFormat("%.0f");
    left_->setLabelFormat("%.4g");
}

QLineSeries* LineChart::addSeries(const QString& title, const QColor& colour, int width,
                                  bool fast) {
    auto* series = new QLineSeries(chart_);
    series->setName(title);
    QPen pen(colour);
    pen.setWidth(width);
    series->setPen(pen);
    series->setUseOpenGL(fast);
    chart_->addSeries(series);
    series->attachAxis(bottom_);
    series->attachAxis(left_);
    series_.push_back(series);
    return series;
}

void LineChart::setPoints(int series, const std::vector<ChartPoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& p : points)
        list.append(QPointF(p.x, p.y));
    series_[static_cast<std::size_t>(series)]->replace(list);
}

void LineChart::clearSeries() {
    for (QLineSeries* series : series_)
        series->clear();
}

void LineChart::setAxisTitles(const QString& left, const QString& bottom) {
    left_->setTitleText(left);
    bottom_->setTitleText(bottom);
}

void LineChart::fixBottomAxis(double min, double max) {
    bottomFixed_ = true;
    bottom_->setRange(min, max);
}

void LineChart::setBottomLabelFormat(const QString& format) {
    bottom_->setLabelFormat(format);
}

void LineChart::fitAxes() {
    double xMin = std::numeric_limits<double>::max(), xMax = -xMin;
    double yMin = xMin, yMax = -xMin;
    for (QLineSeries* series : series_) {
        if (!series->isVisible()) continue;
        for (const QPointF& p : series->points()) {
            xMin = std::min(xMin, p.x());
            xMax = std::max(xMax, p.x());
            yMin = std::min(yMin, p.y());
            yMax = std::max(yMax, p.y());
        }
    }
    if (xMin > xMax) {
        xMin = yMin = 0;
        xMax = yMax = 1;
    }
    if (yMin == yMax) {
        yMin -= 1;
        yMax += 1;
    }
    if (xMin == xMax) {
        xMin -= 1;
        xMax += 1;
    }
    if (!bottomFixed_) bottom_->setRange(xMin, xMax);
    left_->setRange(yMin, yMax);
    left_->applyNiceNumbers();
}

SurfaceChart::SurfaceChart(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setMinimumSize(400, 300);
    setToolTip(QStringLiteral("Arrastrar con el botón derecho para girar; rueda para acercar"));
}

void SurfaceChart::start() {
    // No multisampling: on software OpenGL it multiplies the cost of every redraw.
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    format.setSamples(0);
    surface_ = new Q3DSurface(&format);
    QWidget* container = QWidget::createWindowContainer(surface_, this);
    container->setObjectName(objectName() + "_view");
    layout()->addWidget(container);
    // Plain ambient light: with the default lighting the surface comes out black on software
    // OpenGL and only the range gradient should colour it.
    Q3DTheme* theme = surface_->activeTheme();
    theme->setAmbientLightStrength(1.0f);
    theme->setLightStrength(0.0f);
    theme->setBackgroundColor(Qt::white);
    theme->setWindowColor(Qt::white);
    theme->setLabelBackgroundEnabled(false);
    series_ = new QSurface3DSeries();
    series_->setDrawMode(QSurface3DSeries::DrawSurface);
    series_->setFlatShadingEnabled(false);
    QLinearGradient gradient;
    gradient.setColorAt(0.0, Qt::red);
    gradient.setColorAt(0.5, Qt::yellow);
    gradient.setColorAt(1.0, QColor(0, 0, 128));
    series_->setBaseGradient(gradient);
    series_->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
    surface_->addSeries(series_);
    surface_->axisX()->setTitleVisible(true);
    surface_->axisY()->setTitleVisible(true);
    surface_->axisZ()->setTitleVisible(true);
    surface_->axisZ()->setRange(1, 25);  // from 1 in steps of 2 hours
    surface_->axisZ()->setSegmentCount(12);
    surface_->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    surface_->axisX()->setLabelFormat("%.0f");
    surface_->axisY()->setLabelFormat("%.1f");
    surface_->axisZ()->setLabelFormat("%.0f");
    QFont font = theme->font();
    font.setPointSize(30);
    theme->setFont(font);
    // Seen from the front left and somewhat above, as close as the view allows without
    // cutting off the label of the last day.
    surface_->scene()->activeCamera()->setCameraPosition(-35.0f, 30.0f, 78.0f);
    surface_->setHorizontalAspectRatio(1.6);
}

void SurfaceChart::setData(const std::vector<SurfacePoint>& points, const QString& valueTitle,
                           const QString& dayTitle, const QString& hourTitle) {
    if (!surface_) start();
    int days = 0;
    for (const SurfacePoint& p : points)
        days = std::max(days, static_cast<int>(p.x));
    auto* rows = new QSurfaceDataArray();
    rows->reserve(24);
    for (int hour = 0; hour < 24; ++hour) {
        auto* row = new QSurfaceDataRow(days);
        rows->append(row);
    }
    for (const SurfacePoint& p : points) {
        const int day = static_cast<int>(p.x) - 1;
        const int hour = static_cast<int>(p.z) - 1;
        if (day < 0 || hour < 0 || hour >= 24) continue;
        (*(*rows)[hour])[day].setPosition(
            QVector3D(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)));
    }
    series_->dataProxy()->resetArray(rows);
    surface_->axisY()->setTitle(valueTitle);
    surface_->axisX()->setTitle(dayTitle);
    surface_->axisZ()->setTitle(hourTitle);
    pointCount_ = static_cast<int>(points.size());
}

void SurfaceChart::clear() {
    if (series_) series_->dataProxy()->resetArray(new QSurfaceDataArray());
    pointCount_ = 0;
}

QImage SurfaceChart::picture() {
    if (!surface_) return grab().toImage();
    return surface_->renderToImage(0, size());
}

QImage chartPicture(QWidget* chart) {
    if (auto* surface = qobject_cast<SurfaceChart*>(chart)) return surface->picture();
    return chart->grab().toImage();
}

}  // namespace climstat::app
