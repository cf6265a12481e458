#include "app/charts.h"

#include "app/toolkit.h"

#include <Q3DSurface>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLinearGradient>
#include <QPainter>
#include <QSurface3DSeries>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace climstat::app {

namespace {

// The colours of a 3D surface from its lowest value (0) to its highest (1): red, yellow, navy.
QGradientStops surfaceColours() {
    return {{0.0, Qt::red}, {0.5, Qt::yellow}, {1.0, QColor(0, 0, 128)}};
}

// The large bold font of a chart's notice.
QFont noticeFont(QFont font) {
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    return font;
}

}  // namespace

void setAxisTitle(QAbstractAxis* axis, const QString& title) {
    if (!title.contains(QStringLiteral("  "))) {
        axis->setTitleText(title);
        return;
    }
    axis->setTitleText(
        QStringLiteral("<span style=\"white-space:pre\">%1</span>").arg(title.toHtmlEscaped()));
}

ChartNotice::ChartNotice(QChart* chart)
    : QObject(chart), chart_(chart), item_(new QGraphicsSimpleTextItem(chart)) {
    item_->setFont(noticeFont(item_->font()));
    item_->setBrush(QColor(120, 0, 0));
    item_->setZValue(20);
    item_->hide();
    connect(chart, &QChart::plotAreaChanged, this, [this] { place(); });
}

void ChartNotice::setText(const QString& text) {
    item_->setText(text);
    item_->setVisible(!text.isEmpty());
    place();
}

QString ChartNotice::text() const {
    return item_->isVisible() ? item_->text() : QString();
}

void ChartNotice::place() {
    const QRectF area = chart_->plotArea();
    const QRectF box = item_->boundingRect();
    item_->setPos(area.center() - QPointF(box.width() / 2, box.height() / 2));
}

LineChart::LineChart(const QString& objectName, bool legend, QWidget* parent)
    : QChartView(parent),
      chart_(new QChart()),
      bottom_(new QValueAxis()),
      left_(new QValueAxis()),
      notice_(new ChartNotice(chart_)) {
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
    // Another size of the plot area means other pixel columns.
    connect(chart_, &QChart::plotAreaChanged, this, [this] { drawAll(false); });
}

QLineSeries* LineChart::addSeries(const QString& title, const QColor& colour, int width) {
    auto* series = new QLineSeries(chart_);
    series->setName(title);
    QPen pen(colour);
    pen.setWidth(width);
    series->setPen(pen);
    chart_->addSeries(series);
    series->attachAxis(bottom_);
    series->attachAxis(left_);
    series_.push_back(series);
    lines_.push_back({{}, {series}, {}, false});
    // The parts of a series follow it when the legend shows or hides it.
    const std::size_t index = lines_.size() - 1;
    connect(series, &QLineSeries::visibleChanged, this, [this, index] {
        const bool visible = series_[index]->isVisible();
        for (std::size_t i = 1; i < lines_[index].parts.size(); ++i)
            lines_[index].parts[i]->setVisible(visible && lines_[index].parts[i]->count() > 0);
    });
    return series;
}

void LineChart::setPoints(int series, std::vector<ChartPoint> points) {
    Line& line = lines_[static_cast<std::size_t>(series)];
    line.points = std::move(points);
    line.drawn = false;
}

const std::vector<ChartPoint>& LineChart::points(int series) const {
    return lines_[static_cast<std::size_t>(series)].points;
}

std::vector<QLineSeries*> LineChart::drawnSeries(int series) const {
    std::vector<QLineSeries*> drawn;
    for (QLineSeries* part : lines_[static_cast<std::size_t>(series)].parts) {
        if (part == series_[static_cast<std::size_t>(series)] || part->count() > 0)
            drawn.push_back(part);
    }
    return drawn;
}

void LineChart::clearSeries() {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        lines_[i].points.clear();
        lines_[i].drawn = false;
        draw(i, true);
    }
}

void LineChart::setAxisTitles(const QString& left, const QString& bottom) {
    setAxisTitle(left_, left);
    setAxisTitle(bottom_, bottom);
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
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (!series_[i]->isVisible()) continue;
        for (const ChartPoint& p : lines_[i].points) {
            if (!std::isfinite(p.x)) continue;
            xMin = std::min(xMin, p.x);
            xMax = std::max(xMax, p.x);
            if (!std::isfinite(p.y)) continue;
            yMin = std::min(yMin, p.y);
            yMax = std::max(yMax, p.y);
        }
    }
    if (xMin > xMax) {
        xMin = 0;
        xMax = 1;
    }
    if (yMin > yMax) {
        yMin = 0;
        yMax = 1;
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
    drawAll(false);
}

PixelColumns LineChart::pixelColumns() const {
    // Device pixels of the view, which are those of its picture on the clipboard too.
    const double ratio = devicePixelRatioF();
    const double left = chart_->mapToPosition(QPointF(bottom_->min(), left_->min())).x();
    const double right = chart_->mapToPosition(QPointF(bottom_->max(), left_->min())).x();
    return {bottom_->min(), bottom_->max(), left * ratio, (right - left) * ratio};
}

void LineChart::draw(std::size_t index, bool force) {
    Line& line = lines_[index];
    const PixelColumns columns = pixelColumns();
    if (!force && line.drawn && line.drawnFor == columns) return;
    const std::vector<std::vector<ChartPoint>> runs = drawnLineRuns(line.points, columns);
    QLineSeries* series = series_[index];
    while (line.parts.size() < runs.size()) {
        auto* part = new QLineSeries(chart_);
        part->setPen(series->pen());
        chart_->addSeries(part);
        part->attachAxis(bottom_);
        part->attachAxis(left_);
        for (QLegendMarker* marker : chart_->legend()->markers(part))
            marker->setVisible(false);
        line.parts.push_back(part);
    }
    for (std::size_t i = 0; i < line.parts.size(); ++i) {
        QList<QPointF> list;
        if (i < runs.size()) {
            list.reserve(static_cast<qsizetype>(runs[i].size()));
            for (const ChartPoint& p : runs[i])
                list.append(QPointF(p.x, p.y));
        }
        QLineSeries* part = line.parts[i];
        part->replace(list);
        if (i > 0) part->setVisible(series->isVisible() && !list.isEmpty());
    }
    line.drawnFor = columns;
    line.drawn = true;
}

void LineChart::drawAll(bool force) {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        draw(i, force);
}

PointCloud::PointCloud(QChart* chart, QValueAxis* bottom, QValueAxis* left, const QColor& colour,
                       int size)
    : QGraphicsObject(chart),
      chart_(chart),
      bottom_(bottom),
      left_(left),
      colour_(colour),
      size_(size) {
    setZValue(5);  // over the curves, under the labels
    connect(chart, &QChart::plotAreaChanged, this, [this] { changed(); });
    for (QValueAxis* axis : {bottom, left})
        connect(axis, &QValueAxis::rangeChanged, this, [this] { changed(); });
}

void PointCloud::setPoints(std::vector<DiagramPoint> points) {
    points_ = std::move(points);
    changed();
}

void PointCloud::changed() {
    prepareGeometryChange();
    stale_ = true;
    update();
}

PixelArea PointCloud::area() const {
    const QRectF plot = chart_->plotArea();
    return {bottom_->min(), bottom_->max(), left_->min(), left_->max(),
            plot.left(),    plot.top(),     plot.width(), plot.height()};
}

QRectF PointCloud::boundingRect() const {
    // The squares of the pixels on the right and bottom edges reach past the plot area.
    return chart_->plotArea().adjusted(0, 0, size_, size_);
}

void PointCloud::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRect box = boundingRect().toAlignedRect();
    if (stale_ || picture_.size() != box.size()) {
        picture_ = QImage(box.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        picture_.fill(Qt::transparent);
        const QRgb ink = colour_.rgba();
        for (const Pixel& p : pixels()) {
            for (int dy = 0; dy < size_; ++dy) {
                const int y = p.y - box.top() + dy;
                if (y < 0 || y >= picture_.height()) continue;
                auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(y));
                for (int dx = 0; dx < size_; ++dx) {
                    const int x = p.x - box.left() + dx;
                    if (x >= 0 && x < picture_.width()) line[x] = ink;
                }
            }
        }
        stale_ = false;
    }
    painter->drawImage(box.topLeft(), picture_);
}

ColourScale::ColourScale(QWidget* parent) : QWidget(parent) {
    setObjectName("ColourScale");
    setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0000,0")) + 40);
    setMinimumHeight(120);
}

void ColourScale::setRange(double low, double high, const QString& title) {
    low_ = low;
    high_ = high;
    title_ = title;
    setToolTip(title);
    update();
}

QStringList ColourScale::labels() const {
    QStringList texts;
    for (int k = 0; k <= 4; ++k)
        texts << numberText(low_ + (high_ - low_) * k / 4.0, 5, 1);
    return texts;
}

void ColourScale::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int margin = fontMetrics().height();
    const QRect bar(6, margin, 16, height() - 2 * margin);
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    gradient.setStops(surfaceColours());
    painter.fillRect(bar, gradient);
    painter.setPen(Qt::black);
    painter.drawRect(bar);
    const QStringList texts = labels();
    for (int k = 0; k <= 4; ++k) {
        const int y = bar.bottom() - bar.height() * k / 4;
        painter.drawLine(bar.right(), y, bar.right() + 4, y);
        painter.drawText(QRect(bar.right() + 7, y - margin / 2, width() - bar.right() - 7, margin),
                         Qt::AlignLeft | Qt::AlignVCenter, texts[k]);
    }
}

SurfaceChart::SurfaceChart(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QWidget(this);
    auto* row = new QHBoxLayout(view_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    scale_ = new ColourScale(view_);
    row->addWidget(scale_);
    layout->addWidget(view_, 1);
    notice_ = new QLabel(this);
    notice_->setObjectName(objectName + "_notice");
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setStyleSheet(QStringLiteral("background: white; color: #780000;"));
    notice_->setFont(noticeFont(notice_->font()));
    notice_->hide();
    layout->addWidget(notice_, 1);
    setMinimumSize(400, 300);
    setToolTip(QStringLiteral("Arrastrar con el botón derecho para girar; rueda para acercar"));
}

void SurfaceChart::start() {
    // No multisampling: on software OpenGL it multiplies the cost of every redraw.
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    format.setSamples(0);
    surface_ = new Q3DSurface(&format);
    container_ = QWidget::createWindowContainer(surface_, view_);
    container_->setObjectName(objectName() + "_view");
    static_cast<QHBoxLayout*>(view_->layout())->insertWidget(0, container_, 1);
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
    gradient.setStops(surfaceColours());
    series_->setBaseGradient(gradient);
    series_->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
    surface_->addSeries(series_);
    for (QValue3DAxis* axis : {surface_->axisX(), surface_->axisY(), surface_->axisZ()}) {
        axis->setTitleVisible(true);
        // Labels and titles turn towards the camera, so that they never read mirrored.
        axis->setLabelAutoRotation(90.0f);
        axis->setTitleFixed(false);
    }
    // The hours of the day every 6 hours, with a grid line every 3.
    surface_->axisZ()->setRange(0, 24);
    surface_->axisZ()->setSegmentCount(4);
    surface_->axisZ()->setSubSegmentCount(2);
    surface_->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    surface_->axisX()->setLabelFormat("%.0f");
    surface_->axisY()->setLabelFormat("%.1f");
    surface_->axisZ()->setLabelFormat("%.0f");
    QFont font = theme->font();
    font.setPointSize(26);
    theme->setFont(font);
    // Seen from the front left and somewhat above, as close as the view allows without
    // cutting off the labels.
    // The days run along a long, low box that fills the wide view.
    surface_->scene()->activeCamera()->setCameraPosition(-32.0f, 16.0f, 104.0f);
    surface_->scene()->activeCamera()->setTarget(QVector3D(0.0f, -0.35f, 0.0f));
    surface_->setHorizontalAspectRatio(1.8);
    surface_->setAspectRatio(2.6);
}

void SurfaceChart::setData(const std::vector<SurfacePoint>& points, const QString& valueTitle,
                           const QString& dayTitle, const QString& hourTitle,
                           const QString& notice) {
    notice_->setText(notice);
    notice_->setVisible(!notice.isEmpty());
    view_->setVisible(notice.isEmpty());
    if (!notice.isEmpty()) {
        clear();
        pointCount_ = static_cast<int>(points.size());
        return;
    }
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
    scale_->setRange(surface_->axisY()->min(), surface_->axisY()->max(), valueTitle);
    pointCount_ = static_cast<int>(points.size());
}

void SurfaceChart::clear() {
    if (series_) series_->dataProxy()->resetArray(new QSurfaceDataArray());
    pointCount_ = 0;
}

QString SurfaceChart::notice() const {
    return notice_->isVisibleTo(this) ? notice_->text() : QString();
}

QImage SurfaceChart::picture() {
    if (!surface_ || !view_->isVisibleTo(this)) return grab().toImage();
    // The 3D view renders itself; the scale beside it is an ordinary widget.
    QImage picture(size(), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(container_->mapTo(this, QPoint(0, 0)),
                      surface_->renderToImage(0, container_->size()));
    painter.drawPixmap(scale_->mapTo(this, QPoint(0, 0)), scale_->grab());
    return picture;
}

void fillHourlyLine(LineChart* line, const HourlyValuesChart& chart) {
    line->clearSeries();
    line->setAxisTitles(qs(chart.leftAxisTitle), qs(kHourlyLineBottomTitle));
    line->setPoints(0, chart.line);
    line->fitAxes();
    line->setNotice(qs(chart.noDataCaption));
}

QImage chartPicture(QWidget* chart) {
    if (auto* surface = qobject_cast<SurfaceChart*>(chart)) return surface->picture();
    return chart->grab().toImage();
}

}  // namespace climstat::app
