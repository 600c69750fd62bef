// Narrowing the knowledge base to a node of the hierarchy tree.
#include "engine/narrowing.h"

#include "kb/hierarchy.h"

namespace veksa {

NarrowResult TreeView1Click(Workspace& ws, bool root, const Line& nodeText, std::string& error,
                            std::size_t occurrence) {
  if (ws.ProjectState == kProjectNone || !ws.hasFile()) return NarrowResult::Unchanged;
  if (!ws.reloadFromFile(error)) return NarrowResult::Failed;
  if (root) return NarrowResult::Whole;
  const auto range = nodeRange(ws.lines, nodeText, occurrence);
  if (!range) return NarrowResult::Whole;
  const auto first = ws.lines.begin() + static_cast<std::ptrdiff_t>(range->first);
  const auto last = ws.lines.begin() + static_cast<std::ptrdiff_t>(range->second) + 1;
  Workspace::Narrowing rest{Lines(ws.lines.begin(), first), Lines(last, ws.lines.end())};
  ws.lines = Lines(first, last);
  ws.narrowing = std::move(rest);
  return NarrowResult::Narrowed;
}

bool widenNarrowing(Workspace& ws) {
  if (!ws.narrowing || ws.emptiedByClose) return false;
  ws.replaceText(ws.fileText());
  return true;
}

}  // namespace veksa
