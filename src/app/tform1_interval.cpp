#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "app/tform1.h"
#include "selection/day_types.h"
#include "selection/interval_presets.h"

namespace climstat::app {

namespace {

QFont pictureFont(const Font& font) {
    QFont qfont(qs(font.family));
    qfont.setPixelSize(font.pixelHeight);
    qfont.setBold(font.bold);
    return qfont;
}

void paintRects(QPainter& painter, const std::vector<FilledRect>& rects) {
    for (const FilledRect& r : rects) {
        painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                         colour(r.colour));
    }
}

void paintLines(QPainter& painter, const std::vector<LineSegment>& lines) {
    for (const LineSegment& line : lines) {
        painter.setPen(colour(line.colour));
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
}

// A text whose upper-left corner is at its point, on its background unless transparent;
// vertical texts are written one character under the other.
void paintText(QPainter& painter, const PlacedText& text, const QColor& ink) {
    const QFontMetrics metrics(painter.font());
    const QString value = qs(text.text);
    QStringList pieces;
    if (text.vertical) {
        for (QChar c : value)
            pieces << QString(c);
    } else {
        pieces << value;
    }
    int y = text.y;
    for (const QString& piece : pieces) {
        const QRect box(text.x, y, metrics.horizontalAdvance(piece), metrics.height());
        if (!text.transparent) painter.fillRect(box, colour(text.background));
        painter.setPen(ink);
        painter.drawText(text.x, y + metrics.ascent(), piece);
        y += metrics.height() - 2;
    }
}

// A text centred inside its box by the outline of its glyphs, in the largest size up to the
// font's own at which it fits there.
void paintBoxedText(QPainter& painter, QFont font, const BoxedText& text) {
    const QRect box(text.box.left, text.box.top, text.box.right - text.box.left,
                    text.box.bottom - text.box.top);
    const QString value = qs(text.text);
    QRect glyphs;
    for (int pixels = font.pixelSize(); pixels >= 6; --pixels) {
        font.setPixelSize(pixels);
        glyphs = QFontMetrics(font).tightBoundingRect(value);
        if (glyphs.width() <= box.width() && glyphs.height() <= box.height()) break;
    }
    painter.setFont(font);
    painter.setPen(colour(text.ink));
    painter.drawText(box.left() + (box.width() - glyphs.width()) / 2 - glyphs.left(),
                     box.top() + (box.height() - glyphs.height()) / 2 - glyphs.top(), value);
}

QImage schedulePicture(const std::vector<FilledRect>& cells) {
    QImage image(kScheduleGridWidth, kScheduleGridHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintRects(painter, cells);
    return image;
}

// The transparent picture over each grid: its lines and the hour numbers of every row.
QImage scheduleOverlay() {
    QImage image(kScheduleGridWidth, kScheduleGridHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintLines(painter, scheduleGridLines());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 40));
    for (const CellText& label : scheduleHourLabels()) {
        const FilledRect& b = label.bounds;
        painter.drawText(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top), Qt::AlignCenter,
                         qs(label.text));
    }
    return image;
}

}  // namespace

QWidget* TForm1::buildIntervalPage() {
    auto* page = new QWidget(this);
    page->setObjectName("TSIntervalo");
    page->setStyleSheet(QStringLiteral(
        "QWidget#TSIntervalo QGroupBox { background: white; } "
        "QGroupBox#RGIntervalo QRadioButton { color: navy; font-weight: bold; } "
        "QWidget#PanelCalendario, QWidget#PanelCalendario QWidget { background: white; }"));
    auto* contents = new QWidget(page);
    auto* layout = new QHBoxLayout(contents);
    auto* left = new QVBoxLayout();
    layout->addLayout(left, 0);

    auto* heading = makeLabel("LIntervalos", QStringLiteral("Elección intervalos de tiempo"), page);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    left->addWidget(heading);
    QStringList presets;
    for (int i = 0; i < kIntervalPresetCount; ++i)
        presets << qs(intervalPresetCaption(i));
    RGIntervalo = new RadioGroup("RGIntervalo", QStringLiteral("Intervalo de tiempo estudiado"),
                                 presets, 1, page);
    RGIntervalo->setItemIndex(0);
    left->addWidget(RGIntervalo);

    auto* rangeHeading =
        makeLabel("LVariables", QStringLiteral("Elección intervalos de variables"), page);
    rangeHeading->setFont(bold);
    left->addWidget(rangeHeading);
    const QStringList variables = {QStringLiteral("Ninguno"),
                                   QStringLiteral("Temperatura seca (ºC)"),
                                   QStringLiteral("Temperatura húmeda (ºC)"),
                                   QStringLiteral("Temperatura rocío (ºC)"),
                                   QStringLiteral("Humedad específica (gr/kg)"),
                                   QStringLiteral("Humedad relativa (%)"),
                                   QStringLiteral("Entalpía (kJ/kg)")};
    const QStringList senses = {QStringLiteral("Mínimo"), QStringLiteral("Máximo")};
    auto* range = new QHBoxLayout();
    auto column = [&](RadioGroup*& sense, const QString& senseName, const QString& senseCaption,
                      int senseItem, RadioGroup*& variable, const QString& variableName,
                      const QString& variableCaption, QLabel*& caption, const QString& captionName,
                      const QString& captionText, QLineEdit*& edit, const QString& editName) {
        auto* box = new QVBoxLayout();
        sense = new RadioGroup(senseName, senseCaption, senses, 2, page);
        sense->setItemIndex(senseItem);
        variable = new RadioGroup(variableName, variableCaption, variables, 1, page);
        variable->setItemIndex(0);
        caption = makeLabel(captionName, captionText, page);
        edit = new QLineEdit(QStringLiteral("0"), page);
        edit->setObjectName(editName);
        edit->setMaximumWidth(100);
        box->addWidget(sense);
        box->addWidget(variable);
        auto* row = new QHBoxLayout();
        row->addWidget(caption);
        row->addWidget(edit);
        row->addStretch();
        box->addLayout(row);
        caption->hide();
        edit->hide();
        checkNumberOnLeave(edit);
        range->addLayout(box);
    };
    column(RG1Variable, "RG1Variable", QStringLiteral("1ª Variable"), 0, RGMinimo, "RGMinimo",
           QStringLiteral("Minimo"), Label47, "Label47", QStringLiteral("Valor mínimo"), EMin,
           "EMin");
    column(RG2Variable, "RG2Variable", QStringLiteral("2ª Variable"), 1, RGMaximo, "RGMaximo",
           QStringLiteral("Máximo"), Label46, "Label46", QStringLiteral("Valor máximo"), EMax,
           "EMax");
    left->addLayout(range);
    LAvisoGrados = makeLabel(
        "LAvisoGrados",
        QStringLiteral("Con un límite de variable activo no se muestran las páginas «GradosHora» y "
                       "«GradosDia»: sus grados se calculan sin límites de variables. Con "
                       "«Ninguno» en las dos variables vuelven a mostrarse."),
        page);
    LAvisoGrados->setWordWrap(true);
    LAvisoGrados->hide();
    left->addWidget(LAvisoGrados);
    left->addStretch(1);

    auto* right = new QVBoxLayout();
    layout->addLayout(right, 1);

    GroupBox2 = new QGroupBox(page);
    GroupBox2->setObjectName("GroupBox2");
    auto* schedules = new QGridLayout(GroupBox2);
    schedules->setVerticalSpacing(0);
    schedules->addWidget(makeLabel("LTipoDia", QStringLiteral("Seleccion tipo día"), GroupBox2), 0,
                         0);
    schedules->addWidget(makeLabel("LHoraDia", QStringLiteral("hora del día"), GroupBox2), 0, 1);
    auto* dayTypeGroup = new QButtonGroup(GroupBox2);
    for (int type = 1; type <= kDayTypeCount; ++type) {
        const DayTypeInfo& info = dayTypeInfo()[static_cast<std::size_t>(type)];
        auto* button = new QRadioButton(qs(info.caption), GroupBox2);
        button->setObjectName(qs(info.radioButton));
        button->setFixedHeight(kScheduleCellHeight);
        dayTypeGroup->addButton(button, type);
        dayTypeButtons[static_cast<std::size_t>(type)] = button;
        schedules->addWidget(button, type, 0);
    }
    dayTypeButtons[1]->setChecked(true);
    ImageCalef =
        new PictureWidget("ImageCalef", {kScheduleGridWidth, kScheduleGridHeight}, GroupBox2);
    ImageRefrig =
        new PictureWidget("ImageRefrig", {kScheduleGridWidth, kScheduleGridHeight}, GroupBox2);
    ImageCalefS =
        new PictureWidget("ImageCalefS", {kScheduleGridWidth, kScheduleGridHeight}, ImageCalef);
    ImageRefrigS =
        new PictureWidget("ImageRefrigS", {kScheduleGridWidth, kScheduleGridHeight}, ImageRefrig);
    ImageCalefS->setPicture(scheduleOverlay());
    ImageRefrigS->setPicture(scheduleOverlay());
    schedules->addWidget(ImageCalef, 1, 1, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    schedules->addWidget(ImageRefrig, 4, 1, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    schedules->addWidget(
        makeLabel("LModificarHorario",
                  QStringLiteral("Modificar horario del día  (clik sobre la hora)"), GroupBox2),
        7, 1);
    SpeedButton3 = new QToolButton(GroupBox2);
    SpeedButton3->setObjectName("SpeedButton3");
    SpeedButton3->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    SpeedButton3->setToolTip(QStringLiteral("Información"));
    schedules->addWidget(SpeedButton3, 0, 3);
    // The room a wide window adds goes beside the grids, not between them and their day types.
    schedules->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 2);
    schedules->setColumnStretch(2, 1);
    right->addWidget(GroupBox2);

    PanelCalendario = new QWidget(page);
    PanelCalendario->setObjectName("PanelCalendario");
    PanelCalendario->setAttribute(Qt::WA_StyledBackground);
    auto* calendar = new QGridLayout(PanelCalendario);
    auto* title = makeLabel("LTituloCalendario",
                            QStringLiteral("Modificar tipos de día  (clik sobre el calendario)"),
                            PanelCalendario);
    title->setStyleSheet(QStringLiteral("color: navy; font-weight: bold;"));
    calendar->addWidget(title, 0, 1);
    auto* modes = new QVBoxLayout();
    modes->addWidget(
        makeLabel("LSeleccionar", QStringLiteral("Seleccionar lo que se desea"), PanelCalendario));
    auto* modeGroup = new QButtonGroup(PanelCalendario);
    for (int mode = 0; mode < kCalendarModeCount; ++mode) {
        const CalendarModeInfo& info = calendarModeInfo(static_cast<CalendarMode>(mode));
        auto* button = new QRadioButton(qs(info.caption), PanelCalendario);
        button->setObjectName(qs(info.radioButton));
        button->setToolTip(qs(info.hint));
        modeGroup->addButton(button, mode);
        modeButtons[static_cast<std::size_t>(mode)] = button;
        modes->addWidget(button);
    }
    modeButtons[static_cast<std::size_t>(CalendarMode::Week)]->setChecked(true);

    PanelIntervalo = new QWidget(PanelCalendario);
    PanelIntervalo->setObjectName("PanelIntervalo");
    auto* interval = new QGridLayout(PanelIntervalo);
    interval->setContentsMargins(0, 4, 0, 0);
    Label5 = makeLabel("Label5", {}, PanelIntervalo);
    Label5->setStyleSheet(QStringLiteral("font-weight: bold;"));
    Label13 = makeLabel("Label13", QStringLiteral("Cambiar desde"), PanelIntervalo);
    Label14 = makeLabel("Label14", QStringLiteral("Hasta el"), PanelIntervalo);
    QStringList days, months, seasons, weekdays;
    for (int day = 1; day <= 31; ++day)
        days << QString::number(day);
    for (std::string_view month : kCalendarMonthNames)
        months << qs(month);
    for (std::string_view season : kSeasonNames)
        seasons << qs(season);
    for (std::string_view weekday : kWeekdayChoices)
        weekdays << qs(weekday);
    auto makeList = [&](const QString& name, const QStringList& items, const QString& shown) {
        auto* list = new QComboBox(PanelIntervalo);
        list->setObjectName(name);
        list->addItems(items);
        list->setPlaceholderText(shown);
        list->setCurrentIndex(-1);
        return list;
    };
    ComboBox1 = makeList("ComboBox1", days, QStringLiteral("1"));
    ComboBox2 = makeList("ComboBox2", months, QStringLiteral("Enero"));
    ComboBox3 = makeList("ComboBox3", days, QStringLiteral("1"));
    ComboBox4 = makeList("ComboBox4", months, QStringLiteral("Enero"));
    CBCEstaciones = makeList("CBCEstaciones", seasons, {});
    CBDiaSemana = makeList("CBDiaSemana", weekdays, {});
    BitBtn1 = new QPushButton(PanelIntervalo);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BitBtn1->setToolTip(QStringLiteral(
        "Cambia para un conjunto de días su tipo en función del Tipo de día seleccionado"));
    PanelElegir = new QFrame(PanelIntervalo);
    PanelElegir->setObjectName("PanelElegir");
    static_cast<QFrame*>(PanelElegir)->setFrameShape(QFrame::StyledPanel);
    auto* point = new QVBoxLayout(PanelElegir);
    LabelTipo = makeLabel("LabelTipo", {}, PanelElegir);
    LabelTipo->setWordWrap(true);
    point->addWidget(LabelTipo);
    interval->addWidget(Label5, 0, 0, 1, 2);
    interval->addWidget(Label13, 1, 0, 1, 2);
    interval->addWidget(ComboBox1, 2, 0);
    interval->addWidget(ComboBox2, 2, 1);
    interval->addWidget(Label14, 3, 0, 1, 2);
    interval->addWidget(ComboBox3, 4, 0);
    interval->addWidget(ComboBox4, 4, 1);
    interval->addWidget(CBCEstaciones, 5, 0, 1, 2);
    interval->addWidget(CBDiaSemana, 6, 0, 1, 2);
    interval->addWidget(BitBtn1, 7, 0);
    interval->addWidget(PanelElegir, 8, 0, 1, 2);
    modes->addWidget(PanelIntervalo);
    modes->addStretch(1);
    calendar->addLayout(modes, 1, 0);
    // The calendar grows in a large window, by half its size at a time, to twice its size.
    ImageCalendario =
        new PictureWidget("ImageCalendario", {kCalendarWidth, kCalendarHeight}, PanelCalendario);
    ImageCalendario->setScalable(
        1.0, 2.0, [this](double scale) { return calendarPicture(scale); }, 0.5);
    calendar->addWidget(ImageCalendario, 1, 1);
    calendar->setColumnStretch(1, 1);
    calendar->setRowStretch(1, 1);
    right->addWidget(PanelCalendario, 1);
    GroupBox2->hide();
    PanelCalendario->hide();

    // The panel as a new window has it: "Una semana" chosen.
    calendarPanel_ = CalendarPanel();
    showCalendarPanel();

    connect(RGIntervalo, &RadioGroup::clicked, this, [this] { RGIntervaloClick(); });
    connect(RGMinimo, &RadioGroup::clicked, this, [this] { RGMinimoClick(); });
    connect(RGMaximo, &RadioGroup::clicked, this, [this] { RGMaximoClick(); });
    connect(RG1Variable, &RadioGroup::clicked, this, [this] { RG1VariableClick(); });
    connect(RG2Variable, &RadioGroup::clicked, this, [this] { RG2VariableClick(); });
    for (PictureWidget* grid : {ImageCalefS, ImageRefrigS, ImageRefrig}) {
        connect(grid, &PictureWidget::mouseMoved, this, [this](int x, int y) {
            lastPointerX_ = x;
            lastPointerY_ = y;
        });
        connect(grid, &PictureWidget::clicked, this, [this] { scheduleGridClick(); });
    }
    connect(ImageCalendario, &PictureWidget::mouseMoved, this, [this](int x, int y) {
        lastPointerX_ = x;
        lastPointerY_ = y;
    });
    connect(ImageCalendario, &PictureWidget::clicked, this, [this] { ImageCalendarioClick(); });
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int mode) { RBCDiaClick(mode); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { applyDayTypeSelection(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { showHelp(0); });
    // The schedules and the calendar go under the presets when the window is too narrow for
    // both side by side.
    makeScrollingPage(page, contents, layout);
    return page;
}

void TForm1::RGIntervaloClick() {
    const bool userDefined = RGIntervalo->itemIndex() == kUserDefinedPreset;
    PanelCalendario->setVisible(userDefined);
    GroupBox2->setVisible(userDefined);
}

void TForm1::RGMinimoClick() {
    const bool active = RGMinimo->itemIndex() > 0;
    EMin->setVisible(active);
    Label47->setVisible(active);
    LAvisoGrados->setVisible(active || RGMaximo->itemIndex() > 0);
    refreshTabsAndLabels();
}

void TForm1::RGMaximoClick() {
    const bool active = RGMaximo->itemIndex() > 0;
    EMax->setVisible(active);
    Label46->setVisible(active);
    LAvisoGrados->setVisible(active || RGMinimo->itemIndex() > 0);
    refreshTabsAndLabels();
}

void TForm1::RG1VariableClick() {
    RGMinimo->setTitle(RG1Variable->itemIndex() == 0 ? QStringLiteral("Mínimo")
                                                     : QStringLiteral("Máximo"));
}

void TForm1::RG2VariableClick() {
    RGMaximo->setTitle(RG2Variable->itemIndex() == 0 ? QStringLiteral("Mínimo")
                                                     : QStringLiteral("Máximo"));
}

int TForm1::selectedDayType() const {
    DayTypeButtons checked{};
    for (int type = 1; type <= kDayTypeCount; ++type) {
        checked[static_cast<std::size_t>(type)] =
            dayTypeButtons[static_cast<std::size_t>(type)]->isChecked();
    }
    return climstat::selectedDayType(checked);
}

void TForm1::scheduleGridClick() {
    if (toggleScheduleHour(state_->scheduleTable, lastPointerX_, lastPointerY_,
                           selectedDayType())) {
        drawSchedules();
    }
}

void TForm1::drawSchedules() {
    const ScheduleDrawing drawing = climstat::drawSchedules(state_->scheduleTable);
    ImageCalef->setPicture(schedulePicture(drawing.upper));
    ImageRefrig->setPicture(schedulePicture(drawing.lower));
}

void TForm1::drawCalendar() {
    ImageCalendario->setPicture(calendarPicture(ImageCalendario->scale()));
}

QImage TForm1::calendarPicture(double scale) const {
    const CalendarPicture background = calendarBackground();
    const CalendarDrawing dates = climstat::drawCalendar(dayTypeTable_);
    QImage image(static_cast<int>(kCalendarWidth * scale),
                 static_cast<int>(kCalendarHeight * scale), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    const QColor ink = palette().color(QPalette::WindowText);
    paintRects(painter, background.strips);
    painter.setFont(pictureFont(background.font));
    for (const PlacedText& text : background.labels) {
        paintText(painter, text,
                  background.font.windowTextColour ? ink : colour(background.font.colour));
    }
    paintRects(painter, dates.cells);
    paintLines(painter, background.gridLines);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont numbers = pictureFont(dates.font);
    for (const BoxedText& text : dates.dayNumbers)
        paintBoxedText(painter, numbers, text);
    return image;
}

void TForm1::ImageCalendarioClick() {
    if (calendarClick(dayTypeTable_, calendarPanel_.mode, lastPointerX_, lastPointerY_,
                      selectedDayType())) {
        drawCalendar();
    }
}

void TForm1::showCalendarPanel() {
    const CalendarPanel& panel = calendarPanel_;
    PanelIntervalo->setVisible(panel.intervalPanelVisible);
    PanelElegir->setVisible(panel.pointPanelVisible);
    LabelTipo->setText(qs(panel.pointText));
    Label5->setText(qs(panel.modeCaption));
    Label5->setVisible(panel.modeCaptionVisible);
    Label13->setVisible(panel.rangeCaptionsVisible);
    Label14->setVisible(panel.rangeCaptionsVisible);
    for (QComboBox* list : {ComboBox1, ComboBox2, ComboBox3, ComboBox4}) {
        list->setVisible(panel.dateListsVisible);
    }
    CBCEstaciones->setVisible(panel.seasonListVisible);
    CBDiaSemana->setVisible(panel.weekdayListVisible);
    BitBtn1->setVisible(panel.applyButtonVisible);
}

void TForm1::RBCDiaClick(int mode) {
    if (chooseCalendarMode(calendarPanel_, static_cast<CalendarMode>(mode), dayTypeTable_,
                           selectedDayType())) {
        drawCalendar();
    }
    showCalendarPanel();
}

void TForm1::applyDayTypeSelection() {
    CalendarPanel& panel = calendarPanel_;
    panel.fromDayItem = ComboBox1->currentIndex();
    panel.fromMonthItem = ComboBox2->currentIndex();
    panel.toDayItem = ComboBox3->currentIndex();
    panel.toMonthItem = ComboBox4->currentIndex();
    panel.seasonItem = CBCEstaciones->currentIndex();
    panel.weekdayItem = CBDiaSemana->currentIndex();
    climstat::applyDayTypeSelection(panel, dayTypeTable_, selectedDayType());
    showCalendarPanel();
    drawCalendar();
}

void TForm1::TSIntervaloShow() {
    drawSchedules();
    drawCalendar();
}

}  // namespace climstat::app
