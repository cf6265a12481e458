#include "data/map_regions.h"

#include <gtest/gtest.h>

#include <memory>

#include "data/typical_year_table.h"

namespace climstat {
namespace {

TEST(MapRegions, BoundsAreInclusiveAndTheFirstRegionWins) {
    EXPECT_EQ(mapRegions().size(), 52u);
    EXPECT_EQ(mapCityAt(158, 20), "A Coruña");
    EXPECT_EQ(mapCityAt(237, 38), "A Coruña");
    EXPECT_EQ(mapCityAt(157, 20), "");
    EXPECT_EQ(mapCityAt(238, 20), "");
    EXPECT_EQ(mapCityAt(620, 145), "Barcelona");  // Tarragona overlaps here
    EXPECT_EQ(mapCityAt(620, 150), "Tarragona");
    // Every region names a capital of the 2006 list, and only Barcelona/Tarragona overlap.
    for (const MapRegion& a : mapRegions()) {
        EXPECT_GT(typicalYearPosition2006(a.name), 0) << a.name;
        EXPECT_LE(typicalYearPosition2006(a.name), 52) << a.name;
        for (const MapRegion& b : mapRegions()) {
            if (&a == &b || (a.name == "Barcelona" && b.name == "Tarragona") ||
                (a.name == "Tarragona" && b.name == "Barcelona")) {
                continue;
            }
            const bool overlap =
                a.xFrom <= b.xTo && b.xFrom <= a.xTo && a.yFrom <= b.yTo && b.yFrom <= a.yTo;
            EXPECT_FALSE(overlap) << a.name << " / " << b.name;
        }
    }
}

TEST(MapRegions, HoverLeavesTheNameThatADoubleClickSelects) {
    auto state = std::make_unique<AnalysisState>();
    MapHover hover = mapPointerMoved(*state, 450, 20);
    EXPECT_TRUE(hover.overCity);
    EXPECT_EQ(hover.provinceLabel, "Ciudad: Donostia-San Sebastián");
    EXPECT_EQ(mapDoubleClickPosition(*state), 17);
    hover = mapPointerMoved(*state, 5, 5);
    EXPECT_FALSE(hover.overCity);
    EXPECT_TRUE(state->mapCityName.empty());
    EXPECT_EQ(mapDoubleClickPosition(*state), 0);
}

TEST(MapRegions, ThePictureStaysOnItsCanvasAndEveryNameHasItsRegion) {
    const MapPicture map = mapPicture();
    ASSERT_EQ(map.labels.size(), 52u);
    for (const MapShape& shape : map.shapes) {
        ASSERT_GE(shape.outline.size(), 3u);
        for (const MapPoint& p : shape.outline) {
            EXPECT_GE(p.x, 0);
            EXPECT_LT(p.x, kMapWidth);
            EXPECT_GE(p.y, 0);
            EXPECT_LT(p.y, kMapHeight);
        }
    }
    for (const MapLabel& label : map.labels) {
        const int x = (label.bounds.left + label.bounds.right - 1) / 2;
        const int y = (label.bounds.top + label.bounds.bottom - 1) / 2;
        if (label.text != "Tarragona") {
            EXPECT_EQ(mapCityAt(x, y), label.text);
        }
    }
}

}  // namespace
}  // namespace climstat
