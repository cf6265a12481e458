// The data source "Fichero EPW (*.epw)": EPW weather files of any place, a typical year or up to
// twelve actual years of one location, chosen in a file dialog and loaded by the engine's one
// location load.

#include <QFileDialog>
#include <QFileInfo>

#include "app/error_texts.h"
#include "app/tform1.h"
#include "core/errors.h"
#include "data/location_load.h"
#include "stats/hourly_values.h"

namespace climstat::app {

namespace {

// What the station page says about hours the files did not give as they should.
QStringList epwNotices(const EpwLoadReport& report) {
    QStringList notices;
    if (report.leapDayRecords > 0) {
        notices << QString::number(report.leapDayRecords) +
                       QStringLiteral(
                           " registro(s) del 29 de febrero se han dejado fuera (los años son "
                           "de 365 días).");
    }
    if (report.unreadableValues > 0) {
        notices << QString::number(report.unreadableValues) +
                       QStringLiteral(
                           " valor(es) no son números y se toman como datos que "
                           "faltan (el primero en ") +
                       qs(report.firstUnreadablePath) + QStringLiteral(", línea ") +
                       QString::number(report.firstUnreadableLine) + ").";
    }
    if (report.counts.hoursWithoutHumidity > 0) {
        notices << QString::number(report.counts.hoursWithoutHumidity) +
                       QStringLiteral(
                           " hora(s) con temperatura seca pero sin punto de rocío ni humedad "
                           "relativa quedan sin datos.");
    }
    if (report.counts.hoursWithData == 0) {
        notices << QStringLiteral(
            "Los ficheros no contienen ninguna hora con temperatura seca y humedad: las "
            "páginas de resultados no se muestran.");
    }
    return notices;
}

}  // namespace

void TForm1::chooseEpwFiles() {
    const QStringList files =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Ficheros EPW"), dialogFolder("epw"),
                                      QStringLiteral("Ficheros EPW (*.epw *.EPW);;Todos (*)"));
    if (files.isEmpty()) return;
    rememberDialogFolder("epw", files.front());
    guarded(this, [this, files] { loadEpwFiles(files); });
}

bool TForm1::loadEpwFiles(const QStringList& files) {
    if (RGTiposDatos->itemIndex() != static_cast<int>(DataSource::Epw)) {
        RGTiposDatos->setItemIndex(static_cast<int>(DataSource::Epw));
        RGTiposDatosClick();
    }
    LAvisoDatos->clear();
    LInformeDatos->clear();
    LocationRequest request;
    request.source = DataSource::Epw;
    for (const QString& file : files)
        request.epwPaths.push_back(ss(file));
    LocationLoad load;
    try {
        load = loadLocation(*state_, request);
    } catch (const DataFileError& error) {
        // Every file is read before the state changes: what was loaded before stays shown.
        LAvisoDatos->setText(QStringLiteral("No se han podido cargar los ficheros EPW: ") +
                             spanishText(error.problem()));
        return false;
    }
    CBAEMET->setCurrentIndex(0);
    epwLoaded_ = load.epw.counts.hoursWithData > 0;
    epwLabels_ = epwPageLabels(load.epw, state_->nYears, decimalSeparator());
    clearStationLabels(true);
    showStationLabels(epwLabels_);
    QStringList names;
    for (const std::string& path : request.epwPaths)
        names << QFileInfo(qs(path)).fileName();
    LCarpeta->setText(QStringLiteral("Ficheros EPW: ") + names.join(", ") + " (" +
                      QFileInfo(files.front()).absolutePath() + ")");
    LAvisoDatos->setText(epwNotices(load.epw).join("\n"));

    // The design page names the place as it names a station; the catalogue's reference values
    // do not belong to it.
    DesignPageStationTexts texts = designPageStationTexts(*state_, decimalSeparator());
    texts.reference.fill({});
    texts.countT.clear();
    texts.countH.clear();
    showDesignStationTexts(texts);
    LExtrapolacion2->hide();
    LPTV->clear();
    fillYearLists();
    refreshTabsAndLabels();
    setCaptionForSource();
    return epwLoaded_;
}

void TForm1::fillYearLists() {
    const std::vector<std::string> items = yearListItems(*state_);
    QStringList texts;
    for (const std::string& item : items)
        texts << qs(item);
    for (QComboBox* list : {ComboBox5, ComboBox6}) {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        // A list that already offers these years keeps the year the user chose.
        if (shown == texts) continue;
        list->clear();
        list->addItems(texts);
        list->setCurrentIndex(defaultYearItem(*state_));
    }
}

}  // namespace climstat::app
