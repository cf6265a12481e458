#include "selection/interval_presets.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/calendar.h"

namespace climstat {

namespace {

// Lines 1, 3-6 and 8-10 repeat the hours of the line above with a ditto mark.
std::string ditto(int blanksBefore, int blanksAfter, const char* rest) {
    return std::string(static_cast<std::size_t>(blanksBefore), ' ') + '"' +
           std::string(static_cast<std::size_t>(blanksAfter), ' ') + rest;
}

bool splitShift(int k) {  // 8 to 14 h and 16 to 20 h
    return (k >= 8 && k <= 13) || (k >= 16 && k <= 19);
}

bool fullShift(int k) {  // 8 to 20 h
    return k >= 8 && k <= 19;
}

}  // namespace

std::string intervalPresetCaption(int item) {
    switch (item) {
        case 0:
            return "Continuo 24h (Todo el año)";
        case 1:
            return ditto(8, 12, "(excepto Agosto)");
        case 2:
            return "De 8h a 14h y de 16 a 20h (Todo el año)";
        case 3:
            return ditto(11, 8, "(Todo el año excepto Sábados tarde y Domingos)");
        case 4:
            return ditto(11, 8, "(Todo el año excepto Sábados y Domingos)");
        case 5:
            return ditto(11, 8, "(excepto Agosto)");
        case 6:
            return ditto(11, 8, "(excepto Agosto y Sábados y Domingos)");
        case 7:
            return "De 8h a 20h (Todo el año excepto Sábados tarde y Domingos)";
        case 8:
            return ditto(5, 14, "(Todo el año excepto Sábados y Domingos)");
        case 9:
            return ditto(5, 14, "(excepto Agosto)");
        case 10:
            return ditto(5, 14, "(excepto Agosto y Sábados y Domingos)");
        case 11:
            return "Sólo horas de sol";
        case 12:
            return "Específico (particular a definir por el usuario)";
        default:
            return {};
    }
}

bool fixedPresetSelects(int item, int hour) {
    return fixedPresetRule(item, monthOfHour(static_cast<float>(hour)),
                           weekdayOfHour(static_cast<float>(hour)), hourOfDay(hour));
}

bool fixedPresetRule(int item, int m, int d, int k) {
    const bool workday = d <= 5;
    switch (item) {
        case 0:
            return true;
        case 1:
            return m != 8;
        case 2:
            return splitShift(k);
        case 3:
            return workday ? splitShift(k) : (d == 6 && k >= 8 && k <= 13);
        case 4:
            return workday && splitShift(k);
        case 5:
            return m != 8 && splitShift(k);
        case 6:
            return m != 8 && workday && splitShift(k);
        case 7:
            return workday ? fullShift(k) : (d == 6 && k >= 8 && k <= 13);
        case 8:
            return workday && fullShift(k);
        case 9:
            return m != 8 && fullShift(k);
        case 10:
            return m != 8 && workday && fullShift(k);
        default:
            return false;
    }
}

SunDay::SunDay(int day, float latitude) {
    const float declination =
        23.45f * std::sin(kSunRadian * 360.0f * static_cast<float>(284 + day) / 365.25f);
    const double rd = kSunRadian;
    cosDeclination = std::cos(rd * declination);
    cosLatitude = std::cos(rd * latitude);
    sinLatitudeSinDeclination = std::sin(rd * latitude) * std::sin(rd * declination);
}

double SunDay::sineOfAltitude(int hour) const {
    // cos(r w) of the hour angles w = 15 (j - 12) degrees of hours 0..25.
    static const std::array<double, 26> kCosHourAngle = [] {
        std::array<double, 26> table{};
        for (int j = 0; j < 26; ++j)
            table[static_cast<std::size_t>(j)] =
                std::cos(static_cast<double>(kSunRadian) * (15.0f * static_cast<float>(j - 12)));
        return table;
    }();
    const double cosHourAngle =
        hour >= 0 && hour < 26
            ? kCosHourAngle[static_cast<std::size_t>(hour)]
            : std::cos(static_cast<double>(kSunRadian) * (15.0f * static_cast<float>(hour - 12)));
    const double s = cosHourAngle * cosDeclination * cosLatitude + sinLatitudeSinDeclination;
    // Rounding can carry the sine a hair past 1 when the sun stands at the zenith; asin would
    // give NaN there and lose a daylight hour.
    return std::clamp(s, -1.0, 1.0);
}

float sunAltitude(int day, int hour, float latitude) {
    const double s = SunDay(day, latitude).sineOfAltitude(hour);
    return static_cast<float>(std::asin(s) / static_cast<double>(kSunRadian));
}

}  // namespace climstat
