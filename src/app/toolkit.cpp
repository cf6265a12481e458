#include "app/toolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
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
    : QWidget(parent), ownSize_(size) {
    setObjectName(objectName);
    setFixedSize(size);
    setMouseTracking(true);
}

void PictureWidget::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PictureWidget::setScalable(double minScale, double maxScale,
                                std::function<QImage(double)> render, double step) {
    minScale_ = minScale;
    maxScale_ = maxScale;
    step_ = step;
    render_ = std::move(render);
    // The widget takes whatever room it gets; the picture lies at its top left.
    setMinimumSize((QSizeF(ownSize_) * minScale).toSize());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    scale_ = 0;  // drawn at the first size the layout gives
    resizeEvent(nullptr);
}

void PictureWidget::resizeEvent(QResizeEvent*) {
    if (!render_) return;
    const double fit = std::min(static_cast<double>(width()) / ownSize_.width(),
                                static_cast<double>(height()) / ownSize_.height());
    double wanted = std::clamp(fit, minScale_, maxScale_);
    if (step_ > 0) wanted = minScale_ + step_ * std::floor((wanted - minScale_) / step_);
    if (wanted == scale_) return;
    scale_ = wanted;
    setPicture(render_(scale_));
}

QPoint PictureWidget::widgetPoint(QPoint picturePoint) const {
    // The first widget pixel that maps back to it (the pointer maps back by truncation).
    const auto place = [this](int v) { return static_cast<int>(std::ceil(v * scale_)); };
    return {place(picturePoint.x()), place(picturePoint.y())};
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void PictureWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position() / scale_;
    if (render_ && (p.x() >= ownSize_.width() || p.y() >= ownSize_.height())) return;
    emit mouseMoved(static_cast<int>(p.x()), static_cast<int>(p.y()));
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
    // The double-click event follows the second press; a new press starts afresh.
    if (event->button() == Qt::LeftButton) releaseEndsDoubleClick_ = false;
}

void PictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (releaseEndsDoubleClick_) {
        releaseEndsDoubleClick_ = false;
        return;
    }
    if (rect().contains(event->position().toPoint())) emit clicked();
}

void PictureWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    releaseEndsDoubleClick_ = true;
    emit doubleClicked();
}

namespace {

class ScrollingPage : public QScrollArea {
  public:
    ScrollingPage(QWidget* contents, QBoxLayout* halves, QWidget* parent) : QScrollArea(parent) {
        setObjectName(parent->objectName() + "_desplazable");
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setWidget(contents);
        setHalves(halves);
    }

    void setHalves(QBoxLayout* halves) {
        halves_ = halves;
        if (halves_ == nullptr) return;
        widget()->installEventFilter(this);
        arrange();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        arrange();
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The halves' needs change when a part of them is shown or hidden.
        if (event->type() == QEvent::LayoutRequest && watched == widget()) arrange();
        return QScrollArea::eventFilter(watched, event);
    }

  private:
    // Width the halves need side by side, whichever way they lie now.
    int sideBySideWidth() const {
        const QMargins margins = halves_->contentsMargins();
        int width = margins.left() + margins.right();
        int shown = 0;
        for (int i = 0; i < halves_->count(); ++i) {
            QLayoutItem* item = halves_->itemAt(i);
            if (item->isEmpty()) continue;
            width += item->minimumSize().width();
            ++shown;
        }
        return width + std::max(shown - 1, 0) * std::max(halves_->spacing(), 0);
    }

    void arrange() {
        if (halves_ == nullptr) return;
        // The room of a vertical scroll bar is kept aside: the halves lie side by side only when
        // they fit with one.
        const int room =
            width() - 2 * frameWidth() - style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const auto wanted =
            room >= sideBySideWidth() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
        if (halves_->direction() != wanted) halves_->setDirection(wanted);
    }

    QBoxLayout* halves_ = nullptr;
};

}  // namespace

void makeScrollingPage(QWidget* page, QWidget* contents, QBoxLayout* halves) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new ScrollingPage(contents, halves, page));
}

void setScrollingHalves(QWidget* page, QBoxLayout* halves) {
    auto* scroll = dynamic_cast<ScrollingPage*>(
        page->findChild<QScrollArea*>(page->objectName() + "_desplazable"));
    if (scroll != nullptr) scroll->setHalves(halves);
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
    QMessageBox::critical(parent, kProgramName, text);
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

namespace {

class NumberLeaveCheck : public QObject {
  public:
    explicit NumberLeaveCheck(QLineEdit* edit) : QObject(edit), edit_(edit), valid_(edit->text()) {
        edit->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != edit_ || checking_) return false;
        if (event->type() == QEvent::FocusOut) {
            check();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !check()) return true;
        }
        return false;
    }

  private:
    // Whether the text is a number. Otherwise the last valid one comes back at once (so that
    // whatever the user turns to computes with a number), and right after the focus change the
    // message is shown and the edit takes the focus back.
    bool check() {
        try {
            numberFromText(edit_->text());
            valid_ = edit_->text();
            return true;
        } catch (const ConversionError& error) {
            edit_->setText(valid_);
            const QString message = qs(std::string(error.what()));
            QTimer::singleShot(0, edit_, [this, message] {
                checking_ = true;
                showCritical(edit_, message);
                checking_ = false;
                if (edit_->isVisible()) {
                    edit_->setFocus(Qt::OtherFocusReason);
                    edit_->selectAll();
                }
            });
            return false;
        }
    }

    QLineEdit* edit_;
    QString valid_;
    bool checking_ = false;
};

}  // namespace

void checkNumberOnLeave(QLineEdit* edit) {
    new NumberLeaveCheck(edit);
}

bool installSpanishTranslation(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

std::unique_ptr<QSettings> userSettings() {
    return std::make_unique<QSettings>(kProgramName, kProgramName);
}

QString dialogFolder(const QString& purpose) {
    const QString remembered = userSettings()->value("dialogs/" + purpose).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

void rememberDialogFolder(const QString& purpose, const QString& chosenFile) {
    if (chosenFile.isEmpty()) return;
    userSettings()->setValue("dialogs/" + purpose, QFileInfo(chosenFile).absolutePath());
}

void copyToClipboard(const QImage& picture) {
    QApplication::clipboard()->setImage(picture);
}

namespace {
std::function<void(const QImage&, const QStringList&)>& printSink() {
    static std::function<void(const QImage&, const QStringList&)> sink;
    return sink;
}
}  // namespace

void setPrintSinkForTesting(std::function<void(const QImage&, const QStringList&)> sink) {
    printSink() = std::move(sink);
}

void printPreview(QWidget* parent, const QImage& picture, const QStringList& heading) {
    if (printSink()) {
        printSink()(picture, heading);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&picture, &heading](QPrinter* target) {
                         QPainter painter(target);
                         const QRect page = painter.viewport();
                         int top = page.top();
                         QFont font = painter.font();
                         font.setPointSizeF(9);
                         painter.setFont(font);
                         const QFontMetrics metrics(font, target);
                         for (const QString& line : heading) {
                             if (line.isEmpty()) continue;
                             painter.drawText(
                                 QRect(page.left(), top, page.width(), metrics.height()),
                                 Qt::AlignLeft | Qt::AlignVCenter,
                                 metrics.elidedText(line, Qt::ElideRight, page.width()));
                             top += metrics.height();
                         }
                         if (top > page.top()) top += metrics.height() / 2;
                         const QRect area(page.left(), top, page.width(), page.bottom() - top);
                         const QSize size = picture.size().scaled(area.size(), Qt::KeepAspectRatio);
                         painter.drawImage(QRect(area.topLeft(), size), picture);
                     });
    dialog.exec();
}

}  // namespace climstat::app
