#include "data/station_records.h"

#include <cmath>
#include <istream>
#include <map>
#include <optional>
#include <string_view>

#include "core/errors.h"
#include "core/number_text.h"

namespace climstat {

namespace {

constexpr std::size_t kMaxLineLength = 256;

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> digits(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int monthLength(int year, int month) {
    return month == 2 && isLeapYear(year) ? 29 : daysInMonth365(month);
}

std::optional<double> number(std::string_view text, char separator) {
    const std::string owned(text);
    try {
        return parseDecimal(owned, separator);
    } catch (const ConversionError&) {
        if (separator == '.') return std::nullopt;
    }
    try {
        return parseDecimal(owned, '.');
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

// Rounds half away from zero; the caller has checked that the value is in range.
std::int32_t rounded(double value) {
    return static_cast<std::int32_t>(std::lround(value));
}

struct DayValues {
    std::array<std::int32_t, 24> t;
    std::array<std::int32_t, 24> h;
    std::array<long, 24> line{};  // line that gave the hour, 0 when none
    DayValues() {
        t.fill(MISSING_RAW);
        h.fill(MISSING_RAW);
    }
};

}  // namespace

StationRecords readStationRecords(std::istream& in, char decimalSeparator) {
    StationRecords result;
    std::map<int, DayValues> days;  // key yyyymmdd
    std::string line;
    long lineNumber = 0;
    auto fail = [&](std::string reason) {
        result.errors.push_back({lineNumber, std::move(reason)});
    };

    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string_view text = trim(line);
        if (text.empty()) continue;
        if (text.size() > kMaxLineLength) {
            fail("is too long to be an hourly record");
            continue;
        }
        std::array<std::string_view, 4> fields;
        std::size_t count = 0;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find(';', start);
            const std::string_view field =
                trim(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
            if (count < fields.size()) fields[count] = field;
            ++count;
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
        if (count != 4) {
            fail("has " + std::to_string(count) + " fields, expected YYYY-MM-DD;HH;T;RH");
            continue;
        }

        const std::string_view date = fields[0];
        std::optional<int> year, month, day;
        if (date.size() == 10 && date[4] == '-' && date[7] == '-') {
            year = digits(date.substr(0, 4));
            month = digits(date.substr(5, 2));
            day = digits(date.substr(8, 2));
        }
        if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 ||
            *day > monthLength(*year, *month)) {
            fail("'" + std::string(date) + "' is not a date YYYY-MM-DD");
            continue;
        }
        if (*year < kFirstFileYear || *year >= kFirstFileYear + kTableYears) {
            fail("year " + std::to_string(*year) + " is outside 1997..2008");
            continue;
        }
        const std::optional<int> hour = fields[1].size() <= 2 ? digits(fields[1]) : std::nullopt;
        if (!hour || *hour < 1 || *hour > 24) {
            fail("'" + std::string(fields[1]) + "' is not an hour 1..24");
            continue;
        }

        std::optional<double> t;
        if (!fields[2].empty()) {
            t = number(fields[2], decimalSeparator);
            if (!t || !(*t > -90.0 && *t < 90.0)) {
                fail("temperature '" + std::string(fields[2]) +
                     "' is not a number above -90 and below 90");
                continue;
            }
        }
        std::optional<double> rh;
        if (!fields[3].empty()) {
            rh = number(fields[3], decimalSeparator);
            if (!rh || !(*rh >= 0.0 && *rh <= 100.0)) {
                fail("relative humidity '" + std::string(fields[3]) +
                     "' is not a number from 0 to 100");
                continue;
            }
        }

        DayValues& values = days[(*year * 100 + *month) * 100 + *day];
        const auto k = static_cast<std::size_t>(*hour - 1);
        if (values.line[k] != 0) {
            fail("repeats the hour " + std::to_string(*hour) + " of " + std::string(date) +
                 " given on line " + std::to_string(values.line[k]));
            continue;
        }
        values.line[k] = lineNumber;
        if (t) {
            values.t[k] = rounded(*t * 10.0);
            ++result.temperatureHours;
        }
        if (rh) {
            values.h[k] = rounded(*rh);
            ++result.humidityHours;
        }
    }

    for (const auto& [key, values] : days) {
        const int year = key / 10000;
        const int month = key / 100 % 100;
        const int day = key % 100;
        result.temperature.push_back({year, month, day, values.t});
        result.humidity.push_back({year, month, day, values.h});
        if (result.firstYear == 0) result.firstYear = year;
        result.lastYear = year;
    }
    return result;
}

}  // namespace climstat
