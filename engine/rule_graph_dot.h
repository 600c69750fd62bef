// The rule graph as Graphviz DOT text, which `dot` lays out and draws. Every node's name and its
// "id" attribute are "n" and its index in the graph, so a drawing's elements lead back to the
// nodes.
#ifndef VEKSA_ENGINE_RULE_GRAPH_DOT_H_
#define VEKSA_ENGINE_RULE_GRAPH_DOT_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/rule_graph.h"

namespace veksa {

// The DOT text (UTF-8) of a graph: parameters and classes as tables of their values (coloured by
// certainty after a run), rules as boxes (filled, with the branches that fired, after a run),
// variables as ellipses, junctions as small ellipses; sections as clusters.
std::string ruleGraphDot(const RuleGraph& graph);

// The node index of a DOT node name or element id "nK"; nothing for anything else.
std::optional<std::size_t> nodeOfDotId(std::string_view id);

}  // namespace veksa

#endif  // VEKSA_ENGINE_RULE_GRAPH_DOT_H_
