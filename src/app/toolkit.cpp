#include "app/toolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <exception>

#include "app/error_texts.h"
#include "core/errors.h"
#include "core/number_text.h"

namespace climstat::app {

RadioGroup::RadioGroup(const QString& objectName, const QString& caption, const QStringList& items,
                       int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    setObjectName(objectName);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setVerticalSpacing(1);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(objectName + "_" + QString::number(i));
        buttons_->addButton(button, i);
        layout->addWidget(button, i % rows, i / rows);
    }
    // idClicked is raised by the user's clicks only, never by setChecked.
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::itemIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index)) button->setChecked(true);
}

QString RadioGroup::itemText(int index) const {
    QAbstractButton* button = buttons_->button(index);
    return button ? button->text() : QString();
}

PictureWidget::PictureWidget(const QString& objectName, QSize size, QWidget* parent)
    : QWidget(parent) {
    setObjectName(objectName);
    setFixedSize(size);
    setMouseTracking(true);
}

void PictureWidget::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit mouseMoved(p.x(), p.y());
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void PictureWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

QLabel* makeLabel(const QString& objectName, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

char decimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode())
                                                         : '.';
}

float numberFromText(const QString& text) {
    return static_cast<float>(parseDecimal(ss(text), decimalSeparator()));
}

QString numberText(double value, int precision, int decimals) {
    return qs(climstat::numberText(value, precision, decimals, decimalSeparator()));
}

namespace {
std::function<void(const QString&)>& messageSink() {
    static std::function<void(const QString&)> sink;
    return sink;
}
}  // namespace

void setMessageSinkForTesting(std::function<void(const QString&)> sink) {
    messageSink() = std::move(sink);
}

void showCritical(QWidget* parent, const QString& text) {
    if (messageSink()) {
        messageSink()(text);
        return;
    }
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

bool guarded(QWidget* parent, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const ConversionError& error) {
        showCritical(parent, qs(std::string(error.what())));
    } catch (const ClimstatError& error) {
        showCritical(parent, spanishText(error.problem()));
    } catch (const std::exception& error) {
        showCritical(parent, qs(std::string(error.what())));
    } catch (...) {
        showCritical(parent, QStringLiteral("Error inesperado"));
    }
    return false;
}

void copyToClipboard(const QImage& picture) {
    QApplication::clipboard()->setImage(picture);
}

void printPreview(QWidget* parent, const QImage& picture) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&picture](QPrinter* target) {
                         QPainter painter(target);
                         const QRect page = painter.viewport();
                         const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
                         painter.setViewport(page.x(), page.y(), size.width(), size.height());
                         painter.setWindow(picture.rect());
                         painter.drawImage(0, 0, picture);
                     });
    dialog.exec();
}

}  // namespace climstat::app
