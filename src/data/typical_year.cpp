#include "data/typical_year.h"

#include "selection/selection.h"

#include <filesystem>
#include <optional>

#include "core/errors.h"
#include "core/number_text.h"
#include "data/met_file.h"
#include "data/typical_year_table.h"
#include "psychro/humid_air.h"

namespace climstat {

namespace {

// Altitude texts of the table are whole numbers; a user-given one may carry decimals. An
// altitude above the top of the standard atmosphere has no pressure and is refused.
float altitudeOf(const std::string& altitudeText) {
    const double z = parseDecimal(altitudeText, '.');
    if (!psychro::isAcceptedAltitude(z)) {
        throw UsageError("altitude " + altitudeText + " m is outside -1000..10000 m");
    }
    return static_cast<float>(z);
}

// Everything a typical-year load writes besides the file's own values.
void finishTypicalYearLoad(AnalysisState& state, const std::string& altitudeText,
                           const std::optional<MetFileData>& file) {
    using namespace psychro;
    state.locationAltitudeText = altitudeText;
    // A typical year has no station code: files written from it never carry the code of a
    // station loaded before.
    state.locationCode.clear();
    state.nYears = 1;
    state.slotYear.fill(0);
    state.firstValidYear = 1;
    state.lastValidYear = 1;
    state.pt = pressureAtAltitude(altitudeOf(altitudeText));
    if (file) {
        state.locationLatitude = file->latitude;
        for (int h = 1; h <= kMetRecords; ++h) {
            state.ts[h][1] = file->ts[h];
            state.w[h][1] = file->w[h];
        }
    }
    const float pt = state.pt;
    for (int h = 1; h <= kHoursPerYear; ++h) {
        const float t = state.ts[h][1];
        if (relativeHumidity(t, state.w[h][1], pt) > 100.0f) {
            const double pv = static_cast<double>(saturationPressure(t)) * 99.5 * 0.01;
            state.w[h][1] = humidityRatio(static_cast<float>(pv), pt);
        }
        const WetBulbAndDewPoint solved = wetBulbAndDewPoint(t, state.w[h][1], pt);
        state.tw[h][1] = solved.wetBulb;
        setDerivedHour(state, h, 1, solved.dewPoint);
        state.rangeMask[h][1] = 1.0f;
        state.validMask[h][1] = 1.0f;
    }
    markDerivedSlot(state, 1);
    resetPlotLimits(state);
}

}  // namespace

void resetPlotLimits(AnalysisState& state) {
    state.plotTsMin = 50.0f;
    state.plotTsMax = -50.0f;
    state.plotWMin = 50.0f;
    state.plotWMax = 0.0f;
}

std::string typicalYearFilePath(const std::string& dataFolder, std::string_view fileBaseName) {
    std::filesystem::path path(dataFolder);
    path /= std::string(fileBaseName) + ".met";
    return path.string();
}

std::string loadTypicalYear(AnalysisState& state, std::string_view name, DataSource source,
                            const std::string& dataFolder, TypicalYearNotes* notes) {
    const TypicalYearLocation* row = findTypicalYearLocation(name);
    if (row == nullptr) {
        throw UsageError("'" + std::string(name) + "' is not a typical-year location");
    }
    std::optional<MetFileData> file;
    if (isTypicalYearSource(source)) {
        const std::string path = typicalYearFilePath(dataFolder, row->fileBaseName);
        file = readMetFile(path);
        if (notes != nullptr) {
            *notes = {path, file->nonNumberTokens, file->firstNonNumberLine,
                      file->latitudeNotANumber};
        }
    }
    finishTypicalYearLoad(state, std::string(row->altitude), file);
    return "Ciudad: " + std::string(name);
}

StationPageLabels typicalYearPageLabels(const AnalysisState& state, const std::string& path,
                                        char decimalSeparator) {
    StationPageLabels labels;
    labels.province = state.locationCityName;
    labels.station = "Fichero: " + std::filesystem::path(path).filename().string();
    labels.latitude =
        "Latitud: " + numberText(state.locationLatitude, 6, 2, decimalSeparator) + "º";
    labels.altitude = "a.s.n.m.: " + state.locationAltitudeText;
    labels.countT = "Presión: " + numberText(state.pt, 6, 0, decimalSeparator) + " Pa";
    labels.countH = "Horas: " + std::to_string(kHoursPerYear) + " (año tipo)";
    return labels;
}

void loadTypicalYearFile(AnalysisState& state, const std::string& path,
                         const std::string& altitudeText, TypicalYearNotes* notes) {
    altitudeOf(altitudeText);  // a bad altitude fails before anything changes
    std::optional<MetFileData> file = readMetFile(path);
    if (notes != nullptr)
        *notes = {path, file->nonNumberTokens, file->firstNonNumberLine, file->latitudeNotANumber};
    finishTypicalYearLoad(state, altitudeText, file);
}

}  // namespace climstat
