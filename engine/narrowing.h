// TreeView1Click: a click on a node of the hierarchy tree narrows the knowledge base to that
// section or rule of its saved file; the root shows the whole saved file again.
#ifndef VEKSA_ENGINE_NARROWING_H_
#define VEKSA_ENGINE_NARROWING_H_

#include <string>

#include "engine/workspace.h"

namespace veksa {

enum class NarrowResult {
  Unchanged,  // no project, or a knowledge base without a file: nothing happens
  Whole,      // the whole saved file is shown (the root, or a node whose lines are not found)
  Narrowed,   // the text is the node's section or rule; the rest of the file is kept aside
  Failed,     // the file could not be read; `error` names it and the text stays as it was
};

// Reloads the lines from the caption's file, losing unsaved edits, and keeps the node's lines
// [first, last] when `root` is false and they are found (nodeRange; `occurrence` tells apart the
// nodes of the same text).
NarrowResult TreeView1Click(Workspace& ws, bool root, const Line& nodeText, std::string& error,
                            std::size_t occurrence = 0);

// Before the diagnostics or a run: puts the narrowed part back into the file's full text, keeping
// the part's edits, so that the lines are the whole knowledge base (what the root node shows, but
// without reading the file again). Returns false, changing nothing, when the text is not narrowed
// or "Закрыть" has emptied it (the file then stays as it is).
bool widenNarrowing(Workspace& ws);

}  // namespace veksa

#endif  // VEKSA_ENGINE_NARROWING_H_
