// The comparison of the inference methods: the knowledge base run with the same answers under each
// inference method, without asking again, with the time of each run's timing loop per pass and
// the work of its last pass.
#ifndef VEKSA_ENGINE_METHOD_COMPARISON_H_
#define VEKSA_ENGINE_METHOD_COMPARISON_H_

#include <cstddef>
#include <optional>
#include <vector>

#include "engine/host.h"
#include "engine/inference_method.h"
#include "engine/run_record.h"
#include "kb/text.h"

namespace veksa {

// What the runs of the comparison share.
struct ComparisonSetup {
  Lines lines;                // the knowledge base (all of it)
  std::optional<Lines> path;  // a rule path set by the user; sequential when none
  Lines sections;             // the sections ticked; "Все разделы" when none
  // The answers, as a run records them (each parameter once); a question not among them gets Esc.
  std::vector<RecordedAnswer> answers;
  // When set, the first run asks its questions through this host (the question dialog), and its
  // answers serve the other runs.
  Host* asker = nullptr;
};

// One method's run.
struct MethodMeasure {
  InferenceMethod method = InferenceMethod::ForwardBreadth;
  long long passes = 0;            // the inference passes of the run
  double microsecondsPerPass = 0;  // the timing loop's time (monotonic clock) over its passes
  PassCounts counts;               // the work of the run's last pass
  Line cls, value, certainty;      // the first row of the ordered ResultTable (empty when none)
  Line error;                      // a run-time error that ended the run, or a fault in the answers
};

// Runs the knowledge base under each method, in the order of kInferenceMethods.
std::vector<MethodMeasure> compareMethods(const ComparisonSetup& setup);

}  // namespace veksa

#endif  // VEKSA_ENGINE_METHOD_COMPARISON_H_
