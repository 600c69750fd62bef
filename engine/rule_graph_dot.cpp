// Writing the rule graph as DOT.
#include "engine/rule_graph_dot.h"

#include <charconv>
#include <sstream>

#include "engine/certainty_scale.h"

namespace veksa {

namespace {

constexpr const char* kFiredColour = "#d95f02";
constexpr const char* kFiredFill = "#ffe08a";
constexpr const char* kVariableColour = "#6a51a3";

// A DOT quoted string.
std::string quoted(std::u16string_view text) {
  std::string out = "\"";
  for (char c : toUtf8(text)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

// Text inside a DOT HTML-like label.
std::string html(std::u16string_view text) {
  std::string out;
  for (char c : toUtf8(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out.empty() ? "&#160;" : out;
}

std::string nodeName(std::size_t n) { return "n" + std::to_string(n); }

// A parameter or class: a table with its name and one cell (a port) per value.
std::string tableLabel(const GraphNode& node, const char* headColour) {
  std::string out = "<<TABLE BORDER=\"0\" CELLBORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"3\">";
  out += "<TR><TD BGCOLOR=\"" + std::string(headColour) + "\"><B>" + html(node.name) +
         "</B></TD></TR>";
  for (std::size_t p = 0; p < node.ports.size(); ++p) {
    const GraphPort& port = node.ports[p];
    out += "<TR><TD PORT=\"p" + std::to_string(p) + "\"";
    if (port.certainty) out += " BGCOLOR=\"" + hexColour(certaintyColour(*port.certainty)) + "\"";
    out += ">" + html(port.value);
    if (!port.certaintyText.empty()) out += "  " + html(port.certaintyText);
    out += "</TD></TR>";
  }
  return out + "</TABLE>>";
}

void writeNode(const RuleGraph& g, std::size_t n, std::ostream& out) {
  const GraphNode& node = g.nodes[n];
  out << "  " << nodeName(n) << " [id=\"" << nodeName(n) << "\", ";
  switch (node.kind) {
    case GraphNodeKind::Parameter:
      out << "shape=plain, label=" << tableLabel(node, "#efe3c2");
      break;
    case GraphNodeKind::HypothesisClass:
      out << "shape=plain, label=" << tableLabel(node, "#d5e8d4");
      break;
    case GraphNodeKind::Variable:
      out << "shape=ellipse, style=filled, fillcolor=\"#ece7f5\", color=\"" << kVariableColour
          << "\", label=" << quoted(node.name + u" = " + node.valueText);
      break;
    case GraphNodeKind::Junction:
      out << "shape=ellipse, width=0, height=0, margin=\"0.04,0.02\", fontsize=8, style=filled, "
             "fillcolor=\"#f2f2f2\", label="
          << quoted(node.name);
      break;
    case GraphNodeKind::Rule: {
      Line label = node.name;
      if (node.fired) {
        label += u"\n→";
        for (std::size_t b = 0; b < node.firedBranches.size(); ++b) {
          label += (b == 0 ? u" " : u", ") + node.firedBranches[b];
        }
      }
      out << "shape=box, style=\"rounded,filled\", fillcolor=\""
          << (node.fired ? kFiredFill : "#ffffff") << "\"" << (node.fired ? ", penwidth=2" : "")
          << ", label=" << quoted(label);
      break;
    }
  }
  out << "];\n";
}

std::string endpoint(std::size_t node, int port) {
  return port < 0 ? nodeName(node) : nodeName(node) + ":p" + std::to_string(port);
}

void writeEdge(const GraphEdge& e, std::ostream& out) {
  out << "  " << endpoint(e.from, e.fromPort) << " -> " << endpoint(e.to, e.toPort)
      << " [label=" << quoted(e.label);
  switch (e.kind) {
    case GraphEdgeKind::Condition:
      out << ", color=\"#555555\"" << (e.negated ? ", style=dashed, arrowhead=odot" : "");
      break;
    case GraphEdgeKind::Conclusion:
      break;
    case GraphEdgeKind::Writes:
      out << ", color=\"" << kVariableColour << "\"";
      break;
    case GraphEdgeKind::Reads:
      out << ", color=\"" << kVariableColour << "\", style=dashed";
      break;
  }
  if (e.fired) out << ", color=\"" << kFiredColour << "\", penwidth=2.2";
  out << "];\n";
}

}  // namespace

std::string ruleGraphDot(const RuleGraph& g) {
  std::ostringstream out;
  out << "digraph " << quoted(u"Граф правил") << " {\n"
      << "  graph [rankdir=LR, nodesep=0.2, ranksep=0.7, fontname=\"DejaVu Sans\"];\n"
      << "  node [fontname=\"DejaVu Sans\", fontsize=10];\n"
      << "  edge [fontname=\"DejaVu Sans\", fontsize=8, arrowsize=0.7];\n";
  std::vector<std::vector<std::size_t>> members(g.clusters.size());
  for (std::size_t n = 0; n < g.nodes.size(); ++n) {
    if (g.nodes[n].cluster < 0) {
      writeNode(g, n, out);
    } else {
      members[static_cast<std::size_t>(g.nodes[n].cluster)].push_back(n);
    }
  }
  for (std::size_t c = 0; c < g.clusters.size(); ++c) {
    out << "  subgraph cluster_" << c << " {\n  label=" << quoted(u"РАЗДЕЛ " + g.clusters[c])
        << "; style=rounded; color=\"#999999\"; fontsize=11;\n";
    for (std::size_t n : members[c]) writeNode(g, n, out);
    out << "  }\n";
  }
  for (const GraphEdge& e : g.edges) writeEdge(e, out);
  out << "}\n";
  return out.str();
}

std::optional<std::size_t> nodeOfDotId(std::string_view id) {
  if (id.size() < 2 || id[0] != 'n') return std::nullopt;
  std::size_t n = 0;
  auto [end, error] = std::from_chars(id.data() + 1, id.data() + id.size(), n);
  if (error != std::errc() || end != id.data() + id.size()) return std::nullopt;
  return n;
}

}  // namespace veksa
