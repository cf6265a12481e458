#pragma once

#include <string>
#include <vector>

namespace climstat::test {

// One line of an ISD-Lite file, fixed-width as the archive writes it: the date and UTC hour,
// air temperature and dew point in tenths (-9999 missing), and fixed values for the other six.
std::string isdLiteLine(int year, int month, int day, int hour, int temperature, int dewPoint);

// ISD-Lite text of the records of a real EPW typical year relabelled as `year` (a year of 365
// days), whose hour 1..24 of each day is local standard time `utcOffset` hours from UTC: the
// local hour HH of day D is the observation at UTC clock hour HH - utcOffset of that day (the
// next or the day before when outside 0..23). Records of hour indices first..last (1..8760)
// only. Dry bulbs and dew points in tenths, rounded.
std::string isdLiteFromEpw(const std::string& epwPath, int year, int utcOffset, int first,
                           int last);

// Gzip data of a text, made by the system's gzip; empty when it cannot run.
std::string systemGzip(const std::string& text, const std::string& scratchFolder);

}  // namespace climstat::test
