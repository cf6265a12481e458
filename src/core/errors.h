#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace climstat {

// A text that should hold a decimal number does not. The message is the one the user sees:
// "'<text>' is not a valid floating point value".
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(std::string text)
        : std::runtime_error("'" + text + "' is not a valid floating point value"),
          text_(std::move(text)) {}
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// What went wrong with a file, a line or a request, told apart from how it is worded: the
// engine gives the kind and its fields, and each front end words them in its own language
// (englishText for the command line, the window its Spanish). New kinds go at the end of their
// group, with a wording in both.
enum class ErrorKind {
    Other,  // worded by `detail` alone (English); for requests without a kind of their own

    // Files and folders. `path` names the file; `cause` says why, when the system told.
    CannotOpen,            // cannot be opened (for reading)
    CannotCreate,          // cannot be created
    NotWrittenCompletely,  // could not be written completely
    CannotReplace,         // the finished file could not take the old one's place
    NotReadCompletely,     // reading stopped before the end
    IsAFolder,             // a file was expected
    NotARegularFile,       // a device or a pipe
    NotAFolder,            // a folder was expected (a data path that is a file)
    TooLarge,              // larger than the 64 MB every input may have
    NotAFileName,          // a path that ends in a folder separator
    LinkCannotBeFollowed,  // a symbolic link whose target cannot be resolved
    Empty,                 // the file holds nothing
    CrOnlyLineEnds,        // lines ended by CR alone, which no reader here splits
    ChangedWhileRead,      // its size or modification time changed during the read
    SameFileAsInput,       // an output that is the file being read (`value`: that input)
    NoDataFolder,          // no data folder was found (`detail`: where the search looked)
    GzipCorrupt,           // gzip data that are not sound (`value`: what is wrong, in English)
    TooLargeUnpacked,      // its content would be larger than the 64 MB every input may have

    // Typical-year (.met) files. `line` is the line of the file, `count` the records read.
    MetEndsInHeader,     // the file ends before its five header values
    MetHeaderLacksLine,  // `line` already holds a record (`total` values) inside the header
    MetRecordTooShort,   // `line` holds `total` values, fewer than the 8 a record needs
    MetEndsEarly,        // `count` of 8760 records
    MetDryBulbOutside,   // `value` outside -90..70 degC, record `count`
    MetHumidityOutside,  // `value` outside 0..0.1 kg/kg, record `count`

    // Lines of hourly records (YYYY-MM-DD;HH;T;RH). `line` is the line.
    RecordTooLong,         // longer than any hourly record
    RecordFieldCount,      // `count` fields instead of 4
    RecordNotADate,        // `value` is not a date YYYY-MM-DD
    RecordYearOutside,     // year `value` outside 1997..2008
    RecordNotAnHour,       // `value` is not an hour 1..24
    RecordTemperatureBad,  // `value` is not a dry bulb from -90 to 70 degC
    RecordHumidityBad,     // `value` is not a relative humidity from 0 to 100 %
    RecordHourRepeated,    // hour `count` of date `value` was given on line `total`
    RecordsUnusableLines,  // `count` lines could not be used; nothing was written
    RecordsNone,           // no hourly record at all
    RecordsNoTemperature,  // records, but not one dry bulb
    RecordsNoStationYear,  // dry bulbs only of days no load reads (2008, 29 February)

    // Station files.
    StationPairJournalBad,  // the note of an unfinished replace cannot be understood

    // Requests.
    LocalityAltitudeOutside,  // the locality altitude `value` (m) is outside -1000..10000 m

    // EPW weather files. `line` is the line of the file.
    EpwNotEpw,             // the first line is not a LOCATION line
    EpwLocationShort,      // the LOCATION line has fewer than 10 fields
    EpwLocationNumberBad,  // LOCATION field `count` (7 latitude, 8 longitude, 9 time zone,
                           // 10 elevation) is `value`, not a number in its range
    EpwLineTooLong,        // longer than 64 KiB
    EpwNotARecord,         // a line among the records that is not one
    EpwRecordFieldCount,   // `count` fields, fewer than the 10 a record needs
    EpwRecordDateBad,      // date field `count` (1 year, 2 month, 3 day, 4 hour) is `value`
    EpwSubHourly,          // DATA PERIODS gives `count` records per hour
    EpwThirteenthYear,     // the record begins a 13th run of the calendar
    EpwNoRecord,           // no hourly record at all
    EpwOtherLocation,      // holds `value`, another place than the file `second`
    EpwYearRepeated,       // the year `value` again, given before in `second` line `total`
    EpwTypicalAmongYears,  // the run from `line` is a typical year, beside other years
    EpwTooManyYears,       // the files hold `count` years together, more than 12
    EpwElevationOutside,   // elevation `value` m outside -1000..10000
    EpwNoUsableHour,       // no hour with a dry bulb and a humidity (`path`: the files)

    // Hourly files imported for a station: ISD-Lite of the public archive and `;` records.
    IsdNotALine,          // `line` of an ISD-Lite file is not one (left out)
    IsdNoObservation,     // an ISD-Lite file without one usable line (nothing written)
    ImportNotHourlyFile,  // neither ISD-Lite nor hourly records (nothing written)
    ImportYearOutside,    // `line` gives the local hour `value`, outside 1997..2008 (left out)
    ImportHourRepeated,   // `line` gives the hour `value` again, given in `second` line `total`
};

// Why the system refused an operation on a file.
enum class FileCause {
    Unknown,           // not told
    Missing,           // no such file or folder
    PermissionDenied,  // no permission, or the file is immutable
    DiskFull,          // no space left (or the quota is reached)
    NotAFolder,        // a part of the path is a file, not a folder
    ReadOnly,          // the file system is mounted read-only
    IsAFolder,         // the path is a folder
    Other,             // `detail` holds the system's own text
};

// The cause of a failed system call from its errno value or error code.
FileCause fileCauseOf(int errnoValue);
FileCause fileCauseOf(const std::error_code& code);

// The facts an error is worded from; each kind uses the fields its comment names.
struct ErrorFields {
    std::string path;   // the file or folder concerned
    long line = 0;      // 1-based line of a text file
    std::string value;  // the text or number at fault
    long count = 0;     // a count, as the kind says
    long total = 0;     // a second number, as the kind says
    FileCause cause = FileCause::Unknown;
    std::string detail;  // the system's text for FileCause::Other; the text of ErrorKind::Other
    std::string second;  // a second file, as the kind says
};

// One error: its kind and its fields.
struct Problem {
    ErrorKind kind = ErrorKind::Other;
    ErrorFields fields;
};

// Fields with a path alone.
inline ErrorFields pathFields(std::string path) {
    ErrorFields fields;
    fields.path = std::move(path);
    return fields;
}

// Fields with a path (which may be empty) and a free text.
inline ErrorFields detailFields(std::string path, std::string detail) {
    ErrorFields fields;
    fields.path = std::move(path);
    fields.detail = std::move(detail);
    return fields;
}

// Fields with the path and the cause of a failed system call.
ErrorFields fileFields(std::string path, int errnoValue);
ErrorFields fileFields(std::string path, const std::error_code& code);

// Names of the fields of an EPW error, by their number (EpwLocationNumberBad, EpwRecordDateBad):
// "latitude", "-90 to 90"; "month".
std::string epwLocationFieldName(long field);
std::string epwLocationFieldRange(long field);
std::string epwDateFieldName(long field);

// The English wording of a problem without the path ("cannot be opened: permission denied"),
// and with it in front ("/data/x.met: cannot be opened: permission denied").
std::string englishReason(const Problem& problem);
std::string englishText(const Problem& problem);

// An error of the engine: a Problem worded in English by what().
class ClimstatError : public std::runtime_error {
  public:
    explicit ClimstatError(Problem problem)
        : std::runtime_error(englishText(problem)), problem_(std::move(problem)) {}
    const Problem& problem() const { return problem_; }
    ErrorKind kind() const { return problem_.kind; }
    const ErrorFields& fields() const { return problem_.fields; }

  private:
    Problem problem_;
};

// A data file is missing, unreadable or not in the expected layout. The message names the file.
class DataFileError : public ClimstatError {
  public:
    DataFileError(ErrorKind kind, ErrorFields fields)
        : ClimstatError(Problem{kind, std::move(fields)}) {}
    explicit DataFileError(Problem problem) : ClimstatError(std::move(problem)) {}
    // A reason without a kind of its own, in English.
    DataFileError(std::string path, const std::string& reason)
        : ClimstatError(Problem{ErrorKind::Other, detailFields(std::move(path), reason)}) {}
    const std::string& path() const { return fields().path; }
};

// A request that cannot be carried out as asked (an unknown name, a value out of range).
class UsageError : public ClimstatError {
  public:
    explicit UsageError(const std::string& what)
        : ClimstatError(Problem{ErrorKind::Other, detailFields({}, what)}) {}
    explicit UsageError(Problem problem) : ClimstatError(std::move(problem)) {}
};

}  // namespace climstat
