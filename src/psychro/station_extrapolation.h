#pragma once

// Moving station data to the locality of a project: to another altitude (the pressure of the
// locality and a lapse of one degree per 100 m), into an urban heat island (seasonal offsets),
// or both. The station loader applies it hour by hour, after the humidity ratio has been
// derived from the station's relative humidity and before the humidity cap and the wet bulb.

namespace climstat::psychro {

// Item of the extrapolation choice.
enum class Extrapolation {
    None = 0,                      // "Estación meteo"
    Altitude = 1,                  // "Diferente cota"
    ThermalIsland = 2,             // "Isla térmica"
    ThermalIslandAndAltitude = 3,  // "Isla térm.+dif.cota"
};

// Caption of a choice ("Estación meteo", "Diferente cota", "Isla térmica", "Isla térm.+dif.cota").
const char* extrapolationCaption(Extrapolation choice);

inline bool movesAltitude(Extrapolation choice) {
    return choice == Extrapolation::Altitude || choice == Extrapolation::ThermalIslandAndAltitude;
}
inline bool addsThermalIsland(Extrapolation choice) {
    return choice == Extrapolation::ThermalIsland ||
           choice == Extrapolation::ThermalIslandAndAltitude;
}

// What a load computes once, before its hours: the total pressure every humid-air value of the
// load uses and the height of the locality above the station.
struct ExtrapolationSetup {
    float pt = 0;          // Pa
    float heightGain = 0;  // m, zL - zS when the altitude moves, else 0
};

// Pressure and height gain for a station at zS and a locality at zL (metres above sea level).
// Without a change of altitude the locality altitude is not used: pt is that of zS.
ExtrapolationSetup extrapolationSetup(Extrapolation choice, float stationAltitude,
                                      float localityAltitude);

// Offset of the urban heat island for hour index 1..8760, degC: +3.0 in winter (hours 1..1919
// and 8521..8760), +1.5 in spring (1920..4128) and autumn (6360..8520), 0 in summer.
float thermalIslandOffset(int hour);

// One hour after its correction.
struct CorrectedHour {
    float ts = 0;            // degC
    float w = 0;             // kg/kg
    bool wReplaced = false;  // w was lowered to 99.5 % relative humidity; the carried humidity
                             // of the loader takes the new value
};

// Corrects the dry bulb of hour `hour` (lapse first when the altitude rises, then the heat-island
// offset) and re-caps the humidity ratio at the corrected temperature: an hour with a humidity
// reading is lowered to 99.5 % relative humidity when it would exceed 99.5 %, an hour carrying
// an earlier humidity when it would exceed 100 %. With Extrapolation::None nothing changes.
CorrectedHour correctStationHour(Extrapolation choice, float heightGain, int hour, float ts,
                                 float w, bool hasReading, float pt);

// Humidity ratio of air at T at 99.5 % relative humidity: the value every cap of station data
// lowers an hour to.
float humidityRatioAt995(float T, float pt);

}  // namespace climstat::psychro
