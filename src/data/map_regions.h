#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis_state.h"
#include "selection/drawing.h"

namespace climstat {

// The map of the 2006 capitals: a 714 x 500 picture on which every capital has a rectangle
// around its printed name. Pointer coordinates are picture pixels.
inline constexpr int kMapWidth = 714;
inline constexpr int kMapHeight = 500;

// A capital's rectangle, bounds inclusive.
struct MapRegion {
    std::string_view name;  // the name of the 2006 location table
    int xFrom = 0;
    int xTo = 0;
    int yFrom = 0;
    int yTo = 0;
    bool contains(int x, int y) const { return x >= xFrom && x <= xTo && y >= yFrom && y <= yTo; }
};

// The 52 regions in the order they are tested.
std::span<const MapRegion> mapRegions();

// Name of the first region that holds the point, empty over no region.
std::string_view mapCityAt(int x, int y);

// What the station page shows after a pointer movement over the map.
struct MapHover {
    bool overCity = false;
    std::string provinceLabel;  // LProvincia: "Ciudad: " + name when over a city
};

// Pointer movement over the map: mapCityName becomes the city under the pointer (empty over
// no region). Over a city the province label names it and the altitude label is cleared;
// over no region both keep their captions. The code label is cleared in every case.
MapHover mapPointerMoved(AnalysisState& state, int x, int y);

// Position in the 2006 list of the city left by the last pointer movement (0, "Ninguna
// selección", when the pointer was over no region): what a double click selects.
int mapDoubleClickPosition(const AnalysisState& state);

// --- The picture, drawn at run time ---

struct MapPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const MapPoint&, const MapPoint&) = default;
};

// A closed outline filled with one colour and drawn with a darker edge.
struct MapShape {
    std::vector<MapPoint> outline;
    Rgb fill;
    Rgb edge;
};

// The name of a capital, to be written inside its region (word-wrapped when it does not fit
// on one line).
struct MapLabel {
    std::string_view text;
    FilledRect bounds;  // right and bottom exclusive: the region's inclusive bounds + 1
};

struct MapPicture {
    Rgb sea;
    std::vector<MapShape> shapes;  // painted in order: land, then the neighbour and islands
    FilledRect insetFrame;         // frame of the Canary Islands inset (outline only)
    Rgb insetFrameColour;
    std::vector<MapLabel> labels;
    Font labelFont;
};

// A simplified map of the Iberian Peninsula (Portugal in another shade), the Balearic Islands,
// Ceuta, Melilla and an inset of the Canary Islands, with every capital's name in its region.
MapPicture mapPicture();

}  // namespace climstat
