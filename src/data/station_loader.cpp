#include "data/station_loader.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "core/calendar.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "data/station_file.h"
#include "data/station_pair.h"
#include "data/typical_year.h"
#include "psychro/humid_air.h"

namespace climstat {

namespace {

constexpr float kNoTemperature = 90.0f;   // a temperature of 90 or more is no data
constexpr std::int32_t kNoReading = 900;  // a humidity above 900 is no reading
constexpr float kFirstCarriedW = 0.005f;

constexpr float kLowestDryBulb = -90.0f;
constexpr float kHighestDryBulb = 70.0f;
const float kNoDataT = static_cast<float>(static_cast<double>(MISSING_RAW) * 0.1);  // 999.9
constexpr std::size_t kDroppedDatesKept = 5;

// The wet bulb and dew point of the states met so far in one load. Readings come in tenths of a
// degree and whole percent, so the same state recurs many times over eleven years; each is
// solved once. A table of fixed size with open addressing: when it is full, states are solved
// without it. Results are those of the solver whatever the order of the hours.
class SolvedStates {
  public:
    psychro::WetBulbAndDewPoint solve(float t, float w, float pt) {
        const std::uint64_t key = (std::uint64_t{std::bit_cast<std::uint32_t>(t)} << 32) |
                                  std::bit_cast<std::uint32_t>(w);
        // Fibonacci hashing of the key; key 0 (t = 0, w = 0) is solved directly.
        std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> kShift);
        if (key != 0) {
            for (int probe = 0; probe < kProbes; ++probe) {
                Entry& entry = entries_[slot];
                if (entry.key == key) return entry.solved;
                if (entry.key == 0) {
                    entry.key = key;
                    entry.solved = psychro::wetBulbAndDewPoint(t, w, pt);
                    return entry.solved;
                }
                slot = (slot + 1) & (kSize - 1);
            }
        }
        return psychro::wetBulbAndDewPoint(t, w, pt);
    }

  private:
    static constexpr int kBits = 16;
    static constexpr std::size_t kSize = std::size_t{1} << kBits;
    static constexpr int kShift = 64 - kBits;
    static constexpr int kProbes = 16;
    struct Entry {
        std::uint64_t key = 0;
        psychro::WetBulbAndDewPoint solved;
    };
    std::vector<Entry> entries_ = std::vector<Entry>(kSize);
};

// Counts an hour left out for an implausible value and keeps the first few dates.
void noteDropped(StationLoadResult& result, int y, int h) {
    if (result.droppedHours++ < static_cast<long>(kDroppedDatesKept)) {
        const int day = (h - 1) / 24 + 1;
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02dh", 1996 + y, monthOfDay(day),
                      dayOfMonth(day), hourOfDay(h));
        result.droppedDates.emplace_back(text);
    }
}

float altitudeNumber(const std::string& text, char separator) {
    return static_cast<float>(parseDecimal(text, separator));
}

}  // namespace

StationLoadResult loadStationData(AnalysisState& state, const std::string& altitudeText,
                                  const std::string& code, const StationLoadSettings& settings,
                                  const std::string& dataFolder, std::ostream& trace,
                                  std::ostream& errors) {
    using namespace psychro;
    if (!isStationFileCode(code)) {
        throw UsageError("'" + code + "' cannot name station files");
    }
    // Catalogue altitudes are whole metres; they do not depend on the user's separator.
    const float stationAltitude = altitudeNumber(altitudeText, '.');
    float localityAltitude = stationAltitude;
    if (movesAltitude(settings.extrapolation)) {
        const double z = parseDecimal(settings.localityAltitudeText, settings.decimalSeparator);
        if (!isAcceptedAltitude(z)) {
            ErrorFields fields;
            fields.value = settings.localityAltitudeText;
            throw UsageError(Problem{ErrorKind::LocalityAltitudeOutside, std::move(fields)});
        }
        localityAltitude = static_cast<float>(z);
    }

    // Both files are read with the pair held still, so that no writer replaces one of them
    // between the two reads (a note of a replace that cannot be understood fails here, before
    // anything changes).
    std::optional<StationPairRead> pair;
    pair.emplace(dataFolder, code);

    StationLoadResult result;
    result.temperaturePath = stationFilePath(dataFolder, "T", code);
    result.humidityPath = stationFilePath(dataFolder, "H", code);

    // 1. Pressure and height gain.
    const ExtrapolationSetup setup =
        extrapolationSetup(settings.extrapolation, stationAltitude, localityAltitude);
    state.pt = setup.pt;
    const float pt = setup.pt;

    // 2. Plot limits and year slots.
    resetPlotLimits(state);
    state.nYears = kStationYears;
    state.slotYear.fill(0);  // station slot y is 1996 + y

    // 3. Temperature file.
    conversorAEMET reader("", 0, trace);
    HourlyTable table = makeHourlyTable();
    if (reader.readHourlyFile(table, pair->temperaturePath(), "T") == 1) {
        errors << "Error lectura \n";
        result.temperatureFailure = reader.failure();
    } else {
        result.temperatureRead = true;
    }

    // 4. Everything starts as no data.
    state.nValidT = 0;
    state.firstValidYear = 0;
    state.lastValidYear = 0;
    for (int h = 1; h <= kHoursPerYear; ++h) {
        for (int y = 1; y <= kStationYears; ++y) {
            state.ts[h][y] = MISSING_T;
            state.w[h][y] = MISSING_T;
            state.tw[h][y] = MISSING_T;
        }
    }

    // 5. Temperatures.
    for (int y = 1; y <= kStationYears; ++y) {
        const std::int32_t* row = table[static_cast<std::size_t>(y - 1)];
        for (int h = 1; h <= kHoursPerYear; ++h) {
            float t = static_cast<float>(static_cast<double>(row[h - 1]) * 0.1);
            // A reading no thermometer outdoors gives is a damaged file, not weather: the hour
            // becomes no data, and the load says so.
            if (row[h - 1] != MISSING_RAW && !(t >= kLowestDryBulb && t <= kHighestDryBulb)) {
                noteDropped(result, y, h);
                t = kNoDataT;
            }
            state.ts[h][y] = t;
            if (t < kNoTemperature) {
                ++state.nValidT;
                if (state.firstValidYear == 0) state.firstValidYear = y;
                state.lastValidYear = y;
            }
        }
    }

    // 6. Humidity file, into the same table.
    if (reader.readHourlyFile(table, pair->humidityPath(), "H") == 1) {
        result.humidityFailure = reader.failure();
    } else {
        result.humidityRead = true;
    }
    pair.reset();
    state.nValidH = 0;
    float previousW = kFirstCarriedW;

    // 7. Humidity ratio, extrapolation and cap of every hour, in order: an hour without a
    // reading carries the humidity of the one before. The wet bulbs follow in step 7b.
    std::vector<std::uint8_t> needsWetBulb(static_cast<std::size_t>(kStationYears + 1) *
                                           (kHoursPerYear + 1));
    auto needs = [&needsWetBulb](int h, int y) -> std::uint8_t& {
        return needsWetBulb[static_cast<std::size_t>(y) * (kHoursPerYear + 1) +
                            static_cast<std::size_t>(h)];
    };
    for (int y = 1; y <= kStationYears; ++y) {
        const std::int32_t* row = table[static_cast<std::size_t>(y - 1)];
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const float t = state.ts[h][y];
            const std::int32_t rawH = row[h - 1];
            // A reading of 0 % leaves no humidity. A dry bulb of exactly 0.0 degC is a reading
            // like any other: only the missing code makes an hour no data.
            if (rawH == 0) {
                state.w[h][y] = 0.0f;
                state.tw[h][y] = 0.0f;
                continue;
            }
            if (t >= kNoTemperature) continue;
            bool hasReading = rawH <= kNoReading;
            if (hasReading && (rawH < 0 || rawH > 100)) {
                // Beyond 100 % (the clamp to 99.5 % is for readings of 100) or below 0: no
                // reading, like a missing one.
                noteDropped(result, y, h);
                hasReading = false;
            }
            if (!hasReading) {
                state.w[h][y] = previousW;
                if (relativeHumidity(t, previousW, pt) > 100.0f) {
                    state.w[h][y] = humidityRatioAt995(t, pt);
                    previousW = state.w[h][y];
                }
            } else {
                ++state.nValidH;
                const double rh = rawH > 99.5 ? 99.5 : static_cast<double>(rawH);
                const double pv = static_cast<double>(saturationPressure(t)) * rh * 0.01;
                const float w = humidityRatio(static_cast<float>(pv), pt);
                state.w[h][y] = w;
                previousW = w;
            }
            if (settings.extrapolation != Extrapolation::None) {
                const CorrectedHour corrected = correctStationHour(
                    settings.extrapolation, setup.heightGain, h, t, state.w[h][y], hasReading, pt);
                state.ts[h][y] = corrected.ts;
                state.w[h][y] = corrected.w;
                if (corrected.wReplaced) previousW = corrected.w;
            }
            if (state.w[h][y] > state.wMax) state.w[h][y] = state.wMax;
            needs(h, y) = 1;
        }
    }

    // 7b. The wet bulb of every hour that has a humidity, and the dew point, relative humidity
    // and enthalpy kept beside the data. Every hour depends on its own values only, so the year
    // slots are shared between two threads; the results do not depend on the split.
    auto solveSlots = [&state, &needs, pt](int first, int last) {
        SolvedStates solvedStates;
        for (int y = first; y <= last; ++y) {
            for (int h = 1; h <= kHoursPerYear; ++h) {
                if (needs(h, y)) {
                    const WetBulbAndDewPoint solved =
                        solvedStates.solve(state.ts[h][y], state.w[h][y], pt);
                    state.tw[h][y] = solved.wetBulb;
                    setDerivedHour(state, h, y, solved.dewPoint);
                } else {
                    setDerivedHour(state, h, y, dewPoint(state.w[h][y], pt));
                }
            }
        }
    };
    constexpr int kSplit = kStationYears / 2;
    std::thread second(solveSlots, kSplit + 1, kStationYears);
    solveSlots(1, kSplit);
    second.join();
    for (int y = 1; y <= kStationYears; ++y)
        markDerivedSlot(state, y);

    result.usableHours = state.nValidT;
    result.humidityReadings = state.nValidH;

    // 8. The selection pass.
    runSelection(state, settings.selection);
    return result;
}

StationSelection selectStation(AnalysisState& state, int itemIndex,
                               const StationLoadSettings& settings, const std::string& dataFolder,
                               std::ostream& trace, std::ostream& errors) {
    StationSelection selection;
    state.selectedLocation = stationCodeForIndex(itemIndex);
    selection.stationLabels = lookUpStation(state, state.selectedLocation);
    if (state.selectedLocation.empty() || settings.selection.source != DataSource::Aemet) {
        return selection;
    }
    state.typicalYearIndex = -1;
    const auto& info = state.stationInfo;
    state.locationProvince = info[1];
    state.locationName = info[2] + " (" + info[7] + ")";
    if (settings.extrapolation != psychro::Extrapolation::None) {
        state.locationName = "Datos base: " + state.locationName;
    }
    state.locationLatitudeText = info[3];
    state.locationLongitudeText = info[4];
    state.locationCountTText = info[5];
    state.locationCountHText = info[6];
    state.locationCode = info[7];
    state.locationAltitudeText = info[8];
    selection.load = loadStationData(state, state.locationAltitudeText, state.stationCode, settings,
                                     dataFolder, trace, errors);
    selection.loaded = true;
    selection.designTexts = designPageStationTexts(state, settings.decimalSeparator);
    return selection;
}

}  // namespace climstat
