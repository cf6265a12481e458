#include "output/chart_lines.h"

#include <cmath>
#include <cstddef>

namespace climstat {

namespace {

// Appends the first, lowest, highest and last of points[first, end) in their order.
void addColumn(std::vector<ChartPoint>& run, const std::vector<ChartPoint>& points,
               std::size_t first, std::size_t end) {
    std::size_t low = first, high = first;
    for (std::size_t i = first + 1; i < end; ++i) {
        if (points[i].y < points[low].y) low = i;
        if (points[i].y > points[high].y) high = i;
    }
    const std::size_t last = end - 1;
    std::size_t kept[4] = {first, low < high ? low : high, low < high ? high : low, last};
    std::size_t previous = end;  // no index yet
    for (const std::size_t i : kept) {
        if (i != previous) run.push_back(points[i]);
        previous = i;
    }
}

}  // namespace

bool mapsToPixels(const PixelArea& area) {
    const double xSpan = area.xMax - area.xMin, ySpan = area.yMax - area.yMin;
    return area.width > 0 && area.height > 0 && std::isfinite(area.width) &&
           std::isfinite(area.height) && std::isfinite(area.left) && std::isfinite(area.top) &&
           xSpan > 0 && ySpan > 0 && std::isfinite(xSpan) && std::isfinite(ySpan) &&
           area.width * area.height < 1e8;  // a picture, not a mistake of many gigabytes
}

std::vector<std::vector<ChartPoint>> drawnLineRuns(const std::vector<ChartPoint>& points,
                                                   const PixelColumns& columns) {
    const double span = columns.xMax - columns.xMin;
    const bool mapped = columns.width > 0 && std::isfinite(columns.width) && span > 0 &&
                        std::isfinite(span) && std::isfinite(columns.left);
    const double scale = mapped ? columns.width / span : 0;
    // The pixel column of an x; points off the mapping each count as a column of their own.
    auto columnOf = [&](const ChartPoint& p, std::size_t index) -> double {
        const double pixel = std::floor(columns.left + (p.x - columns.xMin) * scale);
        if (!mapped || !std::isfinite(pixel)) return -1.0 - static_cast<double>(index);
        return pixel;
    };

    std::vector<std::vector<ChartPoint>> runs;
    std::size_t i = 0;
    const std::size_t n = points.size();
    while (i < n) {
        if (!std::isfinite(points[i].y)) {
            ++i;
            continue;
        }
        std::vector<ChartPoint> run;
        while (i < n && std::isfinite(points[i].y)) {
            const double column = columnOf(points[i], i);
            std::size_t end = i + 1;
            while (end < n && std::isfinite(points[end].y) && columnOf(points[end], end) == column)
                ++end;
            addColumn(run, points, i, end);
            i = end;
        }
        runs.push_back(std::move(run));
    }
    return runs;
}

}  // namespace climstat
