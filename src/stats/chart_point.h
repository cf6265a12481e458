#pragma once

namespace climstat {

// A point of a chart series, in the units of the chart's axes.
struct ChartPoint {
    double x = 0;
    double y = 0;
};

}  // namespace climstat
