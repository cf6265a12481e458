#pragma once

#include <string>

namespace climstat {

// Items of "Intervalo de tiempo estudiado".
inline constexpr int kIntervalPresetCount = 13;
inline constexpr int kWholeYearPreset = 0;     // "Continuo 24h (Todo el año)"
inline constexpr int kDaylightPreset = 11;     // "Sólo horas de sol"
inline constexpr int kUserDefinedPreset = 12;  // "Específico (particular a definir por el usuario)"

// Caption of preset item 0..12, blanks and ditto marks included; empty for other items.
std::string intervalPresetCaption(int item);

// Whether one of the fixed rules (items 0..10) selects hour index 1..8760. Item 11 and 12 need
// the latitude and the day types: see sunIsUp and buildHourMask.
bool fixedPresetSelects(int item, int hour);

// Altitude of the sun in degrees at hour j (1..24, 12 = solar noon) of day n (1..365) at a
// latitude in degrees north, in the simple solar model of the daylight preset (declination by
// Cooper's rule, hour angle 15 degrees per hour).
float sunAltitude(int day, int hour, float latitude);

// The daylight rule: the sun strictly above the horizon.
inline bool sunIsUp(int day, int hour, float latitude) {
    return sunAltitude(day, hour, latitude) > 0.0f;
}

}  // namespace climstat
