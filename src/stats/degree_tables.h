#pragma once

#include <string>

#include "core/analysis_state.h"
#include "selection/selection.h"
#include "stats/frequencies.h"
#include "stats/text_grid.h"

namespace climstat {

// "Variable a representar" of the degree pages.
enum class DegreeKind { Heating = 0, Cooling = 1 };

// Rows of heatingTable / coolingTable: months 1..12, the season and the year.
inline constexpr int kSeasonRow = 13;
inline constexpr int kYearRow = 14;
// Base temperature of column 0..5: 15..20 degC for heating, 20..25 degC for cooling.
inline constexpr int kHeatingFirstBase = 15;
inline constexpr int kCoolingFirstBase = 20;
inline constexpr int kBases = 6;

// No usable day of a slot: the mark of dailyMeanT.
inline constexpr float NO_DAY = -200.0f;

inline int baseTemperature(DegreeKind kind, int column) {
    return (kind == DegreeKind::Heating ? kHeatingFirstBase : kCoolingFirstBase) + column;
}

// Heating and cooling degree-hours of a typical year through the dry-bulb frequency study: the
// selection pass, then the study as "Nº horas" (copied into dhHours) and as "Ts media(ºC)"
// (copied into dhMeanT), each class contributing its hours times its mean's distance to the
// base. Leaves the frequency page's selectors on the dry bulb and "Ts media(ºC)" and freqTable
// holding the mean temperatures, as the page they share expects. Throws ConversionError when a
// range limit is not a number.
void computeDegreeHours(AnalysisState& state, FrequencySettings& frequencySelectors,
                        const SelectionSettings& selection);

// Heating and cooling degree-days of a typical year from the daily mean dry bulb of every day
// whose 24 hours are valid (only the validity masks are rebuilt: the interval and the range
// filter do not apply), each month scaled to its days over the usable days found.
void computeDegreeDays(AnalysisState& state, DataSource source);

// The degree grid of either page (7 rows x 15 columns): header "Ene".."Dic", "5 meses" or
// "4 meses", "Anual"; rows "base 15".."base 20" or "base 20".."base 25"; cells above 0 as number
// texts with precision 6 and 0 decimals, "0" otherwise. The grid is the table transposed.
TextGrid degreeTableTexts(const AnalysisState& state, DegreeKind kind, char decimalSeparator);

// Fixed captions of the degree pages.
inline constexpr const char* kPositiveTermsCaption = "+  sólo se contabilizan términos positivos";
inline constexpr const char* kDegreeHoursIntervalNote =
    "El nº de grados hora depende del intervalo elegido";
inline constexpr const char* kDegreeDaysGlobalNote =
    "En estos calculos no se tiene encuenta el intervalo fijado (es global)";

// " 5 meses: Noviembre,Diciembre,Enero,Febrero,Marzo" or " 4 meses: Junio,Julio,Agosto,Septiembre".
std::string degreeSeasonCaption(DegreeKind kind);

// The formula the page shows beside the table, per month: for degree-hours
// "GHC = Σ (base − Ts)⁺" / "GHR = Σ (Ts − base)⁺" over the hours, for degree-days
// "GDC = Σ (base − Tmed)⁺" / "GDR = Σ (Tmed − base)⁺" over the days.
std::string degreeHourFormula(DegreeKind kind);
std::string degreeDayFormula(DegreeKind kind);

}  // namespace climstat
