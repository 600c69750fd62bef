// Expected results: the hypotheses a run should reach with their certainties, checked against the
// ResultTable after a run (veksa-cli run --expect).
#ifndef VEKSA_ENGINE_EXPECTATIONS_H_
#define VEKSA_ENGINE_EXPECTATIONS_H_

#include <string_view>
#include <vector>

#include "engine/workspace.h"

namespace veksa {

inline constexpr long double kDefaultTolerance = 0.005L;

struct Expectation {
  Line cls, value;
  long double certainty = 0;
  long double tolerance = kDefaultTolerance;
};

// Reads an expectations file (UTF-8): one line per hypothesis, "CLASS VALUE CERTAINTY
// [TOLERANCE]", words separated by spaces, numbers with "," or "."; lines starting with "#" and
// empty lines are ignored. Throws ScriptError naming the line on a malformed line, a negative
// tolerance or a hypothesis listed twice.
std::vector<Expectation> parseExpectations(std::string_view text);

// The expectations the ResultTable does not meet, one Russian line each, in the file's order:
// "дерево берёза: ожидалось 0,6, получено 0,54 (разница -0,06)" when the certainty differs by more
// than the tolerance, "дерево ель: нет в результатах" when the table has no such row.
Lines unmetExpectations(const Workspace& ws, const std::vector<Expectation>& expected);

}  // namespace veksa

#endif  // VEKSA_ENGINE_EXPECTATIONS_H_
