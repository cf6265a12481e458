#pragma once

#include <cassert>
#include <string>
#include <vector>

namespace climstat {

// The texts of a string grid, addressed (column, row) like the grid itself; column 0 and row 0
// are the header column and row.
class TextGrid {
  public:
    TextGrid() = default;
    TextGrid(int columns, int rows)
        : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns * rows)) {}

    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }

    std::string& cell(int column, int row) { return cells_[index(column, row)]; }
    const std::string& cell(int column, int row) const { return cells_[index(column, row)]; }

  private:
    std::size_t index(int column, int row) const {
        assert(column >= 0 && column < columns_ && row >= 0 && row < rows_);
        return static_cast<std::size_t>(row * columns_ + column);
    }

    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::string> cells_;
};

// The heading row and the rows firstRow..lastRow of columns firstColumn..lastColumn, each row
// led by its heading (column 0), as tab-separated lines ending in '\n': what a spreadsheet
// takes from the clipboard. The range is clipped to the data cells (rows and columns from 1).
std::string tabSeparatedText(const TextGrid& grid, int firstRow, int lastRow, int firstColumn,
                             int lastColumn);

}  // namespace climstat
