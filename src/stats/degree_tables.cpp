#include "stats/degree_tables.h"

#include <algorithm>
#include <array>

#include "core/calendar.h"
#include "core/number_text.h"
#include "stats/class_tables.h"

namespace climstat {

namespace {

bool inHeatingSeason(int m) {
    return m == 11 || m == 12 || m == 1 || m == 2 || m == 3;
}

bool inCoolingSeason(int m) {
    return m >= 6 && m <= 9;
}

void clearDegreeTables(AnalysisState& s) {
    for (int r = 0; r <= kYearRow; ++r) {
        for (int b = 0; b < kBases; ++b) {
            s.heatingTable[r][b] = 0.0f;
            s.coolingTable[r][b] = 0.0f;
        }
    }
}

// Adds the distance of a temperature to every base, hours (or days) times the distance.
void addDegrees(AnalysisState& s, int m, float weight, float t) {
    for (int b = 0; b < kBases; ++b) {
        const auto base = static_cast<float>(kHeatingFirstBase + b);
        if (t < base) s.heatingTable[m][b] += weight * (base - t);
    }
    for (int b = 0; b < kBases; ++b) {
        const auto base = static_cast<float>(kCoolingFirstBase + b);
        if (t > base) s.coolingTable[m][b] += weight * (t - base);
    }
}

void seasonAndYearRows(AnalysisState& s) {
    for (int m = 1; m <= 12; ++m) {
        for (int b = 0; b < kBases; ++b) {
            s.heatingTable[kYearRow][b] += s.heatingTable[m][b];
            s.coolingTable[kYearRow][b] += s.coolingTable[m][b];
            if (inHeatingSeason(m)) s.heatingTable[kSeasonRow][b] += s.heatingTable[m][b];
            if (inCoolingSeason(m)) s.coolingTable[kSeasonRow][b] += s.coolingTable[m][b];
        }
    }
}

void copyClassTable(const ClassTable& from, ClassTable& to) {
    to.ensureRows(from.rows());
    for (std::size_t r = 0; r < from.rows(); ++r) {
        for (std::size_t c = 0; c < from.cols(); ++c)
            to[r][c] = from[r][c];
    }
    for (std::size_t r = from.rows(); r < to.rows(); ++r) {
        for (std::size_t c = 0; c < to.cols(); ++c)
            to[r][c] = 0.0f;
    }
}

}  // namespace

void computeDegreeHours(AnalysisState& s, FrequencySettings& frequencySelectors,
                        const SelectionSettings& selection) {
    runSelection(s, selection);
    clearDegreeTables(s);

    frequencySelectors.variable = StudyVariable::DryBulb;
    frequencySelectors.output = FrequencyOutput::Hours;
    computeFrequencies(s, frequencySelectors, selection);
    copyClassTable(s.freqTable, s.dhHours);

    frequencySelectors.output = FrequencyOutput::MeanDryBulb;
    computeFrequencies(s, frequencySelectors, selection);
    copyClassTable(s.freqTable, s.dhMeanT);

    // Class bounds and bases are whole degrees, so each class lies wholly below or wholly at or
    // above a base and its mean stands for its hours. Whether a class holds hours is told by its
    // hour counts, not by its mean: hours at exactly 0 degC have a mean of 0 and still count.
    const std::size_t rows = std::min({s.dhHours.rows(), s.dhMeanT.rows(), s.binCountRange.rows()});
    for (int m = 1; m <= 12; ++m) {
        for (std::size_t c = 0; c < rows; ++c) {
            const float hours = s.dhHours[c][m];
            if (hours > 0.0f && s.binCountRange[c][m] > 0.0f) {
                addDegrees(s, m, hours, s.dhMeanT[c][m]);
            }
        }
    }
    seasonAndYearRows(s);
}

void computeDegreeDays(AnalysisState& s, DataSource source) {
    initValidMasks(s, source);
    clearDegreeTables(s);
    for (int y = 1; y <= s.nYears; ++y) {
        for (int d = 1; d <= kDaysPerYear; ++d)
            s.dailyMeanT[d][y] = NO_DAY;
    }
    s.validDays.fill(0.0f);

    for (int y = 1; y <= s.nYears; ++y) {
        for (int d = 1; d <= kDaysPerYear; ++d) {
            const int first = 24 * (d - 1) + 1;
            float sum = 0.0f;
            bool usable = true;
            for (int h = first; h < first + 24; ++h) {
                if (!(s.rangeMask[h][y] > 0.0f)) {
                    usable = false;
                    break;
                }
                sum += s.ts[h][y];
            }
            if (usable) s.dailyMeanT[d][y] = sum / 24.0f;
        }
    }

    for (int y = 1; y <= s.nYears; ++y) {
        for (int d = 1; d <= kDaysPerYear; ++d) {
            const float t = s.dailyMeanT[d][y];
            if (t == NO_DAY) continue;
            const int m = monthOfDay(d);
            s.validDays[m] += 1.0f;
            addDegrees(s, m, 1.0f, t);
        }
    }

    // A month is scaled to its days in one year, so days missing in a station record do not
    // lower the result.
    for (int m = 1; m <= 12; ++m) {
        if (!(s.validDays[m] > 0.0f)) continue;
        const auto days = static_cast<float>(daysInMonth(m));
        for (int b = 0; b < kBases; ++b) {
            s.heatingTable[m][b] = days * s.heatingTable[m][b] / s.validDays[m];
            s.coolingTable[m][b] = days * s.coolingTable[m][b] / s.validDays[m];
        }
    }
    seasonAndYearRows(s);
}

TextGrid degreeTableTexts(const AnalysisState& s, DegreeKind kind, char decimalSeparator) {
    static constexpr std::array<const char*, 13> kMonths = {
        "", "Ene", "Feb", "Mar", "Abr", "May", "Jun", "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
    const Grid<float>& table = kind == DegreeKind::Heating ? s.heatingTable : s.coolingTable;
    TextGrid grid(15, 7);
    for (int r = 0; r <= 6; ++r) {
        for (int k = 1; k <= 14; ++k)
            grid.cell(k, r) = "0";
    }
    grid.cell(0, 0).clear();
    for (int k = 1; k <= 12; ++k)
        grid.cell(k, 0) = kMonths[static_cast<std::size_t>(k)];
    grid.cell(13, 0) = kind == DegreeKind::Heating ? "5 meses" : "4 meses";
    grid.cell(14, 0) = "Anual";
    for (int r = 1; r <= kBases; ++r) {
        grid.cell(0, r) = "base " + integerText(baseTemperature(kind, r - 1));
        for (int k = 1; k <= 14; ++k) {
            const float value = table[k][r - 1];
            if (value > 0.0f) grid.cell(k, r) = numberText(value, 6, 0, decimalSeparator);
        }
    }
    return grid;
}

std::string degreeSeasonCaption(DegreeKind kind) {
    return kind == DegreeKind::Heating ? " 5 meses: Noviembre,Diciembre,Enero,Febrero,Marzo"
                                       : " 4 meses: Junio,Julio,Agosto,Septiembre";
}

std::string degreeHourFormula(DegreeKind kind) {
    return kind == DegreeKind::Heating ? "GHC = Σ (base − Ts)⁺" : "GHR = Σ (Ts − base)⁺";
}

std::string degreeDayFormula(DegreeKind kind) {
    return kind == DegreeKind::Heating ? "GDC = Σ (base − Tmed)⁺" : "GDR = Σ (Tmed − base)⁺";
}

}  // namespace climstat
