#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"
#include "selection/selection.h"
#include "stats/chart_point.h"
#include "stats/text_grid.h"

namespace climstat {

// Humid-air variable studied in classes of one unit ("Variable a estudiar en intervalos").
enum class StudyVariable {
    DryBulb = 0,           // ts, degC
    WetBulb = 1,           // tw, degC
    DewPoint = 2,          // dewPoint(w, pt), degC
    HumidityRatio = 3,     // 1000 w, g/kg
    Enthalpy = 4,          // enthalpy(ts, w), kJ/kg
    RelativeHumidity = 5,  // relativeHumidity(ts, w, pt), %
};
inline constexpr int kStudyVariables = 6;

// What a cell of the frequency table holds ("Variable de salida").
enum class FrequencyOutput {
    Hours = 0,        // "Nº horas": typical-year hours of the class
    Frequencies = 1,  // percentage of the column's hours
    Cumulative = 2,   // cumulative percentage from the first class
    MeanDryBulb = 3,  // mean of a coincident variable over the class's hours
    MeanWetBulb = 4,
    MeanDewPoint = 5,
    MeanHumidityRatio = 6,
    MeanEnthalpy = 7,
    MeanRelativeHumidity = 8,
};
inline constexpr int kFrequencyOutputs = 9;

inline bool isMeanOutput(FrequencyOutput output) {
    return static_cast<int>(output) >= 3;
}

// "Tipo gráfica": the line chart or the grid under it.
enum class FrequencyChartKind { TwoD = 0, Table = 1 };

// The selectors of the frequency page.
struct FrequencySettings {
    StudyVariable variable = StudyVariable::DryBulb;
    FrequencyOutput output = FrequencyOutput::Hours;
    FrequencyChartKind chartKind = FrequencyChartKind::Table;
    bool includeAnnual = false;  // "Incluir valor anual" instead of "Quitar valor anual"
};

// A study whose values span more classes than this is not made (nBins 0, empty tables): no
// humid-air variable of real data comes near it, and the class tables grow with the class count.
inline constexpr int kMaxClasses = 10000;

// Captions of the selectors.
std::string_view studyVariableCaption(StudyVariable variable);
std::string_view frequencyOutputCaption(FrequencyOutput output);

// The value of the studied variable for hour h of year slot y, in single precision.
float studyValue(const AnalysisState& state, StudyVariable variable, int h, int y);

// Scans the valid hours (validMask = 1) of slots 1..nYears: writes the value of the variable
// into binIdx, its extremes into freqMin/freqMax (1000 and -1000 when there is none), their
// integer parts into binFirst/binLast and the class count into nBins (not positive without a
// valid hour; 0 when the span exceeds kMaxClasses). The class tables grow to hold every class.
void computeBinValues(AnalysisState& state, StudyVariable variable);

// Class 1..nBins of a value: trunc(v + 1 - binFirst), the first class also taking the values
// below its upper bound.
int frequencyClassOf(float value, int binFirst, int nBins);

// The frequency study: computeBinValues, the selection pass, the typical-year hours of every
// class and month with largest-remainder rounding, and the table of the output kind in
// freqTable (row nBins + 1 the column sums for the hour and percentage kinds). The range-filter
// scaling applies when either condition of the selection names a variable. Returns nBins; a
// non-positive value means no class and empty tables. Throws ConversionError when a range
// limit is not a number (the tables are then left as they were).
int computeFrequencies(AnalysisState& state, const FrequencySettings& settings,
                       const SelectionSettings& selection);

// Class label of row r = 1..nBins (and nBins + 1, "Suma", for the hour and percentage kinds) as
// the grid shows it; "" for other rows.
std::string frequencyGridLabel(const AnalysisState& state, FrequencyOutput output, int row);

// The texts of the frequency grid for the tables in the state: header row "Ene".."Anual", the
// class labels, cells above 0 as number texts (precision 5, 0 decimals for hours, else 2), the
// "Suma" row of the hour and percentage kinds. Only the header row without a class.
TextGrid frequencyTableTexts(const AnalysisState& state, FrequencyOutput output,
                             char decimalSeparator);

// Recomputes the study and returns the grid texts, as the page does when it is shown.
TextGrid showFrequencyTable(AnalysisState& state, const FrequencySettings& settings,
                            const SelectionSettings& selection, char decimalSeparator);

struct ChartSeries {
    std::string title;
    std::vector<ChartPoint> points;
};

// The frequency chart as data. Not visible with the "Tabla" kind (no series then).
struct FrequencyChart {
    bool visible = false;
    std::string leftAxisTitle;
    std::string bottomAxisTitle;
    std::vector<ChartSeries> series;  // "Enero".."Diciembre" (and "Anual")
};

// Colour of every point of the frequency chart.
inline constexpr unsigned kFrequencyPointColour = 0x008000;

// Whether the mean cell of class c in column 1..13 has hours behind it: in a month, counted range
// hours and typical-year hours of the class; in the year column, range hours in some month.
bool classHasMean(const AnalysisState& state, int c, int column);

// The chart of the tables in the state without recomputing them: one series per month (and the
// year with includeAnnual), a point per class at the class's upper bound, zero values included.
// A mean without hours behind it (classHasMean) has no value: its y is NaN, a gap in the line.
FrequencyChart frequencyChart(const AnalysisState& state, const FrequencySettings& settings);

}  // namespace climstat
