// A run table: an ordered list of rows with fixed columns, the only store of facts, results,
// protocol and variable values. A cell holds a word (a symbol), a number, or two words joined by a
// space (the protocol's "class value"). A number is kept as the value its text in the general
// format reads back as (rounded to 15 significant digits) and is formatted only when a window or
// veksa-cli shows it, so a pass allocates nothing per row once the tables have grown. Look-ups by
// the key columns go through an open-addressing index that keeps the row order, so "every
// matching row" and "the last matching row" cost no scan of the table.
#ifndef VEKSA_ENGINE_TABLE_H_
#define VEKSA_ENGINE_TABLE_H_

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/symbols.h"
#include "kb/text.h"

namespace veksa {

// The run tables hold many cells (a protocol row for every conclusion of every pass), so a cell is
// small: the words of a word or pair cell and the bytes of a number's value share their place.
inline constexpr std::size_t kCellNumberBytes = LDBL_MANT_DIG == 64 ? 10 : sizeof(long double);

struct Cell {
  enum class Kind : std::uint8_t { Word, Number, Pair };
  static Cell word(Symbol s) { return {s, kSymEmpty, {}, Kind::Word}; }
  // A number as its general-format text would read back.
  static Cell number(long double value);
  // A number kept as it is.
  static Cell exactNumber(long double value);
  // A number rounded as `number` rounds it when it is read, not when it is written: for the
  // protocol, which every pass writes and only a window or veksa-cli reads.
  static Cell numberRoundedOnRead(long double value);
  static Cell pair(Symbol first, Symbol second) { return {first, second, {}, Kind::Pair}; }
  // A number cell's value.
  long double value() const;

  Symbol a = kSymEmpty, b = kSymEmpty;
  unsigned char more[kCellNumberBytes > 8 ? kCellNumberBytes - 8 : 1] = {};  // a number's rest
  Kind kind = Kind::Word;
  bool rounded = true;  // a number cell's value is rounded already
};

// The rows of one key, in row order.
class RowRange {
 public:
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::size_t*;
    using reference = std::size_t;
    iterator(const std::uint32_t* next, std::uint32_t row) : next_(next), row_(row) {}
    std::size_t operator*() const { return row_; }
    iterator& operator++() {
      row_ = next_[row_];
      return *this;
    }
    bool operator!=(const iterator& o) const { return row_ != o.row_; }
    bool operator==(const iterator& o) const { return row_ == o.row_; }

   private:
    const std::uint32_t* next_;
    std::uint32_t row_;
  };
  static constexpr std::uint32_t kEnd = 0xFFFFFFFFu;

  RowRange() = default;
  RowRange(const std::uint32_t* next, std::uint32_t first, std::uint32_t last, std::uint32_t count)
      : next_(next), first_(first), last_(last), count_(count) {}
  iterator begin() const { return {next_, first_}; }
  iterator end() const { return {next_, kEnd}; }
  bool empty() const { return count_ == 0; }
  std::size_t size() const { return count_; }
  std::size_t front() const { return first_; }
  std::size_t back() const { return last_; }

 private:
  const std::uint32_t* next_ = nullptr;
  std::uint32_t first_ = kEnd, last_ = kEnd, count_ = 0;
};

class Table {
 public:
  using Row = std::vector<std::u16string>;

  // `columns` cells per row; the first `keyColumns` (0, 1 or 2) form the look-up key; column
  // `numberColumn` holds numbers (none when it is `columns` or more). Numbers are written with
  // `separator`.
  Table(std::shared_ptr<Symbols> symbols, char16_t separator, std::size_t columns,
        std::size_t keyColumns, std::size_t numberColumn);

  std::size_t columns() const { return columns_; }
  std::size_t size() const { return cells_.size() / columns_; }
  bool empty() const { return cells_.empty(); }

  // Cells as text, numbers formatted on demand.
  Line cell(std::size_t r, std::size_t c) const;
  Row row(std::size_t r) const;
  std::vector<Row> rows() const;
  // Appends a row of texts (missing cells empty). A text in the number column is kept as a number
  // when it is a number written in the general format, and as the word it is otherwise.
  void append(const Row& row);
  void setCell(std::size_t r, std::size_t c, std::u16string_view text);
  void setCell(std::size_t r, std::size_t c, const Cell& cell);

  // Cells as the engine keeps them.
  const Cell& at(std::size_t r, std::size_t c) const { return cells_[r * columns_ + c]; }
  // The number of a cell; a word that is no number raises the conversion error naming it.
  long double number(std::size_t r, std::size_t c) const;
  // The cell that `append` makes of a text in column `c`.
  Cell cellOf(std::size_t c, std::u16string_view text) const;
  void append(std::initializer_list<Cell> cells);
  void setNumber(std::size_t r, std::size_t c, long double value);

  void clear();
  void swapRows(std::size_t a, std::size_t b);
  // Rows appended from now on are not indexed one by one: the next look-up indexes every row. For
  // a writer that keeps its own index while it appends many rows (a pass's results).
  void deferIndex() { indexValid_ = false; }

  // The key of row `r`: its key cells' words (a number cell counts as the empty word).
  std::uint64_t keyOf(std::size_t r) const;
  // The key of the words `k0` and `k1` of a table with two key columns.
  static std::uint64_t key(Symbol k0, Symbol k1) { return std::uint64_t{k0} << 32 | k1; }

  // The rows whose key cells are the given words, in row order.
  RowRange find(Symbol k0, Symbol k1 = kSymEmpty) const;
  RowRange find(std::u16string_view k0, std::u16string_view k1 = {}) const;

  // Grows with every change; windows compare it to know when to show the table afresh.
  std::uint64_t generation() const { return generation_; }

  Symbols& symbols() const { return *symbols_; }
  char16_t separator() const { return separator_; }

 private:
  struct Slot {
    std::uint64_t key;
    std::uint32_t first, last, count;
  };
  // The key of the words k0 and k1 in this table (k1 counts only with two key columns).
  std::uint64_t keyFor(Symbol k0, Symbol k1) const;
  void index(std::size_t r) const;
  void rebuildIndex() const;
  void added();

  std::shared_ptr<Symbols> symbols_;
  char16_t separator_;
  std::size_t columns_;
  std::size_t keyColumns_;
  std::size_t numberColumn_;
  std::vector<Cell> cells_;
  std::uint64_t generation_ = 0;
  // The index: key slots (open addressing) and, per row, the next row of the same key.
  mutable std::vector<Slot> slots_;
  mutable std::size_t used_ = 0;
  mutable std::vector<std::uint32_t> next_;
  mutable bool indexValid_ = true;
};

// The four run tables with their columns. They share the workspace's symbols.
struct FactTable : Table {  // parameter, value, certainty
  FactTable(std::shared_ptr<Symbols> s, char16_t separator)
      : Table(std::move(s), separator, 3, 2, 2) {}
};
struct ResultTable : Table {  // class, value, certainty
  ResultTable(std::shared_ptr<Symbols> s, char16_t separator)
      : Table(std::move(s), separator, 3, 2, 2) {}
};
struct ProtocolTable : Table {  // rule or kind of step, decision, certainty
  ProtocolTable(std::shared_ptr<Symbols> s, char16_t separator)
      : Table(std::move(s), separator, 3, 0, 2) {}
};
struct VariableTable : Table {  // name, value
  VariableTable(std::shared_ptr<Symbols> s, char16_t separator)
      : Table(std::move(s), separator, 2, 1, 1) {}
};

}  // namespace veksa

#endif  // VEKSA_ENGINE_TABLE_H_
