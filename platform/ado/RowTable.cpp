#include "platform/ado/RowTable.h"

namespace ado {

void RowTable::reserve(size_t rows) {
    if (chunks_.empty() && width_ > 0) {
        chunks_.emplace_back();
        chunks_.back().reserve(std::min(rows, kRowsPerChunk) * width_);
    }
}

void RowTable::push_back(std::vector<Variant> row) {
    if (count_ == 0 && width_ == 0) width_ = row.size();
    if (width_ == 0) {
        ++count_;
        return;
    }
    row.resize(width_);
    for (Variant& v : row) chunkForCell().push_back(std::move(v));
    ++count_;
}

void RowTable::setRow(size_t i, const std::vector<Variant>& row) {
    if (width_ == 0) return;
    std::vector<Variant>& chunk = chunks_[i / kRowsPerChunk];
    const size_t at = (i % kRowsPerChunk) * width_;
    for (size_t c = 0; c < width_; ++c) chunk[at + c] = c < row.size() ? row[c] : Variant();
}

void RowTable::erase(size_t i) {
    --count_;
    if (width_ == 0) return;
    // The rows after it move up one place, across the chunks that follow.
    size_t k = i / kRowsPerChunk;
    std::vector<Variant>* chunk = &chunks_[k];
    const long at = long((i % kRowsPerChunk) * width_);
    chunk->erase(chunk->begin() + at, chunk->begin() + at + long(width_));
    for (++k; k < chunks_.size(); ++k) {
        std::vector<Variant>& next = chunks_[k];
        for (size_t c = 0; c < width_; ++c) chunk->push_back(std::move(next[c]));
        next.erase(next.begin(), next.begin() + long(width_));
        chunk = &next;
    }
    if (chunks_.back().empty()) chunks_.pop_back();
}

} // namespace ado
