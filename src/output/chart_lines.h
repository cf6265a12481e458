#pragma once

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

}  // namespace climstat
