// The host's default save before a run.
#include "engine/host.h"

#include <string>

#include "engine/workspace.h"

namespace veksa {

bool Host::saveBeforeRun(Workspace& ws) {
  if (!ws.hasFile()) return true;
  std::string error;
  if (ws.files().write(ws.caption, ws.lines, error)) return true;
  message(fromUtf8(error));
  return false;
}

}  // namespace veksa
