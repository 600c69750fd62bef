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

void ResultRows::sync(Table& table) {
  // Every key in the table is numbered, so a conclusion numbered later has no row until one is
  // appended for it here: the table's own index is not needed while the pass appends.
  rows_.assign(keys_.size(), kNone);
  for (std::size_t r = 0; r < table.size(); ++r) {
    const std::uint64_t key = table.keyOf(r);
    const std::uint32_t id = idOf(static_cast<Symbol>(key >> 32), static_cast<Symbol>(key));
    if (id >= rows_.size()) rows_.resize(id + 1, kNone);
    rows_[id] = static_cast<std::uint32_t>(r);
  }
  table.deferIndex();
  table_ = &table;
  generation_ = table.generation();
}

std::uint32_t ResultRows::lastRow(Table& table, std::uint32_t id) {
  if (&table != table_ || table.generation() != generation_) sync(table);
  if (id >= rows_.size()) rows_.resize(keys_.size(), kNone);
  return rows_[id];
}

void ResultRows::appended(const Table& table, std::uint32_t id, std::uint32_t row) {
  rows_[id] = row;
  followed(table);
}

}  // namespace veksa
