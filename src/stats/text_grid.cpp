#include "stats/text_grid.h"

#include <algorithm>

namespace climstat {

std::string tabSeparatedText(const TextGrid& grid, int firstRow, int lastRow, int firstColumn,
                             int lastColumn) {
    firstRow = std::max(firstRow, 1);
    firstColumn = std::max(firstColumn, 1);
    lastRow = std::min(lastRow, grid.rowCount() - 1);
    lastColumn = std::min(lastColumn, grid.columnCount() - 1);
    std::string text;
    if (grid.rowCount() == 0 || grid.columnCount() == 0) return text;
    auto addRow = [&](int row) {
        text += grid.cell(0, row);
        for (int c = firstColumn; c <= lastColumn; ++c) {
            text += '\t';
            text += grid.cell(c, row);
        }
        text += '\n';
    };
    addRow(0);
    for (int r = firstRow; r <= lastRow; ++r)
        addRow(r);
    return text;
}

}  // namespace climstat
