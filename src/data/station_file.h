#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/grid.h"

namespace climstat {

// Station files: one temperature file ("T<code>_.bin") and one humidity file ("H<code>_.bin")
// per station, each a sequence of day records with no header. A record holds text items (bytes
// ended by a zero byte, never used) and number items (32-bit little-endian integers stored
// XORed with VALUE_KEY): text, year, month, day, text, number, text, the 24 hourly values of
// the day (temperature in tenths of a degree, or relative humidity in whole percent), then
// unused numbers up to 40 items in a temperature file and 36 in a humidity file.

inline constexpr std::uint32_t VALUE_KEY = 0x5E7A1C39u;
// Hours that no record of a file reaches.
inline constexpr std::int32_t MISSING_RAW = 9999;

inline constexpr int kFirstFileYear = 1997;  // row 0 of the hourly table
inline constexpr int kTableYears = 12;       // rows 0..11: 1997..2008
inline constexpr int kTableHours = 8760;     // hour c + 1 of a 365-day year in column c
inline constexpr int kTemperatureItems = 40;
inline constexpr int kHumidityItems = 36;
// Station files of eleven years are about 1.5 MB; anything far larger is not one.
inline constexpr std::uintmax_t kMaxStationFileBytes = 64u * 1024u * 1024u;

// What one file holds: row r = 0..11 for the year 1997 + r, column c = 0..8759 for hour c + 1.
using HourlyTable = Grid<std::int32_t>;

// A 12 x 8760 table with every hour MISSING_RAW.
HourlyTable makeHourlyTable();

// Path of a station file in the data folder: folder / (variable + code + "_.bin"), variable "T"
// or "H".
std::string stationFilePath(const std::string& dataFolder, std::string_view variable,
                            std::string_view code);

// Whether a code can name station files: 1 to 16 letters and digits, so that the file names
// stay inside the data folder.
bool isStationFileCode(std::string_view code);

// Reads station files into the year-by-hour table.
class conversorAEMET {
  public:
    // `defaultPath` is read when a read is given an empty path; `option` is kept but not used
    // by reading. The lines that trace a read go to `trace`.
    conversorAEMET(std::string defaultPath, int option, std::ostream& trace);

    // Reads one file: variable "T" for a temperature file, anything else for a humidity file.
    // The table is first filled with MISSING_RAW, so hours that no record reaches (after the
    // last record, or when the file cannot be read) are no data. Returns 1 when the file cannot
    // be opened or is too large to be a station file (failure() then says which), else 0 after
    // parsing it. The parse stops cleanly at the end of the bytes, at an item cut short, at a
    // record dated outside 1997..2008 or not a calendar date, at a record dated before the day
    // it should describe (dates going backwards or repeating), and when the table is full.
    int readHourlyFile(HourlyTable& table, const std::string& path, const std::string& variable);

    // Why the last read returned 1 (the file named in its fields); kind Other, with no text,
    // after a parse.
    const Problem& failure() const { return failure_; }
    int option() const { return option_; }

  private:
    std::string defaultPath_;
    int option_;
    std::ostream& trace_;
    Problem failure_;
};

// One record of a station file as the writer produces it.
struct StationDay {
    int year = 0;
    int month = 0;
    int day = 0;
    std::array<std::int32_t, 24> values{};  // hour 1 first
};

// The bytes of a station file holding these records, in the order given (the writer does not
// check them, so that files with any dates can be made). `label` fills the first text item of
// every record.
std::string encodeStationFile(std::string_view variable, std::span<const StationDay> days,
                              std::string_view label = "");

// Writes a station file; the file is replaced only once it is complete. Throws DataFileError.
void writeStationFile(const std::string& path, std::string_view variable,
                      std::span<const StationDay> days, std::string_view label = "");

// The records that describe a table: one per day of 1997..2008 with at least one hour that is
// not MISSING_RAW, in date order. Reading them back gives the table again.
std::vector<StationDay> stationDaysFromTable(const HourlyTable& table);

// The parse readHourlyFile makes of a file's bytes once it has read them (variable "T" or
// "H"), into the 12 x 8760 table.
void parseStationBytes(std::span<const unsigned char> bytes, std::string_view variable,
                       HourlyTable& table, std::ostream& trace);

// Number of days of a month of the 365-day year (February 28), month 1..12.
int daysInMonth365(int month);

}  // namespace climstat
