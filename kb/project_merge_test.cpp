#include "kb/project_merge.h"

#include <gtest/gtest.h>

#include "kb/section_frames.h"

namespace veksa {
namespace {

TEST(ProjectMergeTest, HeadOfTheDataFileThenEachFileFromItsFirstSectionOrRule) {
  const Lines data = {u"ГИПОТЕЗЫ:", u"дерево {ель}", u"ПАРАМЕТРЫ:", u"РАЗДЕЛ A", u"NAME R1",
                      u"END", u"КОНЕЦ РАЗДЕЛА A"};
  const Lines rules = {u"ГИПОТЕЗЫ:", u"цветок {роза}", u"  NAME R2", u"END"};
  const Lines noRules = {u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:"};
  const Lines lastLineRule = {u"ГИПОТЕЗЫ:", u"NAME R3"};
  EXPECT_EQ(mergeProjectTexts(data, {data, rules, noRules, lastLineRule, rules}),
            (Lines{u"ГИПОТЕЗЫ:", u"дерево {ель}", u"ПАРАМЕТРЫ:",
                   u"", u"РАЗДЕЛ A", u"NAME R1", u"END", u"КОНЕЦ РАЗДЕЛА A",
                   u"", u"  NAME R2", u"END",
                   u"",
                   u"",
                   u"", u"  NAME R2", u"END"}));
  // A data file without sections or rules gives all its lines as the head.
  EXPECT_EQ(mergeProjectTexts(noRules, {{}}), (Lines{u"ГИПОТЕЗЫ:", u"ПАРАМЕТРЫ:", u""}));
}

TEST(SectionFramesTest, NamesAreListedOnceAndFramedInOrder) {
  Lines names;
  EXPECT_TRUE(addSectionName(names, u"тест"));
  EXPECT_FALSE(addSectionName(names, u""));
  EXPECT_FALSE(addSectionName(names, u"тест"));
  EXPECT_TRUE(addSectionName(names, u"два слова"));
  EXPECT_TRUE(addSectionName(names, u"опрос"));
  removeSectionName(names, u"два слова");
  Lines lines = {u"ГИПОТЕЗЫ:"};
  appendSectionFrames(lines, names);
  EXPECT_EQ(lines, (Lines{u"ГИПОТЕЗЫ:", u"РАЗДЕЛ тест", u"КОНЕЦ РАЗДЕЛА тест", u"",
                          u"РАЗДЕЛ опрос", u"КОНЕЦ РАЗДЕЛА опрос", u""}));
}

}  // namespace
}  // namespace veksa
