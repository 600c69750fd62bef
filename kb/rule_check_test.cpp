#include "kb/rule_check.h"

#include <gtest/gtest.h>

namespace veksa {
namespace {

const Line kNoStart = u"Отсутствует начало правила";
const Line kIfThen = u"Проверьте количество IF и THEN";
const Line kIfElse = u"Проверьте количество IF и ELSE";

TEST(RuleCheckTest, CompleteRulesPassAndUnbalancedOnesAreReported) {
  Lines rule = {u"NAME R", u"IF a b", u"THEN c d [0,9]", u"ELSE c e [-0,9]", u"END "};
  EXPECT_EQ(checkRuleEnd(rule, 4), Lines{});

  Lines twoIfs = {u"NAME R", u"IF a b", u"AND IF x y", u"THEN c d [0,9]", u"ELSE c e [0,1]"};
  EXPECT_EQ(checkRuleEnd(twoIfs, 5), (Lines{kIfThen, kIfElse}));

  // Blank lines and words after NAME on its own line are passed over.
  Lines noElse = {u"ГИПОТЕЗЫ:", u"NAME R IF", u"", u"IF a b", u"   ", u"THEN c d [0,9]", u"END"};
  EXPECT_EQ(checkRuleEnd(noElse, 6), Lines{kIfElse});
}

TEST(RuleCheckTest, TheCaretLineItselfIsNotExamined) {
  // "END" pressed at the end of the ELSE line: that ELSE is not counted.
  Lines lines = {u"NAME R", u"IF a b", u"THEN c d [0,9]", u"ELSE c e [-0,9] END "};
  EXPECT_EQ(checkRuleEnd(lines, 3), Lines{kIfElse});
}

TEST(RuleCheckTest, CaseRules) {
  Lines caseAlone = {u"NAME R", u"CASE шипы", u"есть цветок роза [0,9]", u"END "};
  EXPECT_EQ(checkRuleEnd(caseAlone, 3), Lines{});
  Lines caseAndIf = {u"NAME R", u"CASE шипы", u"есть IF a b THEN c d", u"END "};
  EXPECT_EQ(checkRuleEnd(caseAndIf, 3), Lines{u"Наличие ключевых слов кроме CASE не допустимо"});
  Lines twoCases = {u"NAME R", u"CASE a", u"CASE b", u"END "};
  EXPECT_EQ(checkRuleEnd(twoCases, 3), Lines{u"Не более одного опреатора CASE в одном правиле"});
}

TEST(RuleCheckTest, RuleWithoutStart) {
  Lines afterEnd = {u"NAME A", u"IF a b", u"THEN c d", u"ELSE c e", u"END", u"IF x y", u"END "};
  EXPECT_EQ(checkRuleEnd(afterEnd, 6), Lines{kNoStart});
  Lines afterHead = {u"ПАРАМЕТРЫ:", u"a {b}", u"IF a b", u"END "};
  EXPECT_EQ(checkRuleEnd(afterHead, 3), Lines{kNoStart});
  Lines top = {u"IF a b", u"THEN c d", u"END "};
  EXPECT_EQ(checkRuleEnd(top, 2), Lines{kNoStart});
  EXPECT_EQ(checkRuleEnd(top, 0), Lines{kNoStart});
  EXPECT_EQ(checkRuleEnd({}, 0), Lines{kNoStart});
}

}  // namespace
}  // namespace veksa
