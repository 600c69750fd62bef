// The reset ("Сброс", F7) that open and every run perform first.
#ifndef VEKSA_ENGINE_RESET_H_
#define VEKSA_ENGINE_RESET_H_

#include <string>

#include "engine/workspace.h"

namespace veksa {

// N22Click: empties the rule path, the hidden memo, reloads the lines from the caption's file
// (when the knowledge base has one), empties the four tables, the diagnostics report and the
// record of the last run. Returns false with a message naming the file when the reload failed;
// the rest is done anyway.
bool N22Click(Workspace& ws, std::string& error);

// The reset before a run: the same, except that the rule path is kept.
bool resetKeepingPath(Workspace& ws, std::string& error);

}  // namespace veksa

#endif  // VEKSA_ENGINE_RESET_H_
