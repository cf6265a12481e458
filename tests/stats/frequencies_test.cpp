#include "stats/frequencies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/errors.h"
#include "stats/synthetic_state.h"

namespace climstat {
namespace {

using test::firstHourOfMonth;
using test::stationState;
using test::wholeYear;

// As the page does when it is shown: the selection pass, then the study.
int study(AnalysisState& s, const FrequencySettings& settings, const SelectionSettings& selection) {
    runSelection(s, selection);
    return computeFrequencies(s, settings, selection);
}

float columnSum(const AnalysisState& s, int m) {
    float sum = 0.0f;
    for (int c = 1; c <= s.nBins; ++c)
        sum += s.freqTable[c][m];
    return sum;
}

// One year whose dry bulb runs from -5.3 to 31.8 degC.
std::unique_ptr<AnalysisState> minus53To318() {
    return stationState(1, [](int h, int) {
        if (h == 100) return -5.3f;
        if (h == 101) return -4.01f;
        if (h == 102) return -4.0f;
        if (h == 5000) return 31.8f;
        return static_cast<float>(h % 30);
    });
}

TEST(FrequencyClasses, NegativeMinimumGivesAWiderFirstClassAndIntegerBounds) {
    auto s = minus53To318();
    initValidMasks(*s, DataSource::Aemet);
    computeBinValues(*s, StudyVariable::DryBulb);
    EXPECT_FLOAT_EQ(s->freqMin, -5.3f);
    EXPECT_FLOAT_EQ(s->freqMax, 31.8f);
    EXPECT_EQ(s->binFirst, -5);
    EXPECT_EQ(s->binLast, 31);
    EXPECT_EQ(s->nBins, 37);
    EXPECT_FLOAT_EQ(s->binIdx[100][1], -5.3f);

    EXPECT_EQ(frequencyClassOf(-5.3f, -5, 37), 1);
    EXPECT_EQ(frequencyClassOf(-4.01f, -5, 37), 1);
    EXPECT_EQ(frequencyClassOf(-4.0f, -5, 37), 2);
    EXPECT_EQ(frequencyClassOf(30.99f, -5, 37), 36);
    EXPECT_EQ(frequencyClassOf(31.8f, -5, 37), 37);
    EXPECT_EQ(frequencyClassOf(std::numeric_limits<float>::quiet_NaN(), -5, 37), 1);

    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 1), "<-4");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 2), ">=-4 y <-3");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 36), ">=30 y <31");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 37), ">=31");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 38), "Suma");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::MeanDryBulb, 38), "");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Cumulative, 1), "<-4");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Cumulative, 2), " <-3");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Cumulative, 37), " <32");
}

TEST(FrequencyClasses, HoursOfTheFirstClassReachDownToTheMinimum) {
    auto s = minus53To318();
    study(*s, {}, wholeYear());
    const int january = 1;
    // -5.3 and -4.01 share the first class; -4.0 opens the second.
    EXPECT_FLOAT_EQ(s->binCountValid[1][january], 2.0f);
    EXPECT_FLOAT_EQ(s->binCountValid[2][january], 1.0f);
    EXPECT_FLOAT_EQ(s->binCountValid[37][7], 1.0f);  // hour 5000 is in July
}

TEST(FrequencyClasses, PositiveMinimumStartsAtItsIntegerPart) {
    auto s = stationState(1, [](int h, int) { return h == 1 ? 2.6f : (h == 2 ? 31.8f : 15.0f); });
    study(*s, {}, wholeYear());
    EXPECT_EQ(s->binFirst, 2);
    EXPECT_EQ(s->nBins, 30);
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 1), "<3");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 30), ">=31");
}

TEST(FrequencyClasses, ASingleClassCarriesTheLabelOfTheLastRow) {
    auto s = stationState(1, [](int, int) { return 12.5f; });
    EXPECT_EQ(study(*s, {}, wholeYear()), 1);
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 1), ">=12");
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 2), "Suma");
    EXPECT_FLOAT_EQ(s->freqTable[1][13], 8760.0f);
}

TEST(FrequencyTypicalYear, LargestRemainderGoesToTheLargestFractionThenTheLowerClass) {
    // Ten Januaries: every January hour counts a tenth of a typical-year hour.
    // Class [1,2): 105 hours -> 10.5, [2,3): 103 -> 10.3, [3,4): 102 -> 10.2, the rest 713.0.
    auto s = stationState(10, [](int h, int y) {
        const int i = (y - 1) * 744 + h;  // January hour over the ten years
        if (h > 744) return 10.5f;
        if (i <= 105) return 1.5f;
        if (i <= 208) return 2.5f;
        if (i <= 310) return 3.5f;
        return 10.5f;
    });
    study(*s, {}, wholeYear());
    ASSERT_EQ(s->binFirst, 1);
    EXPECT_FLOAT_EQ(s->binExact[1][1], 10.5f);
    EXPECT_FLOAT_EQ(s->freqTable[1][1], 11.0f);
    EXPECT_FLOAT_EQ(s->freqTable[2][1], 10.0f);
    EXPECT_FLOAT_EQ(s->freqTable[3][1], 10.0f);
    EXPECT_FLOAT_EQ(s->freqTable[10][1], 713.0f);
    EXPECT_EQ(s->monthRoundedSum[1], 743);
}

TEST(FrequencyTypicalYear, EqualRemaindersGoToTheLowerClass) {
    // Two Januaries: 3 hours in [1,2) and 3 in [2,3) are 1.5 typical hours each.
    auto s = stationState(2, [](int h, int y) {
        if (y == 1 && h <= 3) return 1.5f;
        if (y == 2 && h <= 3) return 2.5f;
        return 10.5f;
    });
    study(*s, {}, wholeYear());
    EXPECT_FLOAT_EQ(s->freqTable[1][1], 2.0f);
    EXPECT_FLOAT_EQ(s->freqTable[2][1], 1.0f);
    EXPECT_FLOAT_EQ(s->freqTable[10][1], 741.0f);
}

TEST(FrequencyTypicalYear, EachMissingHourGoesToTheNextLargestRemainder) {
    // Remainders .7, .6, .2 and .5 with two hours missing: the .7 and .6 classes get them.
    auto s = stationState(10, [](int h, int y) {
        const int i = (y - 1) * 744 + h;
        if (h > 744) return 10.5f;
        if (i <= 17) return 1.5f;
        if (i <= 33) return 2.5f;
        if (i <= 45) return 3.5f;
        return 10.5f;
    });
    study(*s, {}, wholeYear());
    EXPECT_FLOAT_EQ(s->freqTable[1][1], 2.0f);
    EXPECT_FLOAT_EQ(s->freqTable[2][1], 2.0f);
    EXPECT_FLOAT_EQ(s->freqTable[3][1], 1.0f);
    EXPECT_FLOAT_EQ(s->freqTable[10][1], 739.0f);
}

TEST(FrequencyTypicalYear, MonthsScaleToOneYearWhateverTheYearsAndGaps) {
    // Five years; the third has no January at all and the fifth loses 100 hours of March.
    auto s = stationState(5, [](int h, int y) {
        if (y == 3 && h <= 744) return 999.0f;
        if (y == 5 && h >= firstHourOfMonth(3) && h < firstHourOfMonth(3) + 100) return 999.0f;
        return static_cast<float>((h * 7 + y * 13) % 41) - 5.5f;
    });
    study(*s, {}, wholeYear());
    EXPECT_FLOAT_EQ(s->monthValidCount[1], 4.0f * 744.0f);
    EXPECT_FLOAT_EQ(s->monthIntervalHours[1], 744.0f);
    const float hours[13] = {0, 744, 672, 744, 720, 744, 720, 744, 744, 720, 744, 720, 744};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_FLOAT_EQ(columnSum(*s, m), hours[m]) << "month " << m;
        EXPECT_FLOAT_EQ(s->freqTable[s->nBins + 1][m], hours[m]) << "month " << m;
    }
    EXPECT_FLOAT_EQ(s->freqTable[s->nBins + 1][13], 8760.0f);
    EXPECT_FLOAT_EQ(columnSum(*s, 13), 8760.0f);
}

TEST(FrequencyPercentages, ColumnsSumTo100AndCumulativeEndsAt100WithEmptyClassesBlank) {
    auto s = stationState(3, [](int h, int y) {
        // July holds two classes with a gap of empty classes between them.
        if (h >= firstHourOfMonth(7) && h < firstHourOfMonth(8)) return h % 2 == 0 ? 10.5f : 30.5f;
        return static_cast<float>((h + y) % 25) - 2.5f;
    });
    FrequencySettings settings;
    settings.output = FrequencyOutput::Frequencies;
    study(*s, settings, wholeYear());
    for (int m = 1; m <= 13; ++m) {
        EXPECT_NEAR(s->freqTable[s->nBins + 1][m], 100.0f, 1e-3f) << "column " << m;
    }
    const TextGrid frequencies = frequencyTableTexts(*s, settings.output, '.');
    EXPECT_EQ(frequencies.cell(0, s->nBins + 1), "Suma");
    EXPECT_EQ(frequencies.cell(13, s->nBins + 1), "100.00");

    settings.output = FrequencyOutput::Cumulative;
    study(*s, settings, wholeYear());
    const TextGrid cumulative = frequencyTableTexts(*s, settings.output, ',');
    EXPECT_EQ(cumulative.rowCount(), s->nBins + 1);  // no "Suma" row
    for (int m = 1; m <= 13; ++m) {
        float last = 0.0f;
        for (int c = 1; c <= s->nBins; ++c) {
            if (s->freqTable[c][m] > 0.0f) {
                EXPECT_GE(s->freqTable[c][m], last);
                last = s->freqTable[c][m];
            }
        }
        EXPECT_NEAR(last, 100.0f, 1e-3f) << "column " << m;
    }
    // July (column 7) holds only the classes [10,11) and [30,31); the classes between stay blank.
    const int july10 = 10 - s->binFirst + 1;
    EXPECT_EQ(cumulative.cell(7, july10), "50,00");
    EXPECT_EQ(cumulative.cell(7, july10 + 1), "");
    EXPECT_EQ(cumulative.cell(7, july10 + 20), "100,00");
}

TEST(FrequencyMeans, MeansAreKeptOnlyWhereTheMonthHasHoursAndShownOnlyAbove0) {
    // Class [-3,-2) holds -2.5 and -2.1 in January only; [4,5) holds 4.25 and 4.75.
    auto s = stationState(1, [](int h, int) {
        if (h <= 10) return -2.5f;
        if (h <= 20) return -2.1f;
        if (h <= 400) return 4.25f;
        return 4.75f;
    });
    FrequencySettings settings;
    settings.output = FrequencyOutput::MeanDryBulb;
    study(*s, settings, wholeYear());
    ASSERT_EQ(s->binFirst, -2);
    // The first class holds everything below -1.
    EXPECT_NEAR(s->freqTable[1][1], -2.3f, 1e-5f);
    EXPECT_FLOAT_EQ(s->freqTable[1][2], 0.0f);
    EXPECT_NEAR(s->freqTable[7][1], (380 * 4.25f + 344 * 4.75f) / 724.0f, 1e-4f);
    EXPECT_FLOAT_EQ(s->freqTable[7][2], 4.75f);
    EXPECT_NEAR(s->freqTable[7][13], (380 * 4.25f + 8360 * 4.75f) / 8740.0f, 1e-4f);
    const TextGrid grid = frequencyTableTexts(*s, settings.output, '.');
    EXPECT_EQ(grid.rowCount(), s->nBins + 1);
    EXPECT_EQ(grid.cell(1, 1), "");  // a negative mean is not shown
    EXPECT_EQ(grid.cell(2, 7), "4.75");
    EXPECT_EQ(grid.cell(1, 3), "");  // empty class
}

TEST(FrequencyMeans, EveryCoincidentVariableAveragesItsOwnValue) {
    auto s = stationState(
        1, [](int h, int) { return h % 2 == 0 ? 20.2f : 20.8f; }, 0.008f);
    const float pt = s->pt;
    struct Case {
        FrequencyOutput output;
        float expected;
    };
    const float rh = 0.5f * (psychro::relativeHumidity(20.2f, 0.008f, pt) +
                             psychro::relativeHumidity(20.8f, 0.008f, pt));
    const float h = 0.5f * (psychro::enthalpy(20.2f, 0.008f) + psychro::enthalpy(20.8f, 0.008f));
    const Case cases[] = {{FrequencyOutput::MeanDryBulb, 20.5f},
                          {FrequencyOutput::MeanDewPoint, psychro::dewPoint(0.008f, pt)},
                          {FrequencyOutput::MeanHumidityRatio, 8.0f},
                          {FrequencyOutput::MeanEnthalpy, h},
                          {FrequencyOutput::MeanRelativeHumidity, rh}};
    for (const Case& c : cases) {
        FrequencySettings settings;
        settings.output = c.output;
        study(*s, settings, wholeYear());
        EXPECT_NEAR(s->freqTable[1][5], c.expected, 2e-3f) << static_cast<int>(c.output);
    }
}

TEST(FrequencyRangeFilter, HoursOfAClassAreScaledByItsShareInsideTheRange) {
    // January: class [10,11) holds 10.2 (372 h) and 10.8 (372 h); keep dry bulbs >= 10.5.
    auto s = stationState(1, [](int h, int) { return h % 2 == 0 ? 10.2f : 10.8f; });
    SelectionSettings selection = wholeYear();
    selection.first = {RangeVariable::DryBulb, RangeSense::Minimum, "10.5"};
    study(*s, {}, selection);
    EXPECT_FLOAT_EQ(s->binCountValid[1][1], 744.0f);
    EXPECT_FLOAT_EQ(s->binCountRange[1][1], 372.0f);
    EXPECT_FLOAT_EQ(s->freqTable[1][1], 372.0f);
    EXPECT_FLOAT_EQ(s->freqTable[2][13], 4380.0f);
    EXPECT_LT(s->freqTable[s->nBins + 1][13], 8760.0f);

    // Means follow the hours inside the range.
    FrequencySettings means;
    means.output = FrequencyOutput::MeanDryBulb;
    study(*s, means, selection);
    EXPECT_NEAR(s->freqTable[1][1], 10.8f, 1e-4f);
}

TEST(FrequencyRangeFilter, FractionalHoursAreShownRounded) {
    // Two years: 248 January hours of the first and one of the second pass the range, so the
    // 744 typical January hours of class [10,11) keep 744 * 249 / 1488 = 124.5 of them.
    auto s = stationState(2, [](int h, int y) {
        if (y == 1) return h % 3 == 0 ? 10.9f : 10.1f;
        return h == 1 ? 10.9f : 10.1f;
    });
    SelectionSettings selection = wholeYear();
    selection.second = {RangeVariable::DryBulb, RangeSense::Minimum, "10.5"};
    study(*s, {}, selection);
    EXPECT_FLOAT_EQ(s->freqTable[1][1], 124.5f);
    EXPECT_FLOAT_EQ(s->freqTable[1][2], 112.0f);  // 672 * 224 / 1344
    const TextGrid grid = frequencyTableTexts(*s, FrequencyOutput::Hours, '.');
    EXPECT_EQ(grid.cell(1, 1), "125");
    EXPECT_EQ(grid.cell(2, 1), "112");
}

TEST(FrequencyRangeFilter, ALimitThatIsNotANumberAbandonsTheStudy) {
    auto s = stationState(1, [](int, int) { return 10.0f; });
    SelectionSettings selection = wholeYear();
    selection.first = {RangeVariable::DryBulb, RangeSense::Minimum, "abc"};
    EXPECT_THROW(computeFrequencies(*s, {}, selection), ConversionError);
}

TEST(FrequencyEmpty, NoValidHourGivesNoClassAndOnlyTheHeaderRow) {
    auto s = std::make_unique<AnalysisState>();
    EXPECT_LE(study(*s, {}, wholeYear()), 0);
    EXPECT_FLOAT_EQ(s->freqMin, 1000.0f);
    EXPECT_FLOAT_EQ(s->freqMax, -1000.0f);
    const TextGrid grid = frequencyTableTexts(*s, FrequencyOutput::Hours, '.');
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.cell(1, 0), "Ene");
    EXPECT_EQ(grid.cell(13, 0), "Anual");
    FrequencySettings chart;
    chart.chartKind = FrequencyChartKind::TwoD;
    for (const ChartSeries& series : frequencyChart(*s, chart).series)
        EXPECT_TRUE(series.points.empty());
}

TEST(FrequencyEmpty, AMonthWithoutCountedHoursStaysEmpty) {
    auto s = stationState(1, [](int h, int) { return h <= 744 ? 999.0f : 12.0f; });
    study(*s, {}, wholeYear());
    EXPECT_FLOAT_EQ(s->freqTable[s->nBins + 1][1], 0.0f);
    EXPECT_FLOAT_EQ(s->freqTable[s->nBins + 1][13], 8016.0f);
    const TextGrid grid = frequencyTableTexts(*s, FrequencyOutput::Hours, '.');
    EXPECT_EQ(grid.cell(1, grid.rowCount() - 1), "");
    EXPECT_EQ(grid.cell(13, grid.rowCount() - 1), "8016");
}

TEST(FrequencyWideStudies, MoreThan98ClassesAreAllKept) {
    // Dry bulbs from -60 to 60: 121 classes, beyond the 100 rows the tables start with.
    auto s = stationState(1, [](int h, int) { return static_cast<float>(h % 121) - 60.0f; });
    study(*s, {}, wholeYear());
    EXPECT_EQ(s->nBins, 121);
    EXPECT_GE(s->freqTable.rows(), 123u);
    EXPECT_GE(s->dhMeanT.rows(), 123u);
    EXPECT_FLOAT_EQ(columnSum(*s, 13), 8760.0f);
    EXPECT_GT(s->freqTable[121][13], 0.0f);
    EXPECT_EQ(frequencyGridLabel(*s, FrequencyOutput::Hours, 121), ">=60");
}

TEST(FrequencyWideStudies, RelativeHumidityFrom0To100FitsEveryClass) {
    // Humidity ratios from nothing to saturation at 20 degC.
    auto s = stationState(1, [](int, int) { return 20.0f; });
    const float ws = psychro::saturationHumidityRatio(20.0f, s->pt);
    for (int h = 1; h <= kHoursPerYear; ++h)
        s->w[h][1] = ws * static_cast<float>(h % 101) / 100.0f;
    s->w[1][1] = 0.00001f;
    FrequencySettings settings;
    settings.variable = StudyVariable::RelativeHumidity;
    study(*s, settings, wholeYear());
    EXPECT_EQ(s->binFirst, 0);
    EXPECT_GE(s->nBins, 100);
    EXPECT_FLOAT_EQ(columnSum(*s, 13), 8760.0f);
}

TEST(FrequencyWideStudies, AnAbsurdSpanMakesNoClassInsteadOfAHugeTable) {
    auto s = stationState(1, [](int h, int) { return h == 7 ? 3.0e30f : 10.0f; });
    study(*s, {}, wholeYear(DataSource::Cte2013));
    EXPECT_EQ(s->nBins, 0);
    EXPECT_LT(s->freqTable.rows(), 200u);
    EXPECT_EQ(frequencyTableTexts(*s, FrequencyOutput::Hours, '.').rowCount(), 1);
}

TEST(FrequencyChartData, OnePointPerClassAtItsUpperBoundZerosIncluded) {
    auto s = minus53To318();
    FrequencySettings settings;
    settings.chartKind = FrequencyChartKind::TwoD;
    settings.output = FrequencyOutput::Frequencies;
    settings.variable = StudyVariable::DryBulb;
    study(*s, settings, wholeYear());
    FrequencyChart chart = frequencyChart(*s, settings);
    ASSERT_TRUE(chart.visible);
    EXPECT_EQ(chart.leftAxisTitle, "Frecuencias %");
    EXPECT_EQ(chart.bottomAxisTitle, "Temperatura seca ºC");
    ASSERT_EQ(chart.series.size(), 12u);
    EXPECT_EQ(chart.series[0].title, "Enero");
    ASSERT_EQ(chart.series[0].points.size(), 37u);
    EXPECT_DOUBLE_EQ(chart.series[0].points[0].x, -4.0);
    EXPECT_DOUBLE_EQ(chart.series[0].points[36].x, 32.0);
    EXPECT_DOUBLE_EQ(chart.series[0].points[36].y, 0.0);

    settings.includeAnnual = true;
    chart = frequencyChart(*s, settings);
    ASSERT_EQ(chart.series.size(), 13u);
    EXPECT_EQ(chart.series[12].title, "Anual");

    settings.chartKind = FrequencyChartKind::Table;
    EXPECT_FALSE(frequencyChart(*s, settings).visible);
}

TEST(FrequencyChartData, AMeanWithoutHoursIsAGapAndANegativeMeanIsDrawn) {
    // January at -3.5 degC, every other month at 20 degC: two classes.
    auto s = stationState(1, [](int h, int) { return h <= 744 ? -3.5f : 20.0f; });
    FrequencySettings settings;
    settings.chartKind = FrequencyChartKind::TwoD;
    settings.output = FrequencyOutput::MeanDryBulb;
    settings.includeAnnual = true;
    study(*s, settings, wholeYear());
    const FrequencyChart chart = frequencyChart(*s, settings);
    const auto& january = chart.series[0].points;
    const auto& july = chart.series[6].points;
    ASSERT_EQ(january.size(), static_cast<std::size_t>(s->nBins));
    EXPECT_DOUBLE_EQ(january.front().y, -3.5);  // drawn, though the grid leaves it empty
    EXPECT_TRUE(std::isnan(january.back().y));  // no January hour at 20 degC
    EXPECT_TRUE(std::isnan(july.front().y));
    EXPECT_DOUBLE_EQ(july.back().y, 20.0);
    EXPECT_DOUBLE_EQ(chart.series[12].points.front().y, -3.5);
    // Hours are counts: an empty class is a real 0.
    settings.output = FrequencyOutput::Hours;
    study(*s, settings, wholeYear());
    EXPECT_EQ(frequencyChart(*s, settings).series[0].points.back().y, 0.0);
}

TEST(FrequencyGrid, CellsAndSumsUseTheirPrecisionAndDecimals) {
    auto s = stationState(1, [](int h, int) { return static_cast<float>(h % 3); });
    runSelection(*s, wholeYear());
    const TextGrid hours = showFrequencyTable(*s, {}, wholeYear(), '.');
    ASSERT_EQ(hours.rowCount(), s->nBins + 2);
    EXPECT_EQ(hours.cell(0, 0), "");
    EXPECT_EQ(hours.cell(1, 1), "248");
    EXPECT_EQ(hours.cell(13, 4), "8760");
    FrequencySettings settings;
    settings.output = FrequencyOutput::Frequencies;
    const TextGrid percent = showFrequencyTable(*s, settings, wholeYear(), ',');
    EXPECT_EQ(percent.cell(1, 1), "33,33");
    EXPECT_EQ(percent.cell(1, 4), "100,00");
}

}  // namespace
}  // namespace climstat
