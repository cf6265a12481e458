#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <vector>

namespace climstat {

// A rectangular table of numbers on the heap, addressed table[row][column].
// Tables of the analysis state are 1-based: row 0 and column 0 exist and stay unused.
template <typename T>
class Grid {
  public:
    Grid() = default;
    Grid(std::size_t rows, std::size_t cols) : rows_(rows), cols_(cols), data_(rows * cols, T{}) {}

    T* operator[](std::size_t row) {
        assert(row < rows_);
        return data_.data() + row * cols_;
    }
    const T* operator[](std::size_t row) const {
        assert(row < rows_);
        return data_.data() + row * cols_;
    }
    T& at(std::size_t row, std::size_t col) {
        assert(row < rows_ && col < cols_);
        return data_[row * cols_ + col];
    }
    const T& at(std::size_t row, std::size_t col) const {
        assert(row < rows_ && col < cols_);
        return data_[row * cols_ + col];
    }

    std::size_t rows() const { return rows_; }
    std::size_t cols() const { return cols_; }

    void fill(T value) { std::fill(data_.begin(), data_.end(), value); }

    // Grows (never shrinks) the number of rows, keeping the contents; new rows are zero.
    void ensureRows(std::size_t rows) {
        if (rows <= rows_) return;
        data_.resize(rows * cols_, T{});
        rows_ = rows;
    }

    friend bool operator==(const Grid&, const Grid&) = default;

  private:
    std::size_t rows_ = 0;
    std::size_t cols_ = 0;
    std::vector<T> data_;
};

}  // namespace climstat
