#pragma once

#include <functional>
#include <string>

namespace climstat::test {

// Text of a typical-year (.met) file, for building good and broken files at run time.
struct MetText {
    // 2013 zone files: line 1 the file name only, line 2 latitude, longitude, altitude and
    // meridian. 2006 capital files: line 1 the name and the meridian, line 2 latitude,
    // longitude and altitude.
    bool zoneHeader = true;
    double latitude = 40.683331;
    double longitude = -4.133333;
    int records = 8760;
    int tokensPerRecord = 13;  // 15 in some published copies
    std::string lineEnd = "\r\n";
    bool finalLineBreak = true;
    // Values of record h = 1..8760, written with one and six decimals.
    std::function<double(int)> ts = [](int h) { return -10.0 + (h % 500) * 0.1; };
    std::function<double(int)> w = [](int h) { return 0.001 + (h % 97) * 0.00001; };
};

std::string metText(const MetText& options);

// The value the reader gets from the text metText writes for a value.
float writtenTs(double value);
float writtenW(double value);

}  // namespace climstat::test
