// How-explanations: how the last run reached the certainty of a hypothesis, told from the record
// of its last pass (ws.lastRun) as Russian text lines that the results window shows.
#ifndef VEKSA_ENGINE_EXPLANATION_H_
#define VEKSA_ENGINE_EXPLANATION_H_

#include "engine/run_record.h"
#include "engine/workspace.h"

namespace veksa {

// The arithmetic of one combination with the formula SumCt applied, in the workspace's number
// format: "0,54 + 0,5 - 0,54 × 0,5 = 0,77", "(0,6 + -0,4) / (1 - 0,4) = 0,333333333333333", and
// for opposite signs with a magnitude of 1 the message and 0.
Line combinationText(const Workspace& ws, const Combination& c);

// The explanation of the hypothesis (class, value): a heading line with its certainty in the
// ResultTable, then, for every conclusion of the last pass about it in the order they were drawn,
// a line with the rule, the condition (or CASE fact) certainty, the factor and the conclusion's
// certainty, and a line telling whether the record filter admitted it and how it joined the table.
Lines explainHypothesis(const Workspace& ws, const Line& cls, const Line& value);

}  // namespace veksa

#endif  // VEKSA_ENGINE_EXPLANATION_H_
