#include "engine/result_rows.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace veksa {
namespace {

// The last row of class k0 and value k1, found by reading every row.
std::uint32_t lastByScan(const Table& t, Symbol k0, Symbol k1) {
  std::uint32_t last = ResultRows::kNone;
  for (std::size_t r = 0; r < t.size(); ++r) {
    if (t.at(r, 0).a == k0 && t.at(r, 1).a == k1) last = static_cast<std::uint32_t>(r);
  }
  return last;
}

TEST(ResultRows, FollowsItsOwnWritesAndReadsTheTableAgainAfterAnyOtherChange) {
  // A pass appends rows and changes their numbers through ResultRows; between and during passes
  // the table may also be emptied, reordered, edited or appended to without it, and conclusions
  // may be numbered while rows of theirs already exist. The last row it gives must always be the
  // one reading every row finds.
  auto symbols = std::make_shared<Symbols>();
  ResultTable table(symbols, u',');
  const std::vector<std::u16string> words = {u"дерево", u"цветок", u"ель", u"роза", u"берёза"};
  std::vector<Symbol> w;
  for (const auto& x : words) w.push_back(symbols->intern(x));
  std::mt19937 random(21);
  auto pick = [&] { return w[random() % w.size()]; };
  ResultRows rows;
  std::map<std::uint32_t, std::pair<Symbol, Symbol>> numbered;
  auto number = [&](Symbol k0, Symbol k1) {
    const std::uint32_t id = rows.idOf(k0, k1);
    auto [it, added] = numbered.try_emplace(id, k0, k1);
    EXPECT_EQ(it->second, std::make_pair(k0, k1));
    return id;
  };
  for (int step = 0; step < 4000; ++step) {
    const unsigned action = random() % 100;
    const Symbol k0 = pick(), k1 = pick();
    if (action < 50) {
      // The pass's own write: the last row of the conclusion combined, or a row appended.
      const std::uint32_t id = number(k0, k1);
      const std::uint32_t row = rows.lastRow(table, id);
      // A row added while the pass waits (a message shown in between).
      if (random() % 8 == 0) table.append({Cell::word(pick()), Cell::word(pick()), Cell::number(0)});
      if (row != ResultRows::kNone) {
        table.setCell(row, 2, Cell::number(0.5L));
        rows.changed(table);
      } else {
        table.append({Cell::word(k0), Cell::word(k1), Cell::number(0.25L)});
        rows.appended(table, id, static_cast<std::uint32_t>(table.size() - 1));
      }
    } else if (action < 65) {
      table.append({Cell::word(k0), Cell::word(k1), Cell::number(0.1L)});  // not told
    } else if (action < 75 && !table.empty()) {
      table.setCell(random() % table.size(), random() % 2, Cell::word(pick()));
    } else if (action < 88 && !table.empty()) {
      table.swapRows(random() % table.size(), random() % table.size());
    } else if (action < 90) {
      table.clear();
    } else if (!table.empty()) {
      table.setNumber(random() % table.size(), 2, 0.75L);
    }
    for (const auto& [id, key] : numbered) {
      ASSERT_EQ(rows.lastRow(table, id), lastByScan(table, key.first, key.second))
          << "after step " << step;
    }
    // The table's own index still finds what reading every row finds.
    const RowRange found = table.find(k0, k1);
    ASSERT_EQ(found.empty() ? ResultRows::kNone : found.back(), lastByScan(table, k0, k1));
  }
}

}  // namespace
}  // namespace veksa
