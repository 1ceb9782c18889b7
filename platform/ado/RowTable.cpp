#include "platform/ado/RowTable.h"

namespace ado {

void RowTable::push_back(std::vector<Variant> row) {
    if (count_ == 0 && width_ == 0) width_ = row.size();
    row.resize(width_);
    for (Variant& v : row) cells_.push_back(std::move(v));
    ++count_;
}

void RowTable::setRow(size_t i, const std::vector<Variant>& row) {
    for (size_t c = 0; c < width_; ++c) cells_[i * width_ + c] = c < row.size() ? row[c] : Variant();
}

void RowTable::erase(size_t i) {
    cells_.erase(cells_.begin() + long(i * width_), cells_.begin() + long((i + 1) * width_));
    --count_;
}

} // namespace ado
