#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QTextOption>
#include <QVBoxLayout>
#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>

#include "app/error_texts.h"
#include "app/tform1.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "data/hourly_import.h"
#include "data/location_load.h"
#include "data/map_regions.h"
#include "data/station_catalogue.h"
#include "data/station_file.h"
#include "data/station_import.h"
#include "data/station_loader.h"
#include "data/typical_year.h"
#include "data/typical_year_table.h"
#include "output/page_labels.h"
#include "psychro/station_extrapolation.h"

namespace climstat::app {

namespace {

QLineEdit* makeReadOnlyEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

// A wrapped, selectable notice that takes no room while it is empty.
class NoticeLabel : public QLabel {
  public:
    NoticeLabel(const QString& objectName, QWidget* parent) : QLabel(parent) {
        setObjectName(objectName);
        setWordWrap(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    QSize sizeHint() const override { return text().isEmpty() ? QSize(0, 0) : QLabel::sizeHint(); }
    QSize minimumSizeHint() const override {
        return text().isEmpty() ? QSize(0, 0) : QLabel::minimumSizeHint();
    }
    int heightForWidth(int width) const override {
        return text().isEmpty() ? 0 : QLabel::heightForWidth(width);
    }
};

// The map as the engine describes it, drawn at a scale of its own size: sea, land and islands, the
// inset frame and every capital's name inside its rectangle, in the largest font (up to the
// engine's) that fits.
QImage renderMap(double scale) {
    const MapPicture map = mapPicture();
    QImage image(static_cast<int>(kMapWidth * scale), static_cast<int>(kMapHeight * scale),
                 QImage::Format_RGB32);
    image.fill(colour(map.sea));
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const MapShape& shape : map.shapes) {
        QPolygonF polygon;
        for (const MapPoint& p : shape.outline)
            polygon << QPointF(p.x, p.y);
        painter.setBrush(colour(shape.fill));
        painter.setPen(QPen(colour(shape.edge), 1.2));
        painter.drawPolygon(polygon);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour(map.insetFrameColour), 1));
    const FilledRect& frame = map.insetFrame;
    painter.drawRect(frame.left, frame.top, frame.right - frame.left - 1,
                     frame.bottom - frame.top - 1);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(colour(map.labelFont.colour));
    for (const MapLabel& label : map.labels) {
        const QRect box(label.bounds.left, label.bounds.top, label.bounds.right - label.bounds.left,
                        label.bounds.bottom - label.bounds.top);
        const QString text = qs(label.text);
        QFont font(qs(map.labelFont.family));
        font.setBold(map.labelFont.bold);
        const int flags = Qt::AlignCenter | Qt::TextWordWrap;
        for (int pixels = map.labelFont.pixelHeight; pixels >= 6; --pixels) {
            font.setPixelSize(pixels);
            const QRect needed = QFontMetrics(font).boundingRect(box, flags, text);
            if (needed.width() <= box.width() && needed.height() <= box.height()) break;
        }
        painter.setFont(font);
        painter.drawText(box, flags, text);
    }
    return image;
}

// Where the folder in use came from, as the station page says it.
QString originCaption(const std::string& origin) {
    if (origin == "CLIMSTAT_DATA_DIR") return QStringLiteral("variable CLIMSTAT_DATA_DIR");
    if (origin == "chosen folder") return QStringLiteral("elegida en esta página");
    if (origin == "program folder") return QStringLiteral("junto al programa");
    if (origin == "user data folder") return QStringLiteral("carpeta del usuario");
    return qs(origin);
}

// The caption of LCarpeta: the data folder in use and where it was found; a data path that is
// not a folder is said to be one.
QString folderCaption(const DataFolderChoice& choice) {
    if (choice.folder.empty()) return {};
    std::error_code ec;
    const bool notAFolder = std::filesystem::exists(choice.folder, ec) &&
                            !std::filesystem::is_directory(choice.folder, ec);
    return (notAFolder ? QStringLiteral("Ruta de datos (no es una carpeta): ")
                       : QStringLiteral("Carpeta de datos: ")) +
           qs(choice.folder) + " (" + originCaption(choice.origin) + ")";
}

// The same with the folder a station's pair was read from, which is the per-user folder when
// the user imported the station there.
QString folderCaption(const DataFolderChoice& choice, const std::string& stationFolder) {
    QString caption = folderCaption(choice);
    if (!caption.isEmpty()) caption += "\n";
    return caption + QStringLiteral("Ficheros de la estación: ") + qs(stationFolder) +
           (stationFolder == choice.folder ? QString() : QStringLiteral(" (carpeta del usuario)"));
}

}  // namespace

QWidget* TForm1::buildStationPage() {
    auto* page = new QWidget(this);
    page->setObjectName("TSEstacion");
    auto* contents = new QWidget(page);
    auto* layout = new QHBoxLayout(contents);
    auto* left = new QVBoxLayout();
    layout->addLayout(left, 1);

    RGTiposDatos = new RadioGroup(
        "RGTiposDatos", QStringLiteral("Tipos de Datos"),
        {QStringLiteral("AEMET"), QStringLiteral("CTE-HE (2006) (*.met)"),
         QStringLiteral("CTE-HE (2013) (*.met)"), QStringLiteral("Fichero EPW (*.epw)")},
        1, page);
    RGTiposDatos->setItemIndex(0);
    left->addWidget(RGTiposDatos);

    auto* choice = new QGroupBox(QStringLiteral("Localidad"), page);
    choice->setObjectName("GBLocalidad");
    auto* choiceLayout = new QVBoxLayout(choice);
    CBAEMET = new QComboBox(choice);
    CBAEMET->setObjectName("CBAEMET");
    CBAEMET->setMaxVisibleItems(40);
    for (int i = 0; i <= kStationCount; ++i)
        CBAEMET->addItem(qs(stationItemText(i)));
    CBMet = new QComboBox(choice);
    CBMet->setObjectName("CBMet");
    CBMet2013 = new QComboBox(choice);
    CBMet2013->setObjectName("CBMet2013");
    CBMet->addItem(QStringLiteral("Ninguna selección"));
    CBMet2013->addItem(QStringLiteral("Ninguna selección"));
    for (const TypicalYearLocation& row : typicalYearLocations()) {
        (row.list == TypicalYearList::List2006 ? CBMet : CBMet2013)->addItem(qs(row.entryText));
    }
    CBMet->setMaxVisibleItems(40);
    CBMet2013->setMaxVisibleItems(33);
    for (QComboBox* list : {CBAEMET, CBMet, CBMet2013}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        choiceLayout->addWidget(list);
    }
    CBMet->hide();
    CBMet2013->hide();
    BFicherosEPW = new QPushButton(QStringLiteral("Abrir ficheros EPW…"), choice);
    BFicherosEPW->setObjectName("BFicherosEPW");
    BFicherosEPW->setToolTip(
        QStringLiteral("Un fichero de un año tipo (TMY3, TMYx, IWEC…) o hasta 12 años reales "
                       "de una misma localidad, en uno o varios ficheros"));
    choiceLayout->addWidget(BFicherosEPW, 0, Qt::AlignLeft);
    BFicherosEPW->hide();
    left->addWidget(choice);
    // What a load, an import or the folder search has to say lies under the list the user chose
    // from, in view in the smallest window; without anything to say it takes no room.
    auto* notices = new QWidget(page);
    notices->setObjectName("PanelAvisos");
    auto* noticesLayout = new QVBoxLayout(notices);
    noticesLayout->setContentsMargins(0, 0, 0, 0);
    noticesLayout->setSpacing(0);
    LInformeDatos = new NoticeLabel("LInformeDatos", notices);
    LAvisoDatos = new NoticeLabel("LAvisoDatos", notices);
    LAvisoDatos->setStyleSheet(QStringLiteral("color: #b00000;"));
    noticesLayout->addWidget(LInformeDatos);
    noticesLayout->addWidget(LAvisoDatos);
    left->addWidget(notices);

    auto* extrapolation = new QHBoxLayout();
    RGAEMET =
        new RadioGroup("RGAEMET", QStringLiteral("Extrapolación"),
                       {QStringLiteral("Estación meteo"), QStringLiteral("Diferente cota"),
                        QStringLiteral("Isla térmica"), QStringLiteral("Isla térm.+dif.cota")},
                       2, page);
    RGAEMET->setItemIndex(0);
    extrapolation->addWidget(RGAEMET, 1);
    auto* altitude = new QVBoxLayout();
    SpeedButton2 = new QToolButton(page);
    SpeedButton2->setObjectName("SpeedButton2");
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    SpeedButton2->setToolTip(QStringLiteral("Información"));
    altitude->addWidget(SpeedButton2);
    Label49 = makeLabel("Label49", QStringLiteral("a.s.n.m"), page);
    Eaamn = new QLineEdit(QStringLiteral("0"), page);
    Eaamn->setObjectName("Eaamn");
    Eaamn->setMaximumWidth(80);
    Eaamn->setToolTip(QStringLiteral("Altitud de la localidad sobre el nivel del mar (m)"));
    altitude->addWidget(Label49);
    altitude->addWidget(Eaamn);
    altitude->addStretch();
    Label49->hide();
    Eaamn->hide();
    extrapolation->addLayout(altitude);
    left->addLayout(extrapolation);

    BImportar = new QPushButton(QStringLiteral("Importar registros horarios…"), page);
    BImportar->setObjectName("BImportar");
    BImportar->setToolTip(QStringLiteral(
        "Escribe los ficheros de una estación a partir de ficheros de texto con líneas "
        "AAAA-MM-DD;HH;T;HR o de ficheros ISD-Lite del archivo horario público (en hora UTC, "
        "también .gz)"));
    left->addWidget(BImportar);

    auto* info = new QGroupBox(QStringLiteral("Datos de la localidad"), page);
    info->setObjectName("GBDatosEstacion");
    auto* infoLayout = new QVBoxLayout(info);
    LProvincia = makeLabel("LProvincia", {}, info);
    LIndicativo = new ClickLabel("LIndicativo", info);
    LEstacion = new ClickLabel("LEstacion", info);
    LLAT = makeLabel("LLAT", {}, info);
    LLONG = makeLabel("LLONG", {}, info);
    Lasnm = makeLabel("Lasnm", {}, info);
    LDatosT = makeLabel("LDatosT", {}, info);
    LDatosH = makeLabel("LDatosH", {}, info);
    for (QLabel* label : {LProvincia, static_cast<QLabel*>(LIndicativo),
                          static_cast<QLabel*>(LEstacion), LLAT, LLONG, Lasnm, LDatosT, LDatosH}) {
        label->setMinimumHeight(label->fontMetrics().height());
        infoLayout->addWidget(label);
    }
    left->addWidget(info);

    LCarpeta = makeLabel("LCarpeta", {}, page);
    LCarpeta->setWordWrap(true);
    LCarpeta->setTextInteractionFlags(Qt::TextSelectableByMouse);
    left->addWidget(LCarpeta);
    BCarpetaDatos = new QPushButton(QStringLiteral("Elegir carpeta de datos…"), page);
    BCarpetaDatos->setObjectName("BCarpetaDatos");
    BCarpetaDatos->setToolTip(
        QStringLiteral("Carpeta con los ficheros de clima (*.met de las listas, ficheros de "
                       "estaciones); se recuerda para los próximos arranques"));
    left->addWidget(BCarpetaDatos, 0, Qt::AlignLeft);
    left->addStretch(1);
    for (QWidget* w :
         {static_cast<QWidget*>(RGTiposDatos), static_cast<QWidget*>(choice),
          static_cast<QWidget*>(RGAEMET), static_cast<QWidget*>(info),
          static_cast<QWidget*>(BImportar), static_cast<QWidget*>(LCarpeta),
          static_cast<QWidget*>(LInformeDatos), static_cast<QWidget*>(LAvisoDatos), notices}) {
        // The notices' panel too: laid out wider than its labels, it would ask for the height
        // of their text at its width and cut off the lines they wrap to at theirs.
        w->setMinimumWidth(380);
        w->setMaximumWidth(560);
    }

    // The map takes the room beside the forms: smaller than its own size in a small window,
    // up to twice it in a large one.
    Panel3 = new QWidget(page);
    Panel3->setObjectName("Panel3");
    auto* mapLayout = new QVBoxLayout(Panel3);
    mapLayout->setContentsMargins(0, 0, 0, 0);
    Image15 = new PictureWidget("Image15", QSize(kMapWidth, kMapHeight), Panel3);
    Image15->setScalable(0.7, 2.0, [](double scale) { return renderMap(scale); });
    Image15->setToolTip(
        QStringLiteral("Haciendo doble \"click\" con el botón izquierdo se "
                       "selecciona la capital de provincia"));
    mapLayout->addWidget(Image15, 1);
    layout->addWidget(Panel3, 3);
    Panel3->hide();
    layout->addStretch(0);
    makeScrollingPage(page, contents);

    LCarpeta->setText(folderCaption(setup_.dataFolder));

    connect(RGTiposDatos, &RadioGroup::clicked, this,
            [this] { guarded(this, [this] { RGTiposDatosClick(); }); });
    connect(CBAEMET, &QComboBox::activated, this,
            [this] { guarded(this, [this] { CBAEMETChange(); }); });
    connect(CBMet, &QComboBox::activated, this,
            [this] { guarded(this, [this] { CBMetChange(); }); });
    connect(CBMet2013, &QComboBox::activated, this,
            [this] { guarded(this, [this] { CBMet2013Change(); }); });
    connect(BFicherosEPW, &QPushButton::clicked, this, [this] { chooseEpwFiles(); });
    connect(RGAEMET, &RadioGroup::clicked, this,
            [this] { guarded(this, [this] { RGAEMETClick(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { showHelp(1); });
    connect(Image15, &PictureWidget::mouseMoved, this,
            [this](int x, int y) { Image15MouseMove(x, y); });
    connect(Image15, &PictureWidget::doubleClicked, this,
            [this] { guarded(this, [this] { Image15DblClick(); }); });
    connect(BCarpetaDatos, &QPushButton::clicked, this, [this] {
        const QString start =
            setup_.dataFolder.folder.empty() ? QDir::homePath() : qs(setup_.dataFolder.folder);
        const QString folder = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Elegir carpeta de datos"), start);
        if (!folder.isEmpty()) guarded(this, [this, folder] { chooseDataFolder(folder); });
    });
    connect(BImportar, &QPushButton::clicked, this, [this] {
        QDialog dialog(this);
        dialog.setObjectName("DImportar");
        dialog.setWindowTitle(QStringLiteral("Importar registros horarios"));
        auto* form = new QFormLayout(&dialog);
        auto* stations = new QComboBox(&dialog);
        stations->setObjectName("CBImportarEstacion");
        for (int i = 1; i <= kStationCount; ++i)
            stations->addItem(qs(stationItemText(i)));
        stations->setCurrentIndex(std::max(0, CBAEMET->currentIndex() - 1));
        form->addRow(QStringLiteral("Estación:"), stations);
        auto* pathRow = new QHBoxLayout();
        auto* path = new QLineEdit(&dialog);
        path->setObjectName("EImportarFicheros");
        auto chosenFiles = std::make_shared<QStringList>();
        auto* browse = new QPushButton(QStringLiteral("Examinar…"), &dialog);
        pathRow->addWidget(path, 1);
        pathRow->addWidget(browse);
        form->addRow(QStringLiteral("Ficheros (AAAA-MM-DD;HH;T;HR o ISD-Lite):"), pathRow);
        connect(browse, &QPushButton::clicked, &dialog, [&dialog, path, chosenFiles] {
            const QStringList chosen = QFileDialog::getOpenFileNames(
                &dialog, QStringLiteral("Registros horarios"), dialogFolder("import"),
                QStringLiteral("Registros horarios o ISD-Lite (*.csv *.txt *.gz *-*);;Todos (*)"));
            if (chosen.isEmpty()) return;
            *chosenFiles = chosen;
            path->setText(chosen.join("; "));
            rememberDialogFolder("import", chosen.front());
        });
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        form->addRow(buttons);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        if (dialog.exec() != QDialog::Accepted || path->text().isEmpty()) return;
        const int item = stations->currentIndex() + 1;
        // The files chosen in the dialog, or the one path typed in the box.
        const QStringList files =
            path->text() == chosenFiles->join("; ") ? *chosenFiles : QStringList{path->text()};
        guarded(this, [this, item, files] { importStationFiles(item, files); });
    });
    return page;
}

QWidget* TForm1::buildDesignPage() {
    auto* page = new QWidget(this);
    page->setObjectName("TSProyecto");
    page->setStyleSheet(
        QStringLiteral("QGroupBox { background: white; color: navy; } "
                       "QLabel { color: navy; }"));
    auto* contents = new QWidget(page);
    auto* layout = new QVBoxLayout(contents);
    auto* stationPanel = new QGroupBox(QStringLiteral("Datos de la estación"), page);
    stationPanel->setObjectName("GBDatosProyecto");
    auto* grid = new QGridLayout(stationPanel);
    LProvincia2 = makeReadOnlyEdit("LProvincia2", stationPanel);
    LEstacion2 = makeReadOnlyEdit("LEstacion2", stationPanel);
    LIndicativo2 = makeReadOnlyEdit("LIndicativo2", stationPanel);
    Lasnm2 = makeReadOnlyEdit("Lasnm2", stationPanel);
    LLAT2 = makeReadOnlyEdit("LLAT2", stationPanel);
    LLONG2 = makeReadOnlyEdit("LLONG2", stationPanel);
    LEstacion2_ = new ClickLabel("LEstacion2_", stationPanel);
    LEstacion2_->setText(QStringLiteral("Estación:"));
    Label2 = new ClickLabel("Label2", stationPanel);
    Label2->setText(QStringLiteral("Provincia:"));
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(LProvincia2, 0, 1);
    grid->addWidget(LEstacion2_, 1, 0);
    grid->addWidget(LEstacion2, 1, 1, 1, 3);
    grid->addWidget(makeLabel("LIndicativo2_", QStringLiteral("Indicativo:"), stationPanel), 0, 2);
    grid->addWidget(LIndicativo2, 0, 3);
    grid->addWidget(makeLabel("Lasnm2_", QStringLiteral("a.s.n.m. (m)"), stationPanel), 2, 0);
    grid->addWidget(Lasnm2, 2, 1);
    grid->addWidget(makeLabel("LLAT2_", QStringLiteral("Latitud (º)"), stationPanel), 2, 2);
    grid->addWidget(LLAT2, 2, 3);
    grid->addWidget(makeLabel("LLONG2_", QStringLiteral("Longitud(º)"), stationPanel), 2, 4);
    grid->addWidget(LLONG2, 2, 5);
    grid->addWidget(makeLabel("LObservaciones", QStringLiteral("Nº observaciones "), stationPanel),
                    0, 6);
    grid->addWidget(makeLabel("LTempSeca", QStringLiteral("Temperatura seca"), stationPanel), 1, 6);
    ENDatosT = makeReadOnlyEdit("ENDatosT", stationPanel);
    grid->addWidget(ENDatosT, 1, 7);
    LNDatosT = makeLabel("LNDatosT", QStringLiteral("LNDatosT"), stationPanel);
    grid->addWidget(LNDatosT, 2, 7);
    grid->addWidget(makeLabel("LHumRel", QStringLiteral("Humedad Relativa"), stationPanel), 3, 6);
    ENDatosFI = makeReadOnlyEdit("ENDatosFI", stationPanel);
    grid->addWidget(ENDatosFI, 3, 7);
    LNDatosFI = makeLabel("LNDatosFI", QStringLiteral("LNDatosFI"), stationPanel);
    grid->addWidget(LNDatosFI, 4, 7);
    layout->addWidget(stationPanel);
    auto* selection = makeLabel("LSeleccion2", {}, page);
    selection->setWordWrap(true);
    layout->addWidget(selection);
    selectionLines_[page] = selection;
    LExtrapolacion2 = makeLabel("LExtrapolacion2", {}, page);
    LExtrapolacion2->setStyleSheet(QStringLiteral("font-weight: bold;"));
    LExtrapolacion2->hide();
    layout->addWidget(LExtrapolacion2);

    auto* reference = new QGroupBox(QStringLiteral("Condiciones de proyecto"), page);
    reference->setObjectName("GBCondiciones");
    auto* referenceGrid = new QGridLayout(reference);
    referenceGrid->addWidget(
        makeLabel("LNotaProyecto",
                  QStringLiteral("(Para todos los datos de la estación, no se utilizan los "
                                 "intervalos definidos)"),
                  reference),
        0, 0, 1, 7);
    for (int i = 1; i <= kReferenceValues; ++i) {
        const QString name = qs(referenceLabelName(i));
        referenceLabels[static_cast<std::size_t>(i)] = makeLabel(name, name, reference);
        referenceGrid->addWidget(referenceLabels[static_cast<std::size_t>(i)], 1 + (i - 1) / 8,
                                 (i - 1) % 8);
    }
    layout->addWidget(reference);
    // The information button sits at the end of the note's row, to keep the page short.
    SpeedButton1 = new QToolButton(reference);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    SpeedButton1->setToolTip(QStringLiteral("Información"));
    referenceGrid->addWidget(SpeedButton1, 0, 7, Qt::AlignRight);
    layout->addStretch(1);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { showHelp(2); });
    makeScrollingPage(page, contents);
    return page;
}

void TForm1::clearStationLabels(bool withCode) {
    for (QLabel* label :
         {LProvincia, static_cast<QLabel*>(LEstacion), LLAT, LLONG, Lasnm, LDatosT, LDatosH}) {
        label->clear();
        label->show();
    }
    LIndicativo->show();
    LInformeDatos->clear();
    if (!withCode) return;
    LIndicativo->clear();
    // The folder of a station's files goes with the station's labels.
    LCarpeta->setText(folderCaption(setup_.dataFolder));
}

void TForm1::TSEstacionShow() {
    configureDataSource();
    clearStationLabels(false);
    // The header of the EPW files stays where the station labels are while they are loaded.
    if (epwChosen()) showStationLabels(epwLabels_);
    if (setup_.dataFolder.folder.empty()) reportMissingFolder();
}

void TForm1::reportMissingFolder() {
    QString places;
    for (const std::string& place : setup_.dataFolder.tried) {
        places += (places.isEmpty() ? "" : ", ") + qs(place);
    }
    LAvisoDatos->setText(QStringLiteral("No se encuentra la carpeta de datos (se ha buscado en: ") +
                         places +
                         QStringLiteral("). Elíjala con «Elegir carpeta de datos…» o indíquela al "
                                        "arrancar con climstat --data-dir CARPETA o con la "
                                        "variable de entorno CLIMSTAT_DATA_DIR."));
}

bool TForm1::chooseDataFolder(const QString& folder) {
    const std::string path = QDir(folder).absolutePath().toStdString();
    if (!holdsClimateFiles(path)) {
        showCritical(this, QStringLiteral("La carpeta ") + qs(path) +
                               QStringLiteral(" no contiene ningún fichero de clima: ni ficheros "
                                              "de años tipo de las listas (como "
                                              "D3_peninsula.met o madrid.met) ni ficheros de "
                                              "estaciones (como T1387E_.bin). Se sigue usando "
                                              "la carpeta de antes."));
        return false;
    }
    userSettings()->setValue(kChosenDataFolderKey, qs(path));
    setup_.folderInputs.chosenDir = path;
    setup_.dataFolder = resolveDataFolder(setup_.folderInputs);
    LCarpeta->setText(folderCaption(setup_.dataFolder));
    if (setup_.dataFolder.folder == path) {
        LAvisoDatos->clear();
    } else {
        // --data-dir and CLIMSTAT_DATA_DIR come first; the choice serves the next starts.
        LAvisoDatos->setText(QStringLiteral("La carpeta elegida se usará cuando el programa se "
                                            "arranque sin --data-dir ni CLIMSTAT_DATA_DIR; "
                                            "ahora se sigue usando ") +
                             qs(setup_.dataFolder.folder) + ".");
    }
    return true;
}

WindowSetup windowSetup(const std::string& programFolder,
                        const std::optional<std::string>& commandLineDir) {
    WindowSetup setup;
    setup.programFolder = programFolder;
    setup.folderInputs = dataFolderInputsFromEnvironment(programFolder, commandLineDir);
    const QString chosen = userSettings()->value(kChosenDataFolderKey).toString();
    if (!chosen.isEmpty()) setup.folderInputs.chosenDir = chosen.toStdString();
    setup.dataFolder = resolveDataFolder(setup.folderInputs);
    return setup;
}

std::string TForm1::stationDataFolder(const std::string& code) const {
    return stationFolder(setup_.dataFolder.folder, userDataFolder(setup_.folderInputs), code);
}

namespace {

StationLoadSettings loadSettings(const TForm1& form) {
    StationLoadSettings settings;
    settings.extrapolation = static_cast<psychro::Extrapolation>(form.RGAEMET->itemIndex());
    settings.localityAltitudeText = ss(form.Eaamn->text());
    settings.decimalSeparator = decimalSeparator();
    settings.selection = form.selectionSettings();
    return settings;
}

// Why a typical-year file could not be loaded: its name and the data folder once each, and
// for a file that is not there, where such files come from.
QString typicalYearFailure(const DataFileError& error, const std::string& folder) {
    const QString name = QFileInfo(qs(error.path())).fileName();
    const Problem& problem = error.problem();
    if (problem.kind == ErrorKind::CannotOpen && problem.fields.cause == FileCause::Missing) {
        return QStringLiteral("No está el fichero ") + name +
               QStringLiteral(" en la carpeta de datos ") + qs(folder) +
               QStringLiteral(
                   ". Los ficheros de año tipo (.met) del CTE se publican en codigotecnico.org, "
                   "entre los documentos de apoyo del DB-HE; el apartado «Climate data» del "
                   "README dice con qué nombre se guardan en la carpeta de datos.");
    }
    return QStringLiteral("No se ha podido leer el fichero ") + name +
           QStringLiteral(" de la carpeta de datos ") + qs(folder) + ": " + spanishReason(problem);
}

// A load gave something to compute with: the temperature file was read and holds usable hours
// (the command line ends with a missing-data error otherwise).
bool stationHasData(const StationLoadResult& load) {
    return load.temperatureRead && load.usableHours > 0;
}

// What the station page says about the files of a load.
QString loadReport(const StationLoadResult& load) {
    QString report;
    if (!load.temperatureRead) {
        report += QStringLiteral("No se ha podido leer el fichero de temperaturas ") +
                  qs(load.temperaturePath) + " (" + spanishReason(load.temperatureFailure) +
                  QStringLiteral("): sus horas quedan sin datos.");
    }
    if (!load.humidityRead) {
        if (!report.isEmpty()) report += "\n";
        report += QStringLiteral("No se ha podido leer el fichero de humedades ") +
                  qs(load.humidityPath) + " (" + spanishReason(load.humidityFailure) + ").";
    }
    if (load.droppedHours > 0) {
        if (!report.isEmpty()) report += "\n";
        QStringList dates;
        for (const std::string& date : load.droppedDates)
            dates << qs(date);
        report += QString::number(load.droppedHours) +
                  QStringLiteral(
                      " hora(s) con valores imposibles (temperatura fuera de "
                      "-90..70 ºC o humedad relativa fuera de 0..100 %) se han "
                      "dejado sin datos; la primera: ") +
                  dates.join(", ") + ".";
    }
    if (load.humidityRead && load.noHumidityReading()) {
        if (!report.isEmpty()) report += "\n";
        report += QStringLiteral("El fichero de humedades ") + qs(load.humidityPath) +
                  QStringLiteral(
                      " no tiene ninguna lectura de humedad: todas las horas llevan la "
                      "humedad específica inicial de 0,005 kg/kg, que no dice nada del clima de "
                      "la estación.");
    }
    if (load.temperatureRead && load.usableHours == 0) {
        if (!report.isEmpty()) report += "\n";
        report += QStringLiteral("Los ficheros ") + qs(load.temperaturePath) +
                  QStringLiteral(" y ") + qs(load.humidityPath) +
                  QStringLiteral(" no contienen ninguna hora utilizable.");
    }
    if (!stationHasData(load)) {
        report += QStringLiteral(
            "\nSin datos de la estación no hay resultados: las páginas de resultados no se "
            "muestran.");
    }
    return report;
}

}  // namespace

void TForm1::showStationLabels(const StationPageLabels& labels) {
    const std::pair<QLabel*, const std::string*> shown[] = {
        {LProvincia, &labels.province}, {LEstacion, &labels.station}, {LLAT, &labels.latitude},
        {LLONG, &labels.longitude},     {Lasnm, &labels.altitude},    {LDatosT, &labels.countT},
        {LDatosH, &labels.countH},      {LIndicativo, &labels.code}};
    // A location without some of the data (a typical year has no code) leaves no empty rows.
    const bool any = std::any_of(std::begin(shown), std::end(shown),
                                 [](const auto& item) { return !item.second->empty(); });
    for (const auto& [label, text] : shown) {
        label->setText(qs(*text));
        label->setVisible(!any || !text->empty());
    }
}

void TForm1::showExtrapolationNote(const StationLoadSettings& settings) {
    const auto choice = static_cast<int>(settings.extrapolation);
    // The load has just converted the same altitude text.
    const float altitude = psychro::movesAltitude(settings.extrapolation)
                               ? static_cast<float>(parseDecimal(settings.localityAltitudeText,
                                                                 settings.decimalSeparator))
                               : 0.0f;
    LExtrapolacion2->setText(qs(extrapolationNote(choice, altitude, settings.decimalSeparator)));
    LExtrapolacion2->setVisible(choice != 0);
}

void TForm1::selectStation() {
    clearStationLabels(true);
    LAvisoDatos->clear();
    const int item = CBAEMET->currentIndex();
    const std::string code = stationCodeForIndex(item);
    const StationLoadSettings settings = loadSettings(*this);
    if (!code.empty() && settings.selection.source == DataSource::Aemet &&
        setup_.dataFolder.folder.empty()) {
        reportMissingFolder();
    }
    StationSelection selection;
    try {
        selection = climstat::selectStation(*state_, item, settings, stationDataFolder(code),
                                            std::cout, std::cerr);
    } catch (...) {
        // The load did not start (an altitude that is not a number): the page still names the
        // chosen station, and no result page shows the data loaded before under its name.
        if (!code.empty()) showStationLabels(stationPageLabels(*state_));
        stationLoaded_ = false;
        refreshTabsAndLabels();
        throw;
    }
    showStationLabels(selection.stationLabels);
    if (!selection.loaded) return;
    stationLoaded_ = stationHasData(selection.load);
    fillYearLists();
    if (!setup_.dataFolder.folder.empty()) LAvisoDatos->setText(loadReport(selection.load));
    showExtrapolationNote(settings);
    LCarpeta->setText(folderCaption(setup_.dataFolder, stationDataFolder(code)));

    showDesignStationTexts(selection.designTexts);
    refreshTabsAndLabels();
}

void TForm1::showDesignStationTexts(const DesignPageStationTexts& texts) {
    for (int i = 1; i <= kReferenceValues; ++i) {
        QLabel* label = referenceLabels[static_cast<std::size_t>(i)];
        label->hide();
        label->setText(qs(texts.reference[static_cast<std::size_t>(i)]));
    }
    LNDatosT->hide();
    LNDatosFI->hide();
    Lasnm2->setText(qs(texts.altitude));
    LProvincia2->setText(qs(texts.province));
    LEstacion2->setText(qs(texts.station));
    LIndicativo2->setText(qs(texts.code));
    LLAT2->setText(qs(texts.latitude));
    LLONG2->setText(qs(texts.longitude));
    LNDatosT->setText(qs(texts.countT));
    LNDatosFI->setText(qs(texts.countH));
}

void TForm1::CBAEMETChange() {
    selectStation();
    setWindowTitle(QStringLiteral("Programa de análisis de datos climáticos:  AEMET   ") +
                   CBAEMET->currentText());
}

void TForm1::loadSelectedStation() {
    LAvisoDatos->clear();
    const StationLoadResult load = loadStationData(
        *state_, state_->locationAltitudeText, state_->stationCode, loadSettings(*this),
        stationDataFolder(state_->stationCode), std::cout, std::cerr);
    LAvisoDatos->setText(loadReport(load));
    LCarpeta->setText(folderCaption(setup_.dataFolder, stationDataFolder(state_->stationCode)));
    stationLoaded_ = stationHasData(load);
    showExtrapolationNote(loadSettings(*this));
    // The result pages follow what the reload gave, while the station is chosen in the list.
    if (CBAEMET->currentIndex() > 0) refreshTabsAndLabels();
}

void TForm1::RGAEMETClick() {
    const int choice = RGAEMET->itemIndex();
    const bool altitude = choice == 1 || choice == 3;
    Label49->setVisible(altitude);
    Eaamn->setVisible(altitude);
    if (choice == 0 && CBAEMET->currentIndex() > 0) loadSelectedStation();
}

void TForm1::selectTypicalYear(QComboBox* list, bool list2006) {
    clearStationLabels(true);
    LocationRequest request;
    request.source = static_cast<DataSource>(RGTiposDatos->itemIndex());
    request.list = list2006 ? TypicalYearList::List2006 : TypicalYearList::List2013;
    request.position = list->currentIndex();
    request.dataFolder = setup_.dataFolder.folder;
    try {
        const LocationLoad load = loadLocation(*state_, request);
        if (!load.loaded) return;
        showStationLabels(typicalYearPageLabels(*state_, load.path, decimalSeparator()));
        QStringList notices;
        if (!load.notes.latitudeNotANumber.empty()) {
            notices << qs(load.notes.path) + QStringLiteral(": la latitud '") +
                           qs(load.notes.latitudeNotANumber) +
                           QStringLiteral(
                               "' de la cabecera no es un número y se lee como 0 "
                               "(¿tiene la línea del nombre más de una palabra?).");
        }
        if (load.notes.nonNumberTokens > 0) {
            notices << qs(load.notes.path) + ": " + QString::number(load.notes.nonNumberTokens) +
                           QStringLiteral(
                               " valor(es) de temperatura o humedad no son "
                               "números y se leen como 0 (el primero en la "
                               "línea ") +
                           QString::number(load.notes.firstNonNumberLine) + ").";
        }
        LAvisoDatos->setText(notices.join("\n"));
    } catch (const DataFileError& error) {
        // The data loaded before stay, and so do the list and the pages that show them.
        const int kept = state_->typicalYearIndex;
        list->setCurrentIndex(kept > 0 ? kept : 0);
        const TypicalYearLocation* shown =
            kept > 0 ? findTypicalYearLocation(state_->selectedLocation) : nullptr;
        if (shown != nullptr) {
            showStationLabels(typicalYearPageLabels(
                *state_, typicalYearFilePath(setup_.dataFolder.folder, shown->fileBaseName),
                decimalSeparator()));
        }
        LAvisoDatos->clear();
        if (setup_.dataFolder.folder.empty()) {
            reportMissingFolder();
        } else {
            LAvisoDatos->setText(typicalYearFailure(error, setup_.dataFolder.folder));
        }
        std::cerr << error.what() << '\n';
    }
    if (isTypicalYearSource(request.source)) LPTV->clear();
    CBAEMET->setCurrentIndex(0);
    Panel3->setVisible(request.source == DataSource::Cte2006);
    refreshTabsAndLabels();
}

void TForm1::selectTypicalYear2006() {
    selectTypicalYear(CBMet, true);
}
void TForm1::selectTypicalYear2013() {
    selectTypicalYear(CBMet2013, false);
}

void TForm1::CBMetChange() {
    selectTypicalYear2006();
    setWindowTitle(QStringLiteral("Programa de análisis de datos climáticos: CTE-HE 2006   ") +
                   CBMet->currentText());
}

void TForm1::CBMet2013Change() {
    selectTypicalYear2013();
    setWindowTitle(QStringLiteral("Programa de análisis de datos climáticos:  CTE-HE 2013   ") +
                   CBMet2013->currentText());
}

void TForm1::Image15MouseMove(int x, int y) {
    const MapHover hover = mapPointerMoved(*state_, x, y);
    if (hover.overCity) {
        LProvincia->setText(qs(hover.provinceLabel));
        Lasnm->clear();
    }
    LIndicativo->clear();
}

void TForm1::Image15DblClick() {
    // A capital picked on the map is chosen in the list: the caption follows as it does there.
    CBMet->setCurrentIndex(mapDoubleClickPosition(*state_));
    CBMetChange();
}

bool TForm1::importStationRecords(int stationItem, const QString& recordsPath) {
    return importStationFiles(stationItem, {recordsPath});
}

bool TForm1::importStationFiles(int stationItem, const QStringList& files) {
    LAvisoDatos->clear();  // an error box may follow: no notice of an earlier step stays
    const StationRecord* station = findStation(stationCodeForIndex(stationItem));
    if (station == nullptr || files.isEmpty()) return false;
    const std::string folder = importFolder(setup_.dataFolder, setup_.folderInputs, station->code);
    if (folder.empty()) {
        LAvisoDatos->setText(
            QStringLiteral("No hay ninguna carpeta de datos en la que se pueda escribir."));
        return false;
    }
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(ss(file));
    HourlyImportOptions options;
    options.decimalSeparator = decimalSeparator();
    const HourlyImport hourly = importHourlyFiles(*station, paths, folder, options);
    // Hours left out are told whether the files were written or not.
    QString notes;
    const std::size_t shownNotes = std::min<std::size_t>(hourly.notes.size(), 10);
    for (std::size_t i = 0; i < shownNotes; ++i)
        notes += "\n" + spanishText(hourly.notes[i]);
    if (hourly.notes.size() > shownNotes) notes += "\n…";
    if (!notes.isEmpty()) {
        notes = QString::number(hourly.notes.size()) +
                QStringLiteral(" hora(s) o línea(s) se han dejado fuera:") + notes;
    }
    const StationImport& imported = hourly.station;
    if (!imported.written) {
        QString report = spanishText(imported.refusal);
        const std::size_t shown = std::min<std::size_t>(hourly.lineErrors.size(), 10);
        for (std::size_t i = 0; i < shown; ++i) {
            const HourlyLineError& error = hourly.lineErrors[i];
            report += "\n" + (files.size() > 1 ? qs(error.path) + ", " : QString()) +
                      QStringLiteral("línea ") + QString::number(error.line) + ": " +
                      spanishReason(error.problem);
        }
        if (hourly.lineErrorCount > static_cast<long>(shown)) report += "\n…";
        LAvisoDatos->setText(notes.isEmpty() ? report : report + "\n" + notes);
        return false;
    }
    // Load the station as if it had been chosen in the list.
    if (RGTiposDatos->itemIndex() != 0) {
        RGTiposDatos->setItemIndex(0);
        RGTiposDatosClick();
    }
    CBAEMET->setCurrentIndex(stationItem);
    CBAEMETChange();
    // What went well is said apart from the warnings, in the page's ordinary colour.
    LInformeDatos->setText(QStringLiteral("Escritos ") + qs(imported.temperaturePath) +
                           QStringLiteral(" y ") + qs(imported.humidityPath) + ".");
    if (!notes.isEmpty()) {
        LAvisoDatos->setText(LAvisoDatos->text().isEmpty() ? notes
                                                           : LAvisoDatos->text() + "\n" + notes);
    }
    return true;
}

}  // namespace climstat::app
