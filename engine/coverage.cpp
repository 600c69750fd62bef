// Coverage of the last run.
#include "engine/coverage.h"

#include <unordered_set>

#include "kb/declarations.h"

namespace veksa {

Coverage runCoverage(const Workspace& ws) {
  Coverage c;
  std::unordered_set<Line> seen;
  for (const Line& rule : ws.RulePath) {
    if (seen.insert(rule).second && ws.lastRun.lastPass.firedRules.count(rule) == 0) {
      c.rulesNotFired.push_back(rule);
    }
  }
  seen.clear();
  for (const RecordedAnswer& a : ws.lastRun.answers) seen.insert(a.parameter);
  DeclarationLists declared;
  N55Click(ws.lines, declared);
  for (const Line& parameter : declared.parameterList) {
    if (seen.insert(parameter).second) c.parametersNotAsked.push_back(parameter);
  }
  return c;
}

}  // namespace veksa
