#include "support/epw_writer.h"

#include <sstream>

#include "core/calendar.h"

namespace climstat::test {

std::string epwText(const EpwText& t) {
    std::ostringstream out;
    out << "LOCATION," << t.city << ",IL,USA,TMY3," << t.wmo << ',' << t.latitude << ','
        << t.longitude << ",-6.0," << t.elevation << "\r\n";
    out << t.designConditions << "\r\n";
    out << "TYPICAL/EXTREME PERIODS,0\r\n";
    out << "GROUND TEMPERATURES,0\r\n";
    out << "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\r\n";
    out << "COMMENTS 1,made by a test\r\n";
    out << "COMMENTS 2,\r\n";
    out << t.dataPeriods << "\r\n";
    for (const EpwRecord& r : t.records) {
        out << r.year << ',' << r.month << ',' << r.day << ',' << r.hour
            << ",0,?9?9?9?9E0?9?9?9*9*9," << r.dryBulb << ',' << r.dewPoint << ','
            << r.relativeHumidity << ',' << r.pressure
            << ",0,0,218,0,0,0,0,0,0,0,270,2.6,9,9,24.1,2740,9,999999999,40,0.0000,0,88,999.000,"
               "999.0,99.0\r\n";
    }
    return out.str();
}

std::vector<EpwRecord> epwYear(int year, const std::function<void(EpwRecord&, int)>& make) {
    std::vector<EpwRecord> records;
    records.reserve(8760);
    for (int h = 1; h <= 8760; ++h) {
        const int dayNumber = (h - 1) / 24 + 1;
        EpwRecord r;
        r.year = year;
        r.month = monthOfDay(dayNumber);
        r.day = dayOfMonth(dayNumber);
        r.hour = (h - 1) % 24 + 1;
        if (make) make(r, h);
        records.push_back(r);
    }
    return records;
}

}  // namespace climstat::test
