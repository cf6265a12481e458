#pragma once

#include <functional>
#include <string>
#include <vector>

namespace climstat::test {

// One hourly record of an EPW file as written: the four date fields and the four values the
// reader uses (written as given, so missing codes such as 99.9 or 999 can be written too).
struct EpwRecord {
    int year = 2001;
    int month = 1;
    int day = 1;
    int hour = 1;
    std::string dryBulb = "10.0";
    std::string dewPoint = "5.0";
    std::string relativeHumidity = "70";
    std::string pressure = "99000";
};

// Text of an EPW file: the eight header lines (LOCATION with these fields, DESIGN CONDITIONS,
// DATA PERIODS, ...) and one line per record, with the remaining fields of a real file.
struct EpwText {
    std::string city = "Testville";
    std::string wmo = "123456";
    double latitude = 41.98;
    double longitude = -87.92;
    double elevation = 201.0;
    std::string designConditions = "DESIGN CONDITIONS,0";
    std::string dataPeriods = "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31";
    std::vector<EpwRecord> records;
};

std::string epwText(const EpwText& text);

// The 8760 records of a year of 365 days, in calendar order, each from `make` (which gets the
// record with its date fields filled in and the hour index 1..8760).
std::vector<EpwRecord> epwYear(int year, const std::function<void(EpwRecord&, int)>& make = {});

// The text of an EPW file (its eight header lines, then records) with every record's year field
// replaced by `year`: a real typical year made into an actual year of one's choice.
inline std::string epwWithYear(const std::string& text, int year) {
    std::size_t first = 0;
    for (int line = 0; line < 8 && first != std::string::npos; ++line) {
        first = text.find('\n', first);
        if (first != std::string::npos) ++first;
    }
    if (first == std::string::npos) return text;
    std::string relabelled = text.substr(0, first);
    for (std::size_t at = first; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size() - 1;
        const std::size_t comma = text.find(',', at);
        if (comma == std::string::npos || comma > end) break;
        relabelled += std::to_string(year);
        relabelled.append(text, comma, end + 1 - comma);
        at = end + 1;
    }
    return relabelled;
}

}  // namespace climstat::test
