// Run tables with their key index.
#include "engine/table.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "kb/number.h"

namespace veksa {

namespace {
constexpr std::uint64_t kFree = ~std::uint64_t{0};

std::size_t slotOf(std::uint64_t key, std::size_t mask) {
  std::uint64_t h = key * 0x9E3779B97F4A7C15ull;
  return static_cast<std::size_t>(h ^ (h >> 29)) & mask;
}
}  // namespace

Cell Cell::number(long double value) { return exactNumber(roundGeneral(value)); }

Cell Cell::exactNumber(long double value) {
  static_assert(offsetof(Cell, kind) >= kCellNumberBytes, "a number's bytes fit before the kind");
  Cell c;
  c.kind = Kind::Number;
  std::memcpy(static_cast<void*>(&c), &value, kCellNumberBytes);
  return c;
}

Cell Cell::numberRoundedOnRead(long double value) {
  Cell c = exactNumber(value);
  c.rounded = false;
  return c;
}

long double Cell::value() const {
  long double v = 0;
  std::memcpy(&v, static_cast<const void*>(this), kCellNumberBytes);
  return rounded ? v : roundGeneral(v);
}

Table::Table(std::shared_ptr<Symbols> symbols, char16_t separator, std::size_t columns,
             std::size_t keyColumns, std::size_t numberColumn)
    : symbols_(std::move(symbols)),
      separator_(separator),
      columns_(columns),
      keyColumns_(keyColumns),
      numberColumn_(numberColumn) {}

Line Table::cell(std::size_t r, std::size_t c) const {
  const Cell& x = at(r, c);
  switch (x.kind) {
    case Cell::Kind::Number:
      return formatGeneral(x.value(), separator_);
    case Cell::Kind::Pair: {
      Line text(symbols_->text(x.a));
      text.push_back(u' ');
      text.append(symbols_->text(x.b));
      return text;
    }
    case Cell::Kind::Word:
      break;
  }
  return Line(symbols_->text(x.a));
}

Table::Row Table::row(std::size_t r) const {
  Row out;
  out.reserve(columns_);
  for (std::size_t c = 0; c < columns_; ++c) out.push_back(cell(r, c));
  return out;
}

std::vector<Table::Row> Table::rows() const {
  std::vector<Row> out;
  out.reserve(size());
  for (std::size_t r = 0; r < size(); ++r) out.push_back(row(r));
  return out;
}

Cell Table::cellOf(std::size_t c, std::u16string_view text) const {
  if (c == numberColumn_) {
    if (auto v = parseDecimal(text, separator_); v && formatGeneral(*v, separator_) == text) {
      return Cell::exactNumber(*v);
    }
  }
  return Cell::word(symbols_->intern(text));
}

long double Table::number(std::size_t r, std::size_t c) const {
  const Cell& x = at(r, c);
  if (x.kind == Cell::Kind::Number) return x.value();
  return toNumber(cell(r, c), separator_);
}

void Table::append(const Row& row) {
  for (std::size_t c = 0; c < columns_; ++c) {
    cells_.push_back(
        cellOf(c, c < row.size() ? std::u16string_view(row[c]) : std::u16string_view()));
  }
  added();
}

void Table::append(std::initializer_list<Cell> cells) {
  cells_.insert(cells_.end(), cells.begin(), cells.end());
  cells_.resize(cells_.size() + columns_ - cells.size());
  added();
}

void Table::added() {
  ++generation_;
  if (keyColumns_ > 0 && indexValid_) index(size() - 1);
}

void Table::setCell(std::size_t r, std::size_t c, std::u16string_view text) {
  cells_[r * columns_ + c] = cellOf(c, text);
  ++generation_;
  if (c < keyColumns_) indexValid_ = false;
}

void Table::setCell(std::size_t r, std::size_t c, const Cell& cell) {
  cells_[r * columns_ + c] = cell;
  ++generation_;
  if (c < keyColumns_) indexValid_ = false;
}

void Table::setNumber(std::size_t r, std::size_t c, long double value) {
  cells_[r * columns_ + c] = Cell::number(value);
  ++generation_;
}

void Table::clear() {
  cells_.clear();
  next_.clear();
  used_ = 0;
  indexValid_ = false;  // the slots are emptied by the next look-up, if any
  ++generation_;
}

void Table::swapRows(std::size_t a, std::size_t b) {
  std::swap_ranges(cells_.begin() + static_cast<std::ptrdiff_t>(a * columns_),
                   cells_.begin() + static_cast<std::ptrdiff_t>((a + 1) * columns_),
                   cells_.begin() + static_cast<std::ptrdiff_t>(b * columns_));
  ++generation_;
  if (keyColumns_ > 0) indexValid_ = false;
}

std::uint64_t Table::keyOf(std::size_t r) const {
  // A number cell keeps its value where a word cell keeps its words: as a key it is no word.
  auto word = [](const Cell& c) { return c.kind == Cell::Kind::Number ? kSymEmpty : c.a; };
  return keyFor(word(at(r, 0)), keyColumns_ > 1 ? word(at(r, 1)) : kSymEmpty);
}

std::uint64_t Table::keyFor(Symbol k0, Symbol k1) const {
  return key(k0, keyColumns_ > 1 ? k1 : kSymEmpty);
}

void Table::index(std::size_t r) const {
  if ((used_ + 1) * 2 > slots_.size()) {
    // Grow and index every row again.
    slots_.assign(std::max<std::size_t>(16, slots_.size() * 2), Slot{kFree, 0, 0, 0});
    used_ = 0;
    next_.clear();
    for (std::size_t k = 0; k < r; ++k) index(k);
  }
  next_.resize(r + 1);
  next_[r] = RowRange::kEnd;
  const std::uint64_t key = keyOf(r);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = slotOf(key, mask);; i = (i + 1) & mask) {
    Slot& s = slots_[i];
    if (s.key == kFree) {
      s = {key, static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(r), 1};
      ++used_;
      return;
    }
    if (s.key == key) {
      next_[s.last] = static_cast<std::uint32_t>(r);
      s.last = static_cast<std::uint32_t>(r);
      ++s.count;
      return;
    }
  }
}

void Table::rebuildIndex() const {
  std::fill(slots_.begin(), slots_.end(), Slot{kFree, 0, 0, 0});
  used_ = 0;
  next_.clear();
  for (std::size_t r = 0; r < size(); ++r) index(r);
  indexValid_ = true;
}

RowRange Table::find(Symbol k0, Symbol k1) const {
  if (keyColumns_ == 0 || k0 == kNoSymbol || k1 == kNoSymbol) return {};
  if (!indexValid_) rebuildIndex();
  if (slots_.empty()) return {};
  const std::uint64_t key = keyFor(k0, k1);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = slotOf(key, mask);; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.key == kFree) return {};
    if (s.key == key) return {next_.data(), s.first, s.last, s.count};
  }
}

RowRange Table::find(std::u16string_view k0, std::u16string_view k1) const {
  return find(symbols_->find(k0), keyColumns_ > 1 ? symbols_->find(k1) : kSymEmpty);
}

}  // namespace veksa
