// Typical-year files as hostile input, parsed from memory. When the first two bytes are 1 and
// the size a multiple of eight, the rest of the input is followed by a year of plain records,
// so that small inputs also reach a complete read; that costs a full parse, so it is the rarer
// case.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/errors.h"
#include "data/met_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace climstat;
    static const std::string filler = [] {
        std::string lines;
        for (int h = 0; h < kMetRecords; ++h)
            lines += "1 1 1 5.5 0 0 0 0.004\n";
        return lines;
    }();
    if (size < 2) return 0;
    static std::string input;  // keeps its capacity from run to run
    input.assign(reinterpret_cast<const char*>(data) + 2, size - 2);
    // Only short heads get the filler, and only one size in eight of them: a complete parse
    // costs as much as hundreds of short ones, and the mutations of an input that reached it
    // keep its first bytes, so without the second rule they would be most of the runs.
    if (data[0] == 1 && data[1] == 1 && input.size() < 4096 && size % 8 == 0) input += filler;
    std::istringstream in(input);
    try {
        const MetFileData file = readMetStream(in, "fuzz.met");
        // Accepted values lie inside the physical bounds; never NaN or infinite.
        for (int h = 1; h <= kMetRecords; ++h) {
            if (!(file.ts[h] >= -90.0f && file.ts[h] <= 70.0f)) __builtin_trap();
            if (!(file.w[h] >= 0.0f && file.w[h] <= 0.1f)) __builtin_trap();
        }
        if (!std::isfinite(file.latitude)) __builtin_trap();
    } catch (const DataFileError&) {
        // A clear refusal is a correct answer to a broken file.
    }
    return 0;
}
