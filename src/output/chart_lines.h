#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "stats/chart_point.h"

namespace climstat {

// Where the x values of a chart land on the screen: x = xMin at pixel `left`, x = xMax at
// `left` + `width` (device pixels, fractions allowed).
struct PixelColumns {
    double xMin = 0;
    double xMax = 1;
    double left = 0;
    double width = 0;
    bool operator==(const PixelColumns&) const = default;
};

// The runs of a chart line as they are drawn: a point whose y is not a finite number has no value
// and breaks the line, so the points with a value are split into runs of consecutive points. Each
// run keeps, of every pixel column it passes through, the first, lowest, highest and last point
// in their order: a line through them lights exactly the pixels the full line lights (inside a
// column the line covers its lowest to its highest value; between columns the joins are kept),
// whatever the number of points. Without a usable pixel mapping (no width, empty x range, x not
// finite) the runs keep every point. Points are expected in x order, as a line series keeps them.
std::vector<std::vector<ChartPoint>> drawnLineRuns(const std::vector<ChartPoint>& points,
                                                   const PixelColumns& columns);

// Where the values of a chart land on the screen, both ways: x = xMin at pixel `left` and xMax
// at `left` + `width`; y = yMax at pixel `top` and yMin at `top` + `height` (device pixels,
// fractions allowed, y growing downwards).
struct PixelArea {
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// A device pixel.
struct Pixel {
    int x = 0;
    int y = 0;
    bool operator==(const Pixel&) const = default;
};

// Whether a pixel area maps values to pixels at all (a size, finite ranges that are not empty).
bool mapsToPixels(const PixelArea& area);

// The pixels of the area that the points of a point series light: the pixel under each point
// with a value inside the area (its edges included), each pixel once however many points fall
// on it, in the order of the first point on it. Points with no value (not finite) or outside
// the axes light none; an area that maps nothing gives no pixels.
template <class Point>
std::vector<Pixel> pointPixels(const std::vector<Point>& points, const PixelArea& area) {
    std::vector<Pixel> pixels;
    if (!mapsToPixels(area)) return pixels;
    const int firstColumn = static_cast<int>(std::floor(area.left));
    const int firstRow = static_cast<int>(std::floor(area.top));
    const int columns = static_cast<int>(std::ceil(area.left + area.width)) - firstColumn;
    const int rows = static_cast<int>(std::ceil(area.top + area.height)) - firstRow;
    std::vector<std::uint8_t> lit(static_cast<std::size_t>(columns) * rows, 0);
    const double xScale = area.width / (area.xMax - area.xMin);
    const double yScale = area.height / (area.yMax - area.yMin);
    for (const Point& p : points) {
        const double x = p.x, y = p.y;
        if (!(x >= area.xMin && x <= area.xMax && y >= area.yMin && y <= area.yMax)) continue;
        // The far edges belong to the last column and row.
        const int column = std::min(
            columns - 1,
            static_cast<int>(std::floor(area.left + (x - area.xMin) * xScale)) - firstColumn);
        const int row = std::min(
            rows - 1, static_cast<int>(std::floor(area.top + (area.yMax - y) * yScale)) - firstRow);
        std::uint8_t& seen = lit[static_cast<std::size_t>(row) * columns + column];
        if (seen) continue;
        seen = 1;
        pixels.push_back({firstColumn + column, firstRow + row});
    }
    return pixels;
}

}  // namespace climstat
