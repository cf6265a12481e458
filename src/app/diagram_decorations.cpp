#include "app/diagram_decorations.h"

#include <QEvent>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <algorithm>

#include "app/result_widgets.h"
#include "app/toolkit.h"

namespace climstat::app {

DiagramDecorations::DiagramDecorations(QChartView* view, QLabel* readout)
    : QObject(view),
      view_(view),
      viewport_(view->viewport()),
      readout_(readout),
      notice_(new ChartNotice(view->chart())) {
    viewport_->setMouseTracking(true);
    viewport_->installEventFilter(this);
    connect(view_->chart(), &QChart::plotAreaChanged, this, [this] { place(); });
}

void DiagramDecorations::show(const PsychrometricDiagram& diagram, float pt,
                              char decimalSeparator) {
    pt_ = pt;
    decimalSeparator_ = decimalSeparator;
    labels_ = diagramLabels(diagram, decimalSeparator);
    QFont font = view_->font();
    font.setPointSizeF(font.pointSizeF() * 0.8);
    while (items_.size() < labels_.size()) {
        auto* item = new QGraphicsSimpleTextItem(view_->chart());
        item->setFont(font);
        item->setZValue(10);
        items_.push_back(item);
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i < labels_.size()) {
            const auto style = diagramSeriesStyle(labels_[i].series);
            // The darker shade of the curve's colour, readable on white.
            items_[i]->setBrush(rgb(style.colour).darker(style.colour == 0 ? 100 : 170));
            items_[i]->setText(qs(labels_[i].text));
        }
    }
    notice_->setText(qs(diagram.noDataCaption));
    readout_->clear();
    place();
}

std::vector<QGraphicsSimpleTextItem*> DiagramDecorations::shownLabels() const {
    std::vector<QGraphicsSimpleTextItem*> shown;
    for (QGraphicsSimpleTextItem* item : items_)
        if (item->isVisible()) shown.push_back(item);
    return shown;
}

void DiagramDecorations::place() {
    const QRectF area = view_->chart()->plotArea();
    std::vector<QRectF> taken;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        QGraphicsSimpleTextItem* item = items_[i];
        if (i >= labels_.size()) {
            item->hide();
            continue;
        }
        const DiagramLabel& label = labels_[i];
        const QPointF end = view_->chart()->mapToPosition(QPointF(label.at.x, label.at.y));
        const QRectF box = item->boundingRect();
        QPointF at;
        switch (label.placement) {
            case LabelPlacement::AboveLeft:
                at = end - QPointF(box.width() + 2, box.height() + 1);
                break;
            case LabelPlacement::Left:
                at = end - QPointF(box.width() + 3, box.height() / 2);
                break;
            case LabelPlacement::Right:
                at = end + QPointF(3, -box.height() / 2);
                break;
            case LabelPlacement::BelowRight:
                at = end + QPointF(2, -box.height() - 1);
                break;
        }
        // Inside the plot area, clear of the labels placed before it.
        at.setX(std::clamp(at.x(), area.left() + 1, area.right() - box.width() - 1));
        at.setY(std::clamp(at.y(), area.top() + 1, area.bottom() - box.height() - 1));
        const QRectF place(at, box.size());
        // Curves end on the edges of the plot area: a pixel's rounding must not leave them out.
        bool free = area.adjusted(-1, -1, 1, 1).contains(end);
        for (const QRectF& other : taken)
            free = free && !other.intersects(place);
        item->setPos(at);
        item->setVisible(free);
        if (free) taken.push_back(place.adjusted(-2, -1, 2, 1));
    }
}

void DiagramDecorations::showReadout(QPoint viewportPosition) {
    const QPointF scene = view_->mapToScene(viewportPosition);
    const QPointF chartPoint = view_->chart()->mapFromScene(scene);
    if (!view_->chart()->plotArea().contains(chartPoint) || !(pt_ > 0)) {
        readout_->clear();
        return;
    }
    const QPointF value = view_->chart()->mapToValue(chartPoint);
    readout_->setText(qs(diagramReadout(static_cast<float>(value.x()),
                                        static_cast<float>(value.y()), pt_, decimalSeparator_)
                             .text));
}

bool DiagramDecorations::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && readout_) {
        if (event->type() == QEvent::MouseMove)
            showReadout(static_cast<QMouseEvent*>(event)->position().toPoint());
        else if (event->type() == QEvent::Leave)
            readout_->clear();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace climstat::app
