// The hierarchy tree: nodes from the lines, and the lines of a node.
#include "kb/hierarchy.h"

#include "kb/keywords.h"
#include "kb/locate.h"
#include "kb/scan.h"

namespace veksa {

namespace {

// Calls `node(index, keyword, name)` for every "РАЗДЕЛ S" and "NAME R" word pair of the lines, in
// text order: the pairs that make the nodes of the tree.
template <typename Node>
void forEachNodeWord(const Lines& lines, Node node) {
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const Line& line = lines[index];
    std::size_t pos = 1;
    for (Line word = readWord(line, pos); !word.empty(); word = readWord(line, pos)) {
      if (word != kSectionWord && word != kName) continue;
      Line name = readWord(line, pos);
      if (name.empty()) break;  // the keyword ends the line: nothing follows it there
      node(index, word, std::move(name));
    }
  }
}

}  // namespace

HierarchyNode buildHierarchy(const Lines& lines) {
  HierarchyNode root{Line(kHierarchyRoot), {}};
  // The section added last; rules hang under it once there is one. Nodes are only appended, so
  // the index into the root's children stays valid.
  std::optional<std::size_t> section;
  forEachNodeWord(lines, [&](std::size_t, const Line& word, Line name) {
    if (word == kSectionWord) {
      // A section whose name is "NAME" reads as a rule node and takes no rules under it.
      const bool takesRules = isSectionNode(name);
      root.children.push_back({std::move(name), {}});
      section = takesRules ? std::optional(root.children.size() - 1) : std::nullopt;
    } else {
      HierarchyNode rule{Line(kName) + u" " + name, {}};
      if (section) {
        root.children[*section].children.push_back(std::move(rule));
      } else {
        root.children.push_back(std::move(rule));
      }
    }
  });
  return root;
}

bool isSectionNode(std::u16string_view text) { return firstWord(text) != kName; }

std::optional<std::pair<std::size_t, std::size_t>> nodeRange(const Lines& lines,
                                                             std::u16string_view text,
                                                             std::size_t occurrence) {
  const bool section = isSectionNode(text);
  Line open, close;
  if (section) {
    open = Line(kSectionWord) + u" " + Line(text);
    close = Line(kSectionEndPrefix) + Line(text);
  } else {
    open = Line(text);
    close = kEnd;
  }
  // The line of the node: the word pair that made the tree's node of that text and number.
  std::optional<std::size_t> first;
  std::size_t seen = 0;
  forEachNodeWord(lines, [&](std::size_t index, const Line& word, const Line& name) {
    const bool same = section ? word == kSectionWord && name == text
                              : word == kName && Line(kName) + u" " + name == text;
    if (same && seen++ == occurrence) first = index;
  });
  if (!first || lines[*first] != open) return std::nullopt;
  for (std::size_t last = *first + 1; last < lines.size(); ++last) {
    if (lines[last] == close) return std::make_pair(*first, last);
  }
  return std::nullopt;
}

}  // namespace veksa
