#include "engine/table.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace veksa {
namespace {

// The rows whose key cells are k0 k1, in row order, found by reading every row.
std::vector<std::size_t> scan(const Table& t, std::u16string_view k0, std::u16string_view k1) {
  std::vector<std::size_t> rows;
  for (std::size_t r = 0; r < t.size(); ++r) {
    if (t.cell(r, 0) == k0 && t.cell(r, 1) == k1) rows.push_back(r);
  }
  return rows;
}

std::vector<std::size_t> found(const Table& t, std::u16string_view k0, std::u16string_view k1) {
  RowRange range = t.find(k0, k1);
  std::vector<std::size_t> rows(range.begin(), range.end());
  EXPECT_EQ(rows.size(), range.size());
  if (!rows.empty()) {
    EXPECT_EQ(range.front(), rows.front());
    EXPECT_EQ(range.back(), rows.back());
  }
  return rows;
}

TEST(TableIndex, ALookUpAfterAChangeFindsTheRowsAsTheyAreNow) {
  ResultTable t(std::make_shared<Symbols>(), u',');
  t.append({u"дерево", u"ель", u"0,5"});
  t.append({u"цветок", u"роза", u"0,3"});
  t.append({u"дерево", u"ель", u"0,7"});
  EXPECT_EQ(found(t, u"дерево", u"ель"), (std::vector<std::size_t>{0, 2}));
  // A key cell changed: the row leaves its old key and joins the new one in row order.
  t.setCell(0, 1, u"сосна");
  EXPECT_EQ(found(t, u"дерево", u"ель"), (std::vector<std::size_t>{2}));
  EXPECT_EQ(found(t, u"дерево", u"сосна"), (std::vector<std::size_t>{0}));
  t.setCell(1, 0, u"дерево");
  t.setCell(1, 1, u"ель");
  EXPECT_EQ(found(t, u"дерево", u"ель"), (std::vector<std::size_t>{1, 2}));
  // Rows exchanged: the last matching row is the one now last.
  t.swapRows(0, 2);
  EXPECT_EQ(found(t, u"дерево", u"ель"), (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(t.cell(t.find(u"дерево", u"ель").back(), 2), u"0,3");
  // A number cell changed leaves the keys alone; added rows join at the end.
  t.setNumber(0, 2, 0.25L);
  t.append({u"дерево", u"ель", u"1"});
  EXPECT_EQ(found(t, u"дерево", u"ель"), (std::vector<std::size_t>{0, 1, 3}));
  EXPECT_EQ(t.number(0, 2), 0.25L);
  // Every row erased: nothing is found, and rows added afterwards are.
  t.clear();
  EXPECT_TRUE(t.find(u"дерево", u"ель").empty());
  t.append({u"дерево", u"ель", u"0,1"});
  EXPECT_EQ(found(t, u"дерево", u"ель"), (std::vector<std::size_t>{0}));
}

TEST(TableIndex, AnyMixOfChangesAgreesWithReadingEveryRow) {
  // Few keys and many rows, so that keys repeat and the index grows several times between changes.
  const std::vector<std::u16string> words = {u"а", u"б", u"в", u"г", u"д", u""};
  std::mt19937 random(15);
  auto pick = [&] { return words[random() % words.size()]; };
  FactTable t(std::make_shared<Symbols>(), u',');
  for (int step = 0; step < 3000; ++step) {
    const unsigned action = random() % 100;
    if (action < 60 || t.empty()) {
      t.append({pick(), pick(), u"0,5"});
    } else if (action < 80) {
      t.setCell(random() % t.size(), random() % 2, pick());
    } else if (action < 95) {
      t.swapRows(random() % t.size(), random() % t.size());
    } else if (action < 96) {
      t.clear();
    } else {
      t.setNumber(random() % t.size(), 2, 0.1L * (random() % 10));
    }
    const std::u16string k0 = pick(), k1 = pick();
    ASSERT_EQ(found(t, k0, k1), scan(t, k0, k1)) << "after step " << step;
  }
}

}  // namespace
}  // namespace veksa
