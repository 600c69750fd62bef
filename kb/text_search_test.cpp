#include "kb/text_search.h"

#include <gtest/gtest.h>

namespace veksa {
namespace {

constexpr std::u16string_view kText = u"NAME R\nIF оперение Листья\nTHEN дерево берёза [0,9]\nEND";

TEST(TextSearchTest, FindStartsAtTheSelectionEndOrAtTheBeginning) {
  // Nothing selected: from the beginning of the text, wherever the caret is.
  EXPECT_EQ(findNext(kText, u"E", std::nullopt, true), 3u);
  // A selection: after its end, so the next request goes on past the match.
  EXPECT_EQ(findNext(kText, u"E", 4, true), kText.find(u"EN"));
  EXPECT_EQ(findNext(kText, u"END", kText.size(), true), std::nullopt);
  EXPECT_EQ(findNext(kText, u"END", kText.size() + 5, true), std::nullopt);
  EXPECT_EQ(findNext(kText, u"", std::nullopt, true), std::nullopt);
}

TEST(TextSearchTest, FindDialogMatchesCaseAndReplaceDialogFindDoesNot) {
  EXPECT_EQ(findNext(kText, u"листья", std::nullopt, true), std::nullopt);
  EXPECT_EQ(findNext(kText, u"листья", std::nullopt, false), kText.find(u"Листья"));
  EXPECT_EQ(findNext(kText, u"БЕРЁЗА", std::nullopt, false), kText.find(u"берёза"));
  EXPECT_EQ(findNext(kText, u"if", std::nullopt, false), kText.find(u"IF"));
  EXPECT_EQ(findNext(kText, u"ё", std::nullopt, false), findNext(kText, u"Ё", std::nullopt, false));
}

TEST(TextSearchTest, ReplaceLooksFromTheBeginningMatchingCase) {
  EXPECT_EQ(findForReplace(kText, u"NAME"), 0u);
  EXPECT_EQ(findForReplace(kText, u"name"), std::nullopt);
  EXPECT_EQ(findForReplace(u"ab ab", u"ab"), 0u);
}

TEST(TextSearchTest, MissingTextMessage) {
  EXPECT_EQ(missingTextMessage(u"IF"), u"Отсутствует \"IF\" в тексте.");
}

TEST(TextSearchTest, FoldCaseKeepsNonLetters) {
  EXPECT_EQ(foldCase(u'Я'), u'я');
  EXPECT_EQ(foldCase(u'Ё'), u'ё');
  EXPECT_EQ(foldCase(u'Z'), u'z');
  EXPECT_EQ(foldCase(u'['), u'[');
  EXPECT_EQ(foldCase(u'я'), u'я');
  EXPECT_EQ(foldCase(u'×'), u'×');
}

}  // namespace
}  // namespace veksa
