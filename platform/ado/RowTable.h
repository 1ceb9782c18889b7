#pragma once
#include "platform/ado/TextBlocks.h"
#include "platform/ado/Variant.h"
#include <vector>

namespace ado {

// The rows of a result, their cells one after another in chunks of a few
// thousand rows: a read of a hundred thousand rows makes a few dozen
// allocations instead of one per row, and, unlike a single vector, never
// copies the rows already read to grow (those copies, and first touching the
// memory of each larger vector, were a tenth of a large lookup).
class RowTable {
public:
    // One row, as a view into the table (valid until the table changes).
    class Row {
    public:
        Row(const Variant* cells, size_t n) : p_(cells), n_(n) {}
        size_t size() const { return n_; }
        const Variant& operator[](size_t i) const { return p_[i]; }
        const Variant* begin() const { return p_; }
        const Variant* end() const { return p_ + n_; }
        std::vector<Variant> toVector() const { return std::vector<Variant>(p_, p_ + n_); }

    private:
        const Variant* p_;
        size_t n_;
    };

    class const_iterator {
    public:
        const_iterator(const RowTable* t, size_t i) : t_(t), i_(i) {}
        Row operator*() const { return (*t_)[i_]; }
        const_iterator& operator++() { ++i_; return *this; }
        bool operator!=(const const_iterator& o) const { return i_ != o.i_; }

    private:
        const RowTable* t_;
        size_t i_;
    };

    // Cells per row; fixed by the first row added when not set before.
    void setWidth(size_t width) { width_ = width; }
    size_t width() const { return width_; }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // Only the first chunk is made to measure; later ones always are.
    void reserve(size_t rows);

    Row operator[](size_t i) const {
        if (width_ == 0) return {nullptr, 0};
        return {chunks_[i / kRowsPerChunk].data() + (i % kRowsPerChunk) * width_, width_};
    }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, count_}; }

    // A whole row (cut or padded to the width).
    void push_back(std::vector<Variant> row);
    // The next cell of the row being added; a row ends with its last cell.
    void addCell(Variant&& v) {
        chunkForCell().push_back(std::move(v));
        endCell();
    }
    // The next cell, a text from the driver's UTF-8 (made in place).
    void addText(const char* utf8, qsizetype n) {
        chunkForCell().emplace_back(texts_.fromUtf8(utf8, n));
        endCell();
    }
    void setRow(size_t i, const std::vector<Variant>& row);
    void erase(size_t i);

private:
    static constexpr size_t kRowsPerChunk = 4096;

    std::vector<Variant>& chunkForCell() {
        if (chunks_.empty() || chunks_.back().size() == kRowsPerChunk * width_) {
            chunks_.emplace_back();
            chunks_.back().reserve(kRowsPerChunk * width_);
        }
        return chunks_.back();
    }
    void endCell() {
        if (++cellsInRow_ == width_) {
            cellsInRow_ = 0;
            ++count_;
        }
    }

    size_t width_ = 0;
    size_t count_ = 0;
    size_t cellsInRow_ = 0;   // of the row being added
    std::vector<std::vector<Variant>> chunks_;   // each kRowsPerChunk rows but the last
    TextBlocks texts_;
};

} // namespace ado
