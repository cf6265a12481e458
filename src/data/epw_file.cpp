#include "data/epw_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <thread>

#include "core/calendar.h"
#include "core/errors.h"
#include "core/text_file.h"
#include "psychro/humid_air.h"
#include "psychro/station_extrapolation.h"
#include "selection/selection.h"

namespace climstat {

namespace {

constexpr std::size_t kMaxLineLength = 64 * 1024;
constexpr int kRecordFields = 10;  // year .. station pressure
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The first `count` comma-separated fields of a line; returns how many the line has, up to
// count + 1 (more than asked is only reported as count + 1).
std::size_t splitFields(std::string_view line, std::string_view* fields, std::size_t count) {
    std::size_t found = 0;
    std::size_t start = 0;
    while (found <= count) {
        const std::size_t comma = line.find(',', start);
        const std::string_view field =
            line.substr(start, comma == std::string_view::npos ? line.npos : comma - start);
        if (found < count) fields[found] = trimmed(field);
        ++found;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return found;
}

std::optional<int> integerField(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [last, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || last != end) return std::nullopt;
    return value;
}

std::optional<double> numberField(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const char* end = text.data() + text.size();
    auto [last, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || last != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

// A field is a number of this form when it is one at all.
bool startsLikeNumber(std::string_view text) {
    return !text.empty() && ((text.front() >= '0' && text.front() <= '9') || text.front() == '-' ||
                             text.front() == '+');
}

bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

class EpwReader {
  public:
    EpwReader(std::string_view text, const std::string& path) : text_(text) { file_.path = path; }

    EpwFile read() {
        std::string_view line;
        bool sawLocation = false;
        while (nextLine(line)) {
            if (trimmed(line).empty()) continue;
            if (!sawLocation) {
                // A byte-order mark may stand before the first keyword.
                if (startsWith(line, "\xEF\xBB\xBF")) line.remove_prefix(3);
                if (!startsWith(line, "LOCATION")) fail(ErrorKind::EpwNotEpw);
                readLocation(line);
                sawLocation = true;
                continue;
            }
            std::array<std::string_view, kRecordFields> fields;
            const std::size_t count = splitFields(line, fields.data(), fields.size());
            if (!startsLikeNumber(fields[0])) {
                if (!file_.years.empty()) fail(ErrorKind::EpwNotARecord);
                readHeader(line, fields[0], count);
                continue;
            }
            readRecord(fields, count);
        }
        if (!sawLocation) fail(ErrorKind::Empty, 0);
        if (file_.years.empty()) fail(ErrorKind::EpwNoRecord, 0);
        finishRun();
        return std::move(file_);
    }

  private:
    bool nextLine(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const char* start = text_.data() + pos_;
        const void* newline = std::memchr(start, '\n', text_.size() - pos_);
        const std::size_t length =
            newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - start)
                               : text_.size() - pos_;
        ++lineNumber_;
        if (length > kMaxLineLength) fail(ErrorKind::EpwLineTooLong);
        line = std::string_view(start, length);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ += length + 1;
        return true;
    }

    // An error of the file at a line (none with line 0), with a count and a value.
    [[noreturn]] void fail(ErrorKind kind, long line, long count = 0,
                           std::string_view value = {}) const {
        ErrorFields fields = pathFields(file_.path);
        fields.line = line;
        fields.count = count;
        fields.value = std::string(value.substr(0, 80));
        throw DataFileError(kind, std::move(fields));
    }
    [[noreturn]] void fail(ErrorKind kind) const { fail(kind, lineNumber_); }

    // LOCATION field `field` (numbered from 1) as a number of its range.
    double locationNumber(std::string_view text, long field, double low, double high) {
        const std::optional<double> value = numberField(text);
        if (!value || *value < low || *value > high) {
            fail(ErrorKind::EpwLocationNumberBad, lineNumber_, field, text);
        }
        return *value;
    }

    void readLocation(std::string_view line) {
        std::array<std::string_view, 10> f;
        if (splitFields(line, f.data(), f.size()) < f.size()) fail(ErrorKind::EpwLocationShort);
        EpwLocation& l = file_.location;
        l.city = std::string(f[1]);
        l.region = std::string(f[2]);
        l.country = std::string(f[3]);
        l.source = std::string(f[4]);
        l.wmo = std::string(f[5]);
        l.latitude = locationNumber(f[6], 7, -90, 90);
        l.longitude = locationNumber(f[7], 8, -180, 180);
        l.timeZone = locationNumber(f[8], 9, -14, 14);
        // The loader says whether the elevation has a pressure; here it only has to be a number.
        l.elevation = locationNumber(f[9], 10, -1e6, 1e6);
    }

    void readHeader(std::string_view line, std::string_view keyword, std::size_t count) {
        if (keyword == "DESIGN CONDITIONS") {
            readDesignConditions(line);
        } else if (keyword == "DATA PERIODS" && count > 2) {
            std::array<std::string_view, 3> f;
            splitFields(line, f.data(), f.size());
            const std::optional<int> perHour = integerField(f[2]);
            if (perHour && *perHour != 1) fail(ErrorKind::EpwSubHourly, lineNumber_, *perHour);
        }
        // TYPICAL/EXTREME PERIODS, GROUND TEMPERATURES, HOLIDAYS/DAYLIGHT SAVINGS and COMMENTS
        // say nothing the statistics use.
    }

    void readDesignConditions(std::string_view line) {
        // Few fields are read; the line is long (about 70), so it is split whole here.
        std::vector<std::string_view> f;
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = line.find(',', start);
            f.push_back(
                trimmed(line.substr(start, comma == line.npos ? line.npos : comma - start)));
            if (comma == line.npos || f.size() > 200) break;
            start = comma + 1;
        }
        const std::optional<int> count = f.size() > 1 ? integerField(f[1]) : std::nullopt;
        if (!count || *count < 1 || f.size() < 3) return;
        EpwDesignConditions& d = file_.design;
        d.source = std::string(f[2]);
        auto value = [&f](std::size_t i) -> std::optional<float> {
            if (i >= f.size()) return std::nullopt;
            const std::optional<double> v = numberField(f[i]);
            if (!v || std::fabs(*v) > 100.0) return std::nullopt;
            return static_cast<float>(*v);
        };
        const auto heating = std::find(f.begin(), f.end(), "Heating");
        if (heating != f.end()) {
            const auto i = static_cast<std::size_t>(heating - f.begin());
            d.heating996 = value(i + 2);
            d.heating990 = value(i + 3);
        }
        const auto cooling = std::find(f.begin(), f.end(), "Cooling");
        if (cooling != f.end()) {
            const auto i = static_cast<std::size_t>(cooling - f.begin());
            d.cooling004 = value(i + 3);
            d.coolingWetBulb004 = value(i + 4);
            d.cooling010 = value(i + 5);
            d.coolingWetBulb010 = value(i + 6);
            d.cooling020 = value(i + 7);
            d.coolingWetBulb020 = value(i + 8);
        }
    }

    // Date field `field` (1 year .. 4 hour) as a whole number low..high.
    int dateField(std::string_view text, long field, int low, int high) const {
        const std::optional<int> value = integerField(text);
        if (!value || *value < low || *value > high) {
            fail(ErrorKind::EpwRecordDateBad, lineNumber_, field, text);
        }
        return *value;
    }

    // A value field, or NaN when missing, outside low..high or not a number.
    float value(std::string_view text, double low, double high) {
        const std::optional<double> v = numberField(text);
        if (!v) {
            if (!text.empty()) {
                if (file_.unreadableValues++ == 0) file_.firstUnreadableLine = lineNumber_;
            }
            return kNaN;
        }
        if (!(*v >= low && *v <= high)) return kNaN;
        return static_cast<float>(*v);
    }

    void readRecord(const std::array<std::string_view, kRecordFields>& f, std::size_t count) {
        if (count < static_cast<std::size_t>(kRecordFields)) {
            fail(ErrorKind::EpwRecordFieldCount, lineNumber_, static_cast<long>(count));
        }
        const int year = dateField(f[0], 1, -9999, 9999);
        const int month = dateField(f[1], 2, 1, 12);
        const int day = dateField(f[2], 3, 1, month == 2 ? 29 : daysInMonth(month));
        const int hour = dateField(f[3], 4, 1, 24);
        if (month == 2 && day == 29) {
            ++file_.leapDayRecords;
            return;
        }
        const int h = 24 * (dayOfYear(day, month) - 1) + hour;
        if (file_.years.empty() || h <= previousHour_) startRun(year);
        previousHour_ = h;
        EpwYear& run = file_.years.back();
        if (run.year != year) mixedYears_ = true;
        const auto k = static_cast<std::size_t>(h);
        run.dryBulb[k] = value(f[6], -70.0, 70.0);
        run.dewPoint[k] = value(f[7], -70.0, 70.0);
        run.relativeHumidity[k] = value(f[8], 0.0, 110.0);
        run.pressure[k] = value(f[9], 31000.0, 120000.0);
        ++run.records;
    }

    void startRun(int year) {
        finishRun();
        if (file_.years.size() == static_cast<std::size_t>(kYearSlots)) {
            fail(ErrorKind::EpwThirteenthYear);
        }
        EpwYear run;
        run.year = year;
        run.firstLine = lineNumber_;
        for (std::vector<float>* values :
             {&run.dryBulb, &run.dewPoint, &run.relativeHumidity, &run.pressure}) {
            values->assign(static_cast<std::size_t>(kHoursPerYear) + 1, kNaN);
        }
        file_.years.push_back(std::move(run));
        mixedYears_ = false;
    }

    void finishRun() {
        if (!file_.years.empty() && mixedYears_) file_.years.back().year = 0;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    long lineNumber_ = 0;
    int previousHour_ = 0;
    bool mixedYears_ = false;
    EpwFile file_;
};

std::string locationText(const EpwFile& file) {
    std::ostringstream text;
    text << file.location.city << " (WMO " << file.location.wmo << ", " << file.location.latitude
         << ", " << file.location.longitude << ")";
    return text.str();
}

bool sameLocation(const EpwLocation& a, const EpwLocation& b) {
    if (!a.wmo.empty() && a.wmo == b.wmo) return true;
    return std::fabs(a.latitude - b.latitude) <= 0.01 &&
           std::fabs(a.longitude - b.longitude) <= 0.01;
}

}  // namespace

EpwFile readEpwText(std::string_view text, const std::string& path) {
    return EpwReader(text, path).read();
}

EpwFile readEpwFile(const std::string& path) {
    return readEpwText(readInputFile(path), path);
}

EpwLocationData combineEpwFiles(std::vector<EpwFile> files) {
    if (files.empty()) throw UsageError("no EPW file given");
    EpwLocationData data;
    data.location = files.front().location;
    struct Origin {
        std::size_t file;
        long line;
    };
    std::vector<std::pair<EpwYear, Origin>> runs;
    for (std::size_t i = 0; i < files.size(); ++i) {
        EpwFile& file = files[i];
        if (!sameLocation(file.location, data.location)) {
            ErrorFields fields = pathFields(file.path);
            fields.value = locationText(file);
            fields.second = files.front().path + " (" + locationText(files.front()) + ")";
            throw DataFileError(ErrorKind::EpwOtherLocation, std::move(fields));
        }
        data.paths.push_back(file.path);
        if (data.design.source.empty()) data.design = file.design;
        data.leapDayRecords += file.leapDayRecords;
        if (file.unreadableValues > 0 && data.unreadableValues == 0) {
            data.firstUnreadablePath = file.path;
            data.firstUnreadableLine = file.firstUnreadableLine;
        }
        data.unreadableValues += file.unreadableValues;
        for (EpwYear& year : file.years) {
            const long line = year.firstLine;
            runs.push_back({std::move(year), {i, line}});
        }
    }
    if (runs.size() == 1) {
        data.typicalYear = true;
        data.years.push_back(std::move(runs.front().first));
        return data;
    }
    for (const auto& [year, origin] : runs) {
        if (year.year == 0) {
            ErrorFields fields = pathFields(files[origin.file].path);
            fields.line = origin.line;
            throw DataFileError(ErrorKind::EpwTypicalAmongYears, std::move(fields));
        }
    }
    if (runs.size() > static_cast<std::size_t>(kYearSlots)) {
        ErrorFields fields = pathFields(files.front().path);
        fields.count = static_cast<long>(runs.size());
        throw DataFileError(ErrorKind::EpwTooManyYears, std::move(fields));
    }
    std::stable_sort(runs.begin(), runs.end(),
                     [](const auto& a, const auto& b) { return a.first.year < b.first.year; });
    for (std::size_t k = 1; k < runs.size(); ++k) {
        if (runs[k].first.year == runs[k - 1].first.year) {
            const Origin& a = runs[k - 1].second;
            const Origin& b = runs[k].second;
            ErrorFields fields = pathFields(files[b.file].path);
            fields.line = b.line;
            fields.value = std::to_string(runs[k].first.year);
            fields.second = files[a.file].path;
            fields.total = a.line;
            throw DataFileError(ErrorKind::EpwYearRepeated, std::move(fields));
        }
    }
    for (auto& run : runs)
        data.years.push_back(std::move(run.first));
    return data;
}

namespace {

// The text of an elevation as the pages show an altitude: "201", "1726.5".
std::string elevationText(double elevation) {
    std::ostringstream text;
    text << elevation;
    return text.str();
}

std::string coordinateText(double value) {
    std::ostringstream text;
    text.precision(4);
    text << std::fixed << value;
    return text.str();
}

}  // namespace

EpwLoadCounts loadEpwLocation(AnalysisState& state, const EpwLocationData& data) {
    using namespace psychro;
    const EpwLocation& where = data.location;
    if (!isAcceptedAltitude(where.elevation)) {
        ErrorFields fields = pathFields(data.paths.front());
        fields.value = elevationText(where.elevation);
        throw DataFileError(ErrorKind::EpwElevationOutside, std::move(fields));
    }
    const int years = static_cast<int>(data.years.size());
    const float pt = pressureAtAltitude(static_cast<float>(where.elevation));
    state.pt = pt;
    state.nYears = years;
    state.locationAltitudeText = elevationText(where.elevation);
    state.locationLatitude = static_cast<float>(where.latitude);
    state.locationLatitudeText = coordinateText(where.latitude);
    state.locationLongitudeText = coordinateText(where.longitude);
    state.locationCityName = "Ciudad: " + where.city;
    state.locationProvince = where.region.empty() || where.region == "-"
                                 ? where.country
                                 : where.region + ", " + where.country;
    state.locationName = where.city + " (WMO " + where.wmo + ")";
    state.locationCode = where.wmo;
    state.selectedLocation = where.city;
    state.typicalYearIndex = data.typicalYear ? 0 : -1;
    state.slotYear.fill(0);

    // Slots the data do not reach hold no data, so that no pass over them finds an earlier
    // location's hours.
    for (int h = 1; h <= kHoursPerYear; ++h) {
        for (int y = years + 1; y <= kYearSlots; ++y) {
            state.ts[h][y] = MISSING_T;
            state.w[h][y] = MISSING_T;
            state.tw[h][y] = MISSING_T;
        }
    }
    for (int y = years + 1; y <= kYearSlots; ++y)
        state.derived.filled[static_cast<std::size_t>(y)] = false;

    std::array<EpwLoadCounts, kYearSlots + 1> counts{};
    // Every hour depends on its own values only: the years are shared between two threads
    // and the results do not depend on the split.
    auto solveSlots = [&](int first, int last) {
        for (int y = first; y <= last; ++y) {
            const EpwYear& year = data.years[static_cast<std::size_t>(y - 1)];
            EpwLoadCounts& c = counts[static_cast<std::size_t>(y)];
            for (int h = 1; h <= kHoursPerYear; ++h) {
                const auto k = static_cast<std::size_t>(h);
                const float t = year.dryBulb[k];
                const float td = year.dewPoint[k];
                const float rh = year.relativeHumidity[k];
                const bool hasT = !std::isnan(t);
                if (hasT) ++c.hours;
                float w = MISSING_T;
                if (hasT && !std::isnan(td)) {
                    w = humidityRatio(saturationPressure(td), pt);
                } else if (hasT && !std::isnan(rh)) {
                    const double pv = static_cast<double>(saturationPressure(t)) * rh * 0.01;
                    w = humidityRatio(static_cast<float>(pv), pt);
                    ++c.humidityFromRh;
                } else if (hasT) {
                    ++c.hoursWithoutHumidity;
                }
                if (w == MISSING_T) {
                    state.ts[h][y] = MISSING_T;
                    state.w[h][y] = MISSING_T;
                    state.tw[h][y] = MISSING_T;
                    // Never taken for the derived values of these data: computed when asked.
                    state.derived.fromW[h][y] = kNaN;
                    continue;
                }
                if (relativeHumidity(t, w, pt) > 100.0f) w = humidityRatioAt995(t, pt);
                ++c.hoursWithData;
                state.ts[h][y] = t;
                state.w[h][y] = w;
                const WetBulbAndDewPoint solved = wetBulbAndDewPoint(t, w, pt);
                state.tw[h][y] = solved.wetBulb;
                setDerivedHour(state, h, y, solved.dewPoint);
            }
        }
    };
    if (years > 1) {
        const int split = years / 2;
        std::thread second(solveSlots, split + 1, years);
        solveSlots(1, split);
        second.join();
    } else {
        solveSlots(1, years);
    }

    EpwLoadCounts total;
    state.nValidT = 0;
    state.nValidH = 0;
    state.firstValidYear = 0;
    state.lastValidYear = 0;
    for (int y = 1; y <= years; ++y) {
        markDerivedSlot(state, y);
        const EpwLoadCounts& c = counts[static_cast<std::size_t>(y)];
        if (!data.typicalYear)
            state.slotYear[static_cast<std::size_t>(y)] =
                data.years[static_cast<std::size_t>(y - 1)].year;
        total.hours += c.hours;
        total.hoursWithData += c.hoursWithData;
        total.humidityFromRh += c.humidityFromRh;
        total.hoursWithoutHumidity += c.hoursWithoutHumidity;
        if (c.hoursWithData > 0) {
            if (state.firstValidYear == 0) state.firstValidYear = y;
            state.lastValidYear = y;
        }
    }
    state.nValidT = static_cast<int>(total.hoursWithData);
    state.nValidH = static_cast<int>(total.hoursWithData);
    state.plotTsMin = 50.0f;
    state.plotTsMax = -50.0f;
    state.plotWMin = 50.0f;
    state.plotWMax = 0.0f;
    initValidMasks(state, DataSource::Epw);
    return total;
}

}  // namespace climstat
