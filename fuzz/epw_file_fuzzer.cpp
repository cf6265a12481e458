// EPW weather files as hostile input, parsed from memory and, when they are read, put together
// as a location. The first byte steers: when odd, a LOCATION line stands before the rest, so
// that mutations spend their time on the records rather than on finding the header; when its
// second bit is set and the size a multiple of four, the location is loaded into an analysis
// state too. A load walks every hour of every year slot whatever the file holds, costing as
// much as hundreds of short parses, so it is the rarer case.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/analysis_state.h"
#include "core/errors.h"
#include "data/epw_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace climstat;
    if (size < 1) return 0;
    static std::string input;  // keeps its capacity from run to run
    input.clear();
    if ((data[0] & 1) != 0) input = "LOCATION,Fuzz,-,XX,Test,000000,40.0,-3.0,1.0,650\n";
    input.append(reinterpret_cast<const char*>(data) + 1, size - 1);
    // One state for every run: it is megabytes, and a load rewrites all of it that it uses.
    static const std::unique_ptr<AnalysisState> state = std::make_unique<AnalysisState>();
    try {
        std::vector<EpwFile> files;
        files.push_back(readEpwText(input, "fuzz.epw"));
        for (const EpwYear& year : files.front().years) {
            if (year.dryBulb.size() != static_cast<std::size_t>(kHoursPerYear) + 1) {
                __builtin_trap();
            }
        }
        const EpwLocationData location = combineEpwFiles(std::move(files));
        if ((data[0] & 2) == 0 || size % 4 != 0) return 0;
        const EpwLoadCounts counts = loadEpwLocation(*state, location);
        const AnalysisState& s = *state;
        if (s.nYears < 1 || s.nYears > kYearSlots) __builtin_trap();
        if (counts.hoursWithData > counts.hours) __builtin_trap();
        // Every hour of the slots in use holds data within the reader's ranges or no data.
        for (int y = 1; y <= s.nYears; ++y) {
            const auto slot = static_cast<std::size_t>(y);
            if (!location.typicalYear && y > 1 && s.slotYear[slot] <= s.slotYear[slot - 1]) {
                __builtin_trap();
            }
            for (int h = 1; h <= kHoursPerYear; ++h) {
                const float t = s.ts[h][y];
                const float w = s.w[h][y];
                if (t == MISSING_T) {
                    if (w != MISSING_T) __builtin_trap();
                    continue;
                }
                if (!(t >= -70.0f && t <= 70.0f) || !(w >= 0.0f && w < 1.0f) ||
                    !std::isfinite(s.tw[h][y])) {
                    __builtin_trap();
                }
            }
        }
    } catch (const DataFileError&) {
        // A clear refusal is a correct answer to a broken file.
    }
    return 0;
}
