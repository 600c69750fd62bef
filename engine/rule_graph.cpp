// Building the rule graph from the rules' structure, and adding a run's state to it.
#include "engine/rule_graph.h"

#include <optional>
#include <unordered_map>
#include <utility>

#include "kb/expression_parts.h"
#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/number.h"
#include "kb/rule_structure.h"
#include "kb/scan.h"

namespace veksa {

namespace {

// What feeds a junction or a rule: a node (or one of its ports), with the label of its edge.
struct Source {
  std::size_t node;
  int port;
  Line label;
  bool negated = false;
};

// The partial result of a condition or group: its sources, and the junction that takes further
// terms of the same connective (none once the group around it has closed).
struct Operand {
  std::vector<Source> sources;
  std::optional<std::size_t> openJunction;
};

// A group being read: what it has so far, and how the group itself joins what precedes it.
struct GroupContext {
  std::optional<Operand> current;
  Line connective;
  bool negated = false;
};

class GraphBuilder {
 public:
  explicit GraphBuilder(const Lines& lines) {
    auto header = findVariablesHeader(lines);
    if (!header) return;
    const std::size_t end = variablesStretchEnd(lines, *header);
    for (std::size_t i = *header + 1; i < end; ++i) {
      std::size_t pos = 1;
      Line name = readWord(lines[i], pos);
      if (!name.empty()) declaredValues_[name] = readWord(lines[i], pos);
    }
  }

  void addRule(const RuleStructure& r) {
    cluster_ = clusterOf(r.section);
    rule_ = addNode(GraphNodeKind::Rule, r.name);
    graph_.nodes[rule_].line = r.nameLine;
    for (const RuleBranch& b : r.branches) {
      graph_.nodes[rule_].branches.push_back({b.line, b.label});
    }
    for (const RuleCondition& c : r.conditions) addCondition(c);
    for (const RuleBranch& b : r.branches) addBranch(b);
  }

  RuleGraph take() { return std::move(graph_); }

 private:
  int clusterOf(const Line& section) {
    if (section.empty()) return -1;
    auto [it, added] = clusters_.try_emplace(section, static_cast<int>(graph_.clusters.size()));
    if (added) graph_.clusters.push_back(section);
    return it->second;
  }

  // A node; rules and junctions stand in the cluster of the rule being added.
  std::size_t addNode(GraphNodeKind kind, Line name) {
    GraphNode& n = graph_.nodes.emplace_back();
    n.kind = kind;
    n.name = std::move(name);
    if (kind == GraphNodeKind::Rule || kind == GraphNodeKind::Junction) n.cluster = cluster_;
    ports_.emplace_back();
    return graph_.nodes.size() - 1;
  }

  // The node of a parameter, class or variable of that name, made on first use.
  std::size_t named(GraphNodeKind kind, const Line& name) {
    auto& index = byName_[static_cast<int>(kind)];
    auto [it, added] = index.try_emplace(name, graph_.nodes.size());
    if (added) {
      addNode(kind, name);
      auto declared = declaredValues_.find(name);
      if (kind == GraphNodeKind::Variable && declared != declaredValues_.end()) {
        graph_.nodes.back().valueText = declared->second;
      }
    }
    return it->second;
  }

  int port(std::size_t node, const Line& value) {
    auto& index = ports_[node];
    auto [it, added] = index.try_emplace(value, static_cast<int>(graph_.nodes[node].ports.size()));
    if (added) graph_.nodes[node].ports.emplace_back().value = value;
    return it->second;
  }

  std::size_t junction(Line name) { return addNode(GraphNodeKind::Junction, std::move(name)); }

  void edge(const Source& from, std::size_t to, GraphEdgeKind kind, Line label,
            std::size_t branchLine = kNoGraphLine, int toPort = -1) {
    graph_.edges.push_back({.from = from.node,
                            .to = to,
                            .fromPort = from.port,
                            .toPort = toPort,
                            .kind = kind,
                            .label = std::move(label),
                            .negated = from.negated,
                            .rule = rule_,
                            .branchLine = branchLine});
  }

  // The variable an operand names (a "~" in front negates it), or none for a number.
  std::optional<std::size_t> variable(std::u16string_view operand) {
    if (!operand.empty() && operand[0] == u'~') operand.remove_prefix(1);
    if (operand.empty() || hasNumberForm(operand)) return std::nullopt;
    return named(GraphNodeKind::Variable, Line(operand));
  }

  Operand termOperand(const ConditionTerm& t) {
    Operand o;
    Line negation = t.negated ? Line(kNot) : Line();
    if (t.kind == ConditionTerm::Kind::Comparison) {
      ExpressionParts p = splitComparison(t.comparison);
      for (const Line* operand : {&p.left, &p.right}) {
        if (auto v = variable(*operand)) o.sources.push_back({*v, -1, t.comparison});
      }
    } else {
      std::size_t p = named(GraphNodeKind::Parameter, t.parameter);
      o.sources.push_back({p, port(p, t.value), negation, t.negated});
    }
    return o;
  }

  // Joins an operand to what a group has read so far by `connective`.
  void join(GroupContext& g, Line connective, Operand o) {
    if (o.sources.empty()) return;
    if (!g.current) {
      g.current = std::move(o);
      return;
    }
    if (connective.empty()) connective = kAnd;  // a term without a connective still joins in
    Operand& cur = *g.current;
    if (!cur.openJunction || graph_.nodes[*cur.openJunction].name != connective) {
      std::size_t j = junction(connective);
      for (const Source& s : cur.sources) edge(s, j, GraphEdgeKind::Condition, s.label);
      cur = Operand{{{j, -1, Line()}}, j};
    }
    for (const Source& s : o.sources) edge(s, *cur.openJunction, GraphEdgeKind::Condition, s.label);
  }

  // A closed group becomes one operand: its junction, named in brackets.
  Operand closeGroup(GroupContext& g) {
    Operand o = g.current ? std::move(*g.current) : Operand();
    if (o.sources.empty()) return o;
    std::size_t j;
    if (o.openJunction) {
      j = *o.openJunction;
      graph_.nodes[j].name = u"(" + graph_.nodes[j].name + u")";
    } else {
      j = junction(u"( )");
      for (const Source& s : o.sources) edge(s, j, GraphEdgeKind::Condition, s.label);
    }
    return Operand{{{j, -1, g.negated ? Line(kNot) : Line(), g.negated}}, std::nullopt};
  }

  void addCondition(const RuleCondition& c) {
    if (c.isCase) {
      for (const ConditionTerm& t : c.terms) {
        for (const Source& s : termOperand(t).sources) {
          edge(s, rule_, GraphEdgeKind::Condition, c.label);
        }
      }
      return;
    }
    std::vector<GroupContext> groups(1);
    auto closeInnermost = [&] {
      GroupContext g = std::move(groups.back());
      groups.pop_back();
      join(groups.back(), g.connective, closeGroup(g));
    };
    for (const ConditionTerm& t : c.terms) {
      if (t.kind == ConditionTerm::Kind::Open) {
        groups.push_back({std::nullopt, t.connective, t.negated});
      } else if (t.kind == ConditionTerm::Kind::Close) {
        if (groups.size() > 1) closeInnermost();
      } else {
        join(groups.back(), t.connective, termOperand(t));
      }
    }
    while (groups.size() > 1) closeInnermost();
    if (!groups[0].current) return;
    for (const Source& s : groups[0].current->sources) {
      edge(s, rule_, GraphEdgeKind::Condition,
           s.label.empty() ? c.label : c.label + u" " + s.label);
    }
  }

  void addBranch(const RuleBranch& b) {
    const Source rule{rule_, -1, Line()};
    for (const RuleConclusion& item : b.items) {
      if (!item.formula) {
        std::size_t cls = named(GraphNodeKind::HypothesisClass, item.cls);
        edge(rule, cls, GraphEdgeKind::Conclusion, b.label + u" " + item.factor, b.line,
             port(cls, item.value));
        continue;
      }
      ExpressionParts p = splitFormula(item.text);
      auto written = variable(p.left);
      if (written) edge(rule, *written, GraphEdgeKind::Writes, b.label + u" " + item.text, b.line);
      auto read = variable(p.right);
      if (read && read != written) {
        edge({*read, -1, Line()}, rule_, GraphEdgeKind::Reads, item.text, b.line);
      }
    }
  }

  RuleGraph graph_;
  std::size_t rule_ = 0;
  int cluster_ = -1;
  std::unordered_map<Line, int> clusters_;
  std::unordered_map<Line, std::size_t> byName_[5];
  std::vector<std::unordered_map<Line, int>> ports_;  // per node: value -> port
  std::unordered_map<Line, Line> declaredValues_;
};

// The certainty of the last row of a table that matches the key, as its cell holds it.
void fromTable(const Table& table, const Line& k0, const Line& k1, char16_t separator,
               GraphPort& port) {
  const auto& rows = table.find(k0, k1);
  if (rows.empty()) return;
  port.certaintyText = table.cell(rows.back(), 2);
  port.certainty = parseDecimal(port.certaintyText, separator);
}

}  // namespace

RuleGraph buildRuleGraph(const Lines& lines) {
  GraphBuilder builder(lines);
  for (const RuleStructure& r : readRuleStructures(lines)) builder.addRule(r);
  return builder.take();
}

void addRunState(RuleGraph& graph, const Workspace& ws) {
  const PassRecord& pass = ws.lastRun.lastPass;
  if (!pass.recorded) return;
  graph.hasRunState = true;
  std::unordered_map<Line, std::vector<std::size_t>> rules;
  for (std::size_t n = 0; n < graph.nodes.size(); ++n) {
    GraphNode& node = graph.nodes[n];
    switch (node.kind) {
      case GraphNodeKind::Parameter:
      case GraphNodeKind::HypothesisClass: {
        const Table& table = node.kind == GraphNodeKind::Parameter
                                 ? static_cast<const Table&>(ws.facts)
                                 : static_cast<const Table&>(ws.results);
        for (GraphPort& p : node.ports)
          fromTable(table, node.name, p.value, ws.decimalSeparator, p);
        break;
      }
      case GraphNodeKind::Variable: {
        const auto& rows = ws.variables.find(node.name);
        if (!rows.empty()) node.valueText = ws.variables.cell(rows.back(), 1);
        break;
      }
      case GraphNodeKind::Rule:
        rules[node.name].push_back(n);
        break;
      case GraphNodeKind::Junction:
        break;
    }
  }
  // The branches that fired, found by their rule's name, their offset and their line's text.
  std::unordered_map<std::size_t, std::vector<std::size_t>> firedLines;  // rule node -> lines
  for (const FiredBranch& f : pass.firedBranches) {
    auto it = rules.find(f.rule);
    if (it == rules.end()) continue;
    for (std::size_t n : it->second) {
      GraphNode& rule = graph.nodes[n];
      std::size_t line = rule.line + f.offset;
      if (line >= ws.lines.size() || ws.lines[line] != f.lineText) continue;
      rule.fired = true;
      for (const GraphBranch& b : rule.branches) {
        if (b.line != line) continue;
        bool known = false;
        for (const Line& label : rule.firedBranches) known = known || label == b.label;
        if (!known) rule.firedBranches.push_back(b.label);
      }
      firedLines[n].push_back(line);
    }
  }
  for (GraphEdge& e : graph.edges) {
    auto it = firedLines.find(e.rule);
    if (it == firedLines.end()) continue;
    for (std::size_t line : it->second) e.fired = e.fired || e.branchLine == line;
  }
}

}  // namespace veksa
