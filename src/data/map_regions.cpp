#include "data/map_regions.h"

#include <array>
#include <cmath>

#include "data/typical_year_table.h"

namespace climstat {

namespace {

// clang-format off
constexpr std::array<MapRegion, 52> kRegions{{
    {"A Coruña", 158, 237, 20, 38},
    {"Vitoria-Gasteiz", 423, 460, 58, 77},
    {"Albacete", 435, 484, 255, 277},
    {"Alicante", 509, 562, 283, 311},
    {"Almería", 440, 483, 363, 383},
    {"Oviedo", 304, 360, 34, 52},
    {"Avila", 340, 366, 172, 185},
    {"Badajoz", 213, 268, 250, 269},
    {"Barcelona", 606, 669, 124, 149},
    {"Burgos", 387, 432, 83, 106},
    {"Cáceres", 279, 326, 219, 239},
    {"Cádiz", 255, 297, 378, 394},
    {"Santander", 384, 436, 11, 37},
    {"Castellón de la Plana", 509, 572, 172, 210},
    {"Ceuta", 315, 349, 415, 437},
    {"Ciudad Real", 363, 420, 256, 276},
    {"Córdoba", 296, 356, 301, 321},
    {"Cuenca", 424, 463, 207, 226},
    {"Girona", 631, 686, 95, 117},
    {"Granada", 386, 437, 342, 359},
    {"Guadalajara", 413, 480, 150, 170},
    {"Donostia-San Sebastián", 446, 521, 17, 41},
    {"Huelva", 248, 288, 340, 362},
    {"Huesca", 514, 561, 84, 100},
    {"Palma de Mallorca", 583, 662, 223, 258},
    {"Jaén", 363, 392, 315, 331},
    {"Logroño", 441, 488, 84, 100},
    {"Las Palmas de Gran Canaria", 174, 253, 448, 471},
    {"León", 310, 359, 55, 76},
    {"Lugo", 240, 291, 40, 55},
    {"Lleida", 554, 588, 109, 127},
    {"Madrid", 379, 420, 180, 200},
    {"Málaga", 357, 410, 369, 393},
    {"Melilla", 384, 429, 415, 437},
    {"Murcia", 450, 499, 300, 314},
    {"Pamplona", 466, 526, 60, 81},
    {"Ourense", 224, 284, 76, 96},
    {"Palencia", 334, 382, 90, 111},
    {"Pontevedra", 133, 215, 77, 96},
    {"Salamanca", 285, 338, 151, 174},
    {"Santa Cruz de Tenerife", 126, 200, 396, 434},
    {"Segovia", 366, 406, 147, 164},
    {"Sevilla", 289, 329, 332, 352},
    {"Soria", 428, 465, 109, 128},
    {"Tarragona", 573, 632, 140, 162},
    {"Teruel", 457, 506, 182, 205},
    {"Toledo", 351, 390, 209, 226},
    {"Valencia", 475, 535, 212, 243},
    {"Zamora", 301, 348, 115, 143},
    {"Zaragoza", 490, 546, 109, 135},
    {"Valladolid", 353, 410, 120, 139},
    {"Bilbao", 388, 436, 40, 53},
}};
// clang-format on

struct LonLat {
    double lon;
    double lat;
};

// The peninsula is drawn in a plain projection fitted to the printed names: degrees of
// longitude and latitude map linearly to picture pixels.
MapPoint project(LonLat p) {
    return {static_cast<int>(std::lround(546.5 + 41.6 * p.lon)),
            static_cast<int>(std::lround(2293.0 - 52.2 * p.lat))};
}

std::vector<MapPoint> projected(std::initializer_list<LonLat> points) {
    std::vector<MapPoint> outline;
    outline.reserve(points.size());
    for (const LonLat& p : points)
        outline.push_back(project(p));
    return outline;
}

// Coast and Pyrenees of the peninsula, clockwise from Estaca de Bares.
std::vector<MapPoint> iberia() {
    return projected({
        {-7.69, 43.79}, {-8.00, 43.70}, {-8.30, 43.55}, {-8.40, 43.37}, {-8.95, 43.25},
        {-9.27, 42.88}, {-8.95, 42.55}, {-8.85, 42.25}, {-8.87, 41.87}, {-8.78, 41.40},
        {-8.65, 41.00}, {-8.75, 40.64}, {-8.90, 40.15}, {-9.41, 39.36}, {-9.50, 38.78},
        {-9.10, 38.65}, {-9.20, 38.42}, {-8.80, 38.45}, {-8.87, 37.95}, {-8.80, 37.40},
        {-8.99, 37.02}, {-8.60, 37.10}, {-7.93, 37.00}, {-7.40, 37.17}, {-6.95, 37.20},
        {-6.40, 36.80}, {-6.29, 36.53}, {-6.00, 36.20}, {-5.60, 36.01}, {-5.35, 36.14},
        {-4.90, 36.48}, {-4.42, 36.72}, {-3.52, 36.72}, {-2.46, 36.84}, {-2.19, 36.72},
        {-1.90, 37.00}, {-1.60, 37.40}, {-0.98, 37.60}, {-0.69, 37.63}, {-0.75, 37.85},
        {-0.48, 38.35}, {0.23, 38.73},  {-0.10, 39.00}, {-0.33, 39.47}, {-0.03, 39.98},
        {0.40, 40.35},  {0.87, 40.72},  {1.25, 41.12},  {2.17, 41.39},  {2.80, 41.70},
        {3.20, 41.90},  {3.32, 42.32},  {3.16, 42.43},  {2.50, 42.40},  {1.70, 42.50},
        {0.70, 42.80},  {0.00, 42.70},  {-0.80, 42.90}, {-1.40, 43.05}, {-1.79, 43.37},
        {-1.98, 43.32}, {-2.70, 43.40}, {-3.00, 43.38}, {-3.80, 43.46}, {-4.50, 43.40},
        {-5.66, 43.54}, {-5.85, 43.66}, {-6.30, 43.57}, {-7.04, 43.54},
    });
}

// Portugal: the border from the mouth of the Miño to the mouth of the Guadiana, then the coast.
std::vector<MapPoint> portugal() {
    return projected({
        {-8.87, 41.87}, {-8.20, 42.10}, {-8.10, 41.85}, {-7.20, 41.90}, {-6.60, 41.95},
        {-6.20, 41.60}, {-6.90, 41.00}, {-6.80, 40.30}, {-7.00, 40.00}, {-7.50, 39.66},
        {-7.00, 39.30}, {-7.20, 38.80}, {-6.95, 38.20}, {-7.30, 37.80}, {-7.45, 37.50},
        {-7.40, 37.17}, {-7.93, 37.00}, {-8.60, 37.10}, {-8.99, 37.02}, {-8.80, 37.40},
        {-8.87, 37.95}, {-8.80, 38.45}, {-9.20, 38.42}, {-9.10, 38.65}, {-9.50, 38.78},
        {-9.41, 39.36}, {-8.90, 40.15}, {-8.75, 40.64}, {-8.65, 41.00}, {-8.78, 41.40},
    });
}

// The coast of North Africa along the bottom edge, east of the inset.
std::vector<MapPoint> northAfrica() {
    std::vector<MapPoint> outline = projected({
        {-5.50, 35.84},
        {-5.32, 35.90},
        {-5.00, 35.55},
        {-4.40, 35.20},
        {-3.90, 35.22},
        {-3.30, 35.20},
        {-2.95, 35.28},
        {-2.50, 35.10},
        {-1.80, 35.10},
        {-1.20, 35.30},
        {-0.64, 35.70},
        {0.00, 35.85},
        {1.50, 36.50},
        {3.06, 36.77},
        {4.00, 36.90},
    });
    outline.push_back({kMapWidth - 1, outline.back().y});
    outline.push_back({kMapWidth - 1, kMapHeight - 1});
    outline.push_back({outline.front().x, kMapHeight - 1});
    return outline;
}

// A small square around a point: the two cities on the African coast.
std::vector<MapPoint> cityMark(LonLat p) {
    const MapPoint c = project(p);
    return {{c.x - 4, c.y - 4}, {c.x + 4, c.y - 4}, {c.x + 4, c.y + 4}, {c.x - 4, c.y + 4}};
}

}  // namespace

std::span<const MapRegion> mapRegions() {
    return kRegions;
}

std::string_view mapCityAt(int x, int y) {
    for (const MapRegion& region : kRegions) {
        if (region.contains(x, y)) return region.name;
    }
    return {};
}

MapHover mapPointerMoved(AnalysisState& state, int x, int y) {
    state.mapCityName = std::string(mapCityAt(x, y));
    MapHover hover;
    if (!state.mapCityName.empty()) {
        hover.overCity = true;
        hover.provinceLabel = "Ciudad: " + state.mapCityName;
    }
    return hover;
}

int mapDoubleClickPosition(const AnalysisState& state) {
    if (state.mapCityName.empty()) return 0;
    return typicalYearPosition2006(state.mapCityName);
}

MapPicture mapPicture() {
    constexpr Rgb kSpain{238, 226, 178};
    constexpr Rgb kNeighbour{214, 214, 204};
    constexpr Rgb kCoast{120, 100, 60};
    constexpr Rgb kBorder{150, 150, 140};

    MapPicture picture;
    picture.sea = {200, 226, 244};
    picture.shapes.push_back({iberia(), kSpain, kCoast});
    picture.shapes.push_back({portugal(), kNeighbour, kBorder});
    picture.shapes.push_back({northAfrica(), kNeighbour, kBorder});
    picture.shapes.push_back({cityMark({-5.32, 35.89}), kSpain, kCoast});  // Ceuta
    picture.shapes.push_back({cityMark({-2.94, 35.29}), kSpain, kCoast});  // Melilla
    // Balearic Islands: Mallorca, Menorca (drawn closer than it lies, to stay on the picture),
    // Ibiza, Formentera.
    picture.shapes.push_back({projected({{2.35, 39.58},
                                         {2.70, 39.90},
                                         {3.20, 39.95},
                                         {3.10, 39.80},
                                         {3.45, 39.72},
                                         {3.30, 39.40},
                                         {3.05, 39.27},
                                         {2.75, 39.50},
                                         {2.55, 39.45}}),
                              kSpain, kCoast});
    picture.shapes.push_back(
        {projected({{3.10, 40.30}, {3.40, 40.38}, {3.62, 40.18}, {3.50, 40.12}, {3.13, 40.22}}),
         kSpain, kCoast});
    picture.shapes.push_back(
        {projected({{1.25, 38.95}, {1.40, 39.10}, {1.60, 39.05}, {1.60, 38.95}, {1.45, 38.85}}),
         kSpain, kCoast});
    picture.shapes.push_back(
        {projected({{1.38, 38.74}, {1.56, 38.72}, {1.50, 38.64}, {1.40, 38.64}}), kSpain, kCoast});

    // The Canary Islands in their inset, placed beside the names of their two capitals:
    // El Hierro, La Palma, La Gomera, Tenerife, Gran Canaria, Fuerteventura, Lanzarote.
    picture.insetFrame = {4, 395, 314, 499, kCoast};
    picture.insetFrameColour = kCoast;
    const std::vector<std::vector<MapPoint>> canaries = {
        {{12, 478}, {22, 470}, {32, 474}, {26, 482}, {16, 484}},
        {{30, 408}, {38, 404}, {42, 418}, {37, 434}, {31, 428}},
        {{50, 444}, {58, 438}, {66, 442}, {64, 452}, {54, 453}},
        {{68, 440}, {82, 448}, {100, 442}, {121, 412}, {112, 410}, {90, 425}, {72, 428}},
        {{135, 462}, {142, 448}, {156, 444}, {169, 452}, {170, 467}, {160, 479}, {144, 478}},
        {{258, 475}, {268, 470}, {282, 445}, {292, 428}, {296, 432}, {288, 452}, {272, 478}},
        {{290, 420}, {300, 402}, {310, 398}, {311, 410}, {302, 422}},
    };
    for (const auto& island : canaries)
        picture.shapes.push_back({island, kSpain, kCoast});

    for (const MapRegion& region : kRegions) {
        picture.labels.push_back(
            {region.name, {region.xFrom, region.yFrom, region.xTo + 1, region.yTo + 1, kBlack}});
    }
    picture.labelFont = {"DejaVu Sans", 9, true, false, {0, 0, 96}};
    return picture;
}

}  // namespace climstat
