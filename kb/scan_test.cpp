#include "kb/scan.h"

#include <gtest/gtest.h>

#include "kb/locate.h"

namespace veksa {
namespace {

Line leks(std::u16string_view line, std::size_t start, std::size_t bound, Line init = u"старое") {
  GetLeks(line, start, bound, init);
  return init;
}

TEST(GetLeks, WordsEndAtSpacesAndBeforeClosingBracket) {
  const Line line = u"дерево берёза [0,9]";
  EXPECT_EQ(leks(line, 1, line.size()), u"дерево");
  EXPECT_EQ(leks(line, 7, line.size()), u"берёза");  // leading space skipped
  EXPECT_EQ(leks(line, 15, line.size()), u"[0,9");
  EXPECT_EQ(leks(line, 16, line.size()), u"0,9");
  EXPECT_EQ(leks(u"[0,5], дерево", 5, 13), u"],");
  EXPECT_EQ(leks(u"a\tb c", 1, 5), u"a\tb");  // a tab is part of a word
}

TEST(GetLeks, NoWordLeavesTheOutParameterAlone) {
  EXPECT_EQ(leks(u"abc", 5, 3), u"старое");
  EXPECT_EQ(leks(u"    ", 1, 4), u"старое");
  EXPECT_EQ(leks(u"", 1, 0), u"старое");
  EXPECT_EQ(leks(u"словарь", 1, 3), u"сло");  // cut at the bound
  EXPECT_EQ(leks(u"ab", 1, 99), u"ab");      // never longer than the line
}

TEST(Scan, PositionConventions) {
  const Line line = u"  IF  оперение листья";
  std::size_t pos = 1;
  EXPECT_EQ(readWord(line, pos), u"IF");
  EXPECT_EQ(pos, 5u);
  EXPECT_EQ(readWord(line, pos), u"оперение");
  EXPECT_EQ(readWord(line, pos), u"листья");
  EXPECT_EQ(readWord(line, pos), u"");
  EXPECT_EQ(pos, line.size() + 1);
  EXPECT_EQ(firstWord(u"   "), u"");
  EXPECT_EQ(firstWord(line), u"IF");
  EXPECT_EQ(secondWord(u"NAME Правило1 лишнее"), u"Правило1");
  EXPECT_EQ(skipSpaces(u"ab  ", 3), 5u);
}

TEST(SpisZnach, ValuesOfEveryDeclarationLine) {
  Lines kb = {u"ПАРАМЕТРЫ:", u"оперение {листья, иголки}", u"шипы {есть}", u"цвет {белый} ",
              u"оперение {хвоя}"};
  EXPECT_EQ(SpisZnach(kb, u"оперение"), (Lines{u"листья", u"иголки", u"хвоя"}));
  EXPECT_EQ(SpisZnach(kb, u"шипы"), (Lines{u"есть"}));
  EXPECT_EQ(SpisZnach(kb, u"цвет"), (Lines{u"белый"}));  // a space after "}" adds nothing
  EXPECT_TRUE(SpisZnach(kb, u"кора").empty());
}

TEST(SpisZnach, FaultyLayoutIsReadAsWritten) {
  // Two spaces before "{": the first value keeps its brace. A space before "}": the last value
  // loses a letter and an empty value follows.
  EXPECT_EQ(SpisZnach({u"оперение  {листья, иголки}"}, u"оперение"),
            (Lines{u"{листья", u"иголки"}));
  EXPECT_EQ(SpisZnach({u"оперение {листья, иголки }"}, u"оперение"),
            (Lines{u"листья", u"иголк", u""}));
}

TEST(Locate, HeadVariablesSectionsAndRules) {
  Lines kb = {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"ПЕРЕМЕННЫЕ:", u"X 5", u"  РАЗДЕЛ  ДЕРЕВЬЯ",
              u"РАЗДЕЛ ДЕРЕВЬЯ", u"NAME П1 лишнее", u"IF a b", u"END ", u"END",
              u"КОНЕЦ РАЗДЕЛА ДЕРЕВЬЯ", u"NAME П2"};
  EXPECT_EQ(PechGip(kb), 4u);
  EXPECT_EQ(PechGip({u"a", u"b"}), 2u);
  EXPECT_EQ(findVariablesHeader(kb), 2u);
  EXPECT_FALSE(findVariablesHeader({u"ПЕРЕМЕННЫЕ:"}).has_value());  // never the first line
  EXPECT_EQ(variablesStretchEnd(kb, 2), 4u);
  EXPECT_EQ(sectionNames(kb), (Lines{u"ДЕРЕВЬЯ", u"ДЕРЕВЬЯ"}));
  auto section = findSection(kb, u"ДЕРЕВЬЯ");  // only the exact line opens it
  ASSERT_TRUE(section.has_value());
  EXPECT_EQ(section->first, 5u);
  EXPECT_EQ(section->second, 10u);
  EXPECT_FALSE(findSection(kb, u"ЦВЕТЫ").has_value());
  auto rules = ruleLines(kb);
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[0].name, u"П1");
  EXPECT_EQ(rules[1].index, 11u);
  EXPECT_EQ(ruleBodyEnd(kb, 7), 9u);  // "END " does not end a rule
  // The trace dialog's names: "NAME" anywhere in a line, reading on after each name.
  EXPECT_EQ(traceRuleNames({u"NAME П1", u"x NAME П2 NAME NAME", u"  NAME П1", u"NAMES П3",
                            u"NAME"}),
            (Lines{u"П1", u"П2", u"NAME", u"П1"}));
  EXPECT_EQ(newKnowledgeBase().size(), 6u);
}

TEST(Locate, LastPairOfSectionLines) {
  Lines kb = {u"x", u"РАЗДЕЛ А", u"КОНЕЦ РАЗДЕЛА А", u"РАЗДЕЛ А", u"y", u"КОНЕЦ РАЗДЕЛА А",
              u"РАЗДЕЛ А"};
  auto section = findSection(kb, u"А");
  ASSERT_TRUE(section.has_value());
  EXPECT_EQ(section->first, 3u);
  EXPECT_EQ(section->second, 5u);
}

}  // namespace
}  // namespace veksa
