#pragma once

#include <QChartView>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <vector>

#include "app/charts.h"
#include "output/psychrometric_diagram.h"

class QGraphicsSimpleTextItem;

namespace climstat::app {

// What the psychrometric diagram shows besides its series: the names of its curves at their
// ends, the notice of a year without data, and under the pointer the properties of the air at
// that point in a status line.
class DiagramDecorations : public QObject {
    Q_OBJECT
  public:
    DiagramDecorations(QChartView* view, QLabel* readout);

    // The labels of a drawing, at pressure pt, and its notice.
    void show(const PsychrometricDiagram& diagram, float pt, char decimalSeparator);
    // The labels laid out now (those that would cover another are left out).
    std::vector<QGraphicsSimpleTextItem*> shownLabels() const;
    QString notice() const { return notice_->text(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();
    void showReadout(QPoint viewportPosition);

    QChartView* view_;
    // The view's viewport, kept apart: its filter still sees events while the view is being
    // destroyed, when the view is no longer one to ask.
    QWidget* viewport_;
    QPointer<QLabel> readout_;
    ChartNotice* notice_;
    std::vector<DiagramLabel> labels_;
    std::vector<QGraphicsSimpleTextItem*> items_;
    float pt_ = 0;
    char decimalSeparator_ = '.';
};

}  // namespace climstat::app
