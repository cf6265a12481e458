#include "core/errors.h"

#include <cerrno>
#include <cstring>

namespace climstat {

namespace {

std::string causeText(const ErrorFields& f) {
    switch (f.cause) {
        case FileCause::Unknown:
            return {};
        case FileCause::Missing:
            return "no such file or folder";
        case FileCause::PermissionDenied:
            return "permission denied";
        case FileCause::DiskFull:
            return "the disk is full";
        case FileCause::NotAFolder:
            return "a part of the path is not a folder";
        case FileCause::ReadOnly:
            return "the file system is read-only";
        case FileCause::IsAFolder:
            return "it is a folder";
        case FileCause::Other:
            return f.detail;
    }
    return {};
}

// "cannot be opened" followed by ": <cause>" when the cause is known.
std::string withCause(std::string text, const ErrorFields& f) {
    const std::string cause = causeText(f);
    if (!cause.empty()) text += ": " + cause;
    return text;
}

std::string lineText(const ErrorFields& f) {
    return "line " + std::to_string(f.line);
}

}  // namespace

std::string epwLocationFieldName(long field) {
    switch (field) {
        case 7:
            return "latitude";
        case 8:
            return "longitude";
        case 9:
            return "time zone";
        default:
            return "elevation";
    }
}

std::string epwLocationFieldRange(long field) {
    switch (field) {
        case 7:
            return "-90 to 90";
        case 8:
            return "-180 to 180";
        case 9:
            return "-14 to 14";
        default:
            return "-1000000 to 1000000";
    }
}

std::string epwDateFieldName(long field) {
    switch (field) {
        case 1:
            return "year";
        case 2:
            return "month";
        case 3:
            return "day";
        default:
            return "hour";
    }
}

FileCause fileCauseOf(int errnoValue) {
    switch (errnoValue) {
        case 0:
            return FileCause::Unknown;
        case ENOENT:
            return FileCause::Missing;
        case EACCES:
        case EPERM:
            return FileCause::PermissionDenied;
        case ENOSPC:
        case EDQUOT:
            return FileCause::DiskFull;
        case ENOTDIR:
            return FileCause::NotAFolder;
        case EROFS:
            return FileCause::ReadOnly;
        case EISDIR:
            return FileCause::IsAFolder;
        default:
            return FileCause::Other;
    }
}

FileCause fileCauseOf(const std::error_code& code) {
    if (!code) return FileCause::Unknown;
    if (code.category() != std::generic_category() && code.category() != std::system_category()) {
        return FileCause::Other;
    }
    return fileCauseOf(code.value());
}

ErrorFields fileFields(std::string path, int errnoValue) {
    ErrorFields fields;
    fields.path = std::move(path);
    fields.cause = fileCauseOf(errnoValue);
    if (fields.cause == FileCause::Other) fields.detail = std::strerror(errnoValue);
    return fields;
}

ErrorFields fileFields(std::string path, const std::error_code& code) {
    ErrorFields fields;
    fields.path = std::move(path);
    fields.cause = fileCauseOf(code);
    if (fields.cause == FileCause::Other) fields.detail = code.message();
    return fields;
}

std::string englishReason(const Problem& problem) {
    const ErrorFields& f = problem.fields;
    switch (problem.kind) {
        case ErrorKind::Other:
            return f.detail;
        case ErrorKind::CannotOpen:
            return withCause("cannot be opened", f);
        case ErrorKind::CannotCreate:
            return withCause("cannot be created", f);
        case ErrorKind::NotWrittenCompletely:
            return withCause("could not be written completely", f);
        case ErrorKind::CannotReplace:
            return withCause("could not be replaced", f);
        case ErrorKind::NotReadCompletely:
            return withCause("could not be read completely", f);
        case ErrorKind::IsAFolder:
            return "is a folder";
        case ErrorKind::NotARegularFile:
            return "is not a regular file (a device or a pipe)";
        case ErrorKind::NotAFolder:
            return "is not a folder";
        case ErrorKind::TooLarge:
            return "is larger than 64 MB";
        case ErrorKind::NotAFileName:
            return "is not a file name";
        case ErrorKind::LinkCannotBeFollowed:
            return withCause("is a link that cannot be followed", f);
        case ErrorKind::Empty:
            return "is empty";
        case ErrorKind::CrOnlyLineEnds:
            return "has lines ended by CR alone; save it with LF or CR LF line ends";
        case ErrorKind::ChangedWhileRead:
            return "changed while it was read; nothing was written";
        case ErrorKind::SameFileAsInput:
            return "is the file being read (" + f.value + "); nothing was written";
        case ErrorKind::NoDataFolder:
            return "not found (" + f.detail +
                   "); give one with --data-dir DIR or the environment variable "
                   "CLIMSTAT_DATA_DIR";
        case ErrorKind::GzipCorrupt:
            return "is not sound gzip data (" + f.value + ")";
        case ErrorKind::TooLargeUnpacked:
            return "unpacks to more than 64 MB";
        case ErrorKind::MetEndsInHeader:
            return "ends inside its header, before record 1 of 8760";
        case ErrorKind::MetHeaderLacksLine:
            return lineText(f) + " is already a record (" + std::to_string(f.total) +
                   " values): the header before it lacks a line (the file name, then latitude, "
                   "longitude, altitude and time zone)";
        case ErrorKind::MetRecordTooShort:
            return lineText(f) + " holds " + std::to_string(f.total) +
                   " values, a record needs at least 8 (" + std::to_string(f.count) +
                   " of 8760 records read)";
        case ErrorKind::MetEndsEarly:
            return "ends after " + std::to_string(f.count) + " of 8760 records";
        case ErrorKind::MetDryBulbOutside:
            return lineText(f) + ": dry bulb " + f.value + " degC is outside -90..70 (record " +
                   std::to_string(f.count) + ")";
        case ErrorKind::MetHumidityOutside:
            return lineText(f) + ": humidity ratio " + f.value +
                   " kg/kg is outside 0..0.1 (record " + std::to_string(f.count) + ")";
        case ErrorKind::RecordTooLong:
            return "is too long to be an hourly record";
        case ErrorKind::RecordFieldCount:
            return "has " + std::to_string(f.count) + " fields, expected YYYY-MM-DD;HH;T;RH";
        case ErrorKind::RecordNotADate:
            return "'" + f.value + "' is not a date YYYY-MM-DD";
        case ErrorKind::RecordYearOutside:
            return "year " + f.value + " is outside 1997..2008";
        case ErrorKind::RecordNotAnHour:
            return "'" + f.value + "' is not an hour 1..24";
        case ErrorKind::RecordTemperatureBad:
            return "temperature '" + f.value + "' is not a number from -90 to 70";
        case ErrorKind::RecordHumidityBad:
            return "relative humidity '" + f.value + "' is not a number from 0 to 100";
        case ErrorKind::RecordHourRepeated:
            return "repeats the hour " + std::to_string(f.count) + " of " + f.value +
                   " given on line " + std::to_string(f.total);
        case ErrorKind::RecordsUnusableLines:
            return std::to_string(f.count) +
                   " line(s) could not be used; no station file was "
                   "written";
        case ErrorKind::RecordsNone:
            return "holds no hourly records (lines YYYY-MM-DD;HH;T;RH); no station file was "
                   "written";
        case ErrorKind::RecordsNoTemperature:
            return "holds no dry-bulb temperature (every T field is empty), so a station load "
                   "would find no usable hour; no station file was written";
        case ErrorKind::RecordsNoStationYear:
            return "holds dry-bulb temperatures only of days a station load does not read "
                   "(the year 2008, 29 February); no station file was written";
        case ErrorKind::StationPairJournalBad:
            return "is the note of an unfinished replace of the station files, but it cannot be "
                   "understood; remove it once the station files are checked";
        case ErrorKind::LocalityAltitudeOutside:
            return "locality altitude " + f.value + " m is outside -1000..10000 m";
        case ErrorKind::EpwNotEpw:
            return "is not an EPW weather file (its first line is not a LOCATION line)";
        case ErrorKind::EpwLocationShort:
            return lineText(f) + " (LOCATION) has fewer than 10 fields";
        case ErrorKind::EpwLocationNumberBad:
            return lineText(f) + " (LOCATION): the " + epwLocationFieldName(f.count) + " '" +
                   f.value + "' is not a number from " + epwLocationFieldRange(f.count);
        case ErrorKind::EpwLineTooLong:
            return lineText(f) + " is longer than 64 KiB";
        case ErrorKind::EpwNotARecord:
            return lineText(f) + " is not an hourly record";
        case ErrorKind::EpwRecordFieldCount:
            return lineText(f) + " has " + std::to_string(f.count) +
                   " fields; an hourly record has at least 10";
        case ErrorKind::EpwRecordDateBad:
            return lineText(f) + ": the " + epwDateFieldName(f.count) + " '" + f.value +
                   "' is not one";
        case ErrorKind::EpwSubHourly:
            return lineText(f) + " (DATA PERIODS) gives " + std::to_string(f.count) +
                   " records per hour; only hourly files can be read";
        case ErrorKind::EpwThirteenthYear:
            return lineText(f) + " begins a thirteenth year; at most 12 years can be read";
        case ErrorKind::EpwNoRecord:
            return "holds no hourly record";
        case ErrorKind::EpwOtherLocation:
            return "holds " + f.value + ", another location than " + f.second;
        case ErrorKind::EpwYearRepeated:
            return lineText(f) + ": the year " + f.value + " is given again (" + f.second +
                   ", line " + std::to_string(f.total) + ")";
        case ErrorKind::EpwTypicalAmongYears:
            return "the records from " + lineText(f) +
                   " are a typical year (their year changes from month to month); a typical "
                   "year cannot be put together with other years";
        case ErrorKind::EpwTooManyYears:
            return "these files hold " + std::to_string(f.count) +
                   " years; at most 12 can be read together";
        case ErrorKind::EpwElevationOutside:
            return "the elevation " + f.value + " m is outside -1000..10000 m";
        case ErrorKind::IsdNotALine:
            return lineText(f) +
                   " is not an ISD-Lite line (twelve whole numbers: year, month, "
                   "day, hour, ...); left out";
        case ErrorKind::IsdNoObservation:
            return "holds no usable ISD-Lite line; no station file was written";
        case ErrorKind::ImportNotHourlyFile:
            return "is neither an ISD-Lite file nor hourly records (lines YYYY-MM-DD;HH;T;RH); "
                   "no station file was written";
        case ErrorKind::ImportYearOutside:
            return lineText(f) + ": the hour " + f.value +
                   " (local standard time) is outside 1997..2008; left out";
        case ErrorKind::ImportHourRepeated:
            return lineText(f) + ": the hour " + f.value + " was given already (" + f.second +
                   ", line " + std::to_string(f.total) + "); left out";
        case ErrorKind::EpwNoUsableHour:
            return "hold no hour with a dry bulb and a humidity (dew point or relative "
                   "humidity)";
    }
    return f.detail;
}

std::string englishText(const Problem& problem) {
    const std::string reason = englishReason(problem);
    if (problem.fields.path.empty()) return reason;
    return problem.fields.path + ": " + reason;
}

}  // namespace climstat
