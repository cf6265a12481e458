#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/diagram_decorations.h"
#include "app/result_widgets.h"
#include "app/tform1.h"
#include "output/psychrometric_diagram.h"

namespace climstat::app {

void TForm1::buildDiagramChart() {
    auto* chart = new QChart();
    Chart1 = new QChartView(chart, TSDiagrama);
    Chart1->setObjectName("Chart1");
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setToolTip(QStringLiteral(
        "Señalar las condiciones iniciales del aire con un doble clik sobre el diagrama."));
    chart->legend()->hide();
    auto* bottom = new QValueAxis();
    auto* left = new QValueAxis();
    setAxisTitle(bottom, qs(kDiagramBottomTitle));
    setAxisTitle(left, qs(kDiagramLeftTitle));
    // Titles in the labels' weight, so that the long humidity title fits a low window.
    for (QValueAxis* axis : {bottom, left}) {
        QFont font = axis->titleFont();
        font.setBold(false);
        axis->setTitleFont(font);
    }
    bottom->setLabelFormat("%.0f");
    left->setLabelFormat("%.1f");
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    diagramSeries_.assign(kDiagramSeriesCount, nullptr);
    auto attach = [&](QXYSeries* series) {
        chart->addSeries(series);
        series->attachAxis(bottom);
        series->attachAxis(left);
    };
    for (int index = 1; index < kDiagramSeriesCount; ++index) {
        const DiagramSeriesStyle style = diagramSeriesStyle(index);
        if (style.kind == DiagramSeriesKind::Line) {
            auto* line = new QLineSeries(chart);
            QPen pen(rgb(style.colour));
            pen.setWidth(style.penWidth);
            line->setPen(pen);
            attach(line);
            diagramSeries_[static_cast<std::size_t>(index)] = line;
            if (style.marker != DiagramMarker::None) {
                auto* markers = new QScatterSeries(chart);
                markers->setMarkerShape(style.marker == DiagramMarker::Square
                                            ? QScatterSeries::MarkerShapeRectangle
                                            : QScatterSeries::MarkerShapeCircle);
                markers->setMarkerSize(style.markerSize > 0 ? style.markerSize : 5);
                markers->setColor(rgb(style.colour));
                markers->setBorderColor(rgb(style.colour));
                attach(markers);
                (index == 5 ? diagramMarkers5_ : diagramMarkers44_) = markers;
            }
        } else if (index == kMeasuredHoursSeries) {
            diagramHours_ = new PointCloud(chart, bottom, left, rgb(style.colour),
                                           std::max(style.markerSize, 1) + 1);
        } else if (style.kind == DiagramSeriesKind::Points) {
            auto* points = new QScatterSeries(chart);
            points->setMarkerShape(style.marker == DiagramMarker::Square
                                       ? QScatterSeries::MarkerShapeRectangle
                                       : QScatterSeries::MarkerShapeCircle);
            points->setMarkerSize(std::max(style.markerSize, 1) + 1);
            points->setColor(rgb(style.colour));
            points->setPen(Qt::NoPen);
            attach(points);
            diagramSeries_[static_cast<std::size_t>(index)] = points;
        }
    }
    CGauge5 = new QProgressBar(TSDiagrama);
    CGauge5->setObjectName("CGauge5");
    CGauge5->setRange(0, 100);
    CGauge5->hide();
    BitBtn39 = chartButton("BitBtn39", true, TSDiagrama);
    BitBtn41 = chartButton("BitBtn41", false, TSDiagrama);
    auto* box = new QVBoxLayout();
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(BitBtn39);
    buttons->addWidget(BitBtn41);
    buttons->addWidget(CGauge5, 1);
    // The air under the pointer; the line keeps its height when it is empty.
    LPuntoDiagrama = makeLabel("LPuntoDiagrama", {}, TSDiagrama);
    LPuntoDiagrama->setMinimumHeight(LPuntoDiagrama->fontMetrics().height() + 4);
    buttons->addWidget(LPuntoDiagrama, 4);
    box->addLayout(buttons);
    box->addWidget(Chart1, 1);
    insertContent(TSDiagrama, box);
    diagramDecorations_ = new DiagramDecorations(Chart1, LPuntoDiagrama);
    connect(ComboBox5, &QComboBox::activated, this,
            [this] { guarded(this, [this] { drawDiagramPage(); }); });
}
void TForm1::drawDiagramPage() {
    BusyCursor busy;
    markYearsWithData(ComboBox5, *state_);
    Chart1->hide();
    CGauge5->setValue(0);
    CGauge5->show();
    PsychrometricDiagram diagram =
        drawDiagram(*state_, {ComboBox5->currentIndex()}, [this](int percent) {
            CGauge5->setValue(percent);
            CGauge5->repaint();
        });
    auto points = [](const std::vector<DiagramPoint>& source) {
        QList<QPointF> list;
        list.reserve(static_cast<qsizetype>(source.size()));
        for (const DiagramPoint& p : source)
            list.append(QPointF(p.x, p.y));
        return list;
    };
    for (int index = 1; index < kDiagramSeriesCount; ++index) {
        auto* series = static_cast<QXYSeries*>(diagramSeries_[static_cast<std::size_t>(index)]);
        if (series == nullptr) continue;
        const QList<QPointF> list = points(diagram.series[static_cast<std::size_t>(index)]);
        series->replace(list);
        if (index == 5) diagramMarkers5_->replace(list);
        if (index == 44) diagramMarkers44_->replace(list);
    }
    const auto axes = Chart1->chart()->axes();
    for (QAbstractAxis* axis : axes) {
        auto* value = static_cast<QValueAxis*>(axis);
        // The axes keep exactly the range of the diagram; the ticks fall on round values.
        value->setTickType(QValueAxis::TicksDynamic);
        value->setTickAnchor(0);
        if (axis->alignment() == Qt::AlignBottom) {
            value->setRange(diagram.bottomMin, diagram.bottomMax);
            value->setTickInterval(diagram.bottomMax - diagram.bottomMin > 30 ? 5 : 2);
        } else {
            value->setRange(diagram.leftMin, diagram.leftMax);
            const double span = diagram.leftMax - diagram.leftMin;
            value->setTickInterval(span > 20 ? 5 : span > 8 ? 2 : 1);
        }
    }
    CGauge5->hide();
    Chart1->show();
    diagramDecorations_->show(diagram, state_->pt, decimalSeparator());
    diagramHours_->setPoints(std::move(diagram.series[kMeasuredHoursSeries]));
    Label26->setVisible(yearsChosen());
    ComboBox5->setVisible(yearsChosen());
}
}  // namespace climstat::app
