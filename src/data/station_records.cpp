#include "data/station_records.h"

#include <cmath>
#include <istream>
#include <map>
#include <optional>
#include <string_view>

#include "core/analysis_state.h"
#include "core/calendar.h"
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

}  // namespace

void appendRecordDays(StationRecords& records, const std::map<int, RecordDay>& days) {
    for (const auto& [key, values] : days) {
        const int year = key / 10000;
        const int month = key / 100 % 100;
        const int day = key % 100;
        records.temperature.push_back({year, month, day, values.t});
        records.humidity.push_back({year, month, day, values.h});
        records.hourLines.push_back(values.line);
        const bool leapDay = month == 2 && day == 29;
        for (std::size_t k = 0; k < 24; ++k) {
            if (leapDay) {
                if (values.line[k] != 0) ++records.leapDayHours;
                continue;
            }
            if (values.t[k] != MISSING_RAW) {
                ++records.temperatureHours;
                if (year < kFirstFileYear + kStationYears) ++records.stationYearTemperatureHours;
            }
            if (values.h[k] != MISSING_RAW) ++records.humidityHours;
        }
        if (records.firstYear == 0) records.firstYear = year;
        records.lastYear = year;
    }
}

StationRecords readStationRecords(std::istream& in, char decimalSeparator) {
    StationRecords result;
    std::map<int, RecordDay> days;  // key yyyymmdd
    std::string line;
    long lineNumber = 0;
    // Only the first errors are worded; the rest are counted, with no text made for them.
    auto fail = [&](ErrorKind kind, std::string_view value = {}, long count = 0, long total = 0) {
        ++result.errorCount;
        if (result.errors.size() >= kKeptRecordErrors) return;
        StationRecordError error;
        error.line = lineNumber;
        error.problem.kind = kind;
        error.problem.fields.line = lineNumber;
        error.problem.fields.value = std::string(value);
        error.problem.fields.count = count;
        error.problem.fields.total = total;
        result.errors.push_back(std::move(error));
    };

    while (std::getline(in, line)) {
        ++lineNumber;
        std::string_view text = trim(line);
        if (lineNumber == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") {
            text = trim(text.substr(3));  // what spreadsheet programs put first
        }
        if (text.empty()) continue;
        if (text.find('\r') != std::string_view::npos) {
            // A CR inside a line: the lines are ended by CR alone, and the file is one line.
            result.crOnlyLineEnds = true;
            break;
        }
        if (text.size() > kMaxLineLength) {
            fail(ErrorKind::RecordTooLong);
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
            fail(ErrorKind::RecordFieldCount, {}, static_cast<long>(count));
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
            *day > daysInMonthOfYear(*year, *month)) {
            fail(ErrorKind::RecordNotADate, date);
            continue;
        }
        if (*year < kFirstFileYear || *year >= kFirstFileYear + kTableYears) {
            fail(ErrorKind::RecordYearOutside, date.substr(0, 4));
            continue;
        }
        const std::optional<int> hour = fields[1].size() <= 2 ? digits(fields[1]) : std::nullopt;
        if (!hour || *hour < 1 || *hour > 24) {
            fail(ErrorKind::RecordNotAnHour, fields[1]);
            continue;
        }

        // The range is the one a station load accepts, on the tenths the file keeps.
        std::optional<std::int32_t> tenths;
        if (!fields[2].empty()) {
            const std::optional<double> t = number(fields[2], decimalSeparator);
            if (t && *t > -1000.0 && *t < 1000.0) tenths = rounded(*t * 10.0);
            if (!tenths || *tenths < kLowestRecordTenths || *tenths > kHighestRecordTenths) {
                fail(ErrorKind::RecordTemperatureBad, fields[2]);
                continue;
            }
        }
        std::optional<double> rh;
        if (!fields[3].empty()) {
            rh = number(fields[3], decimalSeparator);
            if (!rh || !(*rh >= 0.0 && *rh <= 100.0)) {
                fail(ErrorKind::RecordHumidityBad, fields[3]);
                continue;
            }
        }

        RecordDay& values = days[(*year * 100 + *month) * 100 + *day];
        const auto k = static_cast<std::size_t>(*hour - 1);
        if (values.line[k] != 0) {
            fail(ErrorKind::RecordHourRepeated, date, *hour, values.line[k]);
            continue;
        }
        values.line[k] = lineNumber;
        if (tenths) values.t[k] = *tenths;
        if (rh) values.h[k] = rounded(*rh);
    }
    appendRecordDays(result, days);
    return result;
}

}  // namespace climstat
