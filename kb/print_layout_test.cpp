#include "kb/print_layout.h"

#include <gtest/gtest.h>

namespace veksa {
namespace {

// A page four characters wide, with "Ш" twice as wide as the others.
bool fitsFour(std::u16string_view piece) {
  std::size_t width = 0;
  for (char16_t c : piece) width += c == u'Ш' ? 2 : 1;
  return width <= 4;
}

TEST(PrintLayoutTest, LongLinesBreakAfterTheLastCharacterThatFits) {
  EXPECT_EQ(printedLines({u"NAME Правило1", u"", u"END"}, fitsFour),
            (Lines{u"NAME", u" Пра", u"вило", u"1", u"", u"END"}));
  EXPECT_EQ(printedLines({u"аШбШв"}, fitsFour), (Lines{u"аШб", u"Шв"}));
  EXPECT_EQ(printedLines({}, fitsFour), Lines{});
}

TEST(PrintLayoutTest, AlwaysProgressesEvenWhenNothingFits) {
  auto nothing = [](std::u16string_view piece) { return piece.empty(); };
  EXPECT_EQ(printedLines({u"abc"}, nothing), (Lines{u"a", u"b", u"c"}));
  // A character outside the basic plane stays whole.
  Line emoji = u"a\U0001F333b";
  EXPECT_EQ(printedLines({emoji}, nothing), (Lines{u"a", u"\U0001F333", u"b"}));
  auto two = [](std::u16string_view piece) { return piece.size() <= 2; };
  EXPECT_EQ(printedLines({emoji}, two), (Lines{u"a", u"\U0001F333", u"b"}));
}

}  // namespace
}  // namespace veksa
