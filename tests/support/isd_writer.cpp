#include "support/isd_writer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/calendar.h"
#include "data/epw_file.h"
#include "support/test_data.h"

namespace climstat::test {

std::string isdLiteLine(int year, int month, int day, int hour, int temperature, int dewPoint) {
    char line[80];
    std::snprintf(line, sizeof line, "%4d %02d %02d %02d %5d %5d %5d %5d %5d %5d %5d %5d\n", year,
                  month, day, hour, temperature, dewPoint, 10223, 270, 41, 4, -9999, -9999);
    return line;
}

std::string isdLiteFromEpw(const std::string& epwPath, int year, int utcOffset, int first,
                           int last) {
    const EpwFile epw = readEpwFile(epwPath);
    const EpwYear& records = epw.years.front();
    std::string text;
    for (int h = first; h <= last; ++h) {
        // Local hour HH (1..24) of day D ends at clock HH; its UTC clock hour is HH - offset,
        // with clock 24 the 0 h of the next day.
        int dayNumber = (h - 1) / 24 + 1;
        int clock = (h - 1) % 24 + 1 - utcOffset;
        int y = year;
        while (clock >= 24) {
            clock -= 24;
            if (++dayNumber > 365) {
                dayNumber = 1;
                ++y;
            }
        }
        while (clock < 0) {
            clock += 24;
            if (--dayNumber < 1) {
                dayNumber = 365;
                --y;
            }
        }
        const auto k = static_cast<std::size_t>(h);
        auto tenths = [](float v) {
            return std::isnan(v) ? -9999 : static_cast<int>(std::lround(v * 10.0));
        };
        text += isdLiteLine(y, monthOfDay(dayNumber), dayOfMonth(dayNumber), clock,
                            tenths(records.dryBulb[k]), tenths(records.dewPoint[k]));
    }
    return text;
}

std::string systemGzip(const std::string& text, const std::string& scratchFolder) {
    const std::string plain = scratchFolder + "/gzip-input";
    writeBytes(plain, text);
    const std::string command = "gzip -c -9 " + plain + " > " + plain + ".gz 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    return readBytes(plain + ".gz");
}

}  // namespace climstat::test
