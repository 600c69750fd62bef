// Run tables with their key index.
#include "engine/table.h"

#include <utility>

namespace veksa {

std::u16string Table::keyOf(std::u16string_view k0, std::u16string_view k1) const {
  // The length of the first cell in front keeps ("ab", "c") and ("a", "bc") apart.
  std::u16string key;
  if (keyColumns_ == 0) return key;
  key.reserve(k0.size() + k1.size() + 3);
  key.push_back(static_cast<char16_t>(k0.size() & 0xFFFF));
  key.push_back(static_cast<char16_t>(k0.size() >> 16));
  key.append(k0);
  if (keyColumns_ > 1) key.append(k1);
  return key;
}

void Table::index(std::size_t r) const {
  const Row& row = rows_[r];
  index_[keyOf(row[0], keyColumns_ > 1 ? std::u16string_view(row[1]) : std::u16string_view())]
      .push_back(r);
}

void Table::append(Row row) {
  row.resize(columns_);
  rows_.push_back(std::move(row));
  ++generation_;
  if (keyColumns_ > 0 && indexValid_) index(rows_.size() - 1);
}

void Table::clear() {
  rows_.clear();
  index_.clear();
  indexValid_ = true;
  ++generation_;
}

void Table::setCell(std::size_t r, std::size_t c, std::u16string text) {
  rows_[r][c] = std::move(text);
  ++generation_;
  if (c < keyColumns_) indexValid_ = false;
}

void Table::swapRows(std::size_t a, std::size_t b) {
  std::swap(rows_[a], rows_[b]);
  ++generation_;
  if (keyColumns_ > 0) indexValid_ = false;
}

const std::vector<std::size_t>& Table::find(std::u16string_view k0, std::u16string_view k1) const {
  static const std::vector<std::size_t> kNone;
  if (keyColumns_ == 0) return kNone;
  if (!indexValid_) {
    index_.clear();
    for (std::size_t r = 0; r < rows_.size(); ++r) index(r);
    indexValid_ = true;
  }
  auto it = index_.find(keyOf(k0, k1));
  return it == index_.end() ? kNone : it->second;
}

}  // namespace veksa
