#include "kb/hierarchy.h"

#include <gtest/gtest.h>

namespace veksa {
namespace {

// The tree as "text(child, child)" for compact comparison.
std::u16string outline(const HierarchyNode& node) {
  std::u16string out = node.text;
  if (node.children.empty()) return out;
  out += u"(";
  for (std::size_t i = 0; i < node.children.size(); ++i) {
    if (i) out += u", ";
    out += outline(node.children[i]);
  }
  return out + u")";
}

const Lines kSections = {u"ГИПОТЕЗЫ:",       u"дерево {ель}", u"РАЗДЕЛ ДЕРЕВЬЯ", u"NAME Правило1",
                         u"IF a b",          u"END",          u"NAME Правило2",  u"END",
                         u"КОНЕЦ РАЗДЕЛА ДЕРЕВЬЯ", u"",       u"РАЗДЕЛ ЦВЕТЫ",   u"NAME Правило4",
                         u"END",             u"КОНЕЦ РАЗДЕЛА ЦВЕТЫ", u"NAME Правило5", u"END"};

TEST(HierarchyTest, SectionsHoldTheRulesAfterThemEvenPastTheirEnd) {
  EXPECT_EQ(outline(buildHierarchy(kSections)),
            u"БАЗА ЗНАНИЙ(ДЕРЕВЬЯ(NAME Правило1, NAME Правило2), "
            u"ЦВЕТЫ(NAME Правило4, NAME Правило5))");
  // Without sections every rule hangs under the root, in text order; keywords count anywhere in
  // a line, a keyword ending its line names nothing.
  Lines plain = {u"NAME R1", u"IF a b", u"END", u"  NAME R2 extra NAME R3", u"x NAME"};
  EXPECT_EQ(outline(buildHierarchy(plain)), u"БАЗА ЗНАНИЙ(NAME R1, NAME R2, NAME R3)");
  // Rules before the first section stay under the root.
  Lines mixed = {u"NAME R0", u"END", u"РАЗДЕЛ S", u"NAME R1", u"КОНЕЦ РАЗДЕЛА S"};
  EXPECT_EQ(outline(buildHierarchy(mixed)), u"БАЗА ЗНАНИЙ(NAME R0, S(NAME R1))");
  EXPECT_EQ(outline(buildHierarchy({})), u"БАЗА ЗНАНИЙ");
}

TEST(HierarchyTest, NodeRangesTakeWholeLinesExactly) {
  EXPECT_TRUE(isSectionNode(u"ДЕРЕВЬЯ"));
  EXPECT_FALSE(isSectionNode(u"NAME Правило1"));
  EXPECT_EQ(nodeRange(kSections, u"ДЕРЕВЬЯ"), std::make_pair(std::size_t{2}, std::size_t{8}));
  EXPECT_EQ(nodeRange(kSections, u"NAME Правило2"), std::make_pair(std::size_t{6}, std::size_t{7}));
  EXPECT_EQ(nodeRange(kSections, u"NAME Правило5"), std::make_pair(std::size_t{14}, std::size_t{15}));
  // A heading with an extra space, an "END " or a missing end line: not found.
  EXPECT_EQ(nodeRange({u"РАЗДЕЛ  S", u"КОНЕЦ РАЗДЕЛА S"}, u"S"), std::nullopt);
  EXPECT_EQ(nodeRange({u"NAME R", u"IF a b", u"END "}, u"NAME R"), std::nullopt);
  EXPECT_EQ(nodeRange({u"NAME R x", u"END"}, u"NAME R"), std::nullopt);
  // The end is looked for after the opening line.
  EXPECT_EQ(nodeRange({u"END", u"NAME R", u"NAME R", u"END"}, u"NAME R"),
            std::make_pair(std::size_t{1}, std::size_t{3}));
}

TEST(HierarchyTest, NodesOfTheSameTextNarrowToTheirOwnParts) {
  const Lines twice = {u"РАЗДЕЛ S", u"NAME R", u"IF a b", u"END", u"КОНЕЦ РАЗДЕЛА S",
                       u"РАЗДЕЛ S", u"NAME R x", u"END", u"NAME R", u"END", u"КОНЕЦ РАЗДЕЛА S"};
  EXPECT_EQ(outline(buildHierarchy(twice)), u"БАЗА ЗНАНИЙ(S(NAME R), S(NAME R, NAME R))");
  EXPECT_EQ(nodeRange(twice, u"NAME R", 0), std::make_pair(std::size_t{1}, std::size_t{3}));
  // The second rule node stands for "NAME R x", which is not its whole line.
  EXPECT_EQ(nodeRange(twice, u"NAME R", 1), std::nullopt);
  EXPECT_EQ(nodeRange(twice, u"NAME R", 2), std::make_pair(std::size_t{8}, std::size_t{9}));
  EXPECT_EQ(nodeRange(twice, u"NAME R", 3), std::nullopt);
  EXPECT_EQ(nodeRange(twice, u"S", 1), std::make_pair(std::size_t{5}, std::size_t{10}));
}

}  // namespace
}  // namespace veksa
