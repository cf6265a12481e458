#include <limits>
#include <sstream>

#include "cli/cli.h"
#include "core/number_text.h"
#include "data/station_catalogue.h"
#include "psychro/station_extrapolation.h"
#include "selection/selection.h"
#include "stats/design_conditions.h"

namespace climstat::cli {

namespace {

struct Extremes {
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    double sum = 0;
    long count = 0;
    void add(float value) {
        min = std::min(min, static_cast<double>(value));
        max = std::max(max, static_cast<double>(value));
        sum += value;
        ++count;
    }
};

// Calendar year of a station year slot, or "-" when no slot holds a valid temperature.
std::string yearText(int slot) {
    if (slot == 0) return "-";
    return integerText(1996 + slot) + " (slot " + integerText(slot) + ")";
}

// The catalogue record of the loaded station and what its load found.
void writeStationInfo(Context& ctx, std::ostream& out) {
    const AnalysisState& s = ctx.state();
    const StationRecord* record = findStation(s.stationCode);
    if (record == nullptr) return;
    const char sep = ctx.decimalSeparator;
    const auto choice =
        static_cast<psychro::Extrapolation>(ctx.args.value("extrapolation").value_or("0")[0] - '0');
    out << "station: " << record->code << '\n';
    out << "province: " << record->province << '\n';
    out << "station name: " << record->stationName << '\n';
    out << "station altitude (m): " << record->altitudeText << '\n';
    out << "latitude text: " << record->latitudeText << '\n';
    out << "longitude text: " << record->longitudeText << '\n';
    out << "temperature data (catalogue): " << record->countTText << '\n';
    out << "humidity data (catalogue): " << record->countHText << '\n';
    out << "wMax (kg/kg): " << numberText(record->wMax, 15, 4, sep) << '\n';
    out << "extrapolation: " << static_cast<int>(choice) << ' '
        << psychro::extrapolationCaption(choice) << '\n';
    if (psychro::movesAltitude(choice)) {
        out << "locality altitude (m): " << *ctx.args.value("locality-altitude") << '\n';
    }
    out << "valid temperature hours (nValidT): " << s.nValidT << '\n';
    out << "humidity readings (nValidH): " << s.nValidH << '\n';
    out << "first valid year: " << yearText(s.firstValidYear) << '\n';
    out << "last valid year: " << yearText(s.lastValidYear) << '\n';
}

std::string optionalText(const std::optional<float>& value, char sep) {
    return value ? numberText(*value, 15, 1, sep) : "-";
}

// The EPW header, and the file's own design conditions beside those climstat computes from the
// same hours: the file's are its source's reference (usually a longer period of record).
void writeEpwInfo(Context& ctx, std::ostream& out) {
    const EpwLoadReport& epw = ctx.epw;
    const EpwLocation& l = epw.location;
    const char sep = ctx.decimalSeparator;
    out << "EPW city: " << l.city << '\n';
    out << "EPW region: " << l.region << '\n';
    out << "EPW country: " << l.country << '\n';
    out << "EPW data source: " << l.source << '\n';
    out << "EPW WMO station: " << l.wmo << '\n';
    out << "EPW latitude / longitude: " << numberText(l.latitude, 15, 4, sep) << " / "
        << numberText(l.longitude, 15, 4, sep) << '\n';
    out << "EPW time zone (h from UTC): " << numberText(l.timeZone, 15, 1, sep) << '\n';
    out << "EPW elevation (m): " << numberText(l.elevation, 15, 1, sep) << '\n';
    if (epw.typicalYear) {
        out << "years: one typical year\n";
    } else {
        out << "years:";
        for (int year : epw.years)
            out << ' ' << year;
        out << '\n';
    }
    out << "hours with data: " << epw.counts.hoursWithData << " of "
        << ctx.state().nYears * kHoursPerYear << '\n';

    AnalysisState& state = ctx.state();
    initValidMasks(state, DataSource::Epw);
    const DesignConditions ours = computeDesignConditions(state);
    const EpwDesignConditions& file = epw.design;
    out << "design conditions: climstat from these hours / the file's reference ("
        << (file.source.empty() ? "none in the file" : file.source) << ")\n";
    auto line = [&](const char* name, const std::optional<float>& climstat,
                    const std::optional<float>& reference) {
        out << name << ": " << optionalText(climstat, sep) << " / " << optionalText(reference, sep)
            << '\n';
    };
    line("heating dry bulb 99.6 % (TS_99,6, degC)", ours.ts996, file.heating996);
    line("heating dry bulb 99 % (TS_99, degC)", ours.ts99, file.heating990);
    line("cooling dry bulb 0.4 % (TS_0,4, degC)", ours.ts04, file.cooling004);
    line("coincident wet bulb 0.4 % (THC_0,4, degC)", ours.thc04, file.coolingWetBulb004);
    line("cooling dry bulb 1 % (TS_1, degC)", ours.ts1, file.cooling010);
    line("coincident wet bulb 1 % (THC_1, degC)", ours.thc1, file.coolingWetBulb010);
    line("cooling dry bulb 2 % (TS_2, degC)", ours.ts2, file.cooling020);
    line("coincident wet bulb 2 % (THC_2, degC)", ours.thc2, file.coolingWetBulb020);
}

}  // namespace

int commandInfo(Context& ctx) {
    loadLocation(ctx);
    const AnalysisState& s = ctx.state();
    const char sep = ctx.decimalSeparator;

    Extremes ts;
    Extremes w;
    long hours = 0;
    for (int y = 1; y <= s.nYears; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (s.validMask[h][y] != 1.0f) continue;
            ++hours;
            ts.add(s.ts[h][y]);
            w.add(s.w[h][y]);
        }
    }

    std::ostringstream out;
    out << "location: " << (s.locationCityName.empty() ? s.locationName : s.locationCityName)
        << '\n';
    out << "file: " << ctx.loadedFile << '\n';
    out << "data folder: " << ctx.dataFolder.folder << " (" << ctx.dataFolder.origin << ")\n";
    out << "altitude (m): " << s.locationAltitudeText << '\n';
    out << "pressure pt (Pa): " << numberText(s.pt, 15, 1, sep) << '\n';
    out << "latitude: " << numberText(s.locationLatitude, 15, 2, sep) << '\n';
    out << "year slots: " << s.nYears << '\n';
    out << "hours read: " << hours << '\n';
    auto line = [&](const char* name, const Extremes& e, int decimals) {
        out << name << " min/max/mean: ";
        if (e.count == 0) {
            out << "-\n";
            return;
        }
        out << numberText(e.min, 15, decimals, sep) << " / " << numberText(e.max, 15, decimals, sep)
            << " / " << numberText(e.sum / static_cast<double>(e.count), 15, decimals, sep) << '\n';
    };
    line("ts (degC)", ts, 2);
    line("w (kg/kg)", w, 6);
    if (ctx.source == DataSource::Aemet) writeStationInfo(ctx, out);
    if (ctx.source == DataSource::Epw) writeEpwInfo(ctx, out);
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
