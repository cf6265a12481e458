#include "selection/interval_presets.h"

#include <algorithm>
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
    const int k = hourOfDay(hour);
    const int m = monthOfHour(static_cast<float>(hour));
    const int d = weekdayOfHour(static_cast<float>(hour));
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

float sunAltitude(int day, int hour, float latitude) {
    constexpr float r = 0.017453333f;  // 3.1416 / 180
    const float declination =
        23.45f * std::sin(r * 360.0f * static_cast<float>(284 + day) / 365.25f);
    const float hourAngle = 15.0f * static_cast<float>(hour - 12);
    const double rd = r;
    double s = std::cos(rd * hourAngle) * std::cos(rd * declination) * std::cos(rd * latitude) +
               std::sin(rd * latitude) * std::sin(rd * declination);
    // Rounding can carry the sine a hair past 1 when the sun stands at the zenith; asin would
    // give NaN there and lose a daylight hour.
    s = std::clamp(s, -1.0, 1.0);
    return static_cast<float>(std::asin(s) / rd);
}

}  // namespace climstat
