// The rule graph: the knowledge base as a directed graph, parameters (with the values the rules
// test) -> rules -> hypothesis classes (with the values the rules conclude), and the variables
// that comparisons read and formulas read and write. Conditions that join several terms go
// through small junction nodes (AND, OR, a group in brackets); NOT is written on its edge. Rules
// and their junctions are grouped by section. After a run the nodes carry its state.
#ifndef VEKSA_ENGINE_RULE_GRAPH_H_
#define VEKSA_ENGINE_RULE_GRAPH_H_

#include <cstddef>
#include <optional>
#include <vector>

#include "engine/workspace.h"
#include "kb/text.h"

namespace veksa {

enum class GraphNodeKind { Parameter, Rule, HypothesisClass, Variable, Junction };

// A value of a parameter or hypothesis class: a port of its node that edges attach to.
struct GraphPort {
  Line value;
  std::optional<long double> certainty;  // run state: the fact's or the result's certainty
  Line certaintyText;                    // as its table cell holds it
};

inline constexpr std::size_t kNoGraphLine = static_cast<std::size_t>(-1);

// A branch of a rule (THEN, ELSE, a CASE alternative) by its line.
struct GraphBranch {
  std::size_t line = 0;
  Line label;  // "THEN", "THEN ELSE", "CASE есть"
};

struct GraphNode {
  GraphNodeKind kind = GraphNodeKind::Rule;
  Line name;  // parameter, rule, class or variable name; a junction's "AND", "OR", "(AND)", "( )"
  std::vector<GraphPort> ports;       // a parameter's tested values, a class's concluded values
  std::size_t line = kNoGraphLine;    // a rule's "NAME" line
  int cluster = -1;                   // index into RuleGraph::clusters, -1 outside every section
  Line valueText;                     // a variable's value: declared, or as the last run left it
  std::vector<GraphBranch> branches;  // a rule's branches
  // Run state of a rule: at least one branch fired, and the labels of the branches that did.
  bool fired = false;
  Lines firedBranches;
};

enum class GraphEdgeKind {
  Condition,   // a tested value, a comparison's variable or a junction -> a junction or a rule
  Conclusion,  // a rule -> a concluded value
  Writes,      // a rule -> the variable a formula stores into
  Reads,       // a variable a formula reads -> the rule
};

struct GraphEdge {
  std::size_t from = 0, to = 0;    // node indexes
  int fromPort = -1, toPort = -1;  // port indexes, -1 for the node itself
  GraphEdgeKind kind = GraphEdgeKind::Condition;
  Line label;            // "IF", "NOT", "THEN IF", "=X>52", "THEN 0,9", "ELSE =Z:=1"
  bool negated = false;  // a condition edge of a term or group under NOT
  bool fired = false;    // run state: the edge's branch fired in the last run
  std::size_t rule = 0;  // the rule node the edge belongs to
  std::size_t branchLine = kNoGraphLine;  // a conclusion, write or read edge: its branch's line
};

struct RuleGraph {
  std::vector<GraphNode> nodes;
  std::vector<GraphEdge> edges;
  Lines clusters;  // section names
  bool hasRunState = false;
};

// Builds the graph from the knowledge-base lines, reading them once.
RuleGraph buildRuleGraph(const Lines& lines);

// Adds the state of the last run to a graph built from the same text: the rules that fired and
// their branches (and those branches' edges), the facts' certainties on the parameter values, the
// results' certainties on the class values, and the variables' values. Does nothing when the
// workspace holds no run. The graph is of ws.lines (a run leaves the whole text behind).
void addRunState(RuleGraph& graph, const Workspace& ws);

}  // namespace veksa

#endif  // VEKSA_ENGINE_RULE_GRAPH_H_
