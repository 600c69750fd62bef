// The gap buffer of lines and the line cursor against plain models.
#include "diagnostics/text_buffer.h"

#include <gtest/gtest.h>

#include <random>

#include "diagnostics/line_cursor.h"

namespace veksa {
namespace {

TEST(TextBuffer, BehavesLikeAVectorOfLines) {
  std::mt19937 random(7);
  Lines model;
  for (int k = 0; k < 200; ++k) model.push_back(u"строка " + fromUtf8(std::to_string(k)));
  TextBuffer buffer(model);
  for (int step = 0; step < 2000 && !model.empty(); ++step) {
    std::size_t i = random() % model.size();
    switch (random() % 3) {
      case 0:
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
        buffer.erase(i);
        break;
      case 1:
        model[i] = u"NAME " + fromUtf8(std::to_string(step));
        buffer.set(i, model[i]);
        break;
      default:
        model[i] += u" x";
        buffer.append(i, u" x");
    }
    ASSERT_EQ(buffer.size(), model.size());
    std::size_t probe = random() % (model.size() + 1);
    if (probe < model.size()) {
      ASSERT_EQ(buffer[probe], model[probe]);
    }
  }
  EXPECT_EQ(buffer.release(), model);
  EXPECT_EQ(buffer.size(), 0u);
}

TEST(TextBuffer, WatchesRecordTheLowestChangeAndHeadKeywords) {
  TextBuffer buffer({u"a", u"b", u"c", u"d"});
  TextBuffer::Watch watch;
  buffer.addWatch(&watch);
  buffer.set(2, u"c");  // the same text: no change
  EXPECT_EQ(watch.minTouched, std::numeric_limits<std::size_t>::max());
  buffer.set(3, u"  ПЕРЕМЕННЫЕ: x");
  EXPECT_EQ(watch.minTouched, 3u);
  EXPECT_EQ(watch.keywordsWritten, unsigned{kHeadVariables});
  buffer.erase(1);
  EXPECT_EQ(watch.minTouched, 1u);
  buffer.append(0, u" NAME");  // the first word stays "a"
  EXPECT_EQ(watch.minTouched, 0u);
  EXPECT_EQ(watch.keywordsWritten, unsigned{kHeadVariables});
  watch.reset();
  EXPECT_EQ(watch.keywordsWritten, 0u);
}

TEST(LineCursor, EditsAroundTheCursor) {
  LineCursor c(u"ab]cd ef");
  EXPECT_EQ(c.wordLength(), 2u);
  EXPECT_TRUE(c.matches(0, u"ab]"));
  EXPECT_FALSE(c.matches(6, u"efg"));
  c.advance(2);
  EXPECT_EQ(c.pos(), 3u);
  EXPECT_EQ(c.before(), u'b');
  EXPECT_EQ(c.wordLength(), 3u);  // "]cd": a word may begin with "]"
  c.insert(1, u' ');
  c.erase(4, 1);
  EXPECT_EQ(c.text(0, 4), u"] cd");
  c.setAt(0, u'[');
  c.done().pop_back();
  EXPECT_EQ(c.at(100), u'\0');
  EXPECT_EQ(c.finish(), u"a[ cdef");
}

}  // namespace
}  // namespace veksa
