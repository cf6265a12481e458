#include "stats/frequencies.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/calendar.h"
#include "core/number_text.h"
#include "stats/class_tables.h"
#include "stats/hourly_variable.h"

namespace climstat {

namespace {

constexpr std::array<std::string_view, kStudyVariables> kVariableCaptions = {
    "Temp. seca (ºC)",      "Temp. húmeda (ºC)", "Temp. rocío (ºC)",
    "Hum. específ.(gr/kg)", "Entalpía (kJ/kg)",  "Hum. Relativa (%)"};

constexpr std::array<std::string_view, kFrequencyOutputs> kOutputCaptions = {
    "Nº horas",     "Frecuencias",    "Acumuladas",         "Ts media(ºC)",       "Th media(ºC)",
    "Tr media(ºC)", "W media(gr/kg)", "h Entalpía (kJ/kg)", "Hr Hum. relativa(%)"};

constexpr std::array<std::string_view, kFrequencyOutputs> kLeftAxisTitles = {
    "Nº horas",
    "Frecuencias %",
    "Frecuencias acumuladas %",
    "Temperatura seca media ºC",
    "Temperatura húmeda media ºC",
    "Temperatura rocío media ºC",
    "Humedad específica media gr/kg",
    "Entalpía media kJ/kg",
    "Humedad relativa media %"};

constexpr std::array<std::string_view, kStudyVariables> kBottomAxisTitles = {
    "Temperatura seca ºC",       "Temperatura húmeda ºC", "Temperatura rocío ºC",
    "Humedad específica g/kgas", "Entalpía kJ/kgas",      "Humedad relativa %"};

constexpr std::array<std::string_view, 13> kSeriesTitles = {
    "Enero",  "Febrero",    "Marzo",   "Abril",     "Mayo",      "Junio", "Julio",
    "Agosto", "Septiembre", "Octubre", "Noviembre", "Diciembre", "Anual"};

constexpr std::array<std::string_view, 14> kMonthHeaders = {"",    "Ene", "Feb", "Mar",  "Abr",
                                                            "May", "Jun", "Jul", "Ago",  "Sep",
                                                            "Oct", "Nov", "Dic", "Anual"};

// The coincident value averaged by a mean output kind.
float coincidentValue(const AnalysisState& state, FrequencyOutput output, int h, int y) {
    switch (output) {
        case FrequencyOutput::MeanDryBulb:
            return studyValue(state, StudyVariable::DryBulb, h, y);
        case FrequencyOutput::MeanWetBulb:
            return studyValue(state, StudyVariable::WetBulb, h, y);
        case FrequencyOutput::MeanDewPoint:
            return studyValue(state, StudyVariable::DewPoint, h, y);
        case FrequencyOutput::MeanHumidityRatio:
            return studyValue(state, StudyVariable::HumidityRatio, h, y);
        case FrequencyOutput::MeanEnthalpy:
            return studyValue(state, StudyVariable::Enthalpy, h, y);
        case FrequencyOutput::MeanRelativeHumidity:
            return studyValue(state, StudyVariable::RelativeHumidity, h, y);
        default:
            return 0.0f;
    }
}

bool rangeFilterActive(const SelectionSettings& selection) {
    return selection.first.variable != RangeVariable::None ||
           selection.second.variable != RangeVariable::None;
}

void clearColumns(ClassTable& table) {
    for (std::size_t r = 1; r < table.rows(); ++r) {
        for (int m = 1; m <= 13; ++m)
            table[r][m] = 0.0f;
    }
}

// Typical-year hours of every class of month m: the counted hours scaled to the interval's hours
// of the month, truncated, and the hours still missing handed one by one to the class with the
// largest remainder (the lowest class on a tie).
void roundToTypicalYear(AnalysisState& s, int m, int n) {
    int rounded = 0;
    for (int c = 1; c <= n; ++c) {
        const float exact = s.monthIntervalHours[m] * s.binCountValid[c][m] / s.monthValidCount[m];
        s.binExact[c][m] = exact;
        s.binHours[c][m] = std::trunc(exact);
        rounded += static_cast<int>(s.binHours[c][m]);
    }
    s.monthRoundedSum[m] = rounded;
    const int missing = static_cast<int>(s.monthIntervalHours[m]) - rounded;
    for (int i = 0; i < missing; ++i) {
        int best = 1;
        float bestRemainder = 0.0f;
        for (int c = 1; c <= n; ++c) {
            const float remainder = s.binExact[c][m] - s.binHours[c][m];
            if (remainder > bestRemainder) {
                bestRemainder = remainder;
                best = c;
            }
        }
        s.binHours[best][m] += 1.0f;
    }
}

}  // namespace

std::string_view studyVariableCaption(StudyVariable variable) {
    return kVariableCaptions[static_cast<std::size_t>(variable)];
}

std::string_view frequencyOutputCaption(FrequencyOutput output) {
    return kOutputCaptions[static_cast<std::size_t>(output)];
}

float studyValue(const AnalysisState& state, StudyVariable variable, int h, int y) {
    // The studied variables are the six of the hourly pages, in the same order.
    return hourlyVariableValue(state, static_cast<HourlyVariable>(variable), h, y);
}

void computeBinValues(AnalysisState& state, StudyVariable variable) {
    state.freqMin = 1000.0f;
    state.freqMax = -1000.0f;
    for (int y = 1; y <= state.nYears; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (state.validMask[h][y] != 1.0f) continue;
            const float v = studyValue(state, variable, h, y);
            state.binIdx[h][y] = v;
            if (v < state.freqMin) state.freqMin = v;
            if (v > state.freqMax) state.freqMax = v;
        }
    }
    state.binFirst = truncatedClassBound(state.freqMin);
    state.binLast = truncatedClassBound(state.freqMax);
    state.nBins = classCount(state.binFirst, state.binLast);
    ensureClassRows(state, state.nBins);
}

int frequencyClassOf(float value, int binFirst, int nBins) {
    const float x = value + 1.0f - static_cast<float>(binFirst);
    // Below the first upper bound, and anything that is not a number, is the first class; the
    // upper guard only keeps a value rounded past the last class inside the table.
    if (!(x >= 1.0f)) return 1;
    if (x >= static_cast<float>(nBins)) return nBins < 1 ? 1 : nBins;
    return static_cast<int>(x);
}

int computeFrequencies(AnalysisState& s, const FrequencySettings& settings,
                       const SelectionSettings& selection) {
    computeBinValues(s, settings.variable);
    runSelection(s, selection);
    const int n = s.nBins;
    const FrequencyOutput output = settings.output;
    const bool meanOutput = isMeanOutput(output);

    s.monthIntervalHours.fill(0.0f);
    for (int h = 1; h <= kHoursPerYear; ++h) {
        if (s.hourMask[h] == 1.0f) s.monthIntervalHours[monthOfHour(static_cast<float>(h))] += 1.0f;
    }

    for (ClassTable* table : {&s.classWork, &s.binCountValid, &s.binCountRange, &s.binExact,
                              &s.binHours, &s.freqTable}) {
        clearColumns(*table);
    }
    s.monthValidCount.fill(0.0f);
    s.monthRoundedSum.fill(0);
    if (n < 1) return n;

    for (int y = 1; y <= s.nYears; ++y) {
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (s.validMask[h][y] * s.hourMask[h] != 1.0f) continue;
            const int c = frequencyClassOf(s.binIdx[h][y], s.binFirst, n);
            const int m = monthOfHour(static_cast<float>(h));
            s.binCountValid[c][m] += 1.0f;
            s.monthValidCount[m] += 1.0f;
            if (s.rangeMask[h][y] * s.hourMask[h] == 1.0f) {
                if (meanOutput) s.freqTable[c][m] += coincidentValue(s, output, h, y);
                s.binCountRange[c][m] += 1.0f;
            }
        }
    }

    if (meanOutput) {
        for (int m = 1; m <= 12; ++m) {
            for (int c = 1; c <= n; ++c) {
                const float count = s.binCountRange[c][m];
                s.freqTable[c][m] = count > 0.0f ? s.freqTable[c][m] / count : 0.0f;
            }
        }
        for (int c = 1; c <= n; ++c) {
            float weighted = 0.0f;
            float count = 0.0f;
            for (int m = 1; m <= 12; ++m) {
                if (s.binCountRange[c][m] > 0.0f) {
                    weighted += s.binCountRange[c][m] * s.freqTable[c][m];
                    count += s.binCountRange[c][m];
                }
            }
            s.freqTable[c][13] = count > 0.0f ? weighted / count : 0.0f;
        }
    }

    for (int m = 1; m <= 12; ++m) {
        if (s.monthValidCount[m] > 0.0f) roundToTypicalYear(s, m, n);
    }

    if (!meanOutput) {
        const bool filtered = rangeFilterActive(selection);
        for (int m = 1; m <= 12; ++m) {
            for (int c = 1; c <= n; ++c) {
                const float hours = s.binHours[c][m];
                float cell = hours;
                if (filtered) {
                    const float valid = s.binCountValid[c][m];
                    const float inRange = s.binCountRange[c][m];
                    if (hours <= 0.0f || inRange <= 0.0f) {
                        cell = 0.0f;
                    } else if (valid != inRange) {
                        cell = hours * inRange / valid;
                    }
                }
                s.freqTable[c][m] = cell;
                s.freqTable[n + 1][m] += cell;
                s.freqTable[c][13] += cell;
                s.freqTable[n + 1][13] += cell;
            }
        }
    }

    if (output == FrequencyOutput::Frequencies || output == FrequencyOutput::Cumulative) {
        for (int m = 1; m <= 13; ++m) {
            const float total = s.freqTable[n + 1][m];
            float sum = 0.0f;
            for (int c = 1; c <= n; ++c) {
                const float cell = s.freqTable[c][m];
                s.freqTable[c][m] = (cell > 0.0f && total > 0.0f) ? cell * 100.0f / total : 0.0f;
                sum += s.freqTable[c][m];
            }
            s.freqTable[n + 1][m] = sum;
        }
    }

    if (output == FrequencyOutput::Cumulative) {
        for (int m = 1; m <= 13; ++m) {
            float running = 0.0f;
            for (int c = 1; c <= n; ++c) {
                if (s.freqTable[c][m] > 0.0f) {
                    running += s.freqTable[c][m];
                    s.freqTable[c][m] = running;
                }
            }
        }
    }

    if (meanOutput) {
        for (int m = 1; m <= 12; ++m) {
            for (int c = 1; c <= n; ++c) {
                if (s.binHours[c][m] == 0.0f) s.freqTable[c][m] = 0.0f;
            }
        }
    }
    return n;
}

std::string frequencyGridLabel(const AnalysisState& state, FrequencyOutput output, int row) {
    const int n = state.nBins;
    const long long k = state.binFirst;
    const bool withSum = output == FrequencyOutput::Hours || output == FrequencyOutput::Frequencies;
    if (withSum && row == n + 1 && n >= 1) return "Suma";
    if (row < 1 || row > n) return "";
    // Rows are labelled in this order, so a single class carries the label of the last row.
    if (output == FrequencyOutput::Cumulative) {
        return row == 1 ? "<" + integerText(k + 1) : " <" + integerText(k + row);
    }
    if (row == n) return ">=" + integerText(state.binLast);
    if (row == 1) return "<" + integerText(k + 1);
    return ">=" + integerText(k + row - 1) + " y <" + integerText(k + row);
}

TextGrid frequencyTableTexts(const AnalysisState& state, FrequencyOutput output,
                             char decimalSeparator) {
    const int n = state.nBins < 1 ? 0 : state.nBins;
    const bool withSum = output == FrequencyOutput::Hours || output == FrequencyOutput::Frequencies;
    const int rows = n == 0 ? 1 : (withSum ? n + 2 : n + 1);
    TextGrid grid(14, rows);
    for (int m = 1; m <= 13; ++m)
        grid.cell(m, 0) = std::string(kMonthHeaders[static_cast<std::size_t>(m)]);
    const int decimals = output == FrequencyOutput::Hours ? 0 : 2;
    for (int r = 1; r < rows; ++r) {
        grid.cell(0, r) = frequencyGridLabel(state, output, r);
        for (int m = 1; m <= 13; ++m) {
            const float value = state.freqTable[r][m];
            if (value > 0.0f) grid.cell(m, r) = numberText(value, 5, decimals, decimalSeparator);
        }
    }
    return grid;
}

TextGrid showFrequencyTable(AnalysisState& state, const FrequencySettings& settings,
                            const SelectionSettings& selection, char decimalSeparator) {
    computeFrequencies(state, settings, selection);
    return frequencyTableTexts(state, settings.output, decimalSeparator);
}

bool classHasMean(const AnalysisState& state, int c, int column) {
    if (column >= 1 && column <= 12)
        return state.binCountRange[c][column] > 0.0f && state.binHours[c][column] > 0.0f;
    for (int m = 1; m <= 12; ++m) {
        if (state.binCountRange[c][m] > 0.0f) return true;
    }
    return false;
}

FrequencyChart frequencyChart(const AnalysisState& state, const FrequencySettings& settings) {
    FrequencyChart chart;
    if (settings.chartKind == FrequencyChartKind::Table) return chart;
    chart.visible = true;
    chart.leftAxisTitle = std::string(kLeftAxisTitles[static_cast<std::size_t>(settings.output)]);
    chart.bottomAxisTitle =
        std::string(kBottomAxisTitles[static_cast<std::size_t>(settings.variable)]);
    const int seriesCount = settings.includeAnnual ? 13 : 12;
    const int n = state.nBins;
    for (int j = 1; j <= seriesCount; ++j) {
        ChartSeries series;
        series.title = std::string(kSeriesTitles[static_cast<std::size_t>(j - 1)]);
        for (int c = 1; c <= n; ++c) {
            const double value = isMeanOutput(settings.output) && !classHasMean(state, c, j)
                                     ? std::numeric_limits<double>::quiet_NaN()
                                     : static_cast<double>(state.freqTable[c][j]);
            series.points.push_back({static_cast<double>(state.binFirst) + c, value});
        }
        chart.series.push_back(std::move(series));
    }
    return chart;
}

}  // namespace climstat
