// Station files as hostile input: the first byte chooses a temperature or a humidity parse,
// the rest is the file's content, parsed in memory as the reader parses what it has read.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>

#include "data/station_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace climstat;
    if (size == 0) return 0;
    static std::ostream trace(nullptr);  // the trace lines go nowhere
    // One table for every run, as the loader reuses one for both files: each parse must start
    // it afresh.
    static HourlyTable table = makeHourlyTable();
    parseStationBytes(std::span<const unsigned char>(data + 1, size - 1),
                      (data[0] & 1) != 0 ? "T" : "H", table, trace);
    // Whatever the bytes, a table of the right shape whose hours hold values or MISSING_RAW.
    if (table.rows() != 12 || table.cols() != 8760) __builtin_trap();
    return 0;
}
