// ISD-Lite files of the public hourly archive as hostile input, plain or gzip: gzip data are
// unpacked first (with a bound of 1 MB here, so that a bomb costs little: the bound is a
// parameter of the same inflater), then the lines are read and every observation is moved to
// local standard time by an offset taken from the first byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/gzip.h"
#include "data/isd_lite.h"

namespace {

bool isDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= (month == 2 && !leap ? 28 : kDays[month - 1]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace climstat;
    if (size < 1) return 0;
    const int offset = static_cast<int>(data[0] % 27) - 12;  // -12..14 h
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string unpacked;
    if (isGzip(bytes)) {
        try {
            unpacked = gunzip(bytes, "fuzz.gz", std::size_t{1} << 20);
        } catch (const DataFileError&) {
            return 0;  // not sound gzip, or more than the bound: refused
        }
        if (unpacked.size() > (std::size_t{1} << 20)) __builtin_trap();
        bytes = unpacked;
    }
    const IsdLiteFile file = readIsdLiteText(bytes, "fuzz");
    if (looksLikeIsdLite(bytes) && file.observations.empty()) __builtin_trap();
    if (file.problems.size() > static_cast<std::size_t>(file.badLines)) __builtin_trap();
    for (const IsdLiteObservation& o : file.observations) {
        const LocalHour local = localHourOf(o, offset);
        if (local.hour < 1 || local.hour > 24 || !isDate(local.year, local.month, local.day)) {
            __builtin_trap();
        }
        if (const auto rh = relativeHumidityPercent(o.temperature, o.dewPoint)) {
            if (*rh < 0 || *rh > 100) __builtin_trap();
        }
    }
    return 0;
}
