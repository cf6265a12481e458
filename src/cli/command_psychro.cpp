#include <sstream>

#include "cli/cli.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "psychro/humid_air.h"

namespace climstat::cli {

int commandPsychro(Context& ctx) {
    using namespace psychro;
    // The limits are checked on the numbers as given, before they become single precision.
    const double tGiven = numberOption(ctx, "t");
    const double wGiven = numberOption(ctx, "w");
    if (ctx.args.has("pt") == ctx.args.has("altitude")) {
        throw UsageError("psychro needs either --pt P or --altitude Z");
    }
    float pt = 0;
    if (ctx.args.has("pt")) {
        const double ptGiven = numberOption(ctx, "pt");
        if (!(ptGiven > 0.0 && ptGiven < 1.0e7)) {
            throw UsageError("--pt must be a pressure above 0 and below 1e7 Pa");
        }
        pt = static_cast<float>(ptGiven);
    } else {
        const double z = numberOption(ctx, "altitude");
        if (!isAcceptedAltitude(z)) throw UsageError("--altitude is outside -1000..10000 m");
        pt = pressureAtAltitude(static_cast<float>(z));
    }
    if (!(tGiven > -100.0 && tGiven < 200.0)) {
        throw UsageError("--t must lie between -100 and 200 degC");
    }
    if (!(wGiven >= 0.0 && wGiven < 1.0)) throw UsageError("--w must lie between 0 and 1 kg/kg");
    const auto t = static_cast<float>(tGiven);
    const auto w = static_cast<float>(wGiven);

    const char sep = ctx.decimalSeparator;
    std::ostringstream out;
    auto line = [&](const char* name, float value, int decimals) {
        out << name << ": " << numberText(value, 15, decimals, sep) << '\n';
    };
    line("dry bulb (degC)", t, 2);
    line("humidity ratio (kg/kg)", w, 6);
    line("total pressure (Pa)", pt, 1);
    line("saturation pressure (Pa)", saturationPressure(t), 2);
    line("vapour pressure (Pa)", vapourPressure(w, pt), 2);
    line("saturation humidity ratio (kg/kg)", saturationHumidityRatio(t, pt), 6);
    line("relative humidity (%)", relativeHumidity(t, w, pt), 2);
    line("dew point (degC)", dewPoint(w, pt), 2);
    line("wet bulb (degC)", wetBulb(t, w, pt), 2);
    line("enthalpy (kJ/kg)", enthalpy(t, w), 2);
    line("specific volume (m3/kg)", specificVolume(t, w, pt), 4);
    writeResult(ctx, out.str());
    return kExitOk;
}

}  // namespace climstat::cli
