// "Почему?": the rules that test a parameter, in the order of the rule path.
#include "engine/why_asked.h"

#include "engine/engine_test_support.h"
#include "kb/locate.h"

namespace veksa {
namespace {

// The entries as "RULE: LINE TEXT".
std::vector<std::string> shown(const std::vector<WhyEntry>& entries) {
  std::vector<std::string> out;
  for (const WhyEntry& e : entries) out.push_back(toUtf8(e.rule + u": " + e.conditionText));
  return out;
}

TEST(WhyAskedTest, RulesOfTheExampleInPathOrder) {
  const Lines lines = testing::exampleLines();
  Lines path;
  for (const RuleLine& r : ruleLines(lines)) path.push_back(r.name);
  EXPECT_EQ(
      shown(whyAsked(lines, path, u"оперение")),
      (std::vector<std::string>{"Правило1: IF оперение листья", "Правило2: IF оперение иголки",
                                "Правило3: IF оперение иголки"}));
  EXPECT_EQ(shown(whyAsked(lines, path, u"хвоя")),
            (std::vector<std::string>{"Правило2: AND NOT хвоя короткая",
                                      "Правило3: THEN IF хвоя короткая"}));
  std::vector<WhyEntry> spines = whyAsked(lines, path, u"шипы");
  EXPECT_EQ(shown(spines),
            (std::vector<std::string>{"Правило4: CASE шипы", "Правило5: OR шипы нет"}));
  EXPECT_EQ(lines[spines[0].nameLine], u"NAME Правило4");
  EXPECT_EQ(lines[spines[0].conditionLine], u"CASE шипы");
  // A class is concluded, never tested.
  EXPECT_TRUE(whyAsked(lines, path, u"дерево").empty());

  // A path set by the user: its order, each rule once, names of no rule passed over.
  EXPECT_EQ(shown(whyAsked(lines, {u"Правило5", u"нет_такого", u"Правило4", u"Правило5"}, u"шипы")),
            (std::vector<std::string>{"Правило5: OR шипы нет", "Правило4: CASE шипы"}));
  EXPECT_TRUE(whyAsked(lines, {u"Правило1"}, u"шипы").empty());
}

TEST(WhyAskedTest, EveryLineThatTestsTheParameterAndRulesSharingAName) {
  const Lines lines = {
      u"NAME R", u"IF p a", u"OR p b AND q c",        u"THEN k v [1]",
      u"END",    u"NAME R", u"IF ( q c OR NOT p a )", u"THEN k v [1]",
      u"END",
  };
  std::vector<WhyEntry> e = whyAsked(lines, {u"R"}, u"p");
  EXPECT_EQ(shown(e), (std::vector<std::string>{"R: IF p a", "R: OR p b AND q c",
                                                "R: IF ( q c OR NOT p a )"}));
  EXPECT_EQ(e[2].nameLine, 5u);
  EXPECT_EQ(e[2].conditionLine, 6u);
}

}  // namespace
}  // namespace veksa
