// The hourly records a user imports ("YYYY-MM-DD;HH;T;RH" lines) as hostile input.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "data/station_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace climstat;
    if (size == 0) return 0;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    const StationRecords records = readStationRecords(in, (data[0] & 1) != 0 ? ',' : '.');
    // Days are given once each, in order, with both files' records side by side.
    if (records.temperature.size() != records.humidity.size()) __builtin_trap();
    for (std::size_t i = 1; i < records.temperature.size(); ++i) {
        const StationDay& a = records.temperature[i - 1];
        const StationDay& b = records.temperature[i];
        if ((a.year * 100 + a.month) * 100 + a.day >= (b.year * 100 + b.month) * 100 + b.day) {
            __builtin_trap();
        }
    }
    return 0;
}
