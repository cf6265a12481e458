#include "output/psychrometric_diagram.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "psychro/humid_air.h"

namespace climstat {

namespace {

using namespace psychro;

constexpr double d(float x) {
    return static_cast<double>(x);
}
constexpr float f(double x) {
    return static_cast<float>(x);
}

// Physical ranges need some 120 integer temperatures; the cap only stops hostile data (a
// temperature of -1e30 would otherwise never reach the end of the range).
constexpr std::size_t kMaxCurveTemperatures = 2000;
// The refinement walks in steps of 0.1 K before it narrows the step; far more than any line
// needs to reach saturation, and a bound for values that never do (non-finite pressures).
constexpr int kMaxRefinementSteps = 100000;

void add(PsychrometricDiagram& diagram, int index, float t, float w) {
    diagram.series[static_cast<std::size_t>(index)].push_back({t, w * 1000.0f});
}

// Moves a supersaturated point (t, w) of a line along it, w = line(t), to just above the
// saturation curve. False when it never gets there.
template <typename Line>
bool refineToSaturation(float& t, float& w, float pt, const Line& line) {
    float step = 0.1f;
    for (int i = 0; i < kMaxRefinementSteps; ++i) {
        t = f(d(t) + d(step));
        w = line(t);
        if (relativeHumidity(t, w, pt) < 100.0f) {
            t = f(d(t) - d(step));
            step = f(d(step) * 0.1);
        }
        if (std::fabs(d(step)) <= 0.0001) return true;
    }
    return false;
}

// Traces a line w = line(t) over the temperatures of the range: supersaturated points are moved
// onto the saturation curve, and only points with 0 <= w <= wTop are added.
template <typename Line>
void traceLine(PsychrometricDiagram& diagram, int index, const std::vector<float>& temperatures,
               float wTop, float pt, const Line& line) {
    for (const float start : temperatures) {
        float t = start;
        float w = line(t);
        if (relativeHumidity(t, w, pt) >= 100.0f && !refineToSaturation(t, w, pt, line)) continue;
        if (w >= 0.0f && w <= wTop) add(diagram, index, t, w);
    }
}

// Orders a series by x as the chart keeps it; equal x keep the order they were added in.
void sortByX(std::vector<DiagramPoint>& points) {
    std::stable_sort(points.begin(), points.end(),
                     [](const DiagramPoint& a, const DiagramPoint& b) {
                         if (std::isnan(a.x)) return false;
                         return std::isnan(b.x) || a.x < b.x;
                     });
}

}  // namespace

DiagramParameters diagramParameters(float tMin, float tMax, float pt, float wAtLeast) {
    DiagramParameters p;
    p.tMin = tMin;
    p.tMax = tMax;
    p.wTop = saturationHumidityRatio(f((2.0 * d(tMax) + d(tMin)) / 3.0), pt);
    if (std::isfinite(wAtLeast) && wAtLeast > p.wTop) p.wTop = wAtLeast;
    const float wsMin = saturationHumidityRatio(tMin, pt);
    p.hTop = f(10.0 * std::floor(d(enthalpy(tMax, p.wTop)) / 10.0));
    p.hBot = f(10.0 * std::floor(d(enthalpy(tMin, wsMin)) / 10.0));
    p.vTop = f(std::floor(100.0 * d(specificVolume(tMax, p.wTop, pt))) / 100.0);
    p.vBot = f(std::floor(100.0 * d(specificVolume(tMin, wsMin, pt))) / 100.0);
    p.hStep = f((d(p.hTop) - d(p.hBot)) * 0.1);
    p.vStep = f((d(p.vTop) - d(p.vBot)) * 0.1);
    return p;
}

void drawDiagramCurves(PsychrometricDiagram& diagram, float tMin, float tMax, float pt,
                       float wAtLeast) {
    for (auto& series : diagram.series)
        series.clear();
    diagram.curveValue.fill(0.0f);
    diagram.hasCurves = false;
    if (!(tMin <= tMax)) return;
    const DiagramParameters p = diagramParameters(tMin, tMax, pt, wAtLeast);
    diagram.bottomMin = tMin;
    diagram.bottomMax = tMax;
    diagram.leftMin = 0.0f;
    if (!(std::isfinite(p.wTop) && p.wTop > 0.0f)) return;
    diagram.leftMax = p.wTop * 1000.0f;
    diagram.hasCurves = true;

    const float wTop = p.wTop;
    std::vector<float> temperatures;
    for (float t = std::trunc(tMin); t <= tMax && temperatures.size() < kMaxCurveTemperatures;
         t = f(d(t) + 1.0))
        temperatures.push_back(t);

    // Relative humidity 10 %, 20 %, ..., 100 %, ending where each line meets the top edge.
    const float pvTop = vapourPressure(wTop, pt);
    for (int k = 1; k <= 10; ++k) {
        const int index = kRelativeHumiditySeries + k - 1;
        const double rh = 10.0 * k;
        diagram.curveValue[static_cast<std::size_t>(index)] = f(rh);
        for (const float t : temperatures) {
            const float w = humidityRatio(f(rh * d(saturationPressure(t)) * 0.01), pt);
            if (w <= wTop) add(diagram, index, t, w);
        }
        const float pv = f(d(pvTop) * 100.0 / rh);
        const float tx = dewPoint(humidityRatio(pv, pt), pt);
        if (relativeHumidity(tx, wTop, pt) <= 100.01f && tx < tMax) add(diagram, index, tx, wTop);
    }

    // Constant enthalpy; the end at w = 0 is drawn at x = h.
    for (int k = 0; k <= 10; ++k) {
        const int index = kEnthalpySeries + k;
        const float h = f(k * d(p.hStep) + d(p.hBot));
        diagram.curveValue[static_cast<std::size_t>(index)] = h;
        traceLine(diagram, index, temperatures, wTop, pt,
                  [h](float t) { return humidityRatioFromEnthalpy(t, h); });
        const float tt = temperatureFromEnthalpy(wTop, h);
        if (relativeHumidity(tt, wTop, pt) < 100.0f && tt < tMax) add(diagram, index, tt, wTop);
        if (h < tMax) add(diagram, index, h, 0.0f);
    }

    // Constant specific volume.
    for (int k = 0; k <= 12; ++k) {
        const int index = kVolumeSeries + k;
        const float v = f(k * d(p.vStep) + d(p.vBot));
        diagram.curveValue[static_cast<std::size_t>(index)] = v;
        traceLine(diagram, index, temperatures, wTop, pt,
                  [v, pt](float t) { return humidityRatioFromVolume(t, v, pt); });
        const float tt = temperatureFromVolume(wTop, v, pt);
        if (relativeHumidity(tt, wTop, pt) < 100.0f && tt < tMax) add(diagram, index, tt, wTop);
        const float t0 = temperatureFromVolumeAndVapourPressure(v, 0.0f, pt);
        if (t0 < tMax) add(diagram, index, t0, 0.0f);
    }

    // Constant wet bulb, a tenth of the range apart from tMin on. The steps add up in single
    // precision, so the tenth can stay just below tMax and an eleventh line follows; the lines
    // stop at the last series kept for them whatever the range.
    float twb = tMin;
    for (int index = kWetBulbSeries; index <= kLastWetBulbSeries; ++index) {
        twb = f(d(twb) + (d(tMax) - d(tMin)) * 0.1);
        diagram.curveValue[static_cast<std::size_t>(index)] = twb;
        const float ws = saturationHumidityRatio(twb, pt);
        traceLine(diagram, index, temperatures, wTop, pt,
                  [twb, ws](float t) { return humidityRatioFromWetBulb(t, twb, ws); });
        const float tt = temperatureFromWetBulb(twb, wTop, ws);
        if (relativeHumidity(tt, wTop, pt) < 100.0f && tt < tMax) add(diagram, index, tt, wTop);
        const float t0 = temperatureFromWetBulb(twb, 0.0f, ws);
        if (t0 < tMax) add(diagram, index, t0, 0.0f);
        if (twb >= tMax) break;
    }

    for (int index = 1; index < kMeasuredHoursSeries; ++index)
        sortByX(diagram.series[static_cast<std::size_t>(index)]);
}

YearSlotRange diagramYearSlots(const AnalysisState& state, int yearItem) {
    if (state.typicalYearIndex >= 0) return {1, 1, false};
    return yearSlotsOfItem(state, yearItem);
}

PsychrometricDiagram drawDiagram(const AnalysisState& state, const DiagramSettings& settings,
                                 const std::function<void(int)>& progress) {
    PsychrometricDiagram diagram;
    const YearSlotRange slots = diagramYearSlots(state, settings.yearItem);
    diagram.noDataCaption = noDataCaption(state, slots);
    const float tMin = state.plotTsMin;
    const float tMax = state.plotTsMax;
    // No valid hour leaves the plot range empty (50 down to -50): nothing to draw.
    if (!(tMin <= tMax)) {
        diagram.noValidHour = true;
        return diagram;
    }
    drawDiagramCurves(diagram, tMin, tMax, state.pt, state.plotWMax);

    auto& points = diagram.series[kMeasuredHoursSeries];
    for (int y = slots.first; y <= slots.last; ++y) {
        if (progress) progress(10 * y);
        for (int h = 1; h <= kHoursPerYear; ++h) {
            if (hourSelected(state, h, y))
                points.push_back({state.ts[h][y], state.w[h][y] * 1000.0f});
        }
    }
    sortByX(points);
    if (!diagram.hasCurves) {
        // Without the curves the left axis still has to hold the plotted hours.
        for (const DiagramPoint& point : points) {
            if (point.y > diagram.leftMax) diagram.leftMax = point.y;
        }
    }
    return diagram;
}

std::vector<DiagramLabel> diagramLabels(const PsychrometricDiagram& diagram,
                                        char decimalSeparator) {
    std::vector<DiagramLabel> labels;
    if (!diagram.hasCurves) return labels;
    // The lines of every family are sorted by x: relative humidity rises to the right (its
    // upper end is its last point), the other families fall (their upper end is the first).
    auto label = [&](int index, bool first, LabelPlacement placement, std::string text) {
        const auto& points = diagram.series[static_cast<std::size_t>(index)];
        if (points.empty()) return;
        labels.push_back(
            {index, first ? points.front() : points.back(), placement, std::move(text)});
    };
    auto value = [&](int index) { return diagram.curveValue[static_cast<std::size_t>(index)]; };
    for (int index = kRelativeHumiditySeries; index < kEnthalpySeries; ++index)
        label(index, false, LabelPlacement::Left, numberText(value(index), 5, 0) + " %");
    for (int index = kEnthalpySeries; index < kVolumeSeries; ++index)
        label(index, true, LabelPlacement::AboveLeft,
              numberText(value(index), 5, 0, decimalSeparator) + " kJ/kg");
    for (int index = kVolumeSeries; index < kWetBulbSeries; ++index)
        label(index, true, LabelPlacement::Right,
              numberText(value(index), 5, 3, decimalSeparator) + " m³/kg");
    for (int index = kWetBulbSeries; index < kLastWetBulbSeries; ++index)
        label(index, false, LabelPlacement::BelowRight,
              "Th " + numberText(value(index), 5, 1, decimalSeparator) + " ºC");
    return labels;
}

DiagramReadout diagramReadout(float dryBulb, float humidityRatioGkg, float pt,
                              char decimalSeparator) {
    DiagramReadout r;
    const float w = humidityRatioGkg / 1000.0f;
    if (!(w >= 0.0f) || !std::isfinite(dryBulb) || !(pt > 0.0f)) return r;
    r.dryBulb = dryBulb;
    r.humidityRatio = humidityRatioGkg;
    r.relativeHumidity = relativeHumidity(dryBulb, w, pt);
    r.enthalpy = enthalpy(dryBulb, w);
    r.specificVolume = specificVolume(dryBulb, w, pt);
    const std::string head = "Ts " + numberText(dryBulb, 5, 1, decimalSeparator) + " ºC   W " +
                             numberText(humidityRatioGkg, 5, 2, decimalSeparator) + " g/kg";
    if (!(r.relativeHumidity <= 100.0f)) {
        r.supersaturated = true;
        r.text = head + "   aire sobresaturado (por encima de la curva de saturación)";
        return r;
    }
    r.wetBulb = wetBulb(dryBulb, w, pt);
    r.text = head + "   HR " + numberText(r.relativeHumidity, 5, 0, decimalSeparator) + " %   Th " +
             numberText(r.wetBulb, 5, 1, decimalSeparator) + " ºC   h " +
             numberText(r.enthalpy, 5, 1, decimalSeparator) + " kJ/kg   v " +
             numberText(r.specificVolume, 5, 3, decimalSeparator) + " m³/kg";
    return r;
}

DiagramSeriesStyle diagramSeriesStyle(int index) {
    DiagramSeriesStyle style;
    if (index >= kRelativeHumiditySeries && index < kEnthalpySeries) {
        style.kind = DiagramSeriesKind::Line;
        style.colour = 0x000000;
        if (index == 10) style.penWidth = 2;
        if (index == 5) style.marker = DiagramMarker::Circle;
    } else if (index >= kEnthalpySeries && index < kVolumeSeries) {
        style.kind = DiagramSeriesKind::Line;
        style.colour = 0x00FFFF;
    } else if (index >= kVolumeSeries && index < kWetBulbSeries) {
        style.kind = DiagramSeriesKind::Line;
        style.colour = 0xFFFF00;
    } else if (index >= kWetBulbSeries && index < kLastWetBulbSeries) {
        style.kind = DiagramSeriesKind::Line;
        style.colour = 0x008080;
        if (index == 44) {
            style.marker = DiagramMarker::Square;
            style.markerSize = 3;
        }
    } else if (index == kLastWetBulbSeries) {
        style.kind = DiagramSeriesKind::Points;
        style.colour = 0x008080;
        style.marker = DiagramMarker::Circle;
        style.markerSize = 1;
    } else if (index == kMeasuredHoursSeries) {
        style.kind = DiagramSeriesKind::Points;
        style.colour = 0x000000;
        style.marker = DiagramMarker::Square;
        style.markerSize = 1;
    }
    return style;
}

}  // namespace climstat
