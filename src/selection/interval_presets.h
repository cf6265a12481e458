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

// The same rule for month m, weekday d (1 Monday .. 7 Sunday, the presets' weekday rule) and
// hour of the day k.
bool fixedPresetRule(int item, int m, int d, int k);

inline constexpr float kSunRadian = 0.017453333f;  // 3.1416 / 180, single precision

// The terms of the sun's altitude that do not change during day n at one latitude: the
// declination 23.45 sin(r 360 (284 + n) / 365.25), kept in single precision, and its products
// with the latitude.
struct SunDay {
    SunDay(int day, float latitude);
    // sin(altitude) at hour j of the day (hour angle 15 (j - 12) degrees), within -1..1.
    double sineOfAltitude(int hour) const;

    double cosDeclination = 0;
    double cosLatitude = 0;
    double sinLatitudeSinDeclination = 0;
};

// Altitude of the sun in degrees at hour j (1..24, 12 = solar noon) of day n (1..365) at a
// latitude in degrees north, in the simple solar model of the daylight preset (declination by
// Cooper's rule, hour angle 15 degrees per hour).
float sunAltitude(int day, int hour, float latitude);

// The daylight rule: the sun strictly above the horizon.
inline bool sunIsUp(int day, int hour, float latitude) {
    return SunDay(day, latitude).sineOfAltitude(hour) > 0.0;
}

}  // namespace climstat
