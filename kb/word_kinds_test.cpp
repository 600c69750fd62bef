#include "kb/word_kinds.h"

#include <gtest/gtest.h>

namespace veksa {
namespace {

using K = WordKind;

TEST(WordKindsTest, KeywordsAreWholeWordsBetweenSpaces) {
  EXPECT_EQ(classifyWords(u"IF оперение листья"), (std::vector<WordSpan>{{0, 2, K::Keyword}}));
  EXPECT_EQ(classifyWords(u"  AND NOT хвоя короткая"),
            (std::vector<WordSpan>{{2, 3, K::Keyword}, {6, 3, K::Keyword}}));
  // Part of a word, another case or a word glued to punctuation is no keyword.
  EXPECT_EQ(classifyWords(u"ENDING IFX name END, (OR"), std::vector<WordSpan>{});
  EXPECT_EQ(classifyWords(u"NAME Правило1"), (std::vector<WordSpan>{{0, 4, K::Keyword}}));
  EXPECT_EQ(classifyWords(u"END"), (std::vector<WordSpan>{{0, 3, K::Keyword}}));
  EXPECT_EQ(classifyWords(u""), std::vector<WordSpan>{});
  EXPECT_EQ(classifyWords(u"   "), std::vector<WordSpan>{});
}

TEST(WordKindsTest, TabsAndTrailingSpacesAreBlanksThatMatter) {
  // A keyword after a tab is one word with it, as the diagnostics and the engine read it.
  EXPECT_EQ(classifyWords(u"\tIF a b"), std::vector<WordSpan>{});
  EXPECT_EQ(classifyWords(u"IF\ta b"), std::vector<WordSpan>{});
  EXPECT_EQ(blankSpans(u"\tIF a\t\tb"),
            (std::vector<WordSpan>{{0, 1, K::Blank}, {5, 2, K::Blank}}));
  // Trailing blanks are one stretch, tabs among them included; inner spaces are no blanks.
  EXPECT_EQ(blankSpans(u"END  \t "), (std::vector<WordSpan>{{3, 4, K::Blank}}));
  EXPECT_EQ(blankSpans(u"IF a b"), std::vector<WordSpan>{});
  EXPECT_EQ(blankSpans(u"  "), (std::vector<WordSpan>{{0, 2, K::Blank}}));
  EXPECT_EQ(blankSpans(u""), std::vector<WordSpan>{});
}

TEST(WordKindsTest, ConclusionsWithFactorsAndFormulas) {
  // "THEN дерево берёза [0,9], =X+5": the factor without its comma, the formula whole.
  EXPECT_EQ(
      classifyWords(u"THEN дерево берёза [0,9], =X+5"),
      (std::vector<WordSpan>{{0, 4, K::Keyword}, {19, 5, K::Certainty}, {26, 4, K::Formula}}));
  EXPECT_EQ(classifyWords(u"IF =X>52"),
            (std::vector<WordSpan>{{0, 2, K::Keyword}, {3, 5, K::Formula}}));
  EXPECT_EQ(classifyWords(u"ELSE =Z:=1"),
            (std::vector<WordSpan>{{0, 4, K::Keyword}, {5, 5, K::Formula}}));
  // A factor without its "]" is marked to the end of the word; "[" inside a word is not a factor.
  EXPECT_EQ(classifyWords(u"a [0,9 b[1]"), (std::vector<WordSpan>{{2, 4, K::Certainty}}));
}

TEST(WordKindsTest, HeadersAndSections) {
  for (std::u16string_view header : {u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:", u"ПЕРЕМЕННЫЕ:"}) {
    EXPECT_EQ(classifyWords(header), (std::vector<WordSpan>{{0, header.size(), K::Header}}));
  }
  EXPECT_EQ(classifyWords(u"ГИПОТЕЗЫ"), std::vector<WordSpan>{});
  EXPECT_EQ(classifyWords(u"РАЗДЕЛ ДЕРЕВЬЯ"), (std::vector<WordSpan>{{0, 14, K::Header}}));
  EXPECT_EQ(classifyWords(u"КОНЕЦ РАЗДЕЛА  ДЕРЕВЬЯ"), (std::vector<WordSpan>{{0, 22, K::Header}}));
  // A header's name is part of it even when it is a keyword; what follows is classified again.
  EXPECT_EQ(classifyWords(u"РАЗДЕЛ END IF"),
            (std::vector<WordSpan>{{0, 10, K::Header}, {11, 2, K::Keyword}}));
  EXPECT_EQ(classifyWords(u"РАЗДЕЛ"), (std::vector<WordSpan>{{0, 6, K::Header}}));
  EXPECT_EQ(classifyWords(u"КОНЕЦ РАЗДЕЛА"), (std::vector<WordSpan>{{0, 13, K::Header}}));
  EXPECT_EQ(classifyWords(u"КОНЕЦ ДЕРЕВЬЯ"), std::vector<WordSpan>{});
}

}  // namespace
}  // namespace veksa
