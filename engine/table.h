// A run table: an ordered list of rows of text cells, the only store of facts, results, protocol
// and variable values. Look-ups by the key columns go through a hash index that keeps the row
// order, so "every matching row" and "the last matching row" cost no scan of the table.
#ifndef VEKSA_ENGINE_TABLE_H_
#define VEKSA_ENGINE_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "kb/text.h"

namespace veksa {

class Table {
 public:
  using Row = std::vector<std::u16string>;

  // `columns` cells per row; the first `keyColumns` (0, 1 or 2) form the look-up key.
  Table(std::size_t columns, std::size_t keyColumns) : columns_(columns), keyColumns_(keyColumns) {}

  std::size_t columns() const { return columns_; }
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const Row& row(std::size_t i) const { return rows_[i]; }
  const std::u16string& cell(std::size_t r, std::size_t c) const { return rows_[r][c]; }
  const std::vector<Row>& rows() const { return rows_; }

  void append(Row row);
  void clear();
  void setCell(std::size_t r, std::size_t c, std::u16string text);
  void swapRows(std::size_t a, std::size_t b);

  // The rows whose key cells equal the key, in row order (empty when none).
  const std::vector<std::size_t>& find(std::u16string_view k0, std::u16string_view k1 = {}) const;

  // Grows with every change; windows compare it to know when to show the table afresh.
  std::uint64_t generation() const { return generation_; }

 private:
  std::u16string keyOf(std::u16string_view k0, std::u16string_view k1) const;
  void index(std::size_t r) const;

  std::size_t columns_;
  std::size_t keyColumns_;
  std::vector<Row> rows_;
  std::uint64_t generation_ = 0;
  mutable bool indexValid_ = true;
  mutable std::unordered_map<std::u16string, std::vector<std::size_t>> index_;
};

// The four run tables with their columns.
struct FactTable : Table {  // parameter, value, certainty
  FactTable() : Table(3, 2) {}
};
struct ResultTable : Table {  // class, value, certainty
  ResultTable() : Table(3, 2) {}
};
struct ProtocolTable : Table {  // rule or kind of step, decision, certainty
  ProtocolTable() : Table(3, 0) {}
};
struct VariableTable : Table {  // name, value
  VariableTable() : Table(2, 1) {}
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_TABLE_H_
