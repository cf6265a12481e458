#include "output/psychrometric_diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/errors.h"
#include "psychro/humid_air.h"
#include "support/page_state.h"
#include "support/test_data.h"

namespace climstat {
namespace {

using psychro::relativeHumidity;

const std::vector<DiagramPoint>& series(const PsychrometricDiagram& d, int index) {
    return d.series[static_cast<std::size_t>(index)];
}

PsychrometricDiagram curves(float tMin, float tMax, float pt = 101325.0f) {
    PsychrometricDiagram diagram;
    drawDiagramCurves(diagram, tMin, tMax, pt);
    return diagram;
}

TEST(DiagramParameters, RangeOfMinusTwoToThirtyEightAtSeaLevel) {
    const DiagramParameters p = diagramParameters(-2.0f, 38.0f, 101325.0f);
    EXPECT_NEAR(p.wTop, 0.019674, 2e-6);
    EXPECT_EQ(p.hBot, 0.0f);
    EXPECT_EQ(p.hTop, 80.0f);
    EXPECT_FLOAT_EQ(p.hStep, 8.0f);
    EXPECT_FLOAT_EQ(p.vBot, 0.77f);
    EXPECT_FLOAT_EQ(p.vTop, 0.90f);
    EXPECT_NEAR(p.vStep, 0.013, 1e-6);
}

TEST(DiagramCurves, AxesAndSeriesOfEveryFamily) {
    const PsychrometricDiagram d = curves(-2.0f, 38.0f);
    ASSERT_TRUE(d.hasCurves);
    EXPECT_EQ(d.bottomMin, -2.0f);
    EXPECT_EQ(d.bottomMax, 38.0f);
    EXPECT_EQ(d.leftMin, 0.0f);
    EXPECT_NEAR(d.leftMax, 19.674, 2e-3);
    // The last two volume lines (0.913 and 0.926 m3/kg) and the wet-bulb lines 30, 34 and 38
    // lie above the top edge over the whole range; no eleventh wet-bulb line (ten steps of 4
    // land on 38).
    for (int i = 0; i < kDiagramSeriesCount; ++i) {
        const bool drawn = (i >= 1 && i <= 32) || (i >= 35 && i <= 41);
        EXPECT_EQ(series(d, i).empty(), !drawn) << i;
    }

    // 10 % line: a point at every integer temperature -2..38 and its end at the top edge is
    // beyond tMax, so it is not drawn.
    EXPECT_EQ(series(d, 1).size(), 41u);
    EXPECT_EQ(series(d, 1).front().x, -2.0f);
    // Saturation line: integer temperatures up to the one where w passes wTop (24), then the
    // end at the top edge near 24.67.
    const auto& saturation = series(d, 10);
    ASSERT_EQ(saturation.size(), 28u);
    EXPECT_EQ(saturation[26].x, 24.0f);
    EXPECT_NEAR(saturation.back().x, 24.667, 0.01);
    EXPECT_NEAR(saturation.back().y, d.leftMax, 1e-3);
    for (const DiagramPoint& p : saturation)
        EXPECT_NEAR(relativeHumidity(p.x, p.y / 1000.0f, 101325.0f), 100.0f, 0.02f);

    // Enthalpy 0 ends at (0, 0), the enthalpy 80 line has no end at w = 0 (80 > tMax).
    EXPECT_EQ(series(d, 11).back().x, 0.0f);
    EXPECT_EQ(series(d, 11).back().y, 0.0f);
    for (const DiagramPoint& p : series(d, 21))
        EXPECT_GT(p.y, 0.0f);
    // Wet-bulb line 6 (series 36) ends on w = 0 near 20.3 degC; line 26 (series 41) meets w = 0
    // beyond tMax and ends at its last point inside the chart.
    const auto& wetBulb6 = series(d, 36);
    const auto dryEnd = std::find_if(wetBulb6.begin(), wetBulb6.end(),
                                     [](const DiagramPoint& p) { return p.y == 0.0f; });
    ASSERT_NE(dryEnd, wetBulb6.end());
    EXPECT_NEAR(dryEnd->x, 20.33f, 0.01f);
    for (const DiagramPoint& p : series(d, 41))
        EXPECT_GT(p.y, 0.0f);
}

TEST(DiagramCurves, EveryPointInsideTheChartSortedAndNotSupersaturated) {
    for (auto [tMin, tMax, pt] :
         {std::tuple{-2.0f, 38.0f, 101325.0f}, std::tuple{-5.3f, 31.8f, 93600.0f},
          std::tuple{12.4f, 12.9f, 101000.0f}}) {
        const PsychrometricDiagram d = curves(tMin, tMax, pt);
        for (int i = 1; i <= 45; ++i) {
            const auto& points = series(d, i);
            for (std::size_t k = 0; k < points.size(); ++k) {
                const DiagramPoint& p = points[k];
                EXPECT_GE(p.y, 0.0f) << i;
                EXPECT_LE(p.y, d.leftMax) << i;
                if (k > 0) {
                    EXPECT_LE(points[k - 1].x, p.x) << "series " << i << " not sorted";
                }
                // Points that started supersaturated were moved onto the saturation curve.
                if (i > 10) {
                    EXPECT_LE(relativeHumidity(p.x, p.y / 1000.0f, pt), 100.05f)
                        << i << " " << p.x << " " << p.y;
                }
            }
        }
    }
}

TEST(DiagramCurves, SupersaturatedStartIsMovedOntoTheSaturationCurve) {
    const PsychrometricDiagram d = curves(-2.0f, 38.0f);
    // Wet-bulb line 22 (series 40): at dry bulb 22 the line starts on saturation, and every
    // integer temperature below 22 would be supersaturated; they all move to about 22.
    int nearTwb = 0;
    for (const DiagramPoint& p : series(d, 40)) {
        EXPECT_GE(p.x, 21.999f);
        if (p.x < 22.01f) ++nearTwb;
    }
    EXPECT_GT(nearTwb, 20);
}

TEST(DiagramCurves, NegativeMinimumStartsAtItsIntegerPartTowardZero) {
    const PsychrometricDiagram d = curves(-2.7f, 30.0f);
    EXPECT_EQ(series(d, 1).front().x, -2.0f);
    EXPECT_EQ(d.bottomMin, -2.7f);
}

TEST(DiagramCurves, AccumulatedStepsBelowTheMaximumGiveAnEleventhWetBulbLine) {
    // Ten steps of 3.3 from -6 end just below 27, so an eleventh line is taken.
    const PsychrometricDiagram d = curves(-6.0f, 27.0f);
    EXPECT_FALSE(series(d, 35).empty());
    float twb = -6.0f;
    for (int i = 0; i < 10; ++i)
        twb = static_cast<float>(twb + (27.0 - -6.0) * 0.1);
    ASSERT_LT(twb, 27.0f);
    // The eleventh line lies wholly above tMax: its series is taken but nothing of it shows,
    // and nothing goes beyond it.
    EXPECT_TRUE(series(d, 45).empty());
    EXPECT_TRUE(series(d, 46).empty());
}

TEST(DiagramCurves, DegenerateRangesEndAndStayBounded) {
    // One temperature: one wet-bulb line, no endless loop.
    const PsychrometricDiagram single = curves(20.0f, 20.0f);
    EXPECT_TRUE(single.hasCurves);
    EXPECT_FALSE(series(single, 35).empty() && series(single, 10).empty());
    for (int i = 36; i <= 45; ++i)
        EXPECT_TRUE(series(single, i).empty()) << i;
    // A step too small to change the wet bulb in single precision stops at series 45.
    const PsychrometricDiagram tiny = curves(30.0f, std::nextafter(30.0f, 40.0f));
    for (int i = 46; i < kDiagramSeriesCount; ++i)
        EXPECT_TRUE(series(tiny, i).empty());
    // Hostile extremes and pressures give no endless loop and no inverted axis.
    const PsychrometricDiagram huge = curves(-1e30f, 40.0f);
    EXPECT_LE(huge.leftMin, huge.leftMax);
    const PsychrometricDiagram boiling = curves(20.0f, 400.0f);
    EXPECT_FALSE(boiling.hasCurves);
    EXPECT_LE(boiling.leftMin, boiling.leftMax);
    const PsychrometricDiagram noPressure = curves(-2.0f, 38.0f, 0.0f);
    EXPECT_FALSE(noPressure.hasCurves);
    for (const auto& s : noPressure.series)
        EXPECT_TRUE(s.empty());
}

TEST(Diagram, NoValidHourDrawsNothingAndKeepsTheAxesUpright) {
    auto state = std::make_unique<AnalysisState>();
    state->pt = 101325.0f;
    state->nYears = 11;
    state->plotTsMin = 50.0f;  // as the selection pass leaves it without a valid hour
    state->plotTsMax = -50.0f;
    const PsychrometricDiagram d = drawDiagram(*state, {12});
    EXPECT_TRUE(d.noValidHour);
    EXPECT_FALSE(d.hasCurves);
    for (const auto& s : d.series)
        EXPECT_TRUE(s.empty());
    EXPECT_LT(d.bottomMin, d.bottomMax);
    EXPECT_LT(d.leftMin, d.leftMax);
}

TEST(Diagram, StationYearsAndAllYears) {
    auto state = test::syntheticYears(
        11, [](int h, int y) { return static_cast<float>((h - 1) % 24) + y; },
        [](int, int) { return 0.006f; });
    state->typicalYearIndex = -1;
    std::vector<int> progress;
    const PsychrometricDiagram all =
        drawDiagram(*state, {12}, [&](int percent) { progress.push_back(percent); });
    EXPECT_EQ(series(all, kMeasuredHoursSeries).size(), 11u * 8760u);  // slot 12 holds nothing
    EXPECT_EQ(progress, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}));
    EXPECT_EQ(all.bottomMin, 1.0f);
    EXPECT_EQ(all.bottomMax, 34.0f);
    const auto& points = series(all, kMeasuredHoursSeries);
    for (std::size_t k = 1; k < points.size(); ++k)
        ASSERT_LE(points[k - 1].x, points[k].x);
    EXPECT_FLOAT_EQ(points.front().y, 6.0f);

    const PsychrometricDiagram year3 = drawDiagram(*state, {2});
    ASSERT_EQ(series(year3, kMeasuredHoursSeries).size(), 8760u);
    EXPECT_EQ(series(year3, kMeasuredHoursSeries).front().x, 3.0f);
    EXPECT_TRUE(series(drawDiagram(*state, {11}), kMeasuredHoursSeries).empty());  // 2008
    EXPECT_THROW(drawDiagram(*state, {13}), UsageError);

    // A typical-year location plots slot 1 whatever the year list shows.
    state->typicalYearIndex = 4;
    const PsychrometricDiagram typical = drawDiagram(*state, {12});
    ASSERT_EQ(series(typical, kMeasuredHoursSeries).size(), 8760u);
    EXPECT_EQ(series(typical, kMeasuredHoursSeries).front().x, 1.0f);
    EXPECT_EQ(diagramYearSlots(*state, 99).first, 1);
}

TEST(Diagram, UnselectedHoursAreNotPlotted) {
    auto state = test::syntheticYears(
        1, [](int h, int) { return static_cast<float>((h - 1) % 24); },
        [](int, int) { return 0.006f; });
    state->typicalYearIndex = 1;
    for (int h = 1; h <= kHoursPerYear; ++h)
        state->hourMask[static_cast<std::size_t>(h)] = (h - 1) % 24 < 8 ? 1.0f : 0.0f;
    state->rangeMask[1][1] = 0.0f;
    const PsychrometricDiagram d = drawDiagram(*state, {10});
    EXPECT_EQ(series(d, kMeasuredHoursSeries).size(), 365u * 8u - 1u);
    for (const DiagramPoint& p : series(d, kMeasuredHoursSeries))
        EXPECT_LT(p.x, 8.0f);
    // The curves still span the whole range of the valid data.
    EXPECT_EQ(d.bottomMax, 23.0f);
}

TEST(Diagram, RealTypicalYear) {
    CLIMSTAT_NEED_REAL_DATA();
    auto state = test::realTypicalYear(test::realDatabaseDir(), "E1_peninsula");
    const PsychrometricDiagram d = drawDiagram(*state, {10});
    ASSERT_TRUE(d.hasCurves);
    EXPECT_EQ(d.bottomMin, state->plotTsMin);
    EXPECT_EQ(d.bottomMax, state->plotTsMax);
    EXPECT_FLOAT_EQ(d.bottomMin, -5.3f);  // the coldest hour of the 2013 files
    EXPECT_NEAR(d.leftMax,
                1000.0f * psychro::saturationHumidityRatio(
                              (2.0f * state->plotTsMax + state->plotTsMin) / 3.0f, state->pt),
                1e-3);
    EXPECT_EQ(series(d, kMeasuredHoursSeries).size(), 8760u);
    for (int i = 1; i <= 30; ++i)
        EXPECT_FALSE(series(d, i).empty()) << i;
    for (const DiagramPoint& p : series(d, kMeasuredHoursSeries)) {
        ASSERT_GE(p.x, d.bottomMin);
        ASSERT_LE(p.x, d.bottomMax);
    }
}

TEST(Diagram, HumidHoursAboveTheTopRaiseTheAxisAndItsCurves) {
    // A cold minimum keeps the top low (the saturation at about 17 degC, 12.4 g/kg), while the
    // warm hours are humid (20 g/kg).
    auto state = test::syntheticYears(
        1, [](int h, int) { return h == 1 ? -22.0f : 20.0f + static_cast<float>(h % 18); },
        [](int h, int) { return h == 1 ? 0.0005f : 0.020f; });
    state->typicalYearIndex = 1;
    const DiagramParameters specified =
        diagramParameters(state->plotTsMin, state->plotTsMax, state->pt);
    ASSERT_LT(specified.wTop, 0.013f);
    const PsychrometricDiagram d = drawDiagram(*state, {10});
    EXPECT_FLOAT_EQ(d.leftMax, 20.0f);
    for (const DiagramPoint& p : series(d, kMeasuredHoursSeries))
        ASSERT_LE(p.y, d.leftMax);
    // The curves reach the raised top: the enthalpy lines span more, the driest line ends at it.
    float highest = 0;
    for (int index = kRelativeHumiditySeries; index < kMeasuredHoursSeries; ++index)
        for (const DiagramPoint& p : series(d, index))
            highest = std::max(highest, p.y);
    EXPECT_GT(highest, 1000.0f * specified.wTop + 1.0f);
    EXPECT_LE(highest, d.leftMax + 1e-3f);
    EXPECT_GT(d.curveValue[kEnthalpySeries + 10], specified.hTop);

    // Data inside the specified top leave it as it is.
    auto mild = test::syntheticYears(
        1, [](int h, int) { return static_cast<float>(h % 30); }, [](int, int) { return 0.004f; });
    mild->typicalYearIndex = 1;
    const PsychrometricDiagram unchanged = drawDiagram(*mild, {10});
    EXPECT_EQ(unchanged.leftMax,
              1000.0f * diagramParameters(mild->plotTsMin, mild->plotTsMax, mild->pt).wTop);
}

TEST(DiagramLabels, EveryFamilyIsNamedAtALineEndAndThePointerReadsTheAir) {
    PsychrometricDiagram d = curves(-2.0f, 38.0f);
    const std::vector<DiagramLabel> labels = diagramLabels(d, ',');
    auto find = [&](const std::string& text) {
        return std::find_if(labels.begin(), labels.end(),
                            [&](const DiagramLabel& l) { return l.text == text; });
    };
    const auto saturation = find("100 %");
    ASSERT_NE(saturation, labels.end());
    EXPECT_EQ(saturation->at.x, series(d, 10).back().x);  // the upper end of the line
    const auto enthalpy = find("40 kJ/kg");
    ASSERT_NE(enthalpy, labels.end());
    EXPECT_EQ(enthalpy->at.x, series(d, enthalpy->series).front().x);
    EXPECT_NE(find("0,770 m³/kg"), labels.end());
    EXPECT_NE(find("Th 2,0 ºC"), labels.end());  // -2 + a tenth of the range

    const DiagramReadout r = diagramReadout(25.0f, 10.0f, 101325.0f, ',');
    EXPECT_NEAR(r.relativeHumidity, relativeHumidity(25.0f, 0.010f, 101325.0f), 1e-4);
    EXPECT_NEAR(r.wetBulb, psychro::wetBulb(25.0f, 0.010f, 101325.0f), 1e-4);
    EXPECT_EQ(r.text.substr(0, 25), "Ts 25,0 ºC   W 10,00 g/k");
    for (const char* part : {"HR ", "Th ", "h ", "v ", "kJ/kg", "m³/kg"})
        EXPECT_NE(r.text.find(part), std::string::npos) << part;
    EXPECT_TRUE(diagramReadout(10.0f, 30.0f, 101325.0f, ',').supersaturated);
    EXPECT_EQ(diagramReadout(10.0f, -1.0f, 101325.0f, ',').text, "");
}

TEST(DiagramStyle, FamiliesColoursAndMarkers) {
    EXPECT_EQ(diagramSeriesStyle(0).kind, DiagramSeriesKind::Unused);
    EXPECT_EQ(diagramSeriesStyle(10).penWidth, 2);
    EXPECT_EQ(diagramSeriesStyle(5).marker, DiagramMarker::Circle);
    EXPECT_EQ(diagramSeriesStyle(11).colour, 0x00FFFFu);
    EXPECT_EQ(diagramSeriesStyle(34).colour, 0xFFFF00u);
    EXPECT_EQ(diagramSeriesStyle(44).marker, DiagramMarker::Square);
    EXPECT_EQ(diagramSeriesStyle(45).kind, DiagramSeriesKind::Points);
    EXPECT_EQ(diagramSeriesStyle(46).kind, DiagramSeriesKind::Points);
    EXPECT_EQ(diagramSeriesStyle(47).kind, DiagramSeriesKind::Unused);
}

}  // namespace
}  // namespace climstat
