// The hierarchy tree of a knowledge base: the knowledge base, its sections and its rules, and the
// part of the text that a node of the tree stands for.
#ifndef VEKSA_KB_HIERARCHY_H_
#define VEKSA_KB_HIERARCHY_H_

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "kb/text.h"

namespace veksa {

inline constexpr std::u16string_view kHierarchyRoot = u"БАЗА ЗНАНИЙ";

struct HierarchyNode {
  Line text;
  std::vector<HierarchyNode> children;
};

// The tree of the lines: the root "БАЗА ЗНАНИЙ"; a node per word following "РАЗДЕЛ" (a section)
// and a node "NAME " + R per word R following "NAME" (a rule), keywords counted wherever they
// stand in a line. A rule hangs under the section added last when there is one, also after that
// section's closing line, and under the root otherwise.
HierarchyNode buildHierarchy(const Lines& lines);

// A node that is not a rule node: its first word is not "NAME".
bool isSectionNode(std::u16string_view text);

// The lines [first, last] that a section or rule node narrows the text to: from the line "РАЗДЕЛ "
// + S to the first later line "КОНЕЦ РАЗДЕЛА " + S, or from the line equal to the rule node's text
// to the first later line "END". Nodes of the same text (rules or sections whose names repeat)
// are told apart by `occurrence`, their 0-based number in the tree's order, which is the order of
// their words in the text: each narrows to its own part. Whole lines compared exactly; nothing
// when the node's line is not exactly its heading or the end line is missing.
std::optional<std::pair<std::size_t, std::size_t>> nodeRange(const Lines& lines,
                                                             std::u16string_view text,
                                                             std::size_t occurrence = 0);

}  // namespace veksa

#endif  // VEKSA_KB_HIERARCHY_H_
