#include <limits>
#include <sstream>

#include "cli/cli.h"
#include "core/number_text.h"

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

}  // namespace

int commandInfo(Context& ctx) {
    loadLocation(ctx);
    const AnalysisState& s = *ctx.state;
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
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
