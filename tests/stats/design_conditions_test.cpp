#include "stats/design_conditions.h"

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "stats/frequencies.h"
#include "stats/synthetic_state.h"

namespace climstat {
namespace {

using test::stationState;

// A histogram of n classes with upper edges o + k and the given cumulative percentages
// (200 marks an empty class).
DesignClassTables histogram(int o, const std::vector<float>& cumulative) {
    DesignClassTables t;
    const std::size_t n = cumulative.size();
    t.counts.assign(n + 2, 0.0f);
    t.cumulative.assign(n + 2, 200.0f);
    t.edge.assign(n + 2, 200.0f);
    for (std::size_t k = 1; k <= n + 1; ++k) {
        if (k <= n) t.cumulative[k] = cumulative[k - 1];
        t.edge[k] = static_cast<float>(o + static_cast<int>(k));
    }
    return t;
}

TEST(DesignPercentile, InterpolatesBetweenTheUpperEdgesAroundTheTarget) {
    // 99.2 % at edge 33, 99.8 % at edge 34: the 99.6 % point is 33 + 0.4 / 0.6.
    const DesignClassTables t = histogram(30, {50.0f, 90.0f, 99.2f, 99.8f, 100.0f});
    const auto ts04 = designPercentile(t, 5, 99.6f);
    ASSERT_TRUE(ts04.has_value());
    EXPECT_NEAR(*ts04, 33.0f + 0.4f / 0.6f, 1e-4f);
    EXPECT_EQ(numberText(*ts04, 15, 1, ','), "33,7");
}

TEST(DesignPercentile, AnEmptyNextClassInterpolatesInsideTheNextClassThatHasHours) {
    // Class 4 (edge 34) is empty: the hours between 99.2 % and 99.8 % lie in class 5, 34..35.
    const DesignClassTables t = histogram(30, {50.0f, 90.0f, 99.2f, 200.0f, 99.8f, 100.0f});
    const auto value = designPercentile(t, 6, 99.6f);
    ASSERT_TRUE(value.has_value());
    EXPECT_NEAR(*value, 34.0f + 0.4f / 0.6f, 1e-4f);
}

TEST(DesignPercentile, UndefinedWhenTheFirstClassWithHoursAlreadyReachesTheTarget) {
    const DesignClassTables t = histogram(-5, {200.0f, 0.5f, 3.0f, 100.0f});
    EXPECT_FALSE(designPercentile(t, 4, 0.4f).has_value());
    EXPECT_FALSE(designPercentile(t, 4, 0.5f).has_value());  // below, not at
    EXPECT_TRUE(designPercentile(t, 4, 1.0f).has_value());
    EXPECT_FALSE(designPercentile(t, 0, 1.0f).has_value());
}

// One station year built so that every design figure can be worked out by hand:
//  - 20 hours at 0.5 degC (hours 1..19 and one probe hour), 100 hours at 1.5 (4001..4100),
//  - 100 hours at 29.5 (6001..6100), 20 hours at 30.5 (7001..7020), the rest at 10.5.
// The cold hours 1..19 lie where no daily swing is taken; the end of the cold block gives a
// swing of 9, the probe one of 10; the ends of the hot blocks 19 and 20.
struct DesignYear {
    int probe = 5000;     // the 20th cold hour
    int invalidHour = 0;  // an hour without data, 0 for none
    std::unique_ptr<AnalysisState> state() const {
        auto s = stationState(1, [this](int h, int) {
            if (h == invalidHour) return 999.0f;
            if (h <= 19 || h == probe) return 0.5f;
            if (h > 4000 && h <= 4100) return 1.5f;
            if (h > 6000 && h <= 6100) return 29.5f;
            if (h > 7000 && h <= 7020) return 30.5f;
            return 10.5f;
        });
        s->nValidT = 8760;
        s->nValidH = 8750;
        initValidMasks(*s, DataSource::Aemet);
        return s;
    }
};

TEST(DesignConditionsYear, PercentilesCoincidentMeansAndSwings) {
    auto s = DesignYear{}.state();
    const DesignConditions d = computeDesignConditions(*s);
    const float total = 8760.0f;
    const float c1 = 20 * 100.0f / total;          // class [0,1)
    const float c2 = c1 + 100 * 100.0f / total;    // class [1,2)
    const float c11 = c2 + 8520 * 100.0f / total;  // class [10,11)
    const float c30 = c11 + 100 * 100.0f / total;  // class [29,30)
    EXPECT_FLOAT_EQ(d.tsMin, 0.5f);
    EXPECT_FLOAT_EQ(d.tsMax, 30.5f);
    ASSERT_TRUE(d.ts996 && d.ts99 && d.ts2 && d.ts1 && d.ts04);
    EXPECT_NEAR(*d.ts996, 1.0f + (0.4f - c1) / (c2 - c1), 1e-4f);
    EXPECT_NEAR(*d.ts99, 1.0f + (1.0f - c1) / (c2 - c1), 1e-4f);
    EXPECT_NEAR(*d.ts2, 10.0f + (98.0f - c2) / (c11 - c2), 1e-4f);
    // Classes 12..29 are empty: the 99 % point lies in class [29,30).
    EXPECT_NEAR(*d.ts1, 29.0f + (99.0f - c11) / (c30 - c11), 1e-4f);
    EXPECT_NEAR(*d.ts04, 29.0f + (99.6f - c11) / (c30 - c11), 1e-4f);
    ASSERT_TRUE(d.oma);
    EXPECT_NEAR(*d.oma, *d.ts04 - *d.ts996, 1e-5f);

    // Cold hours (below TS_99): the 120 hours at 0.5 and 1.5; one swing is taken, at hour
    // 4100 (next hour warmer), 10.5 - 1.5 = 9.
    ASSERT_TRUE(d.omdc && d.ominDC && d.humCoin);
    EXPECT_FLOAT_EQ(*d.omdc, 9.5f);
    EXPECT_FLOAT_EQ(*d.ominDC, 9.0f);
    // Hot hours (above TS_1): the 120 at 29.5 and 30.5; the block ends 6100 and 7020 give the
    // swings 29.5 - 10.5 and 30.5 - 10.5.
    ASSERT_TRUE(d.omdr && d.thc1);
    EXPECT_FLOAT_EQ(*d.omdr, 19.5f);
    const float tw295 = s->tw[6001][1];
    const float tw305 = s->tw[7001][1];
    EXPECT_NEAR(*d.thc1, (100 * tw295 + 20 * tw305) / 120.0f, 1e-3f);
    EXPECT_NEAR(*d.humCoin,
                (20 * psychro::relativeHumidity(0.5f, 0.006f, s->pt) +
                 100 * psychro::relativeHumidity(1.5f, 0.006f, s->pt)) /
                    120.0f,
                1e-2f);
    // Wet bulbs: 3.5 and 4.0 (cold), 8.4 (the mass), 16.2 and 16.5 (hot), classes from 3.
    // TH_2 lies in the mass class 8..9, so TSC_2 is the mean dry bulb of the hot hours; TH_0,4
    // lies at 16.7, above every hot wet bulb, so no hour is warmer and TSC_0,4 is undefined.
    ASSERT_TRUE(d.th2 && d.th04 && d.tsc2);
    EXPECT_GT(*d.th2, 8.0f);
    EXPECT_LT(*d.th2, 9.0f);
    EXPECT_NEAR(*d.tsc2, (100 * 29.5f + 20 * 30.5f) / 120.0f, 1e-4f);
    EXPECT_GT(*d.th04, 16.6f);
    EXPECT_FALSE(d.tsc04);
    EXPECT_EQ(d.countTText, "8760 (1997-1997)");
    EXPECT_EQ(d.countHText, "8750 (1997-1997)");
}

// The mean swing of the cold hours is 9 with the block end alone and (9 + 10) / 2 with the
// probe hour as well.
float coldSwing(int probe, int invalidHour = 0) {
    DesignYear year;
    year.probe = probe;
    year.invalidHour = invalidHour;
    auto s = year.state();
    const DesignConditions d = computeDesignConditions(*s);
    EXPECT_TRUE(d.omdc.has_value());
    return d.omdc.value_or(-1.0f);
}

TEST(DesignConditionsSwings, OnlyHoursWellInsideTheYearTakeASwing) {
    EXPECT_FLOAT_EQ(coldSwing(24), 9.0f);
    EXPECT_FLOAT_EQ(coldSwing(26), 9.5f);
    EXPECT_FLOAT_EQ(coldSwing(8739), 9.5f);
    EXPECT_FLOAT_EQ(coldSwing(8740), 9.0f);
}

TEST(DesignConditionsSwings, TheWindowRunsFrom18HoursBeforeTo17After) {
    EXPECT_FLOAT_EQ(coldSwing(5000, 5000 - 18), 9.0f);
    EXPECT_FLOAT_EQ(coldSwing(5000, 5000 - 19), 9.5f);
    EXPECT_FLOAT_EQ(coldSwing(5000, 5000 + 17), 9.0f);
    EXPECT_FLOAT_EQ(coldSwing(5000, 5000 + 18), 9.5f);
}

TEST(DesignConditionsSwings, ANextHourOnlyALittleWarmerIsEnough) {
    // Hour 4001 holds 1.5 degC; the hours inside that block, followed by 1.5, take no swing.
    EXPECT_FLOAT_EQ(coldSwing(4000), 9.5f);
}

TEST(DesignConditionsUndefined, AColdestClassHoldingThePercentileLeavesItsFiguresEmpty) {
    // 1 % of the hours (88 of 8760) in the coldest class: TS_99,6, TS_99 and everything that
    // depends on them are undefined.
    auto s = stationState(1, [](int h, int) { return h <= 88 ? -3.5f : 15.5f + (h % 10); });
    initValidMasks(*s, DataSource::Aemet);
    const DesignConditions d = computeDesignConditions(*s);
    EXPECT_FALSE(d.ts996);
    EXPECT_FALSE(d.oma);
    EXPECT_FALSE(d.ts99);
    EXPECT_FALSE(d.humCoin);
    EXPECT_FALSE(d.omdc);
    EXPECT_FALSE(d.ominDC);
    EXPECT_TRUE(d.ts04);
    const auto texts = designResultTexts(d, '.');
    ASSERT_EQ(texts.size(), 21u);
    EXPECT_EQ(texts[0].name, "TSMIN");
    EXPECT_EQ(texts[0].text, "-3.5");
    EXPECT_EQ(texts[1].name, "TS_99,6");
    EXPECT_EQ(texts[1].text, "");
    EXPECT_EQ(texts[3].name, "HUMcoin");
    EXPECT_EQ(texts[3].text, "");
    EXPECT_EQ(texts[20].name, "TSC_2");
}

TEST(DesignConditionsUndefined, JustBelowTheThresholdTheFigureIsDefined) {
    // 34 hours of 8760 = 0.388 % < 0.4 %.
    auto s = stationState(1, [](int h, int) { return h <= 34 ? -3.5f : 15.5f + (h % 10); });
    initValidMasks(*s, DataSource::Aemet);
    EXPECT_TRUE(computeDesignConditions(*s).ts996.has_value());
}

TEST(DesignConditionsUndefined, NoValidHourShowsTheStartingExtremesOnly) {
    auto s = std::make_unique<AnalysisState>();
    s->nYears = 11;
    for (int h = 1; h <= kHoursPerYear; ++h) {  // what a load of files without data leaves
        for (int y = 1; y <= kStationYears; ++y)
            s->ts[h][y] = MISSING_T;
    }
    initValidMasks(*s, DataSource::Aemet);
    const DesignConditions d = computeDesignConditions(*s);
    const auto texts = designResultTexts(d, ',');
    for (const DesignResultText& t : texts) {
        if (t.name == "TSMIN") {
            EXPECT_EQ(t.text, "1000,0");
        } else if (t.name == "TSMAX") {
            EXPECT_EQ(t.text, "-1000,0");
        } else {
            EXPECT_EQ(t.text, "") << t.name;
        }
    }
    EXPECT_LE(s->nBins, 0);
}

TEST(DesignConditionsSideEffects, LeaveTheDryBulbClassesAndTheWetBulbClassCount) {
    auto s = DesignYear{}.state();
    computeDesignConditions(*s);
    EXPECT_FLOAT_EQ(s->freqMin, 0.5f);
    EXPECT_FLOAT_EQ(s->freqMax, 30.5f);
    EXPECT_EQ(s->binFirst, 0);
    EXPECT_EQ(s->binLast, 30);
    EXPECT_FLOAT_EQ(s->binIdx[6001][1], 29.5f);
    float twMin = 1000.0f;
    float twMax = -1000.0f;
    for (int h = 1; h <= kHoursPerYear; ++h) {
        twMin = std::min(twMin, s->tw[h][1]);
        twMax = std::max(twMax, s->tw[h][1]);
    }
    EXPECT_EQ(s->nBins, static_cast<int>(twMax) - static_cast<int>(twMin) + 1);
}

TEST(DesignConditionsCounts, YearsAreCountedFromSlot1As1997) {
    EXPECT_EQ(observationCountText(96360, 1, 11), "96360 (1997-2007)");
    EXPECT_EQ(observationCountText(0, 0, 0), "0 (1996-1996)");
}

}  // namespace
}  // namespace climstat
