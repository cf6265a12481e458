// Station files as hostile input: the first byte chooses a temperature or a humidity read, the
// rest is the file.

#include <cstddef>
#include <cstdint>
#include <ostream>

#include "data/station_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace climstat;
    if (size == 0) return 0;
    static const std::string path = fuzz::inputPath("station.bin");
    fuzz::writeInput(path, data + 1, size - 1);

    std::ostream trace(nullptr);  // the trace lines go nowhere
    conversorAEMET reader("", 0, trace);
    // One table for every run, as the loader reuses one for both files: each read must start
    // it afresh. (Allocating it anew per run also costs more than the parse.)
    static HourlyTable table;
    const int status = reader.readHourlyFile(table, path, (data[0] & 1) != 0 ? "T" : "H");
    // A readable file is always parsed, whatever it holds, into a table of the right shape.
    if (status != 0 || table.rows() != 12 || table.cols() != 8760) __builtin_trap();
    return 0;
}
