// Reset of the workspace.
#include "engine/reset.h"

namespace veksa {

bool resetKeepingPath(Workspace& ws, std::string& error) {
  ws.memo.clear();
  bool ok = ws.reloadFromFile(error);
  ws.clearTables();
  ws.report.clear();
  ws.lastRun.clear();  // the record describes the tables just emptied
  return ok;
}

bool N22Click(Workspace& ws, std::string& error) {
  ws.RulePath.clear();
  return resetKeepingPath(ws, error);
}

}  // namespace veksa
