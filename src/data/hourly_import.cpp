#include "data/hourly_import.h"

#include <cstdio>
#include <map>
#include <sstream>

#include "data/isd_lite.h"
#include "data/station_file.h"
#include "data/station_records.h"

namespace climstat {

namespace {

constexpr int kLastFileYear = kFirstFileYear + kTableYears - 1;  // 2008

std::string hourText(int year, int month, int day, int hour) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02dh", year, month, day, hour);
    return text;
}

// The hours of every file, by date, with the file and line that gave each.
class HourCollector {
  public:
    HourCollector(HourlyImport& import) : import_(import) {}

    void add(int year, int month, int day, int hour, std::int32_t t, std::int32_t h,
             std::size_t file, long line) {
        const int key = (year * 100 + month) * 100 + day;
        RecordDay& d = days_[key];
        std::array<std::size_t, 24>& files = files_[key];
        const auto k = static_cast<std::size_t>(hour - 1);
        if (d.line[k] != 0) {
            ErrorFields fields = pathFields(import_.files[file].path);
            fields.line = line;
            fields.value = hourText(year, month, day, hour);
            fields.second = import_.files[files[k]].path;
            fields.total = d.line[k];
            import_.notes.push_back({ErrorKind::ImportHourRepeated, std::move(fields)});
            return;
        }
        d.t[k] = t;
        d.h[k] = h;
        d.line[k] = line;
        files[k] = file;
        ++import_.files[file].hours;
    }

    void finish() { appendRecordDays(import_.station.records, days_); }

  private:
    HourlyImport& import_;
    std::map<int, RecordDay> days_;                     // key yyyymmdd
    std::map<int, std::array<std::size_t, 24>> files_;  // the file that gave each hour
};

void refuse(HourlyImport& import, ErrorKind kind, const std::string& path) {
    if (import.station.refusal.kind == ErrorKind::Other)
        import.station.refusal = {kind, pathFields(path)};
}

void addRecordsFile(HourlyImport& import, HourCollector& hours, std::size_t file,
                    const std::string& text, char decimalSeparator) {
    std::istringstream in(text);
    const StationRecords records = readStationRecords(in, decimalSeparator);
    const std::string& path = import.files[file].path;
    if (records.crOnlyLineEnds) throw DataFileError(ErrorKind::CrOnlyLineEnds, pathFields(path));
    for (const StationRecordError& error : records.errors) {
        if (import.lineErrors.size() < kKeptRecordErrors) {
            import.lineErrors.push_back({path, error.line, error.problem});
        }
    }
    import.lineErrorCount += records.errorCount;
    if (records.errorCount > 0 && import.station.refusal.kind == ErrorKind::Other) {
        import.station.refusal = {ErrorKind::RecordsUnusableLines, pathFields(path)};
    }
    if (records.temperature.empty() && records.errorCount == 0) {
        refuse(import, ErrorKind::RecordsNone, path);
    }
    for (std::size_t i = 0; i < records.temperature.size(); ++i) {
        const StationDay& t = records.temperature[i];
        const StationDay& h = records.humidity[i];
        for (std::size_t k = 0; k < 24; ++k) {
            const long line = records.hourLines[i][k];
            if (line == 0) continue;
            hours.add(t.year, t.month, t.day, static_cast<int>(k) + 1, t.values[k], h.values[k],
                      file, line);
        }
    }
}

void addIsdLiteFile(HourlyImport& import, HourCollector& hours, std::size_t file,
                    const std::string& text) {
    const std::string& path = import.files[file].path;
    IsdLiteFile isd = readIsdLiteText(text, path);
    for (Problem& problem : isd.problems)
        import.notes.push_back(std::move(problem));
    if (isd.observations.empty()) refuse(import, ErrorKind::IsdNoObservation, path);
    for (const IsdLiteObservation& o : isd.observations) {
        const LocalHour local = localHourOf(o, import.utcOffsetHours);
        if (local.year < kFirstFileYear || local.year > kLastFileYear) {
            ErrorFields fields = pathFields(path);
            fields.line = o.line;
            fields.value = hourText(local.year, local.month, local.day, local.hour);
            import.notes.push_back({ErrorKind::ImportYearOutside, std::move(fields)});
            continue;
        }
        const std::int32_t t = o.temperature == kIsdMissing ? MISSING_RAW : o.temperature;
        const std::optional<int> rh = relativeHumidityPercent(o.temperature, o.dewPoint);
        hours.add(local.year, local.month, local.day, local.hour, t, rh ? *rh : MISSING_RAW, file,
                  o.line);
    }
}

}  // namespace

HourlyImport importHourlyFiles(const StationRecord& station, const std::vector<std::string>& paths,
                               const std::string& folder, const HourlyImportOptions& options) {
    HourlyImport import;
    import.utcOffsetHours =
        options.utcOffsetHours ? *options.utcOffsetHours : defaultUtcOffset(station);
    HourCollector hours(import);
    for (std::size_t file = 0; file < paths.size(); ++file) {
        HourlyImportFile entry;
        entry.path = paths[file];
        refuseStationFileAsInput(station, folder, entry.path);
        const std::string text = readPackedOrPlainFile(entry.path, &entry.packed);
        entry.isdLite = looksLikeIsdLite(text);
        import.files.push_back(entry);
        if (entry.isdLite) {
            addIsdLiteFile(import, hours, file, text);
            continue;
        }
        // Records, however broken some lines are, have their fields between semicolons.
        if (text.find_first_not_of(" \t\r\n") != std::string::npos &&
            text.find(';') == std::string::npos) {
            refuse(import, ErrorKind::ImportNotHourlyFile, entry.path);
            continue;
        }
        addRecordsFile(import, hours, file, text, options.decimalSeparator);
    }
    hours.finish();
    Problem& refusal = import.station.refusal;
    if (refusal.kind == ErrorKind::RecordsUnusableLines)
        refusal.fields.count = import.lineErrorCount;
    if (refusal.kind == ErrorKind::Other) {
        const std::string named = paths.size() == 1 ? paths.front() : std::string();
        if (std::optional<Problem> none = importRefusal(import.station.records, named)) {
            refusal = std::move(*none);
        }
    }
    if (refusal.kind != ErrorKind::Other) return import;
    refusal = {};
    writeImportedRecords(station, import.station, folder);
    return import;
}

}  // namespace climstat
