#pragma once

// The few toolkit operations the window relies on, over Qt Widgets: radio groups whose
// programmatic changes raise no click, pictures with pointer events, the conversion of edit
// texts with the user's decimal separator, message boxes, and chart copy and print preview.

#include <QBoxLayout>
#include <QButtonGroup>
#include <QColor>
#include <QCoreApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "selection/drawing.h"

namespace climstat::app {

// A captioned group of radio buttons laid out in columns. Clicking a button raises `clicked`;
// setItemIndex never does.
class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& objectName, const QString& caption, const QStringList& items,
               int columns = 1, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const { return static_cast<int>(buttons_->buttons().size()); }
    QString itemText(int index) const;

  signals:
    void clicked(int index);

  private:
    QButtonGroup* buttons_;
};

// A picture shown unscaled at its top-left corner. Pointer positions are picture pixels. A
// double click raises `clicked` once (for its first press and release) and `doubleClicked` once.
class PictureWidget : public QWidget {
    Q_OBJECT
  public:
    PictureWidget(const QString& objectName, QSize size, QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    // Lets the picture grow and shrink with the room its layout gives it, keeping its
    // proportions, from minScale to maxScale times its own size; `render` draws it at a scale,
    // so that it stays sharp. With a `step`, the scale goes by whole steps above minScale.
    // Pointer positions stay pixels of the picture at its own size.
    void setScalable(double minScale, double maxScale, std::function<QImage(double)> render,
                     double step = 0);
    double scale() const { return scale_; }
    // Where a pixel of the picture at its own size lies in the widget.
    QPoint widgetPoint(QPoint picturePoint) const;

  signals:
    void mouseMoved(int x, int y);
    void clicked();
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QSize ownSize_;
    QImage picture_;
    std::function<QImage(double)> render_;  // set when scalable
    double minScale_ = 1;
    double maxScale_ = 1;
    double step_ = 0;
    double scale_ = 1;
    // A double click is one click and one double click: the release that ends it is no click.
    bool releaseEndsDoubleClick_ = false;
};

// Puts a page's contents into a scroll area filling the page: they scroll when the window is
// smaller than they need and grow with it otherwise. `halves`, when given, is the contents'
// layout of two halves side by side: it lays them one under the other while the page is too
// narrow for both.
void makeScrollingPage(QWidget* page, QWidget* contents, QBoxLayout* halves = nullptr);
// Gives a scrolling page its halves once its contents are laid out.
void setScrollingHalves(QWidget* page, QBoxLayout* halves);

// A label with its object name.
QLabel* makeLabel(const QString& objectName, const QString& text, QWidget* parent);

// A colour of the engine's drawings.
inline QColor colour(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

// The decimal separator of the user's regional settings.
char decimalSeparator();

// Text to number with the user's decimal separator; throws ConversionError carrying the text.
float numberFromText(const QString& text);

// Number text of the engine (precision, decimals) with the user's decimal separator.
QString numberText(double value, int precision, int decimals);

// UTF-8 texts of the engine to Qt and back.
inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ss(const QString& text) {
    return text.toStdString();
}

// The program's name: the title of its message boxes.
inline const QString kProgramName = QStringLiteral("climstat");

// Shows a critical message box titled with the program's name. Tests replace the box by a sink
// that records the text.
void showCritical(QWidget* parent, const QString& text);
void setMessageSinkForTesting(std::function<void(const QString&)> sink);

// Runs an event handler so that no exception reaches the event loop: a conversion error shows
// "'<text>' is not a valid floating point value" and abandons the handler; an engine error shows
// its Spanish wording, any other exception its message. Returns whether the handler ran to its end.
bool guarded(QWidget* parent, const std::function<void()>& handler);

// Checks the number of an edit when the user leaves it (Enter, Tab, a click elsewhere): a text
// that is not a number is reported at once with the conversion message, the edit gets back the
// last text that was a number and keeps the focus.
void checkNumberOnLeave(QLineEdit* edit);

// Loads Qt's own Spanish texts (file dialogs, print preview, standard buttons) when they are
// installed (Debian package qt6-translations-l10n); without them those texts stay in English and
// everything else works. Returns whether they were found.
bool installSpanishTranslation(QCoreApplication& application);

// What the program remembers per user (QSettings in the user's configuration folder).
std::unique_ptr<QSettings> userSettings();

// The folder a file dialog of `purpose` ("export", "import") opens in: the one last used for it
// while it exists, else the user's documents folder (the home folder without one).
QString dialogFolder(const QString& purpose);
// Remembers the folder of a file the user chose in a dialog of `purpose`.
void rememberDialogFolder(const QString& purpose, const QString& chosenFile);

// Puts a picture (a chart as it is drawn now) on the clipboard.
void copyToClipboard(const QImage& picture);

// Opens the print preview of a picture with heading lines above it; the user can print it, to a
// PDF file too. Tests replace the dialog by a sink that records what would be printed.
void printPreview(QWidget* parent, const QImage& picture, const QStringList& heading = {});
void setPrintSinkForTesting(std::function<void(const QImage&, const QStringList&)> sink);

}  // namespace climstat::app
