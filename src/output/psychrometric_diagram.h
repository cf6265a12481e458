#pragma once

#include <array>
#include <functional>
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
DiagramParameters diagramParameters(float tMin, float tMax, float pt);

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
};

// Sets the axes and traces the four curve families over [tMin, tMax] at pressure pt into series
// 1..45 (clearing every series first). Traces nothing when the range is empty or the top of the
// humidity axis cannot be computed (temperatures at which air would boil at pt).
void drawDiagramCurves(PsychrometricDiagram& diagram, float tMin, float tMax, float pt);

// What the diagram page's controls hold.
struct DiagramSettings {
    int yearItem = 10;  // "Años a representar": a position of yearListItems
};

// Year slots whose hours are plotted: slot 1 whenever a typical-year location is loaded,
// otherwise the slots of the chosen position of the year list (yearSlotsOfItem). Throws
// UsageError for a position outside the list when several years are loaded.
YearSlotRange diagramYearSlots(const AnalysisState& state, int yearItem);

// The whole diagram: curves over the plot range of the last selection pass and, in series 46,
// the point (ts, 1000 w) of every selected hour of the chosen year slots. `progress` (when set)
// receives 10 x year slot, in percent, as each slot is plotted.
PsychrometricDiagram drawDiagram(const AnalysisState& state, const DiagramSettings& settings,
                                 const std::function<void(int)>& progress = {});

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
