#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"
#include "stats/hourly_values.h"

namespace climstat {

// Series of the diagram chart, by index 0..69 (0 and 47..69 stay empty).
inline constexpr int kDiagramSeriesCount = 70;
inline constexpr int kRelativeHumiditySeries = 1;  // 1..10: 10 %, 20 %, ..., 100 %
inline constexpr int kEnthalpySeries = 11;         // 11..21
inline constexpr int kVolumeSeries = 22;           // 22..34
inline constexpr int kWetBulbSeries = 35;          // 35..44, an eleventh line in 45
inline constexpr int kLastWetBulbSeries = 45;
inline constexpr int kMeasuredHoursSeries = 46;

inline constexpr std::string_view kDiagramBottomTitle = "Temperatura Seca   Ts (ºC)";
inline constexpr std::string_view kDiagramLeftTitle = "Humedad específica   W   (g/kg a.s)";

// A point of the chart: x dry-bulb temperature (degC), y humidity ratio (g/kg).
struct DiagramPoint {
    float x = 0;
    float y = 0;
};

// The working values of one drawing over the temperature range [tMin, tMax] at pressure pt:
// wTop the top of the humidity axis (kg/kg), the enthalpy (kJ/kg) and specific-volume (m3/kg)
// ranges of the lines and their steps.
struct DiagramParameters {
    float tMin = 0;
    float tMax = 0;
    float wTop = 0;
    float hTop = 0;
    float hBot = 0;
    float vTop = 0;
    float vBot = 0;
    float hStep = 0;
    float vStep = 0;
};
// The top of the humidity axis is raised to wAtLeast (kg/kg) when the data reach above it, and
// the enthalpy and volume ranges follow the raised top; otherwise nothing changes.
DiagramParameters diagramParameters(float tMin, float tMax, float pt, float wAtLeast = 0.0f);

// The diagram as data: axis ranges and the points of every series, each series sorted by x as
// the chart keeps it. `noValidHour` is set when the data hold no valid hour (the plot range is
// empty): then there are no curves and no points and both axes run from 0 to 1.
struct PsychrometricDiagram {
    bool noValidHour = false;
    bool hasCurves = false;
    float bottomMin = 0;  // dry-bulb temperature, degC
    float bottomMax = 1;
    float leftMin = 0;  // humidity ratio, g/kg
    float leftMax = 1;
    std::array<std::vector<DiagramPoint>, kDiagramSeriesCount> series;
    // The value each curve stands for: relative humidity %, enthalpy kJ/kg, specific volume
    // m3/kg or wet-bulb temperature degC (0 for the other series).
    std::array<float, kDiagramSeriesCount> curveValue{};
    std::string noDataCaption;  // the plotted year slots hold no data: "Sin datos para 2001"
};

// Sets the axes and traces the four curve families over [tMin, tMax] at pressure pt into series
// 1..45 (clearing every series first), the top of the humidity axis raised to wAtLeast (kg/kg)
// when that is higher. Traces nothing when the range is empty or the top of the humidity axis
// cannot be computed (temperatures at which air would boil at pt).
void drawDiagramCurves(PsychrometricDiagram& diagram, float tMin, float tMax, float pt,
                       float wAtLeast = 0.0f);

// What the diagram page's controls hold.
struct DiagramSettings {
    int yearItem = 10;  // "Años a representar": a position of yearListItems
};

// Year slots whose hours are plotted: slot 1 whenever a typical-year location is loaded,
// otherwise the slots of the chosen position of the year list (yearSlotsOfItem). Throws
// UsageError for a position outside the list when several years are loaded.
YearSlotRange diagramYearSlots(const AnalysisState& state, int yearItem);

// The whole diagram: curves over the plot range of the last selection pass and, in series 46,
// the point (ts, 1000 w) of every selected hour of the chosen year slots. When the valid hours
// reach above the top of the humidity axis, the axis and its curves are raised to their highest
// humidity ratio (plotWMax), so that every plotted hour lies inside the axes. `progress` (when set)
// receives 10 x year slot, in percent, as each slot is plotted.
PsychrometricDiagram drawDiagram(const AnalysisState& state, const DiagramSettings& settings,
                                 const std::function<void(int)>& progress = {});

// The name of a curve written at one of its ends, as printed diagrams label their families:
// relative humidity at the upper end ("50 %"), enthalpy outside the saturation curve at the
// upper left end ("40 kJ/kg"), specific volume inside it at the same end ("0,850 m³/kg"), wet
// bulb at the lower right end ("Th 18,0 ºC").
enum class LabelPlacement { AboveLeft, Left, Right, BelowRight };
struct DiagramLabel {
    int series = 0;   // the series the label names
    DiagramPoint at;  // the end of the line, in chart units
    LabelPlacement placement = LabelPlacement::Right;
    std::string text;
};
std::vector<DiagramLabel> diagramLabels(const PsychrometricDiagram& diagram, char decimalSeparator);

// What the diagram says about the air at a point of the chart (temperature degC, humidity
// ratio g/kg) at pressure pt, as the pointer shows it: "Ts 25,0 ºC   W 10,20 g/kg   HR 51 %
// Th 18,3 ºC   h 51,1 kJ/kg   v 0,861 m³/kg". Above the saturation curve it says the air would
// be supersaturated; outside the chart's ranges (W below 0) it gives an empty text.
struct DiagramReadout {
    float dryBulb = 0, humidityRatio = 0, relativeHumidity = 0, wetBulb = 0, enthalpy = 0,
          specificVolume = 0;  // degC, g/kg, %, degC, kJ/kg, m3/kg
    bool supersaturated = false;
    std::string text;
};
DiagramReadout diagramReadout(float dryBulb, float humidityRatioGkg, float pt,
                              char decimalSeparator);

// How a series is drawn.
enum class DiagramSeriesKind { Unused, Line, Points };
enum class DiagramMarker { None, Circle, Square };
struct DiagramSeriesStyle {
    DiagramSeriesKind kind = DiagramSeriesKind::Unused;
    unsigned colour = 0;  // 0xRRGGBB
    int penWidth = 1;
    DiagramMarker marker = DiagramMarker::None;
    int markerSize = 0;  // pixels; 0 = the chart's small default
};
DiagramSeriesStyle diagramSeriesStyle(int index);

}  // namespace climstat
