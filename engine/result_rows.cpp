// The ResultTable's rows by conclusion.
#include "engine/result_rows.h"

#include <algorithm>

namespace veksa {

std::uint32_t ResultRows::idOf(Symbol cls, Symbol value) {
  const std::uint64_t key = Table::key(cls, value);
  auto [it, added] = ids_.try_emplace(key, static_cast<std::uint32_t>(keys_.size()));
  if (added) keys_.push_back(key);
  return it->second;
}

void ResultRows::sync(const Table& table) {
  rows_.assign(keys_.size(), kNone);
  for (std::size_t r = 0; r < table.size(); ++r) {
    if (auto it = ids_.find(table.keyOf(r)); it != ids_.end()) {
      rows_[it->second] = static_cast<std::uint32_t>(r);
    }
  }
  table_ = &table;
  generation_ = table.generation();
}

std::uint32_t ResultRows::lastRow(const Table& table, std::uint32_t id) {
  if (&table != table_ || table.generation() != generation_) sync(table);
  // Conclusions numbered since: their rows from the table's own index.
  while (rows_.size() <= id) {
    const std::uint64_t key = keys_[rows_.size()];
    RowRange rows = table.find(static_cast<Symbol>(key >> 32), static_cast<Symbol>(key));
    rows_.push_back(rows.empty() ? kNone : static_cast<std::uint32_t>(rows.back()));
  }
  return rows_[id];
}

void ResultRows::appended(const Table& table, std::uint32_t id, std::uint32_t row) {
  rows_[id] = row;
  followed(table);
}

}  // namespace veksa
