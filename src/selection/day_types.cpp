#include "selection/day_types.h"

namespace climstat {

const std::array<DayTypeInfo, kDayTypeCount + 1>& dayTypeInfo() {
    static const std::array<DayTypeInfo, kDayTypeCount + 1> kInfo = {{
        {"", "", -1, 0, kWhite},
        {"RBlaboral", "Continuo", 0, 1, kGrey},
        {"RBSabado", "8/14-16/20h", 0, 2, kFuchsia},
        {"RBFestivo", "8/20h", 0, 3, kRed},
        {"RBEsp1", "Esp. 1", 1, 1, kBlue},
        {"RBEsp2", "Esp. 2", 1, 2, kAqua},
        {"RBEsp3", "Esp. 3", 1, 3, kLime},
        {"RSin", "Sin uso", -1, 0, kWhite},
    }};
    return kInfo;
}

int selectedDayType(const DayTypeButtons& checked) {
    for (int type = kDayTypeCount; type >= 2; --type) {
        if (checked[static_cast<std::size_t>(type)]) return type;
    }
    return 1;
}

bool toggleScheduleHour(Grid<float>& scheduleTable, int lastPointerX, int lastPointerY,
                        int dayType) {
    if (lastPointerX < 0 || lastPointerY < 0) return false;
    const int hour = lastPointerX / kScheduleCellWidth + 1;
    const int row = lastPointerY / kScheduleCellHeight + 1;
    if (hour < 1 || hour > 24) return false;
    if (dayType < 1 || dayType > 6 || (dayType - 1) % 3 + 1 != row) return false;
    float& cell = scheduleTable[static_cast<std::size_t>(hour)][dayType];
    cell = cell == 0.0f ? 1.0f : 0.0f;
    return true;
}

ScheduleDrawing drawSchedules(const Grid<float>& scheduleTable) {
    ScheduleDrawing drawing;
    drawing.upper.reserve(72);
    drawing.lower.reserve(72);
    for (int p = 1; p <= 24; ++p) {
        for (int q = 1; q <= 6; ++q) {
            const int r = q <= 3 ? q : q - 3;
            const Rgb colour = scheduleTable[static_cast<std::size_t>(p)][q] > 0.0f
                                   ? dayTypeInfo()[static_cast<std::size_t>(q)].colour
                                   : kWhite;
            FilledRect cell{21 * p - 20, 19 * r - 18, 21 * p, 19 * r, colour};
            (q <= 3 ? drawing.upper : drawing.lower).push_back(cell);
        }
    }
    return drawing;
}

std::vector<LineSegment> scheduleGridLines() {
    std::vector<LineSegment> lines;
    for (int p = 0; p <= 24; ++p) {
        const int x = kScheduleCellWidth * p;
        lines.push_back({x, 0, x, kScheduleGridHeight - 1, kBlack});
    }
    // The cells of row r span y = 19r - 18 .. 19r - 1, so the lines lie at 0, 19 and 38 and the
    // picture's lower edge closes the last row.
    for (int r = 0; r < 3; ++r) {
        const int y = kScheduleCellHeight * r;
        lines.push_back({0, y, kScheduleGridWidth - 1, y, kBlack});
    }
    return lines;
}

std::vector<CellText> scheduleHourLabels() {
    std::vector<CellText> labels;
    for (int r = 1; r <= 3; ++r) {
        for (int p = 1; p <= 24; ++p) {
            const FilledRect cell{kScheduleCellWidth * p - 20, kScheduleCellHeight * r - 18,
                                  kScheduleCellWidth * p, kScheduleCellHeight * r, kBlack};
            labels.push_back({cell, std::to_string(p)});
        }
    }
    return labels;
}

bool setSchedule(Grid<float>& scheduleTable, int dayType, const std::vector<int>& hours) {
    if (dayType < 1 || dayType > 6) return false;
    for (int hour : hours) {
        if (hour < 1 || hour > 24) return false;
    }
    for (int hour = 1; hour <= 24; ++hour)
        scheduleTable[static_cast<std::size_t>(hour)][dayType] = 0.0f;
    for (int hour : hours)
        scheduleTable[static_cast<std::size_t>(hour)][dayType] = 1.0f;
    return true;
}

}  // namespace climstat
