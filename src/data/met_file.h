#pragma once

#include <array>
#include <iosfwd>
#include <string>

namespace climstat {

inline constexpr int kMetRecords = 8760;

// The hourly values of one typical-year file, read into a table of its own so that a file that
// turns out to be unusable leaves the analysis state as it was.
struct MetFileData {
    float latitude = 0;                       // decimal degrees, north positive
    std::array<float, kMetRecords + 1> ts{};  // dry bulb of record h = 1..8760, degC
    std::array<float, kMetRecords + 1> w{};   // humidity ratio of record h, kg/kg
    long nonNumberTokens = 0;     // dry-bulb and humidity tokens without a number (read as 0)
    long firstNonNumberLine = 0;  // line of the first of them
    // The header's latitude token when it holds no number (the latitude is then 0), as a name
    // line of several words makes it; empty otherwise.
    std::string latitudeNotANumber;
};

// Reads a typical-year (".met") text file. The first lines hold five header tokens; the
// latitude is the third token, except in files whose first line holds only the file name,
// where it is the first number of the second line. Each following line is one record; its 4th
// token is the dry bulb and its 8th the humidity ratio, further tokens are ignored. Tokens that
// are not plain decimal numbers read as 0. Lines after the 8760th record are not read.
// Throws DataFileError naming the file when it cannot be opened, is empty, has lines ended by
// CR alone, holds a line of a record's length inside its header (a header line is missing),
// holds a record line with fewer than 8 tokens, or ends before its 8760th record (saying how
// many were read). A dry bulb outside -90..70 degC or a humidity ratio outside 0..0.1 kg/kg,
// however large (beyond single or double precision too), is a corrupt file as well (the error
// names the line and the value); so are folders, devices, pipes and files larger than 64 MB,
// refused before they are read.
MetFileData readMetFile(const std::string& path);

// The same from a stream (the name is only used in messages), for files already open.
MetFileData readMetStream(std::istream& in, const std::string& path);

}  // namespace climstat
