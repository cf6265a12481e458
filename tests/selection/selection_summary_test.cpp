#include "selection/selection_summary.h"

#include <gtest/gtest.h>

#include <memory>

#include "selection/interval_presets.h"

namespace climstat {
namespace {

// Two station years: every hour of 1997 has data, 1998 lacks its first 240 hours; the limits
// leave out the first 24 hours of every slot and the interval every odd hour of the year.
std::unique_ptr<AnalysisState> maskedState() {
    auto state = std::make_unique<AnalysisState>();
    state->nYears = 2;
    for (int y = 1; y <= 2; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            const float valid = y == 2 && h <= 240 ? 0.0f : 1.0f;
            state->validMask[h][y] = valid;
            state->rangeMask[h][y] = h <= 24 ? 0.0f : valid;
        }
    }
    for (int h = 1; h <= kHoursPerYear; ++h)
        state->hourMask[static_cast<std::size_t>(h)] = h % 2 == 0 ? 1.0f : 0.0f;
    state->validMask[5][3] = 1.0f;  // a slot beyond nYears is never counted
    return state;
}

TEST(SelectionSummary, CountsTheSelectedHoursOfTheSlotsInUseAndSaysWhatChoseThem) {
    const auto state = maskedState();
    SelectionSettings settings;
    settings.intervalPreset = 9;
    settings.first = {RangeVariable::DryBulb, RangeSense::Minimum, "25"};
    settings.second = {RangeVariable::RelativeHumidity, RangeSense::Maximum, "60,5"};
    settings.decimalSeparator = ',';
    const SelectionSummary all = selectionSummary(*state, settings, SummaryScope::Selected);
    EXPECT_EQ(all.withData, 8760 + 8520);
    EXPECT_EQ(all.counted, (8760 - 24) / 2 + (8520) / 2);
    EXPECT_EQ(all.text,
              "Horas seleccionadas: 8628 de 17280 · De 8h a 20h (excepto Agosto) · "
              "Ts ≥ 25 ºC · HR < 60,5 %");

    const SelectionSummary second = selectionSummary(*state, settings, SummaryScope::Selected, 2);
    EXPECT_EQ(second.counted, 8520 / 2);
    EXPECT_EQ(second.withData, 8520);
    EXPECT_EQ(second.text.rfind("Horas seleccionadas en 1998: 4260 de 8520 · ", 0), 0u);

    EXPECT_EQ(selectionSummary(*state, settings, SummaryScope::Selected, 3).withData, 1);

    settings.source = DataSource::Cte2013;  // a typical year has no calendar year to name
    EXPECT_EQ(selectionSummary(*state, settings, SummaryScope::Selected, 1)
                  .text.rfind("Horas seleccionadas: 4368 de 8760", 0),
              0u);
}

TEST(SelectionSummary, PagesThatUseEveryHourWithDataSaySo) {
    const auto state = maskedState();
    SelectionSettings settings;
    settings.first = {RangeVariable::DryBulb, RangeSense::Minimum, "25"};
    const SelectionSummary all = selectionSummary(*state, settings, SummaryScope::AllValidHours);
    EXPECT_EQ(all.counted, all.withData);
    EXPECT_EQ(all.text,
              "Horas seleccionadas: 17280 de 17280 · todas las horas con datos: esta "
              "página no aplica el intervalo ni los límites de variables");
}

TEST(SelectionSummary, PresetCaptionsAreWrittenOutWithoutDittoMarks) {
    EXPECT_EQ(intervalPresetDescription(0), "Continuo 24h (Todo el año)");
    EXPECT_EQ(intervalPresetDescription(1), "Continuo 24h (excepto Agosto)");
    EXPECT_EQ(intervalPresetDescription(4),
              "De 8h a 14h y de 16 a 20h (Todo el año excepto Sábados y Domingos)");
    EXPECT_EQ(intervalPresetDescription(10), "De 8h a 20h (excepto Agosto y Sábados y Domingos)");
    EXPECT_EQ(intervalPresetDescription(12), "Específico (particular a definir por el usuario)");
    for (int item = 0; item < kIntervalPresetCount; ++item)
        EXPECT_EQ(intervalPresetDescription(item).find('"'), std::string::npos) << item;
    EXPECT_EQ(intervalPresetDescription(13), "");
}

TEST(SelectionSummary, LimitsAsConditions) {
    EXPECT_EQ(rangeConditionText({RangeVariable::None, RangeSense::Minimum, "5"}, '.'), "");
    EXPECT_EQ(rangeConditionText({RangeVariable::HumidityRatio, RangeSense::Maximum, "10"}, '.'),
              "W < 10 g/kg");
    EXPECT_EQ(rangeConditionText({RangeVariable::Enthalpy, RangeSense::Minimum, "-2.5"}, '.'),
              "h ≥ -2.5 kJ/kg");
    EXPECT_EQ(rangeConditionText({RangeVariable::DewPoint, RangeSense::Minimum, "abc"}, '.'),
              "Tr ≥ abc ºC");
}

}  // namespace
}  // namespace climstat
