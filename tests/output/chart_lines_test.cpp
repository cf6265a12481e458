#include "output/chart_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

namespace climstat {
namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Lowest and highest y, first and last x of every pixel column of a run.
struct ColumnExtent {
    double low = 1e300, high = -1e300, firstX = 1e300, lastX = -1e300;
};
std::map<long, ColumnExtent> extents(const std::vector<ChartPoint>& run, const PixelColumns& c) {
    std::map<long, ColumnExtent> columns;
    for (const ChartPoint& p : run) {
        const long column =
            static_cast<long>(std::floor(c.left + (p.x - c.xMin) * c.width / (c.xMax - c.xMin)));
        ColumnExtent& e = columns[column];
        e.low = std::min(e.low, p.y);
        e.high = std::max(e.high, p.y);
        e.firstX = std::min(e.firstX, p.x);
        e.lastX = std::max(e.lastX, p.x);
    }
    return columns;
}

TEST(DrawnLineRuns, EveryPixelColumnKeepsItsExtentAndItsJoinsWithFewPoints) {
    // Twelve years of hours with a long flat run (an August at 0) on a plot 997.3 pixels wide
    // that starts at a fraction of a pixel.
    std::vector<ChartPoint> points;
    for (int i = 1; i <= 105120; ++i) {
        const bool flat = i > 5088 && i <= 5832;
        points.push_back({static_cast<double>(i), flat ? 0.0 : 15 + 10 * std::sin(i * 0.26)});
    }
    const PixelColumns columns{1, 105120, 63.4, 997.3};
    const auto runs = drawnLineRuns(points, columns);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_LE(runs[0].size(), 4u * 999u);
    EXPECT_EQ(runs[0].front().x, 1.0);
    EXPECT_EQ(runs[0].back().x, 105120.0);
    const auto full = extents(points, columns);
    const auto kept = extents(runs[0], columns);
    ASSERT_EQ(full.size(), kept.size());
    for (const auto& [column, e] : full) {
        const ColumnExtent& k = kept.at(column);
        EXPECT_EQ(k.low, e.low) << column;
        EXPECT_EQ(k.high, e.high) << column;
        EXPECT_EQ(k.firstX, e.firstX) << column;
        EXPECT_EQ(k.lastX, e.lastX) << column;
    }
    for (std::size_t i = 1; i < runs[0].size(); ++i)
        ASSERT_LT(runs[0][i - 1].x, runs[0][i].x);
}

TEST(DrawnLineRuns, PointsWithoutValueBreakTheLine) {
    const std::vector<ChartPoint> points = {{1, kNoValue},
                                            {2, 5},
                                            {3, 6},
                                            {4, kNoValue},
                                            {5, kNoValue},
                                            {6, 0},
                                            {7, std::numeric_limits<double>::infinity()},
                                            {8, 2}};
    const auto runs = drawnLineRuns(points, {1, 8, 0, 800});
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].size(), 2u);
    EXPECT_EQ(runs[0][0].x, 2.0);
    EXPECT_EQ(runs[1].size(), 1u);  // a single hour between gaps is still drawn
    EXPECT_EQ(runs[1][0].y, 0.0);
    EXPECT_EQ(runs[2][0].x, 8.0);
    EXPECT_TRUE(drawnLineRuns({{1, kNoValue}, {2, kNoValue}}, {1, 2, 0, 100}).empty());
}

TEST(DrawnLineRuns, WithoutAPixelMappingEveryPointIsKept) {
    std::vector<ChartPoint> points;
    for (int i = 0; i < 50; ++i)
        points.push_back({static_cast<double>(i), static_cast<double>(i % 7)});
    for (const PixelColumns& none :
         {PixelColumns{0, 49, 0, 0}, PixelColumns{5, 5, 0, 300}, PixelColumns{0, kNoValue, 0, 300}})
        ASSERT_EQ(drawnLineRuns(points, none).at(0).size(), 50u);
}

TEST(PointPixels, EachPointInsideTheAxesLightsTheOnePixelUnderItOnce) {
    // Axes 0..10 by 0..5 over a plot of 100 x 50 pixels that starts at (20.5, 10.25).
    const PixelArea area{0, 10, 0, 5, 20.5, 10.25, 100, 50};
    struct Point {
        float x, y;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Point> points = {
        {0, 5},        // the top left corner
        {10, 0},       // the bottom right corner: the last column and row
        {5, 2.5},      // the middle
        {5.01f, 2.5},  // the same pixel again
        {-0.1f, 1},    // left of the axis
        {3, 5.2f},     // above it
        {nan, 1},      // no value
        {2, nan},
    };
    const std::vector<Pixel> pixels = pointPixels(points, area);
    ASSERT_EQ(pixels.size(), 3u);
    EXPECT_EQ(pixels[0], (Pixel{20, 10}));
    EXPECT_EQ(pixels[1], (Pixel{120, 60}));
    EXPECT_EQ(pixels[2], (Pixel{70, 35}));

    // A plot without size or an axis without range lights nothing.
    EXPECT_TRUE(pointPixels(points, PixelArea{0, 10, 0, 5, 0, 0, 0, 50}).empty());
    EXPECT_TRUE(pointPixels(points, PixelArea{0, 0, 0, 5, 0, 0, 100, 50}).empty());
    EXPECT_TRUE(pointPixels(points, PixelArea{0, 10, 5, 0, 0, 0, 100, 50}).empty());
}

}  // namespace
}  // namespace climstat
