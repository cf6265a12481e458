#include "data/isd_lite.h"

#include <array>
#include <cmath>
#include <cstring>

#include "core/calendar.h"
#include "core/gzip.h"
#include "core/text_file.h"
#include "data/station_import.h"
#include "psychro/humid_air.h"

namespace climstat {

namespace {

constexpr std::size_t kMaxLineLength = 256;
constexpr int kFields = 12;
constexpr std::size_t kKeptProblems = 100;

// The whole numbers of a line separated by blanks; false when a field is not one or there
// are not exactly twelve.
bool lineFields(std::string_view line, std::array<int, kFields>& fields) {
    int count = 0;
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i == n) break;
        if (count == kFields) return false;
        bool negative = false;
        if (line[i] == '-' || line[i] == '+') {
            negative = line[i] == '-';
            ++i;
        }
        const std::size_t start = i;
        int value = 0;
        while (i < n && line[i] >= '0' && line[i] <= '9' && i - start < 6)
            value = value * 10 + (line[i++] - '0');
        if (i == start || (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')) {
            return false;
        }
        fields[static_cast<std::size_t>(count++)] = negative ? -value : value;
    }
    return count == kFields;
}

// An observation of a line, or nothing when the line is not an ISD-Lite line.
std::optional<IsdLiteObservation> observationOf(std::string_view line) {
    if (line.size() > kMaxLineLength) return std::nullopt;
    std::array<int, kFields> f{};
    if (!lineFields(line, f)) return std::nullopt;
    IsdLiteObservation o;
    o.year = f[0];
    o.month = f[1];
    o.day = f[2];
    o.hour = f[3];
    if (o.year < 1900 || o.year > 2100 || o.month < 1 || o.month > 12 || o.day < 1 ||
        o.day > daysInMonthOfYear(o.year, o.month) || o.hour < 0 || o.hour > 23) {
        return std::nullopt;
    }
    // Beyond the dry-bulb range of a station load no station measures.
    auto value = [](int v) {
        return v < kLowestRecordTenths || v > kHighestRecordTenths ? kIsdMissing : v;
    };
    o.temperature = value(f[4]);
    o.dewPoint = value(f[5]);
    return o;
}

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar, and back.
long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

bool looksLikeIsdLite(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        if (line.find_first_not_of(" \t\r") != std::string_view::npos) {
            return observationOf(line).has_value();
        }
        start = end + 1;
    }
    return false;
}

IsdLiteFile readIsdLiteText(std::string_view text, const std::string& path) {
    IsdLiteFile file;
    file.path = path;
    file.observations.reserve(text.size() / 60 + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
        const std::size_t end =
            found != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
                : text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++file.lines;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
        std::optional<IsdLiteObservation> o = observationOf(line);
        if (!o) {
            if (file.problems.size() < kKeptProblems) {
                ErrorFields fields = pathFields(path);
                fields.line = file.lines;
                file.problems.push_back({ErrorKind::IsdNotALine, std::move(fields)});
            }
            ++file.badLines;
            continue;
        }
        o->line = file.lines;
        file.observations.push_back(*o);
    }
    return file;
}

std::string readPackedOrPlainFile(const std::string& path, bool* packed) {
    std::string bytes = readUnchangedInputFile(path);
    const bool gzip = isGzip(bytes);
    if (packed != nullptr) *packed = gzip;
    if (!gzip) return bytes;
    return gunzip(bytes, path, static_cast<std::size_t>(kMaxInputFileBytes));
}

LocalHour localHourOf(const IsdLiteObservation& o, int utcOffsetHours) {
    const int clock = o.hour + utcOffsetHours;  // local clock hour, maybe outside 0..23
    // Clock hour c of day D is hour c of D for 1..24; 0 is hour 24 of the day before.
    const int shift = clock >= 1 ? (clock - 1) / 24 : -((24 - clock) / 24);
    LocalHour local;
    local.hour = clock - 24 * shift;
    civilFromDays(daysFromCivil(o.year, o.month, o.day) + shift, local.year, local.month,
                  local.day);
    return local;
}

int defaultUtcOffset(const StationRecord& station) {
    const bool canary = station.province == "Las Palmas" || station.province == "S.C.Tenerife" ||
                        station.province == "Santa Cruz de Tenerife";
    return canary ? 0 : 1;
}

std::optional<int> relativeHumidityPercent(int temperatureTenths, int dewPointTenths) {
    if (temperatureTenths == kIsdMissing || dewPointTenths == kIsdMissing) return std::nullopt;
    const float t = static_cast<float>(temperatureTenths) / 10.0f;
    const float td = static_cast<float>(dewPointTenths) / 10.0f;
    const double rh = 100.0 * static_cast<double>(psychro::saturationPressure(td)) /
                      static_cast<double>(psychro::saturationPressure(t));
    if (!(rh < 100.0)) return 100;
    return static_cast<int>(std::lround(rh));
}

}  // namespace climstat
