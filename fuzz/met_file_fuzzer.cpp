// Typical-year files as hostile input. When the first byte is 1, the rest of the input is
// followed by a year of plain records, so that small inputs also reach a complete read.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/errors.h"
#include "data/met_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace climstat;
    static const std::string path = fuzz::inputPath("typical.met");
    static const std::string filler = [] {
        std::string lines;
        for (int h = 0; h < kMetRecords; ++h)
            lines += "1 1 1 5.5 0 0 0 0.004\n";
        return lines;
    }();
    if (size == 0) return 0;
    static std::string input;  // keeps its capacity from run to run
    input.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] == 1) input += filler;
    fuzz::writeInput(path, reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    try {
        const MetFileData file = readMetFile(path);
        // Tokens that are no number, or none a float can hold, read as 0: never NaN or infinite.
        for (int h = 1; h <= kMetRecords; ++h) {
            if (!std::isfinite(file.ts[h]) || !std::isfinite(file.w[h])) __builtin_trap();
        }
        if (!std::isfinite(file.latitude)) __builtin_trap();
    } catch (const DataFileError&) {
        // A clear refusal is a correct answer to a broken file.
    }
    return 0;
}
