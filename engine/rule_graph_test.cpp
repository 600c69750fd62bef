// The rule graph of the example knowledge base and of small ones: its nodes and edges, the state of
// a run on it, and its DOT text. Expected edges are read off the rules by hand.
#include "engine/rule_graph.h"

#include "engine/engine_test_support.h"
#include "engine/rule_graph_dot.h"
#include "engine/run_driver.h"
#include "kb/kbfile.h"

namespace veksa {
namespace {

class RuleGraphTest : public testing::EngineTest {
 protected:
  void loadExample() {
    std::string error;
    ws.lines = testing::exampleLines();
    ASSERT_TRUE(readFileBytes(std::string(VEKSA_SOURCE_DIR) + "/examples/trees_and_flowers.answers",
                              answers_, error))
        << error;
    static_cast<MemoryFileStore&>(ws.files()).put(u"kb.vks", ws.lines);
    ws.caption = u"kb.vks";
  }
  // Runs the example with its answers, ticking the named sections (all when none).
  void runExample(const Lines& sections = {}) {
    host.answers = parseAnswers(answers_);
    Run1Result prepared = Run1(ws, host);
    ASSERT_TRUE(prepared.choice);
    if (!sections.empty()) {
      ASSERT_TRUE(tickSections(*prepared.choice, sections));
    }
    ASSERT_EQ(SectionChoiceDone(ws, host, *prepared.choice), RunEnd::Completed);
  }

  // An end of an edge: the node's name, and ":" and the value for a port.
  static std::string end(const RuleGraph& g, std::size_t node, int port) {
    std::string s = toUtf8(g.nodes[node].name);
    if (port >= 0) s += ":" + toUtf8(g.nodes[node].ports[static_cast<std::size_t>(port)].value);
    return s;
  }
  // Every edge as "FROM -> TO label", with "*" after the label of a fired edge.
  static std::vector<std::string> edges(const RuleGraph& g) {
    std::vector<std::string> out;
    for (const GraphEdge& e : g.edges) {
      out.push_back(end(g, e.from, e.fromPort) + " -> " + end(g, e.to, e.toPort) + " " +
                    toUtf8(e.label) + (e.fired ? "*" : ""));
    }
    return out;
  }
  static const GraphNode* node(const RuleGraph& g, GraphNodeKind kind, std::u16string_view name) {
    for (const GraphNode& n : g.nodes) {
      if (n.kind == kind && n.name == name) return &n;
    }
    return nullptr;
  }

  std::string answers_;
};

TEST_F(RuleGraphTest, ExampleNodesAndEdges) {
  loadExample();
  RuleGraph g = buildRuleGraph(ws.lines);
  EXPECT_FALSE(g.hasRunState);
  EXPECT_EQ(g.clusters, (Lines{u"ДЕРЕВЬЯ", u"ЦВЕТЫ"}));
  Lines rules;
  for (const GraphNode& n : g.nodes) {
    if (n.kind != GraphNodeKind::Rule) continue;
    rules.push_back(n.name);
    EXPECT_EQ(ws.lines[n.line], u"NAME " + n.name);
    EXPECT_EQ(n.cluster, n.name < u"Правило4" ? 0 : 1);
  }
  EXPECT_EQ(rules,
            (Lines{u"Правило1", u"Правило2", u"Правило3", u"Правило4", u"Правило5", u"Правило6"}));
  const GraphNode* plumage = node(g, GraphNodeKind::Parameter, u"оперение");
  ASSERT_NE(plumage, nullptr);
  ASSERT_EQ(plumage->ports.size(), 2u);
  EXPECT_EQ(plumage->ports[1].value, u"иголки");
  ASSERT_NE(node(g, GraphNodeKind::Variable, u"X"), nullptr);
  EXPECT_EQ(node(g, GraphNodeKind::Variable, u"X")->valueText, u"50");

  EXPECT_EQ(edges(g), (std::vector<std::string>{
                          "оперение:листья -> AND ",
                          "кора:чёрно_белая -> AND ",
                          "AND -> Правило1 IF",
                          "Правило1 -> дерево:берёза THEN 0,9",
                          "Правило1 -> X THEN =X+5",
                          "Правило1 -> дерево:берёза ELSE -0,9",
                          "оперение:иголки -> AND ",
                          "хвоя:короткая -> AND NOT",
                          "AND -> Правило2 IF",
                          "Правило2 -> дерево:сосна THEN 0,8",
                          "Правило2 -> дерево:ёлка THEN -0,5",
                          "Правило2 -> дерево:ёлка ELSE 0,7",
                          "оперение:иголки -> Правило3 IF",
                          "хвоя:короткая -> Правило3 THEN IF",
                          "Правило3 -> дерево:ёлка THEN THEN 0,6",
                          "Правило3 -> дерево:сосна THEN ELSE 0,4",
                          "Правило3 -> дерево:берёза ELSE 0,3",
                          "шипы:есть -> Правило4 CASE",
                          "шипы:нет -> Правило4 CASE",
                          "Правило4 -> цветок:роза CASE есть 0,9",
                          "Правило4 -> цветок:ромашка CASE нет 0,7",
                          "цвет:белый -> OR ",
                          "шипы:нет -> OR ",
                          "OR -> Правило5 IF",
                          "Правило5 -> цветок:ромашка THEN 0,6",
                          "Правило5 -> Z ELSE =Z:=1",
                          "X -> Правило6 IF =X>52",
                          "Правило6 -> цветок:роза THEN 0,5",
                          "Правило6 -> цветок:ромашка ELSE 0,5",
                      }));
}

TEST_F(RuleGraphTest, ExampleRunState) {
  loadExample();
  runExample();
  RuleGraph g = buildRuleGraph(ws.lines);
  addRunState(g, ws);
  EXPECT_TRUE(g.hasRunState);
  // No answer says оперение иголки: Правило2 and Правило3 fire nothing.
  std::vector<std::pair<std::string, Lines>> fired;
  for (const GraphNode& n : g.nodes) {
    if (n.kind == GraphNodeKind::Rule && n.fired)
      fired.push_back({toUtf8(n.name), n.firedBranches});
  }
  EXPECT_EQ(fired,
            (std::vector<std::pair<std::string, Lines>>{{"Правило1", {u"THEN"}},
                                                        {"Правило4", {u"CASE есть", u"CASE нет"}},
                                                        {"Правило5", {u"THEN"}},
                                                        {"Правило6", {u"THEN"}}}));
  std::vector<std::string> all = edges(g);
  EXPECT_EQ(all[3], "Правило1 -> дерево:берёза THEN 0,9*");
  EXPECT_EQ(all[4], "Правило1 -> X THEN =X+5*");
  EXPECT_EQ(all[5], "Правило1 -> дерево:берёза ELSE -0,9");
  EXPECT_EQ(all[25], "Правило5 -> Z ELSE =Z:=1");

  const GraphNode* plumage = node(g, GraphNodeKind::Parameter, u"оперение");
  EXPECT_EQ(plumage->ports[0].certaintyText, u"0,8");
  EXPECT_EQ(plumage->ports[0].certainty, 0.8L);
  EXPECT_FALSE(plumage->ports[1].certainty);
  const GraphNode* flower = node(g, GraphNodeKind::HypothesisClass, u"цветок");
  EXPECT_EQ(flower->ports[0].certaintyText, u"0,815");
  EXPECT_EQ(flower->ports[1].certaintyText, u"-0,271428571428571");
  EXPECT_EQ(node(g, GraphNodeKind::Variable, u"X")->valueText, u"55");
  EXPECT_EQ(node(g, GraphNodeKind::Variable, u"Z")->valueText, u"3");
}

TEST_F(RuleGraphTest, RunOfOneSectionMarksItsRulesInTheWholeText) {
  loadExample();
  // The section ЦВЕТЫ runs at other line indexes (after a copy of the declaration head) than the
  // whole text, which the run leaves behind, has them.
  runExample({u"ЦВЕТЫ"});
  RuleGraph g = buildRuleGraph(ws.lines);
  addRunState(g, ws);
  EXPECT_FALSE(node(g, GraphNodeKind::Rule, u"Правило1")->fired);
  EXPECT_EQ(node(g, GraphNodeKind::Rule, u"Правило4")->firedBranches,
            (Lines{u"CASE есть", u"CASE нет"}));
  // Without Правило1's formula X stays 50, so Правило6 takes its ELSE branch.
  EXPECT_EQ(node(g, GraphNodeKind::Rule, u"Правило6")->firedBranches, Lines{u"ELSE"});
}

TEST_F(RuleGraphTest, GroupsNegationListsAndRulesWithoutEnd) {
  RuleGraph g = buildRuleGraph({
      u"NAME R1",
      u"IF ( a x OR b y ) AND NOT c z",
      u"THEN k v [0,5], k w [0,4],",
      u"=Y:=X, k u [1]",
      u"NAME R2",
      u"IF a x",
      u"AND =Y<>X",
      u"THEN =X*2, =Y+X",
  });
  EXPECT_EQ(edges(g), (std::vector<std::string>{
                          "a:x -> (OR) ",
                          "b:y -> (OR) ",
                          "(OR) -> AND ",
                          "c:z -> AND NOT",
                          "AND -> R1 IF",
                          "R1 -> k:v THEN 0,5",
                          "R1 -> k:w THEN 0,4",
                          "R1 -> Y THEN =Y:=X",
                          "X -> R1 =Y:=X",
                          "R1 -> k:u THEN 1",
                          "a:x -> AND ",
                          "Y -> AND =Y<>X",
                          "X -> AND =Y<>X",
                          "AND -> R2 IF",
                          "R2 -> X THEN =X*2",
                          "R2 -> Y THEN =Y+X",
                          "X -> R2 =Y+X",
                      }));
}

TEST_F(RuleGraphTest, DeepGroupsAndDotText) {
  // 100,000 nested groups: no recursion, one junction per group.
  Line deep = u"IF ";
  for (int i = 0; i < 100000; ++i) deep += u"( ";
  deep += u"a x";
  for (int i = 0; i < 100000; ++i) deep += u" )";
  RuleGraph g = buildRuleGraph({u"NAME \"R\\1\"", deep, u"THEN k v [1]", u"END"});
  EXPECT_EQ(g.nodes.size(), 3u + 100000u);

  std::string dot = ruleGraphDot(g);
  EXPECT_EQ(dot.rfind("digraph \"Граф правил\" {", 0), 0u);
  EXPECT_NE(dot.find("label=\"\\\"R\\\\1\\\"\""), std::string::npos) << "quotes and backslashes";
  EXPECT_NE(dot.find("<B>a</B>"), std::string::npos);
  EXPECT_EQ(nodeOfDotId("n12"), 12u);
  EXPECT_FALSE(nodeOfDotId("n"));
  EXPECT_FALSE(nodeOfDotId("n1a"));
  EXPECT_FALSE(nodeOfDotId("node"));
}

}  // namespace
}  // namespace veksa
