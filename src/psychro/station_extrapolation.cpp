#include "psychro/station_extrapolation.h"

#include "psychro/humid_air.h"

namespace climstat::psychro {

const char* extrapolationCaption(Extrapolation choice) {
    switch (choice) {
        case Extrapolation::None:
            return "Estación meteo";
        case Extrapolation::Altitude:
            return "Diferente cota";
        case Extrapolation::ThermalIsland:
            return "Isla térmica";
        case Extrapolation::ThermalIslandAndAltitude:
            return "Isla térm.+dif.cota";
    }
    return "";
}

ExtrapolationSetup extrapolationSetup(Extrapolation choice, float stationAltitude,
                                      float localityAltitude) {
    ExtrapolationSetup setup;
    if (movesAltitude(choice)) {
        setup.pt = pressureAtAltitude(localityAltitude);
        setup.heightGain = localityAltitude - stationAltitude;
    } else {
        setup.pt = pressureAtAltitude(stationAltitude);
        setup.heightGain = 0.0f;
    }
    return setup;
}

float thermalIslandOffset(int hour) {
    if (hour <= 1919 || hour >= 8521) return 3.0f;  // winter
    if (hour <= 4128) return 1.5f;                  // spring
    if (hour <= 6359) return 0.0f;                  // summer
    return 1.5f;                                    // autumn
}

float humidityRatioAt995(float T, float pt) {
    const double pv = static_cast<double>(saturationPressure(T)) * 99.5 * 0.01;
    return humidityRatio(static_cast<float>(pv), pt);
}

CorrectedHour correctStationHour(Extrapolation choice, float heightGain, int hour, float ts,
                                 float w, bool hasReading, float pt) {
    CorrectedHour result{ts, w, false};
    if (choice == Extrapolation::None) return result;
    // A locality at the station's altitude or below keeps the station temperature.
    if (movesAltitude(choice) && heightGain > 0.0f) {
        result.ts = static_cast<float>(static_cast<double>(result.ts) -
                                       0.01 * static_cast<double>(heightGain));
    }
    if (addsThermalIsland(choice)) {
        result.ts = static_cast<float>(static_cast<double>(result.ts) +
                                       static_cast<double>(thermalIslandOffset(hour)));
    }
    const float rh = relativeHumidity(result.ts, result.w, pt);
    const float limit = hasReading ? 99.5f : 100.0f;
    if (rh > limit) {
        result.w = humidityRatioAt995(result.ts, pt);
        result.wReplaced = true;
    }
    return result;
}

}  // namespace climstat::psychro
