// Coverage of the last run: the rules on the rule path that fired no branch in its last pass, and
// the declared parameters that its question pass never asked. A teacher reads them to see which
// parts of a knowledge base an answers file leaves untried.
#ifndef VEKSA_ENGINE_COVERAGE_H_
#define VEKSA_ENGINE_COVERAGE_H_

#include "engine/workspace.h"

namespace veksa {

struct Coverage {
  // The names on the RulePath, each once in path order, of which no rule fired a THEN, ELSE or
  // CASE branch (formula branches included) in the recorded last pass; every name when no pass
  // was recorded.
  Lines rulesNotFired;
  // The declared parameters (the parameter dialog's list: the first words of the lines after
  // "ПАРАМЕТРЫ:"), each once in that list's order, that no question of the run asked.
  Lines parametersNotAsked;
};

Coverage runCoverage(const Workspace& ws);

}  // namespace veksa

#endif  // VEKSA_ENGINE_COVERAGE_H_
