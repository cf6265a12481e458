#include "stats/design_conditions.h"

#include "selection/selection.h"

#include <algorithm>

#include "core/number_text.h"
#include "psychro/humid_air.h"
#include "stats/class_tables.h"
#include "stats/frequencies.h"

namespace climstat {

namespace {

constexpr float kNoMark = 200.0f;        // cumulative percentage / edge of a class not set
constexpr float kUndefinedAs = -200.0f;  // an undefined percentile in the coincidence tests
constexpr int kWindowBefore = 18;        // the daily-swing window: hours h-18 .. h+17
constexpr int kWindowAfter = 17;

// A running mean that is undefined until it has a term.
struct Mean {
    float sum = 0.0f;
    float count = 0.0f;
    void add(float value) {
        sum += value;
        count += 1.0f;
    }
    std::optional<float> value() const {
        if (count > 0.0f) return sum / count;
        return std::nullopt;
    }
};

struct Extremes {
    float min = 1000.0f;
    float max = -1000.0f;
};

Extremes extremesOf(const AnalysisState& s, const HourlyArray& values) {
    Extremes e;
    for (int y = 1; y <= s.nYears; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (s.rangeMask[h][y] != 1.0f) continue;
            const float v = values[h][y];
            if (v < e.min) e.min = v;
            if (v > e.max) e.max = v;
        }
    }
    return e;
}

// The daily swing around hour h: the 36 hours h-18 .. h+17 of the slot must all be valid; gives
// their lowest and highest dry bulb. Only asked for hours well inside the year (24 < h < 8740).
bool swingWindow(const AnalysisState& s, int h, int y, float& lowest, float& highest) {
    lowest = s.ts[h][y];
    highest = lowest;
    for (int i = h - kWindowBefore; i <= h + kWindowAfter; ++i) {
        if (s.rangeMask[i][y] != 1.0f) return false;
        lowest = std::min(lowest, s.ts[i][y]);
        highest = std::max(highest, s.ts[i][y]);
    }
    return true;
}

float orUndefined(const std::optional<float>& value) {
    return value ? *value : kUndefinedAs;
}

std::string resultText(const std::optional<float>& value, char separator) {
    return value ? numberText(*value, 15, 1, separator) : std::string();
}

}  // namespace

float buildDesignHistogram(const AnalysisState& state, const HourlyArray& values, int offset, int n,
                           DesignClassTables& tables) {
    const auto size = static_cast<std::size_t>(n < 0 ? 0 : n) + 2;
    tables.counts.assign(size, 0.0f);
    tables.cumulative.assign(size, kNoMark);
    tables.edge.assign(size, kNoMark);
    if (n < 1) return 0.0f;
    float total = 0.0f;
    const auto o = static_cast<float>(offset);
    for (int y = 1; y <= state.nYears; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (state.rangeMask[h][y] != 1.0f) continue;
            // trunc(v - o): values between the minimum and o (negative minimum) go to class 1.
            const float x = values[h][y] - o;
            int c = 0;
            if (x >= static_cast<float>(n)) {
                c = n;
            } else if (x > 0.0f) {
                c = static_cast<int>(x);
            }
            tables.counts[static_cast<std::size_t>(c) + 1] += 1.0f;
            total += 1.0f;
        }
    }
    float running = 0.0f;
    for (int k = 1; k <= n + 1; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (total > 0.0f) running += tables.counts[i] * 100.0f / total;
        if (tables.counts[i] > 0.0f) tables.cumulative[i] = running;
        tables.edge[i] = o + static_cast<float>(k);
    }
    return total;
}

std::optional<float> designPercentile(const DesignClassTables& tables, int n, float p) {
    if (n < 1 || tables.cumulative.size() < static_cast<std::size_t>(n) + 2) return std::nullopt;
    const auto& cum = tables.cumulative;
    const auto& edge = tables.edge;
    std::size_t below = 0;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n) + 1; ++k) {
        if (cum[k] != kNoMark && cum[k] < p) below = k;
    }
    if (below == 0) return std::nullopt;
    // The percentile lies in the next class that has hours; the empty classes before it hold
    // no hour, so its lower edge still carries the cumulative percentage of class `below`.
    std::size_t next = below + 1;
    while (next <= static_cast<std::size_t>(n) + 1 && cum[next] == kNoMark)
        ++next;
    if (next > static_cast<std::size_t>(n) + 1) return std::nullopt;
    const float lower = edge[next - 1];
    const float rise = cum[next] - cum[below];
    if (!(rise > 0.0f)) return edge[next];
    return lower + (p - cum[below]) * (edge[next] - lower) / rise;
}

DesignConditions computeDesignConditions(AnalysisState& s) {
    DesignConditions r;
    computeBinValues(s, StudyVariable::DryBulb);

    const Extremes dry = extremesOf(s, s.ts);
    r.tsMin = dry.min;
    r.tsMax = dry.max;
    const int dryOffset = truncatedClassBound(dry.min);
    const int dryClasses = classCount(dryOffset, truncatedClassBound(dry.max));
    buildDesignHistogram(s, s.ts, dryOffset, dryClasses, s.designClasses);
    r.ts996 = designPercentile(s.designClasses, dryClasses, 0.4f);
    r.ts99 = designPercentile(s.designClasses, dryClasses, 1.0f);
    r.ts2 = designPercentile(s.designClasses, dryClasses, 98.0f);
    r.ts1 = designPercentile(s.designClasses, dryClasses, 99.0f);
    r.ts04 = designPercentile(s.designClasses, dryClasses, 99.6f);
    if (r.ts04 && r.ts996) r.oma = *r.ts04 - *r.ts996;

    const Extremes wet = extremesOf(s, s.tw);
    const int wetOffset = truncatedClassBound(wet.min);
    const int wetClasses = classCount(wetOffset, truncatedClassBound(wet.max));
    buildDesignHistogram(s, s.tw, wetOffset, wetClasses, s.designClasses);
    r.th2 = designPercentile(s.designClasses, wetClasses, 98.0f);
    r.th1 = designPercentile(s.designClasses, wetClasses, 99.0f);
    r.th04 = designPercentile(s.designClasses, wetClasses, 99.6f);
    s.nBins = wetClasses;

    const float ts04 = orUndefined(r.ts04);
    const float ts1 = orUndefined(r.ts1);
    const float ts2 = orUndefined(r.ts2);
    const float ts99 = orUndefined(r.ts99);
    Mean thc04, thc1, thc2, hum, omdr, omdc;
    float ominDC = 50.0f;
    for (int y = 1; y <= s.nYears; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (s.rangeMask[h][y] != 1.0f) continue;
            const float t = s.ts[h][y];
            const bool inside = h > 24 && h < 8740;
            float lowest = 0.0f;
            float highest = 0.0f;
            if (t > ts04) thc04.add(s.tw[h][y]);
            if (t > ts1) {
                thc1.add(s.tw[h][y]);
                if (inside && s.ts[h + 1][y] < t && swingWindow(s, h, y, lowest, highest)) {
                    omdr.add(t - lowest);
                }
            }
            if (t > ts2) thc2.add(s.tw[h][y]);
            if (t < ts99) {
                hum.add(hourRelativeHumidity(s, h, y));
                if (inside && s.ts[h + 1][y] > t && swingWindow(s, h, y, lowest, highest)) {
                    const float swing = highest - t;
                    omdc.add(swing);
                    ominDC = std::min(ominDC, swing);
                }
            }
        }
    }
    r.thc04 = thc04.value();
    r.thc1 = thc1.value();
    r.thc2 = thc2.value();
    r.humCoin = hum.value();
    r.omdr = omdr.value();
    r.omdc = omdc.value();
    if (r.omdc) r.ominDC = ominDC;

    const float th04 = orUndefined(r.th04);
    const float th1 = orUndefined(r.th1);
    const float th2 = orUndefined(r.th2);
    Mean tsc04, tsc1, tsc2;
    for (int y = 1; y <= s.nYears; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (s.rangeMask[h][y] != 1.0f) continue;
            const float t = s.ts[h][y];
            const float wet = s.tw[h][y];
            if (wet > th04) tsc04.add(t);
            if (wet > th1) tsc1.add(t);
            if (wet > th2) tsc2.add(t);
        }
    }
    r.tsc04 = tsc04.value();
    r.tsc1 = tsc1.value();
    r.tsc2 = tsc2.value();

    r.countTText = observationCountText(s, s.nValidT);
    r.countHText = observationCountText(s, s.nValidH);
    return r;
}

std::vector<DesignResultText> designResultTexts(const DesignConditions& c, char separator) {
    const auto text = [separator](const std::optional<float>& value) {
        return resultText(value, separator);
    };
    return {
        {"TSMIN", text(c.tsMin)},     {"TS_99,6", text(c.ts996)}, {"TS_99", text(c.ts99)},
        {"HUMcoin", text(c.humCoin)}, {"OMA", text(c.oma)},       {"OminDC", text(c.ominDC)},
        {"OMDC", text(c.omdc)},       {"TSMAX", text(c.tsMax)},   {"TS_0,4", text(c.ts04)},
        {"THC_0,4", text(c.thc04)},   {"TS_1", text(c.ts1)},      {"THC_1", text(c.thc1)},
        {"TS_2", text(c.ts2)},        {"THC_2", text(c.thc2)},    {"OMDR", text(c.omdr)},
        {"TH_0,4", text(c.th04)},     {"TSC_0,4", text(c.tsc04)}, {"TH_1", text(c.th1)},
        {"TSC_1", text(c.tsc1)},      {"TH_2", text(c.th2)},      {"TSC_2", text(c.tsc2)},
    };
}

std::string observationCountText(const AnalysisState& state, int count) {
    return integerText(count) + " (" +
           integerText(calendarYearOfSlot(state, state.firstValidYear)) + "-" +
           integerText(calendarYearOfSlot(state, state.lastValidYear)) + ")";
}

std::string observationCountText(int count, int firstSlot, int lastSlot) {
    return integerText(count) + " (" + integerText(1996LL + firstSlot) + "-" +
           integerText(1996LL + lastSlot) + ")";
}

}  // namespace climstat
